// kestrane-cli stats, hiscores and overall on a data folder filled by play --record: a lost game,
// a won one, the formats of CLI.md, and a damaged file (their bad input is in CliTest).

#include "stats/Records.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

namespace kst {
namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class StatsVerbsTest : public ::testing::Test {
protected:
    CliRun cli(const std::string& args, const std::string& input = {}) const
    {
        m_tmp.write("in", input);
        const std::string command = "'" KST_CLI_PATH "' --program-dir '" KST_PROGRAM_DIR "' --data-dir '"
            + m_tmp.file("data") + "' " + args + " <'" + m_tmp.file("in") + "' >'" + m_tmp.file("out") + "' 2>'"
            + m_tmp.file("err") + "'";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, m_tmp.read("out"), m_tmp.read("err")};
    }

    test::TempDir m_tmp{"cli-stats"};
};

TEST_F(StatsVerbsTest, RecordedGamesArePrintedAsStored)
{
    // Nothing recorded yet: zeros, no table, no ranking.
    EXPECT_EQ(cli("stats Freecell").out, "Won=0\nLost=0\nLongestWinningStreak=0\nLongestLosingStreak=0\n"
                                         "CurrentWinningStreak=0\nCurrentLosingStreak=0\nTotalScore=0\n");
    EXPECT_EQ(cli("hiscores 1").out, "");
    EXPECT_EQ(cli("overall").out, "");

    // A game left after one move, then the winning line of deal 3.
    ASSERT_EQ(cli("play 1 617 --record", "stock\n").status, 0);
    const std::string win = test::TempDir::readFile(KST_SOURCE_DIR "/tests/tools/data/freecell-3.play");
    const CliRun won = cli("play 1 3 --record", win);
    ASSERT_EQ(won.status, 0) << won.err;
    ASSERT_NE(won.out.find("Won=Y"), std::string::npos);

    const CliRun stats = cli("stats 1 --player 'Player 1'");
    EXPECT_EQ(stats.out, "Won=1\nLost=1\nLongestWinningStreak=1\nLongestLosingStreak=1\n"
                         "CurrentWinningStreak=1\nCurrentLosingStreak=0\nTotalScore=156\n");
    EXPECT_EQ(cli("stats 1 --player Nobody").out.substr(0, 12), "Won=0\nLost=0");

    // The win heads the placeholders; the lost game's -52 is below all of them.
    const CliRun table = cli("hiscores Freecell");
    ASSERT_EQ(table.status, 0) << table.err;
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < table.out.size();) {
        const std::size_t end = table.out.find('\n', at);
        lines.push_back(table.out.substr(at, end - at));
        at = end + 1;
    }
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_TRUE(lines[0].starts_with("1\t208\t")) << lines[0];
    EXPECT_TRUE(lines[0].ends_with("\tPlayer 1\t0000000000003\tWon")) << lines[0];
    EXPECT_TRUE(lines[1].starts_with("2\t52\t260\t")) << lines[1];
    EXPECT_TRUE(lines[1].ends_with("\t* Alice\t000000000000000\tWon")) << lines[1];

    const CliRun overall = cli("overall");
    EXPECT_TRUE(overall.out.starts_with("Player 1\t208\t")) << overall.out;
    EXPECT_EQ(std::count(overall.out.begin(), overall.out.end(), '\n'), 1);
    EXPECT_EQ(overall.err, "");
}

TEST_F(StatsVerbsTest, DamagedFileIsReadAsFarAsItCanAndReported)
{
    m_tmp.write("data/STAT.DAT", "[Version]\r\nVersion=0300\r\n\r\n[0001]\r\nPlayer 1=000003 00x001\r\n");
    const CliRun r = cli("stats 1");
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.starts_with("Won=3\nLost=0\n")) << r.out;
    EXPECT_NE(r.err.find("kestrane-cli: warning: The file "), std::string::npos) << r.err;
    EXPECT_EQ(m_tmp.read("data/STAT.DAT"), "[Version]\r\nVersion=0300\r\n\r\n[0001]\r\nPlayer 1=000003 00x001\r\n");
}

} // namespace
} // namespace kst
