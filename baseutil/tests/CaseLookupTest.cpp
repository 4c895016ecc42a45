#include "baseutil/CaseLookup.h"
#include "baseutil/tests/support/TempTree.h"

#include <gtest/gtest.h>

using mb::testing::TempTree;

namespace {

TEST(CaseLookup, FindsTheExistingSpellingComponentByComponent) {
    TempTree tree;
    std::string page = tree.Write("Guide/Topics/Intro.HTM", "x");

    EXPECT_EQ(mb::FindPathIgnoringCase(page), page);
    EXPECT_EQ(mb::FindPathIgnoringCase(tree / "guide/topics/intro.htm"), page);
    EXPECT_EQ(mb::FindPathIgnoringCase(tree / "GUIDE/Topics/intro.htm"), page);
    EXPECT_EQ(mb::FindPathIgnoringCase(tree / "guide/topics/"), tree / "Guide/Topics/");
    EXPECT_EQ(mb::FindPathIgnoringCase(tree / "guide/./topics/../topics/intro.htm"),
              tree / "Guide/./Topics/../Topics/Intro.HTM");
}

TEST(CaseLookup, NothingMatchingGivesTheInputBack) {
    TempTree tree;
    tree.Write("Guide/Intro.htm", "x");
    for (const std::string& path : {tree / "guide/missing.htm", tree / "other/intro.htm",
                                    tree / "guide/intro.htm/below", std::string("")})
        EXPECT_EQ(mb::FindPathIgnoringCase(path), path);
}

TEST(CaseLookup, ExactNameWinsAndTiesAreStable) {
    TempTree tree;
    std::string lower = tree.Write("dir/a.htm", "lower");
    std::string upper = tree.Write("dir/A.HTM", "upper");
    tree.Write("dir/A.htm", "mixed");
    EXPECT_EQ(mb::FindPathIgnoringCase(lower), lower);
    EXPECT_EQ(mb::FindPathIgnoringCase(upper), upper);
    EXPECT_EQ(mb::FindPathIgnoringCase(tree / "DIR/a.Htm"), tree / "dir/A.HTM");
}

TEST(CaseLookup, NonAsciiLettersFoldToo) {
    TempTree tree;
    std::string page = tree.Write("Übersicht/Straße.htm", "x");
    EXPECT_EQ(mb::FindPathIgnoringCase(tree / "übersicht/STRASSE.htm"),
              tree / "übersicht/STRASSE.htm")
        << "folding is letter by letter, not to longer forms";
    EXPECT_EQ(mb::FindPathIgnoringCase(tree / "üBERSICHT/straße.HTM"), page);
}

} // namespace
