#include "app/core/ControllerDialogs.h"

#include "baseutil/Prompt.h"
#include "commonkit/StringTable.h"
#include "runconfig/RunEnv.h"

namespace mb {

void IControllerDialogs::RunWithProgress(const std::string&, const std::function<void()>& work) {
    BusyCursor busy;
    work();
}

void DefaultControllerDialogs::ShowProjectFolderWarning(const std::string& projectFolder) {
    ShowMessage(kProjectFolderWarningText + projectFolder,
                CStrHelper::ML_GetStringEx(kStrProductName), Buttons::Ok, Icon::Warning);
}

void DefaultControllerDialogs::ShowLongFilenameWarning() {
    ShowMessage(kLongFilenameWarningText + CRunEnv::Instance()->GetLogfilename(),
                CStrHelper::ML_GetStringEx(kStrProductName), Buttons::Ok, Icon::Warning);
}

} // namespace mb
