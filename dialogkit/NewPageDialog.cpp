#include "dialogkit/NewPageDialog.h"

#include "baseutil/Path.h"
#include "baseutil/Prompt.h"
#include "baseutil/SafeFile.h"
#include "commonkit/StringTable.h"
#include "dialogkit/DialogHost.h"
#include "markup/HTMLHelper.h"
#include "projectmodel/ProjectFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>

namespace {

constexpr int kStrEnterProjectFolder = 467;
constexpr int kStrOverwrite = 470;
constexpr int kStrCaption = 472;
constexpr int kStrEmptyTitle = 477;
constexpr int kStrEmptyFileName = 478;
constexpr int kStrFolderNotLocal = 479;
constexpr int kStrOutsideProject = 480;
constexpr int kStrReadOnly = 481;
constexpr int kStrCannotSave = 293;
constexpr int kStrProjectFolderIs = 511;

constexpr std::string_view kForbiddenInName = "\\/:*?\"<>|";

std::string Text(int n) {
    return CStrHelper::ML_GetStringEx(n);
}

void Warn(mb::IPrompt& prompt, const std::string& text) {
    mb::ShowMessage(prompt, text, Text(kStrProductName), mb::Buttons::Ok, mb::Icon::Warning);
}

bool EndsWithNoCase(const std::string& text, std::string_view suffix) {
    if (text.size() < suffix.size())
        return false;
    return std::equal(suffix.begin(), suffix.end(), text.end() - suffix.size(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

// The folder of a path, with its trailing separator ("/" for the root).
std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('/') + 1);
}

} // namespace

CDlgNewPage::CDlgNewPage(CProjectFile* project, std::string* title, std::string* path)
    : m_project(project), m_resultTitle(title), m_resultPath(path), m_titleText("** Title **"),
      m_fileName("NewPage"), m_folder(project ? project->GetProjectFolder2() : std::string()),
      m_lastAutomaticName(m_fileName) {}

int CDlgNewPage::DoModal(mb::IDialogHost& host) {
    return host.ShowNewPage(*this) ? mb::kIdOk : mb::kIdCancel;
}

std::string CDlgNewPage::GetCaption() const {
    return Text(kStrCaption);
}

void CDlgNewPage::OnTitleChanged(const std::string& title) {
    m_titleText = title;
    if (!m_automatic)
        return;
    m_fileName.clear();
    for (char c : title) {
        if (kForbiddenInName.find(c) == std::string_view::npos)
            m_fileName += c;
    }
    m_lastAutomaticName = m_fileName;
}

void CDlgNewPage::OnFileNameKillFocus() {
    if (m_fileName.empty())
        m_automatic = true;
    else if (m_fileName != m_lastAutomaticName)
        m_automatic = false;
}

bool CDlgNewPage::OnOK() {
    if (m_titleText.empty()) {
        Warn(m_project->Prompt(), Text(kStrEmptyTitle));
        return false;
    }
    if (m_fileName.empty()) {
        Warn(m_project->Prompt(), Text(kStrEmptyFileName));
        return false;
    }
    const std::string projectFolder = m_project ? m_project->GetProjectFolder2() : std::string();
    // A project that was never saved has no folder to default to, and none
    // to keep the page inside: the page then goes where the user says.
    const std::string& folder = m_folder.empty() ? projectFolder : m_folder;
    if (folder.empty()) {
        Warn(m_project->Prompt(), Text(kStrEnterProjectFolder));
        return false;
    }
    CPath folderPath(folder, true);
    if (!folderPath.IsNativePath() || !folderPath.IsLocalPath()) {
        Warn(m_project->Prompt(), Text(kStrFolderNotLocal));
        return false;
    }

    std::string name = m_fileName;
    if (!EndsWithNoCase(name, ".htm") && !EndsWithNoCase(name, ".html"))
        name += ".htm";
    // Canonical, so that ".." steps in the folder or a typed name cannot
    // lead the page out of the project folder unnoticed.
    const std::string fullPath = CPath::Canonicalize(CPath::AddBackSlash(folder, true) + name);
    const std::string parent = FolderOf(fullPath);
    if (!projectFolder.empty() &&
        m_project->CheckDirectory(parent) == CProjectFile::kFolderOutsideProject) {
        Warn(m_project->Prompt(),
             Text(kStrOutsideProject) + "\n\n" + Text(kStrProjectFolderIs) + projectFolder);
        return false;
    }

    std::optional<std::string> replaced;
    std::error_code ec;
    if (std::filesystem::exists(fullPath, ec)) {
        // Enter keeps the page: only an explicit Yes replaces it.
        if (mb::ShowMessage(m_project->Prompt(), fullPath + "\n\n" + Text(kStrOverwrite),
                            Text(kStrProductName), mb::Buttons::YesNo, mb::Icon::Warning,
                            mb::Answer::No) != mb::Answer::Yes)
            return false;
        if (mb::IsReadOnlyFile(fullPath)) {
            Warn(m_project->Prompt(), fullPath + "\n\n" + Text(kStrReadOnly));
            return false;
        }
        // The old page is kept, so that undoing the new entry brings it back;
        // one that cannot be read could not be brought back and is not replaced.
        replaced.emplace();
        if (!mb::ReadWholeFile(fullPath, *replaced)) {
            Warn(m_project->Prompt(),
                 Text(kStrCannotSave) + "\n\n" + fullPath +
                     "\n\nThe file there cannot be read: replacing it could not be undone.");
            return false;
        }
    }

    std::string error;
    if (!CPath::CreateDir(parent))
        error = "cannot create the folder " + parent;
    else if (!mb::WriteFileSafely(fullPath, PageText(m_titleText), &error) && error.empty())
        error = "cannot write the file";
    if (!error.empty()) {
        Warn(m_project->Prompt(), Text(kStrCannotSave) + "\n\n" + fullPath + "\n\n" + error);
        return false;
    }
    m_replacedText = std::move(replaced);
    if (m_resultTitle)
        *m_resultTitle = m_titleText;
    if (m_resultPath)
        *m_resultPath = fullPath;
    return true;
}

std::string CDlgNewPage::PageText(const std::string& title) {
    return "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">"
           "<html>\r\n"
           "<head>\r\n<meta http-equiv=\"Content-Language\" content=\"en-us\">\r\n"
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n"
           "<title>" +
           CHTMLHelper::HTMLEncode(title) +
           "</title>\r\n"
           "</head>\r\n<body>\r\n<p><font face=\"Verdana\" size=\"2\"><b>New Page</b></font></p>"
           "\r\n</body>\r\n</html>";
}
