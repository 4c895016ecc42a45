#include "projectmodel/ProjectFile.h"
#include "baseutil/Prompt.h"
#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "commonkit/StringTable.h"
#include "projectmodel/tests/FileSizeLimit.h"
#include "projectmodel/tests/NotificationLog.h"

#include <gtest/gtest.h>

#include <filesystem>

using mb::testing::FileSizeLimit;
using mb::testing::NotificationLog;
using mb::testing::ScriptedPrompt;
using mb::testing::TempTree;

namespace {

std::vector<std::string> Names(const CXML* list) {
    std::vector<std::string> names;
    for (int i = 0; i < list->GetChildCount(); ++i)
        names.push_back(list->GetChildAt(i)->GetAttr("Name"));
    return names;
}

// Each entry of a tree with its depth and every attribute but its ID, which
// each load makes anew.
std::string Described(const CXML* node, int depth = 0) {
    std::string text;
    for (int i = 0; i < node->GetChildCount(); ++i) {
        const CXML* child = node->GetChildAt(i);
        text += std::string(depth, ' ');
        for (int a = 0; a < child->GetAttrCount(); ++a) {
            if (child->GetAttrNameAt(a) != "ID")
                text += child->GetAttrNameAt(a) + "=" + child->GetAttrValueAt(a) + " ";
        }
        text += "\n" + Described(child, depth + 1);
    }
    return text;
}

// Every setting of a project made different from its default.
void FillEverySetting(CProjectFile& project, const std::string& folder) {
    CHHPFile& hhp = *project.GetHHPFile();
    tagHH_HHP_OPTIONS options;
    options.title = "Ann's <Guide> & \"Notes\"";
    options.defaultTopic = folder + "sub/start page.htm";
    options.defaultWindow = "main";
    options.language = 2052;
    options.defaultFont = "Arial,10,0";
    options.compiledFile = "out.chm";
    options.errorLogFile = "errors.log";
    options.contentsFile = "toc.hhc";
    options.indexFile = "idx.hhk";
    options.fullTextSearchStopList = "stop.stp";
    options.displayCompileNotes = 1;
    options.displayCompileProgress = 1;
    options.compatibility = "1.0";
    options.flat = 1;
    options.enhancedDecompilation = 1;
    options.fullTextSearch = 0;
    options.binaryIndex = 0;
    options.binaryToc = 1;
    hhp.SetOptionsData(-1, options);

    tagHH_WINTYPE window;
    window.pszCaption = "Caption, with comma";
    window.pszToc = "toc.hhc";
    window.pszIndex = "idx.hhk";
    window.pszFile = folder + "a.htm";
    window.pszHome = folder + "sub/home.htm";
    window.pszUrlJump1 = "http://example.org/";
    window.pszJump1 = "Web";
    window.pszUrlJump2 = folder + "help.chm::/inner.htm";
    window.pszJump2 = "Inner";
    window.fsWinProperties = 0x12345;
    window.iNavWidth = 321;
    window.fsToolBarFlags = 0xF0F0;
    window.rcWindowPos = {11, 22, 633, 744};
    window.dwStyles = 0x80000000;
    window.dwExStyles = 0x40;
    window.fNotExpanded = 0;
    window.curNavType = 2;
    window.tabpos = 1;
    window.idNotify = 77;
    hhp.SetWindowsData(-1, window);

    hhp.AddFile(folder + "a.htm");
    hhp.AddFile(folder + "sub/start page.htm");
    hhp.AddFile("/elsewhere/outside.htm");
    hhp.AddMergeFile("other.chm");
    hhp.AddMergeFile("Second.CHM");

    auto* map = new CXML("MAP_FILE");
    map->SetValue(folder + "ids.h");
    CXML* symbol = map->AddChild("IDH_START");
    symbol->SetAttr("ID", 16);
    symbol->SetAttr("FILE", folder + "sub/start page.htm");
    map->AddChild("IDH_NONE")->SetAttr("ID", -3);
    hhp.AddIDMap(map);
}

class ProjectFileTest : public ::testing::Test {
protected:
    TempTree tree;
    ScriptedPrompt prompt;
    std::string folder = tree.Root() + "/";
    std::string path = folder + "guide.mbk";
};

TEST_F(ProjectFileTest, SavedProjectOpensWithEverySettingAndList) {
    CProjectFile saved;
    saved.SetChannels(&prompt.channels);
    saved.SetMBKFileName(path);
    FillEverySetting(saved, folder);
    ASSERT_EQ(saved.WriteProjectFile(path), 1);
    EXPECT_FALSE(saved.IsModified());

    CProjectFile opened;
    opened.SetChannels(&prompt.channels);
    ASSERT_EQ(opened.OpenProjectFile(path), 1);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(opened.GetFileVersion(), "2.0");
    EXPECT_FALSE(opened.IsModified());

    tagHH_HHP_OPTIONS before, after;
    saved.HHP_GetOptionsData(-1, before);
    opened.HHP_GetOptionsData(-1, after);
    EXPECT_EQ(after, before);
    tagHH_WINTYPE windowBefore, windowAfter;
    saved.HHP_GetWindowsData(-1, windowBefore);
    opened.HHP_GetWindowsData(-1, windowAfter);
    EXPECT_EQ(windowAfter, windowBefore);
    EXPECT_EQ(windowAfter.rcWindowPos, (HHRect{11, 22, 633, 744}));

    const CHHPFile& hhp = *opened.GetHHPFile();
    EXPECT_EQ(Names(hhp.GetFilesData()),
              (std::vector<std::string>{folder + "a.htm", folder + "sub/start page.htm",
                                        "/elsewhere/outside.htm"}));
    EXPECT_EQ(Names(hhp.GetMergeFilesData()),
              (std::vector<std::string>{"other.chm", "Second.CHM"}));
    ASSERT_EQ(hhp.GetMapData()->GetChildCount(), 1);
    const CXML* map = hhp.GetMapData()->GetChildAt(0);
    EXPECT_EQ(map->GetTagName(), "MAP_FILE");
    EXPECT_EQ(map->Value(), folder + "ids.h");
    ASSERT_EQ(map->GetChildCount(), 2);
    EXPECT_EQ(map->GetChildAt(0)->GetTagName(), "IDH_START");
    EXPECT_EQ(map->GetChildAt(0)->GetAttr("ID"), "16");
    EXPECT_EQ(map->GetChildAt(0)->GetAttr("FILE"), folder + "sub/start page.htm");
    EXPECT_EQ(map->GetChildAt(1)->GetAttr("ID"), "-3");
    EXPECT_EQ(map->GetChildAt(1)->FindAttr("FILE"), nullptr);
    EXPECT_EQ(opened.HHP_GetIncludeIndexPage(), 1);

    // Written again, the file is the same byte for byte.
    opened.SetModified(1);
    ASSERT_EQ(opened.WriteProjectFile(folder + "again.mbk"), 1);
    EXPECT_EQ(TempTree::Read(folder + "again.mbk"), TempTree::Read(path));
}

TEST_F(ProjectFileTest, FileLayoutAndRelativeForms) {
    CProjectFile project;
    project.SetChannels(&prompt.channels);
    project.SetMBKFileName(path);
    FillEverySetting(project, folder);
    ASSERT_EQ(project.SaveProject(), 1);
    std::string text = TempTree::Read(path);
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n<PROJECT_FT>\r\n", 0), 0u);

    CXML root;
    ASSERT_TRUE(root.XMLReadString(text.substr(text.find("<PROJECT_FT>"))));
    ASSERT_EQ(root.GetChildCount(), 4);
    EXPECT_EQ(root.GetChildAt(0)->GetTagName(), "ProjectParameters");
    EXPECT_EQ(root.GetChildAt(0)->GetChildByTagName("ProjectFileVersion")->Value(), "2.0");
    EXPECT_EQ(root.GetChildAt(1)->GetTagName(), "HHP");
    EXPECT_EQ(root.GetChildAt(2)->GetTagName(), "HHC");
    EXPECT_EQ(root.GetChildAt(2)->GetAttr("ft"), "ft");
    EXPECT_EQ(root.GetChildAt(3)->GetTagName(), "HHK");
    EXPECT_EQ(root.GetChildAt(3)->GetAttr("ft"), "ft");

    const CXML* hhp = root.GetChildAt(1);
    std::vector<std::string> sections;
    for (int i = 0; i < hhp->GetChildCount(); ++i)
        sections.push_back(hhp->GetChildAt(i)->GetTagName());
    EXPECT_EQ(sections, (std::vector<std::string>{"OPTION", "WINDOWS", "FILES", "MAP", "ALIAS",
                                                  "MERGE_FILES"}));
    const CXML* options = hhp->GetChildByTagName("OPTION");
    EXPECT_EQ(options->GetChildByTagName("OPTIONS_DEFAULT_TOPIC")->Value(), "sub\\start page.htm");
    EXPECT_EQ(options->GetChildByTagName("OPTIONS_LANGUAGE")->Value(), "2052");
    const CXML* windows = hhp->GetChildByTagName("WINDOWS");
    EXPECT_EQ(windows->GetChildByTagName("WINDOWS_HOME_URL")->Value(), "sub\\home.htm");
    EXPECT_EQ(windows->GetChildByTagName("WINDOWS_JUMP2_URL")->Value(), "help.chm::/inner.htm");
    EXPECT_EQ(windows->GetChildByTagName("WINDOWS_JUMP1_URL")->Value(), "http://example.org/");
    EXPECT_EQ(windows->GetChildByTagName("WINDOWS_NAVIGATION_PANE")->Value(), "74565");
    EXPECT_EQ(windows->GetChildByTagName("WINDOWS_POSITION"), nullptr);
    EXPECT_EQ(windows->GetChildByTagName("WINDOWS_UNKNOWN_16"), nullptr);
    EXPECT_EQ(windows->GetChildByTagName("WINDOWS_POSITION_TOP")->Value(), "22");
    EXPECT_EQ(windows->GetChildByTagName("WINDOWS_POSITION_RIGHT")->Value(), "633");
    const CXML* files = hhp->GetChildByTagName("FILES");
    EXPECT_EQ(files->GetChildAt(1)->GetAttr("Name"), "sub\\start page.htm");
    EXPECT_EQ(files->GetChildAt(2)->GetAttr("Name"), "/elsewhere/outside.htm");
    const CXML* map = hhp->GetChildByTagName("MAP")->GetChildAt(0);
    EXPECT_EQ(map->Value(), "ids.h");
    EXPECT_EQ(map->GetChildAt(0)->GetAttr("FILE"), "sub\\start page.htm");
}

TEST_F(ProjectFileTest, NotificationsOnOpening) {
    CProjectFile saved;
    saved.SetChannels(&prompt.channels);
    saved.SaveProjectAs(path);
    CProjectFile project;
    project.SetChannels(&prompt.channels);
    NotificationLog log;
    log.Watch(project, "project");
    log.Watch(*project.GetHHPFile(), "hhp");
    log.Watch(*project.GetHHCFile(), "hhc");
    log.Watch(*project.GetHHKFile(), "hhk");
    ASSERT_EQ(project.OpenProjectFile(path), 1);
    EXPECT_EQ(log.Only({1, 2, 4, 5}),
              (std::vector<std::string>{"project:4", "project:1", "project:2", "hhk:2", "project:5",
                                        "hhc:2"}));
    EXPECT_EQ(log.entries.front(), "project:4");
    EXPECT_EQ(log.entries.back(), "project:0");
    EXPECT_EQ(prompt.busyDepth, 0);
}

TEST_F(ProjectFileTest, OpeningReplacesWhatWasLoaded) {
    CProjectFile saved;
    saved.SetChannels(&prompt.channels);
    saved.SetMBKFileName(path);
    saved.GetHHPFile()->AddFile(folder + "a.htm");
    saved.SaveProject();
    CProjectFile project;
    project.SetChannels(&prompt.channels);
    ASSERT_EQ(project.OpenProjectFile(path), 1);
    ASSERT_EQ(project.OpenProjectFile(path), 1);
    EXPECT_EQ(Names(project.GetHHPFile()->GetFilesData()),
              (std::vector<std::string>{folder + "a.htm"}));
}

TEST_F(ProjectFileTest, VersionOneFilesAreReadWithTheOlderReader) {
    const std::string older =
        "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n"
        "<PROJECT_FT><HHP>"
        "<OPTION><OPTIONS_TITLE>Old</OPTIONS_TITLE><OPTIONS_FLAT>1</OPTIONS_FLAT></OPTION>"
        "<WINDOWS><WINDOWS_TITLE_BAR_TEXT>Old window</WINDOWS_TITLE_BAR_TEXT>"
        "<WINDOWS_POSITION_LEFT>5</WINDOWS_POSITION_LEFT></WINDOWS>"
        "<FILES><FILE_LIST Name=\"a.htm\"/><FILE_LIST Name=\"\"/></FILES>"
        "<MAP><MAP_FILE>ids.h<IDH_A ID=\"1\"/></MAP_FILE></MAP>"
        "<MERGE_FILES><FILE_LIST Name=\"m.chm\"/></MERGE_FILES>"
        "</HHP><HHC/><HHK/></PROJECT_FT>";
    for (const std::string& parameters :
         {std::string(), std::string("<ProjectParameters/>"),
          std::string("<ProjectParameters><ProjectFileVersion>3.0</ProjectFileVersion>"
                      "</ProjectParameters>")}) {
        std::string text = older;
        text.insert(text.find("<HHP>"), parameters);
        tree.Write("old.mbk", text);
        CProjectFile project;
        project.SetChannels(&prompt.channels);
        ASSERT_EQ(project.OpenProjectFile(folder + "old.mbk"), 1) << parameters;
        EXPECT_EQ(project.GetFileVersion(), "1.0");
        std::string title;
        project.HHP_GetOptionsData(OPT_TITLE, title);
        EXPECT_EQ(title, "Old");
        int flat = 0;
        project.HHP_GetOptionsData(OPT_FLAT, flat);
        EXPECT_EQ(flat, 1);
        HHRect rect;
        project.HHP_GetWindowsData(WIN_POSITION, rect);
        EXPECT_EQ(rect, (HHRect{5, 50, 500, 400}));
        EXPECT_EQ(Names(project.GetHHPFile()->GetFilesData()),
                  (std::vector<std::string>{folder + "a.htm"}));
        // Version 1.0 projects have no map, and their merge files are not read.
        EXPECT_EQ(project.GetHHPFile()->GetMapData()->GetChildCount(), 0);
        EXPECT_EQ(project.GetHHPFile()->GetMergeFilesData()->GetChildCount(), 0);
    }
}

TEST_F(ProjectFileTest, OtherFilesAreRefusedAndChangeNothing) {
    tree.Write("other.xml", "<?xml version=\"1.0\"?><project_ft/>");
    tree.Write("broken.mbk", "<PROJECT_FT><HHP>");
    CProjectFile project;
    project.SetChannels(&prompt.channels);
    project.SetMBKFileName(folder + "kept.mbk");
    project.HHP_SetOptionsData(OPT_TITLE, std::string("Kept"));
    for (const char* name : {"other.xml", "broken.mbk"}) {
        prompt.messages.clear();
        EXPECT_EQ(project.OpenProjectFile(folder + name), 0) << name;
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0].text, CStrHelper::ML_GetStringEx(237));
    }
    // A file that cannot be read is not called a foreign one: the message
    // says why it cannot be read.
    for (auto [name, reason] :
         {std::pair{"missing.mbk", "No such file or directory"}, std::pair{"", "it is a folder"}}) {
        prompt.messages.clear();
        EXPECT_EQ(project.OpenProjectFile(folder + name), 0) << name;
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_NE(prompt.messages[0].text.find("cannot be read"), std::string::npos);
        EXPECT_NE(prompt.messages[0].text.find(reason), std::string::npos);
    }
    std::string title;
    project.HHP_GetOptionsData(OPT_TITLE, title);
    EXPECT_EQ(title, "Kept");
    EXPECT_EQ(project.GetMBKFileName(), folder + "kept.mbk");
}

