#include "table/Layout.h"

#include "storage/TextUtils.h"

#include <algorithm>
#include <cmath>
#include <vector>

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

CardSize fitCardOfWidth(int width)
{
    constexpr CardSize big{71, 96};
    return {width, int(std::lround(double(width) * big.height / big.width))};
}

namespace {

// A length of the big card's table scaled to a fit card (fan steps, gaps, the shadow).
int scaledToFit(int bigLength, CardSize card)
{
    constexpr int BigWidth = 71;
    return std::max(1, int(std::lround(double(bigLength) * card.width / BigWidth)));
}

} // namespace

int cardShadowWidth(char cardSizeLetter, CardSize card)
{
    return cardSizeLetter == FitCardSize ? scaledToFit(CardShadowWidth, card) : CardShadowWidth;
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

FanSteps fnSetFanSteps(const RuleTable& rules, char cardSizeLetter, CardSize card)
{
    if (cardSizeLetter == FitCardSize) {
        FanSteps big = fnSetFanSteps(rules, 'B');
        for (int* length : {&big.upVertical, &big.upHorizontal, &big.downVertical, &big.downHorizontal, &big.code6Up,
                            &big.code6Down, &big.sideBySideGap, &big.tight})
            if (*length != 0)
                *length = scaledToFit(*length, card);
        return big;
    }
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

// ---- the card that fits the window -----------------------------------------------------------

namespace {

// The cards a tableau pile is dealt, face down and face up, as the deal lays them.
struct DealtCards {
    int down = 0;
    int up = 0;
    int count() const { return down + up; }
};

DealtCards dealtTo(const RuleTable& rules, int tableau)
{
    const int dealt = std::max(0, int(rules[Rule::TableauDealt + tableau]));
    const int up = std::clamp(int(rules[Rule::TableauFaceUp + tableau]), 0, dealt);
    return {dealt - up, up};
}

// The length from a pile's position to the far edge of its last card, for `down` face-down cards
// under `up` face-up ones, along the spread of a layout code; the card itself when it stacks.
int fanLength(int code, DealtCards cards, const FanSteps& steps, CardSize card)
{
    if (cards.count() <= 1)
        return code == 2 || code == 4 || code == 6 ? card.width : card.height;
    const int gaps = cards.count() - 1;
    // The steps below the top card: face-down cards first, then face-up ones.
    const int downSteps = std::min(cards.down, gaps), upSteps = gaps - downSteps;
    switch (code) {
    case 1:
    case 3: return downSteps * steps.downVertical + upSteps * steps.upVertical + card.height;
    case 2: return downSteps * steps.downHorizontal + upSteps * steps.upHorizontal + card.width;
    case 6: return downSteps * steps.code6Down + upSteps * steps.code6Up + card.width;
    case 4: return gaps * (card.width + steps.sideBySideGap) + card.width;
    case 5: return gaps * steps.tight + card.height;
    default: return card.height;
    }
}

} // namespace

LayoutInputs withFitCard(LayoutInputs in, int width)
{
    in.card = fitCardOfWidth(width);
    in.shadowWidth = cardShadowWidth(FitCardSize, in.card);
    return in;
}

bool cardFits(const RuleTable& rules, const LayoutInputs& in, FitLevel level)
{
    const PilePositions positions = fnComputeLayout(rules, in);
    const FanSteps steps = fnSetFanSteps(rules, FitCardSize, in.card);
    const CardSize card = in.card;
    const int tableauCode = rules[Rule::TableauLayout];
    const bool tableauRight = tableauCode == 2 || tableauCode == 4 || tableauCode == 6;
    const bool tableauDown = tableauCode == 1 || tableauCode == 3;
    // A whole suit: a tableau fanned downward can take a run of thirteen cards on its dealt ones.
    constexpr int SuitCards = 13;

    std::vector<Rect> areas;
    const auto add = [&](PileRef pile, int width, int height) {
        if (!positions.isPlaced(pile))
            return true;
        const Point at = positions.at(pile);
        const Rect area{at.x, at.y, width, height};
        if (area.x < 0 || area.right() > in.width || area.y < in.top || area.bottom() > in.bottom + 1)
            return false;
        for (const Rect& other : areas)
            if (area.x < other.right() && other.x < area.right() && area.y < other.bottom() && other.y < area.bottom())
                return false;
        areas.push_back(area);
        return true;
    };
    const auto count = [&rules](int index, int most) { return std::clamp(int(rules[index]), 0, most); };

    for (int i = 0; i < count(Rule::StockGroupPiles, PileGroups::StockEntries); ++i)
        if (!add({PileGroup::Stock, std::int8_t(i)}, card.width, card.height))
            return false;
    for (int i = 0; i < count(Rule::FoundationCount, Rule::MaxFoundations); ++i)
        if (!add(destPile(i), card.width, card.height))
            return false;
    for (int i = 0; i < count(Rule::ReserveCount, Rule::MaxReserves); ++i)
        if (!add(appoggPile(i), card.width, card.height))
            return false;
    for (int i = 0; i < count(Rule::TableauCount, Rule::MaxTableaus); ++i) {
        const DealtCards dealt = dealtTo(rules, i);
        const int width = tableauRight ? fanLength(tableauCode, dealt, steps, card) : card.width;
        if (!add(filaPile(i), width, card.height))
            return false;
        if (level == FitLevel::RoomToGrow && tableauDown && positions.isPlaced(filaPile(i))) {
            const DealtCards grown{dealt.down, std::max(dealt.up, SuitCards)};
            if (positions.at(filaPile(i)).y + fanLength(tableauCode, grown, steps, card) > in.bottom + 1)
                return false;
        }
    }
    return true;
}

CardSize fitCardSize(const RuleTable& rules, const LayoutInputs& in)
{
    for (const FitLevel level : {FitLevel::RoomToGrow, FitLevel::Piles})
        for (int width = FitWidthMaximum; width >= FitWidthMinimum; --width)
            if (cardFits(rules, withFitCard(in, width), level))
                return fitCardOfWidth(width);
    return fitCardOfWidth(FitWidthMinimum);
}

// ---- device pixels ---------------------------------------------------------------------------

int scaledLength(int length, double scale)
{
    return int(std::lround(length * scale));
}

PilePositions scaledPositions(const PilePositions& positions, double scale)
{
    if (scale == 1)
        return positions;
    PilePositions scaled = positions;
    forEachPile(PileGroups{}, [&](PileRef ref, const std::string&) {
        if (positions.isPlaced(ref)) {
            const Point at = positions.at(ref);
            *scaled.entry(ref) = {scaledLength(at.x, scale), scaledLength(at.y, scale)};
        }
    });
    return scaled;
}

FanSteps scaledSteps(const FanSteps& steps, double scale)
{
    FanSteps scaled = steps;
    for (int* length : {&scaled.upVertical, &scaled.upHorizontal, &scaled.downVertical, &scaled.downHorizontal,
                        &scaled.code6Up, &scaled.code6Down, &scaled.sideBySideGap, &scaled.tight})
        *length = scaledLength(*length, scale);
    return scaled;
}

} // namespace kst
