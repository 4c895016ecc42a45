#include "editcommands/FilesCommands.h"

#include "appglue/AppHelper.h"
#include "baseutil/MainWindow.h"
#include "baseutil/Prompt.h"
#include "baseutil/Xml.h"
#include "projectmodel/ProjectFile.h"

namespace mb {

int AddProjectFilesCommand::Execute() {
    BusyCursor busy;
    CXML list("FilesList");
    if (!Gather(&list) || list.GetChildCount() == 0)
        return 0;
    if (m_setup.checked && !CheckFiles(&list))
        return 0;
    switch (m_setup.target) {
    case Target::HiddenFiles:
        m_project->HiddenFiles_AddFilesList(&list);
        break;
    case Target::Files:
        m_project->GetHHPFile()->AddFiles(&list);
        break;
    case Target::MergeFiles:
        m_project->GetHHPFile()->AddMergeFiles(&list);
        break;
    }
    return 1;
}

bool AddProjectFilesCommand::Gather(CXML* list) const {
    CAppHelper* helper = AppHelper();
    if (!helper)
        return false;
    switch (m_setup.source) {
    case Source::PickedFolder:
        return helper->GetFilesList3(list);
    case Source::PickedFiles:
        return helper->GetFilesList1(list, m_project->GetLastOpenDir(), "", 0);
    case Source::PickedMergeFiles:
        return helper->GetFilesList4(list, m_project->GetLastOpenDir());
    case Source::FolderView:
        return helper->GetFilesListFromFolderView(list, 0);
    }
    return false;
}

int FilesRequestCommand::Execute() {
    SendToMainWindow(m_message);
    return 1;
}

int ReplaceUnwelcomeCharsCommand::Execute() {
    auto selected = AskSelection(REQ_CONTENT_SELECTION_FOR_RENAME);
    if (selected->GetChildCount() == 0)
        return 0;
    // The repair takes the IDs as element values; the selection carries
    // them as attributes.
    CXML ids("IDs");
    for (int i = 0; i < selected->GetChildCount(); ++i)
        ids.AddChild("ID", selected->GetChildAt(i)->GetAttr("ID"));
    if (m_project->Content_ReplaceUCInFilename(&ids) > 0)
        SendToMainWindow(WM_APP_NOTIFY, NOTIFY_CHARS_REPLACED);
    return 1;
}

void KeepFilesListCommand::TakeParameters(const CXML* parameters) {
    const CXML* list = parameters ? parameters->GetChildByTagName("FilesList") : nullptr;
    m_list.reset(list ? list->Copy() : nullptr);
}

} // namespace mb
