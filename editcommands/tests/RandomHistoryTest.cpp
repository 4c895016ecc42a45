// Random command, undo and redo sequences on generated trees, checked
// against a model of the two histories: after every step each tree must be
// exactly the state its history says (the state after the last entry not
// undone), and undoing everything must give the starting trees back byte
// for byte. Seeded, so a failure names the seed and step that reproduce it.
#include "editcommands/tests/CommandFakes.h"
#include "projectmodel/FilesList.h"

#include <gtest/gtest.h>

#include <random>

using namespace mb;
using namespace mb::testing;

namespace {

// The states a history has passed through and the one the tree is in now.
struct HistoryModel {
    std::vector<std::string> states;
    size_t current = 0;
};

class RandomHistory : public CommandTest {
protected:
    RandomHistory() { context.sortDialog = &sorter; }
    std::mt19937 random;
    AlwaysSort sorter;

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }
    bool Chance(int percent) { return Pick(100) < percent; }

    // A random sub-tree of up to `budget` entries with IDs "<prefix><n>".
    CXML* RandomEntry(const std::string& prefix, int& counter, int depth) {
        std::string id = prefix + std::to_string(counter++);
        CXML* node = Entry(id, {}, Chance(70) ? "/help/" + id + ".htm" : std::string());
        node->SetAttr("Name", std::string(1, static_cast<char>('a' + Pick(6))) + id);
        node->SetAttr("ImageNumber", Pick(42)); // every entry the program makes has one
        if (depth < 3)
            for (int i = Pick(depth == 0 ? 4 : 3); i > 0; --i)
                node->AddChild(RandomEntry(prefix, counter, depth + 1));
        return node;
    }
    std::unique_ptr<CXML> RandomTree(const std::string& prefix) {
        auto list = FilesList({ListRun("ROOT", 1, {})});
        int counter = 0;
        for (int i = 2 + Pick(5); i > 0; --i)
            list->GetChildAt(0)->AddChild(RandomEntry(prefix, counter, 0));
        return list;
    }

    // Every entry ID of a tree, in tree order.
    static void CollectIDs(const CXML* node, std::vector<std::string>& ids) {
        for (int i = 0; i < node->GetChildCount(); ++i) {
            ids.push_back(node->GetChildAt(i)->GetAttr("ID"));
            CollectIDs(node->GetChildAt(i), ids);
        }
    }
    std::vector<std::string> IDs(bool contents) const {
        std::vector<std::string> ids;
        CollectIDs(contents ? project.HHC_GetTreeRoot() : project.HHK_GetTreeRoot(), ids);
        return ids;
    }
    // A random selection of existing IDs in random order, sometimes with an
    // unknown ID or a duplicate.
    std::vector<std::string> RandomSelection(bool contents) {
        std::vector<std::string> ids = IDs(contents), chosen;
        if (ids.empty())
            return chosen;
        for (int i = Pick(4); i >= 0; --i)
            chosen.push_back(ids[Pick(static_cast<int>(ids.size()))]);
        if (Chance(5))
            chosen.push_back("nosuch");
        std::shuffle(chosen.begin(), chosen.end(), random);
        return chosen;
    }
    std::string RandomID(bool contents) {
        std::vector<std::string> ids = IDs(contents);
        return ids.empty() ? std::string() : ids[Pick(static_cast<int>(ids.size()))];
    }

    std::string State(bool contents) const {
        if (!contents)
            return Xml(project.HHK_GetTreeRoot());
        return Xml(project.HHC_GetTreeRoot()) + "|" +
               std::to_string(project.HHC_GetBackgroundColor());
    }

