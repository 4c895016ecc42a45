#include "app/gui/MainFrame.h"
#include "app/gui/UiText.h"

#include "app/gui/Artwork.h"
#include "app/gui/HelpWindowToolbar.h"
#include "app/gui/ProjectViews.h"
#include "app/gui/TreeFindBar.h"
#include "app/gui/ViewContent.h"
#include "app/gui/ViewFiles.h"
#include "app/gui/ViewIndex.h"
#include "app/gui/WindowPlacement.h"

#include "entryeditor/ViewTocIndexEntry.h"
#include "folderview/FolderViewFrame.h"

#include "app/core/ProjectController.h"
#include "app/core/WindowToggles.h"
#include "archiveview/ArchiveViewFrame.h"
#include "commonkit/CommandIds.h"
#include "commonkit/StringTable.h"
#include "editcommands/CommandManager.h"
#include "pageeditor/PreviewEditFrame.h"
#include "projectmodel/ProjectFile.h"
#include "runconfig/ConfigData.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace mb::gui {

namespace {

constexpr int kStrContents = 91;
constexpr int kStrIndex = 92;
constexpr int kStrFiles = 380;
constexpr int kStrFolderExplorer = 95;
constexpr int kStrPagePreview = 529;
constexpr int kStrTopicEntry = 96;
constexpr int kStrChmExplorer = 97;

// Number of recent projects the menu shows.
constexpr int kRecentShown = 10;

} // namespace

MainFrame::MainFrame(CProjectController& controller, CCommandManager& commands)
    : m_controller(controller), m_commands(commands) {
    setWindowIcon(ApplicationIcon());
    BuildPanes();
    BuildActions();
    BuildFindBar();
    BuildStatusBar();
    BuildRunLog();
    // The first size, until the user's is stored: never more than the
    // screen has room for.
    resize(QSize(1100, 720).boundedTo(screen()->availableGeometry().size()));
    RefreshFromProject();
}

MainFrame::~MainFrame() {
    // An open edit box would rename its entry as it loses the focus.
    m_views->EndLabelEditing();
}

void MainFrame::BuildPanes() {
    m_left = new QTabWidget;
    m_views = std::make_unique<ProjectViews>(*this, *m_controller.GetProject());
    m_left->addTab(m_views->Contents(), Text(kStrContents));
    m_left->addTab(m_views->Index(), Text(kStrIndex));
    m_left->addTab(m_views->Files(), Text(kStrFiles));
    connect(m_left, &QTabWidget::currentChanged, this, [this](int tab) {
        // The trees tell their watchers which one became active.
        CProjectFile* project = m_controller.GetProject();
        CSitemapFile* trees[2] = {project->GetHHCFile(), project->GetHHKFile()};
        if (m_activeTab >= 0 && m_activeTab < 2)
            trees[m_activeTab]->OnActivate(0);
        if (tab >= 0 && tab < 2)
            trees[tab]->OnActivate(1);
        m_activeTab = tab;
        UpdateActionStates();
    });
    // The commands that need a selection follow it, once after a run of
    // changes (a re-selection selects entries one by one).
    auto* statesLater = new QTimer(this);
    statesLater->setSingleShot(true);
    connect(statesLater, &QTimer::timeout, this, [this] { UpdateActionStates(); });
    for (int tab = 0; tab < m_left->count(); ++tab)
        if (auto* view = qobject_cast<QTreeWidget*>(m_left->widget(tab)))
            connect(view, &QTreeWidget::itemSelectionChanged, statesLater,
                    qOverload<>(&QTimer::start));

    m_right = new QTabWidget;
    m_folderView = new CFolderViewFrame;
    m_folderView->SetRSViewStyle(m_controller.Context().settings.config.GetViewStyle());
    connect(m_folderView, &CFolderViewFrame::ViewStyleChanged, this,
            [this](int style) { m_controller.Context().settings.config.SetViewStyle(style); });
    connect(m_folderView, &CFolderViewFrame::ProjectFolderRequested, this,
            &MainFrame::ShowProjectFolder);
    connect(m_folderView, &CFolderViewFrame::OpenInFileManagerRequested, this, [this] {
        std::string folder;
        if (m_folderView->GetSelectedItemFolder(folder))
            m_controller.Context().desktop->Open(folder);
    });
    m_right->addTab(m_folderView, Text(kStrFolderExplorer));
    m_pageEditor = new page::CPreviewEditFrame(*m_controller.Context().desktop,
                                               *m_controller.Context().prompt);
    m_pageEditor->SetProjectSubject(m_controller.GetProject());
    m_pageEditor->SetFavoriteEditorManager(
        m_controller.Context().settings.config.GetFavoriteEditorManager(
            *m_controller.Context().desktop));
    connect(m_pageEditor, &page::CPreviewEditFrame::FavoriteEditorsRequested, this,
            [this] { RunCommand(ID_FAVORITE_EDITORS); });
    m_right->addTab(m_pageEditor, Text(kStrPagePreview));
    connect(m_pageEditor, &page::CPreviewEditFrame::LabelChanged, this, [this](const QString& label) {
        m_right->setTabText(m_right->indexOf(m_pageEditor), label);
    });
    m_entryEditor = new CViewTocIndexEntry;
    m_entryEditor->SetCommandManager(&m_commands);
    m_entryEditor->SetProjectSubject(m_controller.GetProject());
    m_right->addTab(m_entryEditor, Text(kStrTopicEntry));
    ShowChmExplorer(m_controller.Context().settings.config.m_bArchiveViewOn != 0);

    // The left pane holds the trees and, below them, the find bar.
    auto* leftPane = new QWidget;
    auto* leftLayout = new QVBoxLayout(leftPane);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(0);
    leftLayout->addWidget(m_left);
    // A wider window widens both panes, the pages more than the trees.
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setObjectName("PaneSplitter");
    splitter->addWidget(leftPane);
    splitter->addWidget(m_right);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({360, 740});
    setCentralWidget(splitter);

    // F6 and Shift+F6 move the focus between the two panes.
    for (QKeySequence key : {QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)}) {
        connect(new QShortcut(key, this), &QShortcut::activated, this, [this] {
            QTabWidget* next = m_left->isAncestorOf(QApplication::focusWidget()) ? m_right : m_left;
            next->setFocus();
        });
    }
}

