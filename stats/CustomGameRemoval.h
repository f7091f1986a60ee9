#pragma once
// Deleting a customized game: everything the program keeps of it goes. Its record leaves
// GAM_CUST.DAT, its name leaves the favourites, every player's statistics of it are zeroed and its
// game-log lines removed, its hi-score table is emptied, and the session's won and lost counters
// start again. Asking the player and clearing the table are the window's part.

#include "stats/StatsFiles.h"
#include "storage/ProfileFile.h"
#include "storage/SessionStore.h"

#include <functional>
#include <string>

namespace kst {

// False, with the player told why, when the record could not be removed: then nothing else is
// touched, so no statistics are lost for a game that is still there. leaveGame runs once the
// record is gone and before anything else is cleared, so that a running game of it can be ended
// and the result that records is cleared with the rest.
bool removeCustomGameData(StatsFiles& files, SessionStore& store, ProfileFile& config,
                          const std::string& customGamesPath, int code, const std::function<void()>& leaveGame = {});

} // namespace kst
