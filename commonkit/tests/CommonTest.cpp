#include "commonkit/Common.h"
#include "baseutil/tests/support/RecordingDesktop.h"
#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "commonkit/StringTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

// Puts an empty help file beside the test program for one test, unless a
// real one is there already.
class HelpFileBesideProgram {
public:
    explicit HelpFileBesideProgram(const std::string& path) : m_path(path) {
        if (!fs::exists(m_path)) {
            std::ofstream(m_path).put('\0');
            m_created = true;
        }
    }
    ~HelpFileBesideProgram() {
        if (m_created)
            fs::remove(m_path);
    }

private:
    std::string m_path;
    bool m_created = false;
};

TEST(Common, HelpFileLiesBesideTheProgram) {
    fs::path program = CStrHelper::GetAppRunPathString();
    EXPECT_EQ(CCommon::GetHelpFilePath(), (program.parent_path() / "marrowbook.chm").string());
}

TEST(Common, HelpFileOfAnInstalledTreeIsInItsDataFolder) {
    mb::testing::TempTree tree;
    std::string bin = tree.MakeFolder("usr/bin");
    // A build tree or an unpacked folder: beside the program, there or not.
    EXPECT_EQ(CCommon::HelpFileFor(bin), bin + "/marrowbook.chm");

    tree.MakeFolder("usr/share/marrowbook");
    EXPECT_EQ(CCommon::HelpFileFor(bin), tree / "usr/share/marrowbook/marrowbook.chm");
    EXPECT_EQ(CCommon::HelpFileFor(bin + "/"), tree / "usr/share/marrowbook/marrowbook.chm");

    // One put beside the program comes first.
    tree.Write("usr/bin/marrowbook.chm", "ITSF");
    EXPECT_EQ(CCommon::HelpFileFor(bin), bin + "/marrowbook.chm");
}

// One test, so that no other test of this program sees the help file that
// it puts beside the program for a while.
TEST(Common, ShowHelpReportsAMissingFileAndOpensAnExistingOne) {
    std::string helpFile = CCommon::GetHelpFilePath();
    mb::testing::RecordingDesktop desktop;
    mb::testing::ScriptedPrompt prompt;
    std::string seenFile, seenTopic;
    const CCommon::HelpViewer viewer = [&](const std::string& f, const std::string& t) {
        seenFile = f;
        seenTopic = t;
        return true;
    };

    ASSERT_FALSE(fs::exists(helpFile));
    EXPECT_FALSE(CCommon::ShowHelp(viewer, desktop, prompt, "welcome.htm"));
    EXPECT_EQ(seenFile, "") << "no viewer for a missing file";
    EXPECT_TRUE(desktop.opened.empty());
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text,
              CStrHelper::ML_GetStringEx(kStrHelpFileMissing) + "\n\n" + helpFile);
    EXPECT_EQ(prompt.messages[0].caption, "Marrowbook");
    EXPECT_EQ(prompt.messages[0].icon, mb::Icon::Warning);
    prompt.messages.clear();

    HelpFileBesideProgram file(helpFile);
    EXPECT_TRUE(CCommon::ShowHelp({}, desktop, prompt, "prj10.htm#ROOTDIR"));
    EXPECT_EQ(desktop.opened, std::vector<std::string>{helpFile});

    EXPECT_TRUE(CCommon::ShowHelp(viewer, desktop, prompt, "dropfilefilter.htm"));
    EXPECT_EQ(seenFile, helpFile);
    EXPECT_EQ(seenTopic, "dropfilefilter.htm");
    EXPECT_EQ(desktop.opened.size(), 1u) << "the viewer, not the desktop";
    EXPECT_TRUE(prompt.messages.empty());
}

} // namespace
