#include "app/gui/CompileDialog.h"

#include "app/core/ProjectController.h"
#include "baseutil/Prompt.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mb::gui {

CompileDialog::CompileDialog(CProjectController& controller, QWidget* parent)
    : QDialog(parent), m_controller(controller), m_log(new QPlainTextEdit), m_file(new QLabel),
      m_compile(new QPushButton(tr("&Compile"))), m_stop(new QPushButton(tr("&Stop"))),
      m_close(new QPushButton(tr("Cl&ose"))) {
    setWindowTitle(tr("Compile"));
    m_log->setReadOnly(true);
    m_stop->setEnabled(false);
    connect(m_compile, &QPushButton::clicked, this, &CompileDialog::StartCompile);
    connect(m_stop, &QPushButton::clicked, this, [this] {
        m_stopRequested = true;
        m_controller.CancelCompile();
    });
    connect(m_close, &QPushButton::clicked, this, &CompileDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_compile);
    buttons->addWidget(m_stop);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_log, 1);
    layout->addWidget(m_file);
    layout->addLayout(buttons);
    resize(640, 420);
}

void CompileDialog::StartCompile() {
    m_stopRequested = false;
    m_log->clear();
    CompileRequest request;
    request.log = [this](const std::string& text) {
        QString piece = QString::fromStdString(text);
        QMetaObject::invokeMethod(
            this,
            [this, piece] {
                m_log->moveCursor(QTextCursor::End);
                m_log->insertPlainText(piece);
            }, Qt::QueuedConnection);
    };
    request.progress = [this](const std::string& file) {
        QString name = QString::fromStdString(file);
        QMetaObject::invokeMethod(this, [this, name] { m_file->setText(name); },
                                  Qt::QueuedConnection);
        return !m_stopRequested;
    };
    request.notifyWindow = this;
    std::string error = m_controller.StartCompile(request);
    if (!error.empty()) {
        ShowMessage(error, "Marrowbook", Buttons::Ok, Icon::Warning);
        return;
    }
    m_compile->setEnabled(false);
    m_close->setEnabled(false);
    m_stop->setEnabled(true);
}

int CompileDialog::Send(int message, intptr_t, void*) {
    if (message == WM_APP_COMPILE_FINISHED)
        QMetaObject::invokeMethod(this, [this] { Finished(); }, Qt::QueuedConnection);
    return 0;
}

void CompileDialog::Finished() {
    int made = m_controller.WaitForCompile();
    m_file->setText(made ? tr("The help file was made.") : tr("The help file was not made."));
    m_compile->setEnabled(true);
    m_close->setEnabled(true);
    m_stop->setEnabled(false);
}

void CompileDialog::reject() {
    if (!m_controller.IsCompiling())
        QDialog::reject();
}

} // namespace mb::gui
