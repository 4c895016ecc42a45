#include "folderview/FolderEventQueue.h"

#include <algorithm>
#include <unordered_set>

void FolderEventQueue::Append(const std::string& folder) {
    m_pending.push_back(folder);
}

void FolderEventQueue::Merge() {
    std::unordered_set<std::string> seen;
    auto repeated = std::remove_if(m_pending.begin(), m_pending.end(), [&](const std::string& folder) {
        return !seen.insert(folder).second;
    });
    m_pending.erase(repeated, m_pending.end());
}

std::optional<std::string> FolderEventQueue::TakeNext() {
    if (m_pending.empty())
        return std::nullopt;
    std::string next = std::move(m_pending.front());
    m_pending.pop_front();
    return next;
}
