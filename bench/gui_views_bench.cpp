// The project views with 100,000 contents and 100,000 index entries: how
// long each view takes to show its tree (ready to reach every entry), and how long deleting all
// contents entries and undoing that take with the view following. Printed
// next to the same work done headless (no window watching the project) in
// the same run. Also how long Find takes to reach the last entry of the
// contents from the first one (every entry looked at, the branches of the
// found one built and shown) and to look at every entry without a match.
// Targets: a fill in at most 1 s, delete-all and its undo in at most 2 s
// each, a find in at most 0.2 s.
#include "GuiBenchSupport.h"
#include "ProjectBenchSupport.h"

#include "app/gui/AuthorApp.h"
#include "app/gui/ProjectViews.h"
#include "app/gui/ViewContent.h"
#include "app/gui/ViewIndex.h"

#include "appglue/AppHelper.h"
#include "baseutil/Prompt.h"
#include "editcommands/CommandIds.h"
#include "editcommands/CommandManager.h"

#include <QApplication>

#include <cstdlib>

using namespace mb::bench;

namespace {

// Says Yes to the delete-all question.
class YesPrompt final : public mb::IPrompt {
public:
    mb::Answer Message(const mb::MessageRequest&) override { return mb::Answer::Yes; }
    std::optional<std::vector<std::string>> PickOpenFiles(const mb::PickRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> PickFolder(const mb::PickRequest&) override { return std::nullopt; }
    std::optional<std::string> PickSavePath(const mb::PickRequest&) override { return std::nullopt; }
    void BeginBusy() override {}
    void EndBusy() override {}
};

// The view shows every top-level entry at once and reaches any other one
// (the items of collapsed branches are built when first needed): the last
// and deepest entry of the tree is shown under its name.
bool ShowsEverything(mb::gui::ProjectTreeView* view, const CXML* root) {
    const CXML* last = root;
    while (last->GetChildCount() > 0)
        last = last->GetLastChild();
    QTreeWidgetItem* item = last == root ? nullptr : view->RevealItem(last->GetAttr("ID"));
    return view->topLevelItemCount() == root->GetChildCount() && item &&
           item->text(0).toStdString() == last->GetAttr("Name");
}

struct DeleteTimes {
    double remove = 0;
    double undo = 0;
};

struct FindTimes {
    double last = 0;
    double none = 0;
};

// Finds the last entry by its name, starting at the first, then a text that
// no entry holds.
FindTimes FindLastAndNothing(mb::gui::ProjectTreeView& view, const CXML* root, bool& same) {
    const CXML* last = root;
    while (last->GetChildCount() > 0)
        last = last->GetLastChild();
    view.setCurrentItem(view.topLevelItem(0));
    mb::EntryQuery query;
    query.text = last->GetAttr("Name");
    FindTimes times;
    times.last = Seconds([&] { same = view.SelectMatch(query, false) && same; });
    same = same && view.currentItem() && view.currentItem()->text(0).toStdString() == query.text;
    query.text = "no entry is called like this";
    times.none = Seconds([&] { same = !view.SelectMatch(query, false) && same; });
    return times;
}

DeleteTimes DeleteAllAndUndo(CCommandManager& commands, const CProjectFile& project, bool& same) {
    DeleteTimes times;
    times.remove = Seconds([&] { commands.DoCommand(mb::CMD_DELETE_ALL_CONTENTS, nullptr); });
    same = same && project.Content_GetCount() == 0;
    times.undo = Seconds([&] { commands.Undo_ContentTree(); });
    same = same && project.Content_GetCount() == kEntries;
    return times;
}

} // namespace

int main(int argc, char** argv) {
    const std::string folder = PrepareGuiBench("mbviewsbench");
    if (folder.empty())
        return 1;
    QApplication application(argc, argv);
    YesPrompt yes;
    bool same = true;

    // Headless: the trees built and the delete-all undone with nobody watching.
    CProjectFile headlessProject;
    double headlessFill = Seconds([&] { Fill(headlessProject, folder); });
    mb::PickerAddDirectoryDialog picker(yes, headlessProject.Settings().env);
    CAppHelper helper(picker, yes, headlessProject.Settings().env);
    mb::CommandContext headlessContext;
    headlessContext.prompt = &yes;
    headlessProject.SetChannels(&headlessContext);
    CCommandManager headlessCommands(headlessContext);
    headlessCommands.SetProjectFile(&headlessProject);
    headlessCommands.SetAppHelper(&helper);
    headlessCommands.CreateCommandObject();
    DeleteTimes headless = DeleteAllAndUndo(headlessCommands, headlessProject, same);
    headlessCommands.ClearCommandHistoryList_ContentTree();
    headlessCommands.DeleteCommandObject();

    double contentsFill = 0;
    double indexFill = 0;
    DeleteTimes program;
    FindTimes find;
    {
        mb::gui::AuthorApp app;
        app.Start({});
        // The delete-all question is answered Yes instead of in a window.
        app.Controller().Context().prompt = &yes;
        CProjectFile* project = app.Controller().GetProject();
        mb::gui::ProjectViews& views = app.Frame().Views();
        // The trees arrive as after opening a project: loaded, then code 2.
        project->Notify(NC_LOAD_STARTING);
        Fill(*project, folder);
        project->Notify(NC_RELOADED);
        contentsFill = Seconds([&] { project->GetHHCFile()->Notify(NC_RELOADED); });
        indexFill = Seconds([&] { project->GetHHKFile()->Notify(NC_RELOADED); });
        QApplication::processEvents();
        same = same && ShowsEverything(views.Contents(), project->HHC_GetTreeRoot()) &&
               ShowsEverything(views.Index(), project->HHK_GetTreeRoot());

        find = FindLastAndNothing(*views.Contents(), project->HHC_GetTreeRoot(), same);
        program = DeleteAllAndUndo(app.Frame().Commands(), *project, same);
        QApplication::processEvents();
        same = same && project->Content_GetCount() == kEntries &&
               ShowsEverything(views.Contents(), project->HHC_GetTreeRoot());
        project->SetModified(0);
    }
    std::filesystem::remove_all(folder);
    if (!same) {
        std::printf("the program and the headless run did not do the same work\n");
        return 1;
    }
    std::printf("build 100,000 + 100,000 entries, headless:   %.3f s\n", headlessFill);
    std::printf("contents view shows 100,000 entries:          %.3f s (target <= 1 s)\n", contentsFill);
    std::printf("index view shows 100,000 entries:             %.3f s (target <= 1 s)\n", indexFill);
    std::printf("delete all contents, headless / with view:    %.3f s / %.3f s (target <= 2 s)\n",
                headless.remove, program.remove);
    std::printf("undo the delete-all, headless / with view:    %.3f s / %.3f s (target <= 2 s)\n",
                headless.undo, program.undo);
    std::printf("find the last of 100,000 entries / no entry:  %.3f s / %.3f s (target <= 0.2 s)\n",
                find.last, find.none);
    bool met = contentsFill <= 1 && indexFill <= 1 && program.remove <= 2 && program.undo <= 2 &&
               find.last <= 0.2 && find.none <= 0.2;
    return met ? 0 : 1;
}
