#include "appglue/AppHelper.h"
#include "appglue/tests/GlueFakes.h"
#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "commonkit/DropFileFilterSet.h"
#include "runconfig/RunEnv.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

using namespace mb::testing;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

namespace {

class FolderListingTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* file : {"a.htm", "B.html", "logo.gif", "notes.bak", "movie.SWF",
                                 "Images_files/x.htm", "page.files/y.htm", "files/z.htm",
                                 "sub/c.htm", "sub/deeper/d.HTML", "sub/pics/e.gif"})
            tree.Write(file, "<html></html>");
        tree.MakeFolder("empty");
        filters.UseDefaultData();
        helper.SetDropFileFilterSet(&filters);
    }

    std::vector<std::string> List(int recurse, int wrapFlash = 0) {
        CXML list("FilesList");
        helper.EnumDirectory(tree.Root(), recurse, &list, wrapFlash);
        return Outline(list, tree.Root());
    }

    TempTree tree;
    CDropFileFilterSet filters;
    ScriptedPrompt prompt;
    CRunEnv env;
    mb::PickerAddDirectoryDialog picker{prompt, env};
    CAppHelper helper{picker, prompt, env};
};

TEST_F(FolderListingTest, DefaultFilterSkipsFoldersAndDropsEmptyOnes) {
    // "*.files" and "*_files" are skipped, a folder named just "files" is not;
    // sub-folders come first, each group sorted ignoring case.
    EXPECT_THAT(List(1), ElementsAre("1 files", "  0 ~/files/z.htm -> =", "1 sub", "  1 deeper",
                                     "    0 ~/sub/deeper/d.HTML -> =", "  1 pics",
                                     "    0 ~/sub/pics/e.gif -> =", "  0 ~/sub/c.htm -> =",
                                     "0 ~/a.htm -> =", "0 ~/B.html -> =", "0 ~/logo.gif -> =",
                                     "0 ~/movie.SWF -> =", "0 ~/notes.bak -> ="));
    EXPECT_THAT(List(0), ElementsAre("0 ~/a.htm -> =", "0 ~/B.html -> =", "0 ~/logo.gif -> =",
                                     "0 ~/movie.SWF -> =", "0 ~/notes.bak -> ="));
}

TEST_F(FolderListingTest, SkipFilesAndOnlyIncludeFilters) {
    CDropFileFilter* filter = filters.GetUsingFilter();
    filter->AddASkipFile_Dynamic(".BAK");
    filter->AddASkipFile_Dynamic("logo.*");
    EXPECT_EQ(List(0).size(), 5u) << "the skip-files section is still disabled";
    filter->SetEnableSkipFiles_Dynamic(1);
    EXPECT_THAT(List(0), ElementsAre("0 ~/a.htm -> =", "0 ~/B.html -> =", "0 ~/movie.SWF -> ="));

    // Filter 1 takes only ".htm" and ".html" in any case: the folder holding
    // just a picture disappears.
    filters.SetUsingFilterIndex(1);
    EXPECT_THAT(List(1), ElementsAre("1 files", "  0 ~/files/z.htm -> =", "1 sub", "  1 deeper",
                                     "    0 ~/sub/deeper/d.HTML -> =", "  0 ~/sub/c.htm -> =",
                                     "0 ~/a.htm -> =", "0 ~/B.html -> ="));

    filters.SetUsingFilterIndex(7); // names no filter: nothing is filtered
    EXPECT_THAT(List(1), Contains("1 Images_files"));
}

TEST_F(FolderListingTest, EachRealFolderIsListedOnceUnderItsOwnName) {
    std::filesystem::create_directory_symlink(tree.Root(), tree / "sub/loop");
    std::filesystem::create_directory_symlink(tree / "files", tree / "sub/link");
    // The filter skips "Images_files": a link is the only way to its pages.
    std::filesystem::create_directory_symlink(tree / "Images_files", tree / "sub/pictures");
    std::vector<std::string> lines = List(1);
    EXPECT_THAT(lines, Not(Contains("  1 loop")));
    EXPECT_THAT(lines, Not(Contains("  1 link")));
    EXPECT_THAT(lines, Contains("  0 ~/files/z.htm -> ="));
    EXPECT_THAT(lines, Contains("    0 ~/sub/pictures/x.htm -> ="));

    // Folders each holding four links to the next, reached only through
    // links (the filter skips their own names): every page once, not once
    // per path (4^8 of them) through the links.
    TempTree chain;
    const int kFolders = 9;
    auto real = [&](int i) { return chain / ("f" + std::to_string(i) + "_files"); };
    for (int i = 0; i < kFolders; ++i)
        chain.Write("f" + std::to_string(i) + "_files/page.htm", "<html></html>");
    std::filesystem::create_directory_symlink(real(0), chain / "start");
    for (int i = 0; i + 1 < kFolders; ++i) {
        for (const char* link : {"a", "b", "c", "d"})
            std::filesystem::create_directory_symlink(real(i + 1), real(i) + "/" + link);
    }
    CXML list("FilesList");
    helper.EnumDirectory(chain.Root(), 1, &list, 0);
    std::vector<std::string> pages;
    for (const std::string& line : Outline(list, chain.Root())) {
        if (line.find("page.htm") != std::string::npos)
            pages.push_back(line.substr(line.find_first_not_of(' ')));
    }
    EXPECT_EQ(pages.size(), size_t(kFolders));

    CXML none("FilesList");
    EXPECT_EQ(helper.EnumDirectory(tree / "nothere", 1, &none, 1), 0);
    EXPECT_EQ(helper.EnumDirectory("C:\\help", 1, &none, 1), 0);
    EXPECT_EQ(none.GetChildCount(), 0);
}

