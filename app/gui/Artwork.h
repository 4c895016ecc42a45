#pragma once
// The program's pictures, drawn in code: the application icon (a closed
// book with a bookmark) and the splash screen; the toolbar takes the
// style's pictures.

#include <QIcon>
#include <QPixmap>

namespace mb::gui {

QIcon ApplicationIcon();
QPixmap SplashPixmap();

// The picture of a main-toolbar command, or a null icon for one shown as text.
QIcon ToolbarIcon(int commandId);

} // namespace mb::gui
