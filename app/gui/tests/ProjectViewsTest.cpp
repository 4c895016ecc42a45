// The contents view driven as the user drives it: clicks, keys, label
// editing, drops of its own entries and of files, and the entry commands.
// After every step the tree shows exactly the model (entries in pre-order
// with name, depth and ID).
#include "app/gui/AuthorApp.h"
#include "app/gui/ProjectViews.h"
#include "app/gui/ReplaceUnwelcomeDialog.h"
#include "app/gui/ViewContent.h"
#include "app/gui/ViewFiles.h"
#include "app/gui/ViewIndex.h"
#include "entryeditor/ViewTocIndexEntry.h"
#include "pageeditor/PreviewEditFrame.h"
#include "folderview/FolderViewFrame.h"
#include "app/gui/tests/GuiTestSupport.h"
#include "app/gui/tests/WebTestMain.h"

#include "appglue/AddDirectoryDialog.h"
#include "appglue/DragDropHelper.h"
#include "archiveview/ArchiveViewFrame.h"
#include "baseutil/Xml.h"
#include "commonkit/CommandIds.h"
#include "compiledhelp/tests/support/ChmTestSupport.h"
#include "projectmodel/ProjectFile.h"
#include "runconfig/ConfigData.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <functional>

using namespace mb;
using namespace mb::gui;
using namespace mb::gui::testing;

namespace {

void AnswerYes() {
    WhenModal<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
}

// "depth name ID" per entry, in pre-order.
QStringList ModelShape(const CXML* root) {
    QStringList shape;
    std::function<void(const CXML*, int)> walk = [&](const CXML* node, int depth) {
        for (int i = 0; i < node->GetChildCount(); ++i) {
            const CXML* child = node->GetChildAt(i);
            shape << QString("%1 %2 %3").arg(depth).arg(QString::fromStdString(child->GetAttr("Name")),
                                                       QString::fromStdString(child->GetAttr("ID")));
            walk(child, depth + 1);
        }
    };
    walk(root, 0);
    return shape;
}

QStringList TreeShape(QTreeWidget* tree) {
    QStringList shape;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        int depth = 0;
        for (QTreeWidgetItem* up = (*it)->parent(); up; up = up->parent())
            ++depth;
        shape << QString("%1 %2 %3").arg(depth).arg((*it)->text(0), (*it)->data(0, Qt::UserRole).toString());
    }
    return shape;
}

// A page with a title, in `folder`.
QString WritePage(const QString& folder, const QString& file, const QString& title) {
    QString path = folder + "/" + file;
    QFile page(path);
    page.open(QIODevice::WriteOnly);
    page.write(QString("<html><head><title>%1</title></head><body>%1</body></html>").arg(title).toUtf8());
    return path;
}

} // namespace

class ProjectViewsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void deletingThreeSeparateEntriesAndUndoingBringsTheSameIdsBack();
    void everyMoveKeepsTheMovedEntriesSelected();
    void droppingAnEntryOntoItsOwnChildChangesNothing();
    void moveDropMovesAndCopyDropUndoRemovesOnlyTheCopies();
    void pagesDroppedOnAnEntryFollowItNamedByTheirTitles();
    void renamingToTheSameNameOrEscapeAddsNoHistory();
    void removeLinkEmptiesTheLink();
    void replacingUnwelcomeCharactersRenamesThePageFile();
    void aNewKeywordOpensItsNameForEditing();
    void openingAProjectShowsItAnewAndFollowsItAfterwards();
    void aChmExplorerFolderDroppedBecomesAHeadingWithItsPages();
    void deleteAndClearOnTheFilesTabAskFirst();
    void aNewPageOverAnExistingFileNeedsYesAndUndoBringsTheFileBack();
    void aLargeTreeBuildsCollapsedBranchesWhenReached();
    void keywordsOfATextPageAreRefusedWithAReason();
    void filesDraggedFromTheFolderExplorerBecomeEntries();
    void foldersDraggedFromTheFolderExplorerAskOnce();
    void thePreviewShowsTheEntryOfTheTabInFront();
    void aLinkTypedInTheEntryFormIsPreviewedAtOnce();

