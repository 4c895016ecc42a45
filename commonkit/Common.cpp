#include "commonkit/Common.h"

#include "baseutil/Path.h"
#include "baseutil/Prompt.h"
#include "commonkit/InstallLayout.h"
#include "commonkit/StringTable.h"

#include <sys/stat.h>

namespace {

bool IsFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

std::string CCommon::GetHelpFilePath() {
    return HelpFileFor(CPath(CStrHelper::GetAppRunPathString()).GetLocationNoSlash());
}

std::string CCommon::HelpFileFor(const std::string& programFolder) {
    std::string name = CStrHelper::ML_GetStringEx(kStrHelpFileName);
    std::string beside = programFolder + "/" + name;
    if (IsFile(beside) || !mb::IsInstalledTree(programFolder))
        return beside;
    return mb::InstalledDataFolder(programFolder) + "/" + name;
}

bool CCommon::ViewHelpFile(const HelpViewer& viewer, mb::IDesktop& desktop,
                           const std::string& helpFile) {
    // The program's own viewer where there is one; else whatever the
    // desktop shows help files with.
    if (viewer)
        return viewer(helpFile, "");
    return desktop.DefaultProgramFor(helpFile) && desktop.Open(helpFile);
}

bool CCommon::ShowHelp(const HelpViewer& viewer, mb::IDesktop& desktop, mb::IPrompt& prompt,
                       const std::string& topic) {
    std::string helpFile = GetHelpFilePath();
    if (!IsFile(helpFile)) {
        mb::ShowMessage(prompt, CStrHelper::ML_GetStringEx(kStrHelpFileMissing) + "\n\n" + helpFile,
                        CStrHelper::ML_GetStringEx(kStrProductName), mb::Buttons::Ok,
                        mb::Icon::Warning);
        return false;
    }
    if (viewer)
        return viewer(helpFile, topic);
    return desktop.Open(helpFile);
}
