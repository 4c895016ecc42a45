#include "appglue/AppHelper.h"

#include "appglue/AddDirectoryDialog.h"
#include "appglue/FileItems.h"
#include "baseutil/BWHelper.h"
#include "baseutil/Path.h"
#include "baseutil/Xml.h"
#include "commonkit/DropFileFilterSet.h"
#include "runconfig/ConfigData.h"
#include "runconfig/RunEnv.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr const char* kMergeFilesFilter = "Compiled Help Files (*.chm)|*.chm";

bool IsFlashMovie(const std::string& path) {
    std::string ext = fs::path(path).extension().string();
    if (ext.size() != 4)
        return false;
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return ext == ".swf";
}

std::string ParentOf(const std::string& path) {
    return fs::path(path).parent_path().string();
}

} // namespace

void CAppHelper::SetAddDirectoryOption(tagAddDirectoryOption* options) {
    m_options = options ? options : &m_ownOptions;
}

void CAppHelper::UseConfiguration(CConfigData& config) {
    SetAddDirectoryOption(&config.m_addDirectoryOption);
    SetDropFileFilterSet(config.GetDropFileFilterSet());
}

bool CAppHelper::AdmitsFolder(const std::string& folderName) const {
    const CDropFileFilter* filter = m_filters ? m_filters->GetUsingFilter() : nullptr;
    return !filter || filter->AdmitsFolder(folderName);
}

bool CAppHelper::AdmitsFile(const std::string& fileName) const {
    const CDropFileFilter* filter = m_filters ? m_filters->GetUsingFilter() : nullptr;
    return !filter || filter->AdmitsFile(fileName);
}

std::string CAppHelper::ListedPath(const std::string& path, int wrapFlash) {
    std::string page;
    if (!wrapFlash || !IsFlashMovie(path) || !Swf2Html(path, page))
        return path; // a movie whose page cannot be written is listed itself
    m_env.AddNeedCopiedFlashFile(path);
    return page;
}

int CAppHelper::GetFilesList1(CXML* list, const std::string& startFolder, const std::string& filter,
                              int wrapFlash) {
    std::vector<std::string> picked;
    if (!list || !CBWHelper::GetFilesByOpenFileDialog(m_prompt, picked, filter, true, startFolder))
        return 0;
    return AddPickedFiles(list, picked, wrapFlash);
}

int CAppHelper::GetFilesList4(CXML* list, const std::string& startFolder) {
    std::vector<std::string> picked;
    if (!list || !CBWHelper::GetFilesByOpenFileDialog(m_prompt, picked, kMergeFilesFilter, true,
                                                      startFolder))
        return 0;
    return AddPickedFiles(list, picked, 0);
}

// `picked` is what the open dialog gives: one full path, or the folder
// followed by the names chosen in it.
int CAppHelper::AddPickedFiles(CXML* list, const std::vector<std::string>& picked, int wrapFlash) {
    std::vector<std::string> paths;
    std::string publicPath;
    if (picked.size() == 1) {
        paths = picked;
        publicPath = ParentOf(picked.front());
    } else {
        publicPath = mb::FolderNoSlash(picked.front());
        std::string prefix = CPath::AddBackSlash(picked.front(), true);
        for (size_t i = 1; i < picked.size(); ++i)
            paths.push_back(prefix + picked[i]);
    }
    for (const std::string& path : paths)
        mb::AddFileItem(list, ListedPath(path, wrapFlash));
    list->SetAttr("PublicPath", publicPath);
    return 1;
}

int CAppHelper::GetFilesList3(CXML* list) {
    if (!list || !m_dialog.ChooseFolder(*m_options, m_filters))
        return 0;
    std::string folder = mb::FolderNoSlash(m_options->folder);
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec) || !AdmitsFolder(mb::FolderTitle(folder)))
        return 0;
    CXML* item = mb::AddFolderItem(list, mb::FolderTitle(folder));
    EnumDirectory(folder, m_options->includeSubDir, item, 1);
    list->SetAttr("PublicPath", folder);
    return 1;
}
