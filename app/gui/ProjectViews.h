#pragma once
// The three views of the left pane (contents, index, files) and the answers
// to the requests the edit commands send the main window about them:
// selections, re-selection after a change, the drop target, label editing
// of a new entry and the deletion of project files.

#include "app/gui/CommandRoutes.h"

#include <cstdint>

class CProjectFile;

namespace mb::gui {

class CViewContent;
class CViewFiles;
class CViewIndex;
class MainFrame;

class ProjectViews {
public:
    ProjectViews(MainFrame& frame, CProjectFile& project);
    ProjectViews(const ProjectViews&) = delete;
    ProjectViews& operator=(const ProjectViews&) = delete;

    // The views, owned by the widget they are put into.
    CViewContent* Contents() const { return m_contents; }
    CViewIndex* Index() const { return m_index; }
    CViewFiles* Files() const { return m_files; }

    // Answers a request of the edit commands; 0 for a message that is not
    // one of them.
    int Answer(int message, intptr_t wParam, void* lParam);
    // Whether the view of left tab `tab` has what a command needs.
    bool Meets(Needs needs, int tab) const;
    // Ends any label editing in both trees.
    void EndLabelEditing();

private:
    CViewContent* m_contents;
    CViewIndex* m_index;
    CViewFiles* m_files;
};

} // namespace mb::gui
