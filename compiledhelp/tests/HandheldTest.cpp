// Converting a help file into index pages and rewritten topics for
// handheld screens.

#include "baseutil/Xml.h"
#include "compiledhelp/CHMFileRW.h"
#include "compiledhelp/ChmIcons.h"
#include "compiledhelp/tests/support/GuideProject.h"

#include <gtest/gtest.h>

using namespace mb::testing;

namespace {

std::string Item(const std::string& name, const std::string& local, const std::string& extra = "") {
    std::string item =
        "<LI> <OBJECT type=\"text/sitemap\">\n<param name=\"Name\" value=\"" + name + "\">\n";
    if (!local.empty())
        item += "<param name=\"Local\" value=\"" + local + "\">\n";
    return item + extra + "</OBJECT>\n";
}

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// The bar a topic gets, written out from its three links.
std::string Bar(const std::string& index, const std::string& previous, const std::string& next) {
    const std::string font =
        "<font style=\"font-family:Verdana;font-size:10.0pt;\" color=\"#FFFFFF\">";
    auto link = [&](const std::string& href, const std::string& label) {
        std::string mark = font + "<b>" + label + "</b></font>";
        return href.empty() ? mark
                            : "<a href=\"" + href + "\" style=\"text-decoration:underline;\">" +
                                  mark + "</a>";
    };
    const std::string cell =
        "    <td "
        "style=\"border-style:none;background:#396DA5;height:25;vertical-align:middle;\">\r\n";
    return "\r\n\r\n<!-- below section was added by Marrowbook -->\r\n"
           "<table bgcolor=\"#396DA5\" border=\"0\" cellspacing=\"0\" cellpadding=\"2\" "
           "style=\"border-style:none;width:100%;height:25;\">\r\n  <tr>\r\n" +
           cell + "      " + link(index, "Index") + "\r\n    </td>\r\n" +
           "    <td width=100% "
           "style=\"border-style:none;background:#396DA5;height:25;vertical-align:"
           "middle;\">\r\n    </td>\r\n" +
           cell + link(previous, "&lt;") + "    </td>\r\n" + cell + link(next, "&gt;") +
           "    </td>\r\n  </tr>\r\n</table>\r\n<!-- end -->\r\n\r\n";
}

class HandheldTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_tree = new TempTree;
        ChmProject project;
        project.folder = s_tree->Root() + "/project";
        std::string contents =
            "<HTML><BODY><UL>\n" + Item("Welcome", "welcome.htm") +
            Item("Chapter", "", "<param name=\"ImageNumber\" value=\"5\">\n") + "<UL>\n" +
            Item("Nested", "ch/nested.htm") + "</UL>\n" + Item("Web", "http://example.com/") +
            "<UL>\n" + Item("Hidden child", "hidden.htm") + "</UL>\n" +
            Item("Mail", "MAILTO:someone@example.com") +
            Item("Odd icon", "odd.htm", "<param name=\"ImageNumber\" value=\"99\">\n");
        for (int i = 1; i <= 37; ++i) {
            char name[16];
            std::snprintf(name, sizeof name, "t%02d.htm", i);
            contents += Item("Topic " + std::to_string(i), name);
            project.Add(name, Page("Topic " + std::to_string(i)));
        }
        contents += "</UL></BODY></HTML>\n";
        project.contents = contents;
        project.Add(
            "welcome.htm",
            "<!-- lead -->\r\n<HTML><HEAD><SCRIPT>alert(1)</SCRIPT><TITLE>W</TITLE></HEAD>"
            "<BODY class=\"x\" onload=\"go()\"><P>Welcome</P><script type=\"a\">x()</script>"
            "<SCR<SCRIPT>y</SCRIPT>IPT>z</SCRIPT>end</BODY></HTML>");
        project.Add("ch/nested.htm", Page("Nested"));
        project.Add("hidden.htm", Page("Hidden"));
        project.Add("odd.htm", Page("Odd"));
        project.Add("UPPER.htm",
                    "<HTML><BODY BGCOLOR=RED><SCRIPT>A</SCRIPT><P>TEXT</P></BODY></HTML>");
        project.Add("lower.htm",
                    "<html><body bgcolor=red><script>a</script><p>text</p></body></html>");
        project.Add("notag.htm", "plain <b>text</b> <script>s()</script>rest");
        project.Add("style.css", "p { margin: 0 }\n");
        project.Add("Guide.mbkmbk", "copy\n");
        s_chm = project.Build("hand.chm");
        CCHMFileRW converter;
        s_result = converter.CHM2PDA(s_chm, s_tree->Root() + "/out/", "index.html");
        s_out = new std::map<std::string, std::string>(ReadTree(s_tree->Root() + "/out"));
    }
    static void TearDownTestSuite() {
        delete s_out;
        delete s_tree;
    }
    static const std::string& File(const std::string& path) { return (*s_out)[path]; }

    static TempTree* s_tree;
    static std::string s_chm;
    static bool s_result;
    static std::map<std::string, std::string>* s_out;
};

