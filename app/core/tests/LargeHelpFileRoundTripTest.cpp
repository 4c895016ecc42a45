// A help file of several thousand pages in nested folders, compiled by
// chmcmd without a project copy, opened as a project and compiled again:
// the new help file has the same contents and index, as chmls reads them.

#include "app/core/tests/ControllerFakes.h"
#include "compiledhelp/tests/support/BinaryFormsProject.h"
#include "projectmodel/tests/HelpCompiler.h"

#include <algorithm>

using namespace mb;
using namespace mb::testing;

namespace {

constexpr int kPages = 2500;
constexpr int kPagesPerBook = 50;

ChmProject LargeProject(const std::string& folder) {
    ChmProject project;
    project.folder = folder;
    std::string contents = "<HTML><BODY><UL>\n";
    std::string index = "<HTML><BODY><UL>\n";
    for (int n = 0; n < kPages; ++n) {
        int book = n / kPagesPerBook;
        std::string path = "part" + std::to_string(book % 5) + "/book" + std::to_string(book) +
                           "/page" + std::to_string(n) + ".htm";
        std::string title = "Page " + std::to_string(n);
        project.Add(path, TitledPage(title));
        if (n % kPagesPerBook == 0)
            contents += std::string(n ? "</UL>\n" : "") +
                        IndexItem(Param("Name", "Book " + std::to_string(book))) + "<UL>\n";
        contents += IndexItem(Param("Name", title) + Param("Local", path));
        index += IndexItem(Param("Name", "keyword " + std::to_string(n)) + Param("Local", path));
    }
    project.contents = contents + "</UL>\n</UL></BODY></HTML>\n";
    project.index = index + "</UL></BODY></HTML>\n";
    return project;
}

class LargeHelpFileRoundTrip : public ControllerTest {};

TEST_F(LargeHelpFileRoundTrip, OpenedAndCompiledAgainGivesTheSameContentsAndIndex) {
    std::string original = LargeProject(folder / "src").Build("large.chm");
    ASSERT_EQ(controller.OpenChm(original), 1) << window.Log();
    ASSERT_EQ(controller.SaveAs(Project().GetProjectFolder() + "large.mbk"), 1);
    CompileRequest request;
    std::string log;
    request.log = [&log](const std::string& text) { log += text; };
    ASSERT_EQ(controller.Compile(request), 1) << log;
    std::string again = Project().GetCHMFileName();
    ASSERT_NE(again, original);

    // The project names the book icon that the viewer shows by default.
    const std::vector<std::string> ignored = {"imagenumber"};
    for (const char* command : {"extracttoc", "extractindex"}) {
        std::vector<std::string> before =
            SitemapEntries(ExtractSitemap(original, command), ignored);
        // The project's sitemaps separate folders with "\\", as the format has it.
        std::string text = ExtractSitemap(again, command);
        std::replace(text.begin(), text.end(), '\\', '/');
        std::vector<std::string> after = SitemapEntries(text, ignored);
        EXPECT_GE(before.size(), static_cast<size_t>(kPages)) << command;
        EXPECT_TRUE(before == after) << command << ": " << before.size() << " entries before, "
                                     << after.size() << " after";
    }
}

} // namespace
