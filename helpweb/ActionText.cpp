#include "helpweb/ActionText.h"

#include <QAction>

namespace mb::web {

void SetActionTexts(QAction* action, const std::string& entry) {
    const QString text = QString::fromStdString(entry);
    const qsizetype split = text.indexOf('\n');
    const QString tip = split < 0 ? text : text.mid(split + 1);
    action->setText(tip);
    action->setToolTip(tip);
    action->setStatusTip(split < 0 ? QString() : text.left(split));
}

} // namespace mb::web
