#pragma once
// The score and the end test of a game. Both read only the game value, so that every move, the
// deal, a restart and a search judge a table alike.

#include "cards/Piles.h"
#include "cards/RuleTable.h"
#include "engine/Game.h"

namespace kst {

// The score of the table under standard scoring: the ordinary formula and the game types with
// scores of their own (the poker-hand game keeps its own and gets 0 here).
int tableScore(const PileGroups& piles, const RuleTable& rules);

// The score after a move: the game types with scores of their own always, the others only under
// standard scoring; the poker-hand game's score is its panel's and stays.
void recomputeScore(Game& game);
// Whether the score follows only the cards on the foundations and the second waste (the ordinary
// formula): a move that touches neither leaves it as it is.
bool scoreFollowsHomeOnly(const Game& game);

// The end test of the game's type.
bool isWon(const Game& game);

// Cards in a pile, empty slots not counted.
int countCards(std::string_view pile);

} // namespace kst
