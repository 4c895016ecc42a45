#pragma once
// The add-directory dialog, asked before a whole folder is added to the
// project. The application helper asks the dialog it was made with: the
// desktop program's window, a test's scripted fake, or PickerAddDirectoryDialog.

#include "baseutil/Prompt.h"
#include "runconfig/AddDirectoryOption.h"

class CDropFileFilterSet;
class CRunEnv;

namespace mb {

class IAddDirectoryDialog {
public:
    virtual ~IAddDirectoryDialog() = default;
    // The dialog with a folder field, for adding a folder through the menu.
    // On OK it stores the chosen folder and the include-sub-folders switch in
    // `options` and returns true; false on Cancel. `filters` (may be null)
    // is the set whose filter in use the dialog shows and lets the user edit.
    virtual bool ChooseFolder(tagAddDirectoryOption& options, CDropFileFilterSet* filters) = 0;
    // The same dialog without the folder field, for folders that were
    // dropped: on OK it stores the include-sub-folders switch.
    virtual bool ConfirmDroppedFolders(tagAddDirectoryOption& options,
                                       CDropFileFilterSet* filters) = 0;
};

// Without a window of its own: the folder is asked with the prompt's folder
// picker (the include-sub-folders switch stays as it is) and dropped folders
// are declined.
class PickerAddDirectoryDialog final : public IAddDirectoryDialog {
public:
    // The picker starts in the last folder opened in `env`.
    PickerAddDirectoryDialog(IPrompt& prompt, const CRunEnv& env) : m_prompt(prompt), m_env(env) {}
    bool ChooseFolder(tagAddDirectoryOption& options, CDropFileFilterSet*) override;
    bool ConfirmDroppedFolders(tagAddDirectoryOption&, CDropFileFilterSet*) override {
        return false;
    }

private:
    IPrompt& m_prompt;
    const CRunEnv& m_env;
};

} // namespace mb
