// The build codes that are complete rules of their own. A rule that compares the card with the
// target's top card leaves an empty target to the empty-pile rule unless it says otherwise; a rule
// that looks only at where the card comes from or at counters applies to any target.

#include "engine/PlacementContext.h"

namespace kst::placement {

namespace {

// ---- small rank relations --------------------------------------------------------------------

bool oneUp(const Context& c) { return c.cardRank() == c.topRank() + 1; }
bool oneDown(const Context& c) { return c.cardRank() == c.topRank() - 1; }
bool oneApart(const Context& c) { return oneUp(c) || oneDown(c); }
bool aceKingEitherWay(const Context& c)
{
    return (c.topRank() == King && c.cardRank() == Ace) || (c.topRank() == Ace && c.cardRank() == King);
}
bool kingOnAce(const Context& c) { return c.topRank() == Ace && c.cardRank() == King; }
bool stepUpCyclic(const Context& c, int step)
{
    const int reached = c.topRank() + step;
    return c.cardRank() == reached || reached % 13 == c.cardRank();
}

bool onEmptyOr(const Context& c, bool onCard)
{
    return c.targetEmpty() ? emptyPileAccepts(c) : onCard;
}

bool hasCards(std::string_view pile) { return cardCount(pile) > 0; }

// ---- the waste row ---------------------------------------------------------------------------

// While the waste has cards, cards of the row's rank open the first empty pile and the others
// extend the last started pile of the row of eight.
bool wasteRow(const Context& c, int rowRank)
{
    if (c.fromTableau() || c.q.toFoundation)
        return false;
    const int i = c.q.pileIndex;
    if (c.cardRank() == rowRank) {
        for (int pile = 0; pile < c.tableausInUse(); ++pile) {
            if (!hasCards(c.fila(pile)))
                return pile == i;
        }
        return false;
    }
    if (!hasCards(c.fila(i)) || i > 7)
        return false;
    const bool beforeHolds = i == 0 || hasCards(c.fila(i - 1));
    const bool afterEmpty = i == 7 || !hasCards(c.fila(i + 1));
    return beforeHolds && afterEmpty;
}

// ---- rules of a few cards on a pile ----------------------------------------------------------

// 38 and 48: a lone King (Queen) takes one card that is not of the row's ranks.
bool loneRowCard(const Context& c, int rowRank)
{
    if (c.wasteCount() > 0)
        return wasteRow(c, rowRank);
    if (c.targetEmpty())
        return c.cardRank() == rowRank;
    const bool forbidden = c.cardRank() == Queen || (rowRank == King && c.cardRank() == King);
    return cardCount(c.targetPile()) == 1 && c.topRank() == rowRank && !forbidden;
}

bool kingRow(const Context& c)
{
    if (c.wasteCount() > 0)
        return wasteRow(c, King);
    if (c.targetEmpty())
        return c.cardRank() == King;
    if (c.cardRank() == King)
        return false;
    return cardCount(c.targetPile()) == 1 || oneDown(c);
}

bool followsLastTwo(const Context& c)
{
    if (!c.sameSuit() || aceKingEitherWay(c))
        return false;
    const std::string_view pile = c.targetPile();
    const int count = cardCount(pile);
    const int below = count >= 2 ? rank(cardAt(pile, count - 2)) : NoRank;
    if (below == NoRank || below == c.topRank())
        return oneApart(c);
    return below < c.topRank() ? oneUp(c) : oneDown(c);
}

// 29: up to the King, a second King, then back down.
bool doubleFoundation(const Context& c)
{
    if (c.targetEmpty())
        return emptyPileAccepts(c);
    if (!c.sameSuit())
        return false;
    const int count = cardCount(c.targetPile());
    if (count <= 12)
        return oneUp(c);
    if (count == 13)
        return c.cardRank() == King;
    return oneDown(c);
}

// ---- counters --------------------------------------------------------------------------------

bool counterRank(const Context& c)
{
    if (c.stockCount() + c.wasteCount() == 1)
        return true;
    const int r = c.counters.SpecialCounter % 13;
    const int wanted = r == 0 ? King : (r < 0 ? r + 13 : r);
    return c.cardRank() == wanted;
}

// ---- foundations that look at other piles ----------------------------------------------------

bool baseRankOnEmpty(const Context& c) { return c.cardRank() == c.q.baseRank; }

// 41: an empty pile's base rank in a suit no foundation of its group of four shows on top.
bool twoUpGroupOfFour(const Context& c)
{
    if (!c.targetEmpty())
        return c.sameSuit() && stepUpCyclic(c, 2);
    if (!baseRankOnEmpty(c))
        return false;
    const int first = c.q.pileIndex < 4 ? 0 : 4;
    for (int i = first; i < first + 4; ++i) {
        const int topOf = topCard(c.dest(i));
        if (isCardNumber(topOf) && suitIndex(topOf) == suitIndex(c.card()))
            return false;
    }
    return true;
}

bool kingAfterPartner(const Context& c)
{
    if (c.targetEmpty())
        return emptyPileAccepts(c);
    if (!c.sameSuit() || !oneUp(c))
        return false;
    return c.cardRank() != King || rank(topCard(c.dest(c.q.pileIndex + 6))) == King;
}

// 49 to 52: an empty pile opens only beside a started tableau pile, 51 and 52 in its suit.
bool emptyBesideTableau(const Context& c, int tableau, bool needsPile, bool needsSuit)
{
    if (!baseRankOnEmpty(c))
        return false;
    if (!needsPile)
        return true;
    const std::string_view pile = c.fila(tableau);
    if (tableau < 0 || !hasCards(pile))
        return false;
    return !needsSuit || suitIndex(bottomCard(pile)) == suitIndex(c.card());
}

bool upNoCourt(const Context& c, bool needsPile, bool needsSuit)
{
    if (c.targetEmpty())
        return emptyBesideTableau(c, c.q.pileIndex, needsPile, needsSuit);
    return oneUp(c) && c.cardRank() != Queen && c.cardRank() != King;
}

bool downNoQueen(const Context& c, bool needsPile, bool needsSuit)
{
    if (c.targetEmpty())
        return emptyBesideTableau(c, c.q.pileIndex - 8, needsPile, needsSuit);
    return c.cardRank() != Queen && (oneDown(c) || kingOnAce(c));
}

bool afterFirstFoundationFull(const Context& c)
{
    if (c.q.pileIndex > 0 && cardCount(c.dest(0)) < 13)
        return false;
    if (c.targetEmpty())
        return baseRankOnEmpty(c);
    return oneUp(c) || (c.topRank() == King && c.cardRank() == Ace);
}

bool downAfterPreviousFoundation(const Context& c)
{
    if (c.targetEmpty())
        return baseRankOnEmpty(c) && (c.q.pileIndex == 0 || hasCards(c.dest(c.q.pileIndex - 1)));
    return oneDown(c) || kingOnAce(c);
}

// 58 and 64: two Ace foundations of one colour and two King foundations of the other, one suit
// each; while the stock lasts, tableau piles 5 to 8 feed only their own foundation.
bool pairedFoundations(const Context& c)
{
    const int i = c.q.pileIndex;
    const int from = c.source();
    if (c.stockCount() > 0 && from >= 5 && from <= 8 && !(c.q.toFoundation && i == from - 5))
        return false;
    if (!c.targetEmpty())
        return c.sameSuit() && (c.q.direction == BuildUp ? oneUp(c) : oneDown(c));
    if (i > 3 || c.cardRank() != (i < 2 ? Ace : King))
        return false;
    const bool red = isRed(c.card());
    const int partner = i ^ 1;
    const int otherPair = i < 2 ? 2 : 0;
    const int partnerTop = topCard(c.dest(partner));
    if (isCardNumber(partnerTop) && isRed(partnerTop) != red)
        return false;
    for (int j = otherPair; j < otherPair + 2; ++j) {
        const int otherTop = topCard(c.dest(j));
        if (isCardNumber(otherTop) && isRed(otherTop) == red)
            return false;
    }
    for (int j = 0; j < 4; ++j) {
        const int bottom = bottomCard(c.dest(j));
        if (j != i && isCardNumber(bottom) && suitIndex(bottom) == suitIndex(c.card()))
            return false;
    }
    return true;
}

// 62: a Jack or King opens its foundation only while its Ace or Queen is free to come along.
bool bringsCompanion(const Context& c)
{
    const int p = c.cardRank();
    if (c.rules[Rule::GameType] != 30 || p == Ace || p == Queen)
        return false;
    if (p == Jack || p == King) {
        if (!c.targetEmpty() || c.q.baseRank != p)
            return false;
        const int companion = cardOf(p == Jack ? Ace : Queen, suitIndex(c.card()));
        const auto isCompanion = [&](int top) { return isCardNumber(top) && rank(top) == rank(companion)
                                                    && suitIndex(top) == suitIndex(companion); };
        if (isCompanion(topCard(c.piles.stock[1])))
            return true;
        for (int i = 0; i < c.tableausInUse(); ++i) {
            if (isCompanion(topCard(c.fila(i))))
                return true;
        }
        return false;
    }
    return !c.targetEmpty() && c.sameSuit() && c.topRank() == p + 1;
}

// 63: in the first pass through the stock the left and right tableau halves feed their own
// foundations.
bool halvesFeedOwnFoundations(const Context& c)
{
    if (c.counters.DealCounter <= 1) {
        const int from = c.source();
        const bool lowFoundation = c.q.toFoundation && c.q.pileIndex < 4;
        const bool highFoundation = c.q.toFoundation && c.q.pileIndex >= 4;
        if (from >= 1 && from <= 4 && !lowFoundation)
            return false;
        if (from >= 7 && from <= 10 && !highFoundation)
            return false;
    }
    return onEmptyOr(c, c.sameSuit() && directionAccepts(c));
}

// ---- grids -----------------------------------------------------------------------------------

bool gridStep(const Context& c)
{
    const int width = c.rules[Rule::GridWidth];
    if (c.q.toFoundation || !c.targetEmpty() || width <= 0 || !c.fromTableau())
        return false;
    const int to = c.q.pileIndex;
    const int from = c.source() - 1;
    const bool sameRow = from / width == to / width;
    return ((from == to - 1 || from == to + 1) && sameRow) || from == to - width || from == to + width;
}

bool gridJump(const Context& c)
{
    if (c.q.toFoundation || !c.targetEmpty() || !c.fromTableau())
        return false;
    const int between = jumpedSlot(c.source() - 1, c.q.pileIndex, c.rules[Rule::GridWidth]);
    return between >= 0 && holdsCard(c.fila(between));
}

} // namespace

std::optional<bool> completeRule(const Context& c)
{
    const bool empty = c.targetEmpty();
    const int p = c.cardRank();
    const int t = c.topRank();
    const bool onTableau = !c.q.toFoundation;
    switch (c.q.buildCode) {
    case 14:
    case 15:
    case 16:
        return onEmptyOr(c, stepUpCyclic(c, c.q.buildCode - 12));
    case 17:
        return !c.fromTableau();
    case 18:
        return !c.fromTableau() || (onTableau && empty);
    case 19:
        return !c.fromTableau() && !c.fromReserve();
    case 33:
        return !c.fromTableau() && cardCount(c.targetPile()) <= 1;
    case 20:
        return p == Ace ? empty || t == King : !empty && oneUp(c);
    case 21:
        return onEmptyOr(c, !c.sameSuit() && directionAccepts(c));
    case 23:
        return c.wasteCount() == 0 && onEmptyOr(c, c.sameSuit() && oneUp(c));
    case 24:
        return onEmptyOr(c, c.sameSuit() && directionAccepts(c)
                                && !(p == King && t == Queen) && !(p == Queen && t == King));
    case 25:
    case 61: {
        const bool twoApart = c.q.direction == BuildUp ? p == t + 2 : p == t - 2;
        const bool turning = c.q.buildCode == 61 && ((p == Two && t == King) || (p == Ace && t == Queen));
        return onEmptyOr(c, c.sameSuit() && (twoApart || turning));
    }
    case 26:
        return !empty && cardCount(c.targetPile()) < 3 && oneApart(c);
    case 27:
        return !c.fromReserve() && onEmptyOr(c, !c.sameColour() && directionAccepts(c));
    case 28:
    case 60: {
        if (empty)
            return true;
        if (c.q.buildCode == 60 && !c.sameSuit())
            return false;
        if (t == Ace)
            return p == Two;
        if (t == King)
            return p == Queen;
        return oneApart(c);
    }
    case 29:
        return doubleFoundation(c);
    case 30:
        return onEmptyOr(c, followsLastTwo(c));
    case 31:
        return onEmptyOr(c, c.sameSuit() && oneDown(c));
    case 32:
        return onEmptyOr(c, c.sameSuit() && oneUp(c));
    case 34:
        return onEmptyOr(c, !c.sameColour() && oneDown(c));
    case 35:
    case 68:
        return onEmptyOr(c, oneApart(c) || aceKingEitherWay(c));
    case 36:
        return downAfterPreviousFoundation(c);
    case 37:
        return onEmptyOr(c, p == 2 * t % 13 || (p == King && cardCount(c.dest(0)) > 47));
    case 38:
        return loneRowCard(c, King);
    case 48:
        return loneRowCard(c, Queen);
    case 39:
        return empty ? p == Ace : oneUp(c) && p != Queen && p != King;
    case 44:
        return empty ? p == Ace : oneUp(c) && p != King;
    case 45:
        return kingRow(c);
    case 40:
        return counterRank(c);
    case 41:
        return twoUpGroupOfFour(c);
    case 42:
        return kingAfterPartner(c);
    case 43:
        return onEmptyOr(c, c.sameSuit() && p == t + 2);
    case 46:
        return upNoCourt(c, false, false);
    case 49:
        return upNoCourt(c, true, false);
    case 51:
        return upNoCourt(c, true, true);
    case 47:
        return downNoQueen(c, false, false);
    case 50:
        return downNoQueen(c, true, false);
    case 52:
        return downNoQueen(c, true, true);
    case 53:
        return afterFirstFoundationFull(c);
    case 54:
        return !c.fromReserve() && onEmptyOr(c, oneDown(c) || (c.q.wrap == 1 && kingOnAce(c)));
    case 55:
        if (c.wasteCount() > 1 || (c.wasteCount() == 1 && c.card() != topCard(c.piles.stock[1])))
            return false;
        return onEmptyOr(c, c.sameColour() && oneUp(c));
    case 56:
        return onEmptyOr(c, p == t);
    case 57:
        return c.stockCount() == 0 && onEmptyOr(c, oneApart(c) || aceKingEitherWay(c));
    case 58:
    case 64:
        return pairedFoundations(c);
    case 62:
        return bringsCompanion(c);
    case 63:
        return halvesFeedOwnFoundations(c);
    case 67:
        return onTableau && empty && !c.fromTableau();
    case 69:
        return onTableau && empty;
    case 70:
        return gridStep(c);
    case 71:
        return gridJump(c);
    default:
        // 13 and the codes without a rule of their own build in any suit by the direction rule.
        return std::nullopt;
    }
}

} // namespace kst::placement
