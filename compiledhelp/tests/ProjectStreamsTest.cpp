// What a compiled file keeps of its project, read from files that chmcmd
// compiled: settings and window types as the project set them, the files
// list, and the binary contents and index as chmls reads them.

#include "baseutil/tests/support/TempTree.h"
#include "compiledhelp/ChmProjectStreams.h"
#include "compiledhelp/ItsFile.h"
#include "compiledhelp/tests/support/BinaryFormsProject.h"
#include "projectmodel/tests/HelpCompiler.h"

#include <gtest/gtest.h>

using namespace mb::testing;

namespace {

// The entries in the form SitemapEntries gives chmls's sitemaps.
std::vector<std::string> Lines(const std::vector<ChmTocEntry>& entries) {
    std::vector<std::string> lines;
    for (const ChmTocEntry& entry : entries)
        lines.push_back(std::to_string(entry.level + 1) + ": Name=" + entry.name +
                        (entry.local.empty() ? "" : " Local=" + entry.local));
    return lines;
}

std::vector<std::string> Lines(const std::vector<ChmKeyword>& keywords) {
    std::vector<std::string> lines;
    for (const ChmKeyword& keyword : keywords) {
        std::string line = std::to_string(keyword.level + 1) + ": Name=" + keyword.name;
        if (!keyword.seeAlso.empty())
            line += " See Also=" + keyword.seeAlso;
        for (const ChmTopic& topic : keyword.topics)
            line += " Name=" + topic.title + (topic.local.empty() ? "" : " Local=" + topic.local);
        lines.push_back(line);
    }
    return lines;
}

class ProjectStreams : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_tree = new TempTree;
        s_chm = new std::string(BinaryFormsProject(s_tree->Root(), 1500).Build("forms.chm"));
    }
    static void TearDownTestSuite() {
        delete s_chm;
        delete s_tree;
    }
    ChmProjectStreams Read() const {
        CItsFile file;
        EXPECT_EQ(file.OpenITS(*s_chm), kItsOk);
        return ReadProjectStreams(file);
    }

    static TempTree* s_tree;
    static std::string* s_chm;
};

TempTree* ProjectStreams::s_tree = nullptr;
std::string* ProjectStreams::s_chm = nullptr;

TEST_F(ProjectStreams, SettingsWindowsAndFilesAreThoseOfTheProject) {
    ChmProjectStreams streams = Read();
    const ChmSystemInfo& system = streams.system;
    EXPECT_EQ(system.title, "Test help");
    EXPECT_EQ(system.defaultTopic, "a.htm");
    EXPECT_EQ(system.defaultWindow, "main");
    EXPECT_EQ(system.contentsFile, "toc.hhc");
    EXPECT_EQ(system.indexFile, "index.hhk");
    EXPECT_EQ(system.languageId, 0x409u);
    EXPECT_TRUE(system.fullTextSearch && system.binaryIndex && system.binaryToc);

    ASSERT_EQ(streams.windows.size(), 2u);
    const ChmWindowType& main = streams.windows[0];
    EXPECT_EQ(main.name, "main");
    EXPECT_EQ(main.caption, "Main caption");
    EXPECT_EQ(main.toc, "toc.hhc");
    EXPECT_EQ(main.index, "index.hhk");
    EXPECT_EQ(main.defaultFile, "a.htm");
    EXPECT_EQ(main.home, "b.htm");
    EXPECT_EQ(main.properties, 0x63520u);
    EXPECT_EQ(main.navWidth, 250);
    EXPECT_EQ(main.toolbarFlags, 0x387eu);
    EXPECT_EQ(main.styles, 0x30000u);
    EXPECT_EQ(std::vector<int>({main.left, main.top, main.right, main.bottom}),
              std::vector<int>({10, 20, 700, 500}));
    const ChmWindowType& other = streams.windows[1];
    EXPECT_EQ(other.name, "other");
    EXPECT_EQ(other.caption, "Other caption");
    EXPECT_EQ(other.defaultFile, "sub/c.htm");
    EXPECT_EQ(other.navWidth, 200);
    EXPECT_EQ(std::vector<int>({other.left, other.top, other.right, other.bottom}),
              std::vector<int>({1, 2, 3, 4}));

    EXPECT_EQ(streams.files,
              std::vector<std::string>({"a.htm", "b.htm", "img/x.gif", "sub/c.htm"}));
}

TEST_F(ProjectStreams, BinaryContentsAndIndexReadAsChmlsReadsThem) {
    ChmProjectStreams streams = Read();
    ASSERT_TRUE(streams.hasBinaryToc);
    ASSERT_TRUE(streams.hasBinaryIndex);
    std::vector<std::string> toc = SitemapEntries(ExtractSitemap(*s_chm, "extracttoc"));
    ASSERT_EQ(toc.size(), 5u);
    EXPECT_EQ(Lines(streams.contents), toc);
    std::vector<std::string> index = SitemapEntries(ExtractSitemap(*s_chm, "extractindex"));
    ASSERT_EQ(index.size(), 1500u + 15 + 4);
    EXPECT_EQ(Lines(streams.index), index);
}

} // namespace
