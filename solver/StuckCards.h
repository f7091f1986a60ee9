#pragma once
// A proof of loss that needs no search: a tableau card that can never be lifted from its place can
// never go home. A card is lifted (as the bottom card of what moves) only once the cards above it
// are off it or move with it, and only to a place that can take it then: home, once the cards its
// suit builds before it are home; onto a card that lies on top of a tableau pile at the time; or
// into an empty tableau pile. Starting from nothing and adding every lift whose needs are met by
// lifts already found finds every lift that any line of play can make, and often no more: where
// some card is never found lifted, the position is lost. Typical of a card buried under the cards
// it needs, or of two piles that each hold what the other needs.

#include "engine/Game.h"
#include "solver/RuleFacts.h"

namespace kst::solver {

// Whether the rules allow the proof (RuleFacts::stuckCardsKnown) and it finds a card stuck.
bool hasStuckCard(const Game& game, const RuleFacts& facts);

} // namespace kst::solver
