#pragma once
// The table form of kestrane-cli: the table after a deal or a played game, one Name=value line
// each, as outside tools read it.

#include "cards/Piles.h"
#include "engine/Game.h"

#include <ostream>
#include <string>

namespace kst::cli {


// The 55 piles, BaseRanks, Score, Won, DealCounter and SpecialCounter.
void printTableForm(std::ostream& out, const Game& game);

} // namespace kst::cli
