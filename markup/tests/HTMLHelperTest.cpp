// Encoding and decoding of sitemap and link texts.

#include "markup/HTMLHelper.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Texts built from the pieces that make entity handling go wrong.
std::vector<std::string> TrickyTexts(bool withPercent) {
    std::vector<std::string> pieces = {"&",      "<",     ">",     "\"",   "amp;", "lt;",
                                       "gt;",    "quot;", "&amp;", "&lt;", "&gt;", "&quot;",
                                       "&nbsp;", "a",     " ",     "ü",    "&&",   ";"};
    if (withPercent)
        pieces.push_back("%20");
    std::mt19937 random(12345);
    std::vector<std::string> texts = {"", "&amp;lt;", "&&amp;;", "a \"quoted\" <tag> & more"};
    for (int i = 0; i < 2000; ++i) {
        std::string text;
        int length = static_cast<int>(random() % 8);
        for (int j = 0; j < length; ++j)
            text += pieces[random() % pieces.size()];
        texts.push_back(text);
    }
    return texts;
}

TEST(HTMLHelper, EncodeThenDecodeGivesTheTextBack) {
    for (const std::string& text : TrickyTexts(true)) {
        EXPECT_EQ(CHTMLHelper::HTMLDecodeParamName(CHTMLHelper::HTMLEncode(text)), text);
        EXPECT_EQ(CHTMLHelper::HTMLDecodeParamName(CHTMLHelper::HTMLEncodeParamName(text)), text);
    }
    // The path form: "%20" is taken as a space when decoding.
    for (const std::string& text : TrickyTexts(false))
        EXPECT_EQ(CHTMLHelper::HTMLDecodeParamLocal(CHTMLHelper::HTMLEncodeParamLocal(text)), text);
}

TEST(HTMLHelper, Encoding) {
    EXPECT_EQ(CHTMLHelper::HTMLEncode("a<b & \"c\">"), "a&lt;b &amp; &quot;c&quot;&gt;");
    EXPECT_EQ(CHTMLHelper::HTMLEncode("&lt;"), "&amp;lt;");
    EXPECT_EQ(CHTMLHelper::HTMLEncodeParamLocal("a&b<c>.htm"), "a&amp;b<c>.htm");
}

TEST(HTMLHelper, Decoding) {
    EXPECT_EQ(CHTMLHelper::HTMLDecode2("a%20b%20%20c%20"), "a b  c ");
    EXPECT_EQ(CHTMLHelper::HTMLDecode("x&nbsp;&lt;&gt;&quot;%20&amp;y"), "x <>\" &y");
    EXPECT_EQ(CHTMLHelper::HTMLDecode2("x&nbsp;&lt;&gt;&quot;%20&amp;y"), "x <>\" &y");
    // The middle dot becomes the UTF-8 character.
    EXPECT_EQ(CHTMLHelper::HTMLDecode("a&middot;b"), "a·b");
    EXPECT_EQ(CHTMLHelper::HTMLDecode2("a&middot;b"), "a·b");
    // "&amp;" is decoded last, so what it yields is not decoded again.
    EXPECT_EQ(CHTMLHelper::HTMLDecode("&amp;lt;&amp;nbsp;&amp;middot;"), "&lt;&nbsp;&middot;");
    EXPECT_EQ(CHTMLHelper::HTMLDecodeParamName("&amp;quot;&nbsp;%20"), "&quot;&nbsp;%20");
    EXPECT_EQ(CHTMLHelper::HTMLDecodeParamLocal("a&amp;b%20c&lt;"), "a&b c&lt;");
}

} // namespace
