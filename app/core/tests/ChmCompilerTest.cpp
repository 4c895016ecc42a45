// The compiler call runs the real chmcmd (scripts/deps.sh installs it); the
// tests that need it fail where it is missing.

#include "app/core/ChmCompiler.h"
#include "baseutil/Process.h"
#include "baseutil/tests/support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <thread>

using mb::testing::TempTree;

namespace {

// What the callbacks of a compile received.
struct Received {
    std::string log;
    std::vector<std::string> files;
    int stopAt = -1; // the progress callback returns false for this file number

    // Compiles `hhpPath` with callbacks that record here.
    mb::CompileOutcome Run(const char* hhpPath) {
        auto logged = [this](const char* text) { log += text; };
        auto taken = [this](const char* fileName) {
            files.emplace_back(fileName);
            return static_cast<int>(files.size()) != stopAt;
        };
        return mb::CompileHelpProject(hhpPath, logged, taken);
    }
    // 1 when the help file was made.
    int Compile(const std::string& hhp) { return Run(hhp.c_str()).made ? 1 : 0; }
};

bool OnPath(const std::string& program) {
    mb::RunResult found = mb::RunAndCapture({"sh", "-c", "command -v \"$1\"", "sh", program});
    return found.started && found.exitStatus == 0;
}

bool HasCompiler() {
    return OnPath("chmcmd") && OnPath("chmls");
}

std::string Page(const std::string& title) {
    return "<html><head><title>" + title + "</title></head><body>" + title + " text</body></html>";
}

std::string Sitemap(const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string text = "<HTML><BODY><UL>\r\n";
    for (const auto& [name, local] : entries)
        text += "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" + name +
                "\"><param name=\"Local\" value=\"" + local + "\"></OBJECT>\r\n";
    return text + "</UL></BODY></HTML>\r\n";
}

// A small project in `folder` of `tree`: three pages, contents, index and the
// encoded project copy; `extra` goes at the end of the [OPTIONS], `files`
// are added to the [FILES]. Returns the project file's path.
std::string WriteProject(const TempTree& tree, const std::string& folder, const std::string& hhp,
                         const std::string& extra = "", const std::string& files = "") {
    tree.Write(folder + "/a.htm", Page("Alpha"));
    tree.Write(folder + "/sub/b.htm", Page("Bravo"));
    tree.Write(folder + "/sub/c.htm", Page("Charlie"));
    tree.Write(folder + "/guide.hhc", Sitemap({{"Alpha", "a.htm"}, {"Bravo", "sub\\b.htm"}}));
    tree.Write(folder + "/guide.hhk", Sitemap({{"alpha", "a.htm"}}));
    tree.Write(folder + "/Guide.MbkMbk", "encoded project");
    return tree.Write(folder + "/" + hhp, "[OPTIONS]\r\n"
                                          "Compiled file=guide.chm\r\n"
                                          "Contents file=guide.hhc\r\n"
                                          "Index file=guide.hhk\r\n"
                                          "Default topic=a.htm\r\n"
                                          "Title=Guide\r\n"
                                          "Full-text search=Yes\r\n" +
                                              extra +
                                              "\r\n[FILES]\r\n"
                                              "a.htm\r\n"
                                              "sub\\b.htm\r\n"
                                              "sub\\c.htm\r\n"
                                              "Guide.MbkMbk\r\n" +
                                              files);
}

std::vector<std::string> ListedNames(const std::string& chm) {
    mb::RunResult listed =
        mb::RunAndCapture({"sh", "-c", "exec chmls -n list \"$1\" 2>/dev/null", "sh", chm});
    std::vector<std::string> names;
    std::istringstream lines(listed.output);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line[0] == '/')
            names.push_back(line);
    }
    return names;
}

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// Processes that run in `folder` (a compiler left behind would).
int ProcessesIn(const std::string& folder) {
    int count = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
        std::error_code linkError;
        auto cwd = std::filesystem::read_symlink(entry.path() / "cwd", linkError);
        if (!linkError && cwd == std::filesystem::path(folder))
            ++count;
    }
    return count;
}

// Processes in `folder` once the killed ones have had time to go: a killed
// process ends when the system next schedules it.
int ProcessesLeftIn(const std::string& folder) {
    for (int i = 0; i < 500 && ProcessesIn(folder) > 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return ProcessesIn(folder);
}

class HhaCompile : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HasCompiler())
            FAIL() << "chmcmd and chmls (Debian package fp-utils) are not installed";
    }
    TempTree tree;
    Received received;
};

