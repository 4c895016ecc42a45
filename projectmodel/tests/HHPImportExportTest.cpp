// A project made with HTML Help Workshop is imported with its contents,
// index and files, and exported again for the compiler, which builds the
// same help file from it.

#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/tests/HelpCompiler.h"
#include "projectmodel/tests/NotificationLog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <sys/stat.h>

using mb::testing::NotificationLog;
using mb::testing::ScriptedPrompt;
using mb::testing::TempTree;

namespace fs = std::filesystem;

namespace {

// Every entry below `parent` as "level|Name|Local|extra", depth first, with
// the project folder written as "T/".
void Describe(const CXML* parent, int level, const std::string& folder, const char* extra,
              std::vector<std::string>& out) {
    for (int i = 0; i < parent->GetChildCount(); ++i) {
        const CXML* node = parent->GetChildAt(i);
        std::string local = node->GetAttr("Local");
        if (local.rfind(folder, 0) == 0)
            local = "T/" + local.substr(folder.size());
        out.push_back(std::to_string(level) + "|" + node->GetAttr("Name") + "|" + local + "|" +
                      node->GetAttr(extra));
        Describe(node, level + 1, folder, extra, out);
    }
}

class HHPImportExport : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy(std::string(MB_TEST_DATA_DIR) + "/hhw_project", tree.Root(),
                 fs::copy_options::recursive);
        folder = tree.Root() + "/";
    }
    std::vector<std::string> Contents(const CProjectFile& project) const {
        std::vector<std::string> out;
        Describe(project.HHC_GetTreeRoot(), 0, folder, "ImageNumber", out);
        return out;
    }
    std::vector<std::string> Index(const CProjectFile& project) const {
        std::vector<std::string> out;
        Describe(project.HHK_GetTreeRoot(), 0, folder, "Type", out);
        return out;
    }
    static bool CompilerMissing() {
        return !mb::testing::OnPath("chmcmd") || !mb::testing::OnPath("chmls");
    }

    ScriptedPrompt prompt;
    TempTree tree;
    std::string folder;
};

TEST_F(HHPImportExport, ImportKeepsEveryEntryKeywordAndFile) {
    CProjectFile project;
    project.SetChannels(&prompt.channels);
    NotificationLog log;
    log.Watch(project, "project");
    log.Watch(*project.GetHHCFile(), "hhc");
    log.Watch(*project.GetHHKFile(), "hhk");

    ASSERT_EQ(project.ImportHHPFile(tree / "guide.hhp"), 1);
    EXPECT_EQ(project.GetProjectFolder(), folder);
    EXPECT_EQ(Contents(project), (std::vector<std::string>{
                                     "0|Introduction|T/html/intro.htm|10",
                                     "0|Birds & Their Calls||0",
                                     "1|Owl|T/html/birds/owl.htm|10",
                                     "1|Grey Heron|T/html/birds/heron.htm#calls|16",
                                     "0|Trees||0",
                                     "1|Oak|T/html/trees/oak.htm|0",
                                     "2|Ash, the \"Tree of Life\"|T/html/trees/ash.htm|10",
                                     "0|Glossary|T/html/glossary.htm|10",
                                 }));
    EXPECT_EQ(Index(project), (std::vector<std::string>{
                                  "0|ash|T/html/trees/ash.htm|0",
                                  "0|birds||4",
                                  "1|Owl|T/html/birds/owl.htm|5",
                                  "1|Grey Heron|T/html/birds/heron.htm|5",
                                  "1|calls|T/html/birds/heron.htm#calls|0",
                                  "0|oak & acorn|T/html/trees/oak.htm|0",
                              }));
    std::vector<std::string> files;
    const CXML* listed = project.GetHHPFile()->GetFilesData();
    for (int i = 0; i < listed->GetChildCount(); ++i)
        files.push_back(listed->GetChildAt(i)->GetAttr("Name"));
    EXPECT_EQ(files, (std::vector<std::string>{
                         folder + "html/intro.htm", folder + "html/birds/owl.htm",
                         folder + "html/birds/heron.htm", folder + "html/trees/oak.htm",
                         folder + "html/trees/ash.htm", folder + "html/glossary.htm"}));
    std::string title;
    project.HHP_GetOptionsData(OPT_TITLE, title);
    EXPECT_EQ(title, "Field Guide");
    EXPECT_EQ(log.Only({NC_RELOADED}), (std::vector<std::string>{"project:2", "hhc:2", "hhk:2"}));
}