TempTree* HandheldTest::s_tree = nullptr;
std::string HandheldTest::s_chm;
bool HandheldTest::s_result = false;
std::map<std::string, std::string>* HandheldTest::s_out = nullptr;

TEST_F(HandheldTest, FortyOneEntriesGiveTwoIndexPages) {
    EXPECT_TRUE(s_result);
    ASSERT_TRUE(s_out->count("index.html"));
    ASSERT_TRUE(s_out->count("page2.html"));
    EXPECT_FALSE(s_out->count("page3.html"));
    const std::string& first = File("index.html");
    EXPECT_EQ(Count(first, "<table><tr>"), 40u);
    EXPECT_EQ(Count(File("page2.html"), "<table><tr>"), 1u);
    EXPECT_EQ(first.rfind("<HTML>\r\n  <HEAD>\r\n    <TITLE>Online help</TITLE>\r\n  </HEAD>\r\n"
                          "  <BODY bgcolor=\"#ffffff\">\r\n",
                          0),
              0u);
    // Page 1: its own number plain, page 2 linked, no way back, a way on;
    // the navigation table comes twice.
    EXPECT_EQ(Count(first, "<font color=\"#ffffff\"><b>&nbsp;1&nbsp;</b></font>"), 2u);
    EXPECT_EQ(Count(first, "          1\r\n"), 2u);
    EXPECT_EQ(Count(first, "<a href=\"page2.html\">2</a>"), 2u);
    EXPECT_EQ(Count(first, "          <font color=\"#FFFFFF\"><b>&lt;</b></font>"), 2u);
    EXPECT_EQ(Count(first, "<a href=\"page2.html\"><font color=\"#FFFFFF\"><b>&gt;</b></font></a>"),
              2u);
    EXPECT_EQ(first.substr(first.size() - 18), "  </BODY>\r\n</HTML>");
}

TEST_F(HandheldTest, SecondPageInFull) {
    const std::string nav =
        "    <table bgcolor=\"#85A4C2\" border=\"1\" bordercolor=\"#85A4C2\" cellspacing=\"1\" "
        "cellpadding=\"2\" width=\"100%\">\r\n"
        "      <tr>\r\n"
        "        <td bgcolor=\"#1F4C7C\">\r\n"
        "          <font color=\"#ffffff\"><b>&nbsp;2&nbsp;</b></font>\r\n"
        "        <td>\r\n"
        "        <td bgcolor=\"#ffffff\" width=\"100%\">\r\n"
        "          <a href=\"index.html\">1</a>\r\n"
        "          2\r\n"
        "        </td>\r\n"
        "        <td align=\"right\" nowrap>\r\n"
        "          <a href=\"index.html\"><font color=\"#FFFFFF\"><b>&lt;</b></font></a>"
        "          <font color=\"#FFFFFF\"><b>&gt;</b></font>"
        "        </td>\r\n"
        "      </tr>\r\n"
        "    </table>\r\n\r\n";
    const std::string entry =
        "    <table><tr>\r\n"
        "      <td width=\"10\" valign=\"top\" align=\"right\" nowrap>\t\t\t\t"
        "<img src=\"images/9.gif\" width=\"16\" height=\"16\"></td>\r\n"
        "      <td align=left><a href=\"source/t37.htm\">Topic 37</a>\t\t\t\t\t</td>\r\n"
        "    </tr></table>\r\n\r\n";
    EXPECT_EQ(File("page2.html"), "<HTML>\r\n  <HEAD>\r\n    <TITLE>Online help</TITLE>\r\n"
                                  "  </HEAD>\r\n  <BODY bgcolor=\"#ffffff\">\r\n" +
                                      nav + entry + nav + "  </BODY>\r\n</HTML>");
}

TEST_F(HandheldTest, EntriesIconsAndLeftOutLinks) {
    const std::string& first = File("index.html");
    EXPECT_NE(first.find("<td width=\"10\" valign=\"top\" align=\"right\" nowrap>\t\t\t\t"
                         "<img src=\"images/5.gif\" width=\"16\" height=\"16\"></td>\r\n"
                         "      <td align=left>Chapter</td>\r\n"),
              std::string::npos);
    EXPECT_NE(first.find("<td width=\"20\" valign=\"top\" align=\"right\" nowrap>\t\t\t\t"
                         "<img src=\"images/9.gif\" width=\"16\" height=\"16\"></td>\r\n"
                         "      <td align=left><a href=\"source/ch/nested.htm\">Nested</a>"),
              std::string::npos);
    EXPECT_EQ(first.find("Web"), std::string::npos);
    EXPECT_EQ(first.find("Hidden child"), std::string::npos);
    EXPECT_EQ(first.find("Mail"), std::string::npos);
    EXPECT_NE(first.find("images/99.gif"), std::string::npos);

    for (int image : {5, 9})
        EXPECT_EQ(File("images/" + std::to_string(image) + ".gif"), std::string(ChmIconGif(image)));
    EXPECT_FALSE(s_out->count("images/99.gif"));
    EXPECT_FALSE(s_out->count("images/2.gif"));
}

