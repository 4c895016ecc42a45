// Inserting and removing entries of the contents and the index: places,
// records, notifications, the index type rules and the ID lookup.

#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/tests/NotificationLog.h"
#include "projectmodel/tests/TreeTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

using namespace mb::testing;

namespace {

// Calls a function on every notification.
class Spy : public CObserver {
public:
    explicit Spy(std::function<void(const NotifyInfo&)> onNotify) : m_onNotify(onNotify) {}
    int Update(CSubject*, const NotifyInfo& info) override {
        m_onNotify(info);
        return 1;
    }

private:
    std::function<void(const NotifyInfo&)> m_onNotify;
};

class ContentsEditing : public ::testing::Test {
protected:
    void SetUp() override {
        // A, B(B1, B2), C
        auto list = FilesList(
            {ListRun("ROOT", 2, {Entry("A"), Entry("B", {Entry("B1"), Entry("B2")}), Entry("C")})});
        hhc.AddFilesList2(list.get());
        project.ResetModifiedInfo();
        project.SetModified(0);
    }
    void Insert(const std::string& relative, int mode,
                std::initializer_list<const char*> ids = {"X", "Y", "Z"}) {
        auto list = FilesList({new CXML("List")});
        CXML* run = list->GetChildAt(0);
        run->SetAttr("RelativeNodeID", relative);
        run->SetAttr("InsertMode", mode);
        for (const char* id : ids)
            run->AddChild(Entry(id));
        project.Content_AddFilesList2(list.get());
    }
    CXML* Record(int i) { return project.GetModifiedInfo()->GetChildAt(i); }

