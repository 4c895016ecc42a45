#include "app/gui/AuthorApp.h"

#include "app/gui/Artwork.h"
#include "app/gui/WindowPlacement.h"

#include "app/core/LanguageTable.h"
#include "baseutil/MainWindow.h"
#include "baseutil/Xml.h"
#include "commonkit/StringTable.h"
#include "projectmodel/ProjectFile.h"
#include "runconfig/ConfigData.h"
#include "runconfig/RunEnv.h"

#include <QApplication>
#include <QFileInfo>
#include <QSplashScreen>

namespace mb::gui {

namespace {

// The window that shows the progress of long project work.
MainFrame* g_progressFrame = nullptr;

int ProjectProgress(int code, CXML* data) {
    if (g_progressFrame)
        g_progressFrame->ShowProgress(code, data ? data->GetAttrInt("value") : 0);
    return 1;
}

} // namespace

AuthorApp::AuthorApp() : m_controller(&m_commands) {}

AuthorApp::~AuthorApp() {
    Exit();
    if (g_progressFrame == m_frame.get()) {
        g_progressFrame = nullptr;
        PR_SetCallBackFunction(nullptr);
    }
    SetMainWindow(nullptr);
    SetPrompt(nullptr);
    SetControllerDialogs(nullptr);
    SetProjectDialogs(nullptr);
    SetDialogHost(nullptr);
    SetSortDialog(nullptr);
}

bool AuthorApp::Start(const QStringList& arguments) {
    // Settings and the language table first: every text comes from them.
    CConfigData* config = CConfigData::Instance();
    config->ReadConfigData_XML();
    CStrHelper::GetStringCount();
    if (LanguagePosition(config->GetLCID()) < 0)
        config->SetLCID(kFallbackLanguageId);
    SetPrompt(&m_prompt);
    SetControllerDialogs(&m_controllerDialogs);
    SetProjectDialogs(&m_projectDialogs);
    SetDialogHost(&m_dialogHost);
    SetSortDialog(&m_sortDialog);

    QSplashScreen splash(SplashPixmap());
    splash.show();
    QApplication::processEvents();

    m_frame = std::make_unique<MainFrame>(m_controller, m_commands);
    m_requests = std::make_unique<MainWindowRequests>(*m_frame);
    m_prompt.SetParent(m_frame.get());
    m_controllerDialogs.SetParent(m_frame.get());
    m_projectDialogs.SetParent(m_frame.get());
    m_dialogHost.SetParent(m_frame.get());
    m_sortDialog.SetParent(m_frame.get());
    SetMainWindow(m_requests.get());
    g_progressFrame = m_frame.get();
    PR_SetCallBackFunction(ProjectProgress);

    m_controller.InitProject();
    OpenCommandLineProject(arguments);
    splash.close();

    RestoreWindowPlacement(*m_frame);
    m_frame->show();

    m_commands.SetProjectFile(m_controller.GetProject());
    m_commands.SetAppHelper(&m_helper);
    m_commands.CreateCommandObject();
    m_controller.GetProject()->SetModified(0);
    m_helper.SetAddDirectoryOption(&config->m_addDirectoryOption);
    m_helper.SetDropFileFilterSet(config->GetDropFileFilterSet());
    CRunEnv::Instance()->CleanLogFile();
    m_frame->RefreshFromProject();
    return true;
}

void AuthorApp::OpenCommandLineProject(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        std::string path = QFileInfo(argument).absoluteFilePath().toStdString();
        // A project that cannot be opened leaves the empty project.
        if (argument.endsWith(".mbk", Qt::CaseInsensitive)) {
            m_controller.OpenProject(path);
            return;
        }
        // "Open with" of a help file: opened as a project, as Open CHM does.
        if (argument.endsWith(".chm", Qt::CaseInsensitive)) {
            m_controller.OpenChm(path);
            return;
        }
    }
}

void AuthorApp::Exit() {
    if (m_exited || !m_frame)
        return;
    m_exited = true;
    m_commands.ClearCommandHistoryList_ContentTree();
    m_commands.ClearCommandHistoryList_IndexTree();
    m_commands.DeleteCommandObject();
    CConfigData::Instance()->WriteConfigData_XML();
}

} // namespace mb::gui
