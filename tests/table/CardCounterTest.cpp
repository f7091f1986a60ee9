#include "table/CardCounter.h"

#include "engine/Moves.h"
#include "tests/engine/GameFixture.h"
#include "tests/support/ShippedGames.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kst {
namespace {

constexpr int Klondike = 2, Spider = 6, FortyThieves = 7, Canfield = 8;
constexpr const char* Number = "0000000000042";

int marked(const std::vector<CounterMark>& marks, CounterMark mark)
{
    return int(std::count(marks.begin() + 1, marks.end(), mark));
}

// The stock pressed `times` times, as the player deals to the waste.
void dealToWaste(Game& game, int times)
{
    for (int i = 0; i < times; ++i) {
        const Move deal = stockMove(game, Mazzo);
        ASSERT_TRUE(isLegal(game, deal));
        apply(game, deal);
    }
}

// Real deals, every side and switch: how many slots show up, down and nothing. Klondike: a stock
// of 24, seven piles with their top cards up. Canfield: a foundation card, a reserve of 13 and
// four piles, all up, and a stock of 34. Forty Thieves: ten piles of four up, a stock of 64.
// Spider: 54 tableau cards with ten up, a stock of 50 and no waste.
struct CountCase {
    const char* name;
    int gameId;
    CounterWatch watch;
    bool inverted;
    int up, down, none;
};

class CardCounterCounts : public ::testing::TestWithParam<CountCase> {};

TEST_P(CardCounterCounts, ShowTheWatchedPilesOfARealDeal)
{
    const CountCase& c = GetParam();
    const Game game = test::dealtGame(c.gameId, Number);
    const std::vector<CounterMark> marks = countCards(game, c.watch, c.inverted);
    ASSERT_EQ(int(marks.size()), game.rules[Rule::DeckSize] + 1);
    EXPECT_EQ(marks[0], CounterMark::None); // no card
    EXPECT_EQ(marked(marks, CounterMark::Up), c.up);
    EXPECT_EQ(marked(marks, CounterMark::Down), c.down);
    EXPECT_EQ(marked(marks, CounterMark::None), c.none);
}

INSTANTIATE_TEST_SUITE_P(
    Deals, CardCounterCounts,
    ::testing::Values(CountCase{"KlondikeBoth", Klondike, CounterWatch::Both, false, 7, 45, 0},
                      CountCase{"KlondikeStockOnly", Klondike, CounterWatch::StockOnly, false, 0, 24, 28},
                      CountCase{"KlondikeTableauOnly", Klondike, CounterWatch::TableauOnly, false, 7, 21, 24},
                      CountCase{"KlondikeInverted", Klondike, CounterWatch::Both, true, 45, 7, 0},
                      CountCase{"KlondikeStockOnlyInverted", Klondike, CounterWatch::StockOnly, true, 24, 0, 28},
                      CountCase{"CanfieldBoth", Canfield, CounterWatch::Both, false, 18, 34, 0},
                      CountCase{"CanfieldTableauOnly", Canfield, CounterWatch::TableauOnly, false, 18, 0, 34},
                      CountCase{"FortyThievesBoth", FortyThieves, CounterWatch::Both, false, 40, 64, 0},
                      CountCase{"FortyThievesStockOnly", FortyThieves, CounterWatch::StockOnly, false, 0, 64, 40},
                      CountCase{"FortyThievesTableauInverted", FortyThieves, CounterWatch::TableauOnly, true, 0, 40,
                                64},
                      CountCase{"SpiderBoth", Spider, CounterWatch::Both, false, 10, 94, 0},
                      CountCase{"SpiderTableauOnly", Spider, CounterWatch::TableauOnly, false, 10, 44, 50}),
    [](const ::testing::TestParamInfo<CountCase>& info) { return std::string(info.param.name); });

// Each card in its own slot: the stock's cards down, a tableau pile's by their faces.
TEST(CardCounter, MarksEachCardInItsOwnSlot)
{
    const Game game = test::dealtGame(Klondike, Number);
    const std::vector<CounterMark> marks = countCards(game, CounterWatch::Both, false);
    const std::string& stock = game.pile(Mazzo);
    for (int p = 0; p < cardCount(stock); ++p)
        EXPECT_EQ(marks[std::size_t(cardAt(stock, p))], CounterMark::Down) << cardAt(stock, p);
    const std::string& seventh = game.pile(filaPile(6));
    ASSERT_EQ(cardCount(seventh), 7);
    for (int p = 0; p < 6; ++p)
        EXPECT_EQ(marks[std::size_t(cardAt(seventh, p))], CounterMark::Down);
    EXPECT_EQ(marks[std::size_t(topCard(seventh))], CounterMark::Up);
}

// A waste fed from the stock shows every card it holds; a waste without a stock shows only its
// top card, whatever the faces of the cards below.
TEST(CardCounter, TheWasteShowsItsCardsByWhetherAStockFeedsIt)
{
    Game game = test::dealtGame(Klondike, Number);
    dealToWaste(game, 3);
    const std::string waste = game.pile(Mazzo_Vis);
    ASSERT_EQ(cardCount(waste), 3);
    const auto marksOfWaste = [&](bool inverted) {
        const std::vector<CounterMark> marks = countCards(game, CounterWatch::StockOnly, inverted);
        std::vector<CounterMark> shown;
        for (int p = 0; p < cardCount(waste); ++p)
            shown.push_back(marks[std::size_t(cardAt(waste, p))]);
        return shown;
    };
    using M = std::vector<CounterMark>;
    EXPECT_EQ(marksOfWaste(false), (M{CounterMark::Up, CounterMark::Up, CounterMark::Up}));

    game.rules.set(Rule::StockClickPlace, 0); // the same cards as a waste of its own
    EXPECT_EQ(marksOfWaste(false), (M{CounterMark::Down, CounterMark::Down, CounterMark::Up}));
    EXPECT_EQ(marksOfWaste(true), (M{CounterMark::Up, CounterMark::Up, CounterMark::Down}));

    game.rules.set(Rule::StockToWaste, 0); // a game without a waste does not watch one
    EXPECT_EQ(marksOfWaste(false), (M{CounterMark::None, CounterMark::None, CounterMark::None}));
}

// The table side goes by the cards' faces in every pile it watches: a face-down card in a reserve
// is as hidden as one in the tableau. The second waste is watched with the table, not the stock.
TEST(CardCounter, TheTableSideGoesByTheFacesOfItsCards)
{
    const Game game = test::table({{appoggPile(0), {5, 6}, 1}, {Mazzo_Waste, {7, 8}, 1}, {filaPile(0), {9}, 0}});
    for (const CounterWatch watch : {CounterWatch::Both, CounterWatch::TableauOnly}) {
        const std::vector<CounterMark> marks = countCards(game, watch, false);
        EXPECT_EQ(marks[5], CounterMark::Down);
        EXPECT_EQ(marks[6], CounterMark::Up);
        EXPECT_EQ(marks[7], CounterMark::Down);
        EXPECT_EQ(marks[8], CounterMark::Up);
        EXPECT_EQ(marks[9], CounterMark::Up);
    }
    EXPECT_EQ(marked(countCards(game, CounterWatch::StockOnly, false), CounterMark::None), 52);
}

// Only the piles a game uses are watched, and only the cards of its deck have slots: a card
// beyond the deck's size, an empty slot or a damaged element marks nothing and harms nothing.
TEST(CardCounter, SlotsFollowTheDeckAndThePilesInUse)
{
    Game game = test::table({{filaPile(0), {1}, 0}, {filaPile(8), {2}, 0}, {filaPile(1), {3}, 0}});
    game.pile(filaPile(1)) += "0000600x1"; // an empty slot, a card of no slot, a damaged element
    const std::vector<CounterMark> marks = countCards(game, CounterWatch::Both, false);
    EXPECT_EQ(marks[1], CounterMark::Up);
    EXPECT_EQ(marks[2], CounterMark::None); // the ninth pile, where the game uses eight
    EXPECT_EQ(marks[3], CounterMark::Up);
    EXPECT_EQ(marked(marks, CounterMark::Up), 2);

    const std::pair<int, std::size_t> sizes[] = {{0, 1}, {52, 53}, {104, 105}, {208, 105}, {-1, 1}};
    for (const auto& [deckSize, slots] : sizes) {
        game.rules.set(Rule::DeckSize, std::int16_t(deckSize));
        EXPECT_EQ(countCards(game, CounterWatch::Both, false).size(), slots) << deckSize;
    }
}

} // namespace
} // namespace kst
