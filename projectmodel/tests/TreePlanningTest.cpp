// Planning moves, drops and sorts: the records name where each run stands
// and where it goes, and carrying them out as a removal followed by an
// insertion gives the intended tree.

#include "projectmodel/ProjectFile.h"
#include "projectmodel/SortDialog.h"
#include "projectmodel/tests/TreeTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace mb::testing;

namespace {

// A type-2 list of one run built from a record's nodes and one of its places.
std::unique_ptr<CXML> ListFrom(const CXML* record, const std::string& prefix) {
    auto list = FilesList({ListRun(record->GetAttr(prefix + "RelativeNodeID"),
                                   record->GetAttrInt(prefix + "InsertMode"), {})});
    record->CloneChildTo(list->GetChildAt(0));
    return list;
}

class Planning : public ::testing::Test {
protected:
    void SetUp() override {
        // A, B(B1, B2), C(C1), D
        auto list = FilesList({ListRun("ROOT", 2,
                                       {Entry("A"), Entry("B", {Entry("B1"), Entry("B2")}),
                                        Entry("C", {Entry("C1")}), Entry("D")})});
        hhc.AddFilesList2(list.get());
        project.ResetModifiedInfo();
    }
    // Plans a move of the selected entries with `plan`, checks that the tree
    // did not change, then carries the plan out as the move command does.
    std::string Move(void (CProjectFile::*plan)(const CXML*),
                     std::initializer_list<const char*> ids) {
        auto selected = Selection(ids);
        CXML list;
        project.Content_GetType2FilesListFromIDs(selected.get(), &list);
        project.ResetModifiedInfo();
        std::string before = Shape(hhc.GetTreeRoot());
        (project.*plan)(&list);
        EXPECT_EQ(Shape(hhc.GetTreeRoot()), before);
        // Carrying the plan out adds records of its own behind the plan's.
        CXML* records = project.GetModifiedInfo();
        int planned = records->GetChildCount();
        for (int i = 0; i < planned; ++i)
            hhc.DelFilesList2(ListFrom(records->GetChildAt(i), "Undo").get());
        for (int i = 0; i < planned; ++i)
            hhc.AddFilesList2(ListFrom(records->GetChildAt(i), "Do").get());
        return Shape(hhc.GetTreeRoot());
    }
    CXML* Record(int i) { return project.GetModifiedInfo()->GetChildAt(i); }
    std::string Place(const CXML* record, const std::string& prefix) {
        return record->GetAttr(prefix + "RelativeNodeID") + "/" +
               record->GetAttr(prefix + "InsertMode");
    }

