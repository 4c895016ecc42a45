// The compile window, the project options sheet, the preferences and the
// drop-file filters, driven as the user would: a compile with a stand-in
// compiler and with none, a title edited before compiling, options written
// only where they were changed, a declined toolbar setting, and Cancel in
// the preferences and the filter settings.
#include "app/gui/AddFolderDialog.h"
#include "app/gui/AuthorApp.h"
#include "app/gui/ChmOutputDialog.h"
#include "app/gui/CompileDialog.h"
#include "app/gui/FilterDialog.h"
#include "app/gui/OptionsSheet.h"
#include "app/gui/PreferencesDialog.h"
#include "app/gui/ProgressWindow.h"
#include "app/gui/tests/GuiTestSupport.h"
#include "app/gui/tests/WebTestMain.h"

#include "app/core/CompilerLimits.h"
#include "baseutil/BWHelper.h"
#include "baseutil/tests/support/RecordingDesktop.h"
#include "commonkit/CommandIds.h"
#include "commonkit/StringTable.h"
#include "compiledhelp/ItsFile.h"
#include "compiledhelp/tests/support/ChmTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <csignal>
#include <cstdio>
#include <memory>
#include <unistd.h>

using namespace mb;
using namespace mb::gui;
using namespace mb::gui::testing;

namespace {

// "N files" (or "1 file") for the files below `folder`.
QString FileCount(const QString& folder) {
    int count = 0;
    for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext(); it.next())
        ++count;
    return QString::number(count) + (count == 1 ? " file" : " files");
}

QString ReadAll(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

// A stand-in for chmcmd: 500 lines naming pages, one naming the project
// copy, then it waits for the file "go" in the project folder and writes
// the help file the project text names.
void WriteFakeCompiler(const QString& folder) {
    QDir().mkpath(folder);
    QFile script(folder + "/chmcmd");
    script.open(QIODevice::WriteOnly);
    script.write("#!/bin/sh\n"
                 "i=0\n"
                 "while [ $i -lt 500 ]; do\n"
                 "  i=$((i+1)); echo \"Note: Scanning file p$i.htm.\"\n"
                 "done\n"
                 "echo 'Note: Scanning file guide.mbkmbk.'\n"
                 "while [ ! -f go ]; do sleep 0.02; done\n"
                 "chm=$(sed -n 's/^compiled file=//p' \"$3\" | tr -d '\\r')\n"
                 "{ printf 'ITSF'; i=0; while [ $i -lt 23 ]; do\n"
                 "  printf '\\000\\000\\000\\000'; i=$((i+1)); done; } > \"$chm\"\n");
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Sets PATH for the lifetime of the object.
class SearchPath {
public:
    explicit SearchPath(const QString& path) : m_old(qgetenv("PATH")) {
        qputenv("PATH", path.toUtf8());
    }
    ~SearchPath() { qputenv("PATH", m_old); }

private:
    QByteArray m_old;
};

template <typename T> T* Child(QObject* parent, const char* name) {
    T* child = parent->findChild<T*>(name);
    if (!child)
        qWarning("no child %s", name);
    return child;
}

void PressOk(QDialog* dialog) {
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

void PressCancel(QDialog* dialog) {
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
}

// Runs the Compile command of `app`; `drive` works the compile window, which
// is then closed (after stopping a compile that still runs).
void WithCompileWindow(AuthorApp& app, std::function<void(CompileDialog*)> drive) {
    WhenModal<CompileDialog>([drive](CompileDialog* dialog) {
        drive(dialog);
        if (dialog->IsRunning()) {
            Child<QPushButton>(dialog, "stop")->click();
            QTRY_VERIFY_WITH_TIMEOUT(!dialog->IsRunning(), 60000);
        }
        dialog->done(QDialog::Rejected);
    });
    app.Frame().RunCommand(ID_COMPILE);
}

bool WaitUntilFinished(CompileDialog* dialog) {
    return QTest::qWaitFor([dialog] { return !dialog->IsRunning(); }, 60000);
}

// The plain text of the enciphered project copy inside `chm`.
std::string ProjectCopyIn(const QString& chm, const std::string& stream) {
    CItsFile its;
    if (its.OpenITS(chm.toStdString()) != 0)
        return {};
    std::string data;
    if (its.ReadStream(stream, data) != 0)
        return {};
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::tmpfile(), &std::fclose);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::tmpfile(), &std::fclose);
    std::fwrite(data.data(), 1, data.size(), in.get());
    std::rewind(in.get());
    if (!CBWHelper::DecryptFileA(in.get(), out.get()))
        return {};
    std::rewind(out.get());
    std::string text;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, out.get())) > 0;)
        text.append(buffer, n);
    return text;
}

} // namespace

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void compileShowsEveryLineInOrderAndNeverTheProjectCopy();
    void compileWithoutCompilerSaysWhatToInstall();
    void titleEditedBeforeCompileReachesTheProjectCopy();
    void optionsSheetWritesOnlyWhatWasChanged();
    void declinedPrevButtonLeavesTheProjectAsItWas();
    void cancelledPreferencesKeepTheReplacementTable();
    void cancelAfterDeletingTheFilterInUseLeavesAFilterInUse();
    void addFolderFormNeedsAFolderAndStoresTheChoices();
    void decompileRunsBehindAProgressWindowAndAsksOnTheWindowThread();
    void handheldConversionSaysWhatItMadeAndWhere();
    void viewShowsTheHelpFileInTheProgramsOwnViewer();
    // Last: the program has been told to quit, so every event loop of this
    // process ends at once afterwards.
    void aTerminationSignalStopsTheCompileWhichCleansUpBeforeTheProgramQuits();
};

