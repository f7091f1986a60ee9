#include "engine/GameNumber.h"

#include "platform/test/TestPorts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace kst {
namespace {

TEST(GameNumber, ShortTextsArePaddedAndLongTextsKeepTheirLastThirteenDigits)
{
    const struct {
        const char* text;
        const char* normal;
    } cases[] = {
        {"1", "0000000000001"},
        {"", "0000000000000"},
        {"1234567890123", "1234567890123"},
        {"991234567890123", "1234567890123"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(normalGameNumber(c.text), c.normal) << c.text;
    EXPECT_EQ(buildShuffleDeck("1", 52).cards, buildShuffleDeck("0000000000001", 52).cards);
    EXPECT_EQ(buildShuffleDeck("77", 104).cards, buildShuffleDeck("550000000000077", 104).cards);
}

TEST(GameNumber, OnlyDigitTextsAreGameNumbers)
{
    EXPECT_TRUE(isGameNumberText("0"));
    EXPECT_TRUE(isGameNumberText("123456789012345"));
    EXPECT_FALSE(isGameNumberText(""));
    EXPECT_FALSE(isGameNumberText("12a"));
    EXPECT_FALSE(isGameNumberText("-5"));
}

TEST(GameNumber, ATypedNumberIsDealtRefusedOrIgnored)
{
    struct Case {
        const char* typed;
        bool refused;
        const char* number; // empty: nothing is dealt
    };
    const Case cases[] = {
        {"12", false, "0000000000012"},
        {"1234567890123", false, "1234567890123"},
        {"0", false, ""},
        {"0000000000000", false, ""},
        {"", false, ""},
        {"1 2", true, ""},
        {" 12", true, ""},
        {"12a", true, ""},
    };
    for (const Case& c : cases) {
        const TypedGameNumber typed = typedGameNumber(c.typed);
        EXPECT_EQ(typed.refused, c.refused) << '"' << c.typed << '"';
        EXPECT_EQ(typed.number, c.number) << '"' << c.typed << '"';
    }
}

TEST(GameNumber, ARandomNumberIsTheProductOfTwoDrawsInThirteenDigits)
{
    test::ScriptedRandom random;
    random.queue(1234567);
    random.queue(890);
    EXPECT_EQ(newRandomGameNumber(random), "0001098764630");
    random.queue(9'999'998);
    random.queue(999'998);
    EXPECT_EQ(newRandomGameNumber(random), "9999978000004");
    random.queue(0);
    random.queue(5);
    EXPECT_EQ(newRandomGameNumber(random), "0000000000000");
}

TEST(ShuffleDeck, EveryCardOnceForOneAndTwoDecksOverManyNumbers)
{
    std::mt19937_64 numbers(2000);
    for (int n = 0; n < 2000; ++n) {
        // Plenty of zero digits, so that both directions of the free-entry search are taken.
        std::string number = std::to_string(numbers() % 10'000'000'000'000ULL);
        if (n % 2 == 0)
            for (char& c : number)
                if (c < '4')
                    c = '0';
        for (const int size : {52, 104}) {
            std::vector<int> cards = buildShuffleDeck(number, size).cards;
            std::sort(cards.begin(), cards.end());
            std::vector<int> expected(std::size_t(size), 0);
            for (int i = 0; i < size; ++i)
                expected[std::size_t(i)] = i + 1;
            ASSERT_EQ(cards, expected) << number << " size " << size;
        }
    }
}

TEST(ShuffleDeck, SmallDecksKeepTheFirstCardsPlaced)
{
    for (const int size : {1, 13, 32, 51}) {
        for (const char* number : {"1", "1234567890123", "9070000500300"}) {
            const ShuffleDeck deck = buildShuffleDeck(number, size);
            ASSERT_TRUE(deck.ok());
            ASSERT_EQ(int(deck.cards.size()), size);
            std::vector<int> cards = deck.cards;
            std::sort(cards.begin(), cards.end());
            EXPECT_EQ(std::adjacent_find(cards.begin(), cards.end()), cards.end()) << number;
            EXPECT_GT(cards.front(), 0) << "an entry left unfilled, " << number << " size " << size;
            EXPECT_LE(cards.back(), 52);
        }
    }
}

TEST(ShuffleDeck, SizesTheShuffleCannotFillGiveTheErrorAndNoCards)
{
    for (const int size : {53, 60, 103, 105, 108}) {
        const ShuffleDeck deck = buildShuffleDeck("1", size);
        EXPECT_EQ(deck.error, "Error 01 - fnGameNumberCardsArray") << size;
        EXPECT_EQ(deck.cards, std::vector<int>(std::size_t(size), 0)) << size;
    }
    // No rules loaded: nothing to shuffle, and no division by a zero deck size.
    for (const int size : {0, -4}) {
        const ShuffleDeck deck = buildShuffleDeck("1234567890123", size);
        EXPECT_TRUE(deck.ok());
        EXPECT_TRUE(deck.cards.empty());
    }
}

TEST(ShuffleDeck, GoldenDecks)
{
    const struct {
        int size;
        const char* number;
        const char* deck;
    } cases[] = {
        {52, "1234567890123",
         "005 014 028 037 035 006 002 043 003 040 023 034 022 018 020 046 045 015 012 038 001 044 042 017 021 011 052 "
         "026 033 049 050 009 019 013 039 041 030 051 027 016 031 036 008 048 029 032 047 007 010 024 004 025"},
        {52, "1",
         "040 004 043 039 015 006 016 045 018 035 034 007 049 011 025 024 026 027 046 030 048 010 012 032 021 002 041 "
         "003 042 005 014 044 017 013 033 009 019 023 052 022 037 038 051 028 008 029 047 031 020 050 036 001"},
        {52, "9070000500300",
         "015 025 044 045 018 052 033 001 022 007 029 024 010 041 003 043 014 017 038 008 032 048 047 026 020 031 039 "
         "049 030 016 019 012 011 037 028 002 023 040 046 034 005 006 035 009 042 036 013 027 004 051 050 021"},
        {104, "1234567890123",
         "005 003 101 043 073 053 081 034 074 020 093 069 036 018 028 042 097 077 017 066 014 021 088 060 037 061 059 "
         "071 080 030 090 057 016 023 052 015 011 072 092 001 075 087 022 004 047 063 058 067 064 070 038 085 049 055 "
         "039 065 041 013 027 084 009 045 056 089 050 103 099 048 098 046 051 010 083 044 068 026 102 019 035 002 033 "
         "040 082 025 062 024 086 076 029 096 032 094 031 008 079 100 054 078 091 104 007 095 012 006"},
        {104, "7",
         "030 093 064 033 098 087 052 042 056 101 024 028 025 076 013 099 054 090 017 040 070 071 020 082 059 034 012 "
         "009 068 015 060 080 004 049 075 007 037 063 026 085 066 096 002 021 032 086 097 039 094 031 051 100 023 062 "
         "043 089 008 029 057 046 092 058 019 055 041 048 036 018 088 011 027 077 074 083 078 053 016 069 047 081 005 "
         "006 084 072 022 067 104 061 014 003 079 103 010 050 102 065 091 095 038 073 035 001 044 045"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shuffleDeckText(buildShuffleDeck(c.number, c.size)), c.deck) << c.size << " " << c.number;
}

} // namespace
} // namespace kst