TEST_F(HHPImportExport, SitemapsNamedByTheWindowAreRead) {
    // The contents file named only by the window line; no index file at all.
    std::string hhp = TempTree::Read(tree / "guide.hhp");
    hhp.erase(hhp.find("Contents file=guide.hhc\r\n"), 25);
    hhp.erase(hhp.find("Index file=guide.hhk\r\n"), 22);
    hhp.erase(hhp.find("\"guide.hhk\""), 11);
    tree.Write("guide.hhp", hhp);

    CProjectFile project;
    project.SetChannels(&prompt.channels);
    ASSERT_EQ(project.ImportHHPFile(tree / "guide.hhp"), 1);
    EXPECT_EQ(project.Content_GetCount(), 8);
    EXPECT_EQ(project.Index_GetCount(), 0);
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(HHPImportExport, WhatIsNoProjectIsRefusedNamingTheReason) {
    std::string random;
    for (int i = 0; i < 2048; ++i)
        random += static_cast<char>(i * 131 % 251);
    const std::pair<std::string, std::string> notProjects[] = {
        {random, "binary"},
        {"", "empty"},
        {"\r\n  \r\n", "empty"},
        {"Title=Guide\r\nnot an ini file", "none of the sections"}};
    for (const auto& [text, reason] : notProjects) {
        prompt.messages.clear();
        CProjectFile project;
        project.SetChannels(&prompt.channels);
        EXPECT_EQ(project.ImportHHPFile(tree.Write("bad.hhp", text)), 0) << reason;
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_NE(prompt.messages[0].text.find(tree / "bad.hhp: "), std::string::npos);
        EXPECT_NE(prompt.messages[0].text.find(reason), std::string::npos)
            << prompt.messages[0].text;
    }
    // A folder or a pipe in place of the project is refused at once.
    fs::create_directory(tree / "folder.hhp");
    ASSERT_EQ(::mkfifo((tree / "pipe.hhp").c_str(), 0644), 0);
    for (const auto& [name, reason] :
         {std::pair{"folder.hhp", "it is a folder"}, std::pair{"pipe.hhp", "not a regular file"}}) {
        prompt.messages.clear();
        CProjectFile project;
        project.SetChannels(&prompt.channels);
        EXPECT_EQ(project.ImportHHPFile(tree / name), 0) << name;
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_NE(prompt.messages[0].text.find(tree / name + ": "), std::string::npos);
        EXPECT_NE(prompt.messages[0].text.find(reason), std::string::npos)
            << prompt.messages[0].text;
    }
}

// eviacam's help projects include header and alias files the package does
// not ship; the compiler compiles them anyway, and so the import takes them.
TEST_F(HHPImportExport, FilesTheProjectNamesButCannotBeReadAreLeftOutWithAWarning) {
    fs::remove(tree / "guide.hhk");
    fs::create_directory(tree / "guide.hhk");
    fs::remove(tree / "html/glossary.htm");
    tree.Write("guide.hhp", TempTree::Read(tree / "guide.hhp") +
                                "\r\n[ALIAS]\r\n#include \"help_alias.h\"\r\n"
                                "\r\n[MAP]\r\n#include \"help_ids.h\"\r\n");
    CProjectFile project;
    project.SetChannels(&prompt.channels);
    ASSERT_EQ(project.ImportHHPFile(tree / "guide.hhp"), 1);
    ASSERT_EQ(prompt.messages.size(), 1u);
    const mb::MessageRequest& warning = prompt.messages[0];
    EXPECT_EQ(warning.icon, mb::Icon::Warning);
    for (const char* named : {"help_ids.h: No such file", "help_alias.h: No such file",
                              "html/glossary.htm: No such file", "guide.hhk: it is a folder"})
        EXPECT_NE(warning.text.find(tree / named), std::string::npos) << named << "\n"
                                                                      << warning.text;
    EXPECT_EQ(project.Content_GetCount(), 8);
    EXPECT_EQ(project.Index_GetCount(), 0);
    EXPECT_EQ(project.GetHHPFile()->GetFilesData()->GetChildCount(), 5);

    // A contents file that is missing, or holds no sitemap, is left out the
    // same way.
    for (bool missing : {true, false}) {
        prompt.messages.clear();
        fs::remove(tree / "guide.hhc");
        if (!missing)
            tree.Write("guide.hhc", "no sitemap in here");
        CProjectFile other;
        other.SetChannels(&prompt.channels);
        ASSERT_EQ(other.ImportHHPFile(tree / "guide.hhp"), 1);
        ASSERT_EQ(prompt.messages.size(), 1u);
        EXPECT_NE(prompt.messages[0].text.find(tree / "guide.hhc: "), std::string::npos)
            << prompt.messages[0].text;
        EXPECT_EQ(other.Content_GetCount(), 0);
        EXPECT_EQ(other.GetHHPFile()->GetFilesData()->GetChildCount(), 5);
    }
}

TEST_F(HHPImportExport, UnicodeWithAByteOrderMarkAndCarriageReturnLinesAreRead) {
    std::string hhp = TempTree::Read(tree / "guide.hhp");
    std::string hhc = TempTree::Read(tree / "guide.hhc");
    auto utf16 = [](const std::string& text, bool littleEndian) {
        std::string out = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
        for (char c : text) // the texts are ASCII
            out += littleEndian ? std::string{c, '\0'} : std::string{'\0', c};
        return out;
    };
    std::string crOnly = hhp;
    for (size_t at; (at = crOnly.find("\r\n")) != std::string::npos;)
        crOnly.erase(at + 1, 1);
    for (const auto& [hhpText, hhcText] :
         {std::pair{utf16(hhp, true), utf16(hhc, true)}, std::pair{utf16(hhp, false), hhc},
          std::pair{crOnly, hhc}}) {
        tree.Write("guide.hhp", hhpText);
        tree.Write("guide.hhc", hhcText);
        CProjectFile project;
        project.SetChannels(&prompt.channels);
        ASSERT_EQ(project.ImportHHPFile(tree / "guide.hhp"), 1);
        EXPECT_EQ(project.Content_GetCount(), 8);
        EXPECT_GT(project.Index_GetCount(), 0);
        EXPECT_EQ(project.GetHHPFile()->GetFilesData()->GetChildCount(), 6);
        std::string title;
        project.HHP_GetOptionsData(OPT_TITLE, title);
        EXPECT_EQ(title, "Field Guide");
    }
    EXPECT_TRUE(prompt.messages.empty());
}

TEST_F(HHPImportExport, EntriesNestedTooDeeplyAreCountedInAWarning) {
    const int entries = 1000;
    std::string hhc = "<HTML><BODY>";
    for (int i = 0; i < entries; ++i)
        hhc += "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"e\">"
               "<param name=\"Local\" value=\"html/intro.htm\"></OBJECT>";
    for (int i = 0; i < entries; ++i)
        hhc += "</UL>";
    tree.Write("guide.hhc", hhc + "</BODY></HTML>");
    CProjectFile project;
    project.SetChannels(&prompt.channels);
    ASSERT_EQ(project.ImportHHPFile(tree / "guide.hhp"), 1);
    int kept = project.Content_GetCount();
    EXPECT_GT(kept, 0);
    ASSERT_LT(kept, entries);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text.rfind(
                  std::to_string(entries - kept) + " entries of \"" + tree / "guide.hhc\"", 0),
              0u)
        << prompt.messages[0].text;
}