void DialogsTest::compileShowsEveryLineInOrderAndNeverTheProjectCopy() {
    IsolatedHome home;
    QTemporaryDir work;
    QString project = work.path() + "/guide.mbk";
    QVERIFY(MakeProject(project));
    WriteFakeCompiler(work.path() + "/bin");
    SearchPath path(work.path() + "/bin:/usr/bin:/bin");
    AuthorApp app;
    QVERIFY(app.Start({project}));
    app.Controller().GetProject()->HHP_SetOptionsData(OPT_FLAT, 1); // not honoured by chmcmd
    QStringList shownFiles;
    bool refusedWhileCompiling = false;
    QString stoppedLog;
    QString log;
    bool again = false;
    WithCompileWindow(app, [&](CompileDialog* dialog) {
        auto* file = Child<QLineEdit>(dialog, "currentFile");
        QObject::connect(file, &QLineEdit::textChanged,
                         [&](const QString& text) { shownFiles << text; });
        Child<QPushButton>(dialog, "compile")->click();
        QTest::keyClick(dialog, Qt::Key_Escape);
        refusedWhileCompiling = dialog->isVisible() && dialog->IsRunning();
        Child<QPushButton>(dialog, "stop")->click();
        if (!WaitUntilFinished(dialog))
            return;
        stoppedLog = Child<QPlainTextEdit>(dialog, "log")->toPlainText();
        QFile(work.path() + "/go").open(QIODevice::WriteOnly);
        Child<QPushButton>(dialog, "compile")->click();
        if (!WaitUntilFinished(dialog))
            return;
        log = Child<QPlainTextEdit>(dialog, "log")->toPlainText();
        // Compile again as soon as it is offered.
        QFile::remove(work.path() + "/guide.chm");
        QVERIFY(Child<QPushButton>(dialog, "compile")->isEnabled());
        Child<QPushButton>(dialog, "compile")->click();
        again = WaitUntilFinished(dialog) && QFile::exists(work.path() + "/guide.chm");
    });
    QVERIFY(refusedWhileCompiling);
    QVERIFY2(stoppedLog.endsWith("The compile was stopped: the help file was not made.\n"),
             qPrintable(stoppedLog.right(300)));
    QVERIFY(!stoppedLog.contains("Compile finished"));
    // The settings the compiler will not honour come before its output.
    QString unhonoured;
    for (const std::string& line : UnhonouredSettings(*app.Controller().GetProject()->GetHHPFile()))
        unhonoured += QString::fromStdString(line) + "\n";
    QVERIFY(!unhonoured.isEmpty());
    QVERIFY2(log.startsWith(unhonoured), qPrintable(log.left(400)));
    qsizetype at = 0;
    for (int i = 1; i <= 500; ++i) {
        at = log.indexOf(QString("Note: Scanning file p%1.htm.\n").arg(i), at);
        QVERIFY2(at >= 0, qPrintable(QString("line %1 missing or out of order").arg(i)));
    }
    QVERIFY2(log.endsWith("Compile finished\n"), qPrintable(log.right(300)));
    QVERIFY(!shownFiles.isEmpty());
    QCOMPARE(shownFiles.last(), QString("p500.htm"));
    for (const QString& shown : shownFiles)
        QVERIFY2(!shown.contains("mbkmbk", Qt::CaseInsensitive), qPrintable(shown));
    QVERIFY(again);
}

