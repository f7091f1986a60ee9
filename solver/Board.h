#pragma once
// Positions of the free-cell games in the plain text other solvers read and write, so that the same
// board can be given to each and the answers compared:
//
//     Foundations: H-3 C-0 D-A S-2
//     Freecells: 5H - -
//     KS QH TD
//     ...
//
// One line per tableau column, bottom card first; a card is its rank (A 2..9 T J Q K) and suit
// (C D H S). The optional Freecells line gives the free cells in order, "-" for an empty one; the
// optional Foundations line gives, per suit, the highest card home ("0" for none).

#include <string>
#include <string_view>

#include "engine/Game.h"

namespace kst::solver {

// The card of the game's first deck: hearts 1-13, diamonds 14-26, clubs 27-39, spades 40-52.
// 0 for a text that is no card.
int boardCard(std::string_view text);

// Lays the board onto the game, whose rules are loaded and dealt: its table is replaced, every card
// face up, the stock and waste empty. Empty when it worked, else what is wrong, with the line.
std::string readBoard(std::string_view text, Game& game);

} // namespace kst::solver
