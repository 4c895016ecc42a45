// The texts for the compiler leave in the code page of the project's
// language; what that code page cannot hold becomes a decimal reference.

#include "projectmodel/CompilerText.h"
#include "baseutil/tests/support/TempTree.h"
#include "compiledhelp/tests/support/ChmTestSupport.h"
#include "projectmodel/LegacyText.h"
#include "projectmodel/ProjectFile.h"

#include <gtest/gtest.h>

using mb::EncodeForLanguage;
using mb::testing::LogRecorder;
using mb::testing::TempTree;

namespace {

TEST(CompilerText, EachLanguageGetsItsOwnCodePage) {
    struct Case {
        int language;
        std::string utf8;
        std::string bytes;
    };
    const Case cases[] = {
        {1033,
         "Caf\xC3\xA9 \xE2\x82\xAC"
         "5",
         "Caf\xE9 \x80"
         "5"},                                                  // Café €5
        {2052, "\xE4\xB8\xAD\xE6\x96\x87", "\xD6\xD0\xCE\xC4"}, // 中文
        {1041, "\xE3\x82\xA2", "\x83\x41"},                     // ア
        {1049, "\xD0\x9F\xD1\x80\xD0\xB8", "\xCF\xF0\xE8"},     // При
        {1031,
         "Gr\xC3\xB6\xC3\x9F"
         "e",
         "Gr\xF6\xDF"
         "e"}, // Größe
    };
    for (const Case& c : cases) {
        mb::EncodedText encoded = EncodeForLanguage(c.utf8, c.language);
        EXPECT_EQ(encoded.bytes, c.bytes) << c.language;
        EXPECT_EQ(encoded.unrepresentable, 0) << c.language;
        // Reading the written bytes back with the same language gives the text again.
        EXPECT_EQ(mb::ToUtf8FromLanguage(encoded.bytes, c.language), c.utf8) << c.language;
    }
}

TEST(CompilerText, CharactersOutsideTheCodePageBecomeDecimalReferences) {
    // 中 in a Western European project, é in a Russian one, 한 in a Chinese one.
    mb::EncodedText western = EncodeForLanguage("a\xE4\xB8\xAD"
                                                "b",
                                                1033);
    EXPECT_EQ(western.bytes, "a&#20013;b");
    EXPECT_EQ(western.unrepresentable, 1);

    mb::EncodedText russian = EncodeForLanguage("\xD0\x94\xC3\xA9\xC3\xA9", 1049);
    EXPECT_EQ(russian.bytes, "\xC4&#233;&#233;");
    EXPECT_EQ(russian.unrepresentable, 2);

    mb::EncodedText chinese = EncodeForLanguage("\xED\x95\x9C\xE4\xB8\xAD", 2052);
    EXPECT_EQ(chinese.bytes, "&#54620;\xD6\xD0");
    EXPECT_EQ(chinese.unrepresentable, 1);

    // A character beyond the basic plane is one reference, not two halves.
    mb::EncodedText emoji = EncodeForLanguage("x\xF0\x9F\x98\x80", 1033);
    EXPECT_EQ(emoji.bytes, "x&#128512;");
    EXPECT_EQ(emoji.unrepresentable, 1);

    // Entities already in the text are left alone.
    EXPECT_EQ(EncodeForLanguage("A &amp; B &#20013;", 1033).bytes, "A &amp; B &#20013;");

    // Bytes that are no UTF-8 at all are marked and counted, not passed on.
    mb::EncodedText broken = EncodeForLanguage("ok\xFF", 1033);
    EXPECT_EQ(broken.bytes, "ok&#65533;");
    EXPECT_EQ(broken.unrepresentable, 1);
}

TEST(CompilerText, LongTextsKeepEveryCharacterInOrder) {
    // Longer than any conversion buffer, with references scattered through it.
    std::string utf8;
    std::string expected;
    for (int i = 0; i < 3000; ++i) {
        utf8 += "\xC3\xA9x";
        expected += "\xE9x";
        if (i % 700 == 0) {
            utf8 += "\xE4\xB8\xAD";
            expected += "&#20013;";
        }
    }
    mb::EncodedText encoded = EncodeForLanguage(utf8, 1033);
    EXPECT_EQ(encoded.bytes, expected);
    EXPECT_EQ(encoded.unrepresentable, 5);
}

TEST(CompilerText, WritingLogsHowManyCharactersWereReplaced) {
    TempTree tree;
    LogRecorder log;
    std::string error;
    const std::string clean = tree / "clean.hhc";
    ASSERT_TRUE(mb::WriteCompilerTextFile(clean, "Caf\xC3\xA9", 1033, &log, &error)) << error;
    EXPECT_EQ(TempTree::Read(clean), "Caf\xE9");
    EXPECT_TRUE(log.lines.empty());

    const std::string mixed = tree / "mixed.hhk";
    ASSERT_TRUE(
        mb::WriteCompilerTextFile(mixed, "\xE4\xB8\xAD\xE6\x96\x87 text", 1033, &log, &error));
    EXPECT_EQ(TempTree::Read(mixed), "&#20013;&#25991; text");
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_NE(log.lines[0].find(mixed), std::string::npos);
    EXPECT_NE(log.lines[0].find(" 2 "), std::string::npos);
}

TEST(CompilerText, TheProjectTextLeavesInTheCodePageOfItsLanguage) {
    TempTree tree;
    LogRecorder log;
    const std::string chineseTitle = "\xE5\xB8\xAE\xE5\x8A\xA9"; // 帮助
    CProjectFile chinese;
    chinese.SetChannels(&log.channels);
    chinese.SetMBKFileName(tree / "zh.mbk");
    chinese.HHP_SetOptionsData(OPT_LANGUAGE, 2052);
    chinese.HHP_SetOptionsData(OPT_TITLE, chineseTitle);
    ASSERT_EQ(chinese.HHP_WriteFile(tree / "zh.hhp"), 1);
    EXPECT_NE(TempTree::Read(tree / "zh.hhp").find("Title=\xB0\xEF\xD6\xFA\r\n"),
              std::string::npos);
    EXPECT_TRUE(log.lines.empty());

    // Read back, the title is the same text again.
    CProjectFile reread;
    CXML hhp("HHP");
    reread.GetHHPFile()->ReadHHPFileToXML(tree / "zh.hhp", &hhp);
    reread.GetHHPFile()->ReadXMLTree_Ver2(&hhp);
    std::string title;
    reread.HHP_GetOptionsData(OPT_TITLE, title);
    EXPECT_EQ(title, chineseTitle);

    // An English project cannot hold the title: references, and a log line.
    CProjectFile english;
    english.SetChannels(&log.channels);
    english.SetMBKFileName(tree / "en.mbk");
    english.HHP_SetOptionsData(OPT_LANGUAGE, 1033);
    english.HHP_SetOptionsData(OPT_TITLE, chineseTitle);
    ASSERT_EQ(english.HHP_WriteFile(tree / "en.hhp"), 1);
    EXPECT_NE(TempTree::Read(tree / "en.hhp").find("Title=&#24110;&#21161;\r\n"),
              std::string::npos);
    EXPECT_EQ(log.lines.size(), 1u);
}

} // namespace
