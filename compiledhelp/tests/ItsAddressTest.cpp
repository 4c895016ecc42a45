// Addresses of streams inside help files: both address forms, "..", and
// files that are not help files.

#include "compiledhelp/ItsAddress.h"
#include "compiledhelp/tests/support/GuideProject.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace mb::testing;

TEST(ItsAddressTest, BothAddressFormsReadTheSameStream) {
    TempTree tree;
    ChmProject project;
    project.folder = tree.Root() + "/help";
    project.Add("a/b.htm", Page("Inner page"));
    project.Add("x.htm", Page("Top page"));
    const std::string chm = project.Build("h.chm");

    CItsStreamReader reader;
    ItsAddress msIts, mk;
    ASSERT_TRUE(ParseItsAddress("ms-its:" + chm + "::/a/b.htm", msIts));
    ASSERT_TRUE(ParseItsAddress("mk:@MSITStore:" + chm + "::/a/b.htm", mk));
    std::string first, second;
    ASSERT_EQ(reader.Read(msIts, first), kItsOk);
    ASSERT_EQ(reader.Read(mk, second), kItsOk);
    EXPECT_EQ(first, Page("Inner page"));
    EXPECT_EQ(second, first);

    // Climbing above the top of the archive stays inside it.
    ItsAddress climbing;
    ASSERT_TRUE(ParseItsAddress("MS-ITS:" + chm + "::/a/../../../x.htm", climbing));
    EXPECT_EQ(climbing.chmPath, chm);
    std::string top;
    ASSERT_EQ(reader.Read(climbing, top), kItsOk);
    EXPECT_EQ(top, Page("Top page"));
    EXPECT_EQ(NormalizeStreamPath("../../x"), "x");
    EXPECT_EQ(NormalizeStreamPath("\\a\\.\\b\\..\\c.htm"), "a/c.htm");

    // A storage is no page.
    ItsAddress folder;
    ASSERT_TRUE(ParseItsAddress("ms-its:" + chm + "::/a", folder));
    EXPECT_EQ(reader.Read(folder, top), kItsWrongType);
}

TEST(ItsAddressTest, AddressesWithoutHelpFileOrSeparatorAreRefused) {
    ItsAddress address;
    EXPECT_FALSE(ParseItsAddress("ms-its:/d/h.chm", address));
    EXPECT_FALSE(ParseItsAddress("ms-its:::/a.htm", address));
    EXPECT_FALSE(ParseItsAddress("file:///d/h.chm::/a.htm", address));
}

TEST(ItsAddressTest, NamedPipeCalledChmIsRefusedAtOnce) {
    TempTree tree;
    const std::string pipe = tree.Root() + "/x.chm";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    ItsAddress address;
    ASSERT_TRUE(ParseItsAddress("ms-its:" + pipe + "::/a.htm", address));
    std::string data;
    // Opening a pipe for reading would wait for a writer forever.
    EXPECT_EQ(CItsStreamReader().Read(address, data), kItsOpenFailed);
}
