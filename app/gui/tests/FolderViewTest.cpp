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

// Lets queued changes arrive and be worked off.
void Settle() {
    QTest::qWait(400);
}

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
    frame.GotoFolder(folder.path().toStdString());
    Settle();
    WriteFiles(folder.path(), "page", 100);
    QTRY_COMPARE(frame.RefreshCount(folder.path()), 1);
    Settle();
    QCOMPARE(frame.RefreshCount(folder.path()), 1);
    QCOMPARE(frame.FileList()->model()->rowCount(), 100);
}

void FolderViewTest::changesWaitWhileWatchingIsOffAndGiveOneRefreshAfter() {
    QTemporaryDir folder;
    CFolderViewFrame frame;
    frame.GotoFolder(folder.path().toStdString());
    Settle();
    frame.SetEnableShellNotifyEvent(false);
    WriteFiles(folder.path(), "a", 10);
    Settle();
    WriteFiles(folder.path(), "b", 10);
    Settle();
    QCOMPARE(frame.RefreshCount(folder.path()), 0);
    QCOMPARE(frame.FileList()->model()->rowCount(), 0);

    frame.SetEnableShellNotifyEvent(true);
    QTRY_COMPARE(frame.RefreshCount(folder.path()), 1);
    Settle();
    QCOMPARE(frame.RefreshCount(folder.path()), 1);
    QCOMPARE(frame.FileList()->model()->rowCount(), 20);
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
