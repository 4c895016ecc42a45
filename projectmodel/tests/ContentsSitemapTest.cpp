// The contents as .hhc text and in the project file: the exact text for the
// compiler, reading sitemaps made elsewhere, and round trips.

#include "baseutil/MainWindow.h"
#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/tests/TreeTestSupport.h"
#include "runconfig/ConfigData.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace mb::testing;

namespace {

CXML* Page(const std::string& id, const std::string& name, const std::string& local, int image,
           std::initializer_list<CXML*> children = {}) {
    CXML* node = Entry(id, children, local);
    node->SetAttr("Name", name);
    node->SetAttr("ImageNumber", image);
    return node;
}

CXML* Merge(const std::string& id, const std::string& local) {
    CXML* node = Typed(Page(id, local, local, 44), CHHCFile::kMergeType);
    return node;
}

class ContentsText : public ::testing::Test {
protected:
    void SetUp() override {
        project.SetChannels(&prompt.channels);
        project.SetMBKFileName(folder + "guide.mbk");
    }
    void Fill() {
        CXML* page = Page("P", "Page \"one\"", folder + "sub/page one.htm", 10);
        page->SetAttr("Comment", "draft <b>");
        page->SetAttr("FrameName", "main");
        page->SetAttr("New", "1");
        auto list = FilesList(
            {ListRun("ROOT", 2,
                     {Merge("M0", folder + "first.chm::/first.hhc"),
                      Page("I", "Intro & more", folder + "a&b.htm", 10),
                      Page("B", "Book", "", 0, {Merge("M1", folder + "other.chm::/x.hhc"), page}),
                      Page("W", "Web", "http://example.com/x?a=1&b=2", -1)})});
        hhc.AddFilesList2(list.get());
    }

