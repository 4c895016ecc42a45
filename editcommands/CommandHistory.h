#pragma once
// The undo history of one tree: an ordered list of commands, oldest first,
// and the position of the entry that Undo would reverse (-1 for none).
// Appending drops every entry after the position (what had been undone).
// The history also remembers a clean position, where it stood when the
// project was last saved.
#include "baseutil/Command.h"

#include <memory>
#include <vector>

namespace mb {

class CommandHistory {
public:
    // Takes ownership.
    void Append(CCommand* command);
    void Undo();
    void Redo();
    // 1 when there is something to undo / redo, else 0; both pull a
    // position that has run off the list back to its edge.
    int GetUndoState();
    int GetRedoState();
    void Clear();

    int Size() const { return static_cast<int>(m_entries.size()); }
    int Position() const { return m_position; }

    // The tree is as saved now: the position becomes the clean one.
    void MarkClean() { m_clean = m_position; }
    // Whether the position is the clean one. Once the entry there has been
    // dropped, no position is.
    bool IsClean() const { return m_position == m_clean; }

private:
    // A clean position no undo or redo reaches.
    static constexpr int kUnreachable = -2;

    std::vector<std::unique_ptr<CCommand>> m_entries;
    int m_position = -1;
    int m_clean = -1;
};

} // namespace mb
