#include "engine/Game.h"

#include <cassert>

namespace kst {

int emptyTableaus(const Game& game)
{
    int n = 0;
    for (int i = 0; i < tableausInUse(game.rules); ++i)
        n += game.cards.piles.fila[std::size_t(i)].empty() ? 1 : 0;
    return n;
}

int emptyReserves(const Game& game)
{
    int n = 0;
    for (int i = 0; i < reservesInUse(game.rules); ++i)
        n += game.cards.piles.appogg[std::size_t(i)].empty() ? 1 : 0;
    return n;
}

std::string gameIsOk(const Game& game)
{
    return tableIsOk(game.cards.piles);
}

} // namespace kst
