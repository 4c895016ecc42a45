// Decompiling and converting help files: the folder names, the two dialogs'
// rules, the commands with their log frame, and the Open CHM branch for a
// help file without contents.
#include "app/core/ConversionLog.h"
#include "app/core/PathChecks.h"
#include "app/core/tests/ControllerFakes.h"
#include "commonkit/StringTable.h"
#include "compiledhelp/tests/support/ChmTestSupport.h"
#include "projectmodel/tests/HelpCompiler.h"

#include <filesystem>

using namespace mb;
using namespace mb::testing;

namespace {

std::string Text(int n) {
    return CStrHelper::ML_GetStringEx(n);
}

std::time_t LocalTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

TEST(FolderNames, CarryTitleExtensionDateAndTime) {
    std::time_t when = LocalTime(2026, 12, 6, 9, 30, 15);
    EXPECT_EQ(CProjectController::GetDecompileFolderName("/docs/help.chm", when),
              "/docs/help_chm_decompile_20261206_093015");
    EXPECT_EQ(CProjectController::GetConversionFolderName("/docs/help.chm", when),
              "/docs/help_chm_20261206_093015");
    EXPECT_EQ(CProjectController::GetConversionFolderName("/help.chmx", when),
              "/help_hmx_20261206_093015");
    EXPECT_EQ(CProjectController::GetDecompileFolderName("/a/b.c", LocalTime(2027, 1, 2, 3, 4, 5)),
              "/a/b_c_decompile_20270102_030405");
}

TEST(FolderNames, AFolderInUseGetsTheNextFreeNumber) {
    TempTree tree;
    std::string base = tree / "out";
    EXPECT_EQ(UnusedFolder(base), base);
    tree.MakeFolder("out");
    tree.Write("out_2", "a file takes the name too");
    EXPECT_EQ(UnusedFolder(base), base + "_3");
}

TEST(ChmOutputDialog, BrowsingProposesAFolderBesideTheFile) {
    ScriptedPrompt prompt;
    prompt.pickedFiles = {std::vector<std::string>{"/docs/help.chm"}, std::nullopt};
    CDlgChmOutput decompile(CDlgChmOutput::Kind::Decompile, "/start", prompt);
    decompile.OnBrowseChm();
    EXPECT_EQ(decompile.GetChmText(), "/docs/help.chm");
    EXPECT_EQ(decompile.GetOutputText(), "/docs/help_chm_decompile");
    EXPECT_EQ(prompt.picks[0].initialPath, "/start");
    decompile.OnBrowseChm(); // cancelled: both fields stay
    EXPECT_EQ(decompile.GetOutputText(), "/docs/help_chm_decompile");

    EXPECT_EQ(CDlgChmOutput::ProposedOutput("/help.chm", CDlgChmOutput::Kind::Handheld),
              "/help_chm_marrow");
    prompt.pickedPaths = {std::string("/elsewhere")};
    decompile.OnBrowseOutput();
    EXPECT_EQ(decompile.GetOutputText(), "/elsewhere");
    EXPECT_EQ(prompt.picks.back().title, "Select an output directory");
}

TEST(ChmOutputDialog, OkNeedsBothFields) {
    ScriptedPrompt prompt;
    CDlgChmOutput dialog(CDlgChmOutput::Kind::Handheld, "", prompt);
    dialog.SetOutputText("/out");
    EXPECT_FALSE(dialog.OnOK());
    dialog.SetChmText("/a.chm");
    dialog.SetOutputText("");
    EXPECT_FALSE(dialog.OnOK());
    dialog.SetOutputText("/out");
    EXPECT_TRUE(dialog.OnOK());
    ASSERT_EQ(prompt.messages.size(), 2u);
    EXPECT_EQ(prompt.messages[0].text, Text(233));
    EXPECT_EQ(prompt.messages[1].text, Text(234));
}

TEST(ConversionLogFrame, ClearsTheFlagAndWarnsWhenANameFailed) {
    RecordingMainWindow window;
    ScriptedControllerDialogs dialogs;
    CRunEnv env;
    env.SetFoundLongFilename(1);
    {
        ConversionLog log(dialogs, &window, env);
        EXPECT_EQ(env.GetFoundLongFilename(), 0);
    }
    EXPECT_TRUE(dialogs.shown.empty());
    {
        ConversionLog log(dialogs, &window, env);
        env.SetFoundLongFilename(1);
    }
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"long-filename"});
    std::string log = window.Log();
    EXPECT_EQ(log.rfind("\n>>>>>> ", 0), 0u) << log;
    EXPECT_NE(log.find("\n<<<<<< " + Text(619) + " " + Text(620)), std::string::npos) << log;
}

class ConvertTest : public ControllerTest {
protected:
    void SetUp() override {
        if (!OnPath("chmcmd"))
            FAIL() << "chmcmd is not installed";
    }
    // A help file with two pages, with or without contents.
    std::string Chm(const std::string& name, bool withContents) {
        ChmProject project;
        project.folder = folder / ("src_" + name);
        project.Add("a.htm", "<html><head><title>A</title></head><body>A</body></html>");
        project.Add("sub/b.htm", "<html><head><title>B</title></head><body>B</body></html>");
        if (withContents)
            project.contents =
                "<HTML><BODY><UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" "
                "value=\"A\"><param name=\"Local\" value=\"a.htm\"></OBJECT></UL></BODY></HTML>";
        std::string built = project.Build(name + ".chm");
        std::string chm = folder / (name + ".chm");
        std::filesystem::rename(built, chm);
        return chm;
    }
    // The folders beside the help files whose names start with `prefix`.
    std::vector<std::string> FoldersStartingWith(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Root()))
            if (entry.is_directory() && entry.path().filename().string().rfind(prefix, 0) == 0)
                found.push_back(entry.path().string());
        return found;
    }
};

