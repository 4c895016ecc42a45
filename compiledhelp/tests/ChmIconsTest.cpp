// The contents-entry icons compiled into the library.

#include "compiledhelp/ChmIcons.h"
#include "compiledhelp/tests/support/ChmTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

// The shipped files beside the generator, compiledhelp/icons/.
const std::filesystem::path kIcons =
    std::filesystem::path(__FILE__).parent_path().parent_path() / "icons";

TEST(ChmIcons, FortyTwoSixteenPixelGifsMatchingTheShippedFiles) {
    std::set<std::string> distinct;
    for (int n = 1; n <= kChmIconCount; ++n) {
        std::string gif(ChmIconGif(n));
        ASSERT_GT(gif.size(), 13u) << n;
        EXPECT_EQ(gif.substr(0, 6), "GIF89a") << n;
        EXPECT_EQ(gif.substr(6, 4), std::string("\x10\x00\x10\x00", 4)) << n; // 16 x 16
        EXPECT_EQ(gif.back(), ';') << n;
        EXPECT_EQ(gif, mb::testing::ReadBytes((kIcons / (std::to_string(n) + ".gif")).string()))
            << n;
        distinct.insert(gif);
    }
    EXPECT_EQ(distinct.size(), 42u);
    EXPECT_TRUE(ChmIconGif(0).empty());
    EXPECT_TRUE(ChmIconGif(43).empty());
    EXPECT_TRUE(ChmIconGif(-1).empty());
}

} // namespace
