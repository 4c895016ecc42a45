#pragma once
// The compile window: Compile starts the compiler on the saved project,
// whose log and file names appear here as it works; Stop ends it; the
// window closes only while no compile runs.

#include "baseutil/MainWindow.h"

#include <QDialog>

#include <atomic>

class CProjectController;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace mb::gui {

class CompileDialog final : public QDialog, private IMainWindow {
    Q_OBJECT
public:
    CompileDialog(CProjectController& controller, QWidget* parent);
    void reject() override;

private:
    // The compile worker's notifications, from its thread.
    int Send(int message, intptr_t wParam, void* lParam) override;
    void StartCompile();
    void Finished();

    CProjectController& m_controller;
    QPlainTextEdit* m_log;
    QLabel* m_file;
    QPushButton* m_compile;
    QPushButton* m_stop;
    QPushButton* m_close;
    std::atomic<bool> m_stopRequested = false;
};

} // namespace mb::gui
