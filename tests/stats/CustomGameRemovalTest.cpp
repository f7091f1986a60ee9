#include "stats/CustomGameRemoval.h"

#include "engine/Game.h"
#include "stats/HiScores.h"
#include "stats/Statistics.h"
#include "storage/CustomGames.h"
#include "storage/Favourites.h"
#include "tests/stats/StatsFixture.h"

namespace kst {
namespace {

using test::CustomGame;
using test::DoubleGame;
using test::SmallGame;

class CustomGameRemovalTest : public test::StatsFixture {
protected:
    void play(int gameId, const char* name, const std::string& player, bool won)
    {
        fnRecordResult(m_files, m_store, gameId, player, won, 40);
        fnLogGame(m_files, LogEntry{{2026, 12, 11, 10, 0, 0, 0}, 300, gameId, name, player, won, StandardScoring, 40,
                                    "1234567890123"});
    }

    ProfileFile m_config{m_dir.file("CFG.DAT")};
};

TEST_F(CustomGameRemovalTest, EverythingKeptOfTheGameGoes)
{
    play(CustomGame, "My Double", "Anna", true);
    play(CustomGame, "My Double", "Bob", false);
    play(DoubleGame, "Double", "Anna", true);
    fnEnterHiScore(m_files, m_catalogue, CustomGame, StandardScoring,
                   HiScoreEntry{40, 300, {2026, 12, 11, 10, 0, 0, 0}, "Anna", "1234567890123", true});
    ASSERT_TRUE(writeFavourites(m_config, {"Small", "Double", "My Double", "Other", "Last"}));
    m_store.fnStoreSet(Fld::SessionWon, "0003");

    // The game left while it is deleted records one more result, cleared with the rest.
    bool left = false;
    ASSERT_TRUE(removeCustomGameData(m_files, m_store, m_config, m_dir.file("GAM_CUST.DAT"), CustomGame, [&] {
        left = true;
        EXPECT_EQ(fnCustomGameName(m_dir.file("GAM_CUST.DAT"), CustomGame), "");
        play(CustomGame, "My Double", "Cy", false);
    }));
    EXPECT_TRUE(left);

    EXPECT_EQ(fnCustomGameName(m_dir.file("GAM_CUST.DAT"), CustomGame), "");
    EXPECT_EQ(readFavourites(m_config), (std::vector<std::string>{"Small", "Double", "Other", "Last"}));
    for (const char* player : {"Anna", "Bob", "Cy"}) {
        const StatRecord record = fnReadStatistics(m_files, m_store, CustomGame, player).record;
        EXPECT_EQ(record.won + record.lost + record.totalScore + record.longestWon + record.longestLost, 0) << player;
    }
    EXPECT_EQ(fnReadStatistics(m_files, m_store, DoubleGame, "Anna").record.won, 1);
    const std::string log = read("STAT_LOG.DAT");
    EXPECT_EQ(log.find("My Double"), std::string::npos);
    EXPECT_NE(log.find("Double"), std::string::npos);
    for (const std::string& line : fnReadHiScores(m_files, m_catalogue, CustomGame, StandardScoring, false))
        EXPECT_TRUE(splitHiScoreLine(line).blank) << line;
    EXPECT_EQ(m_store.fnStoreGet(Fld::SessionWon), "0000");
}

// A record that cannot be removed keeps everything else as it was.
TEST_F(CustomGameRemovalTest, NothingIsClearedForAGameThatStays)
{
    play(CustomGame, "My Double", "Anna", true);
    const std::string stats = read("STAT.DAT");
    EXPECT_FALSE(removeCustomGameData(m_files, m_store, m_config, m_dir.file("GAM_CUST.DAT"), 8001,
                                      [] { ADD_FAILURE() << "no game to leave"; }));
    EXPECT_EQ(read("STAT.DAT"), stats);
    EXPECT_EQ(fnReadStatistics(m_files, m_store, CustomGame, "Anna").record.won, 1);
    EXPECT_EQ(boxTexts().size(), 1u);
}

} // namespace
} // namespace kst
