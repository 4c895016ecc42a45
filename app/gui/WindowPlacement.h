#pragma once
// The main window's position and layout (with the widths of the panes of a
// splitter in its middle), kept in an INI file in the settings folder (so
// that MARROWBOOK_HOME keeps test runs apart).

class QMainWindow;
class QString;

namespace mb::gui {

QString WindowSettingsFile();
void SaveWindowPlacement(const QMainWindow& window);
// False when nothing was stored yet.
bool RestoreWindowPlacement(QMainWindow& window);

} // namespace mb::gui
