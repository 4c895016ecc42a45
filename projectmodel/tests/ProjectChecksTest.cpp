// The checks before topic files are added: where the project folder is,
// whether files lie in it, and copying dropped files into it.

#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/tests/ScriptedProjectDialogs.h"

#include <gtest/gtest.h>

#include <filesystem>

using mb::testing::ScriptedProjectDialogs;
using mb::testing::ScriptedPrompt;
using mb::testing::TempTree;

namespace {

class ProjectChecks : public ::testing::Test {
protected:
    void SetUp() override {
        m_proj = tree.MakeFolder("proj") + "/";
        project.SetChannels(&prompt.channels);
        project.SetMBKFileName(m_proj + "guide.mbk");
    }

    // A type-1 files list as a drop of the folder `folder` (below the tree)
    // produces it: the folder item holds its files and sub-folders.
    std::unique_ptr<CXML> DroppedFolder(const std::string& folder) {
        auto list = std::make_unique<CXML>("FilesList");
        list->SetAttr("PublicPath", tree / folder);
        AddFolderItem(list.get(), folder);
        return list;
    }
    void AddFolderItem(CXML* parent, const std::string& folder) {
        CXML* item = parent->AddChild("FileItem");
        item->SetAttr("Name", std::filesystem::path(folder).filename().string());
        item->SetAttr("Type", 1);
        for (const auto& entry : std::filesystem::directory_iterator(tree / folder)) {
            std::string name = entry.path().filename().string();
            if (entry.is_directory())
                AddFolderItem(item, folder + "/" + name);
            else
                AddFileItem(item, tree / (folder + "/" + name));
        }
    }
    static void AddFileItem(CXML* parent, const std::string& path) {
        CXML* item = parent->AddChild("FileItem");
        item->SetAttr("Name", path);
        item->SetAttr("Local", path);
        item->SetAttr("Type", 0);
    }
    // The "Local" of every entry that has one, in document order.
    static std::vector<std::string> Locals(CXML* list) {
        std::vector<std::string> locals;
        list->TransferToArrayStruct();
        for (int i = 1; i <= list->GetDescendantsCount(); ++i) {
            std::string local = list->GetDescendantsAt(i)->GetAttr("Local");
            if (!local.empty())
                locals.push_back(local);
        }
        return locals;
    }
    std::string Proj(const std::string& relative) const { return m_proj + relative; }

