#pragma once
// The program's pictures, drawn in code: the application icon (a closed
// book with a bookmark) and the splash screen.

#include <QIcon>
#include <QPixmap>

namespace mb::gui {

QIcon ApplicationIcon();
QPixmap SplashPixmap();

} // namespace mb::gui
