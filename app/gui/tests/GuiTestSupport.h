#pragma once
// What the desktop program's tests share: settings kept apart from the
// user's, listings of folders, saved projects to open, and answers to the
// modal windows that a command opens.

#include "app/core/ProjectController.h"
#include "runconfig/ConfigData.h"
#include "runconfig/RunEnv.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
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
        CConfigData::DestroyInstance();
        CRunEnv::DestroyInstance();
    }
    ~IsolatedHome() {
        CConfigData::DestroyInstance();
        CRunEnv::DestroyInstance();
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
    CProjectController controller;
    controller.GetProject()->SetProjectFolder(QFileInfo(path).absolutePath().toStdString());
    return controller.SaveAs(path.toStdString()) == 1;
}

// Runs `answer` on the next modal window of type T once it is on screen.
template <typename T> void WhenModal(std::function<void(T*)> answer) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        if (auto* modal = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(modal);
        }
    });
    poll->start(10);
}

inline void ClickWhenAsked(QMessageBox::StandardButton button) {
    WhenModal<QMessageBox>([button](QMessageBox* box) { box->button(button)->click(); });
}

} // namespace mb::gui::testing
