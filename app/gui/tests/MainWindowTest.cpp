// The desktop program's main window, driven as the user would: the recent
// menu, the command-line project, closing with changes, log lines from a
// worker while a question is open, and the routing of every command.
#include "app/gui/AuthorApp.h"
#include "app/gui/CommandRoutes.h"
#include "app/gui/NewProjectDialog.h"
#include "app/gui/ReadmeWindow.h"
#include "app/gui/ProjectViews.h"
#include "app/gui/tests/GuiTestSupport.h"
#include "app/gui/tests/WebTestMain.h"

#include "app/core/LanguageTable.h"

#include "baseutil/Desktop.h"
#include "baseutil/MainWindow.h"
#include "baseutil/Prompt.h"
#include "baseutil/Xml.h"
#include "baseutil/tests/support/RecordingDesktop.h"
#include "commonkit/CommandIds.h"
#include "folderview/FolderViewFrame.h"
#include "pageeditor/PreviewEditFrame.h"
#include "projectmodel/SitemapFile.h"
#include "runconfig/ConfigData.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <fcntl.h>
#include <functional>
#include <set>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace mb::gui;
using namespace mb::gui::testing;

namespace {

std::vector<std::string>& Recent(AuthorApp& app) {
    return app.Controller().Context().settings.config.m_recentProjects;
}

// Records each handler the main window reaches.
class RecordingHandlers final : public ICommandHandlers {
public:
    explicit RecordingHandlers(std::vector<TabAction>& calls) : m_calls(calls) {}
    void Run(int, const TabAction& action) override { m_calls.push_back(action); }

private:
    std::vector<TabAction>& m_calls;
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void recentMenuShowsTenAndOpensAnAmpersandPathLiterally();
    void relativeCommandLineProjectOpensWithItsAbsolutePath();
    void closingAModifiedProjectAsksFirst();
    void closingWithAChangedPageAsksFirst();
    void logLinesFromAWorkerArriveInOrderWhileAQuestionIsOpen();
    void everyCommandReachesTheHandlerOfItsRoute();
    void newProjectFormOffersEveryLanguageAndNamesTheProject();
    void windowLibrarySignalsReachTheFolderAndTheCommand();
    void openingALargeProjectMovesTheProgressBar();
    void webPageShowsTheProgramsReadme();
    void cancellingNewLeavesTheOpenProjectAsItWas();
    void theTitlesStarFollowsTheUndoHistory();
    void startUpLeavesPipesAndLinksAtItsFilesPlacesAlone();
};

void MainWindowTest::recentMenuShowsTenAndOpensAnAmpersandPathLiterally() {
    IsolatedHome home;
    QTemporaryDir work;
    QString ampersand = work.path() + "/R&D/guide & notes.mbk";
    QVERIFY(MakeProject(ampersand));
    QStringList before = Listing(work.path());
    {
        AuthorApp app;
        QVERIFY(app.Start({}));
        std::vector<std::string> twelve;
        for (int i = 0; i < 12; ++i)
            twelve.push_back((work.path() + QString("/other%1.mbk").arg(i)).toStdString());
        twelve[3] = ampersand.toStdString();
        Recent(app) = twelve;
        app.Frame().RebuildRecentMenu();

        QList<QAction*> items = app.Frame().RecentMenu()->actions();
        QCOMPARE(items.size(), 10);
        QAction* entry = items[3];
        QVERIFY2(QKeySequence::mnemonic(entry->text()).isEmpty(), "no '&' turned into a mnemonic");
        QCOMPARE(entry->text().replace("&&", "&"), ampersand);
        entry->trigger();
        QCOMPARE(QString::fromStdString(app.Controller().GetProject()->GetMBKFileName()), ampersand);
        QVERIFY(app.Frame().windowTitle().contains(ampersand));
        QCOMPARE(QString::fromStdString(Recent(app).front()), ampersand);
        QCOMPARE(app.Frame().RecentMenu()->actions().front()->text(),
                 QString(ampersand).replace("&", "&&"));
        QVERIFY(app.Frame().close());
    }
    QCOMPARE(Listing(work.path()), before);
    QCOMPARE(Listing(home.outside.path()), QStringList());
    QVERIFY(QFileInfo::exists(home.home.path() + "/mbconfig.xml"));
}

void MainWindowTest::relativeCommandLineProjectOpensWithItsAbsolutePath() {
    IsolatedHome home;
    QTemporaryDir work;
    QString absolute = work.path() + "/sub/guide.mbk";
    QVERIFY(MakeProject(absolute));
    QString previous = QDir::currentPath();
    QDir::setCurrent(work.path());
    AuthorApp app;
    QVERIFY(app.Start({"sub/guide.mbk"}));
    QDir::setCurrent(previous);
    QCOMPARE(QString::fromStdString(app.Controller().GetProject()->GetMBKFileName()), absolute);
    QVERIFY2(app.Frame().windowTitle().contains(absolute), qPrintable(app.Frame().windowTitle()));
    QCOMPARE(QString::fromStdString(Recent(app).front()), absolute);
    QCOMPARE(app.Frame().RecentMenu()->actions().front()->text(), absolute);
}

void MainWindowTest::closingAModifiedProjectAsksFirst() {
    IsolatedHome home;
    QTemporaryDir work;
    QString path = work.path() + "/guide.mbk";
    QVERIFY(MakeProject(path));
    QStringList before = Listing(work.path());
    AuthorApp app;
    QVERIFY(app.Start({path}));
    CProjectFile* project = app.Controller().GetProject();
    project->HHP_SetOptionsData(OPT_TITLE, "Changed");
    project->SetModified(1);

    ClickWhenAsked(QMessageBox::Cancel);
    QVERIFY(!app.Frame().close());
    QVERIFY(app.Frame().isVisible());

    // Yes, then Cancel in the save dialog of a project without a file.
    project->SetMBKFileName("");
    WhenModal<QMessageBox>([](QMessageBox* box) {
        WhenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
        box->button(QMessageBox::Yes)->click();
    });
    QVERIFY(!app.Frame().close());
    QVERIFY(app.Frame().isVisible());

    project->SetMBKFileName(path.toStdString());
    ClickWhenAsked(QMessageBox::No);
    QVERIFY(app.Frame().close());
    QVERIFY(!app.Frame().isVisible());
    QCOMPARE(Listing(work.path()), before);
}

void MainWindowTest::closingWithAChangedPageAsksFirst() {
    IsolatedHome home;
    QTemporaryDir work;
    QString path = work.path() + "/guide.mbk";
    QVERIFY(MakeProject(path));
    const QString page = work.path() + "/page.htm";
    const QByteArray text = "<html><body>page</body></html>";
    {
        QFile file(page);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    AuthorApp app;
    QVERIFY(app.Start({path}));
    CHHCFile* contents = app.Controller().GetProject()->GetHHCFile();
    CXML* entry = contents->GetTreeRoot()->AddChild("node");
    entry->SetAttr("Local", page.toStdString());
    mb::page::CPreviewEditFrame* editor = app.Frame().PageEditor();
    app.Frame().RightTabs()->setCurrentWidget(editor);
    editor->SetEditMode();
    contents->SetSelectedNode(entry);
    QTest::keyClicks(editor->SourceEditor(), "changed ");

    ClickWhenAsked(QMessageBox::Cancel);
    QVERIFY(!app.Frame().close());
    QVERIFY(app.Frame().isVisible());

    ClickWhenAsked(QMessageBox::No); // discard the change
    QVERIFY(app.Frame().close());
    QFile file(page);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), text);
}

