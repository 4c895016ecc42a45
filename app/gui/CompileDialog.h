#pragma once
// The compile window: the project, its help file and title (editable after
// Edit), the compiler's log as it comes, the file being taken in, and a
// status line. Compile saves the project and starts the compiler; Stop ends
// it; View shows the help file (in the program's own help window when the
// desktop has no viewer for it). The window cannot be closed while a compile
// runs, and closing it waits for the compiler's last words, so the worker
// never reaches a deleted window.

#include <QDialog>

class CProjectController;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace mb::gui {

class CompileDialog final : public QDialog {
    Q_OBJECT
public:
    CompileDialog(CProjectController& controller, QWidget* parent);
    ~CompileDialog() override;
    void reject() override;

    bool IsRunning() const { return m_running; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StartCompile();
    void Started();
    void Finished();
    void AppendLog(const QString& text);
    // View: the help file in the desktop's viewer, else in the program's
    // own help window; a message when it cannot be shown.
    void ViewHelpFile();
    void ShowFile(const QString& name);
    void SetStatus(const QString& text, const QColor& color);
    void EditTitle();
    void StoreTitle();
    void RestoreTitle();
    QString StoredTitle() const;

    CProjectController& m_controller;
    QLineEdit* m_title;
    QPushButton* m_editTitle;
    QPlainTextEdit* m_log;
    QLineEdit* m_file;
    QLabel* m_status;
    QPushButton* m_compile;
    QPushButton* m_stop;
    QPushButton* m_view;
    QPushButton* m_close;
    QString m_lastFile;
    bool m_running = false;
    bool m_stopped = false;
};

} // namespace mb::gui
