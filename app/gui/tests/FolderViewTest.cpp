// The folder explorer on real folders: a burst of changes is one refresh,
// switched-off watching queues changes until it is switched on, and only
// shown folders are watched.
#include "folderview/FolderViewFrame.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

namespace {

void WriteFiles(const QString& folder, const QString& prefix, int count) {
    for (int i = 0; i < count; ++i) {
        QFile file(QString("%1/%2%3.htm").arg(folder, prefix).arg(i));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<title>x</title>");
    }
}

// A folder beside the one under test, shown expanded in the tree so that it
// is watched too. Changes reach the explorer in the order they happen, so
// once a change made in it has been refreshed, every earlier change of the
// folder under test has arrived and been worked off as well.
class Sentinel {
public:
    Sentinel(CFolderViewFrame& frame, const QString& parent)
        : m_frame(frame), m_path(parent + "/sentinel") {
        QDir(parent).mkpath("sentinel/inner");
    }
    // Expands the sentinel under the shown folder: from then on it is watched.
    void Show() {
        QTreeView* tree = m_frame.FolderTree();
        QModelIndex shown = tree->currentIndex();
        tree->expand(shown);
        for (int row = 0; row < tree->model()->rowCount(shown); ++row) {
            QModelIndex child = tree->model()->index(row, 0, shown);
            if (child.data().toString() == "sentinel")
                tree->expand(child);
        }
        QVERIFY(m_frame.WatchedFolderCount() >= 2);
    }
    // Changes the sentinel and waits for its refresh.
    void Pass() {
        int before = m_frame.RefreshCount(m_path);
        WriteFiles(m_path, QString("s%1-").arg(before), 1);
        QTRY_COMPARE(m_frame.RefreshCount(m_path), before + 1);
    }

private:
    CFolderViewFrame& m_frame;
    QString m_path;
};

} // namespace

class FolderViewTest : public QObject {
    Q_OBJECT
private slots:
    void aHundredFilesCopiedInGiveOneRefresh();
    void changesWaitWhileWatchingIsOffAndGiveOneRefreshAfter();
    void collapsingWhatWasExpandedStopsWatchingIt();
};

void FolderViewTest::aHundredFilesCopiedInGiveOneRefresh() {
    QTemporaryDir folder;
    CFolderViewFrame frame;
    Sentinel sentinel(frame, folder.path());
    frame.GotoFolder(folder.path().toStdString());
    sentinel.Show();
    WriteFiles(folder.path(), "page", 100);
    QTRY_COMPARE(frame.RefreshCount(folder.path()), 1);
    sentinel.Pass();
    QCOMPARE(frame.RefreshCount(folder.path()), 1);
    QCOMPARE(frame.FileList()->model()->rowCount(), 101);
}

void FolderViewTest::changesWaitWhileWatchingIsOffAndGiveOneRefreshAfter() {
    QTemporaryDir folder;
    CFolderViewFrame frame;
    Sentinel sentinel(frame, folder.path());
    frame.GotoFolder(folder.path().toStdString());
    sentinel.Show();
    frame.SetEnableShellNotifyEvent(false);
    // Both bursts are seen and wait: a refresh while watching is off would
    // work the queue off before it holds them.
    WriteFiles(folder.path(), "a", 10);
    QTRY_VERIFY(frame.PendingChangeCount() > 0);
    size_t afterFirst = frame.PendingChangeCount();
    WriteFiles(folder.path(), "b", 10);
    QTRY_VERIFY(frame.PendingChangeCount() > afterFirst);
    QCOMPARE(frame.RefreshCount(folder.path()), 0);
    QCOMPARE(frame.FileList()->model()->rowCount(), 1);

    frame.SetEnableShellNotifyEvent(true);
    QTRY_COMPARE(frame.RefreshCount(folder.path()), 1);
    sentinel.Pass();
    QCOMPARE(frame.RefreshCount(folder.path()), 1);
    QCOMPARE(frame.FileList()->model()->rowCount(), 21);
}

void FolderViewTest::collapsingWhatWasExpandedStopsWatchingIt() {
    QTemporaryDir folder;
    for (int i = 0; i < 50; ++i)
        QVERIFY(QDir(folder.path()).mkpath(QString("f%1/inner").arg(i)));
    CFolderViewFrame frame;
    frame.GotoFolder(folder.path().toStdString());
    QTreeView* tree = frame.FolderTree();
    QModelIndex shown = tree->currentIndex();
    tree->expand(shown);
    int before = frame.WatchedFolderCount();
    QCOMPARE(tree->model()->rowCount(shown), 50);

    for (int i = 0; i < 50; ++i)
        tree->expand(tree->model()->index(i, 0, shown));
    QCOMPARE(frame.WatchedFolderCount(), before + 50);
    for (int i = 0; i < 50; ++i)
        tree->collapse(tree->model()->index(i, 0, shown));
    QCOMPARE(frame.WatchedFolderCount(), before);
}

QTEST_MAIN(FolderViewTest)
#include "FolderViewTest.moc"
