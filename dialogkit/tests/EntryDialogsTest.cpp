#include "dialogkit/EntryDialogs.h"

#include "baseutil/tests/support/ScriptedPrompt.h"
#include "commonkit/StringTable.h"
#include "dialogkit/DialogHost.h"
#include "dialogkit/tests/support/ScriptedDialogHost.h"
#include "projectmodel/ProjectFile.h"

#include <gtest/gtest.h>

namespace {

using mb::testing::ScriptedDialogHost;
using mb::testing::ScriptedPrompt;
using Strings = std::vector<std::string>;

TEST(DialogHostTest, TheCancellingHostCancelsEveryDialog) {
    mb::CancellingDialogHost host;
    std::string url = "http://example.org/";
    CDlgGetURL urlDialog(&url, mb::CautiousPrompt());
    EXPECT_EQ(urlDialog.DoModal(host), mb::kIdCancel);
    EXPECT_EQ(url, "http://example.org/");

    Strings words{"alpha", "beta"};
    CDlgKeywordsSelect keywords(&words);
    EXPECT_EQ(keywords.DoModal(host), mb::kIdCancel);
    EXPECT_TRUE(words.empty());

    CDlgEnterEditItem item("Name:", "old");
    EXPECT_EQ(item.DoModal(host), mb::kIdCancel);
    EXPECT_FALSE(host.ChooseColor(0x00FF00).has_value());
    EXPECT_FALSE(host.ChooseFont(LOGFONTA{}).has_value());
}

TEST(EntryDialogsTest, UrlCannotBeConfirmedEmpty) {
    ScriptedPrompt prompt;
    ScriptedDialogHost host;
    std::string url = "http://old.example/";
    std::string seenInitially;
    host.url.push_back([&](CDlgGetURL& dialog) {
        seenInitially = dialog.GetInitialText();
        if (dialog.OnOK(""))
            return true;
        // The dialog stays open; the user types an address and tries again.
        return dialog.OnOK("https://new.example/a.htm");
    });

    EXPECT_EQ(CDlgGetURL(&url, prompt).DoModal(host), mb::kIdOk);
    EXPECT_EQ(seenInitially, "http://old.example/");
    EXPECT_EQ(url, "https://new.example/a.htm");
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, CStrHelper::ML_GetStringEx(235));
    EXPECT_EQ(prompt.messages[0].caption, CStrHelper::ML_GetStringEx(8));
    EXPECT_EQ(prompt.messages[0].icon, mb::Icon::Warning);
    EXPECT_EQ(host.shown, Strings{"URL"});

    // Refused on its own, the old text stays.
    std::string kept = "keep.htm";
    EXPECT_FALSE(CDlgGetURL(&kept, prompt).OnOK(""));
    EXPECT_EQ(kept, "keep.htm");
}

TEST(EntryDialogsTest, KeywordSelectionKeepsCheckedKeywordsInOrder) {
    ScriptedDialogHost host;
    Strings words{"one", "two", "three", "four"};
    host.keywords.push_back([](CDlgKeywordsSelect& dialog) {
        EXPECT_EQ(dialog.GetKeywords().size(), 4u);
        dialog.OnOK({false, true, false}); // "four" has no flag: stays checked
        return true;
    });
    EXPECT_EQ(CDlgKeywordsSelect(&words).DoModal(host), mb::kIdOk);
    EXPECT_EQ(words, (Strings{"two", "four"}));

    Strings none{"a", "b"};
    CDlgKeywordsSelect(&none).OnOK({false, false});
    EXPECT_TRUE(none.empty());
}

TEST(EntryDialogsTest, CancellingTheKeywordSelectionEmptiesTheList) {
    ScriptedDialogHost host;
    Strings words{"one", "two"};
    host.keywords.push_back([](CDlgKeywordsSelect&) { return false; });
    EXPECT_EQ(CDlgKeywordsSelect(&words).DoModal(host), mb::kIdCancel);
    EXPECT_TRUE(words.empty());
    EXPECT_EQ(host.shown, Strings{"Keywords"});
}

TEST(EntryDialogsTest, AddToIndexShowsAndStoresTheSubEntrySetting) {
    ScriptedDialogHost host;
    CProjectFile project;
    project.SetIncludeSubEntries(1);
    bool initial = false;
    host.addToIndex.push_back([&](CDlgAddSelectedCEToIndex& dialog) {
        initial = dialog.GetInitialCheck();
        dialog.OnOK(false);
        return true;
    });
    EXPECT_EQ(CDlgAddSelectedCEToIndex(&project).DoModal(host), mb::kIdOk);
    EXPECT_TRUE(initial);
    EXPECT_EQ(project.GetIncludeSubEntries(), 0);

    CDlgAddSelectedCEToIndex dialog(&project);
    EXPECT_FALSE(dialog.GetInitialCheck());
    dialog.OnOK(true);
    EXPECT_EQ(project.GetIncludeSubEntries(), 1);

    // Cancel leaves the setting alone.
    EXPECT_EQ(dialog.DoModal(host), mb::kIdCancel);
    EXPECT_EQ(project.GetIncludeSubEntries(), 1);

    CDlgAddSelectedCEToIndex noProject(nullptr);
    EXPECT_FALSE(noProject.GetInitialCheck());
    noProject.OnOK(true);
}

TEST(EntryDialogsTest, ItemTextKeepsWhatWasTypedEvenEmpty) {
    ScriptedDialogHost host;
    CDlgEnterEditItem item("Enter the name:", "old name");
    host.editItem.push_back([](CDlgEnterEditItem& dialog) {
        EXPECT_EQ(dialog.GetPrompt(), "Enter the name:");
        EXPECT_EQ(dialog.GetItemText(), "old name");
        dialog.OnOK("");
        return true;
    });
    EXPECT_EQ(item.DoModal(host), mb::kIdOk);
    EXPECT_EQ(item.GetItemText(), "");

    CDlgEnterEditItem cancelled("p", "start");
    EXPECT_EQ(cancelled.DoModal(host), mb::kIdCancel);
    EXPECT_EQ(cancelled.GetItemText(), "start");
    EXPECT_EQ(host.shown, (Strings{"EditItem", "EditItem"}));
}

} // namespace
