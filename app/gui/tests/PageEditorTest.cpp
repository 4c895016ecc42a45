// The page preview and editor, driven through the project model as the
// contents view drives it: selections, an edited page left for another
// entry, and a favourite editor started on a hostile file name.
#include "app/gui/tests/ScriptedPrompt.h"
#include "app/gui/tests/WebTestMain.h"

#include "baseutil/XdgDesktop.h"
#include "baseutil/Xml.h"
#include "commonkit/FavoriteEditorManager.h"
#include "pageeditor/PreviewEditFrame.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/SitemapFile.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QTextCursor>
#include <QTextDocument>
#include <QWebEngineView>

using mb::page::CPreviewEditFrame;

namespace {

std::string WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path.toStdString();
}

QByteArray ReadFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

CXML* AddEntry(CProjectFile& project, const std::string& local) {
    CXML* node = project.GetHHCFile()->GetTreeRoot()->AddChild("node");
    node->SetAttr("Name", local);
    node->SetAttr("Local", local);
    return node;
}

// The text of the element with id "t" on the page a view shows.
QString TextOnPage(QWebEngineView* view) {
    QString text;
    bool done = false;
    view->page()->runJavaScript("document.getElementById('t').textContent",
                                [&](const QVariant& value) {
                                    text = value.toString();
                                    done = true;
                                });
    return QTest::qWaitFor([&] { return done; }, 30000) ? text : QString();
}

// Waits for a round trip to the page's renderer. A load asked for before
// the trip has begun by the time the answer is back, so a view that is not
// loading then was asked for nothing.
bool RoundTrip(QWebEngineView* view) {
    bool done = false;
    view->page()->runJavaScript("0", [&](const QVariant&) { done = true; });
    return QTest::qWaitFor([&] { return done; }, 30000);
}

// Sets an environment variable for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QByteArray& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedVariable() { m_had ? qputenv(m_name, m_old) : qunsetenv(m_name); }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

QByteArray Page(const QByteArray& title) {
    return "<html><head><title>" + title + "</title></head><body>" + title + "</body></html>";
}

} // namespace

class PageEditorTest : public QObject {
    Q_OBJECT
private slots:
    void pageEditorSkipsASecondSelectionOfTheSameLocal();
    void editedPageAsksSaveOrDiscardBeforeAnotherEntryLoads();
    void favouriteEditorGetsAHostilePathAsOneArgument();
    void livePreviewDecodesAPageAsThePreviewDoes();
    void aFavouriteEditorThatNeedsATerminalSaysWhyItDidNotStart();
    void savingChangesOnlyTheEditedCharacterOfACrLfPage();

private:
    mb::XdgDesktop desktop; // the editors the tests set up really start
};

void PageEditorTest::pageEditorSkipsASecondSelectionOfTheSameLocal() {
    QTemporaryDir dir;
    const std::string a = WriteFile(dir.filePath("a.htm"), Page("A"));
    const std::string b = WriteFile(dir.filePath("b.htm"), Page("B"));
    CProjectFile project;
    CXML* first = AddEntry(project, a);
    CXML* again = AddEntry(project, a);
    CXML* other = AddEntry(project, b);
    CXML* sitemap = AddEntry(project, dir.filePath("toc.hhc").toStdString());

    CPreviewEditFrame frame(desktop, mb::CautiousPrompt());
    frame.SetProjectSubject(&project);
    frame.show();
    QSignalSpy started(frame.Browser(), &QWebEngineView::loadStarted);
    QSignalSpy finished(frame.Browser(), &QWebEngineView::loadFinished);
    CHHCFile* contents = project.GetHHCFile();

    contents->SetSelectedNode(first);
    QVERIFY(finished.wait(60000));
    QCOMPARE(started.count(), 1);
    // The same page again is not loaded again.
    contents->SetSelectedNode(again);
    QVERIFY(RoundTrip(frame.Browser()));
    QVERIFY(!frame.Browser()->page()->isLoading());
    QCOMPARE(started.count(), 1);
    contents->SetSelectedNode(other);
    QVERIFY(finished.wait(60000));
    QCOMPARE(frame.Browser()->url(), QUrl::fromLocalFile(QString::fromStdString(b)));
    QCOMPARE(started.count(), 2);

    // A sitemap is no page: the blank page stands for it.
    contents->SetSelectedNode(sitemap);
    QVERIFY(finished.wait(60000));
    QCOMPARE(frame.Browser()->url(), QUrl("about:blank"));

    // While a project loads nothing is shown; afterwards its selected entry.
    project.Notify(NC_LOAD_STARTING);
    contents->SetSelectedNode(first);
    QVERIFY(RoundTrip(frame.Browser()));
    QVERIFY(!frame.Browser()->page()->isLoading());
    QCOMPARE(frame.Browser()->url(), QUrl("about:blank"));
    project.Notify(NC_LOAD_FINISHED);
    QVERIFY(finished.wait(60000));
    QCOMPARE(frame.Browser()->url(), QUrl::fromLocalFile(QString::fromStdString(a)));
}

