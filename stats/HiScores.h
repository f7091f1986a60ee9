#pragma once
// The hi-score tables of STAT_SCR.DAT: 20 places per game, under the keys "01-01" to "01-20" (the
// scoring system and the rank). A table never played holds placeholders scaled to the game's deck
// until the player clears the hi-scores; from then on tables fill from empty.

#include "stats/Records.h"
#include "stats/StatsFiles.h"
#include "storage/GameCatalogue.h"

#include <optional>
#include <string>
#include <vector>

namespace kst {

inline constexpr int HiScoreRanks = 20;

// The keys of a table: the scoring system with two digits, "-", the rank with two digits.
std::vector<std::string> hiScoreKeys(int scoreMode);

// The placeholder table of a game dealt from deckSize cards, dated `now`.
std::vector<std::string> defaultHiScoreTable(int deckSize, const DateTime& now, char timeSeparator);

// True after the player cleared the hi-scores ("[Clear scores]" "Cleared=Y").
bool hiScoresCleared(const std::string& path);

// What is wrong with STAT_SCR.DAT (empty when nothing is): sections twice, entries without "=",
// lines of the wrong width.
std::string scoresFileDamage(const std::string& path);

// The 20 lines of the game's table (empty texts for missing places). With makeDefaults, a table
// never played gets its placeholders, written to the file.
std::vector<std::string> fnReadHiScores(StatsFiles& files, const GameCatalogue& catalogue, int gameId,
                                        int scoreMode, bool makeDefaults = true);

// Ranks a finished game into its table and updates the overall score; the 0-based rank the result
// took, or -1 when it did not make the table.
int fnEnterHiScore(StatsFiles& files, const GameCatalogue& catalogue, int gameId, int scoreMode,
                   const HiScoreEntry& entry);

// Empties every table for good and deletes the overall score; with ask, only after the player
// confirms. True when done.
bool fnClearHiScores(StatsFiles& files, bool ask);

// Empties the game's table (a customized game that is deleted).
void fnEmptyHiScores(StatsFiles& files, int gameId, int scoreMode);

// The caption of the hi-score dialog after a result made the table.
std::string newHiScoreCaption(std::string_view gameName);

// The fields of a hi-score line for showing it.
struct HiScoreFields {
    bool blank = true;                 // no score: only rank, player, result and number are shown
    std::optional<long long> score;    // nothing when not a number
    std::optional<long long> seconds;
    std::string date;                  // "yyyymmdd" as stored
    std::string player;                // as stored, 30 characters
    std::string number;                // as stored, 15 characters
    std::string result;                // "Won " or "Lost" as stored
};
HiScoreFields splitHiScoreLine(std::string_view line);

} // namespace kst
