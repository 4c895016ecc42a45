// The sequence of events the tokenizer reports for tricky documents.

#include "markup/HtmlChars.h"
#include "markup/LiteHTMLReader.h"
#include "markup/tests/support/RecordingHandler.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

using mb::testing::Events;
using mb::testing::RecordingHandler;
using ::testing::ElementsAre;

namespace {

TEST(ReaderEvents, LeadingAndTrailingWhiteSpaceOfTheDocumentIsNotReported) {
    EXPECT_THAT(Events("  Hello<b>x</b>  "),
                ElementsAre("begin", "chars Hello", "start b", "chars x", "end b", "endparse"));
    // White space between tags is character data; only the final run is trimmed.
    EXPECT_THAT(Events("<p> a </p> \r\n b \n"),
                ElementsAre("begin", "start p", "chars  a ", "end p", "chars  \r\n b", "endparse"));
}

TEST(ReaderEvents, EmptyElementTagsOpenAndClose) {
    for (const char* text : {"<br/>", "<br />", "<br\t/>", "<BR/>"}) {
        std::vector<std::string> events = Events(text);
        ASSERT_EQ(events.size(), 4u) << text;
        EXPECT_TRUE(mb::html::EqualsNoCase(events[1], "start br")) << text;
        EXPECT_TRUE(mb::html::EqualsNoCase(events[2], "end br")) << text;
    }
    EXPECT_THAT(Events("<img src=a.gif/>"),
                ElementsAre("begin", "start img src=a.gif", "end img", "endparse"));
    // A slash that is part of a quoted value does not close the tag.
    EXPECT_THAT(Events("<a href=\"x/\">"), ElementsAre("begin", "start a href=x/", "endparse"));
    // "/ >" after an attribute is no tag end at all.
    EXPECT_THAT(Events("<b c=1 / >z"), ElementsAre("begin", "chars <b c=1 / >z", "endparse"));
}

TEST(ReaderEvents, MalformedMarkupIsCharacterData) {
    EXPECT_THAT(Events("x</b >y"), ElementsAre("begin", "chars x</b >y", "endparse"));
    EXPECT_THAT(Events("a < b"), ElementsAre("begin", "chars a < b", "endparse"));
    EXPECT_THAT(Events("<!DOCTYPE html><?xml x?>t"),
                ElementsAre("begin", "chars <!DOCTYPE html><?xml x?>t", "endparse"));
    EXPECT_THAT(Events("1<2 and 3>2"), ElementsAre("begin", "chars 1<2 and 3>2", "endparse"));
    // A tag name broken by a character that cannot follow it.
    EXPECT_THAT(Events("<a\"b>t"), ElementsAre("begin", "chars <a\"b>t", "endparse"));
    // "<>" is taken as a tag that neither opens nor closes and uses only '<'.
    EXPECT_THAT(Events("a<>b"), ElementsAre("begin", "chars a", "chars >b", "endparse"));
}

TEST(ReaderEvents, CharacterDataKeepsReferencesAndLineBreaks) {
    EXPECT_THAT(Events("<p>a &amp; b\r\nc</p>"),
                ElementsAre("begin", "start p", "chars a &amp; b\r\nc", "end p", "endparse"));
}

TEST(ReaderEvents, Comments) {
    EXPECT_THAT(Events("a<!-- note -->b"),
                ElementsAre("begin", "chars a", "comment  note ", "chars b", "endparse"));
    EXPECT_THAT(Events("a<!-- note --  >b"),
                ElementsAre("begin", "chars a", "comment  note ", "chars b", "endparse"));
    // An empty comment reports nothing but still ends the text run.
    EXPECT_THAT(Events("a<!---->b"), ElementsAre("begin", "chars a", "chars b", "endparse"));
    // An unclosed comment takes the rest of the document.
    EXPECT_THAT(Events("a<!-- x <b> y"),
                ElementsAre("begin", "chars a", "comment  x <b> y", "endparse"));
    // A double hyphen inside the text makes it no comment; the tag inside counts.
    EXPECT_THAT(Events("<!-- a -- b --><i>"),
                ElementsAre("begin", "chars <!-- a -- b -->", "start i", "endparse"));
}

TEST(ReaderEvents, TagNamesAndAttributesKeepTheirCase) {
    EXPECT_THAT(Events("<META Name=\"Keywords\" CONTENT='a'></HEAD>"),
                ElementsAre("begin", "start META Name=Keywords CONTENT=a", "end HEAD", "endparse"));
}

TEST(ReaderEvents, NonAsciiNamesAndValuesSurviveIntact) {
    // Tag names, attribute names and values, character data and comments
    // written in other scripts (2-, 3- and 4-byte UTF-8 sequences).
    EXPECT_THAT(Events("<café naïve=\"日本語 ü\">Grüße 😀<!--коммент--></café>"),
                ElementsAre("begin", "start café naïve=日本語 ü", "chars Grüße 😀",
                            "comment коммент", "end café", "endparse"));
    EXPECT_THAT(Events("<p title=ελληνικά>"),
                ElementsAre("begin", "start p title=ελληνικά", "endparse"));
}

TEST(ReaderEvents, AbortStopsTheParseAtAnyEvent) {
    const char* text = "<html>one<b>two</b><!--c-->three";
    struct Case {
        const char* event;
        int at;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"begin", 1, {"begin", "endparse aborted"}},
        {"start", 2, {"begin", "start html", "chars one", "start b", "endparse aborted"}},
        {"chars", 1, {"begin", "start html", "chars one", "endparse aborted"}},
        {"end",
         1,
         {"begin", "start html", "chars one", "start b", "chars two", "end b", "endparse aborted"}},
        {"comment",
         1,
         {"begin", "start html", "chars one", "start b", "chars two", "end b", "comment c",
          "endparse aborted"}},
        // Abort at the final run of text still counts as an abort.
        {"chars",
         3,
         {"begin", "start html", "chars one", "start b", "chars two", "end b", "comment c",
          "chars three", "endparse aborted"}},
    };
    for (const Case& c : cases) {
        RecordingHandler handler;
        handler.abortOn = c.event;
        handler.abortAt = c.at;
        CLiteHTMLReader reader;
        reader.setEventHandler(&handler);
        reader.Read(text);
        EXPECT_EQ(handler.events, c.expected) << c.event << " #" << c.at;
    }
}

