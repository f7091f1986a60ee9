#include "engine/Deal.h"

#include "storage/GameCatalogue.h"
#include "engine/GameNumber.h"
#include "platform/test/TestPorts.h"
#include "tests/support/ShippedGames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace kst {
namespace {

using test::rulesOf;
using test::shippedCatalogue;

struct Dealt {
    CardTable table;
    RuleTable rules;
    PlacementCounters counters{7, 9};
    DealResult result;
};

Dealt deal(RuleTable rules, std::string_view number, RandomSource* random = nullptr)
{
    test::ScriptedRandom scripted;
    Dealt d;
    d.rules = rules;
    d.result = dealTable(d.table, d.rules, d.counters, number, random ? *random : scripted);
    return d;
}

using Edit = std::function<void(RuleTable&)>;

// Freecell's one deck and four foundations (Aces up in suit), reshaped by the edit.
RuleTable freecellWith(const Edit& edit)
{
    RuleTable rules = rulesOf(1);
    edit(rules);
    return rules;
}

void setBlock(RuleTable& rules, int first, int count, int value)
{
    for (int i = 0; i < count; ++i)
        rules.set(first + i, std::int16_t(value));
}

// No tableau, reserve or stock cards: a fixture then deals only what its edit asks for.
void dealNothing(RuleTable& rules)
{
    setBlock(rules, Rule::TableauDealt, Rule::MaxTableaus, 0);
    setBlock(rules, Rule::TableauFaceUp, Rule::MaxTableaus, 0);
    setBlock(rules, Rule::ReserveDealt, Rule::MaxReserves, 0);
    rules.set(Rule::StockDealt, 0);
}

std::vector<int> cardsOf(std::string_view pile)
{
    std::vector<int> out;
    for (int p = 0; p < cardCount(pile); ++p)
        out.push_back(cardAt(pile, p));
    return out;
}

int cardsOnTable(const PileGroups& piles)
{
    int n = 0;
    forEachPile(piles, [&](PileRef, const std::string& pile) {
        for (const int card : cardsOf(pile))
            n += card > 0 ? 1 : 0;
    });
    return n;
}

// ---- every shipped game ------------------------------------------------------------------------

TEST(DealCatalogue, EveryShippedGameDealsEachCardOnceAndAllOfThem)
{
    for (const CatalogueGame& game : shippedCatalogue().games()) {
        SCOPED_TRACE(game.name);
        RuleTable rules = rulesOf(game.gameId);
        const int size = rules[Rule::DeckSize];
        for (int n = 0; n < 300; ++n) {
            rules.restoreRuleBlock();
            const std::string number = std::to_string(1'000'003ULL * std::uint64_t(n) * 7919ULL + std::uint64_t(n));
            const Dealt d = deal(rules, number);
            ASSERT_TRUE(d.result.ok);
            ASSERT_EQ(tableIsOk(d.table.piles, firstCards(size)), "") << number;
            EXPECT_EQ(d.counters.DealCounter, 1);
            EXPECT_EQ(d.counters.SpecialCounter, 0);
        }
    }
}

TEST(DealCatalogue, TheSameNumberDealsTheSameTableAndFaces)
{
    for (const CatalogueGame& game : shippedCatalogue().games()) {
        SCOPED_TRACE(game.name);
        for (const char* number : {"1", "1234567890123", "9070000500300"}) {
            const Dealt a = deal(rulesOf(game.gameId), number);
            const Dealt b = deal(rulesOf(game.gameId), normalGameNumber(number));
            EXPECT_EQ(a.table.piles, b.table.piles) << number;
            EXPECT_EQ(a.table.deck, b.table.deck) << number;
            EXPECT_EQ(a.result.score, b.result.score);
        }
    }
}

TEST(DealCatalogue, FreecellGolden)
{
    const Dealt d = deal(rulesOf(1), "1234567890123");
    EXPECT_EQ(d.table.piles.fila[0], "005014028037035006002");
    EXPECT_EQ(d.table.piles.fila[7], "047007010024004025");
    EXPECT_EQ(d.result.score, -52);
}

TEST(DealCatalogue, KingsGoUnderTheOtherCards)
{
    for (const char* number : {"5", "1234567890123", "42"}) {
        const Dealt d = deal(rulesOf(9), number);
        for (const std::string& fila : d.table.piles.fila) {
            bool otherSeen = false;
            for (const int card : cardsOf(fila)) {
                if (rank(card) != 13)
                    otherSeen = true;
                else
                    EXPECT_FALSE(otherSeen) << number << ": " << fila;
            }
        }
    }
}

// ---- foundation starts and the foundation pass ---------------------------------------------------

TEST(DealFoundations, StartCodesPickTheirCard)
{
    // The shuffle of "1234567890123": 005 014 028 037 035 006 002 043 ...; foundation 1 takes
    // the first card (005) when the case is about another foundation.
    const struct {
        int code;
        int foundation;
        int card;
    } cases[] = {
        {20, 0, 5},   {21, 1, 14},  {52, 0, 28},  {100 + 50, 2, 50}, {5, 1, 18},
        {93, 3, 40},  {95, 2, 39},  {91, 0, 18},
    };
    for (const auto& c : cases) {
        const Dealt d = deal(freecellWith([&](RuleTable& r) {
                                 dealNothing(r);
                                 setBlock(r, Rule::FoundationStartCode, 4, 0);
                                 r.set(Rule::FoundationStartCode, 20);
                                 r.set(Rule::FoundationStartCode + c.foundation, std::int16_t(c.code));
                             }),
                             "1234567890123");
        EXPECT_EQ(cardsOf(d.table.piles.dest[std::size_t(c.foundation)]), std::vector<int>{c.card}) << "code " << c.code;
        EXPECT_EQ(d.rules[Rule::BaseRank + c.foundation], rank(c.card)) << "code " << c.code;
        EXPECT_FALSE(d.table.deck.isFaceDown(c.card));
    }
}

TEST(DealFoundations, CyclicStartComesRoundToTheLastCardNotToNoCard)
{
    // A number whose shuffle starts with card 52.
    std::string number;
    for (int n = 0; n < 100000 && number.empty(); ++n)
        if (buildShuffleDeck(std::to_string(n), 52).cards.front() == 52)
            number = std::to_string(n);
    ASSERT_FALSE(number.empty());
    const Dealt d = deal(freecellWith([](RuleTable& r) {
                             dealNothing(r);
                             setBlock(r, Rule::FoundationStartCode, 4, 91);
                         }),
                         number);
    // 52 + 13, + 26, + 39 come round to 13, 26, 39; the fourth, 52 + 52, is card 52 itself.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(cardsOf(d.table.piles.dest[std::size_t(i)]), std::vector<int>{13 * (i + 1)}) << i;
}

TEST(DealFoundations, AcesStartTheFoundationsAndFittingTableauCardsFollow)
{
    for (const char* number : {"1", "1234567890123", "31415926"}) {
        const Dealt aces = deal(freecellWith([](RuleTable& r) { setBlock(r, Rule::FoundationStartCode, 4, 93); }), number);
        int onFoundations = 0;
        for (int i = 0; i < 4; ++i) {
            const std::vector<int> cards = cardsOf(aces.table.piles.dest[std::size_t(i)]);
            ASSERT_FALSE(cards.empty());
            EXPECT_EQ(cards.front(), 13 * i + 1);
            for (std::size_t k = 1; k < cards.size(); ++k)
                EXPECT_EQ(cards[k], cards[k - 1] + 1) << "foundation " << i;
            onFoundations += int(cards.size());
        }
        EXPECT_EQ(tableIsOk(aces.table.piles, firstCards(52)), "");
        EXPECT_EQ(aces.result.score, -52 + 5 * onFoundations);
    }
}

TEST(DealFoundations, AcesFromTheTableauAreReplacedFromTheStock)
{
    const Dealt d = deal(freecellWith([](RuleTable& r) {
                             dealNothing(r);
                             r.set(Rule::StockDealt, 20);
                             setBlock(r, Rule::TableauDealt, 4, 8);
                             setBlock(r, Rule::FoundationStartCode, 4, 0);
                             r.set(Rule::FoundationStartCode, 96);
                         }),
                         "1234567890123");
    EXPECT_EQ(tableIsOk(d.table.piles, firstCards(52)), "");
    int acesUp = 0;
    for (int i = 0; i < 4; ++i)
        acesUp += cardCount(d.table.piles.dest[std::size_t(i)]);
    for (int j = 0; j < 4; ++j) {
        EXPECT_EQ(cardCount(d.table.piles.fila[std::size_t(j)]), 8);
        for (const int card : cardsOf(d.table.piles.fila[std::size_t(j)]))
            EXPECT_NE(rank(card), 1) << "pile " << j;
    }
    EXPECT_EQ(cardCount(d.table.piles.stock[0]), 20 - acesUp);
}

TEST(DealFoundations, ThePassOfCode94FeedsEachFoundationFromItsOwnPile)
{
    for (const char* number : {"1", "1234567890123", "31415926", "777"}) {
        // The same four Aces taken out by explicit codes: the table as it stands before the pass.
        const Dealt before = deal(freecellWith([](RuleTable& r) {
                                      for (int i = 0; i < 4; ++i)
                                          r.set(Rule::FoundationStartCode + i, std::int16_t(100 + 13 * i + 1));
                                  }),
                                  number);
        for (const int order : {0, 1}) {
            const Dealt after = deal(freecellWith([order](RuleTable& r) {
                                         setBlock(r, Rule::FoundationStartCode, 4, 94);
                                         r.set(Rule::FoundationPassOrder, std::int16_t(order));
                                     }),
                                     number);
            EXPECT_EQ(tableIsOk(after.table.piles, firstCards(52)), "");
            for (int j = 0; j < 4; ++j) {
                const std::vector<int> up = cardsOf(after.table.piles.dest[std::size_t(j)]);
                const std::vector<int> pile = cardsOf(before.table.piles.fila[std::size_t(j)]);
                for (std::size_t k = 1; k < up.size(); ++k)
                    EXPECT_NE(std::find(pile.begin(), pile.end(), up[k]), pile.end()) << number << " pile " << j;
            }
        }
    }
}

TEST(DealSteps, AcesOfTheReserveStartTheFoundationsAndTheWasteRefillsIt)
{
    for (const char* number : {"1", "1234567890123", "31415926", "777", "5"}) {
        SCOPED_TRACE(number);
        const RuleTable rules = freecellWith([](RuleTable& r) {
            dealNothing(r);
            r.set(Rule::GameType, 11);
            r.set(Rule::ReserveDealt, 13);
            r.set(Rule::WasteDealt, 20);
        });
        RuleTable plainRules = rules;
        plainRules.set(Rule::GameType, 0);
        const Dealt plain = deal(plainRules, number);
        const Dealt d = deal(rules, number);
        EXPECT_EQ(tableIsOk(d.table.piles), "");
        int acesInReserve = 0;
        for (const int card : cardsOf(plain.table.piles.appogg[0]))
            acesInReserve += rank(card) == 1 ? 1 : 0;
        for (int i = 1; i <= acesInReserve; ++i) {
            ASSERT_EQ(cardCount(d.table.piles.dest[std::size_t(i)]), 1);
            EXPECT_EQ(rank(cardAt(d.table.piles.dest[std::size_t(i)], 0)), 1);
        }
        for (const int card : cardsOf(d.table.piles.appogg[0])) {
            EXPECT_NE(rank(card), 1);
            if (acesInReserve > 0) {
                EXPECT_FALSE(d.table.deck.isFaceDown(card));
            }
        }
        const std::vector<int> waste = cardsOf(plain.table.piles.stock[1]);
        const bool wasteHadAce = std::any_of(waste.begin(), waste.end(), [](int c) { return rank(c) == 1; });
        if (wasteHadAce) {
            EXPECT_EQ(rank(cardAt(d.table.piles.dest[0], 0)), 1);
        }
        EXPECT_EQ(cardsOnTable(d.table.piles), cardsOnTable(plain.table.piles));
    }
}

TEST(DealFoundations, ThePassOfCode95SplitsKingsAndAcesByTheGivenIndex)
{
    // Kings start foundations 1-4 and Aces foundations 5-8; the pass then keeps every card once.
    for (const char* number : {"1", "1234567890123", "777"}) {
        RuleTable rules = rulesOf(6);
        setBlock(rules, Rule::FoundationStartCode, 8, 95);
        const Dealt k = deal(rules, number);
        EXPECT_EQ(tableIsOk(k.table.piles, firstCards(104)), "") << number;
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(cardAt(k.table.piles.dest[std::size_t(i)], 0), 13 * (i + 1)) << number;
            EXPECT_EQ(cardAt(k.table.piles.dest[std::size_t(i + 4)], 0), 13 * i + 1) << number;
        }
    }
}

