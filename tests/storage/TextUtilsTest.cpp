#include "storage/TextUtils.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <random>

namespace kst {
namespace {

TEST(TextUtils, TrimsPadsAndCutsBlanksOnly)
{
    EXPECT_EQ(fnTrimRight("  a b \t  "), "  a b \t");
    EXPECT_EQ(fnTrimLeft("  \ta b  "), "\ta b  ");
    EXPECT_EQ(fnTrimRight("    "), "");
    EXPECT_EQ(fnTrimLeft(""), "");

    const struct {
        const char* text;
        int width;
        const char* padded;
        const char* right;
    } cases[] = {
        {"abc", 5, "abc  ", "abc"}, {"abcdef", 3, "abc", "def"}, {"abc", 0, "", ""},
        {"abc", -2, "", ""},        {"", 2, "  ", ""},            {"abc", 3, "abc", "abc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fnPadRight(c.text, c.width), c.padded) << c.text << ' ' << c.width;
        EXPECT_EQ(fnRight(c.text, c.width), c.right) << c.text << ' ' << c.width;
    }
    EXPECT_EQ(fnRepeat('0', 3), "000");
    EXPECT_EQ(fnRepeat('0', -1), "");
}

TEST(TextUtils, SplicesAtOneBasedColumns)
{
    const struct {
        const char* text;
        int position;
        int n;
        const char* insert;
        const char* expected;
    } cases[] = {
        {"abcdef", 1, 2, "XY", "XYcdef"},
        {"abcdef", 3, 2, "XYZ", "abXYZef"},
        {"abcdef", 6, 5, "XY", "abcdeXY"}, // n beyond the end takes what is there
        {"abcdef", 7, 0, "XY", "abcdefXY"},
        {"ab", 5, 2, "XY", "ab  XY"},      // a short record keeps the field at its column
        {"abcdef", 0, 1, "X", "Xbcdef"},
        {"abcdef", 2, -3, "X", "aXbcdef"},
        {"abcdef", 2, 3, "", "aef"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fnSplice(c.text, c.position, c.n, c.insert), c.expected)
            << c.text << ' ' << c.position << ' ' << c.n << ' ' << c.insert;
}

TEST(TextUtils, FormatsNumbersIntoFixedWidths)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double number;
        int width;
        int decimals;
        const char* separator;
        const char* expected;
    } cases[] = {
        {42, 4, 0, ".", "0042"},
        {-5, 4, 0, ".", "-005"},
        {0, 4, 0, ".", "0000"},
        {1234567, 6, 0, ".", "******"},
        {123456, 6, 0, ".", "123456"},
        {-12, 3, 0, ".", "-12"},           // the minus fills the width exactly
        {-123, 3, 0, ".", "***"},          // the minus makes it too wide
        {-1, 3, 0, ".", "-01"},
        {-0.4, 3, 0, ".", "000"},          // rounds to zero: no minus
        {-0.0, 2, 0, ".", "00"},
        {2.5, 2, 0, ".", "03"},            // halves away from zero
        {-2.5, 3, 0, ".", "-03"},
        {1.25, 5, 1, ".", "001.3"},
        {3.14159, 6, 2, ",", "003,14"},    // the locale's separator
        {0.05, 4, 2, ".", "0.05"},
        {-0.05, 5, 2, ".", "-0.05"},
        {9.996, 4, 2, ".", "****"},        // rounding carries into a new digit
        {7, 0, 0, ".", ""},                // no room at all
        {7, -3, 0, ".", ""},
        {7, 3, -1, ".", "007"},
        {999999999999999.0, 15, 0, ".", "999999999999999"},
        {1e300, 8, 0, ".", "********"},
        {nan, 4, 0, ".", "****"},
        {inf, 4, 0, ".", "****"},
        {-inf, 4, 0, ".", "****"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fnFormatNumber(c.number, c.width, c.decimals, c.separator), c.expected)
            << c.number << " width " << c.width << " decimals " << c.decimals;
}

TEST(TextUtils, FormatsSecondsAsHoursMinutesSeconds)
{
    const struct {
        long seconds;
        int hourDigits;
        const char* separator;
        const char* expected;
    } cases[] = {
        {3725, 1, ":", "1:02:05"},
        {3725, 2, ":", "01:02:05"},
        {0, 1, ":", "0:00:00"},
        {59, 1, ":", "0:00:59"},
        {3599, 1, ":", "0:59:59"},
        {36000, 1, ":", "10:00:00"},   // more hours than digits: nothing is cut
        {3725, 1, ".", "1.02.05"},
        {3725, 0, ":", "1:02:05"},
        {-1, 1, ":", "0:00:00"},
        {LONG_MIN, 2, ":", "00:00:00"},
        {LONG_MAX, 1, ":", "2562047788015215:30:07"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fnSecondsToText(c.seconds, c.hourDigits, c.separator), c.expected) << c.seconds;
}

TEST(TextUtils, RecognisesDigitTexts)
{
    EXPECT_TRUE(fnAllDigits(""));
    EXPECT_TRUE(fnAllDigits("0123456789"));
    for (const char* text : {" 1", "1 ", "-1", "1.0", "a", "/", ":"})
        EXPECT_FALSE(fnAllDigits(text)) << text;
}

TEST(TextUtils, ReadsAndWritesWholeNumbers)
{
    const std::pair<const char*, long> reads[] = {{"42", 42}, {"-001", -1}, {"0", 0},      {"", 7},
                                                  {"4 ", 7},  {" 4", 7},    {"1e3", 7},    {"+5", 7},
                                                  {"x", 7},   {"99999999999999999999", 7}};
    for (const auto& [text, value] : reads)
        EXPECT_EQ(numberOr(text, 7), value) << '"' << text << '"';

    const std::tuple<long, int, const char*> writes[] = {{6, 3, "006"},   {-1, 4, "-001"}, {1234, 3, "1234"},
                                                         {-12, 2, "-12"}, {0, 0, "0"},     {5, -1, "5"},
                                                         {std::numeric_limits<long>::min(), 3, "-9223372036854775808"}};
    for (const auto& [value, digits, text] : writes)
        EXPECT_EQ(zeroPadded(value, digits), text) << value;
}

TEST(TextUtils, RaisesWholeNumbersToPowersWithoutOverflowing)
{
    const long long maxValue = std::numeric_limits<long long>::max();
    const long long minValue = std::numeric_limits<long long>::min();
    const struct {
        long long base;
        int exponent;
        long long expected;
    } cases[] = {
        {10, 12, 1000000000000LL}, {2, 0, 1},        {0, 0, 1},          {0, 5, 0},
        {-3, 3, -27},              {-2, 63, minValue}, {2, 63, maxValue}, {2, 62, 1LL << 62},
        {10, 400, maxValue},       {-10, 401, minValue}, {-1, INT_MAX, -1}, {1, INT_MAX, 1},
        {2, -1, 0},                {-1, -3, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(power(c.base, c.exponent), c.expected) << c.base << '^' << c.exponent;
    EXPECT_EQ(maximum(-3, -7), -3);
}

TEST(TextUtils, ExtractsEveryRunOfASection)
{
    const std::vector<std::string> lines = {
        "intro", "[Sect1]", "a", "", "b", "[Sect2]", "x", "[Sect1] again", "c", "[Sect10]", "y",
    };
    EXPECT_EQ(fnExtractSection(lines, "[Sect1]"), (std::vector<std::string>{"a", "", "b", "c"}));
    EXPECT_EQ(fnExtractSection(lines, "[Sect1"), (std::vector<std::string>{"a", "", "b", "c", "y"}));
    EXPECT_EQ(fnExtractSection(lines, "[Sect2]"), (std::vector<std::string>{"x"}));
    EXPECT_TRUE(fnExtractSection(lines, "[SectS]").empty());
    EXPECT_TRUE(fnExtractSection({}, "[Sect1]").empty());
}

TEST(TextUtils, ShiftsCatalogueCharacters)
{
    EXPECT_EQ(characterShift(std::string(9, char(96)) + char(98)), "0000000002");
    EXPECT_EQ(characterShift(std::string{char(79), char(80), char(0), char(255), char(128)}),
              (std::string{char(127), char(32), char(48), char(207), char(80)}));
    EXPECT_EQ(characterShift(""), "");
}

TEST(TextUtils, ReplacesTheProgramTags)
{
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"A&bout [Program]...", "A&bout Kestrane 2000..."},
        {"[Program_sw] and [Program]", "Kestrane 2000 and Kestrane 2000"},
        {"[Program][Program]", "Kestrane 2000[Program]"},
        {"no tag", "no tag"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fnPlaceholders(c.text), c.expected) << c.text;
}

// Random byte lines (brackets and blanks made common) must never upset the readers.
TEST(TextUtilsRobustness, RandomLinesThroughSectionExtractionAndShift)
{
    std::mt19937 random(20260101);
    const char common[] = {'[', ']', ' ', 'S', '1', '\r'};
    for (int round = 0; round < 20000; ++round) {
        std::vector<std::string> lines(random() % 12);
        for (std::string& line : lines) {
            line.resize(random() % 10);
            for (char& c : line)
                c = random() % 3 == 0 ? common[random() % sizeof common] : char(random() % 256);
        }
        const std::string header =
            lines.empty() || random() % 4 == 0 ? "[S" : lines[random() % lines.size()].substr(0, 3);

        const std::vector<std::string> extracted = fnExtractSection(lines, header);
        std::size_t next = 0; // the extracted lines must be a subsequence of the input
        for (const std::string& e : extracted) {
            ASSERT_FALSE(e.starts_with('[') || e.starts_with(header)) << "round " << round;
            while (next < lines.size() && lines[next] != e)
                ++next;
            ASSERT_LT(next, lines.size()) << "round " << round;
            ++next;
        }
        for (const std::string& line : lines) {
            const std::string shifted = characterShift(line);
            ASSERT_EQ(shifted.size(), line.size());
            // Every byte lands in the printable range, whatever was stored.
            for (const char c : shifted)
                ASSERT_GE(static_cast<unsigned char>(c), 32);
        }
    }
}

} // namespace
} // namespace kst