TEST_F(ConvertTest, DecompileCommandWritesIntoTheChosenFolderAndShowsIt) {
    std::string chm = Chm("help", true);
    std::string out = folder / "out";
    dialogs.chmOutput = [&](CDlgChmOutput& dialog) {
        dialog.SetChmText(chm);
        dialog.SetOutputText(out);
        return dialog.OnOK();
    };
    controller.DecompileCommand();
    EXPECT_EQ(TempTree::Read(out + "/sub/b.htm"),
              "<html><head><title>B</title></head><body>B</body></html>");
    EXPECT_EQ(desktop.opened, std::vector<std::string>{out});
    std::string log = window.Log();
    EXPECT_LT(log.find(">>>>>>"), log.find("<<<<<<"));
}

TEST_F(ConvertTest, AnOutputThatCannotBeCreatedEndsWithTheWarningAboutNames) {
    std::string chm = Chm("help", true);
    std::string out = folder / "out";
    folder.Write("out/sub", "a file where the folder goes");
    dialogs.chmOutput = [&](CDlgChmOutput& dialog) {
        dialog.SetChmText(chm);
        dialog.SetOutputText(out);
        return dialog.OnOK();
    };
    controller.DecompileCommand();
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"decompile", "long-filename"}));
    EXPECT_NE(window.Log().find(out + "/sub"), std::string::npos) << window.Log();
}

TEST_F(ConvertTest, CancelledDialogsWriteNothingButStillFrameTheLog) {
    controller.DecompileCommand();
    controller.ChmToHandheldCommand();
    controller.BatchDecompileCommand();
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"decompile", "handheld"}));
    EXPECT_TRUE(desktop.opened.empty());
    std::string log = window.Log();
    size_t starts = 0;
    for (size_t at = log.find(">>>>>>"); at != std::string::npos; at = log.find(">>>>>>", at + 1))
        ++starts;
    EXPECT_EQ(starts, 3u);
}

TEST_F(ConvertTest, BatchDecompileGivesEachFileANewFolderBesideIt) {
    std::vector<std::string> chms = {Chm("one", true), Chm("two", false)};
    prompt.pickedFiles = {chms};
    controller.BatchDecompileCommand();
    ASSERT_EQ(FoldersStartingWith("one_chm_decompile_").size(), 1u);
    ASSERT_EQ(FoldersStartingWith("two_chm_decompile_").size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(FoldersStartingWith("two_chm_decompile_")[0] + "/a.htm"));
    EXPECT_EQ(desktop.opened, std::vector<std::string>{folder.Root() + "/"});
    EXPECT_TRUE(prompt.picks[0].multiple);

    // Again at once: new folders, the first ones untouched.
    std::vector<CProjectController::DecompileOutcome> again = controller.BatchDecompile(chms);
    ASSERT_EQ(again.size(), 2u);
    EXPECT_TRUE(again[0].ok && again[1].ok);
    EXPECT_EQ(FoldersStartingWith("one_chm_decompile_").size(), 2u);
}

TEST_F(ConvertTest, HandheldConversionOpensThePagesOrSaysWhyNot) {
    std::string chm = Chm("help", true);
    std::string bare = Chm("bare", false);
    std::string out = folder / "hand";
    std::string target = chm;
    dialogs.chmOutput = [&](CDlgChmOutput& dialog) {
        dialog.SetChmText(target);
        dialog.SetOutputText(out);
        return dialog.OnOK();
    };
    controller.ChmToHandheldCommand();
    EXPECT_TRUE(std::filesystem::exists(out + "/index.html"));
    EXPECT_EQ(desktop.opened, (std::vector<std::string>{out, out + "/index.html"}));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text.rfind("help.chm was converted for handheld screens: ", 0),
              0u);
    EXPECT_NE(prompt.messages[0].text.find(out), std::string::npos);

    target = bare;
    out = folder / "hand2";
    desktop.opened.clear();
    prompt.messages.clear();
    controller.ChmToHandheldCommand();
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text.rfind("bare.chm " + Text(510), 0), 0u);
    EXPECT_EQ(desktop.opened, std::vector<std::string>{out});
}

TEST_F(ConvertTest, AHelpFileWithoutContentsOnlyOffersAPlainDecompile) {
    std::string chm = Chm("bare", false);
    Project().SetMBKFileName(folder / "kept.mbk");
    prompt.answers = {Answer::Cancel};
    EXPECT_EQ(controller.OpenChm(chm), 0);
    EXPECT_TRUE(FoldersStartingWith("bare_").empty());
    EXPECT_EQ(prompt.messages[0].text, Text(288));
    EXPECT_EQ(prompt.messages[0].buttons, Buttons::OkCancel);

    prompt.answers = {Answer::Ok};
    EXPECT_EQ(controller.OpenChm(chm), 0);
    std::vector<std::string> made = FoldersStartingWith("bare_chm_decompile_");
    ASSERT_EQ(made.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(made[0] + "/sub/b.htm"));
    EXPECT_EQ(desktop.opened, made);
    EXPECT_EQ(Project().GetMBKFileName(), folder / "kept.mbk");
}

TEST_F(ConvertTest, AFileThatIsNoHelpFileIsReportedAndChangesNothing) {
    std::string junk = folder.Write("junk.chm", "not a help file");
    Project().SetMBKFileName(folder / "kept.mbk");
    EXPECT_EQ(controller.OpenChm(junk), 0);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text.rfind(Text(290), 0), 0u);
    EXPECT_EQ(Project().GetMBKFileName(), folder / "kept.mbk");
    EXPECT_TRUE(FoldersStartingWith("junk_").empty());
}

} // namespace
