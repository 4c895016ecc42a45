// The new-project dialog's rules: the name field, the order of the checks
// on OK and what each failure leaves behind.
#include "app/core/NewProjectForm.h"
#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "commonkit/StringTable.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace mb;
using namespace mb::testing;

namespace {

class NewProjectForm : public ::testing::Test {
protected:
    // A form that would pass every check, in the scratch folder.
    CDlgNewProject Form(const std::string& name = "help") {
        CDlgNewProject form(folder.Root(), 1033, prompt);
        form.SetTitleText("Title");
        form.SetNameText(name);
        return form;
    }
    std::string Warning(size_t index = 0) const {
        return index < prompt.messages.size() ? prompt.messages[index].text : "(none)";
    }
    static std::string Text(int n) { return CStrHelper::ML_GetStringEx(n); }

    TempTree folder;
    ScriptedPrompt prompt;
};

TEST_F(NewProjectForm, StartsWithItsPlaceholdersAndTheLastFolderWithoutSeparator) {
    CDlgNewProject form(folder.Root() + "/", 1041, prompt);
    EXPECT_EQ(form.GetTitleText(), "** Help title **");
    EXPECT_EQ(form.GetNameText(), "NewProject");
    EXPECT_EQ(form.GetFolderText(), folder.Root());
    EXPECT_EQ(form.GetSelectedLanguage(), 1041);
    EXPECT_EQ(CDlgNewProject("/", 1033, prompt).GetFolderText(), "/");
}

TEST_F(NewProjectForm, NameLosesTheCharactersAFileNameCannotHold) {
    CDlgNewProject form = Form();
    form.SetNameText("a\\b/c:d*e?f\"g<h>i|j k");
    EXPECT_EQ(form.GetNameText(), "abcdefghij k");
}

TEST_F(NewProjectForm, NameGetsTheExtensionUnlessItEndsInItInAnyCase) {
    for (auto [typed, path] : {std::pair<std::string, std::string>{"help", "help.mbk"},
                               {"help.MBK", "help.MBK"},
                               {"help.Mbk", "help.Mbk"},
                               {"help.mbk.txt", "help.mbk.txt.mbk"}}) {
        CDlgNewProject form = Form(typed);
        ASSERT_TRUE(form.OnOK()) << typed;
        EXPECT_EQ(form.GetResult().path, folder / path);
        EXPECT_EQ(form.GetResult().folder, folder.Root());
        EXPECT_EQ(form.GetResult().title, "Title");
    }
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(NewProjectForm, ChecksRunInOrderAndEachFailureKeepsTheDialogOpen) {
    CDlgNewProject form(std::string(), 1033, prompt);
    form.SetTitleText("");
    form.SetNameText("");
    EXPECT_FALSE(form.OnOK());
    EXPECT_EQ(Warning(0), Text(466));
    form.SetNameText(".MBK");
    EXPECT_FALSE(form.OnOK()) << "the extension alone names nothing";
    EXPECT_EQ(Warning(1).rfind(Text(466), 0), 0u) << Warning(1);
    form.SetNameText("n");
    EXPECT_FALSE(form.OnOK());
    EXPECT_EQ(Warning(2), Text(471));
    form.SetTitleText("T");
    EXPECT_FALSE(form.OnOK());
    EXPECT_EQ(Warning(3), Text(467));
    for (const char* notLocal : {"relative/folder", "\\\\server\\share", "C:\\help"}) {
        form.SetFolderText(notLocal);
        EXPECT_FALSE(form.OnOK()) << notLocal;
        EXPECT_EQ(prompt.messages.back().text, Text(468)) << notLocal;
    }
    EXPECT_EQ(form.GetNameText(), "n.mbk") << "the extension was added by the first complete name";
    EXPECT_EQ(prompt.messages.back().icon, Icon::Warning);
    EXPECT_EQ(prompt.messages.back().caption, Text(8));
}

TEST_F(NewProjectForm, NamesOfNoFileAndFoldersInThePlaceOfTheProjectAreRefused) {
    for (const char* name : {".", "..", "  ", " .mbk", ".hidden"}) {
        CDlgNewProject form = Form(name);
        EXPECT_FALSE(form.OnOK()) << name;
        EXPECT_NE(Warning(prompt.messages.size() - 1).find(name), std::string::npos)
            << Warning(prompt.messages.size() - 1);
    }
    folder.MakeFolder("taken.mbk");
    CDlgNewProject form = Form("taken");
    EXPECT_FALSE(form.OnOK());
    EXPECT_NE(Warning(prompt.messages.size() - 1).find("is a folder"), std::string::npos)
        << Warning(prompt.messages.size() - 1);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "taken.mbk"));
}

TEST_F(NewProjectForm, AMissingFolderIsCreatedOnlyWhenTheUserAgrees) {
    CDlgNewProject form = Form();
    std::string missing = folder / "a/b";
    form.SetFolderText(missing);
    prompt.answers = {Answer::No};
    EXPECT_FALSE(form.OnOK());
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(Warning(0), Text(469) + "\"" + missing + "\"");
    EXPECT_EQ(prompt.messages[0].buttons, Buttons::YesNo);

    prompt.answers = {Answer::Yes};
    EXPECT_TRUE(form.OnOK());
    EXPECT_TRUE(std::filesystem::is_directory(missing));
    EXPECT_EQ(form.GetResult().path, missing + "/help.mbk");
}

TEST_F(NewProjectForm, AnExistingProjectFileIsReplacedOnlyWhenTheUserAgrees) {
    std::string existing = folder.Write("help.mbk", "x");
    CDlgNewProject form = Form();
    prompt.answers = {Answer::No};
    EXPECT_FALSE(form.OnOK());
    EXPECT_EQ(Warning(0), Text(470) + "\n\n" + existing);
    prompt.answers = {Answer::Yes};
    EXPECT_TRUE(form.OnOK());
    EXPECT_EQ(form.GetResult().path, existing);
    EXPECT_EQ(TempTree::Read(existing), "x") << "the dialog writes nothing";
}

} // namespace
