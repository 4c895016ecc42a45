// The Compile command: the checks on the help file it writes, the files it
// writes for the compiler and removes again, the messages to the window,
// stopping a compile, and one compile at a time.
#include "app/core/CompileFiles.h"
#include "app/core/CompileLock.h"
#include "app/core/CompilerLimits.h"
#include "app/core/tests/ControllerFakes.h"
#include "commonkit/StringTable.h"
#include "projectmodel/CompilerText.h"
#include "projectmodel/LegacyText.h"
#include "projectmodel/tests/FileSizeLimit.h"
#include "projectmodel/tests/HelpCompiler.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace mb;
using namespace mb::testing;

namespace {

std::string Text(int n) {
    return CStrHelper::ML_GetStringEx(n);
}

class CompileTest : public ControllerTest {
protected:
    // A saved project "guide" with two pages in its contents.
    void SetUp() override {
        folder.Write("intro.htm", "<html><head><title>Intro</title></head><body>Hi</body></html>");
        folder.Write("more.htm", "<html><head><title>More</title></head><body>Yo</body></html>");
        Project().SetMBKFileName(folder / "guide.mbk");
        Project().HHP_SetOptionsData(OPT_TITLE, "Guide");
        AddPage("Intro", folder / "intro.htm");
        AddPage("More", folder / "more.htm");
        ASSERT_EQ(controller.Save(), 1);
    }
    void AddPage(const std::string& name, const std::string& path) {
        CXML list("FilesList");
        CXML* item = list.AddChild("FileItem");
        item->SetAttr("Name", name);
        item->SetAttr("Type", 0);
        item->SetAttr("Local", path);
        Project().Content_AddFilesList(&list);
        Project().HiddenFiles_AddFilesList(&list);
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(folder / name); }
    // The compiler's intermediate files, the enciphered copy and whatever
    // else the compile may have written beside the project, sorted.
    std::string LeftOver() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Root())) {
            std::string name = entry.path().filename().string();
            if (name != "guide.mbk" && name != "guide.chm" && name != "intro.htm" &&
                name != "more.htm")
                names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        std::string found;
        for (const std::string& name : names)
            found += (found.empty() ? "" : " ") + name;
        return found;
    }
    CompileRequest Logging() {
        CompileRequest request;
        request.log = [this](const std::string& text) { log += text; };
        request.started = [this] { window.Record("compile started"); };
        request.finished = [this] { window.Record("compile finished"); };
        return request;
    }
    std::string log;
};

TEST_F(CompileTest, AReadOnlyHelpFileIsRefusedBeforeAnythingIsWritten) {
    std::string chm = folder.Write("guide.chm", "old");
    ::chmod(chm.c_str(), 0444);
    EXPECT_EQ(controller.CompileCommand(), 0);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, Text(296) + Text(297) + Text(298) + "\n\n\"" + chm + "\"");
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(LeftOver(), "");
    EXPECT_EQ(TempTree::Read(chm), "old");
}

TEST_F(CompileTest, AHelpFileHeldByAnotherProgramIsRefused) {
    std::string chm = folder.Write("guide.chm", "old");
    {
        int fd = ::open(chm.c_str(), O_RDONLY);
        ASSERT_EQ(::flock(fd, LOCK_SH | LOCK_NB), 0);
        EXPECT_EQ(controller.CompileCommand(), 0);
        ::close(fd);
    }
    {
        int fd = ::open(chm.c_str(), O_RDWR);
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        lock.l_len = 1;
        ASSERT_EQ(::fcntl(fd, F_OFD_SETLK, &lock), 0);
        EXPECT_EQ(controller.CompileCommand(), 0);
        ::close(fd);
    }
    ASSERT_EQ(prompt.messages.size(), 2u);
    for (const MessageRequest& message : prompt.messages)
        EXPECT_EQ(message.text, Text(296) + Text(492) + "\n\n\"" + chm + "\"");
    EXPECT_TRUE(dialogs.shown.empty());

    // Released, the same file is a fine target.
    EXPECT_EQ(controller.CompileCommand(), 1);
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"compile"});
}

