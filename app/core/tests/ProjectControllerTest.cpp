// The controller's decisions: saving before the project is replaced, Save
// and Save As with their folder and read-only checks, opening (also the
// file already open and a file that is no project), the recent-project
// list and the window title.
#include "app/core/tests/ControllerFakes.h"
#include "editcommands/CommandIds.h"

#include <filesystem>
#include <sys/stat.h>

using namespace mb;
using namespace mb::testing;

namespace {

class SaveIfModified : public ControllerTest {
protected:
    // A named, modified project whose file is in the scratch folder.
    void SetUp() override {
        Project().SetMBKFileName(folder / "book.mbk");
        Project().SetModified(1);
    }
};

TEST_F(SaveIfModified, YesSavesAndGoesOn) {
    prompt.answers = {Answer::Yes};
    EXPECT_EQ(controller.SaveIfModified(), CProjectController::kGoOn);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].buttons, Buttons::YesNoCancel);
    EXPECT_TRUE(std::filesystem::exists(folder / "book.mbk"));
    EXPECT_FALSE(Project().IsModified());
}

TEST_F(SaveIfModified, NoGoesOnWithoutWriting) {
    prompt.answers = {Answer::No};
    EXPECT_EQ(controller.SaveIfModified(), CProjectController::kGoOn);
    EXPECT_FALSE(std::filesystem::exists(folder / "book.mbk"));
    EXPECT_TRUE(Project().IsModified());
}

TEST_F(SaveIfModified, CancelStopsAndAFailedSaveIsReported) {
    prompt.answers = {Answer::Cancel};
    EXPECT_EQ(controller.SaveIfModified(), CProjectController::kCancelled);
    EXPECT_FALSE(std::filesystem::exists(folder / "book.mbk"));

    folder.Write("book.mbk", "old");
    ::chmod((folder / "book.mbk").c_str(), 0444);
    prompt.answers = {Answer::Yes};
    EXPECT_EQ(controller.SaveIfModified(), CProjectController::kSaveFailed);
    EXPECT_EQ(TempTree::Read(folder / "book.mbk"), "old");
    EXPECT_TRUE(Project().IsModified());
}

