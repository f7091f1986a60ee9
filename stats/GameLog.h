#pragma once
// Reading the game log for its viewers: the fields of a line as they are shown, the lines of a
// player and a game newest first, and the deals of a game that were lost and never won.

#include "stats/Records.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kst {

// The fields of a log line, read where a damaged line allows: missing parts read as empty.
struct LogFields {
    std::string date;               // "yyyymmdd" as stored
    std::string start;              // hours and minutes of the time the game ended
    std::optional<long> seconds;    // playing time; nothing when not a number
    std::string gameName;           // trailing blanks removed
    std::string player;             // trailing blanks removed
    bool won = false;
    std::string score;              // blanks removed
    std::string number;             // the game number, blanks removed
};
LogFields splitLogLine(std::string_view line);

// The indexes of the lines of the game and the player, newest first; an empty name takes every
// game or every player. Names are compared exactly, trailing blanks ignored.
std::vector<int> logLinesOf(const std::vector<std::string>& lines, std::string_view gameName,
                            std::string_view player);

// A deal lost and never won, by whoever played it.
struct LostDeal {
    std::string number; // 13 characters
    std::string player; // trailing blanks removed
    std::string date;   // "yyyymmdd"
    std::string time;   // as stored
};
// The deals of the game that were lost and never won, newest first; a deal lost by several
// players is listed once, with the player whose name sorts first.
std::vector<LostDeal> lostDeals(const std::vector<std::string>& lines, std::string_view gameName);

// A player's games of one game over time, for the chart of the statistics dialog.
struct ResultsOverTime {
    struct Period {
        std::string label; // "2026-12" for a month, "12-07" (month and day it starts) for a week
        int won = 0;
        int lost = 0;
    };
    struct Score {
        int period = 0;     // index of the game's period
        double offset = 0;  // where in the period it lies, 0 to 1, in the order played
        int score = 0;
    };
    bool monthly = false; // periods are months; weeks otherwise
    std::vector<Period> periods;
    std::vector<Score> scores;
};
// The last `maxPeriods` weeks in which the player played the game, or months when the games span
// more weeks than that; lines with no valid date are left out.
ResultsOverTime resultsOverTime(const std::vector<std::string>& lines, std::string_view gameName,
                                std::string_view player, int maxPeriods);

} // namespace kst
