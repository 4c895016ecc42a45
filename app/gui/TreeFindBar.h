#pragma once
// The find bar under the contents and index trees: the text to look for,
// whether links count too and whether letter case matters, and buttons for
// the next and the previous match. The buttons, Enter and Shift+Enter run
// the Find Next and Find Previous commands of the main window, which look
// in the tree of the active tab; Escape closes the bar.

#include "projectmodel/EntrySearch.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace mb::gui {

class ViewHost;
class ProjectTreeView;

class TreeFindBar final : public QWidget {
public:
    // Built after the main window's actions, whose buttons it shows.
    explicit TreeFindBar(ViewHost& host);

    // Shows the bar with the keyboard in its text, which is selected.
    void Open();
    // Selects the next (or previous) entry of `view` that the bar's fields
    // ask for, or says that there is none; opens the bar when it has no
    // text yet.
    void FindIn(ProjectTreeView& view, bool backward);

    QLineEdit* TextField() const { return m_text; }
    QLabel* Status() const { return m_status; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    mb::EntryQuery Query() const;

    ViewHost& m_host;
    QLineEdit* m_text;
    QCheckBox* m_links;
    QCheckBox* m_matchCase;
    QLabel* m_status;
};

} // namespace mb::gui
