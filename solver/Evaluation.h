#pragma once
// How promising a position looks, by what every game shares: cards home, face-down cards left,
// cards lying above a lower card of their suit (which must go home first), cards in order on the
// card that takes them, empty piles and free cells. Kept pile by pile as the search moves, like
// the position's key; the search tries the steps to the best-looking positions first.

#include <array>
#include <cstdint>
#include <string_view>

#include "engine/Game.h"
#include "engine/Move.h"
#include "solver/RuleFacts.h"

namespace kst::solver {

class Evaluation {
public:
    void reset(const Game& game, const RuleFacts& facts);
    // The pile changed: its part is valued again when a value is asked for next.
    void pileChanged(int slot) { m_dirty |= std::uint64_t(1) << slot; }
    int value(const Game& game);
    // What the value would be after the drop, without making it: the two piles it changes valued
    // as they would be, the card it lays bare turned up when the rules turn such cards up.
    int valueAfter(const Game& game, const Move& drop, bool turnUps);

private:
    const RuleFacts* m_facts = nullptr;
    bool m_upward = true; // the foundations build up: lower cards go home first
    std::array<int, PileSlots> m_pile{};
    int m_total = 0;
    std::uint64_t m_dirty = 0; // piles changed since their parts were valued

    void refresh(const Game& game);

    int pileValue(const Game& game, int slot) const;
    // The pile's value were it to hold `text`; cards from `faceUpFrom` on count as face up.
    int textValue(const Game& game, PileRef ref, std::string_view text, int faceUpFrom) const;
};

} // namespace kst::solver