TEST(ReaderEvents, AbortOnAnEmptyElementTagSkipsItsEndTag) {
    RecordingHandler handler;
    handler.abortOn = "start";
    CLiteHTMLReader reader;
    reader.setEventHandler(&handler);
    EXPECT_EQ(reader.Read("ab<br/>cd"), 7u); // the position behind the tag
    EXPECT_THAT(handler.events, ElementsAre("begin", "chars ab", "start br", "endparse aborted"));
}

TEST(ReaderEvents, MaskSelectsEvents) {
    RecordingHandler handler;
    CLiteHTMLReader reader;
    reader.setEventHandler(&handler);
    EXPECT_EQ(reader.setEventMask(CLiteHTMLReader::notifyTagStart), 0x1Fu);
    reader.Read("<a>t<!--c--></a><br/>");
    EXPECT_THAT(handler.events, ElementsAre("start a", "start br"));

    handler.events.clear();
    EXPECT_EQ(reader.setEventMask(CLiteHTMLReader::notifyComment | CLiteHTMLReader::notifyTagEnd,
                                  CLiteHTMLReader::notifyTagStart),
              0x02u);
    EXPECT_EQ(reader.getEventMask(), 0x14u);
    reader.Read("<a>t<!--c--></a><br/>");
    EXPECT_THAT(handler.events, ElementsAre("comment c", "end a", "end br"));

    handler.events.clear();
    reader.setEventMask(CLiteHTMLReader::notifyStartStop);
    reader.Read("<a>");
    EXPECT_THAT(handler.events, ElementsAre("begin", "endparse"));
}

TEST(ReaderEvents, SettersReturnTheOldValues) {
    CLiteHTMLReader reader;
    RecordingHandler first;
    RecordingHandler second;
    EXPECT_EQ(reader.setEventHandler(&first), nullptr);
    EXPECT_EQ(reader.setEventHandler(&second), &first);
    EXPECT_EQ(reader.getEventHandler(), &second);
    EXPECT_EQ(reader.setAppData(42), 0u);
    EXPECT_EQ(reader.setAppData(7), 42u);
    reader.Read("x");
    EXPECT_EQ(second.AppDataSeen(), 7u);

    bool flag = false;
    EXPECT_TRUE(reader.getBoolOption(CLiteHTMLReader::userFlag, flag));
    EXPECT_TRUE(flag);
    EXPECT_TRUE(reader.setBoolOption(CLiteHTMLReader::userFlag, false));
    EXPECT_TRUE(reader.getBoolOption(CLiteHTMLReader::userFlag, flag));
    EXPECT_FALSE(flag);
    auto unknown = static_cast<CLiteHTMLReader::ReaderOptionsEnum>(1);
    flag = true;
    EXPECT_FALSE(reader.getBoolOption(unknown, flag));
    EXPECT_FALSE(reader.setBoolOption(unknown, false));
    EXPECT_TRUE(flag);
}

TEST(ReaderEvents, EmptyTextGivesNoEvents) {
    RecordingHandler handler;
    CLiteHTMLReader reader;
    reader.setEventHandler(&handler);
    EXPECT_EQ(reader.Read(""), 0u);
    EXPECT_EQ(reader.Read(static_cast<const char*>(nullptr)), 0u);
    EXPECT_EQ(reader.Read(std::string_view("\0abc", 4)), 0u);
    EXPECT_TRUE(handler.events.empty());
    // Only white space: begin and end, nothing in between.
    EXPECT_EQ(reader.Read(" \n "), 3u);
    EXPECT_THAT(handler.events, ElementsAre("begin", "endparse"));
}

TEST(ReaderEvents, ParseStopsAtNulByte) {
    EXPECT_THAT(Events(std::string_view("a<b>c\0<i>d", 10)),
                ElementsAre("begin", "chars a", "start b", "chars c", "endparse"));
}

