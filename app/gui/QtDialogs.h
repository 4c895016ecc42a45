#pragma once
// The Qt dialogs of the project controller and of the project: new project,
// project-folder warning, compile, decompile and handheld conversion, the
// long-file-name warning, the progress of long work, the choice of the
// project folder and the question whether to copy pages into it.

#include "app/core/AppContext.h"
#include "app/core/ControllerDialogs.h"
#include "projectmodel/ProjectDialogs.h"

class QWidget;

namespace mb::gui {

class QtControllerDialogs final : public IControllerDialogs {
public:
    explicit QtControllerDialogs(AppContext& context, QWidget* parent = nullptr)
        : m_context(context), m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }

    bool ShowNewProject(CDlgNewProject& dialog) override;
    void ShowProjectFolderWarning(const std::string& projectFolder) override;
    void ShowCompile(CProjectController& controller) override;
    bool ShowDecompile(CDlgChmOutput& dialog) override;
    bool ShowChmToHandheld(CDlgChmOutput& dialog) override;
    void ShowLongFilenameWarning() override;
    void RunWithProgress(const std::string& title, const std::function<void()>& work) override;

private:
    AppContext& m_context;
    QWidget* m_parent;
};

class QtProjectDialogs final : public IProjectDialogs {
public:
    explicit QtProjectDialogs(AppContext& context, QWidget* parent = nullptr)
        : m_context(context), m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }

    std::optional<std::string> ChooseProjectFolder(const ProjectFolderChoice& choice) override;
    bool ConfirmCopyIntoProjectFolder() override;

private:
    AppContext& m_context;
    QWidget* m_parent;
};

} // namespace mb::gui
