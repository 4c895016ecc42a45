// Replacing the open project: New, Open, Open CHM and Import HHP, and
// writing it out for HTML Help Workshop (Export HHP).

#include "app/core/ControllerDialogs.h"
#include "app/core/ConversionLog.h"
#include "app/core/DecompiledProjectFiles.h"
#include "app/core/NewProjectForm.h"
#include "app/core/PathChecks.h"
#include "app/core/ProjectController.h"
#include "baseutil/BWHelper.h"
#include "baseutil/Path.h"
#include "baseutil/Prompt.h"
#include "baseutil/SafeFile.h"
#include "baseutil/Xml.h"
#include "commonkit/StringTable.h"
#include "compiledhelp/CHMFileRW.h"
#include "compiledhelp/ChmProjectStreams.h"
#include "projectmodel/ProjectCopyName.h"
#include "runconfig/ConfigData.h"

#include <cstdio>
#include <filesystem>

namespace {

constexpr int kStrNoContents = 288;
constexpr int kStrEmbeddedProjectFailed = 289;
constexpr int kStrImportChmFailed = 290;
constexpr int kStrRecentMissing = 292;
constexpr const char* kMbkFilter = "MBK Files(*.MBK)|*.MBK";
constexpr const char* kHhpFilter = "HHP Files(*.hhp)|*.hhp";
constexpr const char* kChmFilter = "CHM Files(*.CHM)|*.CHM";

std::string Text(int n) {
    return CStrHelper::ML_GetStringEx(n);
}

void Tell(mb::IPrompt& prompt, const std::string& text, mb::Icon icon = mb::Icon::Warning) {
    mb::ShowMessage(prompt, text, Text(kStrProductName), mb::Buttons::Ok, icon);
}

std::optional<std::string> PickOne(mb::IPrompt& prompt, const char* filter,
                                   const std::string& folder) {
    mb::PickRequest request;
    request.filter = filter;
    request.initialPath = folder;
    auto picked = prompt.PickOpenFiles(request);
    if (!picked || picked->empty())
        return std::nullopt;
    return picked->front();
}

bool Exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// The name of a stream at the root of a help file, usable as a file name in
// the output folder: no separators and no step out of it.
bool IsPlainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string::npos;
}

// Writes the project file deciphered from its enciphered copy; false with
// the reason in `reason`.
bool DecipherProjectCopy(const std::string& coded, const std::string& target, std::string& reason) {
    std::FILE* in = mb::OpenRegularFile(coded);
    if (!in) {
        reason = "the project copy inside the help file was not written out";
        return false;
    }
    mb::SafeFileWriter writer(target);
    bool ok = writer.IsOpen() && CBWHelper::DecryptFileA(in, writer.File());
    std::fclose(in);
    if (ok && writer.Commit())
        return true;
    reason = writer.Error().empty() ? "cannot write " + target : writer.Error();
    return false;
}

// A half-made project folder goes again when Open CHM fails.
void RemoveFolder(const std::string& folder) {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
}

constexpr const char* kSeeTheLog =
    "Some of its files could not be written or read; the log names them and says why.";

// Why an Open CHM failed, for its message: the problems it logged (or, when
// there are none, a pointer to the log) and `reason`.
std::string Reasons(const mb::ProblemLines& problems, const std::string& reason = {}) {
    std::string text = problems.Empty() && reason.empty() ? kSeeTheLog : problems.Summary();
    if (!reason.empty())
        text += (text.empty() ? "" : "\n") + reason;
    return "\n\n" + text;
}

} // namespace