void DialogsTest::compileWithoutCompilerSaysWhatToInstall() {
    IsolatedHome home;
    QTemporaryDir work;
    QString project = work.path() + "/guide.mbk";
    QVERIFY(MakeProject(project));
    QDir().mkpath(work.path() + "/empty");
    SearchPath path(work.path() + "/empty");
    AuthorApp app;
    QVERIFY(app.Start({project}));
    QString log;
    QString status;
    WithCompileWindow(app, [&](CompileDialog* dialog) {
        Child<QPushButton>(dialog, "compile")->click();
        if (!WaitUntilFinished(dialog))
            return;
        log = Child<QPlainTextEdit>(dialog, "log")->toPlainText();
        status = Child<QLabel>(dialog, "status")->text();
    });
    QVERIFY2(log.contains("fp-utils"), qPrintable(log));
    QVERIFY2(!log.contains("Compile finished"), qPrintable(log));
    QVERIFY(!status.isEmpty());
    QVERIFY(status != QString::fromStdString(CStrHelper::ML_GetStringEx(50)));
    QVERIFY(!QFile::exists(work.path() + "/guide.chm"));
}

void DialogsTest::titleEditedBeforeCompileReachesTheProjectCopy() {
    IsolatedHome home;
    QTemporaryDir work;
    QString project = work.path() + "/guide.mbk";
    QVERIFY(MakeProject(project));
    AuthorApp app;
    QVERIFY(app.Start({project}));
    bool made = false;
    WithCompileWindow(app, [&](CompileDialog* dialog) {
        auto* title = Child<QLineEdit>(dialog, "title");
        QVERIFY(title->isReadOnly());
        Child<QPushButton>(dialog, "editTitle")->click();
        title->setText("Field Guide to Moths");
        QTest::keyClick(title, Qt::Key_Return);
        QVERIFY(dialog->isVisible());
        Child<QPushButton>(dialog, "compile")->click();
        made = WaitUntilFinished(dialog) &&
               Child<QPlainTextEdit>(dialog, "log")->toPlainText().endsWith("Compile finished\n");
    });
    QVERIFY(made);
    std::string copy = ProjectCopyIn(work.path() + "/guide.chm", "guide.mbkmbk");
    QVERIFY2(copy.find(">Field Guide to Moths<") != std::string::npos, copy.c_str());
    QVERIFY(ReadAll(project).contains(">Field Guide to Moths<"));
}

void DialogsTest::optionsSheetWritesOnlyWhatWasChanged() {
    IsolatedHome home;
    QTemporaryDir work;
    QString path = work.path() + "/guide.mbk";
    QVERIFY(MakeProject(path));
    AuthorApp app;
    QVERIFY(app.Start({path}));
    CProjectController& controller = app.Controller();
    controller.SetHelpTitle("Original Guide");
    controller.GetProject()->HHP_SetOptionsData(OPT_ERROR_LOG_FILE, "custom.log");
    QCOMPARE(controller.Save(), 1);
    QString before = ReadAll(path);
    app.Controller().Context().settings.config.m_nLastConfigPage = CProjectOptionsForm::Viewer;

    // Only the general page is visited; the others are never shown.
    bool startedOnConfiguredPage = false;
    WhenModal<OptionsSheet>([&](OptionsSheet* sheet) {
        startedOnConfiguredPage = Child<QWidget>(sheet, "navigationWidth") != nullptr;
        sheet->ShowPage(CProjectOptionsForm::General);
        Child<QLineEdit>(sheet, "title")->setText("Renamed Guide");
        PressOk(sheet);
    });
    app.Frame().RunCommand(ID_CHM_PARAMETERS);
    QVERIFY(startedOnConfiguredPage);
    QCOMPARE(controller.Save(), 1);
    QCOMPARE(ReadAll(path), QString(before).replace("Original Guide", "Renamed Guide"));

    // An emptied error log field stores the default; Cancel stores nothing.
    WhenModal<OptionsSheet>([](OptionsSheet* sheet) {
        sheet->ShowPage(CProjectOptionsForm::General);
        Child<QLineEdit>(sheet, "title")->setText("Not Kept");
        PressCancel(sheet);
    });
    app.Frame().RunCommand(ID_CHM_PARAMETERS);
    QVERIFY(!controller.GetProject()->IsModified());
    WhenModal<OptionsSheet>([](OptionsSheet* sheet) {
        sheet->ShowPage(CProjectOptionsForm::General);
        Child<QLineEdit>(sheet, "errorLog")->clear();
        PressOk(sheet);
    });
    app.Frame().RunCommand(ID_CHM_PARAMETERS);
    std::string errorLog;
    controller.GetProject()->HHP_GetOptionsData(OPT_ERROR_LOG_FILE, errorLog);
    QCOMPARE(errorLog, std::string("compilelog.txt"));
    std::string title;
    controller.GetProject()->HHP_GetOptionsData(OPT_TITLE, title);
    QCOMPARE(title, std::string("Renamed Guide"));
}

