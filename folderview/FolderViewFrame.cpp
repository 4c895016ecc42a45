#include "folderview/FolderViewFrame.h"

#include "commonkit/WindowTexts.h"
#include "folderview/FileItemModel.h"

#include "commonkit/CommandIds.h"
#include "commonkit/StringTable.h"

#include <QAction>
#include <QActionGroup>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFileSystemWatcher>
#include <QHeaderView>
#include <QListView>
#include <QLocale>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

RS_CALLBACK g_callback = nullptr;

// Data role of a folder item whose subfolders have been read.
constexpr int kPopulatedRole = Qt::UserRole + 2;

// True when `path` lies below `folder`.
bool IsInside(const QString& path, const QString& folder) {
    if (folder == "/")
        return path.startsWith('/') && path != "/";
    return path.startsWith(folder + '/');
}

QStringList Subfolders(const QString& path) {
    QStringList names = QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot,
                                             QDir::Name | QDir::IgnoreCase);
    return names;
}

bool HasSubfolders(const QString& path) {
    return QDirIterator(path, QDir::Dirs | QDir::NoDotAndDotDot).hasNext();
}

// Entry `n` of the language table, as a Qt string.
QString WindowText(int n) {
    return QString::fromStdString(CStrHelper::ML_GetStringEx(n));
}

QString Child(const QString& folder, const QString& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}

// The text and tool tip of a toolbar command from the folder explorer's
// tool-tip table ("tip\nlabel").
void Label(QAction* action, int id) {
    std::string text;
    if (!CRSStrHelper::GetMLStringByID(id, text))
        return;
    QStringList parts = QString::fromStdString(text).split('\n');
    action->setToolTip(parts.value(0));
    action->setText(parts.value(1, parts.value(0)));
}

} // namespace

RS_CALLBACK RS_SetCallBackFunction(RS_CALLBACK callback) {
    RS_CALLBACK previous = g_callback;
    g_callback = callback;
    return previous;
}

CFolderViewFrame::CFolderViewFrame(QWidget* parent) : QWidget(parent) {
    m_watcher = new QFileSystemWatcher(this);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this,
            [this](const QString& path) { OnFolderChanged(path); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    BuildToolBar();
    layout->addWidget(m_toolbar);
    BuildViews();
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(m_tree);
    splitter->addWidget(m_listStack);
    splitter->setSizes({200, 300});
    layout->addWidget(splitter);
    RefreshRS();
    GotoFolder(QDir::homePath().toStdString());
}

CFolderViewFrame::~CFolderViewFrame() = default;

void CFolderViewFrame::BuildToolBar() {
    m_toolbar = new QToolBar;
    m_toolbar->setIconSize(QSize(16, 16));
    struct Command {
        int id;
        QStyle::StandardPixmap icon;
    };
    const Command commands[] = {
        {mb::ID_RS_UP_ONE_FOLDER, QStyle::SP_FileDialogToParent},
        {mb::ID_RS_REFRESH, QStyle::SP_BrowserReload},
        {mb::ID_RS_OPEN_IN_FILE_MANAGER, QStyle::SP_DirOpenIcon},
        {mb::ID_RS_GO_TO_PROJECT_FOLDER, QStyle::SP_DirHomeIcon},
        {mb::ID_RS_VIEW_LARGE_ICONS, QStyle::SP_FileDialogContentsView},
        {mb::ID_RS_VIEW_SMALL_ICONS, QStyle::SP_FileDialogInfoView},
        {mb::ID_RS_VIEW_LIST, QStyle::SP_FileDialogListView},
        {mb::ID_RS_VIEW_DETAILS, QStyle::SP_FileDialogDetailedView},
    };
    m_styles = new QActionGroup(this);
    for (const Command& command : commands) {
        QAction* action = m_toolbar->addAction(style()->standardIcon(command.icon), QString());
        action->setData(command.id);
        Label(action, command.id);
        connect(action, &QAction::triggered, this, [this, id = command.id] { RunCommand(id); });
        if (command.id >= mb::ID_RS_VIEW_LARGE_ICONS && command.id <= mb::ID_RS_VIEW_DETAILS) {
            action->setCheckable(true);
            m_styles->addAction(action);
        }
        if (command.id == mb::ID_RS_GO_TO_PROJECT_FOLDER)
            m_toolbar->addSeparator();
    }
}

void CFolderViewFrame::BuildViews() {
    m_folders = new FileItemModel(this);
    m_tree = new QTreeView;
    m_tree->setModel(m_folders);
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setDragDropMode(QAbstractItemView::DragOnly);
    connect(m_tree, &QTreeView::expanded, this, [this](const QModelIndex& i) { OnExpanded(i); });
    connect(m_tree, &QTreeView::collapsed, this, [this](const QModelIndex& i) { OnCollapsed(i); });
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    ShowFolder(FileItemModel::PathOf(current));
            });

    m_files = new FileItemModel(this);
    m_details = new QTreeView;
    m_details->setRootIsDecorated(false);
    m_icons = new QListView;
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(m_details),
                                    static_cast<QAbstractItemView*>(m_icons)}) {
        view->setModel(m_files);
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setDragDropMode(QAbstractItemView::DragOnly);
        connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
            QString path = FileItemModel::PathOf(index.siblingAtColumn(0));
            if (QFileInfo(path).isDir())
                GotoFolder(path.toStdString());
        });
    }
    m_listStack = new QStackedWidget;
    m_listStack->addWidget(m_details);
    m_listStack->addWidget(m_icons);
    ApplyStyle(Details);
}

