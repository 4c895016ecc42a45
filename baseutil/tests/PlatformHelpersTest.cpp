#include "baseutil/Guid.h"
#include "baseutil/IniSection.h"
#include "baseutil/SafeFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/mbtestXXXXXX";
        path = mkdtemp(pattern);
    }
    ~TempFolder() { fs::remove_all(path); }
    std::string path;
};

TEST(Guid, RegistryFormUpperCaseAndUnique) {
    std::regex form("^\\{[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}\\}$");
    std::set<std::string> seen;
    for (int i = 0; i < 1000; ++i) {
        std::string guid = mb::NewGuidString();
        ASSERT_TRUE(std::regex_match(guid, form)) << guid;
        seen.insert(guid);
    }
    EXPECT_EQ(seen.size(), 1000u);
}

TEST(IniSection, LinesOfTheNamedSectionInFileOrder) {
    std::string text = "\xEF\xBB\xBF[OPTIONS]\r\nCompiled file=a.chm\r\n\r\n; comment\r\n"
                       "  Title = My Help  \r\n[files]\nb.htm\n\n  a.htm\n[FILES]\nlater.htm\n"
                       "[MERGE FILES]\r\nx.chm";
    auto options = mb::IniSectionLines(text, "OPTIONS");
    ASSERT_EQ(options.size(), 3u);
    EXPECT_EQ(options[0], "Compiled file=a.chm");
    EXPECT_EQ(options[1], "; comment");
    EXPECT_EQ(options[2], "  Title = My Help  ");
    auto files = mb::IniSectionLines(text, "FILES");
    ASSERT_EQ(files.size(), 2u) << "first section of that name only, any case";
    EXPECT_EQ(files[1], "  a.htm");
    auto merge = mb::IniSectionLines(text, "MERGE FILES");
    ASSERT_EQ(merge.size(), 1u);
    EXPECT_EQ(merge[0], "x.chm");
    EXPECT_TRUE(mb::IniSectionLines(text, "WINDOWS").empty());
    EXPECT_FALSE(mb::ReadIniSection("/nonexistent/x.hhp", "OPTIONS").has_value());
}

TEST(SafeFile, ReplacesOnlyOnCommit) {
    TempFolder folder;
    std::string target = folder.path + "/project.mbk";
    ASSERT_TRUE(mb::WriteFileSafely(target, "old contents"));
    {
        mb::SafeFileWriter writer(target);
        ASSERT_TRUE(writer.IsOpen());
        writer.Write("half of the new");
        // Abandoned without Commit: as if the program failed midway.
    }
    std::string data;
    ASSERT_TRUE(mb::ReadWholeFile(target, data));
    EXPECT_EQ(data, "old contents");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 1)
        << "no temporary file left behind";
    ASSERT_TRUE(mb::WriteFileSafely(target, "new contents"));
    ASSERT_TRUE(mb::ReadWholeFile(target, data));
    EXPECT_EQ(data, "new contents");
}

TEST(SafeFile, KeepsPermissionsAndReportsMissingFolder) {
    TempFolder folder;
    std::string target = folder.path + "/a.txt";
    ASSERT_TRUE(mb::WriteFileSafely(target, "1"));
    chmod(target.c_str(), 0640);
    ASSERT_TRUE(mb::WriteFileSafely(target, "2"));
    struct stat info {};
    stat(target.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    std::string error;
    EXPECT_FALSE(mb::WriteFileSafely(folder.path + "/missing/a.txt", "x", &error));
    EXPECT_NE(error.find("missing"), std::string::npos) << error;
}

TEST(SafeFile, ReadOnlyMeansExistingAndNotWritable) {
    TempFolder folder;
    std::string target = folder.path + "/ro.txt";
    EXPECT_FALSE(mb::IsReadOnlyFile(target)) << "a missing file is not read-only";
    ASSERT_TRUE(mb::WriteFileSafely(target, "x"));
    EXPECT_FALSE(mb::IsReadOnlyFile(target));
    chmod(target.c_str(), 0444);
    EXPECT_TRUE(mb::IsReadOnlyFile(target)) << "also when running as root";
}

} // namespace
