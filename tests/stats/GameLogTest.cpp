#include "stats/GameLog.h"

#include "stats/Statistics.h"
#include "tests/stats/StatsFixture.h"

#include <gtest/gtest.h>

namespace kst {
namespace {

// A log line as the recorder writes it.
std::string line(const char* game, const char* player, bool won, const char* number, DateTime end = {2026, 12, 11, 9, 30, 5, 0},
                 int score = 120, long seconds = 3725)
{
    return formatLogLine({end, seconds, 1, game, player, won, 1, score, number}, ':');
}

TEST(GameLogTest, TheFieldsOfALineAsShown)
{
    const LogFields f = splitLogLine(line("Freecell", "Anna", true, "0000001234567"));
    EXPECT_EQ(f.date, "20261211");
    EXPECT_EQ(f.start, "09:30");
    EXPECT_EQ(f.seconds, 3725);
    EXPECT_EQ(f.gameName, "Freecell");
    EXPECT_EQ(f.player, "Anna");
    EXPECT_TRUE(f.won);
    EXPECT_EQ(f.score, "120");
    EXPECT_EQ(f.number, "0000001234567");

    // A damaged line: a bad time, a bad date, cut short inside the player field.
    std::string damaged = line("Freecell", "Anna Long Name", false, "1");
    damaged.replace(18, 6, "12x456");
    damaged.replace(0, 8, "20261340");
    damaged.resize(90);
    const LogFields d = splitLogLine(damaged);
    EXPECT_EQ(d.seconds, std::nullopt);
    EXPECT_EQ(d.date, "20261340"); // shown empty: no such date
    EXPECT_EQ(d.player, "Anna Long");
    EXPECT_FALSE(d.won);
    EXPECT_EQ(d.number, "");
    EXPECT_EQ(splitLogLine("").gameName, "");
}

TEST(GameLogTest, LinesOfAPlayerAndAGameNewestFirst)
{
    const std::vector<std::string> lines = {
        line("Freecell", "Anna", true, "1"), line("Klondike", "Anna", false, "2"), line("Freecell", "Bob", true, "3"),
        line("Freecell", "Anna B", false, "4"), line("Freecell", "Anna", false, "5"), "a damaged line"};
    EXPECT_EQ(logLinesOf(lines, "", ""), (std::vector<int>{5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(logLinesOf(lines, "", "Anna"), (std::vector<int>{4, 1, 0}));
    EXPECT_EQ(logLinesOf(lines, "Freecell  ", "Anna"), (std::vector<int>{4, 0}));
    EXPECT_EQ(logLinesOf(lines, "freecell", ""), (std::vector<int>{})); // case counts
}

TEST(GameLogTest, DealsLostAndNeverWon)
{
    const DateTime day1{2026, 12, 1, 10, 0, 0, 0}, day2{2026, 12, 2, 10, 0, 0, 0}, day3{2026, 12, 3, 10, 0, 0, 0};
    const std::vector<std::string> lines = {
        line("Freecell", "Zoe", false, "0000000000007", day1),
        line("Freecell", "Anna", false, "0000000000007", day2), // lost by two: listed once, for Anna
        line("Freecell", "Bob", false, "0000000000005", day1),
        line("Freecell", "Bob", true, "0000000000005", day2),   // lost twice and won once: not listed
        line("Freecell", "Bob", false, "0000000000005", day3),
        line("Klondike", "Bob", false, "0000000000009", day3),  // another game
        line("Freecell", "Carl", false, "0000000000003", day3),
    };
    const std::vector<LostDeal> lost = lostDeals(lines, "Freecell");
    ASSERT_EQ(lost.size(), 2u);
    EXPECT_EQ(lost[0].number, "0000000000003"); // the newest first
    EXPECT_EQ(lost[0].player, "Carl");
    EXPECT_EQ(lost[1].number, "0000000000007");
    EXPECT_EQ(lost[1].player, "Anna");
    EXPECT_EQ(lost[1].date, "20261202");
    EXPECT_TRUE(lostDeals({}, "Freecell").empty());
}

TEST(GameLogTest, ResultsOverTimeByWeekOrMonth)
{
    // Tuesday and Sunday of one week, the Monday after, then two weeks later.
    const std::vector<std::string> weeks = {
        line("Freecell", "Anna", true, "1", {2026, 12, 1, 10, 0, 0, 0}, 100),
        line("Freecell", "Anna", false, "2", {2026, 12, 6, 10, 0, 0, 0}, -20),
        line("Freecell", "Bob", false, "3", {2026, 12, 6, 11, 0, 0, 0}),
        line("Freecell", "Anna", true, "4", {2026, 12, 7, 10, 0, 0, 0}, 80),
        line("Freecell", "Anna", false, "5", {2026, 12, 21, 10, 0, 0, 0}, 5),
    };
    const ResultsOverTime h = resultsOverTime(weeks, "Freecell", "Anna", 12);
    EXPECT_FALSE(h.monthly);
    ASSERT_EQ(h.periods.size(), 3u);
    EXPECT_EQ(h.periods[0].label, "11-30"); // the Monday the week starts
    EXPECT_EQ(h.periods[0].won, 1);
    EXPECT_EQ(h.periods[0].lost, 1);
    EXPECT_EQ(h.periods[1].label, "12-07");
    EXPECT_EQ(h.periods[2].label, "12-21");
    ASSERT_EQ(h.scores.size(), 4u);
    EXPECT_EQ(h.scores[0].score, 100);
    EXPECT_EQ(h.scores[1].score, -20);
    EXPECT_EQ(h.scores[1].period, 0);
    EXPECT_DOUBLE_EQ(h.scores[1].offset, 0.75);

    // Games over more weeks than are shown count by month, the last months only.
    std::vector<std::string> months;
    for (int month = 1; month <= 12; ++month)
        months.push_back(line("Freecell", "Anna", month % 2 == 0, "1", {2025 + month / 12, month % 12 + 1, 15, 9, 0, 0, 0}));
    const ResultsOverTime m = resultsOverTime(months, "Freecell", "Anna", 6);
    EXPECT_TRUE(m.monthly);
    ASSERT_EQ(m.periods.size(), 6u);
    EXPECT_EQ(m.periods.back().label, "2026-01");
    EXPECT_TRUE(resultsOverTime(months, "Freecell", "Nobody", 6).periods.empty());
}

class PlayerRecordsTest : public test::StatsFixture {};

TEST_F(PlayerRecordsTest, EveryRecordOfAPlayerInOnePass)
{
    fnRecordResult(m_files, m_store, test::SmallGame, "Anna", true, 10);
    fnRecordResult(m_files, m_store, test::DoubleGame, "Anna", false, 5);
    fnRecordResult(m_files, m_store, test::DoubleGame, "Anna B", true, 5);
    const PlayerRecords anna = readPlayerRecords(m_files, "Anna");
    EXPECT_FALSE(anna.unreadable);
    EXPECT_EQ(anna.of(test::SmallGame).won, 1);
    EXPECT_EQ(anna.of(test::DoubleGame).lost, 1);
    EXPECT_EQ(anna.of(test::DoubleGame).won, 0);
    EXPECT_EQ(anna.of(test::CustomGame).won, 0);
    EXPECT_EQ(readPlayerRecords(m_files, "Nobody").bySection.size(), 0u);
    // The same records as one lookup at a time gives, damaged ones included.
    put("STAT.DAT", read("STAT.DAT") + "[0003]\r\nAnna=000002 00x000\r\n");
    const PlayerRecords damaged = readPlayerRecords(m_files, "Anna");
    EXPECT_TRUE(damaged.damaged);
    EXPECT_EQ(damaged.of(3).won, fnReadStatistics(m_files, m_store, 3, "Anna").record.won);
    EXPECT_EQ(boxTexts().size(), 1u); // reported once
}

} // namespace
} // namespace kst
