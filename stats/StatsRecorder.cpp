#include "stats/StatsRecorder.h"

#include "stats/HiScores.h"
#include "stats/Players.h"
#include "stats/Statistics.h"
#include "storage/TextUtils.h"

namespace kst {

StatsRecorder::StatsRecorder(StatsFiles& files, SessionStore& store, const GameCatalogue& catalogue)
    : m_files(files), m_store(store), m_catalogue(catalogue)
{
}

void StatsRecorder::record(const GameResult& result)
{
    if (result.gameId < 0)
        return;
    // A name from a hand-edited configuration file could break the files it would be written into.
    if (const std::string problem = playerNameProblem(result.player); !problem.empty()) {
        if (result.player != m_refusedPlayer)
            m_files.messages().information("The games of the player \"" + result.player
                                           + "\" cannot be recorded.\r" + problem);
        m_refusedPlayer = result.player;
        return;
    }
    LogEntry line;
    line.end = result.end;
    line.seconds = result.seconds;
    line.gameId = result.gameId;
    line.gameName = result.gameName;
    line.player = result.player;
    line.won = result.won;
    line.scoreMode = result.scoreMode;
    line.score = result.score;
    line.number = result.number;
    fnLogGame(m_files, line);
    fnRecordResult(m_files, m_store, result.gameId, result.player, result.won, result.score);

    HiScoreEntry entry;
    entry.score = result.score;
    entry.seconds = result.seconds;
    entry.end = result.end;
    entry.player = result.player;
    entry.number = result.number;
    entry.won = result.won;
    const int rank = fnEnterHiScore(m_files, m_catalogue, result.gameId, result.scoreMode, entry);
    if (rank >= 0 && m_store.fnStoreGet(Fld::ConfirmEnterHiScores) != "N" && m_newHiScore)
        m_newHiScore(result.gameId, rank, newHiScoreCaption(result.gameName));
}

} // namespace kst
