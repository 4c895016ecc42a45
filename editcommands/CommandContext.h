#pragma once
// What the edit commands need from whoever runs them: the prompt and the log
// (the channels), the main window whose selection they work on, the host of
// their dialogs, the sort question and the project-folder questions. The
// owner (the program, a test fixture, a fuzzer) sets the parts it has; the
// others are the cautious prompt, no log and the cancelling dialogs, and
// without a main window every selection is empty.
#include "baseutil/MainWindow.h"
#include "baseutil/UserChannels.h"
#include "dialogkit/DialogHost.h"
#include "projectmodel/ProjectDialogs.h"
#include "projectmodel/SortDialog.h"

namespace mb {

class CommandContext : public UserChannels {
public:
    CommandContext() = default;
    CommandContext(const CommandContext&) = delete;
    CommandContext& operator=(const CommandContext&) = delete;

    IMainWindow* window = nullptr;
    IDialogHost* dialogHost = &m_cancellingHost;
    ISortDialog* sortDialog = &m_cancellingSort;
    IProjectDialogs* projectDialogs = &m_cancellingProjectDialogs;

private:
    CancellingDialogHost m_cancellingHost;
    CancellingSortDialog m_cancellingSort;
    CancellingProjectDialogs m_cancellingProjectDialogs;
};

} // namespace mb
