// The tokenizer must never read outside its text. Each tricky input is cut
// at every length and parsed from a buffer that ends (or begins) right at an
// inaccessible page, so a single byte read too far crashes the test.

#include "markup/LiteHTMLReader.h"
#include "markup/tests/support/GuardedBuffer.h"
#include "markup/tests/support/RecordingHandler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using mb::testing::GuardedBuffer;
using mb::testing::RecordingHandler;

namespace {

const std::vector<std::string> kTrickyInputs = {
    "<a href=\"x\" title='y' checked data-v=z>t</a>",
    "<img src=a.gif/>",
    "<br / ><br/>",
    "<!-- comment -- >x<!---->",
    "<!-- a -- b -->",
    "text &amp; &#65; &#x4A;",
    "<p title=\"&amp;&#65;&#x42;&AGRAVE;&unknown;&#\">",
    "<p title='&#x1F600;&eacute;&#0;'>",
    "</b ></b></>",
    "<<<>>>",
    "<a b=>",
    "<a b= 'c",
    "<a b=\"c",
    "<café naïve=\"日本\">ü</café>",
    "  <x>  ",
    "<!DOCTYPE html><html><head><meta name=\"keywords\" content=\"a, b\"></head></html>",
};

// Every reported text is a copy of part of the input, so it must be found in it.
void ExpectEventsFromInput(const RecordingHandler& handler, std::string_view input) {
    for (const std::string& event : handler.events) {
        std::size_t space = event.find(' ');
        std::string kind = event.substr(0, space);
        if ((kind == "chars" || kind == "comment") && space != std::string::npos) {
            EXPECT_NE(input.find(event.substr(space + 1)), std::string_view::npos)
                << "event '" << event << "' of input '" << input << "'";
        }
    }
}

TEST(Truncation, ReaderStaysInsideEveryPrefix) {
    for (const std::string& input : kTrickyInputs) {
        for (std::size_t length = 0; length <= input.size(); ++length) {
            std::string_view prefix(input.data(), length);
            for (auto side : {GuardedBuffer::Side::After, GuardedBuffer::Side::Before}) {
                GuardedBuffer buffer(prefix, side);
                RecordingHandler handler;
                CLiteHTMLReader reader;
                reader.setEventHandler(&handler);
                std::size_t reached = reader.Read(buffer.View());
                // Without an abort the whole text is consumed.
                EXPECT_EQ(reached, length) << prefix;
                if (length > 0) {
                    ASSERT_GE(handler.events.size(), 2u) << prefix;
                    EXPECT_EQ(handler.events.front(), "begin");
                    EXPECT_EQ(handler.events.back(), "endparse");
                }
                ExpectEventsFromInput(handler, prefix);
            }
        }
    }
}

TEST(Truncation, TagAndAttributeStayInsideEveryPrefix) {
    for (const std::string& input : kTrickyInputs) {
        for (std::size_t start = 0; start < input.size(); ++start) {
            for (std::size_t end = start; end <= input.size(); ++end) {
                GuardedBuffer buffer(std::string_view(input).substr(start, end - start),
                                     GuardedBuffer::Side::After);
                CLiteHTMLTag tag;
                bool opening = false;
                bool closing = false;
                EXPECT_LE(tag.parseFromStr(buffer.View(), opening, closing), end - start);
                CLiteHTMLElemAttr attr;
                EXPECT_LE(attr.parseFromStr(buffer.View()), end - start);
            }
        }
    }
}

TEST(Truncation, UnterminatedConstructsAtTheEnd) {
    using mb::testing::Events;
    using ::testing::ElementsAre;
    EXPECT_THAT(Events("x<a href=\"y"), ElementsAre("begin", "chars x<a href=\"y", "endparse"));
    EXPECT_THAT(Events("x<!-- y"), ElementsAre("begin", "chars x", "comment  y", "endparse"));
    EXPECT_THAT(Events("x<!--"), ElementsAre("begin", "chars x", "endparse"));
    EXPECT_THAT(Events("x<!-- y --"), ElementsAre("begin", "chars x<!-- y --", "endparse"));
    EXPECT_THAT(Events("<p a='&amp"), ElementsAre("begin", "chars <p a='&amp", "endparse"));
    EXPECT_THAT(Events("x</"), ElementsAre("begin", "chars x</", "endparse"));
    EXPECT_THAT(Events("x<"), ElementsAre("begin", "chars x<", "endparse"));
}

} // namespace
