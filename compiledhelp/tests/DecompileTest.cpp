// Decompiling, dumping, the context map and the storage description,
// checked against chmls on files compiled by chmcmd.

#include "baseutil/Xml.h"
#include "compiledhelp/CHMFileRW.h"
#include "compiledhelp/tests/support/GuideProject.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace mb::testing;

namespace {

// id -> topic as chmls extractalias writes it into the .ali file beside
// the help file.
std::map<uint32_t, std::string> ChmlsAliases(const std::string& chm) {
    mb::RunAndCapture({"chmls", "extractalias", chm});
    std::map<uint32_t, std::string> aliases;
    std::istringstream lines(
        ReadBytes(std::filesystem::path(chm).replace_extension(".ali").string()));
    std::string line;
    static const std::regex row(R"(^helpid(\d+)=(.*)$)");
    while (std::getline(lines, line)) {
        std::smatch match;
        if (std::regex_match(line, match, row))
            aliases[static_cast<uint32_t>(std::stoul(match[1]))] = match[2];
    }
    return aliases;
}

class DecompileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_tree = new TempTree;
        s_chm = GuideProject(s_tree->Root() + "/guide").Build("guide.chm");
        s_reference = new std::map<std::string, std::string>(
            ChmlsExtractAll(s_chm, s_tree->Root() + "/reference"));
    }
    static void TearDownTestSuite() {
        delete s_reference;
        delete s_tree;
    }

    static TempTree* s_tree;
    static std::string s_chm;
    static std::map<std::string, std::string>* s_reference;
    LogRecorder log;
};

TempTree* DecompileTest::s_tree = nullptr;
std::string DecompileTest::s_chm;
std::map<std::string, std::string>* DecompileTest::s_reference = nullptr;

TEST_F(DecompileTest, DecompileEqualsChmlsLessSystemElements) {
    std::map<std::string, std::string> expected;
    for (const auto& [path, bytes] : *s_reference) {
        if (!IsSystemPath(path) && path.find(".mbkmbk") == std::string::npos)
            expected[path] = bytes;
    }
    ASSERT_TRUE(expected.count("Sub/deep/c.htm"));
    ASSERT_TRUE(expected.count("long.htm"));

    CCHMFileRW reader;
    reader.SetChannels(log.channels);
    ASSERT_TRUE(reader.CHM_SetCHMFile(s_chm));
    std::string out = *s_tree / "decompiled";
    EXPECT_EQ(reader.CHM_Decompile(out, false), 0);
    EXPECT_EQ(ReadTree(out), expected);
    EXPECT_TRUE(log.lines.empty()) << log.All();

    // With the project copy: exactly one file more, and the switch stays on
    // for the storage description.
    std::string withProject = *s_tree / "with-project";
    EXPECT_EQ(reader.CHM_Decompile(withProject, true), 0);
    std::map<std::string, std::string> tree = ReadTree(withProject);
    EXPECT_EQ(tree.size(), expected.size() + 1);
    EXPECT_EQ(tree["Guide.mbkmbk"], "<<MMAARRRROOWW>>\n");
    CXML root("FILES_TREE_ROOT");
    ASSERT_TRUE(reader.CHM_ReadAllStorageInfoToXML(&root));
    bool listed = false;
    for (int i = 0; i < root.GetChildCount(); ++i)
        listed = listed || root.GetChildAt(i)->GetAttr("Name") == "Guide.mbkmbk";
    EXPECT_TRUE(listed);
}

