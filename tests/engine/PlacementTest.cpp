#include "engine/Placement.h"
#include "engine/RuleCodes.h"

#include <gtest/gtest.h>

#include "tests/engine/PlacementFixture.h"

namespace kst::test {
namespace {

const PileRef Waste = Mazzo_Vis;

TEST(WhereIs, PlaceCodes)
{
    PileGroups piles;
    appendCard(piles, Mazzo, 1);
    appendCard(piles, Mazzo_Vis, 2);
    appendCard(piles, destPile(0), 3);
    appendCard(piles, destPile(15), 4);
    appendCard(piles, filaPile(0), 5);
    appendCard(piles, filaPile(27), 0);
    appendCard(piles, filaPile(27), 6);
    appendCard(piles, appoggPile(0), 7);
    appendCard(piles, appoggPile(7), 108);
    appendCard(piles, Mazzo_Waste, 9);
    const struct {
        int card;
        int place;
    } cases[] = {{1, -99}, {2, -98}, {3, -1}, {4, -16}, {5, 1}, {6, 28}, {7, -21}, {108, -28},
                 {9, 0}, {10, 0}, {0, 0}, {-1, 0}, {109, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.card);
        EXPECT_EQ(whereIs(piles, c.card), c.place);
    }
}

TEST(JumpedSlot, AlongRowsAndAcrossRows)
{
    const struct {
        int from, to, width, between;
    } cases[] = {{0, 2, 5, 1}, {4, 2, 5, 3}, {3, 5, 5, -1}, {1, 11, 5, 6}, {12, 2, 5, 7},
                 {0, 1, 5, -1}, {0, 5, 5, -1}, {0, 2, 0, -1}, {-2, 0, 5, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " to " + std::to_string(c.to));
        EXPECT_EQ(jumpedSlot(c.from, c.to, c.width), c.between);
    }
}

TEST(PlacementQueryFor, TakesThePileParameters)
{
    RuleTable rules;
    rules.set(Rule::BaseRank, 1);
    rules.set(Rule::BaseRank + 2, 7);
    rules.set(Rule::FoundationDirection + 2, 1);
    rules.set(Rule::FoundationBuildCode + 2, 14);
    rules.set(Rule::TableauEmptyRule + 3, 13);
    rules.set(Rule::TableauDirection + 3, 2);
    rules.set(Rule::TableauBuildCode + 3, 3);
    rules.set(Rule::WrapFlag + 3, 1);
    PileGroups piles;
    appendCard(piles, destPile(2), H(7));
    appendCard(piles, filaPile(3), S(9));

    const PlacementQuery f = placementQuery(rules, piles, destPile(2), H(8), true);
    EXPECT_TRUE(f.toFoundation);
    EXPECT_EQ(f.target, H(7));
    EXPECT_EQ(f.emptyRule, 7);
    EXPECT_EQ(f.baseRank, 7);
    EXPECT_EQ(f.direction, 1);
    EXPECT_EQ(f.buildCode, 14);
    EXPECT_EQ(placementQuery(rules, piles, destPile(2), H(8), false, true).baseRank, 1);

    const PlacementQuery t = placementQuery(rules, piles, filaPile(3), H(8), false);
    EXPECT_FALSE(t.toFoundation);
    EXPECT_EQ(t.target, S(9));
    EXPECT_EQ(t.emptyRule, 13);
    EXPECT_EQ(t.baseRank, 1);
    EXPECT_EQ(t.direction, 2);
    EXPECT_EQ(t.buildCode, 3);
    EXPECT_EQ(t.wrap, 1);

    const PlacementQuery none = placementQuery(rules, piles, appoggPile(0), H(8), true);
    EXPECT_FALSE(canPlace(none, piles, rules, {}));
}

TEST(CanPlace, RefusesOddQuestions)
{
    PileGroups piles;
    RuleTable rules;
    PlacementQuery q;
    q.buildCode = 12;
    q.card = H(5);
    EXPECT_TRUE(canPlace(q, piles, rules, {}));
    q.target = H(5);
    EXPECT_FALSE(canPlace(q, piles, rules, {})) << "a card on itself";
    q.target = 0;
    q.card = 0;
    EXPECT_FALSE(canPlace(q, piles, rules, {}));
    q.card = H(5);
    q.pileIndex = 28;
    EXPECT_FALSE(canPlace(q, piles, rules, {}));
    q.toFoundation = true;
    q.pileIndex = 16;
    EXPECT_FALSE(canPlace(q, piles, rules, {}));
}

TEST(CanPlace, StockRestriction)
{
    const int Stock = Rule::StockRestriction;
    const std::vector<PileCards> stockHolds{{Mazzo, {C(2)}}};
    const std::vector<PileCards> threeInWaste{{Waste, {C(2), C(3)}}};
    expectCases({
        {"1: tableau card waits for the stock",
         {.piles = stockHolds, .from = filaPile(4), .toFoundation = true, .rules = {{Stock, 1}}}, H(1), false},
        {"1: tableau card waits for the waste",
         {.piles = {{Waste, {C(2)}}}, .from = filaPile(4), .toFoundation = true, .rules = {{Stock, 1}}}, H(1), false},
        {"1: tableau card goes once both are empty",
         {.from = filaPile(4), .toFoundation = true, .rules = {{Stock, 1}}}, H(1), true},
        {"1: only foundation moves wait",
         {.piles = stockHolds, .from = filaPile(4), .pileIndex = 1, .rules = {{Stock, 1}}}, H(1), true},
        {"2: tableau moves wait too",
         {.piles = stockHolds, .from = filaPile(4), .pileIndex = 1, .rules = {{Stock, 2}}}, H(1), false},
        {"2: a reserve card may not pass the waste",
         {.piles = threeInWaste, .from = appoggPile(0), .pileIndex = 1, .rules = {{Stock, 2}}}, H(1), false},
        {"2: the waste card's pile by the waste count",
         {.piles = threeInWaste, .from = Waste, .pileIndex = 2, .code = 4, .rules = {{Stock, 2}, {Rule::WasteDealt, 5}}},
         H(1), true},
        {"2: no other pile",
         {.piles = threeInWaste, .from = Waste, .pileIndex = 1, .code = 12, .rules = {{Stock, 2}, {Rule::WasteDealt, 5}}},
         H(1), false},
        {"2: a waste grown past its deal counts on from the end",
         {.piles = {{Waste, {C(2), C(3), C(4), C(5), C(6), C(7)}}}, .from = Waste, .pileIndex = 10,
          .rules = {{Stock, 2}, {Rule::WasteDealt, 5}, {Rule::TableauCount, 12}}},
         H(1), true},
        {"3: after the last fullest pile",
         {.piles = {{Waste, {C(2)}}, {filaPile(0), {D(1), D(2)}}, {filaPile(1), {D(3), D(4), D(5)}},
                    {filaPile(2), {D(6), D(7), D(8)}}, {filaPile(3), {D(9)}}},
          .from = Waste, .pileIndex = 3, .code = 12, .rules = {{Stock, 3}, {Rule::TableauCount, 4}}},
         H(1), true},
        {"3: not before it",
         {.piles = {{Waste, {C(2)}}, {filaPile(0), {D(1), D(2)}}, {filaPile(1), {D(3), D(4), D(5)}},
                    {filaPile(2), {D(6), D(7), D(8)}}, {filaPile(3), {D(9)}}},
          .from = Waste, .pileIndex = 1, .code = 12, .rules = {{Stock, 3}, {Rule::TableauCount, 4}}},
         H(1), false},
        {"3: the last pile fullest turns round to the first",
         {.piles = {{Waste, {C(2)}}, {filaPile(0), {D(1)}}, {filaPile(1), {D(3), D(4)}}},
          .from = Waste, .pileIndex = 0, .code = 12, .rules = {{Stock, 3}, {Rule::TableauCount, 2}}},
         H(1), true},
        {"3: all equal: the first",
         {.piles = {{Waste, {C(2)}}}, .from = Waste, .pileIndex = 0, .code = 4,
          .rules = {{Stock, 3}, {Rule::TableauCount, 4}}},
         H(1), true},
        {"3: to a foundation the other rules decide",
         {.piles = {{Waste, {C(2)}}}, .from = Waste, .toFoundation = true, .code = 4, .rules = {{Stock, 3}}},
         H(1), false},
        {"0: no restriction",
         {.piles = stockHolds, .from = filaPile(4), .toFoundation = true}, H(1), true},
    });
}

TEST(CanPlace, BuildCodesDecidingFirst)
{
    const std::vector<PileCards> sevenOnPile{{filaPile(0), {S(7)}}};
    const std::vector<PileCards> fiveBuilt{{destPile(0), {H(1), H(2), H(5)}}, {destPile(1), {S(1)}}};
    expectCases({
        {"4 refuses everything", {.code = 4}, H(13), false},
        {"7 by hand: an empty pile once the stock is out", {.code = 7}, H(4), true},
        {"7 by hand: not while the stock holds cards", {.piles = {{Mazzo, {C(2)}}}, .code = 7}, H(4), false},
        {"7 by hand: never on a card", {.piles = sevenOnPile, .code = 7}, H(6), false},
        {"7 in the deal builds as 2", {.piles = sevenOnPile, .code = 7, .byPlayer = false}, H(6), true},
        {"7 in the deal: rank order holds", {.piles = sevenOnPile, .code = 7, .byPlayer = false}, H(5), false},
        {"8 builds as 2", {.piles = sevenOnPile, .code = 8}, D(6), true},
        {"8: empty pile rule", {.code = 8, .emptyRule = 13}, D(6), false},
        {"12 accepts anything", {.piles = sevenOnPile, .code = 12, .emptyRule = 0}, H(2), true},
        {"5: a rank the foundation before holds",
         {.piles = fiveBuilt, .toFoundation = true, .pileIndex = 1, .code = 5}, S(5), true},
        {"5: not a rank it lacks", {.piles = fiveBuilt, .toFoundation = true, .pileIndex = 1, .code = 5}, S(3), false},
        {"5: only the bottom card's suit",
         {.piles = fiveBuilt, .toFoundation = true, .pileIndex = 1, .code = 5}, C(5), false},
        {"5: the first foundation only by suit",
         {.piles = fiveBuilt, .toFoundation = true, .pileIndex = 0, .code = 5}, H(9), true},
        {"5: empty takes its base rank",
         {.piles = {{destPile(0), {H(1), H(2)}}}, .toFoundation = true, .pileIndex = 1, .code = 5, .baseRank = 2},
         D(2), true},
        {"5: empty, another rank",
         {.piles = {{destPile(0), {H(1), H(2)}}}, .toFoundation = true, .pileIndex = 1, .code = 5, .baseRank = 2},
         D(1), false},
        {"5: empty, base rank not yet before it",
         {.piles = {{destPile(0), {H(1)}}}, .toFoundation = true, .pileIndex = 2, .code = 5, .baseRank = 2},
         D(2), false},
    });
}

TEST(CanPlace, SuitsOfTheOrdinaryCodes)
{
    const auto on = [](int top, int code, int direction = BuildDown) {
        return Ask{.piles = {{filaPile(0), {top}}}, .code = code, .direction = direction};
    };
    expectCases({
        {"0 same suit", on(H(7), 0), H(6), true},
        {"0 other suit", on(H(7), 0), D(6), false},
        {"11 same suit", on(H(12), 11), H(11), true},
        {"11 no Queen on a King", on(H(13), 11), H(12), false},
        {"11 no Queen on a Jack", on(H(11), 11, BuildUp), H(12), false},
        {"1 same colour", on(H(7), 1), D(6), true},
        {"1 other colour", on(H(7), 1), S(6), false},
        {"3 red on black", on(S(7), 3), H(6), true},
        {"3 red on red", on(D(7), 3), H(6), false},
        {"6 nothing on a card", on(S(7), 6), H(6), false},
        {"6 an empty pile by its rule", {.code = 6}, H(6), true},
        {"2 any suit", on(S(7), 2), H(6), true},
        {"22 any suit", on(S(7), 22), H(6), true},
        {"13 any suit", on(S(7), 13), D(6), true},
        {"any suit keeps the rank order", on(S(7), 2), H(5), false},
    });
}

} // namespace
} // namespace kst::test

