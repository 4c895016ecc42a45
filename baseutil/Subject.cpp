#include "baseutil/Subject.h"

#include <algorithm>

void CSubject::Attach(CObserver* observer) {
    if (observer)
        m_observers.push_back(observer);
}

void CSubject::Detach(CObserver* observer) {
    if (!observer)
        return;
    auto it = std::find(m_observers.begin(), m_observers.end(), observer);
    if (it == m_observers.end())
        return;
    // While notifying, positions must stay stable: leave a hole that the
    // outermost Notify removes when it is done.
    if (m_notifying > 0)
        *it = nullptr;
    else
        m_observers.erase(it);
}

void CSubject::Notify(const NotifyInfo& info) {
    ++m_notifying;
    for (size_t i = 0; i < m_observers.size(); ++i) {
        if (CObserver* observer = m_observers[i])
            observer->Update(this, info);
    }
    if (--m_notifying == 0)
        std::erase(m_observers, nullptr);
}

void CSubject::Notify(int code, CXML* node, const LOGFONTA* font) {
    Notify(NotifyInfo{code, node, font});
}
