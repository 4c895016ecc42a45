// Decompiling compiled help files into folders and converting them into
// pages for handheld screens, with the commands' dialogs and log lines.

#include "app/core/ChmOutputForm.h"
#include "app/core/ControllerDialogs.h"
#include "app/core/ConversionLog.h"
#include "app/core/PathChecks.h"
#include "app/core/ProjectController.h"
#include "baseutil/BWHelper.h"
#include "baseutil/MainWindow.h"
#include "baseutil/Path.h"
#include "baseutil/Prompt.h"
#include "commonkit/StringTable.h"
#include "compiledhelp/CHMFileRW.h"

#include <cstdio>

namespace {

constexpr int kStrNotConverted = 510;

// "_YYYYMMDD_HHMMSS" of `when` in local time.
std::string DateTimeSuffix(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[40];
    std::snprintf(text, sizeof text, "_%d%02d%02d_%02d%02d%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::string FileCount(size_t count) {
    return std::to_string(count) + (count == 1 ? " file" : " files");
}

// What a decompile of one help file made, in a sentence or two.
std::string DecompileSummary(const CProjectController::DecompileOutcome& outcome) {
    std::string files = FileCount(outcome.files) + " into " + outcome.folder;
    if (outcome.ok)
        return CPath(outcome.chm).GetFileName() + " was decompiled: " + files + ".";
    return CPath(outcome.chm).GetFileName() + " was not decompiled completely: " + files +
           ". The run log says why.";
}

std::string Beside(const CPath& chm) {
    return CPath::AddBackSlash(chm.GetLocation(), true) + chm.GetFileTitle();
}

} // namespace

std::string CProjectController::GetDecompileFolderName(const std::string& chm, std::time_t when) {
    CPath path(chm);
    return Beside(path) + "_" + path.GetExtName() + "_decompile" + DateTimeSuffix(when);
}

std::string CProjectController::GetConversionFolderName(const std::string& chm, std::time_t when) {
    CPath path(chm);
    const std::string& ext = path.GetExtName();
    return Beside(path) + "_" + (ext.size() > 3 ? ext.substr(ext.size() - 3) : ext) +
           DateTimeSuffix(when);
}

int CProjectController::Decompile(const std::string& chm, const std::string& folder,
                                  bool includeProject, size_t* files) {
    if (files)
        *files = 0;
    CCHMFileRW reader;
    reader.SetChannels(m_context);
    reader.SetStopFlag(&m_stopConversion);
    if (!reader.CHM_SetCHMFile(chm)) {
        mb::LogProblem(m_context.log, "\r\ncannot open " + chm + ": " +
                                          CCHMFileRW::GetErr(reader.GetLastResult()) + "\n");
        return 0;
    }
    std::string reason;
    if (!CPath::CreateDir(folder, &reason)) {
        mb::LogProblem(m_context.log,
                       "\r\ncannot create the folder " + folder + ": " + reason + "\n");
        return 0;
    }
    int decompiled = reader.CHM_Decompile(folder, includeProject) == 0 ? 1 : 0;
    if (files)
        *files = reader.GetFilesWritten();
    if (reader.FoundUncreatableName())
        m_context.settings.env.SetFoundLongFilename(1);
    return decompiled;
}

std::vector<CProjectController::DecompileOutcome>
CProjectController::BatchDecompile(const std::vector<std::string>& chms) {
    mb::BusyCursor busy(Prompt());
    std::vector<DecompileOutcome> outcomes;
    for (const std::string& chm : chms) {
        if (m_stopConversion)
            break;
        DecompileOutcome outcome{chm, mb::UnusedFolder(GetDecompileFolderName(chm))};
        outcome.ok = Decompile(chm, outcome.folder, false, &outcome.files) == 1;
        outcomes.push_back(outcome);
    }
    return outcomes;
}

int CProjectController::ConvertToHandheld(const std::string& chm, const std::string& folder,
                                          size_t* files) {
    CCHMFileRW reader;
    reader.SetChannels(m_context);
    reader.SetStopFlag(&m_stopConversion);
    int converted = reader.CHM2PDA(chm, CPath::AddBackSlash(folder, true), "index.html") ? 1 : 0;
    if (files)
        *files = reader.GetFilesWritten();
    if (reader.FoundUncreatableName())
        m_context.settings.env.SetFoundLongFilename(1);
    return converted;
}

void CProjectController::DecompileCommand() {
    mb::ConversionLog log(*m_context.controllerDialogs, m_context.log, m_context.settings.env);
    CDlgChmOutput dialog(CDlgChmOutput::Kind::Decompile, LastFolder(), Prompt());
    if (!m_context.controllerDialogs->ShowDecompile(dialog))
        return;
    DecompileOutcome outcome{dialog.GetChmText(), dialog.GetOutputText()};
    m_context.controllerDialogs->RunWithProgress("Decompiling " + outcome.chm, [&] {
        outcome.ok = Decompile(outcome.chm, outcome.folder, false, &outcome.files) == 1;
    });
    mb::ShowMessage(Prompt(), DecompileSummary(outcome),
                    CStrHelper::ML_GetStringEx(kStrProductName), mb::Buttons::Ok,
                    outcome.ok ? mb::Icon::Information : mb::Icon::Warning);
    CBWHelper::OpenDirectoryInWindowsExplorer(*m_context.desktop, outcome.folder);
}

void CProjectController::BatchDecompileCommand() {
    mb::ConversionLog log(*m_context.controllerDialogs, m_context.log, m_context.settings.env);
    mb::PickRequest request;
    request.filter = "All supporting files (*.chm)|*.chm";
    request.initialPath = LastFolder();
    request.multiple = true;
    auto picked = Prompt().PickOpenFiles(request);
    if (!picked || picked->empty())
        return;
    std::vector<DecompileOutcome> outcomes;
    m_context.controllerDialogs->RunWithProgress("Decompiling " + std::to_string(picked->size()) +
                                                     " help files",
                                                 [&] { outcomes = BatchDecompile(*picked); });
    size_t done = 0;
    std::string lines;
    for (const DecompileOutcome& outcome : outcomes) {
        done += outcome.ok ? 1 : 0;
        lines += "\n" + DecompileSummary(outcome);
    }
    if (outcomes.size() < picked->size())
        lines += "\n\nThe run was stopped: " + std::to_string(picked->size() - outcomes.size()) +
                 " help files were not begun.";
    mb::ShowMessage(Prompt(),
                    std::to_string(done) + " of " + std::to_string(picked->size()) +
                        " help files were decompiled.\n" + lines,
                    CStrHelper::ML_GetStringEx(kStrProductName), mb::Buttons::Ok,
                    done == picked->size() ? mb::Icon::Information : mb::Icon::Warning);
    // The files of one pick share a folder, and so do their output folders.
    CBWHelper::OpenDirectoryInWindowsExplorer(*m_context.desktop,
                                              CPath(picked->front()).GetLocation());
}

void CProjectController::ChmToHandheldCommand() {
    mb::ConversionLog log(*m_context.controllerDialogs, m_context.log, m_context.settings.env);
    CDlgChmOutput dialog(CDlgChmOutput::Kind::Handheld, LastFolder(), Prompt());
    if (!m_context.controllerDialogs->ShowChmToHandheld(dialog))
        return;
    const std::string& folder = dialog.GetOutputText();
    int converted = 0;
    size_t files = 0;
    m_context.controllerDialogs->RunWithProgress("Converting " + dialog.GetChmText(), [&] {
        converted = ConvertToHandheld(dialog.GetChmText(), folder, &files);
    });
    const std::string name = CPath(dialog.GetChmText()).GetFileName();
    const std::string written = FileCount(files) + " of the help file written into " + folder + ".";
    if (converted)
        mb::ShowMessage(Prompt(),
                        name + " was converted for handheld screens: " + written +
                            " The pages start at index.html.",
                        CStrHelper::ML_GetStringEx(kStrProductName), mb::Buttons::Ok,
                        mb::Icon::Information);
    else
        mb::ShowMessage(Prompt(),
                        name + " " + CStrHelper::ML_GetStringEx(kStrNotConverted) + "\n\n" +
                            written + " The run log says why.",
                        CStrHelper::ML_GetStringEx(kStrProductName), mb::Buttons::Ok,
                        mb::Icon::Warning);
    CBWHelper::OpenDirectoryInWindowsExplorer(*m_context.desktop, folder);
    if (converted)
        CBWHelper::OpenDirectoryInWindowsExplorer(*m_context.desktop,
                                                  CPath::AddBackSlash(folder, true) + "index.html");
}
