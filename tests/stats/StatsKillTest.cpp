// A process recording games is killed at many moments of its writes; every file it leaves must
// read back whole: each write is either a same-width overwrite in place or a safe replace, so a
// kill leaves the old record or the new one and never a torn file.

#include "stats/HiScores.h"
#include "stats/OverallScore.h"
#include "stats/Statistics.h"
#include "stats/StatsRecorder.h"
#include "storage/SectionFile.h"
#include "tests/stats/StatsFixture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace kst {
namespace {

using test::DoubleGame;
using test::SmallGame;

constexpr int Kills = 80;
constexpr int GamesPerWriter = 40;   // a writer that was not killed stops after these
constexpr int LongestDelayUs = 25000; // kills land from the first write to well into the run
constexpr int DelayStepUs = 7919;     // a prime: the delays spread over the whole range

class StatsKillTest : public test::StatsFixture {
protected:
    // The child: records game after game into the folder until killed.
    [[noreturn]] void writer(int round)
    {
        test::TestPorts ports;
        StatsFiles files(m_dir.path().string(),
                         StatsPorts{ports.messages, ports.pointer, ports.clock, ports.random, LocaleFormat{}});
        SessionStore store;
        store.fnStoreSet(Fld::GameId, "0001");
        StatsRecorder recorder(files, store, m_catalogue);
        const char* players[] = {"Player 1", "Anna"};
        for (int i = 0; i < GamesPerWriter; ++i) {
            GameResult r;
            r.gameId = i % 3 ? SmallGame : DoubleGame;
            r.gameName = "Small";
            r.player = players[(i + round) % 2];
            r.won = (i + round) % 3 != 0;
            r.score = (i * 37 + round) % 300;
            r.seconds = 10 + i;
            recorder.record(r);
        }
        _exit(0);
    }

    // Total games in the records of STAT.DAT.
    long long recordedGames()
    {
        long long games = 0;
        for (const std::string& section : fnSectionNames(m_files.statPath()))
            for (const std::string& line : fnSectionReadLines(m_files.statPath(), section))
                if (section != "Version") {
                    const StatRecordRead r = parseStatRecord(line.substr(line.find('=') + 1));
                    games += r.record.won + r.record.lost;
                }
        return games;
    }
};

TEST_F(StatsKillTest, KilledWriterLeavesEveryFileWhole)
{
    for (int round = 0; round < Kills; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            writer(round);
        usleep(useconds_t((round * DelayStepUs) % LongestDelayUs));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);

        SCOPED_TRACE("round " + std::to_string(round));
        EXPECT_EQ(statFileDamage(m_files.statPath()), "");
        EXPECT_EQ(scoresFileDamage(m_files.scoresPath()), "");
        const LinesRead log = loadLines(m_files.logPath());
        EXPECT_EQ(logDamage(log.lines), "");
        // The log line is written first: a kill may fall between it and the statistics.
        const long long missing = (long long)log.lines.size() - recordedGames();
        EXPECT_TRUE(missing == 0 || missing == 1) << missing;
        for (const int game : {SmallGame, DoubleGame})
            for (const std::string& line : fnReadHiScores(m_files, m_catalogue, game, 1, false))
                EXPECT_TRUE(line.empty() || line.size() == std::size_t(HiScoreLineWidth)) << line;
        fnReadOverall(m_files);
        EXPECT_TRUE(boxTexts().empty()) << boxTexts().front();
        if (HasFailure())
            break;
        // The next round counts from what this one left.
        if (missing == 1) {
            std::vector<std::string> lines = log.lines;
            lines.pop_back();
            saveLines(m_files.logPath(), lines, m_ports.messages);
        }
    }
}

} // namespace
} // namespace kst
