// Opening help files and finding and reading their streams, checked
// against chmls on files compiled by chmcmd.

#include "compiledhelp/CHMFileRW.h"
#include "compiledhelp/tests/support/GuideProject.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace mb::testing;

namespace {

class StorageAccessTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_tree = new TempTree;
        s_chm = GuideProject(s_tree->Root() + "/guide").Build("guide.chm");
    }
    static void TearDownTestSuite() {
        delete s_tree;
        s_tree = nullptr;
    }

    static TempTree* s_tree;
    static std::string s_chm;
};

TempTree* StorageAccessTest::s_tree = nullptr;
std::string StorageAccessTest::s_chm;

// Every stream below `storage` as "/path" with its size, depth first in
// enumeration order.
void ListStreams(const CItsStorage& storage, const std::string& prefix,
                 std::vector<ChmlsEntry>& out) {
    for (const CItsElement& element : storage.Elements()) {
        if (element.type == kItsTypeStream) {
            out.push_back({prefix + "/" + element.name, element.size});
            continue;
        }
        CItsStorage child;
        ASSERT_EQ(storage.OpenStorage(element, child), kItsOk);
        ListStreams(child, prefix + "/" + element.name, out);
    }
}

TEST_F(StorageAccessTest, ListingAndStreamBytesMatchChmls) {
    CItsFile file;
    ASSERT_EQ(file.OpenITS(s_chm), kItsOk);
    std::vector<ChmlsEntry> ours;
    ListStreams(file.pStorage(), "", ours);
    std::vector<ChmlsEntry> reference = ChmlsList(s_chm);
    ASSERT_GT(reference.size(), 20u);
    ASSERT_EQ(ours.size(), reference.size());
    for (size_t i = 0; i < ours.size(); ++i) {
        EXPECT_EQ(ours[i].name, reference[i].name) << i;
        EXPECT_EQ(ours[i].size, reference[i].size) << reference[i].name;
    }

    CCHMFileRW reader;
    ASSERT_TRUE(reader.CHM_SetCHMFile(s_chm));
    for (const ChmlsEntry& entry : reference) {
        std::string data;
        std::string inside = entry.name.substr(1);
        ASSERT_EQ(reader.CHM_GetStream(inside, data, true), static_cast<int64_t>(entry.size))
            << entry.name;
        EXPECT_EQ(reader.CHM_GetStreamSize(inside, true), static_cast<int64_t>(entry.size));
        if (entry.size > 0) { // chmls writes nothing for empty streams
            EXPECT_EQ(data, ChmlsExtract(s_chm, entry.name, s_tree->Root() + "/x.bin"))
                << entry.name;
        }
    }
}

TEST_F(StorageAccessTest, StorageTreeFollowsThePathNames) {
    CItsFile file;
    ASSERT_EQ(file.OpenITS(s_chm), kItsOk);
    CItsStorage sub;
    ASSERT_EQ(file.OpenStorage("Sub", sub), kItsOk);
    std::vector<std::string> names;
    for (const auto& element : sub.Elements())
        names.push_back(element.name + (element.type == kItsTypeStorage ? "/" : ""));
    EXPECT_EQ(names, (std::vector<std::string>{"deep/", "Upper.HTM"}));
    CItsStream stream;
    EXPECT_EQ(file.OpenStream("Sub", stream), kItsWrongType);
    EXPECT_EQ(file.OpenStream("missing.htm", stream), kItsNotFound);
    EXPECT_EQ(file.OpenStream("intro.htm", stream), kItsOk);

    // Handles keep the file alive after its owner closed it.
    file.CloseStorage();
    file.CloseStorage();
    EXPECT_FALSE(file.IsOpen());
    std::string data;
    EXPECT_EQ(stream.ReadAll(data), kItsOk);
    EXPECT_EQ(data, Page("Introduction", "<img src=\"images/pic.gif\">"));
    EXPECT_EQ(file.ReadStream("intro.htm", data), kItsNotOpen);
}

TEST_F(StorageAccessTest, FullPathAndBareNameSearches) {
    CCHMFileRW reader;
    ASSERT_TRUE(reader.CHM_SetCHMFile(s_chm));
    std::string data;
    // Full paths are compared ignoring case, with either separator.
    EXPECT_GT(reader.CHM_GetStream("SUB\\DEEP\\C.HTM", data, true), 0);
    EXPECT_EQ(data, Page("Deep C"));
    EXPECT_GT(reader.CHM_GetStream("/sub/deep/c.htm", data, true), 0);
    EXPECT_EQ(data, Page("Deep C"));
    // A bare name is no full path.
    EXPECT_EQ(reader.CHM_GetStream("c.htm", data, true), -1);
    EXPECT_TRUE(data.empty());
    // Without the flag the first stream of that name in directory order wins:
    // images/ comes before Sub/.
    EXPECT_GT(reader.CHM_GetStream("DUP.HTM", data, false), 0);
    EXPECT_EQ(data, Page("Image duplicate"));
    EXPECT_EQ(reader.CHM_GetStreamSize("c.htm", false),
              static_cast<int64_t>(Page("Deep C").size()));
    EXPECT_EQ(reader.CHM_GetStreamSize("nothing.htm", false), -1);
    // 16384 bytes: one full block of the copy buffer and nothing more.
    EXPECT_EQ(reader.CHM_GetStream("block.bin", data, true), 16384);
    EXPECT_EQ(data, BinaryBytes(16384, 3));
    EXPECT_EQ(reader.CHM_GetStream("long.htm", data, true),
              static_cast<int64_t>(Page("Long", LongText(300000, 4)).size()));
    EXPECT_EQ(data, Page("Long", LongText(300000, 4)));

    CItsStorage deep = reader.GetStorage(CItsStorage(), "", "sub\\deep", true);
    EXPECT_FALSE(deep);
    CItsFile file;
    ASSERT_EQ(file.OpenITS(s_chm), kItsOk);
    deep = reader.GetStorage(file.pStorage(), "", "SUB\\DEEP", true);
    ASSERT_TRUE(deep);
    EXPECT_EQ(deep.Name(), "deep");
    EXPECT_TRUE(reader.GetStorage(file.pStorage(), "", "Deep", false));
    EXPECT_FALSE(reader.GetStorage(file.pStorage(), "", "deep", true));
    EXPECT_FALSE(reader.GetStorage(file.pStorage(), "", "Sub\\deep\\c.htm", true));
}

