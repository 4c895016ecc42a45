#include "app/gui/QtPrompt.h"
#include "app/gui/UiText.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QThread>

namespace mb::gui {

class QtPrompt::BusyLift {
public:
    explicit BusyLift(int depth) : m_depth(depth) {
        for (int i = 0; i < m_depth; ++i)
            QApplication::restoreOverrideCursor();
    }
    ~BusyLift() {
        for (int i = 0; i < m_depth; ++i)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    BusyLift(const BusyLift&) = delete;
    BusyLift& operator=(const BusyLift&) = delete;

private:
    int m_depth;
};

namespace {

QMessageBox::StandardButtons ButtonsOf(Buttons buttons) {
    switch (buttons) {
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Error:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton ButtonOf(Answer answer) {
    switch (answer) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    case Answer::Retry:
        return QMessageBox::Retry;
    }
    return QMessageBox::NoButton;
}

Answer AnswerOf(int button, Buttons offered) {
    switch (button) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Retry:
        return Answer::Retry;
    default:
        // Escape or closing the box: the cautious answer.
        return offered == Buttons::Ok      ? Answer::Ok
               : offered == Buttons::YesNo ? Answer::No
                                           : Answer::Cancel;
    }
}

bool OnWindowThread() {
    return QThread::currentThread() == qApp->thread();
}

// Runs `ask` on the thread of the windows and hands back its result: a
// question from a worker waits there until the user has answered.
template <typename Ask> auto AskOnWindowThread(Ask ask) -> decltype(ask()) {
    if (OnWindowThread())
        return ask();
    decltype(ask()) result{};
    QMetaObject::invokeMethod(
        qApp, [&] { result = ask(); }, Qt::BlockingQueuedConnection);
    return result;
}

} // namespace

QString QtNameFilters(const std::string& filter) {
    QStringList parts = ToQ(filter).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
            QString p = pattern.trimmed();
            if (p == "*.*") {
                patterns << "*";
                continue;
            }
            patterns << p.toLower();
            if (p.toUpper() != p.toLower())
                patterns << p.toUpper();
        }
        patterns.removeDuplicates();
        filters << parts[i] + " (" + patterns.join(' ') + ")";
    }
    return filters.join(";;");
}

Answer QtPrompt::Message(const MessageRequest& request) {
    return AskOnWindowThread([&] {
        BusyLift lift(m_busyDepth);
        QMessageBox box(IconOf(request.icon),
                        request.caption.empty() ? Text(kStrProductName) : ToQ(request.caption),
                        ToQ(request.text), ButtonsOf(request.buttons), m_parent);
        if (request.defaultAnswer)
            box.setDefaultButton(ButtonOf(*request.defaultAnswer));
        return AnswerOf(box.exec(), request.buttons);
    });
}

std::optional<std::vector<std::string>> QtPrompt::PickOpenFiles(const PickRequest& request) {
    return AskOnWindowThread([&]() -> std::optional<std::vector<std::string>> {
        BusyLift lift(m_busyDepth);
        QStringList chosen;
        if (request.multiple) {
            chosen = QFileDialog::getOpenFileNames(
                m_parent, ToQ(request.title), ToQ(request.initialPath), QtNameFilters(request.filter));
        } else {
            QString one = QFileDialog::getOpenFileName(
                m_parent, ToQ(request.title), ToQ(request.initialPath), QtNameFilters(request.filter));
            if (!one.isEmpty())
                chosen << one;
        }
        if (chosen.isEmpty())
            return std::nullopt;
        std::vector<std::string> paths;
        for (const QString& path : chosen)
            paths.push_back(path.toStdString());
        return paths;
    });
}

std::optional<std::string> QtPrompt::PickFolder(const PickRequest& request) {
    return AskOnWindowThread([&]() -> std::optional<std::string> {
        BusyLift lift(m_busyDepth);
        QString folder =
            QFileDialog::getExistingDirectory(m_parent, ToQ(request.title), ToQ(request.initialPath));
        if (folder.isEmpty())
            return std::nullopt;
        return folder.toStdString();
    });
}

std::optional<std::string> QtPrompt::PickSavePath(const PickRequest& request) {
    return AskOnWindowThread([&]() -> std::optional<std::string> {
        BusyLift lift(m_busyDepth);
        QString path = QFileDialog::getSaveFileName(
            m_parent, ToQ(request.title), ToQ(request.initialPath), QtNameFilters(request.filter));
        if (path.isEmpty())
            return std::nullopt;
        return path.toStdString();
    });
}

// A worker's busy cursor is left to the window that shows its progress.
void QtPrompt::BeginBusy() {
    if (!OnWindowThread())
        return;
    ++m_busyDepth;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtPrompt::EndBusy() {
    if (!OnWindowThread() || m_busyDepth == 0)
        return;
    --m_busyDepth;
    QApplication::restoreOverrideCursor();
}

Answer ShowMessageOver(QWidget* window, const std::string& text, const std::string& caption,
                       Buttons buttons, Icon icon) {
    QtPrompt prompt(window);
    return ShowMessage(prompt, text, caption, buttons, icon);
}

} // namespace mb::gui
