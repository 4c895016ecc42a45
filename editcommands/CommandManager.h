#pragma once
// The one entry through which the program changes the contents and the
// index: a caller names a command by id (see CommandIds.h) with an optional
// parameter record; the command object kept for that id carries the change
// out through the project and appends an entry that can reverse and repeat
// it to the history of the tree it changed. The contents and the index have
// histories of their own. The project's modified flag follows the
// histories: undoing back to where they stood at the last save clears it,
// unless a change no undo takes back was made since.
#include "editcommands/CommandContext.h"
#include "editcommands/CommandHistory.h"

#include <array>
#include <memory>

class CAppHelper;
class CCommand;
class CProjectFile;
class CXML;
namespace mb {
class EditCommand;
}

class CCommandManager {
public:
    // The commands reach the window and the dialogs through `context` (not
    // owned; it outlives the manager).
    explicit CCommandManager(mb::CommandContext& context);
    ~CCommandManager();
    CCommandManager(const CCommandManager&) = delete;
    CCommandManager& operator=(const CCommandManager&) = delete;

    // The project every command works on (not owned); set before
    // CreateCommandObject.
    void SetProjectFile(CProjectFile* project) { m_project = project; }
    CProjectFile* GetProjectFile() const { return m_project; }
    // The source of file lists and drag data (not owned).
    void SetAppHelper(CAppHelper* helper) { m_appHelper = helper; }
    CAppHelper* GetAppHelper() const { return m_appHelper; }
    mb::CommandContext& Context() const { return m_context; }

    // Makes (and deletes) the one command object of every id.
    void CreateCommandObject();
    void DeleteCommandObject();

    // Runs command `id` with the parameter record `parameters` (may be null;
    // stays the caller's). Returns the result of command 10 and 0 for every
    // other id; unknown ids do nothing.
    int DoCommand(int id, CXML* parameters);

    // Appends an entry; the history takes ownership.
    void AddCommandToHistoryList_ContentTree(CCommand* command) { Append(m_contents, command); }
    void AddCommandToHistoryList_IndexTree(CCommand* command) { Append(m_index, command); }
    void Undo_ContentTree();
    void Undo_IndexTree();
    void Redo_ContentTree();
    void Redo_IndexTree();
    int GetUndoState_ContentTree() { return m_contents.GetUndoState(); }
    int GetUndoState_IndexTree() { return m_index.GetUndoState(); }
    int GetRedoState_ContentTree() { return m_contents.GetRedoState(); }
    int GetRedoState_IndexTree() { return m_index.GetRedoState(); }
    void ClearCommandHistoryList_ContentTree() { m_contents.Clear(); }
    void ClearCommandHistoryList_IndexTree() { m_index.Clear(); }

    // The histories, for inspection.
    const mb::CommandHistory& ContentHistory() const { return m_contents; }
    const mb::CommandHistory& IndexHistory() const { return m_index; }

    // Command ids run from 0 to this value; 53 to 55 are unused.
    static constexpr int kLastCommandId = 56;

private:
    void Append(mb::CommandHistory& history, CCommand* command);
    // Runs `change` (a command, an undo or a redo) as one undoable edit of
    // the project, then lets the modified flag follow the histories.
    // `recorded`: the change moves through a history whatever it does.
    template <typename Change> void AsUndoableEdit(bool recorded, Change change);

    mb::CommandContext& m_context;
    CProjectFile* m_project = nullptr;
    CAppHelper* m_appHelper = nullptr;
    mb::CommandHistory m_contents;
    mb::CommandHistory m_index;
    std::array<std::unique_ptr<mb::EditCommand>, kLastCommandId + 1> m_prototypes;
    // Entries appended so far, to see whether a command entered a history.
    unsigned m_appended = 0;
    // The project's save count when the clean positions were last set.
    unsigned m_saveCountSeen = 0;
};
