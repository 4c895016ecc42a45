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
                                  bool includeProject) {
    CCHMFileRW reader;
    reader.SetStopFlag(&m_stopConversion);
    if (!reader.CHM_SetCHMFile(chm)) {
        mb::LogProblem("\r\ncannot open " + chm + ": " +
                       CCHMFileRW::GetErr(reader.GetLastResult()) + "\n");
        return 0;
    }
    std::string reason;
    if (!CPath::CreateDir(folder, &reason)) {
        mb::LogProblem("\r\ncannot create the folder " + folder + ": " + reason + "\n");
        return 0;
    }
    return reader.CHM_Decompile(folder, includeProject) == 0 ? 1 : 0;
}

std::vector<CProjectController::DecompileOutcome>
CProjectController::BatchDecompile(const std::vector<std::string>& chms) {
    mb::BusyCursor busy;
    std::vector<DecompileOutcome> outcomes;
    for (const std::string& chm : chms) {
        if (m_stopConversion)
            break;
        std::string folder = mb::UnusedFolder(GetDecompileFolderName(chm));
        outcomes.push_back({chm, folder, Decompile(chm, folder, false) == 1});
    }
    return outcomes;
}

int CProjectController::ConvertToHandheld(const std::string& chm, const std::string& folder) {
    CCHMFileRW reader;
    reader.SetStopFlag(&m_stopConversion);
    return reader.CHM2PDA(chm, CPath::AddBackSlash(folder, true), "index.html") ? 1 : 0;
}

void CProjectController::DecompileCommand() {
    mb::ConversionLog log;
    CDlgChmOutput dialog(CDlgChmOutput::Kind::Decompile, LastFolder());
    if (!mb::ControllerDialogs().ShowDecompile(dialog))
        return;
    mb::ControllerDialogs().RunWithProgress("Decompiling " + dialog.GetChmText(), [&] {
        Decompile(dialog.GetChmText(), dialog.GetOutputText(), false);
    });
    CBWHelper::OpenDirectoryInWindowsExplorer(dialog.GetOutputText());
}

void CProjectController::BatchDecompileCommand() {
    mb::ConversionLog log;
    mb::PickRequest request;
    request.filter = "All supporting files (*.chm)|*.chm";
    request.initialPath = LastFolder();
    request.multiple = true;
    auto picked = mb::Prompt().PickOpenFiles(request);
    if (!picked || picked->empty())
        return;
    std::vector<DecompileOutcome> outcomes;
    mb::ControllerDialogs().RunWithProgress("Decompiling " + std::to_string(picked->size()) +
                                                " help files",
                                            [&] { outcomes = BatchDecompile(*picked); });
    // The files of one pick share a folder, and so do their output folders.
    CBWHelper::OpenDirectoryInWindowsExplorer(CPath(outcomes.front().chm).GetLocation());
}

void CProjectController::ChmToHandheldCommand() {
    mb::ConversionLog log;
    CDlgChmOutput dialog(CDlgChmOutput::Kind::Handheld, LastFolder());
    if (!mb::ControllerDialogs().ShowChmToHandheld(dialog))
        return;
    const std::string& folder = dialog.GetOutputText();
    int converted = 0;
    mb::ControllerDialogs().RunWithProgress(
        "Converting " + dialog.GetChmText(),
        [&] { converted = ConvertToHandheld(dialog.GetChmText(), folder); });
    if (!converted)
        mb::ShowMessage(CPath(dialog.GetChmText()).GetFileName() + " " +
                            CStrHelper::ML_GetStringEx(kStrNotConverted),
                        CStrHelper::ML_GetStringEx(kStrProductName), mb::Buttons::Ok,
                        mb::Icon::Warning);
    CBWHelper::OpenDirectoryInWindowsExplorer(folder);
    if (converted)
        CBWHelper::OpenDirectoryInWindowsExplorer(CPath::AddBackSlash(folder, true) + "index.html");
}
