// Which pile and card lie under a point of the window.

#include "table/Layout.h"

#include <algorithm>
#include <vector>

namespace kst {
namespace {

bool within(int value, int low, int high) { return value >= low && value <= high; }

enum class Spread { Stacked, Down, Right };

// Offsets of every card of a fanned pile from the pile's position along its spread, and the
// band each card owns along it.
struct Fan {
    std::vector<int> offsets;
    std::vector<int> bands;
    int length = 0; // from the position to the far edge of the last card
};

Fan fanOf(const HitTestTable& t, const std::string& pile, int layoutCode, Spread spread)
{
    Fan fan;
    const int count = cardCount(pile);
    const int whole = spread == Spread::Right ? t.card.width : t.card.height;
    int offset = 0;
    for (int i = 0; i < count; ++i) {
        const int card = cardAt(pile, i);
        const bool down = card > 0 && t.cards.deck.isFaceDown(card);
        int step = 0;
        switch (layoutCode) {
        case 1:
        case 3: step = down ? t.steps.downVertical : t.steps.upVertical; break;
        case 2: step = down ? t.steps.downHorizontal : t.steps.upHorizontal; break;
        case 6: step = down ? t.steps.code6Down : t.steps.code6Up; break;
        case 4: step = t.card.width + t.steps.sideBySideGap; break;
        case 5: step = t.steps.tight; break;
        default: break;
        }
        fan.offsets.push_back(offset);
        // The top card shows whole; its band stops one pixel short so that it covers exactly
        // the card (bands are inclusive at both ends).
        fan.bands.push_back(i + 1 == count ? whole - 1 : step);
        if (i + 1 < count)
            offset += step;
    }
    fan.length = offset + whole;
    return fan;
}

Spread tableauSpread(int code)
{
    switch (code) {
    case 1:
    case 3:
    case 5: return Spread::Down;
    case 2:
    case 4:
    case 6: return Spread::Right;
    // Stacked piles and the grid-slot codes 7, 8, 9 answer on the rectangle of their position.
    default: return Spread::Stacked;
    }
}

Point cornerOf(Point base, Spread spread, int offset)
{
    return spread == Spread::Right ? Point{base.x + offset, base.y} : Point{base.x, base.y + offset};
}

// A foundation or reserve: only its top card can be hit, at the end of its fan.
bool hitTopCard(const HitTestTable& t, PileRef ref, int layoutCode, Spread spread, Point point, PileHit& hit)
{
    if (!t.positions.isPlaced(ref))
        return false;
    const std::string& pile = *t.cards.piles.pile(ref);
    const Point base{fnPileX(t.positions, ref), fnPileY(t.positions, ref, t.scrollOffset)};
    Point corner = base;
    if (spread != Spread::Stacked && cardCount(pile) > 0) {
        const Fan fan = fanOf(t, pile, layoutCode, spread);
        corner = cornerOf(base, spread, fan.offsets.back());
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

    const int code = t.rules[Rule::TableauLayout];
    const Spread spread = tableauSpread(code);
    const int n = std::clamp(int(t.rules[Rule::TableauCount]), 0, Rule::MaxTableaus);
    for (int k = 0; k < n; ++k) {
        const int i = code == 4 ? n - 1 - k : k;
        const PileRef ref = filaPile(i);
        if (!t.positions.isPlaced(ref))
            continue;
        const std::string& pile = t.cards.piles.fila[std::size_t(i)];
        const Point p{fnPileX(t.positions, ref), fnPileY(t.positions, ref, t.scrollOffset)};
        const Fan fan = spread == Spread::Stacked ? Fan{} : fanOf(t, pile, code, spread);
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

    const int destCode = t.rules[Rule::FoundationLayout];
    const Spread destSpread = destCode == 1 || destCode == 3 ? Spread::Down
        : code == 2 || code == 6                             ? Spread::Right
                                                             : Spread::Stacked;
    // A foundation fanned rightward follows the tableau's own horizontal steps.
    const int destFanCode = destSpread == Spread::Down ? 1 : code;
    for (int i = 0; i < PileGroups::DestEntries; ++i)
        if (hitTopCard(t, destPile(i), destFanCode, destSpread, point, hit))
            return hit;

    const int reserveCode = t.rules[Rule::ReserveLayout];
    const Spread reserveSpread = reserveCode == 1 || reserveCode == 3 || reserveCode == 5 ? Spread::Down
        : reserveCode == 2                                                                ? Spread::Right
                                                                                          : Spread::Stacked;
    const int a = std::clamp(int(t.rules[Rule::ReserveCount]), 0, Rule::MaxReserves);
    for (int i = 0; i < a; ++i)
        if (hitTopCard(t, appoggPile(i), reserveCode == 3 ? 1 : reserveCode, reserveSpread, point, hit))
            return hit;
    return {};
}

} // namespace kst
