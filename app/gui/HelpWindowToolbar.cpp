#include "app/gui/HelpWindowToolbar.h"

#include "app/gui/CommandRoutes.h"

#include <QAction>
#include <QLabel>
#include <QToolBar>

namespace mb::gui {

namespace {

QString ToolTipFor(const CommandRoute& route) {
    const QString name = QString(route.label).remove('&');
    switch (route.onTab[0].handler) {
    case Handler::WindowButton:
        return QObject::tr("Compiled help window: show its \"%1\" button (a setting of this "
                           "project, used when it is compiled)")
            .arg(name);
    case Handler::WindowStyle:
        return QObject::tr("Compiled help window: contents tab with \"%1\" (a setting of this "
                           "project, used when it is compiled)")
            .arg(name);
    case Handler::TabPosition:
        return QObject::tr("Compiled help window: where its navigation tabs stand (a setting of "
                           "this project, used when it is compiled)");
    default:
        return {};
    }
}

} // namespace

HelpWindowToolbar::HelpWindowToolbar(QToolBar& toolbar) : m_toolbar(toolbar) {
    m_toolbar.setWindowTitle(QObject::tr("Compiled Help Window Buttons"));
    for (QAction* action : m_toolbar.actions())
        if (const CommandRoute* route = FindRoute(action->data().toInt()))
            action->setToolTip(ToolTipFor(*route));
    auto* caption = new QLabel(QObject::tr("Help window buttons:"));
    caption->setObjectName("HelpWindowCaption");
    caption->setToolTip(QObject::tr("The buttons and the contents style of the help window "
                                    "that the compiled help file opens in"));
    caption->setContentsMargins(4, 0, 4, 0);
    m_toolbar.insertWidget(m_toolbar.actions().value(0), caption);
}

void HelpWindowToolbar::FollowProject(bool open) {
    // The stored window layout may show it before any project is open.
    if (!open)
        m_toolbar.hide();
    else if (!m_projectOpen)
        m_toolbar.show();
    m_projectOpen = open;
}

} // namespace mb::gui
