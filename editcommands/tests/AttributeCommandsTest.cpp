// Commands that change attributes and settings, replace the index, and add
// contents entries or page keywords to the index.
#include "editcommands/InsertCommands.h"
#include "editcommands/tests/CommandFakes.h"
#include "projectmodel/FilesList.h"

#include <gtest/gtest.h>

using namespace mb;
using namespace mb::testing;

namespace {

std::unique_ptr<CXML> Parameters(std::initializer_list<std::pair<const char*, std::string>> attrs) {
    auto record = std::make_unique<CXML>("PARAMETERS");
    for (const auto& [name, value] : attrs)
        record->SetAttr(name, value);
    return record;
}

class AttributeCommands : public CommandTest {
protected:
    void SetUp() override {
        FillContents(FilesList({ListRun(
            "ROOT", 1, {Entry("A", {}, "/p/a.htm"), Entry("B", {Entry("B1")}, "/p/b.htm")})}));
    }
};

TEST_F(AttributeCommands, RenameUndoRedoAndANewRenameDiscardsTheRedoEntry) {
    auto first = Parameters({{"ID", "A"}, {"OLD_NAME", "A"}, {"NEW_NAME", "Alpha"}});
    Do(CMD_RENAME_CONTENTS, first.get());
    EXPECT_EQ(Contents("Name"), "Alpha,B(B1)");
    manager.Undo_ContentTree();
    EXPECT_EQ(Contents("Name"), "A,B(B1)");
    EXPECT_EQ(manager.GetRedoState_ContentTree(), 1);
    auto second = Parameters({{"ID", "B"}, {"OLD_NAME", "B"}, {"NEW_NAME", "Beta"}});
    Do(CMD_RENAME_CONTENTS, second.get());
    EXPECT_EQ(manager.GetRedoState_ContentTree(), 0);
    manager.Redo_ContentTree();
    EXPECT_EQ(Contents("Name"), "A,Beta(B1)");
    EXPECT_EQ(ContentHistorySize(), 1);
}

TEST_F(AttributeCommands, UndoRestoresTheNameTheEntryHadWhateverTheCallerSaid) {
    auto record = Parameters({{"ID", "A"}, {"OLD_NAME", "stale"}, {"NEW_NAME", "Alpha"}});
    Do(CMD_RENAME_CONTENTS, record.get());
    manager.Undo_ContentTree();
    EXPECT_EQ(Contents("Name"), "A,B(B1)");
}

TEST_F(AttributeCommands, RenamesOfMissingOrHiddenEntriesAreNotMadeOrRecorded) {
    project.HHC_GetNodeByID("B1")->SetAttr("HTreeItem", "0");
    for (const char* id : {"nosuch", "B1"}) {
        auto record = Parameters({{"ID", id}, {"OLD_NAME", "x"}, {"NEW_NAME", "y"}});
        Do(CMD_RENAME_CONTENTS, record.get());
    }
    EXPECT_EQ(Contents("Name"), "A,B(B1)");
    EXPECT_EQ(ContentHistorySize(), 0);
}

TEST_F(AttributeCommands, ContentsPageFromEachSource) {
    std::string page = folder.Write("new.htm", "<title>New</title>");
    // Given values; the same page again is no change.
    auto same = Parameters(
        {{"GET_URL_MODE", "3"}, {"ID", "A"}, {"OLD_URL", "/p/a.htm"}, {"NEW_URL", "/p/a.htm"}});
    Do(CMD_CHANGE_CONTENTS_LOCAL, same.get());
    EXPECT_EQ(ContentHistorySize(), 0);
    // Picked file.
    prompt.pickedFiles = {std::vector<std::string>{page}};
    auto picked = Parameters({{"GET_URL_MODE", "1"}, {"ID", "A"}});
    Do(CMD_CHANGE_CONTENTS_LOCAL, picked.get());
    EXPECT_EQ(Contents("Local"), page + ",/p/b.htm()");
    EXPECT_EQ(project.GetLastOpenDir(), folder.Root());
    // Entered address: the dialog starts with the current page.
    dialogs.url = "http://example.com/x.htm";
    auto entered = Parameters({{"GET_URL_MODE", "2"}, {"ID", "B"}});
    Do(CMD_CHANGE_CONTENTS_LOCAL, entered.get());
    EXPECT_EQ(dialogs.urlShown, "/p/b.htm");
    EXPECT_EQ(Contents("Local"), page + ",http://example.com/x.htm()");
    manager.Undo_ContentTree();
    manager.Undo_ContentTree();
    EXPECT_EQ(Contents("Local"), "/p/a.htm,/p/b.htm()");
    // A cancelled URL dialog changes nothing.
    dialogs.url.reset();
    EXPECT_EQ(Do(CMD_CHANGE_CONTENTS_LOCAL, entered.get()), 0);
    EXPECT_EQ(ContentHistorySize(), 2);
}

TEST_F(AttributeCommands, IconsUndoGivesEveryEntryItsOwnImage) {
    project.HHC_GetNodeByID("A")->SetAttr("ImageNumber", 3);
    project.HHC_GetNodeByID("B1")->SetAttr("ImageNumber", 7);
    auto record = Parameters({{"NEW_ICON", "21"}});
    for (const char* id : {"A", "B1", "nosuch"})
        record->AddChild("NODE_ID", id);
    Do(CMD_CHANGE_CONTENTS_ICONS, record.get());
    EXPECT_EQ(Contents("ImageNumber"), "21,(21)");
    manager.Undo_ContentTree();
    EXPECT_EQ(Contents("ImageNumber"), "3,(7)");
    manager.Redo_ContentTree();
    EXPECT_EQ(Contents("ImageNumber"), "21,(21)");
}

TEST_F(AttributeCommands, BackgroundColourAndFont) {
    dialogs.color = 0x00FF00;
    Do(CMD_CONTENTS_BACKGROUND);
    Do(CMD_CONTENTS_BACKGROUND); // the same colour again: no entry
    EXPECT_EQ(project.HHC_GetBackgroundColor(), 0x00FF00u);
    LOGFONTA before;
    project.Content_GetFont(before);
    LOGFONTA chosen = before;
    chosen.lfFaceName = "DejaVu Sans";
    chosen.lfHeight = -16;
    dialogs.font = chosen;
    Do(CMD_CONTENTS_FONT);
    LOGFONTA now;
    project.Content_GetFont(now);
    EXPECT_EQ(now.lfFaceName, "DejaVu Sans");
    EXPECT_EQ(ContentHistorySize(), 2);
    manager.Undo_ContentTree();
    manager.Undo_ContentTree();
    project.Content_GetFont(now);
    EXPECT_EQ(now, before);
    EXPECT_EQ(project.HHC_GetBackgroundColor(), CHHCFile::kDefaultBackground);
}

class IndexTypes : public CommandTest {
protected:
    void SetUp() override {
        FillIndex(FilesList({ListRun(
            "ROOT", 1,
            {Entry("K", {Entry("T1"), Entry("T2")}), Entry("M", {Entry("S1"), Entry("S2")})})}));
    }
    void Run(int id, const char* entry) {
        auto record = Parameters({{"ID", entry}});
        Do(id, record.get());
    }
    std::string Types() const { return Index("Type"); }
};

TEST_F(IndexTypes, MakeSubTopicTurnsTheParentIntoAKeywordWithSeveralTopics) {
    std::string start = Types();
    Run(CMD_INDEX_MAKE_SUBTOPIC, "T1");
    EXPECT_EQ(Types(), "4(5,0),0(0,0)");
    // The parent already has several topics: only the entry changes, and
    // undo leaves the parent alone.
    Run(CMD_INDEX_MAKE_SUBTOPIC, "T2");
    EXPECT_EQ(Types(), "4(5,5),0(0,0)");
    manager.Undo_IndexTree();
    EXPECT_EQ(Types(), "4(5,0),0(0,0)");
    manager.Undo_IndexTree();
    EXPECT_EQ(Types(), start);
    // Without a record, or on a top-level entry, nothing happens.
    Do(CMD_INDEX_MAKE_SUBTOPIC);
    Run(CMD_INDEX_MAKE_SUBTOPIC, "K");
    EXPECT_EQ(IndexHistorySize(), 2);
}

TEST_F(IndexTypes, MakeKeywordAndSplitTopicsWithTheirUndo) {
    Run(CMD_INDEX_MAKE_SUBTOPIC, "S1");
    Run(CMD_INDEX_MAKE_SUBTOPIC, "S2");
    std::string topics = Types();
    EXPECT_EQ(topics, "0(0,0),4(5,5)");
    Run(CMD_INDEX_MAKE_KEYWORD, "S1");
    EXPECT_EQ(Types(), "0(0,0),4(0,5)");
    manager.Undo_IndexTree();
    EXPECT_EQ(Types(), topics);
    Run(CMD_INDEX_SPLIT_TOPICS, "M");
    EXPECT_EQ(Types(), "0(0,0),0(0,0)");
    manager.Undo_IndexTree();
    EXPECT_EQ(Types(), topics);
    manager.Redo_IndexTree();
    EXPECT_EQ(Types(), "0(0,0),0(0,0)");
}

TEST_F(IndexTypes, ChangesThatWouldStrandATopicAreNotMade) {
    Run(CMD_INDEX_MAKE_SUBTOPIC, "S1");
    std::string topics = Types();
    Run(CMD_INDEX_MAKE_KEYWORD, "M"); // a keyword with topics is no topic
    Run(CMD_INDEX_SPLIT_TOPICS, "K"); // a keyword without topics
    EXPECT_EQ(Types(), topics);
    EXPECT_EQ(IndexHistorySize(), 1);
}

class IndexFromContents : public CommandTest {};

TEST_F(IndexFromContents, ReplacingTheIndexByTheContentsAndBack) {
    FillContents(FilesList({ListRun("ROOT", 1, {Entry("A", {Entry("A1")}), Entry("B")})}));
    FillIndex(FilesList({ListRun("ROOT", 1, {Entry("K")})}));
    std::string index = Xml(project.HHK_GetTreeRoot());
    Do(CMD_INDEX_FROM_CONTENTS); // the question defaults to No
    EXPECT_EQ(Index(), "K");
    prompt.answers = {Answer::Yes};
    Do(CMD_INDEX_FROM_CONTENTS);
    EXPECT_EQ(Index(), "A(A1),B");
    EXPECT_EQ(prompt.messages.back().icon, Icon::Information);
    manager.Undo_IndexTree();
    EXPECT_EQ(Xml(project.HHK_GetTreeRoot()), index);
    EXPECT_EQ(ContentHistorySize(), 0);
    EXPECT_EQ(Contents(), "A(A1),B");
}

class ToIndex : public CommandTest {
protected:
    void SetUp() override {
        std::string page = folder.Write(
            "kw.htm", "<html><head><meta name=\"keywords\" content=\"alpha, beta, gamma\">"
                      "<title>K</title></head></html>");
        folder.Write("plain.htm", "<html><head><title>P</title></head></html>");
        FillContents(FilesList({ListRun(
            "ROOT", 1,
            {Entry("A", {Entry("A1")}, page), Entry("T", {}, folder / "notes.txt"),
             Entry("W", {}, "http://example.com/a.htm"), Entry("P", {}, folder / "plain.htm"),
             Entry("G", {}, folder / "gone.htm")})}));
        FillIndex(FilesList({ListRun("ROOT", 1, {Entry("K1"), Entry("K2")})}));
        project.Settings().config.SetInsertMode(kInsertAfter);
    }
    int Keywords(const char* entry) {
        window.selections[Tree::Contents] = {entry};
        return Do(CMD_ADD_PAGE_KEYWORDS);
    }
};

TEST_F(ToIndex, SelectedEntriesWithOrWithoutSubEntries) {
    window.selections[Tree::Contents] = {"A"};
    Do(CMD_ADD_SELECTION_TO_INDEX); // the dialog is cancelled
    EXPECT_EQ(IndexHistorySize(), 0);
    dialogs.addToIndexChecked = false;
    Do(CMD_ADD_SELECTION_TO_INDEX);
    EXPECT_EQ(Index("Name"), "K1,K2,A");
    dialogs.addToIndexChecked = true;
    Do(CMD_ADD_SELECTION_TO_INDEX);
    EXPECT_EQ(project.GetIncludeSubEntries(), 1);
    EXPECT_EQ(Index("Name"), "K1,K2,A,A(A1)");
    // The copies have IDs of their own.
    EXPECT_NE(project.HHK_GetTreeRoot()->GetChildAt(2)->GetAttr("ID"), "A");
    manager.Undo_IndexTree();
    manager.Undo_IndexTree();
    EXPECT_EQ(Index(), "K1,K2");
}

TEST_F(ToIndex, PageKeywordsResults) {
    EXPECT_EQ(Keywords("T"), AddPageKeywordsCommand::kNotHtml);
    EXPECT_EQ(Keywords("W"), AddPageKeywordsCommand::kNotLocal);
    EXPECT_EQ(Keywords("P"), AddPageKeywordsCommand::kNoKeywords);
    EXPECT_EQ(Keywords("G"), AddPageKeywordsCommand::kCannotOpen);
    EXPECT_EQ(Keywords("A"), AddPageKeywordsCommand::kDone); // selection dialog cancelled
    EXPECT_EQ(dialogs.keywordsShown, (std::vector<std::string>{"alpha", "beta", "gamma"}));
    EXPECT_EQ(IndexHistorySize(), 0);

    project.GetHHKFile()->SetSelectedNode(project.HHK_GetNodeByID("K1"));
    dialogs.keywordsChecked = std::vector<bool>{true, false, true};
    EXPECT_EQ(Keywords("A"), AddPageKeywordsCommand::kDone);
    EXPECT_EQ(Index("Name"), "K1,alpha(A1),gamma(A1),K2");
    manager.Undo_IndexTree();
    EXPECT_EQ(Index(), "K1,K2");
}

} // namespace
