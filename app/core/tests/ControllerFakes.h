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
#include "baseutil/Desktop.h"
#include "baseutil/MainWindow.h"
#include "baseutil/tests/support/RecordingDesktop.h"
#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "editcommands/CommandManager.h"
#include "runconfig/ConfigData.h"
#include "runconfig/RunEnv.h"

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace mb::testing {

// Records every message; the compile worker sends from its own thread.
class RecordingMainWindow final : public IMainWindow {
public:
    RecordingMainWindow() { SetMainWindow(this); }
    ~RecordingMainWindow() override { SetMainWindow(nullptr); }

    int Send(int message, intptr_t wParam, void* lParam) override {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_messages.push_back({message, wParam});
        if (message == WM_APP_LOG && wParam)
            m_log += reinterpret_cast<const char*>(wParam);
        return 0;
    }
    // The wParams sent with `message`, in order.
    std::vector<intptr_t> Sent(int message) const {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::vector<intptr_t> found;
        for (const auto& [sent, wParam] : m_messages)
            if (sent == message)
                found.push_back(wParam);
        return found;
    }
    // The messages in order, without log lines.
    std::vector<int> Order() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::vector<int> order;
        for (const auto& entry : m_messages)
            if (entry.first != WM_APP_LOG)
                order.push_back(entry.first);
        return order;
    }
    std::string Log() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_log;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::pair<int, intptr_t>> m_messages;
    std::string m_log;
};

// Each dialog runs its script (nothing there means Cancel) and records that
// it was shown.
class ScriptedControllerDialogs final : public IControllerDialogs {
public:
    ScriptedControllerDialogs() { SetControllerDialogs(this); }
    ~ScriptedControllerDialogs() override { SetControllerDialogs(nullptr); }

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
        CConfigData::Instance()->m_recentProjects.clear();
        CConfigData::Instance()->SetLCID(1033);
        CRunEnv::Instance()->SetLastOpenFolder(folder.Root());
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
    static std::vector<std::string>& Recent() { return CConfigData::Instance()->m_recentProjects; }
    // A project file folder/name.mbk, saved by another controller.
    std::string SavedProject(const std::string& name) {
        CProjectController other;
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
    CCommandManager commands;
    CAppHelper helper;
    CProjectController controller{&commands};
};

} // namespace mb::testing
