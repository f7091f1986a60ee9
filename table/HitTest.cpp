// Which pile and card lie under a point of the window.

#include "table/Fans.h"
#include "table/Layout.h"

#include <algorithm>
#include <vector>

namespace kst {
namespace {

bool within(int value, int low, int high) { return value >= low && value <= high; }

// A foundation or reserve: only its top card can be hit, at the end of its fan.
bool hitTopCard(const HitTestTable& t, PileRef ref, FanStyle style, Point point, PileHit& hit)
{
    if (!t.positions.isPlaced(ref))
        return false;
    const std::string& pile = *t.cards.piles.pile(ref);
    const Point base{fnPileX(t.positions, ref), fnPileY(t.positions, ref, t.scrollOffset)};
    Point corner = base;
    if (style.spread != Spread::Stacked && cardCount(pile) > 0) {
        const Fan fan = fanOf(pile, style, t.cards.deck, t.steps, t.card);
        corner = cornerOf(base, style.spread, fan.offsets.back());
    }
    if (!within(point.x, corner.x, corner.x + t.card.width) || !within(point.y, corner.y, corner.y + t.card.height))
        return false;
    hit = {ref, topCard(pile), corner};
    return true;
}

} // namespace

PileHit hitTest(const HitTestTable& t, Point point)
{
    const int W = t.card.width, H = t.card.height;
    PileHit hit;

    for (int i = 0; i < PileGroups::StockEntries; ++i) {
        const PileRef ref{PileGroup::Stock, std::int8_t(i)};
        if (!t.positions.isPlaced(ref))
            continue;
        const Point p{fnPileX(t.positions, ref), fnPileY(t.positions, ref, t.scrollOffset)};
        if (within(point.x, p.x, p.x + W) && within(point.y, p.y, p.y + H))
            return {ref, topCard(*t.cards.piles.pile(ref)), p};
    }

    const FanStyle style = tableauFan(t.rules);
    const int code = style.code;
    const Spread spread = style.spread;
    const int n = std::clamp(int(t.rules[Rule::TableauCount]), 0, Rule::MaxTableaus);
    for (int k = 0; k < n; ++k) {
        const int i = code == 4 ? n - 1 - k : k;
        const PileRef ref = filaPile(i);
        if (!t.positions.isPlaced(ref))
            continue;
        const std::string& pile = t.cards.piles.fila[std::size_t(i)];
        const Point p{fnPileX(t.positions, ref), fnPileY(t.positions, ref, t.scrollOffset)};
        const Fan fan = spread == Spread::Stacked ? Fan{} : fanOf(pile, style, t.cards.deck, t.steps, t.card);
        const int alongLength = spread == Spread::Stacked ? H : fan.length;
        const bool right = spread == Spread::Right;
        const int along = right ? point.x - p.x : point.y - p.y;
        const int across = right ? point.y - p.y : point.x - p.x;
        const int acrossLength = right ? H : W;
        if (!within(along, 0, alongLength) || !within(across, 0, acrossLength))
            continue;
        if (spread == Spread::Stacked || code == 3)
            return {ref, topCard(pile), p};
        for (std::size_t c = 0; c < fan.offsets.size(); ++c)
            if (within(along, fan.offsets[c], fan.offsets[c] + fan.bands[c]))
                return {ref, cardAt(pile, int(c)), cornerOf(p, spread, fan.offsets[c])};
        if (code != 4)
            return {ref, 0, p};
    }

    const FanStyle destStyle = foundationFan(t.rules);
    for (int i = 0; i < PileGroups::DestEntries; ++i)
        if (hitTopCard(t, destPile(i), destStyle, point, hit))
            return hit;

    const FanStyle reserveStyle = reserveFan(t.rules);
    const int a = std::clamp(int(t.rules[Rule::ReserveCount]), 0, Rule::MaxReserves);
    for (int i = 0; i < a; ++i)
        if (hitTopCard(t, appoggPile(i), reserveStyle, point, hit))
            return hit;
    return {};
}

} // namespace kst
