// The checks made before topic files are added to a project: where the
// project folder is, whether the files lie inside it, and copying them into
// it when they do not.

#include "baseutil/BWHelper.h"
#include "baseutil/FileManip.h"
#include "baseutil/Path.h"
#include "baseutil/Prompt.h"
#include "commonkit/StringTable.h"
#include "projectmodel/ProjectDialogs.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/TextValues.h"

#include <cctype>
#include <cstring>

namespace {

// Folders compare exactly on the native file system, ignoring case in the
// Windows form.
bool SameFolder(const std::string& a, const std::string& b) {
    if (CPath::IsNativeForm(a) && CPath::IsNativeForm(b))
        return a == b;
    return mb::EqualsNoCase(a, b);
}

// A page inside a compiled help file ("help.chm::/a.htm").
bool IsPageInCompiledFile(const std::string& path) {
    std::string lower = path;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.find(".chm::/", 1) != std::string::npos ||
           lower.find(".chm::\\", 1) != std::string::npos;
}

// The folder of a file, without a trailing separator except for a root.
std::string FolderOfFile(const CPath& file) {
    std::string folder = CPath::RemoveBackSlash(file.GetLocation());
    return folder.empty() || folder.back() == ':' ? file.GetLocation() : folder;
}

// `path` below `base` with the separator `separator`, or empty when it does
// not lie below it.
std::string PartBelow(const std::string& path, const std::string& base, char separator) {
    std::string prefix = CPath::AddBackSlash(base, CPath::IsNativeForm(base));
    if (path.size() <= prefix.size() || !SameFolder(path.substr(0, prefix.size()), prefix))
        return {};
    std::string rest = path.substr(prefix.size());
    for (char& c : rest) {
        if (c == '/' || c == '\\')
            c = separator;
    }
    return rest;
}

// The folder below which the dropped files keep their places. A single
// dropped folder is listed with its own path as the common folder; its name
// is kept inside the project folder, so the files are placed relative to
// its parent. Otherwise they are placed relative to the common folder.
std::string CopyBase(const CXML* list, const std::string& publicPath) {
    if (list->GetChildCount() != 1)
        return publicPath;
    const CXML* item = list->GetChildAt(0);
    std::string name = item->GetAttr("Name");
    std::string last = CPath(publicPath).GetFileName();
    if (!item->GetAttr("Local").empty() || name.empty() || !SameFolder(name, last))
        return publicPath;
    return mb::ParentFolder(publicPath);
}

} // namespace

bool CProjectFile::AskForProjectFolder(const std::string& folder, mb::IProjectDialogs& dialogs) {
    std::optional<std::string> chosen =
        dialogs.ChooseProjectFolder({folder, mb::ParentFolder(folder)});
    if (!chosen || chosen->empty())
        return false;
    SetProjectFolder(*chosen);
    return true;
}

int CProjectFile::CheckDirectory(const std::string& folder, std::string*) const {
    std::string shared = CBWHelper::GetPublicDirectory(folder, m_folder);
    if (!shared.empty() &&
        SameFolder(CPath::AddBackSlash(shared, CPath::IsNativeForm(m_folder)), m_folder))
        return kFolderInProject;
    return kFolderOutsideProject;
}

int CProjectFile::ValDirectory(const std::string& folder, int) {
    if (folder.empty())
        return kCheckGoOn;
    std::string withSeparator = CPath::AddBackSlash(folder, CPath::IsNativeForm(folder));
    return CheckDirectory(withSeparator) == kFolderOutsideProject ? kCheckOutsideFolder
                                                                  : kCheckGoOn;
}

int CProjectFile::CheckFile(const std::string& path, mb::IProjectDialogs& dialogs) {
    if (IsPageInCompiledFile(path))
        return kCheckGoOn;
    CPath file(path);
    if (!file.IsLocalPath())
        return kCheckGoOn;
    std::string folder = FolderOfFile(file);
    if (m_folder.empty() && !AskForProjectFolder(folder, dialogs))
        return kCheckCancelled;
    if (ValDirectory(folder) == kCheckGoOn)
        return kCheckGoOn;
    return dialogs.ConfirmCopyIntoProjectFolder() ? kCheckGoOn : kCheckCancelled;
}

int CProjectFile::CheckFileList(CXML* list, mb::IProjectDialogs& dialogs) {
    if (!list)
        return kCheckGoOn;
    CRunEnv* env = &m_settings->env;
    std::string publicPath = list->GetAttr("PublicPath");
    std::string p = CPath::RemoveBackSlash(publicPath);
    if (p.empty() || p.back() == ':')
        p = publicPath; // a root keeps its separator

    int result = kCheckGoOn;
    if (p.empty()) {
        env->ResetNeedCopiedFlashFileInfo();
    } else if (m_folder.empty() && !AskForProjectFolder(p, dialogs)) {
        env->ResetNeedCopiedFlashFileInfo();
        result = kCheckCancelled;
    } else if (ValDirectory(p) == kCheckGoOn) {
        env->ResetNeedCopiedFlashFileInfo();
    } else if (!dialogs.ConfirmCopyIntoProjectFolder()) {
        // The pending movies belong to this drop: forget them with it.
        env->ResetNeedCopiedFlashFileInfo();
        result = kCheckCancelled;
    } else {
        CopyIntoProjectFolder(list, p);
    }
    SetLastOpenDir(p);
    return result;
}

void CProjectFile::CopyIntoProjectFolder(CXML* list, const std::string& publicPath) {
    const char separator = CPath::IsNativeForm(m_folder) ? '/' : '\\';
    const std::string base = CopyBase(list, publicPath);
    std::vector<std::string> sources;
    std::vector<std::string> targets;
    list->TransferToArrayStruct();
    for (int i = 1; i <= list->GetDescendantsCount(); ++i) {
        CXML* entry = list->GetDescendantsAt(i);
        std::string local = entry->GetAttr("Local");
        if (local.empty() || IsPageInCompiledFile(local) || !CPath(local).IsLocalPath())
            continue;
        std::string below = PartBelow(local, base, separator);
        std::string target = m_folder + (below.empty() ? CPath(local).GetFileName() : below);
        sources.push_back(local);
        targets.push_back(target);
        entry->SetAttr("Local", target);
    }

    CRunEnv* env = &m_settings->env;
    if (env->GetNeedCopyFlashFlag()) {
        for (int i = 0; i < env->GetNeedCopiedFlashFileCount(); ++i) {
            std::string movie = env->GetNeedCopiedFlashFile(i);
            sources.push_back(movie);
            targets.push_back(m_folder + CPath(movie).GetFileName());
        }
        env->ResetNeedCopiedFlashFileInfo();
    }

    mb::BusyCursor busy(Prompt());
    if (!CFileManip::CopyFiles(sources, targets, true)) {
        int error = CFileManip::GetLastError();
        std::string reason = error == CFileManip::kErrorSourceIsFolder ? "a source is a folder"
                                                                       : std::strerror(error);
        mb::ShowMessage(Prompt(),
                        "The added files could not be copied into the project folder " + m_folder +
                            ": " + reason,
                        CStrHelper::ML_GetStringEx(kStrProductName), mb::Buttons::Ok,
                        mb::Icon::Error);
        list->ResetContents();
    }
}
