#pragma once
// Long work (decompiling, converting) on a thread of its own while a small
// modal window says what is under way. The main window stays alive meanwhile,
// so its run log shows each file as the work reports it, and questions the
// work asks appear as usual. The window cannot be closed before the work
// has ended.

#include <QDialog>

#include <functional>

namespace mb::gui {

class ProgressWindow final : public QDialog {
    Q_OBJECT
public:
    ProgressWindow(const QString& title, QWidget* parent);
    // Runs `work` on a thread of its own and returns when it has ended.
    void Run(const std::function<void()>& work);
    void reject() override;

private:
    bool m_running = false;
};

} // namespace mb::gui
