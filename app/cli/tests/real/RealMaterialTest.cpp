// Real help projects, none of them written here, run end to end through the
// command-line tool and compared with what chmcmd, chmls and CHMLib make of
// them: Debian's eviacam (six languages, UTF-8 and ISO-8859-1, missing
// header includes, pages that use ../normal.css), xmlcopyeditor and the
// wxWidgets help sample, CMake's help made by Sphinx, and libxml2's API made
// by Doxygen. prepare_material.sh fetches and generates them and compiles the
// reference help files with chmcmd.

#include "app/cli/tests/CliRun.h"
#include "app/cli/tests/real/RealMaterial.h"
#include "projectmodel/LegacyText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>

namespace fs = std::filesystem;
using mb::testing::Cli;

namespace mb::testing {
namespace {

struct RealProject {
    const char* name;  // the test's name
    const char* group; // the folder of material/source the project lies in
    const char* hhp;   // the project inside it
};

void PrintTo(const RealProject& project, std::ostream* out) { *out << project.name; }

const RealProject kProjects[] = {
    {"eviacam_ca", "eviacam", "ca/help.hhp"},
    {"eviacam_de", "eviacam", "de/help.hhp"},
    {"eviacam_en", "eviacam", "en/help.hhp"},
    {"eviacam_es", "eviacam", "es/help.hhp"},
    {"eviacam_gl", "eviacam", "gl/help.hhp"},
    {"eviacam_ru", "eviacam", "ru/help.hhp"},
    {"xmlcopyeditor", "xmlcopyeditor", "xmlcopyeditor.hhp"},
    {"wxhelp", "wxhelp", "testing.hhp"},
    {"cmake_sphinx", "cmake", "CMake.hhp"},
    {"libxml2_doxygen", "libxml2", "index.hhp"},
};

class RealProjectTest : public ::testing::TestWithParam<RealProject> {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        m_work = WorkFolder(std::string(test->test_suite_name()) + "." + test->name());
    }
    void TearDown() override {
        if (!HasFailure())
            fs::remove_all(m_work);
    }

    // A copy of the project's group of files from `tree` ("source" or
    // "reference") in the test's folder; the path of the project file in it.
    fs::path CopyProject(const char* tree) {
        fs::path group = m_work / GetParam().group;
        fs::copy(Material() / tree / GetParam().group, group, fs::copy_options::recursive);
        return group / GetParam().hhp;
    }
    // The reference help file that chmcmd made of the original project.
    fs::path ReferenceHelpFile() const {
        fs::path folder = (Material() / "reference" / GetParam().group / GetParam().hhp).parent_path();
        return folder / HelpFileNamed(folder / fs::path(GetParam().hhp).filename());
    }

