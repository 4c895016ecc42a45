#pragma once
// What the parts of the program share. Whoever runs them owns one: the
// desktop program, the command-line tool, a test fixture or a fuzzer. It is
// handed by reference to the project controller, to the command manager
// (and through it to the commands) and to the conversions; each part sets
// what it has (its main window, its dialogs) and leaves the rest at the
// headless defaults, which cancel every dialog.
#include "app/core/ControllerDialogs.h"
#include "editcommands/CommandContext.h"

namespace mb {

class AppContext : public CommandContext {
public:
    IControllerDialogs* controllerDialogs = &m_defaultControllerDialogs;

private:
    DefaultControllerDialogs m_defaultControllerDialogs;
};

} // namespace mb