int CProjectController::NewProject() {
    if (SaveIfModified() != kGoOn)
        return 0;
    CConfigData* config = &m_context.settings.config;
    CDlgNewProject dialog(LastFolder(), config->GetLCID(), Prompt());
    // Cancel leaves the open project as it was.
    if (!m_context.controllerDialogs->ShowNewProject(dialog))
        return 0;
    ResetProject();
    const CDlgNewProject::Result& result = dialog.GetResult();
    // The title also goes into the "Title" option, which a project file
    // read back would otherwise fill from the caption: the project is the
    // same before and after it was saved and opened again.
    m_project.HHP_SetWindowsData(WIN_TITLE_BAR_TEXT, result.title);
    m_project.HHP_SetOptionsData(OPT_TITLE, result.title);
    m_project.SetProjectFolder(result.folder);
    m_project.SetMBKFileName(result.path);
    if (result.language)
        config->SetLCID(*result.language);
    m_project.HHP_SetOptionsData(OPT_LANGUAGE, result.language.value_or(config->GetLCID()));
    return 1;
}

int CProjectController::OpenProject() {
    {
        mb::BusyCursor busy(Prompt());
        if (SaveIfModified() != kGoOn)
            return 0;
    }
    std::optional<std::string> path = PickOne(Prompt(), kMbkFilter, LastFolder());
    return path ? OpenProject(*path) : 0;
}

int CProjectController::OpenProject(const std::string& path) {
    if (IsOpenProject(path))
        return 0;
    ResetProject();
    int opened;
    {
        mb::BusyCursor busy(Prompt());
        opened = m_project.OpenProjectFile(path);
    }
    RememberFolder(CPath(path).GetLocationNoSlash());
    if (!opened) {
        // The user has been told why; what is left is an empty project. A
        // file that is no project is not offered again in the recent list.
        InitProject();
        return 0;
    }
    AddRecentProject(path);
    return 1;
}

int CProjectController::OpenRecentProject(const std::string& path) {
    if (!Exists(path)) {
        RemoveRecentProject(path);
        Tell(Prompt(), Text(kStrRecentMissing) + "\n\n" + path);
        return 0;
    }
    if (IsOpenProject(path) || SaveIfModified() != kGoOn)
        return 0;
    return OpenProject(path);
}

int CProjectController::OpenChm() {
    if (SaveIfModified() != kGoOn)
        return 0;
    std::optional<std::string> chm = PickOne(Prompt(), kChmFilter, LastFolder());
    return chm ? OpenChm(*chm) : 0;
}

int CProjectController::OpenChm(const std::string& chm) {
    mb::ConversionLog log(*m_context.controllerDialogs, m_context.log, m_context.settings.env);
    mb::ProblemLines problems;
    std::string name;
    int opened = CCHMFileRW::FindMBKAtRoot(chm, name) ? OpenEmbeddedProject(chm, name, problems)
                                                      : ImportChmSitemaps(chm, problems);
    // Stopped when it was done all the same: no project is made.
    if (opened && m_stopConversion) {
        DiscardOpenedChm();
        return 0;
    }
    return opened;
}

void CProjectController::DiscardOpenedChm() {
    if (!m_project.GetMBKFileName().empty())
        RemoveRecentProject(m_project.GetMBKFileName());
    RemoveFolder(m_project.GetProjectFolder());
    ResetProject();
}

int CProjectController::OpenEmbeddedProject(const std::string& chm, const std::string& name,
                                            const mb::ProblemLines& problems) {
    if (!IsPlainName(name)) {
        Tell(Prompt(), Text(kStrEmbeddedProjectFailed) + "\n\n" + chm);
        return 0;
    }
    std::string title = mb::ProjectTitleOfCopy(name);
    if (title.empty()) {
        Tell(Prompt(), Text(kStrEmbeddedProjectFailed) + "\n\n" + chm);
        return 0;
    }
    std::string folder = mb::UnusedFolder(GetConversionFolderName(chm));
    std::string coded = folder + "/" + name;
    std::string project = folder + "/" + title + ".mbk";
    bool complete;
    {
        mb::BusyCursor busy(Prompt());
        // A project without some of its pages would pass for the whole
        // help file: what could not be written makes the open fail.
        complete = Decompile(chm, folder, true) == 1;
    }
    std::string reason;
    bool deciphered = complete && !m_stopConversion && DecipherProjectCopy(coded, project, reason);
    std::error_code ec;
    std::filesystem::remove(coded, ec);
    if (!deciphered) {
        RemoveFolder(folder);
        Tell(Prompt(), Text(kStrEmbeddedProjectFailed) + "\n\n" + chm + Reasons(problems, reason));
        return 0;
    }
    if (!OpenProject(project)) {
        // Why the project file cannot be opened has been told.
        RemoveFolder(folder);
        Tell(Prompt(), Text(kStrEmbeddedProjectFailed) + "\n\n" + chm);
        return 0;
    }
    return 1;
}

