#include "app/core/NewProjectForm.h"

#include "app/core/AppContext.h"
#include "app/core/PathChecks.h"
#include "baseutil/Path.h"
#include "baseutil/Prompt.h"
#include "commonkit/HelpTopics.h"
#include "commonkit/StringTable.h"

#include <cerrno>
#include <cstring>
#include <string_view>
#include <sys/stat.h>

namespace {

constexpr int kStrEmptyName = 466;
constexpr int kStrEmptyFolder = 467;
constexpr int kStrFolderNotLocal = 468;
constexpr int kStrCreateFolder = 469;
constexpr int kStrFileExists = 470;
constexpr int kStrEmptyTitle = 471;
constexpr std::string_view kForbiddenInName = "\\/:*?\"<>|";
constexpr std::string_view kExtension = ".mbk";

std::string Text(int n) {
    return CStrHelper::ML_GetStringEx(n);
}

mb::Answer Ask(mb::IPrompt& prompt, const std::string& text, mb::Buttons buttons, mb::Icon icon) {
    return mb::ShowMessage(prompt, text, Text(kStrProductName), buttons, icon);
}

bool Refuse(mb::IPrompt& prompt, const std::string& text) {
    Ask(prompt, text, mb::Buttons::Ok, mb::Icon::Warning);
    return false;
}

bool IsFolder(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

} // namespace

CDlgNewProject::CDlgNewProject(const std::string& lastFolder, int language, mb::IPrompt& prompt)
    : m_folder(lastFolder.size() > 1 ? CPath::RemoveBackSlash(lastFolder) : lastFolder),
      m_language(language), m_prompt(prompt) {}

void CDlgNewProject::SetNameText(const std::string& name) {
    m_name.clear();
    for (char c : name) {
        if (kForbiddenInName.find(c) == std::string_view::npos)
            m_name += c;
    }
}

void CDlgNewProject::OnBrowse() {
    mb::PickRequest request;
    request.title = "Please select your project folder:";
    request.initialPath = m_folder;
    if (std::optional<std::string> folder = m_prompt.PickFolder(request))
        m_folder = *folder;
}

void CDlgNewProject::OnHelp(mb::AppContext& context) const {
    context.ShowHelp(mb::help::kNewProject);
}

bool CDlgNewProject::OnOK() {
    if (m_name.empty())
        return Refuse(m_prompt, Text(kStrEmptyName));
    std::string problem = mb::ProjectFileNameProblem(m_name);
    if (!problem.empty())
        return Refuse(m_prompt, Text(kStrEmptyName) + "\n\n" + problem);
    if (!mb::EndsWithNoCase(m_name, kExtension))
        m_name += kExtension;
    if (m_title.empty())
        return Refuse(m_prompt, Text(kStrEmptyTitle));
    if (!CheckFolder())
        return false;

    std::string path = CPath::AddBackSlash(m_folder, true) + m_name;
    problem = mb::NewProjectPathProblem(path);
    if (!problem.empty())
        return Refuse(m_prompt, problem);
    if (Exists(path) && Ask(m_prompt, Text(kStrFileExists) + "\n\n" + path, mb::Buttons::YesNo,
                            mb::Icon::Question) != mb::Answer::Yes)
        return false;
    m_result = {m_title, m_folder, path, m_language};
    return true;
}

bool CDlgNewProject::CheckFolder() {
    if (m_folder.empty())
        return Refuse(m_prompt, Text(kStrEmptyFolder));
    // Only a folder of this system's own form can hold the project: a
    // Windows drive path names nothing here.
    CPath folder(m_folder, true);
    if (!folder.IsLocalPath() || !CPath::IsNativeForm(m_folder))
        return Refuse(m_prompt, Text(kStrFolderNotLocal));
    if (IsFolder(m_folder))
        return true;
    if (Ask(m_prompt, Text(kStrCreateFolder) + "\"" + m_folder + "\"", mb::Buttons::YesNo,
            mb::Icon::Question) != mb::Answer::Yes)
        return false;
    errno = 0;
    if (!CPath::CreateDir(m_folder) || !IsFolder(m_folder))
        return Refuse(m_prompt,
                      "The folder could not be created: " + m_folder +
                          (errno ? std::string(" (") + std::strerror(errno) + ")" : std::string()));
    return true;
}
