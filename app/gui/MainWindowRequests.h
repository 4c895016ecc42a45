#pragma once
// The main-window request interface of the desktop program. On the GUI
// thread a message is handled at once. From any other thread it is copied
// (a log line's text, the notification code) and queued to the GUI thread,
// so a worker never waits for the window: it gets 0 back at once. Requests
// that carry a record to fill are answered on the GUI thread only.

#include "baseutil/MainWindow.h"

namespace mb::gui {

class MainFrame;

class MainWindowRequests final : public IMainWindow {
public:
    explicit MainWindowRequests(MainFrame& frame) : m_frame(frame) {}
    int Send(int message, intptr_t wParam, void* lParam) override;

private:
    MainFrame& m_frame;
};

} // namespace mb::gui