int CProjectController::ImportChmSitemaps(const std::string& chm,
                                          const mb::ProblemLines& problems) {
    CCHMFileRW reader;
    reader.SetChannels(m_context);
    reader.SetStopFlag(&m_stopConversion);
    if (!reader.CHM_SetCHMFile(chm)) {
        Tell(Prompt(), Text(kStrImportChmFailed) + "\n\n" + chm + "\n" +
                           CCHMFileRW::GetErr(reader.GetLastResult()));
        return 0;
    }
    // A directory that lost names may also have lost the contents file:
    // nothing is offered on what is left of it.
    if (reader.CHM_IsDamaged()) {
        Tell(Prompt(),
             Text(kStrImportChmFailed) + "\n\n" + chm +
                 "\n\nThe help file is damaged: the names of some of its files are lost.");
        return 0;
    }
    // What the file keeps of its project besides the sitemap files: its
    // settings, windows, files and the binary contents and index.
    ChmProjectStreams streams;
    {
        CItsFile file;
        if (file.OpenITS(chm) == kItsOk)
            streams = ReadProjectStreams(file);
    }
    std::string contents;
    std::string index;
    if (!reader.CHM_FindHHCAtRoot(contents) && !streams.hasBinaryToc) {
        if (mb::ShowMessage(Prompt(), Text(kStrNoContents), Text(kStrProductName),
                            mb::Buttons::OkCancel, mb::Icon::Question) == mb::Answer::Ok) {
            std::string folder = mb::UnusedFolder(GetDecompileFolderName(chm));
            {
                mb::BusyCursor busy(Prompt());
                Decompile(chm, folder, false);
            }
            CBWHelper::OpenDirectoryInWindowsExplorer(*m_context.desktop, folder);
        }
        return 0;
    }
    reader.CHM_FindHHKAtRoot(index);

    std::string folder = mb::UnusedFolder(GetConversionFolderName(chm));
    {
        mb::BusyCursor busy(Prompt());
        std::string reason;
        if (!CPath::CreateDir(folder, &reason)) {
            Tell(Prompt(), Text(kStrImportChmFailed) + "\n\n" + folder + ": " + reason);
            return 0;
        }
        // A project from some of the pages would pass for the whole help
        // file; what could not be written is in the log.
        if (reader.CHM_Decompile(folder, false) != 0) {
            RemoveFolder(folder);
            Tell(Prompt(), Text(kStrImportChmFailed) + "\n\n" + chm + Reasons(problems));
            return 0;
        }
    }
    mb::DecompiledProjectFiles files =
        mb::WriteDecompiledProjectFiles(streams, folder, chm, contents, index, m_context.log);
    if (!files.complete) {
        RemoveFolder(folder);
        Tell(Prompt(), Text(kStrImportChmFailed) + "\n\n" + chm + Reasons(problems));
        return 0;
    }
    contents = files.contents;
    index = files.index;
    ResetProject();
    m_project.SetProjectFolder(folder);
    if (!files.project.empty()) {
        CXML hhp("HHP");
        m_project.GetHHPFile()->ReadHHPFileToXML(files.project, &hhp);
        m_project.GetHHPFile()->ReadXMLTree_Ver2(&hhp);
        m_project.TakeTitleAsCaptionUnlessRead(hhp);
    }
    if (IsPlainName(contents)) {
        CXML hhc("HHC");
        hhc.SetAttr("ft", "ft");
        m_project.GetHHCFile()->ReadHHCFileToXML(folder + "/" + contents, &hhc);
        m_project.GetHHCFile()->ReadXMLTree_Ver2(&hhc);
        m_project.HHP_SetOptionsData(OPT_CONTENTS_FILE, contents);
    }
    if (IsPlainName(index)) {
        CXML hhk("HHK");
        hhk.SetAttr("ft", "ft");
        m_project.GetHHKFile()->ReadHHKFileToXML(folder + "/" + index, &hhk);
        m_project.GetHHKFile()->ReadXMLTree_Ver2(&hhk);
        m_project.HHP_SetOptionsData(OPT_INDEX_FILE, index);
    }
    RememberFolder(folder);
    if (!m_project.ImportCHM_X()) {
        ResetProject();
        RemoveFolder(folder);
        Tell(Prompt(), Text(kStrImportChmFailed) + "\n\n" + chm);
        return 0;
    }
    return 1;
}

