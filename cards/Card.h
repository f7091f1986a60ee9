#pragma once
// A card is a number 1..108: two decks of hearts, diamonds, clubs and spades, Ace..King, then
// the four jokers. Every attribute is computed from the number; numbers outside 1..108 name no
// card and get the joker's answers (no rank, no suit, not red).

namespace kst {

// ---- card numbers ------------------------------------------------------------------------------

inline constexpr int CardsInDeckTable = 108;
inline constexpr int CardsPerDeck = 52;
inline constexpr int FirstJoker = 105;
inline constexpr int NoRank = -1;
inline constexpr int Ace = 1;
inline constexpr int Two = 2;
inline constexpr int Jack = 11;
inline constexpr int Queen = 12;
inline constexpr int King = 13;
inline constexpr int NoSuit = -1;

constexpr bool isCardNumber(int card) { return card >= 1 && card <= CardsInDeckTable; }
constexpr bool isJoker(int card) { return card >= FirstJoker && card <= CardsInDeckTable; }

// ---- attributes --------------------------------------------------------------------------------

// 1 Ace .. 11 Jack, 12 Queen, 13 King.
constexpr int rank(int card)
{
    if (!isCardNumber(card) || isJoker(card))
        return NoRank;
    return (card - 1) % 13 + 1;
}

// 0 hearts, 1 diamonds, 2 clubs, 3 spades.
constexpr int suitIndex(int card)
{
    if (!isCardNumber(card) || isJoker(card))
        return NoSuit;
    return (card - 1) % CardsPerDeck / 13;
}

constexpr bool isRed(int card)
{
    const int suit = suitIndex(card);
    return suit == 0 || suit == 1;
}

// How many suits the game's deck shows (rule DeckSuits). Card numbers stay unique whatever the
// rule says: what changes is the face a card shows and the suit and colour it is judged by.
enum class DeckSuits {
    Four = 0, // the usual deck
    One = 1,  // every card a spade
    Two = 2,  // the red cards hearts, the black cards spades
};

inline constexpr int Hearts = 0;
inline constexpr int Spades = 3;

// The card of the usual deck whose face `card` shows: same rank, same deck, its suit by the rule.
constexpr int faceOf(int card, DeckSuits suits)
{
    if (suits == DeckSuits::Four || !isCardNumber(card) || isJoker(card))
        return card;
    const int shown = suits == DeckSuits::One || !isRed(card) ? Spades : Hearts;
    return card + (shown - suitIndex(card)) * 13;
}

constexpr int suitIndex(int card, DeckSuits suits) { return suitIndex(faceOf(card, suits)); }
constexpr bool isRed(int card, DeckSuits suits) { return isRed(faceOf(card, suits)); }

constexpr bool isFaceCard(int card) { return rank(card) >= 11; }

// The short name of a rank as cards print it: "A", "2" .. "10", "J", "Q", "K"; empty for others.
constexpr const char* rankLabel(int rank)
{
    constexpr const char* labels[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    return rank >= 1 && rank <= 13 ? labels[rank - 1] : "";
}

// Ranks wrap: a King is followed by an Ace.
constexpr int nextRank(int rank) { return rank == 13 ? 1 : rank + 1; }
constexpr int previousRank(int rank) { return rank == 1 ? 13 : rank - 1; }

// The card of a rank 1..13 in a suit 0..3; 0 (no card) for anything else.
constexpr int cardOf(int rank, int suit, bool secondDeck = false)
{
    if (rank < 1 || rank > 13 || suit < 0 || suit > 3)
        return 0;
    return suit * 13 + rank + (secondDeck ? CardsPerDeck : 0);
}

} // namespace kst
