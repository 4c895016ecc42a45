#pragma once
// The one entry through which the program changes the contents and the
// index: a caller names a command by id (see CommandIds.h) with an optional
// parameter record; the command object kept for that id carries the change
// out through the project and appends an entry that can reverse and repeat
// it to the history of the tree it changed. The contents and the index have
// histories of their own.
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
    CCommandManager();
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

    // Makes (and deletes) the one command object of every id.
    void CreateCommandObject();
    void DeleteCommandObject();

    // Runs command `id` with the parameter record `parameters` (may be null;
    // stays the caller's). Returns the result of command 10 and 0 for every
    // other id; unknown ids do nothing.
    int DoCommand(int id, CXML* parameters);

    // Appends an entry; the history takes ownership.
    void AddCommandToHistoryList_ContentTree(CCommand* command) { m_contents.Append(command); }
    void AddCommandToHistoryList_IndexTree(CCommand* command) { m_index.Append(command); }
    void Undo_ContentTree() { m_contents.Undo(); }
    void Undo_IndexTree() { m_index.Undo(); }
    void Redo_ContentTree() { m_contents.Redo(); }
    void Redo_IndexTree() { m_index.Redo(); }
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
    CProjectFile* m_project = nullptr;
    CAppHelper* m_appHelper = nullptr;
    mb::CommandHistory m_contents;
    mb::CommandHistory m_index;
    std::array<std::unique_ptr<mb::EditCommand>, kLastCommandId + 1> m_prototypes;
};
