#include "app/gui/TreeFindBar.h"

#include "app/gui/ProjectTreeView.h"
#include "app/gui/UiText.h"
#include "app/gui/ViewHost.h"

#include "commonkit/CommandIds.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

namespace mb::gui {

TreeFindBar::TreeFindBar(ViewHost& host)
    : m_host(host), m_text(new QLineEdit), m_links(new QCheckBox(Text(kStrFindLinksToo))),
      m_matchCase(new QCheckBox(Text(kStrMatchCase))), m_status(new QLabel) {
    setObjectName("TreeFindBar");
    m_text->setObjectName("findText");
    m_text->setClearButtonEnabled(true);
    m_text->setPlaceholderText(Text(kStrFindEntryPlaceholder));
    m_links->setObjectName("findInLinks");
    m_links->setToolTip(Text(kStrFindLinksTooTip));
    m_matchCase->setObjectName("findMatchCase");
    m_status->setObjectName("findStatus");
    auto button = [this](int command) {
        auto* button = new QToolButton;
        button->setDefaultAction(m_host.ActionFor(command));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        return button;
    };
    auto* close = new QToolButton;
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close->setAutoRaise(true);
    close->setToolTip(Text(kStrCloseFindBarTip));
    connect(close, &QToolButton::clicked, this, &QWidget::hide);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_text, 0, 0, 1, 3);
    layout->addWidget(close, 0, 3);
    layout->addWidget(button(ID_FIND_PREVIOUS), 1, 0);
    layout->addWidget(button(ID_FIND_NEXT), 1, 1);
    layout->addWidget(m_links, 2, 0);
    layout->addWidget(m_matchCase, 2, 1);
    layout->addWidget(m_status, 3, 0, 1, 4);
    layout->setColumnStretch(2, 1);

    connect(m_text, &QLineEdit::textEdited, m_status, &QLabel::clear);
    hide();
}

void TreeFindBar::Open() {
    show();
    m_text->setFocus(Qt::ShortcutFocusReason);
    m_text->selectAll();
}

mb::EntryQuery TreeFindBar::Query() const {
    mb::EntryQuery query;
    query.text = m_text->text().toStdString();
    query.inLinks = m_links->isChecked();
    query.matchCase = m_matchCase->isChecked();
    return query;
}

void TreeFindBar::FindIn(ProjectTreeView& view, bool backward) {
    if (m_text->text().isEmpty()) {
        Open();
        return;
    }
    show();
    if (view.SelectMatch(Query(), backward))
        m_status->clear();
    else
        m_status->setText(Text(kStrNoEntryHolds).arg(m_text->text()));
}

void TreeFindBar::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_text->hasFocus()) {
        const bool backward = event->modifiers() & Qt::ShiftModifier;
        m_host.ActionFor(backward ? ID_FIND_PREVIOUS : ID_FIND_NEXT)->trigger();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        hide();
        m_host.FocusActiveView();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace mb::gui
