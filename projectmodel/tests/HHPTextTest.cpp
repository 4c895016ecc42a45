#include "baseutil/Path.h"
#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "commonkit/StringTable.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/tests/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <filesystem>

using mb::testing::FileSizeLimit;
using mb::testing::ScriptedPrompt;
using mb::testing::TempTree;

namespace {

const std::string kEmptySections = "\r\n\r\n[MAP]\r\n"
                                   "\r\n\r\n[ALIAS]\r\n"
                                   "\r\n\r\n[FILES]\r\n"
                                   "\r\n\r\n[MERGE FILES]\r\n";

std::vector<std::string> Names(const CXML* list) {
    std::vector<std::string> names;
    for (int i = 0; i < list->GetChildCount(); ++i)
        names.push_back(list->GetChildAt(i)->GetAttr("Name"));
    return names;
}

std::string ChildValue(const CXML* parent, const char* tag) {
    const CXML* child = parent->GetChildByTagName(tag);
    return child ? child->Value() : "(none)";
}

class HHPTextTest : public ::testing::Test {
protected:
    HHPTextTest() { project.SetChannels(&prompt.channels); }
    // Reads the .hhp into a fresh project kept in the folder of the .hhp.
    void Import(const std::string& hhpPath) {
        project.InitProject();
        project.SetMBKFileName(CPath(hhpPath).GetLocation() + "Guide.mbk");
        CXML element("HHP");
        ASSERT_EQ(project.GetHHPFile()->ReadHHPFileToXML(hhpPath, &element), 1);
        project.GetHHPFile()->ReadXMLTree_Ver2(&element);
    }
    std::string Option(int index) {
        std::string value;
        project.HHP_GetOptionsData(index, value);
        return value;
    }

