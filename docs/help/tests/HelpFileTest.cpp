// The program's own help file as the build makes it: every topic the
// program opens is in it, and it survives being opened as a project and
// compiled again.
#include "app/cli/tests/CliRun.h"
#include "baseutil/Xml.h"
#include "baseutil/tests/support/TempTree.h"
#include "commonkit/HelpTopics.h"
#include "compiledhelp/ItsFile.h"
#include "compiledhelp/SitemapScanner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace mb::testing;
namespace fs = std::filesystem;

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The text of the first root stream whose name ends in `extension`.
std::string StreamEndingIn(const CItsFile& chm, const std::string& extension) {
    for (const CItsElement& element : chm.pStorage().Elements()) {
        if (element.type == kItsTypeStream && EndsWith(element.name, extension)) {
            std::string text;
            chm.ReadStream(element.name, text);
            return text;
        }
    }
    return {};
}

// One line per sitemap entry: its level, then its names and links in order.
void CollectEntries(const CXML& element, int level, std::vector<std::string>& lines) {
    for (int i = 0; i < element.GetChildCount(); ++i) {
        const CXML& child = *element.GetChildAt(i);
        if (child.GetTagName() == "OBJECT") {
            std::string line = std::to_string(level);
            for (int k = 0; k < child.GetChildCount(); ++k) {
                const CXML& param = *child.GetChildAt(k);
                line += " | " + std::string(param.GetAttr("name")) + "=" +
                        std::string(param.GetAttr("value"));
            }
            lines.push_back(line);
        }
        CollectEntries(child, level + (child.GetTagName() == "UL" ? 1 : 0), lines);
    }
}

std::vector<std::string> SitemapEntries(const std::string& chmPath, const std::string& extension) {
    CItsFile chm;
    EXPECT_EQ(chm.OpenITS(chmPath), kItsOk) << chmPath;
    CXML root;
    ScanSitemap(StreamEndingIn(chm, extension), root, "SITEMAP", "");
    std::vector<std::string> lines;
    CollectEntries(root, 0, lines);
    return lines;
}

bool HasNesting(const std::vector<std::string>& entries) {
    for (const std::string& entry : entries)
        if (entry.rfind("1 ", 0) != 0)
            return true;
    return false;
}

// The project folder that open-chm made in `folder`.
std::string OpenedProject(const std::string& folder) {
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_directory() && fs::exists(entry.path() / "marrowbook.mbk"))
            return (entry.path() / "marrowbook.mbk").string();
    return {};
}

TEST(HelpFile, HoldsEveryTopicTheProgramOpens) {
    CItsFile chm;
    ASSERT_EQ(chm.OpenITS(MB_HELP_FILE), kItsOk);
    for (const char* topic : mb::help::kAllTopics) {
        std::string page = topic;
        std::string anchor;
        if (size_t hash = page.find('#'); hash != std::string::npos) {
            anchor = page.substr(hash + 1);
            page.resize(hash);
        }
        std::string text;
        if (chm.ReadStream(page, text) != kItsOk) {
            ADD_FAILURE() << topic << " is not in the help file";
            continue;
        }
        if (!anchor.empty()) {
            EXPECT_TRUE(Contains(text, "id=\"" + anchor + "\"") ||
                        Contains(text, "name=\"" + anchor + "\""))
                << topic << ": the page has no anchor " << anchor;
        }
    }
}

TEST(HelpFile, OpenedAsAProjectAndCompiledAgainKeepsItsContentsAndIndexWithoutBrokenLinks) {
    TempTree tree;
    std::string chm = tree / "marrowbook.chm";
    fs::copy_file(MB_HELP_FILE, chm);
    auto opened = Cli({"--quiet", "open-chm", chm});
    ASSERT_EQ(opened.exitStatus, 0) << opened.output;
    std::string project = OpenedProject(tree.Root());
    ASSERT_FALSE(project.empty()) << opened.output;
    auto compiled = Cli({"compile", project});
    ASSERT_EQ(compiled.exitStatus, 0) << compiled.output;
    // The pages link only to pages and anchors that exist.
    EXPECT_FALSE(Contains(compiled.output, "links to missing anchors or pages")) << compiled.output;
    std::string again = fs::path(project).replace_extension(".chm").string();

    std::vector<std::string> contents = SitemapEntries(MB_HELP_FILE, ".hhc");
    std::vector<std::string> index = SitemapEntries(MB_HELP_FILE, ".hhk");
    EXPECT_TRUE(HasNesting(contents));
    EXPECT_TRUE(HasNesting(index));
    EXPECT_EQ(SitemapEntries(again, ".hhc"), contents);
    EXPECT_EQ(SitemapEntries(again, ".hhk"), index);
}

// The committed project is exactly what the program writes: exported to an
// HTML Help project and imported again it comes back byte for byte.
TEST(HelpFile, ProjectIsAsTheProgramWritesIt) {
    TempTree tree;
    std::string project = tree / "marrowbook.mbk";
    // With its pages: an import leaves out the files it cannot find.
    fs::copy(fs::path(MB_HELP_PROJECT).parent_path(), tree.Root(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    auto exported = Cli({"--quiet", "export-hhp", project});
    ASSERT_EQ(exported.exitStatus, 0) << exported.output;
    fs::remove(project);
    auto imported = Cli({"--quiet", "import-hhp", tree / "marrowbook.hhp"});
    ASSERT_EQ(imported.exitStatus, 0) << imported.output;
    EXPECT_EQ(TempTree::Read(project), TempTree::Read(MB_HELP_PROJECT));
}

} // namespace
