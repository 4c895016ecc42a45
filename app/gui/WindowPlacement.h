#pragma once
// The main window's position and layout (with the widths of the panes of a
// splitter in its middle), kept in an INI file in the settings folder (so
// that MARROWBOOK_HOME keeps test runs apart).

class QMainWindow;
class QString;

namespace mb::gui {

QString WindowSettingsFile();
// Why the placement file is neither read nor written, or "": anything but
// a regular file at its place (a link, a named pipe, ...) is left alone.
QString WindowPlacementProblem();
void SaveWindowPlacement(const QMainWindow& window);
// False when nothing was stored yet or the file is left alone.
bool RestoreWindowPlacement(QMainWindow& window);

} // namespace mb::gui