void MainWindowTest::logLinesFromAWorkerArriveInOrderWhileAQuestionIsOpen() {
    IsolatedHome home;
    AuthorApp app;
    QVERIFY(app.Start({}));
    constexpr int kLines = 10000;
    QPlainTextEdit* log = app.Frame().RunLog();
    log->clear();
    std::thread worker;
    bool allArrivedWhileAsking = false;
    WhenModal<QMessageBox>([&](QMessageBox* box) {
        worker = std::thread([sink = app.Controller().Context().log] {
            for (int i = 0; i < kLines; ++i)
                mb::LogLine(sink, "line " + std::to_string(i));
        });
        auto* wait = new QTimer(box);
        auto* clock = new QElapsedTimer;
        clock->start();
        QObject::connect(wait, &QTimer::timeout, [&, box, wait, clock] {
            allArrivedWhileAsking = log->blockCount() >= kLines &&
                                    log->document()->lastBlock().text() ==
                                        QString("line %1").arg(kLines - 1);
            if (allArrivedWhileAsking || clock->elapsed() > 60000) {
                wait->stop();
                delete clock;
                box->button(QMessageBox::Yes)->click();
            }
        });
        wait->start(20);
    });
    mb::ShowMessage(*app.Controller().Context().prompt, "Go on?", "", mb::Buttons::YesNo,
                    mb::Icon::Question);
    worker.join();
    QVERIFY(allArrivedWhileAsking);
    QStringList lines = log->toPlainText().split('\n');
    QCOMPARE(lines.size(), kLines);
    for (int i = 0; i < kLines; ++i)
        QCOMPARE(lines[i], QString("line %1").arg(i));
}

