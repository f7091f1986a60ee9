#pragma once
// The moves the rules make by themselves: empty tableau piles filled from the game's source, and
// completed runs sent to the foundations that collect them. Each is an ordinary move of the game
// (MoveKind::Automatic), so undo and searches see them like any other.

#include <vector>

#include "engine/Game.h"
#include "engine/Move.h"

namespace kst {

// The fillings of the empty tableau piles due now, by the fill source RuleTable[21], in the order
// they are made (several onto one pile where the source gives up to three cards).
std::vector<Move> fillMoves(const Game& game);

// Whether some foundation in use is filled only by completed runs.
bool collectsCompletedRuns(const RuleTable& rules);

// The 13 moves, top card first, that send a completed run on top of the tableau pile to the first
// empty foundation collecting runs; none when the pile ends in no such run or no foundation waits.
std::vector<Move> completedRunMoves(const Game& game, PileRef pile);

// Foundations whose first card the player chooses: automatic play leaves them alone while every
// one of them is empty.
bool playerStartsFoundation(const Game& game, int foundation);

} // namespace kst
