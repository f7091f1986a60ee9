// Every reader and writer of the statistics files on damaged copies of real files: truncated,
// bytes changed, lines cut or joined, sections doubled, records too long. None may crash; the
// readers must leave the files as they found them, and a damaged overall-score file is never lost.
// KST_FUZZ_CASES sets the number of cases (a longer run under the sanitizers).

#include "stats/HiScores.h"
#include "stats/OverallScore.h"
#include "stats/Statistics.h"
#include "stats/StatsRecorder.h"
#include "storage/SectionFile.h"
#include "tests/stats/StatsFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace kst {
namespace {

using test::DoubleGame;
using test::SmallGame;

constexpr int DefaultCases = 2000;
const char* const FileNames[] = {"STAT.DAT", "STAT_LOG.DAT", "STAT_SCR.DAT", "STAT_GLO.DAT"};

int fuzzCases()
{
    const char* text = std::getenv("KST_FUZZ_CASES");
    const long n = text ? numberOr(text, DefaultCases) : DefaultCases;
    return n > 0 ? int(n) : DefaultCases;
}

// One kind of damage done to the bytes at random places.
std::string damaged(std::string bytes, std::mt19937& random)
{
    const auto at = [&](std::size_t size) { return size == 0 ? 0 : std::size_t(random() % (size + 1)); };
    const std::string pieces[] = {"[0001]\r\n", "\r\n", "=", "[", "]", "\r", "\n", "[Version]\r\n", "Player 1=",
                                  "01-01=", std::string(1000, '7'), std::string(1, '\0'), "-", "T01="};
    switch (random() % 7) {
    case 0: bytes.resize(at(bytes.size())); break; // truncated
    case 1:
        for (int n = 1 + int(random() % 8); n > 0 && !bytes.empty(); --n)
            bytes[random() % bytes.size()] = char(random() % 256);
        break;
    case 2: {
        const std::string& piece = pieces[random() % std::size(pieces)];
        bytes.insert(at(bytes.size()), piece);
        break;
    }
    case 3: {
        const std::size_t from = at(bytes.size());
        bytes.erase(from, random() % 200);
        break;
    }
    case 4: {
        const std::size_t from = at(bytes.size());
        bytes.insert(at(bytes.size()), bytes.substr(from, random() % 400)); // a section or lines twice
        break;
    }
    case 5: std::erase(bytes, '\r'); break;
    default:
        for (char& c : bytes)
            if (c >= '0' && c <= '9' && random() % 50 == 0)
                c = char('0' + random() % 10);
        break;
    }
    return bytes;
}

class StatsFilesFuzzTest : public test::StatsFixture {
protected:
    // Real files of three players and two games.
    void SetUp() override
    {
        StatsRecorder recorder(m_files, m_store, m_catalogue);
        const char* players[] = {"Player 1", "Anna", "Bob"};
        for (int i = 0; i < 12; ++i) {
            GameResult r;
            r.gameId = i % 2 ? SmallGame : DoubleGame;
            r.gameName = i % 2 ? "Small" : "Double";
            r.number = std::to_string(1000 + i);
            r.player = players[i % 3];
            r.won = i % 4 != 0;
            r.seconds = 60 + i;
            r.score = 10 * i - 20;
            recorder.record(r);
        }
        for (const char* name : FileNames)
            m_originals.push_back(read(name));
        ASSERT_FALSE(m_originals[3].empty());
    }

    std::vector<std::string> m_originals;
};

TEST_F(StatsFilesFuzzTest, DamagedFilesNeverCrashNorGetLost)
{
    std::mt19937 random(20261211);
    const int cases = fuzzCases();
    for (int c = 0; c < cases; ++c) {
        std::vector<std::string> now;
        for (std::size_t f = 0; f < std::size(FileNames); ++f) {
            now.push_back(random() % 3 == 0 ? damaged(m_originals[f], random) : m_originals[f]);
            put(FileNames[f], now.back());
        }
        for (const auto& entry : std::filesystem::directory_iterator(m_dir.path()))
            if (entry.path().filename().string().find(".damaged-") != std::string::npos)
                std::filesystem::remove(entry.path());

        // Readers only read.
        StatsFiles files(m_dir.path().string(),
                         StatsPorts{m_ports.messages, m_ports.pointer, m_ports.clock, m_ports.random, LocaleFormat{}});
        fnReadStatistics(files, m_store, SmallGame, "Anna");
        statFileDamage(files.statPath());
        scoresFileDamage(files.scoresPath());
        logDamage(loadLines(files.logPath()).lines);
        for (const std::string& line : fnReadHiScores(files, m_catalogue, DoubleGame, 1, false))
            splitHiScoreLine(line);
        for (std::size_t f = 0; f < 3; ++f)
            ASSERT_EQ(read(FileNames[f]), now[f]) << "case " << c << " " << FileNames[f];

        // The overall score: unchanged, or put aside whole.
        const std::vector<OverallEntry> ranking = fnReadOverall(files);
        readOverallDetails(files, m_catalogue, "Bob");
        if (read("STAT_GLO.DAT") != now[3]) {
            bool kept = false;
            for (const auto& entry : std::filesystem::directory_iterator(m_dir.path()))
                kept = kept || test::TempDir::readFile(entry.path()) == now[3];
            ASSERT_TRUE(kept) << "case " << c;
        }

        // Writers on what is left: nothing may crash, and the files stay readable afterwards.
        StatsRecorder recorder(files, m_store, m_catalogue);
        GameResult r;
        r.gameId = c % 2 ? SmallGame : DoubleGame;
        r.player = c % 3 ? "Anna" : "Player 1";
        r.won = c % 2;
        r.score = c % 200;
        r.seconds = c % 500;
        recorder.record(r);
        fnReadHiScores(files, m_catalogue, SmallGame, 1);
        if (c % 5 == 0)
            fnClearStatistics(files, m_store, SmallGame, "Bob");
        if (c % 7 == 0)
            fnRenamePlayerData(files, "Bob", "Robert");
        fnReadOverall(files);
        m_ports.messages.clear();
    }
}

} // namespace
} // namespace kst