private:
    CProjectFile& Project() { return *m_app->Controller().GetProject(); }
    CViewContent* View() { return m_app->Frame().Views().Contents(); }
    QTreeWidgetItem* Item(const QString& name) {
        for (QTreeWidgetItemIterator it(View()); *it; ++it)
            if ((*it)->text(0) == name)
                return *it;
        return nullptr;
    }
    QString Id(const QString& name) {
        QTreeWidgetItem* item = Item(name);
        return item ? item->data(0, Qt::UserRole).toString() : QString();
    }
    int History() { return m_app->Frame().Commands().ContentHistory().Size(); }
    // The names of the `count` top-level entries that follow `name`.
    QStringList NamesAfter(const QString& name, int count) {
        const int at = View()->indexOfTopLevelItem(Item(name));
        QStringList names;
        for (int i = at + 1; i <= at + count && i < View()->topLevelItemCount(); ++i)
            names << View()->topLevelItem(i)->text(0);
        return names;
    }
    void Click(const QString& name, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTreeWidgetItem* item = Item(name);
        QVERIFY2(item, qPrintable(name));
        View()->scrollToItem(item);
        QTest::mouseClick(View()->viewport(), Qt::LeftButton, modifiers,
                          View()->visualItemRect(item).center());
    }
    QStringList SelectedNames() {
        QStringList names;
        for (QTreeWidgetItem* item : View()->SelectedInTreeOrder())
            names << item->text(0);
        return names;
    }
    // Drops `mime` (taken over) onto the item named `target`.
    void Drop(QMimeData* mime, const QString& target, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTreeWidgetItem* item = Item(target);
        QVERIFY2(item, qPrintable(target));
        QPoint at = View()->visualItemRect(item).center();
        // Qt delivers the move and the drop to the widget that took the enter.
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, modifiers);
        QApplication::sendEvent(View()->viewport(), &enter);
        QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, modifiers);
        QApplication::sendEvent(View()->viewport(), &move);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, modifiers);
        QApplication::sendEvent(View()->viewport(), &drop);
        delete mime;
    }
    void Run(int command) { m_app->Frame().RunCommand(command); }
    // The address the page preview was last asked to show.
    QUrl Previewed() {
        return m_app->Frame().PageEditor()->Browser()->page()->requestedUrl();
    }

    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<AuthorApp> m_app;
};

#define CHECK_TREE() QCOMPARE(TreeShape(View()), ModelShape(Project().HHC_GetTreeRoot()))
#define CHECK_INDEX()                                                                              \
    QCOMPARE(TreeShape(m_app->Frame().Views().Index()), ModelShape(Project().HHK_GetTreeRoot()))

void ProjectViewsTest::init() {
    m_home = std::make_unique<IsolatedHome>();
    m_folder = std::make_unique<QTemporaryDir>();
    m_app = std::make_unique<AuthorApp>();
    QVERIFY(m_app->Start({}));
    m_app->Controller().Context().settings.config.SetInsertMode(2);
    Project().SetProjectFolder(m_folder->path().toStdString());
    // A, B (with B1, B2), C, D, E, F at the top.
    CXML list("FilesList");
    CXML* run = list.AddChild("List");
    run->SetAttr("RelativeNodeID", "ROOT");
    run->SetAttr("InsertMode", 2);
    for (const char* name : {"A", "B", "C", "D", "E", "F"}) {
        CXML* node = run->AddChild(CHHCFile::CreateNode(name, ""));
        if (std::string(name) == "B") {
            node->AddChild(CHHCFile::CreateNode("B1", ""));
            node->AddChild(CHHCFile::CreateNode("B2", ""));
        }
    }
    Project().Content_AddFilesList2(&list);
    Project().ResetModifiedInfo();
    m_app->Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_app->Frame()));
    View()->expandAll();
    CHECK_TREE();
    QCOMPARE(History(), 0);
}

void ProjectViewsTest::cleanup() {
    Project().SetModified(0);
    m_app.reset();
    m_folder.reset();
    m_home.reset();
}

