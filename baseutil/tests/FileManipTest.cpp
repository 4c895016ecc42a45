#include "baseutil/FileManip.h"
#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;
using mb::testing::ScriptedPrompt;
using mb::testing::TempTree;

namespace {

TEST(FileManipExistence, FilesFoldersAndNothing) {
    TempTree tree;
    tree.Write("a.htm", "a");
    tree.Write("page[1].htm", "b");
    tree.Write(".hidden.htm", "c");
    tree.MakeFolder("page_files");
    tree.MakeFolder("empty");

    EXPECT_EQ(CFileManip::Existence(tree / "a.htm"), 2);
    EXPECT_EQ(CFileManip::Existence(tree / "*.htm"), 2);
    EXPECT_EQ(CFileManip::Existence(tree / "?.htm"), 2);
    EXPECT_EQ(CFileManip::Existence(tree / "page[1].htm"), 2) << "brackets are plain characters";
    EXPECT_EQ(CFileManip::Existence(tree / "page1.htm"), 0);
    EXPECT_EQ(CFileManip::Existence(tree / ".hidden*"), 2);
    EXPECT_EQ(CFileManip::Existence(tree / "page_files"), 1);
    EXPECT_EQ(CFileManip::Existence(tree / "*_files"), 1);
    EXPECT_EQ(CFileManip::Existence(tree / "empty/*"), 0) << "\".\" and \"..\" do not count";
    EXPECT_EQ(CFileManip::Existence(tree / "missing.htm"), 0);
    EXPECT_EQ(CFileManip::Existence(""), 0);
    EXPECT_EQ(CFileManip::Existence("C:\\help\\*.htm"), 0);
}

TEST(FileManipCopy, OneFileToANewNameOrIntoAFolder) {
    TempTree tree;
    std::string source = tree.Write("src/a.htm", "<html>a</html>");
    chmod(source.c_str(), 0640);
    std::string target = tree / "out/deeper/b.htm";

    EXPECT_EQ(CFileManip::Copy(source, target, CFileManip::kQuiet), 1);
    EXPECT_EQ(TempTree::Read(target), "<html>a</html>");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    std::string folder = tree.MakeFolder("into");
    EXPECT_EQ(CFileManip::Copy(source, folder), 1);
    EXPECT_EQ(TempTree::Read(folder + "/a.htm"), "<html>a</html>");
    EXPECT_EQ(CFileManip::GetLastError(), 0);
}

TEST(FileManipCopy, PatternCopiesEveryMatchingFile) {
    TempTree tree;
    tree.Write("src/a.htm", "A");
    tree.Write("src/b.htm", "B");
    tree.Write("src/c.gif", "C");
    tree.MakeFolder("src/x.htm");
    std::string folder = tree / "dest";

    EXPECT_EQ(CFileManip::Copy(tree / "src/*.htm", folder, CFileManip::kQuiet), 1);
    EXPECT_EQ(TempTree::Read(folder + "/a.htm"), "A");
    EXPECT_EQ(TempTree::Read(folder + "/b.htm"), "B");
    EXPECT_FALSE(fs::exists(folder + "/c.gif"));
    EXPECT_FALSE(fs::exists(folder + "/x.htm")) << "folders are not copied";
}

TEST(FileManipCopy, FolderSourceIsRefused) {
    TempTree tree;
    std::string folder = tree.MakeFolder("topics");
    tree.Write("topics/a.htm", "a");

    EXPECT_EQ(CFileManip::Copy(folder, tree / "copy", CFileManip::kQuiet), 0);
    EXPECT_EQ(CFileManip::GetLastError(), CFileManip::kErrorSourceIsFolder);
    EXPECT_FALSE(fs::exists(tree / "copy"));

    EXPECT_EQ(CFileManip::Copy(tree / "missing.htm", tree / "copy.htm", CFileManip::kQuiet), 0);
    EXPECT_EQ(CFileManip::GetLastError(), ENOENT);
    EXPECT_EQ(CFileManip::Copy(tree / "topics/a.htm", "C:\\out\\a.htm", CFileManip::kQuiet), 0);
}

TEST(FileManipCopy, ReplacingAsksUnlessQuiet) {
    TempTree tree;
    std::string source = tree.Write("new.htm", "new");
    std::string target = tree.Write("old.htm", "old");
    ScriptedPrompt prompt;

    prompt.answers = {mb::Answer::No};
    EXPECT_EQ(CFileManip::Copy(source, target, 0, prompt), 0);
    EXPECT_EQ(TempTree::Read(target), "old");
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_NE(prompt.messages[0].text.find(target), std::string::npos);

    prompt.answers = {mb::Answer::Yes};
    EXPECT_EQ(CFileManip::Copy(source, target, 0, prompt), 1);
    EXPECT_EQ(TempTree::Read(target), "new");

    EXPECT_EQ(CFileManip::Copy(source, tree / "new/sub/x.htm", 0, prompt), 0)
        << "folder creation declined";
    EXPECT_FALSE(fs::exists(tree / "new"));
    EXPECT_EQ(prompt.messages.size(), 3u);
}

TEST(FileManipCopy, FailedCopyKeepsTheOldTarget) {
    // Reading this file fails after it was opened: the copy breaks off half-way.
    const std::string unreadable = "/proc/self/mem";
    if (!fs::exists(unreadable))
        GTEST_SKIP() << "no /proc";
    TempTree tree;
    std::string target = tree.Write("out/a.htm", "old contents");

    EXPECT_EQ(CFileManip::CopyFiles({unreadable}, {target}, true), 0);
    EXPECT_NE(CFileManip::GetLastError(), 0);
    EXPECT_EQ(TempTree::Read(target), "old contents");
    EXPECT_EQ(std::distance(fs::directory_iterator(tree / "out"), fs::directory_iterator()), 1)
        << "no temporary file is left behind";
}

TEST(FileManipCopyFiles, QuietPairsEachSourceWithItsTarget) {
    TempTree tree;
    std::vector<std::string> sources = {tree.Write("a/one.htm", "1"), tree.Write("b/two.htm", "2")};
    std::vector<std::string> targets = {tree / "proj/one.htm", tree / "proj/sub/renamed.htm"};
    tree.Write("proj/one.htm", "stale");

    EXPECT_EQ(CFileManip::CopyFiles(sources, targets, true), 1);
    EXPECT_EQ(TempTree::Read(targets[0]), "1");
    EXPECT_EQ(TempTree::Read(targets[1]), "2");

    EXPECT_EQ(CFileManip::CopyFiles({}, {}, true), 1) << "nothing to copy is no failure";
    EXPECT_EQ(CFileManip::CopyFiles(sources, {targets[0]}, true), 0);

    // A folder among the sources fails the whole, the files are still copied.
    std::vector<std::string> withFolder = {tree / "a", sources[0]};
    EXPECT_EQ(CFileManip::CopyFiles(withFolder, {tree / "c/a", tree / "c/one.htm"}, true), 0);
    EXPECT_EQ(CFileManip::GetLastError(), CFileManip::kErrorSourceIsFolder);
    EXPECT_EQ(TempTree::Read(tree / "c/one.htm"), "1");
}

TEST(FileManipCopyFiles, WithoutQuietEverythingGoesIntoTheFirstTarget) {
    TempTree tree;
    std::vector<std::string> sources = {tree.Write("a/one.htm", "1"), tree.Write("b/two.htm", "2")};
    std::string folder = tree.MakeFolder("dest");
    ScriptedPrompt prompt;

    EXPECT_EQ(CFileManip::CopyFiles(sources, {folder, tree / "ignored"}, false, prompt), 1);
    EXPECT_EQ(TempTree::Read(folder + "/one.htm"), "1");
    EXPECT_EQ(TempTree::Read(folder + "/two.htm"), "2");
    EXPECT_TRUE(prompt.messages.empty());
}

TEST(FileManipDel, DeletesMatchingFilesOnly) {
    TempTree tree;
    tree.Write("a.htm", "a");
    tree.Write("b.htm", "b");
    tree.Write("c.gif", "c");
    tree.MakeFolder("d.htm");

    EXPECT_EQ(CFileManip::Del(tree / "*.htm", true), 1);
    EXPECT_FALSE(fs::exists(tree / "a.htm"));
    EXPECT_FALSE(fs::exists(tree / "b.htm"));
    EXPECT_TRUE(fs::exists(tree / "c.gif"));
    EXPECT_TRUE(fs::is_directory(tree / "d.htm"));

    EXPECT_EQ(CFileManip::Del(tree / "d.htm", true), 0);
    EXPECT_EQ(CFileManip::GetLastError(), CFileManip::kErrorSourceIsFolder);
    EXPECT_TRUE(fs::is_directory(tree / "d.htm"));
    EXPECT_EQ(CFileManip::Del(tree / "none.htm", true), 0);
}

TEST(FileManipDel, AsksUnlessQuiet) {
    TempTree tree;
    std::string file = tree.Write("a.htm", "a");
    ScriptedPrompt prompt;

    prompt.answers = {mb::Answer::No};
    EXPECT_EQ(CFileManip::Del(file, false, prompt), 0);
    EXPECT_TRUE(fs::exists(file));
    prompt.answers = {mb::Answer::Yes};
    EXPECT_EQ(CFileManip::Del(file, false, prompt), 1);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(prompt.messages.size(), 2u);
}

} // namespace
