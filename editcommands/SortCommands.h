#pragma once
// Sorting the branch that holds the selected entry, and replacing the whole
// index by a copy of the contents. Both keep the branch before and after the
// change and swap one for the other on Undo and Redo.
#include "editcommands/ChangeRecordCommand.h"

namespace mb {

class SortCommand : public ClonedEntry<SortCommand> {
public:
    // `direction` 0 sorts A to Z, 1 Z to A.
    SortCommand(CCommandManager* manager, CProjectFile* project, Tree tree, int direction)
        : ClonedEntry(manager, project, tree), m_direction(direction) {}
    int Execute() override;
    void Undo() override;
    void Redo() override;

private:
    // Puts record `to` in place of record `from` and asks the view to select
    // the sorted entry again with its expanded state.
    void Swap(int from, int to) const;
    int m_direction;
    std::string m_nodeId;
    int m_expanded = 0;
};

class ReplaceIndexCommand : public ClonedEntry<ReplaceIndexCommand> {
public:
    ReplaceIndexCommand(CCommandManager* manager, CProjectFile* project)
        : ClonedEntry(manager, project, Tree::Index) {}
    int Execute() override;
    void Undo() override;
    void Redo() override;
};

} // namespace mb
