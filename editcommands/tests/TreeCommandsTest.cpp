// Commands that add, remove, move, drag and sort entries: each change, its
// undo and redo, the requests to the main window, and cancelled input.
#include "appglue/tests/GlueFakes.h"
#include "editcommands/tests/CommandFakes.h"
#include "projectmodel/FilesList.h"
#include "projectmodel/HHPRecords.h"
#include "runconfig/ConfigData.h"

#include <gtest/gtest.h>

using namespace mb;
using namespace mb::testing;

namespace {

class InsertCommands : public CommandTest {};

TEST_F(InsertCommands, NewHeadingIsAddedAtTheSelectionAndEditedAfterItsHistoryEntry) {
    FillContents(FilesList({ListRun("ROOT", 1, {Entry("A"), Entry("B")})}));
    project.GetHHCFile()->SetSelectedNode(project.HHC_GetNodeByID("A"));
    Do(CMD_NEW_CONTENTS_HEADING);
    ASSERT_EQ(ContentHistorySize(), 1);
    EXPECT_EQ(Contents("Name"), "A,New Heading,B");
    ASSERT_EQ(window.Received("edit-title").size(), 1u);
    std::string id = project.HHC_GetTreeRoot()->GetChildAt(1)->GetAttr("ID");

    manager.Undo_ContentTree();
    EXPECT_EQ(Contents(), "A,B");
    manager.Redo_ContentTree();
    EXPECT_EQ(Contents(), "A," + id + ",B") << "Redo brings the entry back with its ID";
    EXPECT_EQ(IndexHistorySize(), 0);
}

TEST_F(InsertCommands, FilesPickedInsideTheProjectFolderBecomeEntriesNamedByTitle) {
    std::string page = folder.Write("intro.htm", "<html><title>Welcome</title></html>");
    std::string other = folder.Write("notes.txt", "plain");
    prompt.pickedFiles = {std::vector<std::string>{page, other}};
    Do(CMD_ADD_FILES_TO_CONTENTS);
    EXPECT_EQ(Contents("Name"), "Welcome,notes.txt");
    EXPECT_EQ(Contents("Local"), page + "," + other);
    EXPECT_EQ(ContentHistorySize(), 1);
    manager.Undo_ContentTree();
    EXPECT_EQ(Contents(), "");
}

TEST_F(InsertCommands, UndoingAnAddKeepsTheDefaultTopicOfAnEarlierEntry) {
    std::string page = folder.Write("intro.htm", "<title>Welcome</title>");
    FillContents(FilesList({ListRun("ROOT", 1, {Entry("A", {}, page)})}));
    project.HHP_SetOptionsData(OPT_DEFAULT_TOPIC, page);
    prompt.pickedFiles = {std::vector<std::string>{page}};
    Do(CMD_ADD_FILES_TO_CONTENTS);
    EXPECT_EQ(Contents("Local"), page + "," + page);
    manager.Undo_ContentTree();
    EXPECT_EQ(Contents(), "A");
    std::string topic;
    project.HHP_GetOptionsData(OPT_DEFAULT_TOPIC, topic);
    EXPECT_EQ(topic, page);
}

TEST_F(InsertCommands, AFolderIsAddedWithItsSubFolders) {
    folder.Write("guide/a.htm", "<title>A</title>");
    folder.Write("guide/part/b.htm", "<title>B</title>");
    chooser.folder = folder / "guide";
    Do(CMD_ADD_FOLDER_TO_INDEX);
    EXPECT_EQ(Index("Name"), "guide(part(B),A)");
    EXPECT_EQ(IndexHistorySize(), 1);
    EXPECT_EQ(ContentHistorySize(), 0);
}

TEST_F(InsertCommands, AddingAFolderUsesTheConfiguredOptionsAndFilters) {
    folder.Write("guide/a.htm", "<title>A</title>");
    folder.Write("guide/Images_files/x.htm", "<title>X</title>");
    folder.Write("guide/sub/b.htm", "<title>B</title>");
    CConfigData* config = &project.Settings().config;
    config->GetDropFileFilterSet()->UseDefaultData();
    config->m_addDirectoryOption.includeSubDir = 1;
    helper.UseConfiguration(*config);
    chooser.folder = folder / "guide";
    chooser.includeSubDir = 0;
    Do(CMD_ADD_FOLDER_TO_CONTENTS);
    EXPECT_EQ(chooser.filtersShown, config->GetDropFileFilterSet());
    // The dialog's answers are kept in the configuration for next time.
    EXPECT_EQ(config->m_addDirectoryOption.folder, folder / "guide");
    EXPECT_EQ(config->m_addDirectoryOption.includeSubDir, 0);
    EXPECT_EQ(Contents("Name"), "guide(A)");

    chooser.includeSubDir = 1;
    Do(CMD_ADD_FOLDER_TO_INDEX);
    EXPECT_EQ(Index("Name"), "guide(sub(B),A)") << "the default filter skips *_files folders";
}

TEST_F(InsertCommands, CancelledPickersAndDialogsLeaveTreesAndHistoriesAlone) {
    Do(CMD_ADD_FOLDER_TO_CONTENTS);
    Do(CMD_ADD_FILES_TO_INDEX);      // the prompt's picker cancels
    Do(CMD_NEW_CONTENTS_PAGE);       // the dialog host cancels
    Do(CMD_FOLDER_VIEW_TO_CONTENTS); // nothing was dragged
    EXPECT_EQ(Contents() + Index(), "");
    EXPECT_EQ(ContentHistorySize() + IndexHistorySize(), 0);
    EXPECT_TRUE(window.Received("accept-drop").empty());
}

TEST_F(InsertCommands, FilesFromOutsideTheProjectAreNotAddedWhenTheUserDeclinesTheCopy) {
    TempTree outside;
    prompt.pickedFiles = {std::vector<std::string>{outside.Write("x.htm", "<title>X</title>")}};
    Do(CMD_ADD_FILES_TO_CONTENTS); // the context's project dialogs decline the copy
    EXPECT_EQ(Contents(), "");
    EXPECT_EQ(ContentHistorySize(), 0);
}

TEST_F(InsertCommands, NewPageIsWrittenAndAddedUnderItsTitle) {
    dialogs.newPageTitle = "First Steps";
    Do(CMD_NEW_CONTENTS_PAGE);
    EXPECT_EQ(Contents("Name"), "First Steps");
    std::string local = project.HHC_GetTreeRoot()->GetChildAt(0)->GetAttr("Local");
    EXPECT_EQ(local, folder / "First Steps.htm");
    EXPECT_NE(TempTree::Read(local).find("<title>First Steps</title>"), std::string::npos);
    EXPECT_EQ(ContentHistorySize(), 1);
}

TEST_F(InsertCommands, AddingProjectFilesTouchesNeitherTreeNorHistory) {
    std::string page = folder.Write("hidden.htm", "<title>Hidden</title>");
    prompt.pickedFiles = {std::vector<std::string>{page}};
    Do(CMD_ADD_FILES_TO_FILES);
    const CXML* files = project.GetHHPFile()->GetFilesData();
    ASSERT_EQ(files->GetChildCount(), 1);
    EXPECT_EQ(files->GetChildAt(0)->GetAttr("Name"), page);
    EXPECT_EQ(Contents() + Index(), "");
    EXPECT_EQ(ContentHistorySize() + IndexHistorySize(), 0);
}

class RemoveCommands : public CommandTest {
protected:
    void SetUp() override {
        FillContents(
            FilesList({ListRun("ROOT", 1,
                               {Entry("A", {}, "/p/a.htm"), Entry("B", {Entry("B1"), Entry("B2")}),
                                Entry("C"), Entry("D")})}));
        before = Xml(project.HHC_GetTreeRoot());
    }
    std::string before;
};

TEST_F(RemoveCommands, UndoRestoresTheExactTreeWhateverTheSelectionOrder) {
    // Reverse order, an entry inside a selected one, an unknown ID.
    window.selections[Tree::Contents] = {"D", "B1", "C", "B", "nosuch", "A"};
    prompt.answers = {Answer::Yes};
    Do(CMD_DELETE_CONTENTS);
    EXPECT_EQ(Contents(), "");
    manager.Undo_ContentTree();
    EXPECT_EQ(Xml(project.HHC_GetTreeRoot()), before);
    manager.Redo_ContentTree();
    EXPECT_EQ(Contents(), "");
    manager.Undo_ContentTree();
    EXPECT_EQ(Xml(project.HHC_GetTreeRoot()), before);
}

TEST_F(RemoveCommands, NoToTheQuestionOrNoSelectionChangesNothing) {
    Do(CMD_DELETE_CONTENTS); // nothing selected: not even asked
    EXPECT_TRUE(prompt.messages.empty());
    window.selections[Tree::Contents] = {"C"};
    prompt.answers = {Answer::No};
    Do(CMD_DELETE_CONTENTS);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].buttons, Buttons::YesNo);
    EXPECT_EQ(Xml(project.HHC_GetTreeRoot()), before);
    EXPECT_EQ(ContentHistorySize(), 0);
}

