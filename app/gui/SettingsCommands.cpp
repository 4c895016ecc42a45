#include "app/gui/SettingsCommands.h"

#include "app/gui/FavoriteEditorsDialog.h"
#include "app/gui/FilterDialog.h"
#include "app/gui/OptionsSheet.h"
#include "app/gui/PreferencesDialog.h"

#include "app/core/WindowToggles.h"
#include "app/gui/UiText.h"
#include "projectmodel/ProjectFile.h"
#include "runconfig/ConfigData.h"

#include <QInputDialog>

namespace mb::gui {

void ShowProjectOptions(CProjectFile& project, int page, QWidget* parent) {
    OptionsSheet sheet(project, page, parent);
    sheet.exec();
}

void ShowDropFileFilters(AppContext& context, QWidget* parent) {
    CDropFileFilterSet* filters = context.settings.config.GetDropFileFilterSet();
    if (!filters)
        return;
    FilterDialog dialog(*filters, FilterSection::SkipFolders, context, parent);
    dialog.exec();
}

void ShowFavoriteEditors(AppContext& context, QWidget* parent) {
    FavoriteEditorsDialog dialog(
        *context.settings.config.GetFavoriteEditorManager(*context.desktop), parent);
    dialog.exec();
}

void ShowPreferences(AppContext& context, QWidget* parent) {
    PreferencesDialog dialog(context.settings.config, context, parent);
    dialog.exec();
}

void ToggleViewerButton(CProjectFile& project, unsigned long flag, QWidget* parent) {
    if (ToggleWindowButton(project, flag) == ToggleOutcome::NeedsTarget)
        ShowProjectOptions(project, CProjectOptionsForm::Buttons, parent);
}

void ChooseTabPosition(CProjectFile& project, QWidget* parent) {
    const QStringList positions{Text(kStrTabPositionTop), Text(kStrTabPositionLeft),
                                Text(kStrTabPositionBottom)};
    bool ok = false;
    QString chosen =
        QInputDialog::getItem(parent, Text(kStrTabPositionTitle), Text(kStrTabPositionPrompt),
                              positions, project.HHP_GetTabPos(), false, &ok);
    int position = positions.indexOf(chosen);
    if (ok && position != project.HHP_GetTabPos()) {
        project.HHP_SetTabPos(position);
        project.SetModified(1);
    }
}

} // namespace mb::gui
