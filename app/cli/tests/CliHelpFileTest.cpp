// The tool on help files that are damaged, hostile or large: reasons on
// standard error, no desktop program started, terminal-safe and linear
// listing, and files that are whole under their names when a signal stops
// the work.
#include "app/cli/tests/CliRun.h"
#include "baseutil/tests/support/TempTree.h"
#include "compiledhelp/tests/support/GuideProject.h"
#include "projectmodel/tests/HelpCompiler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <map>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace mb::testing;
namespace fs = std::filesystem;

namespace {

// Compiles the pages (name -> text) into folder/help.chm with chmcmd; with
// `contents` the project has a contents file listing them.
std::string Compile(const TempTree& tree, const std::string& folder,
                    const std::map<std::string, std::string>& pages, bool contents) {
    std::string hhp = "[OPTIONS]\r\nCompiled file=help.chm\r\nTitle=Help\r\n";
    std::string hhc = "<HTML><BODY><UL>";
    std::string files;
    for (const auto& [name, text] : pages) {
        tree.Write(folder + "/" + name, text);
        files += name + "\r\n";
        hhc += "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" + name +
               "\"><param name=\"Local\" value=\"" + name + "\"></OBJECT>";
    }
    if (contents) {
        hhp += "Contents file=help.hhc\r\n";
        tree.Write(folder + "/help.hhc", hhc + "</UL></BODY></HTML>");
    }
    tree.Write(folder + "/help.hhp", hhp + "\r\n[FILES]\r\n" + files);
    auto compiled = CompileHelp(tree / folder, "help.hhp");
    std::string chm = tree / (folder + "/help.chm");
    if (!fs::exists(chm))
        ADD_FAILURE() << compiled.output;
    return chm;
}

class CliHelpFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(OnPath("chmcmd") && OnPath("chmls")) << "chmcmd and chmls (fp-utils)";
    }
    TempTree tree;
};

// With --quiet as without it, every failure says why on standard error; a
// failed Open CHM leaves no folder behind.
TEST_F(CliHelpFile, FailuresSayWhyOnStandardErrorAlsoWhenQuiet) {
    std::string chm = Compile(
        tree, "help", {{"a.htm", Page("A", LongText(60000, 1))}, {"b.htm", Page("B")}}, true);
    InflateStreamLength(chm, "/a.htm");
    const std::string reason = "/a.htm(";
    const std::string why = "cannot be read from the help file: ";
    for (std::vector<std::string> arguments :
         {std::vector<std::string>{"--quiet", "decompile", chm, "--output", tree / "out"},
          {"--quiet", "handheld", chm, "--output", tree / "small"},
          {"--quiet", "open-chm", chm}}) {
        auto result = CliErrors(arguments);
        EXPECT_EQ(result.exitStatus, 1) << arguments[1];
        EXPECT_TRUE(Contains(result.output, reason) && Contains(result.output, why))
            << arguments[1] << ": " << result.output;
    }
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(tree / "help"))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left.size(), 5u) << "the pages, the project files and the help file only";
}

// Open CHM of a help file without contents decompiles it (when told yes)
// and prints the folder; it starts no file manager.
TEST_F(CliHelpFile, NoDesktopProgramIsStartedAndTheFolderIsPrinted) {
    std::string chm = Compile(tree, "help", {{"a.htm", Page("A")}}, false);
    std::string marker = tree / "started";
    tree.Write("bin/xdg-open", "#!/bin/sh\necho \"$@\" >> '" + marker + "'\n");
    fs::permissions(tree / "bin/xdg-open", fs::perms::owner_all);
    auto result = mb::RunAndCapture({"sh", "-c", "PATH=\"$0:$PATH\" exec \"$@\" 2>&1", tree / "bin",
                                     MB_CLI_PATH, "--yes", "open-chm", chm});
    EXPECT_EQ(result.exitStatus, 1) << "no project was made";
    std::smatch seen;
    ASSERT_TRUE(std::regex_search(result.output, seen, std::regex("\nsee (/\\S+_decompile_\\S+)")))
        << result.output;
    EXPECT_TRUE(fs::exists(seen[1].str() + "/a.htm"));
    EXPECT_FALSE(fs::exists(marker));
}

// Names inside a help file reach the terminal with their control
// characters escaped, sizes as chmls gives them.
TEST_F(CliHelpFile, ListPrintsControlCharactersEscaped) {
    std::string chm = Compile(tree, "help", {{"title.htm", Page("T")}}, false);
    PatchBytes(chm, "/title.htm", "/\x1b[31mred!");
    auto listed = Cli({"list", chm});
    ASSERT_EQ(listed.exitStatus, 0) << listed.output;
    EXPECT_EQ(listed.output.find('\x1b'), std::string::npos);
    std::string size = std::to_string(Page("T").size());
    EXPECT_TRUE(Contains(listed.output, size + "  /\\x1b[31mred!\n")) << listed.output;
}

