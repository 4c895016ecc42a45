// Keyword extraction from a page's meta tag, and the plain-text collector.

#include "markup/KeywordsEventHandler.h"
#include "markup/TextEventHandler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

std::vector<std::string> Keywords(std::string_view page) {
    CKeywordsEventHandler handler;
    CLiteHTMLReader reader;
    reader.setEventHandler(&handler);
    reader.Read(page);
    return *handler.GetKeywords();
}

std::string Meta(const std::string& content) {
    return "<html><head><meta name=\"keywords\" content=\"" + content + "\"></head></html>";
}

TEST(Keywords, Splitting) {
    EXPECT_THAT(Keywords(Meta("alpha, beta,, gamma ")), ElementsAre("alpha", "beta", "gamma"));
    EXPECT_THAT(Keywords(Meta("alpha beta")), ElementsAre("alpha", "beta"));
    EXPECT_THAT(Keywords(Meta(" two words, three more words")),
                ElementsAre("two words", "three more words"));
    EXPECT_THAT(Keywords(Meta("x, x, y")), ElementsAre("x", "x", "y"));
    EXPECT_THAT(Keywords(Meta("")), IsEmpty());
    EXPECT_THAT(Keywords(Meta(" , ,")), IsEmpty());
    // Values are decoded and folded before they are split.
    EXPECT_THAT(Keywords(Meta("salt &amp; pepper,\n\tcaf&eacute;")),
                ElementsAre("salt & pepper", "café"));
    EXPECT_THAT(Keywords(Meta("Grüße, 東京, ελληνικά")), ElementsAre("Grüße", "東京", "ελληνικά"));
}

TEST(Keywords, WhichTagCounts) {
    // Names and values in any case, attributes in any order, any tag name.
    EXPECT_THAT(Keywords("<META CONTENT='a,b' NAME='KeyWords'>"), ElementsAre("a", "b"));
    EXPECT_THAT(Keywords("<x name=keywords content=c>"), ElementsAre("c"));
    // Other meta tags are passed by.
    EXPECT_THAT(Keywords("<meta name=description content=d><meta name=keywords content=k>"),
                ElementsAre("k"));
    // The first keywords tag ends the parse.
    EXPECT_THAT(Keywords("<meta name=keywords content=one><meta name=keywords content=two>"),
                ElementsAre("one"));
    // A keywords tag without content does not end it.
    EXPECT_THAT(Keywords("<meta name=keywords><meta name=keywords content=two>"),
                ElementsAre("two"));
    // The first "content" of the selected tag is taken.
    EXPECT_THAT(Keywords("<meta content=first name=keywords content=second>"),
                ElementsAre("first"));
}

TEST(Keywords, ParseStopsAtTheEndOfTheHead) {
    EXPECT_THAT(Keywords("<html><head><title>t</title></head>"
                         "<body><meta name=keywords content=late></body>"),
                IsEmpty());
    EXPECT_THAT(Keywords("</HEAD><meta name=keywords content=late>"), IsEmpty());
    EXPECT_THAT(Keywords("</header><meta name=keywords content=ok>"), ElementsAre("ok"));
}

TEST(Keywords, EachParseStartsAfresh) {
    CKeywordsEventHandler handler;
    CLiteHTMLReader reader;
    reader.setEventHandler(&handler);
    reader.Read(Meta("a, b"));
    reader.Read(Meta("c"));
    EXPECT_THAT(*handler.GetKeywords(), ElementsAre("c"));
}

TEST(PlainText, RunsAreJoinedWithSpaces) {
    CTextEventHandler handler;
    CLiteHTMLReader reader;
    reader.setEventHandler(&handler);
    reader.Read("  <p>Hello <b>World</b></p><!-- hidden -->\r\n&amp; more  ");
    EXPECT_EQ(handler.GetHTMLText(), "Hello  World \r\n&amp; more ");
    reader.Read("<i>again</i>");
    EXPECT_EQ(handler.GetHTMLText(), "again ");
}

} // namespace
