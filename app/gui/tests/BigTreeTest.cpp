// Working in a large contents tree with the keyboard: the selection moves
// with the keys and stays in sight, and the find bar reaches every entry of
// the model, also those of branches whose items were not built yet.
#include "app/gui/AuthorApp.h"
#include "app/gui/ProjectViews.h"
#include "app/gui/TreeFindBar.h"
#include "app/gui/ViewContent.h"
#include "app/gui/ViewIndex.h"
#include "app/gui/tests/GuiTestSupport.h"
#include "app/gui/tests/WebTestMain.h"

#include "baseutil/Xml.h"
#include "commonkit/CommandIds.h"
#include "projectmodel/ProjectFile.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace mb::gui;
using namespace mb::gui::testing;

class BigTreeTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void keysMoveTheSelectionAndTheViewFollows();
    void findSelectsMatchesOfTheWholeModelAndShowsThem();

private:
    CProjectFile& Project() { return *m_app->Controller().GetProject(); }
    CViewContent* View() { return m_app->Frame().Views().Contents(); }
    QString Current() { return View()->currentItem() ? View()->currentItem()->text(0) : QString(); }
    QString ModelSelected() {
        const CXML* node = Project().HHC_GetSelectedNode();
        return node ? QString::fromStdString(node->GetAttr("Name")) : QString();
    }
    bool CurrentInSight() {
        QTreeWidgetItem* item = View()->currentItem();
        return item && View()->viewport()->rect().contains(View()->visualItemRect(item));
    }
    // Top-level pages P0... and headings H1... of `perHeading` pages each
    // (H2.17 links to pages/part-2-017.htm).
    void AddEntries(int pages, int headings, int perHeading) {
        CXML list("FilesList");
        CXML* run = list.AddChild("List");
        run->SetAttr("RelativeNodeID", "ROOT");
        run->SetAttr("InsertMode", 2);
        const std::string folder = m_folder.path().toStdString() + "/pages/";
        for (int i = 0; i < pages; ++i)
            run->AddChild(CHHCFile::CreateNode("P" + std::to_string(i), folder + "p.htm"));
        for (int h = 1; h <= headings; ++h) {
            CXML* heading = run->AddChild(CHHCFile::CreateNode("H" + std::to_string(h), ""));
            for (int i = 0; i < perHeading; ++i) {
                char file[32];
                std::snprintf(file, sizeof file, "part-%d-%03d.htm", h, i);
                heading->AddChild(CHHCFile::CreateNode(
                    "H" + std::to_string(h) + "." + std::to_string(i), folder + file));
            }
        }
        Project().Content_AddFilesList2(&list);
        Project().ResetModifiedInfo();
    }
    QTemporaryDir m_folder;
    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<AuthorApp> m_app;
};

void BigTreeTest::init() {
    m_home = std::make_unique<IsolatedHome>();
    m_app = std::make_unique<AuthorApp>();
    QVERIFY(m_app->Start({}));
    Project().SetProjectFolder(m_folder.path().toStdString());
    m_app->Frame().resize(800, 600);
    m_app->Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_app->Frame()));
}

void BigTreeTest::cleanup() {
    Project().SetModified(0);
    m_app.reset();
    m_home.reset();
}

void BigTreeTest::keysMoveTheSelectionAndTheViewFollows() {
    // 400 pages, then a heading of 6,000 pages: more than the view builds
    // at once, so its items are built when it is opened.
    AddEntries(400, 1, 6000);
    View()->setFocus();
    QTest::keyClick(View(), Qt::Key_Home);
    QCOMPARE(Current(), QString("P0"));
    for (int i = 0; i < 60; ++i)
        QTest::keyClick(View(), Qt::Key_Down);
    QCOMPARE(Current(), QString("P60"));
    QCOMPARE(ModelSelected(), QString("P60"));
    QVERIFY(CurrentInSight());
    QTest::keyClick(View(), Qt::Key_PageDown);
    QVERIFY(Current() != "P60");
    QCOMPARE(ModelSelected(), Current());
    QVERIFY(CurrentInSight());
    QTest::keyClick(View(), Qt::Key_End);
    QCOMPARE(Current(), QString("H1"));
    QVERIFY(CurrentInSight());
    QCOMPARE(View()->currentItem()->childCount(), 0);
    QTest::keyClick(View(), Qt::Key_Right);
    QCOMPARE(View()->currentItem()->childCount(), 6000);
    QTest::keyClick(View(), Qt::Key_Down);
    QCOMPARE(Current(), QString("H1.0"));
    QVERIFY(CurrentInSight());
    QTest::keyClick(View(), Qt::Key_End);
    QCOMPARE(Current(), QString("H1.5999"));
    QCOMPARE(ModelSelected(), QString("H1.5999"));
    QVERIFY(CurrentInSight());
    for (int i = 0; i < 30; ++i)
        QTest::keyClick(View(), Qt::Key_Up);
    QCOMPARE(Current(), QString("H1.5969"));
    QVERIFY(CurrentInSight());
}