TEST_F(HhaCompile, MakesTheHelpFileAndReportsEveryFileTakenIn) {
    // Blanks, quotes and shell characters in both the folder and the file
    // name, and a name that looks like an option.
    const std::string folder = "odd 'dir' $HOME `x`";
    std::string hhp = WriteProject(tree, folder, "-it's a \"guide\" $(true).hhp");

    EXPECT_EQ(received.Compile(hhp), 1) << received.log;
    std::string chm = tree / (folder + "/guide.chm");
    ASSERT_TRUE(std::filesystem::exists(chm)) << received.log;
    std::vector<std::string> names = ListedNames(chm);
    for (const char* name : {"/a.htm", "/sub/b.htm", "/sub/c.htm", "/Guide.MbkMbk"})
        EXPECT_TRUE(Contains(names, name)) << name;

    // Every page, the contents and the index, in the compiler's naming; the
    // encoded project copy never.
    for (const char* name : {"a.htm", "sub/b.htm", "sub/c.htm", "guide.hhc", "guide.hhk"})
        EXPECT_TRUE(Contains(received.files, name)) << name;
    for (const std::string& name : received.files)
        EXPECT_EQ(name.find(".MbkMbk"), std::string::npos) << name;

    EXPECT_NE(received.log.find("Writing CHM guide.chm"), std::string::npos) << received.log;
}

TEST_F(HhaCompile, StopFromTheProgressCallbackEndsTheCompiler) {
    std::string hhp = WriteProject(tree, "p", "guide.hhp");
    ASSERT_EQ(received.Compile(hhp), 1);
    std::string chm = tree / "p/guide.chm";
    std::string earlier = TempTree::Read(chm);

    received = Received();
    received.stopAt = 1;
    EXPECT_EQ(received.Compile(hhp), 0);
    // No file is reported after the one that stopped the compile.
    EXPECT_EQ(received.files.size(), 1u);
    EXPECT_NE(received.log.find("The compile was stopped"), std::string::npos) << received.log;
    EXPECT_EQ(ProcessesLeftIn(tree / "p"), 0);
    // chmcmd's output comes in blocks, so it may have begun to write the help
    // file when the stop reaches it: then the broken file is gone, otherwise
    // the earlier one is left as it was.
    if (std::filesystem::exists(chm))
        EXPECT_TRUE(TempTree::Read(chm) == earlier);
    else
        EXPECT_NE(received.log.find("was removed"), std::string::npos) << received.log;
}

