// The CHM explorer on help files compiled by chmcmd: a page with a picture
// from inside the file, hostile element names and scripts, an unreadable
// file, and the data of a dragged element.
#include "app/gui/QtDropData.h"
#include "app/gui/tests/ScriptedPrompt.h"
#include "app/gui/tests/WebTestMain.h"

#include "appglue/DragDropHelper.h"
#include "archiveview/ArchiveViewFrame.h"
#include "baseutil/Xml.h"
#include "compiledhelp/tests/support/ChmTestSupport.h"
#include "helpweb/HTMLWriter.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <memory>

using mb::archive::CArchiveViewFrame;

namespace {

constexpr char kHostileFolder[] = "<img src=x onerror=document.title='hacked'>";

std::string PngBytes() {
    QImage image(24, 16, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

// A help file with a page that shows a picture of the file, a folder with a
// hostile name and a script stream that would change the title.
std::string BuildHelpFile(const QTemporaryDir& dir) {
    mb::testing::ChmProject project;
    project.folder = dir.filePath("project").toStdString();
    project.Add("pages/a.htm", "<html><head><title>A</title></head><body>"
                               "<img id=\"pic\" src=\"../img/pic.png\"></body></html>");
    project.Add("pages/a_files/a.css", "img { border: 1px solid red; }");
    project.Add("img/pic.png", PngBytes());
    project.Add(std::string(kHostileFolder) + "/inner.htm", "<html><body>inner</body></html>");
    project.Add("s.js", "<script>document.title='x'</script>");
    return project.Build("guide.chm");
}

QVariant RunScript(QWebEngineView* view, const QString& script) {
    QVariant result;
    bool done = false;
    view->page()->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 30000))
        return {};
    return result;
}

QTreeWidgetItem* Item(QTreeWidget* tree, const QString& name) {
    QList<QTreeWidgetItem*> found = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

// Selects an element and waits until the preview has shown it.
bool Show(CArchiveViewFrame& frame, const QString& name) {
    QSignalSpy shown(&frame, &CArchiveViewFrame::PreviewShown);
    QTreeWidgetItem* item = Item(frame.FilesTree(), name);
    if (!item)
        return false;
    frame.FilesTree()->setCurrentItem(item);
    return shown.wait(60000) && shown.last().at(0).toBool();
}

} // namespace

class ArchiveViewTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_chm = BuildHelpFile(m_dir);
    }
    void imageInsideAHelpFileIsShown();
    void hostileNamesAndScriptsStayText();
    void unreadableFileIsReportedAsSuch();
    void extractingWritesTheSelectionAndAPagesFilesFolder();
    void draggedElementIsKnownOnlyInsideTheProgram();
    void writtenPageLargerThanADataAddressIsShown();

private:
    QTemporaryDir m_dir;
    std::string m_chm;
};

void ArchiveViewTest::imageInsideAHelpFileIsShown() {
    CArchiveViewFrame frame(mb::QuietChannels());
    frame.show();
    QVERIFY(frame.OpenFile(m_chm));
    QVERIFY(Show(frame, "a.htm"));
    QVERIFY(RunScript(frame.Preview(), "document.getElementById('pic').naturalWidth").toInt() > 0);

    // The other address form reaches the same page, and its relative
    // picture still resolves inside the file.
    QSignalSpy loaded(frame.Preview(), &QWebEngineView::loadFinished);
    frame.Preview()->load(
        QUrl(QString::fromStdString("mk:@MSITStore:" + m_chm + "::/pages/a.htm")));
    QVERIFY(loaded.wait(60000));
    QCOMPARE(RunScript(frame.Preview(), "document.getElementById('pic').naturalWidth").toInt(), 24);
}

void ArchiveViewTest::hostileNamesAndScriptsStayText() {
    CArchiveViewFrame frame(mb::QuietChannels());
    frame.show();
    QVERIFY(frame.OpenFile(m_chm));
    QVERIFY(Show(frame, kHostileFolder));
    QCOMPARE(RunScript(frame.Preview(), "document.getElementsByTagName('img').length").toInt(), 0);
    QVERIFY(
        RunScript(frame.Preview(), "document.body.innerText").toString().contains(kHostileFolder));
    QVERIFY(RunScript(frame.Preview(), "document.title").toString() != "hacked");

    QVERIFY(Show(frame, "s.js"));
    QCOMPARE(RunScript(frame.Preview(), "document.title").toString(), QString("s.js"));
    QCOMPARE(RunScript(frame.Preview(), "document.body.innerText").toString().trimmed(),
             QString("<script>document.title='x'</script>"));
}

