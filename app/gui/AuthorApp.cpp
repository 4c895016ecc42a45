#include "app/gui/AuthorApp.h"
#include "app/gui/AppCommandHandlers.h"

#include "app/gui/Artwork.h"
#include "app/gui/WindowPlacement.h"

#include "app/core/LanguageTable.h"
#include "baseutil/MainWindow.h"
#include "baseutil/Xml.h"
#include "commonkit/StringTable.h"
#include "projectmodel/ProjectFile.h"
#include "runconfig/ConfigData.h"

#include <QApplication>
#include <QFileInfo>
#include <QSplashScreen>

namespace mb::gui {

AuthorApp::AuthorApp() {
    m_context.controllerDialogs = &m_controllerDialogs;
    m_context.projectDialogs = &m_projectDialogs;
    m_context.dialogHost = &m_dialogHost;
    m_context.sortDialog = &m_sortDialog;
    m_context.prompt = &m_prompt;
}

AuthorApp::~AuthorApp() {
    Exit();
    m_controller.GetProject()->SetProgressSink(nullptr);
    qApp->removeEventFilter(&m_helpKeys);
    m_context.helpViewer = nullptr;
    m_context.log = nullptr;
    m_context.window = nullptr;
}

bool AuthorApp::Start(const QStringList& arguments) {
    // Settings and the language table first: every text comes from them.
    CConfigData* config = &m_context.settings.config;
    config->ReadConfigData_XML();
    CStrHelper::GetStringCount();
    if (LanguagePosition(config->GetLCID()) < 0)
        config->SetLCID(kFallbackLanguageId);

    QSplashScreen splash(SplashPixmap());
    splash.show();
    QApplication::processEvents();

    m_frame = std::make_unique<MainFrame>(m_controller, m_commands);
    m_frame->SetCommandHandlers(std::make_unique<AppCommandHandlers>(*m_frame));
    m_requests = std::make_unique<MainWindowRequests>(*m_frame);
    m_prompt.SetParent(m_frame.get());
    m_controllerDialogs.SetParent(m_frame.get());
    m_projectDialogs.SetParent(m_frame.get());
    m_addDirectoryDialog.SetParent(m_frame.get());
    m_dialogHost.SetParent(m_frame.get());
    m_sortDialog.SetParent(m_frame.get());
    m_context.window = m_requests.get();
    m_context.log = m_requests.get();
    // The progress of long project work drives the status bar's progress bar.
    m_controller.GetProject()->SetProgressSink(
        [this](int code, int value) { m_frame->ShowProgress(code, value); });

    // Help topics open in the program's own help window; F1 in a dialog
    // opens the dialog's topic.
    m_context.helpViewer = [this](const std::string& file, const std::string& topic) {
        if (!m_help)
            m_help = std::make_unique<HelpWindow>();
        m_help->ShowTopic(file, topic);
        return true;
    };
    qApp->installEventFilter(&m_helpKeys);
    // The compile and the conversions stop at once, also while the window
    // thread is busy with a conversion; the quitting waits for the window
    // thread.
    m_interrupts = std::make_unique<InterruptWatch>([this] {
        m_controller.StopConversion();
        m_controller.CancelCompile();
        QMetaObject::invokeMethod(
            qApp, [this] { QuitAfterSignal(); }, Qt::QueuedConnection);
    });

    m_controller.InitProject();
    OpenCommandLineProject(arguments);
    // The folder explorer starts beside the project.
    m_frame->ShowProjectFolder();
    splash.close();

    RestoreWindowPlacement(*m_frame);
    m_frame->show();

    m_commands.SetProjectFile(m_controller.GetProject());
    m_commands.SetAppHelper(&m_helper);
    m_commands.CreateCommandObject();
    m_controller.GetProject()->SetModified(0);
    m_helper.SetAddDirectoryOption(&config->m_addDirectoryOption);
    m_helper.SetDropFileFilterSet(config->GetDropFileFilterSet());
    m_context.settings.env.CleanLogFile(m_prompt);
    // The program's own files that are left alone this run, and why.
    for (const std::string& problem :
         {config->GetFileProblem(), m_context.settings.env.GetLogProblem(),
          WindowPlacementProblem().toStdString()}) {
        if (!problem.empty())
            LogProblem(m_context.log, problem);
    }
    m_frame->RefreshFromProject();
    return true;
}

void AuthorApp::QuitAfterSignal() {
    // The compile's clean-up removes its files before the program goes.
    m_controller.WaitForCompile();
    // Every event loop ends, also that of an open window such as the
    // compile window's.
    QApplication::exit(0);
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
    m_context.settings.config.WriteConfigData_XML(*m_context.desktop, m_prompt);
}

} // namespace mb::gui
