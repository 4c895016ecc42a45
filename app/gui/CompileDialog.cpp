#include "app/gui/CompileDialog.h"
#include "app/gui/HelpWindow.h"
#include "app/gui/QtPrompt.h"
#include "app/gui/UiText.h"
#include "commonkit/HelpTopics.h"

#include "app/core/ProjectController.h"
#include "baseutil/Prompt.h"
#include "commonkit/StringTable.h"

#include <QApplication>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace mb::gui {

namespace {

constexpr int kStrCompiling = 49;
constexpr int kStrCompileFinished = 50;

QLabel* PathLabel(const std::string& path) {
    auto* label = new QLabel(QString::fromStdString(path));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

CompileDialog::CompileDialog(CProjectController& controller, QWidget* parent)
    : QDialog(parent), m_controller(controller), m_title(new QLineEdit),
      m_editTitle(new QPushButton(Text(kStrEditTitleButton))), m_log(new QPlainTextEdit),
      m_file(new QLineEdit), m_status(new QLabel),
      m_compile(new QPushButton(Text(kStrCompileButton))),
      m_stop(new QPushButton(Text(kStrStopButton))),
      m_view(new QPushButton(Text(kStrViewHelpFileButton))),
      m_close(new QPushButton(Text(kStrCloseDialogButton))) {
    setWindowTitle(Text(kStrCompileTitle));
    SetHelpTopic(this, help::kCompile);
    CProjectFile& project = *controller.GetProject();
    m_title->setObjectName("title");
    m_title->setReadOnly(true);
    m_title->setText(StoredTitle());
    m_title->installEventFilter(this);
    connect(m_editTitle, &QPushButton::clicked, this, &CompileDialog::EditTitle);
    connect(m_title, &QLineEdit::editingFinished, this, &CompileDialog::StoreTitle);
    m_log->setObjectName("log");
    m_log->setReadOnly(true);
    m_log->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_file->setObjectName("currentFile");
    m_file->setReadOnly(true);
    m_status->setObjectName("status");
    m_stop->setEnabled(false);
    m_compile->setObjectName("compile");
    m_stop->setObjectName("stop");
    m_view->setObjectName("view");
    m_close->setObjectName("close");
    m_editTitle->setObjectName("editTitle");
    connect(m_compile, &QPushButton::clicked, this, &CompileDialog::StartCompile);
    connect(m_stop, &QPushButton::clicked, this, [this] {
        m_stopped = true;
        m_controller.CancelCompile();
    });
    connect(m_view, &QPushButton::clicked, this, &CompileDialog::ViewHelpFile);
    connect(m_close, &QPushButton::clicked, this, &CompileDialog::reject);

    auto* titleRow = new QHBoxLayout;
    titleRow->addWidget(m_title, 1);
    titleRow->addWidget(m_editTitle);
    auto* fields = new QFormLayout;
    fields->addRow(Text(kStrProjectFileLabel), PathLabel(project.GetMBKFileName()));
    fields->addRow(Text(kStrHelpFileLabel), PathLabel(project.GetCHMFileName()));
    auto* titleLabel = new QLabel(Text(kStrTitleField));
    titleLabel->setBuddy(m_title);
    fields->addRow(titleLabel, titleRow);
    fields->addRow(Text(kStrCompilingFileLabel), m_file);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    for (QPushButton* button : {m_compile, m_stop, m_view, m_close})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_log, 1);
    layout->addLayout(buttons);
    resize(680, 460);
}

CompileDialog::~CompileDialog() {
    // The worker holds this window as its notify window and its callbacks
    // queue calls to it: let it end first.
    if (m_running)
        m_controller.CancelCompile();
    m_controller.WaitForCompile();
}

QString CompileDialog::StoredTitle() const {
    std::string title;
    m_controller.GetProject()->HHP_GetWindowsData(WIN_TITLE_BAR_TEXT, title);
    return QString::fromStdString(title);
}

void CompileDialog::EditTitle() {
    m_title->setReadOnly(false);
    m_title->setFocus();
    m_title->selectAll();
}

void CompileDialog::StoreTitle() {
    if (m_title->isReadOnly())
        return;
    m_controller.SetHelpTitle(m_title->text().toStdString());
    m_title->setText(StoredTitle());
    m_title->setReadOnly(true);
}

void CompileDialog::RestoreTitle() {
    m_title->setText(StoredTitle());
    m_title->setReadOnly(true);
}

bool CompileDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_title && event->type() == QEvent::KeyPress && !m_title->isReadOnly()) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            RestoreTitle();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            StoreTitle();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CompileDialog::StartCompile() {
    StoreTitle();
    if (m_controller.GetProject()->IsModified() && !m_controller.Save())
        return;
    m_log->clear();
    m_file->clear();
    m_lastFile.clear();
    m_stopped = false;
    // The callbacks run on the worker thread: they hand copies of their
    // text to this window's thread and never touch a widget themselves.
    CompileRequest request;
    request.log = [this](const std::string& text) {
        QMetaObject::invokeMethod(
            this, [this, piece = QString::fromStdString(text)] { AppendLog(piece); },
            Qt::QueuedConnection);
    };
    request.progress = [this](const std::string& file) {
        QMetaObject::invokeMethod(
            this, [this, name = QString::fromStdString(file)] { ShowFile(name); },
            Qt::QueuedConnection);
        return true;
    };
    // Started on this thread; finished on the worker's.
    request.started = [this] { Started(); };
    request.finished = [this] {
        QMetaObject::invokeMethod(
            this, [this] { Finished(); }, Qt::QueuedConnection);
    };
    m_running = true;
    std::string error = m_controller.StartCompile(request);
    if (!error.empty()) {
        m_running = false;
        ShowMessageOver(this, error, CStrHelper::ML_GetStringEx(kStrProductName), Buttons::Ok,
                        Icon::Warning);
    }
}