    CProjectFile project;
    CHHCFile& hhc = *project.GetHHCFile();
};

TEST_F(Planning, EachMoveDirectionRecordsWhereTheRunStandsAndGoes) {
    struct Case {
        void (CProjectFile::*plan)(const CXML*);
        std::initializer_list<const char*> ids;
        std::string doPlace, undoPlace, shape;
    };
    const Case cases[] = {
        {&CProjectFile::Content_MoveUpFilesList2, {"C", "D"}, "B/0", "B/2", "A,C(C1),D,B(B1,B2)"},
        {&CProjectFile::Content_MoveDownFilesList2,
         {"A", "B"},
         "C/2",
         "ROOT/1",
         "C(C1),A,B(B1,B2),D"},
        {&CProjectFile::Content_MoveLeftFilesList2, {"B1"}, "B/2", "B/1", "A,B(B2),B1,C(C1),D"},
        // Right: after the previous sibling's last child, or as its only one.
        {&CProjectFile::Content_MoveRightFilesList2, {"C"}, "B2/2", "B/2", "A,B(B1,B2,C(C1)),D"},
        {&CProjectFile::Content_MoveRightFilesList2, {"B"}, "A/1", "A/2", "A(B(B1,B2)),C(C1),D"},
    };
    for (const Case& c : cases) {
        hhc.InitHHC();
        SetUp();
        EXPECT_EQ(Move(c.plan, c.ids), c.shape) << c.doPlace;
        CXML* record = Record(0);
        EXPECT_EQ(record->GetAttr("ModifiedType"), "1");
        EXPECT_EQ(Place(record, "Do"), c.doPlace);
        EXPECT_EQ(Place(record, "Undo"), c.undoPlace);
        EXPECT_EQ(record->GetAttr("ModifiedNodeID"), *c.ids.begin());
        EXPECT_EQ(record->GetChildCount(), static_cast<int>(c.ids.size()));
    }
}

TEST_F(Planning, RunsWithoutATargetGetNoRecordAndOthersOneEach) {
    auto selected = Selection({"A", "B1", "C1"}); // three runs
    CXML list;
    project.Content_GetType2FilesListFromIDs(selected.get(), &list);
    project.Content_MoveLeftFilesList2(&list); // A is at the top level already
    ASSERT_EQ(project.GetModifiedInfo()->GetChildCount(), 2);
    EXPECT_EQ(Place(Record(0), "Do"), "B/2");
    EXPECT_EQ(Place(Record(1), "Do"), "C/2");
    project.ResetModifiedInfo();
    project.Content_MoveUpFilesList2(&list); // no run has a previous sibling
    EXPECT_EQ(project.GetModifiedInfo()->GetChildCount(), 0);

    CHHKFile& hhk = *project.GetHHKFile();
    auto keywords = FilesList({ListRun("ROOT", 2, {Entry("K1"), Entry("K2")})});
    hhk.AddFilesList2(keywords.get());
    auto last = Selection({"K2"});
    project.Index_GetType2FilesListFromIDs(last.get(), &list);
    project.ResetModifiedInfo();
    project.Index_MoveDownFilesList2(&list);
    EXPECT_EQ(project.GetModifiedInfo()->GetChildCount(), 0);
    project.Index_MoveUpFilesList2(&list);
    EXPECT_EQ(Record(0)->GetAttr("ModifiedType"), "1");
    EXPECT_EQ(Place(Record(0), "Do"), "K1/0");
}

TEST_F(Planning, DropsAimEveryRunAtTheDroppedNodeWithTheConfiguredMode) {
    project.Settings().config.SetInsertMode(1);
    auto selected = Selection({"A", "C1"});
    CXML list;
    project.Content_GetType2FilesListFromIDs(selected.get(), &list);
    project.ResetModifiedInfo();
    project.Content_DragDropFilesList2(&list); // no drop target: nothing
    EXPECT_EQ(project.GetModifiedInfo()->GetChildCount(), 0);

    hhc.SetDroppedNode(hhc.GetNodeByID("D"));
    EXPECT_EQ(project.HHC_GetDroppedNode(), hhc.GetNodeByID("D"));
    project.Content_DragDropFilesList2(&list);
    ASSERT_EQ(project.GetModifiedInfo()->GetChildCount(), 2);
    EXPECT_EQ(Place(Record(0), "Do"), "D/1");
    EXPECT_EQ(Place(Record(0), "Undo"), "ROOT/1");
    EXPECT_EQ(Place(Record(1), "Do"), "D/1");
    EXPECT_EQ(Place(Record(1), "Undo"), "C/1");
    EXPECT_EQ(Record(1)->GetAttr("ModifiedType"), "1");
    EXPECT_EQ(Shape(Record(1)), "C1");
}

// Answers the sort dialog from a script and records what it was shown.
class ScriptedSortDialog : public mb::ISortDialog {
public:
    bool Ask(const std::string& topicName, mb::SortChoice& choice) override {
        shownName = topicName;
        shown = choice;
        if (!answerOk)
            return false;
        choice = answer;
        return true;
    }
    bool answerOk = true;
    mb::SortChoice answer;
    std::string shownName;
    mb::SortChoice shown;
};

class Sorting : public ::testing::Test {
protected:
    void SetUp() override {
        // b, C(z, a(y, X)), a
        auto list = FilesList({ListRun(
            "ROOT", 2,
            {Entry("b"), Entry("C", {Entry("z"), Entry("a2", {}, ""), Entry("y")}), Entry("a")})});
        hhc.AddFilesList2(list.get());
        CXML* a2 = hhc.GetNodeByID("a2");
        a2->SetAttr("Name", "a");
        auto under = FilesList({ListRun("a2", 1, {Entry("y2"), Entry("X")})});
        hhc.AddFilesList2(under.get());
        hhc.GetNodeByID("y2")->SetAttr("Name", "y");
        project.ResetModifiedInfo();
        CXML::SetSortOption(0, 1, 1);
    }
    void TearDown() override { CXML::SetSortOption(0, 1, 1); }
    CXML* Record(int i) { return project.GetModifiedInfo()->GetChildAt(i); }

