#pragma once
// What the desktop program's tests share: settings kept apart from the
// user's, listings of folders, saved projects to open, and answers to the
// modal windows that a command opens.

#include "app/core/ProjectController.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace mb::gui::testing {

// Settings in a folder of their own; HOME and XDG_CONFIG_HOME point into a
// second folder that must stay empty.
class IsolatedHome {
public:
    IsolatedHome() {
        qputenv("MARROWBOOK_HOME", home.path().toUtf8());
        qputenv("HOME", outside.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (outside.path() + "/config").toUtf8());
    }
    QTemporaryDir home;
    QTemporaryDir outside;
};

// Every file below `folder`, relative to it, with its size.
inline QStringList Listing(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        files << QDir(folder).relativeFilePath(it.filePath()) + " " +
                     QString::number(it.fileInfo().size());
    }
    files.sort();
    return files;
}

// A saved, empty project at `path`, its folder the project folder.
inline bool MakeProject(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    mb::AppContext context;
    CProjectController controller(context);
    controller.GetProject()->SetProjectFolder(QFileInfo(path).absolutePath().toStdString());
    return controller.SaveAs(path.toStdString()) == 1;
}

// Runs `answer` on the next modal window of type T once it is on screen.
// When none comes within `timeoutMs`, the running test fails and a dialog
// that is modal instead is closed, so that the test ends rather than hangs.
template <typename T> void WhenModal(std::function<void(T*)> answer, int timeoutMs = 30000) {
    auto* poll = new QTimer;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(poll, &QTimer::timeout, [poll, answer, clock, timeoutMs] {
        QWidget* active = QApplication::activeModalWidget();
        auto* modal = qobject_cast<T*>(active);
        if (!modal && !clock.hasExpired(timeoutMs))
            return;
        poll->stop();
        poll->deleteLater();
        if (modal) {
            answer(modal);
            return;
        }
        const QString failure = QString("no modal %1 within %2 ms (modal instead: %3)")
                                    .arg(T::staticMetaObject.className())
                                    .arg(timeoutMs)
                                    .arg(active ? active->metaObject()->className() : "none");
        QTest::qFail(qPrintable(failure), __FILE__, __LINE__);
        if (auto* dialog = qobject_cast<QDialog*>(active))
            dialog->reject();
    });
    poll->start(10);
}

inline void ClickWhenAsked(QMessageBox::StandardButton button) {
    WhenModal<QMessageBox>([button](QMessageBox* box) { box->button(button)->click(); });
}

} // namespace mb::gui::testing