// The entries are made while the file is read; they must be the ones the
// reader of a whole document makes: only the first contents and index
// section's first "SiteMap" counts, other elements are passed over, and
// merge entries exist from version 2 on, which may be named after them, and
// index entries take the types their places allow.
TEST_F(ProjectFileTest, EntriesAreThoseOfTheDocumentReader) {
    const std::string text =
        "<PROJECT_FT><HHC><SiteProperties><param name=\"ImageType\" value=\"Folder\"/>"
        "</SiteProperties><SiteMap>"
        "<Topic Name=\"A\" XPosition=\"0\" ImageNumber=\"10\" Local=\"a.htm\"/>"
        "<Note>passed over</Note>"
        "<Topic Name=\"Merge\" XPosition=\"1\" Local=\"m.chm::/m.hhc\" Type=\"3\"><x/></Topic>"
        "<Topic Name=\"B\" XPosition=\"3\" Local=\"Sub\\b.htm\" Comment=\"c\"/>"
        "</SiteMap><SiteMap><Topic Name=\"second map\" XPosition=\"0\"/></SiteMap></HHC>"
        "<HHC><SiteMap><Topic Name=\"second contents\" XPosition=\"0\"/></SiteMap></HHC>"
        "<HHK><SiteMap><Topic Name=\"k\" XPosition=\"0\" Type=\"4\"/>"
        "<Topic Name=\"t\" XPosition=\"1\" Local=\"a.htm\" Type=\"5\" SeeAlso=\"s\"/>"
        "<Topic Name=\"lone\" XPosition=\"0\" Type=\"5\"/></SiteMap></HHK>"
        "<Other><SiteMap><Topic Name=\"elsewhere\" XPosition=\"0\"/></SiteMap></Other>"
        "<ProjectParameters><ProjectFileVersion>VERSION</ProjectFileVersion>"
        "</ProjectParameters></PROJECT_FT>";
    tree.Write("sub/b.htm", "<html></html>");
    for (const std::string version : {"2.0", "1.0"}) {
        std::string file = text;
        file.replace(file.find("VERSION"), 7, version);
        tree.Write("guide.mbk", file);
        CProjectFile opened;
        opened.SetChannels(&prompt.channels);
        ASSERT_EQ(opened.OpenProjectFile(path), 1);

        CXML document;
        ASSERT_TRUE(document.XMLReadString(file));
        CProjectFile read;
        read.SetChannels(&prompt.channels);
        read.SetMBKFileName(path);
        const CXML* hhc = document.GetChildByTagName("HHC");
        if (version == "2.0")
            read.GetHHCFile()->ReadXMLTree_Ver2(hhc);
        else
            read.GetHHCFile()->ReadXMLTree_Ver1(hhc);
        read.GetHHKFile()->ReadXMLTree_Ver2(document.GetChildByTagName("HHK"));

        EXPECT_EQ(opened.Content_GetCount(), 3) << version;
        EXPECT_EQ(opened.Index_GetCount(), 3) << version;
        EXPECT_EQ(Described(opened.HHC_GetTreeRoot()), Described(read.HHC_GetTreeRoot()))
            << version;
        EXPECT_EQ(Described(opened.HHK_GetTreeRoot()), Described(read.HHK_GetTreeRoot()))
            << version;
        EXPECT_EQ(Described(opened.HHC_GetTreeRoot()).find("Type=3") != std::string::npos,
                  version == "2.0");
        // A keyword's topic stays one under its keyword, and only there.
        std::string index = Described(opened.HHK_GetTreeRoot());
        EXPECT_NE(index.find("Type=5 SeeAlso=s"), std::string::npos) << index;
        EXPECT_NE(index.find("Name=lone Local= Type=0 "), std::string::npos) << index;
        EXPECT_EQ(opened.GetHHCFile()->GetImageType(), "Folder");
    }
}

