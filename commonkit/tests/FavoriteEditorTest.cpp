#include "baseutil/Desktop.h"
#include "commonkit/FavoriteEditorManager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A desktop that answers from a table by extension and checks what it is
// asked: each probe must exist, be empty and be named bwtestmb.<ext>.
class FakeDesktop final : public mb::IDesktop {
public:
    std::map<std::string, mb::DesktopProgram> programs; // extension -> program
    std::vector<std::string> probes;

    bool Open(const std::string&) override { return false; }
    bool StartProgram(const std::string&, const std::string&) override { return false; }
    std::optional<mb::DesktopProgram> DefaultProgramFor(const std::string& file) override {
        probes.push_back(file);
        EXPECT_TRUE(fs::is_regular_file(file)) << file;
        EXPECT_EQ(fs::file_size(file), 0u) << file;
        std::string name = fs::path(file).filename().string();
        EXPECT_EQ(name.rfind("bwtestmb.", 0), 0u) << name;
        auto found = programs.find(name.substr(9));
        if (found == programs.end())
            return std::nullopt;
        return found->second;
    }
};

struct Editor {
    std::string name;
    std::string program;
    bool operator==(const Editor&) const = default;
};

std::vector<Editor> EditorsOf(const CXML* file) {
    std::vector<Editor> editors;
    for (int i = 0; file && i < file->GetChildCount(); ++i) {
        const CXML* editor = file->GetChildAt(i);
        EXPECT_EQ(editor->GetTagName(), "EDITOR");
        editors.push_back({editor->GetAttr("name"), editor->Value()});
    }
    return editors;
}

std::vector<std::string> TypesOf(CFavoriteEditorManager& manager) {
    std::vector<std::string> types;
    CXML* root = manager.GetData();
    for (int i = 0; i < root->GetChildCount(); ++i) {
        EXPECT_EQ(root->GetChildAt(i)->GetTagName(), "FILE");
        types.push_back(root->GetChildAt(i)->GetAttr("type"));
    }
    return types;
}

const Editor kTextEditor{"Text Editor", mb::kDefaultTextEditor};

TEST(FavoriteEditorManager, NoRegisteredProgramGivesTheTextEditor) {
    FakeDesktop desktop;
    CFavoriteEditorManager manager;
    EXPECT_EQ(manager.GetData()->GetTagName(), "external");
    manager.CheckDefaultEditor(desktop, "htm,gif");

    EXPECT_EQ(TypesOf(manager), (std::vector<std::string>{"htm", "gif"}));
    EXPECT_EQ(EditorsOf(manager.FindFileElement("htm")), (std::vector<Editor>{kTextEditor}))
        << "a page type gets the text editor once";
    EXPECT_EQ(EditorsOf(manager.FindFileElement("gif")), (std::vector<Editor>{kTextEditor}));

    // The probes were asked about in list order and are gone afterwards,
    // together with their private folder in the temporary folder.
    ASSERT_EQ(desktop.probes.size(), 2u);
    for (const std::string& probe : desktop.probes) {
        EXPECT_EQ(fs::path(probe).parent_path().parent_path(), fs::temp_directory_path());
        EXPECT_FALSE(fs::exists(fs::path(probe).parent_path())) << probe;
    }
    EXPECT_EQ(fs::path(desktop.probes[0]).filename(), "bwtestmb.htm");
}

TEST(FavoriteEditorManager, RegisteredProgramsAndWebBrowsers) {
    FakeDesktop desktop;
    desktop.programs["htm"] = {"/usr/bin/gedit", false};
    desktop.programs["html"] = {"/usr/bin/firefox", true};
    desktop.programs["jpg"] = {"/usr/bin/chromium", true};
    desktop.programs["bmp"] = {"/opt/ie/IExplore.exe", false};
    desktop.programs["css"] = {"/opt/bin/code.sh", false};
    CFavoriteEditorManager manager;
    manager.AddNewEditor("old", "Old", "/bin/old"); // replaced by the rebuild
    manager.CheckDefaultEditor(desktop, "htm,html,jpg,bmp,css");

    EXPECT_EQ(TypesOf(manager), (std::vector<std::string>{"htm", "html", "css"}))
        << "browsers and iexplore are no editors; a type without editors gets no element";
    EXPECT_EQ(EditorsOf(manager.FindFileElement("htm")),
              (std::vector<Editor>{{"gedit", "/usr/bin/gedit"}, kTextEditor}));
    EXPECT_EQ(EditorsOf(manager.FindFileElement("html")), (std::vector<Editor>{kTextEditor}));
    EXPECT_EQ(EditorsOf(manager.FindFileElement("css")),
              (std::vector<Editor>{{"code", "/opt/bin/code.sh"}}));
}

