// The two undo histories of the command manager: appending, undoing and
// redoing, the menu states, and what the manager does with unknown ids.
#include "editcommands/tests/CommandFakes.h"

#include <gtest/gtest.h>

using namespace mb::testing;

namespace {

// A command that logs its Undo and Redo calls by name.
class Logged final : public CCommand {
public:
    Logged(std::string name, std::vector<std::string>& log) : m_name(std::move(name)), m_log(log) {}
    int Execute() override { return 0; }
    void Undo() override { m_log.push_back("undo " + m_name); }
    void Redo() override { m_log.push_back("redo " + m_name); }

private:
    std::string m_name;
    std::vector<std::string>& m_log;
};

class History : public ::testing::Test {
protected:
    void Add(const std::string& name) {
        manager.AddCommandToHistoryList_ContentTree(new Logged(name, log));
    }
    std::vector<std::string> log;
    mb::CommandContext context;
    CCommandManager manager{context};
};

TEST_F(History, UndoAndRedoWalkTheEntriesInOrder) {
    EXPECT_EQ(manager.GetUndoState_ContentTree(), 0);
    EXPECT_EQ(manager.GetRedoState_ContentTree(), 0);
    Add("a");
    Add("b");
    EXPECT_EQ(manager.GetUndoState_ContentTree(), 1);
    EXPECT_EQ(manager.GetRedoState_ContentTree(), 0);
    manager.Undo_ContentTree();
    manager.Undo_ContentTree();
    manager.Undo_ContentTree(); // nothing left: no call
    EXPECT_EQ(manager.GetUndoState_ContentTree(), 0);
    EXPECT_EQ(manager.GetRedoState_ContentTree(), 1);
    manager.Redo_ContentTree();
    manager.Redo_ContentTree();
    manager.Redo_ContentTree(); // nothing left: no call
    EXPECT_EQ(log, (std::vector<std::string>{"undo b", "undo a", "redo a", "redo b"}));
}

TEST_F(History, ANewEntryAfterTwoUndosDiscardsTheUndoneEntries) {
    Add("a");
    Add("b");
    Add("c");
    manager.Undo_ContentTree();
    manager.Undo_ContentTree();
    Add("d");
    EXPECT_EQ(manager.ContentHistory().Size(), 2);
    EXPECT_EQ(manager.GetRedoState_ContentTree(), 0);
    manager.Undo_ContentTree();
    manager.Undo_ContentTree();
    EXPECT_EQ(log, (std::vector<std::string>{"undo c", "undo b", "undo d", "undo a"}));
}

TEST_F(History, RedoWithNothingToRedoLeavesTheNewestEntryNextForUndo) {
    Add("a");
    Add("b");
    manager.Redo_ContentTree();
    manager.Undo_ContentTree();
    EXPECT_EQ(log, (std::vector<std::string>{"undo b"}));
}

TEST_F(History, TheTwoHistoriesAreIndependent) {
    Add("contents");
    manager.AddCommandToHistoryList_IndexTree(new Logged("index", log));
    manager.ClearCommandHistoryList_ContentTree();
    EXPECT_EQ(manager.GetUndoState_ContentTree(), 0);
    EXPECT_EQ(manager.GetUndoState_IndexTree(), 1);
    manager.Undo_ContentTree();
    manager.Undo_IndexTree();
    EXPECT_EQ(log, (std::vector<std::string>{"undo index"}));
}

class UnknownIds : public CommandTest {};

TEST_F(UnknownIds, DoNothingAndReturnZero) {
    FillContents(FilesList({ListRun("ROOT", 1, {Entry("A"), Entry("B")})}));
    window.selections[mb::Tree::Contents] = {"A"};
    prompt.answers = {mb::Answer::Yes, mb::Answer::Yes, mb::Answer::Yes, mb::Answer::Yes};
    for (int id : {53, 54, 55, -1, 57, 1000})
        EXPECT_EQ(Do(id), 0) << id;
    EXPECT_EQ(Contents(), "A,B");
    EXPECT_TRUE(window.requests.empty());
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(ContentHistorySize() + IndexHistorySize(), 0);
}

} // namespace
