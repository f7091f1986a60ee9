// Opening the statistics windows on a large record: the game log viewer and the all-games table
// on a log of 100,000 games must open in well under a second (target: 200 ms), and sorting the
// log by a column must stay below that too. Also what the end of a game costs on such a log, which
// is written anew whole at every game (no target: measured to weigh an append against it).

#include <benchmark/benchmark.h>

#include "bench/BenchApplication.h"
#include "engine/GameSession.h"
#include "platform/test/TestPorts.h"
#include "stats/Players.h"
#include "stats/Records.h"
#include "stats/Statistics.h"
#include "stats/ui/StatsContext.h"
#include "stats/ui/TfrmStatisGiochi.h"
#include "stats/ui/TfrmStatisLog.h"
#include "storage/GameCatalogue.h"
#include "storage/SectionFile.h"
#include "tests/support/TempDir.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>

#include <functional>
#include <memory>

namespace kst {
namespace {

constexpr int LoggedGames = 100'000;
const char* const Players[] = {"Anna", "Bob", "Carl", "Dora", "Emil"};

// A DATA folder whose log holds 100,000 games of the built catalogue by five players, with their
// statistics records, and what the dialogs work with.
struct LargeRecord {
    LargeRecord()
    {
        ok = catalogue.load(KST_PROGRAM_DIR "/GAMES.DAT").ok && !catalogue.games().empty();
        if (!ok)
            return;
        std::vector<std::string> lines;
        lines.reserve(LoggedGames);
        const std::vector<CatalogueGame>& games = catalogue.games();
        for (int i = 0; i < LoggedGames; ++i) {
            const CatalogueGame& game = games[std::size_t(i * 7919) % games.size()];
            const DateTime end{2020 + i / 20000, 1 + (i / 1700) % 12, 1 + i % 28, i % 24, i % 60, (i * 7) % 60, 0};
            lines.push_back(formatLogLine({end, 60 + i % 3000, game.gameId, game.name, Players[i % 5], i % 3 == 0,
                                           StandardScoring, (i * 37) % 900 - 200, std::to_string(1000000 + i)},
                                          ':'));
        }
        saveLines(files.logPath(), lines, ports.messages);
        for (const char* player : Players)
            for (std::size_t g = 0; g < games.size(); g += 2)
                fnRecordResult(files, store, games[g].gameId, player, g % 3 == 0, 100);
        config.writeText("Users", "User001", Players[0]);
        config.writeText("Users", "User002", Players[1]);
    }

    bool ok = false;
    test::TempDir dir{"bench-stats"};
    test::TestPorts ports;
    GameCatalogue catalogue{dir.file("GAM_CUST.DAT")};
    SessionStore store{KST_PROGRAM_DIR};
    ProfileFile config{dir.file("CFG.DAT")};
    StatsFiles files{dir.path().string(),
                     StatsPorts{ports.messages, ports.pointer, ports.clock, ports.random, LocaleFormat{}}};
    GameSession session{store, catalogue, SessionPorts{ports.messages, ports.clock, ports.random, ports.sound}};
    StatsContext context{files, store, session, catalogue, config, ports.sound, ports.resources,
                         dir.file("GAM_CUST.DAT")};
};

LargeRecord* largeRecord(benchmark::State& state)
{
    ensureApplication();
    static LargeRecord record;
    if (!record.ok)
        state.SkipWithError("the program folder is not built");
    return record.ok ? &record : nullptr;
}

// The dialog that `make` creates, filled and shown; its table's rows counted.
template <class Dialog>
void openAndShow(benchmark::State& state, const std::function<std::unique_ptr<Dialog>(LargeRecord&)>& make)
{
    LargeRecord* record = largeRecord(state);
    if (!record)
        return;
    for (auto _ : state) {
        const std::unique_ptr<Dialog> dialog = make(*record);
        dialog->show();
        QApplication::processEvents();
        state.counters["rows"] = dialog->table()->model()->rowCount();
    }
}

// The log viewer created, filled with every game and shown.
void BM_OpenLogViewer100k(benchmark::State& state)
{
    openAndShow<TfrmStatisLog>(state, [](LargeRecord& record) {
        return std::make_unique<TfrmStatisLog>(record.context, std::vector<std::string>(Players, Players + 5),
                                               fnGameList(record.catalogue, record.context.customGamesPath));
    });
}
BENCHMARK(BM_OpenLogViewer100k)->Unit(benchmark::kMillisecond);

// The log of all games sorted by the score column.
void BM_SortLog100kByScore(benchmark::State& state)
{
    LargeRecord* record = largeRecord(state);
    if (!record)
        return;
    TfrmStatisLog dialog(record->context, {Players, Players + 5}, {});
    for (auto _ : state) {
        dialog.table()->horizontalHeader()->sectionClicked(5);
        benchmark::DoNotOptimize(dialog.table()->model()->rowCount());
    }
}
BENCHMARK(BM_SortLog100kByScore)->Unit(benchmark::kMillisecond);

// The all-games table created, filled for a player and shown.
void BM_OpenAllGamesTable(benchmark::State& state)
{
    openAndShow<TfrmStatisGiochi>(state, [](LargeRecord& record) {
        return std::make_unique<TfrmStatisGiochi>(record.context, std::vector<std::string>(Players, Players + 2), 0);
    });
}
BENCHMARK(BM_OpenAllGamesTable)->Unit(benchmark::kMillisecond);

// One game's line added to the log of 100,000 games.
void BM_LogGameAt100k(benchmark::State& state)
{
    LargeRecord* record = largeRecord(state);
    if (!record)
        return;
    const LogEntry entry{{2026, 12, 11, 10, 0, 0, 0}, 300, 1, "Freecell", "Anna", true, StandardScoring, 120,
                         "0000001234567"};
    for (auto _ : state)
        fnLogGame(record->files, entry);
}
BENCHMARK(BM_LogGameAt100k)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kst