void DialogsTest::declinedPrevButtonLeavesTheProjectAsItWas() {
    IsolatedHome home;
    QTemporaryDir work;
    QString path = work.path() + "/guide.mbk";
    QVERIFY(MakeProject(path));
    AuthorApp app;
    QVERIFY(app.Start({path}));
    CProjectFile* project = app.Controller().GetProject();
    constexpr unsigned long kPrev = 0x400000;
    QVERIFY(!project->HHP_GetButton(kPrev));
    QVERIFY(!project->IsModified());

    ClickWhenAsked(QMessageBox::No);
    app.Frame().RunCommand(ID_BUTTON_PREV);
    QVERIFY(!project->HHP_GetButton(kPrev));
    QVERIFY(!project->IsModified());
    QVERIFY(!app.Frame().ActionFor(ID_BUTTON_PREV)->isChecked());

    ClickWhenAsked(QMessageBox::Yes);
    app.Frame().RunCommand(ID_BUTTON_PREV);
    QVERIFY(project->HHP_GetButton(kPrev));
    int binaryToc = 0;
    project->HHP_GetOptionsData(OPT_BINARY_TOC, binaryToc);
    QCOMPARE(binaryToc, 1);
    QVERIFY(project->IsModified());
}

void DialogsTest::cancelledPreferencesKeepTheReplacementTable() {
    IsolatedHome home;
    AuthorApp app;
    QVERIFY(app.Start({}));
    CXML* table = app.Controller().Context().settings.config.GetReplacedTable();
    table->DelAllChild();
    for (const char* old : {" ", "&"}) {
        CXML* item = table->AddChild("REPLACE_ITEM");
        item->SetAttr("old", old);
        item->SetAttr("new", "_");
    }
    std::string before;
    table->XMLWriteString(before);

    int rowsLeftInDialog = -1;
    WhenModal<PreferencesDialog>([&](PreferencesDialog* dialog) {
        dialog->Tabs()->setCurrentIndex(1);
        auto* rows = Child<QTableWidget>(dialog, "replacements");
        rows->selectAll();
        ClickWhenAsked(QMessageBox::Yes);
        Child<QPushButton>(dialog, "remove")->click();
        rowsLeftInDialog = rows->rowCount();
        PressCancel(dialog);
    });
    app.Frame().RunCommand(ID_PREFERENCES);
    QCOMPARE(rowsLeftInDialog, 0);
    std::string after;
    app.Controller().Context().settings.config.GetReplacedTable()->XMLWriteString(after);
    QCOMPARE(after, before);
}

