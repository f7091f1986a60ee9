#include "cards/DeckTable.h"

#include <gtest/gtest.h>

#include <string>

namespace kst {
namespace {

TEST(DeckTable, RecordsAreExact)
{
    const DeckTable deck;
    EXPECT_EQ(deck.record(1), "CUORI_A        10011");
    EXPECT_EQ(deck.record(52), "PICCH_K        40521");
    EXPECT_EQ(deck.record(53), "CUORI_A        10531");
    EXPECT_EQ(deck.record(108), "JOKER          41081");
    EXPECT_EQ(deck.record(23), "QUADR_10       20231");
    EXPECT_EQ(deck.record(29), "FIORI_03       30291");
    EXPECT_EQ(deck.record(102), "PICCH_J        41021");
    EXPECT_EQ(deck.name(102), "PICCH_J");
    EXPECT_EQ(deck.name(105), "JOKER");

    for (int card = 1; card <= CardsInDeckTable; ++card) {
        const std::string_view r = deck.record(card);
        ASSERT_EQ(r.size(), 20u) << card;
        EXPECT_EQ(std::stoi(std::string(r.substr(16, 3))), card);
        EXPECT_EQ(r.back(), '1') << card;
        EXPECT_FALSE(deck.isFaceDown(card));
    }
}

TEST(DeckTable, FaceFlagChangesOnlyTheLastCharacter)
{
    DeckTable deck;
    deck.setFace(40, Face::Down);
    EXPECT_EQ(deck.record(40), "PICCH_A        40400");
    EXPECT_TRUE(deck.isFaceDown(40));
    EXPECT_FALSE(deck.isFaceDown(39));
    deck.setFace(40, Face::Up);
    EXPECT_EQ(deck.record(40), "PICCH_A        40401");

    deck.setFace(7, Face::Down);
    deck.turnAllFaceUp();
    EXPECT_EQ(deck, DeckTable{});
}

TEST(DeckTable, NumbersThatNameNoCardAreHarmless)
{
    DeckTable deck;
    for (const int card : {0, -1, 109, 999, -1000}) {
        deck.setFace(card, Face::Down);
        EXPECT_FALSE(deck.isFaceDown(card)) << card;
        EXPECT_TRUE(deck.record(card).empty()) << card;
        EXPECT_TRUE(deck.name(card).empty()) << card;
    }
    EXPECT_EQ(deck, DeckTable{});
}

} // namespace
} // namespace kst
