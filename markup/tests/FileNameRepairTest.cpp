// Repairing page file names with unwelcome characters, on real files: the
// associated "_files" folder is found through the page's references, and the
// page is written under its new name pointing at the folder's new name.

#include "baseutil/Xml.h"
#include "baseutil/tests/support/TempTree.h"
#include "markup/AssociatedFolderEventHandler.h"
#include "markup/HTMLHelper.h"
#include "markup/ReplaceUnwelcomeEventHandler.h"

#include <gtest/gtest.h>

#include <filesystem>

using mb::testing::TempTree;

namespace {

class FileNameRepair : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_tree.Root().empty());
        AddItem(" ", "_");
    }

    void AddItem(const std::string& from, const std::string& to) {
        CXML* item = m_table.AddChild("REPLACE_ITEM");
        item->SetAttr("old", from);
        item->SetAttr("new", to);
    }

    struct Result {
        std::string newFile;
        std::string oldFolder;
        std::string newFolder;
    };
    Result Repair(const std::string& file, const CXML* table) {
        CHTMLHelper helper(table);
        Result result{"unset", "unset", "unset"};
        helper.ReplaceUnwelcomeCharsInFilename(file, result.newFile, result.oldFolder,
                                               result.newFolder);
        return result;
    }
    Result Repair(const std::string& file) { return Repair(file, &m_table); }

    // Parses a page with the associated-folder handler and the test's table.
    CAssociatedFolderEventHandler FindFolder(const std::string& page) {
        CAssociatedFolderEventHandler handler;
        handler.SetParsedFile(page);
        handler.SetReplaceTable(&m_table);
        CLiteHTMLReader reader;
        reader.setEventHandler(&handler);
        reader.Read(TempTree::Read(page));
        return handler;
    }

    static bool Exists(const std::string& path) { return std::filesystem::exists(path); }

    TempTree m_tree;
    CXML m_table{"REPLACE_TABLE"};
};

const char* const kSavedPage =
    "<html><head><link rel=stylesheet href=\"My%20Page_files/style.css\">\n"
    "<script src='My Page_files/code.js'></script></head>\n"
    "<body><img src=\"My Page_files/pic.gif\" alt=\"My Page\">\n"
    "<a href=\"http://example.invalid/My Page_files/x.htm\">web</a></body></html>\n";

TEST_F(FileNameRepair, PageWithAssociatedFolder) {
    const std::string page = m_tree.Write("My Page.htm", kSavedPage);
    m_tree.Write("My Page_files/pic.gif", "GIF");
    m_tree.Write("My Page_files/style.css", "p{}");

    Result result = Repair(page);
    EXPECT_EQ(result.newFile, m_tree / "My_Page.htm");
    EXPECT_EQ(result.oldFolder, m_tree / "My Page_files");
    EXPECT_EQ(result.newFolder, m_tree / "My_Page_files");

    const std::string written = TempTree::Read(result.newFile);
    EXPECT_NE(written.find("href=\"My_Page_files/style.css\""), std::string::npos) << written;
    EXPECT_NE(written.find("src='My_Page_files/code.js'"), std::string::npos) << written;
    EXPECT_NE(written.find("src=\"My_Page_files/pic.gif\""), std::string::npos) << written;
    // Everything else of the page is kept byte for byte.
    std::string expected = kSavedPage;
    for (std::string from : {"My Page_files/", "My%20Page_files/"})
        for (std::size_t pos; (pos = expected.find(from)) != std::string::npos;)
            expected.replace(pos, from.size(), "My_Page_files/");
    EXPECT_EQ(written, expected);
    // The old page and folder are left for the caller.
    EXPECT_EQ(TempTree::Read(page), kSavedPage);
    EXPECT_TRUE(Exists(m_tree / "My Page_files/pic.gif"));
}

TEST_F(FileNameRepair, PercentEncodedReferencesAreRewrittenToo) {
    const std::string page =
        m_tree.Write("a b.htm", "<img src=\"a%20b_files/p.gif\"><img src='a%20b_files/q.gif'>");
    m_tree.Write("a b_files/p.gif", "GIF");
    Result result = Repair(page);
    EXPECT_EQ(result.newFolder, m_tree / "a_b_files");
    EXPECT_EQ(TempTree::Read(result.newFile),
              "<img src=\"a_b_files/p.gif\"><img src='a_b_files/q.gif'>");
}

TEST_F(FileNameRepair, PageWithoutAssociatedFolder) {
    const std::string page = m_tree.Write("plain page.htm", "<p>text <img src=pic.gif></p>");
    m_tree.Write("pic.gif", "GIF");
    Result result = Repair(page);
    EXPECT_EQ(result.newFile, m_tree / "plain_page.htm");
    EXPECT_EQ(result.oldFolder, "");
    EXPECT_EQ(result.newFolder, "");
    EXPECT_EQ(TempTree::Read(result.newFile), "<p>text <img src=pic.gif></p>");
}

