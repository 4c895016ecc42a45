#include "baseutil/Process.h"

#include "baseutil/SpawnSetup.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace mb {
namespace {

// Owns one file descriptor.
class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd() { Close(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return m_fd; }
    void Close() {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd;
};

std::string StartError(const std::vector<std::string>& argv, int err) {
    std::string program = argv.empty() ? std::string() : argv[0];
    return "cannot start \"" + program + "\": " + std::strerror(err);
}

// Spawns argv with the prepared setup; returns 0 or an errno value.
int Spawn(const std::vector<std::string>& argv, SpawnSetup& setup, pid_t& pid) {
    if (argv.empty() || argv[0].empty())
        return ENOENT;
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    return posix_spawnp(&pid, args[0], &setup.actions, &setup.attr, args.data(), environ);
}

int WaitForExit(pid_t pid, std::string& error) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            error = std::string("cannot wait for the program: ") + std::strerror(errno);
            return -1;
        }
    }
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

} // namespace

RunResult RunAndCapture(const std::vector<std::string>& argv) {
    RunResult result;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        result.error = StartError(argv, errno);
        return result;
    }
    Fd readEnd(fds[0]);
    Fd writeEnd(fds[1]);

    SpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&setup.actions, writeEnd.Get(), STDOUT_FILENO);

    pid_t pid = 0;
    if (int err = Spawn(argv, setup, pid); err != 0) {
        result.error = StartError(argv, err);
        return result;
    }
    result.started = true;
    writeEnd.Close();

    char buffer[4096];
    for (;;) {
        ssize_t n = ::read(readEnd.Get(), buffer, sizeof buffer);
        if (n > 0) {
            result.output.append(buffer, static_cast<size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            break;
        }
    }
    readEnd.Close();
    result.exitStatus = WaitForExit(pid, result.error);
    return result;
}

bool StartDetached(const std::vector<std::string>& argv, std::string* error) {
    SpawnSetup setup;
    posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawnattr_setflags(&setup.attr, POSIX_SPAWN_SETSID);

    pid_t pid = 0;
    if (int err = Spawn(argv, setup, pid); err != 0) {
        if (error)
            *error = StartError(argv, err);
        return false;
    }
    // Reap the child whenever it ends so that it does not linger as a zombie.
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return true;
}

} // namespace mb