TEST_F(CompileTest, AProjectThatIsNotSavedIsNotCompiled) {
    CProjectController unnamed(context);
    unnamed.GetProject()->SetModified(1);
    EXPECT_EQ(unnamed.CompileCommand(), 0); // the save dialog is cancelled
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_FALSE(unnamed.StartCompile({}).empty());
    for (const char* stray : {".hhp", ".hhc", ".hhk", ".mbkmbk"})
        EXPECT_FALSE(std::filesystem::exists(stray)) << "written into the working folder";
}

TEST_F(CompileTest, TheCommandLeavesTheProjectCopyToTheProjectAndTellsAboutANewHelpFile) {
    Project().SetIncludeMBKProjectInfo(0);
    EXPECT_EQ(controller.CompileCommand(), 1);
    EXPECT_EQ(Project().GetIncludeMBKProjectInfo(), 0);
    EXPECT_EQ(window.Notices(), std::vector<Notice>{Notice::FirstCompile});
    folder.Write("guide.chm", "made");
    EXPECT_EQ(controller.CompileCommand(), 1);
    EXPECT_EQ(window.Notices().size(), 1u) << "the help file existed before";
}

TEST_F(CompileTest, AFailedWriteReportsThePathRemovesWhatWasWrittenAndStartsNothing) {
    std::string error;
    {
        FileSizeLimit limit(16); // the contents file does not fit
        error = controller.StartCompile(Logging());
    }
    EXPECT_EQ(error, Text(442) + " " + folder / ".mb-compile-guide/guide.hhc");
    EXPECT_TRUE(controller.GetCompileDoneEvent().IsSet());
    EXPECT_FALSE(controller.IsCompiling());
    EXPECT_EQ(LeftOver(), "");
    EXPECT_TRUE(window.Events().empty());
    EXPECT_EQ(controller.WaitForCompile(), 0);
}

class RealCompile : public CompileTest {
protected:
    void SetUp() override {
        if (!OnPath("chmcmd"))
            FAIL() << "chmcmd is not installed";
        CompileTest::SetUp();
    }

    // `count` pages with long names and many words in the contents, saved:
    // enough names for the help file's directory to need several listing
    // chunks, and words for a full-text search of some size.
    void AddManyPages(int count) {
        for (int i = 0; i < count; ++i) {
            std::string n = std::to_string(i);
            std::string words;
            for (int j = 0; j < 20; ++j)
                words += "word" + std::to_string(i * j) + " other" + std::to_string(j) + " text" +
                         n + " ";
            AddPage("Page " + n,
                    folder.Write("pages/a_page_with_a_rather_long_descriptive_name_" + n + ".htm",
                                 "<html><head><title>Page " + n + "</title></head><body>" + words +
                                     "</body></html>"));
        }
        ASSERT_EQ(controller.Save(), 1);
    }
    std::string Chm() const { return folder / "guide.chm"; }

