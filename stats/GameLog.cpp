#include "stats/GameLog.h"

#include "engine/GameNumber.h"
#include "storage/TextUtils.h"

#include <algorithm>
#include <chrono>
#include <map>

namespace kst {

namespace {

constexpr Column LogStartColumn{10, 5}; // hours, separator, minutes

// The day of a "yyyymmdd" date; nothing when it is no date.
std::optional<std::chrono::sys_days> dayOf(std::string_view date)
{
    if (date.size() != 8 || !fnAllDigits(date))
        return std::nullopt;
    const auto number = [&](std::size_t at, std::size_t width) { return int(*fieldNumber(date.substr(at, width))); };
    const std::chrono::year_month_day ymd{std::chrono::year(number(0, 4)), std::chrono::month(unsigned(number(4, 2))),
                                          std::chrono::day(unsigned(number(6, 2)))};
    if (!ymd.ok())
        return std::nullopt;
    return std::chrono::sys_days(ymd);
}

std::string trimmed(std::string_view text) { return fnTrimLeft(fnTrimRight(text)); }

} // namespace

LogFields splitLogLine(std::string_view line)
{
    LogFields f;
    f.date = std::string(fieldOf(line, LogDateColumn));
    f.start = std::string(fieldOf(line, LogStartColumn));
    if (const std::string_view seconds = fieldOf(line, LogSecondsColumn); fnAllDigits(seconds))
        if (const std::optional<long long> n = fieldNumber(seconds))
            f.seconds = long(*n);
    f.gameName = fnTrimRight(fieldOf(line, LogNameColumn));
    f.player = fnTrimRight(fieldOf(line, LogPlayerColumn));
    f.won = fieldOf(line, LogResultColumn) == "Won ";
    f.score = trimmed(fieldOf(line, LogScoreColumn));
    f.number = trimmed(fieldOf(line, LogNumberColumn));
    return f;
}

std::vector<int> logLinesOf(const std::vector<std::string>& lines, std::string_view gameName,
                            std::string_view player)
{
    const std::string game = fnTrimRight(gameName), who = fnTrimRight(player);
    // Filtering runs on every change of a list over logs of many thousand games: the fields are
    // compared where they lie, without building strings.
    const auto matches = [](std::string_view field, const std::string& wanted) {
        const std::size_t end = field.find_last_not_of(' ');
        return field.substr(0, end == std::string_view::npos ? 0 : end + 1) == wanted;
    };
    std::vector<int> shown;
    shown.reserve(lines.size());
    for (int i = int(lines.size()) - 1; i >= 0; --i) {
        const std::string_view line = lines[std::size_t(i)];
        if ((game.empty() || matches(fieldOf(line, LogNameColumn), game))
            && (who.empty() || matches(fieldOf(line, LogPlayerColumn), who)))
            shown.push_back(i);
    }
    return shown;
}

std::vector<LostDeal> lostDeals(const std::vector<std::string>& lines, std::string_view gameName)
{
    struct Played {
        std::string number; // 13 characters, so that the numbers sort as they read
        bool won = false;
        LostDeal deal;
    };
    const std::string game = fnTrimRight(gameName);
    std::vector<Played> played;
    for (const std::string& line : lines) {
        if (fnTrimRight(fieldOf(line, LogNameColumn)) != game)
            continue;
        const LogFields f = splitLogLine(line);
        const std::string number = fnPadRight(f.number, GameNumberDigits).substr(0, GameNumberDigits);
        played.push_back({number, f.won,
                          {number, f.player, f.date, std::string(fieldOf(line, LogClockColumn))}});
    }
    // A deal's games in the order number, won before lost, player, date, time: its first game
    // says whether it was ever won, and otherwise names the player who lost it.
    const auto order = [](const Played& a, const Played& b) {
        return std::tie(a.number, b.won, a.deal.player, a.deal.date, a.deal.time)
            < std::tie(b.number, a.won, b.deal.player, b.deal.date, b.deal.time);
    };
    std::sort(played.begin(), played.end(), order);
    std::vector<LostDeal> lost;
    for (std::size_t i = 0; i < played.size(); ++i)
        if ((i == 0 || played[i].number != played[i - 1].number) && !played[i].won)
            lost.push_back(played[i].deal);
    // Newest first; deals of the same moment by their numbers.
    std::sort(lost.begin(), lost.end(), [](const LostDeal& a, const LostDeal& b) {
        return std::tie(b.date, b.time, b.number, b.player) < std::tie(a.date, a.time, a.number, a.player);
    });
    return lost;
}

ResultsOverTime resultsOverTime(const std::vector<std::string>& lines, std::string_view gameName,
                                std::string_view player, int maxPeriods)
{
    using namespace std::chrono;
    struct Game {
        sys_days day;
        bool won;
        int score;
    };
    std::vector<Game> games;
    for (const int i : logLinesOf(lines, gameName, player)) {
        const LogFields f = splitLogLine(lines[std::size_t(i)]);
        if (const std::optional<sys_days> day = dayOf(f.date))
            games.push_back({*day, f.won, int(numberOr(f.score, 0))});
    }
    std::reverse(games.begin(), games.end()); // oldest first
    std::stable_sort(games.begin(), games.end(), [](const Game& a, const Game& b) { return a.day < b.day; });

    ResultsOverTime history;
    if (games.empty() || maxPeriods <= 0)
        return history;
    // Weeks start on Monday; 1970-01-01 was a Thursday.
    const auto weekOf = [](sys_days day) { return (day - sys_days(days(4)) + days(7 * 1000)).count() / 7 - 1000; };
    const auto monthOf = [](sys_days day) {
        const year_month_day ymd(day);
        return int(ymd.year()) * 12 + int(unsigned(ymd.month())) - 1;
    };
    history.monthly = weekOf(games.back().day) - weekOf(games.front().day) >= maxPeriods;
    const auto periodOf = [&](sys_days day) { return history.monthly ? monthOf(day) : weekOf(day); };
    const auto labelOf = [&](sys_days day) {
        const year_month_day ymd(day);
        if (history.monthly)
            return zeroPadded(int(ymd.year()), 4) + "-" + zeroPadded(int(unsigned(ymd.month())), 2);
        const year_month_day monday(sys_days(days(int(weekOf(day)) * 7 + 4)));
        return zeroPadded(int(unsigned(monday.month())), 2) + "-" + zeroPadded(int(unsigned(monday.day())), 2);
    };
    const long first = periodOf(games.back().day) - maxPeriods + 1;
    std::map<long, std::vector<const Game*>> byPeriod;
    for (const Game& game : games)
        if (periodOf(game.day) >= first)
            byPeriod[periodOf(game.day)].push_back(&game);
    for (const auto& [period, inPeriod] : byPeriod) {
        ResultsOverTime::Period shown{labelOf(inPeriod.front()->day), 0, 0};
        for (std::size_t k = 0; k < inPeriod.size(); ++k) {
            (inPeriod[k]->won ? shown.won : shown.lost) += 1;
            history.scores.push_back({int(history.periods.size()), (double(k) + 0.5) / double(inPeriod.size()),
                                      inPeriod[k]->score});
        }
        history.periods.push_back(shown);
    }
    return history;
}

} // namespace kst