TEST_F(SaveIfModified, AnUnmodifiedProjectIsNotAskedAbout) {
    Project().SetModified(0);
    EXPECT_EQ(controller.SaveIfModified(), CProjectController::kGoOn);
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(SaveIfModified, CancelOrAFailedSaveLeaveTheProjectInPlaceForEveryReplacingOperation) {
    std::string other = SavedProject("other");
    folder.Write("book.mbk", "old");
    ::chmod((folder / "book.mbk").c_str(), 0444);
    dialogs.newProject = NewProjectAnswer("T", "fresh", folder.Root());
    using Operation = std::function<int()>;
    for (Answer answer : {Answer::Cancel, Answer::Yes}) {
        for (const Operation& operation :
             {Operation([&] { return controller.NewProject(); }),
              Operation([&] { return controller.OpenProject(); }),
              Operation([&] { return controller.OpenRecentProject(other); }),
              Operation([&] { return controller.OpenChm(); }),
              Operation([&] { return controller.ImportHHP(); })}) {
            prompt.answers = {answer};
            EXPECT_EQ(operation(), 0);
            EXPECT_EQ(Project().GetMBKFileName(), folder / "book.mbk");
            EXPECT_TRUE(Project().IsModified());
        }
    }
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(prompt.picks.empty());
}

class SaveCommands : public ControllerTest {};

TEST_F(SaveCommands, AnUnnamedProjectAsksForAPathAndGetsTheExtension) {
    Project().HHP_SetOptionsData(OPT_TITLE, "T");
    prompt.pickedPaths = {folder / "guide"};
    EXPECT_EQ(controller.Save(), 1);
    EXPECT_EQ(Project().GetMBKFileName(), folder / "guide.mbk");
    EXPECT_TRUE(std::filesystem::exists(folder / "guide.mbk"));
    EXPECT_EQ(Recent(), std::vector<std::string>{folder / "guide.mbk"});
    EXPECT_EQ(context.settings.env.GetLastOpenFolder(), folder.Root());
    EXPECT_EQ(window.Notices(), std::vector<Notice>{Notice::FirstSave});

    // Saved again under its name: no dialog, no first-save notice.
    Project().SetModified(1);
    EXPECT_EQ(controller.Save(), 1);
    EXPECT_EQ(prompt.picks.size(), 1u);
    EXPECT_EQ(window.Notices().size(), 1u);
}

TEST_F(SaveCommands, AnUnmodifiedNewProjectIsStillWrittenByItsFirstSave) {
    prompt.pickedPaths = {folder / "empty.MBK"};
    EXPECT_EQ(controller.Save(), 1);
    EXPECT_EQ(Project().GetMBKFileName(), folder / "empty.MBK");
    EXPECT_TRUE(std::filesystem::exists(folder / "empty.MBK"));

    Project().SetMBKFileName(folder / "named.mbk"); // as the new-project dialog leaves it
    Project().SetModified(0);
    EXPECT_EQ(controller.Save(), 1);
    EXPECT_TRUE(std::filesystem::exists(folder / "named.mbk"));
}

TEST_F(SaveCommands, SavingOrExportingOutsideTheProjectFolderIsRefused) {
    Project().SetProjectFolder(folder / "project");
    folder.MakeFolder("elsewhere");
    prompt.pickedPaths = {folder / "elsewhere/a.mbk", folder / "elsewhere/b.mbk",
                          folder / "elsewhere/c.hhp"};
    EXPECT_EQ(controller.Save(), 0);
    EXPECT_EQ(controller.SaveAs(), 0);
    EXPECT_EQ(controller.ExportHHP(), 0);
    EXPECT_EQ(dialogs.folderWarnings, std::vector<std::string>(3, folder / "project"));
    EXPECT_EQ(Project().GetMBKFileName(), "");
    EXPECT_EQ(Project().GetProjectFolder(), folder / "project/");
    EXPECT_TRUE(std::filesystem::is_empty(folder / "elsewhere"));

    // The same folder spelled another way is the project folder.
    folder.MakeFolder("project");
    prompt.pickedPaths = {folder / "project/../project/./d.hhp"};
    EXPECT_EQ(controller.ExportHHP(), 1);
    EXPECT_TRUE(std::filesystem::exists(folder / "project/d.hhp"));
    EXPECT_EQ(dialogs.folderWarnings.size(), 3u);
}

TEST_F(SaveCommands, ExportReplacesExistingFilesOnlyAfterAYesAndNeverTheProjectFile) {
    ASSERT_EQ(controller.OpenProject(SavedProject("book")), 1);
    folder.Write("book.hhc", "made by hand");
    auto exported = [&] { return TempTree::Read(folder / "book.hhc") != "made by hand"; };
    EXPECT_EQ(controller.ExportHHP(folder / "book.hhp"), 0);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].buttons, Buttons::YesNo);
    EXPECT_NE(prompt.messages[0].text.find(folder / "book.hhc"), std::string::npos);
    EXPECT_FALSE(exported());
    EXPECT_FALSE(std::filesystem::exists(folder / "book.hhp"));

    // The save dialog has asked about the .hhp itself, not about the others.
    prompt.messages.clear();
    folder.Write("book.hhp", "made by hand");
    prompt.pickedPaths = {folder / "book.hhp"};
    prompt.answers = {Answer::Yes};
    EXPECT_EQ(controller.ExportHHP(), 1);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text.find(folder / "book.hhp"), std::string::npos);
    EXPECT_TRUE(exported());

    prompt.messages.clear();
    std::string project = TempTree::Read(folder / "book.mbk");
    EXPECT_EQ(controller.ExportHHP(folder / "book.mbk"), 0);
    EXPECT_EQ(TempTree::Read(folder / "book.mbk"), project);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].buttons, Buttons::Ok) << "refused without a question";
}