void DialogsTest::cancelAfterDeletingTheFilterInUseLeavesAFilterInUse() {
    IsolatedHome home;
    AuthorApp app;
    QVERIFY(app.Start({}));
    CDropFileFilterSet* filters = app.Controller().Context().settings.config.GetDropFileFilterSet();
    filters->UseDefaultData();
    filters->SetUsingFilterIndex(1);

    int combosLeft = -1;
    WhenModal<FilterDialog>([&](FilterDialog* dialog) {
        QCOMPARE(dialog->FilterCombo()->currentIndex(), 1);
        ClickWhenAsked(QMessageBox::Yes);
        Child<QPushButton>(dialog, "deleteFilter")->click();
        combosLeft = dialog->FilterCombo()->count();
        PressCancel(dialog);
    });
    app.Frame().RunCommand(ID_DROP_FILE_FILTERS);
    QCOMPARE(combosLeft, 1);
    QCOMPARE(filters->GetFilterCount(), 1);
    QVERIFY(filters->GetUsingFilter() != nullptr);
    std::string folders;
    filters->GetCurSkipFolders(folders);
    QCOMPARE(folders, std::string("*.files,*_files"));
}

void DialogsTest::addFolderFormNeedsAFolderAndStoresTheChoices() {
    IsolatedHome home;
    AuthorApp app;
    QVERIFY(app.Start({}));
    tagAddDirectoryOption options;
    options.includeSubDir = 1;
    bool okWhileEmpty = true;
    WhenModal<AddFolderDialog>([&](AddFolderDialog* dialog) {
        auto* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        okWhileEmpty = ok->isEnabled();
        QTest::keyClicks(Child<QLineEdit>(dialog, "folder"), "/srv/guide/pages");
        Child<QCheckBox>(dialog, "includeSubFolders")->click();
        ok->click();
    });
    QVERIFY(app.Helper().AddDirectoryDialog().ChooseFolder(
        options, app.Controller().Context().settings.config.GetDropFileFilterSet()));
    QVERIFY(!okWhileEmpty);
    QCOMPARE(options.folder, std::string("/srv/guide/pages"));
    QCOMPARE(options.includeSubDir, 0);
}

void DialogsTest::decompileRunsBehindAProgressWindowAndAsksOnTheWindowThread() {
    IsolatedHome home;
    QTemporaryDir work;
    mb::testing::ChmProject source;
    source.folder = (work.path() + "/src").toStdString();
    source.Add("a.htm", "<html><head><title>A</title></head><body>New page</body></html>");
    const QString chm = QString::fromStdString(source.Build("help.chm"));
    const QString output = work.path() + "/out";
    QDir().mkpath(output);
    QFile old(output + "/a.htm");
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old page");
    old.close();
    mb::testing::RecordingDesktop desktop;
    AuthorApp app;
    app.Controller().Context().desktop = &desktop;
    QVERIFY(app.Start({}));

    bool askedWhileProgressShown = false;
    QString summary;
    WhenModal<ChmOutputDialog>([&](ChmOutputDialog* dialog) {
        QList<QLineEdit*> fields = dialog->findChildren<QLineEdit*>();
        fields[0]->setText(chm);
        fields[1]->setText(output);
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            for (QWidget* window : QApplication::topLevelWidgets())
                if (qobject_cast<ProgressWindow*>(window) && window->isVisible())
                    askedWhileProgressShown = box->text().contains("already exists");
            box->button(QMessageBox::Yes)->click();
            WhenModal<QMessageBox>([&](QMessageBox* end) {
                summary = end->text();
                end->accept();
            });
        });
        PressOk(dialog);
    });
    app.Frame().RunCommand(ID_DECOMPILE);
    QVERIFY(askedWhileProgressShown);
    QVERIFY(ReadAll(output + "/a.htm").contains("New page"));
    // The end says what was made, and where.
    QVERIFY2(summary.contains("help.chm was decompiled: " + FileCount(output) + " into " + output),
             qPrintable(summary));
    QCOMPARE(desktop.opened, std::vector<std::string>{output.toStdString()});
    QVERIFY(app.Frame().RunLog()->toPlainText().contains("<<<<<<"));
}

