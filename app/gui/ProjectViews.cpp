#include "app/gui/ProjectViews.h"

#include "app/gui/ViewContent.h"
#include "app/gui/ViewFiles.h"
#include "app/gui/ViewIndex.h"

namespace mb::gui {

ProjectViews::ProjectViews(ViewHost& host, CProjectFile& project)
    : m_contents(new CViewContent(host, project)), m_index(new CViewIndex(host, project)),
      m_files(new CViewFiles(host, project)) {}

ProjectTreeView& ProjectViews::View(Tree tree) const {
    if (tree == Tree::Contents)
        return *m_contents;
    return *m_index;
}

std::vector<SelectedNode> ProjectViews::SelectedNodes(Tree tree) const {
    return View(tree).Selection();
}

void ProjectViews::SelectNodes(Tree tree, const std::vector<SelectedNode>& nodes) {
    View(tree).Reselect(nodes);
}

void ProjectViews::AcceptDropTarget(Tree tree) {
    View(tree).AcceptDropTarget();
}

void ProjectViews::EditNewTitle(Tree tree) {
    View(tree).StartRename();
}

SelectedFiles ProjectViews::SelectedProjectFiles() const {
    return m_files->Selection();
}

bool ProjectViews::Meets(Needs needs, int tab) const {
    if (needs == Needs::Nothing)
        return true;
    QTreeWidget* views[] = {m_contents, m_index, m_files};
    if (tab < 0 || tab > 2)
        return false;
    if (needs == Needs::Selection)
        return views[tab]->selectionModel()->hasSelection();
    return tab == 2 ? m_files->HasFiles() : views[tab]->topLevelItemCount() > 0;
}

void ProjectViews::EndLabelEditing() {
    m_contents->CancelRename();
    m_index->CancelRename();
}

} // namespace mb::gui
