#pragma once
// The main window: the left tabs (contents, index, files) and the right tabs
// (folder explorer, page editor, entry editor and, when configured, the CHM
// explorer) in a splitter, the menus, toolbars and accelerators built from
// the command table, the recent-project menu, the status bar with the topic
// count and the progress bar, and the run log.

#include "app/gui/CommandHandlers.h"
#include "app/gui/ViewHost.h"
#include "baseutil/MainWindow.h"

#include <QMainWindow>

#include <map>
#include <memory>
#include <string>

class CCommandManager;
class CFolderViewFrame;
class CProjectController;
class CViewTocIndexEntry;
class QKeyEvent;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QTabWidget;
class QToolBar;

namespace mb::page {
class CPreviewEditFrame;
}
namespace mb::archive {
class CArchiveViewFrame;
}

namespace mb::gui {

class HelpWindowToolbar;
class ProjectViews;
class TreeFindBar;

class MainFrame : public QMainWindow, public ViewHost {
public:
    MainFrame(CProjectController& controller, CCommandManager& commands);
    ~MainFrame() override;

    // Routes command `id` by the active left tab to its handler.
    void RunCommand(int id);
    // Runs the enabled command whose shortcut is the pressed key (a key
    // the focused project view did not take; Delete deletes its selection);
    // false when there is none.
    bool RunShortcut(const QKeyEvent& event) override;
    // Replaces the handlers (the frame keeps them); until some are set,
    // commands do nothing.
    void SetCommandHandlers(std::unique_ptr<ICommandHandlers> handlers);
    // Enables each action by the route of the active tab and the undo state.
    void UpdateActionStates() override;
    // Title, topic count, recent menu and action states from the project.
    void RefreshFromProject() override;
    void RebuildRecentMenu();

    // After a notice of the main-window interface: reads the folder
    // explorer again where files may have appeared, and the project's state.
    void FollowNotice(Notice notice);
    // Opens the project folder in the folder explorer (none: nothing).
    void ShowProjectFolder();
    // One line of the run log.
    void AppendLogLine(const std::string& line);
    // Progress of long project work: PR_PROGRESS_START (value = total),
    // PR_PROGRESS_STEP sets the position, PR_PROGRESS_END; other codes are
    // ignored.
    void ShowProgress(int code, int value);

    // Adds or removes the CHM explorer tab.
    void ShowChmExplorer(bool show);

    QAction* ActionFor(int id) const override;
    void FocusActiveView() override;
    QTabWidget* LeftTabs() const { return m_left; }
    ProjectViews& Views() const { return *m_views; }
    QTabWidget* RightTabs() const { return m_right; }
    page::CPreviewEditFrame* PageEditor() const { return m_pageEditor; }
    archive::CArchiveViewFrame* ChmExplorer() const { return m_chmExplorer; }
    QMenu* RecentMenu() const { return m_recentMenu; }
    QPlainTextEdit* RunLog() const { return m_runLog; }
    QProgressBar* ProgressBar() const { return m_progress; }
    QLabel* TopicCount() const { return m_topics; }
    QToolBar* MainToolBar() const { return m_mainToolbar; }
    QToolBar* OptionsToolBar() const { return m_optionsToolbar; }
    TreeFindBar* FindBar() const { return m_findBar; }
    CFolderViewFrame* FolderView() const { return m_folderView; }
    CViewTocIndexEntry* EntryEditor() const { return m_entryEditor; }
    CProjectController& Controller() { return m_controller; }
    CCommandManager& Commands() override { return m_commands; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildPanes();
    void BuildActions();
    void BuildFindBar();
    void BuildStatusBar();
    void BuildRunLog();
    TabAction ActionOnActiveTab(int id) const;
    // The project folder without its closing separator.
    std::string ProjectFolder() const;
    bool IsEnabled(int id, const TabAction& action) const;

    CProjectController& m_controller;
    CCommandManager& m_commands;
    std::unique_ptr<ICommandHandlers> m_handlers;
    std::map<int, QAction*> m_actions;
    std::unique_ptr<ProjectViews> m_views;
    int m_activeTab = 0;
    QTabWidget* m_left = nullptr;
    QTabWidget* m_right = nullptr;
    page::CPreviewEditFrame* m_pageEditor = nullptr;
    archive::CArchiveViewFrame* m_chmExplorer = nullptr;
    CFolderViewFrame* m_folderView = nullptr;
    CViewTocIndexEntry* m_entryEditor = nullptr;
    QMenu* m_recentMenu = nullptr;
    QToolBar* m_mainToolbar = nullptr;
    QToolBar* m_optionsToolbar = nullptr;
    std::unique_ptr<HelpWindowToolbar> m_helpWindowToolbar;
    TreeFindBar* m_findBar = nullptr;
    QPlainTextEdit* m_runLog = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_topics = nullptr;
};

} // namespace mb::gui
