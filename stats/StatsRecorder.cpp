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
    fnLogGame(m_files, LogEntry{result.end, result.seconds, result.gameId, result.gameName, result.player, result.won,
                                result.scoreMode, result.score, result.number});
    fnRecordResult(m_files, m_store, result.gameId, result.player, result.won, result.score);
    const HiScoreEntry entry{result.score, result.seconds, result.end, result.player, result.number, result.won};
    const int rank = fnEnterHiScore(m_files, m_catalogue, result.gameId, result.scoreMode, entry);
    if (rank >= 0 && m_store.fnStoreGet(Fld::ConfirmEnterHiScores) != "N" && m_newHiScore)
        m_newHiScore(result.gameId, rank, newHiScoreCaption(result.gameName));
}

} // namespace kst
