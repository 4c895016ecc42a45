#pragma once
// The program's command handlers: project commands through the project
// controller, tree edits through the command manager, the view and settings
// commands on the main window and the configuration.

#include "app/gui/CommandHandlers.h"

namespace mb::gui {

class MainFrame;

class AppCommandHandlers final : public ICommandHandlers {
public:
    explicit AppCommandHandlers(MainFrame& frame) : m_frame(frame) {}
    void Run(int commandId, const TabAction& action) override;

private:
    void RunEdit(int command, int linkMode = 0);
    void AskHelpTitle();
    void ShowAbout();
    void OpenDocumentation();
    void ExplainUpdates();
    // A command whose window comes with a later version of the program.
    void NotYetAvailable(int commandId);

    MainFrame& m_frame;
};

} // namespace mb::gui
