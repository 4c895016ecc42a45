#pragma once
// The dialogs of the project controller that are more than a message box:
// the new-project dialog, the project-folder warning, the compile dialog,
// the decompile and handheld-conversion dialogs and the long-file-name
// warning. The controller asks the dialogs of its application context: the
// desktop program's windows, a test's scripted fakes, or
// DefaultControllerDialogs, which cancel every dialog and show the two
// warnings as message boxes through the prompt.

#include "baseutil/UserChannels.h"

#include <functional>
#include <string>

class CDlgChmOutput;
class CRunEnv;
class CDlgNewProject;
class CProjectController;

namespace mb {

// Text of the project-folder warning; the project folder follows it.
inline constexpr const char* kProjectFolderWarningText =
    "The project file and the HTML Help project must be saved in the project folder, because "
    "the paths of the topic files are kept relative to it. The project folder is:\n\n";
// Text of the long-file-name warning; the path of the run log follows it.
inline constexpr const char* kLongFilenameWarningText =
    "Some files could not be created, because their names are too long or not allowed here. "
    "The run log lists them:\n\n";

class IControllerDialogs {
public:
    virtual ~IControllerDialogs() = default;
    // Shows the new-project dialog; the implementation calls the dialog's
    // OnOK when the user presses OK and keeps the dialog open while OnOK
    // refuses. True when OnOK accepted, false on Cancel.
    virtual bool ShowNewProject(CDlgNewProject& dialog) = 0;
    // Tells the user that a project file or HTML Help project can only be
    // saved into `projectFolder`.
    virtual void ShowProjectFolderWarning(const std::string& projectFolder) = 0;
    // The modal compile dialog: its Compile button calls the controller's
    // StartCompile with the dialog's own callbacks, its Stop button
    // CancelCompile; it returns when the user closes it (never while a
    // compile runs).
    virtual void ShowCompile(CProjectController& controller) = 0;
    // The decompile and handheld-conversion dialogs; as ShowNewProject.
    virtual bool ShowDecompile(CDlgChmOutput& dialog) = 0;
    virtual bool ShowChmToHandheld(CDlgChmOutput& dialog) = 0;
    // Some output files could not be created because of their names; the
    // dialog offers to open the run log.
    virtual void ShowLongFilenameWarning() = 0;
    // Runs `work` (decompiling or converting help files, which report each
    // file to the run log and may ask questions through the prompt) and
    // returns when it is done. A window may run it on a thread of its own
    // and show that it is under way meanwhile; this default runs it here.
    virtual void RunWithProgress(const std::string& title, const std::function<void()>& work);
};

// Without windows: the dialogs are cancelled, so headless callers take their
// Cancel path, and the warnings still reach the user as message boxes of the
// prompt of `channels` (as it is when they are shown); work runs under its
// busy cursor. The warning about names names the run log of `env`.
class DefaultControllerDialogs final : public IControllerDialogs {
public:
    DefaultControllerDialogs(const UserChannels& channels, const CRunEnv& env)
        : m_channels(channels), m_env(env) {}
    bool ShowNewProject(CDlgNewProject&) override { return false; }
    void ShowProjectFolderWarning(const std::string& projectFolder) override;
    void ShowCompile(CProjectController&) override {}
    bool ShowDecompile(CDlgChmOutput&) override { return false; }
    bool ShowChmToHandheld(CDlgChmOutput&) override { return false; }
    void ShowLongFilenameWarning() override;
    void RunWithProgress(const std::string& title, const std::function<void()>& work) override;

private:
    const UserChannels& m_channels;
    const CRunEnv& m_env;
};

} // namespace mb