TEST(ReaderEvents, ReaderIsReusable) {
    RecordingHandler handler;
    CLiteHTMLReader reader;
    reader.setEventHandler(&handler);
    EXPECT_EQ(reader.Read("<a>xyz"), 6u);
    handler.events.clear();
    EXPECT_EQ(reader.Read("q"), 1u);
    EXPECT_THAT(handler.events, ElementsAre("begin", "chars q", "endparse"));
}

// A reader that upper-cases every run of text before it is reported.
class ShoutingReader : public CLiteHTMLReader {
protected:
    void NormalizeCharacters(std::string& text) override {
        for (char& c : text)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        ++runs;
    }

public:
    int runs = 0;
};

TEST(ReaderEvents, EveryReportedRunPassesThroughNormalizeCharacters) {
    RecordingHandler handler;
    ShoutingReader reader;
    reader.setEventHandler(&handler);
    reader.Read("ab<i>cd</i>ef ");
    EXPECT_THAT(handler.events, ElementsAre("begin", "chars AB", "start i", "chars CD", "end i",
                                            "chars EF", "endparse"));
    EXPECT_EQ(reader.runs, 3);
}

// Exposes the cursor helpers.
class CursorReader : public CLiteHTMLReader {
public:
    int Bom(std::string_view text) {
        m_text = text;
        return Run([this] { return ReadBOM(); });
    }
    std::string Walk(std::string_view text) {
        m_text = text;
        std::string seen;
        Run([&] {
            seen += ReadChar();
            seen += ReadChar();
            seen += UngetChar();
            seen += ReadChar();
            while (char c = ReadChar())
                seen += c;
            seen += '|';
            ResetSeekPointer();
            seen += UngetChar() == '\0' ? "start" : "moved";
            return 0;
        });
        return seen;
    }
    std::size_t position = 0;

protected:
    std::size_t parseDocument() override {
        int result = m_work();
        position = Position();
        return static_cast<std::size_t>(result);
    }

private:
    int Run(std::function<int()> work) {
        m_work = std::move(work);
        return static_cast<int>(Read(m_text));
    }
    std::string_view m_text;
    std::function<int()> m_work;
};

TEST(ReaderEvents, ByteOrderMarks) {
    CursorReader reader;
    EXPECT_EQ(reader.Bom("\xFE\xFFx"), 1);
    EXPECT_EQ(reader.position, 2u);
    EXPECT_EQ(reader.Bom("\xFF\xFEx"), 2);
    EXPECT_EQ(reader.Bom("\xEF\xBB\xBFx"), 3);
    EXPECT_EQ(reader.position, 3u);
    EXPECT_EQ(reader.Bom("\xEF\xBBx"), 0);
    EXPECT_EQ(reader.position, 0u);
    EXPECT_EQ(reader.Bom("<a>"), 0);
    EXPECT_EQ(reader.Bom("\xEF"), 0); // shorter than any mark
    EXPECT_EQ(reader.position, 0u);
}

TEST(ReaderEvents, CursorHelpersStayInsideTheText) {
    CursorReader reader;
    EXPECT_EQ(reader.Walk("abcd"), std::string("abbbcd|start"));
}

class ReaderFileTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& content) {
        std::string path = (std::filesystem::temp_directory_path() /
                            ("mb-reader-" + std::to_string(getpid()) + "-" + name))
                               .string();
        std::ofstream(path, std::ios::binary) << content;
        m_files.push_back(path);
        return path;
    }
    void TearDown() override {
        for (const std::string& path : m_files)
            std::remove(path.c_str());
    }

private:
    std::vector<std::string> m_files;
};

TEST_F(ReaderFileTest, ReadFileParsesFromTheCurrentPositionAndKeepsTheText) {
    std::string path = Write("page.htm", "<title>T</title>body");
    int fd = open(path.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(lseek(fd, 7, SEEK_SET), 7);
    RecordingHandler handler;
    CLiteHTMLReader reader;
    reader.setEventHandler(&handler);
    EXPECT_EQ(reader.ReadFile(fd), 13u);
    EXPECT_THAT(handler.events,
                ElementsAre("begin", "chars T", "end title", "chars body", "endparse"));
    std::string original;
    reader.GetOriginalHTMLText(original);
    EXPECT_EQ(original, "T</title>body");
    // The descriptor stays open for the caller.
    EXPECT_EQ(lseek(fd, 0, SEEK_SET), 0);
    close(fd);
}

TEST_F(ReaderFileTest, UnreadableOrEmptyFilesGiveNoEvents) {
    RecordingHandler handler;
    CLiteHTMLReader reader;
    reader.setEventHandler(&handler);
    EXPECT_EQ(reader.ReadFile(Write("empty.htm", "")), 0u);
    EXPECT_EQ(reader.ReadFile("/nonexistent/mb/page.htm"), 0u);
    EXPECT_EQ(reader.ReadFile(-1), 0u);
    EXPECT_TRUE(handler.events.empty());

    EXPECT_EQ(reader.ReadFile(Write("nul.htm", std::string("<b>x\0<i>y", 9))), 4u);
    std::string original;
    reader.GetOriginalHTMLText(original);
    EXPECT_EQ(original, "<b>x");
}

} // namespace
