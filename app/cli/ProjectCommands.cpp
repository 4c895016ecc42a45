// Commands that make or convert a project without compiling: a new project
// (optionally filled from folders of pages), and the HTML Help project
// import and export.
#include "app/cli/Commands.h"
#include "app/cli/ConsoleUi.h"
#include "app/cli/Paths.h"

#include "appglue/AppHelper.h"
#include "baseutil/Xml.h"
#include "projectmodel/HHPRecords.h"
#include "projectmodel/ProjectFile.h"
#include "runconfig/ConfigData.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace mb::cli {
namespace {

std::string FolderOf(const std::string& path) {
    return fs::path(path).parent_path().string() + "/";
}

bool EndsWithNoCase(const std::string& text, const std::string& ending) {
    if (text.size() < ending.size())
        return false;
    for (size_t i = 0; i < ending.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - ending.size() + i])) !=
            ending[i])
            return false;
    return true;
}

// Adds the pages of `folder` (and its sub-folders) to the contents, as the
// add-folder command does, filtered by the configured drop-file filters.
bool AddFolder(CProjectFile& project, const std::string& folder) {
    if (!fs::is_directory(folder)) {
        PrintError("\"" + folder + "\" is not a folder");
        return false;
    }
    CAppHelper helper;
    helper.UseConfiguration();
    CXML list("FilesList");
    list.SetAttr("PublicPath", folder);
    helper.EnumDirectory(folder, 1, &list, 0);
    if (list.GetChildCount() == 0) {
        PrintError("\"" + folder + "\" holds no pages to add");
        return false;
    }
    if (project.CheckFileList(&list) == CProjectFile::kCheckCancelled ||
        list.GetChildCount() == 0) {
        PrintError("the pages of \"" + folder +
                   "\" were not added (they lie outside the "
                   "project folder; --yes copies them in)");
        return false;
    }
    project.Content_AddFilesList(&list);
    return true;
}

} // namespace

int RunNew(const Invocation& invocation) {
    std::string path = Absolute(invocation.arguments[0]);
    if (!EndsWithNoCase(path, ".mbk"))
        path += ".mbk";
    if (fs::exists(path) && !invocation.Has("force")) {
        PrintError("\"" + path + "\" already exists (--force replaces it)");
        return kExitFailed;
    }
    std::error_code error;
    fs::create_directories(FolderOf(path), error);
    CProjectFile project;
    project.InitProject();
    int language = CConfigData::Instance()->GetLCID();
    if (auto given = invocation.Value("language"))
        language = std::atoi(given->c_str());
    project.HHP_SetOptionsData(OPT_LANGUAGE, language);
    std::string title = invocation.Value("title").value_or(fs::path(path).stem().string());
    project.HHP_SetWindowsData(WIN_TITLE_BAR_TEXT, title);
    project.HHP_SetOptionsData(OPT_TITLE, title);
    project.SetProjectFolder(FolderOf(path));
    project.SetMBKFileName(path);
    {
        ProgressLine progress;
        for (const std::string& folder : invocation.Values("add-folder"))
            if (!AddFolder(project, Absolute(folder)))
                return kExitFailed;
    }
    if (project.SaveProject() != 1) {
        PrintError("cannot write \"" + path + "\"");
        return kExitFailed;
    }
    std::printf("created %s (%d contents entries)\n", path.c_str(), project.Content_GetCount());
    return kExitOk;
}

int RunImportHhp(const Invocation& invocation) {
    std::string hhp = Absolute(invocation.arguments[0]);
    if (!fs::is_regular_file(hhp)) {
        PrintError("\"" + hhp + "\" is not a file");
        return kExitFailed;
    }
    std::string mbk = invocation.arguments.size() > 1
                          ? Absolute(invocation.arguments[1])
                          : FolderOf(hhp) + fs::path(hhp).stem().string() + ".mbk";
    if (FolderOf(mbk) != FolderOf(hhp)) {
        PrintError("the project file must lie in the folder of the .hhp (\"" + FolderOf(hhp) +
                   "\"), because topic paths are kept relative to the project folder");
        return kExitUsage;
    }
    if (fs::exists(mbk) && !invocation.Has("force")) {
        PrintError("\"" + mbk + "\" already exists (--force replaces it)");
        return kExitFailed;
    }
    CProjectFile project;
    project.InitProject();
    {
        ProgressLine progress;
        project.ImportHHPFile(hhp);
    }
    project.SetMBKFileName(mbk);
    if (project.SaveProject() != 1) {
        PrintError("cannot write \"" + mbk + "\"");
        return kExitFailed;
    }
    std::printf("imported %s into %s (%d contents and %d index entries)\n", hhp.c_str(),
                mbk.c_str(), project.Content_GetCount(), project.Index_GetCount());
    return kExitOk;
}

int RunExportHhp(const Invocation& invocation) {
    std::string mbk = Absolute(invocation.arguments[0]);
    CProjectFile project;
    if (!fs::is_regular_file(mbk) || project.OpenProjectFile(mbk) != 1) {
        PrintError("\"" + mbk + "\" is not a project file");
        return kExitFailed;
    }
    std::string hhp = invocation.arguments.size() > 1 ? Absolute(invocation.arguments[1])
                                                      : project.GetHHPFileName_FullPath();
    if (FolderOf(hhp) != FolderOf(mbk)) {
        PrintError("the .hhp must be written into the project folder (\"" + FolderOf(mbk) +
                   "\"), because its topic paths are relative to it");
        return kExitUsage;
    }
    if (project.ExportHHPFile(hhp) != 1) {
        PrintError("cannot write \"" + hhp + "\" or its contents and index files");
        return kExitFailed;
    }
    std::printf("exported %s\n", hhp.c_str());
    return kExitOk;
}

} // namespace mb::cli