TEST_F(RemoveCommands, DeleteAllClearsTheDefaultTopicWhichUndoDoesNotRestore) {
    project.HHP_SetOptionsData(OPT_DEFAULT_TOPIC, std::string("/p/a.htm"));
    project.HHP_SetWindowsData(WIN_DEFAULT_FILE, std::string("/p/a.htm"));
    prompt.answers = {Answer::Yes};
    Do(CMD_DELETE_ALL_CONTENTS);
    EXPECT_EQ(Contents(), "");
    manager.Undo_ContentTree();
    EXPECT_EQ(Xml(project.HHC_GetTreeRoot()), before);
    std::string topic = "x", file = "x";
    project.HHP_GetOptionsData(OPT_DEFAULT_TOPIC, topic);
    project.HHP_GetWindowsData(WIN_DEFAULT_FILE, file);
    EXPECT_EQ(topic, "");
    EXPECT_EQ(file, "");
}

TEST_F(RemoveCommands, IndexEntriesDeletedOneByOneComeBackInPlace) {
    FillIndex(FilesList(
        {ListRun("ROOT", 1, {Entry("K1"), Entry("K2", {Entry("T1")}), Entry("K3"), Entry("K4")})}));
    std::string index = Xml(project.HHK_GetTreeRoot());
    window.selections[Tree::Index] = {"K3", "K2", "T1"};
    prompt.answers = {Answer::Yes};
    Do(CMD_DELETE_INDEX);
    EXPECT_EQ(Index(), "K1,K4");
    manager.Undo_IndexTree();
    EXPECT_EQ(Xml(project.HHK_GetTreeRoot()), index);
    EXPECT_EQ(ContentHistorySize(), 0);
}

