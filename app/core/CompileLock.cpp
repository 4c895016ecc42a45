#include "app/core/CompileLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mb {

CompileLock::CompileLock(std::string path) : m_path(std::move(path)) {
    // A holder removes the file before it lets the lock go, so a lock taken
    // on a file that is no longer the one at the path is worth nothing:
    // try again on the new one.
    for (;;) {
        int fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd < 0) {
            m_error = std::strerror(errno);
            return;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK)
                m_error = std::strerror(errno);
            ::close(fd);
            return;
        }
        struct stat held;
        struct stat named;
        if (::fstat(fd, &held) == 0 && ::stat(m_path.c_str(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
            m_fd = fd;
            return;
        }
        ::close(fd);
    }
}

CompileLock::~CompileLock() {
    if (m_fd < 0)
        return;
    ::unlink(m_path.c_str());
    ::close(m_fd);
}

} // namespace mb
