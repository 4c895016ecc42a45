// A project made on Windows: CR LF line ends, relative topic paths with "\"
// separators, topics named in another letter case than the files on disk, a
// drive path and a compiled-help address. It must open here with every topic
// found, and save back byte for byte.

#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "projectmodel/ProjectFile.h"

#include <gtest/gtest.h>

using mb::testing::ScriptedPrompt;
using mb::testing::TempTree;

namespace {

std::string JoinCrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i)
        text += (i ? "\r\n" : "") + lines[i];
    return text;
}

const std::string kWindowsProject = JoinCrLf({
    "<?xml version=\"1.0\" encoding=\"utf-8\" ?>",
    "<PROJECT_FT>",
    "\t<ProjectParameters>",
    "\t\t<ProjectFileVersion>2.0</ProjectFileVersion>",
    "\t</ProjectParameters>",
    "\t<HHP>",
    "\t\t<OPTION>",
    "\t\t\t<OPTIONS_TITLE>Guide</OPTIONS_TITLE>",
    "\t\t\t<OPTIONS_DEFAULT_TOPIC>INTRO.HTM</OPTIONS_DEFAULT_TOPIC>",
    "\t\t\t<OPTIONS_DEFAULT_WINDOW>win</OPTIONS_DEFAULT_WINDOW>",
    "\t\t\t<OPTIONS_LANGUAGE>1033</OPTIONS_LANGUAGE>",
    "\t\t\t<OPTIONS_COMPILED_FILE>Guide.chm</OPTIONS_COMPILED_FILE>",
    "\t\t\t<OPTIONS_ERROR_LOG_FILE>compilelog.txt</OPTIONS_ERROR_LOG_FILE>",
    "\t\t\t<OPTIONS_CONTENTS_FILE>Guide.hhc</OPTIONS_CONTENTS_FILE>",
    "\t\t\t<OPTIONS_INDEX_FILE>Guide.hhk</OPTIONS_INDEX_FILE>",
    "\t\t\t<OPTIONS_DISPLAY_COMPILE_NOTES>0</OPTIONS_DISPLAY_COMPILE_NOTES>",
    "\t\t\t<OPTIONS_DISPLAY_COMPILE_PROGRESS>0</OPTIONS_DISPLAY_COMPILE_PROGRESS>",
    "\t\t\t<OPTIONS_COMPATIBILITY>1.1 or later</OPTIONS_COMPATIBILITY>",
    "\t\t\t<OPTIONS_FLAT>0</OPTIONS_FLAT>",
    "\t\t\t<OPTIONS_ENHANCED_DECOMPILATION>0</OPTIONS_ENHANCED_DECOMPILATION>",
    "\t\t\t<OPTIONS_FULL_TEXT_SEARCH>1</OPTIONS_FULL_TEXT_SEARCH>",
    "\t\t\t<OPTIONS_BINARY_INDEX>1</OPTIONS_BINARY_INDEX>",
    "\t\t\t<OPTIONS_BINARY_TOC>0</OPTIONS_BINARY_TOC>",
    "\t\t</OPTION>",
    "\t\t<WINDOWS>",
    "\t\t\t<WINDOWS_TITLE_BAR_TEXT>Guide</WINDOWS_TITLE_BAR_TEXT>",
    "\t\t\t<WINDOWS_TOC_FILE>Guide.hhc</WINDOWS_TOC_FILE>",
    "\t\t\t<WINDOWS_INDEX_FILE>Guide.hhk</WINDOWS_INDEX_FILE>",
    "\t\t\t<WINDOWS_DEFAULT_FILE>Sub\\Page.htm</WINDOWS_DEFAULT_FILE>",
    "\t\t\t<WINDOWS_HOME_URL>C:\\Shared\\common.htm</WINDOWS_HOME_URL>",
    "\t\t\t<WINDOWS_JUMP1_URL>Help.CHM::/Inner/Topic.htm</WINDOWS_JUMP1_URL>",
    "\t\t\t<WINDOWS_JUMP1_TEXT>Inner</WINDOWS_JUMP1_TEXT>",
    "\t\t\t<WINDOWS_NAVIGATION_PANE>464160</WINDOWS_NAVIGATION_PANE>",
    "\t\t\t<WINDOWS_NAVIGATION_WIDTH>200</WINDOWS_NAVIGATION_WIDTH>",
    "\t\t\t<WINDOWS_BUTTON_TYPES>12302</WINDOWS_BUTTON_TYPES>",
    "\t\t\t<WINDOWS_POSITION_LEFT>12</WINDOWS_POSITION_LEFT>",
    "\t\t\t<WINDOWS_POSITION_TOP>34</WINDOWS_POSITION_TOP>",
    "\t\t\t<WINDOWS_POSITION_RIGHT>900</WINDOWS_POSITION_RIGHT>",
    "\t\t\t<WINDOWS_POSITION_BOTTOM>700</WINDOWS_POSITION_BOTTOM>",
    "\t\t\t<WINDOWS_STYLES>268435456</WINDOWS_STYLES>",
    "\t\t\t<WINDOWS_EXTENDED_STYLES>0</WINDOWS_EXTENDED_STYLES>",
    "\t\t\t<WINDOWS_NAVIGATION_PANE_CLOSED>1</WINDOWS_NAVIGATION_PANE_CLOSED>",
    "\t\t\t<WINDOWS_DEFAULT_TAB>0</WINDOWS_DEFAULT_TAB>",
    "\t\t\t<WINDOWS_TAB_POS>0</WINDOWS_TAB_POS>",
    "\t\t\t<WINDOWS_UNKNOWN_20>0</WINDOWS_UNKNOWN_20>",
    "\t\t\t<OTHER_WINDOWS>",
    "\t\t\t\t<WIN>popup=\"Popup\",,,,,,,,,0x2000,,0x0,[1,2,3,4],,,,,,,0</WIN>",
    "\t\t\t</OTHER_WINDOWS>",
    "\t\t</WINDOWS>",
    "\t\t<FILES>",
    "\t\t\t<FILE_LIST Name=\"INTRO.HTM\"/>",
    "\t\t\t<FILE_LIST Name=\"Sub\\Page.htm\"/>",
    "\t\t\t<FILE_LIST Name=\"Sub\\Missing.htm\"/>",
    "\t\t\t<FILE_LIST Name=\"C:\\Shared\\common.htm\"/>",
    "\t\t</FILES>",
    "\t\t<MAP>",
    "\t\t\t<MAP_FILE>IDS.H<IDH_PAGE ID=\"16\" FILE=\"Sub\\Page.htm\"/><IDH_NONE "
    "ID=\"17\"/></MAP_FILE>",
    "\t\t</MAP>",
    "\t\t<ALIAS/>",
    "\t\t<MERGE_FILES>",
    "\t\t\t<FILE_LIST Name=\"Other.chm\"/>",
    "\t\t</MERGE_FILES>",
    "\t</HHP>",
    "\t<HHC ft=\"ft\">",
    "\t\t<SiteProperties>",
    "\t\t\t<param name=\"FrameName\" value=\"right\"/>",
    "\t\t\t<param name=\"ImageType\" value=\"Folder\"/>",
    "\t\t\t<param name=\"Window Styles\" value=\"0x800025\"/>",
    "\t\t\t<param name=\"Foreground\" value=\"0x80000008\"/>",
    "\t\t\t<param name=\"Background\" value=\"0xe0f0ff\"/>",
    "\t\t\t<param name=\"Font\" value=\"Tahoma,10,0\"/>",
    "\t\t</SiteProperties>",
    "\t\t<SiteMap>",
    "\t\t\t<Topic Name=\"Intro\" XPosition=\"0\" ImageNumber=\"10\" Local=\"INTRO.HTM\"/>",
    "\t\t\t<Topic Name=\"Chapter\" XPosition=\"0\" ImageNumber=\"0\"/>",
    "\t\t\t<Topic Name=\"Page\" XPosition=\"1\" ImageNumber=\"10\" Local=\"Sub\\Page.htm\" "
    "Comment=\"first draft\" New=\"1\"/>",
    "\t\t\t<Topic Name=\"Help.CHM::/Inner.hhc\" XPosition=\"1\" ImageNumber=\"44\" "
    "Local=\"Help.CHM::/Inner.hhc\" Type=\"3\"/>",
    "\t\t\t<Topic Name=\"Shared\" XPosition=\"0\" Local=\"C:\\Shared\\common.htm\"/>",
    "\t\t</SiteMap>",
    "\t</HHC>",
    "\t<HHK ft=\"ft\">",
    "\t\t<SiteProperties>",
    "\t\t\t<param name=\"FrameName\" value=\"right\"/>",
    "\t\t\t<param name=\"WindowName\" value=\"win\"/>",
    "\t\t\t<param name=\"Font\" value=\"MS Sans Serif,9,0\"/>",
    "\t\t</SiteProperties>",
    "\t\t<SiteMap>",
    "\t\t\t<Topic Name=\"intro\" XPosition=\"0\" Local=\"INTRO.HTM\" Type=\"0\"/>",
    "\t\t\t<Topic Name=\"pages\" XPosition=\"0\" Type=\"4\"/>",
    "\t\t\t<Topic Name=\"Intro\" XPosition=\"1\" Local=\"INTRO.HTM\" Type=\"5\"/>",
    "\t\t\t<Topic Name=\"Page\" XPosition=\"1\" Local=\"Sub\\Page.htm\" Type=\"5\"/>",
    "\t\t</SiteMap>",
    "\t</HHK>",
    "</PROJECT_FT>",
});

