// From a new project to a help file and back: the project made, filled with
// a folder of pages through the edit command, saved and compiled with
// chmcmd opens from the help file as the same project in a new folder
// beside it; a help file without the project copy opens through its
// contents and index.
#include "app/core/tests/ControllerFakes.h"
#include "compiledhelp/tests/support/ChmTestSupport.h"
#include "editcommands/CommandIds.h"
#include "projectmodel/tests/HelpCompiler.h"

#include <filesystem>
#include <set>

using namespace mb;
using namespace mb::testing;

namespace {

// The tree as "Name=Local" items, children in brackets, with the project
// folder in front of every local path replaced by "~/".
std::string Shape(const CXML* node, const std::string& projectFolder) {
    std::string text;
    for (int i = 0; i < node->GetChildCount(); ++i) {
        const CXML* child = node->GetChildAt(i);
        std::string local = child->GetAttr("Local");
        if (local.rfind(projectFolder, 0) == 0)
            local = "~/" + local.substr(projectFolder.size());
        text += (i ? "," : "") + child->GetAttr("Name") + "=" + local;
        if (child->GetChildCount())
            text += "(" + Shape(child, projectFolder) + ")";
    }
    return text;
}

std::string ContentsShape(CProjectFile& project) {
    return Shape(project.HHC_GetTreeRoot(), project.GetProjectFolder());
}

std::string IndexShape(CProjectFile& project) {
    return Shape(project.HHK_GetTreeRoot(), project.GetProjectFolder());
}

class EndToEnd : public ControllerTest {
protected:
    void SetUp() override {
        if (!OnPath("chmcmd") || !OnPath("chmls"))
            FAIL() << "chmcmd (fp-utils) is not installed";
        folder.Write("guide/pages/intro.htm", Page("Introduction"));
        folder.Write("guide/pages/usage/start.htm", Page("Getting Started"));
        folder.Write("guide/pages/usage/advanced.htm", Page("Advanced Use"));
        folder.Write("guide/pages/usage/pic.gif", "GIF89a-not-really");
    }
    static std::string Page(const std::string& title) {
        return "<html><head><title>" + title + "</title></head><body><p>" + title +
               "</p></body></html>";
    }
    // Makes, fills, saves and compiles the project "guide"; the help file.
    std::string BuildGuide(bool withProjectCopy) {
        dialogs.newProject = NewProjectAnswer("The Guide", "guide", folder / "guide");
        EXPECT_EQ(controller.NewProject(), 1);
        chooser.folder = folder / "guide/pages";
        commands.DoCommand(CMD_ADD_FOLDER_TO_CONTENTS, nullptr);
        commands.DoCommand(CMD_ADD_FOLDER_TO_INDEX, nullptr);
        EXPECT_NE(ContentsShape(Project()), "");
        EXPECT_EQ(controller.Save(), 1);
        CompileRequest request;
        request.log = [this](const std::string& text) { log += text; };
        if (withProjectCopy) {
            EXPECT_EQ(controller.Compile(request), 1) << log;
        } else {
            Project().SetIncludeMBKProjectInfo(0);
            EXPECT_EQ(controller.StartCompile(request), "");
            EXPECT_EQ(controller.WaitForCompile(), 1) << log;
        }
        return folder / "guide/guide.chm";
    }
    static bool Listed(const std::string& chm, const std::string& name) {
        std::vector<std::string> names = ListedNames(chm);
        return std::find(names.begin(), names.end(), name) != names.end();
    }

