#pragma once
// How the cards of a pile spread from its position: stacked, fanned downward or to the right, by
// the steps of the pile's layout code. One description for the painting and the hit test, so the
// two always agree on where each card lies.

#include "cards/Piles.h"
#include "cards/RuleTable.h"
#include "platform/Geometry.h"
#include "table/Layout.h"

#include <string_view>
#include <vector>

namespace kst {

enum class Spread { Stacked, Down, Right };

// A group's spread and the layout code whose steps it takes.
struct FanStyle {
    Spread spread = Spread::Stacked;
    int code = 0;
};

FanStyle tableauFan(const RuleTable& rules);
// Foundations fan downward by their own code 1 or 3; to the right they follow the tableau's
// horizontal codes 2 and 6; otherwise they stack.
FanStyle foundationFan(const RuleTable& rules);
FanStyle reserveFan(const RuleTable& rules);

// Offsets of every card of a pile from the pile's position along its spread, and the band each
// card owns along it (bottom card first).
struct Fan {
    std::vector<int> offsets;
    std::vector<int> bands;
    int length = 0; // from the position to the far edge of the last card
};

Fan fanOf(std::string_view pile, FanStyle style, const DeckTable& deck, const FanSteps& steps, CardSize card);

inline Point cornerOf(Point base, Spread spread, int offset)
{
    return spread == Spread::Right ? Point{base.x + offset, base.y} : Point{base.x, base.y + offset};
}

} // namespace kst