    // Pages named outside ASCII in a project of `language`: one in the contents
    // and the files list, the topic of a context id; one in the contents only.
    // Both are stored under their names, once, and every contents entry, whose
    // page the sitemap names in the language's code page, leads to a stored page.
    void CompilesPagesNamed(int language, const std::string& name) {
        Project().HHP_SetOptionsData(OPT_LANGUAGE, language);
        const std::string page = "<html><head><title>P</title></head><body>P</body></html>";
        AddPage("Listed", folder.Write("pages/" + name, page));
        CXML list("FilesList");
        CXML* item = list.AddChild("FileItem");
        item->SetAttr("Name", "Contents only");
        item->SetAttr("Type", 0);
        item->SetAttr("Local", folder.Write("pages/only-" + name, page));
        Project().Content_AddFilesList(&list);
        CHHPFile& hhp = *Project().GetHHPFile();
        hhp.UpdateMapFileData(folder.Write("ids.h", "#define IDH_PAGE 10\r\n"));
        hhp.GetMapData()
            ->GetChildAt(0)
            ->GetChildByTagName("IDH_PAGE")
            ->SetAttr("FILE", folder / ("pages/" + name));
        ASSERT_EQ(controller.Save(), 1);
        ASSERT_EQ(controller.Compile(Logging()), 1) << log;

        std::vector<std::string> listed = ListedNames(folder / "guide.chm");
        for (const std::string& stored : {"/pages/" + name, "/pages/only-" + name})
            EXPECT_EQ(std::count(listed.begin(), listed.end(), stored), 1) << stored;
        std::string toc = ExtractSitemap(folder / "guide.chm", "extracttoc");
        EXPECT_NE(toc.find(EncodeForLanguage("pages\\" + name, language).bytes), std::string::npos);
        int reached = 0;
        for (const std::string& entry : SitemapEntries(toc, {"name"})) {
            size_t from = entry.find(" Local=") + 7;
            std::string local =
                ToUtf8FromLanguage(entry.substr(from, entry.find(' ', from) - from), language);
            std::replace(local.begin(), local.end(), '\\', '/');
            EXPECT_NE(std::find(listed.begin(), listed.end(), "/" + local), listed.end()) << entry;
            ++reached;
        }
        EXPECT_EQ(reached, 4);
    }
};

TEST_F(RealCompile, CompilesWithTheCopyInsideAndNothingLeftBeside) {
    Project().HHP_SetOptionsData(OPT_LANGUAGE, 2052);
    ASSERT_EQ(controller.Save(), 1);
    std::vector<std::string> taken;
    CompileRequest request = Logging();
    request.progress = [&](const std::string& name) {
        taken.push_back(name);
        return true;
    };
    EXPECT_EQ(controller.Compile(request), 1) << log;
    EXPECT_TRUE(Exists("guide.chm"));
    EXPECT_EQ(LeftOver(), "");
    EXPECT_EQ(window.Events(),
              (std::vector<std::string>{"compile started", "compile finished", "notice"}));
    std::vector<std::string> listed = ListedNames(folder / "guide.chm");
    EXPECT_NE(std::find(listed.begin(), listed.end(), "/guide.mbkmbk"), listed.end());
    EXPECT_NE(std::find(listed.begin(), listed.end(), "/intro.htm"), listed.end());
    for (const std::string& name : taken)
        EXPECT_EQ(name.find(".mbkmbk"), std::string::npos) << name;

    // The settings the compiler will not honour come first in the log.
    std::string expected;
    for (const std::string& line : UnhonouredSettings(*Project().GetHHPFile()))
        expected += line + "\n";
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(log.substr(0, expected.size()), expected);
}

TEST_F(RealCompile, KeptIntermediateFilesStayButTheCopyGoes) {
    controller.SetKeepIntermediateFiles(true);
    EXPECT_EQ(controller.Compile(Logging()), 1) << log;
    EXPECT_EQ(LeftOver(), ".mb-compile-guide");
    std::set<std::string> kept;
    for (const auto& entry : std::filesystem::directory_iterator(folder / ".mb-compile-guide"))
        if (!entry.is_symlink())
            kept.insert(entry.path().filename().string());
    EXPECT_EQ(kept, (std::set<std::string>{"guide.hhc", "guide.hhk", "guide.hhp"}));
    EXPECT_NE(
        TempTree::Read(folder / ".mb-compile-guide/guide.hhp").find("compiled file=guide.chm"),
        std::string::npos);
    EXPECT_NE(log.find("The files written for the compiler were kept: \"" +
                       folder / ".mb-compile-guide/guide.hhp\""),
              std::string::npos)
        << log;
    // The project keeps its own names for the help file.
    std::string compiled;
    Project().HHP_GetOptionsData(OPT_COMPILED_FILE, compiled);
    EXPECT_EQ(compiled, "guide.chm");
}

