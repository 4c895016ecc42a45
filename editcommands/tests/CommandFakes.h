#pragma once
// Fakes for the command tests: a main window that answers selection
// requests from a script and records every request, a dialog host that
// answers from a script, a sort dialog that always sorts, and a fixture with
// a project, the application helper and the command manager wired up.
#include "appglue/AppHelper.h"
#include "appglue/tests/GlueFakes.h"
#include "baseutil/MainWindow.h"
#include "baseutil/Xml.h"
#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "dialogkit/DialogHost.h"
#include "dialogkit/EntryDialogs.h"
#include "dialogkit/NewPageDialog.h"
#include "editcommands/CommandIds.h"
#include "editcommands/CommandManager.h"
#include "projectmodel/FilesList.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/SortDialog.h"
#include "projectmodel/tests/TreeTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mb::testing {

// One request the main window received: what was asked ("selection",
// "select", "accept-drop", "edit-title" or "files"), about which tree, and
// the entries to select.
struct Request {
    std::string kind;
    Tree tree = Tree::Contents;
    std::vector<SelectedNode> nodes;
};

class FakeMainWindow final : public IMainWindow {
public:
    // The IDs each tree's selection is answered with, in tree order ("!"
    // before an ID marks the entry as expanded).
    std::map<Tree, std::vector<std::string>> selections;
    // The answer about the files view.
    SelectedFiles files;
    std::vector<Request> requests;
    std::vector<Notice> notices;

    void Log(const std::string&, LogKind) override {}
    void Notify(Notice notice) override { notices.push_back(notice); }
    std::vector<SelectedNode> SelectedNodes(Tree tree) override {
        requests.push_back({"selection", tree, {}});
        std::vector<SelectedNode> nodes;
        for (const std::string& id : selections[tree]) {
            bool expanded = !id.empty() && id[0] == '!';
            nodes.push_back({expanded ? id.substr(1) : id, expanded});
        }
        return nodes;
    }
    void SelectNodes(Tree tree, const std::vector<SelectedNode>& nodes) override {
        requests.push_back({"select", tree, nodes});
    }
    void AcceptDropTarget(Tree tree) override { requests.push_back({"accept-drop", tree, {}}); }
    void EditNewTitle(Tree tree) override { requests.push_back({"edit-title", tree, {}}); }
    SelectedFiles SelectedProjectFiles() override {
        requests.push_back({"files", Tree::Contents, {}});
        return files;
    }
    // The requests of this kind about `tree`.
    std::vector<Request> Received(const std::string& kind, Tree tree = Tree::Contents) const {
        std::vector<Request> found;
        for (const Request& request : requests)
            if (request.kind == kind && request.tree == tree)
                found.push_back(request);
        return found;
    }
};

class ScriptedDialogHost final : public IDialogHost {
public:
    // Nothing means Cancel.
    std::optional<bool> addToIndexChecked;
    std::optional<std::vector<bool>> keywordsChecked;
    std::optional<std::string> url;
    std::optional<std::string> newPageTitle;
    std::optional<uint32_t> color;
    std::optional<LOGFONTA> font;
    std::vector<std::string> shown;
    std::vector<std::string> keywordsShown;
    std::string urlShown;

    bool ShowAddSelectedToIndex(CDlgAddSelectedCEToIndex& dialog) override {
        shown.push_back("add-to-index");
        if (!addToIndexChecked)
            return false;
        dialog.OnOK(*addToIndexChecked);
        return true;
    }
    bool ShowKeywordsSelect(CDlgKeywordsSelect& dialog) override {
        shown.push_back("keywords");
        keywordsShown = dialog.GetKeywords();
        if (!keywordsChecked)
            return false;
        dialog.OnOK(*keywordsChecked);
        return true;
    }
    bool ShowGetURL(CDlgGetURL& dialog) override {
        shown.push_back("url");
        urlShown = dialog.GetInitialText();
        return url && dialog.OnOK(*url);
    }
    bool ShowNewPage(CDlgNewPage& dialog) override {
        shown.push_back("new-page");
        if (!newPageTitle)
            return false;
        dialog.OnTitleChanged(*newPageTitle);
        return dialog.OnOK();
    }
    bool ShowEnterEditItem(CDlgEnterEditItem&) override { return false; }
    std::optional<uint32_t> ChooseColor(uint32_t) override {
        shown.push_back("color");
        return color;
    }
    std::optional<LOGFONTA> ChooseFont(const LOGFONTA&) override {
        shown.push_back("font");
        return font;
    }
};

// Sorts every branch it is asked about, sub-branches included, ignoring case.
class AlwaysSort final : public ISortDialog {
public:
    bool Ask(const std::string&, SortChoice& choice) override {
        choice.thisLevelOnly = 0;
        choice.ignoreCase = 1;
        return true;
    }
};

// A project in a temporary folder with the command manager ready.
class CommandTest : public ::testing::Test {
protected:
    CommandTest() {
        project.Settings().config.SetInsertMode(kInsertAfter);
        context.prompt = &prompt;
        context.window = &window;
        context.dialogHost = &dialogs;
        project.SetChannels(&context);
        project.SetProjectFolder(folder.Root() + "/");
        manager.SetProjectFile(&project);
        manager.SetAppHelper(&helper);
        manager.CreateCommandObject();
    }
    ~CommandTest() override {
        manager.ClearCommandHistoryList_ContentTree();
        manager.ClearCommandHistoryList_IndexTree();
        manager.DeleteCommandObject();
    }
    // Fills a tree with runs of entries (see TreeTestSupport.h) and forgets
    // the change records of that.
    void FillContents(std::unique_ptr<CXML> list) {
        project.Content_AddFilesList2(list.get());
        project.ResetModifiedInfo();
    }
    void FillIndex(std::unique_ptr<CXML> list) {
        project.Index_AddFilesList2(list.get());
        project.ResetModifiedInfo();
    }
    std::string Contents(const std::string& attribute = "ID") const {
        return Shape(project.HHC_GetTreeRoot(), attribute);
    }
    std::string Index(const std::string& attribute = "ID") const {
        return Shape(project.HHK_GetTreeRoot(), attribute);
    }
    // The whole tree as XML, every attribute included.
    static std::string Xml(const CXML* root) {
        std::string text;
        root->XMLWriteString(text);
        return text;
    }
    int Do(int id, CXML* parameters = nullptr) { return manager.DoCommand(id, parameters); }
    int ContentHistorySize() const { return manager.ContentHistory().Size(); }
    int IndexHistorySize() const { return manager.IndexHistory().Size(); }

    TempTree folder;
    ScriptedPrompt prompt;
    FakeMainWindow window;
    ScriptedDialogHost dialogs;
    CommandContext context;
    CProjectFile project;
    FakeAddDirectoryDialog chooser; // no folder: Cancel
    CAppHelper helper{chooser, prompt, project.Settings().env};
    CCommandManager manager{context};
};

} // namespace mb::testing
