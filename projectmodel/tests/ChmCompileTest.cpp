// A project text written by this library compiles with the HTML Help
// compiler of this system (chmcmd) into a help file that holds every topic.
// The compiler indexes the pages for full-text search and fails on pages
// without a head and title, so the pages here are complete.

#include "baseutil/BWHelper.h"
#include "baseutil/Process.h"
#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "projectmodel/ProjectFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

using mb::testing::ScriptedPrompt;
using mb::testing::TempTree;

namespace {

bool OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        if (!folder.empty() && std::filesystem::exists(folder + "/" + program))
            return true;
    }
    return false;
}

// The names chmls lists for a help file, as "/folder/name".
std::vector<std::string> ListedNames(const std::string& chm) {
    mb::RunResult listed = mb::RunAndCapture({"chmls", "list", chm});
    std::vector<std::string> names;
    std::stringstream lines(listed.output);
    std::string line;
    while (std::getline(lines, line)) {
        size_t slash = line.find(" /");
        if (slash != std::string::npos)
            names.push_back(line.substr(slash + 1));
    }
    return names;
}

TEST(ChmCompile, EveryListedTopicEndsUpInTheHelpFile) {
    if (!OnPath("chmcmd") || !OnPath("chmls"))
        FAIL() << "chmcmd (fp-utils) is not installed";
    ScriptedPrompt prompt;
    TempTree tree;
    const std::string folder = tree.Root() + "/";
    const std::vector<std::string> topics = {"Intro.htm", "sub/page two.htm",
                                             "sub/deeper/more.htm"};
    for (const std::string& topic : topics)
        tree.Write(topic, "<html><head><title>" + topic + "</title></head><body>" + topic +
                              "</body></html>");

    CProjectFile project;
    project.SetChannels(&prompt.channels);
    project.SetMBKFileName(folder + "guide.mbk");
    for (const std::string& topic : topics)
        project.GetHHPFile()->AddFile(folder + topic);
    project.HHP_SetOptionsData(OPT_DEFAULT_TOPIC, folder + topics[0]);
    // A context id with its alias: the compiler wants every symbol assigned.
    tree.Write("ids.h", "#define IDH_INTRO 100\r\n");
    project.GetHHPFile()->UpdateMapFileData(folder + "ids.h");
    project.GetHHPFile()->GetMapData()->GetChildAt(0)->GetChildAt(0)->SetAttr("FILE",
                                                                              folder + topics[0]);
    ASSERT_EQ(project.SaveProject(), 1);

    // The enciphered copy of the project file that the project text lists.
    {
        std::FILE* in = std::fopen(project.GetMBKFileName().c_str(), "rb");
        std::FILE* out = std::fopen(project.GetMBKMBKFileName().c_str(), "wb");
        ASSERT_TRUE(in && out);
        ASSERT_TRUE(CBWHelper::EncryptFileA(in, out));
        std::fclose(in);
        std::fclose(out);
    }
    ASSERT_EQ(project.HHP_WriteFile(project.GetHHPFileName_FullPath()), 1);

    mb::RunResult compiled = mb::RunAndCapture(
        {"sh", "-c", "cd \"$1\" && exec chmcmd \"$2\"", "sh", folder, "guide.hhp"});
    ASSERT_TRUE(compiled.started) << compiled.error;
    EXPECT_EQ(compiled.exitStatus, 0) << compiled.output;
    ASSERT_TRUE(std::filesystem::exists(project.GetCHMFileName())) << compiled.output;

    std::vector<std::string> names = ListedNames(project.GetCHMFileName());
    for (const std::string& topic : topics)
        EXPECT_NE(std::find(names.begin(), names.end(), "/" + topic), names.end()) << topic;
    EXPECT_NE(std::find(names.begin(), names.end(), "/guide.mbkmbk"), names.end());
}

} // namespace
