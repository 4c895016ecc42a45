// Full-text search over help files that chmcmd compiled: words of every
// page, ranked, in the encodings help files come in.

#include "app/core/HelpSearchIndex.h"
#include "baseutil/tests/support/TempTree.h"
#include "compiledhelp/tests/support/ChmTestSupport.h"

#include <gtest/gtest.h>

using mb::HelpSearchIndex;
using mb::testing::ChmProject;
using mb::testing::TempTree;

namespace {

std::vector<std::string> PagesOf(const std::vector<HelpSearchIndex::Hit>& hits) {
    std::vector<std::string> pages;
    for (const HelpSearchIndex::Hit& hit : hits)
        pages.push_back(hit.page);
    return pages;
}

class HelpSearchTest : public ::testing::Test {
protected:
    HelpSearchIndex Built(const ChmProject& project, unsigned workers = 2) {
        HelpSearchIndex index;
        std::string error;
        EXPECT_TRUE(index.Build(project.Build(), workers, error)) << error;
        return index;
    }
    TempTree tree;
};

TEST_F(HelpSearchTest, PagesHoldingEveryWordComeFirstByTitleAndFrequency) {
    ChmProject project;
    project.folder = tree / "western";
    project.Add("intro.htm", "<html><head><title>Introduction</title></head><body>"
                             "The widget panel. Another widget.</body></html>");
    project.Add("guide/panel.htm", "<html><head><title>Panel and Widget</title>"
                                   "<script>var hidden = 'scripted';</script></head>"
                                   "<body><p>A panel holds one widget.</p></body></html>");
    project.Add("cafe.htm", "<html><head><title>Caf&eacute;</title></head>"
                            "<body><p>Le caf&eacute; est servi. Widget only.</p></body></html>");
    HelpSearchIndex index = Built(project);
    EXPECT_EQ(index.PageCount(), 3u);

    // Both words on two pages; the one with both in its title first.
    EXPECT_EQ(PagesOf(index.Search("WIDGET panel")),
              (std::vector<std::string>{"/guide/panel.htm", "/intro.htm"}));
    // References decoded, letter case folded beyond ASCII.
    std::vector<HelpSearchIndex::Hit> cafe = index.Search("CAFÉ");
    ASSERT_EQ(PagesOf(cafe), std::vector<std::string>{"/cafe.htm"});
    EXPECT_EQ(cafe[0].title, "Café");
    // Scripts are no text of the page; a word nowhere finds nothing.
    EXPECT_TRUE(index.Search("scripted").empty());
    EXPECT_TRUE(index.Search("widget nowhere").empty());
    EXPECT_TRUE(index.Search(" ,.; ").empty());
}

TEST_F(HelpSearchTest, WordsAreFoundInTheCodePageOfThePageOrOfTheLanguage) {
    ChmProject japanese;
    japanese.folder = tree / "japanese";
    japanese.options = {"Language=0x411"};
    // "日本語のヘルプ" in Shift_JIS, named by the page's meta charset.
    japanese.Add("ja.htm", "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                           "charset=shift_jis\"><title>ja</title></head><body>"
                           "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x77\x83\x8B\x83\x76</body></html>");
    japanese.Add("other.htm", "<html><body>\x96\x7B only</body></html>");
    HelpSearchIndex ja = Built(japanese);
    EXPECT_EQ(PagesOf(ja.Search("日本語")), std::vector<std::string>{"/ja.htm"});
    EXPECT_EQ(PagesOf(ja.Search("ヘルプ")), std::vector<std::string>{"/ja.htm"});
    // One character is found wherever it stands; a pair only where both do.
    EXPECT_EQ(ja.Search("本").size(), 2u);
    EXPECT_TRUE(ja.Search("語本").empty());

    ChmProject russian;
    russian.folder = tree / "russian";
    russian.options = {"Language=0x419"};
    // "Привет, мир" in windows-1251 without a charset: the language's code page.
    russian.Add("ru.htm", "<html><body>\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0</body></html>");
    EXPECT_EQ(PagesOf(Built(russian).Search("привет МИР")), std::vector<std::string>{"/ru.htm"});
}

TEST_F(HelpSearchTest, EveryNumberOfWorkersGivesTheSameIndex) {
    ChmProject project;
    project.folder = tree / "many";
    for (int n = 0; n < 60; ++n)
        project.Add("p" + std::to_string(n) + ".htm",
                    "<html><head><title>Page " + std::to_string(n) + "</title></head><body>" +
                        std::string(n % 3 == 0 ? "alpha " : "beta ") +
                        std::string(n % 5 == 0 ? "gamma gamma" : "delta") + "</body></html>");
    HelpSearchIndex one = Built(project, 1);
    HelpSearchIndex three = Built(project, 3);
    EXPECT_EQ(one.TermCount(), three.TermCount());
    for (const char* query : {"alpha", "gamma", "alpha gamma", "beta delta", "page 7"}) {
        std::vector<std::string> expected = PagesOf(one.Search(query));
        EXPECT_FALSE(expected.empty()) << query;
        EXPECT_EQ(PagesOf(three.Search(query)), expected) << query;
    }

    // Stopped (another file was opened meanwhile): no half index.
    std::atomic<bool> stop{true};
    HelpSearchIndex stopped;
    std::string error;
    EXPECT_FALSE(stopped.Build(project.Build(), 2, error, &stop));
    EXPECT_EQ(stopped.PageCount(), 0u);
    EXPECT_TRUE(stopped.Search("alpha").empty());
}

} // namespace
