#pragma once
// The position's key for the transposition table: a 64-bit hash of the piles, the faces and the
// counters that matter, kept up to date pile by pile as the search moves. Alike piles (RuleFacts)
// are hashed as a multiset, so the same position with its columns in another order has one key.

#include <array>
#include <cstdint>

#include "engine/Game.h"
#include "solver/RuleFacts.h"

namespace kst::solver {

class PositionKey {
public:
    // Hashes every pile of the game.
    void reset(const Game& game, const RuleFacts& facts);
    // The pile's text changed (or the faces of its cards): its part of the key is made again when
    // the key is asked for next.
    void pileChanged(int slot) { m_dirty |= std::uint64_t(1) << slot; }
    std::uint64_t key(const Game& game);

private:
    const RuleFacts* m_facts = nullptr;
    std::array<std::uint64_t, PileSlots> m_pile{}; // each pile's own hash
    std::uint64_t m_ordered = 0;                   // the piles in their places
    std::uint64_t m_exchanged = 0;                 // alike piles as a multiset
    std::uint64_t m_dirty = 0;                     // piles changed since the key was last made
    static_assert(PileSlots <= 64);

    std::uint64_t pileHash(const Game& game, int slot) const;
    std::uint64_t dealingOrderHash(const Game& game) const;
    void add(int slot, std::uint64_t hash, bool remove);
    void refresh(const Game& game, int slot);
};

} // namespace kst::solver
