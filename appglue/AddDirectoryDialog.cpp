#include "appglue/AddDirectoryDialog.h"

#include "baseutil/Prompt.h"
#include "commonkit/StringTable.h"
#include "runconfig/RunEnv.h"

namespace mb {
namespace {

constexpr int kStrSelectFolderToAdd = 261;

} // namespace

bool PickerAddDirectoryDialog::ChooseFolder(tagAddDirectoryOption& options, CDropFileFilterSet*) {
    PickRequest request;
    request.title = CStrHelper::ML_GetStringEx(kStrSelectFolderToAdd);
    request.initialPath = m_env.GetLastOpenFolder();
    std::optional<std::string> folder = m_prompt.PickFolder(request);
    if (!folder || folder->empty())
        return false;
    options.folder = *folder;
    return true;
}

} // namespace mb
