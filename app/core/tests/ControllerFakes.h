#pragma once
// Fakes for the controller's tests: a main window and a desktop that record
// what they were sent, controller dialogs that answer from a script, and a
// fixture with a controller wired to a command manager, in a scratch folder
// with a fresh recent-project list.

#include "app/core/ChmOutputForm.h"
#include "app/core/ControllerDialogs.h"
#include "app/core/NewProjectForm.h"
#include "app/core/ProjectController.h"
#include "appglue/AppHelper.h"
#include "appglue/tests/GlueFakes.h"
#include "baseutil/Desktop.h"
#include "baseutil/MainWindow.h"
#include "baseutil/tests/support/RecordingDesktop.h"
#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "editcommands/CommandManager.h"
#include "runconfig/ConfigData.h"

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace mb::testing {

// Records the log, the notices and, in one list with the notices, what a
// test adds (such as a compile's start and end); the compile worker reaches
// it from its own thread.
class RecordingMainWindow final : public IMainWindow {
public:
    void Log(const std::string& line, LogKind) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_log += line;
    }
    void Notify(Notice notice) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_notices.push_back(notice);
        m_events.push_back("notice");
    }
    void Record(const std::string& event) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.push_back(event);
    }
    std::vector<Notice> Notices() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_notices;
    }
    // The notices ("notice") and the recorded events, in order.
    std::vector<std::string> Events() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_events;
    }
    std::string Log() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_log;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<Notice> m_notices;
    std::vector<std::string> m_events;
    std::string m_log;
};

// Each dialog runs its script (nothing there means Cancel) and records that
// it was shown.
class ScriptedControllerDialogs final : public IControllerDialogs {
public:
    std::function<bool(CDlgNewProject&)> newProject;
    std::function<void(CProjectController&)> compile;
    std::function<bool(CDlgChmOutput&)> chmOutput;
    std::vector<std::string> shown;
    std::vector<std::string> folderWarnings;

    bool ShowNewProject(CDlgNewProject& dialog) override {
        shown.push_back("new-project");
        return newProject && newProject(dialog);
    }
    void ShowProjectFolderWarning(const std::string& folder) override {
        shown.push_back("folder-warning");
        folderWarnings.push_back(folder);
    }
    void ShowCompile(CProjectController& controller) override {
        shown.push_back("compile");
        if (compile)
            compile(controller);
    }
    bool ShowDecompile(CDlgChmOutput& dialog) override {
        shown.push_back("decompile");
        return chmOutput && chmOutput(dialog);
    }
    bool ShowChmToHandheld(CDlgChmOutput& dialog) override {
        shown.push_back("handheld");
        return chmOutput && chmOutput(dialog);
    }
    void ShowLongFilenameWarning() override { shown.push_back("long-filename"); }
};

// Fills the new-project dialog and presses OK once.
inline std::function<bool(CDlgNewProject&)>
NewProjectAnswer(const std::string& title, const std::string& name, const std::string& folder) {
    return [=](CDlgNewProject& dialog) {
        dialog.SetTitleText(title);
        dialog.SetNameText(name);
        dialog.SetFolderText(folder);
        return dialog.OnOK();
    };
}

class ControllerTest : public ::testing::Test {
protected:
    ControllerTest() {
        context.prompt = &prompt;
        context.log = &window;
        context.window = &window;
        context.controllerDialogs = &dialogs;
        context.desktop = &desktop;
        context.settings.env.SetLastOpenFolder(folder.Root());
        commands.SetProjectFile(controller.GetProject());
        commands.SetAppHelper(&helper);
        commands.CreateCommandObject();
    }
    ~ControllerTest() override {
        commands.ClearCommandHistoryList_ContentTree();
        commands.ClearCommandHistoryList_IndexTree();
        commands.DeleteCommandObject();
    }
    CProjectFile& Project() { return *controller.GetProject(); }
    std::vector<std::string>& Recent() { return context.settings.config.m_recentProjects; }
    // A project file folder/name.mbk, saved by another controller.
    std::string SavedProject(const std::string& name) {
        CProjectController other(context);
        other.GetProject()->SetMBKFileName(folder / (name + ".mbk"));
        other.GetProject()->HHP_SetOptionsData(OPT_TITLE, name);
        EXPECT_EQ(other.GetProject()->SaveProject(), 1);
        return folder / (name + ".mbk");
    }

    TempTree folder;
    ScriptedPrompt prompt;
    RecordingMainWindow window;
    RecordingDesktop desktop;
    ScriptedControllerDialogs dialogs;
    AppContext context;
    CCommandManager commands{context};
    FakeAddDirectoryDialog chooser; // no folder: Cancel
    CAppHelper helper{chooser, prompt, context.settings.env};
    CProjectController controller{context, &commands};
};

} // namespace mb::testing