void ProjectViewsTest::deletingThreeSeparateEntriesAndUndoingBringsTheSameIdsBack() {
    QStringList before = ModelShape(Project().HHC_GetTreeRoot());
    Click("A");
    Click("C", Qt::ControlModifier);
    Click("E", Qt::ControlModifier);
    QCOMPARE(SelectedNames(), QStringList({"A", "C", "E"}));
    AnswerYes();
    QTest::keyClick(View(), Qt::Key_Delete);
    CHECK_TREE();
    QCOMPARE(Project().Content_GetCount(), 5);
    QVERIFY(!Item("A") && !Item("C") && !Item("E"));

    QTest::keyClick(View(), Qt::Key_Z, Qt::ControlModifier);
    CHECK_TREE();
    QCOMPARE(ModelShape(Project().HHC_GetTreeRoot()), before);
}

void ProjectViewsTest::everyMoveKeepsTheMovedEntriesSelected() {
    Click("C");
    Click("D", Qt::ShiftModifier);
    const QStringList moved{"C", "D"};
    for (int command : {ID_MOVE_DOWN, ID_MOVE_UP, ID_MOVE_LEVEL_DOWN, ID_MOVE_LEVEL_UP}) {
        int before = History();
        Run(command);
        CHECK_TREE();
        QCOMPARE(History(), before + 1);
        QCOMPARE(SelectedNames(), moved);
    }
    // Down and up, then into B and out again: back where they began.
    QCOMPARE(Item("C")->parent(), nullptr);
    QCOMPARE(View()->indexOfTopLevelItem(Item("C")), 2);
}

void ProjectViewsTest::droppingAnEntryOntoItsOwnChildChangesNothing() {
    QStringList before = ModelShape(Project().HHC_GetTreeRoot());
    Click("B");
    Drop(View()->DragData(), "B2");
    CHECK_TREE();
    QCOMPARE(ModelShape(Project().HHC_GetTreeRoot()), before);
    QCOMPARE(History(), 0);
}

void ProjectViewsTest::moveDropMovesAndCopyDropUndoRemovesOnlyTheCopies() {
    const QString idA = Id("A");
    Click("A");
    Drop(View()->DragData(), "D");
    CHECK_TREE();
    QCOMPARE(History(), 1);
    QCOMPARE(View()->indexOfTopLevelItem(Item("A")), View()->indexOfTopLevelItem(Item("D")) + 1);
    QCOMPARE(Id("A"), idA);

    QStringList beforeCopy = ModelShape(Project().HHC_GetTreeRoot());
    Click("C");
    Drop(View()->DragData(), "F", Qt::ControlModifier);
    CHECK_TREE();
    QCOMPARE(History(), 2);
    QCOMPARE(Project().Content_GetCount(), 9);
    QTreeWidgetItem* copy = View()->topLevelItem(View()->topLevelItemCount() - 1);
    QCOMPARE(copy->text(0), QString("C"));
    QVERIFY(copy->data(0, Qt::UserRole).toString() != Id("C"));

    Run(ID_EDIT_UNDO);
    CHECK_TREE();
    QCOMPARE(ModelShape(Project().HHC_GetTreeRoot()), beforeCopy);
}

void ProjectViewsTest::pagesDroppedOnAnEntryFollowItNamedByTheirTitles() {
    auto* mime = new QMimeData;
    QList<QUrl> urls;
    for (QString title : {"Alpha", "Beta", "Gamma"})
        urls << QUrl::fromLocalFile(WritePage(m_folder->path(), title.toLower() + ".htm", title));
    mime->setUrls(urls);
    QStringList before = ModelShape(Project().HHC_GetTreeRoot());
    Drop(mime, "C");
    CHECK_TREE();
    QCOMPARE(History(), 1);
    QCOMPARE(NamesAfter("C", 3), QStringList({"Alpha", "Beta", "Gamma"}));

    Run(ID_EDIT_UNDO);
    CHECK_TREE();
    QCOMPARE(ModelShape(Project().HHC_GetTreeRoot()), before);
}

