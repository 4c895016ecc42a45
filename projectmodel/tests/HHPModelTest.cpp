#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "commonkit/StringTable.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/tests/NotificationLog.h"

#include <gtest/gtest.h>

using mb::testing::NotificationLog;
using mb::testing::ScriptedPrompt;
using mb::testing::TempTree;

namespace {

std::string Option(const CHHPFile& hhp, int index) {
    std::string value;
    hhp.GetOptionsData(index, value);
    return value;
}

int OptionInt(const CHHPFile& hhp, int index) {
    int value = -12345;
    hhp.GetOptionsData(index, value);
    return value;
}

TEST(HHPModel, DefaultsOfOptionsAndWindow) {
    CProjectFile project;
    const CHHPFile& hhp = *project.GetHHPFile();
    EXPECT_EQ(Option(hhp, OPT_TITLE), "Marrowbook");
    EXPECT_EQ(Option(hhp, OPT_DEFAULT_TOPIC), "");
    EXPECT_EQ(Option(hhp, OPT_DEFAULT_WINDOW), "win");
    EXPECT_EQ(OptionInt(hhp, OPT_LANGUAGE), 1033);
    EXPECT_EQ(Option(hhp, OPT_ERROR_LOG_FILE), "compilelog.txt");
    EXPECT_EQ(Option(hhp, OPT_COMPATIBILITY), "1.1 or later");
    const int flags[] = {0, 0, 0, 0, 1, 1, 0};
    const int flagItems[] = {OPT_DISPLAY_COMPILE_NOTES,
                             OPT_DISPLAY_COMPILE_PROGRESS,
                             OPT_FLAT,
                             OPT_ENHANCED_DECOMPILATION,
                             OPT_FULL_TEXT_SEARCH,
                             OPT_BINARY_INDEX,
                             OPT_BINARY_TOC};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(OptionInt(hhp, flagItems[i]), flags[i]) << flagItems[i];

    tagHH_WINTYPE window;
    ASSERT_EQ(hhp.GetWindowsData(-1, window), 1);
    EXPECT_EQ(window.pszCaption, "Marrowbook");
    EXPECT_EQ(window.fsWinProperties, 0x71520UL); // the three-pane bit switched on
    EXPECT_EQ(window.iNavWidth, 200);
    EXPECT_EQ(window.fsToolBarFlags, 0x300EUL);
    EXPECT_EQ(window.rcWindowPos, (HHRect{50, 50, 500, 400}));
    EXPECT_EQ(window.dwStyles, 0x10000000UL);
    EXPECT_EQ(window.dwExStyles, 0UL);
    EXPECT_EQ(window.fNotExpanded, 1);
    EXPECT_EQ(hhp.GetIncludeIndexPage(), 1);
    EXPECT_FALSE(project.IsModified());
}

TEST(HHPModel, AccessorsRefuseItemsOfTheOtherType) {
    CProjectFile project;
    CHHPFile& hhp = *project.GetHHPFile();
    std::string text = "unchanged";
    int number = 7;
    unsigned long bits = 7;
    HHRect rect{1, 2, 3, 4};
    EXPECT_EQ(hhp.GetOptionsData(OPT_LANGUAGE, text), 0);
    EXPECT_EQ(text, "");
    EXPECT_EQ(hhp.GetOptionsData(OPT_TITLE, number), 0);
    EXPECT_EQ(hhp.GetOptionsData(99, text), 0);
    EXPECT_EQ(hhp.GetWindowsData(WIN_NAVIGATION_PANE, number), 0);
    EXPECT_EQ(hhp.GetWindowsData(WIN_NAVIGATION_WIDTH, bits), 0);
    EXPECT_EQ(hhp.GetWindowsData(WIN_POSITION_LEFT, rect), 0);
    EXPECT_EQ(hhp.GetWindowsData(WIN_UNKNOWN_16, number), 0);
    EXPECT_EQ(number, 7);

    // Setting an index the setter does not know changes nothing but still
    // marks the project modified.
    hhp.SetOptionsData(OPT_TITLE, 5);
    EXPECT_EQ(Option(hhp, OPT_TITLE), "Marrowbook");
    EXPECT_TRUE(project.IsModified());
    project.SetModified(0);
    hhp.SetWindowsData(40, std::string("x"));
    EXPECT_TRUE(project.IsModified());
}

TEST(HHPModel, NumericEdgeItemsFourteenAndFifteenAreRightAndTop) {
    CProjectFile project;
    CHHPFile& hhp = *project.GetHHPFile();
    hhp.SetWindowsData(WIN_POSITION, HHRect{10, 20, 30, 40});
    int value = 0;
    hhp.GetWindowsData(13, value);
    EXPECT_EQ(value, 10);
    hhp.GetWindowsData(14, value);
    EXPECT_EQ(value, 30);
    hhp.GetWindowsData(15, value);
    EXPECT_EQ(value, 20);
    hhp.GetWindowsData(16, value);
    EXPECT_EQ(value, 40);
    hhp.SetWindowsData(14, 333);
    hhp.SetWindowsData(15, 222);
    HHRect rect;
    hhp.GetWindowsData(WIN_POSITION, rect);
    EXPECT_EQ(rect, (HHRect{10, 222, 333, 40}));
}

TEST(HHPModel, WholeRecordsCopyOneMemberOrAll) {
    CProjectFile project;
    CHHPFile& hhp = *project.GetHHPFile();
    tagHH_HHP_OPTIONS options;
    options.title = "Other";
    options.language = 1031;
    hhp.SetOptionsData(OPT_LANGUAGE, options);
    EXPECT_EQ(OptionInt(hhp, OPT_LANGUAGE), 1031);
    EXPECT_EQ(Option(hhp, OPT_TITLE), "Marrowbook");
    hhp.SetOptionsData(-1, options);
    EXPECT_EQ(Option(hhp, OPT_TITLE), "Other");
    EXPECT_EQ(Option(hhp, OPT_DEFAULT_WINDOW), "");
    tagHH_HHP_OPTIONS copy;
    hhp.GetOptionsData(-1, copy);
    EXPECT_EQ(copy, options);

    tagHH_WINTYPE window;
    window.rcWindowPos = {1, 2, 3, 4};
    window.pszHome = "/p/home.htm";
    hhp.SetWindowsData(WIN_POSITION, window);
    hhp.SetWindowsData(WIN_HOME_URL, window);
    tagHH_WINTYPE back;
    hhp.GetWindowsData(-1, back);
    EXPECT_EQ(back.rcWindowPos, window.rcWindowPos);
    EXPECT_EQ(back.pszHome, "/p/home.htm");
    EXPECT_EQ(back.pszCaption, "Marrowbook"); // untouched
}

TEST(HHPModel, BitOperationsAndTheirNotifications) {
    CProjectFile project;
    CHHPFile& hhp = *project.GetHHPFile();
    NotificationLog log;
    log.Watch(hhp, "hhp");

    hhp.SetWindowProperty(HHWIN_PROP_TRI_PANE, 0);
    EXPECT_EQ(hhp.GetWindowProperty(HHWIN_PROP_TRI_PANE), 0);
    EXPECT_EQ(hhp.GetWindowProperty(0x100 | HHWIN_PROP_TRI_PANE), 1); // any of the bits
    hhp.SetWindowProperty(0x100, 0);
    EXPECT_EQ(log.entries, (std::vector<std::string>{"hhp:40"})); // only the three-pane bit

    hhp.SetButton(0x2, 0);
    EXPECT_EQ(hhp.GetButton(0x2), 0);
    EXPECT_EQ(hhp.GetButton(0x4), 1);
    hhp.SetWindowStyle(0x80, 1);
    EXPECT_EQ(hhp.GetWindowStyle(0x80), 1);
    hhp.SetExtendedStyle(0x200, 1);
    EXPECT_EQ(hhp.GetExtendedStyle(0x200), 1);
    unsigned long bits = 0;
    hhp.GetWindowsData(WIN_NAVIGATION_PANE, bits);
    EXPECT_EQ(bits, 0x71400UL);
    hhp.GetWindowsData(WIN_BUTTON_TYPES, bits);
    EXPECT_EQ(bits, 0x300CUL);
    hhp.GetWindowsData(WIN_STYLES, bits);
    EXPECT_EQ(bits, 0x10000080UL);

    log.Clear();
    hhp.SetTabPos(5);
    EXPECT_EQ(hhp.GetTabPos(), 2);
    hhp.SetTabPos(-1);
    EXPECT_EQ(hhp.GetTabPos(), 0);
    hhp.SetWindowsData(WIN_TAB_POS, 9); // stored as given, read clamped
    EXPECT_EQ(hhp.GetTabPos(), 2);
    hhp.SetIncludeIndexPage(0);
    EXPECT_EQ(log.entries, (std::vector<std::string>{"hhp:38", "hhp:38", "hhp:39"}));
    EXPECT_TRUE(project.IsModified());
}

TEST(HHPModel, FilesAreAddedFromListsOfEntries) {
    CProjectFile project;
    CHHPFile& hhp = *project.GetHHPFile();
    NotificationLog log;
    log.Watch(hhp, "hhp");

    CXML list("FilesList");
    CXML* first = list.AddChild("node");
    first->SetAttr("Local", "/p/a.htm");
    CXML* nested = first->AddChild("node");
    nested->SetAttr("Local", "/p/sub/b.htm");
    nested->SetAttr("Type", 0);
    CXML* merge = list.AddChild("node");
    merge->SetAttr("Local", "/p/other.chm");
    merge->SetAttr("Type", 3);
    list.AddChild("node"); // no page

    CXML* batch = hhp.AddFiles(&list);
    ASSERT_EQ(batch->GetChildCount(), 2);
    EXPECT_EQ(batch->GetChildAt(1)->GetAttr("Name"), "/p/sub/b.htm");
    EXPECT_EQ(log.entries, (std::vector<std::string>{"hhp:32"}));
    EXPECT_EQ(log.nodes[0], batch);
    EXPECT_EQ(hhp.GetFilesData()->GetChildCount(), 2);
    EXPECT_EQ(hhp.IsExistentInFiles("/p/a.htm"), 1);
    EXPECT_EQ(hhp.IsExistentInFiles("/P/A.htm"), 0);

    // No duplicate check; deleting removes the first exact match only.
    hhp.AddFile("/p/a.htm");
    hhp.DeleteFile("/P/A.HTM");
    EXPECT_EQ(hhp.GetFilesData()->GetChildCount(), 3);
    hhp.DeleteFile("/p/a.htm");
    EXPECT_EQ(hhp.GetFilesData()->GetChildCount(), 2);
    EXPECT_EQ(hhp.GetFilesData()->GetChildAt(0)->GetAttr("Name"), "/p/sub/b.htm");

    log.Clear();
    hhp.DeleteAllFiles();
    EXPECT_EQ(hhp.GetFilesData()->GetChildCount(), 0);
    EXPECT_EQ(log.entries, (std::vector<std::string>{"hhp:34"}));
}

TEST(HHPModel, MergeFilesTakeOnlyCompiledHelpFiles) {
    ScriptedPrompt prompt;
    CProjectFile project;
    project.SetChannels(&prompt.channels);
    CHHPFile& hhp = *project.GetHHPFile();
    NotificationLog log;
    log.Watch(hhp, "hhp");

    CXML none("FilesList");
    none.AddChild("node")->SetAttr("Local", "/p/a.htm");
    none.AddChild("node")->SetAttr("Local", "/p/chm");
    EXPECT_EQ(hhp.AddMergeFiles(&none)->GetChildCount(), 0);
    EXPECT_TRUE(log.entries.empty());
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, CStrHelper::ML_GetStringEx(517));