TEST_F(HHPImportExport, TheExportedProjectCompilesToTheSameContentsAndIndex) {
    if (CompilerMissing())
        FAIL() << "chmcmd and chmls (fp-utils) are not installed";
    mb::RunResult original = mb::testing::CompileHelp(tree.Root(), "guide.hhp");
    ASSERT_TRUE(fs::exists(tree / "guide.chm")) << original.output;

    CProjectFile project;
    project.SetChannels(&prompt.channels);
    ASSERT_EQ(project.ImportHHPFile(tree / "guide.hhp"), 1);
    ASSERT_EQ(project.ExportHHPFile(tree / "exported.hhp"), 1);
    EXPECT_TRUE(fs::exists(tree / "exported.hhc"));
    EXPECT_TRUE(fs::exists(tree / "exported.hhk"));
    mb::RunResult exported = mb::testing::CompileHelp(tree.Root(), "exported.hhp");
    EXPECT_EQ(exported.exitStatus, 0) << exported.output;
    ASSERT_TRUE(fs::exists(tree / "exported.chm")) << exported.output;

    // Entries without an image number of their own are written with the
    // number the viewer would have shown, so image numbers are left out here
    // (the import test checks them).
    using mb::testing::ExtractSitemap;
    using mb::testing::SitemapEntries;
    std::vector<std::string> toc =
        SitemapEntries(ExtractSitemap(tree / "guide.chm", "extracttoc"), {"imagenumber"});
    ASSERT_EQ(toc.size(), 8u);
    EXPECT_EQ(SitemapEntries(ExtractSitemap(tree / "exported.chm", "extracttoc"), {"imagenumber"}),
              toc);
    std::vector<std::string> index =
        SitemapEntries(ExtractSitemap(tree / "guide.chm", "extractindex"));
    ASSERT_FALSE(index.empty());
    EXPECT_EQ(SitemapEntries(ExtractSitemap(tree / "exported.chm", "extractindex")), index);

    std::vector<std::string> names = mb::testing::ListedNames(tree / "exported.chm");
    for (const char* page : {"/html/intro.htm", "/html/birds/owl.htm", "/html/birds/heron.htm",
                             "/html/trees/oak.htm", "/html/trees/ash.htm", "/html/glossary.htm"})
        EXPECT_NE(std::find(names.begin(), names.end(), page), names.end()) << page;
}

