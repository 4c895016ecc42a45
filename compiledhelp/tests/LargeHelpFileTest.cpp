// A help file of several thousand files in nested folders, compiled by
// chmcmd (whose directory spans many listing chunks), read against chmls;
// damaged directories, and decompiles into folders that already hold files.

#include "baseutil/tests/support/ScriptedPrompt.h"
#include "compiledhelp/CHMFileRW.h"
#include "compiledhelp/FirstListingChunk.h"
#include "compiledhelp/tests/support/ChmLayout.h"
#include "compiledhelp/tests/support/ChmTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

using namespace mb::testing;
namespace fs = std::filesystem;

namespace {

constexpr int kPages = 3000;

// Every stream of the storage, by full path with a leading "/", and size.
void ListStreams(const CItsStorage& storage, const std::string& prefix,
                 std::vector<std::pair<std::string, uint64_t>>& out) {
    for (const CItsElement& element : storage.Elements()) {
        if (element.type == kItsTypeStream) {
            out.emplace_back(prefix + element.name, element.size);
            continue;
        }
        CItsStorage child;
        ASSERT_EQ(storage.OpenStorage(element, child), kItsOk);
        ListStreams(child, prefix + element.name + "/", out);
    }
}

class LargeHelpFileTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_root =
            new std::string(fs::temp_directory_path() / ("mb_large_" + std::to_string(getpid())));
        ChmProject project;
        project.folder = *s_root + "/project";
        for (int n = 0; n < kPages; ++n) {
            std::string path = "part" + std::to_string(n % 4) + "/chapter" + std::to_string(n % 9) +
                               "/page" + std::to_string(n) + ".htm";
            project.Add(path, "<html><head><title>Page " + std::to_string(n) +
                                  "</title></head><body><p>" + std::string(n % 700, 'x') +
                                  "</p></body></html>");
        }
        s_chm = new std::string(project.Build("large.chm"));
    }
    static void TearDownTestSuite() {
        fs::remove_all(*s_root);
        delete s_chm;
        delete s_root;
    }
    // What chmls extracts, less the container's own files and the
    // project copy.
    static std::map<std::string, std::string> ExpectedFiles() {
        std::map<std::string, std::string> expected;
        for (const auto& [path, bytes] : ChmlsExtractAll(*s_chm, *s_root + "/chmls")) {
            if (!IsSystemPath(path) && path.find(".mbkmbk") == std::string::npos)
                expected[path] = bytes;
        }
        return expected;
    }
    static std::string* s_root;
    static std::string* s_chm;
    LogRecorder log;
};

std::string* LargeHelpFileTest::s_root = nullptr;
std::string* LargeHelpFileTest::s_chm = nullptr;

TEST_F(LargeHelpFileTest, ListingEqualsChmlsNameForNameAndSizeForSize) {
    CItsFile file;
    ASSERT_EQ(file.OpenITS(*s_chm), kItsOk);
    std::vector<std::pair<std::string, uint64_t>> ours;
    ListStreams(file.pStorage(), "/", ours);
    std::vector<std::pair<std::string, uint64_t>> theirs;
    for (const ChmlsEntry& entry : ChmlsList(*s_chm))
        theirs.emplace_back(entry.name, entry.size);
    std::set<std::pair<std::string, uint64_t>> unique(ours.begin(), ours.end());
    EXPECT_EQ(unique.size(), ours.size()) << "names listed twice";
    std::sort(ours.begin(), ours.end());
    std::sort(theirs.begin(), theirs.end());
    EXPECT_GT(ours.size(), static_cast<size_t>(kPages));
    EXPECT_EQ(ours, theirs);
    EXPECT_EQ(file.Damage(), 0);
}

TEST_F(LargeHelpFileTest, DecompileOnOneOrTwoWorkersEqualsChmlsExtractAllLessSystemFiles) {
    std::map<std::string, std::string> expected = ExpectedFiles();
    ASSERT_GE(expected.size(), static_cast<size_t>(kPages)); // and chmcmd's own note
    for (size_t workers : {1, 2}) {
        CCHMFileRW reader;
        reader.SetChannels(log.channels);
        reader.SetWorkers(workers);
        ASSERT_TRUE(reader.CHM_SetCHMFile(*s_chm));
        std::string out = *s_root + "/ours" + std::to_string(workers);
        EXPECT_EQ(reader.CHM_Decompile(out, false), 0);
        EXPECT_EQ(reader.GetWorkersUsed(), workers);
        EXPECT_TRUE(ReadTree(out) == expected) << workers << " workers";
        EXPECT_TRUE(log.lines.empty()) << log.All();
    }
}