TEST_F(SaveCommands, ReadOnlyTargetsOfSaveAsAreRefusedAndTheNameIsKept) {
    std::string locked = folder.Write("locked.mbk", "keep");
    ::chmod(locked.c_str(), 0444);
    Project().SetMBKFileName(folder / "book.mbk");
    Project().SetModified(1);
    prompt.pickedPaths = {locked};
    EXPECT_EQ(controller.SaveAs(), 0);
    EXPECT_EQ(TempTree::Read(locked), "keep");
    EXPECT_EQ(Project().GetMBKFileName(), folder / "book.mbk");
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_NE(prompt.messages[0].text.find(locked), std::string::npos);
}

TEST_F(SaveCommands, AFailedSaveAsKeepsTheOldNameAndAnnouncesNothing) {
    Project().SetMBKFileName(folder / "book.mbk");
    Project().SetModified(1);
    folder.MakeFolder("taken.mbk"); // a folder cannot be replaced by the file
    EXPECT_EQ(controller.SaveAs(folder / "taken.mbk"), 0);
    EXPECT_EQ(Project().GetMBKFileName(), folder / "book.mbk");
    EXPECT_TRUE(Project().IsModified());
    EXPECT_TRUE(Recent().empty());

    EXPECT_EQ(controller.SaveAs(folder / "copy.mbk"), 1);
    EXPECT_EQ(Project().GetMBKFileName(), folder / "copy.mbk");
    EXPECT_EQ(window.Notices(), std::vector<Notice>{Notice::SavedAs});
}

class OpenCommands : public ControllerTest {};

