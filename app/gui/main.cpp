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
#include "commonkit/Common.h"
#include "helpweb/HelpWeb.h"

#include <QApplication>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <optional>
#include <string_view>

namespace {

void PrintUsage() {
    std::printf(
        "Usage: marrowbook [project.mbk | help.chm]\n"
        "       marrowbook --view help.chm\n"
        "       marrowbook --screenshot picture.png [--right-tab N] [project.mbk]\n\n"
        "Opens a project, or a help file as Open CHM does, in the desktop program.\n\n"
        "Options:\n"
        "  --view FILE.chm         show a compiled help file in the help window alone\n"
        "  --screenshot FILE.png   save a picture of the main window shortly after\n"
        "                          start-up, then end\n"
        "  --right-tab N           with --screenshot: show tab N (from 0) of the right pane\n"
        "  --version               print the version of the program\n"
        "  --help                  show this help\n\n"
        "The program's own help file: %s\n",
        CCommon::GetHelpFilePath().c_str());
}

// --help and --version, answered before any window exists (no display
// needed); nothing for any other command line.
std::optional<int> AnswerInformationRequest(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i];
        if (argument == "--version") {
            // MB_VERSION: the project's version, set by the build.
            std::printf("marrowbook %s\n", MB_VERSION);
            return 0;
        }
        if (argument == "--help" || argument == "-h") {
            PrintUsage();
            return 0;
        }
    }
    return std::nullopt;
}

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
    if (std::optional<int> answered = AnswerInformationRequest(argc, argv))
        return *answered;
    int signal = 0;
    int status = RunProgram(argc, argv, signal);
    // Ended by a termination signal: whoever sent it sees that it did.
    if (signal != 0)
        mb::EndBySignal(signal);
    return status;
}
