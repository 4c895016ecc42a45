#include "commonkit/StringTable.h"
#include "commonkit/CommandIds.h"
#include "commonkit/StringTexts.h"
#include "commonkit/WindowTexts.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <unistd.h>

namespace {

std::string ThisProgram() {
    char buffer[PATH_MAX + 1] = {};
    ssize_t n = readlink("/proc/self/exe", buffer, PATH_MAX);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

TEST(StringTable, EntriesOutsideTheTableAreEmpty) {
    int count = CStrHelper::GetStringCount();
    ASSERT_GT(count, kStrAppRunPath);
    EXPECT_EQ(CStrHelper::ML_GetStringEx(count), "");
    EXPECT_EQ(CStrHelper::ML_GetStringEx(count + 100000), "");
    EXPECT_EQ(CStrHelper::ML_GetStringEx(-1), "");
    EXPECT_EQ(CStrHelper::ML_GetStringEx(INT_MIN), "");
    EXPECT_EQ(CStrHelper::ML_GetStringEx(0), "") << "numbers without a text read as empty";
}

TEST(StringTable, ProgramPathAndHelpFile) {
    std::string program = ThisProgram();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(CStrHelper::ML_GetStringEx(636), program);
    EXPECT_EQ(CStrHelper::GetAppRunPathString(), program);
    EXPECT_EQ(CStrHelper::ML_GetStringEx(kStrHelpFileName), "marrowbook.chm");
    EXPECT_EQ(CStrHelper::ML_GetStringEx(kStrProductName), "Marrowbook");
}

TEST(StringTable, EveryNumberedTextTheProgramUsesExists) {
    const int used[] = {8,   9,   10,  14,
                        49,  50,  53,  54,
                        91,  92,  95,  96,
                        97,  100, 137, 138,
                        139, 141, 142, 143,
                        144, 145, 146, 147,
                        148, 149, 150, 151,
                        152, 153, 154, 214,
                        233, 234, 235, 236,
                        237, 239, 240, 241,
                        257, 260, 261, 268,
                        269, 270, 288, 289,
                        290, 292, 293, 294,
                        296, 297, 298, 335,
                        336, 337, 347, 362,
                        365, 380, 442, 449,
                        450, 454, 455, 466,
                        467, 468, 469, 470,
                        471, 472, 477, 478,
                        479, 480, 481, 482,
                        483, 485, 489, 492,
                        499, 501, 510, 511,
                        512, 513, 514, 515,
                        517, 518, 529, 530,
                        537, 542, 543, 544,
                        545, 546, 547, 550,
                        567, 568, 569, 580,
                        583, 588, 589, 605,
                        606, 607, 608, 611,
                        616, 617, 619, 620,
                        621, 625, 626, kStrHelpFileMissing};
    for (int n : used)
        EXPECT_FALSE(CStrHelper::ML_GetStringEx(n).empty()) << "string " << n;
    // The version texts are numbers.
    for (int n : {239, 240, 241})
        EXPECT_EQ(CStrHelper::ML_GetStringEx(n).find_first_not_of("0123456789"), std::string::npos);
}

TEST(StringTable, BuiltInNumbersAreUniqueAndLeaveTheProgramPathFree) {
    std::set<int> seen;
    for (std::span<const StringText> texts : {BuiltInStringTexts(), WindowStringTexts()}) {
        for (const StringText& text : texts) {
            EXPECT_GE(text.number, 0);
            EXPECT_NE(text.number, kStrAppRunPath);
            EXPECT_TRUE(seen.insert(text.number).second) << "string " << text.number << " twice";
        }
    }
    // The windows' texts are read from the same table, each one non-empty.
    for (const StringText& text : WindowStringTexts()) {
        EXPECT_GE(text.number, 1000);
        EXPECT_NE(std::string(text.text), "") << "string " << text.number;
        EXPECT_EQ(CStrHelper::ML_GetStringEx(text.number), text.text);
    }
    EXPECT_EQ(CStrHelper::ML_GetStringEx(kStrMenuFile), "&File");
}

TEST(StringTable, FilledTextFillsInEachPlaceholderOnce) {
    // "%1 topics found; the best %2 are listed."
    EXPECT_EQ(FilledText(kStrTopicsFoundBestListed, {"%2", "5"}),
              "%2 topics found; the best 5 are listed.");
    EXPECT_EQ(FilledText(kStrTopicsFoundBestListed, {"7"}),
              "7 topics found; the best %2 are listed.");
    EXPECT_EQ(FilledText(kStrProductName, {"x"}), "Marrowbook");
}

TEST(StringTable, LanguageVariants) {
    EXPECT_EQ(SplitLanguageVariants("Open|Dakai"),
              (std::pair<std::string, std::string>{"Open", "Dakai"}));
    EXPECT_EQ(SplitLanguageVariants("a|b|c"), (std::pair<std::string, std::string>{"a", "b|c"}));
    EXPECT_EQ(SplitLanguageVariants("|x|y"), (std::pair<std::string, std::string>{"|x", "y"}));
    for (const char* none : {"", "plain", "|only", "trailing|", "|"})
        EXPECT_EQ(SplitLanguageVariants(none), (std::pair<std::string, std::string>{})) << none;

    // Built-in entries are plain English: both variants read as empty.
    EXPECT_EQ(CStrHelper::ML_GetEnglishStringEx(kStrProductName), "");
    EXPECT_EQ(CStrHelper::ML_GetChineseStringEx(kStrProductName), "");
    EXPECT_EQ(CStrHelper::ML_GetEnglishStringEx(-5), "");
}

TEST(StringTable, CommandTextsThroughTheIdTable) {
    EXPECT_EQ(std::size(CStrHelper::m_ID_MLID_TABLE), 24u);
    std::set<int> ids;
    for (const IdStringPair& pair : CStrHelper::m_ID_MLID_TABLE) {
        EXPECT_TRUE(ids.insert(pair.id).second);
        EXPECT_FALSE(CStrHelper::ML_GetStringFromID(pair.id).empty()) << pair.id;
        EXPECT_EQ(CStrHelper::ML_GetStringFromID(pair.id),
                  CStrHelper::ML_GetStringEx(pair.stringNo));
    }
    EXPECT_EQ(CStrHelper::ML_GetStringFromID(mb::ID_NEW_PAGE), CStrHelper::ML_GetStringEx(455));
    EXPECT_EQ(CStrHelper::ML_GetStringFromID(-1), CStrHelper::ML_GetStringEx(143));
    EXPECT_EQ(CStrHelper::ML_GetStringFromID(mb::ID_COMPILE), "") << "not an edit command";
    EXPECT_EQ(CStrHelper::ML_GetStringFromID(0), "");
}

template <typename Helper>
void ExpectToolTips(std::span<const IdStringPair> table, const char* family) {
    std::set<int> ids;
    for (const IdStringPair& pair : table) {
        EXPECT_TRUE(ids.insert(pair.id).second) << family << " id " << pair.id << " twice";
        std::string text = "unchanged";
        ASSERT_TRUE(Helper::GetMLStringByID(pair.id, text)) << family << " id " << pair.id;
        // "status-bar prompt\ntool tip", both parts present.
        size_t newline = text.find('\n');
        ASSERT_NE(newline, std::string::npos) << text;
        EXPECT_GT(newline, 0u) << text;
        EXPECT_LT(newline + 1, text.size()) << text;
        EXPECT_EQ(text.find('\n', newline + 1), std::string::npos) << text;
    }
    std::string text = "unchanged";
    EXPECT_FALSE(Helper::GetMLStringByID(1, text));
    EXPECT_EQ(text, "unchanged");
}

TEST(StringTable, ToolTipsOfEachWindowFamily) {
    ExpectToolTips<CStrHelper>(MainWindowToolTips(), "main");
    ExpectToolTips<CCEStrHelper>(ChmExplorerToolTips(), "chm explorer");
    ExpectToolTips<CHEStrHelper>(PageEditorToolTips(), "page editor");
    ExpectToolTips<CRSStrHelper>(FolderExplorerToolTips(), "folder explorer");

    // The folder explorer's commands are not the main window's.
    std::string main = "kept", folder;
    EXPECT_FALSE(CStrHelper::GetMLStringByID(mb::ID_RS_VIEW_LIST, main));
    ASSERT_TRUE(CRSStrHelper::GetMLStringByID(mb::ID_RS_VIEW_LIST, folder));
    EXPECT_EQ(main, "kept");
    std::string none = "kept";
    EXPECT_FALSE(CCEStrHelper::GetMLStringByID(mb::ID_COMPILE, none));
    EXPECT_EQ(none, "kept");
    EXPECT_EQ(CHEStrHelper::ML_GetStringEx(530), CStrHelper::ML_GetStringEx(530));
}

TEST(StringTable, TextsJoinedWithoutASeparatorEndInABlank) {
    // 293 + 481, 296 + 297 + 298 and 296 + 492 are joined directly.
    for (int n : {293, 296, 297})
        EXPECT_EQ(CStrHelper::ML_GetStringEx(n).back(), ' ') << n;
    // 336 + "\"ext\"" + 337 forms one sentence.
    EXPECT_EQ(CStrHelper::ML_GetStringEx(336).back(), ' ');
}

} // namespace
