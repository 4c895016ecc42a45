#include "baseutil/Console.h"
#include "baseutil/tests/support/TempTree.h"

#include <gtest/gtest.h>

using mb::testing::TempTree;

namespace {

TEST(Console, OpensOnceAndOnlyWhereThereIsATerminal) {
    CConsole missing("/nonexistent-folder/tty");
    EXPECT_FALSE(missing.Create("title"));
    EXPECT_EQ(missing.GetHandle(), -1);
    missing.Output("not written %d", 1); // nothing to write to: no effect

    TempTree tree;
    std::string device = tree.Write("tty", "");
    CConsole console(device);
    ASSERT_TRUE(console.Create());
    EXPECT_GE(console.GetHandle(), 0);
    EXPECT_FALSE(console.Create());
    EXPECT_TRUE(console.Show(false));
    EXPECT_TRUE(console.DisableClose());
    console.Close();
    EXPECT_EQ(console.GetHandle(), -1);
    EXPECT_TRUE(console.Create());
}

TEST(Console, OutputIsFormattedAndCutToItsBuffer) {
    TempTree tree;
    std::string device = tree.Write("tty", "");
    {
        CConsole console(device);
        ASSERT_TRUE(console.Create());
        console.Output("%s=%d;", "files", 12);
        console.Output();
        console.Output(nullptr);
        console.Output("%s", std::string(300, 'x').c_str());
    }
    EXPECT_EQ(TempTree::Read(device), "files=12;\n\n" + std::string(255, 'x'));
}

TEST(Console, ColoursFollowTheConsoleAttributes) {
    // Zero stands for light grey on black.
    EXPECT_EQ(CConsole::ColorSequence(0), "\x1b[0;37;40m");
    EXPECT_EQ(CConsole::ColorSequence(0x07), "\x1b[0;37;40m");
    // Console blue (1) and red (4) are ANSI blue (4) and red (1).
    EXPECT_EQ(CConsole::ColorSequence(0x01), "\x1b[0;34;40m");
    EXPECT_EQ(CConsole::ColorSequence(0x0C), "\x1b[0;91;40m");
    // Bright yellow (red + green + intensity) on bright blue.
    EXPECT_EQ(CConsole::ColorSequence(0x9E), "\x1b[0;93;104m");
    // Cyan (blue + green) on red.
    EXPECT_EQ(CConsole::ColorSequence(0x43), "\x1b[0;36;41m");

    TempTree tree;
    std::string device = tree.Write("tty", "");
    {
        CConsole console(device);
        ASSERT_TRUE(console.Create());
        console.Color(0x0C);
        console.Clear();
    }
    EXPECT_EQ(TempTree::Read(device), "\x1b[0;91;40m\x1b[2J\x1b[H");
}

TEST(Console, TitleIsKeptWithoutControlCharacters) {
    TempTree tree;
    std::string device = tree.Write("tty", "");
    {
        CConsole console(device);
        ASSERT_TRUE(console.Create("Build \x07log\x1b]0;x"));
        // A bell or escape in the title would end the sequence early.
        EXPECT_EQ(console.GetTitle(), "Build log]0;x");
        console.SetTitle(std::string(300, 't').c_str());
        EXPECT_EQ(console.GetTitle(), std::string(256, 't'));
    }
    EXPECT_EQ(TempTree::Read(device),
              "\x1b]0;Build log]0;x\x07\x1b]0;" + std::string(256, 't') + "\x07");
}

} // namespace