TEST_F(RealCompile, AStopBeforeTheStartHoldsForThatCompileOnly) {
    std::string chm = folder.Write("guide.chm", "the old help file");
    controller.CancelCompile(); // as Ctrl+C while the project is being saved
    EXPECT_EQ(controller.StartCompile(Logging()), "");
    EXPECT_EQ(controller.WaitForCompile(), 0);
    EXPECT_EQ(controller.GetCompileFailure(), "The compile was stopped before it was complete.");
    EXPECT_EQ(TempTree::Read(chm), "the old help file");
    EXPECT_EQ(LeftOver(), "");
    EXPECT_EQ(controller.Compile(Logging()), 1) << log;
}

TEST_F(RealCompile, TheHelpFileNamesItsContentsAndIndexAsTheProjectDoes) {
    // The user's own files of those names stay as they are.
    folder.Write("guide.hhc", "the user's contents");
    folder.Write("guide.hhk", "the user's index");
    ASSERT_EQ(controller.Compile(Logging()), 1) << log;
    std::vector<std::string> listed = ListedNames(Chm());
    for (const char* name : {"/guide.hhc", "/guide.hhk"})
        EXPECT_NE(std::find(listed.begin(), listed.end(), name), listed.end()) << name;
    for (const std::string& name : listed)
        EXPECT_EQ(name.find(".mb-"), std::string::npos) << name;
    TempTree scratch;
    ASSERT_EQ(RunChmls({"extract", Chm(), "/#SYSTEM", scratch / "system"}).exitStatus, 0);
    std::string system = TempTree::Read(scratch / "system");
    for (const char* name : {"guide.hhc", "guide.hhk"})
        EXPECT_NE(system.find(std::string(name) + '\0'), std::string::npos) << name;
    EXPECT_EQ(system.find(".mb-"), std::string::npos);
    std::string windows = RunChmls({"printwindows", Chm()}).output;
    EXPECT_NE(windows.find(": guide.hhc "), std::string::npos) << windows;
    EXPECT_NE(windows.find(": guide.hhk "), std::string::npos) << windows;
    EXPECT_EQ(windows.find(".mb-"), std::string::npos) << windows;
    EXPECT_EQ(TempTree::Read(folder / "guide.hhc"), "the user's contents");
    EXPECT_EQ(TempTree::Read(folder / "guide.hhk"), "the user's index");
}

TEST_F(RealCompile, EveryReaderFindsEveryFileOfAHelpFileWithManyNames) {
    ASSERT_TRUE(OnPath("extract_chmLib")) << "extract_chmLib (libchm-bin) is not installed";
    AddManyPages(300);
    ASSERT_EQ(controller.Compile(Logging()), 1) << log;
    std::set<std::string> listed;
    std::istringstream lines(RunChmls({"-p", "-n", "list", Chm()}).output);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty() && line.front() == '/' && line.back() != '/')
            listed.insert(line);
    ASSERT_GT(listed.size(), 300u);
    TempTree scratch;
    RunAndCapture({"extract_chmLib", Chm(), scratch / "out"});
    std::set<std::string> extracted;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(scratch / "out"))
        if (entry.is_regular_file())
            extracted.insert("/" +
                             std::filesystem::relative(entry.path(), scratch / "out").string());
    EXPECT_EQ(extracted, listed);
}

