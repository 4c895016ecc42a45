#pragma once
// The commands of the Settings menu and the options toolbar: the project
// options sheet, the drop-file filters, the favourite editors, the
// preferences, and the one-click settings of the viewer window.

class CProjectFile;
class QWidget;

namespace mb {
class AppContext;
} // namespace mb

namespace mb::gui {

void ShowProjectOptions(CProjectFile& project, int page, QWidget* parent);
void ShowDropFileFilters(AppContext& context, QWidget* parent);
void ShowFavoriteEditors(AppContext& context, QWidget* parent);
void ShowPreferences(AppContext& context, QWidget* parent);
// Flips a toolbar button of the viewer window; Home, Jump1 and Jump2 then
// open the buttons page for their target.
void ToggleViewerButton(CProjectFile& project, unsigned long flag, QWidget* parent);
// Asks where the viewer shows its navigation tabs.
void ChooseTabPosition(CProjectFile& project, QWidget* parent);

} // namespace mb::gui
