#include "compiledhelp/OutputFile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace mb::chm {

namespace {
std::atomic<unsigned> g_counter{0};
constexpr int kAttempts = 100;
} // namespace

OutputFile::OutputFile(std::string target) : m_target(std::move(target)) {
    // A name of this process that no other writer uses; the usual
    // permissions come from the umask.
    std::string base = m_target + ".mb" + std::to_string(getpid()) + "-";
    for (int attempt = 0; attempt < kAttempts && m_fd < 0; ++attempt) {
        m_tempPath = base + std::to_string(g_counter++);
        m_fd = open(m_tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    if (m_fd < 0) {
        Fail("cannot create a file in the folder of " + m_target);
        m_tempPath.clear();
    }
}

OutputFile::~OutputFile() {
    if (m_fd >= 0)
        close(m_fd);
    if (!m_committed && !m_tempPath.empty())
        unlink(m_tempPath.c_str());
}

void OutputFile::Fail(const std::string& what) {
    if (m_error.empty())
        m_error = what + ": " + std::strerror(errno);
}

bool OutputFile::Write(std::string_view data) {
    if (m_fd < 0)
        return false;
    while (!data.empty()) {
        ssize_t written = write(m_fd, data.data(), data.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            Fail("cannot write " + m_target);
            return false;
        }
        data.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

bool OutputFile::Commit() {
    if (m_fd < 0)
        return false;
    int result = close(m_fd);
    m_fd = -1;
    if (result != 0) {
        Fail("cannot write " + m_target);
        return false;
    }
    if (std::rename(m_tempPath.c_str(), m_target.c_str()) != 0) {
        Fail("cannot replace " + m_target);
        return false;
    }
    m_committed = true;
    return true;
}

} // namespace mb::chm
