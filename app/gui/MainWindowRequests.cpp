#include "app/gui/MainWindowRequests.h"

#include "app/gui/MainFrame.h"
#include "app/gui/ProjectViews.h"

#include <QMetaObject>
#include <QThread>

namespace mb::gui {

template <typename Call> void MainWindowRequests::OnWindowThread(Call call) {
    if (QThread::currentThread() == m_frame.thread())
        call();
    else
        // Queued calls to one object run in the order they were posted.
        QMetaObject::invokeMethod(&m_frame, std::move(call), Qt::QueuedConnection);
}

void MainWindowRequests::Log(const std::string& line, LogKind) {
    OnWindowThread([frame = &m_frame, line] { frame->AppendLogLine(line); });
}

void MainWindowRequests::Notify(Notice notice) {
    OnWindowThread([frame = &m_frame, notice] { frame->FollowNotice(notice); });
}

std::vector<SelectedNode> MainWindowRequests::SelectedNodes(Tree tree) {
    return m_frame.Views().SelectedNodes(tree);
}

void MainWindowRequests::SelectNodes(Tree tree, const std::vector<SelectedNode>& nodes) {
    m_frame.Views().SelectNodes(tree, nodes);
}

void MainWindowRequests::AcceptDropTarget(Tree tree) {
    m_frame.Views().AcceptDropTarget(tree);
}

void MainWindowRequests::EditNewTitle(Tree tree) {
    m_frame.Views().EditNewTitle(tree);
}

SelectedFiles MainWindowRequests::SelectedProjectFiles() {
    return m_frame.Views().SelectedProjectFiles();
}

} // namespace mb::gui
