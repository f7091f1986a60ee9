#pragma once
// The overall score of STAT_GLO.DAT: per player the sum of the best scores of every catalogue game
// and the sum of the playing times of those best games, with the best score and time per game.
// Every value is stored enciphered, its digits among random filler digits, guarded by checksums;
// a file that fails a check is put aside under a new name and the overall scores start again.
// Customized games (8000 and above) take no part.

#include "stats/StatsFiles.h"
#include "storage/GameCatalogue.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kst {

// The five kinds of values of a player's section and where their digits lie.
enum class OverallValue {
    Score,     // T01: overall score, 12 digits
    Time,      // T02: overall time in seconds, 12 digits
    Check,     // T03: "0430" and the 8-digit checksum of T01 and T02
    GameScore, // GS-nnnn: best score of a game, 6 digits and a checksum
    GameTime,  // GT-nnnn: playing time of that best game, 6 digits and a checksum
};

std::uint32_t fnChecksum(std::string_view text);
std::string fnEncipherValue(std::string_view plain);
std::string fnDecipherValue(std::string_view stored);
// The value digits of a plain value; shorter where the value is too short.
std::string fnPickDigits(std::string_view plain, OverallValue kind);
// A plain value holding the number (fresh filler digits; GS and GT with their checksum).
std::string makePlainValue(long long number, OverallValue kind, RandomSource& random);

// The result of a game into the player's best of that game and the overall score.
void fnUpdateOverall(StatsFiles& files, int gameId, const std::string& player, int score, long seconds);

struct OverallEntry {
    std::string player;
    long long score = 0;
    long long seconds = 0;
};

// Every player of the file, best first (higher score, then shorter time; equal ones in file
// order). Empty when the file is missing or failed a check (then put aside).
std::vector<OverallEntry> fnReadOverall(StatsFiles& files);

// The reaction to a failed check: the file is kept under a "damaged" name and the player told.
void fnOverallCorrupted(StatsFiles& files);

struct OverallDetail {
    std::string gameName;
    long long score = 0;   // the player's best
    long long seconds = 0; // playing time of that best game
    bool maximum = false;  // the best reaches the game's maximum score
};

// The player's best of every catalogue game, sorted by game name. Empty when the file is missing
// or a value cannot be read (then the file is put aside).
std::vector<OverallDetail> readOverallDetails(StatsFiles& files, const GameCatalogue& catalogue,
                                              const std::string& player);

// The highest GameId that counts for the overall score.
inline constexpr int LastOverallGame = 7999;

} // namespace kst
