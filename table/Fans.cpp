#include "table/Fans.h"

namespace kst {

FanStyle tableauFan(const RuleTable& rules)
{
    const int code = rules[Rule::TableauLayout];
    switch (code) {
    case 1:
    case 3:
    case 5: return {Spread::Down, code};
    case 2:
    case 4:
    case 6: return {Spread::Right, code};
    // Stacked piles and the grid-slot codes 7, 8, 9, whose cards lie on their position.
    default: return {Spread::Stacked, code};
    }
}

FanStyle foundationFan(const RuleTable& rules)
{
    const int code = rules[Rule::FoundationLayout];
    if (code == 1 || code == 3)
        return {Spread::Down, 1};
    const int tableau = rules[Rule::TableauLayout];
    if (tableau == 2 || tableau == 6)
        return {Spread::Right, tableau};
    return {Spread::Stacked, code};
}

FanStyle reserveFan(const RuleTable& rules)
{
    const int code = rules[Rule::ReserveLayout];
    if (code == 1 || code == 3 || code == 5)
        return {Spread::Down, code == 3 ? 1 : code};
    if (code == 2)
        return {Spread::Right, code};
    return {Spread::Stacked, code};
}

Fan fanOf(std::string_view pile, FanStyle style, const DeckTable& deck, const FanSteps& steps, CardSize card)
{
    Fan fan;
    const int count = cardCount(pile);
    const int whole = style.spread == Spread::Right ? card.width : card.height;
    int offset = 0;
    for (int i = 0; i < count; ++i) {
        const int number = cardAt(pile, i);
        const bool down = number > 0 && deck.isFaceDown(number);
        int step = 0;
        if (style.spread != Spread::Stacked) {
            switch (style.code) {
            case 1:
            case 3: step = down ? steps.downVertical : steps.upVertical; break;
            case 2: step = down ? steps.downHorizontal : steps.upHorizontal; break;
            case 6: step = down ? steps.code6Down : steps.code6Up; break;
            case 4: step = card.width + steps.sideBySideGap; break;
            case 5: step = steps.tight; break;
            default: break;
            }
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

} // namespace kst
