#pragma once
// Commands that move entries within their tree: up, down, left and right
// by one place, and dragging (moving or copying) onto another entry. The
// tree operations only plan the change; Redo carries it out and Undo
// reverses it, both selecting the moved entries again.
#include "editcommands/ChangeRecordCommand.h"

#include "projectmodel/SitemapFile.h"

namespace mb {

class MoveCommand : public ClonedEntry<MoveCommand> {
public:
    MoveCommand(CCommandManager* manager, CProjectFile* project, Tree tree,
                CSitemapFile::Move direction)
        : ClonedEntry(manager, project, tree), m_direction(direction) {}
    int Execute() override;
    void Undo() override;
    void Redo() override;

private:
    CSitemapFile::Move m_direction;
};

// Moves the dragged entries onto the entry they were dropped on.
class DragMoveCommand : public ClonedEntry<DragMoveCommand> {
public:
    DragMoveCommand(CCommandManager* manager, CProjectFile* project, Tree tree)
        : ClonedEntry(manager, project, tree) {}
    int Execute() override;
    void Undo() override;
    void Redo() override;
};

// Copies the dragged entries, with new IDs, onto the entry they were
// dropped on; Undo removes only the copies.
class DragCopyCommand : public ClonedEntry<DragCopyCommand> {
public:
    DragCopyCommand(CCommandManager* manager, CProjectFile* project, Tree tree)
        : ClonedEntry(manager, project, tree) {}
    int Execute() override;
    void Undo() override;
    void Redo() override;
};

} // namespace mb