// The entries are made before the reading ends: a file that breaks off
// among them must still leave the open project as it was.
TEST_F(ProjectFileTest, AFileBrokenAmongItsEntriesLeavesTheOpenProjectAsItWas) {
    const std::string whole =
        "<PROJECT_FT><ProjectParameters><ProjectFileVersion>2.0</ProjectFileVersion>"
        "</ProjectParameters><HHC><SiteMap>"
        "<Topic Name=\"Kept\" XPosition=\"0\" Local=\"a.htm\"/></SiteMap></HHC>"
        "<HHK><SiteMap><Topic Name=\"kept\" XPosition=\"0\" Type=\"0\"/></SiteMap></HHK>"
        "</PROJECT_FT>";
    tree.Write("guide.mbk", whole);
    std::string broken = whole;
    for (const char* name : {"Kept\"", "kept\""})
        broken.replace(broken.find(name), 4, "Lost");
    broken.erase(broken.find("</SiteMap></HHK>"));
    tree.Write("broken.mbk", broken);

    CProjectFile project;
    project.SetChannels(&prompt.channels);
    ASSERT_EQ(project.OpenProjectFile(path), 1);
    std::string before =
        Described(project.HHC_GetTreeRoot()) + Described(project.HHK_GetTreeRoot());
    EXPECT_EQ(project.OpenProjectFile(folder + "broken.mbk"), 0);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, CStrHelper::ML_GetStringEx(237));
    EXPECT_EQ(Described(project.HHC_GetTreeRoot()) + Described(project.HHK_GetTreeRoot()), before);
    EXPECT_NE(before.find("Name=Kept"), std::string::npos);
    EXPECT_EQ(project.GetMBKFileName(), path);
}