TEST_F(HandheldTest, TopicsGetBarsAndLoseScripts) {
    EXPECT_EQ(File("source/welcome.htm"),
              "<HTML><HEAD><TITLE>W</TITLE></HEAD><BODY bgcolor=\"white\">\r\n" +
                  Bar("../index.html", "", "ch/nested.htm") + "<P>Welcome</P>end" +
                  Bar("../index.html", "", "ch/nested.htm") + "</BODY></HTML>");
    const std::string& nested = File("source/ch/nested.htm");
    EXPECT_NE(nested.find(Bar("../../index.html", "../welcome.htm", "../odd.htm")),
              std::string::npos);
    EXPECT_EQ(Count(nested, "<!-- end -->"), 2u);
    EXPECT_NE(File("source/t37.htm").find(Bar("../index.html", "t36.htm", "")), std::string::npos);
    // Not in the contents: plain previous and next marks.
    EXPECT_NE(File("source/hidden.htm").find(Bar("../index.html", "", "")), std::string::npos);
    // Upper- and lower-case markup are treated alike.
    std::string upper = File("source/UPPER.htm");
    std::string lower = File("source/lower.htm");
    EXPECT_EQ(upper, "<HTML><BODY bgcolor=\"white\">\r\n" + Bar("../index.html", "", "") +
                         "<P>TEXT</P>" + Bar("../index.html", "", "") + "</BODY></HTML>");
    EXPECT_EQ(lower, "<html><BODY bgcolor=\"white\">\r\n" + Bar("../index.html", "", "") +
                         "<p>text</p>" + Bar("../index.html", "", "") + "</body></html>");
    // Without body and html tags only the scripts go.
    EXPECT_EQ(File("source/notag.htm"), "plain <b>text</b> rest");
}

TEST_F(HandheldTest, CopyLeavesOutBookkeepingAndSitemaps) {
    EXPECT_EQ(File("source/style.css"), "p { margin: 0 }\n");
    for (const auto& [path, bytes] : *s_out) {
        EXPECT_EQ(path.find(".hhc"), std::string::npos) << path;
        EXPECT_EQ(path.find("mbkmbk"), std::string::npos) << path;
        EXPECT_EQ(path.find("/#"), std::string::npos) << path;
        EXPECT_EQ(path.find("/$"), std::string::npos) << path;
    }
}

TEST(HandheldEdges, DefaultFolderNoContentsAndProjectPrefix) {
    TempTree tree;
    ChmProject project;
    project.folder = tree / "p";
    project.Add("a.htm", Page("A"));
    std::string bare = project.Build("bare.chm");
    CCHMFileRW converter;
    EXPECT_FALSE(converter.CHM2PDA(bare, "", "start.html"));
    std::map<std::string, std::string> out = ReadTree(tree / "p/bare_marrow");
    EXPECT_FALSE(out.count("start.html"));
    ASSERT_TRUE(out.count("source/a.htm"));
    EXPECT_NE(out["source/a.htm"].find(Bar("", "", "")), std::string::npos);

    project.contents = "<UL>" + Item("A", "MS-ITS:guide.chm::/a/b.htm") + "</UL>";
    project.Add("a/b.htm", Page("B"));
    std::string guide = project.Build("guide.chm");
    EXPECT_TRUE(converter.CHM2PDA(guide, tree / "g", "index.html"));
    out = ReadTree(tree / "g");
    EXPECT_NE(out["index.html"].find("<a href=\"source/a/b.htm\">A</a>"), std::string::npos);
    EXPECT_NE(out["source/a/b.htm"].find(Bar("../../index.html", "", "")), std::string::npos);
    // The prefix of the converted file stays known to the same converter.
    CXML root;
    std::vector<std::string> topics;
    ASSERT_TRUE(converter.CHM_GetHHCInfo(&root, topics));
    ASSERT_EQ(topics.size(), 1u);
    EXPECT_EQ(topics[0], tree / "g/source/a/b.htm");

    EXPECT_FALSE(converter.CHM2PDA(tree / "missing.chm", tree / "m", "index.html"));
    EXPECT_FALSE(std::filesystem::exists(tree / "m"));
}

} // namespace