namespace kst {
namespace {

// Answers card onto card (or onto an empty pile) are remembered where they read nothing else: asked
// in one order and then in the other, over codes, directions, wraps, starts and decks, every answer
// must come out the same.
TEST(CanPlace, RememberedAnswersAreTheAnswers)
{
    RuleTable rules;
    rules.set(Rule::FoundationCount, 4);
    rules.set(Rule::TableauCount, 8);
    PileGroups piles;
    const PlacementCounters counters;
    std::vector<PlacementQuery> questions;
    for (const int code : {BuildCodes::SameSuit, BuildCodes::AlternateColours, BuildCodes::AnySuit, BuildCodes::OtherSuit,
                           BuildCodes::OneApartTurning, BuildCodes::SameSuitTwoApart})
        for (const int direction : {BuildDown, BuildUp, BuildEither})
            for (const int wrap : {0, 1, 2})
                for (const bool toFoundation : {false, true})
                    for (int target = -4; target <= 104; target += 5) // -4: an empty pile
                        for (int card = 1; card <= 104; card += 3) {
                            PlacementQuery q;
                            q.target = target;
                            q.card = card;
                            q.buildCode = code;
                            q.direction = direction;
                            q.wrap = wrap;
                            q.toFoundation = toFoundation;
                            q.baseRank = 1;
                            q.byPlayer = true;
                            for (const int emptyRule : {EmptyRules::AnyCard, King, EmptyRules::BalancedAces}) {
                                q.emptyRule = emptyRule;
                                questions.push_back(q);
                            }
                        }
    for (const int suits : {0, 1, 2}) {
        rules.set(Rule::DeckSuits, std::int16_t(suits));
        std::vector<bool> forward, backward(questions.size());
        for (const PlacementQuery& q : questions)
            forward.push_back(canPlace(q, piles, rules, counters));
        for (std::size_t i = questions.size(); i-- > 0;)
            backward[i] = canPlace(questions[i], piles, rules, counters);
        ASSERT_EQ(forward, backward) << "deck suits " << suits;
        // Prepared once for many cards, as the move engine asks, or once for a pile whose run is
        // walked card by card: the same answers.
        for (std::size_t i = 0; i < questions.size(); i += 7) {
            const PlacementQuery& q = questions[i];
            ASSERT_EQ(canPlace(prepareQuery(q, piles, rules, counters), q.card, piles, rules, counters), forward[i]);
            ASSERT_EQ(PileQuestion(q, rules).canPlace(q.target, q.card, piles, rules, counters), forward[i]);
        }
    }
    // A spot check of what is remembered: a red 6 onto a black 7 in alternate colours, not onto a
    // red one, and after both asked once more.
    PlacementQuery q;
    q.buildCode = BuildCodes::AlternateColours;
    q.direction = BuildDown;
    q.baseRank = 1;
    q.emptyRule = -1;
    rules.set(Rule::DeckSuits, 0);
    for (int round = 0; round < 2; ++round) {
        q.target = test::S(7), q.card = test::H(6);
        EXPECT_TRUE(canPlace(q, piles, rules, counters));
        q.target = test::D(7);
        EXPECT_FALSE(canPlace(q, piles, rules, counters));
    }
}

} // namespace
} // namespace kst
