#pragma once
// Small tables for the move engine's tests: a game value with chosen piles and rules.

#include "engine/Game.h"
#include "engine/RuleCodes.h"
#include "engine/Scoring.h"
#include "tests/engine/PlacementFixture.h"

#include <utility>
#include <vector>

namespace kst::test {

struct Pile {
    PileRef pile;
    std::vector<int> cards;    // bottom first, face up
    int faceDown = 0;          // the lowest cards face down
};

// Four foundations building up in suit from the Ace, eight tableau piles building down in
// alternate colours (any card on an empty one), four free cells; rules can be overridden.
inline Game table(const std::vector<Pile>& piles, const std::vector<std::pair<int, int>>& rules = {})
{
    Game game;
    RuleTable& r = game.rules;
    const std::pair<int, int> defaults[] = {
        {Rule::DeckSize, 52}, {Rule::FoundationCount, 4}, {Rule::TableauCount, 8}, {Rule::ReserveCount, 4},
        {Rule::FoundationCapacity, 13}, {Rule::RunRule, RunRules::PlaceableOnEachOther},
        {Rule::RunSize, RunSizes::FreeCellsAndPiles}};
    for (const auto& [index, value] : defaults)
        r.set(index, std::int16_t(value));
    for (int i = 0; i < 4; ++i) {
        r.set(Rule::BaseRank + i, 1);
        r.set(Rule::FoundationDirection + i, BuildUp);
        r.set(Rule::FoundationBuildCode + i, BuildCodes::SameSuit);
    }
    for (int i = 0; i < 8; ++i) {
        r.set(Rule::TableauEmptyRule + i, -1);
        r.set(Rule::TableauDirection + i, BuildDown);
        r.set(Rule::TableauBuildCode + i, 3);
    }
    for (const auto& [index, value] : rules)
        r.set(index, std::int16_t(value));
    for (const Pile& p : piles)
        for (std::size_t k = 0; k < p.cards.size(); ++k)
            appendCard(game.cards.piles, game.cards.deck, p.pile, p.cards[k],
                       int(k) < p.faceDown ? Face::Down : Face::Up);
    recomputeScore(game);
    return game;
}


} // namespace kst::test
