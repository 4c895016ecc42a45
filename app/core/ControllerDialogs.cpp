#include "app/core/ControllerDialogs.h"

#include "baseutil/Prompt.h"
#include "commonkit/StringTable.h"
#include "runconfig/RunEnv.h"

namespace mb {

void IControllerDialogs::RunWithProgress(const std::string&, const std::function<void()>& work) {
    BusyCursor busy;
    work();
}

namespace {

// Used until the program installs its own dialogs: the dialogs are
// cancelled, so headless callers take their Cancel path, and the warnings
// still reach the user as message boxes.
class DefaultControllerDialogs final : public IControllerDialogs {
public:
    bool ShowNewProject(CDlgNewProject&) override { return false; }
    void ShowProjectFolderWarning(const std::string& projectFolder) override {
        ShowMessage(kProjectFolderWarningText + projectFolder,
                    CStrHelper::ML_GetStringEx(kStrProductName), Buttons::Ok, Icon::Warning);
    }
    void ShowCompile(CProjectController&) override {}
    bool ShowDecompile(CDlgChmOutput&) override { return false; }
    bool ShowChmToHandheld(CDlgChmOutput&) override { return false; }
    void ShowLongFilenameWarning() override {
        ShowMessage(kLongFilenameWarningText + CRunEnv::Instance()->GetLogfilename(),
                    CStrHelper::ML_GetStringEx(kStrProductName), Buttons::Ok, Icon::Warning);
    }
};

DefaultControllerDialogs g_default;
IControllerDialogs* g_dialogs = nullptr;

} // namespace

IControllerDialogs& ControllerDialogs() {
    return g_dialogs ? *g_dialogs : g_default;
}

void SetControllerDialogs(IControllerDialogs* dialogs) {
    g_dialogs = dialogs;
}

} // namespace mb
