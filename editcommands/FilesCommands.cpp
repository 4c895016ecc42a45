#include "editcommands/FilesCommands.h"

#include "appglue/AppHelper.h"
#include "baseutil/MainWindow.h"
#include "baseutil/Prompt.h"
#include "baseutil/Xml.h"
#include "commonkit/StringTable.h"
#include "editcommands/CommandContext.h"
#include "projectmodel/ProjectFile.h"

namespace mb {

int AddProjectFilesCommand::Execute() {
    BusyCursor busy(Prompt());
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

namespace {

// Asks Yes or No about taking `count` files out of the project: `one` for
// one file, else `many` with the count after its first part.
bool ConfirmRemoval(IPrompt& prompt, size_t count, const std::string& one,
                    const std::string& many) {
    // The files leave the project's lists only; that cannot be undone.
    const std::string text = count == 1 ? one + "\n\nThe file itself stays on the disk."
                                        : many + "\n\nThe files themselves stay on the disk.";
    return ShowMessage(prompt, text, CStrHelper::ML_GetStringEx(kStrProductName), Buttons::YesNo,
                       Icon::Question) == Answer::Yes;
}

} // namespace

int DeleteProjectFilesCommand::Execute() {
    CHHPFile* hhp = m_project->GetHHPFile();
    if (m_which == Which::All) {
        const size_t count = static_cast<size_t>(hhp->GetFilesData()->GetChildCount());
        if (count > 0 &&
            ConfirmRemoval(Prompt(), count,
                           "Do you want to remove the one file from the project's file list?",
                           "Do you want to remove all " + std::to_string(count) +
                               " files from the project's file list?")) {
            BusyCursor busy(Prompt());
            m_project->HHP_DeleteAllFiles();
        }
        return 1;
    }
    IMainWindow* window = Context().window;
    SelectedFiles selected = window ? window->SelectedProjectFiles() : SelectedFiles{};
    if (m_which == Which::SelectedMergeFiles)
        selected.files.clear();
    const size_t count = selected.files.size() + selected.mergeFiles.size();
    if (count == 0 || !ConfirmRemoval(Prompt(), count,
                                      "Do you want to remove the selected file from the project?",
                                      "Do you want to remove the " + std::to_string(count) +
                                          " selected files from the project?"))
        return 1;
    BusyCursor busy(Prompt());
    for (const std::string& name : selected.files)
        m_project->HHP_DeleteFile(name);
    for (const std::string& name : selected.mergeFiles)
        m_project->HHP_DeleteMergeFile(name);
    // Taking single files out tells no one; the views read both lists anew.
    hhp->Notify(NC_FILES_CHANGED, hhp->GetFilesData());
    return 1;
}

int ReplaceUnwelcomeCharsCommand::Execute() {
    auto selected = AskSelection(Tree::Contents);
    if (selected->GetChildCount() == 0)
        return 0;
    // The repair takes the IDs as element values; the selection carries
    // them as attributes.
    CXML ids("IDs");
    for (int i = 0; i < selected->GetChildCount(); ++i)
        ids.AddChild("ID", selected->GetChildAt(i)->GetAttr("ID"));
    if (m_project->Content_ReplaceUCInFilename(&ids) > 0)
        if (IMainWindow* window = Context().window)
            window->Notify(Notice::CharsReplaced);
    return 1;
}

void KeepFilesListCommand::TakeParameters(const CXML* parameters) {
    const CXML* list = parameters ? parameters->GetChildByTagName("FilesList") : nullptr;
    m_list.reset(list ? list->Copy() : nullptr);
}

} // namespace mb