TEST_F(OpenCommands, OpeningTheFileAlreadyOpenDoesNothing) {
    std::string path = SavedProject("book");
    ASSERT_EQ(controller.OpenProject(path), 1);
    Recent() = {"/x/first.mbk", path};
    Project().SetModified(1); // a reset would clear this

    EXPECT_EQ(controller.OpenProject(path), 0);
    EXPECT_EQ(controller.OpenProject(folder / "./book.mbk"), 0);
    std::filesystem::create_symlink(path, folder / "link.mbk");
    EXPECT_EQ(controller.OpenProject(folder / "link.mbk"), 0);
    EXPECT_EQ(controller.OpenRecentProject(path), 0);
    EXPECT_TRUE(Project().IsModified());
    EXPECT_EQ(Recent(), (std::vector<std::string>{"/x/first.mbk", path}));
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(OpenCommands, AFileNamedInOtherLettersIsAnotherProject) {
    std::string lower = SavedProject("book");
    std::string upper = SavedProject("BOOK");
    ASSERT_EQ(controller.OpenProject(lower), 1);
    EXPECT_EQ(controller.OpenProject(upper), 1);
    EXPECT_EQ(Project().GetMBKFileName(), upper);
}

TEST_F(OpenCommands, OpeningClearsTheHistoriesAndTheModifiedFlag) {
    std::string path = SavedProject("book");
    commands.DoCommand(CMD_NEW_CONTENTS_HEADING, nullptr);
    ASSERT_EQ(commands.ContentHistory().Size(), 1);
    Project().SetModified(1);
    prompt.answers = {Answer::No};
    prompt.pickedFiles = {std::vector<std::string>{path}};
    EXPECT_EQ(controller.OpenProject(), 1);
    EXPECT_EQ(commands.ContentHistory().Size(), 0);
    EXPECT_FALSE(Project().IsModified());
    std::string title;
    Project().HHP_GetOptionsData(OPT_TITLE, title);
    EXPECT_EQ(title, "book");
    EXPECT_EQ(prompt.picks[0].initialPath, folder.Root());
}

TEST_F(OpenCommands, AFileThatIsNoProjectLeavesAnEmptyProjectAndStaysOutOfTheRecentList) {
    Project().SetMBKFileName(folder / "book.mbk");
    Project().HHP_SetOptionsData(OPT_TITLE, "before");
    std::string junk = folder.Write("sub/junk.mbk", "<not-a-project/>");
    EXPECT_EQ(controller.OpenProject(junk), 0);
    ASSERT_EQ(prompt.messages.size(), 1u) << "the user is told";
    EXPECT_EQ(Project().GetMBKFileName(), "");
    std::string title, fresh;
    Project().HHP_GetOptionsData(OPT_TITLE, title);
    CProjectController(context).GetProject()->HHP_GetOptionsData(OPT_TITLE, fresh);
    EXPECT_EQ(title, fresh);
    EXPECT_FALSE(Project().IsModified());
    EXPECT_TRUE(Recent().empty());
    EXPECT_EQ(context.settings.env.GetLastOpenFolder(), folder / "sub");
}

TEST_F(OpenCommands, AVanishedRecentProjectIsRemovedWithAMessage) {
    Recent() = {"/gone/a.mbk", "/gone/b.mbk"};
    EXPECT_EQ(controller.OpenRecentProject("/gone/b.mbk"), 0);
    EXPECT_EQ(Recent(), std::vector<std::string>{"/gone/a.mbk"});
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_NE(prompt.messages[0].text.find("/gone/b.mbk"), std::string::npos);
}

TEST_F(OpenCommands, ARecentProjectOffersToSaveTheModifiedOneFirst) {
    std::string path = SavedProject("book");
    Project().SetMBKFileName(folder / "current.mbk");
    Project().SetModified(1);
    prompt.answers = {Answer::Yes};
    EXPECT_EQ(controller.OpenRecentProject(path), 1);
    EXPECT_TRUE(std::filesystem::exists(folder / "current.mbk"));
    EXPECT_EQ(Project().GetMBKFileName(), path);
}

TEST_F(OpenCommands, ImportingAMissingHhpIsReportedAndKeepsTheProject) {
    Project().SetMBKFileName(folder / "book.mbk");
    EXPECT_EQ(controller.ImportHHP(folder / "none.hhp"), 0);
    EXPECT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(Project().GetMBKFileName(), folder / "book.mbk");
}

class NewProjectCommand : public ControllerTest {};

TEST_F(NewProjectCommand, OkSetsUpANamedUnsavedProject) {
    context.settings.config.SetLCID(1031);
    dialogs.newProject = [&](CDlgNewProject& dialog) {
        EXPECT_EQ(dialog.GetFolderText(), folder.Root());
        EXPECT_EQ(dialog.GetSelectedLanguage(), 1031);
        dialog.SetTitleText("My Help");
        dialog.SetNameText("help");
        dialog.SetFolderText(folder / "new");
        dialog.SetSelectedLanguage(2052);
        prompt.answers = {Answer::Yes}; // create the folder
        return dialog.OnOK();
    };
    EXPECT_EQ(controller.NewProject(), 1);
    EXPECT_EQ(Project().GetMBKFileName(), folder / "new/help.mbk");
    EXPECT_EQ(Project().GetProjectFolder(), folder / "new/");
    EXPECT_FALSE(std::filesystem::exists(folder / "new/help.mbk"));
    std::string caption, title;
    Project().HHP_GetWindowsData(WIN_TITLE_BAR_TEXT, caption);
    Project().HHP_GetOptionsData(OPT_TITLE, title);
    EXPECT_EQ(caption + "|" + title, "My Help|My Help");
    int language = 0;
    Project().HHP_GetOptionsData(OPT_LANGUAGE, language);
    EXPECT_EQ(language, 2052);
    EXPECT_EQ(context.settings.config.GetLCID(), 2052);
}

TEST_F(NewProjectCommand, WithoutALanguageSelectedTheConfiguredOneIsUsed) {
    context.settings.config.SetLCID(1036);
    dialogs.newProject = [&](CDlgNewProject& dialog) {
        dialog.SetSelectedLanguage(std::nullopt);
        return NewProjectAnswer("T", "n", folder.Root())(dialog);
    };
    EXPECT_EQ(controller.NewProject(), 1);
    int language = 0;
    Project().HHP_GetOptionsData(OPT_LANGUAGE, language);
    EXPECT_EQ(language, 1036);
}

TEST_F(NewProjectCommand, CancelLeavesTheOpenProjectAsItWas) {
    Project().SetMBKFileName(folder / "book.mbk");
    commands.DoCommand(CMD_NEW_INDEX_KEYWORD, nullptr);
    ASSERT_EQ(commands.IndexHistory().Size(), 1);
    Project().SetModified(0);
    EXPECT_EQ(controller.NewProject(), 0);
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"new-project"});
    EXPECT_EQ(Project().GetMBKFileName(), folder / "book.mbk");
    EXPECT_EQ(Project().Index_GetCount(), 1);
    EXPECT_EQ(commands.IndexHistory().Size(), 1);
}

