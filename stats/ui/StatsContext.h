#pragma once
// What the statistics dialogs work with: the files, the session, the catalogue, the
// configuration and the speakers, all owned by the main window.

#include "engine/GameSession.h"
#include "platform/ResourceLibrary.h"
#include "platform/Sound.h"
#include "stats/StatsFiles.h"
#include "storage/GameCatalogue.h"
#include "storage/ProfileFile.h"
#include "storage/SessionStore.h"

#include <functional>
#include <string>

namespace kst {

struct StatsContext {
    StatsFiles& files;
    SessionStore& store;
    GameSession& session;
    const GameCatalogue& catalogue;
    ProfileFile& config;
    SoundPlayer& sound;
    ResourceLibrary& resources; // the dialogs' pictures
    std::string customGamesPath; // GAM_CUST.DAT, for the game lists
    // Starts the game for the current player, as the game browser would; false when it did not start.
    std::function<bool(int gameId, const std::string& gameName)> playGame;
};

} // namespace kst
