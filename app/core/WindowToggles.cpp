#include "app/core/WindowToggles.h"

#include "app/core/ProjectOptionsForm.h"
#include "baseutil/Prompt.h"
#include "commonkit/StringTable.h"
#include "projectmodel/ProjectFile.h"

namespace mb {

namespace {

constexpr int kStrNeedsBinaryToc = 347;
constexpr unsigned long kButtonHome = 0x40;
constexpr unsigned long kButtonPrev = 0x400000;
constexpr unsigned long kButtonNext = 0x200000;
constexpr unsigned long kButtonJump1 = 0x40000;
constexpr unsigned long kButtonJump2 = 0x80000;

// How each command's setting is kept: a bit of the contents pane's tree
// styles (by its index), the viewer's extended window style, or the icons.
enum class StyleKind { TreeStyle, ExtendedStyle, FolderIcons };

struct StyleCommand {
    int commandId;
    StyleKind kind;
    unsigned long bits; // style index, or extended style bits
};

constexpr StyleCommand kStyleCommands[] = {
    {32825, StyleKind::TreeStyle, 1},                      // lines
    {32826, StyleKind::TreeStyle, 0},                      // plus/minus buttons
    {32827, StyleKind::TreeStyle, 2},                      // lines at the root
    {32828, StyleKind::TreeStyle, 10},                     // single expand
    {32829, StyleKind::TreeStyle, 9},                      // track select
    {32832, StyleKind::TreeStyle, 23},                     // border
    {32834, StyleKind::ExtendedStyle, kExStyleRtlReading}, // right to left
    {32935, StyleKind::FolderIcons, 0},
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
            if (ShowMessage(CStrHelper::ML_GetStringEx(kStrNeedsBinaryToc),
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
