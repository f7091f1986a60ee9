#pragma once
// How promising a position looks, by what every game shares: cards home, face-down cards left,
// cards lying above a lower card of their suit (which must go home first), cards in order on the
// card that takes them, empty piles and free cells. Kept pile by pile as the search moves, like
// the position's key; the search tries the steps to the best-looking positions first.

#include <array>

#include "engine/Game.h"
#include "solver/RuleFacts.h"

namespace kst::solver {

class Evaluation {
public:
    void reset(const Game& game, const RuleFacts& facts);
    void pileChanged(const Game& game, int slot);
    int value() const { return m_total; }

private:
    const RuleFacts* m_facts = nullptr;
    bool m_upward = true; // the foundations build up: lower cards go home first
    std::array<int, PileSlots> m_pile{};
    int m_total = 0;

    int pileValue(const Game& game, int slot) const;
};

} // namespace kst::solver
