// The speed a search can reach: every legal move of a mid-game position, and one move made and
// taken back. Target: well under a microsecond per move generated, and apply + undo of one move
// in well under a microsecond.

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "engine/Deal.h"
#include "engine/GameNumber.h"
#include "engine/Moves.h"
#include "platform/test/TestPorts.h"
#include "storage/GameCatalogue.h"

namespace kst {
namespace {

// The deal of the game, then up to `moves` random legal moves (the same ones every run); of the
// positions passed, the one with the most moves to choose from.
bool midGame(int gameId, int moves, Game& game)
{
    GameCatalogue catalogue;
    if (!catalogue.load(KST_PROGRAM_DIR "/GAMES.DAT").ok || !catalogue.loadRules(gameId, game.rules).ok)
        return false;
    game.gameId = gameId;
    game.number = normalGameNumber("1234567");
    test::ScriptedRandom random;
    if (!dealGame(game, random).ok)
        return false;
    std::mt19937 pick(7);
    std::vector<Move> list;
    Game walk = game;
    std::size_t most = 0;
    for (int i = 0; i < moves; ++i) {
        legalMoves(walk, list);
        if (list.empty())
            break;
        if (i > 0 && list.size() >= most) {
            most = list.size();
            game = walk;
        }
        apply(walk, list[pick() % list.size()]);
    }
    return true;
}

void generate(benchmark::State& state, int gameId)
{
    Game game;
    if (!midGame(gameId, 40, game)) {
        state.SkipWithError("GAMES.DAT not built");
        return;
    }
    std::vector<Move> moves;
    moves.reserve(512);
    std::size_t generated = 0;
    for (auto _ : state) {
        legalMoves(game, moves);
        generated += moves.size();
        benchmark::DoNotOptimize(moves.data());
    }
    state.SetItemsProcessed(std::int64_t(generated));
    state.counters["moves"] = double(moves.size());
}

void BM_LegalMovesFreecell(benchmark::State& state) { generate(state, 1); }
void BM_LegalMovesKlondike(benchmark::State& state) { generate(state, 2); }
void BM_LegalMovesSpider(benchmark::State& state) { generate(state, 6); }
BENCHMARK(BM_LegalMovesFreecell);
BENCHMARK(BM_LegalMovesKlondike);
BENCHMARK(BM_LegalMovesSpider);

void BM_ApplyUndoFreecell(benchmark::State& state)
{
    Game game;
    if (!midGame(1, 12, game)) {
        state.SkipWithError("GAMES.DAT not built");
        return;
    }
    const std::vector<Move> moves = legalMoves(game);
    if (moves.empty()) {
        state.SkipWithError("no move in the position");
        return;
    }
    std::size_t next = 0;
    for (auto _ : state) {
        const MoveUndo record = apply(game, moves[next]);
        undo(game, record);
        next = next + 1 == moves.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ApplyUndoFreecell);

} // namespace
} // namespace kst