    ScriptedPrompt prompt;
    TempTree tree;
    std::string folder = tree.Root() + "/";
    CProjectFile project;
    CHHCFile& hhc = *project.GetHHCFile();
};

TEST_F(ContentsText, WrittenTextFollowsTheSitemapLayout) {
    Fill();
    hhc.SetFont("Tahoma", 10, 1);
    const std::string expected =
        "<HTML>\r\n<HEAD>\r\n</HEAD>\r\n<BODY>\r\n"
        "<OBJECT type=\"text/site properties\">\r\n"
        "<param name=\"FrameName\" value=\"right\">\r\n"
        "<param name=\"ImageType\" value=\"Folder\">\r\n"
        "<param name=\"Window Styles\" value=\"0x800227\">\r\n"
        "<param name=\"Foreground\" value=\"0x80000008\">\r\n"
        "<param name=\"Background\" value=\"0xffffff\">\r\n"
        "<param name=\"Font\" value=\"Tahoma,10,1\">\r\n"
        "</OBJECT>\r\n"
        "<OBJECT type=\"text/sitemap\">\r\n"
        "<param name=\"Merge\" value=\"first.chm::/first.hhc\">\r\n"
        "</OBJECT>\r\n"
        "<UL>\r\n"
        "\t<LI> <OBJECT type=\"text/sitemap\">\r\n"
        "\t\t<param name=\"Name\" value=\"Intro &amp; more\">\r\n"
        "\t\t<param name=\"Local\" value=\"a&b.htm\">\r\n"
        "\t\t<param name=\"ImageNumber\" value=\"11\">\r\n"
        "\t\t</OBJECT>\r\n"
        "\t<LI> <OBJECT type=\"text/sitemap\">\r\n"
        "\t\t<param name=\"Name\" value=\"Book\">\r\n"
        "\t\t<param name=\"ImageNumber\" value=\"1\">\r\n"
        "\t\t</OBJECT>\r\n"
        "\t<OBJECT type=\"text/sitemap\">\r\n"
        "\t\t<param name=\"Merge\" value=\"other.chm::/x.hhc\">\r\n"
        "\t\t</OBJECT>\r\n"
        "\t<UL>\r\n"
        "\t\t<LI> <OBJECT type=\"text/sitemap\">\r\n"
        "\t\t\t<param name=\"Name\" value=\"Page &quot;one&quot;\">\r\n"
        "\t\t\t<param name=\"Local\" value=\"sub\\page one.htm\">\r\n"
        "\t\t\t<param name=\"FrameName\" value=\"main\">\r\n"
        "\t\t\t<param name=\"Comment\" value=\"draft &lt;b&gt;\">\r\n"
        "\t\t\t<param name=\"New\" value=\"1\">\r\n"
        "\t\t\t<param name=\"ImageNumber\" value=\"11\">\r\n"
        "\t\t\t</OBJECT>\r\n"
        "\t</UL>\r\n"
        "\t<LI> <OBJECT type=\"text/sitemap\">\r\n"
        "\t\t<param name=\"Name\" value=\"Web\">\r\n"
        "\t\t<param name=\"Local\" value=\"http://example.com/x?a=1&b=2\">\r\n"
        "\t\t</OBJECT>\r\n"
        "</UL>\r\n"
        "</BODY>\r\n</HTML>\r\n";
    EXPECT_EQ(hhc.BuildHHCText(), expected);
}

TEST_F(ContentsText, ListsCloseForEveryLevelLeft) {
    auto list = FilesList({ListRun(
        "ROOT", 2, {Entry("A", {Entry("A1", {Entry("A2", {Entry("A3")})})}), Entry("B")})});
    hhc.AddFilesList2(list.get());
    std::string text = hhc.BuildHHCText();
    std::string lists;
    for (size_t at = text.find("UL>"); at != std::string::npos; at = text.find("UL>", at + 1))
        lists += text[at - 1] == '/' ? ")" : "(";
    EXPECT_EQ(lists, "(((())))");
    EXPECT_NE(text.find("\t\t\t</UL>\r\n\t\t</UL>\r\n\t</UL>\r\n\t<LI> <OBJECT"),
              std::string::npos);
    EXPECT_NE(text.find("\t\t\t\t<LI> <OBJECT"), std::string::npos); // A3 four deep
}

TEST_F(ContentsText, EmptyContentsIsAnEmptyList) {
    EXPECT_NE(hhc.BuildHHCText().find("</OBJECT>\r\n<UL>\r\n</UL>\r\n</BODY>\r\n</HTML>\r\n"),
              std::string::npos);
}

TEST_F(ContentsText, SitemapFileRoundTripKeepsEveryEntry) {
    Fill();
    std::string path = folder + "guide.hhc";
    ASSERT_EQ(project.HHC_WriteFile(path), 1);

    CProjectFile other;
    other.SetChannels(&prompt.channels);
    other.SetMBKFileName(folder + "other.mbk");
    CXML form("HHC");
    ASSERT_EQ(other.HHC_ReadHHCFileToXML(path, &form), 1);
    CHHCFile& read = *other.GetHHCFile();
    read.InitHHC();
    read.ReadXMLTree_Ver2(&form);
    const CXML* root = read.GetTreeRoot();
    // A merge entry is named after its reference.
    EXPECT_EQ(Shape(root, "Name"),
              "first.chm::/first.hhc,Intro & more,Book(other.chm::/x.hhc,Page \"one\"),Web");
    EXPECT_EQ(Shape(root, "Local"), Shape(hhc.GetTreeRoot(), "Local"));
    EXPECT_EQ(Shape(root, "Type"), "3,,(3,),");
    // An entry written without an image reads as a page's image.
    EXPECT_EQ(Shape(root, "ImageNumber"), "44,10,0(44,10),10");
    const CXML* page = root->GetChildAt(2)->GetChildAt(1);
    EXPECT_EQ(page->GetAttr("Comment"), "draft <b>");
    EXPECT_EQ(page->GetAttr("FrameName"), "main");
    EXPECT_EQ(page->GetAttr("New"), "1");
    EXPECT_NE(page->GetAttr("ID"), "P"); // new identities after every load
}

TEST_F(ContentsText, ReadingSitemapsMadeElsewhere) {
    tree.Write("docs/a.htm", "");
    std::string path = tree.Write(
        "docs/toc.hhc",
        "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n<html><body>\n"
        "<object type=\"text/site properties\">\n"
        "  <param name=\"window styles\" value=\"0x801627\">\n"
        "  <param name=\"FONT\" value=\"Arial,8,0\">\n"
        "  <param name=\"ExWindow Styles\" value=\"0x300\">\n"
        "</object>\n<ul>\n"
        "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"One &#8364; &eacute;\">"
        "<param name=\"Local\" value=\"\\A.HTM\"><param name=\"ImageNumber\" value=\"1\">"
        "<param name=\"Unknown\" value=\"x\"></object>\n"
        "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Book\"></object>\n"
        "  <ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Inner\">"
        "<param name=\"Local\" value=\"ms-its:x.chm::/y.htm\"></object></ul>\n"
        "<li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Leaf\">"
        "<param name=\"Local\" value=\"C:\\Docs\\leaf.htm\"></object>\n"
        "<object type=\"text/sitemap\"><param name=\"Name\" value=\"Second object\"></object>\n"
        "<li><object type=\"other/type\"><param name=\"Name\" value=\"Other\"></object>\n"
        "</ul></body></html>\n");
    CXML form("HHC");
    project.HHC_ReadHHCFileToXML(path, &form);
    hhc.ReadXMLTree_Ver2(&form);
    const CXML* root = hhc.GetTreeRoot();
    EXPECT_EQ(Shape(root, "Name"),
              "One \xE2\x82\xAC \xC3\xA9,Book(Inner),Leaf(Second object),Other");
    // Images: a file's numbers count from 1; without one, an item with a
    // list below is a book (0) and one without a page (10); a second object
    // of an item has none.
    EXPECT_EQ(Shape(root, "ImageNumber"), "0,0(10),10(-1),10");
    EXPECT_EQ(root->GetChildAt(0)->GetAttr("Local"), folder + "docs/a.htm");
    EXPECT_EQ(root->GetChildAt(1)->GetChildAt(0)->GetAttr("Local"), "ms-its:x.chm::/y.htm");
    EXPECT_EQ(root->GetChildAt(2)->GetAttr("Local"), "C:\\Docs\\leaf.htm");
    EXPECT_EQ(hhc.GetWindowStyles(), 0x801627u);
    std::string face;
    long size = 0;
    unsigned char charset = 9;
    hhc.GetFont(face, size, charset);
    EXPECT_EQ(face + "," + std::to_string(size) + "," + std::to_string(charset), "Arial,8,0");
    EXPECT_EQ(form.GetChildByTagName("SiteProperties")->GetChildCount(), 2);

    // A file that is not there gives an empty form.
    CXML missing("HHC");
    EXPECT_EQ(project.HHC_ReadHHCFileToXML(folder + "none.hhc", &missing), 1);
    EXPECT_EQ(missing.GetChildByTagName("SiteMap")->GetChildCount(), 0);
}

TEST_F(ContentsText, LegacyCodePagesAreReadAndWrittenByLanguage) {
    // "Café" in code page 1252, for a project in language 1033.
    std::string path =
        tree.Write("cafe.hhc", "<ul><li><object type=\"text/sitemap\">"
                               "<param name=\"Name\" value=\"Caf\xE9\"></object></ul>");
    CXML form("HHC");
    project.HHC_ReadHHCFileToXML(path, &form);
    hhc.ReadXMLTree_Ver2(&form);
    EXPECT_EQ(hhc.GetTreeRoot()->GetChildAt(0)->GetAttr("Name"), "Caf\xC3\xA9");

    // Written back in 1252; a character 1252 has no place for becomes a
    // decimal reference, which reads back as the character.
    auto more = FilesList({ListRun("ROOT", 2, {Page("Z", "\xE4\xB8\xAD", "", 0)})});
    hhc.AddFilesList2(more.get());
    std::string out = folder + "out.hhc";
    ASSERT_EQ(project.HHC_WriteFile(out), 1);
    std::string bytes = TempTree::Read(out);
    EXPECT_NE(bytes.find("value=\"Caf\xE9\""), std::string::npos);
    EXPECT_NE(bytes.find("value=\"&#20013;\""), std::string::npos);
    CProjectFile other;
    other.SetChannels(&prompt.channels);
    CXML again("HHC");
    other.HHC_ReadHHCFileToXML(out, &again);
    other.GetHHCFile()->ReadXMLTree_Ver2(&again);
    EXPECT_EQ(Shape(other.GetHHCFile()->GetTreeRoot(), "Name"), "Caf\xC3\xA9,\xE4\xB8\xAD");

    // GBK for Chinese (2052).
    project.HHP_SetOptionsData(OPT_LANGUAGE, 2052);
    std::string gbk =
        tree.Write("gbk.hhc", "<ul><li><object type=\"text/sitemap\">"
                              "<param name=\"Name\" value=\"\xD6\xD0\"></object></ul>");
    CXML chinese("HHC");
    project.HHC_ReadHHCFileToXML(gbk, &chinese);
    EXPECT_EQ(chinese.GetChildByTagName("SiteMap")->GetChildAt(0)->GetAttr("Name"), "\xE4\xB8\xAD");
}

TEST_F(ContentsText, ReadOnlyTargetIsNotWritten) {
    std::string path = tree.Write("guide.hhc", "old");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_EQ(project.HHC_WriteFile(path), 0);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_NE(prompt.messages[0].text.find(path), std::string::npos);
    EXPECT_EQ(TempTree::Read(path), "old");
    EXPECT_EQ(project.HHC_WriteFile(folder + "no/such/folder/x.hhc"), 0);
}

TEST_F(ContentsText, ProjectFileRoundTripKeepsTreeAndProperties) {
    Fill();
    hhc.SetContentWindowStyle(uint32_t{0x1234});
    hhc.SetBackgroundColor(0xC0FFEE);
    hhc.SetFont("Verdana", 11, 2);
    ASSERT_EQ(project.SaveProject(), 1);
    std::string firstId = hhc.GetTreeRoot()->GetChildAt(1)->GetAttr("ID");

    CProjectFile reopened;
    reopened.SetChannels(&prompt.channels);
    ASSERT_EQ(reopened.OpenProjectFile(folder + "guide.mbk"), 1);
    const CHHCFile& read = *reopened.GetHHCFile();
    for (const char* attribute : {"Name", "Local", "ImageNumber", "Type", "Comment", "New"})
        EXPECT_EQ(Shape(read.GetTreeRoot(), attribute), Shape(hhc.GetTreeRoot(), attribute))
            << attribute;
    EXPECT_NE(read.GetTreeRoot()->GetChildAt(1)->GetAttr("ID"), firstId);
    EXPECT_EQ(read.GetWindowStyles(), 0x1234u);
    EXPECT_EQ(read.GetBackgroundColor(), 0xC0FFEEu);
    std::string face;
    long size = 0;
    unsigned char charset = 0;
    read.GetFont(face, size, charset);
    EXPECT_EQ(face + std::to_string(size) + std::to_string(charset), "Verdana112");
    EXPECT_EQ(reopened.GetModifiedInfo()->GetChildCount(), 0);
    EXPECT_FALSE(reopened.IsModified());
    // Pages inside the project folder are stored relative to it.
    std::string saved = TempTree::Read(folder + "guide.mbk");
    EXPECT_NE(saved.find("Local=\"sub\\page one.htm\""), std::string::npos);
    EXPECT_NE(saved.find("Local=\"other.chm::/x.hhc\" Type=\"3\""), std::string::npos);
}

TEST_F(ContentsText, OlderProjectFilesHaveNoMergeEntries) {
    tree.Write("old.mbk", "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n<PROJECT_FT><HHP/>"
                          "<HHC><SiteMap><Topic Name=\"A\" XPosition=\"0\" Local=\"a.htm\" "
                          "Type=\"3\"/><Topic Name=\"B\" XPosition=\"3\"/><Topic Name=\"C\" "
                          "XPosition=\"-4\"/></SiteMap></HHC></PROJECT_FT>");
    CProjectFile old;
    old.SetChannels(&prompt.channels);
    ASSERT_EQ(old.OpenProjectFile(folder + "old.mbk"), 1);
    const CXML* root = old.GetHHCFile()->GetTreeRoot();
    EXPECT_EQ(Shape(root, "Name"), "A(B),C"); // a jump of levels nests one deeper
    EXPECT_EQ(root->GetChildAt(0)->GetAttr("Type"), "");
    EXPECT_EQ(root->GetChildAt(0)->GetAttr("Local"), folder + "a.htm");
    EXPECT_EQ(root->GetChildAt(0)->GetChildAt(0)->GetAttr("ImageNumber"), "-1");
}

TEST_F(ContentsText, UnwelcomeFileNamesAreRepairedWithProgress) {
    project.Settings().config.ReadConfigData_XML();
    CXML* table = project.Settings().config.GetReplacedTable();
    table->DelAllChild();
    CXML* item = table->AddChild("REPLACE_ITEM");
    item->SetAttr("old", "&");
    item->SetAttr("new", "and");
    std::string bad = tree.Write("q&a.htm", "<html><body>Q</body></html>");
    std::string good = tree.Write("fine.htm", "<html></html>");
    auto list =
        FilesList({ListRun("ROOT", 2, {Page("Q", "Q", bad, 10), Page("F", "F", good, 10)})});
    hhc.AddFilesList2(list.get());
    project.SetModified(0);
    CXML ids("IDs");
    for (const char* id : {"Q", "F", "{gone}"})
        ids.AddChild("ID", id);
    std::vector<std::string> progress;
    project.SetProgressSink([&progress](int code, int value) {
        progress.push_back(std::to_string(code) +
                           (code == PR_PROGRESS_END ? "" : "=" + std::to_string(value)));
    });
    EXPECT_EQ(project.Content_ReplaceUCInFilename(&ids), 1);
    EXPECT_EQ(progress, (std::vector<std::string>{"6=3", "7=1", "7=2", "7=3", "8"}));
    EXPECT_EQ(hhc.GetNodeByID("Q")->GetAttr("Local"), folder + "qanda.htm");
    EXPECT_EQ(hhc.GetNodeByID("F")->GetAttr("Local"), good);
    EXPECT_TRUE(std::filesystem::exists(folder + "qanda.htm"));
    EXPECT_TRUE(project.IsModified());
}

} // namespace