TEST_F(DecompileTest, DumpWritesSystemElementsAndTheContextMap) {
    std::string out = *s_tree / "dumped";
    CCHMFileRW reader;
    reader.SetChannels(log.channels);
    EXPECT_EQ(reader.Dump(s_chm, out, "context.map"), 0);
    std::map<std::string, std::string> tree = ReadTree(out);
    ASSERT_TRUE(tree.count("#SYSTEM"));
    ASSERT_TRUE(tree.count("$WWKeywordLinks/BTree"));
    EXPECT_EQ(tree["#ITBITS"], ""); // empty: chmls leaves it out
    std::map<std::string, std::string> compared;
    for (const auto& [path, bytes] : tree) {
        if (!bytes.empty() && path != "context.map" && path.find(".mbkmbk") == std::string::npos)
            compared[path] = bytes;
    }
    std::map<std::string, std::string> expected;
    for (const auto& [path, bytes] : *s_reference) {
        if (path.find(".mbkmbk") == std::string::npos)
            expected[path] = bytes;
    }
    EXPECT_EQ(compared, expected);

    std::map<uint32_t, std::string> aliases = ChmlsAliases(s_chm);
    ASSERT_EQ(aliases.size(), 3u);
    CHMContextMap map;
    EXPECT_EQ(CCHMFileRW::GetContextMap(s_chm, map), kItsOk);
    EXPECT_EQ(map, aliases);
    std::string text;
    for (const auto& [id, topic] : aliases)
        text += std::to_string(id) + "=" + topic + "\n";
    EXPECT_EQ(tree["context.map"], text);
    EXPECT_LT(text.find("7="), text.find("10=")); // ascending ids
}

TEST_F(DecompileTest, ContextMapOfOneAliasAndOfNone) {
    TempTree tree;
    ChmProject project;
    project.folder = tree.Root();
    project.Add("a.htm", Page("A"));
    std::string plain = project.Build("plain.chm");
    project.alias = {"IDH_A=a.htm"};
    project.map = {"#define IDH_A 42"};
    std::string one = project.Build("one.chm");

    CItsFile file;
    ASSERT_EQ(file.OpenITS(one), kItsOk);
    std::string ivb;
    ASSERT_EQ(file.ReadStream("#IVB", ivb), kItsOk);
    EXPECT_EQ(ivb.size(), 12u);
    CHMContextMap map;
    EXPECT_EQ(CCHMFileRW::GetContextMap(one, map), kItsOk);
    ASSERT_EQ(map.size(), 1u);
    EXPECT_EQ(map.begin()->first, 42u);
    EXPECT_EQ(map.begin()->second, ChmlsAliases(one)[42]);

    EXPECT_EQ(CCHMFileRW::GetContextMap(plain, map), kItsOk);
    EXPECT_TRUE(map.empty());
    EXPECT_EQ(CCHMFileRW::GetContextMap(tree / "missing.chm", map), kItsOpenFailed);
}

TEST_F(DecompileTest, StorageDescriptionMatchesTheListing) {
    CCHMFileRW reader;
    reader.SetChannels(log.channels);
    ASSERT_TRUE(reader.CHM_SetCHMFile(s_chm));
    CXML root("FILES_TREE_ROOT");
    root.SetAttr("Local", "guide.chm::");
    ASSERT_TRUE(reader.CHM_ReadAllStorageInfoToXML(&root));

    std::vector<std::string> locals;
    std::map<std::string, int> types;
    std::function<void(CXML*)> walk = [&](CXML* element) {
        for (int i = 0; i < element->GetChildCount(); ++i) {
            CXML* node = element->GetChildAt(i);
            EXPECT_EQ(node->GetTagName(), "Node");
            std::string local = node->GetAttr("Local");
            EXPECT_EQ(local, element->GetAttr("Local") + "/" + std::string(node->GetAttr("Name")));
            types[local.substr(std::string("guide.chm::/").size())] = node->GetAttrInt("Type");
            if (node->GetAttrInt("Type") != 0)
                locals.push_back(local);
            walk(node);
        }
    };
    walk(&root);

    std::vector<std::string> expected;
    for (const ChmlsEntry& entry : ChmlsList(s_chm)) {
        if (!IsSystemPath(entry.name.substr(1)) && entry.name.find(".mbkmbk") == std::string::npos)
            expected.push_back("guide.chm::" + entry.name);
    }
    EXPECT_EQ(locals, expected);
    std::map<std::string, int> wanted = {{"Sub", 0},
                                         {"old.HHP", 1},
                                         {"toc.hhc", 2},
                                         {"index.hhk", 2},
                                         {"intro.htm", 3},
                                         {"Sub/Upper.HTM", 3},
                                         {"style.css", 4},
                                         {"code.js", 5},
                                         {"images/shot.bmp", 6},
                                         {"images/photo.JPEG", 7},
                                         {"images/pic.gif", 8},
                                         {"images/logo.png", 9},
                                         {"data.xml", 10},
                                         {"notes.txt", 11},
                                         {"block.bin", 11}};
    for (const auto& [path, type] : wanted)
        EXPECT_EQ(types[path], type) << path;
    EXPECT_FALSE(types.count("$WWKeywordLinks"));
    EXPECT_FALSE(types.count("#SYSTEM"));
}

