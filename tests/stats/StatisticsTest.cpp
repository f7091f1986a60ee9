#include "stats/Statistics.h"

#include "storage/SectionFile.h"
#include "tests/stats/StatsFixture.h"

#include <gtest/gtest.h>

namespace kst {
namespace {

using test::SmallGame;
using test::DoubleGame;

class StatisticsTest : public test::StatsFixture {
protected:
    void play(const std::string& outcomes, int gameId = SmallGame, const std::string& player = "Player 1",
              int score = 0)
    {
        for (const char c : outcomes)
            fnRecordResult(m_files, m_store, gameId, player, c == 'W', score);
    }

    void log(int gameId, const std::string& player, int score = 0)
    {
        LogEntry e;
        e.end = {2026, 12, 11, 9, 8, 7, 0};
        e.seconds = 95;
        e.gameId = gameId;
        e.gameName = "Small";
        e.player = player;
        e.score = score;
        e.scoreMode = 1;
        e.number = "0000001234567";
        fnLogGame(m_files, e);
    }

    std::vector<std::string> logLines() const { return loadLines(m_files.logPath()).lines; }
    StatRecord record(const std::string& player = "Player 1", int gameId = SmallGame)
    {
        return fnReadStatistics(m_files, m_store, gameId, player).record;
    }
};

TEST_F(StatisticsTest, FirstGameEverLostCreatesTheFileWithItsRecord)
{
    play("L");
    EXPECT_EQ(read("STAT.DAT"), "[Version]\r\nVersion=0300\r\n\r\n[0001]\r\n"
                                "Player 1=000000 000001 000000 000001 000000 000001 000000000000 000000000000\r\n");
    EXPECT_TRUE(boxTexts().empty());
}

struct StreakCase {
    const char* outcomes;
    StatRecord expected; // won, lost, longest won, longest lost, current won, current lost, total
};

TEST_F(StatisticsTest, StreaksFollowWonAndLostGames)
{
    const StreakCase cases[] = {
        {"WWLW", {3, 1, 2, 1, 1, 0, 40}},
        {"LLLWL", {1, 4, 1, 3, 0, 1, 50}},
        {"WWWLLWW", {5, 2, 3, 2, 2, 0, 70}},
    };
    int gameId = 10;
    for (const StreakCase& c : cases) {
        play(c.outcomes, ++gameId, "Player 1", 10);
        const StatRecord r = record("Player 1", gameId);
        EXPECT_EQ(formatStatRecord(r), formatStatRecord(c.expected)) << c.outcomes;
    }
}

TEST_F(StatisticsTest, SessionCountersCountOnlyTheCurrentPlayerInTheCurrentGame)
{
    play("WWL");
    play("W", DoubleGame);
    const PlayerStatistics current = fnReadStatistics(m_files, m_store, SmallGame, "Player 1");
    EXPECT_EQ(m_store.fnStoreGet(Fld::SessionWon), "0003");
    EXPECT_EQ(m_store.fnStoreGet(Fld::SessionLost), "0001");
    EXPECT_EQ(current.sessionWon, 3);
    EXPECT_EQ(fnReadStatistics(m_files, m_store, DoubleGame, "Player 1").sessionWon, 0);
    EXPECT_EQ(fnReadStatistics(m_files, m_store, SmallGame, "Player 2").sessionWon, 0);
}

TEST_F(StatisticsTest, LogLineHasItsColumns)
{
    log(7, "Anna", 1500);
    const std::vector<std::string> lines = logLines();
    ASSERT_EQ(lines.size(), 1u);
    const std::string& line = lines[0];
    ASSERT_EQ(line.size(), 147u);
    EXPECT_EQ(line.substr(0, 29), "20261211 09:08:07 000095 0007");
    EXPECT_EQ(line.substr(30, 50), fnPadRight("Small", 50));
    EXPECT_EQ(line.substr(81, 30), fnPadRight("Anna", 30));
    EXPECT_EQ(line.substr(112, 7), "Lost 01");
    EXPECT_EQ(line.substr(120, 6), "1500  ");
    EXPECT_EQ(line.substr(127, 20), "0000001234567   0430");
    EXPECT_TRUE(logLineWellFormed(line));
    EXPECT_EQ(read("STAT_LOG.DAT"), line + "\r\n");
}

TEST_F(StatisticsTest, CountsThatOutgrowTheirFieldKeepTheRecordWidth)
{
    StatRecord big;
    big.won = 1234567;
    big.totalScore = -123456789012345;
    const std::string text = formatStatRecord(big);
    EXPECT_EQ(text, "999999 000000 000000 000000 000000 000000 -99999999999 000000000000");
    EXPECT_FALSE(parseStatRecord(text).damaged);
}

// Every scope of a clearing, on two players, two games and a log line of no game.
TEST_F(StatisticsTest, ClearingEmptiesItsScopeAndNothingElse)
{
    struct Case {
        int gameId;
        const char* player;
        std::vector<std::string> kept; // "player/game" of the records left as they were
        std::size_t logLinesKept; // of the four lines of the players and the one of no game
    };
    const Case cases[] = {
        {SmallGame, "Anna", {"Bob/1", "Anna/2", "Bob/2"}, 4},
        {AllGames, "Anna", {"Bob/1", "Bob/2"}, 3},
        {SmallGame, "", {"Anna/2", "Bob/2"}, 3},
        {AllGames, "", {}, 0},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(m_files.statPath());
        std::filesystem::remove(m_files.logPath());
        for (const char* p : {"Anna", "Bob"})
            for (const int g : {SmallGame, DoubleGame}) {
                play("W", g, p, 5);
                log(g, p);
            }
        // A line whose game field is no number belongs to no game: only player scopes take it.
        std::string stray = formatLogLine({{}, 1, 3, "Small", "Bob", true, 1, 0, "1"}, ':');
        stray.replace(25, 4, "xx01");
        std::vector<std::string> lines = logLines();
        lines.push_back(stray);
        saveLines(m_files.logPath(), lines, m_ports.messages);

        ASSERT_TRUE(fnClearStatistics(m_files, m_store, c.gameId, c.player));
        for (const char* p : {"Anna", "Bob"})
            for (const int g : {SmallGame, DoubleGame}) {
                const std::string name = std::string(p) + "/" + std::to_string(g);
                const bool kept = std::find(c.kept.begin(), c.kept.end(), name) != c.kept.end();
                EXPECT_EQ(record(p, g).won, kept ? 1 : 0) << name << " scope " << c.gameId << c.player;
            }
        EXPECT_EQ(logLines().size(), c.logLinesKept) << "scope " << c.gameId << c.player;
    }
    EXPECT_TRUE(boxTexts().empty());
}

TEST_F(StatisticsTest, ClearingOnePlayerAddsEmptyRecordsWhereHeHadNone)
{
    play("W", SmallGame, "Bob");
    play("W", DoubleGame, "Anna");
    ASSERT_TRUE(fnClearStatistics(m_files, m_store, AllGames, "Anna"));
    EXPECT_EQ(fnSectionReadValue(m_files.statPath(), "0001", "Anna", "none").value, EmptyStatRecord);
    EXPECT_EQ(fnSectionReadValue(m_files.statPath(), "0002", "Anna", "none").value, EmptyStatRecord);
    EXPECT_EQ(fnSectionReadValue(m_files.statPath(), "Version", "Anna", "none").value, "none");
    EXPECT_EQ(record("Bob").won, 1);
}

TEST_F(StatisticsTest, RenamingMovesOnlyThatPlayersData)
{
    play("WW", SmallGame, "Bob");
    play("L", SmallGame, "Bob1");
    log(SmallGame, "Bob");
    log(SmallGame, "Bob1");
    put("STAT_SCR.DAT", "[Version]\r\nVersion=0300\r\n\r\n[0001]\r\n01-01="
                            + formatHiScoreLine({40, 10, {}, "Bob", "1", true}, ':') + "\r\n01-02="
                            + formatHiScoreLine({30, 10, {}, "Bob1", "2", true}, ':') + "\r\n");

    ASSERT_TRUE(fnRenamePlayerData(m_files, "Bob  ", "Robert"));
    EXPECT_EQ(record("Robert").won, 2);
    EXPECT_EQ(record("Bob").won, 0);
    EXPECT_EQ(record("Bob1").lost, 1);
    EXPECT_EQ(logLinePlayer(logLines()[0]), "Robert");
    EXPECT_EQ(logLinePlayer(logLines()[1]), "Bob1");
    const std::string scores = read("STAT_SCR.DAT");
    EXPECT_NE(scores.find(fnPadRight("Robert", 30)), std::string::npos);
    EXPECT_NE(scores.find(fnPadRight("Bob1", 30)), std::string::npos);
    EXPECT_EQ(scores.find(fnPadRight("Bob", 30)), std::string::npos);
}

// A damaged record counts from zero where it fails; the file keeps its other records, and the
// damage is told once however often the file is read.
TEST_F(StatisticsTest, DamagedRecordIsReportedOnceAndTheFileKept)
{
    const std::string damaged = "[Version]\r\nVersion=0300\r\n\r\n[0001]\r\n"
                                "Anna=000004 0x0002 000003 000001 000001 000000 000000000000 000000000000\r\n"
                                "Bob=000007 000001 000002 000001 000001 000000 000000000070 000000000000\r\n";
    put("STAT.DAT", damaged);
    const StatRecord anna = record("Anna");
    EXPECT_EQ(anna.won, 4);
    EXPECT_EQ(anna.lost, 0);
    EXPECT_EQ(anna.longestWon, 0);
    EXPECT_EQ(read("STAT.DAT"), damaged);

    play("W", SmallGame, "Bob");
    play("W", SmallGame, "Bob");
    EXPECT_EQ(record("Bob").won, 9);
    EXPECT_EQ(boxTexts().size(), 1u);
    EXPECT_NE(boxTexts()[0].find("is damaged"), std::string::npos);
    EXPECT_NE(read("STAT.DAT").find("Anna=000004 0x0002"), std::string::npos);
}

TEST_F(StatisticsTest, SectionTwiceIsReportedAndTheFirstOneUsed)
{
    put("STAT.DAT", "[Version]\r\nVersion=0300\r\n\r\n[0001]\r\nAnna=" + std::string(EmptyStatRecord)
                        + "\r\n\r\n[0001]\r\nAnna=" + formatStatRecord({5, 0, 5, 0, 5, 0, 0}) + "\r\n");
    play("W", SmallGame, "Anna");
    EXPECT_EQ(record("Anna").won, 1);
    ASSERT_EQ(boxTexts().size(), 1u);
    EXPECT_NE(boxTexts()[0].find("[0001] is there twice"), std::string::npos);
}

} // namespace
} // namespace kst