    CProjectFile project;
    CHHCFile& hhc = *project.GetHHCFile();
};

TEST_F(Sorting, TheCancellingDialogSortsNothing) {
    mb::CancellingSortDialog cancelling;
    EXPECT_EQ(project.Content_SortAZ(hhc.GetNodeByID("b"), cancelling), 0);
    EXPECT_EQ(project.GetModifiedInfo()->GetChildCount(), 0);
}

TEST_F(Sorting, CancelPlansNothing) {
    ScriptedSortDialog dialog;
    dialog.answerOk = false;
    EXPECT_EQ(project.Content_SortZA(hhc.GetNodeByID("b"), dialog), 0);
    EXPECT_EQ(dialog.shownName, "b");
    EXPECT_EQ(project.GetModifiedInfo()->GetChildCount(), 0);
}

TEST_F(Sorting, TopLevelBranchRecordsAllTopEntriesBeforeAndAfter) {
    ScriptedSortDialog dialog;
    dialog.answer = {1, 1}; // this level only, ignoring case
    EXPECT_EQ(project.Content_SortAZ(hhc.GetNodeByID("a"), dialog), 1);
    EXPECT_EQ(dialog.shown.thisLevelOnly, 1);
    EXPECT_EQ(dialog.shown.ignoreCase, 1);
    ASSERT_EQ(project.GetModifiedInfo()->GetChildCount(), 2);
    for (CXML* record : {Record(0), Record(1)}) {
        EXPECT_EQ(record->GetAttr("DoRelativeNodeID"), "ROOT");
        EXPECT_EQ(record->GetAttr("DoInsertMode"), "1");
    }
    EXPECT_EQ(Shape(Record(0), "Name"), "b,C(z,a(y,X),y),a");
    EXPECT_EQ(Shape(Record(1), "Name"), "a,b,C(z,a(y,X),y)");
    EXPECT_EQ(Shape(hhc.GetTreeRoot(), "Name"), "b,C(z,a(y,X),y),a"); // untouched
}

TEST_F(Sorting, InnerBranchRecordsItsParentAndHonoursTheOptions) {
    ScriptedSortDialog dialog;
    dialog.answer = {0, 0}; // sub-branches too, letter case counts
    EXPECT_EQ(project.Content_SortZA(hhc.GetNodeByID("z"), dialog), 1);
    ASSERT_EQ(project.GetModifiedInfo()->GetChildCount(), 2);
    EXPECT_EQ(Record(0)->GetAttr("DoRelativeNodeID"), "b");
    EXPECT_EQ(Record(0)->GetAttr("DoInsertMode"), "2");
    EXPECT_EQ(Record(1)->GetAttr("DoRelativeNodeID"), "b");
    EXPECT_EQ(Shape(Record(0), "Name"), "C(z,a(y,X),y)");
    // Z to A, case counting: "y" > "a" > "X" and "z" > "y" > "a".
    EXPECT_EQ(Shape(Record(1), "Name"), "C(z,y,a(y,X))");
    int a = 0, b = 0, c = 0;
    CXML::GetSortOption(a, b, c);
    EXPECT_EQ(b, 0); // the choices are kept for the next sort
    EXPECT_EQ(c, 0);

    // The sort command replaces the first record's nodes by the second's.
    auto before = ListFrom(Record(0), "Do");
    auto after = ListFrom(Record(1), "Do");
    hhc.DelFilesList2(before.get());
    hhc.AddFilesList2(after.get());
    EXPECT_EQ(Shape(hhc.GetTreeRoot(), "Name"), "b,C(z,y,a(y,X)),a");
}

} // namespace
