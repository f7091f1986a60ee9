// The empty-pile rule and the direction rule, asked through build code 2 (any suit) and, on
// foundations, build code 0 (one suit).

#include <gtest/gtest.h>

#include "tests/engine/PlacementFixture.h"

namespace kst::test {
namespace {

Ask onTableau(int top, int direction, int wrap, int baseRank)
{
    return {.piles = {{filaPile(0), {top}}}, .direction = direction, .wrap = wrap, .baseRank = baseRank};
}

Ask onFoundation(int top, int direction, int emptyRule)
{
    return {.piles = {{destPile(0), {top}}}, .toFoundation = true, .code = 0, .direction = direction,
            .emptyRule = emptyRule, .baseRank = emptyRule};
}

TEST(DirectionRule, Tableau)
{
    expectCases({
        {"up: one rank up", onTableau(S(7), BuildUp, 1, 1), H(8), true},
        {"up: no down", onTableau(S(7), BuildUp, 1, 1), H(6), false},
        {"up: an Ace on a King", onTableau(S(13), BuildUp, 1, 1), H(1), true},
        {"up: nothing else on a King", onTableau(S(13), BuildUp, 1, 1), H(12), false},
        {"up, wrap 0: the base rank ends the sequence", onTableau(S(7), BuildUp, 0, 7), H(8), false},
        {"either, wrap 0: ... and no down either", onTableau(S(7), BuildEither, 0, 7), H(6), false},
        {"either, wrap 0: below the base rank still down", onTableau(S(7), BuildEither, 0, 5), H(6), true},
        {"either: down after a failed up", onTableau(S(7), BuildEither, 1, 1), H(6), true},
        {"either: up first", onTableau(S(7), BuildEither, 1, 1), H(8), true},
        {"either: two apart", onTableau(S(7), BuildEither, 1, 1), H(9), false},
        {"up, wrap 2: one up", onTableau(S(7), BuildUp, 2, 1), H(8), true},
        {"up, wrap 2: a Queen on a King", onTableau(S(13), BuildUp, 2, 1), H(12), true},
        {"up, wrap 2: no Ace on a King", onTableau(S(13), BuildUp, 2, 1), H(1), false},
        {"up, wrap 2: the base rank does not stop it", onTableau(S(7), BuildUp, 2, 7), H(8), true},
        {"down: one down", onTableau(S(7), BuildDown, 1, 1), H(6), true},
        {"down: no up", onTableau(S(7), BuildDown, 1, 1), H(8), false},
        {"down, wrap 2: a 2 on an Ace", onTableau(S(1), BuildDown, 2, 1), H(2), true},
        {"down, wrap 2: no King on an Ace", onTableau(S(1), BuildDown, 2, 1), H(13), false},
        {"down, wrap 0, base 1: nothing on an Ace", onTableau(S(1), BuildDown, 0, 1), H(13), false},
        {"down, wrap 0: nothing on the base rank", onTableau(S(7), BuildDown, 0, 7), H(6), false},
        {"down, wrap 1: a King on an Ace", onTableau(S(1), BuildDown, 1, 1), H(13), true},
        {"down, wrap 1: only a King on an Ace", onTableau(S(1), BuildDown, 1, 1), H(12), false},
        {"down, wrap 0, base 5: a King on an Ace", onTableau(S(1), BuildDown, 0, 5), H(13), true},
        {"down, wrap 0, balanced base: no King on an Ace", onTableau(S(1), BuildDown, 0, 81), H(13), false},
        {"down, wrap 1, balanced base: a King on an Ace", onTableau(S(1), BuildDown, 1, 83), H(13), true},
        {"a direction that is none of the three", onTableau(S(7), 3, 1, 1), H(6), false},
    });
}

TEST(DirectionRule, Foundation)
{
    expectCases({
        {"up: same suit one up", onFoundation(H(1), BuildUp, 1), H(2), true},
        {"up: other suit", onFoundation(H(1), BuildUp, 1), S(2), false},
        {"up: not two up", onFoundation(H(1), BuildUp, 1), H(3), false},
        {"up from 7: the Ace follows the King", onFoundation(H(13), BuildUp, 7), H(1), true},
        {"up from the Ace: the King ends it", onFoundation(H(13), BuildUp, 1), H(1), false},
        {"down: one down", onFoundation(H(9), BuildDown, 13), H(8), true},
        {"down from the King: the Ace ends it", onFoundation(H(1), BuildDown, 13), H(13), false},
        {"down from 5: a King follows the Ace", onFoundation(H(1), BuildDown, 5), H(13), true},
        {"either: down", onFoundation(H(9), BuildEither, 5), H(8), true},
        {"either: up", onFoundation(H(9), BuildEither, 5), H(10), true},
    });
}

TEST(EmptyPileRule, Values)
{
    const auto rule = [](int v, int baseRank = 1) { return Ask{.emptyRule = v, .baseRank = baseRank}; };
    const std::vector<PileCards> threesStarted{{destPile(0), {H(3), H(4)}}, {destPile(1), {S(3)}}};
    expectCases({
        {"13 a King", rule(13), H(13), true},
        {"13 nothing else", rule(13), H(12), false},
        {"-1 any card", rule(-1), H(4), true},
        {"0 none", rule(0), H(4), false},
        {"0 with base rank -1: any", rule(0, -1), H(4), true},
        {"5 a five", rule(5), C(5), true},
        {"5 not a six", rule(5), C(6), false},
        {"82 never by hand", rule(82), H(13), false},
        {"83 never by hand", rule(83), H(1), false},
        {"86 a single card", rule(86), H(9), true},
        {"87 from a tableau pile", {.from = filaPile(3), .emptyRule = 87}, H(9), true},
        {"87 from a reserve", {.from = appoggPile(0), .emptyRule = 87}, H(9), true},
        {"87 not from the waste", {.from = Mazzo_Vis, .emptyRule = 87}, H(9), false},
        {"92 the rank the foundations started with", {.piles = threesStarted, .emptyRule = 92}, C(3), true},
        {"92 another rank", {.piles = threesStarted, .emptyRule = 92}, C(4), false},
        {"92 no foundation started: any", {.emptyRule = 92}, C(4), true},
        {"93 not from a tableau pile", {.piles = threesStarted, .from = filaPile(2), .emptyRule = 93}, C(3), false},
        {"93 from the waste", {.piles = threesStarted, .from = Mazzo_Vis, .emptyRule = 93}, C(3), true},
    });
}

TEST(EmptyPileRule, BalancedStarts)
{
    const auto start = [](int v, std::vector<PileCards> piles, int sharing = 4) {
        Ask a{.piles = std::move(piles), .toFoundation = true, .pileIndex = 3, .emptyRule = v, .baseRank = v};
        for (int i = 0; i < 4; ++i)
            a.rules.push_back({Rule::BaseRank + i, i < sharing ? v : 1});
        return a;
    };
    const std::vector<PileCards> twoRedAces{{destPile(0), {H(1)}}, {destPile(1), {D(1)}}};
    const std::vector<PileCards> heartAce{{destPile(0), {H(1)}}};
    expectCases({
        {"81 a black Ace beside two red", start(81, twoRedAces), C(1), true},
        {"81 no third red Ace", start(81, twoRedAces), cardOf(1, 0, true), false},
        {"81 only an Ace", start(81, {}), C(2), false},
        {"81 may repeat a suit", start(81, heartAce), cardOf(1, 0, true), true},
        {"81 half of the sharing foundations", start(81, heartAce, 2), D(1), false},
        {"81 the other colour", start(81, heartAce, 2), S(1), true},
        {"85 no suit twice", start(85, heartAce), cardOf(1, 0, true), false},
        {"85 another suit", start(85, heartAce), D(1), true},
        {"84 a King", start(84, {{destPile(0), {H(13)}}}), C(13), true},
        {"84 not an Ace", start(84, {}), C(1), false},
        {"90 a 2", start(90, {{destPile(0), {H(2)}}}), S(2), true},
        {"90 no suit twice", start(90, {{destPile(0), {H(2)}}}), cardOf(2, 0, true), false},
        {"90 not a 3", start(90, {}), S(3), false},
    });
}

} // namespace
} // namespace kst::test
