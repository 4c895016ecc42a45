#include "app/core/ControllerDialogs.h"

#include "baseutil/Prompt.h"
#include "commonkit/StringTable.h"
#include "runconfig/RunEnv.h"

namespace mb {

void IControllerDialogs::RunWithProgress(const std::string&, const std::function<void()>& work) {
    work();
}

void DefaultControllerDialogs::RunWithProgress(const std::string&,
                                               const std::function<void()>& work) {
    BusyCursor busy(*m_channels.prompt);
    work();
}

void DefaultControllerDialogs::ShowProjectFolderWarning(const std::string& projectFolder) {
    ShowMessage(*m_channels.prompt, kProjectFolderWarningText + projectFolder,
                CStrHelper::ML_GetStringEx(kStrProductName), Buttons::Ok, Icon::Warning);
}

void DefaultControllerDialogs::ShowLongFilenameWarning() {
    ShowMessage(*m_channels.prompt, kLongFilenameWarningText + m_env.GetLogfilename(),
                CStrHelper::ML_GetStringEx(kStrProductName), Buttons::Ok, Icon::Warning);
}

} // namespace mb
