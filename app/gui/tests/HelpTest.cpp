// The program's help on screen: F1 in each dialog asks for that dialog's
// topic, and a topic opens in the program's own help window, read out of the
// marrowbook.chm built beside the programs.
#include "app/gui/AddFolderDialog.h"
#include "app/gui/AuthorApp.h"
#include "app/gui/ChmOutputDialog.h"
#include "app/gui/CompileDialog.h"
#include "app/gui/FavoriteEditorsDialog.h"
#include "app/gui/FilterDialog.h"
#include "app/gui/HelpContentsPane.h"
#include "app/gui/HelpSearchPane.h"
#include "app/gui/NewProjectDialog.h"
#include "app/gui/OptionsSheet.h"
#include "app/gui/PreferencesDialog.h"
#include "app/gui/tests/GuiTestSupport.h"
#include "app/gui/tests/WebTestMain.h"

#include "app/core/ChmOutputForm.h"
#include "app/core/NewProjectForm.h"
#include "commonkit/CommandIds.h"
#include "commonkit/Common.h"
#include "commonkit/HelpTopics.h"
#include "runconfig/ConfigData.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWindow>

#include <algorithm>
#include <memory>

using namespace mb::gui;
using namespace mb::gui::testing;

namespace {

// Counts the key presses that reach the object it watches.
class KeyCounter final : public QObject {
public:
    explicit KeyCounter(int& count) : m_count(count) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress)
            ++m_count;
        return QObject::eventFilter(watched, event);
    }

private:
    int& m_count;
};

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void f1InEachDialogAsksForItsTopic();
    void aTopicOpensInTheProgramsHelpWindow();
    void helpOpenedFromADialogTakesKeysWhileTheDialogIsOpen();
    void theProgramsHelpChosenInTheFileMenuCanBeSearched();
};

void HelpTest::f1InEachDialogAsksForItsTopic() {
    IsolatedHome home;
    AuthorApp app;
    QVERIFY(app.Start({}));
    std::string asked;
    mb::AppContext& context = app.Controller().Context();
    context.helpViewer = [&](const std::string&, const std::string& topic) {
        asked = topic;
        return true;
    };
    CConfigData& config = app.Controller().Context().settings.config;
    QWidget* frame = &app.Frame();
    CDlgNewProject newProject("", 1033, *context.prompt);
    CDlgChmOutput decompile(CDlgChmOutput::Kind::Decompile, "", *context.prompt);
    CDlgChmOutput handheld(CDlgChmOutput::Kind::Handheld, "", *context.prompt);
    auto preferences = std::make_unique<PreferencesDialog>(config, context, frame);

    std::vector<std::pair<std::unique_ptr<QWidget>, std::string>> dialogs;
    dialogs.emplace_back(std::make_unique<NewProjectDialog>(newProject, context, frame),
                         mb::help::kNewProject);
    dialogs.emplace_back(std::make_unique<CompileDialog>(app.Controller(), frame), mb::help::kCompile);
    dialogs.emplace_back(std::make_unique<ChmOutputDialog>(decompile, frame), mb::help::kDecompile);
    dialogs.emplace_back(std::make_unique<ChmOutputDialog>(handheld, frame), mb::help::kChmToHandheld);
    dialogs.emplace_back(std::make_unique<OptionsSheet>(*app.Controller().GetProject(), 0, frame),
                         mb::help::kProjectOptions);
    dialogs.emplace_back(std::make_unique<FilterDialog>(*config.GetDropFileFilterSet(),
                                                        FilterSection::SkipFolders, context, frame),
                         mb::help::kDropFileFilter);
    dialogs.emplace_back(std::make_unique<FavoriteEditorsDialog>(
                             *config.GetFavoriteEditorManager(*context.desktop), frame),
                         mb::help::kFavoriteEditors);
    dialogs.emplace_back(std::make_unique<AddFolderDialog>(config.m_addDirectoryOption,
                                                           config.GetDropFileFilterSet(), true,
                                                           context, frame),
                         mb::help::kAddFolder);
    for (auto& [dialog, topic] : dialogs) {
        asked.clear();
        dialog->show();
        QTest::keyClick(dialog.get(), Qt::Key_F1);
        QCOMPARE(asked, topic);
        QVERIFY(std::find(mb::help::kAllTopics.begin(), mb::help::kAllTopics.end(), asked) !=
                mb::help::kAllTopics.end());
        dialog->hide();
    }

    // The preferences explain the tab in front.
    preferences->show();
    QTest::keyClick(preferences.get(), Qt::Key_F1);
    QCOMPARE(asked, std::string(mb::help::kTopicTitleRule));
    preferences->findChild<QTabWidget*>()->setCurrentIndex(1);
    QTest::keyClick(preferences.get(), Qt::Key_F1);
    QCOMPARE(asked, std::string(mb::help::kReplaceSettings));
}