TEST(FavoriteEditorManager, TypeListWithEscapedCommaAndBadItems) {
    FakeDesktop desktop;
    CFavoriteEditorManager manager;
    manager.CheckDefaultEditor(desktop, "a\\,b,,c\\d,../../x,txt");

    EXPECT_EQ(TypesOf(manager), (std::vector<std::string>{"a,b", "c\\d", "txt"}))
        << "empty items and names that would leave the probe folder are skipped";
    ASSERT_EQ(desktop.probes.size(), 3u);
    EXPECT_EQ(fs::path(desktop.probes[0]).filename(), "bwtestmb.a,b");

    manager.CheckDefaultEditor(desktop, "");
    EXPECT_EQ(manager.GetData()->GetChildCount(), 0);
}

TEST(FavoriteEditorManager, FindingTheElementOfAType) {
    CFavoriteEditorManager manager;
    CXML* editor = manager.AddNewEditor("htm*", "Gedit", "/usr/bin/gedit");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetTagName(), "EDITOR");
    EXPECT_EQ(editor->GetAttr("name"), "Gedit");
    EXPECT_EQ(editor->Value(), "/usr/bin/gedit");
    manager.AddNewEditor("TXT", "Kate", "/usr/bin/kate");
    manager.AddNewEditor("?s", "Any", "/usr/bin/any");
    manager.AddNewEditor("html", "Late", "/usr/bin/late"); // served by "htm*": no new element

    EXPECT_EQ(TypesOf(manager), (std::vector<std::string>{"htm*", "TXT", "?s"}));
    CXML* htm = manager.FindFileElement("htm");
    EXPECT_EQ(htm, manager.FindFileElement("html"));
    EXPECT_EQ(htm->GetAttr("type"), "htm*");
    EXPECT_EQ(EditorsOf(htm).size(), 2u);
    EXPECT_EQ(manager.FindFileElement("txt")->GetAttr("type"), "TXT");
    EXPECT_EQ(manager.FindFileElement("js")->GetAttr("type"), "?s");
    EXPECT_EQ(manager.FindFileElement("jsx"), nullptr);
    EXPECT_EQ(manager.FindFileElement("tx"), nullptr);
}

TEST(FavoriteEditorManager, StateCodes) {
    CFavoriteEditorManager manager;
    manager.AddNewEditor("htm*", "One", "/bin/one");
    manager.AddNewEditor("css", "One", "/bin/one");
    manager.AddNewEditor("css", "Two", "/bin/two");
    manager.GetData()->AddChild("FILE")->SetAttr("type", "gif");

    int state = -1;
    EXPECT_EQ(manager.GetFavoriteEditor("", state), nullptr);
    EXPECT_EQ(state, 0);
    CXML* htm = manager.GetFavoriteEditor("/help/Page.HTML#part2", state);
    ASSERT_NE(htm, nullptr);
    EXPECT_EQ(htm->GetAttr("type"), "htm*");
    EXPECT_EQ(state, 2);
    EXPECT_NE(manager.GetFavoriteEditor("/help/style.css", state), nullptr);
    EXPECT_EQ(state, 3);
    EXPECT_NE(manager.GetFavoriteEditor("/help/logo.gif", state), nullptr);
    EXPECT_EQ(state, 1) << "an element without editors";
    EXPECT_EQ(manager.GetFavoriteEditor("/help/movie.swf", state), nullptr);
    EXPECT_EQ(state, 1);
    EXPECT_EQ(manager.GetFavoriteEditor("/help/README", state), nullptr);
    EXPECT_EQ(state, 1);
}

TEST(FavoriteEditorManager, EditorExistence) {
    EXPECT_TRUE(CFavoriteEditorManager::IsEditorExist(mb::kDefaultTextEditor));
    EXPECT_TRUE(CFavoriteEditorManager::IsEditorExist("NotePad.EXE"));
    EXPECT_TRUE(CFavoriteEditorManager::IsEditorExist("/bin/sh"));
    EXPECT_FALSE(CFavoriteEditorManager::IsEditorExist("/nonexistent/editor"));
    EXPECT_FALSE(CFavoriteEditorManager::IsEditorExist(""));
}

TEST(FavoriteEditorManager, SetDataCopiesAndReplacesNotepad) {
    CXML saved("EDITORS");
    CXML* file = saved.AddChild("FILE");
    file->SetAttr("type", "htm");
    file->AddChild("EDITOR", "C:\\Windows\\NOTEPAD.EXE")->SetAttr("name", "x");
    file->AddChild("EDITOR", "notepad.exe")->SetAttr("name", "notepad.exe");
    file->AddChild("EDITOR", "/usr/bin/gedit")->SetAttr("name", "gedit");

    CFavoriteEditorManager manager;
    manager.AddNewEditor("old", "Old", "/bin/old");
    manager.SetData(saved);
    EXPECT_EQ(TypesOf(manager), (std::vector<std::string>{"htm"}));
    EXPECT_EQ(EditorsOf(manager.FindFileElement("htm")),
              (std::vector<Editor>{{"x", "C:\\Windows\\NOTEPAD.EXE"},
                                   {"notepad.exe", mb::kDefaultTextEditor},
                                   {"gedit", "/usr/bin/gedit"}}));
    EXPECT_EQ(saved.GetChildAt(0)->GetChildAt(1)->Value(), "notepad.exe") << "source untouched";
}

} // namespace
