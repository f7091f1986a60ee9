#include "solver/Odds.h"

#include <random>

#include "engine/Deal.h"
#include "platform/Random.h"

namespace kst::solver {
namespace {

// The standard fixes the twister's sequence, and the reduction is plain arithmetic, so a number
// makes the same choices everywhere. The clock is never asked.
class NumberedRandom : public RandomSource {
public:
    explicit NumberedRandom(long long number) : m_engine(std::uint32_t(number)) {}
    void seedFromClock() override {}
    std::uint32_t below(std::uint32_t n) override { return n == 0 ? 0 : std::uint32_t(m_engine() % n); }

private:
    std::mt19937 m_engine;
};

} // namespace

OddsCount measureOdds(int gameId, const RuleTable& rules, long long first, long long deals, const Limits& limits,
                      AutomaticPlay play, const EachDeal& each)
{
    OddsCount count;
    Game game;
    game.gameId = gameId;
    game.rules = rules;
    if (!solvable(game)) {
        count.supported = false;
        return count;
    }
    Solver solver(limits);
    for (long long number = first; number < first + deals; ++number) {
        NumberedRandom random(number);
        if (const DealResult dealt = dealByNumber(game, gameId, rules, std::to_string(number), random); !dealt.ok) {
            count.error = dealt.message;
            return count;
        }
        const Result r = solver.solve(game, play);
        if (each)
            each(game.number, r);
        (r.verdict == Verdict::Won ? count.won : r.verdict == Verdict::Lost ? count.lost : count.unknown) += 1;
        count.nodes += r.nodes;
        count.seconds.push_back(r.seconds);
    }
    return count;
}

} // namespace kst::solver
