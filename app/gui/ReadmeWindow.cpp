#include "app/gui/ReadmeWindow.h"

#include "app/gui/UiText.h"
#include "runconfig/SettingsLocation.h"

#include <QFileInfo>
#include <QUrl>

namespace mb::gui {

ReadmeWindow::ReadmeWindow(const QString& path, QWidget* owner) : QTextBrowser(owner) {
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Text(kStrProductName));
    setOpenExternalLinks(true);
    setSource(QUrl::fromLocalFile(path), QTextDocument::MarkdownResource);
    resize(900, 700);
}

QString InstalledReadme() {
    QFileInfo readme(QString::fromStdString(ProgramFolder()) +
                     "/../share/doc/marrowbook/README.md");
    return readme.isFile() ? readme.canonicalFilePath() : QString();
}

} // namespace mb::gui
