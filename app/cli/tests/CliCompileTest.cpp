// The compile command run as a program: it never touches the user's own
// files, keeps the old help file unless a new one is complete, refuses a
// second compile of the same project, cleans up when interrupted, and
// compiles projects with any name.
#include "app/cli/tests/CliRun.h"
#include "baseutil/Process.h"
#include "baseutil/tests/support/TempTree.h"
#include "projectmodel/tests/HelpCompiler.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <thread>

using namespace mb::testing;
namespace fs = std::filesystem;

namespace {

std::set<std::string> NamesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        names.insert(fs::relative(entry.path(), folder).string());
    return names;
}

std::string Page(const std::string& title) {
    return "<html><head><title>" + title + "</title></head><body>" + title + "</body></html>";
}

std::string Entry(const std::string& name, const std::string& local) {
    return "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" + name +
           "\"><param name=\"Local\" value=\"" + local + "\"></OBJECT>\r\n";
}

std::string Sitemap(const std::string& entries) {
    return "<HTML><BODY><UL>\r\n" + entries + "</UL></BODY></HTML>\r\n";
}

class CliCompile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(OnPath("chmcmd") && OnPath("chmls"))
            << "chmcmd and chmls (fp-utils) are needed";
    }
    // A project p/guide.mbk with two pages, compiled once into p/guide.chm.
    void MakeCompiledProject() {
        tree.Write("p/a.htm", Page("Alpha"));
        tree.Write("p/b.htm", Page("Bravo"));
        mbk = tree / "p/guide.mbk";
        ASSERT_EQ(Cli({"new", mbk, "--add-folder", tree / "p"}).exitStatus, 0);
        auto compiled = Cli({"compile", mbk});
        ASSERT_EQ(compiled.exitStatus, 0) << compiled.output;
        chm = tree / "p/guide.chm";
        oldChm = TempTree::Read(chm);
        ASSERT_FALSE(oldChm.empty());
    }
    // A stand-in for chmcmd on PATH: it says that it runs (its process id
    // in tree/started), waits `seconds` and writes a help file that is none.
    std::string SlowCompilerPath(int seconds) {
        std::string script =
            tree.Write("bin/chmcmd",
                       "#!/bin/sh\n"
                       "echo $$ > \"$MB_STARTED.tmp\" && mv \"$MB_STARTED.tmp\" \"$MB_STARTED\"\n"
                       "sleep " +
                           std::to_string(seconds) +
                           "\n"
                           "out=$(sed -n 's/^Compiled file=//p' \"$3\" | tr -d '\\r')\n"
                           "printf 'not a help file' > \"$out\"\n");
        fs::permissions(script, fs::perms::owner_all);
        return "PATH=" + (tree / "bin") + ":" + std::getenv("PATH");
    }
    // Runs `script` under sh with $1 the tool, $2 the project and $3 the
    // file in which the stand-in compiler says that it runs.
    mb::RunResult Script(const std::string& path, const std::string& script) {
        return mb::RunAndCapture({"env", path, "MB_STARTED=" + (tree / "started"), "sh", "-c",
                                  "wait_started() { i=0; while [ ! -s \"$3\" ] && [ $i -lt 400 ]; "
                                  "do sleep 0.05; i=$((i+1)); done; }\n" +
                                      script,
                                  "sh", MB_CLI_PATH, mbk, tree / "started"});
    }

    TempTree tree;
    std::string mbk;
    std::string chm;
    std::string oldChm;
};

