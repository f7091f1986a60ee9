// The solver's speed over runs of deals, as `kestrane-cli odds` measures it, with the nodes per
// second. Targets (one core): Freecell deals 1-1000 all solved in under 1.7 s in all; Klondike (one
// card a press) 180 of deals 1-200 decided in under 20 s in all. The full runs are timed command
// lines (README); these are their first deals, for quick comparisons.

#include <benchmark/benchmark.h>

#include <string>

#include "engine/Deal.h"
#include "engine/GameNumber.h"
#include "platform/test/TestPorts.h"
#include "solver/Solver.h"
#include "storage/GameCatalogue.h"

namespace kst {
namespace {

void solveDeals(benchmark::State& state, int gameId, int deals, double seconds)
{
    GameCatalogue catalogue;
    RuleTable rules;
    if (!catalogue.load(KST_PROGRAM_DIR "/GAMES.DAT").ok || !catalogue.loadRules(gameId, rules).ok) {
        state.SkipWithError("GAMES.DAT not built");
        return;
    }
    std::vector<Game> games;
    for (int n = 1; n <= deals; ++n) {
        Game game;
        game.gameId = gameId;
        game.rules = rules;
        game.number = normalGameNumber(std::to_string(n));
        test::ScriptedRandom random;
        dealGame(game, random);
        games.push_back(game);
    }
    solver::Limits limits;
    limits.seconds = seconds;
    solver::Solver solver(limits);
    std::uint64_t nodes = 0;
    int decided = 0;
    for (auto _ : state) {
        decided = 0;
        for (const Game& game : games) {
            const solver::Result r = solver.solve(game);
            nodes += r.nodes;
            decided += r.verdict != solver::Verdict::Unknown ? 1 : 0;
        }
    }
    state.counters["decided"] = decided;
    state.counters["nodes/s"] = benchmark::Counter(double(nodes), benchmark::Counter::kIsRate);
}

void BM_SolveFreecell100(benchmark::State& state) { solveDeals(state, 1, 100, 0); }
void BM_SolveKlondike20(benchmark::State& state) { solveDeals(state, 2, 20, 0.1); }
BENCHMARK(BM_SolveFreecell100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SolveKlondike20)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kst