void DialogsTest::handheldConversionSaysWhatItMadeAndWhere() {
    IsolatedHome home;
    QTemporaryDir work;
    mb::testing::ChmProject source;
    source.folder = (work.path() + "/src").toStdString();
    source.Add("a.htm", "<html><head><title>A</title></head><body>A</body></html>");
    source.Add("b.htm", "<html><head><title>B</title></head><body>B</body></html>");
    source.contents = "<HTML><BODY><UL><LI> <OBJECT type=\"text/sitemap\"><param name=\"Name\" "
                      "value=\"A\"><param name=\"Local\" value=\"a.htm\"></OBJECT></UL></BODY></HTML>";
    const QString chm = QString::fromStdString(source.Build("help.chm"));
    const QString output = work.path() + "/pages";
    mb::testing::RecordingDesktop desktop;
    AuthorApp app;
    app.Controller().Context().desktop = &desktop;
    QVERIFY(app.Start({}));
    QString summary;
    WhenModal<ChmOutputDialog>([&](ChmOutputDialog* dialog) {
        QList<QLineEdit*> fields = dialog->findChildren<QLineEdit*>();
        fields[0]->setText(chm);
        fields[1]->setText(output);
        WhenModal<QMessageBox>([&](QMessageBox* end) {
            summary = end->text();
            end->accept();
        });
        PressOk(dialog);
    });
    app.Frame().RunCommand(ID_CHM_TO_HANDHELD);
    const int copied = FileCount(output + "/source").split(' ').first().toInt();
    QVERIFY(copied >= 2);
    QVERIFY2(summary.startsWith("help.chm was converted for handheld screens: " +
                                FileCount(output + "/source") + " of the help file written into " +
                                output),
             qPrintable(summary));
    QCOMPARE(desktop.opened.front(), output.toStdString());
}

void DialogsTest::viewShowsTheHelpFileInTheProgramsOwnViewer() {
    IsolatedHome home;
    QTemporaryDir work;
    QString project = work.path() + "/guide.mbk";
    QVERIFY(MakeProject(project));
    mb::testing::RecordingDesktop desktop;
    desktop.defaultProgram = mb::DesktopProgram{"/usr/bin/another-viewer"}; // the program's own viewer wins
    AuthorApp app;
    app.Controller().Context().desktop = &desktop;
    QVERIFY(app.Start({project}));
    // The project's help file, as chmcmd makes it, with its default topic.
    mb::testing::ChmProject made;
    made.folder = (work.path() + "/made").toStdString();
    made.Add("start.htm", "<html><head><title>Start</title></head><body>Start</body></html>");
    QVERIFY(QFile::copy(QString::fromStdString(made.Build("guide.chm")),
                        QString::fromStdString(app.Controller().GetProject()->GetCHMFileName())));
    WithCompileWindow(app, [](CompileDialog* dialog) { Child<QPushButton>(dialog, "view")->click(); });
    QVERIFY(app.Help() && app.Help()->isVisible());
    const QString shown = app.Help()->View()->page()->requestedUrl().toString();
    QVERIFY2(shown.contains("guide.chm::/start.htm"), qPrintable(shown));
    QVERIFY(desktop.opened.empty());
}

void DialogsTest::aTerminationSignalStopsTheCompileWhichCleansUpBeforeTheProgramQuits() {
    IsolatedHome home;
    QTemporaryDir work;
    QString project = work.path() + "/guide.mbk";
    QVERIFY(MakeProject(project));
    WriteFakeCompiler(work.path() + "/bin");
    SearchPath path(work.path() + "/bin:/usr/bin:/bin");
    const QStringList before = Listing(work.path());
    AuthorApp app;
    QVERIFY(app.Start({project}));
    bool compiling = false;
    bool endedByTheTest = false;
    WhenModal<CompileDialog>([&](CompileDialog* dialog) {
        auto* file = Child<QLineEdit>(dialog, "currentFile");
        Child<QPushButton>(dialog, "compile")->click();
        // The stand-in compiler has named its pages and waits.
        QTRY_COMPARE_WITH_TIMEOUT(file->text(), QString("p500.htm"), 60000);
        compiling = app.Controller().IsCompiling();
        // Should the signal not end the window, the test does.
        QTimer::singleShot(60000, dialog, [&endedByTheTest, dialog] {
            endedByTheTest = true;
            dialog->done(QDialog::Rejected);
        });
        ::kill(::getpid(), SIGTERM);
    });
    app.Frame().RunCommand(ID_COMPILE);
    QVERIFY(compiling);
    QVERIFY(!endedByTheTest);
    QCOMPARE(app.EndingSignal(), SIGTERM);
    QVERIFY(!app.Controller().IsCompiling());
    // The compile's files and folder and the project copy are gone.
    QCOMPARE(Listing(work.path()), before);
}

MB_WEB_TEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