TEST_F(CliCompile, TheUsersOwnHelpProjectIsLeftAsItWas) {
    tree.Write("legacy/a.htm", Page("Alpha"));
    const std::string hhpText = "[OPTIONS]\r\n"
                                "Compiled file=legacy.chm\r\n"
                                "Contents file=legacy.hhc\r\n"
                                "Index file=legacy.hhk\r\n"
                                "Default topic=a.htm\r\n"
                                "Title=Legacy\r\n\r\n"
                                "[FILES]\r\na.htm\r\n";
    const std::string hhp = tree.Write("legacy/legacy.hhp", hhpText);
    // The contents also lead into a help file outside the project folder.
    const std::string hhcText =
        Sitemap(Entry("Alpha", "a.htm") + Entry("Shared", "..\\shared\\common.chm::/s.htm"));
    const std::string hhkText = Sitemap(Entry("alpha", "a.htm"));
    const std::string hhc = tree.Write("legacy/legacy.hhc", hhcText);
    const std::string hhk = tree.Write("legacy/legacy.hhk", hhkText);
    ASSERT_EQ(Cli({"import-hhp", hhp}).exitStatus, 0);
    const std::string project = tree / "legacy/legacy.mbk";

    for (bool keep : {false, true}) {
        std::vector<std::string> arguments{"compile", project};
        if (keep)
            arguments.push_back("--keep");
        auto compiled = Cli(arguments);
        ASSERT_EQ(compiled.exitStatus, 0) << compiled.output;
        EXPECT_TRUE(fs::exists(tree / "legacy/legacy.chm"));
        EXPECT_EQ(TempTree::Read(hhp), hhpText) << "keep " << keep;
        EXPECT_EQ(TempTree::Read(hhc), hhcText) << "keep " << keep;
        EXPECT_EQ(TempTree::Read(hhk), hhkText) << "keep " << keep;
        EXPECT_EQ(Contains(compiled.output,
                           "were kept: \"" + (tree / "legacy/.mb-compile-legacy/legacy.hhp")),
                  keep)
            << compiled.output;
        EXPECT_EQ(fs::exists(tree / "legacy/.mb-compile-legacy/legacy.hhc"), keep);
    }

    // The project copy inside names no folder of this machine; opened again
    // beside the help file, its paths are relative to the new project folder.
    auto opened = Cli({"open-chm", tree / "legacy/legacy.chm"});
    ASSERT_EQ(opened.exitStatus, 0) << opened.output;
    std::smatch reopened;
    ASSERT_TRUE(std::regex_search(opened.output, reopened, std::regex("project (/\\S+\\.mbk)")));
    std::string copy = TempTree::Read(reopened[1].str());
    EXPECT_EQ(copy.find(tree.Root()), std::string::npos) << copy;
    EXPECT_TRUE(Contains(copy, "Local=\"..\\shared\\common.chm::/s.htm\"")) << copy;
    EXPECT_TRUE(Contains(copy, "Local=\"a.htm\"")) << copy;
}

TEST_F(CliCompile, ProjectsWithNonAsciiNamesCompileAndOpenAgain) {
    for (const std::string name : {"справка", "my proj é"}) {
        tree.Write(name + "/a.htm", Page("Alpha"));
        std::string project = tree / (name + "/" + name + ".mbk");
        ASSERT_EQ(Cli({"new", project, "--add-folder", tree / name}).exitStatus, 0);
        auto compiled = Cli({"compile", project});
        ASSERT_EQ(compiled.exitStatus, 0) << compiled.output;
        std::string help = tree / (name + "/" + name + ".chm");
        std::vector<std::string> listed = ListedNames(help);
        EXPECT_NE(std::find(listed.begin(), listed.end(), "/a.htm"), listed.end()) << name;
        EXPECT_EQ(NamesIn(tree / name),
                  (std::set<std::string>{"a.htm", name + ".mbk", name + ".chm"}));

        auto opened = Cli({"open-chm", help});
        ASSERT_EQ(opened.exitStatus, 0) << opened.output;
        EXPECT_TRUE(Contains(opened.output, "/" + name + ".mbk\n")) << opened.output;
    }
}

TEST_F(CliCompile, ASecondCompileIsRefusedAndAFailedOneKeepsTheOldHelpFile) {
    MakeCompiledProject();
    std::set<std::string> before = NamesIn(tree / "p");
    auto run = Script(SlowCompilerPath(2), "\"$1\" compile \"$2\" > /dev/null 2>&1 &\n"
                                           "first=$!\n"
                                           "wait_started \"$@\"\n"
                                           "\"$1\" compile \"$2\" 2>&1; echo \"second=$?\"\n"
                                           "wait $first; echo \"first=$?\"\n");
    EXPECT_TRUE(Contains(run.output, "Another compile of this project is running")) << run.output;
    EXPECT_TRUE(Contains(run.output, "second=1")) << run.output;
    // The stand-in's help file is no help file: the first compile fails too.
    EXPECT_TRUE(Contains(run.output, "first=1")) << run.output;
    EXPECT_EQ(TempTree::Read(chm), oldChm);
    EXPECT_EQ(NamesIn(tree / "p"), before);
}

