#pragma once
// A plain depth-first search for a winning line of a deal, over the move engine's legal moves,
// for making test data (a deal played to its win). The move to the most promising position is
// tried first and positions already seen are not searched again; it knows no game's strategy.

#include "engine/Moves.h"

#include <algorithm>
#include <string>
#include <utility>
#include <unordered_set>
#include <vector>

namespace kst::test {

class WinningLineSearch {
public:
    // Lines longer than maxMoves are not followed (they would also make poor test data).
    WinningLineSearch(long nodeLimit, std::size_t maxMoves) : m_nodesLeft(nodeLimit), m_maxMoves(maxMoves) {}

    // The moves from the game to a win; empty when none was found within the limits.
    std::vector<Move> search(Game game)
    {
        m_line.clear();
        m_seen.clear();
        if (!game.won && !extend(game))
            m_line.clear();
        return m_line;
    }

private:
    // Tableau piles and reserves that only trade places count as one position.
    static std::string positionKey(const Game& game)
    {
        const PileGroups& piles = game.cards.piles;
        std::vector<std::string> tableau(piles.fila.begin(), piles.fila.begin() + tableausInUse(game.rules));
        std::vector<std::string> reserves(piles.appogg.begin(), piles.appogg.begin() + reservesInUse(game.rules));
        std::ranges::sort(tableau);
        std::ranges::sort(reserves);
        std::string key;
        for (const auto* group : {&tableau, &reserves})
            for (const std::string& pile : *group)
                key += pile + '|';
        for (const std::string& pile : piles.dest)
            key += pile + '|';
        for (const std::string& pile : piles.stock)
            key += pile + '|';
        return key;
    }

    // How far the position looks from a win, by what any patience rewards: cards on the
    // foundations, free piles, and ordered runs at the tops of the tableau.
    static int promise(const Game& game)
    {
        const PileGroups& piles = game.cards.piles;
        int value = 0;
        for (const std::string& pile : piles.dest)
            value += 20 * cardCount(pile);
        value += 3 * emptyReserves(game) + 6 * emptyTableaus(game);
        for (int i = 0; i < tableausInUse(game.rules); ++i) {
            const int size = cardCount(piles.fila[std::size_t(i)]);
            for (int p = size - 1; p > 0 && sequenceAllows(game, filaPile(i), p - 1); --p)
                ++value;
        }
        return value;
    }

    bool extend(Game& game)
    {
        if (--m_nodesLeft < 0 || m_line.size() >= m_maxMoves || !m_seen.insert(positionKey(game)).second)
            return false;
        // The most promising move first.
        std::vector<std::pair<int, Move>> moves;
        for (const Move& move : legalMoves(game)) {
            const MoveUndo record = apply(game, move);
            moves.emplace_back(-promise(game), move);
            undo(game, record);
        }
        std::ranges::stable_sort(moves, {}, &std::pair<int, Move>::first);
        for (const auto& [ignored, move] : moves) {
            const MoveUndo record = apply(game, move);
            m_line.push_back(move);
            if (game.won || extend(game))
                return true;
            m_line.pop_back();
            undo(game, record);
        }
        return false;
    }

    long m_nodesLeft;
    std::size_t m_maxMoves;
    std::vector<Move> m_line;
    std::unordered_set<std::string> m_seen;
};

} // namespace kst::test