void ProjectViewsTest::renamingToTheSameNameOrEscapeAddsNoHistory() {
    Click("D");
    auto edit = [this](const QString& text, int key) {
        Run(ID_RENAME);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        editor->setText(text);
        QTest::keyClick(editor, static_cast<Qt::Key>(key));
        // Enter closes the edit box once the events are processed.
        QTRY_VERIFY(!qobject_cast<QLineEdit*>(QApplication::focusWidget()));
    };
    edit("Changed", Qt::Key_Escape);
    QCOMPARE(History(), 0);
    edit("D", Qt::Key_Return);
    QCOMPARE(History(), 0);
    edit("", Qt::Key_Return);
    QCOMPARE(History(), 0);
    CHECK_TREE();

    edit("Delta", Qt::Key_Return);
    QCOMPARE(History(), 1);
    CHECK_TREE();
    QVERIFY(Item("Delta"));
    Run(ID_EDIT_UNDO);
    CHECK_TREE();
    QVERIFY(Item("D"));
}

void ProjectViewsTest::removeLinkEmptiesTheLink() {
    QString page = WritePage(m_folder->path(), "page.htm", "Page");
    Drop([&] {
        auto* mime = new QMimeData;
        mime->setUrls({QUrl::fromLocalFile(page)});
        return mime;
    }(), "A");
    CXML* entry = Project().HHC_GetNodeByID(Id("Page").toStdString());
    QVERIFY(entry);
    QVERIFY(!entry->GetAttr("Local").empty());
    Click("Page");
    AnswerYes();
    Run(ID_REMOVE_LINK);
    QCOMPARE(QString::fromStdString(entry->GetAttr("Local")), QString());
    QCOMPARE(History(), 2);
    CHECK_TREE();
}

void ProjectViewsTest::replacingUnwelcomeCharactersRenamesThePageFile() {
    QString page = WritePage(m_folder->path(), "R&D.htm", "Research");
    auto* mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(page)});
    Drop(mime, "F");
    Click("Research");
    WhenModal<ReplaceUnwelcomeDialog>([](ReplaceUnwelcomeDialog* dialog) { dialog->accept(); });
    Run(ID_REPLACE_UNWELCOME);
    // The page now lives under the welcome name (the old file stays for
    // whatever else links to it), and the entry links there.
    const QString renamed = m_folder->path() + "/RandD.htm";
    QFile file(renamed);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("<title>Research</title>"));
    const CXML* entry = Project().HHC_GetNodeByID(Id("Research").toStdString());
    QCOMPARE(QString::fromStdString(entry->GetAttr("Local")), renamed);
    QCOMPARE(History(), 1);
    CHECK_TREE();
}

void ProjectViewsTest::aNewKeywordOpensItsNameForEditing() {
    m_app->Frame().LeftTabs()->setCurrentIndex(1);
    Run(ID_ADD_HEADING);
    CHECK_INDEX();
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->setText("anchoring");
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!qobject_cast<QLineEdit*>(QApplication::focusWidget()));
    CHECK_INDEX();
    QCOMPARE(ModelShape(Project().HHK_GetTreeRoot()).size(), 1);
    QCOMPARE(Project().HHK_GetTreeRoot()->GetChildAt(0)->GetAttr("Name"), std::string("anchoring"));
    // The new keyword and its name, each undoable.
    QCOMPARE(m_app->Frame().Commands().IndexHistory().Size(), 2);
}

void ProjectViewsTest::keywordsOfATextPageAreRefusedWithAReason() {
    QString notes = m_folder->path() + "/notes.txt";
    QFile file(notes);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<meta name=\"keywords\" content=\"knots\">");
    file.close();
    CXML list("FilesList");
    CXML* run = list.AddChild("List");
    run->SetAttr("RelativeNodeID", "ROOT");
    run->SetAttr("InsertMode", 2);
    run->AddChild(CHHCFile::CreateNode("Notes", notes.toStdString()));
    Project().Content_AddFilesList2(&list);
    Project().ResetModifiedInfo();
    Click("Notes");
    QString told;
    WhenModal<QMessageBox>([&told](QMessageBox* box) {
        told = box->text();
        box->accept();
    });
    Run(ID_ADD_PAGE_KEYWORDS);
    QVERIFY2(told.contains("not an HTML page"), qPrintable(told));
    QCOMPARE(Project().Index_GetCount(), 0);
}