TEST_F(HhaCompile, CrashOfTheCompilerIsAFailureAndLeavesNoBrokenFile) {
    // chmcmd creates the help file, then dies on the missing page; leaving
    // out the full-text search would not help, so it is not tried.
    std::string hhp = WriteProject(tree, "p", "guide.hhp", "", "missing.htm\r\n");
    EXPECT_EQ(received.Compile(hhp), 0);
    EXPECT_NE(received.log.find("The compiler stopped with exit code 217: chmcmd crashed "
                                "because it could not find files that the project lists: "
                                "missing.htm."),
              std::string::npos)
        << received.log;
    EXPECT_EQ(received.log.find("without full-text search"), std::string::npos);
    EXPECT_NE(received.log.find("was removed"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(tree / "p/guide.chm"));
    EXPECT_FALSE(Contains(received.files, "missing.htm"));
}

TEST_F(HhaCompile, LinksToMissingAnchorsAndPagesAreWarningsAndTheHelpFileIsKept) {
    std::string hhp = WriteProject(tree, "p", "guide.hhp");
    tree.Write("p/sub/c.htm", "<html><head><title>C</title></head><body>"
                              "<a href=\"../a.htm#nowhere\">x</a> <a href=\"b.htm#gone\">y</a>"
                              " <a href=\"lost.htm\">z</a></body></html>");
    EXPECT_EQ(received.Compile(hhp), 1) << received.log;
    EXPECT_NE(received.log.find("Error: Anchor"), std::string::npos) << received.log;
    EXPECT_NE(received.log.find("\n3 warnings: links to missing anchors or pages"),
              std::string::npos)
        << received.log;
    EXPECT_TRUE(Contains(ListedNames(tree / "p/guide.chm"), "/sub/c.htm"));
}

TEST_F(HhaCompile, ACrashOnPagesWithoutWordsGivesAHelpFileWithoutFullTextSearch) {
    // chmcmd's indexer dies when no page has title text or body text.
    tree.Write("p/empty.htm", "<html><head></head><body> </body></html>");
    tree.Write("p/sub/bare.htm", "");
    tree.Write("p/pic.gif", "GIF89a");
    std::string hhp = tree.Write("p/guide.hhp", "[OPTIONS]\r\nCompiled file=guide.chm\r\n"
                                                "Title=Guide\r\nFull-text search=Yes\r\n\r\n"
                                                "[FILES]\r\nempty.htm\r\nsub\\bare.htm\r\n"
                                                "pic.gif\r\n");
    EXPECT_EQ(received.Compile(hhp), 1) << received.log;
    EXPECT_NE(received.log.find("The compiler crashed (exit code 217); compiling again "
                                "without full-text search."),
              std::string::npos)
        << received.log;
    EXPECT_NE(received.log.find("Full-text search was left out: chmcmd cannot build it when "
                                "no page has a title or any text (empty.htm, "
                                "sub\\bare.htm)."),
              std::string::npos)
        << received.log;
    std::vector<std::string> names = ListedNames(tree / "p/guide.chm");
    EXPECT_TRUE(Contains(names, "/empty.htm"));
    EXPECT_TRUE(Contains(names, "/sub/bare.htm"));
    EXPECT_FALSE(Contains(names, "/$FIftiMain"));
    for (const auto& entry : std::filesystem::directory_iterator(tree / "p"))
        EXPECT_NE(entry.path().filename().string().rfind(".mb-", 0), 0u) << entry.path();
}

TEST_F(HhaCompile, RefusedProjectKeepsTheEarlierHelpFile) {
    std::string hhp = WriteProject(tree, "p", "guide.hhp");
    ASSERT_EQ(HHA_CompileHHP(hhp.c_str(), nullptr, nullptr, 0), 1);
    std::string earlier = TempTree::Read(tree / "p/guide.chm");

    // A context id without a topic: chmcmd refuses the project at once.
    tree.Write("p/ids.h", "#define IDH_ONE 1\r\n#define IDH_TWO 2\r\n");
    tree.Write("p/guide.hhp", TempTree::Read(hhp) + "\r\n[MAP]\r\n#include ids.h\r\n\r\n"
                                                    "[ALIAS]\r\nIDH_ONE=a.htm\r\n");
    received = Received();
    EXPECT_EQ(received.Compile(hhp), 0);
    EXPECT_NE(received.log.find("exit code 1."), std::string::npos) << received.log;
    EXPECT_EQ(received.log.find("was removed"), std::string::npos);
    EXPECT_EQ(TempTree::Read(tree / "p/guide.chm"), earlier);
}

TEST_F(HhaCompile, ErrorsWithoutFailureAreNotASuccess) {
    // chmcmd makes the help file without the missing contents, exit code 0.
    std::string hhp = WriteProject(tree, "p", "guide.hhp");
    std::filesystem::remove(tree / "p/guide.hhc");
    EXPECT_EQ(received.Compile(hhp), 0);
    EXPECT_NE(received.log.find("may be incomplete"), std::string::npos) << received.log;
    EXPECT_TRUE(std::filesystem::exists(tree / "p/guide.chm"));
}

// PATH for one test, restored afterwards.
class PathOverride {
public:
    explicit PathOverride(const char* value) {
        if (const char* old = std::getenv("PATH"))
            m_old = old;
        setenv("PATH", value, 1);
    }
    ~PathOverride() {
        if (m_old)
            setenv("PATH", m_old->c_str(), 1);
        else
            unsetenv("PATH");
    }

private:
    std::optional<std::string> m_old;
};

TEST(HhaCompileWithoutCompiler, FailsWithTheInstallHint) {
    Received received;
    TempTree tree;
    std::string hhp = WriteProject(tree, "p", "guide.hhp");
    {
        PathOverride empty("");
        EXPECT_EQ(received.Compile(hhp), 0);
    }
    EXPECT_NE(received.log.find("chmcmd"), std::string::npos) << received.log;
    EXPECT_NE(received.log.find("sudo apt-get install fp-utils"), std::string::npos);
    EXPECT_TRUE(received.files.empty());
    EXPECT_FALSE(std::filesystem::exists(tree / "p/guide.chm"));

    // Only executable files count as the compiler.
    tree.Write("bin/chmcmd", "#!/bin/sh\nexit 0\n");
    received = Received();
    {
        PathOverride fake((tree / "bin").c_str());
        EXPECT_EQ(received.Compile(hhp), 0);
    }
    EXPECT_NE(received.log.find("fp-utils"), std::string::npos) << received.log;
}

// A stand-in for chmcmd that says where and how it was run, names 500
// files the way chmcmd does (the output crosses many pieces of the pipe's
// reading) and writes the help file (a bare header).
TEST(HhaCompileWithoutCompiler, OutputIsReadLineByLine) {
    Received received;
    TempTree tree;
    std::string compiler = tree.Write(
        "bin/chmcmd", "#!/bin/sh\n"
                      "echo \"in $PWD with $*\"\n"
                      "i=0\n"
                      "while [ $i -lt 500 ]; do\n"
                      "  i=$((i+1)); echo \"Note: Scanning file p$i.htm.\"\n"
                      "done\n"
                      "echo 'Note: Not scanning file because of unknown "
                      "extension x.MBKMBK'\n"
                      "{ printf 'ITSF'; i=0; while [ $i -lt 23 ]; do\n"
                      "  printf '\\000\\000\\000\\000'; i=$((i+1)); done; } > out.chm\n");
    std::filesystem::permissions(compiler, std::filesystem::perms::owner_all);
    std::string hhp = tree.Write("my project/x.hhp", "[OPTIONS]\ncompiled file=out.chm\n");
    {
        PathOverride fake((tree / "bin").c_str());
        EXPECT_EQ(received.Compile(hhp), 1) << received.log;
    }
    EXPECT_EQ(received.log.find("in " + (tree / "my project") + " with --verbosity 5 x.hhp\n"), 0u)
        << received.log;
    ASSERT_EQ(received.files.size(), 500u);
    for (int i = 0; i < 500; ++i)
        EXPECT_EQ(received.files[i], "p" + std::to_string(i + 1) + ".htm");
    EXPECT_EQ(TempTree::Read(tree / "my project/out.chm").substr(0, 4), "ITSF");
}

// A stand-in for chmcmd that crashes as chmcmd does (an unhandled exception,
// exit code 217) the first `crashes` times it runs, and then writes the help
// file (a bare header); it notes the arguments of each run. Only the
// shell's own commands are on its PATH.
TEST(HhaCompileWithoutCompiler, AnUnexplainedCrashIsCompiledOnceMoreUnchanged) {
    for (int crashes : {1, 2}) {
        Received received;
        TempTree tree;
        std::string runs = tree / "runs.txt";
        std::string compiler = tree.Write(
            "bin/chmcmd", "#!/bin/sh\n"
                          "echo \"$*\" >> '" +
                              runs +
                              "'\n"
                              "echo 'Writing CHM guide.chm'\n"
                              "n=0; while read -r line; do n=$((n+1)); done < '" +
                              runs +
                              "'\n"
                              "if [ $n -le " +
                              std::to_string(crashes) +
                              " ]; then\n"
                              "  echo 'An unhandled exception occurred at $0000000000417F01:'\n"
                              "  echo 'EAccessViolation: Access violation'\n"
                              "  echo '  $0000000000417F01'\n"
                              "  exit 217\n"
                              "fi\n"
                              "{ printf 'ITSF'; i=0; while [ $i -lt 23 ]; do\n"
                              "  printf '\\000\\000\\000\\000'; i=$((i+1)); done; } > guide.chm\n");
        std::filesystem::permissions(compiler, std::filesystem::perms::owner_all);
        std::string hhp = WriteProject(tree, "p", "guide.hhp");
        mb::CompileOutcome outcome;
        {
            PathOverride fake((tree / "bin").c_str());
            outcome = received.Run(hhp.c_str());
        }
        EXPECT_NE(received.log.find("The compiler crashed (exit code 217); compiling once more, "
                                    "unchanged."),
                  std::string::npos)
            << received.log;
        EXPECT_EQ(received.log.find("without full-text search"), std::string::npos);
        EXPECT_EQ(TempTree::Read(runs), "--verbosity 5 guide.hhp\n--verbosity 5 guide.hhp\n");
        if (crashes == 1) {
            EXPECT_TRUE(outcome.made) << outcome.failure;
        } else {
            EXPECT_FALSE(outcome.made);
            EXPECT_NE(outcome.failure.find("crashed again"), std::string::npos) << outcome.failure;
            EXPECT_NE(outcome.failure.find("EAccessViolation: Access violation\n  "
                                           "$0000000000417F01"),
                      std::string::npos)
                << outcome.failure;
            EXPECT_FALSE(std::filesystem::exists(tree / "p/guide.chm"));
        }
    }
}

TEST(HhaCompileWithoutCompiler, BadProjectPaths) {
    Received received;
    EXPECT_FALSE(received.Run(nullptr).made);
    EXPECT_FALSE(received.Run("").made);
    EXPECT_EQ(HHA_CompileHHP("/no/such/folder/guide.hhp", nullptr, nullptr, 0), 0);
    TempTree tree;
    EXPECT_FALSE(received.Run(tree.Root().c_str()).made);
    EXPECT_NE(received.log.find("No project file"), std::string::npos) << received.log;
    EXPECT_NE(received.log.find(tree.Root()), std::string::npos) << received.log;
    EXPECT_TRUE(received.files.empty());
}

} // namespace