TEST_F(FolderListingTest, VirtualFileSystemsAreNotEnteredAndTheWalkCanBeStopped) {
    CXML list("FilesList");
    EXPECT_EQ(helper.EnumDirectory("/proc/self", 0, &list, 0), 0);
    EXPECT_EQ(helper.EnumDirectory("/sys/kernel", 0, &list, 0), 0);
    EXPECT_EQ(list.GetChildCount(), 0);

    std::vector<std::pair<size_t, size_t>> told;
    helper.SetWalkProgress([&](size_t folders, size_t files) {
        told.emplace_back(folders, files);
        return folders < 2;
    });
    List(1);
    ASSERT_EQ(told.size(), 2u) << "the walk ends when the progress says so";
    EXPECT_EQ(told[0].first, 1u);
    EXPECT_EQ(told[0].second, 5u) << "the files of the folder itself";
}

TEST_F(FolderListingTest, LinksOutOfTheFolderAreNotFollowed) {
    TempTree outside;
    outside.Write("etc/passwd.htm", "<html></html>");
    outside.Write("other.htm", "<html></html>");
    std::filesystem::create_directory_symlink(outside / "etc", tree / "sub/etc");
    std::filesystem::create_symlink(outside / "other.htm", tree / "sub/other.htm");
    std::filesystem::create_symlink(tree / "a.htm", tree / "sub/inside.htm");
    std::vector<std::string> lines = List(1);
    EXPECT_THAT(lines, Not(Contains("  1 etc")));
    EXPECT_THAT(lines, Not(Contains("  0 ~/sub/other.htm -> =")));
    EXPECT_THAT(lines, Contains("  0 ~/sub/inside.htm -> =")) << "links inside are followed";
}

TEST_F(FolderListingTest, FlashMoviesAreWrappedUnlessThePageCannotBeWritten) {
    EXPECT_THAT(List(0, 1), Contains("0 ~/movie_swf.htm -> ="));
    ASSERT_EQ(env.GetNeedCopiedFlashFileCount(), 1);
    EXPECT_EQ(env.GetNeedCopiedFlashFile(0), tree / "movie.SWF");

    env.ResetNeedCopiedFlashFileInfo();
    std::filesystem::remove(tree / "movie_swf.htm");
    tree.MakeFolder("movie_swf.htm"); // the page's name is taken by a folder
    EXPECT_THAT(List(0, 1), Contains("0 ~/movie.SWF -> ="));
    EXPECT_EQ(env.GetNeedCopiedFlashFileCount(), 0);
}

// Adding a folder through the add-directory dialog.
TEST_F(FolderListingTest, ChosenFolderFollowsTheDialog) {
    FakeAddDirectoryDialog dialog;
    CAppHelper chooser(dialog, prompt, env);
    chooser.SetDropFileFilterSet(&filters);
    dialog.folder = tree / "sub/";
    dialog.includeSubDir = 0;
    CXML list("FilesList");
    EXPECT_EQ(chooser.GetFilesList3(&list), 1);
    EXPECT_EQ(dialog.filtersShown, &filters);
    EXPECT_THAT(Outline(list, tree.Root()), ElementsAre("1 sub", "  0 ~/sub/c.htm -> ="));
    EXPECT_EQ(list.GetAttr("PublicPath"), tree / "sub");

    dialog.folder = tree.Root();
    dialog.includeSubDir = 1;
    CXML all("FilesList");
    EXPECT_EQ(chooser.GetFilesList3(&all), 1);
    EXPECT_THAT(Outline(all, tree.Root()), Contains("      0 ~/sub/pics/e.gif -> ="));
    EXPECT_THAT(Outline(all, tree.Root()), Contains("  0 ~/movie_swf.htm -> =")) << "always";

    // A skipped or missing folder and Cancel add nothing.
    for (auto choice : {std::optional(tree / "Images_files"), std::optional(tree / "gone"),
                        std::optional<std::string>()}) {
        dialog.folder = choice;
        CXML none("FilesList");
        EXPECT_EQ(chooser.GetFilesList3(&none), 0) << choice.value_or("(cancel)");
        EXPECT_EQ(none.GetChildCount() + none.GetAttrCount(), 0);
    }
}

TEST_F(FolderListingTest, ThePickerDialogAsksThePromptForTheFolder) {
    prompt.pickedPaths.push_back(tree / "sub");
    env.SetLastOpenFolder(tree / "files");
    CXML list("FilesList");
    EXPECT_EQ(helper.GetFilesList3(&list), 1);
    ASSERT_EQ(prompt.picks.size(), 1u);
    EXPECT_EQ(prompt.picks[0].initialPath, tree / "files");
    EXPECT_EQ(helper.GetAddDirectoryOption()->folder, tree / "sub");
    EXPECT_THAT(Outline(list, tree.Root()), Contains("  0 ~/sub/c.htm -> ="));
}

} // namespace
