#pragma once
// The rules of a game as the catalogue's build wrote them (help/games/NNNN.txt of the program
// folder), in a window of their own. A customized game shows its base game's rules under a line
// that says what it was derived from.

#include "storage/GameCatalogue.h"

#include <string>

class QWidget;

namespace kst {

void showGameRules(QWidget* parent, const std::string& programDir, const GameCatalogue& catalogue,
                   const std::string& customGamesPath, int gameId, const std::string& name);

} // namespace kst
