// The index as .hhk text and in the project file: keywords with one or
// several topics, sub-keywords, and the order generators write their
// parameters in.

#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/tests/TreeTestSupport.h"

#include <gtest/gtest.h>

using namespace mb::testing;

namespace {

CXML* Keyword(const std::string& id, const std::string& name, const std::string& local, int type,
              std::initializer_list<CXML*> children = {}) {
    CXML* node = Typed(Entry(id, children, local), type);
    node->SetAttr("Name", name);
    return node;
}

class IndexText : public ::testing::Test {
protected:
    void SetUp() override {
        project.SetChannels(&prompt.channels);
        project.SetMBKFileName(folder + "guide.mbk");
    }
    void Fill() {
        auto list =
            FilesList({ListRun("ROOT", 2,
                               {Keyword("A", "Alpha & co", folder + "a.htm", 0,
                                        {Keyword("A1", "sub <1>", folder + "sub/one.htm", 0)}),
                                Keyword("M", "Many", "", 4,
                                        {Keyword("T1", "First", folder + "1.htm", 5),
                                         Keyword("T2", "Second \"2\"", folder + "2 & 3.htm", 5),
                                         Keyword("S", "Sub", folder + "s.htm", 0)}),
                                Keyword("Z", "Zed", "", 0)})});
        hhk.AddFilesList2(list.get());
        hhk.GetNodeByID("Z")->SetAttr("SeeAlso", "Alpha & co");
    }
    std::vector<std::string> Read(const std::string& text) {
        std::string path = tree.Write("read.hhk", text);
        CXML form("HHK");
        project.GetHHKFile()->ReadHHKFileToXML(path, &form);
        hhk.InitHHK();
        hhk.ReadXMLTree_Ver2(&form);
        std::vector<std::string> entries;
        Collect(hhk.GetTreeRoot(), 0, entries);
        return entries;
    }
    static void Collect(const CXML* parent, int level, std::vector<std::string>& out) {
        for (int i = 0; i < parent->GetChildCount(); ++i) {
            const CXML* node = parent->GetChildAt(i);
            std::string seeAlso = node->GetAttr("SeeAlso");
            out.push_back(std::to_string(level) + " " + node->GetAttr("Type") + " " +
                          node->GetAttr("Name") + " " + node->GetAttr("Local") +
                          (seeAlso.empty() ? "" : " -> " + seeAlso));
            Collect(node, level + 1, out);
        }
    }