// Processes of the process group `group` that have not ended.
int LivingProcessesOf(int group) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::ifstream stat(entry.path() / "stat");
        std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
        size_t end = text.rfind(')');
        if (end == std::string::npos)
            continue;
        char state = 0;
        int parent = 0;
        int processGroup = 0;
        if (std::sscanf(text.c_str() + end + 1, " %c %d %d", &state, &parent, &processGroup) == 3 &&
            processGroup == group && state != 'Z')
            ++count;
    }
    return count;
}

TEST_F(CliCompile, AnInterruptedCompileEndsTheCompilerAndRemovesItsFiles) {
    MakeCompiledProject();
    std::set<std::string> before = NamesIn(tree / "p");
    for (const auto& [signal, status] : {std::pair{"INT", "130"}, std::pair{"TERM", "143"}}) {
        fs::remove(tree / "started");
        auto run = Script(SlowCompilerPath(30), "\"$1\" compile \"$2\" > /dev/null 2>&1 &\n"
                                                "pid=$!\n"
                                                "wait_started \"$@\"\n"
                                                "kill -" +
                                                    std::string(signal) +
                                                    " $pid\n"
                                                    "wait $pid; echo \"status=$?\"\n");
        EXPECT_TRUE(Contains(run.output, "status=" + std::string(status))) << run.output;
        int compiler = std::atoi(TempTree::Read(tree / "started").c_str());
        ASSERT_GT(compiler, 0);
        // Killed processes end when the system next schedules them.
        for (int i = 0; i < 100 && LivingProcessesOf(compiler) > 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(LivingProcessesOf(compiler), 0) << "the compiler (and its sleep) ran on";
        EXPECT_EQ(TempTree::Read(chm), oldChm);
        EXPECT_EQ(NamesIn(tree / "p"), before) << signal;
    }
}

TEST_F(CliCompile, ACompilerThatRunsPastTheTimeoutIsStopped) {
    MakeCompiledProject();
    std::set<std::string> before = NamesIn(tree / "p");
    auto started = std::chrono::steady_clock::now();
    auto run = Script(SlowCompilerPath(30), "\"$1\" compile \"$2\" --timeout 1 --quiet 2>&1\n"
                                            "echo \"status=$?\"\n");
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
    EXPECT_TRUE(Contains(run.output, "status=1")) << run.output;
    EXPECT_TRUE(Contains(run.output, "stopped after 1 second (--timeout); the old help file was "
                                     "kept"))
        << run.output;
    int compiler = std::atoi(TempTree::Read(tree / "started").c_str());
    ASSERT_GT(compiler, 0);
    for (int i = 0; i < 100 && LivingProcessesOf(compiler) > 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(LivingProcessesOf(compiler), 0) << "the compiler (and its sleep) ran on";
    EXPECT_EQ(TempTree::Read(chm), oldChm);
    EXPECT_EQ(NamesIn(tree / "p"), before);

    for (const char* bad : {"0", "-5", "ten", "1.5"}) {
        auto refused = Cli({"compile", mbk, "--timeout", bad});
        EXPECT_EQ(refused.exitStatus, 2) << bad;
        EXPECT_TRUE(Contains(refused.output, "--timeout takes a number of seconds")) << bad;
    }
}

TEST_F(CliCompile, AWriteFailureNamesItsReasonOnStandardErrorAlsoWhenQuiet) {
    MakeCompiledProject();
    std::set<std::string> before = NamesIn(tree / "p");
    // chmcmd is ended by SIGXFSZ past the limit, which the tool's own small
    // files stay below.
    auto run = mb::RunAndCapture({"sh", "-c",
                                  "prlimit --fsize=$(($3 / 2)) \"$1\" compile \"$2\" --quiet "
                                  "2>&1 >/dev/null; echo \"status=$?\"",
                                  "sh", MB_CLI_PATH, mbk, std::to_string(oldChm.size())});
    EXPECT_TRUE(Contains(run.output, "status=1")) << run.output;
    EXPECT_TRUE(Contains(run.output, "failed: chmcmd could not write the help file: File too "
                                     "large: the help file grew past the file-size limit of " +
                                         std::to_string(oldChm.size() / 2) + " bytes"))
        << run.output;
    EXPECT_TRUE(Contains(run.output, "the old help file was kept")) << run.output;
    EXPECT_EQ(TempTree::Read(chm), oldChm);
    EXPECT_EQ(NamesIn(tree / "p"), before);
}

} // namespace