void HelpTest::aTopicOpensInTheProgramsHelpWindow() {
    IsolatedHome home;
    AuthorApp app;
    QVERIFY(app.Start({}));
    QVERIFY(app.Controller().Context().ShowHelp(mb::help::kProjectFolder));
    QVERIFY(app.Help() && app.Help()->isVisible());
    QUrl shown = app.Help()->View()->page()->requestedUrl();
    QCOMPARE(shown.scheme(), QString("ms-its"));
    QVERIFY2(shown.toString().contains("marrowbook.chm::/prj10.htm"), qPrintable(shown.toString()));
    QCOMPARE(shown.fragment(), QString("ROOTDIR"));
    // The page was read out of the help file: it has its own title.
    QTRY_VERIFY_WITH_TIMEOUT(!app.Help()->View()->title().isEmpty() &&
                                 !app.Help()->View()->title().contains("prj10"),
                             20000);
}

void HelpTest::helpOpenedFromADialogTakesKeysWhileTheDialogIsOpen() {
    IsolatedHome home;
    AuthorApp app;
    QVERIFY(app.Start({}));
    CDlgChmOutput form(CDlgChmOutput::Kind::Decompile, "", mb::CautiousPrompt());
    ChmOutputDialog dialog(form, &app.Frame());
    int keysReachingHelp = 0;
    KeyCounter counter(keysReachingHelp);
    WhenModal<ChmOutputDialog>([&](ChmOutputDialog* shown) {
        QTest::keyClick(shown, Qt::Key_F1);
        if (HelpWindow* help = app.Help(); help && help->isVisible()) {
            help->windowHandle()->installEventFilter(&counter);
            // Delivered as the window system delivers a key press: not at
            // all to a window that a modal dialog blocks.
            QTest::keyClick(help->windowHandle(), Qt::Key_End);
        }
        shown->reject();
    });
    dialog.exec();
    QVERIFY(app.Help() && app.Help()->isVisible());
    QVERIFY(app.Help()->View()->page()->requestedUrl().toString().contains(mb::help::kDecompile));
    QCOMPARE(keysReachingHelp, 1);
}

void HelpTest::theProgramsHelpChosenInTheFileMenuCanBeSearched() {
    IsolatedHome home;
    AuthorApp app;
    QVERIFY(app.Start({}));
    const QString helpFile = QString::fromStdString(CCommon::GetHelpFilePath());
    WhenModal<QFileDialog>([&helpFile](QFileDialog* dialog) {
        // As a user does: the path typed into the name field, then Enter.
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        name->setText(helpFile);
        QTest::keyClick(name, Qt::Key_Return);
    });
    app.Frame().RunCommand(mb::ID_FILE_VIEW_CHM);
    QVERIFY(app.Help() && app.Help()->isVisible());
    QCOMPARE(QString::fromStdString(app.Help()->File()), helpFile);
    QVERIFY(app.Help()->Contents()->topLevelItemCount() > 5);

    HelpSearchPane* search = app.Help()->Search();
    search->Field()->setText("decompile");
    search->Search();
    QTRY_VERIFY_WITH_TIMEOUT(search->Results()->count() > 1, 20000);
    QVERIFY(!search->Results()->findItems("Decompile", Qt::MatchExactly).isEmpty());
}

MB_WEB_TEST_MAIN(HelpTest)
#include "HelpTest.moc"
