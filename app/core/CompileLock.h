#pragma once
// The lock that keeps two compiles of one project apart, also across
// processes: an exclusive advisory lock (flock) on a lock file in the
// project folder, held for the whole compile and removed when it ends.

#include <string>

namespace mb {

class CompileLock {
public:
    // Tries once to take the lock of `path`, creating the file.
    explicit CompileLock(std::string path);
    // Removes the lock file and lets the lock go.
    ~CompileLock();
    CompileLock(const CompileLock&) = delete;
    CompileLock& operator=(const CompileLock&) = delete;

    bool IsHeld() const { return m_fd >= 0; }
    // Why the lock could not be had: another holder (empty) or the error.
    const std::string& Error() const { return m_error; }

private:
    std::string m_path;
    int m_fd = -1;
    std::string m_error;
};

} // namespace mb
