#pragma once
// Keeps Ctrl+C (SIGINT), SIGTERM and SIGHUP from ending the program in the
// middle of work that must clean up after itself: while the object lives,
// such a signal calls `onSignal` on a thread of the object's own (never in
// the signal handler), once. Afterwards the program ends itself by the same
// signal with EndBySignal, so that its caller sees how it ended.
//
// The object is made and destroyed on the main thread; Signal() is read
// there once the work is over.

#include <atomic>
#include <csignal>
#include <functional>
#include <thread>

namespace mb {

class InterruptWatch {
public:
    explicit InterruptWatch(std::function<void()> onSignal);
    // Puts the signals' earlier handling back.
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

    // The signal that came, or 0.
    int Signal() const { return m_signal; }

private:
    void Watch();

    std::function<void()> m_onSignal;
    int m_pipe[2] = {-1, -1};
    struct sigaction m_previous[3] = {};
    std::atomic<int> m_signal{0};
    std::thread m_watcher;
};

// Ends the process by `signal`, handled as by default, after flushing the
// standard streams.
[[noreturn]] void EndBySignal(int signal);

} // namespace mb
