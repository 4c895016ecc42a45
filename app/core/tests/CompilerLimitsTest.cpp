#include "app/core/CompilerLimits.h"
#include "app/core/ChmCompiler.h"
#include "baseutil/Process.h"
#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "projectmodel/ProjectFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

using mb::testing::ScriptedPrompt;
using mb::testing::TempTree;

namespace {

bool HasCompiler() {
    mb::RunResult found =
        mb::RunAndCapture({"sh", "-c", "command -v chmcmd >/dev/null && command -v chmls"});
    return found.started && found.exitStatus == 0;
}

class UnhonouredSettings : public ::testing::Test {
protected:
    void SetUp() override {
        folder = tree.Root() + "/";
        project.SetChannels(&prompt.channels);
        project.SetMBKFileName(folder + "guide.mbk");
        project.SetIncludeMBKProjectInfo(0);
        for (const char* page : {"a.htm", "sub/b.htm"}) {
            tree.Write(page, std::string("<html><head><title>") + page +
                                 "</title></head><body>Text</body></html>");
            hhp.AddFile(folder + page);
        }
        hhp.UpdateData("guide");
    }

    std::vector<std::string> Lines() const { return mb::UnhonouredSettings(hhp); }

    // The lines that contain every one of `words`.
    int Mentioning(std::initializer_list<std::string> words) const {
        int count = 0;
        for (const std::string& line : Lines()) {
            bool all = true;
            for (const std::string& word : words)
                all = all && line.find(word) != std::string::npos;
            count += all ? 1 : 0;
        }
        return count;
    }

    // A header file of context ids in the project, read into the map.
    CXML* AddHeader(const std::string& name, const std::string& text) {
        tree.Write(name, text);
        hhp.UpdateMapFileData(folder + name);
        CXML* map = hhp.GetMapData();
        return map->GetChildAt(map->GetChildCount() - 1);
    }
    void Assign(CXML* header, const std::string& id, const std::string& page) {
        header->GetChildByTagName(id)->SetAttr("FILE", folder + page);
    }

    // Writes the project's files for the compiler and compiles them.
    int Compile() {
        EXPECT_EQ(project.HHC_WriteFile(folder + "guide.hhc"), 1);
        EXPECT_EQ(project.HHK_WriteFile(folder + "guide.hhk"), 1);
        EXPECT_EQ(project.HHP_WriteFile(folder + "guide.hhp", CHHPFile::PathForm::Compiler), 1);
        return HHA_CompileHHP((folder + "guide.hhp").c_str(), nullptr, nullptr, 0);
    }
    std::string Chmls(const std::string& command) {
        return mb::RunAndCapture({"sh", "-c", "exec chmls \"$@\" 2>/dev/null", "sh", command,
                                  folder + "guide.chm"})
            .output;
    }

