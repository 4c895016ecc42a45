#pragma once
// Watches some subjects (a project's trees) for one observer, except while
// a project is read: then the observer stops watching them, so that they
// keep no record of the loading for it, and watches them again once the
// project says it was loaded anew (the trees arrive whole with their own
// NC_RELOADED).

#include "baseutil/Subject.h"

#include <vector>

class SubjectWatch {
public:
    explicit SubjectWatch(CObserver& observer) : m_observer(observer) {}
    ~SubjectWatch() { Watch({}); }
    SubjectWatch(const SubjectWatch&) = delete;
    SubjectWatch& operator=(const SubjectWatch&) = delete;

    // Watches `subjects` instead of those before (none: stops watching);
    // a new set is watched at once, also after an unfinished load.
    void Watch(std::vector<CSubject*> subjects);
    // Follows a notification code of the project: NC_LOAD_STARTING stops
    // watching, NC_RELOADED after it watches again.
    void FollowProject(int code);
    bool Loading() const { return m_loading; }

private:
    void Attach(bool attach);

    CObserver& m_observer;
    std::vector<CSubject*> m_subjects;
    bool m_loading = false;
};
