#include "editcommands/SortCommands.h"

#include "baseutil/MainWindow.h"
#include "baseutil/Prompt.h"
#include "baseutil/Xml.h"
#include "commonkit/StringTable.h"
#include "editcommands/CommandContext.h"
#include "projectmodel/FilesList.h"
#include "projectmodel/ProjectFile.h"

namespace mb {
namespace {

constexpr int kStrReplaceIndex = 454;

// A record that puts copies of the entries under `root` back at the top.
void AddTopLevelRecord(CXML* records, const CXML* root) {
    CXML* record = records->AddChild(CProjectFile::NewAModifiedNodeInfo());
    record->SetAttr("DoRelativeNodeID", "ROOT");
    record->SetAttr("DoInsertMode", kInsertFirstChild);
    root->CloneChildTo(record);
}

} // namespace

int SortCommand::Execute() {
    BusyCursor busy(Prompt());
    m_snapshot.reset();
    auto selected = AskSelection(m_tree);
    if (selected->GetChildCount() == 0)
        return 0;
    const CXML* first = selected->GetChildAt(0);
    const CXML* node = NodeByID(first->GetAttr("ID"));
    if (!node || node == TreeRoot())
        return 0;
    m_nodeId = first->GetAttr("ID");
    m_expanded = first->GetAttrInt("expanded");
    BeginChange();
    if (Model()->PlanSort(node, m_direction, *Context().sortDialog) == 0)
        return 0;
    if (ChangeRecordCommand* entry = EndChange())
        entry->Redo();
    return 0;
}

void SortCommand::Redo() {
    Swap(0, 1);
}

void SortCommand::Undo() {
    Swap(1, 0);
}

void SortCommand::Swap(int from, int to) const {
    Relocate(ListFromRecord(from).get(), ListFromRecord(to).get());
    if (IMainWindow* window = Context().window)
        window->SelectNodes(m_tree, {{m_nodeId, m_expanded == 1}});
}

int ReplaceIndexCommand::Execute() {
    BusyCursor busy(Prompt());
    m_snapshot.reset();
    const CXML* index = m_project->HHK_GetTreeRoot();
    const CXML* contents = m_project->HHC_GetTreeRoot();
    if (index->GetChildCount() == 0 && contents->GetChildCount() == 0)
        return 0;
    if (ShowMessage(Prompt(), CStrHelper::ML_GetStringEx(kStrReplaceIndex), {}, Buttons::YesNo,
                    Icon::Information) != Answer::Yes)
        return 0;
    BeginChange();
    AddTopLevelRecord(m_project->GetModifiedInfo(), index);
    AddTopLevelRecord(m_project->GetModifiedInfo(), contents);
    if (ChangeRecordCommand* entry = EndChange())
        entry->Redo();
    return 0;
}

void ReplaceIndexCommand::Redo() {
    DeleteAll();
    AddFilesList2(ListFromRecord(1).get());
}

void ReplaceIndexCommand::Undo() {
    DeleteAll();
    AddFilesList2(ListFromRecord(0).get());
}

} // namespace mb
