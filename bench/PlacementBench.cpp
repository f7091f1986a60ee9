// canPlace is asked for every card against every pile by the deal, automatic play and searches.
// Target: well under a microsecond per call (aim: below 100 ns on average for this mix).

#include <benchmark/benchmark.h>

#include <vector>

#include "engine/Placement.h"

namespace kst {
namespace {

struct Game {
    PileGroups piles;
    RuleTable rules;
};

// A one-deck game well under way: seven tableau piles, four foundations, stock and waste.
Game midGame(int tableauCode, int foundationCode, int stockRestriction)
{
    Game g;
    g.rules.set(Rule::FoundationCount, 4);
    g.rules.set(Rule::TableauCount, 7);
    g.rules.set(Rule::StockRestriction, std::int16_t(stockRestriction));
    g.rules.set(Rule::WasteDealt, 1);
    for (int i = 0; i < 4; ++i) {
        g.rules.set(Rule::BaseRank + i, 1);
        g.rules.set(Rule::FoundationDirection + i, 1);
        g.rules.set(Rule::FoundationBuildCode + i, std::int16_t(foundationCode));
    }
    for (int i = 0; i < 7; ++i) {
        g.rules.set(Rule::TableauEmptyRule + i, 13);
        g.rules.set(Rule::TableauBuildCode + i, std::int16_t(tableauCode));
        g.rules.set(Rule::WrapFlag + i, 0);
    }
    int card = 1;
    const auto deal = [&](PileRef pile, int count) {
        for (int n = 0; n < count && card <= 52; ++n)
            appendCard(g.piles, pile, card++);
    };
    for (int i = 0; i < 4; ++i)
        deal(destPile(i), 3);
    for (int i = 0; i < 7; ++i)
        deal(filaPile(i), i + 1);
    deal(Mazzo_Vis, 5);
    deal(Mazzo, 52);
    return g;
}

// Every top card and every waste card asked against every foundation and tableau pile in use.
std::vector<PlacementQuery> questions(const Game& g)
{
    std::vector<int> cards;
    for (int i = 0; i < 7; ++i)
        cards.push_back(topCard(g.piles.fila[std::size_t(i)]));
    cards.push_back(topCard(g.piles.stock[1]));
    std::vector<PlacementQuery> out;
    for (int card : cards) {
        for (int i = 0; i < 4; ++i)
            out.push_back(placementQuery(g.rules, g.piles, destPile(i), card, true));
        for (int i = 0; i < 7; ++i)
            out.push_back(placementQuery(g.rules, g.piles, filaPile(i), card, true));
    }
    return out;
}

void askAll(benchmark::State& state, const Game& g)
{
    const std::vector<PlacementQuery> qs = questions(g);
    const PlacementCounters counters;
    for (auto _ : state) {
        for (const PlacementQuery& q : qs)
            benchmark::DoNotOptimize(canPlace(q, g.piles, g.rules, counters));
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(qs.size()));
}

// Alternate colours down, one suit up on the foundations: no pile scans.
void BM_CanPlace_Ordinary(benchmark::State& state) { askAll(state, midGame(3, 0, 0)); }
// The stock restriction looks up where every card lies.
void BM_CanPlace_StockRestriction(benchmark::State& state) { askAll(state, midGame(3, 0, 2)); }
// Rules that read other piles: the waste row on the tableau, ranks of the previous foundation.
void BM_CanPlace_PileReading(benchmark::State& state) { askAll(state, midGame(38, 5, 0)); }

BENCHMARK(BM_CanPlace_Ordinary);
BENCHMARK(BM_CanPlace_StockRestriction);
BENCHMARK(BM_CanPlace_PileReading);

} // namespace
} // namespace kst