    CXML list("FilesList");
    list.AddChild("node")->SetAttr("Local", "/p/sub/Other.CHM");
    list.AddChild("node")->SetAttr("Local", "C:\\help\\win.chm");
    list.AddChild("node")->SetAttr("Local", "/p/a.htm");
    CXML* batch = hhp.AddMergeFiles(&list);
    ASSERT_EQ(batch->GetChildCount(), 2);
    EXPECT_EQ(hhp.GetMergeFilesData()->GetChildAt(0)->GetAttr("Name"), "Other.CHM");
    EXPECT_EQ(hhp.GetMergeFilesData()->GetChildAt(1)->GetAttr("Name"), "win.chm");
    EXPECT_EQ(log.entries, (std::vector<std::string>{"hhp:33"}));
    EXPECT_EQ(prompt.messages.size(), 1u);

    hhp.DeleteMergeFile("win.chm");
    EXPECT_EQ(hhp.GetMergeFilesData()->GetChildCount(), 1);
    hhp.DeleteAllMergeFiles();
    EXPECT_EQ(hhp.GetMergeFilesData()->GetChildCount(), 0);
    EXPECT_EQ(log.entries.back(), "hhp:35");
}

TEST(HHPModel, UpdateDataNamesTheOutputFilesAndKeepsTheModifiedFlag) {
    CProjectFile project;
    CHHPFile& hhp = *project.GetHHPFile();
    hhp.UpdateData("guide");
    EXPECT_FALSE(project.IsModified());
    EXPECT_EQ(Option(hhp, OPT_COMPILED_FILE), "guide.chm");
    EXPECT_EQ(Option(hhp, OPT_CONTENTS_FILE), "guide.hhc");
    EXPECT_EQ(Option(hhp, OPT_INDEX_FILE), "guide.hhk");
    std::string item;
    hhp.GetWindowsData(WIN_TOC_FILE, item);
    EXPECT_EQ(item, "guide.hhc");
    hhp.GetWindowsData(WIN_INDEX_FILE, item);
    EXPECT_EQ(item, "guide.hhk");

    hhp.SetIncludeIndexPage(0);
    hhp.UpdateData("guide");
    hhp.GetWindowsData(WIN_INDEX_FILE, item);
    EXPECT_EQ(item, "");
    EXPECT_TRUE(project.IsModified());
}

