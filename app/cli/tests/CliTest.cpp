// The command-line tool, run as a program: its command line, exit status
// and messages, and its commands on real files (compiled by chmcmd and read
// back with chmls).
#include "app/cli/tests/CliRun.h"
#include "baseutil/Process.h"
#include "baseutil/tests/support/TempTree.h"
#include "projectmodel/tests/HelpCompiler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <regex>

#include <sys/stat.h>
#include <unistd.h>

using namespace mb::testing;

namespace {

TEST(CliCommandLine, HelpMistakesAndExitStatus) {
    auto help = Cli({"--help"});
    EXPECT_EQ(help.exitStatus, 0);
    for (const char* command : {"new", "import-hhp", "export-hhp", "list", "context-map"})
        EXPECT_TRUE(Contains(help.output, command)) << command;
    auto commandHelp = Cli({"new", "--help"});
    EXPECT_EQ(commandHelp.exitStatus, 0);
    EXPECT_TRUE(Contains(commandHelp.output, "--add-folder"));

    EXPECT_EQ(Cli({}).exitStatus, 2);
    auto unknown = Cli({"frobnicate"});
    EXPECT_EQ(unknown.exitStatus, 2);
    EXPECT_TRUE(Contains(unknown.output, "unknown command \"frobnicate\""));
    auto missing = Cli({"list"});
    EXPECT_EQ(missing.exitStatus, 2);
    EXPECT_TRUE(Contains(missing.output, "usage: marrowbook-cli list <file.chm>"));
    EXPECT_EQ(Cli({"new", "x.mbk", "--title"}).exitStatus, 2);
    EXPECT_EQ(Cli({"list", "--yes=no", "x.chm"}).exitStatus, 2);
}

// A project path names a file with a name: nothing is written for a folder,
// a device or pipe, a blank or hidden name.
TEST(CliCommandLine, NewRefusesPathsThatNameNoProjectFile) {
    TempTree tree;
    tree.MakeFolder("work/taken");
    ASSERT_EQ(::mkfifo((tree / "pipe").c_str(), 0644), 0);
    for (const std::string& path :
         {std::string(), std::string("."), std::string(".."), std::string(" "), std::string(".mbk"),
          std::string(".hidden"), std::string("inner/"), std::string("taken"), tree / "pipe"}) {
        auto result = mb::RunAndCapture({"sh", "-c", "cd \"$0\" && exec \"$1\" new \"$2\" 2>&1",
                                         tree / "work", MB_CLI_PATH, path});
        EXPECT_EQ(result.exitStatus, 2) << "\"" << path << "\": " << result.output;
        EXPECT_TRUE(Contains(result.output, "no project was made: ")) << result.output;
    }
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(tree.Root()))
        left.push_back(entry.path().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{tree / "pipe", tree / "work", tree / "work/taken"}));
}

TEST(CliCommandLine, UnreadableFilesFailWithTheReason) {
    TempTree tree;
    std::string junk = tree.Write("junk.chm", "this is no compiled help file");
    for (const char* command : {"list", "context-map"}) {
        auto result = Cli({command, junk});
        EXPECT_EQ(result.exitStatus, 1) << command;
        EXPECT_TRUE(Contains(result.output, "cannot read \"" + junk + "\"")) << result.output;
    }
    auto missing = Cli({"export-hhp", tree / "none.mbk"});
    EXPECT_EQ(missing.exitStatus, 1);
    EXPECT_TRUE(Contains(missing.output, "cannot read \"" + tree / "none.mbk" +
                                             "\": No such file or directory"))
        << missing.output;
    std::string foreign = tree.Write("foreign.mbk", "<NOT_A_PROJECT/>");
    EXPECT_TRUE(Contains(Cli({"export-hhp", foreign}).output, "is not a project file"));
}

