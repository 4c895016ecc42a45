// Reading one tag: what makes a tag, where it ends, and which kind it is.

#include "markup/LiteHTMLTag.h"
#include "markup/tests/support/RecordingHandler.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Parsed {
    std::size_t used;
    bool opening;
    bool closing;
    std::string description; // name and attributes
};

Parsed Parse(std::string_view text) {
    CLiteHTMLTag tag;
    bool opening = false;
    bool closing = false;
    std::size_t used = tag.parseFromStr(text, opening, closing);
    return {used, opening, closing, mb::testing::RecordingHandler::Describe(tag)};
}

TEST(TagParse, KindsAndExtent) {
    const struct {
        std::string_view text;
        std::size_t used;
        bool opening;
        bool closing;
        const char* description;
    } cases[] = {
        {"<b>x", 3, true, false, "b"},
        {"</b>x", 4, false, true, "b"},
        {"  <p>", 5, true, false, "p"},
        {"<o:p>", 5, true, false, "o:p"},
        {"<my-tag_1.x>", 12, true, false, "my-tag_1.x"},
        {"<br/>", 5, true, true, "br"},
        {"<br / >", 7, true, false, "br"},
        {"<a href=x>", 10, true, false, "a href=x"},
        {"<a href=x/>", 11, true, true, "a href=x"},
        {"<a href=\"x\" />", 14, true, true, "a href=x"},
        {"<a\n  b\n  c=d\n>", 14, true, false, "a b= c=d"},
        {"<img src=\"a>b\">", 15, true, false, "img src=a>b"},
        {"<td align = \"center\">", 21, true, false, "td align=center"},
        // Nothing readable as an attribute: the tag ends at the next '>'.
        {"<b =x>y", 6, true, false, "b"},
        {"<b \"q\"/>", 8, true, true, "b"},
        {"<>", 1, false, false, ""},
        {"</>", 3, false, true, ""},
    };
    for (const auto& c : cases) {
        Parsed p = Parse(c.text);
        EXPECT_EQ(p.used, c.used) << c.text;
        EXPECT_EQ(p.opening, c.opening) << c.text;
        EXPECT_EQ(p.closing, c.closing) << c.text;
        EXPECT_EQ(p.description, c.description) << c.text;
    }
}

TEST(TagParse, NoTag) {
    for (std::string_view text : {
             "", "b>", "< b>", "<1>", "<!x>", "<?x?>",
             "</b >",      // an end tag needs '>' right behind its name
             "</b/>",      // no slash behind an end tag's name
             "<b",         // end of text behind the name
             "</b",        //
             "<b x",       // attribute, then end of text
             "<b x=1",     //
             "<b x=1 y",   //
             "<b x=1 / >", // after attributes, '/' must be followed by '>'
             "<b x=1 ?>",  // after attributes only '/' or '>' may follow
             "<b  ",       // no '>' at all
             "<a\"b>",     // a quote cannot follow a name
         }) {
        Parsed p = Parse(text);
        EXPECT_EQ(p.used, 0u) << text;
    }
}

TEST(TagParse, FailedParseKeepsThePreviousTag) {
    CLiteHTMLTag tag;
    bool opening = false;
    bool closing = false;
    ASSERT_EQ(tag.parseFromStr("<a href=x>", opening, closing), 10u);
    EXPECT_EQ(tag.parseFromStr("<b y", opening, closing), 0u);
    EXPECT_EQ(tag.getTagName(), "a");
    EXPECT_EQ(tag.getAttributeCount(), 1);
    // A new tag replaces name and attribute list.
    ASSERT_EQ(tag.parseFromStr("<i>", opening, closing), 3u);
    EXPECT_EQ(tag.getTagName(), "i");
    EXPECT_EQ(tag.getAttributeCount(), 0);
    EXPECT_EQ(tag.getAttributes(), nullptr);
}

TEST(TagParse, AttributesByIndex) {
    CLiteHTMLTag tag;
    bool opening = false;
    bool closing = false;
    ASSERT_GT(tag.parseFromStr("<meta name=keywords content=\"a, b\">", opening, closing), 0u);
    ASSERT_EQ(tag.getAttributeCount(), 2);
    EXPECT_EQ(tag.getAttribute(0).getName(), "name");
    EXPECT_EQ(tag.getAttribute(1).getValue(), "a, b");
    for (int outside : {-1, 2, 100}) {
        EXPECT_EQ(tag.getAttribute(outside).getName(), "") << outside;
        EXPECT_EQ(tag.getAttribute(outside).getValue(), "") << outside;
    }
    CLiteHTMLTag bare;
    EXPECT_EQ(bare.getAttribute(0).getName(), "");
}

} // namespace
