#pragma once
// The solver: a search over the moves of the game value that finds a winning line from a position
// or proves that none exists. It knows every card, face-down ones too, so its verdict is about the
// deal, not about what the player has seen. One search runs on one thread; the window runs it on a
// copy of the game in the background and cancels it when the player moves.
//
// A step of the search is what a player's move is in the session: the move, then everything the
// rules do by themselves after it (engine/AfterMove.h), with the player's automatic-play settings.
// So the line it finds plays to the end in the window and through `kestrane-cli play`.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/AfterMove.h"
#include "engine/Game.h"
#include "engine/Move.h"

namespace kst::solver {

inline constexpr std::size_t DefaultMemoryBytes = std::size_t(256) << 20;

struct Limits {
    std::uint64_t nodes = 0;                     // positions searched; 0: no limit
    double seconds = 0;                          // 0: no limit
    std::size_t memoryBytes = DefaultMemoryBytes; // the transposition tables never grow past it
    const std::atomic<bool>* cancel = nullptr;   // set from another thread to stop at once
    // The search's shortcuts (alike piles as one, safe cards sent home at once, moves that lead
    // nowhere new skipped); off only to check that they keep the answer.
    bool shortcuts = true;
};

enum class Verdict {
    Won,     // a winning line was found
    Lost,    // every position reachable was searched and none is won, or a card can never leave its place
    Unknown, // a limit was reached (or the search was cancelled) first
};

struct Result {
    Verdict verdict = Verdict::Unknown;
    std::vector<Move> line;      // Won: the player's moves that win, in order
    std::uint64_t nodes = 0;     // positions searched
    std::uint64_t stored = 0;    // positions in the transposition table at the end
    double seconds = 0;
    bool cancelled = false;
    bool supported = true;       // false for games the solver does not play (not ordinary ones)
};

// Whether the solver plays the game: the ordinary games, whose every move is a move of the value.
bool solvable(const Game& game);

// Searches from the position; the game given is not changed. A Solver keeps its table between
// searches, so that many deals in a row allocate nothing new.
class Solver {
public:
    explicit Solver(Limits limits = {});
    ~Solver();
    Solver(const Solver&) = delete;
    Solver& operator=(const Solver&) = delete;

    void setLimits(const Limits& limits) { m_limits = limits; }
    Result solve(const Game& game, AutomaticPlay play = {});

private:
    class Search;
    class Table;
    Limits m_limits;
    std::unique_ptr<Table> m_table;
};

// One search with its own table.
Result solve(const Game& game, AutomaticPlay play = {}, const Limits& limits = {});

const char* verdictName(Verdict verdict); // "won", "lost", "unknown"

} // namespace kst::solver