TEST_F(DecompileTest, DumpStorageAndDumpStream) {
    CCHMFileRW reader;
    reader.SetChannels(log.channels);
    ASSERT_TRUE(reader.CHM_SetCHMFile(s_chm));
    std::string out = *s_tree / "storage-dump";
    EXPECT_TRUE(reader.CHM_DumpStorage("copy", "sub", out, false));
    std::map<std::string, std::string> tree = ReadTree(out);
    EXPECT_EQ(tree, (std::map<std::string, std::string>{
                        {"copy/Upper.HTM", s_reference->at("Sub/Upper.HTM")},
                        {"copy/deep/c.htm", s_reference->at("Sub/deep/c.htm")},
                        {"copy/deep/dup.htm", s_reference->at("Sub/deep/dup.htm")}}));
    // A storage with system elements, with and without them.
    EXPECT_TRUE(reader.CHM_DumpStorage("kw", "$WWKeywordLinks", out, true));
    EXPECT_EQ(ReadTree(out + "/kw").size(), 4u);
    // No such storage: nothing written, and no failure.
    EXPECT_TRUE(reader.CHM_DumpStorage("none", "Nowhere", out, false));
    EXPECT_FALSE(std::filesystem::exists(out + "/none"));
    // The sub-folder must be one plain name.
    EXPECT_FALSE(reader.CHM_DumpStorage("..", "Sub", out + "/inner", false));
    EXPECT_FALSE(reader.CHM_DumpStorage("a/../..", "Sub", out + "/inner", false));
    EXPECT_FALSE(std::filesystem::exists(out + "/Upper.HTM"));
    EXPECT_EQ(ReadTree(out + "/inner").size(), 0u);

    std::string file = *s_tree / "stream-dump/pic.gif";
    std::filesystem::create_directories(*s_tree / "stream-dump");
    EXPECT_TRUE(reader.CHM_DumpStream("ignored", "IMAGES\\pic.gif", file, false));
    EXPECT_EQ(ReadBytes(file), s_reference->at("images/pic.gif"));
    EXPECT_TRUE(reader.CHM_DumpStream("", "block.bin", file, false)); // replaces
    EXPECT_EQ(ReadBytes(file), s_reference->at("block.bin"));
    EXPECT_FALSE(reader.CHM_DumpStream("", "pic.gif", file, false)); // not a full path
    EXPECT_FALSE(reader.CHM_DumpStream("", "block.bin", *s_tree / "no/such/folder/x", false));
}

