#include "app/gui/WindowPlacement.h"

#include "app/gui/UiText.h"
#include "baseutil/SafeFile.h"
#include "commonkit/StringTable.h"
#include "runconfig/SettingsLocation.h"

#include <QMainWindow>
#include <QObject>
#include <QSettings>
#include <QSplitter>

namespace mb::gui {

namespace {

// The group is the product name, as the window position has always been
// filed under it.
QString Group() {
    return QString::fromStdString(CStrHelper::ML_GetStringEx(kStrProductName));
}

} // namespace

QString WindowSettingsFile() {
    return QString::fromStdString(SettingsFolderFor(ProgramFolder())) + "/mbwindow.ini";
}

QString WindowPlacementProblem() {
    const QString file = WindowSettingsFile();
    std::string kind = NonRegularFileKind(file.toStdString());
    if (kind.empty())
        return {};
    return Text(kStrWindowPlacementNotAFile).arg(file, QString::fromStdString(kind));
}

void SaveWindowPlacement(const QMainWindow& window, const QString& group) {
    if (!WindowPlacementProblem().isEmpty())
        return;
    QSettings settings(WindowSettingsFile(), QSettings::IniFormat);
    settings.beginGroup(group.isEmpty() ? Group() : group);
    settings.setValue("geometry", window.saveGeometry());
    settings.setValue("state", window.saveState());
    if (auto* panes = qobject_cast<const QSplitter*>(window.centralWidget()))
        settings.setValue("panes", panes->saveState());
    settings.endGroup();
    settings.sync();
}

bool RestoreWindowPlacement(QMainWindow& window, const QString& group) {
    if (!WindowPlacementProblem().isEmpty())
        return false;
    QSettings settings(WindowSettingsFile(), QSettings::IniFormat);
    settings.beginGroup(group.isEmpty() ? Group() : group);
    QByteArray geometry = settings.value("geometry").toByteArray();
    if (geometry.isEmpty())
        return false;
    window.restoreGeometry(geometry);
    window.restoreState(settings.value("state").toByteArray());
    if (auto* panes = qobject_cast<QSplitter*>(window.centralWidget()))
        panes->restoreState(settings.value("panes").toByteArray());
    return true;
}

} // namespace mb::gui
