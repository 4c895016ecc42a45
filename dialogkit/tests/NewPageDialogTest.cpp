#include "dialogkit/NewPageDialog.h"

#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "commonkit/StringTable.h"
#include "dialogkit/DialogHost.h"
#include "dialogkit/tests/support/ScriptedDialogHost.h"
#include "projectmodel/ProjectFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using mb::testing::ScriptedDialogHost;
using mb::testing::ScriptedPrompt;
using mb::testing::TempTree;

std::string Str(int n) {
    return CStrHelper::ML_GetStringEx(n);
}

class NewPageDialogTest : public ::testing::Test {
protected:
    NewPageDialogTest() {
        project.SetChannels(&prompt.channels);
        project.SetProjectFolder(tree.MakeFolder("proj"));
    }

    // The dialog as the user leaves it: title typed, optionally a file name
    // and folder, then OK.
    bool Confirm(CDlgNewPage& dialog, const std::string& title) {
        dialog.OnTitleChanged(title);
        return dialog.OnOK();
    }
    std::string Proj(const std::string& relative) const { return tree / ("proj/" + relative); }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& message : prompt.messages)
            texts.push_back(message.text);
        return texts;
    }

    TempTree tree;
    ScriptedPrompt prompt;
    CProjectFile project;
    std::string title = "unchanged";
    std::string path = "unchanged";
};

TEST_F(NewPageDialogTest, OpensWithPlaceholderTitleAndTheProjectFolder) {
    CDlgNewPage dialog(&project, &title, &path);
    EXPECT_EQ(dialog.GetCaption(), Str(472));
    EXPECT_EQ(dialog.GetTitleText(), "** Title **");
    EXPECT_EQ(dialog.GetFileNameText(), "NewPage");
    EXPECT_EQ(dialog.GetFolderText(), tree / "proj");
    EXPECT_TRUE(dialog.IsAutomaticFileName());
    // "NewPage" counts as automatic: leaving the field unchanged keeps it so.
    dialog.OnFileNameKillFocus();
    EXPECT_TRUE(dialog.IsAutomaticFileName());
}

TEST_F(NewPageDialogTest, FileNameFollowsTheTitleWithoutForbiddenCharacters) {
    CDlgNewPage dialog(&project, &title, &path);
    dialog.OnTitleChanged("A/B: C?");
    EXPECT_EQ(dialog.GetFileNameText(), "AB C");
    dialog.OnTitleChanged("x\\y*\"<z>|");
    EXPECT_EQ(dialog.GetFileNameText(), "xyz");

    ASSERT_TRUE(Confirm(dialog, "A/B: C?"));
    EXPECT_EQ(title, "A/B: C?");
    EXPECT_EQ(path, Proj("AB C.htm"));
    EXPECT_TRUE(fs::is_regular_file(Proj("AB C.htm")));
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(NewPageDialogTest, HtmlExtensionsAreKeptAndOthersGetHtmAppended) {
    struct Case {
        std::string typed;
        std::string written;
    };
    for (const Case& c : {Case{"Guide.HTML", "Guide.HTML"}, Case{"notes.txt", "notes.txt.htm"},
                          Case{"intro.Htm", "intro.Htm"}, Case{"plain", "plain.htm"}}) {
        CDlgNewPage dialog(&project, &title, &path);
        dialog.OnTitleChanged("Title");
        dialog.SetFileNameText(c.typed);
        ASSERT_TRUE(dialog.OnOK()) << c.typed;
        EXPECT_EQ(path, Proj(c.written));
        EXPECT_TRUE(fs::exists(Proj(c.written))) << c.written;
    }
}

TEST_F(NewPageDialogTest, TypedNameStopsFollowingUntilTheFieldIsCleared) {
    CDlgNewPage dialog(&project, &title, &path);
    dialog.OnTitleChanged("First");
    dialog.SetFileNameText("mine");
    dialog.OnFileNameKillFocus();
    EXPECT_FALSE(dialog.IsAutomaticFileName());
    dialog.OnTitleChanged("Second");
    EXPECT_EQ(dialog.GetFileNameText(), "mine");

    dialog.SetFileNameText("");
    dialog.OnFileNameKillFocus();
    EXPECT_TRUE(dialog.IsAutomaticFileName());
    dialog.OnTitleChanged("Third");
    EXPECT_EQ(dialog.GetFileNameText(), "Third");

    // Leaving the field with the automatic name in it keeps following.
    dialog.OnFileNameKillFocus();
    dialog.OnTitleChanged("Fourth");
    EXPECT_EQ(dialog.GetFileNameText(), "Fourth");
}

TEST_F(NewPageDialogTest, FieldsAreCheckedInOrder) {
    CDlgNewPage dialog(&project, &title, &path);
    dialog.SetFolderText("C:\\pages");
    EXPECT_FALSE(Confirm(dialog, ""));
    dialog.OnTitleChanged("T");
    dialog.SetFileNameText("");
    EXPECT_FALSE(dialog.OnOK());
    dialog.SetFileNameText("page");
    EXPECT_FALSE(dialog.OnOK());
    dialog.SetFolderText("relative/folder");
    EXPECT_FALSE(dialog.OnOK());

    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{Str(477), Str(478), Str(479), Str(479)}));
    for (const auto& message : prompt.messages) {
        EXPECT_EQ(message.caption, Str(8));
        EXPECT_EQ(message.icon, mb::Icon::Warning);
    }
    EXPECT_EQ(title, "unchanged");
    EXPECT_EQ(path, "unchanged");
    EXPECT_TRUE(fs::is_empty(tree / "proj"));
}