QAbstractItemView* CFolderViewFrame::FileList() const {
    return static_cast<QAbstractItemView*>(m_listStack->currentWidget());
}

int CFolderViewFrame::WatchedFolderCount() const {
    return static_cast<int>(m_watcher->directories().size());
}

QStandardItem* CFolderViewFrame::AddFolderItem(QStandardItem* parent, int row,
                                               const QString& path) {
    QStandardItem* item = FileItemModel::NameItem(QFileInfo(path));
    if (item->text().isEmpty())
        item->setText(path);
    // Until its subfolders are read, a stand-in child gives the folder its
    // expand button.
    if (HasSubfolders(path))
        item->appendRow(new QStandardItem);
    parent->insertRow(row, item);
    m_folderItems.insert(path, item);
    return item;
}

void CFolderViewFrame::Populate(QStandardItem* item) {
    if (item->data(kPopulatedRole).toBool())
        return;
    item->setData(true, kPopulatedRole);
    item->removeRows(0, item->rowCount());
    QString path = item->data(FileItemModel::PathRole).toString();
    for (const QString& name : Subfolders(path))
        AddFolderItem(item, item->rowCount(), Child(path, name));
}

void CFolderViewFrame::SyncChildren(QStandardItem* item) {
    QString path = item->data(FileItemModel::PathRole).toString();
    if (!item->data(kPopulatedRole).toBool()) {
        // Not read yet: only the expand button may have to change.
        bool has = HasSubfolders(path);
        if (has && item->rowCount() == 0)
            item->appendRow(new QStandardItem);
        else if (!has)
            item->removeRows(0, item->rowCount());
        return;
    }
    QStringList wanted = Subfolders(path);
    for (int row = item->rowCount() - 1; row >= 0; --row) {
        QStandardItem* child = item->child(row);
        if (!wanted.contains(child->text())) {
            ForgetItem(child);
            item->removeRow(row);
        }
    }
    // Both lists are in the same order: walk them together.
    for (int i = 0; i < wanted.size(); ++i) {
        if (i >= item->rowCount() || item->child(i)->text() != wanted[i])
            AddFolderItem(item, i, Child(path, wanted[i]));
    }
}

void CFolderViewFrame::ForgetItem(QStandardItem* item) {
    for (int row = 0; row < item->rowCount(); ++row)
        ForgetItem(item->child(row));
    QString path = item->data(FileItemModel::PathRole).toString();
    m_folderItems.remove(path);
    m_expanded.remove(path);
}

