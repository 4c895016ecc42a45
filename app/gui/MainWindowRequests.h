#pragma once
// The main-window interface of the desktop program. Log lines and notices
// are handled at once on the GUI thread; from any other thread they are
// copied and queued to the GUI thread, so a worker never waits for the
// window. The requests about the trees and the files view are answered by
// the project views, on the GUI thread.

#include "baseutil/MainWindow.h"

namespace mb::gui {

class MainFrame;

class MainWindowRequests final : public IMainWindow {
public:
    explicit MainWindowRequests(MainFrame& frame) : m_frame(frame) {}

    void Log(const std::string& line, LogKind kind) override;
    void Notify(Notice notice) override;
    std::vector<SelectedNode> SelectedNodes(Tree tree) override;
    void SelectNodes(Tree tree, const std::vector<SelectedNode>& nodes) override;
    void AcceptDropTarget(Tree tree) override;
    void EditNewTitle(Tree tree) override;
    SelectedFiles SelectedProjectFiles() override;

private:
    // Runs `call` on the GUI thread: at once there, else queued.
    template <typename Call> void OnWindowThread(Call call);

    MainFrame& m_frame;
};

} // namespace mb::gui
