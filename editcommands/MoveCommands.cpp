#include "editcommands/MoveCommands.h"

#include "baseutil/MainWindow.h"
#include "baseutil/Prompt.h"
#include "baseutil/Xml.h"
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
    BusyCursor busy;
    m_snapshot.reset();
    m_selection.reset();
    auto selected = AskSelection(m_selectionMessage);
    NormalizeSelection(selected.get(), *m_project, m_tree);
    if (selected->GetChildCount() == 0)
        return 0;
    m_selection = std::move(selected);
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
    BusyCursor busy;
    m_snapshot.reset();
    m_selection.reset();
    auto selected = AskSelection(IsContents() ? REQ_CONTENT_DRAGGED : REQ_INDEX_DRAGGED);
    NormalizeSelection(selected.get(), *m_project, m_tree);
    const CXML* target = Model()->GetDroppedNode();
    // Dropping entries on themselves or inside themselves would take the
    // target out of the tree together with them.
    if (selected->GetChildCount() == 0 || !target ||
        WithinSelection(target, selected.get(), *Model()))
        return 0;
    m_selection = std::move(selected);
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
    BusyCursor busy;
    m_snapshot.reset();
    m_selection.reset();
    auto selected = AskSelection(IsContents() ? REQ_CONTENT_DRAGGED : REQ_INDEX_DRAGGED);
    NormalizeSelection(selected.get(), *m_project, m_tree);
    if (selected->GetChildCount() == 0 || !Model()->GetDroppedNode())
        return 0;
    m_selection = std::move(selected);
    CXML list("FilesList");
    Type2FilesListFromIDs(m_selection.get(), &list);
    SendToMainWindow(IsContents() ? REQ_CONTENT_BEFORE_COPY : REQ_INDEX_BEFORE_COPY, 0, &list);
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
