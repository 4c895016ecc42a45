#include "app/gui/HelpWindowToolbar.h"

#include "app/gui/CommandRoutes.h"
#include "app/gui/UiText.h"

#include <QAction>
#include <QLabel>
#include <QToolBar>

namespace mb::gui {

namespace {

QString ToolTipFor(const CommandRoute& route) {
    const QString name = Text(route.label).remove('&');
    switch (route.onTab[0].handler) {
    case Handler::WindowButton:
        return Text(kStrHelpWindowButtonTip).arg(name);
    case Handler::WindowStyle:
        return Text(kStrHelpWindowStyleTip).arg(name);
    case Handler::TabPosition:
        return Text(kStrHelpWindowTabPositionTip);
    default:
        return {};
    }
}

} // namespace

HelpWindowToolbar::HelpWindowToolbar(QToolBar& toolbar) : m_toolbar(toolbar) {
    m_toolbar.setWindowTitle(Text(kStrHelpWindowButtonsToolbar));
    for (QAction* action : m_toolbar.actions())
        if (const CommandRoute* route = FindRoute(action->data().toInt()))
            action->setToolTip(ToolTipFor(*route));
    auto* caption = new QLabel(Text(kStrHelpWindowButtonsCaption));
    caption->setObjectName("HelpWindowCaption");
    caption->setToolTip(Text(kStrHelpWindowButtonsTip));
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