TEST_F(DecompileTest, HostileNamesAreRefusedAndTheRestIsWritten) {
    TempTree tree;
    ChmProject project;
    project.folder = tree / "project";
    project.Add("intro.htm", Page("Intro"));
    project.Add("aa/bb/cc/esc1.htm", Page("One"));
    project.Add("absx/esc2.htm", Page("Two"));
    project.Add("dd/esc3.htm", Page("Three"));
    project.Add("bs/esc4.htm", Page("Four"));
    project.Add("zz/last.htm", Page("Last"));
    std::string chm = project.Build("hostile.chm");
    PatchBytes(chm, "/aa/bb/cc/esc1.htm", "/../../../esc1.htm");
    PatchBytes(chm, "/absx/esc2.htm", "//tmp/esc2.htm");
    PatchBytes(chm, "/dd/esc3.htm", "/C:/esc3.htm");
    PatchBytes(chm, "/bs/esc4.htm", "/..\\esc4.htm");

    std::string out = tree / "a/b/out";
    CCHMFileRW reader;
    reader.SetChannels(log.channels);
    ASSERT_TRUE(reader.CHM_SetCHMFile(chm));
    // Refused on purpose, the names do not fail the run; the summary
    // counts them.
    EXPECT_EQ(reader.CHM_Decompile(out, false), 0);
    size_t streams = 0;
    for (const ChmlsEntry& entry : ChmlsList(chm))
        streams += IsSystemPath(entry.name.substr(1)) ? 0 : 1;
    EXPECT_NE(log.All().find("4 of " + std::to_string(streams) +
                             " files of the help file were not written: 4 refused for unsafe "
                             "names"),
              std::string::npos)
        << log.All();

    std::map<std::string, std::string> written = ReadTree(out);
    EXPECT_EQ(written["intro.htm"], Page("Intro"));
    EXPECT_EQ(written["zz/last.htm"], Page("Last"));
    for (const auto& [path, bytes] : written)
        EXPECT_EQ(path.find("esc"), std::string::npos) << path;
    // Nothing landed anywhere else in the scratch tree, nor in /tmp.
    for (const auto& [path, bytes] : ReadTree(tree.Root())) {
        bool inside = path.rfind("a/b/out/", 0) == 0 || path.rfind("project/", 0) == 0;
        EXPECT_TRUE(inside) << path;
    }
    EXPECT_FALSE(std::filesystem::exists("/tmp/esc2.htm"));
    std::string all = log.All();
    for (const char* name : {"\"..\"", "\"\"", "\"C:\"", "\"..\\esc4.htm\""})
        EXPECT_NE(all.find(name), std::string::npos) << name << " in " << all;

    // The same for the handheld copy and a storage dump.
    std::string pda = tree / "a/b/pda";
    reader.CHM2PDA(chm, pda, "index.html");
    EXPECT_EQ(ReadTree(pda)["source/zz/last.htm"].find("<h1>Last</h1>") != std::string::npos, true);
    for (const auto& [path, bytes] : ReadTree(tree.Root())) {
        bool inside = path.rfind("a/b/", 0) == 0 || path.rfind("project/", 0) == 0;
        EXPECT_TRUE(inside) << path;
    }
}

// Streams whose files would take each other's place: a stream beside a
// storage of the same name (both orders of the two names), and two streams
// of one name once a NUL byte ends the second. The first is written; the
// other is named, counted and fails the run.
// chmcmd lists a file twice when the project names it and a style sheet
// does too (every Doxygen help file it compiles): one file, written once.
TEST_F(DecompileTest, AFileListedTwiceIsWrittenOnceWithoutFailingTheRun) {
    TempTree tree;
    ChmProject project;
    project.folder = tree / "project";
    project.Add("intro.htm", Page("Intro"));
    project.Add("tab_a.png", "same bytes");
    project.Add("tab_b.png", "same bytes");
    std::string chm = project.Build("twice.chm");
    PatchBytes(chm, "\x0a/tab_b.png", "\x0a/tab_a.png");

    std::string out = tree / "out";
    CCHMFileRW reader;
    reader.SetChannels(log.channels);
    ASSERT_TRUE(reader.CHM_SetCHMFile(chm));
    EXPECT_EQ(reader.CHM_Decompile(out, false), 0) << log.All();
    std::map<std::string, std::string> written = ReadTree(out);
    size_t streams = 0;
    for (const ChmlsEntry& entry : ChmlsList(chm))
        streams += IsSystemPath(entry.name.substr(1)) ? 0 : 1;
    EXPECT_EQ(written.size(), streams - 1);
    EXPECT_EQ(written["tab_a.png"], "same bytes");
    EXPECT_EQ(log.All().find("not written"), std::string::npos) << log.All();
}

