#pragma once
// The three views of the left pane (contents, index, files) and the answers
// to what the edit commands ask the main window about them: selections,
// selecting entries again after a change, the drop target, label editing
// of a new entry and the selected project files.

#include "app/gui/CommandRoutes.h"
#include "baseutil/MainWindow.h"

class CProjectFile;

namespace mb::gui {

class CViewContent;
class CViewFiles;
class CViewIndex;
class ViewHost;
class ProjectTreeView;

class ProjectViews {
public:
    ProjectViews(ViewHost& host, CProjectFile& project);
    ProjectViews(const ProjectViews&) = delete;
    ProjectViews& operator=(const ProjectViews&) = delete;

    // The views, owned by the widget they are put into.
    CViewContent* Contents() const { return m_contents; }
    CViewIndex* Index() const { return m_index; }
    CViewFiles* Files() const { return m_files; }

    // The requests of the main-window interface about the views.
    std::vector<SelectedNode> SelectedNodes(Tree tree) const;
    void SelectNodes(Tree tree, const std::vector<SelectedNode>& nodes);
    void AcceptDropTarget(Tree tree);
    void EditNewTitle(Tree tree);
    SelectedFiles SelectedProjectFiles() const;

    // Whether the view of left tab `tab` has what a command needs.
    bool Meets(Needs needs, int tab) const;
    // Ends any label editing in both trees.
    void EndLabelEditing();

private:
    ProjectTreeView& View(Tree tree) const;

    CViewContent* m_contents;
    CViewIndex* m_index;
    CViewFiles* m_files;
};

} // namespace mb::gui