TEST_F(HHPImportExport, ABinaryIndexSwitchedOffStaysOffWhenCompiled) {
    if (CompilerMissing())
        FAIL() << "chmcmd and chmls (fp-utils) are not installed";
    // chmcmd makes a binary index unless the project says no, as CMake's
    // help (made by Sphinx) does.
    std::string hhp = TempTree::Read(tree / "guide.hhp");
    tree.Write("guide.hhp", hhp.insert(hhp.find("[OPTIONS]\r\n") + 11, "Binary Index=No\r\n"));
    CProjectFile project;
    project.SetChannels(&prompt.channels);
    ASSERT_EQ(project.ImportHHPFile(tree / "guide.hhp"), 1);
    ASSERT_EQ(project.ExportHHPFile(tree / "exported.hhp"), 1);
    mb::RunResult compiled = mb::testing::CompileHelp(tree.Root(), "exported.hhp");
    ASSERT_TRUE(fs::exists(tree / "exported.chm")) << compiled.output;
    std::vector<std::string> names = mb::testing::ListedNames(tree / "exported.chm");
    EXPECT_EQ(std::find(names.begin(), names.end(), "/$WWKeywordLinks/BTree"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "/exported.hhk"), names.end());
}

TEST_F(HHPImportExport, ExportedProjectsNameTheirOwnFilesAndNeverTheProjectCopy) {
    CProjectFile project;
    project.SetChannels(&prompt.channels);
    ASSERT_EQ(project.ImportHHPFile(tree / "guide.hhp"), 1);
    // Saved under another name than the imported files carry.
    project.SetMBKFileName(tree / "manual.mbk");
    ASSERT_EQ(project.GetIncludeMBKProjectInfo(), 1);
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(project.ExportHHPFile(tree / "manual.hhp"), 1);
        std::string hhp = TempTree::Read(tree / "manual.hhp");
        EXPECT_EQ(hhp.find(".mbkmbk"), std::string::npos) << round;
        EXPECT_NE(hhp.find("Contents file=manual.hhc\r\n"), std::string::npos);
        EXPECT_NE(hhp.find("Index file=manual.hhk\r\n"), std::string::npos);
        EXPECT_EQ(project.GetIncludeMBKProjectInfo(), 0);
    }
    EXPECT_TRUE(fs::exists(tree / "manual.hhc"));
    EXPECT_TRUE(fs::exists(tree / "manual.hhk"));

    // Read back, the exported files give the same trees.
    CProjectFile reread;
    reread.SetChannels(&prompt.channels);
    ASSERT_EQ(reread.ImportHHPFile(tree / "manual.hhp"), 1);
    EXPECT_EQ(Contents(reread), Contents(project));
    EXPECT_EQ(Index(reread), Index(project));

    // The next project in the same object starts with the copy on.
    project.InitProject();
    EXPECT_EQ(project.GetIncludeMBKProjectInfo(), 1);
}