TEST_F(DecompileTest, CollidingNamesAreNamedCountedAndFailTheRun) {
    TempTree tree;
    ChmProject project;
    project.folder = tree / "project";
    project.Add("intro.htm", Page("Intro"));
    project.Add("c", "stream d");
    project.Add("d/e.htm", Page("E"));
    project.Add("f.htm", Page("F"));
    project.Add("k.htm/g.htm", Page("G"));
    project.Add("nul", "first nul");
    project.Add("nulx", "second nul");
    std::string chm = project.Build("colliding.chm");
    PatchBytes(chm, "\x02/c", "\x02/d");
    PatchBytes(chm, "\x0c/k.htm/g.htm", "\x0c/f.htm/g.htm");
    PatchBytes(chm, std::string("\x05/nulx"), std::string("\x05/nul\0", 6));

    std::string out = tree / "out";
    CCHMFileRW reader;
    reader.SetChannels(log.channels);
    ASSERT_TRUE(reader.CHM_SetCHMFile(chm));
    EXPECT_EQ(reader.CHM_Decompile(out, false), 1);

    std::map<std::string, std::string> written = ReadTree(out);
    EXPECT_EQ(written["intro.htm"], Page("Intro"));
    EXPECT_EQ(written["d"], "stream d");
    EXPECT_EQ(written["f.htm"], Page("F"));
    EXPECT_EQ(written["nul"], "first nul");
    size_t streams = 0;
    for (const ChmlsEntry& entry : ChmlsList(chm))
        streams += IsSystemPath(entry.name.substr(1)) ? 0 : 1;
    EXPECT_EQ(written.size(), streams - 3);
    std::string all = log.All();
    for (const char* lost :
         {"not written: \"/d/e.htm\"", "not written: \"/f.htm/g.htm\"", "not written: \"/nul\""})
        EXPECT_NE(all.find(lost), std::string::npos) << lost << " in " << all;
    EXPECT_NE(all.find("3 of " + std::to_string(streams) +
                       " files of the help file were not written: 3 could not be written"),
              std::string::npos)
        << all;
    EXPECT_EQ(all.find("existing file"), std::string::npos) << all;
}

TEST_F(DecompileTest, StreamFailingMidwayLeavesNoFile) {
    TempTree tree;
    ChmProject project = GuideProject(tree / "project");
    std::string chm = project.Build("broken.chm");
    InflateStreamLength(chm, "/long.htm");

    CCHMFileRW reader;
    reader.SetChannels(log.channels);
    ASSERT_TRUE(reader.CHM_SetCHMFile(chm));
    std::string out = tree / "out";
    EXPECT_EQ(reader.CHM_Decompile(out, false), 1);
    std::map<std::string, std::string> written = ReadTree(out);
    for (const auto& [path, bytes] : written)
        EXPECT_NE(path.rfind("long.htm", 0), 0u) << path; // no file, no temporary left over
    EXPECT_EQ(written["intro.htm"], s_reference->at("intro.htm"));
    EXPECT_EQ(written["Sub/deep/c.htm"], s_reference->at("Sub/deep/c.htm"));
    EXPECT_NE(log.All().find(out + "/long.htm("), std::string::npos) << log.All();
}

TEST_F(DecompileTest, UncreatableOutputIsReportedAndFlagged) {
    TempTree tree;
    // A file where the "images" folder should go.
    tree.Write("out/images", "in the way");
    CCHMFileRW reader;
    reader.SetChannels(log.channels);
    ASSERT_TRUE(reader.CHM_SetCHMFile(s_chm));
    EXPECT_EQ(reader.CHM_Decompile(tree / "out", false), 1);
    EXPECT_TRUE(reader.FoundUncreatableName());
    EXPECT_NE(log.All().find(tree / "out/images"), std::string::npos);
    std::map<std::string, std::string> written = ReadTree(tree / "out");
    EXPECT_EQ(written["Sub/deep/c.htm"], s_reference->at("Sub/deep/c.htm"));
    EXPECT_EQ(written["images"], "in the way");
}

} // namespace
