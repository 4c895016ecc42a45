#include "app/gui/WindowPlacement.h"

#include "commonkit/StringTable.h"
#include "runconfig/ConfigData.h"

#include <QFileInfo>
#include <QMainWindow>
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
    QFileInfo config(QString::fromStdString(CConfigData::Instance()->GetConfigFilename()));
    return config.absolutePath() + "/mbwindow.ini";
}

void SaveWindowPlacement(const QMainWindow& window) {
    QSettings settings(WindowSettingsFile(), QSettings::IniFormat);
    settings.beginGroup(Group());
    settings.setValue("geometry", window.saveGeometry());
    settings.setValue("state", window.saveState());
    if (auto* panes = qobject_cast<const QSplitter*>(window.centralWidget()))
        settings.setValue("panes", panes->saveState());
    settings.endGroup();
    settings.sync();
}

bool RestoreWindowPlacement(QMainWindow& window) {
    QSettings settings(WindowSettingsFile(), QSettings::IniFormat);
    settings.beginGroup(Group());
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