void MainWindowTest::everyCommandReachesTheHandlerOfItsRoute() {
    IsolatedHome home;
    AuthorApp app;
    QVERIFY(app.Start({}));
    MainFrame& frame = app.Frame();
    std::vector<TabAction> calls;
    frame.SetCommandHandlers(std::make_unique<RecordingHandlers>(calls));

    std::set<int> ids;
    for (const CommandRoute& route : CommandRoutes()) {
        QVERIFY2(ids.insert(route.id).second, qPrintable(QString::number(route.id)));
        QAction* action = frame.ActionFor(route.id);
        QVERIFY2(action && !action->associatedObjects().isEmpty(),
                 qPrintable(QString("%1 is in a menu or toolbar").arg(route.id)));
        for (int tab = 0; tab < 3; ++tab) {
            frame.LeftTabs()->setCurrentIndex(tab);
            const TabAction& expected = route.onTab[tab];
            QString where = QString("command %1 on tab %2").arg(route.id).arg(tab);
            bool undoable = expected.handler == Handler::Undo || expected.handler == Handler::Redo;
            // The trees and the files list are empty.
            QCOMPARE(action->isEnabled(), expected.handler != Handler::None && !undoable &&
                                              route.needs == Needs::Nothing);
            calls.clear();
            emit action->triggered();
            if (expected.handler == Handler::None) {
                QVERIFY2(calls.empty(), qPrintable(where));
            } else {
                QVERIFY2(calls.size() == 1 && calls[0] == expected,
                         qPrintable(where + " reaches " + HandlerName(expected.handler)));
            }
        }
    }
    // A few rows read straight from the routing of the edit commands.
    auto routed = [&](int id, int tab) {
        frame.LeftTabs()->setCurrentIndex(tab);
        calls.clear();
        emit frame.ActionFor(id)->triggered();
        return calls.empty() ? TabAction{} : calls[0];
    };
    QCOMPARE(routed(mb::ID_DELETE, 1), (TabAction{Handler::EditCommand, 22}));
    QCOMPARE(routed(mb::ID_CLEAR, 2), (TabAction{Handler::EditCommand, 26}));
    QCOMPARE(routed(mb::ID_MOVE_LEVEL_DOWN, 0), (TabAction{Handler::EditCommand, 30}));
    QCOMPARE(routed(mb::ID_ADD_FILES, 2), TabAction{});
    QCOMPARE(frame.ActionFor(mb::ID_FILE_SAVE)->shortcut(), QKeySequence("Ctrl+S"));

    // The accelerator reaches the same handler as the menu.
    QApplication::setActiveWindow(&frame);
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    calls.clear();
    QTest::keyClick(&frame, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(calls.size(), size_t(1));
    QCOMPARE(calls[0].handler, Handler::OpenProject);
}

void MainWindowTest::newProjectFormOffersEveryLanguageAndNamesTheProject() {
    IsolatedHome home;
    QTemporaryDir work;
    AuthorApp app;
    QVERIFY(app.Start({}));
    int languages = 0;
    QString selected;
    QString typedName;
    WhenModal<NewProjectDialog>([&](NewProjectDialog* dialog) {
        languages = dialog->LanguageList()->count();
        selected = dialog->LanguageList()->currentText();
        auto* name = dialog->findChild<QLineEdit*>("name");
        name->clear();
        QTest::keyClicks(name, "my:guide?");
        typedName = name->text();
        dialog->findChild<QLineEdit*>("title")->setText("My Guide");
        dialog->findChild<QLineEdit*>("folder")->setText(work.path());
        dialog->accept();
    });
    app.Frame().ActionFor(mb::ID_FILE_NEW)->trigger();
    QCOMPARE(languages, 153);
    int configured = mb::LanguagePosition(app.Controller().Context().settings.config.GetLCID());
    QCOMPARE(selected, QString::fromStdString(mb::LanguageRowText(configured)));
    QCOMPARE(typedName, QString("myguide"));
    QString path = work.path() + "/myguide.mbk";
    QCOMPARE(QString::fromStdString(app.Controller().GetProject()->GetMBKFileName()), path);
    QVERIFY2(app.Frame().windowTitle().contains("myguide.mbk"),
             qPrintable(app.Frame().windowTitle()));
    QVERIFY2(!QFileInfo::exists(path), "written only when first saved");
}

void MainWindowTest::windowLibrarySignalsReachTheFolderAndTheCommand() {
    IsolatedHome home;
    QTemporaryDir work;
    QString project = work.path() + "/guide.mbk";
    QVERIFY(MakeProject(project));
    mb::testing::RecordingDesktop desktop;
    AuthorApp app;
    app.Controller().Context().desktop = &desktop;
    QVERIFY(app.Start({project}));
    std::vector<TabAction> calls;
    app.Frame().SetCommandHandlers(std::make_unique<RecordingHandlers>(calls));

    // The explorer's toolbar: to the project folder, which opens in the
    // file manager; a new list style is kept in the settings.
    CFolderViewFrame* explorer = app.Frame().FolderView();
    explorer->RunCommand(mb::ID_RS_GO_TO_PROJECT_FOLDER);
    explorer->RunCommand(mb::ID_RS_OPEN_IN_FILE_MANAGER);
    explorer->RunCommand(mb::ID_RS_VIEW_LIST);
    // The page editor's "set up" choice of its favourite-editor menu.
    app.Frame().PageEditor()->OnFavoriteEditorChosen(1000);

    QCOMPARE(desktop.opened, std::vector<std::string>{work.path().toStdString()});
    QCOMPARE(app.Controller().Context().settings.config.GetViewStyle(),
             int(CFolderViewFrame::List));
    QCOMPARE(calls.size(), size_t(1));
    QCOMPARE(calls[0].handler, Handler::FavoriteEditors);
}

void MainWindowTest::openingALargeProjectMovesTheProgressBar() {
    IsolatedHome home;
    QTemporaryDir work;
    const std::string path = work.filePath("large.mbk").toStdString();
    {
        mb::AppContext context;
        CProjectController controller(context);
        CProjectFile& project = *controller.GetProject();
        project.SetProjectFolder(work.path().toStdString());
        CXML list("FilesList");
        CXML* run = list.AddChild("List");
        run->SetAttr("RelativeNodeID", "ROOT");
        run->SetAttr("InsertMode", 2);
        for (int i = 0; i < 5000; ++i)
            run->AddChild(CHHCFile::CreateNode("Entry " + std::to_string(i),
                                               work.filePath("page.htm").toStdString()));
        project.Content_AddFilesList2(&list);
        QCOMPARE(controller.SaveAs(path), 1);
    }
    AuthorApp app;
    QVERIFY(app.Start({}));
    QProgressBar* bar = app.Frame().ProgressBar();
    std::vector<int> shown; // the positions drawn while the bar was on screen
    QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) {
        if (bar->isVisible())
            shown.push_back(value);
    });
    QCOMPARE(app.Controller().OpenProject(path), 1);
    QCOMPARE(app.Controller().GetProject()->Content_GetCount(), 5000);
    QVERIFY2(shown.size() > 3, qPrintable(QString::number(shown.size())));
    QVERIFY(std::is_sorted(shown.begin(), shown.end()));
    QCOMPARE(shown.back(), bar->maximum());
    QVERIFY(bar->isHidden());
}

