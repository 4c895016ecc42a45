#pragma once
// The index tab of the help window: the keywords, with a field that selects
// the first keyword starting with what is typed as it is typed. Activating
// a keyword shows its page; a keyword with several topics offers them in a
// list; a "See Also" keyword goes to the keyword it names.

#include "app/core/HelpBook.h"

#include <QWidget>

#include <vector>

class QLineEdit;
class QListWidget;

namespace mb::gui {

class HelpIndexPane final : public QWidget {
    Q_OBJECT
public:
    explicit HelpIndexPane(QWidget* parent = nullptr);

    void Fill(const std::vector<HelpBook::Keyword>& index);
    QLineEdit* Field() const { return m_field; }
    QListWidget* List() const { return m_list; }
    // Selects the first keyword whose name starts with `text` (letter case
    // ignored); false when none does.
    bool SelectStartingWith(const QString& text);
    // Does what activating the selected keyword does.
    void ActivateSelected();

signals:
    void PageWanted(const std::string& page);

private:
    QLineEdit* m_field;
    QListWidget* m_list;
    std::vector<HelpBook::Keyword> m_keywords;
    // The keywords' names folded to lower case with their rows, sorted, for
    // finding a typed start by binary search.
    std::vector<std::pair<QString, int>> m_sorted;
};

} // namespace mb::gui
