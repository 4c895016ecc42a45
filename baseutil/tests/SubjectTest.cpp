#include "baseutil/Subject.h"
#include "baseutil/SubjectWatch.h"
#include "baseutil/Xml.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Recorder : public CObserver {
public:
    Recorder(std::string name, std::string& log) : m_name(std::move(name)), m_log(log) {}
    int Update(CSubject* subject, const NotifyInfo& info) override {
        m_log += m_name + std::to_string(info.code) + " ";
        if (onUpdate)
            onUpdate(subject);
        return 1;
    }
    std::function<void(CSubject*)> onUpdate;

private:
    std::string m_name;
    std::string& m_log;
};

TEST(Subject, NotifiesInAttachOrderAndTwiceWhenAttachedTwice) {
    std::string log;
    Recorder a("a", log), b("b", log);
    CSubject subject;
    subject.Attach(&a);
    subject.Attach(&b);
    subject.Attach(&a);
    subject.Notify(NC_CONTENT_SELECTED);
    EXPECT_EQ(log, "a11 b11 a11 ");
    subject.Detach(&a); // first occurrence only
    log.clear();
    subject.Notify(NC_RELOADED);
    EXPECT_EQ(log, "b2 a2 ");
}

TEST(Subject, ObserverDetachingItselfDoesNotStopTheOthers) {
    std::string log;
    Recorder a("a", log), b("b", log), c("c", log);
    CSubject subject;
    a.onUpdate = [&](CSubject* s) { s->Detach(&a); };
    subject.Attach(&a);
    subject.Attach(&b);
    subject.Attach(&c);
    subject.Notify(NC_LOAD_STARTING);
    EXPECT_EQ(log, "a4 b4 c4 ");
    EXPECT_EQ(subject.GetObserverCount(), 2);
    log.clear();
    subject.Notify(NC_LOAD_FINISHED);
    EXPECT_EQ(log, "b5 c5 ");
}

TEST(Subject, ObserverDetachingTheNextOneSkipsItSafely) {
    std::string log;
    Recorder a("a", log), b("b", log), c("c", log);
    CSubject subject;
    a.onUpdate = [&](CSubject* s) { s->Detach(&b); };
    subject.Attach(&a);
    subject.Attach(&b);
    subject.Attach(&c);
    subject.Notify(NC_MODIFIED_CHANGED);
    EXPECT_EQ(log, "a0 c0 ");
}

TEST(Subject, RecordCarriesTheNode) {
    struct Capture : CObserver {
        NotifyInfo seen;
        int Update(CSubject*, const NotifyInfo& info) override {
            seen = info;
            return 1;
        }
    } observer;
    CSubject subject;
    subject.Attach(&observer);
    CXML node("run");
    subject.Notify(NC_CONTENT_ADDED, &node);
    EXPECT_EQ(observer.seen.code, 16);
    EXPECT_EQ(observer.seen.node, &node);
}

TEST(SubjectWatch, TheTreesAreNotWatchedWhileAProjectLoadsAndOnceAfterwards) {
    std::string log;
    Recorder view("v", log);
    CSubject contents, index;
    {
        SubjectWatch watch(view);
        watch.Watch({&contents, &index});
        watch.FollowProject(NC_RELOADED); // no load began: still watched once
        contents.Notify(NC_CONTENT_SELECTED);
        watch.FollowProject(NC_LOAD_STARTING);
        watch.FollowProject(NC_LOAD_STARTING);
        contents.Notify(NC_CONTENT_ADDED);
        index.Notify(NC_INDEX_ADDED);
        watch.FollowProject(NC_RELOADED);
        watch.FollowProject(NC_RELOADED);
        index.Notify(NC_INDEX_SELECTED);
    }
    contents.Notify(NC_RELOADED); // the watch is gone
    EXPECT_EQ(log, "v11 v22 ");
    EXPECT_EQ(contents.GetObserverCount() + index.GetObserverCount(), 0);
}

} // namespace