class MoveCommands : public CommandTest {
protected:
    void SetUp() override {
        FillContents(
            FilesList({ListRun("ROOT", 1,
                               {Entry("A", {}, "/p/a.htm"), Entry("B", {Entry("B1"), Entry("B2")}),
                                Entry("C", {Entry("C1")}), Entry("D")})}));
        before = Xml(project.HHC_GetTreeRoot());
    }
    std::string before;
};

TEST_F(MoveCommands, EachDirectionMovesAndUndoRestoresTheExactTree) {
    struct Case {
        int id;
        std::vector<std::string> selection;
        std::string moved;
    };
    const Case cases[] = {
        {CMD_MOVE_CONTENTS_UP, {"D", "C"}, "A,C(C1),D,B(B1,B2)"},
        {CMD_MOVE_CONTENTS_DOWN, {"A", "B"}, "C(C1),A,B(B1,B2),D"},
        {CMD_MOVE_CONTENTS_LEFT, {"B1"}, "A,B(B2),B1,C(C1),D"},
        {CMD_MOVE_CONTENTS_RIGHT, {"C", "!D"}, "A,B(B1,B2,C(C1),D)"},
    };
    for (const Case& c : cases) {
        window.requests.clear();
        window.selections[Tree::Contents] = c.selection;
        Do(c.id);
        EXPECT_EQ(Contents(), c.moved) << c.id;
        auto reselect = window.Received("select");
        ASSERT_EQ(reselect.size(), 1u);
        manager.Undo_ContentTree();
        EXPECT_EQ(Xml(project.HHC_GetTreeRoot()), before) << c.id;
        manager.Redo_ContentTree();
        EXPECT_EQ(Contents(), c.moved) << c.id;
        manager.Undo_ContentTree();
        // Execute, undo, redo and undo each select the moved entries again.
        EXPECT_EQ(window.Received("select").size(), 4u);
        EXPECT_EQ(window.Received("select").back().nodes, reselect[0].nodes);
        window.selections.erase(Tree::Contents);
    }
    // Each new move discarded the undone one before it.
    EXPECT_EQ(ContentHistorySize(), 1);
}

TEST_F(MoveCommands, MovingTheDefaultTopicKeepsIt) {
    project.HHP_SetOptionsData(OPT_DEFAULT_TOPIC, std::string("/p/a.htm"));
    window.selections[Tree::Contents] = {"A"};
    Do(CMD_MOVE_CONTENTS_DOWN);
    manager.Undo_ContentTree();
    std::string topic;
    project.HHP_GetOptionsData(OPT_DEFAULT_TOPIC, topic);
    EXPECT_EQ(topic, "/p/a.htm");
}

TEST_F(MoveCommands, AMoveWithNowhereToGoOrNoSelectionAddsNoEntry) {
    window.selections[Tree::Contents] = {"A"};
    Do(CMD_MOVE_CONTENTS_UP);
    window.selections.erase(Tree::Contents);
    Do(CMD_MOVE_CONTENTS_DOWN);
    EXPECT_EQ(Xml(project.HHC_GetTreeRoot()), before);
    EXPECT_EQ(ContentHistorySize(), 0);
}

