// The entry form, driven through its real fields: each edit is one undoable
// command, Escape sends nothing, undo updates the form without history, and
// merge references and index kinds lock what they must.
#include "entryeditor/EntryIcons.h"
#include "entryeditor/ViewTocIndexEntry.h"

#include "appglue/AppHelper.h"
#include "baseutil/Xml.h"
#include "editcommands/CommandManager.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/tests/TreeTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace mb::testing;

namespace {

// A project in a temporary folder with two contents entries (a page and a
// merge reference) and a keyword with a sub-entry, shown in the form.
class Fixture {
public:
    Fixture() {
        project.SetProjectFolder(folder.path().toStdString() + "/");
        commands.SetProjectFile(&project);
        commands.SetAppHelper(&helper);
        commands.CreateCommandObject();
        auto contents = FilesList({ListRun("ROOT", 1, {Entry("A", {}, Page("Intro.htm")),
                                                       Typed(Entry("M"), 3)})});
        project.Content_AddFilesList2(contents.get());
        auto index = FilesList({ListRun("ROOT", 1, {Entry("K", {Entry("K2")})})});
        project.Index_AddFilesList2(index.get());
        project.ResetModifiedInfo();
        form.SetCommandManager(&commands);
        form.SetProjectSubject(&project);
        form.show();
        QApplication::setActiveWindow(&form);
    }
    ~Fixture() {
        commands.ClearCommandHistoryList_ContentTree();
        commands.ClearCommandHistoryList_IndexTree();
        commands.DeleteCommandObject();
    }
    std::string Page(const char* name) {
        QString path = folder.path() + "/" + name;
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        return path.toStdString();
    }
    void SelectContents(const char* id) {
        project.GetHHCFile()->SetSelectedNode(project.HHC_GetNodeByID(id));
    }
    void SelectIndex(const char* id) {
        project.GetHHKFile()->SetSelectedNode(project.HHK_GetNodeByID(id));
    }
    template <typename T>
    T* Field(const char* name) {
        return form.findChild<T*>(name);
    }
    std::string Contents(const char* id, const char* attribute) {
        return project.HHC_GetNodeByID(id)->GetAttr(attribute);
    }
    int ContentsHistory() const { return commands.ContentHistory().Size(); }

    QTemporaryDir folder;
    CProjectFile project;
    mb::PickerAddDirectoryDialog picker{mb::CautiousPrompt(), project.Settings().env};
    CAppHelper helper{picker, mb::CautiousPrompt(), project.Settings().env};
    mb::CommandContext context;
    CCommandManager commands{context};
    CViewTocIndexEntry form;
};

// Types `text` over the field's content, then presses `key`.
void TypeAndPress(QLineEdit* field, const QString& text, Qt::Key key) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, key);
}

} // namespace

class EntryEditorTest : public QObject {
    Q_OBJECT
private slots:
    void aNameEditSendsOneRenameAndEscapeSendsNothing();
    void undoingAnIconChangeUpdatesTheComboWithoutHistory();
    void aMergeReferenceShowsItsIconAndLocksTheFields();
    void onlyANestedKeywordCanBecomeATopicOfItsParent();
    void aLinkEditThatChangesOnlyLetterCaseIsApplied();
    void aProjectOpenedAnewIsFollowed();
    void aLinkShowsProjectRelativeWhetherTypedOrRead();
};

void EntryEditorTest::aNameEditSendsOneRenameAndEscapeSendsNothing() {
    Fixture f;
    f.SelectContents("A");
    auto* name = f.Field<QLineEdit>("contentsName");
    QCOMPARE(name->text(), QString("A"));
    TypeAndPress(name, "Alpha", Qt::Key_Tab);
    QCOMPARE(f.Contents("A", "Name"), std::string("Alpha"));
    QCOMPARE(f.ContentsHistory(), 1);

    TypeAndPress(name, "Wrong", Qt::Key_Escape);
    QCOMPARE(name->text(), QString("Alpha"));
    QTest::keyClick(name, Qt::Key_Tab);
    QCOMPARE(f.Contents("A", "Name"), std::string("Alpha"));
    QCOMPARE(f.ContentsHistory(), 1);
}

void EntryEditorTest::undoingAnIconChangeUpdatesTheComboWithoutHistory() {
    Fixture f;
    f.SelectContents("A");
    auto* icon = f.Field<QComboBox>("icon");
    int before = icon->currentIndex();
    icon->setFocus();
    QTest::keyClick(icon, Qt::Key_Down);
    QCOMPARE(f.Contents("A", "ImageNumber"), std::to_string(before + 1));
    QCOMPARE(f.ContentsHistory(), 1);

    f.commands.Undo_ContentTree();
    QCOMPARE(icon->currentIndex(), before);
    QCOMPARE(f.commands.GetUndoState_ContentTree(), 0);
    QCOMPARE(f.commands.GetRedoState_ContentTree(), 1);
}

