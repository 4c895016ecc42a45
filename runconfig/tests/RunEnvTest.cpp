#include "runconfig/RunEnv.h"
#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "runconfig/SettingsLocation.h"
#include "runconfig/SystemLocale.h"
#include "runconfig/tests/support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using mb::testing::ScopedEnv;
using mb::testing::TempTree;

class RunEnvTest : public ::testing::Test {
protected:
    TempTree home;
    ScopedEnv homeVariable{"MARROWBOOK_HOME", home.Root()};
    mb::testing::ScriptedPrompt prompt;
    std::string log = home / "bwlog.txt";
};

TEST_F(RunEnvTest, PathsComeFromProgramAndSettingsFolders) {
    CRunEnv run;
    CRunEnv* env = &run;
    EXPECT_EQ(env->GetInstallPath(), fs::read_symlink("/proc/self/exe").parent_path().string());
    EXPECT_NE(env->GetInstallPath().back(), '/');
    EXPECT_EQ(env->GetSettingsFolder(), home.Root());
    EXPECT_EQ(env->GetLogfilename(), log);
}

TEST_F(RunEnvTest, LogIsWrittenOnlyAfterItWasCleaned) {
    CRunEnv run;
    CRunEnv* env = &run;
    EXPECT_EQ(env->LogMessage("lost line\n", prompt), 0);
    EXPECT_FALSE(fs::exists(log));

    EXPECT_EQ(env->CleanLogFile(prompt), 1);
    ASSERT_TRUE(fs::is_regular_file(log));
    EXPECT_EQ(fs::file_size(log), 0u);
    EXPECT_EQ(env->LogMessage("first", prompt), 1);
    EXPECT_EQ(env->LogMessage(" second\r\n", prompt), 1);
    EXPECT_EQ(env->LogMessage("", prompt), 1);
    EXPECT_EQ(env->LogMessage("\n>>>>>> third", prompt), 1);
    EXPECT_EQ(TempTree::Read(log), "first second\r\n\n>>>>>> third");

    EXPECT_EQ(env->CleanLogFile(prompt), 1);
    EXPECT_EQ(TempTree::Read(log), "");
    EXPECT_TRUE(prompt.messages.empty());
}

