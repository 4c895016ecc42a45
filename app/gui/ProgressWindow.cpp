#include "app/gui/ProgressWindow.h"

#include "app/gui/UiText.h"

#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QVBoxLayout>

#include <exception>
#include <thread>

namespace mb::gui {

ProgressWindow::ProgressWindow(const QString& title, QWidget* parent) : QDialog(parent) {
    setWindowTitle(Text(kStrPleaseWait));
    auto* what = new QLabel(title);
    what->setWordWrap(true);
    auto* busy = new QProgressBar;
    busy->setRange(0, 0);
    auto* note = new QLabel(Text(kStrProgressNote));
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(what);
    layout->addWidget(busy);
    layout->addWidget(note);
    resize(460, sizeHint().height());
}

void ProgressWindow::Run(const std::function<void()>& work) {
    std::exception_ptr failure;
    m_running = true;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_running = false;
                accept();
            },
            Qt::QueuedConnection);
    });
    exec();
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

void ProgressWindow::reject() {
    if (!m_running)
        QDialog::reject();
}

} // namespace mb::gui
