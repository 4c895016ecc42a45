#pragma once
// The program's command handlers: project commands through the project
// controller, tree edits through the command manager, the view and settings
// commands on the main window and the configuration.

#include "app/gui/CommandHandlers.h"

class CXML;

namespace mb::gui {

class MainFrame;

class AppCommandHandlers final : public ICommandHandlers {
public:
    explicit AppCommandHandlers(MainFrame& frame) : m_frame(frame) {}
    void Run(int commandId, const TabAction& action) override;

private:
    void RunEdit(int command);
    // Command 10 tells why a page's keywords could not be added.
    void ShowKeywordsResult(int result);
    const CXML* SelectedContentsEntry() const;
    void ChangeLink(int mode);
    void ChangeIcon();
    void ReplaceUnwelcome();
    void SetDefaultTopic();
    void AskHelpTitle();
    void ShowAbout();
    void OpenDocumentation();
    // Asks for a help file and shows it in the help viewer.
    void ChooseAndViewHelpFile();

    MainFrame& m_frame;
};

} // namespace mb::gui
