#include "engine/AutoMoves.h"
#include "engine/Moves.h"

#include "engine/RuleCodes.h"
#include "engine/Scoring.h"
#include "tests/engine/GameFixture.h"
#include "tests/support/ShippedGames.h"

#include <gtest/gtest.h>

#include <random>

namespace kst {
namespace {

using test::C;
using test::D;
using test::H;
using test::Pile;
using test::S;
using test::table;

// ---- every game, random positions ----------------------------------------------------------------


// Walks random legal moves from several deals of every shipped game. Every listed move must be
// legal, keep each card in exactly one place, and undo must give back the equal game. A search's
// listing, whose destinations and runs are kept from one position to the next, lists the same
// moves, after a move and after its undo as well.
TEST(MovesCatalogue, EveryLegalMoveAppliesAndUndoesToTheEqualGame)
{
    std::mt19937 pick(20261210);
    std::vector<Move> moves, kept, fromWaste;
    for (const CatalogueGame& entry : test::shippedCatalogue().games()) {
        SCOPED_TRACE(entry.name);
        for (const char* number : {"1", "617", "1234567890123", "31415926"}) {
            Game game = test::dealtGame(entry.gameId, number);
            const std::map<int, int> cards = test::cardCounts(game);
            PreparedDestinations prepared;
            for (int step = 0; step < 120; ++step) {
                legalMoves(game, moves);
                prepared.legalMoves(game, kept);
                ASSERT_EQ(kept, moves);
                prepared.movesFrom(game, Mazzo_Vis, fromWaste);
                std::erase_if(kept, [](const Move& m) { return m.from != Mazzo_Vis || m.kind == MoveKind::Stock; });
                ASSERT_EQ(fromWaste, kept);
                if (moves.empty())
                    break;
                for (const Move& move : moves) {
                    SCOPED_TRACE(moveText(move));
                    ASSERT_TRUE(isLegal(game, move));
                    Game after = game;
                    const MoveUndo record = apply(after, move);
                    ASSERT_EQ(gameIsOk(after), "");
                    ASSERT_EQ(test::cardCounts(after), cards);
                    ASSERT_NE(after, game);
                    undo(after, record);
                    ASSERT_EQ(after, game);
                }
                // Two steps forward and back, as a search makes them: a pile may lose a card and gain
                // another between two listings.
                const MoveUndo first = apply(game, moves[pick() % moves.size()]);
                const std::vector<Move> next = legalMoves(game);
                if (!next.empty()) {
                    const MoveUndo second = apply(game, next[pick() % next.size()]);
                    prepared.legalMoves(game, kept);
                    ASSERT_EQ(kept, legalMoves(game));
                    undo(game, second);
                }
                undo(game, first);
                prepared.legalMoves(game, kept);
                ASSERT_EQ(kept, moves);
                apply(game, moves[pick() % moves.size()]);
            }
        }
    }
}

TEST(MovesCatalogue, AMoveOutOfTurnIsNotLegal)
{
    Game game = test::dealtGame(1, "1234567890123");
    // The bottom card of a Freecell pile is covered; a card cannot go onto its own pile.
    const int covered = cardAt(game.cards.piles.fila[0], 0);
    const int top = topCard(game.cards.piles.fila[0]);
    for (const Move& move : {Move{MoveKind::Drop, std::uint8_t(covered), filaPile(0), appoggPile(0)},
                             Move{MoveKind::Drop, std::uint8_t(top), filaPile(0), filaPile(0)},
                             Move{MoveKind::Drop, std::uint8_t(top), filaPile(1), appoggPile(0)},
                             Move{MoveKind::Drop, std::uint8_t(top), filaPile(0), appoggPile(7)},
                             Move{MoveKind::TurnUp, std::uint8_t(top), filaPile(0), {}}, NoMove})
        EXPECT_FALSE(isLegal(game, move)) << moveText(move);
    EXPECT_TRUE(isLegal(game, {MoveKind::Drop, std::uint8_t(top), filaPile(0), appoggPile(0)}));
}

// ---- small tables --------------------------------------------------------------------------------

bool drops(const Game& game, int card, PileRef to) { return !dropMove(game, card, to).isNone(); }

TEST(MovesDrop, ARunNeverGoesToAFoundationEvenWhenItsBottomCardFits)
{
    const Game run = table({{destPile(0), {H(1), H(2)}}, {filaPile(0), {H(3), S(2)}}});
    EXPECT_FALSE(drops(run, H(3), destPile(0)));
    const Game single = table({{destPile(0), {H(1), H(2)}}, {filaPile(1), {H(3)}}});
    EXPECT_TRUE(drops(single, H(3), destPile(0)));
}

TEST(MovesDrop, RunSizeCountsFreeCellsAndEmptyPiles)
{
    // Two free cells and one tableau pile empty: four cards onto a card, three into the space.
    const Game game = table({{filaPile(0), {S(13), H(12), S(11), H(10), S(9)}}, {filaPile(1), {C(13)}},
                             {appoggPile(0), {C(1)}}, {appoggPile(1), {C(2)}}, {filaPile(2), {D(3)}},
                             {filaPile(3), {D(4)}}, {filaPile(4), {D(5)}}, {filaPile(5), {D(6)}},
                             {filaPile(6), {D(7)}}});
    EXPECT_TRUE(drops(game, H(12), filaPile(1)));
    EXPECT_FALSE(drops(game, H(12), filaPile(7)));
    EXPECT_TRUE(drops(game, S(11), filaPile(7)));
}

TEST(MovesDrop, SequenceRuleDecidesWhichRunsHold)
{
    struct Case {
        int runRule;
        std::vector<int> pile;
        int card;
        bool picked;
    };
    const Case cases[] = {
        {RunRules::PlaceableOnEachOther, {S(13), H(12), S(11)}, H(12), true},
        {RunRules::PlaceableOnEachOther, {S(13), H(12), C(11)}, H(12), true},
        {RunRules::PlaceableOnEachOther, {S(13), H(12), D(11)}, H(12), false}, // same colour
        {RunRules::PlaceableInSuit, {S(13), H(12), C(11)}, H(12), false},
        {RunRules::PlaceableInSuit, {S(13), H(12), H(11)}, H(12), true},
        {RunRules::AnyFaceUpRun, {S(13), H(5), D(11)}, H(5), true},
    };
    for (const Case& c : cases) {
        const Game game = table({{filaPile(0), c.pile}}, {{Rule::RunRule, c.runRule}, {Rule::RunSize, RunSizes::Any}});
        EXPECT_EQ(bool(pickUp(game, filaPile(0), c.card)), c.picked) << c.runRule << ' ' << c.card;
    }
    // A face-down card never starts a run.
    const Game down = table({{filaPile(0), {S(13), H(12)}, 1}}, {{Rule::RunSize, RunSizes::Any}});
    EXPECT_FALSE(pickUp(down, filaPile(0), S(13)));
}

TEST(MovesDrop, RunSizeRules)
{
    struct Case {
        int rule;
        int count;
        int card;
        bool toEmpty;
        bool allowed;
    };
    // Three empty tableau piles (8 in use, 5 occupied below) and two empty free cells.
    const Case cases[] = {
        {RunSizes::Any, 20, H(5), false, true},
        {RunSizes::KingsOrSingles, 3, H(13), false, true},
        {RunSizes::KingsOrSingles, 3, H(12), false, false},
        {RunSizes::KingsOrSingles, 1, H(12), false, true},
        {RunSizes::FreeCellsAndPiles, 6, H(5), false, true},
        {RunSizes::FreeCellsAndPiles, 6, H(5), true, false},
        {RunSizes::FreeCellsAndPiles, 5, H(5), true, true},
        {RunSizes::FreeCellsOrPiles, 5, H(5), false, true},
        {RunSizes::FreeCellsOrPiles, 6, H(5), false, false},
        {-3, 3, H(5), false, true},
        {-3, 4, H(5), false, false},
        {0, 1, H(5), false, false},
        {2, 2, H(5), false, true},
        {2, 3, H(5), false, false},
        {RunSizes::Doubling, 24, H(5), false, true}, // (2 + 1) x 2^3
        {RunSizes::Doubling, 25, H(5), false, false},
        {RunSizes::Doubling, 12, H(5), true, true}, // the target space does not double
        {RunSizes::Doubling, 13, H(5), true, false},
    };
    std::vector<Pile> piles = {{appoggPile(0), {C(1)}}, {appoggPile(1), {C(2)}}};
    for (int i = 0; i < 5; ++i)
        piles.push_back({filaPile(i), {D(2 + i)}});
    for (const Case& c : cases) {
        const Game game = table(piles, {{Rule::RunSize, c.rule}});
        EXPECT_EQ(runSizeAllows(game, c.count, c.card, c.toEmpty), c.allowed) << c.rule << ' ' << c.count;
    }
}

// The deck's suits decide what a card is judged by: building in suit and in colour, runs and the
// completed runs that leave the table. The card numbers stay those of the four-suit deck.
TEST(MovesDrop, DeckSuitsDecideSuitAndColour)
{
    struct Case {
        DeckSuits suits;
        int buildCode;
        int card;
        int onto;
        bool takes;
    };
    const Case cases[] = {
        {DeckSuits::Four, BuildCodes::SameSuit, D(5), H(6), false},
        {DeckSuits::Two, BuildCodes::SameSuit, D(5), H(6), true},    // both hearts
        {DeckSuits::Two, BuildCodes::SameSuit, C(5), H(6), false},   // a spade on a heart
        {DeckSuits::One, BuildCodes::SameSuit, C(5), H(6), true},    // spades both
        {DeckSuits::One, BuildCodes::AlternateColours, D(5), C(6), false}, // black on black
        {DeckSuits::Two, BuildCodes::AlternateColours, D(5), C(6), true},
    };
    for (const Case& c : cases) {
        const Game game = table({{filaPile(0), {c.onto}}, {filaPile(1), {S(13), c.card}}},
                                {{Rule::DeckSuits, int(c.suits)}, {Rule::TableauBuildCode, c.buildCode}});
        EXPECT_EQ(drops(game, c.card, filaPile(0)), c.takes) << int(c.suits) << ' ' << c.card << " on " << c.onto;
    }
    // A King-to-Ace run of hearts and diamonds is one suit in a two-suit deck: it leaves the table.
    std::vector<int> run;
    for (int r = King; r >= Ace; --r)
        run.push_back(r % 2 ? H(r) : D(r));
    for (const DeckSuits suits : {DeckSuits::Four, DeckSuits::Two}) {
        std::vector<std::pair<int, int>> rules = {{Rule::DeckSuits, int(suits)}};
        for (int i = 0; i < 4; ++i)
            rules.push_back({Rule::BaseRank + i, EmptyRules::FilledByCompletedRunsToo});
        const Game game = table({{filaPile(0), run}}, rules);
        EXPECT_EQ(completedRunMoves(game, filaPile(0)).size(), suits == DeckSuits::Two ? 13u : 0u) << int(suits);
    }
}

// The doubling rule counts only the room a run can pass through card by card: free cells and
// spaces that take any card.
TEST(MovesDrop, DoublingCountsOnlyOpenCellsAndSpaces)
{
    // Two of the four cells and three of the eight piles are empty.
    std::vector<Pile> piles = {{appoggPile(0), {C(1)}}, {appoggPile(1), {C(2)}}};
    for (int i = 0; i < 5; ++i)
        piles.push_back({filaPile(i), {D(2 + i)}});
    const struct {
        int emptyRule;
        int reserveRule;
        int target;
        int room;
    } cases[] = {
        {EmptyRules::AnyCard, 0, -1, 24},
        {EmptyRules::AnyCard, 0, 5, 12},
        {King, 0, -1, 3},                      // King-only spaces hold nothing in between
        {EmptyRules::AnyCard, ReserveRules::Closed, -1, 8},
    };
    for (const auto& c : cases) {
        std::vector<std::pair<int, int>> rules = {{Rule::RunSize, RunSizes::Doubling}};
        for (int i = 0; i < 8; ++i)
            rules.push_back({Rule::TableauEmptyRule + i, c.emptyRule});
        for (int r = 0; r < 4; ++r)
            rules.push_back({Rule::ReserveRule + r, c.reserveRule});
        EXPECT_EQ(doublingRoom(table(piles, rules), c.target), c.room) << c.emptyRule << ' ' << c.reserveRule;
    }
}

TEST(MovesDrop, ReserveRules)
{
    struct Case {
        int rule;
        std::vector<int> held;
        int card;
        bool accepted;
    };
    const Case cases[] = {
        {0, {}, H(5), true},
        {0, {C(4)}, H(5), false},
        {ReserveRules::Closed, {}, H(5), false},
        {ReserveRules::KingsUpToThree, {C(13), D(13)}, H(13), true},
        {ReserveRules::KingsUpToThree, {C(13), D(13), S(13)}, H(13), false},
        {ReserveRules::KingsUpToThree, {}, H(12), false},
        {ReserveRules::AnyUpToFive, {C(1), C(2), C(3), C(4)}, H(5), true},
        {ReserveRules::AnyUpToFive, {C(1), C(2), C(3), C(4), C(5)}, H(5), false},
        {ReserveRules::FaceCardsWhenEmpty, {}, H(11), true},
        {ReserveRules::FaceCardsWhenEmpty, {}, H(10), false},
        // A joker has no rank: any card, but no face card.
        {0, {}, FirstJoker, true},
        {ReserveRules::AnyUpToFive, {C(1)}, FirstJoker, true},
        {ReserveRules::FaceCardsWhenEmpty, {}, FirstJoker, false},
    };
    for (const Case& c : cases) {
        const Game game = table({{appoggPile(0), c.held}, {filaPile(0), {c.card}}}, {{Rule::ReserveRule, c.rule}});
        EXPECT_EQ(drops(game, c.card, appoggPile(0)), c.accepted) << c.rule << ' ' << c.card;
    }
}

TEST(MovesPickUp, FoundationTakeBackAndTheWasteTop)
{
    struct Case {
        std::vector<std::pair<int, int>> rules;
        std::vector<int> foundation;
        bool picked;
    };
    const Case cases[] = {
        {{}, {H(1), H(2)}, false},
        {{{Rule::FoundationTakeBack, TakeBackAlways}}, {H(1)}, true},
        {{{Rule::FoundationTakeBack, TakeBackFromTwo}}, {H(1)}, false},
        {{{Rule::FoundationTakeBack, TakeBackFromTwo}}, {H(1), H(2)}, true},
    };
    for (const Case& c : cases) {
        const Game game = table({{destPile(0), c.foundation}}, c.rules);
        EXPECT_EQ(bool(pickUp(game, destPile(0), c.foundation.back())), c.picked);
    }
    const Game waste = table({{Mazzo_Vis, {H(4), C(9)}}, {Mazzo, {D(1)}, 1}});
    EXPECT_TRUE(pickUp(waste, Mazzo_Vis, C(9)));
    EXPECT_FALSE(pickUp(waste, Mazzo_Vis, H(4)));
    EXPECT_FALSE(pickUp(waste, Mazzo, D(1)));
    const Game fixed = table({{Mazzo_Vis, {C(9)}}}, {{Rule::WasteUse, WasteTopFixed}});
    EXPECT_FALSE(pickUp(fixed, Mazzo_Vis, C(9)));
}

TEST(MovesDrop, OnlyTableauCardsGoToFoundationsBeforeTheFirstMove)
{
    Game game = table({{filaPile(0), {H(1)}}, {appoggPile(0), {C(1)}}, {filaPile(1), {S(9)}}},
                      {{Rule::FirstMoveRestriction, 1}});
    EXPECT_FALSE(drops(game, C(1), destPile(0)));
    EXPECT_FALSE(drops(game, S(9), appoggPile(1)));
    const Move first = dropMove(game, H(1), destPile(0));
    ASSERT_FALSE(first.isNone());
    apply(game, first);
    EXPECT_TRUE(drops(game, C(1), destPile(1)));
    EXPECT_TRUE(drops(game, S(9), appoggPile(1)));
}

TEST(MovesDrop, TheWasteTakesANeighbourInSuitOnlyWhenTheRuleSaysSo)
{
    const std::vector<Pile> piles = {{Mazzo_Vis, {H(13)}}, {filaPile(0), {H(1)}}, {filaPile(1), {H(12)}},
                                     {filaPile(2), {D(1)}}};
    const Game plain = table(piles);
    EXPECT_FALSE(drops(plain, H(12), Mazzo_Vis));
    const Game neighbours = table(piles, {{Rule::WasteDrops, WasteTakesNeighbours}});
    EXPECT_TRUE(drops(neighbours, H(12), Mazzo_Vis));
    EXPECT_TRUE(drops(neighbours, H(1), Mazzo_Vis)); // round the corner
    EXPECT_FALSE(drops(neighbours, D(1), Mazzo_Vis));
}

TEST(MovesApply, AGridSlotLeavesAGapAndUndoFillsIt)
{
    Game game = table({{filaPile(0), {H(5), S(9)}}, {filaPile(1), {D(10)}}},
                      {{Rule::TableauLayout, GridLeavesGaps}});
    const Game before = game;
    const Move move = dropMove(game, S(9), filaPile(1));
    ASSERT_FALSE(move.isNone());
    const MoveUndo record = apply(game, move);
    EXPECT_EQ(game.cards.piles.fila[0], cardDigits(H(5)) + "000");
    undo(game, record);
    EXPECT_EQ(game, before);
}

TEST(MovesApply, TurningUpAndScoringAndTheEndTest)
{
    Game game = table({{filaPile(0), {H(13)}, 1}, {destPile(0), {H(1)}}});
    EXPECT_EQ(game.score, 5 - 52);
    const std::vector<Move> moves = legalMoves(game);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.front(), (Move{MoveKind::TurnUp, std::uint8_t(H(13)), filaPile(0), {}}));
    EXPECT_EQ(moveText(moves.front()), "click 013");
    EXPECT_EQ(pressMove(game, H(13)), moves.front());
    EXPECT_TRUE(pressMove(game, H(1)).isNone());
}

TEST(MovesScore, StandardScoreAndTheOrdinaryEndTest)
{
    Game empty = table({});
    EXPECT_EQ(tableScore(empty.cards.piles, empty.rules), -52);
    std::vector<Pile> full;
    for (int s = 0; s < 4; ++s) {
        std::vector<int> suit;
        for (int r = 1; r <= 13; ++r)
            suit.push_back(cardOf(r, s));
        full.push_back({destPile(s), suit});
    }
    Game won = table(full);
    EXPECT_EQ(won.score, 208);
    EXPECT_TRUE(isWon(won));
    full[3].cards.pop_back();
    full.push_back({appoggPile(2), {S(13)}});
    EXPECT_FALSE(isWon(table(full)));
}

TEST(MovesScore, EndTestByGameType)
{
    struct Case {
        const char* what;
        int gameType;
        std::vector<Pile> piles; // two tableau piles in use
        bool won;
    };
    const Case cases[] = {
        {"ordinary, all played", GameTypes::Ordinary, {{destPile(0), {H(1)}}}, true},
        {"ordinary, a card in the waste", GameTypes::Ordinary, {{Mazzo_Vis, {H(1)}}}, false},
        {"poker, every pile holds a card", GameTypes::Poker, {{filaPile(0), {H(1)}}, {filaPile(1), {H(2)}}}, true},
        {"poker, a pile empty", GameTypes::Poker, {{filaPile(0), {H(1)}}}, false},
        {"row, four cards left", GameTypes::RowDiscards, {{filaPile(0), {H(1), H(2), H(3), H(4)}}}, true},
        {"row, five cards left", GameTypes::RowDiscards, {{filaPile(0), {H(1), H(2), H(3), H(4), H(5)}}}, false},
        {"row, stock left", GameTypes::RowDiscards, {{Mazzo, {H(5)}, 1}}, false},
        {"one card each", GameTypes::OneCardEach, {{filaPile(0), {H(7)}}, {filaPile(1), {S(9)}}}, true},
        {"one card each, two in one", GameTypes::OneCardEach, {{filaPile(0), {H(7), H(8)}}, {filaPile(1), {S(9)}}},
         false},
        {"Aces alone", GameTypes::AcesAlone, {{filaPile(0), {H(1)}}, {filaPile(1), {S(1)}}}, true},
        {"Aces alone, a two among them", GameTypes::AcesAlone, {{filaPile(0), {H(1)}}, {filaPile(1), {S(2)}}}, false},
        {"rows from two up to their gap", GameTypes::RunsFromTwo,
         {{filaPile(0), {H(2), H(3), 0}}, {filaPile(1), {S(2), 0}}}, true},
        {"rows, one out of suit", GameTypes::RunsFromTwo, {{filaPile(0), {H(2), D(3), 0}}, {filaPile(1), {S(2), 0}}},
         false},
        {"rows, no gap at the end", GameTypes::RunsFromTwo, {{filaPile(0), {H(2), H(3)}}, {filaPile(1), {S(2), 0}}},
         false},
        {"rows of gaps only", GameTypes::PairsOfThirteenRows, {{filaPile(0), {0, 0}}, {filaPile(1), {0}}}, true},
        {"rows with a card left", GameTypes::PairsOfThirteenRows, {{filaPile(0), {0, H(5)}}}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isWon(table(c.piles, {{Rule::GameType, c.gameType}, {Rule::TableauCount, 2}})), c.won) << c.what;

    // Games won by their score: the target reached exactly.
    Game scored = table({{filaPile(0), {H(1)}}}, {{Rule::GameType, GameTypes::OrderedBottoms}, {Rule::TableauCount, 2}});
    EXPECT_EQ(scored.score, -52 + 10);
    scored.rules.set(Rule::TargetScore, -42);
    EXPECT_TRUE(isWon(scored));
    scored.rules.set(Rule::TargetScore, -32);
    EXPECT_FALSE(isWon(scored));
}

TEST(MovesClick, TargetSearchOrderAndKinds)
{
    // The run D9-S8 goes to the first non-empty pile that takes it before an empty one.
    const Game game = table({{filaPile(0), {D(9), S(8)}}, {filaPile(2), {C(10)}}, {filaPile(5), {S(10)}}});
    EXPECT_EQ(autoMove(game, D(9), {false, true}).to, filaPile(2));
    // Foundations only: nothing takes a nine.
    EXPECT_TRUE(autoMove(game, D(9), {true, false}).isNone());
    // A lone card with foundations wanted goes to a free cell when nothing better takes it.
    EXPECT_EQ(autoMove(game, S(8), {true, false}).to, appoggPile(0));
    const Game aces = table({{filaPile(0), {S(1)}}, {destPile(0), {H(1)}}});
    EXPECT_EQ(autoMove(aces, S(1), {true, true}).to, destPile(1));
}

} // namespace
} // namespace kst
