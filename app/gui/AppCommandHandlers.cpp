#include "app/gui/AppCommandHandlers.h"

#include "app/gui/MainFrame.h"
#include "app/gui/SettingsCommands.h"

#include "app/core/ProjectController.h"
#include "app/core/WindowToggles.h"
#include "baseutil/Xml.h"
#include "commonkit/CommandIds.h"
#include "commonkit/Common.h"
#include "commonkit/HelpTopics.h"
#include "commonkit/StringTable.h"
#include "editcommands/CommandIds.h"
#include "editcommands/CommandManager.h"
#include "runconfig/ConfigData.h"
#include "runconfig/SettingsLocation.h"
#include "baseutil/Desktop.h"

#include <QAction>
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

QString Text(int n) {
    return QString::fromStdString(CStrHelper::ML_GetStringEx(n));
}

} // namespace

void AppCommandHandlers::Run(int commandId, const TabAction& action) {
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
        action.argument == 0 ? commands.Undo_ContentTree() : commands.Undo_IndexTree();
        break;
    case Handler::Redo:
        action.argument == 0 ? commands.Redo_ContentTree() : commands.Redo_IndexTree();
        break;
    case Handler::EditCommand:
        RunEdit(action.argument);
        break;
    case Handler::Link:
        RunEdit(CMD_CHANGE_CONTENTS_LOCAL, action.argument);
        break;
    case Handler::InsertMode:
        CConfigData::Instance()->SetInsertMode(action.argument);
        break;
    case Handler::ToggleToolbar:
        m_frame.MainToolBar()->setVisible(m_frame.MainToolBar()->isHidden());
        break;
    case Handler::ToggleStatusBar:
        m_frame.statusBar()->setVisible(m_frame.statusBar()->isHidden());
        break;
    case Handler::ToggleChmExplorer: {
        int& on = CConfigData::Instance()->m_bArchiveViewOn;
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
                           CConfigData::Instance()->GetSelectedConfigPage(), &m_frame);
        break;
    case Handler::DropFileFilters:
        ShowDropFileFilters(&m_frame);
        break;
    case Handler::FavoriteEditors:
        ShowFavoriteEditors(&m_frame);
        break;
    case Handler::Preferences:
        ShowPreferences(&m_frame);
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
        CCommon::Instance()->ShowHelp(action.argument == 0 ? help::kWelcome
                                                           : help::kQuickGuide);
        break;
    case Handler::About:
        ShowAbout();
        break;
    case Handler::WebPage:
        OpenDocumentation();
        break;
    case Handler::CheckUpdate:
        ExplainUpdates();
        break;
    case Handler::RenameEntry:
    case Handler::ChangeIcon:
    case Handler::ReplaceUnwelcome:
    case Handler::SetDefaultTopic:
        NotYetAvailable(commandId);
        break;
    }
}

void AppCommandHandlers::RunEdit(int command, int linkMode) {
    CXML parameters("PARAMETERS");
    if (linkMode)
        parameters.SetAttr("GET_URL_MODE", std::to_string(linkMode));
    m_frame.Commands().DoCommand(command, &parameters);
}

void AppCommandHandlers::AskHelpTitle() {
    std::string current;
    m_frame.Controller().GetProject()->HHP_GetOptionsData(OPT_TITLE, current);
    bool ok = false;
    QString title = QInputDialog::getText(&m_frame, Text(kStrProductName), QObject::tr("Help title:"),
                                          QLineEdit::Normal, QString::fromStdString(current), &ok);
    if (ok)
        m_frame.Controller().SetHelpTitle(title.toStdString());
}

void AppCommandHandlers::ShowAbout() {
    QString version = Text(kStrVersionMajor) + "." + Text(kStrVersionMinor);
    QMessageBox::about(&m_frame, QObject::tr("About %1").arg(Text(kStrProductName)),
                       Text(kStrProductName) + " v" + version + " (Build " +
                           Text(kStrVersionBuild) + ")");
}

void AppCommandHandlers::OpenDocumentation() {
    // The program's pages travel with it: share/doc/marrowbook beside bin/.
    QString readme = QString::fromStdString(ProgramFolder()) + "/../share/doc/marrowbook/README.md";
    if (QFileInfo(readme).isFile() && Desktop().Open(QFileInfo(readme).canonicalFilePath().toStdString()))
        return;
    QMessageBox::information(&m_frame, Text(kStrProductName),
                             QObject::tr("The Marrowbook pages are installed with the program in "
                                         "share/doc/marrowbook; they were not found beside %1.")
                                 .arg(QString::fromStdString(ProgramFolder())));
}

void AppCommandHandlers::ExplainUpdates() {
    // Installed from the system's packages, the program is updated with them;
    // it never downloads or replaces itself.
    QMessageBox::information(&m_frame, Text(kStrProductName),
                             QObject::tr("Marrowbook is updated together with the other programs "
                                         "of this computer, by its package manager (for example "
                                         "\"sudo apt upgrade\")."));
}

void AppCommandHandlers::NotYetAvailable(int commandId) {
    QAction* action = m_frame.ActionFor(commandId);
    QString name = action ? action->text().remove('&').remove("...") : QString::number(commandId);
    m_frame.statusBar()->showMessage(
        QObject::tr("\"%1\" comes with a later version of Marrowbook.").arg(name), 5000);
}

} // namespace mb::gui
