#pragma once
// A game's chance of winning, measured: its deals taken by number one after another, each solved
// from the start under the same limits, and the verdicts counted. `kestrane-cli odds` and the
// catalogue's measurement both count here, so that their figures agree.

#include <cstdint>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

#include "cards/RuleTable.h"
#include "engine/AfterMove.h"
#include "solver/Solver.h"

namespace kst::solver {

// The verdicts over a run of deals.
struct OddsCount {
    long long won = 0;
    long long lost = 0;
    long long unknown = 0;
    std::uint64_t nodes = 0;     // positions searched over all the deals
    std::vector<double> seconds; // each deal's search, in the order dealt
    bool supported = true;       // false: the solver does not play the game, and nothing was dealt
    std::string error;           // a deal that failed (the shuffle's message); the count stops there

    double totalSeconds() const { return std::accumulate(seconds.begin(), seconds.end(), 0.0); }
};

// Deals game numbers first .. first + deals - 1 of catalogue game gameId (rules as loaded from the
// catalogue) as a player's new game deals them, and solves each under the limits. A deal that asks
// for a random choice gets a generator seeded by its number, so that a rerun counts the same; with
// a node limit and no time limit the count is then the same on every machine.
// `each`, when given, hears of every deal as it is solved: its number and the search's result.
using EachDeal = std::function<void(const std::string& number, const Result& result)>;
OddsCount measureOdds(int gameId, const RuleTable& rules, long long first, long long deals, const Limits& limits,
                      AutomaticPlay play = {}, const EachDeal& each = {});

} // namespace kst::solver
