// marrowbook: the desktop program for writing Compiled HTML Help.
//
// Usage: marrowbook [project.mbk | help.chm] [--screenshot picture.png]
// --screenshot saves a picture of the main window shortly after start-up
// and ends the program (for the documentation).
#include "app/gui/Artwork.h"
#include "app/gui/AuthorApp.h"
#include "helpweb/HelpWeb.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv) {
    mb::web::PrepareHelpWeb(); // before the application object exists
    QApplication application(argc, argv);
    QApplication::setApplicationName("Marrowbook");
    QApplication::setWindowIcon(mb::gui::ApplicationIcon());
    QStringList arguments = QApplication::arguments().mid(1);
    QString screenshot;
    if (int at = arguments.indexOf("--screenshot"); at >= 0 && at + 1 < arguments.size()) {
        screenshot = arguments[at + 1];
        arguments.remove(at, 2);
    }
    mb::gui::AuthorApp app;
    if (!app.Start(arguments))
        return 1;
    int status = 0;
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(1500, [&] {
            if (!app.Frame().grab().save(screenshot))
                status = 1;
            app.Frame().close();
        });
    }
    int loop = QApplication::exec();
    app.Exit();
    return status ? status : loop;
}
