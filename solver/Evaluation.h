#pragma once
// How promising a position looks, by what every game shares: cards home, face-down cards left,
// cards lying above a lower card of their suit (which must go home first), cards in order on the
// card that takes them, empty piles and free cells. Kept pile by pile as the search moves, like
// the position's key; the search tries the steps to the best-looking positions first.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

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
    // A tableau pile valued from the bottom up to some card: what the next card above is valued by.
    struct Prefix {
        int value = 0;
        std::array<std::int8_t, 4> lowest{}; // the lowest (or highest) rank of each suit so far
        std::uint8_t below = 0;              // the card under the next one; 0 after a gap
        bool belowDown = false;              // and it lies face down
    };

    const RuleFacts* m_facts = nullptr;
    bool m_upward = true; // the foundations build up: lower cards go home first
    std::array<int, PileSlots> m_pile{};
    // Each tableau pile's values from the bottom: [p] for its first p cards. A move changes
    // only the cards at the top of two piles, so the value after it starts from these.
    std::array<std::vector<Prefix>, PileSlots> m_prefix;
    int m_total = 0;
    std::uint64_t m_dirty = 0; // piles changed since their parts were valued

    void refresh(const Game& game);

    int pileValue(const Game& game, int slot);
    // A pile with no card (an empty tableau pile, a free cell, ...).
    int emptyValue(const Game& game, PileRef ref) const;
    // The card laid on the tableau pile valued so far.
    void add(Prefix& prefix, const Game& game, int card, bool faceDown) const;
    Prefix start() const;
};

} // namespace kst::solver