TEST_F(NewPageDialogTest, FolderOutsideTheProjectIsRefused) {
    const std::string refusal = Str(480) + "\n\n" + Str(511) + (tree / "proj");
    tree.MakeFolder("elsewhere");
    tree.MakeFolder("proj2");
    for (const std::string& folder :
         {tree / "elsewhere", tree / "proj2", tree / "proj/../elsewhere", tree.Root()}) {
        prompt.messages.clear();
        CDlgNewPage dialog(&project, &title, &path);
        dialog.SetFolderText(folder);
        EXPECT_FALSE(Confirm(dialog, "Page")) << folder;
        EXPECT_EQ(MessageTexts(), std::vector<std::string>{refusal}) << folder;
    }
    // A typed name cannot climb out either.
    CDlgNewPage dialog(&project, &title, &path);
    dialog.OnTitleChanged("Page");
    dialog.SetFileNameText("../escape");
    EXPECT_FALSE(dialog.OnOK());
    EXPECT_EQ(prompt.messages.back().text, refusal);
    EXPECT_FALSE(fs::exists(tree / "escape.htm"));
    EXPECT_EQ(path, "unchanged");
}

TEST_F(NewPageDialogTest, EmptyFolderMeansTheProjectFolderAndSubfoldersAreCreated) {
    CDlgNewPage dialog(&project, &title, &path);
    dialog.SetFolderText("");
    ASSERT_TRUE(Confirm(dialog, "Top"));
    EXPECT_EQ(path, Proj("Top.htm"));

    CDlgNewPage deeper(&project, &title, &path);
    deeper.SetFolderText(tree / "proj/topics/new/");
    ASSERT_TRUE(Confirm(deeper, "Deep"));
    EXPECT_EQ(path, Proj("topics/new/Deep.htm"));
    EXPECT_TRUE(fs::is_regular_file(path));
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(NewPageDialogTest, OverwriteAsksFirstThenReplaces) {
    const std::string existing = tree.Write("proj/Old.htm", "old text");
    CDlgNewPage dialog(&project, &title, &path);
    prompt.answers = {mb::Answer::No, mb::Answer::Yes};

    EXPECT_FALSE(Confirm(dialog, "Old"));
    EXPECT_EQ(TempTree::Read(existing), "old text");
    EXPECT_EQ(path, "unchanged");

    EXPECT_TRUE(dialog.OnOK());
    EXPECT_EQ(TempTree::Read(existing), CDlgNewPage::PageText("Old"));
    EXPECT_EQ(path, existing);
    const std::string question = existing + "\n\n" + Str(470);
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{question, question}));
    EXPECT_EQ(prompt.messages[0].buttons, mb::Buttons::YesNo);
}

