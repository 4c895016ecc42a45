#include "baseutil/BWHelper.h"
#include "baseutil/tests/support/TempTree.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

using mb::testing::TempTree;

namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

File Open(const std::string& path, const char* mode) {
    return File(std::fopen(path.c_str(), mode), &std::fclose);
}

// Runs one coding direction from file `from` into file `to`.
bool CodeFile(bool encode, const std::string& from, const std::string& to) {
    File in = Open(from, "rb");
    File out = Open(to, "wb");
    if (!in || !out)
        return false;
    return encode ? CBWHelper::EncryptFileA(in.get(), out.get())
                  : CBWHelper::DecryptFileA(in.get(), out.get());
}

TEST(ProjectCopyCoding, LinesAreDoubledAndHalved) {
    TempTree tree;
    std::string plain = tree.Write("p.mbk", "abc\n\n");
    ASSERT_TRUE(CodeFile(true, plain, tree / "p.mbkmbk"));
    EXPECT_EQ(TempTree::Read(tree / "p.mbkmbk"), "aabbcc\n\n");
    ASSERT_TRUE(CodeFile(false, tree / "p.mbkmbk", tree / "back.mbk"));
    EXPECT_EQ(TempTree::Read(tree / "back.mbk"), "abc\n\n");
}

TEST(ProjectCopyCoding, WindowsLineEndsAndLastLineWithoutEnd) {
    TempTree tree;
    std::string project = "<?xml version=\"1.0\"?>\r\n<PROJECT>\r\n\t<A x=\"1\"/>\r\n</PROJECT>";
    std::string plain = tree.Write("p.mbk", project);
    ASSERT_TRUE(CodeFile(true, plain, tree / "p.mbkmbk"));
    std::string coded = TempTree::Read(tree / "p.mbkmbk");
    EXPECT_EQ(coded.find('\r'), std::string::npos);
    EXPECT_EQ(coded.substr(0, 12), "<<??xxmmll  ");

    ASSERT_TRUE(CodeFile(false, tree / "p.mbkmbk", tree / "back.mbk"));
    EXPECT_EQ(TempTree::Read(tree / "back.mbk"),
              "<?xml version=\"1.0\"?>\n<PROJECT>\n\t<A x=\"1\"/>\n</PROJECT>\n");
}

TEST(ProjectCopyCoding, EveryByteSurvivesTheRoundTrip) {
    TempTree tree;
    std::string bytes;
    for (int c = 0; c < 256; ++c)
        if (c != '\n' && c != '\r')
            bytes += static_cast<char>(c);
    std::string plain = tree.Write("bytes", bytes + "\n" + bytes + "\n");
    ASSERT_TRUE(CodeFile(true, plain, tree / "coded"));
    EXPECT_EQ(TempTree::Read(tree / "coded").size(), 2 * (2 * bytes.size()) + 2);
    ASSERT_TRUE(CodeFile(false, tree / "coded", tree / "back"));
    EXPECT_EQ(TempTree::Read(tree / "back"), TempTree::Read(plain));
}

TEST(ProjectCopyCoding, DecodingTakesEvenPositionsOfTheFirstHalf) {
    TempTree tree;
    std::string coded = tree.Write("odd", "aabbc\nxy\n");
    ASSERT_TRUE(CodeFile(false, coded, tree / "out"));
    EXPECT_EQ(TempTree::Read(tree / "out"), "ab\nx\n");
}

TEST(ProjectCopyCoding, EmptyInputAndMissingStreams) {
    TempTree tree;
    std::string empty = tree.Write("empty", "");
    ASSERT_TRUE(CodeFile(true, empty, tree / "coded"));
    EXPECT_EQ(TempTree::Read(tree / "coded"), "");
    File in = Open(empty, "rb");
    EXPECT_FALSE(CBWHelper::EncryptFileA(in.get(), nullptr));
    EXPECT_FALSE(CBWHelper::DecryptFileA(nullptr, in.get()));
}

TEST(ProjectCopyCoding, WriteFailureIsReported) {
    TempTree tree;
    std::string plain = tree.Write("p.mbk", "abc\n");
    File in = Open(plain, "rb");
    File readOnly = Open(plain, "rb"); // writing to it fails
    EXPECT_FALSE(CBWHelper::EncryptFileA(in.get(), readOnly.get()));
}

TEST(ProjectCopyCoding, SimpleEncodeAndDecodeInPlace) {
    std::string text = "Ab c";
    CBWHelper::SimpleEncode(text);
    EXPECT_EQ(text, "AAbb  cc");
    CBWHelper::SimpleDecode(text);
    EXPECT_EQ(text, "Ab c");

    std::string empty;
    CBWHelper::SimpleEncode(empty);
    EXPECT_EQ(empty, "");
    CBWHelper::SimpleDecode(empty);
    EXPECT_EQ(empty, "");

    std::string odd = "xxy";
    CBWHelper::SimpleDecode(odd);
    EXPECT_EQ(odd, "x");
}

} // namespace
