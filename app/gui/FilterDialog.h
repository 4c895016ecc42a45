#pragma once
// The file filter settings: the filter sets by name (add, delete, choose the
// one in use) and a tab per section of the filter in use (skip folders, skip
// files, only include files), each a switch and a list of patterns with a
// check box per pattern. OK keeps every edit; Cancel discards the edits and
// puts back the filter that was in use.

#include "app/core/AppContext.h"
#include "dialogkit/DropFileFilterDialog.h"

#include <QDialog>

class QComboBox;
class QTabWidget;

namespace mb::gui {

class FilterPage;

class FilterDialog final : public QDialog {
    Q_OBJECT
public:
    FilterDialog(CDropFileFilterSet& filters, FilterSection firstPage, AppContext& context,
                 QWidget* parent);
    void accept() override;
    void reject() override;

    QComboBox* FilterCombo() const { return m_combo; }
    QTabWidget* Pages() const { return m_tabs; }

private:
    void FillCombo();
    void ShowCurrentFilter();
    void AddFilter();
    void DeleteFilter();

    CDlgSetDropFileFilter m_form;
    QComboBox* m_combo;
    QTabWidget* m_tabs;
    std::vector<FilterPage*> m_pages;
};

} // namespace mb::gui
