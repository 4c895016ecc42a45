#pragma once
// Commands that change a display setting of the contents window: the
// background colour and the font. Each keeps the old and the new setting.
#include "editcommands/EditCommand.h"

#include "projectmodel/SitemapFile.h"

#include <cstdint>

namespace mb {

class BackgroundColorCommand : public EditCommand {
public:
    BackgroundColorCommand(CCommandManager* manager, CProjectFile* project)
        : EditCommand(manager, project, Tree::Contents) {}
    int Execute() override;
    void Undo() override;
    void Redo() override;

private:
    uint32_t m_old = 0;
    uint32_t m_new = 0;
};

class FontCommand : public EditCommand {
public:
    FontCommand(CCommandManager* manager, CProjectFile* project)
        : EditCommand(manager, project, Tree::Contents) {}
    // 0 on OK, -1 when the user cancelled.
    int Execute() override;
    void Undo() override;
    void Redo() override;

private:
    LOGFONTA m_old;
    LOGFONTA m_new;
};

} // namespace mb