void EntryEditorTest::aMergeReferenceShowsItsIconAndLocksTheFields() {
    Fixture f;
    auto* icon = f.Field<QComboBox>("icon");
    f.SelectContents("M");
    QCOMPARE(icon->count(), mb::kEntryIconCount + 1);
    QCOMPARE(icon->currentIndex(), mb::kEntryIconCount);
    QVERIFY(!f.Field<QLineEdit>("contentsName")->isEnabled());

    f.SelectContents("A");
    QCOMPARE(icon->count(), mb::kEntryIconCount);
    QVERIFY(f.Field<QLineEdit>("contentsName")->isEnabled());
}

void EntryEditorTest::onlyANestedKeywordCanBecomeATopicOfItsParent() {
    Fixture f;
    auto* topic = f.Field<QCheckBox>("topicOfKeyword");
    f.SelectIndex("K");
    QVERIFY(f.Field<QCheckBox>("plainKeyword")->isChecked());
    QVERIFY(!topic->isEnabled());

    f.SelectIndex("K2");
    QVERIFY(topic->isEnabled());
    QTest::mouseClick(topic, Qt::LeftButton, {}, QPoint(4, topic->height() / 2));
    QCOMPARE(f.project.HHK_GetNodeByID("K2")->GetAttrInt("Type"), 5);
    QCOMPARE(f.commands.IndexHistory().Size(), 1);
    QVERIFY(topic->isChecked() && !topic->isEnabled());
}

void EntryEditorTest::aLinkEditThatChangesOnlyLetterCaseIsApplied() {
    Fixture f;
    std::string lower = f.Page("intro.htm");
    f.SelectContents("A");
    auto* link = f.Field<QLineEdit>("contentsLink");
    TypeAndPress(link, QString::fromStdString(lower), Qt::Key_Return);
    QCOMPARE(f.Contents("A", "Local"), lower);
    QCOMPARE(f.ContentsHistory(), 1);
    QCOMPARE(f.Field<QLineEdit>("contentsPath")->text(), QString("intro.htm"));
}

void EntryEditorTest::aProjectOpenedAnewIsFollowed() {
    Fixture f;
    QString path = f.folder.path() + "/guide.mbk";
    QCOMPARE(f.project.SaveProjectAs(path.toStdString()), 1);
    f.SelectContents("A");
    QCOMPARE(f.project.OpenProjectFile(path.toStdString()), 1);
    QVERIFY(!f.form.ContentsEntry());
    // The entries read anew, selected in turn.
    CXML* root = f.project.HHC_GetTreeRoot();
    QCOMPARE(root->GetChildCount(), 2);
    for (int i : {1, 0}) {
        f.project.GetHHCFile()->SetSelectedNode(root->GetChildAt(i));
        QCOMPARE(f.form.ContentsEntry(), root->GetChildAt(i));
        QCOMPARE(f.Field<QLineEdit>("contentsName")->text(), QString(i ? "M" : "A"));
    }
}

void EntryEditorTest::aLinkShowsProjectRelativeWhetherTypedOrRead() {
    Fixture f;
    QDir(f.folder.path()).mkdir("pages");
    std::string page = f.Page("pages/guide.htm");
    f.SelectContents("A");
    auto* link = f.Field<QLineEdit>("contentsLink");
    TypeAndPress(link, "pages/guide.htm", Qt::Key_Return);
    // Kept as the page's path, shown as typed.
    QCOMPARE(f.Contents("A", "Local"), page);
    QCOMPARE(link->text(), QString("pages/guide.htm"));
    QCOMPARE(f.ContentsHistory(), 1);
    // Leaving the field unchanged, or Escape, changes nothing.
    QTest::keyClick(link, Qt::Key_Tab);
    TypeAndPress(link, "other.htm", Qt::Key_Escape);
    QCOMPARE(link->text(), QString("pages/guide.htm"));
    QCOMPARE(f.ContentsHistory(), 1);

    // Read back from the project file, the link looks the same.
    QString path = f.folder.path() + "/guide.mbk";
    QCOMPARE(f.project.SaveProjectAs(path.toStdString()), 1);
    QCOMPARE(f.project.OpenProjectFile(path.toStdString()), 1);
    f.project.GetHHCFile()->SetSelectedNode(f.project.HHC_GetTreeRoot()->GetChildAt(0));
    QCOMPARE(std::string(f.project.HHC_GetTreeRoot()->GetChildAt(0)->GetAttr("Local")), page);
    QCOMPARE(link->text(), QString("pages/guide.htm"));
}

QTEST_MAIN(EntryEditorTest)
#include "EntryEditorTest.moc"
