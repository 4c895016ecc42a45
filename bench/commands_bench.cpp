// Times the edit commands on a project of 100,000 contents and 100,000
// index entries, against one save of the same project, in one run: a
// one-entry rename and a one-entry move (execute, undo, redo each), and a
// 1,000-entry delete with its undo and redo.
// Targets: one-entry undo and redo under 1% of one save; the 1,000-entry
// delete with its undo under one save.

#include "appglue/AppHelper.h"
#include "baseutil/MainWindow.h"
#include "baseutil/Prompt.h"
#include "bench/ProjectBenchSupport.h"
#include "editcommands/CommandIds.h"
#include "editcommands/CommandManager.h"
#include "editcommands/tests/support/SelectingWindow.h"

#include <cstdlib>

using namespace mb::bench;

namespace {

constexpr int kDeleted = 1000;
constexpr int kRepeats = 9;

using mb::testing::SelectingWindow;

// Says Yes to every question.
class YesPrompt final : public mb::IPrompt {
public:
    mb::Answer Message(const mb::MessageRequest&) override { return mb::Answer::Yes; }
    std::optional<std::vector<std::string>> PickOpenFiles(const mb::PickRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> PickFolder(const mb::PickRequest&) override { return std::nullopt; }
    std::optional<std::string> PickSavePath(const mb::PickRequest&) override {
        return std::nullopt;
    }
    void BeginBusy() override {}
    void EndBusy() override {}
};

struct Timing {
    double execute = 0;
    double undo = 1e30; // best of the repeats
    double redo = 1e30;
};

// Executes once, then undoes and redoes kRepeats times.
Timing Measure(CCommandManager& manager, const std::function<void()>& execute) {
    Timing timing;
    timing.execute = Seconds(execute);
    for (int i = 0; i < kRepeats; ++i) {
        timing.undo = std::min(timing.undo, Seconds([&] { manager.Undo_ContentTree(); }));
        timing.redo = std::min(timing.redo, Seconds([&] { manager.Redo_ContentTree(); }));
    }
    return timing;
}

void Print(const char* what, const Timing& timing, double save) {
    std::printf("%-22s execute %10.1f us, undo %10.1f us (%.4f%% of a save), redo %10.1f us "
                "(%.4f%% of a save)\n",
                what, timing.execute * 1e6, timing.undo * 1e6, 100 * timing.undo / save,
                timing.redo * 1e6, 100 * timing.redo / save);
}

} // namespace

int main() {
    std::string pattern = (std::filesystem::temp_directory_path() / "mbbenchXXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return 1;
    const std::string folder = pattern + "/";
    MakeTopicFiles(folder);

    SelectingWindow window;
    YesPrompt prompt;
    mb::CommandContext context;
    context.prompt = &prompt;
    context.window = &window;
    CProjectFile project;
    project.SetChannels(&context);
    project.SetMBKFileName(folder + "big.mbk");
    Fill(project, folder);
    mb::PickerAddDirectoryDialog picker(prompt, project.Settings().env);
    CAppHelper helper(picker, prompt, project.Settings().env);
    CCommandManager manager(context);
    manager.SetProjectFile(&project);
    manager.SetAppHelper(&helper);
    manager.CreateCommandObject();

    double save = BestOf(3, [&] {
        project.SetModified(1);
        if (project.SaveProject() != 1)
            std::printf("save failed\n");
    });

    const CXML* root = project.HHC_GetTreeRoot();
    std::string middle = root->GetChildAt(root->GetChildCount() / 2)->GetAttr("ID");
    CXML rename("PARAMETERS");
    rename.SetAttr("ID", middle);
    rename.SetAttr("OLD_NAME", root->GetChildAt(root->GetChildCount() / 2)->GetAttr("Name"));
    rename.SetAttr("NEW_NAME", "Renamed topic");
    Timing renaming =
        Measure(manager, [&] { manager.DoCommand(mb::CMD_RENAME_CONTENTS, &rename); });

    window.selection = {middle};
    Timing moving =
        Measure(manager, [&] { manager.DoCommand(mb::CMD_MOVE_CONTENTS_DOWN, nullptr); });

    // 1,000 scattered top-level entries, each with its sub-tree.
    window.selection.clear();
    int step = root->GetChildCount() / kDeleted;
    for (int i = 0; i < root->GetChildCount() && window.selection.size() < kDeleted; i += step)
        window.selection.push_back(root->GetChildAt(i)->GetAttr("ID"));
    std::string before = project.GetHHCFile()->BuildHHCText();
    int entriesBefore = project.Content_GetCount();
    Timing deleting =
        Measure(manager, [&] { manager.DoCommand(mb::CMD_DELETE_CONTENTS, nullptr); });
    int entriesDeleted = project.Content_GetCount();
    manager.Undo_ContentTree();
    bool restored = project.GetHHCFile()->BuildHHCText() == before;

    manager.ClearCommandHistoryList_ContentTree();
    manager.DeleteCommandObject();
    std::filesystem::remove_all(folder);

    std::printf("project: %d contents and %d index entries\n", project.Content_GetCount(),
                project.Index_GetCount());
    std::printf("one save:              %8.1f ms\n", save * 1e3);
    Print("rename one entry:", renaming, save);
    Print("move one entry down:", moving, save);
    Print("delete 1,000 entries:", deleting, save);
    std::printf("  (%d entries with their sub-entries removed; delete + undo = %.2fx one save, "
                "target < 1x)\n",
                entriesBefore - entriesDeleted, (deleting.execute + deleting.undo) / save);
    std::printf("targets: one-entry undo/redo < 1%% of a save\n");

    bool small = std::max({renaming.undo, renaming.redo, moving.undo, moving.redo}) < save / 100;
    bool bulk = deleting.execute + deleting.undo < save;
    if (!restored)
        std::printf("undoing the delete did not give the tree back\n");
    return small && bulk && restored ? 0 : 1;
}