void MainFrame::ShowChmExplorer(bool show) {
    if (show && !m_chmExplorer) {
        m_chmExplorer = new archive::CArchiveViewFrame(m_controller.Context());
        m_right->addTab(m_chmExplorer, Text(kStrChmExplorer));
    } else if (!show && m_chmExplorer) {
        m_right->removeTab(m_right->indexOf(m_chmExplorer));
        delete m_chmExplorer;
        m_chmExplorer = nullptr;
    }
}

void MainFrame::BuildActions() {
    QMenuBar* bar = menuBar();
    std::map<Menu, QMenu*> menus;
    menus[Menu::File] = bar->addMenu(Text(kStrMenuFile));
    menus[Menu::Edit] = bar->addMenu(Text(kStrMenuEdit));
    menus[Menu::Entry] = bar->addMenu(Text(kStrMenuEntry));
    menus[Menu::View] = bar->addMenu(Text(kStrMenuView));
    menus[Menu::Settings] = bar->addMenu(Text(kStrMenuSettings));
    menus[Menu::Tools] = bar->addMenu(Text(kStrMenuTools));
    menus[Menu::Help] = bar->addMenu(Text(kStrMenuHelp));
    m_mainToolbar = addToolBar(Text(kStrMainToolbar));
    m_mainToolbar->setObjectName("MainToolBar");
    addToolBarBreak();
    m_optionsToolbar = addToolBar(Text(kStrHelpWindowOptionsToolbar));
    m_optionsToolbar->setObjectName("OptionsToolBar");
    for (auto& [menu, qmenu] : menus)
        connect(qmenu, &QMenu::aboutToShow, this, [this] { UpdateActionStates(); });

    for (const CommandRoute& route : CommandRoutes()) {
        auto* action = new QAction(ToolbarIcon(route.id), Text(route.label), this);
        action->setData(route.id);
        if (*route.shortcut)
            action->setShortcuts(QKeySequence::listFromString(route.shortcut));
        connect(action, &QAction::triggered, this, [this, id = route.id] { RunCommand(id); });
        m_actions[route.id] = action;
        switch (route.menu) {
        case Menu::MainToolbar:
            m_mainToolbar->addAction(action);
            break;
        case Menu::OptionsToolbar:
            m_optionsToolbar->addAction(action);
            break;
        default:
            menus[route.menu]->addAction(action);
            if (route.onMainToolbar)
                m_mainToolbar->addAction(action);
        }
        if (route.id == ID_FILE_SAVE_AS) {
            menus[Menu::File]->addSeparator();
            m_recentMenu = menus[Menu::File]->addMenu(Text(kStrMenuRecentProjects));
            menus[Menu::File]->addSeparator();
        }
    }
    // Toolbar and status bar are shown or hidden; their actions show which.
    for (int id : {ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_VIEW_CHM_EXPLORER}) {
        m_actions[id]->setCheckable(true);
        m_actions[id]->setChecked(true);
    }
    m_actions[ID_VIEW_CHM_EXPLORER]->setChecked(m_chmExplorer != nullptr);
    connect(m_recentMenu, &QMenu::aboutToShow, this, [this] { UpdateActionStates(); });
    m_helpWindowToolbar = std::make_unique<HelpWindowToolbar>(*m_optionsToolbar);
}

