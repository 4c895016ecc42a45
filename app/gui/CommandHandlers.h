#pragma once
// What the main window's commands do once routed: the dispatch of a
// command's handler for the active tab. The program uses AppCommandHandlers;
// a test may install its own to watch the routing.

#include "app/gui/CommandRoutes.h"

namespace mb::gui {

class ICommandHandlers {
public:
    virtual ~ICommandHandlers() = default;
    // Carries out `action`, reached from command `commandId`.
    virtual void Run(int commandId, const TabAction& action) = 0;
};

} // namespace mb::gui