TEST_F(RealCompile, AWriteFailureFailsWithItsReasonAndKeepsTheOldHelpFile) {
    Project().SetIncludeMBKProjectInfo(0);
    AddManyPages(300);
    ASSERT_EQ(controller.Compile(Logging()), 1) << log;
    const auto withSearch = std::filesystem::file_size(Chm());
    Project().HHP_SetOptionsData(OPT_FULL_TEXT_SEARCH, 0);
    ASSERT_EQ(controller.Compile(Logging()), 1) << log;
    const std::string old = TempTree::Read(Chm());
    ASSERT_LT(old.size(), withSearch);

    // A limit that the help file keeps only without its full-text search.
    Project().HHP_SetOptionsData(OPT_FULL_TEXT_SEARCH, 1);
    ASSERT_EQ(controller.Save(), 1);
    log.clear();
    {
        FileSizeLimit limit((old.size() + withSearch) / 2);
        EXPECT_EQ(controller.Compile(Logging()), 0) << log;
    }
    EXPECT_EQ(log.find("without full-text search"), std::string::npos) << log;
    EXPECT_EQ(controller.GetCompileFailure().rfind(
                  "chmcmd could not write the help file: " + std::string(std::strerror(EFBIG)), 0),
              0u)
        << controller.GetCompileFailure();
    EXPECT_NE(log.find(controller.GetCompileFailure()), std::string::npos) << log;
    EXPECT_TRUE(TempTree::Read(Chm()) == old);
    EXPECT_EQ(LeftOver(), "pages");
}

TEST_F(RealCompile, TheProjectCopyGoesInOnlyWhenTheProjectAsksForIt) {
    // Enhanced decompilation is a compiler setting of its own.
    Project().HHP_SetOptionsData(OPT_ENHANCED_DECOMPILATION, 1);
    Project().SetIncludeMBKProjectInfo(0);
    ASSERT_EQ(controller.Save(), 1);
    ASSERT_EQ(controller.Compile(Logging()), 1) << log;
    for (const std::string& name : ListedNames(Chm()))
        EXPECT_EQ(name.find(".mbkmbk"), std::string::npos) << name;
}

TEST_F(RealCompile, AProjectImportedWithoutWindowsShowsItsTitleInTheWindowCaption) {
    TempTree other;
    other.Write("a.htm", "<html><head><title>A</title></head><body>a</body></html>");
    std::string hhp = other.Write("hand.hhp", "[OPTIONS]\r\nTitle=Hand Made\r\n\r\n"
                                              "[FILES]\r\na.htm\r\n");
    CProjectController imported(context);
    ASSERT_EQ(imported.ImportHHP(hhp), 1);
    ASSERT_EQ(imported.SaveAs(other / "hand.mbk"), 1);
    ASSERT_EQ(imported.Compile(Logging()), 1) << log;
    std::string windows = RunChmls({"printwindows", other / "hand.chm"}).output;
    EXPECT_NE(windows.find("Title Bar Text"), std::string::npos) << windows;
    EXPECT_NE(windows.find(": Hand Made "), std::string::npos) << windows;
    EXPECT_EQ(windows.find("Marrowbook"), std::string::npos) << windows;

    // A caption of its own stays.
    other.Write("hand.hhp", "[OPTIONS]\r\nTitle=Hand Made\r\nDefault Window=main\r\n\r\n"
                            "[WINDOWS]\r\nmain=\"Own Caption\",,,,,,,,,0x0,,0x0,,,,,,,,0\r\n\r\n"
                            "[FILES]\r\na.htm\r\n");
    CProjectController captioned(context);
    ASSERT_EQ(captioned.ImportHHP(hhp), 1);
    std::string caption;
    captioned.GetProject()->HHP_GetWindowsData(WIN_TITLE_BAR_TEXT, caption);
    EXPECT_EQ(caption, "Own Caption");
}

TEST_F(RealCompile, PagesNamedInTheWesternCodePageAreCompiledUnderTheirNames) {
    CompilesPagesNamed(1033, "caf\xC3\xA9.htm");
}

TEST_F(RealCompile, PagesNamedInTheJapaneseCodePageAreCompiledUnderTheirNames) {
    CompilesPagesNamed(1041, "\xE3\x83\x9A\xE3\x83\xBC\xE3\x82\xB8.htm");
}

