#include "baseutil/BWHelper.h"

#include <gtest/gtest.h>

namespace {

bool Match(const std::string& pattern, const std::string& name, const std::string& allowed = {}) {
    return CBWHelper::WildMatch(pattern, name, allowed);
}

TEST(WildMatch, PlainCharactersIgnoreCase) {
    EXPECT_TRUE(Match("index.htm", "index.htm"));
    EXPECT_TRUE(Match("INDEX.htm", "Index.HTM"));
    EXPECT_FALSE(Match("index.htm", "index.html")) << "pattern used up before the name";
    EXPECT_FALSE(Match("index.html", "index.htm")) << "name used up before the pattern";
    EXPECT_TRUE(Match("", ""));
    EXPECT_FALSE(Match("", "a"));
}

TEST(WildMatch, StarStopsAtTheFirstMatchingCharacter) {
    EXPECT_TRUE(Match("*.htm", "index.htm"));
    EXPECT_FALSE(Match("*.htm", "a.b.htm")) << "no backtracking";
    EXPECT_TRUE(Match("*_files", "page_files"));
    EXPECT_FALSE(Match("*_files", "my_page_files"));
    EXPECT_TRUE(Match("a*c", "abbbc"));
    EXPECT_FALSE(Match("a*c", "abcd"));
    EXPECT_TRUE(Match("*", ""));
    EXPECT_TRUE(Match("**", "x"));
}

TEST(WildMatch, TrailingStarTakesTheRest) {
    EXPECT_TRUE(Match("*", "anything.at.all"));
    EXPECT_TRUE(Match("*.htm*", "a.html"));
    EXPECT_TRUE(Match("*.htm*", "a.htm"));
    EXPECT_TRUE(Match("img*", "img"));
    EXPECT_FALSE(Match("img*", "im"));
    // With allowed characters the rest must consist of them.
    EXPECT_TRUE(Match("v*", "v123", "0123456789"));
    EXPECT_FALSE(Match("v*", "v12a", "0123456789"));
}

TEST(WildMatch, QuestionMarkStandsForOneCharacter) {
    EXPECT_TRUE(Match("a?c", "abc"));
    EXPECT_FALSE(Match("a?c", "ac"));
    EXPECT_FALSE(Match("a?c", "abbc"));
    EXPECT_TRUE(Match("???", "xyz"));
    EXPECT_TRUE(Match("a?c", "a1c", "0123456789"));
    EXPECT_FALSE(Match("a?c", "abc", "0123456789"));
}

TEST(WildMatch, CaretMakesTheNextCharacterOptional) {
    EXPECT_TRUE(Match("*.htm^l", "index.htm"));
    EXPECT_TRUE(Match("*.htm^l", "index.html"));
    EXPECT_FALSE(Match("*.htm^l", "index.htmx"));
    EXPECT_TRUE(Match("^xabc", "abc"));
    EXPECT_TRUE(Match("^xabc", "xabc"));
    EXPECT_TRUE(Match("ab^c^d", "ab"));
    EXPECT_TRUE(Match("ab^c^d", "abd"));
    EXPECT_TRUE(Match("a^*", "a"));
    EXPECT_FALSE(Match("a^", "a")) << "a caret needs a character behind it";
    // In skipping mode a mismatching optional character lets the name
    // advance, unless the name character is outside the allowed set.
    EXPECT_FALSE(Match("*^x.gif", "logo.gif"));
    EXPECT_TRUE(Match("*^x.gif", "logox.gif"));
    EXPECT_TRUE(Match("*^x.gif", "logo.gif", "abcdefghijklmnopqrstuvwxyz"));
    EXPECT_FALSE(Match("ab", "a")) << "a plain character left over fails";
}

} // namespace
