// The project's lifecycle: initialising, resetting, saving, the question
// before a modified project is replaced, the window title and the
// recent-project list.

#include "app/core/ProjectController.h"

#include "app/core/ControllerDialogs.h"
#include "app/core/PathChecks.h"
#include "baseutil/MainWindow.h"
#include "baseutil/Path.h"
#include "baseutil/Prompt.h"
#include "baseutil/SafeFile.h"
#include "commonkit/StringTable.h"
#include "editcommands/CommandManager.h"
#include "runconfig/ConfigData.h"

#include <algorithm>
#include <filesystem>

namespace {

constexpr int kStrSaveChanges = 100;
constexpr int kStrVersionMajor = 239;
constexpr int kStrVersionMinor = 240;
constexpr const char* kMbkFilter = "MBK Files(*.MBK)|*.MBK";
constexpr const char* kUnnamed = "[unnamed project";

std::string Text(int n) {
    return CStrHelper::ML_GetStringEx(n);
}

} // namespace

CProjectController::CProjectController(mb::AppContext& context, CCommandManager* commands)
    : m_context(context), m_commands(commands) {
    m_project.SetChannels(&m_context);
    m_project.SetSettings(&m_context.settings);
    InitProject();
}

void CProjectController::InitProject() {
    m_project.InitProject();
    m_project.HHP_SetOptionsData(OPT_LANGUAGE, m_context.settings.config.GetLCID());
    m_project.SetModified(0);
}

void CProjectController::ResetProject() {
    mb::BusyCursor busy(Prompt());
    if (m_commands) {
        m_commands->ClearCommandHistoryList_ContentTree();
        m_commands->ClearCommandHistoryList_IndexTree();
    }
    InitProject();
}

int CProjectController::SaveIfModified() {
    if (!m_project.IsModified())
        return kGoOn;
    switch (mb::ShowMessage(Prompt(), Text(kStrSaveChanges), Text(kStrProductName),
                            mb::Buttons::YesNoCancel, mb::Icon::Question)) {
    case mb::Answer::Yes:
        return Save() ? kGoOn : kSaveFailed;
    case mb::Answer::No:
        return kGoOn;
    default:
        return kCancelled;
    }
}

int CProjectController::Save() {
    if (m_project.GetMBKFileName().empty()) {
        if (!SaveAs())
            return 0;
        Notify(mb::Notice::FirstSave);
        return 1;
    }
    const std::string path = m_project.GetMBKFileName();
    // A project named by the new-project dialog has no file yet.
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        m_project.SetModified(1);
    if (!m_project.SaveProject())
        return 0;
    RememberFolder(CPath(path).GetLocationNoSlash());
    AddRecentProject(path);
    return 1;
}

int CProjectController::SaveAs() {
    std::optional<std::string> path = AskSavePath();
    return path ? SaveAs(*path) : 0;
}

int CProjectController::SaveAs(const std::string& path) {
    if (!IsInProjectFolder(path))
        return 0;
    if (mb::IsReadOnlyFile(path)) {
        CProjectFile::ShowReadOnlyWarning(Prompt(), path);
        return 0;
    }
    const bool unnamed = m_project.GetMBKFileName().empty();
    const std::string oldPath = m_project.GetMBKFileName();
    const std::string oldFolder = m_project.GetProjectFolder();
    if (!m_project.SaveProjectAs(path)) {
        // The project stays what it was: named as before, still modified.
        m_project.SetMBKFileName(oldPath);
        if (oldPath.empty())
            m_project.SetProjectFolder(oldFolder);
        m_project.SetModified(1);
        return 0;
    }
    RememberFolder(CPath(path).GetLocationNoSlash());
    AddRecentProject(path);
    if (!unnamed)
        Notify(mb::Notice::SavedAs);
    return 1;
}

std::optional<std::string> CProjectController::AskSavePath() {
    mb::PickRequest request;
    request.filter = kMbkFilter;
    request.initialPath = m_project.GetProjectFolder();
    std::optional<std::string> path = Prompt().PickSavePath(request);
    if (!path || path->empty())
        return std::nullopt;
    if (!mb::EndsWithNoCase(*path, ".mbk"))
        *path += ".mbk";
    return path;
}

bool CProjectController::IsInProjectFolder(const std::string& file) const {
    const std::string& folder = m_project.GetProjectFolder();
    if (folder.empty() || mb::SamePath(CPath(file).GetLocation(), folder))
        return true;
    m_context.controllerDialogs->ShowProjectFolderWarning(m_project.GetProjectFolder2());
    return false;
}

std::string CProjectController::GetWindowTitle() const {
    std::string title =
        Text(kStrProductName) + " " + Text(kStrVersionMajor) + "." + Text(kStrVersionMinor) + " - ";
    const std::string& file = m_project.GetMBKFileName();
    const std::string& folder = m_project.GetProjectFolder();
    const bool modified = m_project.IsModified();
    if (!file.empty())
        return title + "[" + folder + CPath(file).GetFileName() + (modified ? " *]" : "]");
    if (!modified)
        return title + kUnnamed + "]";
    if (folder.empty())
        return title + kUnnamed + " *]";
    return title + "[" + folder + "]-" + kUnnamed + " *]";
}

bool CProjectController::SetHelpTitle(const std::string& title) {
    std::string current;
    m_project.HHP_GetWindowsData(WIN_TITLE_BAR_TEXT, current);
    if (title.empty() || title == current)
        return false;
    m_project.HHP_SetWindowsData(WIN_TITLE_BAR_TEXT, title);
    m_project.HHP_SetOptionsData(OPT_TITLE, title);
    return true;
}

void CProjectController::AddRecentProject(const std::string& path) {
    std::vector<std::string>& list = m_context.settings.config.m_recentProjects;
    auto found = std::find(list.begin(), list.end(), path);
    if (found == list.begin() && found != list.end())
        return;
    if (found != list.end())
        list.erase(found);
    list.insert(list.begin(), path);
}

void CProjectController::RemoveRecentProject(const std::string& path) {
    std::vector<std::string>& list = m_context.settings.config.m_recentProjects;
    list.erase(std::remove(list.begin(), list.end(), path), list.end());
}

std::string CProjectController::LastFolder() const {
    const std::string& folder = m_context.settings.env.GetLastOpenFolder();
    return folder.empty() ? m_context.settings.config.m_strLastProjectPath : folder;
}

void CProjectController::RememberFolder(const std::string& folder) {
    m_context.settings.env.SetLastOpenFolder(folder);
    m_context.settings.config.m_strLastProjectPath = folder;
}

void CProjectController::Notify(mb::Notice notice) const {
    if (mb::IMainWindow* window = m_context.window)
        window->Notify(notice);
}

bool CProjectController::IsOpenProject(const std::string& path) const {
    return mb::SamePath(path, m_project.GetMBKFileName());
}
