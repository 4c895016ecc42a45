#pragma once
// The program's own page (its README, installed beside it) in a window of
// the program, so that Help / Web Page works whether or not the desktop has
// a program for Markdown files.

#include <QTextBrowser>

namespace mb::gui {

class ReadmeWindow final : public QTextBrowser {
    Q_OBJECT
public:
    // Shows the Markdown file `path`; its pictures are found beside it and
    // its web links open in the desktop's browser.
    ReadmeWindow(const QString& path, QWidget* owner);
};

// The README of this program: share/doc/marrowbook beside the programs'
// folder, where installing puts it and the build tree mirrors it ("" when
// it is not there).
QString InstalledReadme();

} // namespace mb::gui
