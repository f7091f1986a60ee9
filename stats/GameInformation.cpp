#include "stats/GameInformation.h"

#include "engine/Game.h"
#include "stats/HiScores.h"
#include "stats/Statistics.h"
#include "storage/TextUtils.h"

namespace kst {

GameInformation fnGameInformation(StatsFiles& files, const SessionStore& store, const GameCatalogue& catalogue,
                                  int gameId, const std::string& player)
{
    GameInformation info;
    const RuleValuesRead odds = catalogue.readRuleValues(gameId, {Rule::OddsWon, Rule::OddsPlayed});
    if (odds.ok && odds.values[0] != 0 && odds.values[1] != 0)
        info.chance = "about " + std::to_string(odds.values[0]) + " in " + std::to_string(odds.values[1]);

    const StatRecord record = fnReadStatistics(files, store, gameId, player).record;
    info.won = record.won;
    info.lost = record.lost;
    info.played = record.won + record.lost;

    const std::vector<std::string> table = fnReadHiScores(files, catalogue, gameId, StandardScoring);
    if (table.empty())
        return info;
    const HiScoreFields first = splitHiScoreLine(table.front());
    if (first.blank)
        return info;
    // Field by field, stopping at the first that cannot be read.
    if (!first.score)
        return info;
    info.points = std::to_string(*first.score);
    if (!first.seconds)
        return info;
    info.time = fnSecondsToText(long(*first.seconds), 1, std::string(1, files.timeSeparator()));
    if (first.date.size() != 8 || !fnAllDigits(first.date))
        return info;
    info.date = first.date;
    info.player = fnTrimRight(first.player);
    return info;
}

} // namespace kst
