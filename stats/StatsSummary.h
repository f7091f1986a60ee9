#pragma once
// What the statistics dialogs derive from a player's record: per cents, the average score, the
// line of the current streak, the per-cent cell of the all-games table and the pie picture that
// shows a won and lost share.

#include "stats/Records.h"

#include <string>
#include <vector>

namespace kst {

// The won per cent of a pair (won and lost games, session counters or longest streaks), rounded
// half up; 0 when the pair sums to 0. The lost per cent is 100 less it.
int wonPerCent(long long won, long long lost);
// The lost per cent of the pair; 0 when it sums to 0.
int lostPerCent(long long won, long long lost);
// The total score over the games played, the fraction dropped; 0 without games.
long long averageScore(const StatRecord& record);

// "Current: 5 won", "Current: 1 lost", or "Current" alone without a streak.
std::string currentStreakText(const StatRecord& record, int language);

// The per-cent cell of the all-games table: "67 %", or "0" alone for a 0 per cent.
std::string perCentCell(long long won, long long lost);

// The players the chart shows, given each player's value in list order: the `shown` highest,
// highest first; between equal values the later player in the list counts as the higher.
std::vector<int> chartedPlayers(const std::vector<long long>& values, int shown);

// The pie picture for a lost per cent, or NoPie for no games played.
inline constexpr int NoPie = -1;
struct PieChoice {
    int share = 0;        // the larger share times ten, in steps of 25 from 500 to 1000; 0: the no-values picture
    bool swapped = false; // red and lime (and their rims) exchanged: the won share is the larger
};
PieChoice fnPieChoice(int lostPerCentOrNone);

} // namespace kst
