#include "editcommands/RemoveCommands.h"

#include "baseutil/MainWindow.h"
#include "baseutil/Prompt.h"
#include "baseutil/Xml.h"
#include "projectmodel/FilesList.h"
#include "projectmodel/ProjectFile.h"

namespace mb {
namespace {

constexpr int kStrDeleteAll = 362;
constexpr int kStrDeleteSelected = 365;

} // namespace

int RemoveCommand::Execute() {
    BusyCursor busy(Prompt());
    m_snapshot.reset();
    if (m_all) {
        if (TreeRoot()->GetChildCount() == 0 || !Confirm(Prompt(), kStrDeleteAll))
            return 0;
        BeginChange();
        DeleteAll();
        // The default topic went with the entries; undoing the deletion
        // brings the entries back but leaves the default topic to the user.
        if (EndChange() && IsContents()) {
            m_project->HHP_SetOptionsData(OPT_DEFAULT_TOPIC, std::string());
            m_project->HHP_SetWindowsData(WIN_DEFAULT_FILE, std::string());
        }
        return 0;
    }
    CXML list("FilesList");
    if (!SelectedEntries(&list) || !Confirm(Prompt(), kStrDeleteSelected))
        return 0;
    BeginChange();
    DeleteFilesList2(&list);
    EndChange();
    return 0;
}

bool RemoveCommand::SelectedEntries(CXML* list) const {
    auto selected = AskSelection(m_tree);
    NormalizeSelection(selected.get(), *m_project, m_tree);
    if (selected->GetChildCount() == 0)
        return false;
    if (IsContents()) {
        Type2FilesListFromIDs(selected.get(), list);
    } else {
        // Every index entry is a run of its own.
        list->SetTagName("FilesList");
        for (int i = 0; i < selected->GetChildCount(); ++i) {
            const CXML* node = NodeByID(selected->GetChildAt(i)->GetAttr("ID"));
            std::string relativeId;
            int mode = kInsertAfter;
            m_project->Index_GetRelativeNodeInfo(node, relativeId, mode);
            AddRun(list, relativeId, mode)->AddChild(node->Copy());
        }
    }
    return list->GetChildCount() > 0;
}

void RemoveCommand::Undo() {
    AddFilesList2(DoList().get());
}

void RemoveCommand::Redo() {
    DeleteFilesList2(DoList().get());
}

} // namespace mb
