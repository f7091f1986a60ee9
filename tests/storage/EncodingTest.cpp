#include "storage/Encoding.h"

#include <gtest/gtest.h>

namespace kst {
namespace {

TEST(Encoding, EveryByteSurvivesTheRoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    const auto back = utf8ToCp1252(cp1252ToUtf8(all));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

TEST(Encoding, ConvertsTheSpecialCharactersBothWays)
{
    const std::string cp = "\x80 \x9c \xe9";
    EXPECT_EQ(cp1252ToUtf8(cp), "\u20ac \u0153 \u00e9");
    EXPECT_EQ(utf8ToCp1252("\u20ac \u0153 \u00e9"), cp);
}

TEST(Encoding, RefusesWhatTheCodePageCannotHold)
{
    for (const char* text : {"\u4e2d", "\xF0\x9F\x83\x8F", "\xC3", "\xE2\x82", "\xFF", "a\x80"})
        EXPECT_FALSE(utf8ToCp1252(text).has_value()) << text;
}

} // namespace
} // namespace kst
