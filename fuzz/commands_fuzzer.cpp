// Drives the command manager with command, undo and redo sequences taken
// from the input, on contents and index trees also built from the input,
// and aborts when undoing everything does not give the starting trees back
// or redoing what had been done does not give the last trees back. Under the
// sanitizers this also finds every use of an entry after it left the tree.
#include "FuzzSupport.h"

#include "appglue/AppHelper.h"
#include "baseutil/MainWindow.h"
#include "baseutil/Xml.h"
#include "editcommands/CommandIds.h"
#include "editcommands/CommandManager.h"
#include "editcommands/tests/support/SelectingWindow.h"
#include "projectmodel/SortDialog.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class Input {
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    int Next(int count) { return m_at < m_size ? m_data[m_at++] % count : 0; }
    bool Done() const { return m_at >= m_size; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

class AlwaysSort final : public mb::ISortDialog {
public:
    bool Ask(const std::string&, mb::SortChoice& choice) override {
        choice.thisLevelOnly = 0;
        return true;
    }
};

using mb::testing::SelectingWindow;

void CollectIDs(const CXML* node, std::vector<std::string>& ids) {
    for (int i = 0; i < node->GetChildCount(); ++i) {
        ids.push_back(node->GetChildAt(i)->GetAttr("ID"));
        CollectIDs(node->GetChildAt(i), ids);
    }
}

// A tree of up to 24 entries; each hangs below an earlier one or the top.
std::unique_ptr<CXML> TreeFrom(Input& input, const std::string& prefix) {
    auto list = std::make_unique<CXML>("FilesList");
    CXML* run = list->AddChild("List");
    run->SetAttr("RelativeNodeID", "ROOT");
    run->SetAttr("InsertMode", 1);
    std::vector<CXML*> nodes;
    for (int i = 0, count = 1 + input.Next(24); i < count; ++i) {
        auto* node = new CXML("node");
        std::string id = prefix + std::to_string(i);
        node->SetAttr("Name", std::string(1, static_cast<char>('a' + input.Next(5))) + id);
        node->SetAttr("Local", input.Next(2) ? "/help/" + id + ".htm" : "");
        node->SetAttr("ImageNumber", input.Next(42));
        node->SetAttr("ID", id);
        node->SetAttr("Type", input.Next(2) ? 0 : 4);
        int parent = input.Next(static_cast<int>(nodes.size()) + 1);
        (parent == 0 ? run : nodes[parent - 1])->AddChild(node);
        nodes.push_back(node);
    }
    return list;
}

std::string State(const CProjectFile& project) {
    std::string text;
    project.HHC_GetTreeRoot()->XMLWriteString(text);
    project.HHK_GetTreeRoot()->XMLWriteString(text);
    return text + std::to_string(project.HHC_GetBackgroundColor());
}

const int kCommands[] = {
    mb::CMD_DELETE_CONTENTS,      mb::CMD_DELETE_ALL_CONTENTS,   mb::CMD_MOVE_CONTENTS_DOWN,
    mb::CMD_MOVE_CONTENTS_LEFT,   mb::CMD_MOVE_CONTENTS_RIGHT,   mb::CMD_MOVE_CONTENTS_UP,
    mb::CMD_DRAG_MOVE_CONTENTS,   mb::CMD_DRAG_COPY_CONTENTS,    mb::CMD_SORT_CONTENTS_AZ,
    mb::CMD_SORT_CONTENTS_ZA,     mb::CMD_RENAME_CONTENTS,       mb::CMD_CHANGE_CONTENTS_ICONS,
    mb::CMD_NEW_CONTENTS_HEADING, mb::CMD_DELETE_INDEX,          mb::CMD_DELETE_ALL_INDEX,
    mb::CMD_MOVE_INDEX_DOWN,      mb::CMD_MOVE_INDEX_LEFT,       mb::CMD_MOVE_INDEX_RIGHT,
    mb::CMD_MOVE_INDEX_UP,        mb::CMD_DRAG_MOVE_INDEX,       mb::CMD_DRAG_COPY_INDEX,
    mb::CMD_SORT_INDEX_AZ,        mb::CMD_RENAME_INDEX,          mb::CMD_INDEX_MAKE_SUBTOPIC,
    mb::CMD_INDEX_MAKE_KEYWORD,   mb::CMD_INDEX_SPLIT_TOPICS,    mb::CMD_NEW_INDEX_KEYWORD,
    mb::CMD_INDEX_FROM_CONTENTS,  mb::CMD_ADD_SELECTION_TO_INDEX};
constexpr int kCommandCount = sizeof kCommands / sizeof kCommands[0];

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::SilentPrompt prompt(mb::Answer::Yes);
    static AlwaysSort sorter;
    static SelectingWindow window;
    mb::CommandContext context;
    context.prompt = &prompt;
    context.sortDialog = &sorter;
    context.window = &window;

    Input input(data, size);
    CProjectFile project;
    project.SetChannels(&context);
    auto contents = TreeFrom(input, "c");
    auto index = TreeFrom(input, "k");
    project.Content_AddFilesList2(contents.get());
    project.Index_AddFilesList2(index.get());
    project.ResetModifiedInfo();
    mb::PickerAddDirectoryDialog picker(prompt, project.Settings().env);
    CAppHelper helper(picker, prompt, project.Settings().env);
    CCommandManager manager(context);
    manager.SetProjectFile(&project);
    manager.SetAppHelper(&helper);
    manager.CreateCommandObject();
    const std::string start = State(project);

    for (int step = 0; step < 64 && !input.Done(); ++step) {
        int action = input.Next(kCommandCount + 4);
        if (action >= kCommandCount) {
            switch (action - kCommandCount) {
            case 0:
                manager.Undo_ContentTree();
                break;
            case 1:
                manager.Redo_ContentTree();
                break;
            case 2:
                manager.Undo_IndexTree();
                break;
            default:
                manager.Redo_IndexTree();
                break;
            }
            continue;
        }
        int id = kCommands[action];
        bool onContents = id <= mb::CMD_NEW_CONTENTS_HEADING || id == mb::CMD_RENAME_CONTENTS ||
                          id == mb::CMD_ADD_SELECTION_TO_INDEX;
        std::vector<std::string> ids;
        CollectIDs(onContents ? project.HHC_GetTreeRoot() : project.HHK_GetTreeRoot(), ids);
        window.selection.clear();
        for (int i = input.Next(4); i > 0 && !ids.empty(); --i)
            window.selection.push_back(ids[input.Next(static_cast<int>(ids.size()))]);
        CSitemapFile* model = onContents ? static_cast<CSitemapFile*>(project.GetHHCFile())
                                         : static_cast<CSitemapFile*>(project.GetHHKFile());
        std::string target = ids.empty() ? "" : ids[input.Next(static_cast<int>(ids.size()))];
        model->SetDroppedNode(target.empty() ? nullptr : model->GetNodeByID(target));
        model->SetSelectedNode(input.Next(2) ? model->GetDroppedNode() : nullptr);
        project.Settings().config.SetInsertMode(input.Next(3));
        project.SetIncludeSubEntries(input.Next(2));

        CXML parameters("PARAMETERS");
        parameters.SetAttr("ID", target);
        parameters.SetAttr("OLD_NAME", "old");
        parameters.SetAttr("NEW_NAME", "n" + std::to_string(input.Next(100)));
        parameters.SetAttr("NEW_ICON", input.Next(42));
        parameters.AddChild("NODE_ID", target);
        manager.DoCommand(id, &parameters);
    }

    // Undo everything, then redo as many entries as were done at the end
    // (entries undone at the end stay undone).
    const std::string last = State(project);
    const int contentsDone = manager.ContentHistory().Position() + 1;
    const int indexDone = manager.IndexHistory().Position() + 1;
    while (manager.GetUndoState_ContentTree())
        manager.Undo_ContentTree();
    while (manager.GetUndoState_IndexTree())
        manager.Undo_IndexTree();
    if (State(project) != start)
        std::abort();
    for (int i = 0; i < contentsDone; ++i)
        manager.Redo_ContentTree();
    for (int i = 0; i < indexDone; ++i)
        manager.Redo_IndexTree();
    if (State(project) != last)
        std::abort();

    manager.ClearCommandHistoryList_ContentTree();
    manager.ClearCommandHistoryList_IndexTree();
    manager.DeleteCommandObject();
    return 0;
}
