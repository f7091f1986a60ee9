#pragma once
// Game numbers and the shuffle. A GameNumber is a text of 13 decimal digits; the shuffle turns it
// into the ShuffleDeck, the order in which the deal takes the cards. The shuffle is part of every
// saved game and every recorded number, so it must give the same deck everywhere, step for step.

#include <string>
#include <string_view>
#include <vector>

#include "platform/Random.h"

namespace kst {

// ---- game numbers --------------------------------------------------------------------------------

inline constexpr int GameNumberDigits = 13;

// Padded on the left with "0" to 13 characters; of a longer text only the last 13 count.
std::string normalGameNumber(std::string_view text);
// A text the user may give as a game number: one or more decimal digits.
bool isGameNumberText(std::string_view text);

// A game number as the user typed it.
struct TypedGameNumber {
    bool refused = false; // a character is not a digit
    std::string number;   // the 13 digits to deal; empty for an empty text or a number of value 0
};
TypedGameNumber typedGameNumber(std::string_view text);

// The product of two uniform draws, as a 13-digit text.
std::string newRandomGameNumber(RandomSource& random);

// ---- the shuffle ---------------------------------------------------------------------------------

inline constexpr std::string_view ShuffleDeckSizeError = "Error 01 - fnGameNumberCardsArray";

struct ShuffleDeck {
    std::vector<int> cards; // index 0 is the top; 0 is an unfilled entry ("000")
    std::string error;      // the message for a deck size the shuffle cannot fill

    bool ok() const { return error.empty(); }
};

// The deck for deck size N. N up to 52 uses one deck, 104 two; any other positive N gives N
// unfilled entries and the error message. N of 0 or less is no deck: empty and no error.
// Characters of the number that are not digits count as 0.
ShuffleDeck buildShuffleDeck(std::string_view gameNumber, int deckSize);

// The entries in three digits each, separated by single blanks.
std::string shuffleDeckText(const ShuffleDeck& deck);

} // namespace kst
