#pragma once
// What the Game information dialog shows of a game: its odds from the catalogue, the player's
// totals in it and the best result of its hi-score table.

#include "stats/StatsFiles.h"
#include "storage/GameCatalogue.h"
#include "storage/SessionStore.h"

#include <string>

namespace kst {

struct GameInformation {
    std::string chance;        // "about W in D", empty when the catalogue gives no odds
    long long played = 0;
    long long won = 0;
    long long lost = 0;
    std::string points = "0";  // of the table's first place; "0" when it has none
    std::string time;          // its playing time, "h:mm:ss"
    std::string date;          // the day it was played, "yyyymmdd" as stored
    std::string player;        // without trailing blanks
};

// A customized game's odds are those of its base game. A first place that cannot be read shows
// what could be read before the fault.
GameInformation fnGameInformation(StatsFiles& files, const SessionStore& store, const GameCatalogue& catalogue,
                                  int gameId, const std::string& player);

} // namespace kst
