#pragma once
// Shared by the placement files: one question with the table it is asked about, and the small
// predicates the rules are made of. Not part of the engine's interface.

#include <optional>
#include <string_view>

#include "engine/Placement.h"

namespace kst::placement {

struct Context {
    Context(const PlacementQuery& query, const PileGroups& p, const RuleTable& r, const PlacementCounters& n)
        : q(query), piles(p), rules(r), counters(n)
    {
    }

    const PlacementQuery& q;
    const PileGroups& piles;
    const RuleTable& rules;
    const PlacementCounters& counters;

    // ---- the cards ----
    int card() const { return q.card; }
    int top() const { return q.target; }
    bool targetEmpty() const { return q.target <= 0; }
    int cardRank() const { return rank(q.card); }
    int topRank() const { return rank(q.target); }
    bool sameSuit() const { return rules.suitOf(q.card) == rules.suitOf(q.target); }
    bool sameColour() const { return rules.isRedCard(q.card) == rules.isRedCard(q.target); }

    // ---- the piles ----
    std::string_view targetPile() const;
    std::string_view dest(int index) const;   // empty text outside 0..15
    std::string_view fila(int index) const;   // empty text outside 0..27
    int stockCount() const { return cardCount(piles.stock[0]); }
    int wasteCount() const { return cardCount(piles.stock[1]); }
    int foundationsInUse() const;
    int tableausInUse() const;

    // ---- where the card comes from, found once when a rule asks ----
    int source() const;
    bool fromTableau() const { return isTableauPlace(source()); }
    bool fromReserve() const { return isReservePlace(source()); }
    bool fromWaste() const { return source() == PlaceWaste; }

private:
    mutable std::optional<int> m_source;
};

// Bottom card of a pile text; 0 for the empty pile.
int bottomCard(std::string_view pile);
bool holdsCard(std::string_view pile);   // the top element is a card, not an empty slot

// ---- rule families ----
// The empty-pile rule and the balanced starts.
bool emptyPileAccepts(const Context& c);
// The direction rule on a non-empty target.
bool directionAccepts(const Context& c);
// A build code with a complete rule of its own; nullopt when the code has none.
std::optional<bool> completeRule(const Context& c);

} // namespace kst::placement