TEST_F(NewPageDialogTest, ReadOnlyTargetIsRefusedAfterTheQuestion) {
    const std::string existing = tree.Write("proj/Locked.htm", "locked");
    fs::permissions(existing, fs::perms::owner_read | fs::perms::group_read);
    CDlgNewPage dialog(&project, &title, &path);
    prompt.answers = {mb::Answer::Yes};

    EXPECT_FALSE(Confirm(dialog, "Locked"));
    EXPECT_EQ(TempTree::Read(existing), "locked");
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{existing + "\n\n" + Str(470),
                                                        existing + "\n\n" + Str(481)}));
    EXPECT_EQ(path, "unchanged");
    fs::permissions(existing, fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(NewPageDialogTest, WriteFailureIsReportedAndKeepsTheDialogOpen) {
    tree.Write("proj/blocker", "a file where a folder should be");
    CDlgNewPage dialog(&project, &title, &path);
    dialog.SetFolderText(tree / "proj/blocker/sub");
    EXPECT_FALSE(Confirm(dialog, "Page"));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text.rfind(Str(293) + "\n\n" + Proj("blocker/sub/Page.htm"), 0),
              0u);
    EXPECT_EQ(path, "unchanged");
}

TEST_F(NewPageDialogTest, ProjectWithoutFolderNeedsAFolderField) {
    CProjectFile unsaved;
    unsaved.SetChannels(&prompt.channels);
    CDlgNewPage dialog(&unsaved, &title, &path);
    EXPECT_EQ(dialog.GetFolderText(), "");
    EXPECT_FALSE(Confirm(dialog, "Page"));
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{Str(467)});

    dialog.SetFolderText(tree / "loose");
    ASSERT_TRUE(dialog.OnOK());
    EXPECT_EQ(path, tree / "loose/Page.htm");
    EXPECT_TRUE(fs::is_regular_file(path));
}

TEST_F(NewPageDialogTest, PageTextIsTheTemplateWithTheEncodedTitle) {
    const std::string expected =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\"><html>\r\n"
        "<head>\r\n"
        "<meta http-equiv=\"Content-Language\" content=\"en-us\">\r\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n"
        "<title>Tom &amp; Jerry &lt;b&gt; \xC3\xA9t\xC3\xA9</title>\r\n"
        "</head>\r\n"
        "<body>\r\n"
        "<p><font face=\"Verdana\" size=\"2\"><b>New Page</b></font></p>\r\n"
        "</body>\r\n"
        "</html>";
    CDlgNewPage dialog(&project, &title, &path);
    dialog.OnTitleChanged("Tom & Jerry <b> \xC3\xA9t\xC3\xA9");
    dialog.SetFileNameText("tj");
    ASSERT_TRUE(dialog.OnOK());
    EXPECT_EQ(TempTree::Read(Proj("tj.htm")), expected);
    EXPECT_EQ(title, "Tom & Jerry <b> \xC3\xA9t\xC3\xA9");
}

TEST_F(NewPageDialogTest, DoModalReportsWhetherThePageWasWritten) {
    ScriptedDialogHost host;
    host.newPage.push_back([](CDlgNewPage& dialog) {
        dialog.OnTitleChanged("");
        if (dialog.OnOK())
            return true;
        dialog.OnTitleChanged("Hosted");
        return dialog.OnOK();
    });
    EXPECT_EQ(CDlgNewPage(&project, &title, &path).DoModal(host), mb::kIdOk);
    EXPECT_EQ(title, "Hosted");
    EXPECT_EQ(path, Proj("Hosted.htm"));
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{Str(477)});

    std::string otherPath = "unchanged";
    EXPECT_EQ(CDlgNewPage(&project, &title, &otherPath).DoModal(host), mb::kIdCancel);
    EXPECT_EQ(otherPath, "unchanged");
    EXPECT_EQ(host.shown, (std::vector<std::string>{"NewPage", "NewPage"}));
}

} // namespace
