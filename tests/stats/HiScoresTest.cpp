#include "stats/HiScores.h"

#include "stats/OverallScore.h"
#include "storage/SectionFile.h"
#include "tests/stats/StatsFixture.h"

#include <gtest/gtest.h>

namespace kst {
namespace {

using test::CustomGame;
using test::DoubleGame;
using test::SmallGame;

constexpr int Standard = 1; // the scoring system "01"

class HiScoresTest : public test::StatsFixture {
protected:
    int enter(int score, long seconds, const std::string& player = "Player 1", int gameId = SmallGame)
    {
        return fnEnterHiScore(m_files, m_catalogue, gameId, Standard,
                              HiScoreEntry{score, seconds, {2026, 12, 11, 10, 0, 0, 0}, player, "0000000000042", true});
    }
    std::vector<std::string> table(int gameId = SmallGame)
    {
        return fnReadHiScores(m_files, m_catalogue, gameId, Standard);
    }
    static std::vector<long long> scores(const std::vector<std::string>& lines)
    {
        std::vector<long long> out;
        for (const std::string& line : lines)
            out.push_back(splitHiScoreLine(line).score.value_or(-1));
        return out;
    }
};

TEST_F(HiScoresTest, PlaceholdersAreScaledToTheDeck)
{
    const std::vector<long long> small{52, 45, 40, 30, 25, 20, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2};
    EXPECT_EQ(scores(table(SmallGame)), small);
    const std::vector<std::string> lines = table(DoubleGame);
    EXPECT_EQ(scores(lines).front(), 104);
    EXPECT_EQ(scores(lines).back(), 4);
    // A customized game takes the deck of the game it is based on.
    EXPECT_EQ(scores(table(CustomGame)).front(), 104);
    for (const std::string& line : table(SmallGame)) {
        const HiScoreFields f = splitHiScoreLine(line);
        ASSERT_EQ(line.size(), 85u);
        EXPECT_EQ(*f.seconds, *f.score * 5);
        EXPECT_EQ(f.result, "Won ");
        EXPECT_EQ(f.player.substr(0, 2), "* ");
        EXPECT_EQ(f.date, "20261211");
        EXPECT_EQ(f.number, "000000000000000");
    }
    // Written once: a second reading finds the same table in the file.
    EXPECT_EQ(fnSectionReadValue(m_files.scoresPath(), "0001", "01-20", "").value, table(SmallGame)[19]);
}

TEST_F(HiScoresTest, ResultRanksAfterEqualScoresAndTimes)
{
    // Rank 3 of the placeholders is 40 points in 200 seconds.
    EXPECT_EQ(enter(40, 200), 3);
    EXPECT_EQ(enter(40, 199), 2);
    EXPECT_EQ(enter(53, 999), 0);
    const std::vector<std::string> lines = table();
    EXPECT_EQ(scores(lines), (std::vector<long long>{53, 52, 45, 40, 40, 40, 30, 25, 20, 15, 14, 13, 12, 11, 10, 9, 8,
                                                     7, 6, 5}));
    EXPECT_EQ(fnTrimRight(splitHiScoreLine(lines[3]).player), "Player 1");
    EXPECT_EQ(fnTrimRight(splitHiScoreLine(lines[4]).player), "* Carla");
    EXPECT_EQ(fnTrimRight(splitHiScoreLine(lines[5]).player), "Player 1");
}

TEST_F(HiScoresTest, ResultBelowTheTableChangesNothingButTheOverallScore)
{
    table();
    const std::string before = read("STAT_SCR.DAT");
    EXPECT_EQ(enter(1, 10), -1);
    EXPECT_EQ(read("STAT_SCR.DAT"), before);
    const std::vector<OverallEntry> overall = fnReadOverall(m_files);
    ASSERT_EQ(overall.size(), 1u);
    EXPECT_EQ(overall[0].score, 1);
}

TEST_F(HiScoresTest, AfterClearingTablesFillFromEmpty)
{
    enter(30, 100);
    m_ports.messages.queueAnswer(Answer::Yes);
    ASSERT_TRUE(fnClearHiScores(m_files, true));
    EXPECT_FALSE(exists("STAT_GLO.DAT"));
    for (const std::string& line : table())
        EXPECT_TRUE(hiScoreLineEmpty(line));
    EXPECT_EQ(enter(-20, 100), 0);
    EXPECT_EQ(scores(table()).front(), -20);
    EXPECT_TRUE(hiScoreLineEmpty(table()[1]));

    m_ports.messages.queueAnswer(Answer::No);
    EXPECT_FALSE(fnClearHiScores(m_files, true));
    EXPECT_EQ(scores(table()).front(), -20);
}

TEST_F(HiScoresTest, FieldThatIsNoNumberRanksAsTheLineAboveIt)
{
    std::string line = table()[1];
    line.replace(0, 6, "0x0045"); // reads as rank 1's 52 points
    line.replace(7, 6, "000300");
    ASSERT_TRUE(fnSectionWriteValue(m_files.scoresPath(), "0001", "01-02", line, m_ports.messages));
    // 50 points stay below the damaged line (52) and enter above rank 3 (40); read as a blank
    // score the damaged line would have fallen below them.
    EXPECT_EQ(enter(50, 10), 2);
}

TEST_F(HiScoresTest, DamagedLinesAreReportedOnceAndMadeWholeWhenTheTableChanges)
{
    put("STAT_SCR.DAT", "[Version]\r\nVersion=0300\r\n\r\n[0001]\r\n01-01=000090 000010 20261211 10:00:00 Anna\r\n");
    EXPECT_EQ(enter(80, 10), 1);
    EXPECT_EQ(enter(70, 10), 2);
    ASSERT_EQ(boxTexts().size(), 1u);
    EXPECT_NE(boxTexts()[0].find("wrong width"), std::string::npos);
    const std::vector<std::string> lines = table();
    EXPECT_EQ(fnTrimRight(splitHiScoreLine(lines[0]).player), "Anna");
    for (const std::string& l : lines)
        EXPECT_EQ(l.size(), 85u);
}

TEST_F(HiScoresTest, EmptiedTableHoldsBlankPlaces)
{
    enter(30, 100);
    fnEmptyHiScores(m_files, SmallGame, Standard);
    for (const std::string& line : fnReadHiScores(m_files, m_catalogue, SmallGame, Standard, false))
        EXPECT_EQ(line, std::string(84, ' ') + "x");
}

TEST_F(HiScoresTest, CongratulationNamesTheGame)
{
    EXPECT_EQ(newHiScoreCaption("Small   "), "Congratulations! Your score has made the Small Hi-Scores list!");
}

} // namespace
} // namespace kst
