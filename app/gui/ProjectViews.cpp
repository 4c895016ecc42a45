#include "app/gui/ProjectViews.h"

#include "app/gui/ViewContent.h"
#include "app/gui/ViewFiles.h"
#include "app/gui/ViewIndex.h"

#include "baseutil/MainWindow.h"
#include "baseutil/Xml.h"

#include <string>

namespace mb::gui {

namespace {

// Requests without a constant of their own: the drop-target highlight goes.
constexpr int kReqContentClearDropTarget = 3239;
constexpr int kReqIndexClearDropTarget = 3249;

CXML* Record(void* lParam) {
    return static_cast<CXML*>(lParam);
}

} // namespace

ProjectViews::ProjectViews(MainFrame& frame, CProjectFile& project)
    : m_contents(new CViewContent(frame, project)), m_index(new CViewIndex(frame, project)),
      m_files(new CViewFiles(frame, project)) {}

int ProjectViews::Answer(int message, intptr_t wParam, void* lParam) {
    switch (message) {
    case REQ_CONTENT_SELECTION_FOR_INDEX:
    case REQ_CONTENT_SELECTION:
    case REQ_CONTENT_MOVE_DOWN:
    case REQ_CONTENT_MOVE_UP:
    case REQ_CONTENT_MOVE_LEFT:
    case REQ_CONTENT_MOVE_RIGHT:
    case REQ_CONTENT_DRAGGED:
        m_contents->AnswerSelection(Record(lParam), true);
        return 1;
    case REQ_CONTENT_SELECTION_WITH_CHILDREN:
        m_contents->AnswerSelection(Record(lParam), false);
        return 1;
    case REQ_CONTENT_SELECTION_FOR_RENAME:
        // One "NODE_ID" per entry, its ID as the value and as "ID".
        if (CXML* record = Record(lParam)) {
            for (QTreeWidgetItem* item : m_contents->SelectedInTreeOrder()) {
                std::string id = ProjectTreeView::IDOf(item);
                record->AddChild("NODE_ID", id)->SetAttr("ID", id);
            }
        }
        return 1;
    case REQ_INDEX_SELECTION:
    case REQ_INDEX_MOVE_DOWN:
    case REQ_INDEX_MOVE_UP:
    case REQ_INDEX_MOVE_LEFT:
    case REQ_INDEX_MOVE_RIGHT:
    case REQ_INDEX_DRAGGED:
        m_index->AnswerSelection(Record(lParam), true);
        return 1;
    case REQ_CONTENT_RESELECT:
    case REQ_CONTENT_BEFORE_COPY:
        m_contents->Reselect(Record(lParam));
        return 1;
    case REQ_INDEX_RESELECT:
    case REQ_INDEX_BEFORE_COPY:
        m_index->Reselect(Record(lParam));
        return 1;
    case REQ_CONTENT_RESTORE_SORTED:
    case REQ_INDEX_RESTORE_SORTED: {
        ProjectTreeView* view = message == REQ_CONTENT_RESTORE_SORTED
                                    ? static_cast<ProjectTreeView*>(m_contents)
                                    : m_index;
        if (lParam)
            view->SelectAndExpand(*static_cast<const std::string*>(lParam), wParam != 0);
        return 1;
    }
    case REQ_DELETE_SELECTED_FILES:
        m_files->DeleteSelectedFiles();
        return 1;
    case REQ_DELETE_SELECTED_MERGE_FILES:
        m_files->DeleteSelectedMergeFiles();
        return 1;
    case REQ_DELETE_ALL_FILES:
        m_files->DeleteAllFiles();
        return 1;
    case kReqContentClearDropTarget:
        m_contents->ClearDropTarget();
        return 1;
    case kReqIndexClearDropTarget:
        m_index->ClearDropTarget();
        return 1;
    case REQ_CONTENT_ACCEPT_DROP:
        m_contents->AcceptDropTarget();
        return 1;
    case REQ_INDEX_ACCEPT_DROP:
        m_index->AcceptDropTarget();
        return 1;
    case REQ_CONTENT_EDIT_NEW_TITLE:
        m_contents->StartRename();
        return 1;
    case REQ_INDEX_EDIT_NEW_TITLE:
        m_index->StartRename();
        return 1;
    default:
        return 0;
    }
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
