#include "app/gui/QtSortDialog.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace mb::gui {

bool QtSortDialog::Ask(const std::string& topicName, SortChoice& choice) {
    QDialog dialog(m_parent);
    dialog.setObjectName("SortDialog");
    dialog.setWindowTitle(kSortTitle);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(kSortQuestion));
    auto* topic = new QLabel(QString("\"%1\"").arg(QString::fromStdString(topicName)));
    topic->setTextFormat(Qt::PlainText);
    topic->setStyleSheet("color: #1f4fb3;");
    layout->addWidget(topic);
    auto* group = new QGroupBox(kSortOptionsGroup);
    auto* options = new QVBoxLayout(group);
    auto* subBranches = new QCheckBox(kSortSubBranches);
    subBranches->setChecked(choice.thisLevelOnly == 0);
    auto* ignoreCase = new QCheckBox(kSortIgnoreCase);
    ignoreCase->setChecked(choice.ignoreCase != 0);
    options->addWidget(subBranches);
    options->addWidget(ignoreCase);
    layout->addWidget(group);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice.thisLevelOnly = subBranches->isChecked() ? 0 : 1;
    choice.ignoreCase = ignoreCase->isChecked() ? 1 : 0;
    return true;
}

} // namespace mb::gui
