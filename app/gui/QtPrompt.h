#pragma once
// The prompt interface shown with Qt: message boxes and file and folder
// pickers, and the busy cursor as the application's override cursor, lifted
// while a question is on screen so that the user can answer it. Questions
// from other threads are asked on the windows' thread, and their caller
// waits for the answer.

#include "baseutil/Prompt.h"

#include <QString>

class QWidget;

namespace mb::gui {

class QtPrompt final : public IPrompt {
public:
    // `parent`: the window the boxes belong to (may change, not owned).
    explicit QtPrompt(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }

    Answer Message(const MessageRequest& request) override;
    std::optional<std::vector<std::string>> PickOpenFiles(const PickRequest& request) override;
    std::optional<std::string> PickFolder(const PickRequest& request) override;
    std::optional<std::string> PickSavePath(const PickRequest& request) override;
    void BeginBusy() override;
    void EndBusy() override;

private:
    // Takes the busy cursor away while it lives and puts it back after.
    class BusyLift;

    QWidget* m_parent;
    int m_busyDepth = 0;
};

// "MBK Files(*.MBK)|*.MBK|All Files (*.*)|*.*" as Qt's name filters; each
// pattern matches both letter cases, since file names here are
// case-sensitive and projects made on Windows use either.
QString QtNameFilters(const std::string& filter);

// A message box of a window's own (a dialog's question about its rows, a
// warning of the compile window), over that window.
Answer ShowMessageOver(QWidget* window, const std::string& text, const std::string& caption,
                       Buttons buttons, Icon icon = Icon::None);

} // namespace mb::gui
