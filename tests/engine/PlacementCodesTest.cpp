// The build codes with rules of their own, one table per family.

#include <gtest/gtest.h>

#include "tests/engine/PlacementFixture.h"

namespace kst::test {
namespace {

// A tableau pile 1 holding cards, asked with the code; direction down, wrap 1, base rank 1.
Ask on(int code, std::vector<int> cards, int direction = BuildDown)
{
    return {.piles = {{filaPile(0), std::move(cards)}}, .code = code, .direction = direction};
}

Ask from(Ask a, PileRef source)
{
    a.from = source;
    return a;
}

Ask with(Ask a, PileCards more)
{
    a.piles.push_back(std::move(more));
    return a;
}

Ask emptyRule(Ask a, int v)
{
    a.emptyRule = v;
    return a;
}

TEST(BuildCodes, WhereTheCardComesFrom)
{
    expectCases({
        {"17 not from a tableau pile", from(on(17, {S(9)}), filaPile(3)), H(2), false},
        {"17 from the waste anything", from(on(17, {S(9)}), Mazzo_Vis), H(2), true},
        {"18 a tableau card onto an empty tableau pile", from(on(18, {}), filaPile(3)), H(2), true},
        {"18 a tableau card not onto a card", from(on(18, {S(9)}), filaPile(3)), H(2), false},
        {"18 a waste card anywhere", from(on(18, {S(9)}), Mazzo_Vis), H(2), true},
        {"19 not from a reserve", from(on(19, {S(9)}), appoggPile(1)), H(2), false},
        {"19 not from a tableau pile", from(on(19, {S(9)}), filaPile(1)), H(2), false},
        {"19 from the stock", from(on(19, {S(9)}), Mazzo), H(2), true},
        {"33 onto one card", from(on(33, {S(9)}), Mazzo_Vis), H(2), true},
        {"33 not onto two", from(on(33, {S(9), S(8)}), Mazzo_Vis), H(2), false},
        {"33 not from a tableau pile", from(on(33, {}), filaPile(2)), H(2), false},
        {"67 onto an empty tableau pile", from(on(67, {}), Mazzo_Vis), H(2), true},
        {"67 not from a tableau pile", from(on(67, {}), filaPile(2)), H(2), false},
        {"67 not onto a card", from(on(67, {S(3)}), Mazzo_Vis), H(2), false},
        {"69 only onto an empty tableau pile", on(69, {S(3)}), H(2), false},
        {"69 any card there", from(on(69, {}), filaPile(2)), H(9), true},
        {"27 not from a reserve", from(on(27, {S(9)}), appoggPile(0)), H(8), false},
        {"27 otherwise as 3", from(on(27, {S(9)}), filaPile(2)), H(8), true},
        {"27 as 3: colours differ", on(27, {S(9)}), C(8), false},
        {"54 not from a reserve", from(on(54, {S(9)}), appoggPile(0)), H(8), false},
        {"54 one down", on(54, {S(9)}), S(8), true},
        {"54 wrap 1: a King on an Ace", on(54, {S(1)}), H(13), true},
        {"54 wrap 0: no King on an Ace", [] { Ask a = on(54, {S(1)}); a.wrap = 0; return a; }(), H(13), false},
        {"54 empty by its rule", emptyRule(on(54, {}), 13), H(12), false},
    });
}

TEST(BuildCodes, RankSteps)
{
    expectCases({
        {"14 two up", on(14, {S(2)}), H(4), true},
        {"14 round the King", on(14, {S(12)}), H(1), true},
        {"14 not one up", on(14, {S(2)}), H(3), false},
        {"15 three up", on(15, {S(11)}), H(1), true},
        {"16 four up", on(16, {S(10)}), H(1), true},
        {"16 not three", on(16, {S(10)}), H(13), false},
        {"14 empty by its rule", emptyRule(on(14, {}), 13), H(12), false},
        {"20 one up", on(20, {S(4)}), H(5), true},
        {"20 an Ace on a King", on(20, {S(13)}), H(1), true},
        {"20 an Ace on an empty pile", emptyRule(on(20, {}), 0), H(1), true},
        {"20 nothing else on an empty pile", on(20, {}), H(2), false},
        {"20 not down", on(20, {S(4)}), H(3), false},
        {"21 suits differ", on(21, {S(9)}), C(8), true},
        {"21 not the same suit", on(21, {S(9)}), S(8), false},
        {"23 same suit one up", on(23, {S(4)}), S(5), true},
        {"23 not while the waste has cards", with(on(23, {S(4)}), {Mazzo_Vis, {C(1)}}), S(5), false},
        {"23 not one down", on(23, {S(4)}), S(3), false},
        {"24 same suit by direction", on(24, {S(9)}), S(8), true},
        {"24 no Queen on a King", on(24, {S(13)}), S(12), false},
        {"24 no King on a Queen", on(24, {S(12)}, BuildUp), S(13), false},
        {"25 up two", on(25, {S(4)}, BuildUp), S(6), true},
        {"25 down two", on(25, {S(4)}), S(2), true},
        {"25 not up when down", on(25, {S(4)}), S(6), false},
        {"25 same suit", on(25, {S(4)}), H(2), false},
        {"25 no 2 on a King", on(25, {S(13)}, BuildUp), S(2), false},
        {"61 a 2 on a King", on(61, {S(13)}, BuildUp), S(2), true},
        {"61 an Ace on a Queen", on(61, {S(12)}), S(1), true},
        {"61 not in another suit", on(61, {S(12)}), H(1), false},
        {"26 up or down on a short pile", on(26, {S(4), S(9)}), H(10), true},
        {"26 not on three cards", on(26, {S(4), S(1), S(9)}), H(10), false},
        {"26 never onto an empty pile", on(26, {}), H(10), false},
        {"28 anything on an empty pile", emptyRule(on(28, {}), 0), H(10), true},
        {"28 only a 2 on an Ace", on(28, {S(1)}), H(13), false},
        {"28 a 2 on an Ace", on(28, {S(1)}), H(2), true},
        {"28 only a Queen on a King", on(28, {S(13)}), H(12), true},
        {"28 up", on(28, {S(5)}), H(6), true},
        {"60 the suits must be equal", on(60, {S(5)}), H(6), false},
        {"60 same suit up", on(60, {S(5)}), S(6), true},
        {"31 one down", on(31, {S(5)}), S(4), true},
        {"31 nothing on an Ace", on(31, {S(1)}), S(13), false},
        {"32 one up", on(32, {S(5)}), S(6), true},
        {"32 nothing on a King", on(32, {S(13)}), S(1), false},
        {"34 colours differ one down", on(34, {S(5)}), D(4), true},
        {"34 not one up", on(34, {S(5)}), D(6), false},
        {"34 empty by its rule", emptyRule(on(34, {}), 13), H(13), true},
        {"35 a King on an Ace", on(35, {S(1)}), H(13), true},
        {"35 an Ace on a King", on(35, {S(13)}), H(1), true},
        {"35 one up", on(35, {S(7)}), H(8), true},
        {"35 not two", on(35, {S(7)}), H(9), false},
        {"68 an Ace on a King", on(68, {S(13)}), H(1), true},
        {"68 not the same rank", on(68, {S(7)}), H(7), false},
        {"37 twice the rank", on(37, {S(4)}), H(8), true},
        {"37 twice the rank round 13", on(37, {S(9)}), H(5), true},
        {"37 not plus one", on(37, {S(4)}), H(5), false},
        {"37 a King once Dest1 is nearly full", with(on(37, {S(4)}), {destPile(0), std::vector<int>(48, 0)}),
         H(13), true},
        {"37 no King before", with(on(37, {S(4)}), {destPile(0), std::vector<int>(47, 0)}), H(13), false},
        {"39 one up", on(39, {S(5)}), H(6), true},
        {"39 never a Queen", on(39, {S(11)}), H(12), false},
        {"39 an Ace on an empty pile", emptyRule(on(39, {}), 0), H(1), true},
        {"39 nothing else there", on(39, {}), H(2), false},
        {"44 a Queen", on(44, {S(11)}), H(12), true},
        {"44 never a King", on(44, {S(12)}), H(13), false},
        {"44 only an Ace on an empty pile", on(44, {}), H(3), false},
        {"43 two up", on(43, {S(5)}), S(7), true},
        {"43 not round the King", on(43, {S(12)}), S(1), false},
        {"56 the same rank", on(56, {S(5)}), H(5), true},
        {"56 not another", on(56, {S(5)}), H(6), false},
        {"57 once the stock is out", on(57, {S(5)}), H(6), true},
        {"57 an Ace on a King", on(57, {S(13)}), H(1), true},
        {"57 not while the stock has cards", with(on(57, {S(5)}), {Mazzo, {C(1)}}), H(6), false},
        {"55 same colour one up", on(55, {S(5)}), C(6), true},
        {"55 not the other colour", on(55, {S(5)}), H(6), false},
        {"55 the last waste card", with(from(on(55, {S(5)}), Mazzo_Vis), {Mazzo_Vis, {}}), C(6), true},
        {"55 nothing while the waste holds more", from(with(on(55, {S(5)}), {Mazzo_Vis, {H(9)}}), Mazzo_Vis),
         C(6), false},
        {"55 not past a waste card", with(on(55, {S(5)}), {Mazzo_Vis, {H(9)}}), C(6), false},
        {"30 either way on one card", on(30, {S(5)}), S(4), true},
        {"30 going up goes on up", on(30, {S(4), S(5)}), S(6), true},
        {"30 not back down", on(30, {S(4), S(5)}), S(3), false},
        {"30 going down goes on down", on(30, {S(6), S(5)}), S(4), true},
        {"30 no Ace on a King", on(30, {S(12), S(13)}), S(1), false},
        {"30 same suit", on(30, {S(5)}), H(4), false},
    });
}

TEST(BuildCodes, Counters)
{
    const auto counted = [](int special, std::vector<PileCards> piles = {}) {
        Ask a = on(40, {S(9)});
        a.counters.SpecialCounter = special;
        a.piles.insert(a.piles.end(), piles.begin(), piles.end());
        return a;
    };
    const std::vector<PileCards> stockAndWaste{{Mazzo, {C(1)}}, {Mazzo_Vis, {C(2)}}};
    expectCases({
        {"40 the counter's rank", counted(3, stockAndWaste), H(3), true},
        {"40 not another", counted(3, stockAndWaste), H(4), false},
        {"40 modulo 13", counted(16, stockAndWaste), H(3), true},
        {"40 a King at 0", counted(13, stockAndWaste), H(13), true},
        {"40 anything with one card left", counted(3, {{Mazzo, {C(1)}}}), H(4), true},
        {"40 on an empty pile too", [&] { Ask a = counted(5, stockAndWaste); a.piles[0].cards.clear(); return a; }(),
         H(5), true},
    });
}

Ask foundation(int code, int index, std::vector<PileCards> piles, int baseRank = 1)
{
    return {.piles = std::move(piles), .toFoundation = true, .pileIndex = index, .code = code,
            .direction = BuildUp, .emptyRule = baseRank, .baseRank = baseRank};
}

TEST(BuildCodes, FoundationsThatLookAround)
{
    std::vector<int> aceToQueen, aceToKing;
    for (int r = 1; r <= 12; ++r)
        aceToQueen.push_back(H(r));
    aceToKing = aceToQueen;
    aceToKing.push_back(H(13));
    std::vector<int> twoKings = aceToKing;
    twoKings.push_back(cardOf(13, 0, true));
    const std::vector<PileCards> spadesPileOne{{filaPile(0), {S(4)}}};
    expectCases({
        {"29 up to the twelfth card", foundation(29, 0, {{destPile(0), aceToQueen}}), H(13), true},
        {"29 a King at thirteen", foundation(29, 0, {{destPile(0), aceToKing}}), cardOf(13, 0, true), true},
        {"29 not an Ace at thirteen", foundation(29, 0, {{destPile(0), aceToKing}}), cardOf(1, 0, true), false},
        {"29 then down", foundation(29, 0, {{destPile(0), twoKings}}), cardOf(12, 0, true), true},
        {"29 same suit", foundation(29, 0, {{destPile(0), {H(1)}}}), D(2), false},
        {"29 empty: balanced start", [] { Ask a = foundation(29, 1, {{destPile(0), {H(1)}}}, 85);
                                           for (int i = 0; i < 4; ++i) a.rules.push_back({Rule::BaseRank + i, 85});
                                           return a; }(), cardOf(1, 0, true), false},
        {"36 one down", foundation(36, 0, {{destPile(0), {H(7)}}}), S(6), true},
        {"36 a King on an Ace", foundation(36, 0, {{destPile(0), {H(1)}}}), S(13), true},
        {"36 empty: the base rank", foundation(36, 0, {}, 5), S(5), true},
        {"36 empty: not before the foundation before it", foundation(36, 1, {}, 5), S(5), false},
        {"36 empty: after it", foundation(36, 1, {{destPile(0), {H(5)}}}, 5), S(5), true},
        {"41 same suit two up round", foundation(41, 0, {{destPile(0), {S(12)}}}), S(1), true},
        {"41 not one up", foundation(41, 0, {{destPile(0), {S(3)}}}), S(4), false},
        {"41 empty: a suit its group lacks", foundation(41, 2, {{destPile(0), {S(3)}}}, 3), H(3), true},
        {"41 empty: not a suit its group shows", foundation(41, 2, {{destPile(0), {S(3)}}}, 3), cardOf(3, 3, true),
         false},
        {"41 empty: the other group does not count", foundation(41, 5, {{destPile(0), {S(3)}}}, 3),
         cardOf(3, 3, true), true},
        {"42 same suit one up", foundation(42, 0, {{destPile(0), {S(5)}}}), S(6), true},
        {"42 a King only beside a King", foundation(42, 0, {{destPile(0), {S(12)}}}), S(13), false},
        {"42 a King when the pile six on has one", foundation(42, 0, {{destPile(0), {S(12)}}, {destPile(6), {H(13)}}}),
         S(13), true},
        {"46 one up", foundation(46, 0, {{destPile(0), {S(5)}}}), H(6), true},
        {"46 never a Queen", foundation(46, 0, {{destPile(0), {S(11)}}}), H(12), false},
        {"46 empty: the base rank", foundation(46, 0, {}, 4), H(4), true},
        {"49 empty: only beside a started tableau pile", foundation(49, 0, {}, 4), H(4), false},
        {"49 empty: beside one", foundation(49, 0, spadesPileOne, 4), H(4), true},
        {"51 empty: in that pile's suit", foundation(51, 0, spadesPileOne, 4), S(4), true},
        {"51 empty: not another suit", foundation(51, 0, spadesPileOne, 4), H(4), false},
        {"47 one down", foundation(47, 0, {{destPile(0), {S(5)}}}), H(4), true},
        {"47 a King on an Ace", foundation(47, 0, {{destPile(0), {S(1)}}}), H(13), true},
        {"47 never a Queen", foundation(47, 0, {{destPile(0), {S(13)}}}), H(12), false},
        {"50 empty: looks eight piles back", foundation(50, 8, spadesPileOne, 4), H(4), true},
        {"50 empty: not with that pile empty", foundation(50, 9, spadesPileOne, 4), H(4), false},
        {"50 empty: no pile before the first", foundation(50, 0, spadesPileOne, 4), H(4), false},
        {"52 empty: in that pile's suit", foundation(52, 8, spadesPileOne, 4), H(4), false},
        {"53 the first one up", foundation(53, 0, {{destPile(0), {S(5)}}}), H(6), true},
        {"53 an Ace on a King", foundation(53, 0, {{destPile(0), {S(13)}}}), H(1), true},
        {"53 later ones wait for Dest1", foundation(53, 1, {}, 1), H(1), false},
        {"53 until it holds thirteen", foundation(53, 1, {{destPile(0), aceToKing}}, 1), S(1), true},
    });
}

TEST(BuildCodes, PairedFoundations)
{
    const auto paired = [](int index, std::vector<PileCards> piles, PileRef source = {}, int direction = BuildUp) {
        return Ask{.piles = std::move(piles), .from = source, .toFoundation = true, .pileIndex = index, .code = 58,
                   .direction = direction};
    };
    expectCases({
        {"an Ace on foundation 1", paired(0, {}), H(1), true},
        {"not a King there", paired(0, {}), H(13), false},
        {"a King on foundation 3", paired(2, {}), S(13), true},
        {"nothing on foundation 5", paired(4, {}), H(1), false},
        {"the partner's colour", paired(1, {{destPile(0), {H(1)}}}), D(1), true},
        {"not the other colour", paired(1, {{destPile(0), {H(1)}}}), S(1), false},
        {"no suit twice", paired(1, {{destPile(0), {H(1)}}}), cardOf(1, 0, true), false},
        {"not the other pair's colour", paired(0, {{destPile(2), {H(13)}}}), D(1), false},
        {"the other pair's other colour", paired(0, {{destPile(2), {H(13)}}}), S(1), true},
        {"no suit the other pair started", paired(0, {{destPile(2), {H(13)}}}), cardOf(1, 0, true), false},
        {"up by the foundation's direction", paired(0, {{destPile(0), {H(1)}}}), H(2), true},
        {"down by it", paired(2, {{destPile(2), {H(13)}}}, {}, BuildDown), H(12), true},
        {"same suit", paired(0, {{destPile(0), {H(1)}}}), D(2), false},
        {"pile 5 feeds foundation 1 while the stock lasts",
         paired(1, {{destPile(1), {H(1)}}, {Mazzo, {C(9)}}}, filaPile(4)), H(2), false},
        {"its own", paired(0, {{destPile(0), {H(1)}}, {Mazzo, {C(9)}}}, filaPile(4)), H(2), true},
        {"any once the stock is out", paired(1, {{destPile(1), {H(1)}}}, filaPile(4)), H(2), true},
    });
    Ask same = paired(0, {});
    same.code = 64;
    EXPECT_TRUE(ask(same, H(1)));
}

TEST(BuildCodes, CompanionCards)
{
    const auto jackOrKing = [](int baseRank, std::vector<PileCards> piles, int gameType = 30) {
        return Ask{.piles = std::move(piles), .toFoundation = true, .code = 62, .baseRank = baseRank,
                   .rules = {{Rule::GameType, gameType}}};
    };
    expectCases({
        {"a Jack while its Ace is on a tableau pile", jackOrKing(11, {{filaPile(2), {S(9), H(1)}}}), H(11), true},
        {"a Jack while its Ace tops the waste", jackOrKing(11, {{Mazzo_Vis, {H(1)}}}), H(11), true},
        {"not while the Ace is covered", jackOrKing(11, {{filaPile(2), {H(1), S(9)}}}), H(11), false},
        {"not an Ace of another suit", jackOrKing(11, {{filaPile(2), {S(1)}}}), H(11), false},
        {"a King with its Queen", jackOrKing(13, {{filaPile(2), {H(12)}}}), H(13), true},
        {"only on its base rank", jackOrKing(11, {{filaPile(2), {H(12)}}}), H(13), false},
        {"never a Queen", jackOrKing(12, {{destPile(0), {H(13)}}}), H(12), false},
        {"never an Ace", jackOrKing(1, {}), H(1), false},
        {"others down in suit", jackOrKing(11, {{destPile(0), {H(11)}}}), H(10), true},
        {"in suit only", jackOrKing(11, {{destPile(0), {H(11)}}}), S(10), false},
        {"only in its game type", jackOrKing(11, {{filaPile(2), {H(1)}}}, 0), H(11), false},
    });
}

TEST(BuildCodes, FirstPassHalves)
{
    const auto halves = [](int index, PileRef source, int deal = 1) {
        Ask a{.from = source, .toFoundation = true, .pileIndex = index, .code = 63, .direction = BuildUp};
        a.counters.DealCounter = deal;
        return a;
    };
    expectCases({
        {"left half to the first four", halves(3, filaPile(0)), H(1), true},
        {"not to the others", halves(4, filaPile(3)), H(1), false},
        {"right half to the others", halves(4, filaPile(6)), H(1), true},
        {"not to the first four", halves(0, filaPile(9)), H(1), false},
        {"the middle anywhere", halves(0, filaPile(5)), H(1), true},
        {"any after the first pass", halves(4, filaPile(3), 2), H(1), true},
        {"then same suit by direction", with(halves(0, filaPile(0)), {destPile(0), {H(1)}}), H(2), true},
        {"not another suit", with(halves(0, filaPile(0)), {destPile(0), {H(1)}}), S(2), false},
    });
}

TEST(BuildCodes, WasteRow)
{
    const auto row = [](int code, int index, std::vector<PileCards> piles, PileRef source = Mazzo_Vis) {
        piles.push_back({Mazzo_Vis, {C(9)}});
        return Ask{.piles = std::move(piles), .from = source, .pileIndex = index, .code = code};
    };
    const std::vector<PileCards> twoStarted{{filaPile(0), {S(13)}}, {filaPile(1), {S(12)}}};
    expectCases({
        {"a King to the first empty pile", row(38, 2, twoStarted), H(13), true},
        {"not to a later one", row(38, 3, twoStarted), H(13), false},
        {"another card on the last started pile", row(38, 1, twoStarted), H(7), true},
        {"not on an earlier one", row(38, 0, twoStarted), H(7), false},
        {"not on an empty one", row(38, 2, twoStarted), H(7), false},
        {"pile 1 alone", row(38, 0, {{filaPile(0), {S(13)}}}), H(7), true},
        {"pile 8 at the end of the row", row(38, 7, {{filaPile(6), {S(1)}}, {filaPile(7), {S(2)}}}), H(7), true},
        {"not a tableau card", row(38, 1, twoStarted, filaPile(5)), H(7), false},
        {"45 alike", row(45, 2, twoStarted), H(13), true},
        {"48 with Queens", row(48, 2, twoStarted), H(12), true},
        {"48 a King on the row", row(48, 1, twoStarted), H(13), true},
    });
    const auto noWaste = [](int code, std::vector<int> cards) { return on(code, std::move(cards)); };
    expectCases({
        {"38 a King on an empty pile", emptyRule(noWaste(38, {}), 0), H(13), true},
        {"38 nothing else there", noWaste(38, {}), H(12), false},
        {"38 a card on a lone King", noWaste(38, {S(13)}), H(7), true},
        {"38 no Queen on it", noWaste(38, {S(13)}), H(12), false},
        {"38 no King on it", noWaste(38, {S(13)}), H(13), false},
        {"38 not on two cards", noWaste(38, {S(13), H(7)}), H(6), false},
        {"48 a Queen on an empty pile", noWaste(48, {}), H(12), true},
        {"48 a King on a lone Queen", noWaste(48, {S(12)}), H(13), true},
        {"48 not a Queen", noWaste(48, {S(12)}), H(12), false},
        {"45 a King on an empty pile", noWaste(45, {}), H(13), true},
        {"45 never a King on a card", noWaste(45, {S(5)}), H(13), false},
        {"45 any card on one card", noWaste(45, {S(5)}), H(9), true},
        {"45 one down on more", noWaste(45, {S(9), S(5)}), H(4), true},
        {"45 not otherwise", noWaste(45, {S(9), S(5)}), H(9), false},
    });
}

TEST(BuildCodes, Grids)
{
    // A grid three slots wide: 0 1 2 / 3 4 5 / 6 7 8; slot 4 is the target.
    const auto grid = [](int code, int from, int to, std::vector<PileCards> piles = {}, int width = 3) {
        return Ask{.piles = std::move(piles), .from = filaPile(from), .pileIndex = to, .code = code,
                   .rules = {{Rule::GridWidth, width}, {Rule::TableauCount, 9}}};
    };
    expectCases({
        {"70 from the left", grid(70, 3, 4), H(5), true},
        {"70 from the right", grid(70, 5, 4), H(5), true},
        {"70 from above", grid(70, 1, 4), H(5), true},
        {"70 from below", grid(70, 7, 4), H(5), true},
        {"70 not diagonally", grid(70, 0, 4), H(5), false},
        {"70 not across the end of a row", grid(70, 2, 3), H(5), false},
        {"70 not back across it", grid(70, 3, 2), H(5), false},
        {"70 not into a filled slot", grid(70, 3, 4, {{filaPile(4), {S(2)}}}), H(5), false},
        {"70 no grid without a width", grid(70, 3, 4, {}, 0), H(5), false},
        {"71 over a card along the row", grid(71, 0, 2, {{filaPile(1), {S(2)}}}), H(5), true},
        {"71 not over an empty slot", grid(71, 0, 2), H(5), false},
        {"71 not over a gap", grid(71, 0, 2, {{filaPile(1), {0}}}), H(5), false},
        {"71 over a card two rows down", grid(71, 1, 7, {{filaPile(4), {S(2)}}}), H(5), true},
        {"71 not across rows", grid(71, 2, 4, {{filaPile(3), {S(2)}}}), H(5), false},
        {"71 an empty slot only", grid(71, 0, 2, {{filaPile(1), {S(2)}}, {filaPile(2), {0}}}), H(5), true},
    });
}

} // namespace
} // namespace kst::test
