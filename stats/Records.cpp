#include "stats/Records.h"

#include "storage/TextUtils.h"

#include <algorithm>
#include <array>

namespace kst {

std::string_view fieldOf(std::string_view line, Column column)
{
    const std::size_t first = std::size_t(column.first - 1);
    if (first >= line.size())
        return {};
    return line.substr(first, std::size_t(column.width));
}

std::optional<long long> fieldNumber(std::string_view text)
{
    const std::string_view digits = !text.empty() && text.front() == '-' ? text.substr(1) : text;
    // Eighteen digits always fit a long long; no field is that wide.
    if (digits.empty() || digits.size() > 18 || !fnAllDigits(digits))
        return std::nullopt;
    long long value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    return text.front() == '-' ? -value : value;
}

std::string fixedNumber(long long value, int width)
{
    const long long largest = power(10, width) - 1;
    const long long smallest = -(power(10, width - 1) - 1); // the minus takes one character
    return zeroPadded(long(std::clamp(value, smallest, largest)), width);
}

std::string dateText(const DateTime& moment)
{
    return zeroPadded(moment.year, 4) + zeroPadded(moment.month, 2) + zeroPadded(moment.day, 2);
}

std::string timeText(const DateTime& moment, char separator)
{
    return zeroPadded(moment.hour, 2) + separator + zeroPadded(moment.minute, 2) + separator
        + zeroPadded(moment.second, 2);
}

// ---- statistics record ----------------------------------------------------------------------

namespace {

struct StatField {
    Column column;
    long long StatRecord::*value;
};

constexpr std::array<StatField, 7> statFields{{
    {{1, 6}, &StatRecord::won},
    {{8, 6}, &StatRecord::lost},
    {{15, 6}, &StatRecord::longestWon},
    {{22, 6}, &StatRecord::longestLost},
    {{29, 6}, &StatRecord::currentWon},
    {{36, 6}, &StatRecord::currentLost},
    {{43, 12}, &StatRecord::totalScore},
}};
constexpr Column statReservedColumn{56, 12}; // always zeros

} // namespace

StatRecordRead parseStatRecord(std::string_view value)
{
    StatRecordRead read;
    read.damaged = value.size() != std::size_t(StatRecordWidth);
    for (const StatField& field : statFields) {
        const std::optional<long long> n = fieldNumber(fieldOf(value, field.column));
        // Counts are never negative; a negative count is as unreadable as letters.
        if (!n || (field.value != &StatRecord::totalScore && *n < 0)) {
            read.damaged = true;
            break;
        }
        read.record.*field.value = *n;
    }
    if (!read.damaged) {
        for (const Column blank : {Column{7, 1}, Column{14, 1}, Column{21, 1}, Column{28, 1}, Column{35, 1},
                                   Column{42, 1}, Column{55, 1}})
            read.damaged = read.damaged || fieldOf(value, blank) != " ";
        read.damaged = read.damaged || fieldOf(value, statReservedColumn) != "000000000000";
    }
    return read;
}

std::string formatStatRecord(const StatRecord& record)
{
    std::string text;
    for (const StatField& field : statFields)
        text += fixedNumber(record.*field.value, field.column.width) + " ";
    return text + "000000000000";
}

// ---- game log -------------------------------------------------------------------------------

namespace {

// The score as the session keeps it: at most 6 characters, no padding.
std::string scoreText(int score) { return std::to_string(std::clamp(score, -99999, 999999)); }

} // namespace

std::string formatLogLine(const LogEntry& e, char timeSeparator)
{
    return dateText(e.end) + " " + timeText(e.end, timeSeparator) + " " + fixedNumber(e.seconds, 6) + " "
        + fixedNumber(e.gameId, 4) + " " + fnPadRight(e.gameName, 50) + " " + fnPadRight(e.player, 30) + " "
        + (e.won ? "Won  " : "Lost ") + fixedNumber(e.scoreMode, 2) + " " + fnPadRight(scoreText(e.score), 6)
        + " " + fnPadRight(e.number, 15) + " " + std::string(LogLineVersion);
}

int logLineGame(std::string_view line)
{
    const std::string_view field = fieldOf(line, LogGameColumn);
    const std::optional<long long> n = field.size() == 4 && fnAllDigits(field) ? fieldNumber(field) : std::nullopt;
    return n ? int(*n) : -1;
}

std::string logLinePlayer(std::string_view line) { return fnTrimRight(fieldOf(line, LogPlayerColumn)); }

bool logLineWellFormed(std::string_view line)
{
    if (line.size() != std::size_t(LogLineWidth))
        return false;
    const auto digits = [&](Column c) { return fnAllDigits(fieldOf(line, c)); };
    const std::string_view result = fieldOf(line, {113, 5});
    for (const int blank : {9, 18, 25, 30, 81, 120, 127, 143})
        if (line[std::size_t(blank - 1)] != ' ')
            return false;
    return digits({1, 8}) && digits({19, 6}) && digits(LogGameColumn) && digits({118, 2})
        && (result == "Won  " || result == "Lost ") && fieldOf(line, {144, 4}) == LogLineVersion;
}

// ---- hi-score line --------------------------------------------------------------------------

std::string formatHiScoreLine(const HiScoreEntry& e, char timeSeparator)
{
    return fixedNumber(e.score, 6) + " " + fixedNumber(e.seconds, 6) + " " + dateText(e.end) + " "
        + timeText(e.end, timeSeparator) + " " + fnPadRight(e.player, 30) + " " + fnPadRight(e.number, 15) + " "
        + (e.won ? "Won " : "Lost") + " x";
}

std::string emptyHiScoreLine() { return normalHiScoreLine(""); }

std::string normalHiScoreLine(std::string_view line) { return fnPadRight(line, HiScoreBodyWidth) + " x"; }

bool hiScoreLineEmpty(std::string_view line)
{
    return fnTrimRight(fieldOf(line, HiScoreScoreColumn)).empty();
}

} // namespace kst
