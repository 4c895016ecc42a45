#include "editcommands/CommandHistory.h"

namespace mb {

void CommandHistory::Append(CCommand* command) {
    std::unique_ptr<CCommand> owned(command);
    if (!owned)
        return;
    if (m_position + 1 < Size())
        m_entries.erase(m_entries.begin() + (m_position + 1), m_entries.end());
    if (m_clean > m_position)
        m_clean = kUnreachable;
    m_entries.push_back(std::move(owned));
    m_position = Size() - 1;
}

void CommandHistory::Undo() {
    if (m_position < 0 || m_position >= Size())
        return;
    // The position moves first: an entry whose Undo re-enters the manager
    // then sees the history as it will be.
    CCommand* entry = m_entries[m_position].get();
    --m_position;
    entry->Undo();
}

void CommandHistory::Redo() {
    if (m_position + 1 >= Size())
        return;
    ++m_position;
    m_entries[m_position]->Redo();
}

int CommandHistory::GetUndoState() {
    if (m_entries.empty())
        return 0;
    if (m_position < 0) {
        m_position = -1;
        return 0;
    }
    return 1;
}

int CommandHistory::GetRedoState() {
    if (m_entries.empty())
        return 0;
    if (m_position >= Size() - 1) {
        m_position = Size() - 1;
        return 0;
    }
    return 1;
}

void CommandHistory::Clear() {
    // The tree stays as it is: clean if it was.
    m_clean = IsClean() ? -1 : kUnreachable;
    m_entries.clear();
    m_position = -1;
}

} // namespace mb