    // Runs one random command on one tree.
    void RandomCommand(bool contents) {
        auto selection = RandomSelection(contents);
        window.selections[Tree::Contents] = selection;
        window.selections[Tree::Index] = selection;
        prompt.answers.assign(2, Chance(90) ? Answer::Yes : Answer::No);
        CSitemapFile* model = contents ? static_cast<CSitemapFile*>(project.GetHHCFile())
                                       : static_cast<CSitemapFile*>(project.GetHHKFile());
        std::string target = RandomID(contents);
        model->SetDroppedNode(target.empty() ? nullptr : model->GetNodeByID(target));
        model->SetSelectedNode(Chance(50) ? model->GetDroppedNode() : nullptr);
        project.Settings().config.SetInsertMode(Pick(3));

        static const int contentsCommands[] = {
            CMD_DELETE_CONTENTS,      CMD_DELETE_ALL_CONTENTS, CMD_MOVE_CONTENTS_DOWN,
            CMD_MOVE_CONTENTS_LEFT,   CMD_MOVE_CONTENTS_RIGHT, CMD_MOVE_CONTENTS_UP,
            CMD_DRAG_MOVE_CONTENTS,   CMD_DRAG_COPY_CONTENTS,  CMD_SORT_CONTENTS_AZ,
            CMD_SORT_CONTENTS_ZA,     CMD_RENAME_CONTENTS,     CMD_CHANGE_CONTENTS_ICONS,
            CMD_NEW_CONTENTS_HEADING, CMD_CONTENTS_BACKGROUND};
        static const int indexCommands[] = {
            CMD_DELETE_INDEX,       CMD_DELETE_ALL_INDEX,   CMD_MOVE_INDEX_DOWN,
            CMD_MOVE_INDEX_LEFT,    CMD_MOVE_INDEX_RIGHT,   CMD_MOVE_INDEX_UP,
            CMD_DRAG_MOVE_INDEX,    CMD_DRAG_COPY_INDEX,    CMD_SORT_INDEX_AZ,
            CMD_SORT_INDEX_ZA,      CMD_RENAME_INDEX,       CMD_INDEX_MAKE_SUBTOPIC,
            CMD_INDEX_MAKE_KEYWORD, CMD_INDEX_SPLIT_TOPICS, CMD_NEW_INDEX_KEYWORD,
            CMD_INDEX_FROM_CONTENTS};
        int id = contents ? contentsCommands[Pick(std::size(contentsCommands))]
                          : indexCommands[Pick(std::size(indexCommands))];
        lastCommand = id;

        CXML parameters("PARAMETERS");
        parameters.SetAttr("ID", target);
        const CXML* node = target.empty() ? nullptr : model->GetNodeByID(target);
        parameters.SetAttr("OLD_NAME", node ? std::string(node->GetAttr("Name")) : "");
        parameters.SetAttr("NEW_NAME", "n" + std::to_string(Pick(1000)));
        parameters.SetAttr("NEW_ICON", Pick(42));
        if (!target.empty())
            parameters.AddChild("NODE_ID", target);
        dialogs.color = static_cast<uint32_t>(Pick(4) * 0x111111);
        Do(id, &parameters);
    }

    // Checks that a tree is in the state its model says.
    void Expect(bool contents, const HistoryModel& model, const std::string& where) {
        ASSERT_EQ(State(contents), model.states[model.current])
            << where << (contents ? " contents" : " index") << " after command " << lastCommand;
    }

    // One step on one tree: a command, an undo or a redo.
    void Step(bool contents, HistoryModel& model, const std::string& where) {
        const mb::CommandHistory& history =
            contents ? manager.ContentHistory() : manager.IndexHistory();
        int choice = Pick(10);
        if (choice < 2) {
            contents ? manager.Undo_ContentTree() : manager.Undo_IndexTree();
            if (model.current > 0)
                --model.current;
        } else if (choice < 4) {
            contents ? manager.Redo_ContentTree() : manager.Redo_IndexTree();
            if (model.current + 1 < model.states.size())
                ++model.current;
        } else {
            int position = history.Position();
            RandomCommand(contents);
            if (history.Position() == position + 1) {
                model.states.resize(model.current + 1);
                model.states.push_back(State(contents));
                model.current = model.states.size() - 1;
                ASSERT_EQ(history.Size(), static_cast<int>(model.states.size()) - 1)
                    << where << ": the redo tail was not discarded";
            } else {
                ASSERT_EQ(history.Position(), position) << where;
            }
        }
        Expect(contents, model, where);
    }

    int lastCommand = -1;
};

TEST_F(RandomHistory, EveryStepMatchesTheHistoryAndUndoingAllRestoresTheStart) {
    constexpr int kSeeds = 500;
    constexpr int kSteps = 40;
    for (int seed = 1; seed <= kSeeds; ++seed) {
        random.seed(seed);
        manager.ClearCommandHistoryList_ContentTree();
        manager.ClearCommandHistoryList_IndexTree();
        project.InitProject();
        FillContents(RandomTree("c"));
        FillIndex(RandomTree("k"));
        HistoryModel contents{{State(true)}};
        HistoryModel index{{State(false)}};
        for (int step = 0; step < kSteps; ++step) {
            std::string where = "seed " + std::to_string(seed) + " step " + std::to_string(step);
            bool onContents = Chance(50);
            Step(onContents, onContents ? contents : index, where);
            if (HasFatalFailure())
                return;
        }
        while (manager.GetUndoState_ContentTree())
            manager.Undo_ContentTree();
        while (manager.GetUndoState_IndexTree())
            manager.Undo_IndexTree();
        ASSERT_EQ(State(true), contents.states[0]) << "seed " << seed;
        ASSERT_EQ(State(false), index.states[0]) << "seed " << seed;
    }
}

} // namespace
