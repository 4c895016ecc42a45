#pragma once
// How far the walk of --add-folder has come, on one line of standard error
// that is rewritten in place: only when standard error is a terminal, and
// at most a few times a second. It also ends the walk once `stop` is set
// (by Ctrl+C).
#include <atomic>
#include <chrono>
#include <cstddef>

namespace mb::cli {

class FolderWalkLine {
public:
    explicit FolderWalkLine(const std::atomic<bool>& stop);
    // Clears the line when one was shown.
    ~FolderWalkLine();
    FolderWalkLine(const FolderWalkLine&) = delete;
    FolderWalkLine& operator=(const FolderWalkLine&) = delete;

    // The walk's progress (CAppHelper::WalkProgress): false ends the walk.
    bool Seen(size_t folders, size_t files);

private:
    const std::atomic<bool>& m_stop;
    bool m_terminal;
    bool m_shown = false;
    std::chrono::steady_clock::time_point m_next;
};

} // namespace mb::cli