void ProjectViewsTest::openingAProjectShowsItAnewAndFollowsItAfterwards() {
    const std::string path = m_folder->path().toStdString() + "/guide.mbk";
    QCOMPARE(m_app->Controller().SaveAs(path), 1);
    m_app->Controller().ResetProject();
    QCOMPARE(View()->topLevelItemCount(), 0);
    QCOMPARE(m_app->Controller().OpenProject(path), 1);
    CHECK_TREE();
    CHECK_INDEX();
    QCOMPARE(View()->topLevelItemCount(), 6);
    Click("C");
    AnswerYes();
    QTest::keyClick(View(), Qt::Key_Delete);
    CHECK_TREE();
    QCOMPARE(Project().Content_GetCount(), 7);
}

void ProjectViewsTest::aChmExplorerFolderDroppedBecomesAHeadingWithItsPages() {
    // A help file with a folder of two pages and a sub-folder, dragged out
    // of the CHM explorer with the data the explorer makes for its drag.
    mb::testing::ChmProject help;
    help.folder = m_folder->filePath("help").toStdString();
    for (const char* page : {"chapter/a.htm", "chapter/b.htm", "chapter/sub/c.htm"})
        help.Add(page, "<html><head><title>page</title></head><body>page</body></html>");
    archive::CArchiveViewFrame explorer(QuietChannels());
    QVERIFY(explorer.OpenFile(help.Build("help.chm")));
    QTreeWidget* files = explorer.FilesTree();
    QList<QTreeWidgetItem*> found = files->findItems("chapter", Qt::MatchExactly | Qt::MatchRecursive);
    QVERIFY(!found.isEmpty());
    Drop(files->model()->mimeData({files->indexFromItem(found.first())}), "A");
    CHECK_TREE();
    QCOMPARE(History(), 1);
    QTreeWidgetItem* heading = View()->topLevelItem(1);
    QCOMPARE(heading->text(0), QString("chapter"));
    QCOMPARE(heading->childCount(), 2);
}

void ProjectViewsTest::deleteAndClearOnTheFilesTabAskFirst() {
    CXML list("FilesList");
    for (const char* name : {"one.htm", "two.htm", "three.htm"}) {
        CXML* item = list.AddChild("FileItem");
        item->SetAttr("Type", 0);
        item->SetAttr("Local", WritePage(m_folder->path(), name, name).toStdString());
    }
    Project().GetHHPFile()->AddFiles(&list);
    m_app->Frame().LeftTabs()->setCurrentIndex(2);
    CViewFiles* files = m_app->Frame().Views().Files();
    const CXML* kept = Project().GetHHPFile()->GetFilesData();
    QCOMPARE(files->topLevelItem(0)->childCount(), 3);
    files->setCurrentItem(files->topLevelItem(0)->child(1));

    // No keeps every file; Yes removes the selected one.
    ClickWhenAsked(QMessageBox::No);
    QTest::keyClick(files, Qt::Key_Delete);
    QCOMPARE(kept->GetChildCount(), 3);
    ClickWhenAsked(QMessageBox::Yes);
    QTest::keyClick(files, Qt::Key_Delete);
    QCOMPARE(files->topLevelItem(0)->childCount(), 2);
    QCOMPARE(kept->GetChildCount(), 2);
    QVERIFY(QString::fromStdString(kept->GetChildAt(0)->GetAttr("Name")).endsWith("one.htm"));
    QVERIFY(QString::fromStdString(kept->GetChildAt(1)->GetAttr("Name")).endsWith("three.htm"));

    ClickWhenAsked(QMessageBox::No);
    Run(ID_CLEAR);
    QCOMPARE(kept->GetChildCount(), 2);
    ClickWhenAsked(QMessageBox::Yes);
    Run(ID_CLEAR);
    QCOMPARE(kept->GetChildCount(), 0);
    QCOMPARE(files->topLevelItem(0)->childCount(), 0);
    // The files themselves stay.
    QVERIFY(QFile::exists(m_folder->path() + "/two.htm"));
}