void CFolderViewFrame::ShowFolder(const QString& path) {
    m_listFolder = path;
    m_files->clear();
    m_files->setHorizontalHeaderLabels({WindowText(kStrNameColumn), WindowText(kStrSizeColumn),
                                        WindowText(kStrTypeColumn),
                                        WindowText(kStrModifiedColumn)});
    const QFileInfoList entries = QDir(path).entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot, QDir::DirsFirst | QDir::Name | QDir::IgnoreCase);
    QLocale locale;
    for (const QFileInfo& info : entries) {
        auto cell = [](const QString& text) {
            auto* item = new QStandardItem(text);
            item->setEditable(false);
            return item;
        };
        QString size = info.isDir() ? QString() : locale.formattedDataSize(info.size());
        QString type = info.isDir() ? WindowText(kStrFolderType) : info.suffix().toUpper();
        m_files->appendRow({FileItemModel::NameItem(info), cell(size), cell(type),
                            cell(locale.toString(info.lastModified(), QLocale::ShortFormat))});
    }
    m_details->resizeColumnToContents(0);
    UpdateWatches();
}

void CFolderViewFrame::UpdateWatches() {
    QSet<QString> wanted = m_expanded;
    if (!m_listFolder.isEmpty())
        wanted.insert(m_listFolder);
    const QStringList watched = m_watcher->directories();
    for (const QString& folder : watched) {
        if (!wanted.contains(folder))
            m_watcher->removePath(folder);
    }
    for (const QString& folder : wanted) {
        if (!watched.contains(folder) && QFileInfo(folder).isDir())
            m_watcher->addPath(folder);
    }
}

void CFolderViewFrame::OnExpanded(const QModelIndex& index) {
    QStandardItem* item = m_folders->itemFromIndex(index);
    Populate(item);
    m_expanded.insert(FileItemModel::PathOf(index));
    UpdateWatches();
}

void CFolderViewFrame::OnCollapsed(const QModelIndex& index) {
    QString path = FileItemModel::PathOf(index);
    m_expanded.remove(path);
    // Folders inside a collapsed one are no longer shown: fold them too, so
    // that they are not watched and open closed next time.
    const QSet<QString> expanded = m_expanded;
    for (const QString& inner : expanded) {
        if (!IsInside(inner, path))
            continue;
        m_expanded.remove(inner);
        if (QStandardItem* item = m_folderItems.value(inner))
            m_tree->collapse(item->index());
    }
    UpdateWatches();
}

void CFolderViewFrame::OnFolderChanged(const QString& path) {
    m_pending.Append(path.toStdString());
    QMetaObject::invokeMethod(this, [this] { WorkOffOne(); }, Qt::QueuedConnection);
}

void CFolderViewFrame::WorkOffOne() {
    if (!m_watching)
        return;
    m_pending.Merge();
    if (auto next = m_pending.TakeNext())
        RefreshFolder(QString::fromStdString(*next));
}

void CFolderViewFrame::SetEnableShellNotifyEvent(bool enable) {
    m_watching = enable;
    if (!enable)
        return;
    // What arrived meanwhile is worked off now, one change at a time.
    m_pending.Merge();
    for (size_t i = 0; i < m_pending.Size(); ++i)
        QMetaObject::invokeMethod(this, [this] { WorkOffOne(); }, Qt::QueuedConnection);
}

void CFolderViewFrame::RefreshFolder(const QString& path) {
    ++m_refreshes[path];
    if (!QFileInfo(path).isDir()) {
        // The folder went away: its parent loses the item, and the list
        // moves up to the nearest folder that is still there.
        QString parent = QFileInfo(path).absolutePath();
        if (QStandardItem* item = m_folderItems.value(parent))
            SyncChildren(item);
        if (m_listFolder == path || IsInside(m_listFolder, path)) {
            QString existing = parent;
            while (!QFileInfo(existing).isDir() && existing != "/")
                existing = QFileInfo(existing).absolutePath();
            GotoFolder(existing.toStdString());
        }
        UpdateWatches();
        return;
    }
    if (QStandardItem* item = m_folderItems.value(path))
        SyncChildren(item);
    if (path == m_listFolder)
        ShowFolder(path);
    UpdateWatches();
}

