// Commands that make or convert a project without compiling: a new project
// (optionally filled from folders of pages), and the HTML Help project
// import and export.
#include "app/cli/Commands.h"
#include "app/cli/ConsoleUi.h"
#include "app/cli/FileQuestions.h"
#include "app/cli/FolderWalkLine.h"
#include "app/cli/Paths.h"
#include "app/core/InterruptWatch.h"

#include "app/core/PathChecks.h"
#include "app/core/ProjectController.h"

#include "appglue/AppHelper.h"
#include "baseutil/Xml.h"
#include "projectmodel/HHPRecords.h"
#include "projectmodel/ProjectFile.h"
#include "runconfig/ConfigData.h"

#include <atomic>
#include <filesystem>
#include <optional>

namespace fs = std::filesystem;

namespace mb::cli {
namespace {

std::string FolderOf(const std::string& path) {
    return fs::path(path).parent_path().string() + "/";
}

// A language id as --language gives it: decimal or 0x-hexadecimal, 1 to
// 65535.
std::optional<int> LanguageId(const std::string& text) {
    bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    std::string digits = hex ? text.substr(2) : text;
    if (digits.empty() || digits.size() > 8 ||
        digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") !=
            std::string::npos)
        return std::nullopt;
    long value = std::stol(digits, nullptr, hex ? 16 : 10);
    if (value < 1 || value > 0xFFFF)
        return std::nullopt;
    return static_cast<int>(value);
}

// Adds the pages of `folder` (and its sub-folders) to the contents, as the
// add-folder command does, filtered by the configured drop-file filters.
// Pages from outside the project folder are copied in when `dialogs` agree.
// Setting `stop` ends the walk through the folder; nothing is added then.
bool AddFolder(CProjectFile& project, const std::string& folder, IProjectDialogs& dialogs,
               const std::atomic<bool>& stop) {
    if (!fs::is_directory(folder)) {
        PrintError("\"" + folder + "\" is not a folder");
        return false;
    }
    PickerAddDirectoryDialog picker(project.Prompt(), project.Settings().env);
    CAppHelper helper(picker, project.Prompt(), project.Settings().env);
    helper.UseConfiguration(project.Settings().config);
    CXML list("FilesList");
    list.SetAttr("PublicPath", folder);
    {
        FolderWalkLine line(stop);
        helper.SetWalkProgress(
            [&line](size_t folders, size_t files) { return line.Seen(folders, files); });
        helper.EnumDirectory(folder, 1, &list, 0);
    }
    if (stop)
        return false;
    if (list.GetChildCount() == 0) {
        PrintError("\"" + folder + "\" holds no pages to add");
        return false;
    }
    if (project.CheckFileList(&list, dialogs) == CProjectFile::kCheckCancelled ||
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

int RunNew(const Invocation& invocation, AppContext& context) {
    std::string problem = NewProjectPathProblem(invocation.arguments[0]);
    if (!problem.empty()) {
        PrintError("no project was made: " + problem);
        return kExitUsage;
    }
    std::string path = Absolute(invocation.arguments[0]);
    if (!mb::EndsWithNoCase(path, ".mbk"))
        path += ".mbk";
    int language = context.settings.config.GetLCID();
    if (auto given = invocation.Value("language")) {
        auto parsed = LanguageId(*given);
        if (!parsed) {
            PrintError("--language takes a language id from 1 to 65535, such as 1033 or 0x409 "
                       "(not \"" + *given + "\")");
            return kExitUsage;
        }
        language = *parsed;
    }
    if (!MayReplace(path, invocation.Has("force"), *context.prompt)) {
        PrintError("\"" + path + "\" was kept (--force or --yes replaces it)");
        return kExitFailed;
    }
    CProjectFile project;
    project.SetChannels(&context);
    project.SetSettings(&context.settings);
    project.InitProject();
    project.HHP_SetOptionsData(OPT_LANGUAGE, language);
    std::string title = invocation.Value("title").value_or(fs::path(path).stem().string());
    project.HHP_SetWindowsData(WIN_TITLE_BAR_TEXT, title);
    project.HHP_SetOptionsData(OPT_TITLE, title);
    project.SetProjectFolder(FolderOf(path));
    project.SetMBKFileName(path);
    // Ctrl+C while the folders are looked through (a folder such as "/" may
    // take long) ends the command before anything is written.
    std::atomic<bool> interrupted{false};
    int signal = 0;
    {
        InterruptWatch watch([&interrupted] { interrupted = true; });
        ProgressLine progress;
        bool added = true;
        for (const std::string& folder : invocation.Values("add-folder")) {
            added = AddFolder(project, Absolute(folder), *context.projectDialogs, interrupted);
            if (!added)
                break;
        }
        signal = watch.Signal();
        if (!added && !signal)
            return kExitFailed;
    }
    if (signal) {
        PrintError("interrupted; no project was made");
        EndBySignal(signal);
    }
    std::error_code error;
    fs::create_directories(FolderOf(path), error);
    if (project.SaveProject() != 1) {
        PrintError("cannot write \"" + path + "\"");
        return kExitFailed;
    }
    std::printf("created %s (%d contents entries)\n", path.c_str(), project.Content_GetCount());
    return kExitOk;
}

int RunImportHhp(const Invocation& invocation, AppContext& context) {
    std::string hhp = Absolute(invocation.arguments[0]);
    std::string mbk = invocation.arguments.size() > 1
                          ? Absolute(invocation.arguments[1])
                          : FolderOf(hhp) + fs::path(hhp).stem().string() + ".mbk";
    if (FolderOf(mbk) != FolderOf(hhp)) {
        PrintError("the project file must lie in the folder of the .hhp (\"" + FolderOf(hhp) +
                   "\"), because topic paths are kept relative to the project folder");
        return kExitUsage;
    }
    // A project file of another kind could be one of the files the import
    // reads, or the .hhp itself.
    if (!mb::EndsWithNoCase(mbk, ".mbk") || SamePath(mbk, hhp)) {
        PrintError("the project file must be a .mbk file other than the .hhp (not \"" + mbk +
                   "\")");
        return kExitUsage;
    }
    if (!MayReplace(mbk, invocation.Has("force"), *context.prompt)) {
        PrintError("\"" + mbk + "\" was kept (--force or --yes replaces it)");
        return kExitFailed;
    }
    CProjectFile project;
    project.SetChannels(&context);
    project.SetSettings(&context.settings);
    project.InitProject();
    {
        ProgressLine progress;
        if (project.ImportHHPFile(hhp) != 1) {
            PrintError("\"" + hhp + "\" was not imported");
            return kExitFailed;
        }
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

int RunExportHhp(const Invocation& invocation, AppContext& context) {
    std::string mbk = Absolute(invocation.arguments[0]);
    CProjectController controller(context);
    if (!OpenProjectFile(controller, mbk))
        return kExitFailed;
    std::string hhp = invocation.arguments.size() > 1
                          ? Absolute(invocation.arguments[1])
                          : controller.GetProject()->GetHHPFileName_FullPath();
    if (FolderOf(hhp) != FolderOf(mbk)) {
        PrintError("the .hhp must be written into the project folder (\"" + FolderOf(mbk) +
                   "\"), because its topic paths are relative to it");
        return kExitUsage;
    }
    if (!mb::EndsWithNoCase(hhp, ".hhp")) {
        PrintError("the file to export to must be a .hhp file (not \"" + hhp + "\")");
        return kExitUsage;
    }
    if (controller.ExportHHP(hhp) != 1) {
        PrintError("\"" + hhp + "\" was not exported");
        return kExitFailed;
    }
    std::printf("exported %s\n", hhp.c_str());
    return kExitOk;
}

} // namespace mb::cli