void ProjectViewsTest::aNewPageOverAnExistingFileNeedsYesAndUndoBringsTheFileBack() {
    const QString page = WritePage(m_folder->path(), "Old.htm", "Old");
    auto read = [&page] {
        QFile file(page);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    };
    const QByteArray old = read();
    Click("F");
    bool enterKept = false;
    bool stayedOpen = false;
    WhenModal<QDialog>([&](QDialog* form) {
        QVERIFY(form->objectName() == "NewPageDialog");
        auto* title = form->findChildren<QLineEdit*>().front();
        title->selectAll();
        QTest::keyClicks(title, "Old"); // the file name follows: Old.htm
        QPushButton* ok = form->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            enterKept = box->defaultButton() == box->button(QMessageBox::No);
            QTest::keyClick(box, Qt::Key_Return);
        });
        ok->click();
        stayedOpen = form->isVisible() && read() == old;
        ClickWhenAsked(QMessageBox::Yes);
        ok->click();
    });
    Run(ID_NEW_PAGE);
    QVERIFY(enterKept);
    QVERIFY(stayedOpen);
    CHECK_TREE();
    QVERIFY(Item("Old"));
    QVERIFY(read() != old);
    QCOMPARE(History(), 1);

    Run(ID_EDIT_UNDO);
    CHECK_TREE();
    QVERIFY(!Item("Old"));
    QCOMPARE(read(), old);
    Run(ID_EDIT_REDO);
    QVERIFY(Item("Old"));
    QVERIFY(read() != old);
}

void ProjectViewsTest::aLargeTreeBuildsCollapsedBranchesWhenReached() {
    // Three headings of 3,000 pages each: more than the view builds at once.
    CXML list("FilesList");
    CXML* run = list.AddChild("List");
    run->SetAttr("RelativeNodeID", "ROOT");
    run->SetAttr("InsertMode", 2);
    for (const char* heading : {"H1", "H2", "H3"}) {
        CXML* node = run->AddChild(CHHCFile::CreateNode(heading, ""));
        for (int i = 0; i < 3000; ++i)
            node->AddChild(CHHCFile::CreateNode(heading + std::string(".") + std::to_string(i), ""));
    }
    Project().Content_AddFilesList2(&list);
    Project().ResetModifiedInfo();
    QTreeWidgetItem* h3 = Item("H3");
    QVERIFY(h3);
    QCOMPARE(h3->childCount(), 0);
    QCOMPARE(h3->childIndicatorPolicy(), QTreeWidgetItem::ShowIndicator);

    // An entry of a branch not built yet: selected from the model, and
    // deleted from it.
    const CXML* deep = Project().HHC_GetTreeRoot()->GetChildAt(8)->GetChildAt(2999);
    QCOMPARE(deep->GetAttr("Name"), std::string("H3.2999"));
    Project().GetHHCFile()->SetSelectedNode(const_cast<CXML*>(deep));
    QCOMPARE(SelectedNames(), QStringList({"H3.2999"}));
    CXML* gone = Project().HHC_GetTreeRoot()->GetChildAt(7)->GetChildAt(5);
    CXML removal("FilesList");
    CXML* removed = removal.AddChild("List");
    removed->AddChild(gone->Copy());
    Project().Content_DeleteFilesList2(&removal);

    // Expanding every branch shows exactly the model.
    for (QTreeWidgetItemIterator it(View()); *it; ++it)
        (*it)->setExpanded(true);
    CHECK_TREE();
    QCOMPARE(Item("H2")->childCount(), 2999);
}

void ProjectViewsTest::filesDraggedFromTheFolderExplorerBecomeEntries() {
    for (QString title : {"Alpha", "Beta", "Gamma"})
        WritePage(m_folder->path(), title.toLower() + ".htm", title);
    CFolderViewFrame* explorer = m_app->Frame().FolderView();
    explorer->GotoFolder(m_folder->path().toStdString());
    QAbstractItemView* list = explorer->FileList();
    QCOMPARE(list->model()->rowCount(), 3);
    list->selectAll();
    Drop(list->model()->mimeData(list->selectionModel()->selectedRows()), "C");
    CHECK_TREE();
    QCOMPARE(History(), 1);
    QCOMPARE(NamesAfter("C", 3), QStringList({"Alpha", "Beta", "Gamma"}));
}

