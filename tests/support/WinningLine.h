#pragma once
// A plain depth-first search for a winning line of a deal, over the move engine's legal moves,
// for making test data (a deal played to its win, or to some other goal). The move to the most
// promising position is tried first and positions already seen are not searched again; it knows
// no game's strategy.
//
// The line is made of the player's moves, each followed by the steps a game session takes by
// itself (makeSessionSteps), so that it plays through a session, and through kestrane-cli play, move
// for move. Turn-ups stay the player's moves: lines of games with face-down cards are played with
// Automatic_FaceUp=N, and with automatic play off.

#include "engine/AfterMove.h"
#include "engine/Moves.h"

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <unordered_map>
#include <vector>

namespace kst::test {

// Makes the moves a session makes by itself after the player's move (engine/AfterMove.h), with
// turn-ups left to the player and automatic play off. Their undo records go to `made`, in order.
inline void makeSessionSteps(Game& game, const Move& move, int movesBefore, std::vector<MoveUndo>& made)
{
    class Recorder : public StepMaker {
    public:
        Recorder(Game& game, std::vector<MoveUndo>& made) : m_game(game), m_made(made) {}
        bool make(std::span<const Move> moves, AutoStep) override
        {
            bool any = false;
            for (const Move& step : moves)
                if (isLegal(m_game, step)) {
                    m_made.push_back(apply(m_game, step));
                    any = true;
                }
            return any;
        }

    private:
        Game& m_game;
        std::vector<MoveUndo>& m_made;
    } recorder(game, made);
    followMove(game, move, movesBefore, AutomaticPlay{false, false}, recorder);
}

// The player's move and the session's steps after it; taken back by takeBack.
inline std::vector<MoveUndo> playMove(Game& game, const Move& move)
{
    const int movesBefore = game.movesMade;
    std::vector<MoveUndo> made{apply(game, move)};
    makeSessionSteps(game, move, movesBefore, made);
    return made;
}

inline void takeBack(Game& game, const std::vector<MoveUndo>& made)
{
    for (auto record = made.rbegin(); record != made.rend(); ++record)
        undo(game, *record);
}

class WinningLineSearch {
public:
    using Goal = std::function<bool(const Game&)>;

    // Lines longer than maxMoves are not followed (they would also make poor test data).
    WinningLineSearch(long nodeLimit, std::size_t maxMoves) : m_nodesLeft(nodeLimit), m_maxMoves(maxMoves) {}

    // The player's moves from the game to a position that meets the goal; empty when none was
    // found within the limits. A won game ends a line whether it meets the goal or not.
    std::vector<Move> search(Game game, Goal goal = [](const Game& g) { return g.won; })
    {
        m_goal = std::move(goal);
        m_line.clear();
        m_seen.clear();
        if (!m_goal(game) && !extend(game))
            m_line.clear();
        return m_line;
    }

private:
    // A pile with the number of its face-down cards, which turn-ups change.
    static std::string pileKey(const Game& game, const std::string& pile)
    {
        int down = 0;
        for (int p = 0; p < cardCount(pile); ++p)
            down += game.cards.deck.isFaceDown(cardAt(pile, p)) ? 1 : 0;
        return pile + ':' + std::to_string(down) + '|';
    }

    // Tableau piles, reserves and foundations that only trade places count as one position.
    static std::string positionKey(const Game& game)
    {
        const PileGroups& piles = game.cards.piles;
        const auto keys = [&](auto first, int count) {
            std::vector<std::string> out;
            for (auto pile = first; pile != first + count; ++pile)
                out.push_back(pileKey(game, *pile));
            std::ranges::sort(out);
            return out;
        };
        std::string key;
        for (const std::string& pile : keys(piles.fila.begin(), tableausInUse(game.rules)))
            key += pile;
        for (const std::string& pile : keys(piles.appogg.begin(), reservesInUse(game.rules)))
            key += pile;
        for (const std::string& pile : keys(piles.dest.begin(), foundationsInUse(game.rules)))
            key += pile;
        for (const std::string& pile : piles.stock)
            key += pileKey(game, pile);
        // With a limited number of redeals the same cards are a different position on a later pass.
        if (game.rules[Rule::Deals] >= 0)
            key += std::to_string(game.counters.DealCounter);
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
        if (--m_nodesLeft < 0 || m_line.size() >= m_maxMoves)
            return false;
        // A position seen before is searched again only when reached by a shorter line, which
        // leaves more moves to it under the length limit.
        const auto [seen, isNew] = m_seen.try_emplace(positionKey(game), m_line.size());
        if (!isNew && seen->second <= m_line.size())
            return false;
        seen->second = m_line.size();
        // The most promising move first.
        std::vector<std::pair<int, Move>> moves;
        for (const Move& move : legalMoves(game)) {
            const std::vector<MoveUndo> made = playMove(game, move);
            moves.emplace_back(-promise(game), move);
            takeBack(game, made);
        }
        std::ranges::stable_sort(moves, {}, &std::pair<int, Move>::first);
        for (const auto& [ignored, move] : moves) {
            const std::vector<MoveUndo> made = playMove(game, move);
            m_line.push_back(move);
            if (m_goal(game) || (!game.won && extend(game)))
                return true;
            m_line.pop_back();
            takeBack(game, made);
        }
        return false;
    }

    long m_nodesLeft;
    std::size_t m_maxMoves;
    Goal m_goal;
    std::vector<Move> m_line;
    std::unordered_map<std::string, std::size_t> m_seen; // the shortest line to each position
};

} // namespace kst::test