    CProjectFile project;
    CHHCFile& hhc = *project.GetHHCFile();
    CHHKFile& hhk = *project.GetHHKFile();
};

TEST_F(ContentsEditing, EachInsertModePlacesTheRunInListOrder) {
    struct Case {
        std::string relative;
        int mode;
        std::string shape;
    };
    const Case cases[] = {
        {"B", 0, "A,X,Y,Z,B(B1,B2),C"},    {"B", 1, "A,B(X,Y,Z,B1,B2),C"},
        {"B", 2, "A,B(B1,B2),X,Y,Z,C"},    {"B2", 2, "A,B(B1,B2,X,Y,Z),C"},
        {"ROOT", 0, "A,B(B1,B2),C,X,Y,Z"}, {"ROOT", 1, "X,Y,Z,A,B(B1,B2),C"},
        {"root", 2, "A,B(B1,B2),C,X,Y,Z"}, {"TAIL", 0, "A,B(B1,B2),X,Y,Z,C"},
    };
    for (const Case& c : cases) {
        hhc.InitHHC();
        SetUp();
        Insert(c.relative, c.mode);
        EXPECT_EQ(Shape(hhc.GetTreeRoot()), c.shape) << c.relative << " " << c.mode;
        EXPECT_EQ(hhc.GetNodeByID("Y")->GetAttr("Name"), "Y");
    }
}

TEST_F(ContentsEditing, InsertionRecordsAndNotifiesEachRun) {
    NotificationLog log;
    log.Watch(hhc, "hhc");
    auto list = FilesList({ListRun("A", 2, {Entry("X", {Entry("X1")}), Entry("Y")}),
                           ListRun("C", 0, {Entry("Z")}), ListRun("C", 2, {})});
    project.Content_AddFilesList2(list.get());

    EXPECT_EQ(Shape(hhc.GetTreeRoot()), "A,X(X1),Y,B(B1,B2),Z,C");
    EXPECT_EQ(log.entries, (std::vector<std::string>{"hhc:16", "hhc:16"}));
    ASSERT_EQ(project.GetModifiedInfo()->GetChildCount(), 2);
    EXPECT_EQ(log.nodes[0], Record(0));
    EXPECT_EQ(Record(0)->GetAttr("ModifiedType"), "0");
    EXPECT_EQ(Record(0)->GetAttr("DoRelativeNodeID"), "A");
    EXPECT_EQ(Record(0)->GetAttr("DoInsertMode"), "2");
    EXPECT_EQ(Record(0)->GetAttr("ModifiedNodeID"), "X");
    EXPECT_EQ(Shape(Record(0)), "X(X1),Y");
    EXPECT_EQ(Record(1)->GetAttr("ModifiedNodeID"), "Z");
    EXPECT_TRUE(project.IsModified());
    // The tree holds copies: changing the list afterwards changes nothing.
    list->GetChildAt(0)->GetChildAt(0)->SetAttr("Name", "changed");
    EXPECT_EQ(hhc.GetNodeByID("X")->GetAttr("Name"), "X");
    EXPECT_NE(hhc.GetNodeByID("X"), list->GetChildAt(0)->GetChildAt(0));
}

TEST_F(ContentsEditing, EmptyListsChangeNothingAndUnknownPlacesInsertNothing) {
    NotificationLog log;
    log.Watch(hhc, "hhc");
    auto empty = FilesList({ListRun("A", 2, {})});
    project.Content_AddFilesList2(empty.get());
    project.Content_DeleteFilesList2(empty.get());
    EXPECT_TRUE(log.entries.empty());
    EXPECT_EQ(project.GetModifiedInfo()->GetChildCount(), 0);

    Insert("{NOWHERE}", 2, {"X"});
    Insert("B", 7, {"Y"});
    EXPECT_EQ(Shape(hhc.GetTreeRoot()), "A,B(B1,B2),C");
    EXPECT_EQ(log.Count("hhc:16"), 2); // still recorded, with no nodes
    EXPECT_EQ(Record(0)->GetChildCount(), 0);
    EXPECT_EQ(hhc.GetNodeByID("X"), nullptr);
}

TEST_F(ContentsEditing, NothingGoesInAsFirstChildOfAMergeEntry) {
    CXML* merge = Typed(Entry("M", {}, "/p/other.chm"), CHHCFile::kMergeType);
    auto list = FilesList({ListRun("C", 2, {merge})});
    hhc.AddFilesList2(list.get());
    project.ResetModifiedInfo();
    NotificationLog log;
    log.Watch(hhc, "hhc");

    Insert("M", 1, {"X"});
    EXPECT_EQ(Shape(hhc.GetTreeRoot()), "A,B(B1,B2),C,M");
    EXPECT_EQ(log.entries, (std::vector<std::string>{"hhc:16"}));
    EXPECT_EQ(Record(0)->GetChildCount(), 0);
    EXPECT_EQ(Record(0)->GetAttr("DoRelativeNodeID"), "M");

    Insert("M", 0, {"Y"});
    Insert("M", 2, {"Z"});
    EXPECT_EQ(Shape(hhc.GetTreeRoot()), "A,B(B1,B2),C,Y,M,Z");
}

TEST_F(ContentsEditing, LookupByIdFollowsInsertionAndRemoval) {
    CXML* anonymous = new CXML("node");
    anonymous->SetAttr("Name", "no id");
    auto list = FilesList({ListRun("B1", 1, {Entry("X", {anonymous})})});
    hhc.AddFilesList2(list.get());
    CXML* inserted = hhc.GetNodeByID("X")->GetChildAt(0);
    std::string newId = inserted->GetAttr("ID");
    ASSERT_EQ(newId.size(), 38u); // it got one
    EXPECT_EQ(hhc.GetNodeByID(newId), inserted);
    EXPECT_EQ(hhc.GetParentNode("X"), hhc.GetNodeByID("B1"));

    auto removal = FilesList({ListRun("A", 2, {Entry("B")})});
    hhc.DelFilesList2(removal.get());
    for (std::string gone : {"B", "B1", "B2", "X", newId.c_str()})
        EXPECT_EQ(hhc.GetNodeByID(gone), nullptr) << gone;
    EXPECT_EQ(hhc.GetNodeByID("C"), hhc.GetNodeByID("TAIL"));

    hhc.DelAll();
    EXPECT_EQ(hhc.GetNodeByID("A"), nullptr);
    Insert("ROOT", 2, {"A"});
    EXPECT_EQ(hhc.GetNodeByID("A"), hhc.GetTreeRoot()->GetChildAt(0));
}

TEST_F(ContentsEditing, RemovalNotifiesEachRunThenWhetherEntriesAreLeft) {
    // Five siblings: A, B, C, D, E (B without children).
    hhc.InitHHC();
    auto five = FilesList(
        {ListRun("ROOT", 2, {Entry("A"), Entry("B"), Entry("C"), Entry("D"), Entry("E")})});
    hhc.AddFilesList2(five.get());
    NotificationLog log;
    log.Watch(hhc, "hhc");

    // The removal record goes out while the entries are still there.
    bool presentWhenNotified = false;
    Spy spy([&](const NotifyInfo& info) {
        if (info.code == NC_CONTENT_REMOVED)
            presentWhenNotified = hhc.GetNodeByID(info.node->GetAttr("ModifiedNodeID")) != nullptr;
    });
    hhc.Attach(&spy);

    project.ResetModifiedInfo();
    auto three = FilesList({ListRun("A", 2, {Entry("B"), Entry("C"), Entry("D")})});
    project.Content_DeleteFilesList2(three.get());
    EXPECT_EQ(log.entries, (std::vector<std::string>{"hhc:17", "hhc:15"}));
    EXPECT_TRUE(presentWhenNotified);
    EXPECT_EQ(Shape(hhc.GetTreeRoot()), "A,E");
    EXPECT_EQ(Record(0)->GetAttr("ModifiedType"), "1");
    EXPECT_EQ(Record(0)->GetAttr("DoRelativeNodeID"), "A");
    EXPECT_EQ(Record(0)->GetAttr("DoInsertMode"), "2");
    EXPECT_EQ(Record(0)->GetAttr("ModifiedNodeID"), "B");
    EXPECT_EQ(Shape(Record(0)), "B,C,D");

    hhc.SetSelectedNode(hhc.GetNodeByID("E"));
    log.Clear();
    auto apart = FilesList({ListRun("ROOT", 1, {Entry("A")}), ListRun("A", 2, {Entry("E")})});
    project.Content_DeleteFilesList2(apart.get());
    EXPECT_EQ(log.entries, (std::vector<std::string>{"hhc:17", "hhc:17", "hhc:14"}));
    EXPECT_EQ(hhc.GetSelectedNode(), nullptr);
    EXPECT_EQ(hhc.GetCount(), 0);
    hhc.Detach(&spy);
}

TEST_F(ContentsEditing, RemovingASelectedBranchForgetsTheSelectionAndTheDrop) {
    hhc.SetSelectedNode(hhc.GetNodeByID("B2"));
    hhc.SetDroppedNode(hhc.GetNodeByID("B1"));
    auto list = FilesList({ListRun("A", 2, {Entry("B")}), ListRun("A", 2, {Entry("B")})});
    hhc.DelFilesList2(list.get()); // the second run names a node already gone
    EXPECT_EQ(hhc.GetSelectedNode(), nullptr);
    EXPECT_EQ(hhc.GetDroppedNode(), nullptr);
    EXPECT_EQ(Shape(hhc.GetTreeRoot()), "A,C");
    EXPECT_EQ(project.GetModifiedInfo()->GetChildCount(), 2);
}

TEST_F(ContentsEditing, RemovingTheDefaultTopicClearsIt) {
    hhc.InitHHC();
    auto list = FilesList({ListRun(
        "ROOT", 2, {Entry("P", {}, "/proj/Intro.htm"), Entry("Q", {}, "/proj/other.htm")})});
    hhc.AddFilesList2(list.get());
    project.HHP_SetOptionsData(OPT_DEFAULT_TOPIC, std::string("/proj/intro.HTM"));
    project.HHP_SetWindowsData(WIN_DEFAULT_FILE, std::string("/proj/intro.HTM"));

    auto other = FilesList({ListRun("P", 2, {Entry("Q")})});
    hhc.DelFilesList2(other.get());
    std::string topic;
    project.HHP_GetOptionsData(OPT_DEFAULT_TOPIC, topic);
    EXPECT_EQ(topic, "/proj/intro.HTM");

    auto page = FilesList({ListRun("ROOT", 1, {Entry("P")})});
    hhc.DelFilesList2(page.get());
    project.HHP_GetOptionsData(OPT_DEFAULT_TOPIC, topic);
    std::string file = "x";
    project.HHP_GetWindowsData(WIN_DEFAULT_FILE, file);
    EXPECT_EQ(topic, "");
    EXPECT_EQ(file, "");
}

TEST_F(ContentsEditing, DeleteAllLeavesRecordsThatRestoreTheTree) {
    hhc.SetSelectedNode(hhc.GetNodeByID("C"));
    NotificationLog log;
    log.Watch(hhc, "hhc");
    project.Content_DeleteAll();
    EXPECT_EQ(log.entries, (std::vector<std::string>{"hhc:17", "hhc:14"}));
    EXPECT_EQ(hhc.GetSelectedNode(), nullptr);
    ASSERT_EQ(project.GetModifiedInfo()->GetChildCount(), 1);
    CXML* record = Record(0);
    EXPECT_EQ(record->GetAttr("DoRelativeNodeID"), "ROOT");
    EXPECT_EQ(record->GetAttr("DoInsertMode"), "1");

    // Undo: the record's nodes go back to the place it names.
    auto restore = FilesList(
        {ListRun(record->GetAttr("DoRelativeNodeID"), record->GetAttrInt("DoInsertMode"), {})});
    record->CloneChildTo(restore->GetChildAt(0));
    hhc.AddFilesList2(restore.get());
    EXPECT_EQ(Shape(hhc.GetTreeRoot()), "A,B(B1,B2),C");
    EXPECT_EQ(hhc.GetNodeByID("B2")->GetParent(), hhc.GetNodeByID("B"));
}

TEST_F(ContentsEditing, PlacesOfEntriesPutThemBackWhereTheyStood) {
    std::string id;
    int mode = -1;
    hhc.GetRelativeNodeInfo(hhc.GetNodeByID("A"), id, mode);
    EXPECT_EQ(id + "/" + std::to_string(mode), "ROOT/1");
    hhc.GetRelativeNodeInfo(hhc.GetNodeByID("C"), id, mode);
    EXPECT_EQ(id + "/" + std::to_string(mode), "B/2");
    project.Content_GetRelativeNodeInfo(hhc.GetNodeByID("B1"), id, mode);
    EXPECT_EQ(id + "/" + std::to_string(mode), "B/1");

    // Removing each selected entry and inserting it back from the list
    // restores the tree exactly.
    auto selected = Selection({"A", "B1", "C"});
    CXML list;
    project.Content_GetType2FilesListFromIDs(selected.get(), &list);
    ASSERT_EQ(list.GetChildCount(), 3);
    hhc.DelFilesList2(&list);
    EXPECT_EQ(Shape(hhc.GetTreeRoot()), "B(B2)");
    hhc.AddFilesList2(&list);
    EXPECT_EQ(Shape(hhc.GetTreeRoot()), "A,B(B1,B2),C");
}

TEST_F(ContentsEditing, AdjacentSelectedSiblingsShareARun) {
    hhc.InitHHC();
    auto five = FilesList({ListRun(
        "ROOT", 2, {Entry("1"), Entry("2"), Entry("3"), Entry("4"), Entry("5", {Entry("5a")})})});
    hhc.AddFilesList2(five.get());
    auto selected = Selection({"1", "2", "4", "5"});
    CXML list("stale");
    list.AddChild("List");
    hhc.GetType2FilesListFromIDs(selected.get(), &list);
    EXPECT_EQ(list.GetTagName(), "FilesList");
    ASSERT_EQ(list.GetChildCount(), 2);
    EXPECT_EQ(list.GetChildAt(0)->GetAttr("RelativeNodeID"), "ROOT");
    EXPECT_EQ(list.GetChildAt(0)->GetAttr("InsertMode"), "1");
    EXPECT_EQ(Shape(list.GetChildAt(0)), "1,2");
    EXPECT_EQ(list.GetChildAt(1)->GetAttr("RelativeNodeID"), "3");
    EXPECT_EQ(list.GetChildAt(1)->GetAttr("InsertMode"), "2");
    EXPECT_EQ(Shape(list.GetChildAt(1)), "4,5(5a)");

    // Selected in another order, 2 then 1 are no run.
    auto reversed = Selection({"2", "1"});
    hhc.GetType2FilesListFromIDs(reversed.get(), &list);
    EXPECT_EQ(list.GetChildCount(), 2);
}

TEST_F(ContentsEditing, NewIdsReachEveryNodeOfEveryRun) {
    auto list = FilesList({ListRun("A", 2, {Entry("X", {Entry("X1", {Entry("X2")})})}),
                           ListRun("C", 2, {Entry("Y")})});
    project.UseNewID(list.get());
    std::string ids = Shape(list->GetChildAt(0)) + "," + Shape(list->GetChildAt(1));
    EXPECT_EQ(ids.size(), 4 * 38u + 5); // four GUIDs, three commas, two brackets
    EXPECT_EQ(ids.find('X'), std::string::npos);
}

TEST_F(ContentsEditing, ModifyingNodesSendsOneCodePerChange) {
    NotificationLog log;
    log.Watch(hhc, "hhc");
    CXML values("NewValue");
    values.SetAttr("Name", "Renamed");
    values.SetAttr("Local", "/p/a.htm");
    values.SetAttr("ImageNumber", 17);
    project.HHC_ModifyNode("A", 1, &values);
    project.HHC_ModifyNode("A", 2, &values); // had no page: 9
    values.SetAttr("Local", "/p/b.htm");
    project.HHC_ModifyNode("A", 2, &values); // page to page: 7
    values.SetAttr("Local", "");
    project.HHC_ModifyNode("A", 2, &values); // cleared: 8
    project.HHC_ModifyNode("C", 2, &values); // stays empty: 7
    project.HHC_ModifyNode("A", 7, &values);
    project.HHC_ModifyNode("A", 3, &values); // nothing
    project.HHC_ModifyNode("{missing}", 1, &values);
    EXPECT_EQ(log.Only({6, 7, 8, 9, 10}),
              (std::vector<std::string>{"hhc:6", "hhc:9", "hhc:7", "hhc:8", "hhc:7", "hhc:10"}));
    CXML* a = hhc.GetNodeByID("A");
    EXPECT_EQ(a->GetAttr("Name"), "Renamed");
    EXPECT_EQ(a->GetAttr("ImageNumber"), "17");
    EXPECT_TRUE(project.IsModified());

    auto keyword = FilesList({ListRun("ROOT", 2, {Entry("K")})});
    hhk.AddFilesList2(keyword.get());
    NotificationLog indexLog;
    indexLog.Watch(hhk, "hhk");
    values.SetAttr("Type", 4);
    for (int what : {1, 2, 8, 7})
        project.HHK_ModifyNode("K", what, &values);
    EXPECT_EQ(indexLog.entries, (std::vector<std::string>{"hhk:21", "hhk:23", "hhk:24"}));
    EXPECT_EQ(hhk.GetNodeByID("K")->GetAttr("Type"), "4");
}

class IndexEditing : public ::testing::Test {
protected:
    void SetUp() override {
        // K0 (type 0), K4 (type 4) with topic T (type 5)
        auto list = FilesList({ListRun(
            "ROOT", 2, {Typed(Entry("K0"), 0), Typed(Entry("K4", {Typed(Entry("T"), 5)}), 4)})});
        hhk.AddFilesList2(list.get());
        project.ResetModifiedInfo();
    }
    int TypeAfterInserting(CXML* node, const std::string& relative, int mode) {
        std::string id = node->GetAttr("ID");
        auto list = FilesList({ListRun(relative, mode, {node})});
        hhk.AddFilesList2(list.get());
        return hhk.GetNodeType(hhk.GetNodeByID(id));
    }
    CProjectFile project;
    CHHKFile& hhk = *project.GetHHKFile();
};

TEST_F(IndexEditing, TypesFitTheirNewPlace) {
    EXPECT_EQ(hhk.GetNodeType(hhk.GetNodeByID("T")), 5);
    EXPECT_EQ(TypeAfterInserting(Typed(Entry("a"), 5), "ROOT", 2), 0);
    EXPECT_EQ(TypeAfterInserting(Typed(Entry("b"), 5), "T", 2), 5);
    EXPECT_EQ(TypeAfterInserting(Typed(Entry("c"), 5), "K4", 1), 5);
    EXPECT_EQ(TypeAfterInserting(Typed(Entry("d"), 5), "K0", 1), 0);
    EXPECT_EQ(TypeAfterInserting(Typed(Entry("e"), 9), "K4", 1), 0);
    EXPECT_EQ(TypeAfterInserting(Typed(Entry("f"), -2), "K0", 1), 0);
    // Only what is appended to the root itself keeps no type but 0 and 4.
    EXPECT_EQ(TypeAfterInserting(Typed(Entry("g"), 2), "ROOT", 2), 0);
    EXPECT_EQ(TypeAfterInserting(Typed(Entry("g2"), 2), "K0", 2), 2);
    EXPECT_EQ(TypeAfterInserting(Typed(Entry("h"), 2), "K0", 1), 2);
    EXPECT_EQ(TypeAfterInserting(Typed(Entry("i"), 4), "ROOT", 0), 4);
    // Topics come along with their keyword, and a topic left without one
    // becomes a keyword of its own.
    EXPECT_EQ(TypeAfterInserting(Typed(Entry("j", {Typed(Entry("j5"), 5)}), 4), "TAIL", 2), 4);
    EXPECT_EQ(hhk.GetNodeType(hhk.GetNodeByID("j5")), 5);
    EXPECT_EQ(TypeAfterInserting(Typed(Entry("k", {Typed(Entry("k5"), 5)}), 0), "TAIL", 2), 0);
    EXPECT_EQ(hhk.GetNodeType(hhk.GetNodeByID("k5")), 0);
    // The contents keep whatever type they are given.
    CHHCFile& hhc = *project.GetHHCFile();
    auto list = FilesList({ListRun("ROOT", 2, {Typed(Entry("c5"), 5)})});
    hhc.AddFilesList2(list.get());
    EXPECT_EQ(hhc.GetNodeByID("c5")->GetAttrInt("Type"), 5);
}

TEST_F(IndexEditing, RemovalSendsTheEmptyCodeOnlyWhenNothingIsLeft) {
    NotificationLog log;
    log.Watch(hhk, "hhk");
    hhk.SetSelectedNode(hhk.GetNodeByID("K0"));
    log.Clear();
    auto some = FilesList({ListRun("K0", 2, {Entry("K4")})});
    project.Index_DeleteFilesList2(some.get());
    EXPECT_EQ(log.entries, (std::vector<std::string>{"hhk:29"}));
    EXPECT_EQ(project.GetModifiedInfo()->GetChildAt(0)->GetAttr("ModifiedType"), "3");
    EXPECT_EQ(hhk.GetNodeByID("T"), nullptr);
    EXPECT_EQ(hhk.GetSelectedNode(), hhk.GetNodeByID("K0"));
    project.Index_DeleteAll();
    EXPECT_EQ(log.entries, (std::vector<std::string>{"hhk:29", "hhk:29", "hhk:27"}));
    EXPECT_EQ(hhk.GetSelectedNode(), nullptr);
    EXPECT_EQ(project.Index_GetCount(), 0);
}

class NewEntries : public ::testing::Test {
protected:
    static CXML* Item(int kind, const std::string& local, const std::string& name,
                      const std::string& nameAttribute = "Name") {
        auto* item = new CXML("FileItem");
        item->SetAttr("Type", kind);
        item->SetAttr("Local", local);
        item->SetAttr(nameAttribute, name);
        return item;
    }

