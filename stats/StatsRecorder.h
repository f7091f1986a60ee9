#pragma once
// The end of every game recorded for its player: the game log, the statistics, the hi-score table
// and through it the overall score. The main window and `kestrane-cli play --record` each set one
// on their game session.

#include "engine/GameSession.h"
#include "stats/StatsFiles.h"

#include <functional>

namespace kst {

class StatsRecorder : public GameRecorder {
public:
    StatsRecorder(StatsFiles& files, SessionStore& store, const GameCatalogue& catalogue);

    void record(const GameResult& result) override;

    // Called when a result made its hi-score table: the game, the 0-based rank it took and the
    // congratulation caption.
    void setNewHiScore(std::function<void(int gameId, int rank, const std::string& caption)> show)
    {
        m_newHiScore = std::move(show);
    }

private:
    StatsFiles& m_files;
    SessionStore& m_store;
    const GameCatalogue& m_catalogue;
    std::function<void(int, int, const std::string&)> m_newHiScore;
    std::string m_refusedPlayer; // the last player told that his games cannot be recorded
};

} // namespace kst