void BigTreeTest::findSelectsMatchesOfTheWholeModelAndShowsThem() {
    // Three headings of 3,000 pages: the last one's items are not built.
    AddEntries(0, 3, 3000);
    QVERIFY(View()->topLevelItem(2)->childCount() == 0);
    MainFrame& frame = m_app->Frame();
    TreeFindBar* bar = frame.FindBar();
    QVERIFY(bar->isHidden());
    View()->setFocus();
    QTest::keyClick(View(), Qt::Key_F, Qt::ControlModifier);
    QVERIFY(bar->isVisible());
    QLineEdit* text = bar->TextField();
    QVERIFY(text->hasFocus());

    // The name in other letter case, in a branch that was never built.
    QTest::keyClicks(text, "h3.2999");
    QTest::keyClick(text, Qt::Key_Return);
    QCOMPARE(Current(), QString("H3.2999"));
    QCOMPARE(ModelSelected(), QString("H3.2999"));
    QVERIFY(CurrentInSight());
    QVERIFY(bar->Status()->text().isEmpty());

    // Backward from there: the last of H2.10, H2.100... in document order.
    text->setText("h2.10");
    QTest::keyClick(text, Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(Current(), QString("H2.1099"));
    QVERIFY(CurrentInSight());
    QTest::keyClick(text, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(Current(), QString("H2.1098"));
    QTest::keyClick(View(), Qt::Key_F3);
    QCOMPARE(Current(), QString("H2.1099"));

    // Letter case counts when asked; nothing found leaves the selection.
    bar->findChild<QCheckBox*>("findMatchCase")->setChecked(true);
    frame.ActionFor(mb::ID_FIND_NEXT)->trigger();
    QCOMPARE(Current(), QString("H2.1099"));
    QVERIFY(!bar->Status()->text().isEmpty());
    bar->findChild<QCheckBox*>("findMatchCase")->setChecked(false);

    // A link's file name is found only when links count.
    text->setText("PART-2-017");
    frame.ActionFor(mb::ID_FIND_NEXT)->trigger();
    QCOMPARE(Current(), QString("H2.1099"));
    bar->findChild<QCheckBox*>("findInLinks")->setChecked(true);
    frame.ActionFor(mb::ID_FIND_NEXT)->trigger();
    QCOMPARE(Current(), QString("H2.17"));
    QVERIFY(CurrentInSight());
    bar->findChild<QCheckBox*>("findInLinks")->setChecked(false);

    // The index tab finds in the index; the files tab has nothing to find.
    CXML keywords("FilesList");
    CXML* run = keywords.AddChild("List");
    run->SetAttr("RelativeNodeID", "ROOT");
    run->SetAttr("InsertMode", 2);
    for (const char* name : {"alpha", "beta", "gamma"})
        run->AddChild(CHHKFile::CreateNode(name, "", 0));
    Project().Index_AddFilesList2(&keywords);
    frame.LeftTabs()->setCurrentIndex(1);
    text->setText("GAM");
    frame.ActionFor(mb::ID_FIND_NEXT)->trigger();
    QCOMPARE(frame.Views().Index()->currentItem()->text(0), QString("gamma"));
    QCOMPARE(Current(), QString("H2.17"));
    frame.LeftTabs()->setCurrentIndex(2);
    QVERIFY(!frame.ActionFor(mb::ID_FIND)->isEnabled());
    QVERIFY(!frame.ActionFor(mb::ID_FIND_NEXT)->isEnabled());

    // Escape closes the bar.
    frame.LeftTabs()->setCurrentIndex(0);
    QTest::keyClick(text, Qt::Key_Escape);
    QVERIFY(bar->isHidden());
}

MB_WEB_TEST_MAIN(BigTreeTest)
#include "BigTreeTest.moc"