TEST_F(LargeHelpFileTest, ADamagedRangeFailsTheRunAndEveryOtherFileIsWrittenWhole) {
    // Two zero bytes at a reset point three quarters into the compressed
    // data, in the second worker's run: the block that starts there has no
    // valid type. The files with data in that reset interval cannot be
    // read; all others are written as they are.
    std::string bytes = ReadBytes(*s_chm);
    ChmLayout layout = ReadChmLayout(bytes);
    const uint64_t framesPerReset = layout.resetInterval / kLzxFrame;
    ASSERT_GT(layout.frameStarts.size(), 8 * framesPerReset);
    const uint64_t frame = layout.frameStarts.size() * 3 / 4 / framesPerReset * framesPerReset;
    bytes.replace(layout.contentStart + layout.frameStarts[frame], 2, std::string(2, '\0'));
    const std::string damaged = *s_root + "/damaged-range.chm";
    WriteBytes(damaged, bytes);

    const uint64_t from = frame * kLzxFrame;
    const uint64_t to = from + layout.resetInterval;
    std::map<std::string, std::string> expected = ExpectedFiles();
    std::set<std::string> lost;
    for (const auto& [name, place] : layout.places) {
        if (place.section == 1 && place.length > 0 && place.offset < to &&
            place.offset + place.length > from && expected.erase(name.substr(1)) > 0)
            lost.insert(name.substr(1));
    }
    ASSERT_FALSE(lost.empty());

    for (size_t workers : {1, 2}) {
        log.lines.clear();
        CCHMFileRW reader;
        reader.SetChannels(log.channels);
        reader.SetWorkers(workers);
        ASSERT_TRUE(reader.CHM_SetCHMFile(damaged));
        std::string out = *s_root + "/from-damaged-range" + std::to_string(workers);
        EXPECT_EQ(reader.CHM_Decompile(out, false), 1) << workers << " workers";
        EXPECT_EQ(reader.GetWorkersUsed(), workers);
        EXPECT_TRUE(ReadTree(out) == expected) << workers << " workers";
        for (const std::string& name : lost) {
            EXPECT_NE(log.All().find(name + "("), std::string::npos) << name << " not reported";
        }
        EXPECT_NE(log.All().find(std::to_string(lost.size()) + " could not be written"),
                  std::string::npos)
            << log.All();
    }
}

TEST_F(LargeHelpFileTest, DamagedDirectoryFailsTheDecompile) {
    std::string original = ReadBytes(*s_chm);
    // The second listing chunk loses its signature: its names are gone.
    std::string lostChunk = original;
    size_t first = lostChunk.find("PMGL");
    size_t second = lostChunk.find("PMGL", first + 1);
    ASSERT_NE(second, std::string::npos);
    lostChunk.replace(second, 4, "XXXX");
    // The directory header names listing chunks 0 to 0xffffffff, which
    // comes to none at all.
    std::string noChunks = original;
    size_t header = noChunks.find("ITSP");
    ASSERT_NE(header, std::string::npos);
    noChunks.replace(header + 0x20, 8, "\0\0\0\0\xff\xff\xff\xff", 8);

    std::vector<std::pair<std::string, std::string>> cases = {{"lost-chunk", lostChunk},
                                                              {"no-chunks", noChunks}};
    for (const auto& [name, bytes] : cases) {
        std::string damaged = *s_root + "/" + name + ".chm";
        WriteBytes(damaged, bytes);
        log.lines.clear();
        CCHMFileRW reader;
        reader.SetChannels(log.channels);
        ASSERT_TRUE(reader.CHM_SetCHMFile(damaged)) << name;
        EXPECT_EQ(reader.CHM_Decompile(*s_root + "/from-" + name, false), 1) << name;
        EXPECT_NE(log.All().find("damaged"), std::string::npos) << name << ": " << log.All();
    }
}