TEST_F(MoveCommands, DragMoveOntoAnEntryAndBack) {
    project.Settings().config.SetInsertMode(kInsertAfter);
    project.GetHHCFile()->SetDroppedNode(project.HHC_GetNodeByID("C1"));
    window.selections[Tree::Contents] = {"D", "A", "B2"};
    Do(CMD_DRAG_MOVE_CONTENTS);
    EXPECT_EQ(Contents(), "B(B1),C(C1,A,B2,D)");
    manager.Undo_ContentTree();
    EXPECT_EQ(Xml(project.HHC_GetTreeRoot()), before);
    manager.Redo_ContentTree();
    EXPECT_EQ(Contents(), "B(B1),C(C1,A,B2,D)");
}

TEST_F(MoveCommands, DroppingEntriesIntoThemselvesIsRefused) {
    project.GetHHCFile()->SetDroppedNode(project.HHC_GetNodeByID("B2"));
    window.selections[Tree::Contents] = {"B"};
    Do(CMD_DRAG_MOVE_CONTENTS);
    EXPECT_EQ(Xml(project.HHC_GetTreeRoot()), before);
    EXPECT_EQ(ContentHistorySize(), 0);
}

TEST_F(MoveCommands, DragCopyThenUndoRemovesOnlyTheCopies) {
    project.Settings().config.SetInsertMode(kInsertAfter);
    project.HHP_SetOptionsData(OPT_DEFAULT_TOPIC, std::string("/p/a.htm"));
    project.GetHHCFile()->SetDroppedNode(project.HHC_GetNodeByID("D"));
    window.selections[Tree::Contents] = {"A", "C"};
    Do(CMD_DRAG_COPY_CONTENTS);
    EXPECT_EQ(Contents("Name"), "A,B(B1,B2),C(C1),D,A,C(C1)");
    // The originals were selected before the copies got their new IDs, and
    // again after the copy.
    auto selected = window.Received("select");
    ASSERT_EQ(selected.size(), 2u);
    const std::vector<SelectedNode> originals{{"A", false}, {"C", false}};
    EXPECT_EQ(selected[0].nodes, originals);
    EXPECT_EQ(selected[1].nodes, originals);
    const CXML* root = project.HHC_GetTreeRoot();
    EXPECT_NE(root->GetChildAt(4)->GetAttr("ID"), "A");

    manager.Undo_ContentTree();
    EXPECT_EQ(Xml(root), before);
    std::string topic;
    project.HHP_GetOptionsData(OPT_DEFAULT_TOPIC, topic);
    EXPECT_EQ(topic, "/p/a.htm");
}

class SortCommands : public CommandTest {
protected:
    SortCommands() { context.sortDialog = &sorter; }
    AlwaysSort sorter;
};

TEST_F(SortCommands, SortingATopLevelBranchAndUndoingIt) {
    FillContents(FilesList(
        {ListRun("ROOT", 1, {Entry("c"), Entry("a", {Entry("z"), Entry("y")}), Entry("b")})}));
    std::string before = Xml(project.HHC_GetTreeRoot());
    window.selections[Tree::Contents] = {"!a"};
    Do(CMD_SORT_CONTENTS_AZ);
    EXPECT_EQ(Contents(), "a(y,z),b,c");
    auto restore = window.Received("select");
    ASSERT_EQ(restore.size(), 1u);
    EXPECT_EQ(restore[0].nodes, (std::vector<SelectedNode>{{"a", true}}));
    manager.Undo_ContentTree();
    EXPECT_EQ(Xml(project.HHC_GetTreeRoot()), before);
    EXPECT_EQ(window.Received("select").size(), 2u);

    window.selections[Tree::Contents] = {"z"};
    Do(CMD_SORT_CONTENTS_ZA);
    EXPECT_EQ(Contents(), "c,a(z,y),b");
    manager.Undo_ContentTree();
    EXPECT_EQ(Xml(project.HHC_GetTreeRoot()), before);
}

TEST_F(SortCommands, ACancelledSortAddsNoEntry) {
    FillIndex(FilesList({ListRun("ROOT", 1, {Entry("b"), Entry("a")})}));
    CancellingSortDialog cancelling;
    context.sortDialog = &cancelling;
    window.selections[Tree::Index] = {"a"};
    Do(CMD_SORT_INDEX_AZ);
    EXPECT_EQ(Index(), "b,a");
    EXPECT_EQ(IndexHistorySize(), 0);
}

} // namespace