TEST_F(ProjectFileTest, UnmodifiedProjectsAreNotWritten) {
    CProjectFile project;
    project.SetChannels(&prompt.channels);
    project.SetMBKFileName(path);
    EXPECT_EQ(project.SaveProject(), 1);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(project.SaveProjectAs(folder + "new.mbk"), 1);
    EXPECT_TRUE(std::filesystem::exists(folder + "new.mbk"));
    EXPECT_EQ(project.GetMBKFileName(), folder + "new.mbk");
}

TEST_F(ProjectFileTest, ReadOnlyTargetIsRefusedWithAWarning) {
    tree.Write("guide.mbk", "old contents");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read);
    CProjectFile project;
    project.SetChannels(&prompt.channels);
    project.SetMBKFileName(path);
    project.SetModified(1);
    EXPECT_EQ(project.SaveProject(), 0);
    EXPECT_TRUE(project.IsModified());
    EXPECT_EQ(TempTree::Read(path), "old contents");
    ASSERT_EQ(prompt.messages.size(), 1u);
    const mb::MessageRequest& warning = prompt.messages[0];
    EXPECT_EQ(warning.caption, CStrHelper::ML_GetStringEx(8));
    EXPECT_EQ(warning.text, CStrHelper::ML_GetStringEx(293) + "\n\n" + path + "\n\n" +
                                CStrHelper::ML_GetStringEx(481));
    EXPECT_EQ(warning.icon, mb::Icon::Warning);
}

