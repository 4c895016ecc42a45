#include "app/cli/FolderWalkLine.h"

#include <cstdio>
#include <unistd.h>

namespace mb::cli {
namespace {

constexpr std::chrono::milliseconds kInterval{200};

} // namespace

FolderWalkLine::FolderWalkLine(const std::atomic<bool>& stop)
    : m_stop(stop), m_terminal(isatty(STDERR_FILENO) != 0),
      m_next(std::chrono::steady_clock::now() + kInterval) {}

FolderWalkLine::~FolderWalkLine() {
    if (m_shown)
        std::fprintf(stderr, "\r\033[K");
}

bool FolderWalkLine::Seen(size_t folders, size_t files) {
    if (m_terminal) {
        auto now = std::chrono::steady_clock::now();
        if (now >= m_next) {
            std::fprintf(stderr, "\r\033[Klooking through folders: %zu folders, %zu files", folders,
                         files);
            std::fflush(stderr);
            m_shown = true;
            m_next = now + kInterval;
        }
    }
    return !m_stop;
}

} // namespace mb::cli