TEST(CliCommandLine, UnknownOptionsAndBadValuesAreMistakes) {
    TempTree tree;
    std::string mbk = tree / "x.mbk";
    for (std::vector<std::string> arguments :
         {std::vector<std::string>{"list", "--bogus", "x.chm"},
          {"compile", mbk, "--output", "out"},
          {"new", mbk, "--language", "abc"},
          {"new", mbk, "--language", "-5"},
          {"new", mbk, "--language", "70000"},
          {"new", mbk, "--language", "0"},
          {"new", mbk, "--title", ""},
          {"decompile", "x.chm", "--output="}}) {
        auto result = Cli(arguments);
        EXPECT_EQ(result.exitStatus, 2) << arguments[1] << " " << arguments[2];
    }
    EXPECT_FALSE(std::filesystem::exists(mbk));
    auto hex = Cli({"new", mbk, "--language", "0x407"});
    ASSERT_EQ(hex.exitStatus, 0) << hex.output;
    EXPECT_TRUE(Contains(TempTree::Read(mbk), "1031"));
}

// A file that cannot be read is named with the reason, and a pipe in its
// place is refused at once instead of waited on.
TEST(CliCommandLine, UnreadableAndSpecialFilesAreRefusedWithTheReason) {
    TempTree tree;
    std::string locked = tree.Write("locked.mbk", "<PROJECT_FT/>");
    ::chmod(locked.c_str(), 0);
    // Root reads anything unless it gives up the right to pass over file
    // permissions; it stays root and reaches the tool wherever it lies.
    std::vector<std::string> withoutOverride;
    if (::geteuid() == 0)
        withoutOverride = {"setpriv", "--bounding-set=-dac_override,-dac_read_search"};
    withoutOverride.insert(withoutOverride.end(),
                           {"sh", "-c", "exec \"$0\" \"$@\" 2>&1", MB_CLI_PATH, "compile", locked});
    auto unreadable = mb::RunAndCapture(withoutOverride);
    EXPECT_EQ(unreadable.exitStatus, 1);
    EXPECT_TRUE(Contains(unreadable.output, "cannot read \"" + locked + "\": Permission denied"))
        << unreadable.output;

    std::string pipe = tree / "pipe.chm";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
    for (const char* command : {"list", "context-map", "decompile", "export-hhp"}) {
        auto result = mb::RunAndCapture({"timeout", "10", MB_CLI_PATH, command, pipe});
        EXPECT_EQ(result.exitStatus, 1) << command;
    }
}

class CliProject : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(OnPath("chmcmd") && OnPath("chmls")) << "chmcmd and chmls (fp-utils)";
        tree.Write("guide/intro.htm", "<html><head><title>Introduction</title></head></html>");
        tree.Write("guide/part/setup.htm", "<html><head><title>Setting up</title></head></html>");
    }
    TempTree tree;
};

TEST_F(CliProject, NewProjectFromAFolderExportsAndCompiles) {
    std::string mbk = tree / "guide/help.mbk";
    auto made = Cli({"new", mbk, "--title", "The Guide", "--add-folder", tree / "guide"});
    ASSERT_EQ(made.exitStatus, 0) << made.output;
    EXPECT_TRUE(Contains(made.output, "3 contents entries")) << made.output;
    EXPECT_EQ(Cli({"new", mbk}).exitStatus, 1) << "an existing project is not replaced";

    auto exported = Cli({"export-hhp", mbk});
    ASSERT_EQ(exported.exitStatus, 0) << exported.output;
    EXPECT_EQ(Cli({"export-hhp", mbk, tree / "elsewhere.hhp"}).exitStatus, 2);
    auto compiled = CompileHelp(tree / "guide", "help.hhp");
    ASSERT_TRUE(std::filesystem::exists(tree / "guide/help.chm")) << compiled.output;

    auto listed = Cli({"list", tree / "guide/help.chm"});
    ASSERT_EQ(listed.exitStatus, 0) << listed.output;
    auto reference = RunChmls({"list", tree / "guide/help.chm"});
    for (const char* page : {"/intro.htm", "/part/setup.htm"}) {
        EXPECT_TRUE(Contains(listed.output, page)) << listed.output;
        EXPECT_TRUE(Contains(reference.output, page)) << reference.output;
    }
    EXPECT_TRUE(Contains(listed.output, "/part/\n"));
}

