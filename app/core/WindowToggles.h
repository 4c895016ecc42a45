#pragma once
// The one-click settings of the viewer window on the options toolbar: each
// toolbar button of the window, the styles of the contents pane, and the
// position of the navigation tabs.

class CProjectFile;

namespace mb {

enum class ToggleOutcome {
    Changed,
    // The user declined what the change needs; nothing changed.
    Declined,
    // The button is on now and its target is set on the buttons page.
    NeedsTarget,
};

// Flips the toolbar button `flag` of the viewer window. Turning on Prev or
// Next without a binary table of contents asks to turn that on (both or
// nothing); turning on Home, Jump1 or Jump2 asks for the target.
ToggleOutcome ToggleWindowButton(CProjectFile& project, unsigned long flag);

// Commands 32825 to 32829, 32832, 32834 and 32935: the contents pane's
// lines, plus/minus buttons, lines at the root, single expand, track select,
// border, right-to-left reading and folder icons. False for another id.
bool IsContentsStyleCommand(int commandId);
bool IsContentsStyleOn(const CProjectFile& project, int commandId);
void ToggleContentsStyle(CProjectFile& project, int commandId);

} // namespace mb
