#pragma once
// Commands that delete entries of the contents or the index, the selected
// ones or all, after the user confirms. Undo puts every removed run back at
// the place recorded for it, with the same IDs; Redo removes them again.
#include "editcommands/ChangeRecordCommand.h"

namespace mb {

class RemoveCommand : public ClonedEntry<RemoveCommand> {
public:
    RemoveCommand(CCommandManager* manager, CProjectFile* project, Tree tree, bool all)
        : ClonedEntry(manager, project, tree), m_all(all) {}
    int Execute() override;
    void Undo() override;
    void Redo() override;

private:
    // The selected entries as a type-2 files list; false when none.
    bool SelectedEntries(CXML* list) const;
    bool m_all;
};

} // namespace mb
