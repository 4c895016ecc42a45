#pragma once
// A window's position and layout (with the widths of the panes of a
// splitter in its middle), kept in an INI file in the settings folder (so
// that MARROWBOOK_HOME keeps test runs apart).

#include <QString>

class QMainWindow;

namespace mb::gui {

QString WindowSettingsFile();
// Why the placement file is neither read nor written, or "": anything but
// a regular file at its place (a link, a named pipe, ...) is left alone.
QString WindowPlacementProblem();
// `group` names the window in the file; the main window's is the default.
void SaveWindowPlacement(const QMainWindow& window, const QString& group = {});
// False when nothing was stored yet or the file is left alone.
bool RestoreWindowPlacement(QMainWindow& window, const QString& group = {});

} // namespace mb::gui
