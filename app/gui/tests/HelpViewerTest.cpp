// The help viewer on help files that chmcmd compiled: contents, index and
// search lead to pages, the words found are marked, links to other help
// files open in the same window, and what is missing says so.

#include "app/gui/HelpContentsPane.h"
#include "app/gui/HelpIndexPane.h"
#include "app/gui/HelpSearchPane.h"
#include "app/gui/HelpWindow.h"
#include "app/gui/tests/GuiTestSupport.h"
#include "app/gui/tests/WebTestMain.h"
#include "compiledhelp/tests/support/ChmTestSupport.h"

#include <QAction>
#include <QBuffer>
#include <QImage>
#include <QTcpServer>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

using namespace mb::gui;
using namespace mb::gui::testing;
using mb::testing::ChmProject;

namespace {

std::string Page(const std::string& title, const std::string& body) {
    return "<html><head><title>" + title + "</title></head><body>" + body + "</body></html>";
}

std::string Item(const std::string& name, const std::string& local) {
    return "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" + name +
           "\"><param name=\"Local\" value=\"" + local + "\"></OBJECT>";
}

// The path shown, inside its help file ("/a.htm").
QString ShownPage(HelpWindow& window) {
    return window.View()->url().path().section("::", 1);
}

// Asks the page shown how many words are marked in it.
int MarkedWords(HelpWindow& window) {
    int count = -1;
    window.View()->page()->runJavaScript("document.querySelectorAll('mark').length",
                                         [&count](const QVariant& result) { count = result.toInt(); });
    return QTest::qWaitFor([&count] { return count >= 0; }, 10000) ? count : -1;
}

} // namespace

class HelpViewerTest : public QObject {
    Q_OBJECT
private slots:
    void contentsIndexAndSearchLeadToPages();
    void aJapaneseWordIsFoundAndMarked();
    void linksToAnotherHelpFileOpenItInTheSameWindow();
    void aHelpFileOfTwentyThousandTopicsOpensWhole();
    void aPageLoadsNothingFromOutsideItsHelpFile();
};

