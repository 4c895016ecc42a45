#include "app/core/InterruptWatch.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace mb {
namespace {

constexpr int kSignals[3] = {SIGINT, SIGTERM, SIGHUP};

// The write end of the watch's pipe; the handler only writes the signal's
// number into it.
volatile sig_atomic_t g_signalPipe = -1;

void OnSignal(int signal) {
    int saved = errno;
    unsigned char byte = static_cast<unsigned char>(signal);
    if (g_signalPipe >= 0) [[maybe_unused]]
        ssize_t ignored = ::write(g_signalPipe, &byte, 1);
    errno = saved;
}

} // namespace

InterruptWatch::InterruptWatch(std::function<void()> onSignal) : m_onSignal(std::move(onSignal)) {
    if (::pipe2(m_pipe, O_CLOEXEC) != 0)
        return;
    g_signalPipe = m_pipe[1];
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 3; ++i)
        ::sigaction(kSignals[i], &action, &m_previous[i]);
    m_watcher = std::thread(&InterruptWatch::Watch, this);
}

InterruptWatch::~InterruptWatch() {
    if (m_pipe[0] < 0)
        return;
    for (int i = 0; i < 3; ++i)
        ::sigaction(kSignals[i], &m_previous[i], nullptr);
    g_signalPipe = -1;
    unsigned char stop = 0;
    [[maybe_unused]] ssize_t ignored = ::write(m_pipe[1], &stop, 1);
    m_watcher.join();
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void InterruptWatch::Watch() {
    for (;;) {
        unsigned char byte = 0;
        ssize_t n = ::read(m_pipe[0], &byte, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || byte == 0)
            return;
        if (m_signal == 0) {
            m_signal = byte;
            m_onSignal();
        }
    }
}

void EndBySignal(int signal) {
    std::fflush(nullptr);
    ::signal(signal, SIG_DFL);
    ::raise(signal);
    ::_exit(128 + signal);
}

} // namespace mb
