#include "baseutil/Process.h"
#include "baseutil/tests/support/TempTree.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

// Waits (bounded) until a file written by a detached child has content.
std::string WaitForContent(const std::string& path) {
    for (int i = 0; i < 500; ++i) {
        std::string text = mb::testing::TempTree::Read(path);
        if (!text.empty() && text.back() == '\n')
            return text;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return {};
}

TEST(RunAndCapture, OutputAndExitStatus) {
    mb::RunResult result = mb::RunAndCapture({"sh", "-c", "printf 'one\\ntwo'; exit 3"});
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.output, "one\ntwo");
    EXPECT_EQ(result.exitStatus, 3);

    mb::RunResult killed = mb::RunAndCapture({"sh", "-c", "kill -TERM $$"});
    EXPECT_TRUE(killed.started);
    EXPECT_EQ(killed.exitStatus, 128 + 15);
}

TEST(RunAndCapture, ArgumentsReachTheProgramVerbatim) {
    mb::RunResult result = mb::RunAndCapture({"printf", "[%s]", "a b", "$HOME", ";", "*", ""});
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.output, "[a b][$HOME][;][*][]");
}

TEST(RunAndCapture, OutputLargerThanAPipeBufferAndClosedInput) {
    mb::RunResult big = mb::RunAndCapture({"head", "-c", "300000", "/dev/zero"});
    ASSERT_TRUE(big.started);
    EXPECT_EQ(big.exitStatus, 0);
    EXPECT_EQ(big.output.size(), 300000u);

    // cat reads standard input: it must see end of file at once, not wait.
    mb::RunResult cat = mb::RunAndCapture({"cat"});
    EXPECT_EQ(cat.exitStatus, 0);
    EXPECT_EQ(cat.output, "");
}

TEST(RunAndCapture, ProgramThatCannotStart) {
    mb::RunResult missing = mb::RunAndCapture({"mb-no-such-program-here", "x"});
    EXPECT_FALSE(missing.started);
    EXPECT_NE(missing.error.find("mb-no-such-program-here"), std::string::npos);

    mb::RunResult empty = mb::RunAndCapture({});
    EXPECT_FALSE(empty.started);
    EXPECT_FALSE(empty.error.empty());

    mb::testing::TempTree tree;
    std::string notExecutable = tree.Write("plain.txt", "echo hi\n");
    EXPECT_FALSE(mb::RunAndCapture({notExecutable}).started);
}

TEST(StartDetached, RunsWithoutWaitingAndReportsFailure) {
    mb::testing::TempTree tree;
    std::string out = tree / "out.txt";
    std::string error;
    ASSERT_TRUE(mb::StartDetached({"sh", "-c", "echo \"$0\" > \"$1\"", "started", out}, &error))
        << error;
    EXPECT_EQ(WaitForContent(out), "started\n");

    EXPECT_FALSE(mb::StartDetached({"mb-no-such-program-here"}, &error));
    EXPECT_NE(error.find("mb-no-such-program-here"), std::string::npos);
    EXPECT_FALSE(mb::StartDetached({}, &error));
}

} // namespace