void MainFrame::BuildFindBar() {
    m_findBar = new TreeFindBar(*this);
    m_left->parentWidget()->layout()->addWidget(m_findBar);
}

void MainFrame::BuildStatusBar() {
    m_topics = new QLabel;
    m_progress = new QProgressBar;
    m_progress->setMaximumWidth(200);
    m_progress->setVisible(false);
    statusBar()->addPermanentWidget(m_progress);
    statusBar()->addPermanentWidget(m_topics);
}

void MainFrame::BuildRunLog() {
    m_runLog = new QPlainTextEdit;
    m_runLog->setReadOnly(true);
    m_runLog->setMaximumBlockCount(200000);
    m_runLog->setObjectName("RunLog");
    auto* dock = new QDockWidget(Text(kStrRunLog), this);
    dock->setObjectName("RunLogDock");
    dock->setWidget(m_runLog);
    addDockWidget(Qt::BottomDockWidgetArea, dock);
    resizeDocks({dock}, {150}, Qt::Vertical);
}

QAction* MainFrame::ActionFor(int id) const {
    auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

void MainFrame::SetCommandHandlers(std::unique_ptr<ICommandHandlers> handlers) {
    m_handlers = std::move(handlers);
}

TabAction MainFrame::ActionOnActiveTab(int id) const {
    const CommandRoute* route = FindRoute(id);
    int tab = m_left->currentIndex();
    if (!route || tab < 0 || tab > 2)
        return {};
    return route->onTab[tab];
}

bool MainFrame::IsEnabled(int id, const TabAction& action) const {
    const CommandRoute* route = FindRoute(id);
    if (route && !m_views->Meets(route->needs, m_left->currentIndex()))
        return false;
    switch (action.handler) {
    case Handler::None:
        return false;
    case Handler::Undo:
        return action.argument == 0 ? m_commands.GetUndoState_ContentTree() != 0
                                    : m_commands.GetUndoState_IndexTree() != 0;
    case Handler::Redo:
        return action.argument == 0 ? m_commands.GetRedoState_ContentTree() != 0
                                    : m_commands.GetRedoState_IndexTree() != 0;
    default:
        return true;
    }
}

void MainFrame::UpdateActionStates() {
    for (auto& [id, action] : m_actions)
        action->setEnabled(IsEnabled(id, ActionOnActiveTab(id)));
    const CProjectFile* project = m_controller.GetProject();
    for (const CommandRoute& route : CommandRoutes()) {
        const TabAction& toggle = route.onTab[0];
        if (toggle.handler != Handler::WindowButton && toggle.handler != Handler::WindowStyle)
            continue;
        QAction* action = m_actions[route.id];
        action->setCheckable(true);
        action->setChecked(
            toggle.handler == Handler::WindowButton
                ? project->HHP_GetButton(static_cast<unsigned long>(toggle.argument)) != 0
                : IsContentsStyleOn(*project, toggle.argument));
    }
    m_actions[ID_VIEW_TOOLBAR]->setChecked(!m_mainToolbar->isHidden());
    m_actions[ID_VIEW_STATUS_BAR]->setChecked(!statusBar()->isHidden());
    m_actions[ID_VIEW_CHM_EXPLORER]->setChecked(m_chmExplorer != nullptr);
    int insertMode = m_controller.Context().settings.config.GetInsertMode();
    for (int mode = 0; mode < 3; ++mode) {
        QAction* action = m_actions[ID_INSERT_BEFORE + mode];
        action->setCheckable(true);
        action->setChecked(insertMode == mode);
    }
}

void MainFrame::RunCommand(int id) {
    TabAction action = ActionOnActiveTab(id);
    if (action.handler != Handler::None && m_handlers)
        m_handlers->Run(id, action);
    RefreshFromProject();
}

bool MainFrame::RunShortcut(const QKeyEvent& event) {
    // Delete in a project view deletes its selected entries.
    if (event.key() == Qt::Key_Delete && event.modifiers() == Qt::NoModifier) {
        RunCommand(ID_DELETE);
        return true;
    }
    const QKeySequence pressed(event.keyCombination());
    UpdateActionStates();
    for (auto& [id, action] : m_actions) {
        if (action->isEnabled() && action->shortcuts().contains(pressed)) {
            RunCommand(id);
            return true;
        }
    }
    return false;
}

void MainFrame::RefreshFromProject() {
    setWindowTitle(QString::fromStdString(m_controller.GetWindowTitle()));
    const CProjectFile* project = m_controller.GetProject();
    m_helpWindowToolbar->FollowProject(!project->GetMBKFileName().empty() ||
                                       !project->GetProjectFolder().empty());
    m_topics->setText(Text(kStrTopicCount).arg(m_controller.GetProject()->Content_GetCount()));
    RebuildRecentMenu();
    UpdateActionStates();
}

void MainFrame::RebuildRecentMenu() {
    m_recentMenu->clear();
    const std::vector<std::string>& recent =
        m_controller.Context().settings.config.m_recentProjects;
    if (recent.empty()) {
        m_recentMenu->addAction("<EMPTY>")->setEnabled(false);
        return;
    }
    for (int i = 0; i < static_cast<int>(recent.size()) && i < kRecentShown; ++i) {
        // "&" marks a mnemonic in menu texts; doubled it shows as itself.
        QString text = QString::fromStdString(recent[i]).replace("&", "&&");
        QAction* action = m_recentMenu->addAction(text);
        action->setData(ID_FILE_MRU_FIRST + i);
        connect(action, &QAction::triggered, this, [this, path = recent[i]] {
            m_controller.OpenRecentProject(path);
            RefreshFromProject();
        });
    }
}

std::string MainFrame::ProjectFolder() const {
    std::string folder = m_controller.GetProject()->GetProjectFolder();
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

void MainFrame::FocusActiveView() {
    if (QWidget* view = m_left->currentWidget())
        view->setFocus();
}

void MainFrame::ShowProjectFolder() {
    if (std::string folder = ProjectFolder(); !folder.empty())
        m_folderView->GotoFolder(folder);
}

void MainFrame::FollowNotice(Notice notice) {
    std::string shown;
    const std::string project = ProjectFolder();
    // Files were renamed somewhere: read everything again. After a compile
    // or a first save, only a view of the project folder has new files.
    if (notice == Notice::CharsReplaced ||
        (m_folderView->GetSelectedItemFolder(shown) && shown == project))
        m_folderView->RefreshRS();
    RefreshFromProject();
}

void MainFrame::AppendLogLine(const std::string& line) {
    m_controller.Context().settings.env.LogMessage(line + "\n", *m_controller.Context().prompt);
    m_runLog->appendPlainText(QString::fromStdString(line));
}

void MainFrame::ShowProgress(int code, int value) {
    switch (code) {
    case PR_PROGRESS_START:
        m_progress->setRange(0, std::max(value, 1));
        m_progress->setValue(0);
        m_progress->setVisible(true);
        // The work runs on this thread: lay the bar out and draw it now,
        // not when the work is over.
        statusBar()->layout()->activate();
        m_progress->repaint();
        break;
    case PR_PROGRESS_STEP: {
        // Redrawn once per percent: long work reports every item.
        int maximum = m_progress->maximum();
        if (value * 100LL / maximum != m_progress->value() * 100LL / maximum) {
            m_progress->setValue(value);
            m_progress->repaint();
        }
        break;
    }
    case PR_PROGRESS_END:
        m_progress->setVisible(false);
        break;
    }
}

void MainFrame::closeEvent(QCloseEvent* event) {
    if (!m_pageEditor->SaveBeforeLeave()) {
        event->ignore();
        return;
    }
    if (m_controller.SaveIfModified() != CProjectController::kGoOn) {
        event->ignore();
        RefreshFromProject();
        return;
    }
    SaveWindowPlacement(*this);
    event->accept();
}

} // namespace mb::gui
