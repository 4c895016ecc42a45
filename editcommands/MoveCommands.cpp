#include "editcommands/MoveCommands.h"

#include "baseutil/MainWindow.h"
#include "baseutil/Prompt.h"
#include "baseutil/Xml.h"
#include "editcommands/CommandContext.h"
#include "projectmodel/ProjectFile.h"

namespace mb {
namespace {

// True when `node` is one of the selected entries or lies inside one.
bool WithinSelection(const CXML* node, const CXML* selected, const CSitemapFile& model) {
    for (int i = 0; i < selected->GetChildCount(); ++i) {
        const CXML* entry = model.GetNodeByID(selected->GetChildAt(i)->GetAttr("ID"));
        for (const CXML* up = node; up; up = up->GetParent())
            if (up == entry)
                return true;
    }
    return false;
}

} // namespace

int MoveCommand::Execute() {
    BusyCursor busy(Prompt());
    m_snapshot.reset();
    if (!KeepSelection())
        return 0;
    CXML list("FilesList");
    Type2FilesListFromIDs(m_selection.get(), &list);
    BeginChange();
    Model()->PlanMove(&list, m_direction);
    if (ChangeRecordCommand* entry = EndChange())
        entry->Redo();
    return 0;
}

void MoveCommand::Redo() {
    Relocate(UndoList().get(), DoList().get());
    Reselect();
}

void MoveCommand::Undo() {
    Relocate(DoList().get(), UndoList().get());
    Reselect();
}

int DragMoveCommand::Execute() {
    BusyCursor busy(Prompt());
    m_snapshot.reset();
    const CXML* target = Model()->GetDroppedNode();
    if (!target || !KeepSelection())
        return 0;
    // Dropping entries on themselves or inside themselves would take the
    // target out of the tree together with them.
    if (WithinSelection(target, m_selection.get(), *Model())) {
        m_selection.reset();
        return 0;
    }
    CXML list("FilesList");
    Type2FilesListFromIDs(m_selection.get(), &list);
    BeginChange();
    Model()->PlanDragDrop(&list);
    if (ChangeRecordCommand* entry = EndChange())
        entry->Redo();
    return 0;
}

void DragMoveCommand::Redo() {
    Relocate(UndoList().get(), MergedDoList().get());
    Reselect();
}

void DragMoveCommand::Undo() {
    Relocate(MergedDoList().get(), UndoList().get());
    Reselect();
}

int DragCopyCommand::Execute() {
    BusyCursor busy(Prompt());
    m_snapshot.reset();
    if (!Model()->GetDroppedNode() || !KeepSelection())
        return 0;
    CXML list("FilesList");
    Type2FilesListFromIDs(m_selection.get(), &list);
    // The entries about to be copied are selected while they still have
    // their own IDs.
    if (IMainWindow* window = Context().window) {
        std::vector<SelectedNode> originals;
        for (int i = 0; i < list.GetChildCount(); ++i)
            for (int j = 0; j < list.GetChildAt(i)->GetChildCount(); ++j)
                originals.push_back({list.GetChildAt(i)->GetChildAt(j)->GetAttr("ID"), false});
        window->SelectNodes(m_tree, originals);
    }
    m_project->UseNewID(&list);
    BeginChange();
    Model()->PlanDragDrop(&list);
    if (ChangeRecordCommand* entry = EndChange())
        entry->Redo();
    return 0;
}

void DragCopyCommand::Redo() {
    AddFilesList2(MergedDoList().get());
    Reselect();
}

void DragCopyCommand::Undo() {
    // The originals stay, so a default topic they name stays too.
    Relocate(MergedDoList().get(), nullptr);
}

} // namespace mb
