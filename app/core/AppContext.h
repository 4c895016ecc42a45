#pragma once
// What the parts of the program share. Whoever runs them owns one: the
// desktop program, the command-line tool, a test fixture or a fuzzer. It is
// handed by reference to the project controller, to the command manager
// (and through it to the commands) and to the conversions; each part sets
// what it has (its main window, its dialogs, its desktop) and leaves the
// rest at the defaults: dialogs that cancel, and the xdg desktop.
#include "app/core/ControllerDialogs.h"
#include "baseutil/XdgDesktop.h"
#include "editcommands/CommandContext.h"

namespace mb {

class AppContext : public CommandContext {
public:
    IControllerDialogs* controllerDialogs = &m_defaultControllerDialogs;
    // Opens folders and files, starts editors.
    IDesktop* desktop = &m_xdgDesktop;

private:
    DefaultControllerDialogs m_defaultControllerDialogs;
    XdgDesktop m_xdgDesktop;
};

} // namespace mb
