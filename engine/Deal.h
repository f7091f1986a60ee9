#pragma once
// The deal: the ShuffleDeck of the game number distributed into the piles as the rule parameters
// direct. Every step reads the rules and writes the piles, the faces, the base ranks and the
// empty-pile rules that a deal may rewrite; the caller restores those rule entries from the saved
// block before each new deal of the same game.

#include <string>
#include <string_view>

#include "cards/Piles.h"
#include "cards/RuleTable.h"
#include "engine/Game.h"
#include "engine/Placement.h"
#include "platform/Random.h"

namespace kst {

struct DealResult {
    bool ok = true;
    std::string message; // the shuffle's error; the table is then left empty
    int score = 0;       // the starting score
};

// Deals the game whose rules are loaded, on a cleared table. The counters start a new deal (deal
// pass 1, special counter 0). The random source is asked only by DealMode 10, so every other deal
// depends on the game number alone.
DealResult dealTable(CardTable& table, RuleTable& rules, PlacementCounters& counters, std::string_view gameNumber,
                     RandomSource& random);

// A new deal of the game value: its rules back to the catalogue's (the saved block), the table
// dealt by its number, the counters, score, moves, time and won flag of a game not yet played.
DealResult dealGame(Game& game, RandomSource& random);

// A new game of catalogue game gameId dealt by its number, as a player starts one: the game value
// made afresh with the rules as loaded from the catalogue (their saved block taken), the number
// padded to 13 digits, then dealGame.
DealResult dealByNumber(Game& game, int gameId, const RuleTable& rules, std::string_view number,
                        RandomSource& random);

// The deal's step for the empty-pile rule BelowBaseRank: every tableau pile with it takes the rank
// below foundation 1's base rank (nothing when that is no rank). A game read back from a file
// takes it again from its saved base ranks.
void setEmptyRulesBelowBase(RuleTable& rules);

} // namespace kst
