#pragma once
// An event that stays signalled once set, until it is reset: threads that
// wait on it while it is set return at once.

#include <condition_variable>
#include <mutex>

namespace mb {

class ManualResetEvent {
public:
    explicit ManualResetEvent(bool set = false) : m_set(set) {}

    void Set() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_set = true;
        m_changed.notify_all();
    }
    void Reset() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_set = false;
    }
    bool IsSet() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_set;
    }
    void Wait() const {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return m_set; });
    }

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    bool m_set;
};

} // namespace mb