TEST_F(FileNameRepair, FolderWithoutUnwelcomeCharactersIsNotMoved) {
    const std::string page = m_tree.Write("my page.htm", "<img src=\"images/a.gif\">");
    m_tree.Write("images/a.gif", "GIF");
    Result result = Repair(page);
    EXPECT_EQ(result.newFile, m_tree / "my_page.htm");
    EXPECT_EQ(result.oldFolder, "");
    EXPECT_EQ(result.newFolder, "");
}

TEST_F(FileNameRepair, NothingHappens) {
    const std::string clean = m_tree.Write("clean.htm", "<p>x</p>");
    const std::string spaced = m_tree.Write("with space.htm", "<p>x</p>");
    const Result none{"", "", ""};
    auto same = [](const Result& a, const Result& b) {
        return a.newFile == b.newFile && a.oldFolder == b.oldFolder && a.newFolder == b.newFolder;
    };
    EXPECT_TRUE(same(Repair(clean), none)); // no unwelcome characters
    EXPECT_TRUE(same(Repair(m_tree / "missing page.htm"), none));
    EXPECT_TRUE(same(Repair(spaced, nullptr), none)); // no table
    CXML empty("REPLACE_TABLE");
    EXPECT_TRUE(same(Repair(spaced, &empty), none)); // a table without items
    EXPECT_FALSE(Exists(m_tree / "with_space.htm"));
}

TEST_F(FileNameRepair, ExistingFileWithTheNewNameIsNotOverwritten) {
    const std::string page = m_tree.Write("two words.htm", "<p>new</p>");
    const std::string other = m_tree.Write("two_words.htm", "<p>someone else's page</p>");
    Result result = Repair(page);
    EXPECT_EQ(result.newFile, "");
    EXPECT_EQ(TempTree::Read(other), "<p>someone else's page</p>");
}

TEST_F(FileNameRepair, ReplacementsThatWouldLeaveTheFolderAreRefused) {
    CXML table("REPLACE_TABLE");
    CXML* item = table.AddChild("REPLACE_ITEM");
    item->SetAttr("old", "evil");
    item->SetAttr("new", "../x");
    const std::string page = m_tree.Write("sub/evil.htm", "<p>x</p>");
    Result result = Repair(page, &table);
    EXPECT_EQ(result.newFile, "");
    EXPECT_FALSE(Exists(m_tree / "x.htm"));
}

TEST_F(FileNameRepair, ItemsWithAnEmptySideAreSkipped) {
    AddItem("a", "");
    AddItem("", "b");
    AddItem("page", "topic");
    const std::string page = m_tree.Write("a page.htm", "<p>x</p>");
    Result result = Repair(page);
    EXPECT_EQ(result.newFile, m_tree / "a_topic.htm");
}

TEST_F(FileNameRepair, WholeFileIsKeptEvenPastANulByte) {
    const std::string content("<img src=\"x y_files/a.gif\">\0tail x y_files/ end", 46);
    const std::string page = m_tree.Write("x y.htm", content);
    m_tree.Write("x y_files/a.gif", "GIF");
    Result result = Repair(page);
    EXPECT_EQ(TempTree::Read(result.newFile),
              std::string("<img src=\"x_y_files/a.gif\">\0tail x_y_files/ end", 46));
}

TEST_F(FileNameRepair, ReferencesThatNeverSelectAFolder) {
    m_tree.Write("pics/a.gif", "GIF");
    m_tree.Write("style.css", "p{}");
    for (const char* reference :
         {"http:pics/a.gif", "HTTPS://x/pics/a.gif", "ftp:pics/a.gif", "mailto:pics",
          "\\\\server\\pics\\a.gif", "\\pics\\a.gif", "C:\\pics\\a.gif", "/pics/a.gif",
          "pics/missing.gif", "pics/", "style.css", "../pics/a.gif", "pics/../style.css"}) {
        std::string page = m_tree.Write("p.htm", std::string("<img src=\"") + reference + "\">");
        CAssociatedFolderEventHandler handler = FindFolder(page);
        EXPECT_EQ(handler.GetOldAssociatedFolder(), "") << reference;
    }
    // A page named without a folder: ".." cannot become its associated folder.
    const std::filesystem::path workingFolder = std::filesystem::current_path();
    std::filesystem::current_path(m_tree / "pics");
    CAssociatedFolderEventHandler relative;
    relative.SetParsedFile("p.htm");
    relative.SetReplaceTable(&m_table);
    CLiteHTMLReader reader;
    reader.setEventHandler(&relative);
    reader.Read("<img src=\"../pics/a.gif\">");
    std::filesystem::current_path(workingFolder);
    EXPECT_EQ(relative.GetOldAssociatedFolder(), "");
    // Backslashes work as separators, and a file in the page's own folder
    // does not end the search.
    const std::string page = m_tree.Write(
        "p.htm", "<link href=style.css><a href=\"/pics/a.gif\"><img src=\"pics\\a.gif\">");
    CAssociatedFolderEventHandler handler = FindFolder(page);
    EXPECT_EQ(handler.GetOldAssociatedFolder(), "pics/");
    EXPECT_EQ(handler.GetOldAssociatedFolderWithPath(), m_tree / "pics/");
    EXPECT_EQ(handler.GetNewAssociatedFolder(), "pics/");
    EXPECT_EQ(handler.IsContainUnwelcomeChars(), 0);
}

