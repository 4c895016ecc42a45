// The contents and index files written for the compiler compile with the
// HTML Help compiler of this system (chmcmd), with entries and empty.

#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/tests/HelpCompiler.h"
#include "projectmodel/tests/TreeTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace mb::testing;

namespace {

class SitemapCompile : public ::testing::Test {
protected:
    void SetUp() override {
        if (!OnPath("chmcmd") || !OnPath("chmls"))
            FAIL() << "chmcmd (fp-utils) is not installed";
        project.SetChannels(&prompt.channels);
        project.SetMBKFileName(folder + "guide.mbk");
        project.SetIncludeMBKProjectInfo(0);
        for (const char* page : {"intro.htm", "a&b.htm", "sub/page one.htm", "k.htm"})
            tree.Write(page, std::string("<html><head><title>") + page +
                                 "</title></head><body>text</body></html>");
        project.GetHHPFile()->AddFile(folder + "intro.htm");
    }
    // Writes the three files as the compile command does and compiles them.
    mb::RunResult Compile() {
        EXPECT_EQ(project.SaveProject(), 1);
        EXPECT_EQ(project.HHP_WriteFile(project.GetHHPFileName_FullPath()), 1);
        EXPECT_EQ(project.HHC_WriteFile(project.GetHHCFileName_FullPath()), 1);
        EXPECT_EQ(project.HHK_WriteFile(project.GetHHKFileName_FullPath()), 1);
        return CompileHelp(folder, "guide.hhp");
    }
    CXML* Page(const std::string& id, const std::string& name, const std::string& local,
               std::initializer_list<CXML*> children = {}) {
        CXML* node = Entry(id, children, local.empty() ? "" : folder + local);
        node->SetAttr("Name", name);
        node->SetAttr("ImageNumber", local.empty() ? 0 : 10);
        return node;
    }

    ScriptedPrompt prompt;
    TempTree tree;
    std::string folder = tree.Root() + "/";
    CProjectFile project;
};

TEST_F(SitemapCompile, ContentsAndIndexWithEntriesCompile) {
    auto contents =
        FilesList({ListRun("ROOT", 2,
                           {Page("I", "Intro & more", "intro.htm"),
                            Page("B", "Book", "",
                                 {Page("P", "Page one", "sub/page one.htm"),
                                  Page("A", "A and B", "a&b.htm", {Page("D", "Deep", "k.htm")})}),
                            Page("E", "Caf\xC3\xA9 \xE4\xB8\xAD", "intro.htm")})});
    project.Content_AddFilesList2(contents.get());
    auto index = FilesList({ListRun(
        "ROOT", 2,
        {Typed(Page("K", "keyword", "k.htm", {Typed(Page("S", "sub keyword", "intro.htm"), 0)}), 0),
         Typed(Page("M", "many", "",
                    {Typed(Page("T1", "first", "intro.htm"), 5),
                     Typed(Page("T2", "second", "a&b.htm"), 5)}),
               4)})});
    project.Index_AddFilesList2(index.get());

    mb::RunResult compiled = Compile();
    ASSERT_TRUE(compiled.started) << compiled.error;
    EXPECT_EQ(compiled.exitStatus, 0) << compiled.output;
    ASSERT_TRUE(std::filesystem::exists(project.GetCHMFileName())) << compiled.output;

    // The compiler found the pages through the contents and the index.
    std::vector<std::string> names = ListedNames(project.GetCHMFileName());
    for (const char* page : {"/intro.htm", "/a&b.htm", "/sub/page one.htm", "/k.htm"})
        EXPECT_NE(std::find(names.begin(), names.end(), page), names.end()) << page;
    std::vector<std::string> toc =
        SitemapEntries(ExtractSitemap(project.GetCHMFileName(), "extracttoc"), {"imagenumber"});
    ASSERT_EQ(toc.size(), 6u);
    EXPECT_EQ(toc[4], "3: Name=Deep Local=k.htm");
    EXPECT_EQ(toc[5], "1: Name=Caf\xE9 &#20013; Local=intro.htm");
    std::vector<std::string> keywords =
        SitemapEntries(ExtractSitemap(project.GetCHMFileName(), "extractindex"));
    ASSERT_EQ(keywords.size(), 3u);
    EXPECT_EQ(keywords[0], "1: Name=keyword Name=keyword Local=k.htm");
    EXPECT_EQ(keywords[1], "2: Name=sub keyword Name=sub keyword Local=intro.htm");
    // The compiler keeps both topics of the keyword with several.
    EXPECT_EQ(keywords[2].rfind("1: Name=many ", 0), 0u) << keywords[2];
    EXPECT_NE(keywords[2].find("Local=intro.htm"), std::string::npos) << keywords[2];
    EXPECT_NE(keywords[2].find("Local=a&b.htm"), std::string::npos) << keywords[2];
}

TEST_F(SitemapCompile, EmptyContentsAndIndexCompile) {
    mb::RunResult compiled = Compile();
    ASSERT_TRUE(compiled.started) << compiled.error;
    EXPECT_EQ(compiled.exitStatus, 0) << compiled.output;
    EXPECT_TRUE(std::filesystem::exists(project.GetCHMFileName())) << compiled.output;
}

} // namespace