TEST_F(LargeHelpFileTest, ExistingFilesAreKeptUnlessTheUserAgrees) {
    std::string out = *s_root + "/existing";
    WriteBytes(out + "/part0/chapter0/page0.htm", "mine");
    WriteBytes(out + "/part1/chapter1/page1.htm", "mine too");
    {
        ScriptedPrompt prompt; // answers No
        CCHMFileRW reader;
        reader.SetChannels({&prompt, &log});
        ASSERT_TRUE(reader.CHM_SetCHMFile(*s_chm));
        EXPECT_EQ(reader.CHM_Decompile(out, false), 0);
        EXPECT_EQ(prompt.messages.size(), 1u) << "one question for the whole run";
    }
    EXPECT_EQ(ReadBytes(out + "/part0/chapter0/page0.htm"), "mine");
    EXPECT_EQ(ReadBytes(out + "/part1/chapter1/page1.htm"), "mine too");
    EXPECT_GE(ReadTree(out).size(), static_cast<size_t>(kPages));

    ScriptedPrompt prompt;
    prompt.answers = {mb::Answer::Yes};
    CCHMFileRW reader;
    reader.SetChannels({&prompt, &log});
    ASSERT_TRUE(reader.CHM_SetCHMFile(*s_chm));
    EXPECT_EQ(reader.CHM_Decompile(out, false), 0);
    EXPECT_NE(ReadBytes(out + "/part0/chapter0/page0.htm"), "mine");
    EXPECT_NE(ReadBytes(out + "/part1/chapter1/page1.htm"), "mine too");
}

// The little-endian number of 4 bytes at `at`.
uint32_t NumberAt(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

// Where the directory header's first-listing-chunk field lies: the file
// header places the directory at 0x48.
size_t FirstListingFieldOf(const std::string& bytes) {
    return NumberAt(bytes, 0x48) + mb::chm::kDirFirstListingField;
}

TEST_F(LargeHelpFileTest, TheFirstListingChunkIsMendedOnlyWhereChunkZeroIsIt) {
    std::string chm = *s_root + "/mended.chm";
    std::string original = ReadBytes(*s_chm);
    const size_t field = FirstListingFieldOf(original);
    ASSERT_EQ(NumberAt(original, field), 1u) << "as chmcmd writes it";

    WriteBytes(chm, original);
    bool mended = false;
    std::string error;
    ASSERT_TRUE(mb::chm::MendFirstListingChunk(chm, mended, error)) << error;
    EXPECT_TRUE(mended);
    std::string bytes = ReadBytes(chm);
    EXPECT_EQ(NumberAt(bytes, field), 0u);
    std::string expected = original;
    expected.replace(field, 4, std::string(4, '\0'));
    EXPECT_TRUE(bytes == expected) << "nothing else changes";
    ASSERT_TRUE(mb::chm::MendFirstListingChunk(chm, mended, error)) << error;
    EXPECT_FALSE(mended) << "mended once";

    // Chunk 0 names a chunk before it: it is not the first listing chunk,
    // and the field is left as it is.
    std::string other = original;
    const size_t directory = NumberAt(original, 0x48);
    const size_t chunk0 = directory + NumberAt(original, directory + 0x08);
    ASSERT_EQ(original.substr(chunk0, 4), "PMGL");
    other.replace(chunk0 + 0x0c, 4, std::string(4, '\0'));
    WriteBytes(chm, other);
    ASSERT_TRUE(mb::chm::MendFirstListingChunk(chm, mended, error)) << error;
    EXPECT_FALSE(mended);
    EXPECT_TRUE(ReadBytes(chm) == other);
}

TEST(HelpFileOwnName, DecompileNeverReplacesTheHelpFileBeingRead) {
    std::string root = fs::temp_directory_path() / ("mb_self_" + std::to_string(getpid()));
    ChmProject project;
    project.folder = root + "/project";
    project.Add("a.htm", "<html><head><title>A</title></head><body>a</body></html>");
    project.Add("self.chm", "not the help file");
    std::string built = project.Build("built.chm");
    std::string chm = root + "/out/self.chm";
    fs::create_directories(root + "/out");
    fs::rename(built, chm);
    std::string before = ReadBytes(chm);

    LogRecorder log;
    ScriptedPrompt prompt;
    prompt.answers = {mb::Answer::Yes};
    CCHMFileRW reader;
    reader.SetChannels({&prompt, &log});
    ASSERT_TRUE(reader.CHM_SetCHMFile(chm));
    EXPECT_EQ(reader.CHM_Decompile(root + "/out", false), 1);
    EXPECT_EQ(ReadBytes(chm), before);
    EXPECT_EQ(ReadBytes(root + "/out/a.htm"),
              "<html><head><title>A</title></head><body>a</body></html>");
    EXPECT_NE(log.All().find("is the help file being read"), std::string::npos) << log.All();
    fs::remove_all(root);
}

} // namespace
