// Entries made for added pages are named after the page's title or file
// name, and fresh folders in the project get names nobody uses yet.

#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "compiledhelp/tests/support/ChmTestSupport.h"
#include "projectmodel/ProjectFile.h"
#include "runconfig/ConfigData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

using mb::testing::ScriptedPrompt;
using mb::testing::TempTree;

namespace {

// Sets the two naming settings of a project.
class NamingSettings {
public:
    NamingSettings(CProjectFile& project, int htmlTopic, int otherTypesTopic)
        : m_config(project.Settings().config) {
        Set(htmlTopic, otherTypesTopic);
    }
    void Set(int htmlTopic, int otherTypesTopic) {
        m_config.m_nHtmlTopic = htmlTopic;
        m_config.m_nHtmlOtherTypesTopic = otherTypesTopic;
    }

private:
    CConfigData& m_config;
};

std::string NameOf(const CProjectFile& project, const std::string& path) {
    std::string name = "unset";
    EXPECT_TRUE(project.GetNodeNameFromFile(path, name));
    return name;
}

TEST(TopicNames, PagesAreNamedAsTheSettingsChoose) {
    TempTree tree;
    CProjectFile project;
    const std::string page = tree.Write(
        "a b.htm", "<html><head><TITLE lang=\"en\">A &amp; B\r\n &lt;x&gt;</title></head></html>");
    NamingSettings settings(project, 0, 0);
    EXPECT_EQ(NameOf(project, page), "A & B <x>");
    settings.Set(1, 0);
    EXPECT_EQ(NameOf(project, page), "a b.htm");
    settings.Set(2, 0);
    EXPECT_EQ(NameOf(project, page), "a b");

    // Without a title, or without a readable page, the file name stands in.
    settings.Set(0, 0);
    EXPECT_EQ(NameOf(project, tree.Write("bare.HTML", "<html><body>x</body></html>")), "bare.HTML");
    EXPECT_EQ(NameOf(project, tree.Write("open.htm", "<title>never closed")), "open.htm");
    EXPECT_EQ(NameOf(project, tree / "missing.htm"), "missing.htm");

    // Other files follow their own setting and are never read.
    EXPECT_EQ(NameOf(project, tree / "pic.gif"), "pic.gif");
    settings.Set(0, 1);
    EXPECT_EQ(NameOf(project, tree / "pic.gif"), "pic");
    EXPECT_EQ(NameOf(project, tree / "README"), "README");
}

TEST(TopicNames, TitlesAreCleanedAndReadInTheProjectsCodePage) {
    TempTree tree;
    CProjectFile project;
    NamingSettings settings(project, 0, 0);
    const std::string page =
        tree.Write("p.htm", "<title>One&nbsp;&middot;&nbsp;&quot;Two&quot; &amp;lt;</title>");
    EXPECT_EQ(NameOf(project, page), "One \xC2\xB7 \"Two\" &lt;");

    // A Russian page saved in its Windows code page.
    project.HHP_SetOptionsData(OPT_LANGUAGE, 1049);
    EXPECT_EQ(NameOf(project, tree.Write("ru.htm", "<title>\xCF\xF0\xE8\xE2\xE5\xF2</title>")),
              "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82");
    // UTF-8 pages are taken as they are.
    EXPECT_EQ(NameOf(project, tree.Write("u.htm", "<title>\xD0\x94\xC3\xA9</title>")),
              "\xD0\x94\xC3\xA9");
}

TEST(TopicNames, PagesInsideACompiledFileAreNamedAfterTheirTitles) {
    TempTree tree;
    mb::testing::ChmProject help;
    help.folder = tree.Root();
    help.Add("a.htm", "<html><head><title>Alpha &amp; Co</title></head><body>a</body></html>");
    help.Add("sub/b.html", "<html><head><title>Beta</title></head><body>b</body></html>");
    help.Add("pic.gif", "GIF89a");
    std::string chm;
    try {
        chm = help.Build();
    } catch (const std::exception& error) {
        FAIL() << error.what();
    }
    CProjectFile project;
    auto nameIn = [&](const std::string& address) {
        std::string name;
        EXPECT_TRUE(project.GetNodeNameFromFileInCHM(address, name));
        return name;
    };
    EXPECT_EQ(nameIn(chm + "::/a.htm"), "Alpha & Co");
    EXPECT_EQ(nameIn(chm + "::/sub/b.html#part"), "Beta");
    EXPECT_EQ(nameIn(chm + "::/pic.gif"), "pic.gif");
    EXPECT_EQ(nameIn(chm + "::/missing.htm"), "missing.htm");
    EXPECT_EQ(nameIn(tree / "absent.chm::/a.htm"), "a.htm");
}

TEST(TopicNames, NewFoldersInTheProjectAreNamedAfterTheTimeAndNeverTaken) {
    ScriptedPrompt prompt;
    TempTree tree;
    CProjectFile project;
    project.SetChannels(&prompt.channels);
    std::string path = "unset";
    project.GenerateNewDirInRoot(path);
    EXPECT_EQ(path, "");

    project.SetMBKFileName(tree / "guide.mbk");
    project.GenerateNewDirInRoot(path);
    static const std::regex form(R"(auto_\d{8}_\d{6}/)");
    ASSERT_EQ(path.rfind(tree.Root() + "/", 0), 0u) << path;
    EXPECT_TRUE(std::regex_match(path.substr(tree.Root().size() + 1), form)) << path;
    EXPECT_FALSE(std::filesystem::exists(path));

    std::filesystem::create_directory(path);
    std::string next;
    project.GenerateNewDirInRoot(next);
    EXPECT_NE(next, path);
    EXPECT_FALSE(std::filesystem::exists(next));
}

} // namespace