    ScriptedPrompt prompt;
    TempTree tree;
    std::string folder;
    CProjectFile project;
    CHHPFile& hhp = *project.GetHHPFile();
};

TEST_F(UnhonouredSettings, DefaultAndHonouredSettingsGiveNoLine) {
    EXPECT_TRUE(Lines().empty());
    CHHPFile alone;
    alone.InitHHP();
    EXPECT_TRUE(mb::UnhonouredSettings(alone).empty());

    hhp.SetOptionsData(OPT_TITLE, "Other title");
    hhp.SetOptionsData(OPT_DEFAULT_TOPIC, folder + "sub/b.htm");
    hhp.SetOptionsData(OPT_DEFAULT_FONT, "Arial,10,0");
    hhp.SetOptionsData(OPT_BINARY_TOC, 1);
    hhp.SetOptionsData(OPT_DISPLAY_COMPILE_PROGRESS, 1);
    // The defaults in another letter case.
    hhp.SetOptionsData(OPT_ERROR_LOG_FILE, "CompileLog.TXT");
    hhp.SetOptionsData(OPT_COMPATIBILITY, "1.1 OR LATER");
    // A stop list does nothing without full-text search anyway.
    hhp.SetOptionsData(OPT_FULL_TEXT_SEARCH, 0);
    hhp.SetOptionsData(OPT_FTS_STOP_LIST_FILE, "stop.stp");
    EXPECT_TRUE(Lines().empty()) << Lines().front();
}

TEST_F(UnhonouredSettings, EachIgnoredOptionGivesItsLine) {
    struct Case {
        std::function<void(CHHPFile&)> set;
        std::string word;
    };
    const Case cases[] = {
        {[](CHHPFile& h) { h.SetOptionsData(OPT_ERROR_LOG_FILE, "build.log"); }, "build.log"},
        {[](CHHPFile& h) { h.SetOptionsData(OPT_FTS_STOP_LIST_FILE, "stop.stp"); }, "stop.stp"},
        {[](CHHPFile& h) { h.SetOptionsData(OPT_COMPATIBILITY, "1.0"); }, "\"1.0\""},
        {[](CHHPFile& h) { h.SetOptionsData(OPT_FLAT, 1); }, "Flat"},
        {[](CHHPFile& h) { h.SetOptionsData(OPT_ENHANCED_DECOMPILATION, 1); }, "decompil"},
    };
    for (const Case& c : cases) {
        hhp.InitOptionsData();
        c.set(hhp);
        EXPECT_EQ(Lines().size(), 1u) << c.word;
        EXPECT_EQ(Mentioning({c.word}), 1) << c.word;
    }
}

TEST_F(UnhonouredSettings, LanguageCodePage) {
    hhp.SetOptionsData(OPT_LANGUAGE, 0x804);
    EXPECT_EQ(Mentioning({"0x804", "CP936", "1252"}), 1);
    hhp.SetOptionsData(OPT_LANGUAGE, 0x419);
    EXPECT_EQ(Mentioning({"0x419", "CP1251"}), 1);
    // German uses the Western European code page itself.
    hhp.SetOptionsData(OPT_LANGUAGE, 0x407);
    EXPECT_EQ(Mentioning({"code page"}), 0);
}

// The lines against what chmcmd really makes of the project.

class UnhonouredSettingsCompiled : public UnhonouredSettings {
protected:
    void SetUp() override {
        if (!HasCompiler())
            FAIL() << "chmcmd and chmls (Debian package fp-utils) are not installed";
        UnhonouredSettings::SetUp();
    }
};

TEST_F(UnhonouredSettingsCompiled, TheHelpFileGetsTheProjectLanguage) {
    hhp.SetOptionsData(OPT_LANGUAGE, 0x407);
    ASSERT_EQ(Compile(), 1);
    std::string system = Chmls("printsystem");
    size_t field = system.find("LCID from HHP file");
    ASSERT_NE(field, std::string::npos) << system;
    size_t colon = system.find(':', field);
    ASSERT_NE(colon, std::string::npos);
    EXPECT_EQ(std::atoi(system.c_str() + colon + 1), 0x407) << system;
    EXPECT_EQ(Mentioning({"English (United States)"}), 0);
}

TEST_F(UnhonouredSettingsCompiled, BinaryIndexLineWhenItIsBuiltAnyway) {
    CXML* keyword = project.GetHHKFile()->GetTreeRoot()->AddChild("node");
    keyword->SetAttr("Name", "alpha");
    keyword->SetAttr("Local", folder + "a.htm");
    hhp.SetOptionsData(OPT_BINARY_INDEX, 0);
    ASSERT_EQ(Compile(), 1);
    bool built = Chmls("list").find("$WWKeywordLinks/BTree") != std::string::npos;
    EXPECT_EQ(Mentioning({"inary index"}), built ? 1 : 0);
}

TEST_F(UnhonouredSettingsCompiled, ContextIdsThatMakeChmcmdRefuseTheProject) {
    CXML* header = AddHeader("ids.h", "#define IDH_A 10\r\n#define IDH_B 20\r\n");
    Assign(header, "IDH_A", "a.htm");
    Assign(header, "IDH_B", "a.htm");
    // Two ids with one topic.
    EXPECT_EQ(Mentioning({"IDH_A and IDH_B", "a.htm"}), 1);
    EXPECT_EQ(Compile(), 0);

    // An id without a topic.
    header->GetChildByTagName("IDH_B")->SetAttr("FILE", "");
    EXPECT_EQ(Mentioning({"IDH_B"}), 1);
    EXPECT_EQ(Mentioning({"IDH_A"}), 0);
    EXPECT_EQ(Compile(), 0);

    // A topic in a subfolder is found: the compiler's project text names
    // it with slashes, while the exported text keeps the interchange form.
    Assign(header, "IDH_B", "sub/b.htm");
    EXPECT_TRUE(Lines().empty());
    EXPECT_NE(hhp.BuildHHPText().find("IDH_B=sub\\b.htm"), std::string::npos);
    EXPECT_NE(hhp.BuildHHPText(CHHPFile::PathForm::Compiler).find("IDH_B=sub/b.htm"),
              std::string::npos);
    EXPECT_EQ(Compile(), 1);

    // Every id with its own topic in the project folder.
    tree.Write("c.htm", "<html><head><title>C</title></head><body>C</body></html>");
    hhp.AddFile(folder + "c.htm");
    Assign(header, "IDH_B", "c.htm");
    EXPECT_TRUE(Lines().empty());
    EXPECT_EQ(Compile(), 1);
    EXPECT_NE(Chmls("list").find("/#IVB"), std::string::npos);
}

TEST_F(UnhonouredSettingsCompiled, HeaderInASubfolderGivesItsContextIds) {
    CXML* header = AddHeader("inc/ids.h", "#define IDH_A 10\r\n");
    Assign(header, "IDH_A", "a.htm");
    EXPECT_TRUE(Lines().empty());
    ASSERT_EQ(Compile(), 1);
    EXPECT_NE(Chmls("list").find("/#IVB"), std::string::npos);
}

} // namespace
