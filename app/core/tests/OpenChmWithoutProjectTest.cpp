// Open CHM of a help file without the project copy: the project takes the
// file's own settings, window types and files, and where the file has no
// sitemap files, contents and index rebuilt from their binary forms, as
// chmls reads them.

#include "app/core/tests/ControllerFakes.h"
#include "compiledhelp/tests/support/BinaryFormsProject.h"
#include "projectmodel/tests/HelpCompiler.h"

#include <algorithm>

using namespace mb;
using namespace mb::testing;

namespace {

// chmls names each topic of a keyword with its title, also the one topic
// of a keyword titled like the keyword, which an index written by hand (and
// the project's) gives only as a page.
std::vector<std::string> WithoutRepeatedNames(std::vector<std::string> entries) {
    static const std::regex repeated(R"(^(\d+: Name=)(.*) Name=\2( Local=[^ ]*)?$)");
    for (std::string& entry : entries)
        entry = std::regex_replace(entry, repeated, "$1$2$3");
    return entries;
}

// The project writes its pages with "\", chmls with "/".
std::vector<std::string> WithSlashes(std::vector<std::string> entries) {
    for (std::string& entry : entries)
        std::replace(entry.begin(), entry.end(), '\\', '/');
    return entries;
}

class OpenChmWithoutProject : public ControllerTest {
protected:
    std::string Open(bool hideSitemaps) {
        std::string chm = BinaryFormsProject(folder / "src", 300).Build("forms.chm");
        if (hideSitemaps)
            HideSitemapFiles(chm);
        EXPECT_EQ(controller.OpenChm(chm), 1) << window.Log();
        return chm;
    }
    std::string Option(int index) {
        std::string value;
        Project().HHP_GetOptionsData(index, value);
        return value;
    }
};

TEST_F(OpenChmWithoutProject, TheProjectTakesTheFilesSettingsWindowsAndFiles) {
    Open(false);
    CProjectFile& project = Project();
    const std::string& home = project.GetProjectFolder();
    EXPECT_EQ(Option(OPT_TITLE), "Test help");
    EXPECT_EQ(Option(OPT_DEFAULT_TOPIC), home + "a.htm");
    EXPECT_EQ(Option(OPT_DEFAULT_WINDOW), "main");
    int language = 0;
    project.HHP_GetOptionsData(OPT_LANGUAGE, language);
    EXPECT_EQ(language, 1033);
    tagHH_WINTYPE window;
    project.HHP_GetWindowsData(-1, window);
    EXPECT_EQ(window.pszCaption, "Main caption");
    EXPECT_EQ(window.pszFile, home + "a.htm");
    EXPECT_EQ(window.pszHome, home + "b.htm");
    EXPECT_EQ(window.fsWinProperties, 0x63520u);
    EXPECT_EQ(window.iNavWidth, 250);
    EXPECT_EQ(window.fsToolBarFlags, 0x387eu);
    EXPECT_EQ(window.rcWindowPos, (HHRect{10, 20, 700, 500}));
    const std::vector<std::string>& others = project.GetHHPFile()->GetOtherWindows();
    ASSERT_EQ(others.size(), 1u);
    EXPECT_EQ(others[0].rfind("other=\"Other caption\",\"toc.hhc\",,\"sub/c.htm\",", 0), 0u)
        << others[0];

    std::vector<std::string> files;
    const CXML* list = project.GetHHPFile()->GetFilesData();
    for (int i = 0; i < list->GetChildCount(); ++i)
        files.push_back(list->GetChildAt(i)->GetAttr("Name"));
    EXPECT_EQ(files, std::vector<std::string>({home + "a.htm", home + "b.htm", home + "img/x.gif",
                                               home + "sub/c.htm"}));
}

TEST_F(OpenChmWithoutProject, WithoutSitemapFilesTheBinaryContentsAndIndexAreRebuilt) {
    std::string chm = Open(true);
    CProjectFile& project = Project();
    EXPECT_EQ(WithSlashes(SitemapEntries(project.GetHHCFile()->BuildHHCText(), {"imagenumber"})),
              SitemapEntries(ExtractSitemap(chm, "extracttoc")));
    std::vector<std::string> index =
        WithSlashes(SitemapEntries(project.GetHHKFile()->BuildHHKText()));
    EXPECT_EQ(index.size(), 300u + 3 + 2);
    EXPECT_EQ(index, WithoutRepeatedNames(SitemapEntries(ExtractSitemap(chm, "extractindex"))));
    EXPECT_EQ(Option(OPT_TITLE), "Test help");
    EXPECT_NE(window.Log().find("index rebuilt from the binary index (305 keywords)"),
              std::string::npos)
        << window.Log();
}

} // namespace