int CProjectController::ImportHHP() {
    if (SaveIfModified() != kGoOn)
        return 0;
    std::optional<std::string> path = PickOne(Prompt(), kHhpFilter, LastFolder());
    return path ? ImportHHP(*path) : 0;
}

int CProjectController::ImportHHP(const std::string& path) {
    if (!Exists(path)) {
        Tell(Prompt(), "This file cannot be found:\n\n" + path);
        return 0;
    }
    ResetProject();
    int result;
    {
        mb::BusyCursor busy(Prompt());
        result = m_project.ImportHHPFile(path);
    }
    if (!result) {
        ResetProject();
        return 0;
    }
    RememberFolder(CPath(path).GetLocationNoSlash());
    return 1;
}

int CProjectController::ExportHHP() {
    mb::PickRequest request;
    request.filter = kHhpFilter;
    request.initialPath = m_project.GetProjectFolder();
    std::optional<std::string> path = Prompt().PickSavePath(request);
    if (!path || path->empty())
        return 0;
    if (CPath(*path).GetExtName().empty())
        *path += ".hhp";
    // The save dialog has asked about replacing the .hhp itself.
    return ExportHHP(*path, true);
}

int CProjectController::ExportHHP(const std::string& path) {
    return ExportHHP(path, false);
}

int CProjectController::ExportHHP(const std::string& path, bool hhpConfirmed) {
    if (!IsInProjectFolder(path))
        return 0;
    std::vector<std::string> targets = m_project.ExportHHPTargets(path);
    std::string existing;
    for (size_t i = 0; i < targets.size(); ++i) {
        if (IsOpenProject(targets[i])) {
            Tell(Prompt(), "Exporting would replace the project file itself:\n\n" + targets[i] +
                               "\n\nChoose another name for the .hhp.");
            return 0;
        }
        for (size_t k = 0; k < i; ++k) {
            if (mb::SamePath(targets[k], targets[i])) {
                Tell(Prompt(),
                     "The .hhp would be replaced by the contents or index file of the same "
                     "name:\n\n" +
                         targets[i] + "\n\nChoose another name for the .hhp.");
                return 0;
            }
        }
        if (Exists(targets[i]) && !(i == 0 && hhpConfirmed))
            existing += "\n" + targets[i];
    }
    if (!existing.empty() && mb::ShowMessage(Prompt(),
                                             "These files already exist:\n" + existing +
                                                 "\n\nDo you want to replace them?",
                                             Text(kStrProductName), mb::Buttons::YesNo,
                                             mb::Icon::Question) != mb::Answer::Yes)
        return 0;
    return m_project.ExportHHPFile(path) ? 1 : 0;
}
