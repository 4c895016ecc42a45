#include "appglue/AddDirectoryDialog.h"

#include "baseutil/Prompt.h"
#include "commonkit/StringTable.h"
#include "runconfig/RunEnv.h"

namespace mb {
namespace {

constexpr int kStrSelectFolderToAdd = 261;

class PickerDialog final : public IAddDirectoryDialog {
public:
    bool ChooseFolder(tagAddDirectoryOption& options, CDropFileFilterSet*) override {
        PickRequest request;
        request.title = CStrHelper::ML_GetStringEx(kStrSelectFolderToAdd);
        request.initialPath = CRunEnv::Instance()->GetLastOpenFolder();
        std::optional<std::string> folder = Prompt().PickFolder(request);
        if (!folder || folder->empty())
            return false;
        options.folder = *folder;
        return true;
    }
    bool ConfirmDroppedFolders(tagAddDirectoryOption&, CDropFileFilterSet*) override {
        return false;
    }
};

PickerDialog g_picker;
IAddDirectoryDialog* g_installed = nullptr;

} // namespace

IAddDirectoryDialog& AddDirectoryDialog() {
    return g_installed ? *g_installed : g_picker;
}

void SetAddDirectoryDialog(IAddDirectoryDialog* dialog) {
    g_installed = dialog;
}

} // namespace mb