TEST_F(HHPImportExport, AReadOnlyTargetStopsTheExportWithAWarning) {
    CProjectFile project;
    project.SetChannels(&prompt.channels);
    ASSERT_EQ(project.ImportHHPFile(tree / "guide.hhp"), 1);
    const std::string locked = tree.Write("exported.hhc", "old contents");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    EXPECT_EQ(project.ExportHHPFile(tree / "exported.hhp"), 0);
    EXPECT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(TempTree::Read(locked), "old contents");
    EXPECT_FALSE(fs::exists(tree / "exported.hhk"));
}

TEST_F(HHPImportExport, AProjectWithoutEntriesStillCompiles) {
    if (CompilerMissing())
        FAIL() << "chmcmd and chmls (fp-utils) are not installed";
    CProjectFile project;
    project.SetChannels(&prompt.channels);
    project.SetMBKFileName(tree / "empty.mbk");
    project.GetHHPFile()->AddFile(folder + "html/intro.htm");
    project.HHP_SetOptionsData(OPT_DEFAULT_TOPIC, folder + "html/intro.htm");
    ASSERT_EQ(project.ExportHHPFile(tree / "empty.hhp"), 1);

    mb::RunResult compiled = mb::testing::CompileHelp(tree.Root(), "empty.hhp");
    EXPECT_EQ(compiled.exitStatus, 0) << compiled.output;
    ASSERT_TRUE(fs::exists(tree / "empty.chm")) << compiled.output;
    EXPECT_TRUE(
        mb::testing::SitemapEntries(mb::testing::ExtractSitemap(tree / "empty.chm", "extracttoc"))
            .empty());
}

TEST_F(HHPImportExport, TreesFilledFromOutsideAreAnnouncedAndCanBeDumped) {
    CProjectFile project;
    project.SetChannels(&prompt.channels);
    ASSERT_EQ(project.ImportHHPFile(tree / "guide.hhp"), 1);
    NotificationLog log;
    log.Watch(project, "project");
    log.Watch(*project.GetHHCFile(), "hhc");
    log.Watch(*project.GetHHKFile(), "hhk");
    EXPECT_EQ(project.ImportCHM_X(), 1);
    EXPECT_EQ(log.entries, (std::vector<std::string>{"project:2", "hhc:2", "hhk:2"}));

    // The dumps go to the temporary folder of the system.
    const std::string previous = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
    const std::string scratch = tree.MakeFolder("scratch");
    setenv("TMPDIR", scratch.c_str(), 1);
    std::string contents = project.DumpContent();
    std::string index = project.DumpIndex();
    if (previous.empty())
        unsetenv("TMPDIR");
    else
        setenv("TMPDIR", previous.c_str(), 1);
    EXPECT_EQ(contents, scratch + "/hhcdump.xml");
    EXPECT_EQ(index, scratch + "/hhkdump.xml");
    EXPECT_NE(TempTree::Read(contents).find("Grey Heron"), std::string::npos);
    EXPECT_NE(TempTree::Read(index).find("oak &amp; acorn"), std::string::npos);
}

} // namespace