void ArchiveViewTest::unreadableFileIsReportedAsSuch() {
    QTemporaryDir dir;
    const QString path = dir.filePath("broken.chm");
    mb::testing::WriteBytes(path.toStdString(), "not a help file at all");
    CArchiveViewFrame frame(mb::QuietChannels());
    frame.show();
    QSignalSpy shown(&frame, &CArchiveViewFrame::PreviewShown);
    QVERIFY(!frame.OpenFile(path.toStdString()));
    QVERIFY(shown.wait(60000));
    QVERIFY(RunScript(frame.Preview(), "document.body.innerText")
                .toString()
                .contains("could not be read"));
    QCOMPARE(frame.FilesTree()->topLevelItemCount(), 0);
}

void ArchiveViewTest::extractingWritesTheSelectionAndAPagesFilesFolder() {
    QTemporaryDir out;
    ScriptedPrompt prompt;
    mb::UserChannels channels{&prompt};
    CArchiveViewFrame frame(channels);
    QVERIFY(frame.OpenFile(m_chm));
    QTreeWidget* tree = frame.FilesTree();

    const std::string page = out.filePath("saved/a.htm").toStdString();
    QDir().mkpath(out.filePath("saved"));
    prompt.savePaths = {page};
    tree->setCurrentItem(Item(tree, "a.htm"));
    frame.OnUI_ExtractSelect();
    QCOMPARE(prompt.proposed.back(), frame.GetLastOpenCHMFilePath() + "/a.htm");
    QVERIFY(mb::testing::ReadBytes(page).find("id=\"pic\"") != std::string::npos);
    QCOMPARE(mb::testing::ReadBytes(out.filePath("saved/a_files/a.css").toStdString()),
             std::string("img { border: 1px solid red; }"));

    // A folder goes with everything inside it into the chosen folder.
    prompt.folders = {out.filePath("folders").toStdString()};
    tree->setCurrentItem(Item(tree, "img"));
    frame.OnUI_ExtractSelect();
    QCOMPARE(mb::testing::ReadBytes(out.filePath("folders/img/pic.png").toStdString()), PngBytes());
    QVERIFY(prompt.asked.empty()); // no failure to report
}

void ArchiveViewTest::draggedElementIsKnownOnlyInsideTheProgram() {
    CArchiveViewFrame frame(mb::QuietChannels());
    QVERIFY(frame.OpenFile(m_chm));
    QTreeWidgetItem* item = Item(frame.FilesTree(), "a.htm");
    QVERIFY(item);
    std::unique_ptr<QMimeData> dragged(
        frame.FilesTree()->model()->mimeData({frame.FilesTree()->indexFromItem(item)}));
    QVERIFY(dragged);

    CDragDropHelper helper(nullptr);
    mb::gui::QtDropData ours(*dragged);
    QCOMPARE(helper.DropHelper(ours, 0), int(DDOT_ARCHIVE_NODE));
    CXML list("FilesList");
    QCOMPARE(helper.GetFilesListFromArchiveView_Content(&list), 1);
    QCOMPARE(std::string(helper.GetDroppedNode()->GetAttr("Local")), m_chm + "::/pages/a.htm");

    // The same type and bytes from another program carry no element.
    QMimeData foreign;
    foreign.setData(CDragDropHelper::GetCF_ArchiveView(),
                    dragged->data(CDragDropHelper::GetCF_ArchiveView()));
    mb::gui::QtDropData theirs(foreign);
    QVERIFY(helper.DropHelper(theirs, 0) != DDOT_ARCHIVE_NODE);
}

void ArchiveViewTest::writtenPageLargerThanADataAddressIsShown() {
    QWebEngineView view;
    view.setPage(mb::web::NewHelpPage(&view));
    mb::web::CHTMLWriter writer(&view);
    QSignalSpy written(&writer, &mb::web::CHTMLWriter::Written);
    // Beyond the 2 MB a page handed over as a data address may have.
    const std::string body(3 * 1024 * 1024, 'x');
    QVERIFY(writer.Write("<html><body><p id=\"big\">" + body + "</p></body></html>"));
    QVERIFY(written.wait(60000));
    QCOMPARE(written.first().at(0).toBool(), true);
    QCOMPARE(RunScript(&view, "document.getElementById('big').textContent.length").toInt(),
             int(body.size()));
}

MB_WEB_TEST_MAIN(ArchiveViewTest)
#include "ArchiveViewTest.moc"