class RecentList : public ControllerTest {};

TEST_F(RecentList, AddingMovesOrInsertsAtTheTopWithoutDuplicates) {
    controller.AddRecentProject("/a.mbk");
    controller.AddRecentProject("/b.mbk");
    controller.AddRecentProject("/c.mbk");
    EXPECT_EQ(Recent(), (std::vector<std::string>{"/c.mbk", "/b.mbk", "/a.mbk"}));
    controller.AddRecentProject("/c.mbk");
    EXPECT_EQ(Recent(), (std::vector<std::string>{"/c.mbk", "/b.mbk", "/a.mbk"}));
    controller.AddRecentProject("/a.mbk");
    EXPECT_EQ(Recent(), (std::vector<std::string>{"/a.mbk", "/c.mbk", "/b.mbk"}));
    controller.AddRecentProject("/A.mbk");
    EXPECT_EQ(Recent(), (std::vector<std::string>{"/A.mbk", "/a.mbk", "/c.mbk", "/b.mbk"}));
    controller.RemoveRecentProject("/c.mbk");
    EXPECT_EQ(Recent(), (std::vector<std::string>{"/A.mbk", "/a.mbk", "/b.mbk"}));
}

class WindowTitle : public ControllerTest {
protected:
    std::string Prefix() const { return "Marrowbook 0.1 - "; }
};

TEST_F(WindowTitle, ShowsTheProjectFileAndWhetherItIsModified) {
    EXPECT_EQ(controller.GetWindowTitle(), Prefix() + "[unnamed project]");
    Project().SetModified(1);
    EXPECT_EQ(controller.GetWindowTitle(), Prefix() + "[unnamed project *]");
    Project().SetProjectFolder("/home/ann/guide");
    EXPECT_EQ(controller.GetWindowTitle(), Prefix() + "[/home/ann/guide/]-[unnamed project *]");
    Project().SetMBKFileName("/home/ann/guide/help.mbk");
    EXPECT_EQ(controller.GetWindowTitle(), Prefix() + "[/home/ann/guide/help.mbk *]");
    Project().SetModified(0);
    EXPECT_EQ(controller.GetWindowTitle(), Prefix() + "[/home/ann/guide/help.mbk]");
}

TEST_F(WindowTitle, HelpTitleChangesOnlyForANewNonEmptyText) {
    EXPECT_TRUE(controller.SetHelpTitle("Guide"));
    EXPECT_FALSE(controller.SetHelpTitle("Guide"));
    EXPECT_FALSE(controller.SetHelpTitle(""));
    std::string caption, title;
    Project().HHP_GetWindowsData(WIN_TITLE_BAR_TEXT, caption);
    Project().HHP_GetOptionsData(OPT_TITLE, title);
    EXPECT_EQ(caption + "|" + title, "Guide|Guide");
}

} // namespace
