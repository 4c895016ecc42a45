// marrowbook: the desktop program for writing Compiled HTML Help.
//
// Usage: marrowbook [project.mbk | help.chm] [--screenshot picture.png [--right-tab N]]
//        marrowbook --view help.chm
// --view shows a help file in the program's help viewer, on its own.
// --screenshot saves a picture of the main window shortly after start-up
// and ends the program (for the documentation); --right-tab shows the
// right pane's tab N (from 0) first.
#include "app/core/InterruptWatch.h"
#include "app/gui/Artwork.h"
#include "app/gui/AuthorApp.h"
#include "app/gui/HelpWindow.h"
#include "helpweb/HelpWeb.h"

#include <QApplication>
#include <QTabWidget>
#include <QTimer>

namespace {

// The program from the application object's making to its end; `signal`
// receives the termination signal that ended it, or 0.
int RunProgram(int argc, char** argv, int& signal) {
    mb::web::PrepareHelpWeb(); // before the application object exists
    QApplication application(argc, argv);
    QApplication::setApplicationName("Marrowbook");
    QApplication::setWindowIcon(mb::gui::ApplicationIcon());
    QStringList arguments = QApplication::arguments().mid(1);
    auto option = [&arguments](const QString& name) {
        QString value;
        if (int at = arguments.indexOf(name); at >= 0 && at + 1 < arguments.size()) {
            value = arguments[at + 1];
            arguments.remove(at, 2);
        }
        return value;
    };
    QString view = option("--view");
    if (!view.isEmpty()) {
        mb::gui::HelpWindow viewer;
        viewer.setAttribute(Qt::WA_QuitOnClose, true);
        viewer.ShowTopic(view.toStdString(), {});
        return QApplication::exec();
    }
    QString screenshot = option("--screenshot");
    QString rightTab = option("--right-tab");
    mb::gui::AuthorApp app;
    if (!app.Start(arguments))
        return 1;
    int status = 0;
    if (!screenshot.isEmpty()) {
        if (!rightTab.isEmpty())
            app.Frame().RightTabs()->setCurrentIndex(rightTab.toInt());
        QTimer::singleShot(1500, [&] {
            if (!app.Frame().grab().save(screenshot))
                status = 1;
            app.Frame().close();
        });
    }
    int loop = QApplication::exec();
    app.Exit();
    signal = app.EndingSignal();
    return status ? status : loop;
}

} // namespace

int main(int argc, char** argv) {
    int signal = 0;
    int status = RunProgram(argc, argv, signal);
    // Ended by a termination signal: whoever sent it sees that it did.
    if (signal != 0)
        mb::EndBySignal(signal);
    return status;
}