    ScriptedPrompt prompt;
    ScriptedProjectDialogs dialogs;
    TempTree tree;
    CProjectFile project;

private:
    std::string m_proj;
};

TEST_F(ProjectChecks, OnlyTheProjectFolderAndItsSubFoldersCountAsInside) {
    EXPECT_EQ(project.CheckDirectory(Proj("")), 2);
    EXPECT_EQ(project.CheckDirectory(Proj("sub/deeper/")), 2);
    // A sibling whose name merely starts like the project folder's.
    EXPECT_EQ(project.CheckDirectory(tree / "projects/"), 3);
    EXPECT_EQ(project.CheckDirectory(tree.Root() + "/"), 3);
    EXPECT_EQ(project.CheckDirectory("/"), 3);

    EXPECT_EQ(project.ValDirectory(""), 0);
    EXPECT_EQ(project.ValDirectory(Proj("sub")), 0);
    EXPECT_EQ(project.ValDirectory(tree / "projects"), 6);
    EXPECT_EQ(project.ValDirectory(tree.Root()), 6);

    // Folders written the Windows way compare without regard to case.
    CProjectFile windows;
    windows.SetChannels(&prompt.channels);
    windows.SetProjectFolder("D:\\Proj");
    EXPECT_EQ(windows.CheckDirectory("d:\\proj\\sub\\"), 2);
    EXPECT_EQ(windows.CheckDirectory("D:\\Other\\"), 3);
}

TEST_F(ProjectChecks, SingleFilesOutsideTheProjectAskBeforeTheyAreAdded) {
    // Pages in compiled files, web addresses and files in the project pass.
    EXPECT_EQ(project.CheckFile(tree / "elsewhere/help.chm::/a.htm", dialogs), 0);
    EXPECT_EQ(project.CheckFile(tree / "elsewhere/HELP.CHM::\\a.htm", dialogs), 0);
    EXPECT_EQ(project.CheckFile("http://example.org/a.htm", dialogs), 0);
    EXPECT_EQ(project.CheckFile(Proj("sub/a.htm"), dialogs), 0);
    EXPECT_EQ(dialogs.copyQuestions, 0);

    const std::string outside = tree.Write("elsewhere/out.htm", "<html></html>");
    dialogs.copyAnswers = {true, false};
    EXPECT_EQ(project.CheckFile(outside, dialogs), 0);
    EXPECT_EQ(project.CheckFile(outside, dialogs), 5);
    EXPECT_EQ(dialogs.copyQuestions, 2);
    EXPECT_TRUE(dialogs.folderQuestions.empty());
}

TEST_F(ProjectChecks, AProjectWithoutFolderOffersTheFilesFolderAndItsParent) {
    CProjectFile fresh;
    fresh.SetChannels(&prompt.channels);
    const std::string page = tree.Write("src/docs/a.htm", "<html></html>");

    EXPECT_EQ(fresh.CheckFile(page, dialogs), 5); // cancelled
    EXPECT_EQ(fresh.GetProjectFolder(), "");
    ASSERT_EQ(dialogs.folderQuestions.size(), 1u);
    EXPECT_EQ(dialogs.folderQuestions[0].folder, tree / "src/docs");
    EXPECT_EQ(dialogs.folderQuestions[0].parent, tree / "src");

    // Choosing the parent makes it the project folder; the page lies inside.
    dialogs.folderAnswers = {tree / "src"};
    EXPECT_EQ(fresh.CheckFile(page, dialogs), 0);
    EXPECT_EQ(fresh.GetProjectFolder(), tree / "src/");
    EXPECT_TRUE(fresh.IsModified());
    EXPECT_EQ(dialogs.copyQuestions, 0);

    // A Windows drive folder offers the drive as its parent.
    EXPECT_EQ(mb::ParentFolder("D:\\proj"), "D:\\");
    EXPECT_EQ(mb::ParentFolder("D:\\"), "D:\\");
    EXPECT_EQ(mb::ParentFolder("/proj/"), "/");
}

TEST_F(ProjectChecks, ADroppedFolderIsCopiedIntoTheProjectFolderWithItsLayout) {
    tree.Write("src/docs/a.htm", "page a");
    tree.Write("src/docs/img/b.gif", "GIF89a");
    tree.Write("src/docs/img/deep/c.htm", "page c");
    std::unique_ptr<CXML> list = DroppedFolder("src/docs");
    dialogs.copyAnswers = {true};

    EXPECT_EQ(project.CheckFileList(list.get(), dialogs), 0);
    EXPECT_EQ(dialogs.copyQuestions, 1);
    EXPECT_EQ(TempTree::Read(Proj("docs/a.htm")), "page a");
    EXPECT_EQ(TempTree::Read(Proj("docs/img/b.gif")), "GIF89a");
    EXPECT_EQ(TempTree::Read(Proj("docs/img/deep/c.htm")), "page c");
    std::vector<std::string> locals = Locals(list.get());
    std::sort(locals.begin(), locals.end());
    EXPECT_EQ(locals, (std::vector<std::string>{Proj("docs/a.htm"), Proj("docs/img/b.gif"),
                                                Proj("docs/img/deep/c.htm")}));
    // The originals stay; the last folder is the dropped one.
    EXPECT_TRUE(std::filesystem::exists(tree / "src/docs/a.htm"));
    EXPECT_EQ(project.Settings().env.GetLastOpenFolder(), tree / "src/docs");
}

TEST_F(ProjectChecks, FilesAndFoldersDroppedTogetherKeepTheirPlacesToEachOther) {
    tree.Write("src/x.htm", "x");
    tree.Write("src/docs/a.htm", "a");
    tree.Write("src/more/m.htm", "m");
    auto list = std::make_unique<CXML>("FilesList");
    list->SetAttr("PublicPath", tree / "src/");
    AddFolderItem(list.get(), "src/docs");
    AddFileItem(list.get(), tree / "src/x.htm");
    AddFolderItem(list.get(), "src/more");
    dialogs.copyAnswers = {true};

    EXPECT_EQ(project.CheckFileList(list.get(), dialogs), 0);
    EXPECT_EQ(Locals(list.get()),
              (std::vector<std::string>{Proj("docs/a.htm"), Proj("x.htm"), Proj("more/m.htm")}));
    EXPECT_EQ(TempTree::Read(Proj("x.htm")), "x");
    EXPECT_EQ(TempTree::Read(Proj("docs/a.htm")), "a");
    EXPECT_EQ(TempTree::Read(Proj("more/m.htm")), "m");
}

TEST_F(ProjectChecks, DecliningTheCopyChangesNothingAndForgetsPendingMovies) {
    tree.Write("src/docs/a.htm", "a");
    project.Settings().env.AddNeedCopiedFlashFile(tree.Write("src/docs/movie.swf", "FWS"));
    std::unique_ptr<CXML> list = DroppedFolder("src/docs");

    EXPECT_EQ(project.CheckFileList(list.get(), dialogs), 5);
    EXPECT_FALSE(std::filesystem::exists(Proj("docs")));
    EXPECT_EQ(Locals(list.get()),
              std::vector<std::string>({tree / "src/docs/a.htm", tree / "src/docs/movie.swf"}));
    EXPECT_EQ(project.Settings().env.GetNeedCopiedFlashFileCount(), 0);
}

TEST_F(ProjectChecks, DroppedFilesInsideTheProjectStayWhereTheyAre) {
    tree.Write("proj/sub/a.htm", "a");
    project.Settings().env.AddNeedCopiedFlashFile(tree / "elsewhere/m.swf");
    auto list = std::make_unique<CXML>("FilesList");
    list->SetAttr("PublicPath", Proj("sub"));
    AddFileItem(list.get(), Proj("sub/a.htm"));

    EXPECT_EQ(project.CheckFileList(list.get(), dialogs), 0);
    EXPECT_EQ(dialogs.copyQuestions, 0);
    EXPECT_EQ(Locals(list.get()), std::vector<std::string>{Proj("sub/a.htm")});
    EXPECT_EQ(project.Settings().env.GetNeedCopiedFlashFileCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(Proj("m.swf")));
}

TEST_F(ProjectChecks, PendingMoviesAreCopiedBesideTheDroppedPages) {
    tree.Write("src/page.htm", "p");
    const std::string movie = tree.Write("media/clip.swf", "FWS movie");
    project.Settings().env.AddNeedCopiedFlashFile(movie);
    auto list = std::make_unique<CXML>("FilesList");
    list->SetAttr("PublicPath", tree / "src");
    AddFileItem(list.get(), tree / "src/page.htm");
    dialogs.copyAnswers = {true};

    EXPECT_EQ(project.CheckFileList(list.get(), dialogs), 0);
    EXPECT_EQ(TempTree::Read(Proj("page.htm")), "p");
    EXPECT_EQ(TempTree::Read(Proj("clip.swf")), "FWS movie");
    EXPECT_EQ(project.Settings().env.GetNeedCopiedFlashFileCount(), 0);
}

TEST_F(ProjectChecks, AFailedCopyEmptiesTheListAndSaysSo) {
    tree.Write("src/a.htm", "a");
    auto list = std::make_unique<CXML>("FilesList");
    list->SetAttr("PublicPath", tree / "src");
    AddFileItem(list.get(), tree / "src/a.htm");
    AddFileItem(list.get(), tree / "src/vanished.htm");
    dialogs.copyAnswers = {true};

    EXPECT_EQ(project.CheckFileList(list.get(), dialogs), 0);
    EXPECT_EQ(list->GetChildCount(), 0);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_NE(prompt.messages[0].text.find(Proj("")), std::string::npos);
}

TEST_F(ProjectChecks, AListDroppedOnAProjectWithoutFolderAsksForOne) {
    CProjectFile fresh;
    fresh.SetChannels(&prompt.channels);
    fresh.SetSettings(&project.Settings());
    tree.Write("src/docs/a.htm", "a");
    std::unique_ptr<CXML> list = DroppedFolder("src/docs");
    project.Settings().env.AddNeedCopiedFlashFile(tree / "src/docs/m.swf");

    EXPECT_EQ(fresh.CheckFileList(list.get(), dialogs), 5);
    ASSERT_EQ(dialogs.folderQuestions.size(), 1u);
    EXPECT_EQ(dialogs.folderQuestions[0].folder, tree / "src/docs");
    EXPECT_EQ(dialogs.folderQuestions[0].parent, tree / "src");
    EXPECT_EQ(project.Settings().env.GetNeedCopiedFlashFileCount(), 0);

    // With the dropped folder's parent as project folder nothing is copied.
    dialogs.folderAnswers = {tree / "src"};
    EXPECT_EQ(fresh.CheckFileList(list.get(), dialogs), 0);
    EXPECT_EQ(fresh.GetProjectFolder(), tree / "src/");
    EXPECT_EQ(dialogs.copyQuestions, 0);
    EXPECT_EQ(Locals(list.get()), std::vector<std::string>{tree / "src/docs/a.htm"});
}

} // namespace