TEST_F(CliProject, CompileThenTakeTheHelpFileApart) {
    std::string mbk = tree / "guide/help.mbk";
    ASSERT_EQ(Cli({"new", mbk, "--add-folder", tree / "guide"}).exitStatus, 0);
    auto compiled = Cli({"compile", mbk});
    ASSERT_EQ(compiled.exitStatus, 0) << compiled.output;
    std::string chm = tree / "guide/help.chm";
    EXPECT_TRUE(Contains(compiled.output, "compiled " + chm)) << compiled.output;
    EXPECT_FALSE(std::filesystem::exists(tree / "guide/help.mbkmbk"));

    auto opened = Cli({"open-chm", chm});
    ASSERT_EQ(opened.exitStatus, 0) << opened.output;
    std::smatch project;
    ASSERT_TRUE(std::regex_search(opened.output, project, std::regex("project (/\\S+\\.mbk)")))
        << opened.output;
    EXPECT_TRUE(std::filesystem::exists(project[1].str()));
    EXPECT_TRUE(std::filesystem::exists(
        std::filesystem::path(project[1].str()).parent_path() / "part/setup.htm"));

    auto decompiled = Cli({"decompile", chm, "--output", tree / "out"});
    ASSERT_EQ(decompiled.exitStatus, 0) << decompiled.output;
    EXPECT_TRUE(std::filesystem::exists(tree / "out/intro.htm"));
    EXPECT_EQ(Cli({"decompile", chm, chm, "--output", tree / "out"}).exitStatus, 2);

    auto handheld = Cli({"handheld", chm, "--output", tree / "small"});
    ASSERT_EQ(handheld.exitStatus, 0) << handheld.output;
    EXPECT_TRUE(std::filesystem::exists(tree / "small/index.html"));

    auto broken = Cli({"compile", tree / "guide/intro.htm"});
    EXPECT_EQ(broken.exitStatus, 1);
}

TEST_F(CliProject, ImportedProjectGetsItsProjectFileBesideTheHhp) {
    tree.Write("guide/help.hhp", "[OPTIONS]\r\nTitle=Imported\r\nContents file=help.hhc\r\n"
                                 "\r\n[FILES]\r\nintro.htm\r\n");
    tree.Write("guide/help.hhc",
               "<HTML><BODY><UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" "
               "value=\"Intro\"><param name=\"Local\" value=\"intro.htm\"></OBJECT></UL>"
               "</BODY></HTML>");
    EXPECT_EQ(Cli({"import-hhp", tree / "guide/help.hhp", tree / "other.mbk"}).exitStatus, 2);
    auto imported = Cli({"import-hhp", tree / "guide/help.hhp"});
    ASSERT_EQ(imported.exitStatus, 0) << imported.output;
    EXPECT_TRUE(Contains(imported.output, "1 contents and 0 index entries")) << imported.output;
    EXPECT_TRUE(std::filesystem::exists(tree / "guide/help.mbk"));
}

// The files of a folder with their contents.
std::map<std::string, std::string> Contents(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[entry.path().string()] = TempTree::Read(entry.path().string());
    return files;
}

TEST_F(CliProject, ExportReplacesFilesOnlyAfterAYesAndNeverTheProjectFile) {
    std::string mbk = tree / "guide/base.mbk";
    ASSERT_EQ(Cli({"new", mbk, "--add-folder", tree / "guide"}).exitStatus, 0);
    tree.Write("guide/base.hhp", "[OPTIONS]\r\nTitle=Edited by hand\r\n");
    tree.Write("guide/other.txt", "notes");
    auto before = Contents(tree / "guide");

    auto asked = Cli({"export-hhp", mbk});
    EXPECT_EQ(asked.exitStatus, 1);
    EXPECT_TRUE(Contains(asked.output, tree / "guide/base.hhp")) << asked.output;
    EXPECT_EQ(Cli({"export-hhp", mbk, tree / "guide/other.txt", "--yes"}).exitStatus, 2);
    EXPECT_EQ(Cli({"export-hhp", mbk, mbk, "--yes"}).exitStatus, 2);
    EXPECT_EQ(Contents(tree / "guide"), before);

    auto replaced = Cli({"export-hhp", "--yes", mbk});
    EXPECT_EQ(replaced.exitStatus, 0) << replaced.output;
    EXPECT_TRUE(Contains(TempTree::Read(tree / "guide/base.hhp"), "[FILES]"));
}