void MainWindowTest::webPageShowsTheProgramsReadme() {
    IsolatedHome home;
    AuthorApp app;
    QVERIFY(app.Start({}));
    app.Frame().RunCommand(mb::ID_WEB_PAGE);
    ReadmeWindow* readme = app.Frame().findChild<ReadmeWindow*>();
    QVERIFY(readme && readme->isVisible());
    QVERIFY(readme->toPlainText().contains("Marrowbook"));
    QVERIFY(!readme->document()->resource(QTextDocument::ImageResource,
                                          QUrl("docs/screenshots/main-window.png"))
                 .isNull());
}

void MainWindowTest::cancellingNewLeavesTheOpenProjectAsItWas() {
    IsolatedHome home;
    QTemporaryDir work;
    QString path = work.path() + "/guide.mbk";
    QVERIFY(MakeProject(path));
    AuthorApp app;
    QVERIFY(app.Start({path}));
    MainFrame& frame = app.Frame();
    frame.RunCommand(mb::ID_ADD_HEADING);
    frame.Views().EndLabelEditing();
    const QString title = frame.windowTitle();
    ClickWhenAsked(QMessageBox::No); // the changes are not saved
    WhenModal<NewProjectDialog>([](NewProjectDialog* dialog) { dialog->reject(); });
    frame.ActionFor(mb::ID_FILE_NEW)->trigger();
    QCOMPARE(QString::fromStdString(app.Controller().GetProject()->GetMBKFileName()), path);
    QCOMPARE(app.Controller().GetProject()->Content_GetCount(), 1);
    QCOMPARE(frame.Commands().GetUndoState_ContentTree(), 1);
    QCOMPARE(frame.windowTitle(), title);
}

