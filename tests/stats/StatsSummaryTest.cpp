#include "stats/StatsSummary.h"

#include "storage/StringTable.h"

#include <gtest/gtest.h>

namespace kst {
namespace {

struct PerCentCase {
    long long won, lost;
    int wonPerCent, lostPerCent;
    const char* cell; // the all-games table's Percent column
};

TEST(StatsSummaryTest, PerCentsRoundHalfUpAndAreZeroWithoutGames)
{
    const PerCentCase cases[] = {
        {2, 1, 67, 33, "67 %"},
        {1, 1, 50, 50, "50 %"},
        {1, 7, 13, 87, "13 %"},  // 12.5 rounds up
        {7, 1, 88, 12, "88 %"},  // 87.5 rounds up, so lost is 12
        {1, 199, 1, 99, "1 %"},  // 0.5 rounds up
        {0, 4, 0, 100, "0"},     // no " %" after a 0
        {0, 0, 0, 0, "0"},
        {5, 0, 100, 0, "100 %"},
    };
    for (const PerCentCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.won) + " won, " + std::to_string(c.lost) + " lost");
        EXPECT_EQ(wonPerCent(c.won, c.lost), c.wonPerCent);
        EXPECT_EQ(lostPerCent(c.won, c.lost), c.lostPerCent);
        EXPECT_EQ(perCentCell(c.won, c.lost), c.cell);
    }
}

TEST(StatsSummaryTest, AverageScoreDropsTheFraction)
{
    EXPECT_EQ(averageScore({2, 1, 0, 0, 0, 0, 100}), 33);
    EXPECT_EQ(averageScore({0, 3, 0, 0, 0, 0, -100}), -33);
    EXPECT_EQ(averageScore({}), 0);
}

TEST(StatsSummaryTest, TheCurrentStreakLine)
{
    const std::pair<StatRecord, const char*> cases[] = {
        {{0, 0, 0, 0, 5, 0, 0}, "Current: 5 won"},
        {{0, 0, 0, 0, 1, 0, 0}, "Current: 1 won"},
        {{0, 0, 0, 0, 0, 1, 0}, "Current: 1 lost"},
        {{0, 0, 0, 0, 0, 3, 0}, "Current: 3 lost"},
        {{4, 4, 0, 0, 0, 0, 0}, "Current"},
    };
    for (const auto& [record, line] : cases)
        EXPECT_EQ(currentStreakText(record, Language), line);
}

struct PieCase {
    int lostPerCent;
    int share;
    bool swapped;
};

TEST(StatsSummaryTest, ThePieShowsTheLargerShareInStepsOfTwoAndAHalf)
{
    const PieCase cases[] = {
        {33, 650, true},   // 2 won, 1 lost: a lime slice of 65 per cent
        {50, 500, false},  // 1 and 1: colours as drawn
        {51, 500, false}, {52, 500, false}, {53, 525, false},
        {93, 925, false}, {95, 950, false}, {97, 950, false}, {98, 975, false}, {99, 975, false},
        {100, 1000, false}, {0, 1000, true},
        {49, 500, true},   // the won share 51 is the larger
        {NoPie, 0, true},  // no games: the no-values picture
    };
    for (const PieCase& c : cases) {
        SCOPED_TRACE(c.lostPerCent);
        const PieChoice choice = fnPieChoice(c.lostPerCent);
        EXPECT_EQ(choice.share, c.share);
        EXPECT_EQ(choice.swapped, c.swapped);
    }
}

TEST(StatsSummaryTest, TheChartShowsTheFiveHighestWithTheLaterOfEqualsFirst)
{
    // Seven players with equal values: the five alphabetically last, the last first.
    EXPECT_EQ(chartedPlayers(std::vector<long long>(7, 40), 5), (std::vector<int>{6, 5, 4, 3, 2}));
    EXPECT_EQ(chartedPlayers({10, 90, 50}, 5), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(chartedPlayers({10, 90, 50, 90, 0, 70}, 3), (std::vector<int>{3, 1, 5}));
    EXPECT_TRUE(chartedPlayers({}, 5).empty());
}

} // namespace
} // namespace kst
