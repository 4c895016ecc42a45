#pragma once
// The replacement table as a list with Add, Modify and Remove: old text and
// new text per row. It edits a ReplacementList; the caller decides whether
// the list goes back into the configuration.

#include <QWidget>

class QTableWidget;
class ReplacementList;
struct ReplacementRow;

namespace mb::gui {

class ReplacementTableEditor final : public QWidget {
public:
    ReplacementTableEditor(ReplacementList& list, QWidget* parent = nullptr);
    QTableWidget* Table() const { return m_table; }

private:
    void Fill();
    void Add();
    void Modify();
    void Remove();
    // False when no row is selected (after saying so).
    bool HasSelection();
    // The item dialog; false on Cancel.
    bool EditRow(ReplacementRow& row);

    ReplacementList& m_list;
    QTableWidget* m_table;
};

} // namespace mb::gui