void CFolderViewFrame::GotoFolder(const std::string& folder) {
    QString target = QDir::cleanPath(QDir::current().absoluteFilePath(QString::fromStdString(folder)));
    QString home = QDir::homePath();
    QString rootPath = target == home || IsInside(target, home) ? home : QString("/");
    QStandardItem* item = m_folderItems.value(rootPath);
    if (!item)
        return;
    QString path = rootPath;
    const QStringList parts = QDir(rootPath).relativeFilePath(target).split('/', Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (part == ".")
            continue;
        Populate(item);
        QStandardItem* next = m_folderItems.value(Child(path, part));
        if (!next)
            break;
        m_tree->expand(item->index());
        item = next;
        path = Child(path, part);
    }
    m_tree->setCurrentIndex(item->index());
    m_tree->scrollTo(item->index());
    if (m_listFolder != path)
        ShowFolder(path);
}

bool CFolderViewFrame::GetSelectedItemFolder(std::string& path) const {
    QModelIndex current = m_tree->currentIndex();
    if (!current.isValid())
        return false;
    path = FileItemModel::PathOf(current).toStdString();
    return true;
}

void CFolderViewFrame::RefreshRS() {
    QString shown = m_listFolder;
    m_folders->clear();
    m_folderItems.clear();
    m_expanded.clear();
    m_listFolder.clear();
    QStandardItem* top = m_folders->invisibleRootItem();
    AddFolderItem(top, 0, QDir::homePath())->setText(WindowText(kStrHomeFolder));
    AddFolderItem(top, 1, "/")->setText(WindowText(kStrFileSystem));
    UpdateWatches();
    if (!shown.isEmpty())
        GotoFolder(shown.toStdString());
}

void CFolderViewFrame::SetRSViewStyle(int style) {
    ApplyStyle(style);
    Call(kRsViewStyleChanged, m_style);
}

void CFolderViewFrame::ApplyStyle(int style) {
    if (style < Details || style > List)
        style = Details;
    m_style = style;
    if (style == Details) {
        m_listStack->setCurrentWidget(m_details);
    } else {
        bool large = style == LargeIcons;
        m_icons->setViewMode(style == List ? QListView::ListMode : QListView::IconMode);
        m_icons->setFlow(style == List ? QListView::TopToBottom : QListView::LeftToRight);
        m_icons->setWrapping(true);
        m_icons->setResizeMode(QListView::Adjust);
        m_icons->setIconSize(large ? QSize(32, 32) : QSize(16, 16));
        m_icons->setGridSize(large ? QSize(96, 64) : QSize());
        m_icons->setMovement(QListView::Static);
        m_listStack->setCurrentWidget(m_icons);
    }
    const int ids[] = {mb::ID_RS_VIEW_DETAILS, mb::ID_RS_VIEW_LARGE_ICONS,
                       mb::ID_RS_VIEW_SMALL_ICONS, mb::ID_RS_VIEW_LIST};
    for (QAction* action : m_styles->actions())
        action->setChecked(action->data().toInt() == ids[style]);
}

void CFolderViewFrame::RunCommand(int id) {
    switch (id) {
    case mb::ID_RS_UP_ONE_FOLDER:
        if (!m_listFolder.isEmpty() && m_listFolder != "/")
            GotoFolder(QFileInfo(m_listFolder).absolutePath().toStdString());
        break;
    case mb::ID_RS_REFRESH:
        RefreshRS();
        break;
    case mb::ID_RS_OPEN_IN_FILE_MANAGER:
        Call(kRsOpenInFileManager, 0);
        break;
    case mb::ID_RS_GO_TO_PROJECT_FOLDER:
        Call(kRsGoToProjectFolder, 0);
        break;
    case mb::ID_RS_VIEW_LARGE_ICONS:
        SetRSViewStyle(LargeIcons);
        break;
    case mb::ID_RS_VIEW_SMALL_ICONS:
        SetRSViewStyle(SmallIcons);
        break;
    case mb::ID_RS_VIEW_LIST:
        SetRSViewStyle(List);
        break;
    case mb::ID_RS_VIEW_DETAILS:
        SetRSViewStyle(Details);
        break;
    default:
        break;
    }
}

void CFolderViewFrame::Call(int code, int argument) {
    switch (code) {
    case kRsViewStyleChanged:
        emit ViewStyleChanged(argument);
        break;
    case kRsGoToProjectFolder:
        emit ProjectFolderRequested();
        break;
    case kRsOpenInFileManager:
        emit OpenInFileManagerRequested();
        break;
    default:
        break;
    }
    if (g_callback)
        g_callback(this, code, argument);
}
