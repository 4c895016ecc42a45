// An HTML Help project written by a documentation generator (doxygen with
// GENERATE_HTMLHELP) is imported whole, exported again, and compiles to a
// help file with the same table of contents and index as the original.

#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/tests/HelpCompiler.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

using mb::testing::ExtractSitemap;
using mb::testing::ScriptedPrompt;
using mb::testing::SitemapEntries;
using mb::testing::TempTree;

namespace fs = std::filesystem;

namespace {

const char* const kShapesHeader = R"(/// @file shapes.h
/// @brief Geometric shapes.
namespace geo {
/// A point in the plane.
struct Point {
    double x; ///< Horizontal position.
    double y; ///< Vertical position.
};
/// A circle with a centre and a radius.
class Circle {
public:
    /// Makes a circle.
    Circle(Point centre, double radius);
    /// The area.
    double Area() const;
    /// Whether @p p lies inside.
    bool Contains(Point p) const;
};
/// Distance between two points.
double Distance(Point a, Point b);
} // namespace geo
)";

const char* const kColoursHeader = R"(/// @file colours.h
/// @brief Colour helpers.
/// An RGB colour.
struct Colour {
    int r; ///< Red.
    int g; ///< Green.
    int b; ///< Blue.
};
/// Mixes two colours.
Colour Mix(Colour a, Colour b);
/// Lighter & darker shades.
enum class Shade { Light, Dark };
)";

const char* const kDoxyfile = R"(PROJECT_NAME = "Shapes & Colours"
OUTPUT_DIRECTORY = out
INPUT = shapes.h colours.h
GENERATE_HTML = YES
GENERATE_LATEX = NO
GENERATE_HTMLHELP = YES
HHC_LOCATION =
CHM_FILE = shapes.chm
HAVE_DOT = NO
HTML_DYNAMIC_MENUS = NO
SEARCHENGINE = NO
QUIET = YES
WARNINGS = NO
)";

int Count(const std::string& text, const std::regex& pattern) {
    return static_cast<int>(
        std::distance(std::sregex_iterator(text.begin(), text.end(), pattern), {}));
}

// The lines of the [FILES] section of a project text.
int ListedFiles(const std::string& hhp) {
    size_t start = hhp.find("[FILES]");
    if (start == std::string::npos)
        return 0;
    std::string section = hhp.substr(start + 7, hhp.find("\n[", start + 7) - start - 7);
    return Count(section, std::regex(R"(\S+)"));
}

TEST(DoxygenRoundTrip, AGeneratedHelpProjectSurvivesImportExportAndCompile) {
    for (const char* tool : {"doxygen", "chmcmd", "chmls"}) {
        if (!mb::testing::OnPath(tool))
            FAIL() << tool << " is not installed (scripts/deps.sh installs it)";
    }
    ScriptedPrompt prompt;
    TempTree tree;
    tree.Write("shapes.h", kShapesHeader);
    tree.Write("colours.h", kColoursHeader);
    tree.Write("Doxyfile", kDoxyfile);
    mb::RunResult generated = mb::RunAndCapture(
        {"sh", "-c", "cd \"$1\" && exec doxygen Doxyfile 2>&1", "sh", tree.Root()});
    const std::string html = tree / "out/html";
    ASSERT_TRUE(fs::exists(html + "/index.hhp")) << generated.output;

    // What doxygen wrote, counted from the text itself.
    const std::string hhp = TempTree::Read(html + "/index.hhp");
    const std::string hhc = TempTree::Read(html + "/index.hhc");
    const std::string hhk = TempTree::Read(html + "/index.hhk");
    const std::regex entry(R"(<OBJECT type="text/sitemap">)", std::regex::icase);
    const int contentsEntries = Count(hhc, entry);
    const int keywords = Count(hhk, entry);
    ASSERT_GT(contentsEntries, 10);
    ASSERT_GT(keywords, 10);

    mb::RunResult original = mb::testing::CompileHelp(html, "index.hhp");
    ASSERT_TRUE(fs::exists(html + "/shapes.chm")) << original.output;

    CProjectFile project;
    project.SetChannels(&prompt.channels);
    ASSERT_EQ(project.ImportHHPFile(html + "/index.hhp"), 1);
    EXPECT_EQ(project.Content_GetCount(), contentsEntries);
    EXPECT_EQ(project.Index_GetCount(), keywords);
    EXPECT_EQ(project.GetHHPFile()->GetFilesData()->GetChildCount(), ListedFiles(hhp));

    ASSERT_EQ(project.ExportHHPFile(html + "/exported.hhp"), 1);
    mb::RunResult exported = mb::testing::CompileHelp(html, "exported.hhp");
    ASSERT_TRUE(fs::exists(html + "/exported.chm")) << exported.output;

    std::vector<std::string> toc =
        SitemapEntries(ExtractSitemap(html + "/shapes.chm", "extracttoc"));
    ASSERT_EQ(static_cast<int>(toc.size()), contentsEntries);
    EXPECT_EQ(SitemapEntries(ExtractSitemap(html + "/exported.chm", "extracttoc")), toc);
    std::vector<std::string> index =
        SitemapEntries(ExtractSitemap(html + "/shapes.chm", "extractindex"));
    ASSERT_FALSE(index.empty());
    EXPECT_EQ(SitemapEntries(ExtractSitemap(html + "/exported.chm", "extractindex")), index);

    // Every page of the original is in the exported help file.
    std::vector<std::string> before = mb::testing::ListedNames(html + "/shapes.chm");
    std::vector<std::string> after = mb::testing::ListedNames(html + "/exported.chm");
    for (const std::string& name : before) {
        if (name.ends_with(".html")) {
            EXPECT_NE(std::find(after.begin(), after.end(), name), after.end()) << name;
        }
    }
}

} // namespace