TEST_F(RealCompile, PagesOutsideTheProjectFolderAreRefusedBeforeChmcmdRuns) {
    TempTree elsewhere;
    std::string outside = elsewhere.Write(
        "shared/out.htm", "<html><head><title>Out</title></head><body>Out</body></html>");
    AddPage("Out", outside);
    ASSERT_EQ(controller.Save(), 1);
    EXPECT_EQ(controller.Compile(Logging()), 0);
    ASSERT_EQ(prompt.messages.size(), 1u);
    const std::string& message = prompt.messages[0].text;
    EXPECT_NE(message.find("lie outside it: " + outside + "."), std::string::npos) << message;
    EXPECT_NE(message.find("Copy them into the project folder"), std::string::npos) << message;
    EXPECT_EQ(log, "");
    EXPECT_TRUE(window.Events().empty());
    EXPECT_FALSE(Exists("guide.chm"));
    EXPECT_EQ(LeftOver(), "");
}

TEST_F(RealCompile, ContentsLinksToPagesThatAreNowhereStayBrokenLinks) {
    // As in projects brought over from Windows: the pages are long gone.
    CXML list("FilesList");
    for (const char* stale : {"C:\\old\\x.htm", "/nowhere/y.htm"}) {
        CXML* item = list.AddChild("FileItem");
        item->SetAttr("Name", "Stale");
        item->SetAttr("Type", 0);
        item->SetAttr("Local", stale);
    }
    Project().Content_AddFilesList(&list);
    ASSERT_EQ(controller.Save(), 1);
    EXPECT_EQ(controller.Compile(Logging()), 1) << log;
    EXPECT_TRUE(Exists("guide.chm"));
}

TEST_F(RealCompile, AFailedCompileKeepsTheOldHelpFile) {
    std::string chm = folder.Write("guide.chm", "the old help file");
    std::filesystem::remove(folder / "more.htm"); // chmcmd crashes on a missing page
    EXPECT_EQ(controller.Compile(Logging()), 0);
    EXPECT_NE(log.find("could not find files that the project lists: more.htm"), std::string::npos)
        << log;
    EXPECT_NE(log.find("The help file \"" + chm + "\" was left as it was."), std::string::npos)
        << log;
    EXPECT_EQ(TempTree::Read(chm), "the old help file");
    EXPECT_EQ(LeftOver(), "");
}

TEST_F(RealCompile, AProjectThatAnotherCompileHoldsIsRefused) {
    std::string chm = folder.Write("guide.chm", "the old help file");
    {
        // What another process compiling the project holds.
        CompileLock other(CompileFiles::Of(Project()).lock);
        ASSERT_TRUE(other.IsHeld());
        EXPECT_EQ(controller.Compile(Logging()), 0);
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_EQ(prompt.messages[0].text,
                  "Another compile of this project is running. Wait until it has finished, "
                  "then compile again.\n\n" +
                      folder / "guide.mbk");
        EXPECT_EQ(TempTree::Read(chm), "the old help file");
        EXPECT_EQ(LeftOver(), ".mb-compile-guide.lock");
    }
    EXPECT_EQ(LeftOver(), "");
    EXPECT_EQ(controller.Compile(Logging()), 1) << log;
    EXPECT_NE(TempTree::Read(chm), "the old help file");
}

TEST_F(RealCompile, StopEndsTheCompileAndASecondOneCannotStartMeanwhile) {
    std::string secondStart;
    CompileRequest request = Logging();
    request.progress = [&](const std::string&) {
        if (secondStart.empty())
            secondStart = controller.StartCompile(Logging());
        controller.CancelCompile();
        return true;
    };
    EXPECT_EQ(controller.Compile(request), 0);
    EXPECT_FALSE(secondStart.empty());
    EXPECT_FALSE(Exists("guide.chm"));
    EXPECT_EQ(LeftOver(), "");
    std::vector<std::string> events = window.Events();
    EXPECT_EQ(std::count(events.begin(), events.end(), "compile finished"), 1);
    EXPECT_FALSE(controller.IsCompiling());

    // Stopped once, the next compile runs to the end.
    EXPECT_EQ(controller.Compile(Logging()), 1) << log;
}

} // namespace