    fs::path m_work;
};

// The rest of the last line of `output` that starts with `start`.
std::string LastLineAfter(const std::string& output, const std::string& start) {
    std::istringstream lines(output);
    std::string line, found;
    while (std::getline(lines, line))
        if (line.rfind(start, 0) == 0)
            found = line.substr(start.size());
    return found;
}

// Compiles the project file `mbk`; the help file made.
fs::path Compile(const fs::path& mbk) {
    RunResult compiled = Cli({"--yes", "compile", mbk.string()});
    EXPECT_EQ(compiled.exitStatus, 0) << compiled.output;
    return LastLineAfter(compiled.output, "compiled ");
}

void ExpectSameContentsAndIndex(const fs::path& ours, const fs::path& reference,
                                const fs::path& scratch) {
    ASSERT_TRUE(fs::is_regular_file(ours)) << ours;
    // Texts are compared as text: a sitemap in UTF-8 and one in the code
    // page of the help file's language say the same.
    const int ourLanguage = ReadSystemNames(ours).language;
    const int referenceLanguage = ReadSystemNames(reference).language;
    for (const char* command : {"extracttoc", "extractindex"}) {
        std::vector<std::string> expected = ComparableEntries(
            ToUtf8FromLanguage(ChmlsSitemap(reference, command, scratch), referenceLanguage));
        std::vector<std::string> actual = ComparableEntries(
            ToUtf8FromLanguage(ChmlsSitemap(ours, command, scratch), ourLanguage));
        // Every project has contents; a few have no index.
        if (std::string(command) == "extracttoc") {
            EXPECT_FALSE(expected.empty());
        }
        EXPECT_EQ(FirstDifference(expected, actual), "") << command << ": " << expected.size()
                                                         << " entries expected, " << actual.size()
                                                         << " made";
    }
}

TEST_P(RealProjectTest, ImportedAndCompiledGivesTheReferenceContentsAndIndex) {
    fs::path hhp = CopyProject("source");
    RunResult imported = Cli({"--yes", "import-hhp", hhp.string()});
    ASSERT_EQ(imported.exitStatus, 0) << imported.output;
    fs::path mbk = fs::path(hhp).replace_extension(".mbk");
    fs::path ours = Compile(mbk);
    ExpectSameContentsAndIndex(ours, ReferenceHelpFile(), m_work);

    // What other readers see in our help file.
    std::vector<std::string> listed = ChmlsNames(ours);
    for (const std::string& name : listed)
        EXPECT_EQ(name.find(".mb-compile"), std::string::npos) << name;
    EXPECT_EQ(FirstDifference(ReadableNames(listed),
                              ReadableNames(ExtractedByChmLib(ours, m_work / "chmlib"))),
              "");
    SystemNames system = ReadSystemNames(ours);
    EXPECT_EQ(system.contents, mbk.stem().string() + ".hhc");
    if (!ReadSystemNames(ReferenceHelpFile()).index.empty()) {
        EXPECT_EQ(system.index, mbk.stem().string() + ".hhk");
    }
}

TEST_P(RealProjectTest, OpenedAndCompiledGivesTheReferenceContentsAndIndex) {
    fs::path chm = m_work / ReferenceHelpFile().filename();
    fs::create_directories(m_work);
    fs::copy_file(ReferenceHelpFile(), chm);
    RunResult opened = Cli({"--yes", "open-chm", chm.string()});
    ASSERT_EQ(opened.exitStatus, 0) << opened.output;
    fs::path mbk = LastLineAfter(opened.output, "project ");
    ASSERT_TRUE(fs::is_regular_file(mbk)) << opened.output;
    ExpectSameContentsAndIndex(Compile(mbk), ReferenceHelpFile(), m_work);
}

TEST_P(RealProjectTest, DecompiledGivesTheFilesChmlsExtracts) {
    // Nested, so that the names chmls writes outside its folder ("/../x")
    // stay in the test's folder.
    fs::path place = m_work / "a" / "b";
    fs::create_directories(place);
    fs::path chm = place / ReferenceHelpFile().filename();
    fs::copy_file(ReferenceHelpFile(), chm);
    RunResult decompiled = Cli({"--yes", "decompile", "--output", (place / "ours").string(),
                                chm.string()});
    EXPECT_EQ(decompiled.exitStatus, 0) << decompiled.output;
    std::set<std::string> outside;
    for (const std::string& file : FilesBelow(m_work))
        if (file.rfind("a/b/ours/", 0) != 0 && file != "a/b/" + chm.filename().string())
            outside.insert(file);
    EXPECT_TRUE(outside.empty()) << "the decompile wrote outside its folder: " << *outside.begin();
    Chmls({"extractall", chm.string(), (place / "theirs").string()}, false);

    std::set<std::string> theirs = ContentFilesBelow(place / "theirs");
    ASSERT_FALSE(theirs.empty());
    EXPECT_EQ(FirstDifference({theirs.begin(), theirs.end()},
                              [&] {
                                  std::set<std::string> ours = FilesBelow(place / "ours");
                                  return std::vector<std::string>(ours.begin(), ours.end());
                              }()),
              "");
    for (const std::string& file : theirs)
        EXPECT_TRUE(SameBytes(place / "theirs" / file, place / "ours" / file)) << file;
}

TEST_P(RealProjectTest, HandheldPagesLinkOnlyToWhatExists) {
    fs::path output = m_work / "handheld";
    RunResult converted = Cli({"--yes", "handheld", "--output", output.string(),
                               ReferenceHelpFile().string()});
    EXPECT_EQ(converted.exitStatus, 0) << converted.output;
    std::vector<std::string> lost = LostHandheldLinks(output, ChmlsNames(ReferenceHelpFile()));
    EXPECT_TRUE(lost.empty()) << lost.size() << " links lead nowhere, the first: " << lost.front();
}

INSTANTIATE_TEST_SUITE_P(Real, RealProjectTest, ::testing::ValuesIn(kProjects),
                         [](const auto& info) { return std::string(info.param.name); });

// chmcmd cannot compile a project that names no help file (the wxWidgets
// sample's another.hhp): imported, it compiles, with the contents as written.
TEST(RealProjectWithoutHelpFileName, ImportedCompilesWithTheContentsAsWritten) {
    fs::path work = WorkFolder("RealProjectWithoutHelpFileName");
    fs::copy(Material() / "source" / "wxhelp", work / "wxhelp", fs::copy_options::recursive);
    fs::path hhp = work / "wxhelp" / "another.hhp";
    ASSERT_EQ(Cli({"--yes", "import-hhp", hhp.string()}).exitStatus, 0);
    fs::path ours = Compile(fs::path(hhp).replace_extension(".mbk"));
    std::vector<std::string> written = ComparableEntries(ReadText(work / "wxhelp" / "another.hhc"));
    EXPECT_FALSE(written.empty());
    EXPECT_EQ(FirstDifference(written, ComparableEntries(ChmlsSitemap(ours, "extracttoc", work))),
              "");
    if (!::testing::Test::HasFailure())
        fs::remove_all(work);
}

} // namespace
} // namespace mb::testing
