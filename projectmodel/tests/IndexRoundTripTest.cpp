// An index made with HTML Help Workshop, in the code page of its language,
// imported and exported again compiles into the same keyword index:
// "See Also" entries (which head a keyword's sub-keywords), sub-keywords
// and keywords with several topics, in a Western and a Japanese project.

#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "projectmodel/CompilerText.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/tests/HelpCompiler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

using namespace mb::testing;

namespace {

struct IndexCase {
    const char* name;
    int language;
    // UTF-8; written in the code page of the language.
    const char* parent;
    const char* child;
    const char* other;
};

void PrintTo(const IndexCase& c, std::ostream* out) {
    *out << c.name;
}

std::string Item(const std::string& params) {
    return "\t<LI> <OBJECT type=\"text/sitemap\">\r\n" + params + "\t\t</OBJECT>\r\n";
}

std::string Param(const std::string& name, const std::string& value) {
    return "\t\t<param name=\"" + name + "\" value=\"" + value + "\">\r\n";
}

// The index as HTML Help Workshop writes it: a keyword that only heads its
// sub-keywords refers to itself with "See Also"; the last keyword has it
// before its name, as doxygen writes it.
std::string WorkshopIndex(const IndexCase& c) {
    return "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\r\n<HTML>\r\n<HEAD>\r\n"
           "<meta name=\"GENERATOR\" content=\"Microsoft&reg; HTML Help Workshop 4.1\">\r\n"
           "<!-- Sitemap 1.0 -->\r\n</HEAD><BODY>\r\n<UL>\r\n" +
           Item(Param("Name", c.parent) + Param("See Also", c.parent)) + "\t<UL>\r\n" +
           Item(Param("Name", c.child) + Param("Local", "b.htm")) +
           Item(Param("Name", c.other) + Param("Name", "One") + Param("Local", "a.htm") +
                Param("Name", "Two") + Param("Local", "b.htm")) +
           "\t</UL>\r\n" + Item(Param("Name", "plain") + Param("Local", "a.htm")) + "\t<UL>\r\n" +
           Item(Param("Name", c.child) + Param("Local", "a.htm")) + "\t</UL>\r\n" +
           Item(Param("See Also", c.other) + Param("Name", "elsewhere")) +
           "</UL>\r\n</BODY></HTML>\r\n";
}

class IndexRoundTrip : public ::testing::TestWithParam<IndexCase> {
protected:
    void SetUp() override {
        const IndexCase& c = GetParam();
        auto encoded = [&](const std::string& text) {
            mb::EncodedText bytes = mb::EncodeForLanguage(text, c.language);
            EXPECT_EQ(bytes.unrepresentable, 0);
            return bytes.bytes;
        };
        for (const char* page : {"a.htm", "b.htm"})
            tree.Write(page, "<html><head><title>Page " + std::string(page) +
                                 "</title></head><body>text</body></html>");
        tree.Write("index.hhk", encoded(WorkshopIndex(c)));
        char language[16];
        std::snprintf(language, sizeof language, "0x%x", c.language);
        tree.Write("original.hhp", "[OPTIONS]\r\nCompatibility=1.1 or later\r\n"
                                   "Compiled file=original.chm\r\nIndex file=index.hhk\r\n"
                                   "Default topic=a.htm\r\nLanguage=" +
                                       std::string(language) +
                                       "\r\nTitle=Index\r\n\r\n[FILES]\r\na.htm\r\nb.htm\r\n");
    }
    std::vector<std::string> CompiledIndex(const std::string& hhp, const std::string& chm) {
        mb::RunResult compiled = CompileHelp(tree.Root(), hhp);
        EXPECT_TRUE(std::filesystem::exists(tree / chm)) << compiled.error << compiled.output;
        return SitemapEntries(ExtractSitemap(tree / chm, "extractindex"));
    }

    ScriptedPrompt prompt;
    TempTree tree;
};

TEST_P(IndexRoundTrip, ImportedAndExportedIndexCompilesLikeTheOriginal) {
    std::vector<std::string> original = CompiledIndex("original.hhp", "original.chm");
    ASSERT_EQ(original.size(), 6u);
    EXPECT_EQ(std::count_if(original.begin(), original.end(),
                            [](const std::string& entry) {
                                return entry.find(" See Also=") != std::string::npos;
                            }),
              2);
    EXPECT_EQ(std::count_if(original.begin(), original.end(),
                            [](const std::string& entry) { return entry.rfind("2: ", 0) == 0; }),
              3);

    CProjectFile project;
    project.SetChannels(&prompt.channels);
    ASSERT_EQ(project.ImportHHPFile(tree / "original.hhp"), 1);
    project.SetMBKFileName(tree / "round.mbk");
    ASSERT_EQ(project.SaveProject(), 1);
    CProjectFile reopened;
    reopened.SetChannels(&prompt.channels);
    ASSERT_EQ(reopened.OpenProjectFile(tree / "round.mbk"), 1);
    ASSERT_EQ(reopened.ExportHHPFile(tree / "round.hhp"), 1);
    EXPECT_EQ(CompiledIndex("round.hhp", "round.chm"), original);
}

INSTANTIATE_TEST_SUITE_P(
    CodePages, IndexRoundTrip,
    ::testing::Values(IndexCase{"Western", 0x409, "Caf\xC3\xA9", "Men\xC3\xBC", "Na\xC3\xAFve"},
                      IndexCase{"Japanese", 0x411, "\xE3\x82\xB3\xE3\x83\x9E\xE3\x83\xB3\xE3\x83\x89",
                                "\xE3\x82\xAA\xE3\x83\x97\xE3\x82\xB7\xE3\x83\xA7\xE3\x83\xB3",
                                "\xE8\xA8\xAD\xE5\xAE\x9A"}),
    [](const ::testing::TestParamInfo<IndexCase>& info) { return std::string(info.param.name); });

} // namespace
