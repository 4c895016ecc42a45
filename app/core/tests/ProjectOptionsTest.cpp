#include "app/core/ProjectOptionsForm.h"
#include "app/core/WindowToggles.h"

#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "projectmodel/ProjectFile.h"

#include <gtest/gtest.h>

namespace mb {
namespace {

using testing::ScriptedPrompt;
using testing::TempTree;

class ProjectOptionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        project.SetProjectFolder(tree.Root());
        project.SetModified(0);
    }
    std::string Option(int index) const {
        std::string value;
        project.HHP_GetOptionsData(index, value);
        return value;
    }
    std::string WholeModel() {
        CXML hhp("HHP");
        project.GetHHPFile()->WriteXMLTree_Ver2(&hhp);
        std::string text;
        hhp.XMLWriteString(text);
        return text;
    }
    TempTree tree;
    CProjectFile project;
};

TEST_F(ProjectOptionsTest, PagesNeverShownOrLeftAsTheyWereWriteNothing) {
    CProjectOptionsForm form(project);
    for (int page = 0; page < CProjectOptionsForm::PageCount; ++page)
        form.Show(static_cast<CProjectOptionsForm::Page>(page));
    form.OnOK();
    EXPECT_FALSE(project.IsModified());

    CProjectOptionsForm unseen(project);
    unseen.buttons.buttons = 0;
    unseen.viewer.fullTextSearch = false;
    unseen.OnOK();
    EXPECT_FALSE(project.IsModified());
}

TEST_F(ProjectOptionsTest, GeneralPageResolvesTheTopicAndFillsAnEmptyErrorLog) {
    project.HHP_SetOptionsData(OPT_ERROR_LOG_FILE, "custom.log");
    const std::string before = WholeModel();
    CProjectOptionsForm form(project);
    form.Show(CProjectOptionsForm::General);
    EXPECT_EQ(form.general.defaultTopic, "");
    form.general.errorLogFile.clear();
    form.general.defaultTopic = "sub/intro.htm";
    form.OnOK();
    EXPECT_EQ(Option(OPT_ERROR_LOG_FILE), "compilelog.txt");
    EXPECT_EQ(Option(OPT_DEFAULT_TOPIC), tree.Root() + "/sub/intro.htm");
    std::string windowTopic;
    project.HHP_GetWindowsData(WIN_DEFAULT_FILE, windowTopic);
    EXPECT_EQ(windowTopic, tree.Root() + "/sub/intro.htm");
    EXPECT_NE(WholeModel(), before);

    // Shown again, the topic reads relative and, left alone, stays.
    CProjectOptionsForm again(project);
    again.Show(CProjectOptionsForm::General);
    EXPECT_EQ(again.general.defaultTopic, "sub\\intro.htm");
    project.SetModified(0);
    again.OnOK();
    EXPECT_FALSE(project.IsModified());

    // Emptied, it is empty, not the project folder.
    CProjectOptionsForm cleared(project);
    cleared.Show(CProjectOptionsForm::General);
    cleared.general.defaultTopic.clear();
    cleared.OnOK();
    EXPECT_EQ(Option(OPT_DEFAULT_TOPIC), "");
}

TEST_F(ProjectOptionsTest, ButtonsPageWritesFlagsAndTargets) {
    CProjectOptionsForm form(project);
    form.Show(CProjectOptionsForm::Buttons);
    form.buttons.buttons |= kButtonHome;
    form.buttons.home = "home.htm";
    form.buttons.jump1Text = "Site";
    form.OnOK();
    EXPECT_TRUE(project.HHP_GetButton(kButtonHome));
    std::string home, text;
    project.HHP_GetWindowsData(WIN_HOME_URL, home);
    project.HHP_GetWindowsData(WIN_JUMP1_TEXT, text);
    EXPECT_EQ(home, tree.Root() + "/home.htm");
    EXPECT_EQ(text, "Site");
}

TEST_F(ProjectOptionsTest, PrevNeedsABinaryContentsFileOrNothingChanges) {
    ScriptedPrompt prompt;
    prompt.answers = {Answer::No, Answer::Yes};
    project.SetChannels(&prompt.channels);
    EXPECT_EQ(ToggleWindowButton(project, kButtonPrev), ToggleOutcome::Declined);
    EXPECT_FALSE(project.HHP_GetButton(kButtonPrev));
    EXPECT_FALSE(project.IsModified());

    EXPECT_EQ(ToggleWindowButton(project, kButtonPrev), ToggleOutcome::Changed);
    EXPECT_TRUE(project.HHP_GetButton(kButtonPrev));
    int binaryToc = 0;
    project.HHP_GetOptionsData(OPT_BINARY_TOC, binaryToc);
    EXPECT_EQ(binaryToc, 1);
    // Off again without a question; Home asks for its target.
    EXPECT_EQ(ToggleWindowButton(project, kButtonPrev), ToggleOutcome::Changed);
    EXPECT_EQ(prompt.messages.size(), 2u);
    ASSERT_FALSE(project.HHP_GetButton(kButtonHome));
    EXPECT_EQ(ToggleWindowButton(project, kButtonHome), ToggleOutcome::NeedsTarget);
}

TEST_F(ProjectOptionsTest, ContentsStyleCommandsFlipTheirOwnSetting) {
    const uint32_t styles = project.Content_GetContentWindowStyle();
    EXPECT_TRUE(IsContentsStyleOn(project, 32825)); // lines, on by default
    ToggleContentsStyle(project, 32825);
    EXPECT_EQ(project.Content_GetContentWindowStyle(), styles & ~0x2u);
    EXPECT_TRUE(project.IsModified());

    EXPECT_TRUE(IsContentsStyleOn(project, 32935));
    ToggleContentsStyle(project, 32935);
    EXPECT_EQ(project.Content_GetImageType(), "");
    ToggleContentsStyle(project, 32834);
    EXPECT_TRUE(project.HHP_GetExtendedStyle(kExStyleRtlReading));
    EXPECT_FALSE(IsContentsStyleCommand(32833));
}

} // namespace
} // namespace mb
