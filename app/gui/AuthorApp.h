#pragma once
// The desktop program as one object: it owns the Qt prompt and dialogs, the
// application context that hands them on, the command manager, the project
// controller, the application helper, the main-window interface and the
// main window, and carries out start-up and shutdown in their fixed order.

#include "app/core/InterruptWatch.h"
#include "app/core/ProjectController.h"
#include "app/gui/AddFolderDialog.h"
#include "app/gui/HelpWindow.h"
#include "app/gui/MainFrame.h"
#include "app/gui/MainWindowRequests.h"
#include "app/gui/QtDialogHost.h"
#include "app/gui/QtDialogs.h"
#include "app/gui/QtPrompt.h"
#include "app/gui/QtSortDialog.h"
#include "appglue/AppHelper.h"
#include "editcommands/CommandManager.h"

#include <QStringList>

#include <memory>

namespace mb::gui {

class AuthorApp {
public:
    AuthorApp();
    ~AuthorApp();
    AuthorApp(const AuthorApp&) = delete;
    AuthorApp& operator=(const AuthorApp&) = delete;

    // Start-up: settings, language table, splash screen, main window, the
    // project named by `arguments` (the first one ending in ".mbk", any
    // letter case, relative to the working folder; or a ".chm" opened as Open
    // CHM does). False when the program cannot run.
    bool Start(const QStringList& arguments);
    // Shutdown after the main window closed: clears the undo histories and
    // the command objects and writes the configuration. Runs once.
    void Exit();
    // The termination signal (SIGTERM, SIGINT, SIGHUP) that ended the
    // program, or 0. Such a signal stops a compile and the conversions as
    // Stop does; once the compile has cleaned up after itself, the program
    // quits without asking anything, as nobody may be there to answer.
    // After the object is gone the program ends itself by that signal
    // (EndBySignal).
    int EndingSignal() const { return m_interrupts ? m_interrupts->Signal() : 0; }

    MainFrame& Frame() { return *m_frame; }
    CProjectController& Controller() { return m_controller; }
    CAppHelper& Helper() { return m_helper; }
    // The window of the program's help, once a topic was shown.
    HelpWindow* Help() const { return m_help.get(); }

private:
    void OpenCommandLineProject(const QStringList& arguments);
    // On the window thread, after a termination signal.
    void QuitAfterSignal();

    AppContext m_context;
    QtPrompt m_prompt;
    QtControllerDialogs m_controllerDialogs{m_context};
    QtProjectDialogs m_projectDialogs{m_context};
    QtAddDirectoryDialog m_addDirectoryDialog{m_context};
    QtDialogHost m_dialogHost;
    QtSortDialog m_sortDialog;
    CCommandManager m_commands{m_context};
    CProjectController m_controller{m_context, &m_commands};
    CAppHelper m_helper{m_addDirectoryDialog, m_prompt, m_context.settings.env};
    std::unique_ptr<MainFrame> m_frame;
    std::unique_ptr<MainWindowRequests> m_requests;
    std::unique_ptr<HelpWindow> m_help;
    HelpKeyFilter m_helpKeys{m_context};
    bool m_exited = false;
    std::unique_ptr<InterruptWatch> m_interrupts;
};

} // namespace mb::gui
