#pragma once
// The folder explorer: a folder tree on the left and the chosen folder's
// files on the right, from which files and folders are dragged into the
// contents, index and files views. Folders that are shown (expanded in the
// tree, or listed on the right) are watched for changes; a change is queued
// and worked off later, so that a burst of changes in one folder costs one
// refresh. Watching can be switched off (changes keep being queued) and on
// again (the queue is then worked off).

#include "folderview/FolderEventQueue.h"

#include <QWidget>

#include <QHash>
#include <QSet>

#include <string>

class CFolderViewFrame;
class FileItemModel;
class QAbstractItemView;
class QActionGroup;
class QFileSystemWatcher;
class QListView;
class QStackedWidget;
class QStandardItem;
class QToolBar;
class QTreeView;

// The program learns what the user asked for from the explorer's signals.
// For callers that want a plain function instead, the explorer also calls
// an installed callback with one of these codes (the argument: the new
// style for a style change, else 0).
inline constexpr int kRsViewStyleChanged = 0;
inline constexpr int kRsGoToProjectFolder = 1;
inline constexpr int kRsOpenInFileManager = 2;
using RS_CALLBACK = int (*)(CFolderViewFrame* frame, int code, int argument);
// Installs the callback of every folder explorer; returns the previous one.
RS_CALLBACK RS_SetCallBackFunction(RS_CALLBACK callback);

class CFolderViewFrame : public QWidget {
    Q_OBJECT
public:
    // List styles.
    enum ViewStyle { Details = 0, LargeIcons = 1, SmallIcons = 2, List = 3 };

    explicit CFolderViewFrame(QWidget* parent = nullptr);
    ~CFolderViewFrame() override;

    // Opens the tree down to `path` and lists it.
    void GotoFolder(const std::string& path);
    // The folder selected in the tree; false when none is.
    bool GetSelectedItemFolder(std::string& path) const;
    // Reads the tree again from its roots, keeping the folder shown.
    void RefreshRS();
    // Any value other than the four styles shows details.
    void SetRSViewStyle(int style);
    int GetRSViewStyle() const { return m_style; }
    void SetEnableShellNotifyEvent(bool enable);
    // A toolbar command (ID_RS_*).
    void RunCommand(int id);

    // For tests: how often `folder` was refreshed after changes on disk;
    // how many folders are watched.
    int RefreshCount(const QString& folder) const { return m_refreshes.value(folder); }
    int WatchedFolderCount() const;
    // Folder changes seen and not yet refreshed (they wait while watching
    // is switched off).
    size_t PendingChangeCount() const { return m_pending.Size(); }
    QTreeView* FolderTree() const { return m_tree; }
    QAbstractItemView* FileList() const;

signals:
    void ViewStyleChanged(int style);
    void ProjectFolderRequested();
    void OpenInFileManagerRequested();

private:
    void BuildToolBar();
    void BuildViews();
    void ApplyStyle(int style);
    QStandardItem* AddFolderItem(QStandardItem* parent, int row, const QString& path);
    void Populate(QStandardItem* item);
    void SyncChildren(QStandardItem* item);
    void ForgetItem(QStandardItem* item);
    void ShowFolder(const QString& path);
    void UpdateWatches();
    void OnExpanded(const QModelIndex& index);
    void OnCollapsed(const QModelIndex& index);
    void OnFolderChanged(const QString& path);
    void WorkOffOne();
    void RefreshFolder(const QString& path);
    // Emits the signal of `code` and calls the installed callback.
    void Call(int code, int argument);

    QToolBar* m_toolbar = nullptr;
    QActionGroup* m_styles = nullptr;
    FileItemModel* m_folders = nullptr;
    FileItemModel* m_files = nullptr;
    QTreeView* m_tree = nullptr;
    QTreeView* m_details = nullptr;
    QListView* m_icons = nullptr;
    QStackedWidget* m_listStack = nullptr;
    QFileSystemWatcher* m_watcher = nullptr;

    QHash<QString, QStandardItem*> m_folderItems;
    QSet<QString> m_expanded;
    QString m_listFolder;
    FolderEventQueue m_pending;
    bool m_watching = true;
    int m_style = Details;
    QHash<QString, int> m_refreshes;
};