    ScriptedPrompt prompt;
    TempTree tree;
    std::string folder = tree.Root() + "/";
    CProjectFile project;
    CHHKFile& hhk = *project.GetHHKFile();
};

TEST_F(IndexText, WrittenTextPutsATopicListInsideItsKeyword) {
    Fill();
    const std::string expected = "<HTML>\r\n<HEAD>\r\n</HEAD>\r\n<BODY>\r\n"
                                 "<OBJECT type=\"text/site properties\">\r\n"
                                 "<param name=\"FrameName\" value=\"right\">\r\n"
                                 "<param name=\"WindowName\" value=\"win\">\r\n"
                                 "<param name=\"Font\" value=\"MS Sans Serif,9,0\">\r\n"
                                 "</OBJECT>\r\n"
                                 "<UL>\r\n"
                                 "\t<LI> <OBJECT type=\"text/sitemap\">\r\n"
                                 "\t\t<param name=\"Name\" value=\"Alpha &amp; co\">\r\n"
                                 "\t\t<param name=\"Local\" value=\"a.htm\">\r\n"
                                 "\t\t</OBJECT>\r\n"
                                 "\t<UL>\r\n"
                                 "\t\t<LI> <OBJECT type=\"text/sitemap\">\r\n"
                                 "\t\t\t<param name=\"Name\" value=\"sub &lt;1&gt;\">\r\n"
                                 "\t\t\t<param name=\"Local\" value=\"sub\\one.htm\">\r\n"
                                 "\t\t\t</OBJECT>\r\n"
                                 "\t</UL>\r\n"
                                 "\t<LI> <OBJECT type=\"text/sitemap\">\r\n"
                                 "\t\t<param name=\"Name\" value=\"Many\">\r\n"
                                 "\t\t<param name=\"Name\" value=\"First\">\r\n"
                                 "\t\t<param name=\"Local\" value=\"1.htm\">\r\n"
                                 "\t\t<param name=\"Name\" value=\"Second &quot;2&quot;\">\r\n"
                                 "\t\t<param name=\"Local\" value=\"2 & 3.htm\">\r\n"
                                 "\t\t</OBJECT>\r\n"
                                 "\t<UL>\r\n"
                                 "\t\t<LI> <OBJECT type=\"text/sitemap\">\r\n"
                                 "\t\t\t<param name=\"Name\" value=\"Sub\">\r\n"
                                 "\t\t\t<param name=\"Local\" value=\"s.htm\">\r\n"
                                 "\t\t\t</OBJECT>\r\n"
                                 "\t</UL>\r\n"
                                 "\t<LI> <OBJECT type=\"text/sitemap\">\r\n"
                                 "\t\t<param name=\"Name\" value=\"Zed\">\r\n"
                                 "\t\t<param name=\"See Also\" value=\"Alpha &amp; co\">\r\n"
                                 "\t\t</OBJECT>\r\n"
                                 "</UL>\r\n"
                                 "</BODY>\r\n</HTML>\r\n";
    EXPECT_EQ(hhk.BuildHHKText(), expected);
}

TEST_F(IndexText, OneTopicWithoutATitleOfItsOwnIsWrittenAsTheKeywordsPage) {
    auto list = FilesList({ListRun(
        "ROOT", 2,
        {Keyword("U", "Untitled", "", 4, {Keyword("U1", "", folder + "u.htm", 5)}),
         Keyword("S", "Same", "", 4, {Keyword("S1", "Same", folder + "s.htm", 5)}),
         Keyword("T", "Titled", "", 4, {Keyword("T1", "Its title", folder + "t.htm", 5)}),
         // A page of its own is written too, before the topic.
         Keyword("O", "Own", folder + "o.htm", 4, {Keyword("O1", "Own", folder + "p.htm", 5)})})});
    hhk.AddFilesList2(list.get());
    std::string text = hhk.BuildHHKText();
    for (const char* name : {"Untitled", "Same"}) {
        std::string entry = "<param name=\"Name\" value=\"" + std::string(name) +
                            "\">\r\n\t\t<param name=\"Local\" value=\"";
        EXPECT_NE(text.find(entry), std::string::npos) << name << "\n" << text;
    }
    EXPECT_NE(text.find("<param name=\"Name\" value=\"Titled\">\r\n"
                        "\t\t<param name=\"Name\" value=\"Its title\">\r\n"
                        "\t\t<param name=\"Local\" value=\"t.htm\">"),
              std::string::npos)
        << text;
    // Read back, such a topic is the keyword's page.
    EXPECT_EQ(Read(text), (std::vector<std::string>{"0 0 Untitled " + folder + "u.htm",
                                                    "0 0 Same " + folder + "s.htm", "0 4 Titled ",
                                                    "1 5 Its title " + folder + "t.htm",
                                                    "0 4 Own " + folder + "o.htm",
                                                    "1 5 Own " + folder + "p.htm"}));
}

TEST_F(IndexText, PagesWithAnglesInTheirAnchorStayWhole) {
    // The shape of Sphinx's index of CMake's help.
    std::vector<std::string> entries =
        Read("<UL><LI> <OBJECT type=\"text/sitemap\">\n"
             "    <param name=\"Keyword\" value=\"&lt;PackageName&gt;_ROOT\">\n"
             "    <param name=\"Local\" "
             "value=\"envvar/PackageName_ROOT.html#envvar:<PackageName>_ROOT\">\n"
             "</OBJECT>\n</UL>");
    const std::string page = folder + "envvar/PackageName_ROOT.html#envvar:<PackageName>_ROOT";
    EXPECT_EQ(entries, (std::vector<std::string>{"0 0 <PackageName>_ROOT " + page}));
    EXPECT_NE(hhk.BuildHHKText().find(
                  "value=\"envvar\\PackageName_ROOT.html#envvar:<PackageName>_ROOT\">"),
              std::string::npos)
        << hhk.BuildHHKText();
    ASSERT_EQ(project.SaveProject(), 1);
    CProjectFile reopened;
    reopened.SetChannels(&prompt.channels);
    ASSERT_EQ(reopened.OpenProjectFile(folder + "guide.mbk"), 1);
    ASSERT_EQ(reopened.HHK_GetTreeRoot()->GetChildCount(), 1);
    EXPECT_EQ(reopened.HHK_GetTreeRoot()->GetChildAt(0)->GetAttr("Local"), page);
}

TEST_F(IndexText, EmptyIndexIsAnEmptyList) {
    hhk.InitHHK();
    EXPECT_NE(hhk.BuildHHKText().find("</OBJECT>\r\n<UL>\r\n</UL>\r\n</BODY>"), std::string::npos);
}

TEST_F(IndexText, SitemapFileRoundTripKeepsKeywordsAndTopics) {
    Fill();
    std::vector<std::string> written;
    Collect(hhk.GetTreeRoot(), 0, written);
    ASSERT_EQ(project.HHK_WriteFile(folder + "guide.hhk"), 1);
    EXPECT_EQ(Read(TempTree::Read(folder + "guide.hhk")), written);
}

TEST_F(IndexText, ReadingKeywordItems) {
    tree.Write("a.htm", "");
    std::vector<std::string> entries =
        Read("<HTML><BODY><OBJECT type=\"text/site properties\">"
             "<param name=\"windowname\" value=\"main\"><param name=\"ImageType\" value=\"x\">"
             "</OBJECT><UL>"
             "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Alpha\">"
             "<param name=\"Local\" value=\"A.htm\"></OBJECT>"
             "<LI><OBJECT type=\"text/sitemap\"><param name=\"Keyword\" value=\"Beta\">"
             "<param name=\"Name\" value=\"First\"><param name=\"Local\" value=\"1.htm\">"
             "<param name=\"See Also\" value=\"Alpha\">"
             "<param name=\"Name\" value=\"Second\"><param name=\"Local\" value=\"2.htm\"></OBJECT>"
             "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Beta sub\">"
             "</OBJECT></UL>"
             "<LI><OBJECT type=\"text/sitemap\"><param name=\"ImageNumber\" value=\"3\"></OBJECT>"
             "<LI><OBJECT type=\"text/sitemap\"><param name=\"See Also\" value=\"Alpha\">"
             "<param name=\"Name\" value=\"See\"></OBJECT>"
             "</UL></BODY></HTML>");
    EXPECT_EQ(entries, (std::vector<std::string>{
                           "0 0 Alpha " + folder + "a.htm",
                           "0 4 Beta  -> Alpha",
                           "1 5 First " + folder + "1.htm",
                           "1 5 Second " + folder + "2.htm",
                           "1 0 Beta sub ",
                           "0 0 See  -> Alpha",
                       }));
    EXPECT_EQ(hhk.GetWindowName(), "main");
}

TEST_F(IndexText, ReadingPagesNamedBeforeTheirKeyword) {
    // Some generators (doxygen) write "Local" before "Name".
    std::vector<std::string> entries =
        Read("<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Local\" value=\"p.html#x\">"
             "<param name=\"Name\" value=\"Point\"></OBJECT>"
             "<LI><OBJECT type=\"text/sitemap\"><param name=\"Local\" value=\"\">"
             "<param name=\"Local\" value=\"q.html\"></OBJECT>"
             "<LI><OBJECT type=\"text/sitemap\"><param name=\"Local\" value=\"one.html\">"
             "<param name=\"Name\" value=\"Many\"><param name=\"Local\" value=\"two.html\">"
             "<param name=\"Name\" value=\"Two\"></OBJECT></UL>");
    EXPECT_EQ(entries, (std::vector<std::string>{
                           "0 0 Point " + folder + "p.html#x",
                           "0 4 Many " + folder + "one.html",
                           "1 5 Two " + folder + "two.html",
                       }));
}

TEST_F(IndexText, ReadingAnEmptyFirstList) {
    std::vector<std::string> entries =
        Read("<BODY><UL></UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"A\">"
             "</OBJECT></BODY>");
    EXPECT_EQ(entries, (std::vector<std::string>{"0 0 A "}));
}

TEST_F(IndexText, ProjectFileRoundTripKeepsTheIndex) {
    Fill();
    hhk.SetFont("Arial", 12, 0);
    std::vector<std::string> written;
    Collect(hhk.GetTreeRoot(), 0, written);
    ASSERT_EQ(project.SaveProject(), 1);
    CProjectFile reopened;
    reopened.SetChannels(&prompt.channels);
    ASSERT_EQ(reopened.OpenProjectFile(folder + "guide.mbk"), 1);
    std::vector<std::string> read;
    Collect(reopened.HHK_GetTreeRoot(), 0, read);
    EXPECT_EQ(read, written);
    std::string face;
    long size = 0;
    unsigned char charset = 0;
    reopened.GetHHKFile()->GetFont(face, size, charset);
    EXPECT_EQ(face + std::to_string(size), "Arial12");
    EXPECT_NE(TempTree::Read(folder + "guide.mbk")
                  .find("<Topic Name=\"Second &quot;2&quot;\" XPosition=\"1\" "
                        "Local=\"2 &amp; 3.htm\" Type=\"5\"/>"),
              std::string::npos);
}

} // namespace
