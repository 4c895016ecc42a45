#include "compiledhelp/CallerRelay.h"

#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace {
// The relay of the helper running on this thread (null elsewhere).
thread_local CCallerRelay* t_relay = nullptr;
} // namespace

void CCallerRelay::Post(std::function<void()> task) {
    if (t_relay)
        t_relay->Queue(std::move(task));
    else
        task();
}

void CCallerRelay::Call(const std::function<void()>& task) {
    if (!t_relay) {
        task();
        return;
    }
    std::mutex mutex;
    std::condition_variable done;
    bool ran = false;
    std::exception_ptr failure;
    t_relay->Queue([&] {
        try {
            task();
        } catch (...) {
            failure = std::current_exception();
        }
        // Notified under the lock: the waiting thread cannot leave (and
        // destroy these) before the notification is complete.
        std::lock_guard lock(mutex);
        ran = true;
        done.notify_one();
    });
    std::unique_lock lock(mutex);
    done.wait(lock, [&] { return ran; });
    if (failure)
        std::rethrow_exception(failure);
}

void CCallerRelay::Queue(std::function<void()> task) {
    std::lock_guard lock(m_mutex);
    m_tasks.push_back(std::move(task));
    m_changed.notify_one();
}

void CCallerRelay::RunHelpers(size_t count, const std::function<void(size_t)>& work) {
    std::vector<std::exception_ptr> failures(count);
    std::exception_ptr callerFailure;
    std::vector<std::thread> helpers;
    helpers.reserve(count);
    {
        std::lock_guard lock(m_mutex);
        m_running = count;
    }
    size_t started = 0;
    try {
        for (; started < count; ++started) {
            helpers.emplace_back([this, started, &work, &failures] {
                t_relay = this;
                try {
                    work(started);
                } catch (...) {
                    failures[started] = std::current_exception();
                }
                t_relay = nullptr;
                std::lock_guard lock(m_mutex);
                --m_running;
                m_changed.notify_one();
            });
        }
    } catch (const std::system_error&) {
        // No more threads to be had: the calling thread does the rest
        // itself once the others are done.
        std::lock_guard lock(m_mutex);
        m_running -= count - started;
    }
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return !m_tasks.empty() || m_running == 0; });
        if (m_tasks.empty())
            break;
        std::function<void()> task = std::move(m_tasks.front());
        m_tasks.pop_front();
        lock.unlock();
        try {
            task();
        } catch (...) {
            if (!callerFailure)
                callerFailure = std::current_exception();
        }
        lock.lock();
    }
    lock.unlock();
    for (std::thread& helper : helpers)
        helper.join();
    if (callerFailure)
        std::rethrow_exception(callerFailure);
    for (size_t i = started; i < count; ++i)
        work(i);
    for (const std::exception_ptr& failure : failures) {
        if (failure)
            std::rethrow_exception(failure);
    }
}
