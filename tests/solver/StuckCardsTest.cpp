// Cards proved stuck before any search: small tables where a card can never be lifted, and where
// it only seems so; and every position of the winning lines the solver finds, none of which may be
// called lost.

#include "solver/RuleFacts.h"
#include "solver/Solver.h"
#include "solver/StuckCards.h"
#include "tests/engine/GameFixture.h"
#include "tests/support/PlayedSession.h"

#include <gtest/gtest.h>

namespace kst {
namespace {

using test::Pile;

constexpr int AH = 1, H2 = 2, H3 = 3, D3 = 16, C3 = 29, AS = 40, S2 = 41;

// Tableau piles built down in alternate colours, runs of any length, Kings alone into empty piles,
// no free cells: the tableau of the stock games.
std::vector<std::pair<int, int>> stockGameRules(int piles)
{
    std::vector<std::pair<int, int>> rules = {
        {Rule::TableauCount, piles}, {Rule::ReserveCount, 0}, {Rule::RunSize, RunSizes::Any}};
    for (int i = 0; i < piles; ++i)
        rules.emplace_back(Rule::TableauEmptyRule + i, King);
    return rules;
}

TEST(StuckCards, SmallTables)
{
    const struct {
        const char* what;
        std::vector<Pile> piles;
        int tableauPiles;
        bool stuck;
    } cases[] = {
        {"the 2 of spades lies on its Ace and on both red 3s", {{filaPile(0), {H3, D3, AS, S2}, 3}}, 1, true},
        {"one red 3 elsewhere, on top", {{filaPile(0), {H3, AS, S2}, 2}, {filaPile(1), {D3}}}, 2, false},
        {"each 2 lies on the other's Ace, and no pile can empty for a King to start the 3s",
         {{filaPile(0), {AS, H2}, 1}, {filaPile(1), {AH, S2}, 1}},
         2,
         true},
        {"the same with an empty pile: a King, a Queen ... down to a black 3 may come for the 2 of hearts",
         {{filaPile(0), {AS, H2}, 1}, {filaPile(1), {AH, S2}, 1}},
         3,
         false},
        {"a black 3 on top of a third pile takes the 2 of hearts",
         {{filaPile(0), {AS, H2}, 1}, {filaPile(1), {AH, S2}, 1}, {filaPile(2), {C3}}},
         3,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Game game = test::table(c.piles, stockGameRules(c.tableauPiles));
        game.gameId = 2;
        const solver::RuleFacts facts = solver::ruleFacts(game);
        ASSERT_TRUE(facts.stuckCardsKnown);
        EXPECT_EQ(solver::hasStuckCard(game, facts), c.stuck);
        if (c.stuck) {
            // The solver says so without searching.
            const solver::Result r = solver::solve(game);
            EXPECT_EQ(r.verdict, solver::Verdict::Lost);
            EXPECT_EQ(r.nodes, 0u);
        }
    }
}

TEST(StuckCards, OnlyWhereTheRulesAllowTheProof)
{
    const std::vector<Pile> piles = {{filaPile(0), {H3, D3, AS, S2}, 3}};
    const struct {
        const char* what;
        std::vector<std::pair<int, int>> rules;
    } cases[] = {
        {"free cells take any card", {{Rule::ReserveCount, 4}}},
        {"the foundations go down from the King", {{Rule::BaseRank, King}, {Rule::FoundationDirection, BuildDown}}},
        {"the foundations build regardless of suit", {{Rule::FoundationBuildCode, BuildCodes::AnySuit}}},
        {"two decks", {{Rule::DeckSize, 104}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::pair<int, int>> rules = stockGameRules(1);
        rules.insert(rules.end(), c.rules.begin(), c.rules.end());
        const Game game = test::table(piles, rules);
        EXPECT_FALSE(solver::ruleFacts(game).stuckCardsKnown);
        EXPECT_FALSE(solver::hasStuckCard(game, solver::ruleFacts(game)));
    }
}

// The proof must never call a won game lost: every position on the way to a win the solver found,
// runs of face-up cards, cards home and cards dealt from the stock included, is not stuck.
TEST(StuckCards, NoPositionOnTheWayToAWinIsStuck)
{
    int games = 0, positions = 0;
    for (const CatalogueGame& entry : test::shippedCatalogue().games()) {
        test::PlayedSession first(entry.gameId, "1");
        if (!solver::solvable(first.game()) || !solver::ruleFacts(first.game()).stuckCardsKnown)
            continue;
        ++games;
        for (const char* number : {"1", "2", "3", "4", "5", "6"}) {
            SCOPED_TRACE(std::string(entry.name) + " " + number);
            test::PlayedSession session(entry.gameId, number);
            solver::Limits limits;
            limits.nodes = 20'000;
            limits.memoryBytes = std::size_t(16) << 20;
            const solver::Result r = solver::solve(session.game(), {}, limits);
            if (r.verdict != solver::Verdict::Won)
                continue;
            const solver::RuleFacts facts = solver::ruleFacts(session.game());
            for (const Move& m : r.line) {
                ASSERT_FALSE(solver::hasStuckCard(session.game(), facts)) << "before " << moveText(m);
                ASSERT_TRUE(session.session.play(m, MoveOrigin::Clicked)) << moveText(m);
                ++positions;
            }
        }
    }
    EXPECT_GE(games, 5);
    EXPECT_GE(positions, 1000);
}

} // namespace
} // namespace kst
