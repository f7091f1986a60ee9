#include "stats/StatsRecorder.h"

#include "stats/HiScores.h"
#include "stats/OverallScore.h"
#include "stats/Statistics.h"
#include "storage/SectionFile.h"
#include "tests/support/ShippedGames.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace kst {
namespace {

constexpr int Freecell = 1;

// A session on the shipped catalogue recording into a DATA folder of its own.
class StatsRecorderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_store.fnStoreSet(Fld::UserDefault, "Player 1");
        m_store.fnStoreSet(Fld::ConfirmQuitGame, "N");
        m_store.fnStoreSet(Fld::ScoringSystem, "01");
        m_store.fnStoreSet(Fld::GameNumber, "1234567");
        m_ports.clock.setNow({2026, 12, 11, 9, 30, 0, 0});
        m_session.setRecorder(&m_recorder);
        m_recorder.setNewHiScore([this](int gameId, int rank, const std::string& caption) {
            m_congratulated.push_back({gameId, rank, caption});
        });
        ASSERT_TRUE(m_session.startGame(Freecell, test::shippedCatalogue().gameName(Freecell), "Player 1",
                                        KeepNumber, false));
    }

    void firstMove()
    {
        const std::vector<Move> moves = legalMoves(m_session.game());
        ASSERT_FALSE(moves.empty());
        ASSERT_TRUE(m_session.play(moves.front(), MoveOrigin::Dragged));
    }

    struct Congratulation {
        int gameId;
        int rank;
        std::string caption;
    };

    test::TestPorts m_ports;
    test::TempDir m_data{"recorder"};
    SessionStore m_store{KST_PROGRAM_DIR};
    GameSession m_session{m_store, test::shippedCatalogue(),
                          SessionPorts{m_ports.messages, m_ports.clock, m_ports.random, m_ports.sound}};
    StatsFiles m_files{m_data.path().string(),
                       StatsPorts{m_ports.messages, m_ports.pointer, m_ports.clock, m_ports.random, LocaleFormat{}}};
    StatsRecorder m_recorder{m_files, m_store, test::shippedCatalogue()};
    std::vector<Congratulation> m_congratulated;
};

TEST_F(StatsRecorderTest, GameAbandonedAfterItsFirstMoveIsRecordedLostEverywhere)
{
    firstMove();
    const int score = m_session.game().score;
    m_session.closeGame();

    const StatRecord r = fnReadStatistics(m_files, m_store, Freecell, "Player 1").record;
    EXPECT_EQ(r.lost, 1);
    EXPECT_EQ(r.currentLost, 1);
    EXPECT_EQ(r.totalScore, score);
    const std::vector<std::string> log = loadLines(m_files.logPath()).lines;
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].substr(0, 17), "20261211 09:30:00");
    EXPECT_EQ(logLineGame(log[0]), Freecell);
    EXPECT_EQ(log[0].substr(112, 5), "Lost ");
    EXPECT_EQ(log[0].substr(127, 15), "0000001234567  ");
    // A negative score enters none of the placeholders and counts for no overall score.
    EXPECT_LT(score, 0);
    EXPECT_TRUE(m_congratulated.empty());
    EXPECT_FALSE(hiScoreLineEmpty(fnReadHiScores(m_files, test::shippedCatalogue(), Freecell, 1, false)[0]));
    EXPECT_TRUE(fnReadOverall(m_files).empty());
    EXPECT_TRUE(m_ports.messages.shown().empty());
}

TEST_F(StatsRecorderTest, RestartRecordsTheGameAndTheRestartedOneCountsAgain)
{
    firstMove();
    ASSERT_TRUE(m_session.restart());
    m_session.closeGame();
    EXPECT_EQ(fnReadStatistics(m_files, m_store, Freecell, "Player 1").record.lost, 2);
    EXPECT_EQ(loadLines(m_files.logPath()).lines.size(), 2u);
    EXPECT_EQ(m_store.fnStoreGet(Fld::SessionLost), "0002");
}

TEST_F(StatsRecorderTest, ResultThatMakesTheTableIsCongratulatedUnlessSwitchedOff)
{
    fnClearHiScores(m_files, false); // empty tables: any result makes them
    m_session.closeGame();
    ASSERT_EQ(m_congratulated.size(), 1u);
    EXPECT_EQ(m_congratulated[0].rank, 0);
    EXPECT_EQ(m_congratulated[0].caption,
              "Congratulations! Your score has made the " + test::shippedCatalogue().gameName(Freecell)
                  + " Hi-Scores list!");

    m_store.fnStoreSet(Fld::ConfirmEnterHiScores, "N");
    ASSERT_TRUE(m_session.startGame(Freecell, test::shippedCatalogue().gameName(Freecell), "Player 1", KeepNumber, false));
    m_session.closeGame();
    EXPECT_EQ(m_congratulated.size(), 1u);
    EXPECT_FALSE(hiScoreLineEmpty(fnReadHiScores(m_files, test::shippedCatalogue(), Freecell, 1)[1]));
}

TEST_F(StatsRecorderTest, PlayerNameThatWouldBreakTheFilesIsNotRecorded)
{
    m_store.fnStoreSet(Fld::UserDefault, "[0001]");
    m_session.closeGame();
    ASSERT_TRUE(m_session.startGame(Freecell, test::shippedCatalogue().gameName(Freecell), "[0001]", KeepNumber, false));
    m_session.closeGame();
    EXPECT_FALSE(std::filesystem::exists(m_files.statPath()));
    EXPECT_FALSE(std::filesystem::exists(m_files.logPath()));
    EXPECT_EQ(m_ports.messages.shown().size(), 1u);
}

} // namespace
} // namespace kst