void MainWindowTest::theTitlesStarFollowsTheUndoHistory() {
    IsolatedHome home;
    QTemporaryDir work;
    QString path = work.path() + "/guide.mbk";
    QVERIFY(MakeProject(path));
    AuthorApp app;
    QVERIFY(app.Start({path}));
    MainFrame& frame = app.Frame();
    auto starred = [&frame] { return frame.windowTitle().endsWith(" *]"); };
    QVERIFY(!starred());
    frame.RunCommand(mb::ID_ADD_HEADING);
    frame.Views().EndLabelEditing();
    QVERIFY(starred());
    frame.RunCommand(mb::ID_EDIT_UNDO);
    QVERIFY2(!starred(), qPrintable(frame.windowTitle()));
    frame.RunCommand(mb::ID_EDIT_REDO);
    QVERIFY(starred());

    // Saved with the heading: undoing leaves the saved state, redoing
    // comes back to it.
    frame.RunCommand(mb::ID_FILE_SAVE);
    QVERIFY(!starred());
    frame.RunCommand(mb::ID_EDIT_UNDO);
    QVERIFY(starred());
    frame.RunCommand(mb::ID_EDIT_REDO);
    QVERIFY2(!starred(), qPrintable(frame.windowTitle()));

    // A change that no undo takes back keeps the star.
    frame.RunCommand(mb::ID_BUTTON_HIDE);
    QVERIFY(starred());
    frame.RunCommand(mb::ID_EDIT_UNDO);
    frame.RunCommand(mb::ID_EDIT_REDO);
    QVERIFY(starred());
}

void MainWindowTest::startUpLeavesPipesAndLinksAtItsFilesPlacesAlone() {
    IsolatedHome home;
    QTemporaryDir work;
    const QString settings = home.home.path();
    // The run log is a named pipe, held open here for reading so that a
    // program writing into it would not wait; the settings and the window
    // placement are links to files of the user's.
    const QByteArray pipe = (settings + "/bwlog.txt").toUtf8();
    QCOMPARE(::mkfifo(pipe.constData(), 0600), 0);
    const int reader = ::open(pipe.constData(), O_RDONLY | O_NONBLOCK);
    QVERIFY(reader >= 0);
    const QByteArray mine = "keep me\n";
    for (const char* name : {"mine.xml", "mine.ini"}) {
        QFile file(work.path() + "/" + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(mine);
    }
    QVERIFY(QFile::link(work.path() + "/mine.xml", settings + "/mbconfig.xml"));
    QVERIFY(QFile::link(work.path() + "/mine.ini", settings + "/mbwindow.ini"));
    {
        AuthorApp app;
        QVERIFY(app.Start({}));
        QVERIFY(app.Frame().isVisible());
        mb::LogLine(app.Controller().Context().log, "a line of the run log");
        const QString log = app.Frame().RunLog()->toPlainText();
        for (const char* told : {"bwlog.txt is a named pipe", "mbconfig.xml is a symbolic link",
                                 "mbwindow.ini is a symbolic link"})
            QVERIFY2(log.contains(told), qPrintable(log));
        QVERIFY(app.Frame().close());
        app.Exit();
    }
    char byte = 0;
    const ssize_t got = ::read(reader, &byte, 1);
    ::close(reader);
    QVERIFY2(got <= 0, "nothing was written into the pipe");
    QVERIFY(QFileInfo(settings + "/bwlog.txt").exists());
    QVERIFY(!QFileInfo(settings + "/bwlog.txt").isFile());
    for (const char* name : {"mbconfig.xml", "mbwindow.ini"})
        QVERIFY2(QFileInfo(settings + "/" + name).isSymLink(), name);
    for (const char* name : {"mine.xml", "mine.ini"}) {
        QFile file(work.path() + "/" + name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), mine);
    }
}

MB_WEB_TEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
