// What the main window and its forms look like on screen: menu letters and
// label letters that work, commands enabled only when there is something to
// act on, panes that share the width and keep it, a topic-entry form that
// fits a small screen, and the help window's toolbar only with a project.
#include "app/gui/AuthorApp.h"
#include "app/gui/ChmOutputDialog.h"
#include "app/gui/NewProjectDialog.h"
#include "app/gui/ProjectTreeView.h"
#include "app/gui/ProjectViews.h"
#include "app/gui/ViewContent.h"
#include "app/gui/ViewIndex.h"
#include "app/gui/tests/GuiTestSupport.h"
#include "app/gui/tests/WebTestMain.h"

#include "commonkit/CommandIds.h"
#include "entryeditor/ViewTocIndexEntry.h"
#include "runconfig/ConfigData.h"

#include <QAction>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <functional>

using namespace mb::gui;
using namespace mb::gui::testing;

namespace {

QStringList TextsOf(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* action : actions)
        if (!action->isSeparator())
            texts << action->text();
    return texts;
}

// The texts of a menu whose letter an earlier text of it took already.
QStringList SharedLetters(const QStringList& texts) {
    QMap<QString, QString> taken;
    QStringList shared;
    for (const QString& text : texts) {
        const QString letter = QKeySequence::mnemonic(text).toString();
        if (letter.isEmpty())
            continue;
        if (taken.contains(letter))
            shared << taken[letter] + " / " + text;
        taken[letter] = text;
    }
    return shared;
}

// The texts of a tree's pop-up menu, read while it is open.
QStringList PopupOf(ProjectTreeView* view) {
    QStringList texts;
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, &texts] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            poll->stop();
            poll->deleteLater();
            texts = TextsOf(menu->actions());
            menu->close();
        }
    });
    poll->start(10);
    const QPoint at(5, 5);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
    QApplication::sendEvent(view->viewport(), &event);
    return texts;
}

// Labels whose "&" letter leads nowhere, and so show the "&" itself.
QStringList LabelsWithoutField(const QWidget* window) {
    QStringList stray;
    for (const QLabel* label : window->findChildren<QLabel*>())
        if (!QKeySequence::mnemonic(label->text()).isEmpty() && !label->buddy())
            stray << label->text();
    return stray;
}

} // namespace

class ScreenPolishTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void everyMenuGivesEachLetterOnce();
    void labelLettersLeadToTheirFields();
    void editCommandsNeedEntriesOrASelection();
    void panesShareTheWidthAndKeepIt();
    void topicEntryFormFitsASmallScreen();
    void helpWindowToolbarSaysWhatItIsAndWaitsForAProject();

private:
    MainFrame& Frame() { return m_app->Frame(); }
    bool Enabled(int id) { return Frame().ActionFor(id)->isEnabled(); }
    void Start(const QStringList& arguments = {}) {
        m_app = std::make_unique<AuthorApp>();
        QVERIFY(m_app->Start(arguments));
    }
    // Opens a saved, empty project from the recent-project menu.
    void OpenProject() {
        const QString path = m_work.path() + "/guide.mbk";
        QVERIFY(MakeProject(path));
        m_app->Controller().Context().settings.config.m_recentProjects = {path.toStdString()};
        Frame().RebuildRecentMenu();
        Frame().RecentMenu()->actions().front()->trigger();
    }
    QTemporaryDir m_work;
    std::unique_ptr<IsolatedHome> m_home;
    std::unique_ptr<AuthorApp> m_app;
};

void ScreenPolishTest::init() {
    m_home = std::make_unique<IsolatedHome>();
    Start();
}

void ScreenPolishTest::cleanup() {
    if (m_app)
        m_app->Controller().GetProject()->SetModified(0);
    m_app.reset();
    m_home.reset();
}

void ScreenPolishTest::everyMenuGivesEachLetterOnce() {
    QMenuBar* bar = Frame().menuBar();
    QCOMPARE(SharedLetters(TextsOf(bar->actions())), QStringList());
    for (QAction* menu : bar->actions()) {
        const QStringList shared = SharedLetters(TextsOf(menu->menu()->actions()));
        QVERIFY2(shared.isEmpty(), qPrintable(menu->text() + ": " + shared.join(", ")));
    }
    ProjectTreeView* trees[] = {Frame().Views().Contents(), Frame().Views().Index()};
    for (int tab = 0; tab < 2; ++tab) {
        Frame().LeftTabs()->setCurrentIndex(tab);
        const QStringList popup = PopupOf(trees[tab]);
        QVERIFY(popup.size() > 10);
        QVERIFY2(SharedLetters(popup).isEmpty(), qPrintable(SharedLetters(popup).join(", ")));
    }
}

void ScreenPolishTest::labelLettersLeadToTheirFields() {
    QStringList stray;
    auto inspect = [&stray](QDialog* dialog) {
        stray << LabelsWithoutField(dialog);
        dialog->reject();
    };
    WhenModal<NewProjectDialog>(inspect);
    Frame().RunCommand(mb::ID_FILE_NEW);
    WhenModal<ChmOutputDialog>(inspect);
    Frame().RunCommand(mb::ID_DECOMPILE);
    WhenModal<ChmOutputDialog>(inspect);
    Frame().RunCommand(mb::ID_CHM_TO_HANDHELD);
    QCOMPARE(stray, QStringList());
}

