#pragma once
// Changes on disk waiting to be shown. The file-system watcher reports a
// folder each time something in it changes; the reports are queued here and
// worked off later, one at a time, so that a burst of changes in one folder
// (a hundred files copied in) costs a single refresh of that folder.

#include <deque>
#include <optional>
#include <string>

class FolderEventQueue {
public:
    // Queues a change inside `folder` (an absolute path).
    void Append(const std::string& folder);
    // Folds every later change of a folder into its first pending change.
    void Merge();
    // The oldest pending change, removed from the queue; none when empty.
    std::optional<std::string> TakeNext();
    size_t Size() const { return m_pending.size(); }

private:
    std::deque<std::string> m_pending;
};