    ScriptedPrompt prompt;
    TempTree files;
};

TEST_F(NewEntries, ItemKindsBecomeEntriesWithTitlesAndImages) {
    std::string page = files.Write("docs/intro.htm",
                                   "<html><head><title>Welcome &amp; hello</title></head></html>");
    CProjectFile project;
    project.SetChannels(&prompt.channels);
    CXML list("FilesList");
    list.SetAttr("PublicPath", files.Root());
    CXML* folder = list.AddChild(Item(1, files / "docs", "docs"));
    folder->AddChild(Item(0, page, "ignored"));
    list.AddChild(Item(3, files / "other.chm", "Other help"));
    list.AddChild(Item(9, "http://example.com/", "Site", "name"));
    list.AddChild(Item(12, "x.htm", "Twelve", "name"));
    list.AddChild(Item(5, "y.htm", "Five"));
    list.AddChild(Item(5, "", "Heading"));

    project.Content_AddFilesList(&list);

    // The caller's list is now the type-2 list that was inserted.
    ASSERT_EQ(list.GetChildCount(), 1);
    CXML* run = list.GetChildAt(0);
    EXPECT_EQ(run->GetTagName(), "List");
    EXPECT_EQ(run->GetAttr("RelativeNodeID"), "ROOT");
    EXPECT_EQ(run->GetAttr("InsertMode"), "2");
    CHHCFile& hhc = *project.GetHHCFile();
    EXPECT_EQ(Shape(hhc.GetTreeRoot(), "Name"),
              "docs(Welcome & hello),Other help,Site,Twelve,Five,Heading");
    EXPECT_EQ(Shape(hhc.GetTreeRoot(), "ImageNumber"), "0(10),44,34,0,10,0");
    EXPECT_EQ(Shape(hhc.GetTreeRoot(), "Type"), "1(0),3,9,12,5,5");
    EXPECT_EQ(Shape(hhc.GetTreeRoot(), "HTreeItem"), "EMPTY(EMPTY),EMPTY,EMPTY,EMPTY,EMPTY,EMPTY");
    CXML* docs = hhc.GetTreeRoot()->GetChildAt(0);
    EXPECT_EQ(docs->GetAttr("Local"), ""); // a folder has no page
    EXPECT_EQ(docs->GetChildAt(0)->GetAttr("Local"), page);
    EXPECT_EQ(run->GetChildAt(0)->GetAttr("ID"), docs->GetAttr("ID"));
    EXPECT_EQ(hhc.GetNodeByID(docs->GetAttr("ID")), docs);
    EXPECT_NE(docs->GetAttr("ID"), docs->GetChildAt(0)->GetAttr("ID"));
}

TEST_F(NewEntries, AnchorIsTheSelectionElseTheLastEntryWithTheConfiguredMode) {
    for (int mode : {0, 1, 2}) {
        CProjectFile project;
        project.Settings().config.SetInsertMode(mode);
        CHHCFile& hhc = *project.GetHHCFile();
        CXML first("FilesList");
        first.AddChild(Item(5, "a.htm", "A"));
        first.AddChild(Item(5, "b.htm", "B"));
        hhc.AddFilesList(&first); // empty tree: top level whatever the mode
        EXPECT_EQ(Shape(hhc.GetTreeRoot(), "Name"), "A,B") << mode;

        CXML second("FilesList");
        second.AddChild(Item(5, "c.htm", "C"));
        hhc.AddFilesList(&second); // after / before / under the last entry, B
        const char* expected[] = {"A,C,B", "A,B(C)", "A,B,C"};
        EXPECT_EQ(Shape(hhc.GetTreeRoot(), "Name"), expected[mode]) << mode;

        hhc.SetSelectedNode(hhc.GetTreeRoot()->GetChildAt(0));
        CXML third("FilesList");
        third.AddChild(Item(5, "d.htm", "D"));
        hhc.AddFilesList(&third);
        const char* withSelection[] = {"D,A,C,B", "A(D),B(C)", "A,D,B,C"};
        EXPECT_EQ(Shape(hhc.GetTreeRoot(), "Name"), withSelection[mode]) << mode;
    }
}

} // namespace
