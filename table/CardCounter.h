#pragma once
// The card counter: for every card of the game's deck, whether the player finds it face up or face
// down in the piles the counter watches, or in none of them. The counter window paints what this
// computes. Counting the whole game again after each change is simpler than following every move
// card by card, and at 104 cards it costs nothing worth measuring.

#include "engine/Game.h"

#include <cstdint>
#include <vector>

namespace kst {

// What a card's slot shows.
enum class CounterMark : std::uint8_t {
    None, // the card lies in no watched pile
    Up,   // seen face up
    Down, // lying face down
};

// The piles the counter watches, as its Options menu chooses them.
enum class CounterWatch : std::uint8_t {
    Both,        // all of the piles below
    StockOnly,   // the stock and the waste
    TableauOnly, // the tableau, foundations and reserves in use, and the second waste
};

// The counter has a slot for each card of two decks; jokers have none.
inline constexpr int CounterCards = 2 * CardsPerDeck;

// The mark of each card 1 .. the game's deck size (at most CounterCards), indexed by card number;
// entry 0 names no card and stays None. Cards beyond the deck's size have no slot. With
// `inverted` the up and down marks change places.
//   The stock shows its cards down. A waste fed from a stock shows its cards up; a waste without a
// stock hides all but its top card. The table side shows each card by its face.
std::vector<CounterMark> countCards(const Game& game, CounterWatch watch, bool inverted);

} // namespace kst
