#include "stats/Players.h"

#include "stats/HiScores.h"
#include "stats/Statistics.h"
#include "tests/stats/StatsFixture.h"

#include <gtest/gtest.h>

namespace kst {
namespace {

using test::SmallGame;

class PlayersTest : public test::StatsFixture {
protected:
    PlayersTest()
    {
        for (int slot = 1; slot <= 3; ++slot)
            m_config.writeText("Users", "User00" + std::to_string(slot), "Player " + std::to_string(4 - slot));
    }
    ProfileFile m_config{m_dir.file("CFG.DAT")};
};

TEST_F(PlayersTest, NamesThatWouldBreakAFileAreRefused)
{
    const struct {
        std::string name;
        bool accepted;
    } cases[] = {
        {"Anna", true},
        {"Jean-Luc de la Tour d'Auvergne", true}, // 30 characters
        {"", false},
        {"   ", false},
        {"Jean-Luc de la Tour d'Auvergnes", false},
        {"a=b", false},
        {"[0001]", false},
        {"x]", false},
        {"two\r\nlines", false},
        {"tab\there", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(playerNameProblem(c.name).empty(), c.accepted) << c.name;
}

TEST_F(PlayersTest, AddingComparesNamesWithoutTrailingBlanksAndWithCase)
{
    PlayerList list(m_config, m_store);
    EXPECT_EQ(list.names(), (std::vector<std::string>{"Player 1", "Player 2", "Player 3"}));
    EXPECT_EQ(list.add("Player 1  "), "This player name already exists.");
    EXPECT_EQ(list.add("player 1"), "");
    EXPECT_EQ(list.add(""), "Please enter at least 1 character.");
    EXPECT_TRUE(list.changed());
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(list.add("More " + std::to_string(i)), "");
    EXPECT_NE(list.add("The 21st"), "");
    EXPECT_EQ(list.names().size(), 20u);
}

TEST_F(PlayersTest, RenamingTheCurrentPlayerCarriesHisRecordsAndKeepsHimCurrent)
{
    fnRecordResult(m_files, m_store, SmallGame, "Player 1", true, 30);
    PlayerList list(m_config, m_store);
    EXPECT_EQ(list.rename("Player 1", "Player 2", m_files), "This player name already exists.");
    EXPECT_EQ(list.rename("Player 1", "Anna", m_files), "");
    EXPECT_EQ(list.openingPlayer(), "Anna");
    EXPECT_EQ(list.names(), (std::vector<std::string>{"Anna", "Player 2", "Player 3"}));
    EXPECT_EQ(fnReadStatistics(m_files, m_store, SmallGame, "Anna").record.won, 1);

    list.save(list.openingPlayer(), m_config, m_store);
    EXPECT_EQ(m_store.fnStoreGet(Fld::UserDefault), "Anna");
    EXPECT_EQ(m_config.readText("Preference", "UserDefault", ""), "Anna");
    EXPECT_EQ(fnPlayerList(m_config), list.names());
}

TEST_F(PlayersTest, DeletingClearsStatisticsButNotHiScoresAndTheCurrentPlayerStays)
{
    fnRecordResult(m_files, m_store, SmallGame, "Player 2", true, 30);
    fnEnterHiScore(m_files, m_catalogue, SmallGame, 1, {99, 10, {}, "Player 2", "1", true});
    PlayerList list(m_config, m_store);
    EXPECT_EQ(list.remove("Player 1", m_store, m_files), "It is impossible to delete the selected player.");
    EXPECT_EQ(list.remove("Player 2", m_store, m_files), "");
    EXPECT_EQ(fnReadStatistics(m_files, m_store, SmallGame, "Player 2").record.won, 0);
    EXPECT_EQ(fnTrimRight(splitHiScoreLine(fnReadHiScores(m_files, m_catalogue, SmallGame, 1)[0]).player), "Player 2");

    // Slots beyond the shortened list are written empty.
    list.save("Player 1", m_config, m_store);
    EXPECT_EQ(m_config.readText("Users", "User003", "x"), "");
    EXPECT_EQ(fnPlayerList(m_config), (std::vector<std::string>{"Player 1", "Player 3"}));
}

TEST_F(PlayersTest, GameListHoldsCatalogueAndCustomizedGamesSorted)
{
    EXPECT_EQ(fnGameList(m_catalogue, m_dir.file("GAM_CUST.DAT")),
              (std::vector<std::string>{"Double", "My Double", "Small"}));
}

} // namespace
} // namespace kst
