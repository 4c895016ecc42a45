#include "app/gui/AppCommandHandlers.h"
#include "app/gui/UiText.h"

#include "app/gui/IconSelectDialog.h"
#include "app/gui/MainFrame.h"
#include "app/gui/ProjectViews.h"
#include "app/gui/ReadmeWindow.h"
#include "app/gui/ReplaceUnwelcomeDialog.h"
#include "app/gui/SettingsCommands.h"
#include "app/gui/TreeFindBar.h"
#include "app/gui/ViewContent.h"
#include "app/gui/ViewIndex.h"

#include "app/core/ProjectController.h"
#include "app/core/WindowToggles.h"
#include "baseutil/Prompt.h"
#include "baseutil/Xml.h"
#include "commonkit/CommandIds.h"
#include "commonkit/HelpTopics.h"
#include "commonkit/StringTable.h"
#include "editcommands/CommandIds.h"
#include "editcommands/CommandManager.h"
#include "runconfig/ConfigData.h"
#include "runconfig/SettingsLocation.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>

namespace mb::gui {

namespace {

constexpr int kStrVersionMajor = 239;
constexpr int kStrVersionMinor = 240;
constexpr int kStrVersionBuild = 241;
constexpr int kStrRemoveLink = 260;

} // namespace

void AppCommandHandlers::Run(int, const TabAction& action) {
    CProjectController& controller = m_frame.Controller();
    CCommandManager& commands = m_frame.Commands();
    switch (action.handler) {
    case Handler::None:
        break;
    case Handler::NewProject:
        controller.NewProject();
        break;
    case Handler::OpenProject:
        controller.OpenProject();
        break;
    case Handler::OpenChm:
        controller.OpenChm();
        break;
    case Handler::ViewHelpFile:
        ChooseAndViewHelpFile();
        break;
    case Handler::ImportHhp:
        controller.ImportHHP();
        break;
    case Handler::ExportHhp:
        controller.ExportHHP();
        break;
    case Handler::Save:
        controller.Save();
        break;
    case Handler::SaveAs:
        controller.SaveAs();
        break;
    case Handler::Exit:
        m_frame.close();
        break;
    case Handler::Undo:
        m_frame.Views().EndLabelEditing();
        action.argument == 0 ? commands.Undo_ContentTree() : commands.Undo_IndexTree();
        break;
    case Handler::Redo:
        m_frame.Views().EndLabelEditing();
        action.argument == 0 ? commands.Redo_ContentTree() : commands.Redo_IndexTree();
        break;
    case Handler::EditCommand:
        RunEdit(action.argument);
        break;
    case Handler::Link:
        ChangeLink(action.argument);
        break;
    case Handler::InsertMode:
        m_frame.Controller().Context().settings.config.SetInsertMode(action.argument);
        break;
    case Handler::ToggleToolbar:
        m_frame.MainToolBar()->setVisible(m_frame.MainToolBar()->isHidden());
        break;
    case Handler::ToggleStatusBar:
        m_frame.statusBar()->setVisible(m_frame.statusBar()->isHidden());
        break;
    case Handler::ToggleChmExplorer: {
        int& on = m_frame.Controller().Context().settings.config.m_bArchiveViewOn;
        on = on ? 0 : 1;
        m_frame.ShowChmExplorer(on != 0);
        break;
    }
    case Handler::HelpTitle:
        AskHelpTitle();
        break;
    case Handler::WindowButton:
        ToggleViewerButton(*controller.GetProject(), static_cast<unsigned long>(action.argument),
                           &m_frame);
        break;
    case Handler::WindowStyle:
        ToggleContentsStyle(*controller.GetProject(), action.argument);
        break;
    case Handler::TabPosition:
        ChooseTabPosition(*controller.GetProject(), &m_frame);
        break;
    case Handler::ChmParameters:
        ShowProjectOptions(*controller.GetProject(),
                           m_frame.Controller().Context().settings.config.GetSelectedConfigPage(),
                           &m_frame);
        break;
    case Handler::DropFileFilters:
        ShowDropFileFilters(m_frame.Controller().Context(), &m_frame);
        break;
    case Handler::FavoriteEditors:
        ShowFavoriteEditors(m_frame.Controller().Context(), &m_frame);
        break;
    case Handler::Preferences:
        ShowPreferences(m_frame.Controller().Context(), &m_frame);
        break;
    case Handler::Compile:
        controller.CompileCommand();
        break;
    case Handler::ChmToHandheld:
        controller.ChmToHandheldCommand();
        break;
    case Handler::Decompile:
        controller.DecompileCommand();
        break;
    case Handler::BatchDecompile:
        controller.BatchDecompileCommand();
        break;
    case Handler::HelpTopic:
        m_frame.Controller().Context().ShowHelp(action.argument == 0 ? help::kWelcome
                                                                     : help::kQuickGuide);
        break;
    case Handler::About:
        ShowAbout();
        break;
    case Handler::WebPage:
        OpenDocumentation();
        break;
    case Handler::RenameEntry:
        if (action.argument == 0)
            m_frame.Views().Contents()->StartRename();
        else
            m_frame.Views().Index()->StartRename();
        break;
    case Handler::Find:
        m_frame.FindBar()->Open();
        break;
    case Handler::FindNext:
    case Handler::FindPrevious: {
        ProjectViews& views = m_frame.Views();
        ProjectTreeView* tree = views.Contents();
        if (action.argument == 1)
            tree = views.Index();
        m_frame.FindBar()->FindIn(*tree, action.handler == Handler::FindPrevious);
        break;
    }
    case Handler::ChangeIcon:
        ChangeIcon();
        break;
    case Handler::ReplaceUnwelcome:
        ReplaceUnwelcome();
        break;
    case Handler::SetDefaultTopic:
        SetDefaultTopic();
        break;
    }
}

void AppCommandHandlers::RunEdit(int command) {
    CXML parameters("PARAMETERS");
    int result = m_frame.Commands().DoCommand(command, &parameters);
    if (command == CMD_ADD_PAGE_KEYWORDS)
        ShowKeywordsResult(result);
}

void AppCommandHandlers::ShowKeywordsResult(int result) {
    QString text;
    switch (result) {
    case 1:
        text = Text(kStrPageNotOnThisComputer);
        break;
    case 2:
        text = Text(kStrPageHasNoKeywords);
        break;
    case 3:
        text = Text(kStrPageCannotBeOpened);
        break;
    case 4:
        text = Text(kStrPageIsNotHtml);
        break;
    default:
        return;
    }
    ShowMessage(*m_frame.Controller().Context().prompt, text.toStdString(),
                Text(kStrProductName).toStdString(), Buttons::Ok, Icon::Information);
}

const CXML* AppCommandHandlers::SelectedContentsEntry() const {
    return m_frame.Controller().GetProject()->HHC_GetSelectedNode();
}

void AppCommandHandlers::ChangeLink(int mode) {
    // Every mode names the entry the link belongs to.
    const CXML* entry = SelectedContentsEntry();
    if (!entry)
        return;
    CXML parameters("PARAMETERS");
    parameters.SetAttr("GET_URL_MODE", mode);
    parameters.SetAttr("ID", entry->GetAttr("ID"));
    if (mode == 3) {
        if (ShowMessage(*m_frame.Controller().Context().prompt, Text(kStrRemoveLink).toStdString(),
                        Text(kStrProductName).toStdString(), Buttons::YesNo,
                        Icon::Question) != Answer::Yes)
            return;
        parameters.SetAttr("OLD_URL", entry->GetAttr("Local"));
        parameters.SetAttr("NEW_URL", "");
    }
    m_frame.Commands().DoCommand(CMD_CHANGE_CONTENTS_LOCAL, &parameters);
}

void AppCommandHandlers::ChangeIcon() {
    std::vector<QTreeWidgetItem*> selected = m_frame.Views().Contents()->SelectedInTreeOrder();
    const CXML* entry = SelectedContentsEntry();
    if (selected.empty())
        return;
    IconSelectDialog dialog(entry ? entry->GetAttrInt("ImageNumber") : 0, &m_frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    CXML parameters("PARAMETERS");
    parameters.SetAttr("NEW_ICON", dialog.SelectedIcon());
    for (QTreeWidgetItem* item : selected)
        parameters.AddChild("NODE_ID", ProjectTreeView::IDOf(item));
    m_frame.Commands().DoCommand(CMD_CHANGE_CONTENTS_ICONS, &parameters);
}

void AppCommandHandlers::ReplaceUnwelcome() {
    ReplaceUnwelcomeDialog dialog(m_frame.Controller().Context(), &m_frame);
    if (dialog.exec() == QDialog::Accepted)
        m_frame.Commands().DoCommand(CMD_REPLACE_UNWELCOME_CHARS, nullptr);
}

void AppCommandHandlers::SetDefaultTopic() {
    const CXML* entry = SelectedContentsEntry();
    if (!entry)
        return;
    CProjectFile* project = m_frame.Controller().GetProject();
    std::string local = entry->GetAttr("Local");
    std::string topic;
    std::string file;
    project->HHP_GetOptionsData(OPT_DEFAULT_TOPIC, topic);
    project->HHP_GetWindowsData(WIN_DEFAULT_FILE, file);
    if (topic == local && file == local)
        return;
    project->HHP_SetOptionsData(OPT_DEFAULT_TOPIC, local);
    project->HHP_SetWindowsData(WIN_DEFAULT_FILE, local);
    project->SetModified(1);
    m_frame.Views().Contents()->RefreshDefaultTopic();
}

void AppCommandHandlers::AskHelpTitle() {
    std::string current;
    m_frame.Controller().GetProject()->HHP_GetOptionsData(OPT_TITLE, current);
    bool ok = false;
    QString title =
        QInputDialog::getText(&m_frame, Text(kStrProductName), Text(kStrHelpTitlePrompt),
                              QLineEdit::Normal, QString::fromStdString(current), &ok);
    if (ok)
        m_frame.Controller().SetHelpTitle(title.toStdString());
}

void AppCommandHandlers::ShowAbout() {
    QString version = Text(kStrVersionMajor) + "." + Text(kStrVersionMinor);
    QMessageBox::about(&m_frame, Text(kStrAboutTitle).arg(Text(kStrProductName)),
                       Text(kStrProductName) + " v" + version + " (Build " +
                           Text(kStrVersionBuild) + ")");
}

void AppCommandHandlers::OpenDocumentation() {
    // The program's pages travel with it: share/doc/marrowbook beside bin/.
    QString readme = InstalledReadme();
    if (!readme.isEmpty()) {
        auto* window = new ReadmeWindow(readme, &m_frame);
        window->show();
        return;
    }
    QMessageBox::information(
        &m_frame, Text(kStrProductName),
        Text(kStrManualPagesNotFound).arg(QString::fromStdString(ProgramFolder())));
}

void AppCommandHandlers::ChooseAndViewHelpFile() {
    // Starts where the project's help file is made.
    const std::string made = m_frame.Controller().GetProject()->GetCHMFileName();
    QString file = QFileDialog::getOpenFileName(&m_frame, Text(kStrViewHelpFileTitle),
                                                QFileInfo(QString::fromStdString(made)).path(),
                                                Text(kStrHelpFileFilter));
    if (!file.isEmpty())
        m_frame.Controller().Context().ViewHelpFile(file.toStdString());
}

} // namespace mb::gui
