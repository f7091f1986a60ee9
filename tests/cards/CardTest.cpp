#include "cards/Card.h"

#include <gtest/gtest.h>

namespace kst {
namespace {

TEST(Card, AttributesOfBothDecksAndTheJokers)
{
    const struct {
        int card, rank, suit;
        bool red, face;
    } cases[] = {
        {1, 1, 0, true, false},    {13, 13, 0, true, true},   {14, 1, 1, true, false},
        {26, 13, 1, true, true},   {27, 1, 2, false, false},  {37, 11, 2, false, true},
        {40, 1, 3, false, false},  {52, 13, 3, false, true},  {53, 1, 0, true, false},
        {63, 11, 0, true, true},   {78, 13, 1, true, true},   {79, 1, 2, false, false},
        {104, 13, 3, false, true}, {105, -1, -1, false, false}, {108, -1, -1, false, false},
        {0, -1, -1, false, false}, {109, -1, -1, false, false}, {-5, -1, -1, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rank(c.card), c.rank) << c.card;
        EXPECT_EQ(suitIndex(c.card), c.suit) << c.card;
        EXPECT_EQ(isRed(c.card), c.red) << c.card;
        EXPECT_EQ(isFaceCard(c.card), c.face) << c.card;
    }
}

TEST(Card, EveryCardIsItsRankAndSuit)
{
    for (int card = 1; card < FirstJoker; ++card) {
        const bool secondDeck = card > CardsPerDeck;
        EXPECT_EQ(cardOf(rank(card), suitIndex(card), secondDeck), card);
        EXPECT_EQ(rank(card), rank(card > CardsPerDeck ? card - CardsPerDeck : card + CardsPerDeck));
    }
    EXPECT_EQ(cardOf(0, 0), 0);
    EXPECT_EQ(cardOf(14, 0), 0);
    EXPECT_EQ(cardOf(1, 4), 0);
    EXPECT_EQ(cardOf(1, -1, true), 0);
}

TEST(Card, RanksWrapAround)
{
    EXPECT_EQ(nextRank(13), 1);
    EXPECT_EQ(previousRank(1), 13);
    for (int r = 1; r <= 13; ++r) {
        EXPECT_EQ(previousRank(nextRank(r)), r);
        EXPECT_GE(nextRank(r), 1);
        EXPECT_LE(nextRank(r), 13);
    }
}

} // namespace
} // namespace kst

namespace kst {
namespace {

// A one- or two-suit deck shows each card with the face of another card of the same rank and deck.
TEST(CardFaces, DeckSuitsGiveEachCardItsFace)
{
    const struct {
        int card;
        DeckSuits suits;
        int face;
    } cases[] = {
        {1, DeckSuits::Four, 1},   {14, DeckSuits::Four, 14},
        {1, DeckSuits::One, 40},   {27, DeckSuits::One, 40},  {52, DeckSuits::One, 52},  {66, DeckSuits::One, 92},
        {14, DeckSuits::Two, 1},   {27, DeckSuits::Two, 40},  {13, DeckSuits::Two, 13},  {79, DeckSuits::Two, 92},
        {105, DeckSuits::One, 105}, {0, DeckSuits::Two, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(faceOf(c.card, c.suits), c.face) << c.card;
        EXPECT_EQ(rank(faceOf(c.card, c.suits)), rank(c.card)) << c.card;
    }
    EXPECT_TRUE(isRed(27, DeckSuits::Four) == false && isRed(14, DeckSuits::Two) && !isRed(14, DeckSuits::One));
}

} // namespace
} // namespace kst