class WindowsMadeProject : public ::testing::Test {
protected:
    void SetUp() override {
        tree.Write("intro.htm", "<html></html>");
        tree.Write("sub/page.htm", "<html></html>");
        tree.Write("help.chm", "ITSF");
        tree.Write("ids.h", "#define IDH_PAGE 16\n");
        path = tree.Write("Guide.mbk", kWindowsProject);
    }
    TempTree tree;
    ScriptedPrompt prompt;
    std::string folder = tree.Root() + "/";
    std::string path;
};

TEST_F(WindowsMadeProject, TopicsResolveToTheFilesOnDisk) {
    CProjectFile project;
    project.SetChannels(&prompt.channels);
    ASSERT_EQ(project.OpenProjectFile(path), 1);
    const CHHPFile& hhp = *project.GetHHPFile();
    std::vector<std::string> names;
    for (int i = 0; i < hhp.GetFilesData()->GetChildCount(); ++i)
        names.push_back(hhp.GetFilesData()->GetChildAt(i)->GetAttr("Name"));
    EXPECT_EQ(names,
              (std::vector<std::string>{folder + "intro.htm", folder + "sub/page.htm",
                                        folder + "Sub/Missing.htm", "C:\\Shared\\common.htm"}));
    std::string value;
    project.HHP_GetOptionsData(OPT_DEFAULT_TOPIC, value);
    EXPECT_EQ(value, folder + "intro.htm");
    project.HHP_GetWindowsData(WIN_DEFAULT_FILE, value);
    EXPECT_EQ(value, folder + "sub/page.htm");
    project.HHP_GetWindowsData(WIN_HOME_URL, value);
    EXPECT_EQ(value, "C:\\Shared\\common.htm");
    project.HHP_GetWindowsData(WIN_JUMP1_URL, value);
    EXPECT_EQ(value, folder + "help.chm::/Inner/Topic.htm");
    const CXML* map = hhp.GetMapData()->GetChildAt(0);
    EXPECT_EQ(map->Value(), folder + "ids.h");
    EXPECT_EQ(map->GetChildAt(0)->GetAttr("FILE"), folder + "sub/page.htm");
    EXPECT_TRUE(prompt.messages.empty());

    std::vector<std::string> titles, pages;
    project.HHC_GetNodeNameAndURL(titles, pages);
    EXPECT_EQ(pages, (std::vector<std::string>{folder + "intro.htm", folder + "sub/page.htm",
                                               folder + "help.chm::/Inner.hhc",
                                               "C:\\Shared\\common.htm"}));
    EXPECT_EQ(project.HHK_GetNodeURL(project.HHK_GetTreeRoot()->GetChildAt(1)->GetChildAt(1)),
              folder + "sub/page.htm");
    // The compiler's sitemaps name the pages as they are on disk.
    std::string contents = project.GetHHCFile()->BuildHHCText();
    EXPECT_NE(contents.find("<param name=\"Local\" value=\"sub\\page.htm\">"), std::string::npos);
    EXPECT_NE(contents.find("<param name=\"Merge\" value=\"help.chm::/Inner.hhc\">"),
              std::string::npos);

    // The compiler's project text names the files as they are on disk.
    std::string text = project.GetHHPFile()->BuildHHPText();
    EXPECT_NE(text.find("[FILES]\r\nintro.htm\r\nsub\\page.htm\r\nSub\\Missing.htm\r\n"
                        "C:\\Shared\\common.htm\r\nGuide.mbkmbk\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\nDefault topic=intro.htm\r\n"), std::string::npos);
}

TEST_F(WindowsMadeProject, SavesBackByteForByte) {
    CProjectFile project;
    project.SetChannels(&prompt.channels);
    ASSERT_EQ(project.OpenProjectFile(path), 1);
    project.SetModified(1);
    ASSERT_EQ(project.SaveProject(), 1);
    EXPECT_EQ(TempTree::Read(path), kWindowsProject);
}

} // namespace