void ProjectViewsTest::foldersDraggedFromTheFolderExplorerAskOnce() {
    // The add-folder dialog is asked once and declined.
    int asked = 0;
    WhenModal<AddFolderDialog>([&](AddFolderDialog* dialog) {
        ++asked;
        dialog->reject();
    });
    for (QString folder : {"one", "two"}) {
        QVERIFY(QDir(m_folder->path()).mkdir(folder));
        WritePage(m_folder->path() + "/" + folder, "page.htm", folder);
    }
    CFolderViewFrame* explorer = m_app->Frame().FolderView();
    explorer->GotoFolder(m_folder->path().toStdString());
    QAbstractItemView* list = explorer->FileList();
    QCOMPARE(list->model()->rowCount(), 2);
    list->selectAll();
    Drop(list->model()->mimeData(list->selectionModel()->selectedRows()), "C");
    QCOMPARE(asked, 1);
    QCOMPARE(History(), 0);
    CHECK_TREE();
}

void ProjectViewsTest::thePreviewShowsTheEntryOfTheTabInFront() {
    // A project imported from its help project files: on reading it both
    // trees select their first entry.
    const QString folder = m_folder->path();
    const QString first = WritePage(folder, "first.htm", "First");
    const QString keyword = WritePage(folder, "keyword.htm", "Keyword");
    auto sitemap = [](const char* name, const char* local) {
        return QString("<HTML><BODY><UL><LI> <OBJECT type=\"text/sitemap\">"
                       "<param name=\"Name\" value=\"%1\"><param name=\"Local\" value=\"%2\">"
                       "</OBJECT></UL></BODY></HTML>")
            .arg(name, local)
            .toUtf8();
    };
    for (const auto& [file, text] :
         {std::pair<QString, QByteArray>{"guide.hhc", sitemap("First", "first.htm")},
          {"guide.hhk", sitemap("Keyword", "keyword.htm")},
          {"guide.hhp", "[OPTIONS]\r\nContents file=guide.hhc\r\nIndex file=guide.hhk\r\n"
                        "Title=Guide\r\n\r\n[FILES]\r\nfirst.htm\r\nkeyword.htm\r\n"}}) {
        QFile out(folder + "/" + file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(text);
    }
    Project().SetModified(0);
    QCOMPARE(m_app->Controller().ImportHHP((folder + "/guide.hhp").toStdString()), 1);
    QCOMPARE(m_app->Frame().LeftTabs()->currentIndex(), 0);
    QCOMPARE(Previewed(), QUrl::fromLocalFile(first));
    m_app->Frame().LeftTabs()->setCurrentIndex(1);
    QCOMPARE(Previewed(), QUrl::fromLocalFile(keyword));
    m_app->Frame().LeftTabs()->setCurrentIndex(0);
    QCOMPARE(Previewed(), QUrl::fromLocalFile(first));
}

void ProjectViewsTest::aLinkTypedInTheEntryFormIsPreviewedAtOnce() {
    const QString page = WritePage(m_folder->path(), "typed.htm", "Typed");
    Click("A");
    CViewTocIndexEntry* form = m_app->Frame().EntryEditor();
    m_app->Frame().RightTabs()->setCurrentWidget(form);
    auto* link = form->findChild<QLineEdit*>("contentsLink");
    link->setFocus();
    QTest::keyClicks(link, "typed.htm");
    QTest::keyClick(link, Qt::Key_Return);
    QCOMPARE(QString::fromStdString(Project().HHC_GetNodeByID(Id("A").toStdString())->GetAttr("Local")),
             page);
    QCOMPARE(Previewed(), QUrl::fromLocalFile(page));
}

MB_WEB_TEST_MAIN(ProjectViewsTest)
#include "ProjectViewsTest.moc"
