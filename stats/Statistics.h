#pragma once
// Per player and game statistics (STAT.DAT) and the game log (STAT_LOG.DAT): recording the end of
// a game, reading a player's record, clearing and renaming. The session counters SessionWon and
// SessionLost count the current player's games of the current game.

#include "stats/Records.h"
#include "stats/StatsFiles.h"
#include "storage/SessionStore.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kst {

// The version of STAT.DAT and STAT_SCR.DAT.
inline constexpr std::string_view StatFileVersion = "0300";
// "All games" and "all players" in the scope of a clearing.
inline constexpr int AllGames = -1;
inline constexpr std::string_view AllPlayers = "";

// Creates the file with its version header when it does not exist; false when it is still missing.
bool fnCreateStatFile(const std::string& path, MessageBoxes& boxes);

// What is wrong with STAT.DAT (empty when nothing is): sections twice, entries without "=",
// records of the wrong width or with characters that are not digits.
std::string statFileDamage(const std::string& path);
// The same for the lines of STAT_LOG.DAT: lines of the wrong width or with bad fields.
std::string logDamage(const std::vector<std::string>& lines);

// The result of a game into the player's record of the game, and the session counters.
void fnRecordResult(StatsFiles& files, SessionStore& store, int gameId, const std::string& player, bool won,
                    int score);
// Adds the game's line at the end of the log.
void fnLogGame(StatsFiles& files, const LogEntry& entry);

struct PlayerStatistics {
    StatRecord record;
    long sessionWon = 0;  // only for the current player in the current game, else 0
    long sessionLost = 0;
};

// The player's record of the game (zeros when there is none), with the session counters when the
// player and the game are the current ones. createFile first makes STAT.DAT when missing.
PlayerStatistics fnReadStatistics(StatsFiles& files, const SessionStore& store, int gameId,
                                  const std::string& player, bool createFile = false);

// Every record of the player, read in one pass over STAT.DAT for a table of all games.
struct PlayerRecords {
    std::map<std::string, StatRecord> bySection; // by section name (the GameId with four digits)
    bool unreadable = false;                     // the file exists but cannot be read
    bool damaged = false;                        // a record of the player could not be parsed
    StatRecord of(int gameId) const;             // zeros where the player has no record
};
PlayerRecords readPlayerRecords(StatsFiles& files, const std::string& player);

// Empties the records and removes the log lines of one game or AllGames, for one player or
// AllPlayers. False when a file could not be rewritten (the player was told).
bool fnClearStatistics(StatsFiles& files, SessionStore& store, int gameId, std::string_view player);

// Moves the player's records, log lines and hi-score entries to the new name.
bool fnRenamePlayerData(StatsFiles& files, std::string_view oldName, std::string_view newName);

// The section of a game: its GameId with four digits.
std::string gameSection(int gameId);

} // namespace kst
