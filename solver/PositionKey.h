#pragma once
// The position's key for the transposition table: a 64-bit hash of the piles, the faces and the
// counters that matter, kept up to date pile by pile as the search moves. Alike piles (RuleFacts)
// are hashed as a multiset, so the same position with its columns in another order has one key.

#include <array>
#include <cstdint>
#include <vector>

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
    // The key after `count` cards from `position` up of tableau, reserve or foundation pile `from`
    // go face up onto pile `to`, the rest of the game as it is, without making the move.
    std::uint64_t keyAfter(const Game& game, PileRef from, int position, PileRef to);

private:
    const RuleFacts* m_facts = nullptr;
    std::array<std::uint64_t, PileSlots> m_pile{}; // each pile's own hash
    // Each pile's cards hashed from the bottom: [p] for its first p cards (piles of the stock
    // group keyed by their dealing order excepted).
    std::array<std::vector<std::uint64_t>, PileSlots> m_prefix;
    std::uint64_t m_ordered = 0;                   // the piles in their places
    std::uint64_t m_exchanged = 0;                 // alike piles as a multiset
    std::uint64_t m_dirty = 0;                     // piles changed since the key was last made
    static_assert(PileSlots <= 64);

    std::uint64_t pileHash(const Game& game, int slot);
    std::uint64_t dealingOrderHash(const Game& game) const;
    std::uint64_t countersHash(const Game& game, bool moved) const;
    void add(int slot, std::uint64_t hash, bool remove);
    void refresh(const Game& game, int slot);
};

} // namespace kst::solver
