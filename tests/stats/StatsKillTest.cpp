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

#include <chrono>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace kst {
namespace {

using test::DoubleGame;
using test::SmallGame;

constexpr int Kills = 150;
constexpr int GamesPerWriter = 20; // a writer that was not killed stops after these

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
    // A whole run first, to learn how long one takes; the kills then fall at even steps over it,
    // from before the first write to after the last.
    const auto started = std::chrono::steady_clock::now();
    const pid_t whole = fork();
    ASSERT_GE(whole, 0);
    if (whole == 0)
        writer(Kills);
    int status = 0;
    ASSERT_EQ(waitpid(whole, &status, 0), whole);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const auto runUs = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - started);

    // Every round starts from the files of that run, so that each takes as long.
    const char* const names[] = {"STAT.DAT", "STAT_LOG.DAT", "STAT_SCR.DAT", "STAT_GLO.DAT"};
    std::vector<std::string> start;
    for (const char* name : names)
        start.push_back(read(name));

    for (int round = 0; round < Kills; ++round) {
        for (std::size_t f = 0; f < std::size(names); ++f)
            put(names[f], start[f]);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            writer(round);
        usleep(useconds_t(runUs.count() * round / Kills));
        kill(child, SIGKILL);
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
    }
}

} // namespace
} // namespace kst