void HelpViewerTest::contentsIndexAndSearchLeadToPages() {
    IsolatedHome home;
    QTemporaryDir work;
    ChmProject project;
    project.folder = work.filePath("guide").toStdString();
    project.Add("start.htm", Page("Start", "Welcome to the guide."));
    project.Add("install.htm", Page("Installing", "Run the installer, then configure the panel."));
    project.Add("panel.htm", Page("The Panel", "<p>The panel holds the widget.</p><script>panel()</script>"));
    project.contents = "<HTML><BODY><UL>" + Item("Start", "start.htm") + Item("Installing", "install.htm") +
                       Item("The Panel", "panel.htm") + "</UL></BODY></HTML>";
    project.index = "<HTML><BODY><UL>" + Item("installer", "install.htm") +
                    "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"panel\">"
                    "<param name=\"Name\" value=\"Installing\"><param name=\"Local\" value=\"install.htm\">"
                    "<param name=\"Name\" value=\"The Panel\"><param name=\"Local\" value=\"panel.htm\">"
                    "</OBJECT></UL></BODY></HTML>";
    const std::string chm = project.Build("guide.chm");

    HelpWindow window;
    window.ShowTopic(chm, {});
    QTRY_COMPARE_WITH_TIMEOUT(ShownPage(window), QString("/start.htm"), 10000);
    QCOMPARE(window.Contents()->topLevelItemCount(), 3);
    QCOMPARE(window.Contents()->currentItem()->text(0), QString("Start"));

    // Next and previous follow the contents; the tree follows the page.
    window.Action("next")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(ShownPage(window), QString("/install.htm"), 10000);
    QCOMPARE(window.Contents()->currentItem()->text(0), QString("Installing"));
    window.Action("previous")->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(ShownPage(window), QString("/start.htm"), 10000);

    // Type-ahead in the index; a keyword of two topics offers both.
    HelpIndexPane* index = window.Index();
    QTest::keyClicks(index->Field(), "PAN");
    QCOMPARE(index->List()->currentItem()->text(), QString("panel"));
    WhenModal<QDialog>([](QDialog* topics) {
        auto* list = topics->findChild<QListWidget*>();
        QCOMPARE(list->count(), 2);
        list->setCurrentRow(1);
        topics->accept();
    });
    QTest::keyClick(index->Field(), Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(ShownPage(window), QString("/panel.htm"), 10000);

    // Search: pages that hold every word, the words marked in the page;
    // scripts are no text of a page.
    HelpSearchPane* search = window.Search();
    QTRY_VERIFY_WITH_TIMEOUT(search->IndexReady(), 10000);
    QTest::keyClicks(search->Field(), "configure panel");
    QTest::keyClick(search->Field(), Qt::Key_Return);
    QCOMPARE(search->Results()->count(), 1);
    QCOMPARE(search->Results()->item(0)->text(), QString("Installing"));
    emit search->Results()->itemActivated(search->Results()->item(0));
    QTRY_COMPARE_WITH_TIMEOUT(ShownPage(window), QString("/install.htm"), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(MarkedWords(window), 2, 10000);
    search->Field()->setText("panel()");
    search->Search();
    QCOMPARE(search->Results()->count(), 2); // "panel" alone: the script's call is not counted
}

void HelpViewerTest::aJapaneseWordIsFoundAndMarked() {
    IsolatedHome home;
    QTemporaryDir work;
    ChmProject project;
    project.folder = work.filePath("ja").toStdString();
    project.options = {"Language=0x411"};
    // "日本語のヘルプ" and "設定" in Shift_JIS, as Japanese help files are written.
    project.Add("ja.htm", "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
                          "charset=shift_jis\"><title>ja</title></head><body>"
                          "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x77\x83\x8B\x83\x76</body></html>");
    project.Add("settings.htm", "<html><head><meta charset=\"shift_jis\"><title>s</title></head>"
                                "<body>\x90\xDD\x92\xE8</body></html>");
    const std::string chm = project.Build("ja.chm");
    HelpWindow window;
    window.ShowTopic(chm, "settings.htm");
    HelpSearchPane* search = window.Search();
    search->Field()->setText(QString::fromUtf8("ヘルプ"));
    search->Search(); // asked before the index is ready: it runs when it is
    QTRY_COMPARE_WITH_TIMEOUT(search->Results()->count(), 1, 10000);
    emit search->Results()->itemActivated(search->Results()->item(0));
    QTRY_COMPARE_WITH_TIMEOUT(ShownPage(window), QString("/ja.htm"), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(MarkedWords(window), 1, 10000);
}

void HelpViewerTest::linksToAnotherHelpFileOpenItInTheSameWindow() {
    IsolatedHome home;
    QTemporaryDir work;
    ChmProject other;
    other.folder = work.filePath("other").toStdString();
    other.Add("far.htm", Page("Far", "A page of the other file."));
    other.contents = "<HTML><BODY><UL>" + Item("Far", "far.htm") + "</UL></BODY></HTML>";
    other.Build("other.chm");
    ChmProject first;
    first.folder = work.filePath("other").toStdString(); // beside the other file
    first.Add("near.htm", Page("Near", "<a id=\"out\" href=\"ms-its:other.chm::/far.htm\">out</a> "
                                       "<a id=\"gone\" href=\"missing.htm\">gone</a>"));
    const std::string chm = first.Build("first.chm");

    HelpWindow window;
    window.ShowTopic(chm, {});
    QTRY_COMPARE_WITH_TIMEOUT(window.View()->title(), QString("Near"), 10000); // the page is there
    window.View()->page()->runJavaScript("document.getElementById('out').click()");
    QTRY_COMPARE_WITH_TIMEOUT(ShownPage(window), QString("/far.htm"), 10000);
    QVERIFY(window.File().ends_with("other.chm"));
    QCOMPARE(window.Contents()->topLevelItem(0)->text(0), QString("Far"));

    window.ShowTopic(chm, "missing.htm");
    QTRY_VERIFY_WITH_TIMEOUT(window.View()->title() == "Page not found", 10000);
    window.ShowTopic(work.filePath("nowhere.chm").toStdString(), {});
    QTRY_VERIFY_WITH_TIMEOUT(window.View()->title() == "Help file not found", 10000);
}

void HelpViewerTest::aHelpFileOfTwentyThousandTopicsOpensWhole() {
    IsolatedHome home;
    QTemporaryDir work;
    constexpr int kTopics = 20000;
    const std::string chm = mb::testing::ManyTopics(work.filePath("big").toStdString(), kTopics).Build();
    HelpWindow window;
    window.ShowTopic(chm, {});
    QTRY_COMPARE_WITH_TIMEOUT(ShownPage(window), QString("/part0/page0.htm"), 10000);
    QCOMPARE(window.Contents()->topLevelItemCount(), kTopics);
    QCOMPARE(window.Index()->List()->count(), kTopics);

    QTest::keyClicks(window.Index()->Field(), "keyword 19999");
    QCOMPARE(window.Index()->List()->currentItem()->text(), QString("Keyword 19999"));
    QTest::keyClick(window.Index()->Field(), Qt::Key_Return);
    QTRY_COMPARE_WITH_TIMEOUT(ShownPage(window), QString("/part199/page19999.htm"), 10000);

    HelpSearchPane* search = window.Search();
    QTRY_VERIFY_WITH_TIMEOUT(search->IndexReady(), 30000);
    QCOMPARE(search->PageCount(), size_t(kTopics));
    search->Field()->setText(QString::fromStdString(mb::testing::UniqueWord(12345)));
    search->Search();
    QCOMPARE(search->Results()->count(), 1);
    QCOMPARE(search->Results()->item(0)->text(), QString("Topic 12345"));
}

void HelpViewerTest::aPageLoadsNothingFromOutsideItsHelpFile() {
    IsolatedHome home;
    QTemporaryDir work;
    QTcpServer web; // stands for the web: it counts who calls
    QVERIFY(web.listen(QHostAddress::LocalHost));
    int calls = 0;
    connect(&web, &QTcpServer::newConnection, [&calls] { ++calls; });
    const std::string server = "http://127.0.0.1:" + std::to_string(web.serverPort());
    QByteArray picture;
    QBuffer buffer(&picture);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(QImage(4, 4, QImage::Format_RGB32).save(&buffer, "PNG"));

    ChmProject project;
    project.folder = work.filePath("hostile").toStdString();
    project.Add("page.htm", Page("Hostile", "<img src=\"inside.png\"><img src=\"" + server +
                                                "/a.png\"><img src=\"file:///etc/hostname\">"
                                                "<iframe src=\"" + server + "/frame\"></iframe>"
                                                "<script>fetch('" + server + "/data')</script>"));
    project.Add("inside.png", picture.toStdString());
    HelpWindow window;
    window.ShowTopic(project.Build(), {});
    QTRY_COMPARE_WITH_TIMEOUT(window.View()->title(), QString("Hostile"), 10000);
    auto script = [&window](const QString& code) {
        QVariant result;
        window.View()->page()->runJavaScript(code, [&result](const QVariant& value) { result = value; });
        return QTest::qWaitFor([&result] { return result.isValid(); }, 10000) ? result.toString() : QString();
    };
    QTRY_COMPARE_WITH_TIMEOUT(script("String(Array.from(document.images).every(i => i.complete))"),
                              QString("true"), 10000);
    QCOMPARE(script("Array.from(document.images).map(i => i.naturalWidth).join()"), QString("4,0,0"));
    QCOMPARE(calls, 0);
}

MB_WEB_TEST_MAIN(HelpViewerTest)
#include "HelpViewerTest.moc"
