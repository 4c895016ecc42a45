#include "editcommands/InsertCommands.h"

#include "appglue/AppHelper.h"
#include "baseutil/MainWindow.h"
#include "baseutil/Path.h"
#include "baseutil/Prompt.h"
#include "baseutil/SafeFile.h"
#include "baseutil/TextFold.h"
#include "baseutil/Xml.h"
#include "commonkit/StringTable.h"
#include "dialogkit/DialogHost.h"
#include "dialogkit/EntryDialogs.h"
#include "dialogkit/NewPageDialog.h"
#include "editcommands/CommandContext.h"
#include "markup/KeywordsEventHandler.h"
#include "markup/LiteHTMLReader.h"
#include "projectmodel/FilesList.h"
#include "projectmodel/ProjectFile.h"

namespace mb {
namespace {

constexpr int kStrNewHeading = 450;
constexpr int kStrNewKeyword = 483;

void AddFileItem(CXML* list, int kind, const std::string& name, const std::string& local) {
    CXML* item = list->AddChild("FileItem");
    item->SetAttr("Name", name);
    item->SetAttr("Type", kind);
    if (!local.empty())
        item->SetAttr("Local", local);
}

} // namespace

void InsertCommandBase::Undo() {
    // Adding entries never set the default topic, so taking them out again
    // must not clear it when one of them names the same page.
    Relocate(DoList().get(), nullptr);
}

void InsertCommandBase::Redo() {
    AddFilesList2(DoList().get());
}

int InsertCommand::Execute() {
    BusyCursor busy(Prompt());
    m_snapshot.reset();
    m_replacedPage.reset();
    CXML list("FilesList");
    if (!Gather(&list) || list.GetChildCount() == 0)
        return 0;
    if (m_setup.checked && !CheckFiles(&list))
        return 0;
    IMainWindow* window = Context().window;
    if (window && m_setup.dropped)
        window->AcceptDropTarget(m_tree);
    BeginChange();
    AddFilesList(&list);
    if (EndChange() && window && m_setup.editNewTitle)
        window->EditNewTitle(m_tree);
    return 0;
}

void InsertCommand::Undo() {
    InsertCommandBase::Undo();
    if (m_replacedPage)
        WriteReplacedPage(m_replacedPage->before);
}

void InsertCommand::Redo() {
    if (m_replacedPage)
        WriteReplacedPage(m_replacedPage->after);
    InsertCommandBase::Redo();
}

void InsertCommand::WriteReplacedPage(const std::string& text) const {
    std::string error;
    if (!WriteFileSafely(m_replacedPage->path, text, &error))
        ShowMessage(Prompt(),
                    "The page " + m_replacedPage->path + " could not be written back.\n\n" + error,
                    CStrHelper::ML_GetStringEx(kStrProductName), Buttons::Ok, Icon::Warning);
}

bool InsertCommand::Gather(CXML* list) {
    CAppHelper* helper = AppHelper();
    switch (m_setup.source) {
    case EntrySource::PickedFolder:
        return helper && helper->GetFilesList3(list);
    case EntrySource::PickedFiles:
        return helper && helper->GetFilesList1(list, m_project->GetLastOpenDir(), "", 1);
    case EntrySource::FolderView:
        return helper && helper->GetFilesListFromFolderView(list, 1);
    case EntrySource::ArchiveContent:
        return helper && helper->GetFilesListFromArchiveView_Content(list);
    case EntrySource::ArchiveIndex:
        return helper && helper->GetFilesListFromArchiveView_Index(list);
    case EntrySource::NewHeading:
        AddFileItem(list, 1,
                    CStrHelper::ML_GetStringEx(IsContents() ? kStrNewHeading : kStrNewKeyword), "");
        return true;
    case EntrySource::NewPage: {
        std::string title;
        std::string path;
        CDlgNewPage dialog(m_project, &title, &path);
        if (dialog.DoModal(*Context().dialogHost) != kIdOk)
            return false;
        if (const std::optional<std::string>& before = dialog.GetReplacedText())
            m_replacedPage = ReplacedPage{path, *before, CDlgNewPage::PageText(title)};
        AddFileItem(list, 0, title, path);
        return true;
    }
    }
    return false;
}

int AddSelectionToIndexCommand::Execute() {
    BusyCursor busy(Prompt());
    m_snapshot.reset();
    CDlgAddSelectedCEToIndex dialog(m_project);
    if (dialog.DoModal(*Context().dialogHost) != kIdOk)
        return 0;
    std::string relativeId;
    int mode = kInsertAfter;
    IndexInsertPlace(relativeId, mode);

    bool withSubEntries = m_project->GetIncludeSubEntries() == 1;
    auto selected = AskSelection(Tree::Contents);
    CXML list("FilesList");
    CXML* run = AddRun(&list, relativeId, mode);
    for (int i = 0; i < selected->GetChildCount(); ++i) {
        const CXML* entry = m_project->HHC_GetNodeByID(selected->GetChildAt(i)->GetAttr("ID"));
        if (entry && entry != m_project->HHC_GetTreeRoot())
            run->AddChild(withSubEntries ? entry->Copy() : entry->CopyNoChild());
    }
    if (run->GetChildCount() == 0)
        return 0;
    m_project->UseNewID(&list);
    BeginChange();
    AddFilesList2(&list);
    EndChange();
    return 0;
}

int AddPageKeywordsCommand::Execute() {
    BusyCursor busy(Prompt());
    m_snapshot.reset();
    std::string relativeId;
    int mode = kInsertAfter;
    IndexInsertPlace(relativeId, mode);

    auto selected = AskSelection(Tree::Contents);
    if (selected->GetChildCount() == 0)
        return kDone;
    const std::string id = selected->GetChildAt(0)->GetAttr("ID");
    const CXML* entry = id.empty() ? nullptr : m_project->HHC_GetNodeByID(id);
    if (!entry)
        return kDone;

    CPath page(m_project->HHC_GetNodeURL(entry));
    if (!page.IsLocalPath() || !page.IsFilePath())
        return kNotLocal;
    std::string extension = FoldCase(page.GetRealExtName());
    if (extension != "htm" && extension != "html")
        return kNotHtml;
    std::string text;
    if (!ReadWholeFile(page.GetEditablePath(), text))
        return kCannotOpen;
    CKeywordsEventHandler handler;
    CLiteHTMLReader reader;
    reader.setEventHandler(&handler);
    reader.Read(std::string_view(text));
    std::vector<std::string> keywords = *handler.GetKeywords();
    if (keywords.empty())
        return kNoKeywords;

    CDlgKeywordsSelect dialog(&keywords);
    if (dialog.DoModal(*Context().dialogHost) != kIdOk || keywords.empty())
        return kDone;
    CXML list("FilesList");
    CXML* run = AddRun(&list, relativeId, mode);
    for (const std::string& keyword : keywords)
        run->AddChild(entry->Copy())->SetAttr("Name", keyword);
    m_project->UseNewID(&list);
    BeginChange();
    AddFilesList2(&list);
    EndChange();
    return kDone;
}

} // namespace mb
