// Open CHM of a help file without the project copy: the project takes the
// file's own settings, window types and files, and where the file has no
// sitemap files, contents and index rebuilt from their binary forms, as
// chmls reads them.

#include "app/core/tests/ControllerFakes.h"
#include "compiledhelp/tests/support/BinaryFormsProject.h"
#include "projectmodel/tests/HelpCompiler.h"

#include <algorithm>
#include <set>

using namespace mb;
using namespace mb::testing;

namespace {

// chmls lists the binary index entry by entry, each topic named by its
// title. The project's index holds each keyword once: a keyword that chmcmd
// stored as several entries of the same name (listed several times in the
// project) once with all their topics, without the placeholders chmcmd adds
// for the titles of a keyword with several topics (titles without a page),
// and a keyword with one topic as just its page, as a hand-written index
// gives it.
std::vector<std::string> OneEntryPerKeyword(const std::vector<std::string>& entries) {
    static const std::regex param(R"( (Name|Local|See Also)=(.*?)(?= Name=| Local=| See Also=|$))");
    struct Keyword {
        std::string head; // "depth: Name=name" and its "See Also"
        std::vector<std::pair<std::string, std::string>> topics; // title, page
    };
    std::vector<Keyword> keywords;
    for (const std::string& entry : entries) {
        Keyword keyword{entry.substr(0, entry.find(':') + 1), {}};
        bool named = false;
        for (auto it = std::sregex_iterator(entry.begin(), entry.end(), param);
             it != std::sregex_iterator(); ++it) {
            std::string name = (*it)[1];
            std::string value = (*it)[2];
            if (name == "Name" && !named)
                keyword.head += " Name=" + value, named = true;
            else if (name == "See Also")
                keyword.head += " See Also=" + value;
            else if (name == "Name")
                keyword.topics.push_back({value, ""});
            else if (!keyword.topics.empty())
                keyword.topics.back().second = value;
        }
        std::erase_if(keyword.topics, [](const auto& topic) { return topic.second.empty(); });
        if (!keywords.empty() && keywords.back().head == keyword.head)
            keywords.back().topics.insert(keywords.back().topics.end(), keyword.topics.begin(),
                                          keyword.topics.end());
        else
            keywords.push_back(keyword);
    }
    std::vector<std::string> lines;
    for (const Keyword& keyword : keywords) {
        std::string line = keyword.head;
        for (const auto& [title, page] : keyword.topics)
            line += (keyword.topics.size() > 1 ? " Name=" + title : "") + " Local=" + page;
        lines.push_back(line);
    }
    return lines;
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
    EXPECT_EQ(index.size(), 300u + 3 + 3);
    EXPECT_EQ(index, OneEntryPerKeyword(SitemapEntries(ExtractSitemap(chm, "extractindex"))));
    // One keyword each, with its topics titled.
    for (const char* name : {"many", "twice"}) {
        const CXML* keyword = nullptr;
        const CXML* root = project.HHK_GetTreeRoot();
        for (int i = 0; i < root->GetChildCount() && !keyword; ++i) {
            if (root->GetChildAt(i)->GetAttr("Name") == name)
                keyword = root->GetChildAt(i);
        }
        ASSERT_TRUE(keyword) << name;
        EXPECT_EQ(keyword->GetAttrInt("Type"), CHHKFile::kKeywordWithTopics) << name;
        ASSERT_EQ(keyword->GetChildCount(), 2) << name;
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(keyword->GetChildAt(i)->GetAttrInt("Type"), CHHKFile::kTopicOfKeyword);
            EXPECT_FALSE(keyword->GetChildAt(i)->GetAttr("Name").empty());
        }
    }
    EXPECT_EQ(Option(OPT_TITLE), "Test help");
    EXPECT_NE(window.Log().find("index rebuilt from the binary index (307 keywords)"),
              std::string::npos)
        << window.Log();
}

// chmcmd keeps a page's "../normal.css" as the stream "/../normal.css", as in
// Debian's eviacam help: that one name is refused and the project is made.
TEST_F(OpenChmWithoutProject, AnUnsafeNameIsLeftOutAndTheProjectIsMade) {
    folder.Write("normal.css", "body { margin: 0 }");
    folder.Write("en/intro.htm", "<html><head><title>Intro</title><link rel=\"stylesheet\" "
                                 "href=\"../normal.css\"></head><body>Intro</body></html>");
    folder.Write("en/help.hhc",
                 "<HTML><BODY><UL>" +
                     IndexItem(Param("Name", "Intro") + Param("Local", "intro.htm")) +
                     "</UL></BODY></HTML>");
    folder.Write("en/help.hhp", "[OPTIONS]\r\nCompiled file=help.chm\r\nContents file=help.hhc\r\n"
                                "Default topic=intro.htm\r\nTitle=Eviacam\r\n\r\n[FILES]\r\n"
                                "intro.htm\r\n");
    auto compiled = CompileHelp(folder / "en", "help.hhp");
    std::string chm = folder / "en/help.chm";
    ASSERT_NE(ReadBytes(chm).find("/../normal.css"), std::string::npos) << compiled.output;

    ASSERT_EQ(controller.OpenChm(chm), 1) << window.Log();
    EXPECT_NE(window.Log().find("unsafe name refused: \"/../normal.css\""), std::string::npos)
        << window.Log();
    EXPECT_NE(window.Log().find("1 refused for unsafe names"), std::string::npos) << window.Log();
    std::string home = Project().GetProjectFolder();
    EXPECT_EQ(ReadBytes(home + "intro.htm"), ReadBytes(folder / "en/intro.htm"));
    EXPECT_FALSE(std::filesystem::exists(folder / "en/normal.css"));
    EXPECT_EQ(ReadBytes(folder / "normal.css"), "body { margin: 0 }");
}

// Damaged data inside the help file: the folder made for the project goes
// again, and the message and the log say why.
TEST_F(OpenChmWithoutProject, AFailedOpenRemovesTheFolderItMadeAndSaysWhy) {
    ChmProject project;
    project.folder = folder / "src";
    project.Add("a.htm", TitledPage("A" + std::string(60000, 'a')));
    project.contents = "<HTML><BODY><UL>" +
                       IndexItem(Param("Name", "A") + Param("Local", "a.htm")) +
                       "</UL></BODY></HTML>";
    std::string chm = project.Build("damaged.chm");
    // The page's length reaches far beyond the data: reading it fails.
    InflateStreamLength(chm, "/a.htm");
    auto entries = [&] {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder / "src"))
            names.insert(entry.path().filename().string());
        return names;
    };
    const auto before = entries();

    EXPECT_EQ(controller.OpenChm(chm), 0);
    EXPECT_EQ(entries(), before);
    ASSERT_FALSE(prompt.messages.empty());
    EXPECT_NE(prompt.messages.back().text.find("/a.htm("), std::string::npos)
        << prompt.messages.back().text;
    EXPECT_NE(prompt.messages.back().text.find("cannot be read from the help file: "),
              std::string::npos)
        << prompt.messages.back().text;
    EXPECT_NE(window.Log().find("/a.htm("), std::string::npos) << window.Log();
    EXPECT_NE(window.Log().find("cannot be read from the help file: "), std::string::npos)
        << window.Log();
}

} // namespace
