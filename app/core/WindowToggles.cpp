#include "app/core/WindowToggles.h"

#include "app/core/ProjectOptionsForm.h"
#include "baseutil/Prompt.h"
#include "commonkit/CommandIds.h"
#include "commonkit/StringTable.h"
#include "projectmodel/ProjectFile.h"

namespace mb {

namespace {

constexpr int kStrNeedsBinaryToc = 347;

// How each command's setting is kept: a bit of the contents pane's tree
// styles (by its index), the viewer's extended window style, or the icons.
enum class StyleKind { TreeStyle, ExtendedStyle, FolderIcons };

struct StyleCommand {
    int commandId;
    StyleKind kind;
    unsigned long bits; // style index, or extended style bits
};

constexpr StyleCommand kStyleCommands[] = {
    {ID_STYLE_LINES, StyleKind::TreeStyle, 1},                              // lines
    {ID_STYLE_BUTTONS, StyleKind::TreeStyle, 0},                            // plus/minus buttons
    {ID_STYLE_LINES_AT_ROOT, StyleKind::TreeStyle, 2},                      // lines at the root
    {ID_STYLE_SINGLE_EXPAND, StyleKind::TreeStyle, 10},                     // single expand
    {ID_STYLE_TRACK_SELECT, StyleKind::TreeStyle, 9},                       // track select
    {ID_STYLE_BORDER, StyleKind::TreeStyle, 23},                            // border
    {ID_STYLE_RIGHT_TO_LEFT, StyleKind::ExtendedStyle, kExStyleRtlReading}, // right to left
    {ID_STYLE_FOLDER_ICONS, StyleKind::FolderIcons, 0},
};

const StyleCommand* Find(int commandId) {
    for (const StyleCommand& command : kStyleCommands)
        if (command.commandId == commandId)
            return &command;
    return nullptr;
}

constexpr const char* kFolderImages = "Folder";

} // namespace

ToggleOutcome ToggleWindowButton(CProjectFile& project, unsigned long flag) {
    const int wasModified = project.GetModified();
    const bool on = project.HHP_GetButton(flag) == 0;
    project.HHP_SetButton(flag, on ? 1 : 0);
    project.SetModified(1);
    if (!on)
        return ToggleOutcome::Changed;
    if (flag & (kButtonPrev | kButtonNext)) {
        int binaryToc = 0;
        project.HHP_GetOptionsData(OPT_BINARY_TOC, binaryToc);
        if (binaryToc == 0) {
            if (ShowMessage(project.Prompt(), CStrHelper::ML_GetStringEx(kStrNeedsBinaryToc),
                            CStrHelper::ML_GetStringEx(kStrProductName), Buttons::YesNo,
                            Icon::Warning) != Answer::Yes) {
                project.HHP_SetButton(flag, 0);
                project.SetModified(wasModified);
                return ToggleOutcome::Declined;
            }
            project.HHP_SetOptionsData(OPT_BINARY_TOC, 1);
        }
    }
    if (flag & (kButtonHome | kButtonJump1 | kButtonJump2))
        return ToggleOutcome::NeedsTarget;
    return ToggleOutcome::Changed;
}

bool IsContentsStyleCommand(int commandId) {
    return Find(commandId) != nullptr;
}

bool IsContentsStyleOn(const CProjectFile& project, int commandId) {
    const StyleCommand* command = Find(commandId);
    if (!command)
        return false;
    switch (command->kind) {
    case StyleKind::TreeStyle:
        return (project.Content_GetContentWindowStyle() >> command->bits) & 1u;
    case StyleKind::ExtendedStyle:
        return project.HHP_GetExtendedStyle(command->bits) != 0;
    case StyleKind::FolderIcons:
        return project.Content_GetImageType() == kFolderImages;
    }
    return false;
}

void ToggleContentsStyle(CProjectFile& project, int commandId) {
    const StyleCommand* command = Find(commandId);
    if (!command)
        return;
    const bool on = !IsContentsStyleOn(project, commandId);
    switch (command->kind) {
    case StyleKind::TreeStyle:
        project.Content_SetContentWindowStyle(static_cast<int>(command->bits), on ? 1 : 0);
        break;
    case StyleKind::ExtendedStyle:
        project.HHP_SetExtendedStyle(command->bits, on ? 1 : 0);
        break;
    case StyleKind::FolderIcons:
        project.Content_SetImageType(on ? kFolderImages : "");
        break;
    }
    project.SetModified(1);
}

} // namespace mb