TEST_F(CliProject, ImportRefusesWhatIsNoProjectAndKeepsTheOldOne) {
    std::string good = tree / "guide/help.mbk";
    ASSERT_EQ(Cli({"new", good, "--add-folder", tree / "guide"}).exitStatus, 0);
    const std::string kept = TempTree::Read(good);
    std::string random;
    for (int i = 0; i < 4096; ++i)
        random += static_cast<char>((i * 7919 + i / 13) % 256);
    tree.Write("guide/random.hhp", random);
    tree.Write("guide/empty.hhp", "");
    tree.MakeFolder("guide/folder.hhp");
    ASSERT_EQ(::mkfifo((tree / "guide/pipe.hhp").c_str(), 0644), 0);
    for (const char* hhp : {"random.hhp", "empty.hhp", "folder.hhp", "pipe.hhp", "missing.hhp"}) {
        std::string path = tree / ("guide/" + std::string(hhp));
        auto result = mb::RunAndCapture(
            {"timeout", "10", "sh", "-c", "exec \"$0\" \"$@\" 2>&1", MB_CLI_PATH, "import-hhp",
             "--force", path, good});
        EXPECT_EQ(result.exitStatus, 1) << hhp;
        EXPECT_TRUE(Contains(result.output, path + ": ")) << result.output;
    }
    EXPECT_EQ(TempTree::Read(good), kept);

    std::string hhp = tree.Write("guide/x.hhp", "[OPTIONS]\r\nTitle=X\r\n");
    EXPECT_EQ(Cli({"import-hhp", "--force", hhp, hhp}).exitStatus, 2);
    EXPECT_EQ(Cli({"import-hhp", "--force", hhp, tree / "guide/intro.htm"}).exitStatus, 2);
    EXPECT_EQ(TempTree::Read(hhp), "[OPTIONS]\r\nTitle=X\r\n");
}

// The shape of eviacam's help projects: header and alias files that are
// not there, an index file that is not there (its Galician one).
TEST_F(CliProject, ImportNamesTheFilesItLeftOutAndTheProjectCompiles) {
    tree.Write("guide/help.hhp",
               "[OPTIONS]\r\nCompatibility=1.1\r\nContents file=help.hhc\r\n"
               "Compiled file=help.chm\r\nDefault topic=intro.htm\r\nIndex file=help.hhk\r\n"
               "Title=Guide\r\n\r\n[FILES]\r\nintro.htm\r\npart\\setup.htm\r\ngone.htm\r\n\r\n"
               "[ALIAS]\r\n#include \"help_alias.h\"\r\n\r\n[MAP]\r\n#include \"help_ids.h\"\r\n");
    tree.Write("guide/help.hhc",
               "<HTML><BODY><UL><LI> <OBJECT type=\"text/sitemap\"><param name=\"Name\" "
               "value=\"Intro\"><param name=\"Local\" value=\"intro.htm\"></OBJECT></UL>"
               "</BODY></HTML>");
    auto imported = Cli({"import-hhp", tree / "guide/help.hhp"});
    ASSERT_EQ(imported.exitStatus, 0) << imported.output;
    for (const char* named : {"help_ids.h", "help_alias.h", "gone.htm", "help.hhk"})
        EXPECT_TRUE(Contains(imported.output, tree / ("guide/" + std::string(named)) +
                                                  ": No such file or directory"))
            << named << "\n"
            << imported.output;
    EXPECT_TRUE(Contains(imported.output, "(1 contents and 0 index entries)")) << imported.output;

    auto compiled = Cli({"compile", tree / "guide/help.mbk"});
    EXPECT_EQ(compiled.exitStatus, 0) << compiled.output;
    EXPECT_TRUE(std::filesystem::exists(tree / "guide/help.chm")) << compiled.output;
}

