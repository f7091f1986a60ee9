// A new game, a restart, a solver trying many numbers: each one deal. Target: more than 100,000
// deals per second on one core for both the 104-card Spider and the 52-card Freecell.

#include <benchmark/benchmark.h>

#include <string>

#include "storage/GameCatalogue.h"
#include "engine/Deal.h"
#include "platform/test/TestPorts.h"

namespace kst {
namespace {

void dealGame(benchmark::State& state, int gameId)
{
    GameCatalogue catalogue;
    if (!catalogue.load(KST_PROGRAM_DIR "/GAMES.DAT").ok) {
        state.SkipWithError("GAMES.DAT not built");
        return;
    }
    RuleTable rules;
    catalogue.loadRules(gameId, rules);
    test::ScriptedRandom random;
    std::uint64_t number = 1234567;
    for (auto _ : state) {
        CardTable table;
        PlacementCounters counters;
        rules.restoreRuleBlock();
        number = number * 6364136223846793005ULL + 1442695040888963407ULL;
        const DealResult result = dealTable(table, rules, counters, std::to_string(number % 10'000'000'000'000ULL), random);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(table);
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_DealSpider(benchmark::State& state) { dealGame(state, 6); }
void BM_DealFreecell(benchmark::State& state) { dealGame(state, 1); }
BENCHMARK(BM_DealSpider);
BENCHMARK(BM_DealFreecell);

} // namespace
} // namespace kst