void ScreenPolishTest::editCommandsNeedEntriesOrASelection() {
    const int onEntries[] = {mb::ID_DELETE,      mb::ID_CLEAR,       mb::ID_RENAME,
                             mb::ID_MOVE_UP,     mb::ID_SORT_A_TO_Z, mb::ID_SET_FONT,
                             mb::ID_CHANGE_ICON, mb::ID_FIND,        mb::ID_LINK_URL};
    for (int id : onEntries)
        QVERIFY2(!Enabled(id), qPrintable(Frame().ActionFor(id)->text()));
    QVERIFY(Enabled(mb::ID_ADD_HEADING));

    // A new heading is selected: everything applies to it.
    Frame().RunCommand(mb::ID_ADD_HEADING);
    Frame().Views().EndLabelEditing();
    for (int id : onEntries)
        QVERIFY2(Enabled(id), qPrintable(Frame().ActionFor(id)->text()));

    // Without a selection only the commands on the whole tree apply.
    CViewContent* tree = Frame().Views().Contents();
    tree->clearSelection();
    QTRY_VERIFY(!Enabled(mb::ID_DELETE));
    QVERIFY(!Enabled(mb::ID_RENAME) && !Enabled(mb::ID_MOVE_UP) && !Enabled(mb::ID_SORT_A_TO_Z));
    QVERIFY(Enabled(mb::ID_CLEAR) && Enabled(mb::ID_SET_FONT) && Enabled(mb::ID_FIND));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->visualItemRect(tree->topLevelItem(0)).center());
    QTRY_VERIFY(Enabled(mb::ID_DELETE));

    // The files tab lists no file yet.
    Frame().LeftTabs()->setCurrentIndex(2);
    QVERIFY(!Enabled(mb::ID_DELETE) && !Enabled(mb::ID_CLEAR));
    QVERIFY(Enabled(mb::ID_ADD_FOLDER));
}

void ScreenPolishTest::panesShareTheWidthAndKeepIt() {
    auto* panes = Frame().findChild<QSplitter*>("PaneSplitter");
    QVERIFY(panes);
    Frame().resize(600, 500);
    Frame().show();
    QVERIFY(QTest::qWaitForWindowExposed(&Frame()));
    const int narrow = panes->sizes()[0];
    Frame().resize(1200, 500);
    QTRY_VERIFY(panes->sizes()[1] > 700);
    QVERIFY2(panes->sizes()[0] >= narrow + 150, qPrintable(QString::number(panes->sizes()[0])));

    // The widths chosen come back with the next start.
    Frame().resize(800, 500);
    panes->setSizes({500, 300});
    const QList<int> chosen = panes->sizes();
    QVERIFY(Frame().close());
    Start();
    Frame().show();
    QVERIFY(QTest::qWaitForWindowExposed(&Frame()));
    QTRY_COMPARE(Frame().findChild<QSplitter*>("PaneSplitter")->sizes(), chosen);
}

void ScreenPolishTest::topicEntryFormFitsASmallScreen() {
    OpenProject(); // with the help window's toolbar
    Frame().resize(800, 600);
    Frame().RightTabs()->setCurrentWidget(Frame().EntryEditor());
    Frame().show();
    QVERIFY(QTest::qWaitForWindowExposed(&Frame()));
    QCOMPARE(Frame().size(), QSize(800, 600));
    QList<QCheckBox*> types;
    for (const char* name : {"plainKeyword", "severalTopics", "topicOfKeyword"})
        types << Frame().EntryEditor()->findChild<QCheckBox*>(name);
    for (int i = 0; i < types.size(); ++i) {
        QVERIFY(types[i]);
        QVERIFY2(types[i]->height() >= types[i]->minimumSizeHint().height(),
                 qPrintable(types[i]->objectName()));
        for (int j = i + 1; j < types.size(); ++j)
            QVERIFY(!types[i]->geometry().intersects(types[j]->geometry()));
    }
}

void ScreenPolishTest::helpWindowToolbarSaysWhatItIsAndWaitsForAProject() {
    QToolBar* toolbar = Frame().OptionsToolBar();
    QVERIFY(toolbar->isHidden());
    QVERIFY(toolbar->findChild<QLabel*>("HelpWindowCaption"));
    const QAction* hide = Frame().ActionFor(mb::ID_BUTTON_HIDE);
    QVERIFY2(hide->toolTip().contains("help window"), qPrintable(hide->toolTip()));
    QVERIFY(Frame().ActionFor(32825)->toolTip().contains("help window"));

    OpenProject();
    QVERIFY(!toolbar->isHidden());
    // The layout stored with it shown does not bring it back without one.
    QVERIFY(Frame().close());
    Start();
    QVERIFY(Frame().OptionsToolBar()->isHidden());
}

MB_WEB_TEST_MAIN(ScreenPolishTest)
#include "ScreenPolishTest.moc"