void PageEditorTest::editedPageAsksSaveOrDiscardBeforeAnotherEntryLoads() {
    QTemporaryDir dir;
    // A page in its own legacy charset: saving keeps that charset.
    const QByteArray legacy = "<html><head><meta http-equiv=\"Content-Type\" "
                              "content=\"text/html; charset=windows-1252\"></head>"
                              "<body>caf\xE9</body></html>";
    const std::string a = WriteFile(dir.filePath("a.htm"), legacy);
    const std::string b = WriteFile(dir.filePath("b.htm"), Page("B"));
    CProjectFile project;
    CXML* pageA = AddEntry(project, a);
    CXML* pageB = AddEntry(project, b);
    CHHCFile* contents = project.GetHHCFile();
    ScriptedPrompt prompt;

    CPreviewEditFrame frame(desktop, prompt);
    frame.SetProjectSubject(&project);
    frame.show();
    frame.SetEditMode();
    contents->SetSelectedNode(pageA);
    QPlainTextEdit* source = frame.SourceEditor();
    QVERIFY(source->toPlainText().contains(QString::fromUtf8("caf\u00e9")));

    source->moveCursor(QTextCursor::End);
    QTest::sendKeyEvent(QTest::Click, source, Qt::Key_unknown, QString(QChar(0x20AC)),
                        Qt::NoModifier); // a euro sign
    QTest::keyClicks(source, "!");
    QVERIFY(source->document()->isModified());

    // Cancel: the edited page stays.
    prompt.answers = {mb::Answer::Cancel};
    contents->SetSelectedNode(pageB);
    QCOMPARE(prompt.asked.size(), size_t(1));
    QVERIFY(prompt.asked[0].find(a) != std::string::npos);
    QCOMPARE(frame.CurrentAddress(), a);
    QVERIFY(source->document()->isModified());
    QCOMPARE(ReadFile(a), legacy);

    // Save: written in the page's own charset, then the other entry loads.
    prompt.answers = {mb::Answer::Yes};
    contents->SetSelectedNode(pageA);
    contents->SetSelectedNode(pageB);
    QCOMPARE(prompt.asked.size(), size_t(2));
    QCOMPARE(ReadFile(a), legacy + "\x80!");
    QCOMPARE(frame.CurrentAddress(), b);
    QVERIFY(source->toPlainText().contains("<title>B</title>"));

    // Discard: the file keeps what it had.
    QTest::keyClicks(source, "lost");
    prompt.answers = {mb::Answer::No};
    contents->SetSelectedNode(pageA);
    QCOMPARE(prompt.asked.size(), size_t(3));
    QCOMPARE(ReadFile(b), Page("B"));
    QCOMPARE(frame.CurrentAddress(), a);

    // A read-only page is refused, and says so.
    QFile::setPermissions(QString::fromStdString(a), QFile::ReadOwner | QFile::ReadGroup);
    QTest::keyClicks(source, "more");
    QVERIFY(!frame.Save());
    QVERIFY(prompt.asked.back().find("read-only") != std::string::npos);
    QVERIFY(prompt.asked.back().find(a) != std::string::npos);
    QCOMPARE(ReadFile(a), legacy + "\x80!");
}

void PageEditorTest::savingChangesOnlyTheEditedCharacterOfACrLfPage() {
    QTemporaryDir dir;
    // CR LF line ends, a byte-order mark, a no-break space and one line
    // that ends in LF alone.
    const QByteArray page = "\xEF\xBB\xBF<html>\r\n<head><title>T</title></head>\r\n<body>\r\n"
                            "<p>a\xC2\xA0"
                            "b</p>\n<p>line two</p>\r\n</body>\r\n</html>\r\n";
    const std::string path = WriteFile(dir.filePath("crlf.htm"), page);
    CProjectFile project;
    CXML* entry = AddEntry(project, path);
    CPreviewEditFrame frame(desktop, mb::CautiousPrompt());
    frame.SetProjectSubject(&project);
    frame.show();
    frame.SetEditMode();
    project.GetHHCFile()->SetSelectedNode(entry);
    QPlainTextEdit* source = frame.SourceEditor();

    // "two" becomes "Two", typed over its first letter.
    QTextCursor cursor = source->document()->find("two");
    QVERIFY(!cursor.isNull());
    cursor.setPosition(cursor.selectionStart());
    cursor.movePosition(QTextCursor::Right, QTextCursor::KeepAnchor);
    source->setTextCursor(cursor);
    QTest::keyClicks(source, "T");
    QVERIFY(frame.Save());
    QByteArray expected = page;
    expected.replace("line two", "line Two");
    QCOMPARE(ReadFile(path), expected);
}