TEST_F(ProjectFileTest, FailedSaveLeavesTheOldFileIntact) {
    CProjectFile project;
    project.SetChannels(&prompt.channels);
    project.SetMBKFileName(path);
    FillEverySetting(project, folder);
    ASSERT_EQ(project.SaveProject(), 1);
    const std::string old = TempTree::Read(path);

    project.HHP_SetOptionsData(OPT_TITLE, std::string("Changed"));
    {
        FileSizeLimit limit(512); // the write stops midway
        EXPECT_EQ(project.SaveProject(), 0);
    }
    EXPECT_EQ(TempTree::Read(path), old);
    EXPECT_TRUE(project.IsModified());
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_NE(prompt.messages[0].text.find(path), std::string::npos);
    // No temporary file is left behind.
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(tree.Root()))
        ++entries;
    EXPECT_EQ(entries, 1);

    EXPECT_EQ(project.SaveProject(), 1);
    EXPECT_NE(TempTree::Read(path).find("Changed"), std::string::npos);
}

TEST_F(ProjectFileTest, InitProjectReturnsToAnEmptyProject) {
    CProjectFile project;
    project.SetChannels(&prompt.channels);
    project.SetMBKFileName(path);
    FillEverySetting(project, folder);
    NotificationLog log;
    log.Watch(project, "project");
    log.Watch(*project.GetHHCFile(), "contents");
    log.Watch(*project.GetHHKFile(), "index");
    project.InitProject();
    // The windows showing the trees are told to show them anew (empty).
    EXPECT_EQ(log.Only({NC_RELOADED}),
              (std::vector<std::string>{"project:2", "contents:2", "index:2"}));
    EXPECT_EQ(project.GetMBKFileName(), "");
    EXPECT_EQ(project.GetProjectFileTitle(), "");
    EXPECT_EQ(project.GetProjectFolder(), "");
    EXPECT_FALSE(project.IsModified());
    EXPECT_EQ(log.entries.back(), "project:0");
    EXPECT_EQ(project.GetHHPFile()->GetFilesData()->GetChildCount(), 0);
    std::string window;
    project.HHP_GetOptionsData(OPT_DEFAULT_WINDOW, window);
    EXPECT_EQ(window, "win");
    EXPECT_EQ(project.GetIncludeMBKProjectInfo(), 1);
    EXPECT_EQ(project.GetIncludeSubEntries(), 0);
}

} // namespace
