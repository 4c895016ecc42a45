#include "editcommands/SettingCommands.h"

#include "dialogkit/DialogHost.h"
#include "editcommands/CommandContext.h"
#include "projectmodel/ProjectFile.h"

namespace mb {

int BackgroundColorCommand::Execute() {
    m_old = m_project->HHC_GetBackgroundColor();
    std::optional<uint32_t> chosen = Context().dialogHost->ChooseColor(m_old);
    if (!chosen || *chosen == m_old)
        return 0;
    m_new = *chosen;
    m_project->HHC_SetBackgroundColor(m_new);
    AddToHistory(new BackgroundColorCommand(*this));
    return 0;
}

void BackgroundColorCommand::Undo() {
    m_project->HHC_SetBackgroundColor(m_old);
}

void BackgroundColorCommand::Redo() {
    m_project->HHC_SetBackgroundColor(m_new);
}

int FontCommand::Execute() {
    m_project->Content_GetFont(m_old);
    std::optional<LOGFONTA> chosen = Context().dialogHost->ChooseFont(m_old);
    if (!chosen)
        return -1;
    m_new = *chosen;
    m_project->Content_SetFont(m_new);
    AddToHistory(new FontCommand(*this));
    return 0;
}

void FontCommand::Undo() {
    m_project->Content_SetFont(m_old);
}

void FontCommand::Redo() {
    m_project->Content_SetFont(m_new);
}

} // namespace mb