TEST_F(CliProject, YesCopiesPagesFromOutsideWhereverItStands) {
    for (auto arguments : {std::vector<std::string>{"--yes", "new", tree / "p/x.mbk", "--add-folder",
                                                    tree / "guide"},
                           {"new", tree / "q/x.mbk", "--add-folder", tree / "guide", "--yes"}}) {
        auto result = Cli(arguments);
        EXPECT_EQ(result.exitStatus, 0) << result.output;
        EXPECT_TRUE(Contains(result.output, "3 contents entries")) << result.output;
    }
    EXPECT_TRUE(std::filesystem::exists(tree / "p/part/setup.htm"));
    EXPECT_EQ(Cli({"new", tree / "r/x.mbk", "--add-folder", tree / "guide"}).exitStatus, 1);
    EXPECT_FALSE(std::filesystem::exists(tree / "r"));
}

TEST_F(CliProject, AFileSizeLimitFailsTheDecompileAndLeavesNoTemporaryFile) {
    std::string page(40000, 'x');
    tree.Write("big/page.htm", "<html><body>" + page + "</body></html>");
    tree.Write("big/big.hhp", "[OPTIONS]\r\nCompiled file=big.chm\r\n[FILES]\r\npage.htm\r\n");
    auto compiled = CompileHelp(tree / "big", "big.hhp");
    ASSERT_TRUE(std::filesystem::exists(tree / "big/big.chm")) << compiled.output;
    auto limited = mb::RunAndCapture({"sh", "-c", "ulimit -f 8; exec \"$0\" \"$@\" 2>&1",
                                      MB_CLI_PATH, "decompile", tree / "big/big.chm", "--output",
                                      tree / "out"});
    EXPECT_EQ(limited.exitStatus, 1) << limited.output;
    EXPECT_TRUE(Contains(limited.output, "File too large")) << limited.output;
    for (const auto& entry : std::filesystem::directory_iterator(tree / "out"))
        EXPECT_EQ(entry.path().filename().string().find("page.htm"), std::string::npos)
            << "neither the page cut short nor its temporary file";
}

TEST_F(CliProject, OutputFoldersNeverLoseExistingFiles) {
    std::string mbk = tree / "guide/help.mbk";
    ASSERT_EQ(Cli({"new", mbk, "--add-folder", tree / "guide"}).exitStatus, 0);
    ASSERT_EQ(Cli({"compile", mbk}).exitStatus, 0);
    std::string chm = tree / "guide/help.chm";

    ASSERT_EQ(Cli({"decompile", chm, "--output", tree / "out"}).exitStatus, 0);
    tree.Write("out/intro.htm", "edited by hand");
    auto again = Cli({"decompile", chm, "--output", tree / "out"});
    EXPECT_EQ(again.exitStatus, 0) << again.output;
    EXPECT_TRUE(Contains(again.output, "kept the existing file")) << again.output;
    EXPECT_EQ(TempTree::Read(tree / "out/intro.htm"), "edited by hand");
    ASSERT_EQ(Cli({"--yes", "decompile", chm, "--output", tree / "out"}).exitStatus, 0);
    EXPECT_NE(TempTree::Read(tree / "out/intro.htm"), "edited by hand");

    // Without --output each conversion gets a folder of its own.
    std::smatch first, second;
    auto one = Cli({"handheld", chm});
    auto two = Cli({"handheld", chm});
    ASSERT_EQ(one.exitStatus, 0) << one.output;
    ASSERT_EQ(two.exitStatus, 0) << two.output;
    std::regex into("into (/\\S+)");
    ASSERT_TRUE(std::regex_search(one.output, first, into)) << one.output;
    ASSERT_TRUE(std::regex_search(two.output, second, into)) << two.output;
    EXPECT_NE(first[1].str(), second[1].str());
}

} // namespace
