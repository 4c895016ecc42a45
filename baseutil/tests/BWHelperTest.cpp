#include "baseutil/BWHelper.h"
#include "baseutil/tests/support/RecordingDesktop.h"
#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

using mb::testing::ScriptedPrompt;
using mb::testing::TempTree;

namespace {

TEST(PublicDirectory, WindowsPathsIgnoreCase) {
    EXPECT_EQ(CBWHelper::GetPublicDirectory("C:\\proj\\a\\x.htm", "c:\\PROJ\\b\\y.htm"),
              "C:\\proj");
    EXPECT_EQ(CBWHelper::GetPublicDirectory("C:\\proj\\a", "C:\\proj\\a\\deep"), "C:\\proj\\a");
    EXPECT_EQ(CBWHelper::GetPublicDirectory("C:/proj/a", "C:\\proj\\b"), "C:\\proj");
    EXPECT_EQ(CBWHelper::GetPublicDirectory("C:\\proj\\", "c:\\Proj"), "C:\\proj");
    // Text prefixes are not folders.
    EXPECT_EQ(CBWHelper::GetPublicDirectory("C:\\proj\\a", "C:\\project\\b"), "C:");
    EXPECT_EQ(CBWHelper::GetPublicDirectory("C:\\proj", "D:\\proj"), "");
    EXPECT_EQ(CBWHelper::GetPublicDirectory("C:\\proj", ""), "");
}

TEST(PublicDirectory, NativePathsCompareExactly) {
    EXPECT_EQ(CBWHelper::GetPublicDirectory("/home/ann/a/x.htm", "/home/ann/b/y.htm"), "/home/ann");
    EXPECT_EQ(CBWHelper::GetPublicDirectory("/home/ann/", "/home/ann"), "/home/ann");
    EXPECT_EQ(CBWHelper::GetPublicDirectory("/home/Ann/a", "/home/ann/a"), "/home");
    EXPECT_EQ(CBWHelper::GetPublicDirectory("/home/ann", "/usr/share"), "/");
    EXPECT_EQ(CBWHelper::GetPublicDirectory("/", "/"), "/");
    EXPECT_EQ(CBWHelper::GetPublicDirectory("docs/a", "docs/b"), "docs");
    EXPECT_EQ(CBWHelper::GetPublicDirectory("docs/a", "other/b"), "");
    EXPECT_EQ(CBWHelper::GetPublicDirectory("/home/ann", "C:\\home\\ann"), "");
}

TEST(BWHelperText, BlanksAndDates) {
    EXPECT_EQ(CBWHelper::SPACE(3), "   ");
    EXPECT_EQ(CBWHelper::SPACE(0), "");
    EXPECT_EQ(CBWHelper::SPACE(-2), "");
    EXPECT_EQ(CBWHelper::HTML_BLANK(2), "&nbsp;&nbsp;");
    EXPECT_EQ(CBWHelper::HTML_BLANK(-1), "");

    std::string oldTz = std::getenv("TZ") ? std::getenv("TZ") : "";
    setenv("TZ", "UTC", 1);
    tzset();
    const std::time_t march2007 = 1173103629; // 2007-03-05 14:07:09 UTC
    EXPECT_EQ(CBWHelper::GetDateTimeString2(march2007), "200703");
    EXPECT_EQ(CBWHelper::GetDateTimeString3(march2007), "2007-03-05 14:07:09");
    if (oldTz.empty())
        unsetenv("TZ");
    else
        setenv("TZ", oldTz.c_str(), 1);
    tzset();

    std::string now = CBWHelper::GetDateTimeString3();
    EXPECT_TRUE(std::regex_match(now, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)"))) << now;
}

TEST(BWHelperDesktop, ViewerAndFileBrowserGoThroughTheDesktop) {
    mb::testing::RecordingDesktop desktop;
    EXPECT_TRUE(CBWHelper::OpenCHMInChmViewer(desktop, "/home/ann/out/help.chm"));
    EXPECT_TRUE(CBWHelper::OpenDirectoryInWindowsExplorer(desktop, "/home/ann/out"));
    EXPECT_FALSE(CBWHelper::OpenCHMInChmViewer(desktop, ""));
    EXPECT_EQ((std::vector<std::string>{"/home/ann/out/help.chm", "/home/ann/out"}),
              desktop.opened);
}

TEST(BWHelperDesktop, CreateDirAlwaysReportsSuccess) {
    TempTree tree;
    EXPECT_EQ(CBWHelper::CreateDir(tree / "x/y"), 1);
    EXPECT_TRUE(std::filesystem::is_directory(tree / "x/y"));
    EXPECT_EQ(CBWHelper::CreateDir("C:\\nowhere"), 1);
}

TEST(OpenFileDialog, ShapesOfTheResultList) {
    ScriptedPrompt prompt;
    std::vector<std::string> files = {"stale"};

    prompt.pickedFiles = {std::vector<std::string>{"/home/ann/a.htm"}};
    EXPECT_EQ(CBWHelper::GetFilesByOpenFileDialog(prompt, files, "", false, "/home/ann"), 1);
    EXPECT_EQ((std::vector<std::string>{"/home/ann/a.htm"}), files);
    ASSERT_EQ(prompt.picks.size(), 1u);
    EXPECT_EQ(prompt.picks[0].filter, "HTML Files (*.htm*)|*.htm*");
    EXPECT_EQ(prompt.picks[0].initialPath, "/home/ann");
    EXPECT_FALSE(prompt.picks[0].multiple);

    prompt.pickedFiles = {std::vector<std::string>{"/home/ann/a.htm", "/home/ann/b.htm"}};
    EXPECT_EQ(CBWHelper::GetFilesByOpenFileDialog(prompt, files, "Images|*.gif", true, ""), 1);
    EXPECT_EQ((std::vector<std::string>{"/home/ann", "a.htm", "b.htm"}), files);
    EXPECT_EQ(prompt.picks[1].filter, "Images|*.gif");
    EXPECT_TRUE(prompt.picks[1].multiple);

    prompt.pickedFiles = {std::vector<std::string>{"/home/ann/a.htm"}};
    EXPECT_EQ(CBWHelper::GetFilesByOpenFileDialog(prompt, files, "", true, ""), 1);
    EXPECT_EQ((std::vector<std::string>{"/home/ann/a.htm"}), files) << "one file: one full path";

    prompt.pickedFiles = {std::vector<std::string>{"/a.htm", "/b.htm"}};
    EXPECT_EQ(CBWHelper::GetFilesByOpenFileDialog(prompt, files, "", true, ""), 1);
    EXPECT_EQ((std::vector<std::string>{"/", "a.htm", "b.htm"}), files);

    prompt.pickedFiles = {std::nullopt};
    EXPECT_EQ(CBWHelper::GetFilesByOpenFileDialog(prompt, files, "", true, ""), 0);
    EXPECT_TRUE(files.empty());
}

} // namespace