    TempTree tree;
    ScriptedPrompt prompt;
    std::string folder = tree.Root() + "/";
    CProjectFile project;
};

TEST_F(HHPTextTest, DefaultProjectText) {
    project.SetMBKFileName(folder + "guide.mbk");
    project.SetIncludeMBKProjectInfo(0);
    EXPECT_EQ(
        project.GetHHPFile()->BuildHHPText(),
        "[OPTIONS]\r\n"
        "Title=Marrowbook\r\n"
        "Default Window=win\r\n"
        "Language=0x409\r\n"
        "Error log file=compilelog.txt\r\n"
        "Compatibility=1.1 or later\r\n"
        "Full-text search=YES\r\n"
        "Binary Index=YES\r\n"
        "\r\n[WINDOWS]\r\n"
        "win=\"Marrowbook\",,,,,,,,,0x71520,200,0x300e,[50,50,500,400],0x10000000,0x0,,,,0,0," +
            kEmptySections);

    project.SetIncludeMBKProjectInfo(1);
    std::string text = project.GetHHPFile()->BuildHHPText();
    EXPECT_NE(text.find("[FILES]\r\nguide.mbkmbk\r\n\r\n\r\n[MERGE FILES]"), std::string::npos);
}

TEST_F(HHPTextTest, FullProjectText) {
    project.SetMBKFileName(folder + "guide.mbk");
    project.SetIncludeMBKProjectInfo(0);
    CHHPFile& hhp = *project.GetHHPFile();
    hhp.SetOptionsData(OPT_LANGUAGE, 2052);
    hhp.SetOptionsData(OPT_FLAT, 1);
    hhp.SetOptionsData(OPT_FULL_TEXT_SEARCH, 0);
    hhp.SetOptionsData(OPT_DISPLAY_COMPILE_NOTES, 2); // only 1 counts as set
    hhp.SetOptionsData(OPT_DEFAULT_WINDOW, std::string("main"));
    hhp.SetOptionsData(OPT_TITLE, std::string("Two\r\nLines"));
    hhp.SetWindowsData(WIN_DEFAULT_FILE, folder + "sub/a.htm");
    hhp.SetWindowsData(WIN_JUMP1_URL, std::string("http://example.org/"));
    hhp.SetWindowsData(WIN_JUMP1_TEXT, std::string("Web"));
    hhp.SetWindowsData(WIN_EXTENDED_STYLES, 0xABCUL);
    hhp.SetWindowsData(WIN_POSITION, HHRect{-5, 0, 1024, 768});
    hhp.SetTabPos(2);
    hhp.SetWindowsData(WIN_UNKNOWN_20, 9);
    hhp.SetWindowsData(WIN_NAVIGATION_PANE_CLOSED, 0); // never written to the .hhp
    hhp.SetWindowsData(WIN_DEFAULT_TAB, 1);            // never written to the .hhp
    hhp.AddFile(folder + "a.htm");
    hhp.AddFile(folder + "sub/deeper/b.htm");
    hhp.AddFile("/elsewhere/c.htm");
    hhp.AddMergeFile("other.chm");
    auto* map = new CXML("MAP_FILE");
    map->SetValue(folder + "inc/ids.h");
    map->AddChild("IDH_A")->SetAttr("FILE", folder + "a.htm");
    map->AddChild("IDH_B");
    hhp.AddIDMap(map);

    EXPECT_EQ(hhp.BuildHHPText(),
              "[OPTIONS]\r\n"
              "Title=Two  Lines\r\n" // a line break cannot start a new entry
              "Default Window=main\r\n"
              "Language=0x804\r\n"
              "Error log file=compilelog.txt\r\n"
              "Compatibility=1.1 or later\r\n"
              "Flat=YES\r\n"
              "Binary Index=YES\r\n"
              "\r\n[WINDOWS]\r\n"
              "main=\"Marrowbook\",,,\"sub\\a.htm\",,\"http://example.org/\",\"Web\",,,0x71520,200,"
              "0x300e,[-5,0,1024,768],0x10000000,0xabc,,,,2,9,"
              "\r\n\r\n[MAP]\r\n"
              "#include inc\\ids.h\r\n"
              "\r\n\r\n[ALIAS]\r\n"
              "IDH_A=a.htm\r\n"
              "\r\n\r\n[FILES]\r\n"
              "a.htm\r\n"
              "sub\\deeper\\b.htm\r\n"
              "/elsewhere/c.htm\r\n"
              "\r\n\r\n[MERGE FILES]\r\n"
              "other.chm\r\n");
}

TEST_F(HHPTextTest, DefaultTopicFallsBackToTheFirstContentsPage) {
    project.SetMBKFileName(folder + "guide.mbk");
    CXML* root = project.GetHHCFile()->GetTreeRoot();
    CXML* book = root->AddChild(CHHCFile::CreateNode("Book", ""));
    book->AddChild(CHHCFile::CreateNode("First", folder + "sub/first.htm"));
    root->AddChild(CHHCFile::CreateNode("Second", folder + "second.htm"));
    std::string text = project.GetHHPFile()->BuildHHPText();
    EXPECT_NE(text.find("\r\nDefault topic=sub\\first.htm\r\n"), std::string::npos);

    project.HHP_SetOptionsData(OPT_DEFAULT_TOPIC, folder + "own.htm");
    text = project.GetHHPFile()->BuildHHPText();
    EXPECT_NE(text.find("\r\nDefault topic=own.htm\r\n"), std::string::npos);
}

class AwkwardProject : public HHPTextTest {
protected:
    void SetUp() override {
        for (const char* topic : {"topics/intro.htm", "topics/a.htm", "topics/b.htm", "top.htm"})
            tree.Write(topic, "<html></html>");
        tree.Write("ids.h", "// context ids\n"
                            "#define IDH_A 0x10\n"
                            "#define\tIDH_B\t\t200\n"
                            "  #DEFINE IDH_C -7 // comment\n"
                            "#define ONLYSYMBOL\n"
                            "#define 9BAD 1\n"
                            "#define BAD<TAG 2\n"
                            "#ifndef X\n");
        tree.Write("alias.txt", "IDH_B = Topics\\B.htm\r\n;IDH_C=c.htm\r\n");
        hhpPath = tree.Write(
            "Guide.hhp",
            "; made by hand\r\n"
            "[OPTIONS]\r\n"
            "Compatibility=1.1 or later\r\n"
            "compiled file=Guide.chm\r\n"
            "  Title = My, Guide  \r\n"
            "Default Window=Main\r\n"
            "Default topic=Topics\\Intro.htm\r\n"
            "Language=0x407 Deutsch (Deutschland)\r\n"
            "Display compile progress=No\r\n"
            "Full-text search=Yes\r\n"
            "Binary TOC=YES\r\n"
            "Unknown key=whatever\r\n"
            "Index file=\r\n"
            "; a comment=not a key\r\n"
            "\r\n"
            "[WINDOWS]\r\n"
            "main=\"Guide, Second Edition\",\"Guide.hhc\",\"Guide.hhk\",\"Topics\\Intro.htm\","
            "\"Topics\\Intro.htm\",,,,,0x63520,250,0x10184e,[10, 20, 610, "
            "480],0xb0000,,,,,1,2,3\r\n"
            "popup=\"Popup\",,,,,,,,,0x2000,,0x0,[100,100,300,300],,,,,,,0\r\n"
            "\r\n"
            "[MAP]\r\n"
            "#include ids.h\r\n"
            "#define IDH_INLINE 5\r\n"
            "\r\n"
            "[ALIAS]\r\n"
            "IDH_A=Topics\\a.htm ; note\r\n"
            "IDH_UNKNOWN=topics\\x.htm\r\n"
            "#include alias.txt\r\n"
            "\r\n"
            "[FILES]\r\n"
            "Topics\\Intro.htm\r\n"
            "; commented out.htm\r\n"
            "Topics\\..\\top.htm\r\n"
            "C:\\Shared\\common.htm\r\n"
            "\r\n"
            "[MERGE FILES]\r\n"
            "other.chm\r\n"
            "[INFOTYPES]\r\n"
            "not a file\r\n");
    }
    std::string hhpPath;
};

TEST_F(AwkwardProject, ReaderProducesTheProjectElement) {
    project.SetMBKFileName(folder + "Guide.mbk");
    CXML element("HHP");
    project.GetHHPFile()->ReadHHPFileToXML(hhpPath, &element);
    ASSERT_EQ(element.GetChildCount(), 5);
    const CXML* options = element.GetChildByTagName("OPTION");
    EXPECT_EQ(ChildValue(options, "OPTIONS_TITLE"), "My, Guide");
    EXPECT_EQ(ChildValue(options, "OPTIONS_LANGUAGE"), "1031");
    EXPECT_EQ(ChildValue(options, "OPTIONS_DEFAULT_TOPIC"), folder + "topics/intro.htm");
    EXPECT_EQ(ChildValue(options, "OPTIONS_DISPLAY_COMPILE_PROGRESS"), "No");
    EXPECT_EQ(ChildValue(options, "OPTIONS_INDEX_FILE"), "(none)");
    EXPECT_EQ(options->GetChildCount(), 9);

    const CXML* windows = element.GetChildByTagName("WINDOWS");
    EXPECT_EQ(ChildValue(windows, "WINDOWS_TITLE_BAR_TEXT"), "Guide, Second Edition");
    EXPECT_EQ(ChildValue(windows, "WINDOWS_TOC_FILE"), "Guide.hhc");
    EXPECT_EQ(ChildValue(windows, "WINDOWS_DEFAULT_FILE"), folder + "topics/intro.htm");
    EXPECT_EQ(ChildValue(windows, "WINDOWS_JUMP1_URL"), "(none)");
    EXPECT_EQ(ChildValue(windows, "WINDOWS_NAVIGATION_PANE"), "406816");
    EXPECT_EQ(ChildValue(windows, "WINDOWS_BUTTON_TYPES"), "1054798");
    EXPECT_EQ(ChildValue(windows, "WINDOWS_POSITION_LEFT"), "10");
    EXPECT_EQ(ChildValue(windows, "WINDOWS_POSITION_TOP"), "20");
    EXPECT_EQ(ChildValue(windows, "WINDOWS_POSITION_RIGHT"), "610");
    EXPECT_EQ(ChildValue(windows, "WINDOWS_POSITION_BOTTOM"), "480");
    EXPECT_EQ(ChildValue(windows, "WINDOWS_STYLES"), "720896");
    EXPECT_EQ(ChildValue(windows, "WINDOWS_EXTENDED_STYLES"), "(none)");
    EXPECT_EQ(ChildValue(windows, "WINDOWS_TAB_POS"), "1");
    EXPECT_EQ(ChildValue(windows, "WINDOWS_UNKNOWN_20"), "2");
    const CXML* others = windows->GetChildByTagName("OTHER_WINDOWS");
    ASSERT_EQ(others->GetChildCount(), 1);
    EXPECT_EQ(others->GetChildAt(0)->Value(),
              "popup=\"Popup\",,,,,,,,,0x2000,,0x0,[100,100,300,300],,,,,,,0");
    EXPECT_EQ(windows->GetLastChild(), others);

    const CXML* map = element.GetChildByTagName("MAP");
    ASSERT_EQ(map->GetChildCount(), 1);
    const CXML* header = map->GetChildAt(0);
    EXPECT_EQ(header->Value(), folder + "ids.h");
    ASSERT_EQ(header->GetChildCount(), 3);
    EXPECT_EQ(header->GetChildAt(0)->GetTagName(), "IDH_A");
    EXPECT_EQ(header->GetChildAt(0)->GetAttr("ID"), "16");
    EXPECT_EQ(header->GetChildAt(0)->GetAttr("FILE"), folder + "topics/a.htm");
    EXPECT_EQ(header->GetChildAt(1)->GetAttr("ID"), "200");
    EXPECT_EQ(header->GetChildAt(1)->GetAttr("FILE"), folder + "topics/b.htm");
    EXPECT_EQ(header->GetChildAt(2)->GetTagName(), "IDH_C");
    EXPECT_EQ(header->GetChildAt(2)->GetAttr("ID"), "-7");
    EXPECT_EQ(header->GetChildAt(2)->FindAttr("FILE"), nullptr);

    EXPECT_EQ(Names(element.GetChildByTagName("FILES")),
              (std::vector<std::string>{folder + "topics/intro.htm", folder + "top.htm",
                                        "C:\\Shared\\common.htm"}));
    EXPECT_EQ(Names(element.GetChildByTagName("MERGE_FILES")),
              (std::vector<std::string>{"other.chm"}));
    EXPECT_EQ(prompt.busyDepth, 0);
}

TEST_F(AwkwardProject, LoadedSettings) {
    Import(hhpPath);
    EXPECT_EQ(Option(OPT_TITLE), "My, Guide");
    int number = -1;
    project.HHP_GetOptionsData(OPT_LANGUAGE, number);
    EXPECT_EQ(number, 1031);
    project.HHP_GetOptionsData(OPT_DISPLAY_COMPILE_PROGRESS, number);
    EXPECT_EQ(number, 0);
    project.HHP_GetOptionsData(OPT_BINARY_TOC, number);
    EXPECT_EQ(number, 1);
    tagHH_WINTYPE window;
    project.HHP_GetWindowsData(-1, window);
    EXPECT_EQ(window.pszCaption, "Guide, Second Edition");
    EXPECT_EQ(window.rcWindowPos, (HHRect{10, 20, 610, 480}));
    EXPECT_EQ(window.fsWinProperties, 0x63520UL);
    EXPECT_EQ(window.iNavWidth, 250);
    EXPECT_EQ(window.dwStyles, 0xB0000UL);
    EXPECT_EQ(window.fNotExpanded, 1); // not in the line: unchanged
    EXPECT_EQ(project.HHP_GetTabPos(), 1);
    EXPECT_EQ(project.HHP_GetIncludeIndexPage(), 1);
    EXPECT_EQ(project.GetHHPFile()->GetOtherWindows().size(), 1u);
}

TEST_F(AwkwardProject, WrittenBackInTheExactTextWithFilesNamedAsOnDisk) {
    Import(hhpPath);
    project.SetIncludeMBKProjectInfo(0);
    const std::string expected =
        "[OPTIONS]\r\n"
        "Title=My, Guide\r\n"
        "Default topic=topics\\intro.htm\r\n"
        "Default Window=Main\r\n"
        "Language=0x407\r\n"
        "compiled file=Guide.chm\r\n"
        "Error log file=compilelog.txt\r\n"
        "Compatibility=1.1 or later\r\n"
        "Full-text search=YES\r\n"
        "Binary Index=YES\r\n"
        "Binary TOC=YES\r\n"
        "\r\n[WINDOWS]\r\n"
        "Main=\"Guide, Second Edition\",\"Guide.hhc\",\"Guide.hhk\",\"topics\\intro.htm\","
        "\"topics\\intro.htm\",,,,,0x63520,250,0x10184e,[10,20,610,480],0xb0000,0x0,,,,1,2,\r\n"
        "popup=\"Popup\",,,,,,,,,0x2000,,0x0,[100,100,300,300],,,,,,,0"
        "\r\n\r\n[MAP]\r\n"
        "#include ids.h\r\n"
        "\r\n\r\n[ALIAS]\r\n"
        "IDH_A=topics\\a.htm\r\n"
        "IDH_B=topics\\b.htm\r\n"
        "\r\n\r\n[FILES]\r\n"
        "topics\\intro.htm\r\n"
        "top.htm\r\n"
        "C:\\Shared\\common.htm\r\n"
        "\r\n\r\n[MERGE FILES]\r\n"
        "other.chm\r\n";
    ASSERT_EQ(project.HHP_WriteFile(folder + "out.hhp"), 1);
    EXPECT_EQ(TempTree::Read(folder + "out.hhp"), expected);

    // A project text in this form reads and writes back byte for byte.
    Import(folder + "out.hhp");
    project.SetIncludeMBKProjectInfo(0);
    EXPECT_EQ(project.GetHHPFile()->BuildHHPText(), expected);
}

TEST_F(AwkwardProject, ProjectFileKeepsTheSpellingOfTheImportedProject) {
    Import(hhpPath);
    ASSERT_EQ(project.SaveProjectAs(folder + "Guide.mbk"), 1);
    std::string text = TempTree::Read(folder + "Guide.mbk");
    EXPECT_NE(text.find("<FILE_LIST Name=\"Topics\\Intro.htm\"/>"), std::string::npos);
    EXPECT_NE(text.find("<FILE_LIST Name=\"top.htm\"/>"), std::string::npos);
    EXPECT_NE(text.find("<FILE_LIST Name=\"C:\\Shared\\common.htm\"/>"), std::string::npos);
    EXPECT_NE(text.find("<IDH_B ID=\"200\" FILE=\"Topics\\B.htm\"/>"), std::string::npos);
}

TEST_F(HHPTextTest, MissingMainWindowLineLeavesTheWindowAsItWas) {
    for (const std::string& options : {std::string("Default Window=main\r\n"), std::string()}) {
        std::string hhp = tree.Write("w.hhp", "[OPTIONS]\r\n" + options +
                                                  "[WINDOWS]\r\n"
                                                  "other=\"x\"\r\n"
                                                  "second=,,\r\n");
        CHHPFile& model = *project.GetHHPFile();
        model.InitHHP();
        model.SetWindowsData(WIN_TITLE_BAR_TEXT, std::string("Before"));
        model.SetWindowsData(WIN_POSITION, HHRect{1, 2, 3, 4});
        CXML element("HHP");
        model.ReadHHPFileToXML(hhp, &element);
        const CXML* windows = element.GetChildByTagName("WINDOWS");
        ASSERT_EQ(windows->GetChildCount(), 1);
        EXPECT_EQ(windows->GetChildAt(0)->GetChildCount(), 2);
        model.ReadXMLTree_Ver2(&element);
        std::string caption;
        model.GetWindowsData(WIN_TITLE_BAR_TEXT, caption);
        EXPECT_EQ(caption, "Before");
        HHRect rect;
        model.GetWindowsData(WIN_POSITION, rect);
        EXPECT_EQ(rect, (HHRect{50, 50, 500, 400}));
        EXPECT_EQ(model.GetIncludeIndexPage(), 0);
        EXPECT_EQ(model.GetOtherWindows(), (std::vector<std::string>{"other=\"x\"", "second=,,"}));
    }
}

TEST_F(HHPTextTest, UnquotedCommasStillSeparateItems) {
    std::string hhp = tree.Write("w.hhp", "[OPTIONS]\r\nDefault Window=win\r\n"
                                          "[WINDOWS]\r\nWIN=My, Guide,toc.hhc\r\n");
    CXML element("HHP");
    project.GetHHPFile()->ReadHHPFileToXML(hhp, &element);
    const CXML* windows = element.GetChildByTagName("WINDOWS");
    EXPECT_EQ(ChildValue(windows, "WINDOWS_TITLE_BAR_TEXT"), "My");
    EXPECT_EQ(ChildValue(windows, "WINDOWS_TOC_FILE"), "Guide");
    EXPECT_EQ(ChildValue(windows, "WINDOWS_INDEX_FILE"), "toc.hhc");
}

TEST_F(HHPTextTest, LegacyEncodedProjectsAreDecodedByTheirLanguage) {
    tree.Write("ids.h", "#define IDH_A 1\n");
    tree.Write("alias.txt", "IDH_A=\xDC"
                            "ber.htm\r\n");
    std::string german = tree.Write("de.hhp", "[OPTIONS]\r\nTitle=\xDC"
                                              "bersicht\r\n"
                                              "Language=0x407\r\n"
                                              "[MAP]\r\n#include ids.h\r\n"
                                              "[ALIAS]\r\n#include alias.txt\r\n");
    Import(german);
    EXPECT_EQ(Option(OPT_TITLE), "\xC3\x9C"
                                 "bersicht");
    const CXML* symbol = project.GetHHPFile()->GetMapData()->GetChildAt(0)->GetChildAt(0);
    EXPECT_EQ(symbol->GetAttr("FILE"), folder + "\xC3\x9C"
                                                "ber.htm");

    std::string chinese = tree.Write("zh.hhp", "[OPTIONS]\r\nLanguage=0x804\r\n"
                                               "Title=\xB0\xEF\xD6\xFA\r\n");
    Import(chinese);
    EXPECT_EQ(Option(OPT_TITLE), "\xE5\xB8\xAE\xE5\x8A\xA9");

    std::string utf8 = tree.Write("utf8.hhp", "\xEF\xBB\xBF[OPTIONS]\r\nLanguage=0x407\r\n"
                                              "Title=\xC3\x9C"
                                              "bersicht\r\n");
    Import(utf8);
    EXPECT_EQ(Option(OPT_TITLE), "\xC3\x9C"
                                 "bersicht");
}

TEST_F(HHPTextTest, OnlyRegularFilesAreReadAsHeadersOrAliases) {
    tree.MakeFolder("folder.h");
    std::string hhp = tree.Write("dev.hhp", "[MAP]\r\n#include /dev/zero\r\n#include folder.h\r\n"
                                            "[ALIAS]\r\n#include /dev/zero\r\n");
    CXML element("HHP");
    ASSERT_EQ(project.GetHHPFile()->ReadHHPFileToXML(hhp, &element), 1);
    const CXML* map = element.GetChildByTagName("MAP");
    ASSERT_EQ(map->GetChildCount(), 2);
    EXPECT_EQ(map->GetChildAt(0)->GetChildCount(), 0);
    EXPECT_EQ(project.GetHHPFile()->ReadMapFileToXML("/dev/zero", map->GetChildAt(0)), 0);
}

TEST_F(HHPTextTest, ReadOnlyTargetIsNotWritten) {
    std::string target = tree.Write("guide.hhp", "old");
    std::filesystem::permissions(target, std::filesystem::perms::owner_read);
    EXPECT_EQ(project.HHP_WriteFile(target), 0);
    EXPECT_EQ(TempTree::Read(target), "old");
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].caption, CStrHelper::ML_GetStringEx(8));
    EXPECT_NE(prompt.messages[0].text.find(target), std::string::npos);
}

TEST_F(HHPTextTest, FailedWriteLeavesTheOldFileIntact) {
    std::string target = tree.Write("guide.hhp", "old");
    for (int i = 0; i < 100; ++i)
        project.GetHHPFile()->AddFile(folder + "topic" + std::to_string(i) + ".htm");
    {
        FileSizeLimit limit(256);
        EXPECT_EQ(project.HHP_WriteFile(target), 0);
    }
    EXPECT_EQ(TempTree::Read(target), "old");
    EXPECT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(project.HHP_WriteFile(target), 1);
    EXPECT_NE(TempTree::Read(target).find("topic99.htm\r\n"), std::string::npos);
}

} // namespace