void CompileDialog::Started() {
    m_close->setEnabled(false);
    m_compile->setEnabled(false);
    m_view->setEnabled(false);
    m_editTitle->setEnabled(false);
    m_stop->setEnabled(true);
    SetStatus(Text(kStrCompiling), palette().color(QPalette::WindowText));
}

void CompileDialog::Finished() {
    const bool made = m_controller.WaitForCompile() == 1;
    m_running = false;
    if (made) {
        AppendLog(Text(kStrCompileFinishedLog));
        SetStatus(Text(kStrCompileFinished), QColor(0, 0, 255));
    } else if (m_stopped) {
        AppendLog(Text(kStrCompileStoppedLog));
        SetStatus(Text(kStrCompileStopped), QColor(192, 0, 0));
    } else {
        AppendLog(Text(kStrCompileFailedLog));
        SetStatus(Text(kStrHelpFileNotMade), QColor(192, 0, 0));
    }
    m_close->setEnabled(true);
    m_compile->setEnabled(true);
    m_view->setEnabled(true);
    m_editTitle->setEnabled(true);
    m_stop->setEnabled(false);
    setFocus();
    QApplication::beep();
}

void CompileDialog::ViewHelpFile() {
    const std::string chm = m_controller.GetProject()->GetCHMFileName();
    QString why;
    if (!QFileInfo(QString::fromStdString(chm)).isFile())
        why = Text(kStrHelpFileNotMadeYet);
    else if (!m_controller.Context().ViewHelpFile(chm))
        why = Text(kStrNoHelpViewer);
    if (!why.isEmpty())
        ShowMessageOver(this, chm + "\n\n" + why.toStdString(),
                        CStrHelper::ML_GetStringEx(kStrProductName), Buttons::Ok, Icon::Warning);
}

void CompileDialog::AppendLog(const QString& text) {
    m_log->moveCursor(QTextCursor::End);
    m_log->insertPlainText(text);
    m_log->verticalScrollBar()->setValue(m_log->verticalScrollBar()->maximum());
}

void CompileDialog::ShowFile(const QString& name) {
    // The enciphered project copy goes into the help file unannounced.
    if (name.isEmpty() || name == m_lastFile || name.endsWith(".mbkmbk", Qt::CaseInsensitive))
        return;
    m_lastFile = name;
    m_file->setText(name);
}

void CompileDialog::SetStatus(const QString& text, const QColor& color) {
    QPalette palette = m_status->palette();
    palette.setColor(QPalette::WindowText, color);
    m_status->setPalette(palette);
    m_status->setText(text);
}

void CompileDialog::reject() {
    if (!m_running)
        QDialog::reject();
}

} // namespace mb::gui
