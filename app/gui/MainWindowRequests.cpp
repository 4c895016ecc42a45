#include "app/gui/MainWindowRequests.h"

#include "app/gui/MainFrame.h"

#include <QMetaObject>
#include <QThread>

#include <string>

namespace mb::gui {

int MainWindowRequests::Send(int message, intptr_t wParam, void* lParam) {
    if (QThread::currentThread() == m_frame.thread())
        return m_frame.HandleMessage(message, wParam, lParam);
    MainFrame* frame = &m_frame;
    switch (message) {
    case WM_APP_LOG: {
        if (!wParam)
            return 0;
        std::string line = reinterpret_cast<const char*>(wParam);
        // Queued calls to one object run in the order they were posted.
        QMetaObject::invokeMethod(
            frame, [frame, line = std::move(line)] { frame->AppendLogLine(line); },
            Qt::QueuedConnection);
        return 0;
    }
    case WM_APP_NOTIFY:
    case WM_APP_SHOW_HELP:
    case WM_APP_COMPILE_STARTED:
    case WM_APP_COMPILE_FINISHED:
        QMetaObject::invokeMethod(
            frame, [frame, message, wParam] { frame->HandleMessage(message, wParam, nullptr); },
            Qt::QueuedConnection);
        return 0;
    default:
        return 0;
    }
}

} // namespace mb::gui
