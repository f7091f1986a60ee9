#include "table/Layout.h"

#include "storage/TextUtils.h"

#include <algorithm>

namespace kst {

// ---- card size and the screen-size rule --------------------------------------------------------

CardSize cardSizeFor(char letter, CardSize current)
{
    switch (letter) {
    case 'B': return {71, 96};
    case 'M': return {59, 80};
    case 'L': return {25, 32};
    default: return current;
    }
}

ScreenSizeOutcome applyScreenSizeRule(int screenSizeClass, int screenWidth, const std::string& gameName,
                                      CardFields fields, ScreenSizeFlags flags)
{
    ScreenSizeOutcome out;
    const bool tooSmall = (screenWidth < 650 && screenSizeClass == 1) || (screenWidth < 810 && screenSizeClass == 2);
    if (!tooSmall) {
        if (!fnTrimRight(fields.savedCard).empty()) {
            fields.cardSize = fields.savedCardSize;
            fields.card = fields.savedCard;
            fields.backCard = fields.savedBackCard;
            fields.savedCardSize.clear();
            fields.savedCard.clear();
            fields.savedBackCard.clear();
        }
        out.enableCustomize = true;
    } else if (fields.cardSize == "B") {
        fields.savedCardSize = fields.cardSize;
        fields.savedCard = fields.card;
        fields.savedBackCard = fields.backCard;
        fields.card = "003";
        fields.backCard = "006";
        fields.cardSize = "M";
    } else {
        flags.forcedMedium = true;
    }
    // The warning belongs to a screen that is too small; a game that fits never shows it.
    if (tooSmall && !flags.forcedMedium && (screenSizeClass == 1 || screenSizeClass == 2)) {
        flags.forcedMedium = true;
        bool& shown = screenSizeClass == 1 ? flags.shown640 : flags.shown800;
        if (!shown) {
            const std::string start = screenSizeClass == 1
                ? "Your video card's display is 640x480 pixels. For the best graphics display the screen "
                  "resolution should be set to 800x600 pixels or higher. However, it's possible to play "
                : "Your video card's display is 800x600 pixels. For the best graphics display of this game "
                  "the screen resolution should be set to 1024x768 pixels or higher. However, it's possible "
                  "to play ";
            out.message = start + fnTrimRight(gameName.substr(0, 50)) + " " + "using predefined card and deck sets.";
            shown = true;
        }
    }
    out.fields = std::move(fields);
    out.flags = flags;
    return out;
}

// ---- fan steps -------------------------------------------------------------------------------

FanSteps fnSetFanSteps(const RuleTable& rules, char cardSizeLetter)
{
    struct Row {
        int up, down;
    };
    const auto bySize = [cardSizeLetter](Row big, Row medium, Row little) -> Row {
        switch (cardSizeLetter) {
        case 'B': return big;
        case 'M': return medium;
        case 'L': return little;
        default: return {0, 0};
        }
    };
    FanSteps steps;
    const int c3 = rules[Rule::TableauLayout], c5 = rules[Rule::ReserveLayout];
    if (c3 == 1 || c5 == 1) {
        const Row r = bySize({18, 4}, {14, 4}, {3, 3});
        steps.upVertical = r.up;
        steps.downVertical = r.down;
    }
    if (c3 == 2 || c5 == 2) {
        const Row r = bySize({12, 4}, {10, 4}, {3, 3});
        steps.upHorizontal = r.up;
        steps.downHorizontal = r.down;
    }
    if (c3 == 6) {
        const Row r = bySize({7, 7}, {5, 5}, {3, 3});
        steps.code6Up = r.up;
        steps.code6Down = r.down;
    }
    return steps;
}

// ---- pile positions --------------------------------------------------------------------------

int notPlacedMarker(PileGroup group)
{
    switch (group) {
    case PileGroup::Stock: return StockNotPlaced;
    case PileGroup::Dest: return DestNotPlaced;
    case PileGroup::Fila: return FilaNotPlaced;
    case PileGroup::Appogg: return AppoggNotPlaced;
    default: return StockNotPlaced;
    }
}

void PilePositions::reset()
{
    stock.fill({StockNotPlaced, StockNotPlaced});
    dest.fill({DestNotPlaced, DestNotPlaced});
    fila.fill({FilaNotPlaced, FilaNotPlaced});
    appogg.fill({AppoggNotPlaced, AppoggNotPlaced});
}

Point* PilePositions::entry(PileRef ref)
{
    const int i = ref.index;
    const auto pick = [i](auto& group) -> Point* {
        return i >= 0 && i < int(group.size()) ? &group[std::size_t(i)] : nullptr;
    };
    switch (ref.group) {
    case PileGroup::Stock: return pick(stock);
    case PileGroup::Dest: return pick(dest);
    case PileGroup::Fila: return pick(fila);
    case PileGroup::Appogg: return pick(appogg);
    default: return nullptr;
    }
}

Point PilePositions::at(PileRef ref) const
{
    if (const Point* p = const_cast<PilePositions*>(this)->entry(ref))
        return *p;
    const int marker = notPlacedMarker(ref.group);
    return {marker, marker};
}

bool PilePositions::isPlaced(PileRef ref) const
{
    const Point p = at(ref);
    const int marker = notPlacedMarker(ref.group);
    return p.x != marker && p.y != marker;
}

} // namespace kst