void PageEditorTest::favouriteEditorGetsAHostilePathAsOneArgument() {
    QTemporaryDir dir;
    const QString work = dir.filePath("work");
    QDir().mkpath(work);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(work); // where "touch pwned" would create its file
    const std::string page = WriteFile(dir.filePath("guide $(touch pwned)/p'a\"ge.htm"), Page("P"));
    const std::string record = dir.filePath("arguments.txt").toStdString();
    const std::string editor = WriteFile(dir.filePath("fake-editor"),
                                         QByteArray("#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '") +
                                             QByteArray::fromStdString(record) + "'\n");
    QFile::setPermissions(QString::fromStdString(editor),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    CFavoriteEditorManager editors;
    editors.AddNewEditor("htm", "Fake editor", editor);
    CPreviewEditFrame frame(desktop, mb::CautiousPrompt());
    frame.SetFavoriteEditorManager(&editors);
    frame.show();
    QSignalSpy finished(frame.Browser(), &QWebEngineView::loadFinished);
    QVERIFY(frame.Navigate(page));
    QVERIFY(finished.wait(60000));

    frame.OnFavoriteEditorChosen(0);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QString::fromStdString(record)), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(ReadFile(record), "1\n" + QByteArray::fromStdString(page) + "\n",
                              20000);
    QDir::setCurrent(previous);
    QVERIFY(!QFile::exists(work + "/pwned"));
    QVERIFY(!QFile::exists(dir.filePath("pwned")));
}

void PageEditorTest::livePreviewDecodesAPageAsThePreviewDoes() {
    QTemporaryDir dir;
    const QString expected = QString::fromUtf8("\u25BA caf\u00E9");
    // A UTF-8 page with a byte-order mark, and one in the charset its meta
    // tag names.
    const std::pair<const char*, QByteArray> pages[] = {
        {"marked.htm", "\xEF\xBB\xBF<html><body><p id=\"t\">\xE2\x96\xBA caf\xC3\xA9</p></body></html>"},
        {"legacy.htm", "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                       "charset=windows-1252\"></head><body><p id=\"t\">&#9658; caf\xE9</p></body></html>"}};
    for (const auto& [name, bytes] : pages) {
        CProjectFile project;
        CXML* entry = AddEntry(project, WriteFile(dir.filePath(name), bytes));
        CPreviewEditFrame frame(desktop, mb::CautiousPrompt());
        frame.SetProjectSubject(&project);
        frame.show();
        QSignalSpy previewed(frame.Browser(), &QWebEngineView::loadFinished);
        project.GetHHCFile()->SetSelectedNode(entry);
        QVERIFY(previewed.wait(60000));
        QCOMPARE(TextOnPage(frame.Browser()), expected);

        QSignalSpy live(frame.LivePreview(), &QWebEngineView::loadFinished);
        frame.SetEditMode();
        QVERIFY(live.wait(60000));
        QCOMPARE(TextOnPage(frame.LivePreview()), expected);
    }
}

void PageEditorTest::aFavouriteEditorThatNeedsATerminalSaysWhyItDidNotStart() {
    QTemporaryDir dir;
    const std::string page = WriteFile(dir.filePath("page.htm"), Page("P"));
    const std::string editor = WriteFile(dir.filePath("vi-like"), "#!/bin/sh\nexit 1\n");
    QFile::setPermissions(QString::fromStdString(editor),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // The desktop says, as it does for vi or nano, that it runs in a terminal;
    // this desktop has none.
    WriteFile(dir.filePath("data/applications/vi-like.desktop"),
              "[Desktop Entry]\nExec=" + QByteArray::fromStdString(editor) + " %F\nTerminal=true\n");
    ScopedVariable data("XDG_DATA_HOME", dir.filePath("data").toUtf8());
    ScopedVariable system("XDG_DATA_DIRS", dir.filePath("none").toUtf8());
    ScopedVariable terminal("TERMINAL", "mb-no-such-terminal");
    ScriptedPrompt prompt;

    CFavoriteEditorManager editors;
    editors.AddNewEditor("htm", "Vi-like", editor);
    CPreviewEditFrame frame(desktop, prompt);
    frame.SetFavoriteEditorManager(&editors);
    frame.show();
    QSignalSpy finished(frame.Browser(), &QWebEngineView::loadFinished);
    QVERIFY(frame.Navigate(page));
    QVERIFY(finished.wait(60000));
    frame.OnFavoriteEditorChosen(0);
    QCOMPARE(prompt.asked.size(), size_t(1));
    QVERIFY2(prompt.asked[0].find("runs in a terminal") != std::string::npos,
             prompt.asked[0].c_str());
}

MB_WEB_TEST_MAIN(PageEditorTest)
#include "PageEditorTest.moc"
