#pragma once
// Records the notifications of the project model's subjects as "name:code"
// entries, in the order they arrive.

#include "baseutil/Subject.h"

#include <map>
#include <string>
#include <vector>

namespace mb::testing {

class NotificationLog : public CObserver {
public:
    void Watch(CSubject& subject, const std::string& name) {
        subject.Attach(this);
        m_names[&subject] = name;
        m_watched.push_back(&subject);
    }
    ~NotificationLog() override {
        for (CSubject* subject : m_watched)
            subject->Detach(this);
    }
    int Update(CSubject* subject, const NotifyInfo& notice) override {
        const NotifyInfo* info = &notice;
        entries.push_back(m_names[subject] + ":" + std::to_string(info->code));
        nodes.push_back(info->node);
        return 1;
    }
    // The entries whose code is one of `codes`, in order.
    std::vector<std::string> Only(const std::vector<int>& codes) const {
        std::vector<std::string> kept;
        for (const std::string& entry : entries) {
            int code = std::stoi(entry.substr(entry.find(':') + 1));
            for (int wanted : codes) {
                if (code == wanted)
                    kept.push_back(entry);
            }
        }
        return kept;
    }
    int Count(const std::string& entry) const {
        int count = 0;
        for (const std::string& e : entries)
            count += e == entry ? 1 : 0;
        return count;
    }
    void Clear() {
        entries.clear();
        nodes.clear();
    }

    std::vector<std::string> entries;
    // The nodes carried, for comparing identities only: a record made for
    // the notification is gone once it was delivered.
    std::vector<CXML*> nodes;

private:
    std::map<CSubject*, std::string> m_names;
    std::vector<CSubject*> m_watched;
};

} // namespace mb::testing
