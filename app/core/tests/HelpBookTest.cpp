// What the help viewer reads of a help file that chmcmd compiled: contents,
// index and window settings, from the sitemap files or, without them, from
// the binary contents and index.

#include "app/core/HelpBook.h"
#include "baseutil/tests/support/TempTree.h"
#include "compiledhelp/tests/support/ChmTestSupport.h"

#include <gtest/gtest.h>

using mb::HelpBook;
using mb::testing::ChmProject;
using mb::testing::TempTree;

namespace {

ChmProject Guide(const std::string& folder) {
    ChmProject project;
    project.folder = folder;
    for (const char* page : {"intro.htm", "sub/a.htm", "sub/b.htm", "home.htm"})
        project.Add(page, std::string("<html><head><title>") + page + "</title></head></html>");
    auto item = [](const std::string& params) {
        return "<LI><OBJECT type=\"text/sitemap\">" + params + "</OBJECT>";
    };
    auto param = [](const char* name, const char* value) {
        return std::string("<param name=\"") + name + "\" value=\"" + value + "\">";
    };
    project.contents = "<HTML><BODY><UL>" + item(param("Name", "Intro") + param("Local", "intro.htm")) +
                       item(param("Name", "Chapter &amp; Verse")) + "<UL>" +
                       item(param("Name", "A") + param("Local", "sub\\a.htm#top")) + "</UL>" +
                       item(param("Name", "Web") + param("Local", "https://example.org/x")) +
                       "</UL></BODY></HTML>";
    project.index = "<HTML><BODY><UL>" + item(param("Name", "alpha") + param("Local", "sub/a.htm")) +
                    "<UL>" + item(param("Name", "beta") + param("Local", "sub/b.htm")) + "</UL>" +
                    item(param("Name", "both") + param("Name", "First") + param("Local", "sub/a.htm") +
                         param("Name", "Second") + param("Local", "sub/b.htm")) +
                    item(param("Name", "gamma") + param("See Also", "alpha")) + "</UL></BODY></HTML>";
    project.options = {"Default Window=main", "Binary TOC=Yes", "Binary Index=Yes"};
    project.windows = {"main=\"Guide Window\",\"toc.hhc\",\"index.hhk\",\"intro.htm\",\"home.htm\","
                       "\"sub/a.htm\",\"Jump A\",,,0x63520,250,0x3006,[10,10,500,400],,,,,,,0"};
    return project;
}

TEST(HelpBook, ContentsIndexAndWindowComeFromTheSitemapsAndTheWindowType) {
    TempTree tree;
    ChmProject project = Guide(tree / "guide");
    std::string chm = project.Build("guide.chm");
    HelpBook book;
    std::string error;
    ASSERT_TRUE(mb::ReadHelpBook(chm, book, error)) << error;

    EXPECT_EQ(book.caption, "Guide Window");
    EXPECT_EQ(book.defaultTopic, "/intro.htm");
    EXPECT_EQ(book.home, "/home.htm");
    EXPECT_EQ(book.jump1Text, "Jump A");
    EXPECT_EQ(book.jump1Page, "/sub/a.htm");
    EXPECT_EQ(book.navigationWidth, 250);

    ASSERT_EQ(book.contents.size(), 4u);
    EXPECT_EQ(book.contents[1].name, "Chapter & Verse");
    EXPECT_EQ(book.contents[1].page, "");
    EXPECT_EQ(book.contents[2].level, 1);
    EXPECT_EQ(book.contents[2].page, "/sub/a.htm#top");
    EXPECT_EQ(book.contents[3].page, "https://example.org/x");

    ASSERT_EQ(book.index.size(), 4u);
    EXPECT_EQ(book.index[1].level, 1);
    EXPECT_EQ(book.index[1].topics.size(), 1u);
    const HelpBook::Keyword& both = book.index[2];
    ASSERT_EQ(both.topics.size(), 2u);
    EXPECT_EQ(both.topics[0].title, "First");
    EXPECT_EQ(both.topics[1].page, "/sub/b.htm");
    EXPECT_EQ(book.index[3].seeAlso, "alpha");
}

TEST(HelpBook, WithoutSitemapFilesTheBinaryContentsAndIndexAreRead) {
    TempTree tree;
    ChmProject project = Guide(tree / "guide");
    std::string chm = project.Build("guide.chm");
    // The sitemap files renamed inside the help file: only the binary forms remain.
    mb::testing::PatchBytes(chm, "/toc.hhc", "/toc.xxx");
    mb::testing::PatchBytes(chm, "/index.hhk", "/index.xxx");
    HelpBook book;
    std::string error;
    ASSERT_TRUE(mb::ReadHelpBook(chm, book, error)) << error;
    ASSERT_GE(book.contents.size(), 3u);
    EXPECT_EQ(book.contents[0].name, "Intro");
    EXPECT_EQ(book.contents[0].page, "/intro.htm");
    ASSERT_FALSE(book.index.empty());
    EXPECT_EQ(book.index[0].name, "alpha");
    EXPECT_EQ(book.index[0].topics.at(0).page, "/sub/a.htm");
}

TEST(HelpBook, LinksNamePagesOfThisFileOrStayAsWritten) {
    EXPECT_EQ(mb::PageOfLink("a.htm", "g.chm"), "/a.htm");
    EXPECT_EQ(mb::PageOfLink("sub\\b.htm#x", "g.chm"), "/sub/b.htm#x");
    EXPECT_EQ(mb::PageOfLink("MS-ITS:G.chm::/c.htm", "g.chm"), "/c.htm");
    EXPECT_EQ(mb::PageOfLink("mk:@MSITStore:C:\\help\\g.chm::/d.htm", "g.chm"), "/d.htm");
    EXPECT_EQ(mb::PageOfLink("ms-its:other.chm::/e.htm", "g.chm"), "ms-its:other.chm::/e.htm");
    EXPECT_EQ(mb::PageOfLink("http://x.org/a", "g.chm"), "http://x.org/a");
}

} // namespace