TEST(HHPModel, UpdatingAHeaderKeepsTheTopicsOfItsSymbols) {
    TempTree tree;
    std::string header = tree.Write("ids.h", "#define IDH_A 1\n#define IDH_B 2\n");
    CProjectFile project;
    CHHPFile& hhp = *project.GetHHPFile();
    NotificationLog log;
    log.Watch(hhp, "hhp");

    hhp.UpdateMapFileData(header);
    ASSERT_EQ(hhp.GetMapData()->GetChildCount(), 1);
    CXML* entry = hhp.GetMapData()->GetChildAt(0);
    EXPECT_EQ(entry->Value(), header);
    ASSERT_EQ(entry->GetChildCount(), 2);
    entry->GetChildByTagName("IDH_B")->SetAttr("FILE", "/p/b.htm");
    EXPECT_EQ(hhp.GetMapFileExistentState(tree.Root() + "/IDS.H"), 1);
    EXPECT_EQ(hhp.GetMapFileExistentState(tree.Root() + "/other.h"), 0);

    tree.Write("ids.h", "#define IDH_B 20\n#define IDH_C 30\n");
    hhp.UpdateMapFileData(header);
    ASSERT_EQ(hhp.GetMapData()->GetChildCount(), 1);
    ASSERT_EQ(entry->GetChildCount(), 2);
    EXPECT_EQ(entry->GetChildAt(0)->GetTagName(), "IDH_B");
    EXPECT_EQ(entry->GetChildAt(0)->GetAttr("ID"), "20");
    EXPECT_EQ(entry->GetChildAt(0)->GetAttr("FILE"), "/p/b.htm");
    EXPECT_EQ(entry->GetChildAt(1)->GetAttr("FILE"), "");
    EXPECT_EQ(log.entries, (std::vector<std::string>{"hhp:36", "hhp:36"}));

    hhp.DelAMapFileNode(entry);
    EXPECT_EQ(hhp.GetMapData()->GetChildCount(), 0);
    auto* ready = new CXML("MAP_FILE");
    ready->SetValue("/p/x.h");
    hhp.AddIDMap(ready);
    EXPECT_EQ(hhp.GetMapData()->GetChildAt(0), ready);
}

