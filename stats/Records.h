#pragma once
// The fixed-width records of the statistics files, each built and read in one place: the
// statistics record of STAT.DAT, the game-log line of STAT_LOG.DAT and the hi-score line of
// STAT_SCR.DAT. Columns are 1-based, as the layouts are written down; fields are separated by
// single blanks.

#include "platform/Geometry.h"

#include <optional>
#include <string>
#include <string_view>

namespace kst {

// A field of a fixed-width line.
struct Column {
    int first; // 1-based column of its first character
    int width;
};

// The field's characters; shorter (or empty) where the line ends inside it.
std::string_view fieldOf(std::string_view line, Column column);

// A whole number written in a field: digits with an optional leading "-", nothing else.
std::optional<long long> fieldNumber(std::string_view text);

// The number zero-padded to width characters, held inside what the width can show, so that a
// field never grows and pushes the fields after it out of their columns.
std::string fixedNumber(long long value, int width);

// "yyyymmdd" and "hh:nn:ss" (with the given separator) of a moment.
std::string dateText(const DateTime& moment);
std::string timeText(const DateTime& moment, char separator);

// ---- STAT.DAT: the statistics record of a player in a game -------------------------------------

inline constexpr int StatRecordWidth = 67;
inline constexpr std::string_view EmptyStatRecord =
    "000000 000000 000000 000000 000000 000000 000000000000 000000000000";

struct StatRecord {
    long long won = 0;         // games won
    long long lost = 0;        // games lost
    long long longestWon = 0;  // longest winning streak
    long long longestLost = 0; // longest losing streak
    long long currentWon = 0;  // current winning streak
    long long currentLost = 0; // current losing streak
    long long totalScore = 0;  // sum of the final scores of every game played
};

struct StatRecordRead {
    StatRecord record;
    bool damaged = false; // the value was not a well-formed record
};

// A field that is not a number leaves it and the fields after it at zero.
StatRecordRead parseStatRecord(std::string_view value);
std::string formatStatRecord(const StatRecord& record);

// ---- STAT_LOG.DAT: one line per game played ----------------------------------------------------

inline constexpr int LogLineWidth = 147;
inline constexpr Column LogDateColumn{1, 8};     // "yyyymmdd" the game ended
inline constexpr Column LogClockColumn{10, 8};   // the time of day it ended
inline constexpr Column LogSecondsColumn{19, 6}; // playing time
inline constexpr Column LogGameColumn{26, 4};
inline constexpr Column LogNameColumn{31, 50};   // the game's name
inline constexpr Column LogPlayerColumn{82, 30};
inline constexpr Column LogResultColumn{113, 4}; // "Won " or "Lost"
inline constexpr Column LogScoreColumn{121, 6};
inline constexpr Column LogNumberColumn{128, 15};
inline constexpr std::string_view LogLineVersion = "0430";

struct LogEntry {
    DateTime end;            // when the game ended
    long seconds = 0;        // playing time
    int gameId = 0;
    std::string gameName;
    std::string player;
    bool won = false;
    int scoreMode = 0;       // the ScoringSystem code
    int score = 0;           // final score
    std::string number;      // the game number
};

std::string formatLogLine(const LogEntry& entry, char timeSeparator);
// The line's game; -1 when its game field is not a number (it then belongs to no game).
int logLineGame(std::string_view line);
// The line's player, trailing blanks removed.
std::string logLinePlayer(std::string_view line);
// True when every field of the line has its width and its kind of characters.
bool logLineWellFormed(std::string_view line);

// ---- STAT_SCR.DAT: a hi-score line ------------------------------------------------------------

inline constexpr int HiScoreLineWidth = 85;
// The line without its closing " x": every line is cut or padded to this before the " x".
inline constexpr int HiScoreBodyWidth = 83;
inline constexpr Column HiScoreScoreColumn{1, 6};
inline constexpr Column HiScoreTimeColumn{8, 6};
inline constexpr Column HiScoreDateColumn{15, 8};
inline constexpr Column HiScoreClockColumn{24, 8};
inline constexpr Column HiScorePlayerColumn{33, 30};
inline constexpr Column HiScoreNumberColumn{64, 15};
inline constexpr Column HiScoreResultColumn{80, 4};

struct HiScoreEntry {
    int score = 0;
    long seconds = 0; // playing time
    DateTime end;     // when the game ended
    std::string player;
    std::string number; // the game number
    bool won = false;
};

std::string formatHiScoreLine(const HiScoreEntry& entry, char timeSeparator);
// A line of blanks of the full width: an empty place of a table.
std::string emptyHiScoreLine();
// The line cut or padded to the body width and closed by " x".
std::string normalHiScoreLine(std::string_view line);
// True for an empty value and for a line whose score field is blank.
bool hiScoreLineEmpty(std::string_view line);

} // namespace kst
