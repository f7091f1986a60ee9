#include "storage/StringTable.h"

#include <gtest/gtest.h>

#include <climits>

namespace kst {
namespace {

TEST(StringTable, LooksUpNumberedStrings)
{
    const struct {
        int n;
        const char* text;
    } cases[] = {
        {31, "This file already exists.\rReplace existing file?"},
        {1601, "Save game"},
        {1602, "Open game"},
        {1806, "Select a player."},
        {1905, "Won"},
        {1915, "won"},
        {1918, "lost"},
        {2005, "W/L"},
        {2010, "Lost"},
        {2006, ""}, // numbers between entries name nothing
        {0, ""},
        {-20000, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(languageString(Language, c.n), c.text) << c.n;
}

TEST(StringTable, TheBaseAndTheOffsetAddUp)
{
    EXPECT_EQ(languageString(Language + 1000, 905), "Won");
    EXPECT_EQ(languageString(0, Language + 1601), "Save game");
    EXPECT_EQ(languageString(21000, 1905), "");
    EXPECT_EQ(languageString(INT_MAX, INT_MAX), "");
}

} // namespace
} // namespace kst
