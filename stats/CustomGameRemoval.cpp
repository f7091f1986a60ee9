#include "stats/CustomGameRemoval.h"

#include "engine/Game.h"
#include "platform/Pointer.h"
#include "stats/HiScores.h"
#include "stats/Statistics.h"
#include "storage/CustomGames.h"
#include "storage/Favourites.h"

namespace kst {

bool removeCustomGameData(StatsFiles& files, SessionStore& store, ProfileFile& config,
                          const std::string& customGamesPath, int code, const std::function<void()>& leaveGame)
{
    BusyPointer busy(files.pointer());
    const std::string name = fnCustomGameName(customGamesPath, code);
    const CustomGameWrite removed = removeCustomGameRecord(customGamesPath, code);
    if (!removed.ok) {
        files.messages().information(removed.message);
        return false;
    }
    if (leaveGame)
        leaveGame();
    if (!name.empty() && !removeFavourite(config, name))
        files.messages().information("Cannot write file: " + config.path());
    fnClearStatistics(files, store, code, AllPlayers);
    fnEmptyHiScores(files, code, StandardScoring);
    store.resetSessionCounters();
    return true;
}

} // namespace kst
