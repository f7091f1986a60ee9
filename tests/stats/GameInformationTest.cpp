#include "stats/GameInformation.h"

#include "engine/Game.h"
#include "stats/HiScores.h"
#include "stats/Statistics.h"
#include "storage/SectionFile.h"
#include "tests/stats/StatsFixture.h"

namespace kst {
namespace {

using test::CustomGame;
using test::DoubleGame;
using test::SmallGame;

class GameInformationTest : public test::StatsFixture {
protected:
    GameInformation info(int gameId, const std::string& player = "Anna")
    {
        return fnGameInformation(m_files, m_store, m_catalogue, gameId, player);
    }
};

TEST_F(GameInformationTest, AGameNeverPlayed)
{
    const GameInformation never = info(SmallGame);
    EXPECT_EQ(never.played + never.won + never.lost, 0);
    EXPECT_EQ(never.chance, "");
    // Its table holds the placeholders, the first of which is shown.
    EXPECT_EQ(never.player.rfind("* ", 0), 0u) << never.player;
}

TEST_F(GameInformationTest, TotalsAndTheBestResult)
{
    for (const bool won : {true, false, true})
        fnRecordResult(m_files, m_store, DoubleGame, "Anna", won, 10);
    fnRecordResult(m_files, m_store, DoubleGame, "Bob", false, 10);
    fnEnterHiScore(m_files, m_catalogue, DoubleGame, StandardScoring,
                   HiScoreEntry{9999, 300, {2026, 12, 1, 10, 0, 0, 0}, "Bob", "1234567890123", true});
    const GameInformation played = info(DoubleGame);
    EXPECT_EQ(played.played, 3);
    EXPECT_EQ(played.won, 2);
    EXPECT_EQ(played.lost, 1);
    EXPECT_EQ(played.points, "9999");
    EXPECT_EQ(played.time, "0:05:00");
    EXPECT_EQ(played.date, "20261201");
    EXPECT_EQ(played.player, "Bob");
}

// A first place that cannot be read shows what was read before the fault.
TEST_F(GameInformationTest, ADamagedFirstPlace)
{
    fnEnterHiScore(m_files, m_catalogue, SmallGame, StandardScoring,
                   HiScoreEntry{500, 3725, {2026, 12, 1, 10, 0, 0, 0}, "Anna", "1234567890123", true});
    std::string line = fnReadHiScores(m_files, m_catalogue, SmallGame, StandardScoring).front();
    line.replace(7, 6, "12x456"); // the time
    ASSERT_TRUE(fnSectionWriteValue(m_files.scoresPath(), gameSection(SmallGame), "01-01", line, m_ports.messages));
    const GameInformation damaged = info(SmallGame);
    EXPECT_EQ(damaged.points, "500");
    EXPECT_EQ(damaged.time, "");
    EXPECT_EQ(damaged.player, "");
}

// The odds come from the catalogue, a customized game's from its base game.
TEST_F(GameInformationTest, TheChanceOfWinning)
{
    put("GAMES.DAT", test::joinLines(test::catalogueLines({{5, SmallGame, "Small"}, {5, DoubleGame, "Double"}},
                                                          [](int index, int column) {
                                                              if (index == Rule::DeckSize)
                                                                  return column == 0 ? 52 : 104;
                                                              if (index == Rule::OddsWon)
                                                                  return column == 0 ? 0 : 3;
                                                              if (index == Rule::OddsPlayed)
                                                                  return 10;
                                                              return 0;
                                                          })));
    ASSERT_TRUE(m_catalogue.load(m_dir.file("GAMES.DAT")).ok);
    EXPECT_EQ(info(DoubleGame).chance, "about 3 in 10");
    EXPECT_EQ(info(CustomGame).chance, "about 3 in 10");
    EXPECT_EQ(info(SmallGame).chance, ""); // no odds where either figure is 0
}

} // namespace
} // namespace kst