TEST_F(FileNameRepair, HandlerReportsTheFolderBesideThePage) {
    m_tree.Write("My Doc_files/img/deep.gif", "GIF");
    const std::string page = m_tree.Write("My Doc.htm", "<IMG SRC='My Doc_files/img/deep.gif'>");
    CAssociatedFolderEventHandler handler = FindFolder(page);
    EXPECT_EQ(handler.GetOldAssociatedFolder(), "My Doc_files/");
    EXPECT_EQ(handler.GetNewAssociatedFolder(), "My_Doc_files/");
    EXPECT_EQ(handler.GetOldAssociatedFolderWithPath(), m_tree / "My Doc_files/");
    EXPECT_EQ(handler.GetNewAssociatedFolderWithPath(), m_tree / "My_Doc_files/");
    EXPECT_EQ(handler.IsContainUnwelcomeChars(), 1);
}

TEST_F(FileNameRepair, FolderNamedInAnotherLetterCase) {
    m_tree.Write("My Doc_files/pic.gif", "GIF");
    const std::string page = m_tree.Write("My Doc.htm", "<img src='my doc_files/PIC.gif'>");
    CAssociatedFolderEventHandler handler = FindFolder(page);
    // As the page writes it, for rewriting the page; as it exists, for moving it.
    EXPECT_EQ(handler.GetOldAssociatedFolder(), "my doc_files/");
    EXPECT_EQ(handler.GetOldAssociatedFolderWithPath(), m_tree / "My Doc_files/");
    EXPECT_EQ(handler.GetNewAssociatedFolderWithPath(), m_tree / "my_doc_files/");
}

TEST_F(FileNameRepair, WithoutItemsTheFirstFolderIsKeptAndTheParseGoesOn) {
    m_tree.Write("a b_files/x.gif", "GIF");
    const std::string page = m_tree.Write("a b.htm", "<img src='a b_files/x.gif'>");
    CXML empty("REPLACE_TABLE");
    CAssociatedFolderEventHandler handler;
    handler.SetParsedFile(page);
    handler.SetReplaceTable(&empty);
    CLiteHTMLReader reader;
    reader.setEventHandler(&handler);
    reader.Read(TempTree::Read(page));
    EXPECT_EQ(handler.GetOldAssociatedFolder(), "a b_files/");
    EXPECT_EQ(handler.GetNewAssociatedFolder(), "");
    EXPECT_EQ(handler.GetNewAssociatedFolderWithPath(), "");
    // Without any table nothing is looked for.
    handler.SetReplaceTable(nullptr);
    reader.Read(TempTree::Read(page));
    EXPECT_EQ(handler.GetOldAssociatedFolder(), "");
}

TEST_F(FileNameRepair, PageRewriter) {
    m_tree.Write("My Page_files/pic.gif", "GIF");
    const std::string page = m_tree.Write(
        "My Page.htm", "<p class=x>Hi <img src=\"My%20Page_files/pic.gif\" alt='a \"q\" &amp; b'>"
                       "<a href=other.htm>o</a><!-- c --></p>");
    CReplaceUnwelcomeEventHandler handler;
    handler.SetParsedFile(page);
    handler.SetReplaceTable(&m_table);
    CLiteHTMLReader reader;
    reader.setEventHandler(&handler);
    reader.Read(TempTree::Read(page));
    EXPECT_EQ(handler.GetNewHTMLText(),
              "<p class=\"x\" >Hi <img src=\"My_Page_files/pic.gif\"  "
              "alt=\"a &quot;q&quot; &amp; b\" ><a href=\"other.htm\" >o</a><!-- c --></p>");
    EXPECT_EQ(handler.GetOldAssociatedFolderName(), m_tree / "My Page_files/");
    EXPECT_EQ(handler.GetNewAssociatedFolderName(), m_tree / "My_Page_files/");
}

} // namespace
