#pragma once
// The project options sheet: a page tree on the left (general, compiler,
// and under "Window" the window styles, viewer and buttons pages), the page
// on the right. A page is read from the project when first shown; OK writes
// the pages that were shown, Cancel nothing.

#include "app/core/ProjectOptionsForm.h"

#include <QDialog>

#include <functional>
#include <map>
#include <vector>

class CConfigData;
class CProjectFile;
class QLabel;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace mb::gui {

class OptionsSheet final : public QDialog {
    Q_OBJECT
public:
    // Opens at `startPage` (a CProjectOptionsForm::Page).
    OptionsSheet(CProjectFile& project, int startPage, QWidget* parent);
    void accept() override;

    // Shows page `page` as if it were chosen in the tree.
    void ShowPage(int page);
    QTreeWidget* PageTree() const { return m_tree; }

private:
    void ShowItem(QTreeWidgetItem* item);
    QWidget* BuildPage(int page);

    // Keeps the page last shown.
    CConfigData& m_config;
    CProjectOptionsForm m_form;
    QTreeWidget* m_tree;
    QStackedWidget* m_pages;
    QLabel* m_noPage;
    std::map<int, QWidget*> m_built;
    // Copies each shown page's fields into the form.
    std::vector<std::function<void()>> m_collect;
};

} // namespace mb::gui
