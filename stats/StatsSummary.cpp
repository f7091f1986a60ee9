#include "stats/StatsSummary.h"

#include "storage/StringTable.h"

#include <algorithm>

namespace kst {

namespace {

constexpr int StringCurrent = 1909;
constexpr int StringWonMany = 1915, StringLostMany = 1916; // "won" and "lost" after 2 or more
constexpr int StringWonOne = 1917, StringLostOne = 1918;   // after a count of 1

// Pie pictures come in steps of 2.5 per cent, written as tenths of a per cent.
constexpr int PieStepTenths = 25;
constexpr int PieLeastShare = 500;
constexpr int PieWholeShare = 1000;

} // namespace

int wonPerCent(long long won, long long lost)
{
    const long long games = won + lost;
    if (games <= 0)
        return 0;
    // Whole numbers only: half a game rounds up, as adding 0.5 and dropping the fraction would.
    return int((won * 200 + games) / (games * 2));
}

int lostPerCent(long long won, long long lost) { return won + lost <= 0 ? 0 : 100 - wonPerCent(won, lost); }

long long averageScore(const StatRecord& record)
{
    const long long games = record.won + record.lost;
    return games <= 0 ? 0 : record.totalScore / games;
}

std::string currentStreakText(const StatRecord& record, int language)
{
    const std::string current = languageString(language, StringCurrent);
    const auto line = [&](long long streak, int one, int many) {
        return current + ": " + std::to_string(streak) + " " + languageString(language, streak == 1 ? one : many);
    };
    if (record.currentWon >= 1)
        return line(record.currentWon, StringWonOne, StringWonMany);
    if (record.currentLost >= 1)
        return line(record.currentLost, StringLostOne, StringLostMany);
    return current;
}

std::string perCentCell(long long won, long long lost)
{
    const int perCent = wonPerCent(won, lost);
    return perCent == 0 ? "0" : std::to_string(perCent) + " %";
}

std::vector<int> chartedPlayers(const std::vector<long long>& values, int shown)
{
    std::vector<int> order(values.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return values[std::size_t(a)] < values[std::size_t(b)]; });
    const std::size_t from = order.size() > std::size_t(std::max(shown, 0)) ? order.size() - std::size_t(shown) : 0;
    return std::vector<int>(order.rbegin(), order.rend() - std::ptrdiff_t(from));
}

PieChoice fnPieChoice(int a)
{
    const int larger = a < 0 || a >= 50 ? a : 100 - a;
    PieChoice choice;
    if (larger >= 100)
        choice.share = PieWholeShare;
    else if (larger >= 50)
        choice.share = (larger * 10 / PieStepTenths) * PieStepTenths; // the largest step not above it
    choice.share = choice.share >= PieLeastShare ? choice.share : 0;
    choice.swapped = a < 50;
    return choice;
}

} // namespace kst