TEST(HHPModel, FlagsReadFromWordsOrNumbers) {
    CProjectFile project;
    CHHPFile& hhp = *project.GetHHPFile();
    CXML element("HHP");
    CXML* options = element.AddChild("OPTION");
    options->AddChild("OPTIONS_FLAT", "Yes");
    options->AddChild("OPTIONS_BINARY_TOC", "TRUE");
    options->AddChild("OPTIONS_FULL_TEXT_SEARCH", "no");
    options->AddChild("OPTIONS_BINARY_INDEX", "false");
    options->AddChild("OPTIONS_DISPLAY_COMPILE_NOTES", "1");
    options->AddChild("OPTIONS_LANGUAGE", "0x407");
    hhp.ReadXMLTree_Ver2(&element);
    EXPECT_EQ(OptionInt(hhp, OPT_FLAT), 1);
    EXPECT_EQ(OptionInt(hhp, OPT_BINARY_TOC), 1);
    EXPECT_EQ(OptionInt(hhp, OPT_FULL_TEXT_SEARCH), 0);
    EXPECT_EQ(OptionInt(hhp, OPT_BINARY_INDEX), 0);
    EXPECT_EQ(OptionInt(hhp, OPT_DISPLAY_COMPILE_NOTES), 1);
    EXPECT_EQ(OptionInt(hhp, OPT_LANGUAGE), 1031);
}

TEST(HHPModel, WindowWithoutPositionOrIndexGetsDefaultsAndCaptionBecomesTitle) {
    CProjectFile project;
    CHHPFile& hhp = *project.GetHHPFile();
    hhp.SetWindowsData(WIN_POSITION, HHRect{1, 2, 3, 4});
    NotificationLog log;
    log.Watch(hhp, "hhp");
    CXML element("HHP");
    element.AddChild("WINDOWS")->AddChild("WINDOWS_TITLE_BAR_TEXT", "Guide");
    hhp.ReadXMLTree_Ver2(&element);
    EXPECT_EQ(Option(hhp, OPT_TITLE), "Guide");
    HHRect rect;
    hhp.GetWindowsData(WIN_POSITION, rect);
    EXPECT_EQ(rect, (HHRect{50, 50, 500, 400}));
    EXPECT_EQ(hhp.GetIncludeIndexPage(), 0);
    EXPECT_EQ(log.Only({39, 40}), (std::vector<std::string>{"hhp:39", "hhp:40"}));

    // A title of its own is kept.
    hhp.SetOptionsData(OPT_TITLE, std::string("Mine"));
    hhp.ReadXMLTree_Ver2(&element);
    EXPECT_EQ(Option(hhp, OPT_TITLE), "Mine");
}

} // namespace