// ---- DealModes ---------------------------------------------------------------------------------

RuleTable freecellMode(int mode, const Edit& edit = [](RuleTable&) {})
{
    return freecellWith([&](RuleTable& r) {
        r.set(Rule::DealMode, std::int16_t(mode));
        edit(r);
    });
}

TEST(DealModes, EachModeArrangesTheTableAsItSays)
{
    const std::vector<std::string> numbers{"1", "1234567890123", "9070000500300", "8675309"};
    const struct {
        const char* name;
        RuleTable rules;
        std::function<void(const Dealt& mode, const Dealt& plain)> check;
    } cases[] = {
        {"1: no pile starts with a King", freecellMode(1, [](RuleTable& r) {
             dealNothing(r);
             r.set(Rule::StockDealt, 40);
             setBlock(r, Rule::TableauDealt, 12, 1);
         }),
         [](const Dealt& m, const Dealt&) {
             EXPECT_EQ(tableIsOk(m.table.piles, firstCards(52)), "");
             for (int j = 0; j < 8; ++j) {
                 ASSERT_EQ(cardCount(m.table.piles.fila[std::size_t(j)]), 1);
                 EXPECT_NE(rank(cardAt(m.table.piles.fila[std::size_t(j)], 0)), 13);
             }
         }},
        {"2: runs split at the Kings", freecellMode(2, dealNothing),
         [](const Dealt& m, const Dealt&) {
             EXPECT_EQ(tableIsOk(m.table.piles, firstCards(52)), "");
             for (const std::string& fila : m.table.piles.fila)
                 for (int p = 1; p < cardCount(fila); ++p)
                     EXPECT_NE(rank(cardAt(fila, p)), 13);
             EXPECT_EQ(rank(cardAt(m.table.piles.fila[0], 0)), 13);
         }},
        {"4: runs split at the Queens", freecellMode(4, dealNothing),
         [](const Dealt& m, const Dealt&) {
             EXPECT_EQ(tableIsOk(m.table.piles, firstCards(52)), "");
             for (const std::string& fila : m.table.piles.fila)
                 for (int p = 1; p < cardCount(fila); ++p)
                     EXPECT_NE(rank(cardAt(fila, p)), 12);
         }},
        {"1: a pile on a King goes under the stock whole", freecellMode(1, [](RuleTable& r) {
             dealNothing(r);
             r.set(Rule::StockDealt, 28);
             setBlock(r, Rule::TableauDealt, 8, 3);
         }),
         [](const Dealt& m, const Dealt& plain) {
             EXPECT_EQ(tableIsOk(m.table.piles, firstCards(52)), "");
             for (int j = 0; j < 8; ++j) {
                 const std::string& was = plain.table.piles.fila[std::size_t(j)];
                 if (rank(cardAt(was, 0)) == 13)
                     EXPECT_EQ(cardCount(m.table.piles.fila[std::size_t(j)]), 1);
                 else
                     EXPECT_EQ(m.table.piles.fila[std::size_t(j)], was);
             }
         }},
        {"3: one card of a rank per pile", freecellMode(3),
         [](const Dealt& m, const Dealt& plain) {
             for (int j = 0; j < 8; ++j) {
                 const std::string& fila = m.table.piles.fila[std::size_t(j)];
                 EXPECT_EQ(cardCount(fila), cardCount(plain.table.piles.fila[std::size_t(j)]));
                 std::vector<int> ranks;
                 for (const int card : cardsOf(fila))
                     if (card > 0)
                         ranks.push_back(rank(card));
                 std::sort(ranks.begin(), ranks.end());
                 EXPECT_EQ(std::adjacent_find(ranks.begin(), ranks.end()), ranks.end()) << fila;
             }
             EXPECT_EQ(tableIsOk(m.table.piles), "");
         }},
        {"6: rank r to pile r", freecellMode(6, dealNothing),
         [](const Dealt& m, const Dealt&) {
             for (int j = 0; j < 13; ++j) {
                 const std::vector<int> cards = cardsOf(m.table.piles.fila[std::size_t(j)]);
                 EXPECT_EQ(cards.size(), 4u);
                 for (const int card : cards) {
                     EXPECT_EQ(rank(card), j + 1);
                     EXPECT_FALSE(m.table.deck.isFaceDown(card));
                 }
             }
         }},
        {"5: rank r to pile r - 1 once the Aces are up", freecellMode(5, [](RuleTable& r) {
             dealNothing(r);
             setBlock(r, Rule::FoundationStartCode, 4, 93);
         }),
         [](const Dealt& m, const Dealt&) {
             EXPECT_EQ(tableIsOk(m.table.piles, firstCards(52)), "");
             for (int j = 0; j < 12; ++j)
                 for (const int card : cardsOf(m.table.piles.fila[std::size_t(j)]))
                     EXPECT_EQ(rank(card), j + 2);
         }},
        {"5: Aces left in the deck stay out", freecellMode(5, dealNothing),
         [](const Dealt& m, const Dealt&) {
             EXPECT_EQ(tableIsOk(m.table.piles), "");
             EXPECT_EQ(cardsOnTable(m.table.piles), 48);
         }},
        {"7: Ace bottoms go to their own foundation", freecellMode(7),
         [](const Dealt& m, const Dealt& plain) {
             for (int j = 0; j < 8; ++j) {
                 std::string expected = plain.table.piles.fila[std::size_t(j)];
                 if (j < 4 && rank(cardAt(expected, 0)) == 1) {
                     EXPECT_EQ(cardsOf(m.table.piles.dest[std::size_t(j)]), std::vector<int>{cardAt(expected, 0)});
                     expected.erase(0, 3);
                 }
                 EXPECT_EQ(m.table.piles.fila[std::size_t(j)], expected) << j;
             }
         }},
        {"8: Aces leave gaps", freecellMode(8),
         [](const Dealt& m, const Dealt& plain) {
             int gaps = 0;
             int aces = 0;
             for (int j = 0; j < 8; ++j) {
                 EXPECT_EQ(cardCount(m.table.piles.fila[std::size_t(j)]), cardCount(plain.table.piles.fila[std::size_t(j)]));
                 for (const int card : cardsOf(m.table.piles.fila[std::size_t(j)]))
                     gaps += card == 0 ? 1 : 0;
                 for (const int card : cardsOf(plain.table.piles.fila[std::size_t(j)]))
                     aces += rank(card) == 1 ? 1 : 0;
             }
             EXPECT_EQ(gaps, aces);
         }},
        {"9: reduced deck, the pile of card T emptied", freecellMode(9, [](RuleTable& r) {
             dealNothing(r);
             setBlock(r, Rule::TableauDealt, 8, 1);
         }),
         [](const Dealt& m, const Dealt&) {
             EXPECT_EQ(tableIsOk(m.table.piles), "");
             EXPECT_EQ(cardsOnTable(m.table.piles), 7);
             for (const std::string& fila : m.table.piles.fila)
                 for (const int card : cardsOf(fila))
                     EXPECT_LT(card, 8);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RuleTable plainRules = c.rules;
        plainRules.set(Rule::DealMode, 0);
        for (const std::string& number : numbers) {
            SCOPED_TRACE(number);
            c.check(deal(c.rules, number), deal(plainRules, number));
        }
    }
}

TEST(DealModes, TheRandomModeEmptiesTheChosenPileOnly)
{
    test::ScriptedRandom random;
    random.queue(3);
    const Dealt chosen = deal(freecellMode(10), "1234567890123", &random);
    const Dealt plain = deal(rulesOf(1), "1234567890123");
    for (int j = 0; j < 8; ++j)
        EXPECT_EQ(chosen.table.piles.fila[std::size_t(j)], j == 3 ? "" : plain.table.piles.fila[std::size_t(j)]);
}

// ---- single steps --------------------------------------------------------------------------------

TEST(DealSteps, SpecialCountsJokersAndTheSecondWaste)
{
    const Dealt d = deal(freecellWith([](RuleTable& r) {
                             dealNothing(r);
                             r.set(Rule::TableauDealt + 0, 1013); // the first King
                             r.set(Rule::TableauDealt + 1, 1502); // joker 106
                             r.set(Rule::SecondWasteStartCard, 112);
                             r.set(Rule::SecondWasteDealt, 2);
                         }),
                         "1234567890123");
    EXPECT_EQ(d.table.piles.fila[0], "052");
    EXPECT_TRUE(d.table.deck.isFaceDown(52));
    EXPECT_EQ(d.table.piles.fila[1], "106");
    EXPECT_FALSE(d.table.deck.isFaceDown(106));
    EXPECT_EQ(d.table.piles.stock[2], "012005014");
}

TEST(DealSteps, EmptyRuleBelowTheBaseRankAndTheShortDeck)
{
    const Dealt d = deal(freecellWith([](RuleTable& r) {
                             r.set(Rule::TableauEmptyRule + 2, 91);
                             r.set(Rule::BaseRank, 1);
                             r.set(Rule::StockDealt, 100);
                         }),
                         "1");
    EXPECT_EQ(d.rules[Rule::TableauEmptyRule + 2], 13);
    // The stock asked for more than the deck held and took all; the tableau, dealt after it, got none.
    EXPECT_EQ(cardCount(d.table.piles.stock[0]), 52);
    EXPECT_EQ(d.table.piles.fila[0], "");
    EXPECT_EQ(tableIsOk(d.table.piles, firstCards(52)), "");
}

TEST(DealSteps, QueenAndKingOfHearts)
{
    const Dealt d = deal(freecellWith([](RuleTable& r) { r.set(Rule::GameType, 22); r.set(Rule::StockDealt, 4); }), "1");
    EXPECT_EQ(cardAt(d.table.piles.stock[0], 0), 13);
    EXPECT_EQ(topCard(d.table.piles.fila[0]), 12);
    EXPECT_EQ(tableIsOk(d.table.piles), "");
}

TEST(DealSteps, AnUnshuffleableDeckSizeLeavesTheTableEmpty)
{
    const Dealt d = deal(freecellWith([](RuleTable& r) { r.set(Rule::DeckSize, 60); }), "1");
    EXPECT_FALSE(d.result.ok);
    EXPECT_EQ(d.result.message, "Error 01 - fnGameNumberCardsArray");
    EXPECT_EQ(d.table.piles, PileGroups{});
}

} // namespace
} // namespace kst
