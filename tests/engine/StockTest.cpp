#include "engine/Stock.h"

#include "engine/AutoMoves.h"
#include "engine/Moves.h"
#include "tests/engine/GameFixture.h"

#include <gtest/gtest.h>

namespace kst {
namespace {

using test::C;
using test::D;
using test::H;
using test::Pile;
using test::S;
using test::table;

// A stock of face-down cards, the first listed on top.
Pile stockOf(std::vector<int> topFirst)
{
    std::reverse(topFirst.begin(), topFirst.end());
    const int n = int(topFirst.size());
    return {Mazzo, std::move(topFirst), n};
}

// Runs the press and checks that undo gives back the game as it was.
Game press(const Game& game, StockCommand expected)
{
    EXPECT_EQ(stockCommand(game), expected);
    const Move move = stockMove(game, Mazzo);
    Game after = game;
    if (move.isNone())
        return after;
    EXPECT_EQ(moveText(move), "stock");
    const MoveUndo record = apply(after, move);
    EXPECT_EQ(gameIsOk(after), "");
    Game back = after;
    undo(back, record);
    EXPECT_EQ(back, game) << "undo of the press";
    return after;
}

TEST(Stock, TheGatheredCardsAreReorderedFromTheMiddle)
{
    EXPECT_EQ(reorderGathered({1, 2, 3, 4, 5}), (std::vector<int>{3, 1, 2, 4, 5}));
    EXPECT_EQ(reorderGathered({}), std::vector<int>{});
    EXPECT_EQ(reorderGathered({7}), std::vector<int>{7});
}

TEST(Stock, WhatAPressDoesComesInItsOrder)
{
    struct Case {
        const char* what;
        std::vector<Pile> piles;
        std::vector<std::pair<int, int>> rules;
        StockCommand command;
    };
    const Pile stock = stockOf({S(5)});
    const Case cases[] = {
        {"deals to the waste", {stock}, {{Rule::StockToWaste, 1}}, StockCommand::Waste},
        {"to the waste only when it is empty", {stock, {Mazzo_Vis, {H(2)}}},
         {{Rule::StockToWaste, 1}, {Rule::StockToWasteCondition, 1}}, StockCommand::None},
        {"gathers when the stock is out", {{filaPile(0), {H(2)}}}, {{Rule::RedealMode, 2}, {Rule::Deals, 2}},
         StockCommand::Redeal},
        {"gathers on every press", {stock}, {{Rule::RedealMode, 6}, {Rule::Deals, -1}}, StockCommand::Redeal},
        {"no gathering left", {{filaPile(0), {H(2)}}}, {{Rule::RedealMode, 2}, {Rule::Deals, 1}}, StockCommand::None},
        {"onto the tableau", {stock}, {{Rule::StockToTableau, 1}}, StockCommand::AddTableaus},
        {"onto the tableau by the last pile's flag", {stock}, {{Rule::StockToTableau + 7, 1}}, StockCommand::AddTableaus},
        {"onto the tableau once every pile holds a card", {stock}, {{Rule::StockToTableau, 2}},
         StockCommand::FillGapsFirst},
        {"onto the reserves", {stock}, {{Rule::StockToReserve, 1}}, StockCommand::AddReserves},
        {"onto the reserves twice", {stock}, {{Rule::StockToReserve, 3}}, StockCommand::AddReservesTwice},
        {"onto the reserves in turn", {stock}, {{Rule::StockToReserve, 4}}, StockCommand::AlternateReserve},
        {"to the second waste", {stock}, {{Rule::SecondWasteScheme, 3}}, StockCommand::SecondWaste},
        {"nothing to deal", {}, {{Rule::StockToTableau, 1}}, StockCommand::None},
        {"no rule for the stock", {stock}, {}, StockCommand::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(stockCommand(table(c.piles, c.rules)), c.command);
    }
    // Eight cards left: the last deal goes onto every tableau pile.
    const Game eight = table({stockOf({S(1), S(2), S(3), S(4), S(5), S(6), S(7), S(8)})}, {{Rule::StockToReserve, 3}});
    EXPECT_EQ(stockCommand(eight), StockCommand::AddTableausLast);
    // A gap refuses the deal: the press is no move.
    const Game gap = table({stock, {filaPile(0), {H(2)}}}, {{Rule::StockToTableau, 2}});
    EXPECT_TRUE(stockMove(gap, Mazzo).isNone());
}

TEST(Stock, DealingToTheWasteAndTurningItOver)
{
    const std::vector<std::pair<int, int>> klondike = {{Rule::StockToWaste, 1}, {Rule::CardsPerStockClick, 3},
                                                       {Rule::StockFace, 1}, {Rule::Deals, 3}};
    // Three cards a press, two left: one press deals both, face up, the first dealt lowest.
    Game game = press(table({stockOf({H(2), H(3)})}, klondike), StockCommand::Waste);
    EXPECT_EQ(game.pile(Mazzo_Vis), cardDigits(H(2)) + cardDigits(H(3)));
    EXPECT_FALSE(game.cards.deck.isFaceDown(H(3)));
    EXPECT_EQ(game.movesMade, 1);
    // Turned over: the waste's bottom card is the stock's top, face down again; the pass counts.
    game = press(game, StockCommand::Waste);
    EXPECT_EQ(game.pile(Mazzo), cardDigits(H(3)) + cardDigits(H(2)));
    EXPECT_TRUE(game.pile(Mazzo_Vis).empty());
    EXPECT_TRUE(game.cards.deck.isFaceDown(H(2)));
    EXPECT_EQ(game.counters.DealCounter, 2);
    // Three passes allowed: turned over twice, never a third time.
    game = press(press(game, StockCommand::Waste), StockCommand::Waste);
    EXPECT_EQ(game.counters.DealCounter, 3);
    game = press(game, StockCommand::Waste);
    EXPECT_EQ(stockCommand(game), StockCommand::None);

    // One pass: once the stock is out the waste stays.
    Game once = table({stockOf({H(2), H(3)})}, {{Rule::StockToWaste, 1}, {Rule::CardsPerStockClick, 3}, {Rule::Deals, 1}});
    once = press(once, StockCommand::Waste);
    EXPECT_EQ(stockCommand(once), StockCommand::None);
    // A waste of one card is never turned over; with StockFace 0 the turned cards stay face up.
    EXPECT_EQ(stockCommand(table({{Mazzo_Vis, {H(2)}}}, klondike)), StockCommand::None);
    const Game faceUp = press(table({{Mazzo_Vis, {H(2), H(3)}}}, {{Rule::StockToWaste, 1}, {Rule::Deals, -1}}),
                              StockCommand::Waste);
    EXPECT_FALSE(faceUp.cards.deck.isFaceDown(H(2)));
}

TEST(Stock, DealingOntoPiles)
{
    // Flags on the first three piles: one card each, in order, from the stock's top.
    std::vector<std::pair<int, int>> rules = {{Rule::StockToTableau, 1}, {Rule::StockToTableau + 1, 1},
                                              {Rule::StockToTableau + 2, 1}};
    Game game = press(table({stockOf({H(1), H(2), H(3), H(4)}), {filaPile(1), {S(9)}}}, rules), StockCommand::AddTableaus);
    EXPECT_EQ(game.pile(filaPile(0)), cardDigits(H(1)));
    EXPECT_EQ(game.pile(filaPile(1)), cardDigits(S(9)) + cardDigits(H(2)));
    EXPECT_EQ(game.pile(filaPile(2)), cardDigits(H(3)));
    EXPECT_EQ(game.pile(filaPile(3)), "");
    EXPECT_EQ(game.pile(Mazzo), cardDigits(H(4)));
    // The stock running out stops the deal where it is.
    game = press(game, StockCommand::AddTableaus);
    EXPECT_EQ(topCard(game.pile(filaPile(0))), H(4));
    EXPECT_EQ(cardCount(game.pile(filaPile(1))), 2);

    // In turn onto the first and the second reserve, up to three cards each time.
    Game turns = table({stockOf({H(1), H(2), H(3), H(4), H(5)})},
                       {{Rule::StockToReserve, 4}, {Rule::StockToReserve + 1, 4}});
    turns = press(turns, StockCommand::AlternateReserve);
    EXPECT_EQ(turns.pile(appoggPile(0)), cardDigits(H(1)) + cardDigits(H(2)) + cardDigits(H(3)));
    turns = press(turns, StockCommand::AlternateReserve);
    EXPECT_EQ(turns.pile(appoggPile(1)), cardDigits(H(4)) + cardDigits(H(5)));
    EXPECT_EQ(turns.counters.SpecialCounter, 2);

    // The filling after a first move: only the empty piles.
    Game fill = table({stockOf({H(1), H(2)}), {filaPile(0), {S(9)}}});
    const Move move = fillTableausMove(fill);
    ASSERT_FALSE(move.isNone());
    apply(fill, move);
    EXPECT_EQ(fill.pile(filaPile(0)), cardDigits(S(9)));
    EXPECT_EQ(fill.pile(filaPile(1)), cardDigits(H(1)));
    EXPECT_EQ(fill.pile(filaPile(2)), cardDigits(H(2)));
}

TEST(Stock, RedealModes)
{
    const std::vector<Pile> piles = {{filaPile(0), {H(1), H(2)}, 1}, {filaPile(1), {H(3), H(4), H(5)}, 2},
                                     {filaPile(2), {H(6)}}};
    const auto redealt = [&](int mode) {
        return press(table(piles, {{Rule::RedealMode, mode}, {Rule::Deals, -1}, {Rule::TableauCount, 3},
                                   {Rule::TableauDealt, 1}, {Rule::TableauFaceUp, 1}}),
                     StockCommand::Redeal);
    };
    // Gathered top down pile by pile (2 1 5 4 3 6), reordered (4 2 1 6 5 3), one to a pile in turn.
    const Game general = redealt(2);
    EXPECT_EQ(general.pile(filaPile(0)), cardDigits(H(4)) + cardDigits(H(6)));
    EXPECT_EQ(general.pile(filaPile(1)), cardDigits(H(2)) + cardDigits(H(5)));
    EXPECT_EQ(general.pile(filaPile(2)), cardDigits(H(1)) + cardDigits(H(3)));
    EXPECT_FALSE(general.cards.deck.isFaceDown(H(3)));
    EXPECT_EQ(general.counters.DealCounter, 2);
    // Filling each pile to its dealt count before the next, round again while cards are left.
    const Game filled = redealt(1);
    EXPECT_EQ(filled.pile(filaPile(0)), cardDigits(H(4)) + cardDigits(H(6)));
    // Back into the stock face down, the last pile first.
    const Game stock = redealt(4);
    EXPECT_EQ(stock.pile(Mazzo), cardDigits(H(6)) + cardDigits(H(5)) + cardDigits(H(4)) + cardDigits(H(3))
                                     + cardDigits(H(2)) + cardDigits(H(1)));
    EXPECT_TRUE(stock.cards.deck.isFaceDown(H(6)));
    // Each pile's bottom card to its top, face up.
    const Game rolled = redealt(7);
    EXPECT_EQ(rolled.pile(filaPile(1)), cardDigits(H(4)) + cardDigits(H(5)) + cardDigits(H(3)));
    EXPECT_FALSE(rolled.cards.deck.isFaceDown(H(3)));
    EXPECT_EQ(rolled.pile(filaPile(2)), cardDigits(H(6)));
}

TEST(AutoMoves, EmptyTableauPilesAreFilledFromTheirSource)
{
    struct Case {
        const char* what;
        int source;
        std::vector<Pile> piles;
        std::vector<std::pair<PileRef, PileRef>> moves; // from, to
    };
    const Pile waste{Mazzo_Vis, {H(5), H(6), H(7), H(8)}};
    const Pile stock = stockOf({S(2), S(3)});
    std::vector<Pile> full; // every tableau pile but the second occupied
    for (int k = 0; k < 8; ++k)
        if (k != 1)
            full.push_back({filaPile(k), {C(k + 2)}});
    const auto with = [&](std::vector<Pile> extra) {
        std::vector<Pile> piles = full;
        piles.insert(piles.end(), extra.begin(), extra.end());
        return piles;
    };
    const Case cases[] = {
        {"the first reserve", 1, with({{appoggPile(0), {D(9)}}, waste}), {{appoggPile(0), filaPile(1)}}},
        {"the first reserve empty: nothing", 1, with({waste}), {}},
        {"the waste before the stock", 2, with({waste, stock}), {{Mazzo_Vis, filaPile(1)}}},
        {"the stock when the waste is empty", 2, with({stock}), {{Mazzo, filaPile(1)}}},
        {"the stock before the waste", 3, with({waste, stock}), {{Mazzo, filaPile(1)}}},
        {"nothing left to fill with", 3, with({}), {}},
        {"three from the waste", 5, with({waste}),
         {{Mazzo_Vis, filaPile(1)}, {Mazzo_Vis, filaPile(1)}, {Mazzo_Vis, filaPile(1)}}},
        {"the end columns only", 6, with({waste}), {}},
        {"the lower piles only", 7, with({stock}), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Game game = table(c.piles, {{Rule::AutoFill, c.source}});
        const std::vector<Move> moves = fillMoves(game);
        ASSERT_EQ(moves.size(), c.moves.size());
        Game after = game;
        for (std::size_t i = 0; i < moves.size(); ++i) {
            EXPECT_EQ(moves[i].from, c.moves[i].first);
            EXPECT_EQ(moves[i].to, c.moves[i].second);
            apply(after, moves[i]);
        }
        EXPECT_EQ(gameIsOk(after), "");
    }
    // A filling that takes the waste's last card leaves the next pile to the stock.
    std::vector<Pile> two = full;
    two.erase(two.begin()); // the first pile empty too
    two.push_back({Mazzo_Vis, {H(5)}});
    two.push_back(stock);
    const std::vector<Move> moves = fillMoves(table(two, {{Rule::AutoFill, 2}}));
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0].from, Mazzo_Vis);
    EXPECT_EQ(moves[1].from, Mazzo);
    // Before the first move some games fill nothing.
    EXPECT_TRUE(fillMoves(table(with({waste}), {{Rule::AutoFill, 2}, {Rule::FirstMoveRestriction, 1}})).empty());
}

TEST(AutoMoves, CompletedRunsGoToTheFirstEmptyFoundationThatCollectsThem)
{
    const auto runOf = [](int suit, bool kingOnTop, int otherSuit = -1) {
        std::vector<int> cards;
        for (int r = 1; r <= 13; ++r) {
            const int rankFromBottom = kingOnTop ? r : 14 - r;
            cards.push_back(cardOf(rankFromBottom, otherSuit >= 0 && r % 2 == 0 ? otherSuit : suit));
        }
        return cards;
    };
    struct Case {
        const char* what;
        int rule;
        int build;
        std::vector<int> pile; // bottom first
        bool completes;
    };
    std::vector<int> underneath = runOf(2, false);
    underneath.insert(underneath.begin(), S(4));
    std::vector<int> twelve = runOf(3, false);
    twelve.erase(twelve.begin());
    const Case cases[] = {
        {"one suit, the Ace on top", EmptyRules::FilledByCompletedRunsToo, 0, runOf(3, false), true},
        {"one suit, over other cards", EmptyRules::FilledByCompletedRunsToo, 0, underneath, true},
        {"two suits where one is asked", EmptyRules::FilledByCompletedRunsToo, 0, runOf(3, false, 0), false},
        {"alternate colours", EmptyRules::FilledByCompletedRuns, 3, runOf(3, false, 0), true},
        {"free suits", EmptyRules::FilledByCompletedRuns, 2, runOf(3, false, 2), true},
        {"the King on top", EmptyRules::FilledByRunsKingOnTop, 0, runOf(1, true), true},
        {"twelve cards", EmptyRules::FilledByCompletedRunsToo, 0, twelve, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::pair<int, int>> rules = {{Rule::TableauBuildCode, c.build}};
        for (int i = 0; i < 4; ++i)
            rules.push_back({Rule::BaseRank + i, c.rule});
        Game game = table({{filaPile(0), c.pile}, {destPile(0), runOf(0, false)}}, rules);
        const std::vector<Move> moves = completedRunMoves(game, filaPile(0));
        ASSERT_EQ(moves.size(), c.completes ? 13u : 0u);
        for (const Move& m : moves) {
            EXPECT_EQ(m.to, destPile(1)); // the first foundation is taken
            apply(game, m);
        }
        if (c.completes) {
            EXPECT_EQ(cardCount(game.pile(destPile(1))), 13);
        }
    }
}

} // namespace
} // namespace kst