    std::string log;
};

TEST_F(EndToEnd, TheHelpFileGivesTheWholeProjectBack) {
    std::string chm = BuildGuide(true);
    EXPECT_FALSE(std::filesystem::exists(folder / "guide/guide.mbkmbk"));
    EXPECT_TRUE(Listed(chm, "/guide.mbkmbk"));

    // Opened by a program started afresh.
    CProjectController reopened(context);
    ASSERT_EQ(reopened.OpenChm(chm), 1);
    CProjectFile& back = *reopened.GetProject();
    std::string newFolder = back.GetProjectFolder();
    EXPECT_EQ(std::filesystem::path(newFolder).parent_path().parent_path(), folder / "guide");
    EXPECT_EQ(
        std::filesystem::path(newFolder).parent_path().filename().string().rfind("guide_chm_", 0),
        0u)
        << newFolder;
    EXPECT_EQ(back.GetMBKFileName(), newFolder + "guide.mbk");
    EXPECT_FALSE(back.IsModified());

    EXPECT_EQ(ContentsShape(back), ContentsShape(Project()));
    EXPECT_EQ(IndexShape(back), IndexShape(Project()));
    EXPECT_NE(ContentsShape(back).find("Getting Started=~/pages/usage/start.htm"),
              std::string::npos)
        << ContentsShape(back);
    // Same settings and files: the project text written for the compiler
    // names everything relative to the project folder.
    EXPECT_EQ(back.GetHHPFile()->BuildHHPText(), Project().GetHHPFile()->BuildHHPText());
    for (const char* page : {"pages/intro.htm", "pages/usage/start.htm", "pages/usage/pic.gif"})
        EXPECT_EQ(TempTree::Read(newFolder + page), TempTree::Read(folder / "guide/" + page))
            << page;
    EXPECT_FALSE(std::filesystem::exists(newFolder + "guide.mbkmbk"));
    EXPECT_EQ(context.settings.config.m_recentProjects.front(), newFolder + "guide.mbk");
}

// A page of the help file cannot be read: no project with a page missing
// opens, the folder made for it goes again and the message says why.
TEST_F(EndToEnd, ADamagedPageOpensNoProjectAndTheMessageSaysWhy) {
    // Long enough that its inflated length runs far past the data.
    folder.Write("guide/pages/intro.htm", "<html><head><title>Introduction</title></head><body>" +
                                              std::string(60000, 'a') + "</body></html>");
    std::string chm = BuildGuide(true);
    InflateStreamLength(chm, "/pages/intro.htm");
    auto entries = [&] {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder / "guide"))
            names.insert(entry.path().filename().string());
        return names;
    };
    const auto before = entries();

    CProjectController reopened(context);
    EXPECT_EQ(reopened.OpenChm(chm), 0) << window.Log();
    EXPECT_EQ(entries(), before);
    EXPECT_EQ(reopened.GetProject()->GetMBKFileName(), "");
    ASSERT_FALSE(prompt.messages.empty());
    const std::string& told = prompt.messages.back().text;
    EXPECT_NE(told.find("/pages/intro.htm("), std::string::npos) << told;
    EXPECT_NE(told.find("cannot be read from the help file"), std::string::npos) << told;
}

TEST_F(EndToEnd, WithoutTheProjectCopyTheContentsAndIndexAreTakenOver) {
    std::string chm = BuildGuide(false);
    EXPECT_FALSE(Listed(chm, "/guide.mbkmbk"));
    // The contents go in under the project's name for them.
    EXPECT_TRUE(Listed(chm, "/guide.hhc"));

    CProjectController reopened(context);
    ASSERT_EQ(reopened.OpenChm(chm), 1);
    CProjectFile& back = *reopened.GetProject();
    EXPECT_EQ(back.GetMBKFileName(), "");
    EXPECT_NE(back.GetProjectFolder(), Project().GetProjectFolder());
    EXPECT_EQ(ContentsShape(back), ContentsShape(Project()));
    EXPECT_EQ(IndexShape(back), IndexShape(Project()));
    std::string contentsFile;
    back.HHP_GetOptionsData(OPT_CONTENTS_FILE, contentsFile);
    EXPECT_EQ(contentsFile, "guide.hhc");
    EXPECT_TRUE(std::filesystem::exists(back.GetProjectFolder() + "pages/usage/advanced.htm"));
}

} // namespace
