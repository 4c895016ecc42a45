#pragma once
// Helper threads for the work of one call, and the relay that hands what
// they must not do themselves back to the thread that made the call: log
// lines (the caller's thread collects the problem lines of its operation),
// the run environment's flags, and questions to the user. While its helpers
// work, the calling thread does these tasks as they arrive, in the order
// they were handed on.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

class CCallerRelay {
public:
    // Runs `task` on the calling thread of the helpers of the current
    // thread, after the tasks handed on before it; at once on any thread
    // that is no such helper.
    static void Post(std::function<void()> task);
    // The same, and waits until the task has run.
    static void Call(const std::function<void()>& task);

    // Runs work(0) .. work(count - 1), each on a thread of its own, and does
    // the tasks they hand on until all have finished. An exception that
    // ends a piece of work is thrown again here once all have finished.
    void RunHelpers(size_t count, const std::function<void(size_t)>& work);

private:
    void Queue(std::function<void()> task);

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::function<void()>> m_tasks;
    size_t m_running = 0;
};