TEST_F(StorageAccessTest, RootSearches) {
    CCHMFileRW reader;
    ASSERT_TRUE(reader.CHM_SetCHMFile(s_chm));
    std::string name;
    EXPECT_TRUE(reader.CHM_FindHHCAtRoot(name));
    EXPECT_EQ(name, "toc.hhc");
    EXPECT_TRUE(reader.CHM_FindHHKAtRoot(name));
    EXPECT_EQ(name, "index.hhk");
    EXPECT_TRUE(reader.CHM_FindMBKAtRoot(name));
    EXPECT_EQ(name, "GUIDE.MBKMBK");
    EXPECT_TRUE(CCHMFileRW::FindMBKAtRoot(s_chm, name));
    EXPECT_EQ(name, "Guide.mbkmbk");
    EXPECT_TRUE(reader.CHM_FindFileAtRoot("intro.htm"));
    EXPECT_FALSE(reader.CHM_FindFileAtRoot("INTRO.HTM"));
    EXPECT_FALSE(reader.CHM_FindFileAtRoot("c.htm")); // not at the root
    EXPECT_TRUE(CCHMFileRW::FindFileAtRoot(s_chm, "#SYSTEM"));
    EXPECT_FALSE(CCHMFileRW::FindFileAtRoot(s_chm, "Sub"));
}

TEST(StorageAccessEdges, ShortSitemapNamesEmptyStreamsAndMissingFiles) {
    TempTree tree;
    ChmProject project;
    project.folder = tree.Root();
    project.Add("a.htm", Page("A"));
    project.Add(".hhc", "only the ending\n");
    project.Add("x.hhc", "five characters\n");
    project.Add("empty.txt", "");
    std::string chm = project.Build("edges.chm");

    CCHMFileRW reader;
    ASSERT_TRUE(reader.CHM_SetCHMFile(chm));
    std::string name;
    ASSERT_TRUE(reader.CHM_FindHHCAtRoot(name));
    EXPECT_EQ(name, "x.hhc");
    EXPECT_FALSE(reader.CHM_FindHHKAtRoot(name));
    EXPECT_FALSE(reader.CHM_FindMBKAtRoot(name));
    EXPECT_FALSE(CCHMFileRW::FindMBKAtRoot(chm, name));

    std::string data = "old";
    EXPECT_EQ(reader.CHM_GetStream("empty.txt", data, true), 0);
    EXPECT_TRUE(data.empty());
    EXPECT_EQ(data.c_str()[0], '\0');

    reader.CHM_CloseCHMFile();
    EXPECT_EQ(reader.CHM_GetStream("a.htm", data, true), -1);
    EXPECT_FALSE(reader.CHM_FindFileAtRoot("a.htm"));

    EXPECT_FALSE(reader.CHM_SetCHMFile(tree / "missing.chm"));
    EXPECT_EQ(reader.GetLastResult(), kItsOpenFailed);
    EXPECT_FALSE(reader.CHM_SetCHMFile(tree.Write("text.chm", LongText(500, 1))));
    EXPECT_EQ(reader.GetLastResult(), kItsNotHelpFile);
    EXPECT_FALSE(reader.CHM_SetCHMFile(tree.Write("short.chm", "ITSF")));
    EXPECT_EQ(reader.GetLastResult(), kItsReadFailed);
    EXPECT_FALSE(CCHMFileRW::GetErr(reader.GetLastResult()).empty());
    EXPECT_NE(CCHMFileRW::GetErr(kItsNotHelpFile), CCHMFileRW::GetErr(kItsOpenFailed));

    // A file cut short is refused or read without crashing.
    std::string bytes = ReadBytes(chm);
    for (size_t cut : {size_t{40}, size_t{120}, bytes.size() / 2, bytes.size() - 10}) {
        std::string path = tree.Write("cut.chm", bytes.substr(0, cut));
        CCHMFileRW cutReader;
        if (cutReader.CHM_SetCHMFile(path))
            cutReader.CHM_GetStream("a.htm", data, true);
    }
}

} // namespace
