#include "baseutil/SubjectWatch.h"

void SubjectWatch::Watch(std::vector<CSubject*> subjects) {
    if (!m_loading)
        Attach(false);
    m_subjects = std::move(subjects);
    m_loading = false;
    Attach(true);
}

void SubjectWatch::FollowProject(int code) {
    if (code == NC_LOAD_STARTING && !m_loading) {
        m_loading = true;
        Attach(false);
    } else if (code == NC_RELOADED && m_loading) {
        m_loading = false;
        Attach(true);
    }
}

void SubjectWatch::Attach(bool attach) {
    for (CSubject* subject : m_subjects) {
        if (attach)
            subject->Attach(&m_observer);
        else
            subject->Detach(&m_observer);
    }
}
