#pragma once
// What the parts of the program share. Whoever runs them owns one: the
// desktop program, the command-line tool, a test fixture or a fuzzer. It is
// handed by reference to the project controller, to the command manager
// (and through it to the commands) and to the conversions; each part sets
// what it has (its main window, its dialogs, its desktop, its help viewer)
// and leaves the rest at the defaults: dialogs that cancel, the xdg desktop
// and no help viewer. The context owns the run's settings (read from the
// settings file by whoever wants them).
#include "app/core/ControllerDialogs.h"
#include "baseutil/XdgDesktop.h"
#include "commonkit/Common.h"
#include "editcommands/CommandContext.h"
#include "runconfig/RunSettings.h"

namespace mb {

class AppContext : public CommandContext {
public:
    // The user's settings and the facts of the run.
    RunSettings settings;
    IControllerDialogs* controllerDialogs = &m_defaultControllerDialogs;
    // Opens folders and files, starts editors.
    IDesktop* desktop = &m_xdgDesktop;
    // The program's own help viewer, which shows topics; without one (empty)
    // help files open on the desktop.
    CCommon::HelpViewer helpViewer;

    // A topic of the program's help, or a compiled help file from its home
    // page, shown with the help viewer or the desktop above.
    bool ShowHelp(const std::string& topic) {
        return CCommon::ShowHelp(helpViewer, *desktop, *prompt, topic);
    }
    bool ViewHelpFile(const std::string& helpFile) {
        return CCommon::ViewHelpFile(helpViewer, *desktop, helpFile);
    }

private:
    DefaultControllerDialogs m_defaultControllerDialogs{*this, settings.env};
    XdgDesktop m_xdgDesktop;
};

} // namespace mb