// A folder or a link at the log's place is no log: it is left as it is
// (nothing written through the link), and the run keeps no log.
TEST_F(RunEnvTest, WhatIsNoRegularFileAtTheLogsPlaceIsLeftAlone) {
    const std::string other = home.Write("other.txt", "the user's");
    for (bool folder : {true, false}) {
        fs::remove(log);
        if (folder)
            fs::create_directory(log);
        else
            fs::create_symlink(other, log);
        const std::string kind = folder ? "a folder" : "a symbolic link";
        CRunEnv run;
        CRunEnv* env = &run;
        EXPECT_EQ(env->CleanLogFile(prompt), 0);
        EXPECT_EQ(env->LogMessage("line", prompt), 0);
        const std::string& problem = env->GetLogProblem();
        EXPECT_NE(problem.find(log), std::string::npos) << problem;
        EXPECT_NE(problem.find(kind), std::string::npos) << problem;
    }
    EXPECT_TRUE(fs::is_symlink(log));
    EXPECT_EQ(TempTree::Read(other), "the user's");
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(RunEnvTest, FlashFilesAndFlags) {
    CRunEnv run;
    CRunEnv* env = &run;
    EXPECT_EQ(env->GetNeedCopyFlashFlag(), 0);
    EXPECT_EQ(env->GetNeedCopiedFlashFileCount(), 0);
    env->AddNeedCopiedFlashFile("/a/movie.swf");
    env->AddNeedCopiedFlashFile("/b/intro.swf");
    EXPECT_EQ(env->GetNeedCopyFlashFlag(), 1);
    ASSERT_EQ(env->GetNeedCopiedFlashFileCount(), 2);
    EXPECT_EQ(env->GetNeedCopiedFlashFile(0), "/a/movie.swf");
    EXPECT_EQ(env->GetNeedCopiedFlashFile(1), "/b/intro.swf");
    EXPECT_EQ(env->GetNeedCopiedFlashFile(2), "");
    EXPECT_EQ(env->GetNeedCopiedFlashFile(-1), "");
    env->ResetNeedCopiedFlashFileInfo();
    EXPECT_EQ(env->GetNeedCopyFlashFlag(), 0);
    EXPECT_EQ(env->GetNeedCopiedFlashFileCount(), 0);

    EXPECT_EQ(env->GetFoundLongFilename(), 0);
    env->SetFoundLongFilename(1);
    EXPECT_EQ(env->GetFoundLongFilename(), 1);
    env->SetLastOpenFolder("/home/ann/guide");
    EXPECT_EQ(env->GetLastOpenFolder(), "/home/ann/guide");
}

TEST(SettingsLocation, OverrideFolderIsCreatedAndTrimmed) {
    TempTree tree;
    ScopedEnv home("MARROWBOOK_HOME", tree / "nested/settings/");
    EXPECT_EQ(mb::SettingsFolderFor(tree.Root()), tree / "nested/settings");
    EXPECT_TRUE(fs::is_directory(tree / "nested/settings"));
}

TEST(SettingsLocation, WritableInstallFolderIsPortable) {
    TempTree tree;
    ScopedEnv home("MARROWBOOK_HOME", std::nullopt);
    ScopedEnv config("XDG_CONFIG_HOME", tree / "xdg");
    std::string install = tree.MakeFolder("app");
    EXPECT_EQ(mb::SettingsFolderFor(install), install);
    EXPECT_FALSE(fs::exists(tree / "xdg"));
}

TEST(SettingsLocation, AnInstalledTreeIsNeverPortable) {
    TempTree tree;
    ScopedEnv home("MARROWBOOK_HOME", std::nullopt);
    ScopedEnv config("XDG_CONFIG_HOME", tree / "xdg");
    // /usr/bin as root sees it: writable, with the installed data beside.
    std::string install = tree.MakeFolder("usr/bin");
    tree.MakeFolder("usr/share/marrowbook");
    EXPECT_EQ(mb::SettingsFolderFor(install), tree / "xdg/marrowbook");
}

TEST(SettingsLocation, OtherwiseTheUsersConfigFolder) {
    TempTree tree;
    ScopedEnv home("MARROWBOOK_HOME", std::nullopt);
    // An install folder this process cannot write to (it does not exist).
    const std::string install = tree / "missing/app";
    {
        ScopedEnv config("XDG_CONFIG_HOME", tree / "xdg");
        EXPECT_EQ(mb::SettingsFolderFor(install), tree / "xdg/marrowbook");
        EXPECT_TRUE(fs::is_directory(tree / "xdg/marrowbook"));
    }
    {
        ScopedEnv config("XDG_CONFIG_HOME", "relative/ignored");
        ScopedEnv user("HOME", tree / "ann");
        EXPECT_EQ(mb::SettingsFolderFor(install), tree / "ann/.config/marrowbook");
    }
    {
        ScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
        ScopedEnv user("HOME", tree / "bob");
        EXPECT_EQ(mb::SettingsFolderFor(install), tree / "bob/.config/marrowbook");
        EXPECT_TRUE(fs::is_directory(tree / "bob/.config/marrowbook"));
    }
    EXPECT_FALSE(fs::exists(install));
}

TEST(SystemLocale, LocaleNamesGiveWindowsLanguageIds) {
    const std::pair<const char*, int> cases[] = {
        {"en_US.UTF-8", 1033},
        {"en_GB.UTF-8", 2057},
        {"de_DE.UTF-8", 1031},
        {"fr_FR", 1036},
        {"zh_CN.GB18030", 2052},
        {"zh_TW.UTF-8", 1028},
        {"ja_JP.eucJP", 1041},
        {"ru_RU.KOI8-R", 1049},
        {"ko_KR.UTF-8", 1042},
        {"es_ES@euro", 3082},
        {"it_IT.UTF-8@euro", 1040},
        {"pt_BR", 1046},
        {"pt_PT", 2070},
        {"de_AT", 3079},
        {"de_BE", 1031}, // German with an unlisted territory: German
        {"nl", 1043},
        {"sv_SE.utf8", 1053},
        {"DE_de", 1031},
        {"C", 1033},
        {"POSIX", 1033},
        {"C.UTF-8", 1033},
        {"xx_YY", 1033},
        {"", 1033},
    };
    for (const auto& [name, id] : cases)
        EXPECT_EQ(mb::LocaleIdFromName(name), id) << name;
}

TEST(SystemLocale, MessageLocaleFollowsThePosixPrecedence) {
    ScopedEnv all("LC_ALL", "ja_JP.UTF-8");
    ScopedEnv messages("LC_MESSAGES", "de_DE.UTF-8");
    ScopedEnv lang("LANG", "fr_FR.UTF-8");
    EXPECT_EQ(mb::SystemDefaultLocaleId(), 1041);
    {
        ScopedEnv emptyAll("LC_ALL", "");
        EXPECT_EQ(mb::SystemDefaultLocaleId(), 1031);
        ScopedEnv noMessages("LC_MESSAGES", std::nullopt);
        EXPECT_EQ(mb::SystemDefaultLocaleId(), 1036);
        ScopedEnv noLang("LANG", std::nullopt);
        EXPECT_EQ(mb::SystemDefaultLocaleId(), 1033);
    }
}

} // namespace
