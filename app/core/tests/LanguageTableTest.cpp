#include "app/core/LanguageTable.h"

#include <gtest/gtest.h>

TEST(LanguageTable, HoldsEveryLanguageWithItsHexadecimalId) {
    ASSERT_EQ(mb::LanguageCount(), 153);
    EXPECT_EQ(mb::LanguageRowText(0), "0436 Afrikaans");
    EXPECT_EQ(mb::LanguageRowText(152), "0435 Zulu");
    int english = mb::LanguagePosition(1033);
    EXPECT_EQ(mb::LanguageRowText(english), "0409 English (United States)");
    EXPECT_EQ(mb::LanguageIdAt(mb::LanguagePosition(0x042b)), 0x042b) << "lower-case digits";
    EXPECT_EQ(mb::LanguagePosition(0x7777), -1);
    EXPECT_EQ(mb::LanguageRowText(153), "");
}
