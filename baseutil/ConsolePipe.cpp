#include "baseutil/ConsolePipe.h"

#include "baseutil/SpawnSetup.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>

extern char** environ;

// What the listener and Break both need to know about the child. Every
// member is guarded by `mutex`; the child is reaped under it, so a process
// id that is not yet reaped is never one the system has reused.
struct CConsolePipe::ChildState {
    std::mutex mutex;
    std::condition_variable ended;
    pid_t pid = -1;
    bool reaped = false;
    bool breakRequested = false;
};

namespace {

// The object whose listener runs on this thread, if any.
thread_local const CConsolePipe* t_listening = nullptr;

void CloseFd(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

// Starts /bin/sh -c command in a process group of its own, with the pipe
// ends as its standard handles and no other descriptor of ours.
int SpawnShell(const char* command, int input, int output, pid_t& pid) {
    mb::SpawnSetup setup;
    posix_spawn_file_actions_adddup2(&setup.actions, input, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&setup.actions, output, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&setup.actions, output, STDERR_FILENO);
    posix_spawn_file_actions_addclosefrom_np(&setup.actions, STDERR_FILENO + 1);

    sigset_t none;
    sigemptyset(&none);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigmask(&setup.attr, &none);
    posix_spawnattr_setsigdefault(&setup.attr, &defaults);
    posix_spawnattr_setpgroup(&setup.attr, 0);
    posix_spawnattr_setflags(&setup.attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK |
                                              POSIX_SPAWN_SETSIGDEF);

    char shell[] = "/bin/sh";
    char option[] = "-c";
    char* argv[] = {shell, option, const_cast<char*>(command), nullptr};
    return posix_spawn(&pid, shell, &setup.actions, &setup.attr, argv, environ);
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace

CConsolePipe::CConsolePipe(int interpreter, void* ownerWindow, std::uint32_t value)
    : m_interpreter(interpreter), m_ownerWindow(ownerWindow), m_value(value),
      m_state(std::make_shared<ChildState>()) {}

CConsolePipe::~CConsolePipe() {
    CloseAll();
}

void CConsolePipe::CloseInput() {
    std::lock_guard<std::mutex> lock(m_inputMutex);
    CloseFd(m_inputFd);
}

void CConsolePipe::CloseAll() {
    CloseInput();
    CloseFd(m_outputFd);
    CloseFd(m_wakeFds[0]);
    CloseFd(m_wakeFds[1]);
}

int CConsolePipe::Execute(const char* command) {
    if (!command || !*command)
        return 1;
    if (m_started.exchange(true))
        return 2;

    int input[2] = {-1, -1};
    int output[2] = {-1, -1};
    if (::pipe2(input, O_CLOEXEC) != 0 || ::pipe2(output, O_CLOEXEC) != 0 ||
        ::pipe2(m_wakeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        for (int* fd : {&input[0], &input[1], &output[0], &output[1]})
            CloseFd(*fd);
        CloseAll();
        m_started = false;
        return 2;
    }
    m_inputFd = input[1];
    m_outputFd = output[0];

    pid_t pid = -1;
    int error = SpawnShell(command, input[0], output[1], pid);
    CloseFd(input[0]);
    CloseFd(output[1]);
    if (error != 0) {
        CloseAll();
        m_started = false;
        return 1;
    }
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        m_state->pid = pid;
        m_state->reaped = false;
        m_state->breakRequested = false;
    }

    try {
        std::thread(&CConsolePipe::Listen, this).detach();
    } catch (const std::system_error&) {
        ::kill(-pid, SIGKILL);
        CloseAll();
        while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
        }
        std::lock_guard<std::mutex> lock(m_state->mutex);
        m_state->pid = -1;
        m_started = false;
        return 2;
    }
    return 0;
}

void CConsolePipe::Listen() {
    t_listening = this;
    char buffer[256];
    pollfd fds[2] = {{m_outputFd, POLLIN, 0}, {m_wakeFds[0], POLLIN, 0}};
    for (;;) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[1].revents != 0)
            break;
        if (fds[0].revents == 0)
            continue;
        ssize_t n = ::read(m_outputFd, buffer, sizeof buffer - 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        buffer[n] = '\0';
        OnReceivedOutput(buffer);
    }
    // A child still waiting for input sees its end, so that it can finish.
    CloseInput();
    CloseFd(m_outputFd);

    // Wait for the end without reaping, then reap under the lock.
    std::shared_ptr<ChildState> state = m_state;
    siginfo_t info;
    while (::waitid(P_PID, static_cast<id_t>(state->pid), &info, WEXITED | WNOWAIT) < 0 &&
           errno == EINTR) {
    }
    int status = -1;
    {
        std::lock_guard<std::mutex> lock(state->mutex);
        int raw = 0;
        if (::waitpid(state->pid, &raw, 0) == state->pid) {
            if (WIFEXITED(raw))
                status = WEXITSTATUS(raw);
            else if (WIFSIGNALED(raw))
                status = state->breakRequested && WTERMSIG(raw) == SIGKILL ? kBrokenExitCode
                                                                           : 128 + WTERMSIG(raw);
        }
        state->reaped = true;
    }
    state->ended.notify_all();

    OnChildExited(status);
    OnReceivedOutput(nullptr);
    t_listening = nullptr;
    delete this;
}

bool CConsolePipe::SendChildInput(const char* text) {
    if (!text)
        return false;
    std::lock_guard<std::mutex> lock(m_inputMutex);
    if (m_inputFd < 0)
        return false;

    // A child that no longer reads its input would raise SIGPIPE in this
    // process; the signal is held back on this thread and a pending one of
    // ours dropped, so that the write just fails.
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    sigset_t previousMask;
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previousMask);
    sigset_t pending;
    sigpending(&pending);
    bool alreadyPending = sigismember(&pending, SIGPIPE) == 1;

    bool written = WriteAll(m_inputFd, text, std::strlen(text));
    if (!written && errno == EPIPE && !alreadyPending) {
        timespec noWait{};
        sigtimedwait(&pipeSignal, nullptr, &noWait);
    }
    pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
    return written;
}

bool CConsolePipe::IsChildRunning() const {
    std::lock_guard<std::mutex> lock(m_state->mutex);
    if (m_state->reaped || m_state->pid <= 0)
        return false;
    siginfo_t info;
    info.si_pid = 0;
    if (::waitid(P_PID, static_cast<id_t>(m_state->pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0)
        return false;
    return info.si_pid == 0;
}

void CConsolePipe::Break() {
    if (!m_started) {
        delete this;
        return;
    }
    const bool onListener = t_listening == this;
    std::shared_ptr<ChildState> state = m_state;
    // The object is touched under the lock only: the listener must take it
    // to reap the child before it can delete the object.
    std::unique_lock<std::mutex> lock(state->mutex);
    state->breakRequested = true;
    if (!state->reaped)
        ::kill(-state->pid, SIGKILL);
    // The output may stay open when something outside the group holds it.
    char byte = 1;
    [[maybe_unused]] ssize_t ignored = ::write(m_wakeFds[1], &byte, 1);
    if (onListener)
        return;
    state->ended.wait_for(lock, std::chrono::milliseconds(300), [&] { return state->reaped; });
}

void CConsolePipe::OnReceivedOutput(const char*) {}

void CConsolePipe::OnChildExited(int) {}

bool CConsolePipe::IsConsoleAttached() {
    return ::fcntl(STDERR_FILENO, F_GETFD) != -1;
}