// Listing takes time in proportion to the number of streams: 20,000 of
// them take a fraction of a second, where a listing that searched the file
// for each stream took many seconds.
TEST_F(CliHelpFile, ListingManyStreamsTakesLinearTime) {
    constexpr int kStreams = 20000;
    std::string files;
    for (int n = 0; n < kStreams; ++n) {
        tree.Write("many/p" + std::to_string(n) + ".htm", "<p>" + std::to_string(n) + "</p>");
        files += "p" + std::to_string(n) + ".htm\n";
    }
    tree.Write("many/many.hhp", "[OPTIONS]\nCompiled file=many.chm\n\n[FILES]\n" + files);
    mb::RunAndCapture(
        {"sh", "-c", "cd \"$0\" && exec chmcmd --no-html-scan many.hhp >/dev/null", tree / "many"});
    ASSERT_TRUE(fs::exists(tree / "many/many.chm"));

    rusage before{};
    getrusage(RUSAGE_CHILDREN, &before);
    auto listed = mb::RunAndCapture({MB_CLI_PATH, "list", tree / "many/many.chm"});
    rusage after{};
    getrusage(RUSAGE_CHILDREN, &after);
    ASSERT_EQ(listed.exitStatus, 0);
    auto streams = ChmlsList(tree / "many/many.chm");
    EXPECT_EQ(std::count(listed.output.begin(), listed.output.end(), '\n'),
              std::count_if(streams.begin(), streams.end(), [](const ChmlsEntry& entry) {
                  return !IsSystemPath(entry.name.substr(1));
              }));
    double seconds = (after.ru_utime.tv_sec - before.ru_utime.tv_sec) +
                     (after.ru_utime.tv_usec - before.ru_utime.tv_usec) / 1e6;
    EXPECT_LT(seconds, 2.0) << "processor time of the listing";
}

// Starts the tool with standard output and error going to `log`.
pid_t StartCli(const std::vector<std::string>& arguments, const std::string& log) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    std::vector<std::string> all = {MB_CLI_PATH};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : all)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, MB_CLI_PATH, &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Waits until a file is created in `folder` (watched by `watch`).
bool WaitForNewFile(int watch) {
    pollfd ready{watch, POLLIN, 0};
    return poll(&ready, 1, 20000) == 1;
}

// A signal in the middle of writing a page: the page is not there under its
// name (nor, unless the signal was SIGKILL, under a temporary one), the tool
// says what it did and ends by that signal.
TEST_F(CliHelpFile, AStoppedDecompileLeavesOnlyWholeFiles) {
    const std::string big = LongText(4 << 20, 7);
    std::string chm = Compile(tree, "help", {{"big.htm", big}}, false);
    const auto reference = ChmlsExtractAll(chm, tree / "reference");
    for (int signal : {SIGINT, SIGTERM, SIGKILL}) {
        SCOPED_TRACE(strsignal(signal));
        std::string out = tree.MakeFolder("out" + std::to_string(signal));
        int watch = inotify_init1(IN_CLOEXEC);
        ASSERT_GE(inotify_add_watch(watch, out.c_str(), IN_CREATE), 0);
        std::string log = tree / ("log" + std::to_string(signal));
        pid_t pid = StartCli({"decompile", chm, "--output", out}, log);
        ASSERT_GT(pid, 0);
        bool created = WaitForNewFile(watch);
        kill(pid, SIGSTOP);
        close(watch);
        if (!created)
            kill(pid, SIGKILL);
        ASSERT_TRUE(created);
        kill(pid, signal);
        kill(pid, SIGCONT);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status)) << TempTree::Read(log);
        EXPECT_EQ(WTERMSIG(status), signal);

        for (const auto& entry : fs::directory_iterator(out)) {
            std::string name = entry.path().filename().string();
            // Nothing can clean up after SIGKILL: a temporary file may stay.
            if (signal == SIGKILL && name[0] == '.')
                continue;
            ASSERT_TRUE(reference.count(name)) << name;
            EXPECT_EQ(TempTree::Read(entry.path().string()), reference.at(name)) << name;
        }
        if (signal == SIGKILL)
            continue;
        EXPECT_TRUE(Contains(TempTree::Read(log), "stopped by signal " + std::to_string(signal) +
                                                      ": the file being written was removed"))
            << TempTree::Read(log);
    }
}

} // namespace
