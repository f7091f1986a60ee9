#pragma once
// What the statistics dialogs work with: the files, the session, the catalogue, the
// configuration and the speakers, all owned by the main window, and the main window's commands
// that the dialogs run.

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

// What the main window does with its other windows around a game started from a dialog: the
// game browser and the game-won dialog are hidden first, and closed once the game started or
// shown again as they were when it did not.
enum class OtherWindows { Hide, Close, Restore };

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
    std::function<bool(int gameId, const std::string& gameName)> playGame{};
    // Starts the game for the current player dealing the session's GameNumber as it stands (no new
    // random number), and remembers it as the game to open next time (Game, Game_name and
    // Game_TreeNum -30 of the preferences); false when it did not start. The running game has been
    // confirmed and ended before.
    std::function<bool(int gameId, const std::string& gameName)> playNumber{};
    // The "Open a game" command (the game browser); true when a game is in progress afterwards.
    std::function<bool()> openGame{};
    // The "Select a game number..." command; true when a game is in progress afterwards.
    std::function<bool()> selectGameNumber{};
    // The game browser and the game-won dialog around a game started from a dialog.
    std::function<void(OtherWindows)> otherWindows{};
    // Opens the help at the topic of the context number.
    std::function<void(int helpContext)> showHelp{};
};

// How a deal chosen in a dialog went.
enum class DealStart {
    Declined, // the player kept the running game: nothing changed
    Ended,    // the running game ended but no new one started (it was won: the game-won dialog leads on)
    Started,  // the deal is on the table
};

// The deal of the game and number (a log line, a typed number) for the current player: the
// running game is confirmed and ended first, then the number becomes the session's GameNumber.
DealStart playDeal(StatsContext& context, int gameId, const std::string& gameName, const std::string& number);

} // namespace kst
