// The build codes that are complete rules of their own. A rule that compares the card with the
// target's top card leaves an empty target to the empty-pile rule unless it says otherwise; a rule
// that looks only at where the card comes from or at counters applies to any target.

#include "engine/PlacementContext.h"
#include "engine/RuleCodes.h"

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
        if (isCardNumber(topOf) && c.rules.suitOf(topOf) == c.rules.suitOf(c.card()))
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
    return !needsSuit || c.rules.suitOf(bottomCard(pile)) == c.rules.suitOf(c.card());
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
    const bool red = c.rules.isRedCard(c.card());
    const int partner = i ^ 1;
    const int otherPair = i < 2 ? 2 : 0;
    const int partnerTop = topCard(c.dest(partner));
    if (isCardNumber(partnerTop) && c.rules.isRedCard(partnerTop) != red)
        return false;
    for (int j = otherPair; j < otherPair + 2; ++j) {
        const int otherTop = topCard(c.dest(j));
        if (isCardNumber(otherTop) && c.rules.isRedCard(otherTop) == red)
            return false;
    }
    for (int j = 0; j < 4; ++j) {
        const int bottom = bottomCard(c.dest(j));
        if (j != i && isCardNumber(bottom) && c.rules.suitOf(bottom) == c.rules.suitOf(c.card()))
            return false;
    }
    return true;
}

// 62: a Jack or King opens its foundation only while its Ace or Queen is free to come along.
bool bringsCompanion(const Context& c)
{
    const int p = c.cardRank();
    if (c.rules[Rule::GameType] != GameTypes::Companions || p == Ace || p == Queen)
        return false;
    if (p == Jack || p == King) {
        if (!c.targetEmpty() || c.q.baseRank != p)
            return false;
        const int companion = cardOf(p == Jack ? Ace : Queen, c.rules.suitOf(c.card()));
        const auto isCompanion = [&](int top) { return isCardNumber(top) && rank(top) == rank(companion)
                                                    && c.rules.suitOf(top) == c.rules.suitOf(companion); };
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
    case BuildCodes::TwoUpAnySuit:
        return onEmptyOr(c, stepUpCyclic(c, 2));
    case BuildCodes::ThreeUpAnySuit:
        return onEmptyOr(c, stepUpCyclic(c, 3));
    case BuildCodes::FourUpAnySuit:
        return onEmptyOr(c, stepUpCyclic(c, 4));
    case BuildCodes::NotFromTableau:
        return !c.fromTableau();
    case BuildCodes::TableauCardsOnlyToEmpty:
        return !c.fromTableau() || (onTableau && empty);
    case BuildCodes::NotFromTableauOrReserve:
        return !c.fromTableau() && !c.fromReserve();
    case BuildCodes::NotFromTableauOntoOne:
        return !c.fromTableau() && cardCount(c.targetPile()) <= 1;
    case BuildCodes::RoundAndRound:
        return p == Ace ? empty || t == King : !empty && oneUp(c);
    case BuildCodes::OtherSuit:
        return onEmptyOr(c, !c.sameSuit() && directionAccepts(c));
    case BuildCodes::SameSuitUpAfterWaste:
        return c.wasteCount() == 0 && onEmptyOr(c, c.sameSuit() && oneUp(c));
    case BuildCodes::SameSuitNoKingQueenStep:
        return onEmptyOr(c, c.sameSuit() && directionAccepts(c)
                                && !(p == King && t == Queen) && !(p == Queen && t == King));
    case BuildCodes::SameSuitTwoApart:
    case BuildCodes::SameSuitTwoApartTurning: {
        const bool twoApart = c.q.direction == BuildUp ? p == t + 2 : p == t - 2;
        const bool turning = c.q.buildCode == BuildCodes::SameSuitTwoApartTurning
                             && ((p == Two && t == King) || (p == Ace && t == Queen));
        return onEmptyOr(c, c.sameSuit() && (twoApart || turning));
    }
    case BuildCodes::OneApartOnShortPile:
        return !empty && cardCount(c.targetPile()) < 3 && oneApart(c);
    case BuildCodes::AlternateColoursNotFromReserve:
        return !c.fromReserve() && onEmptyOr(c, !c.sameColour() && directionAccepts(c));
    case BuildCodes::OneApartAnySuit:
    case BuildCodes::OneApartSameSuit: {
        if (empty)
            return true;
        if (c.q.buildCode == BuildCodes::OneApartSameSuit && !c.sameSuit())
            return false;
        if (t == Ace)
            return p == Two;
        if (t == King)
            return p == Queen;
        return oneApart(c);
    }
    case BuildCodes::UpToKingThenDown:
        return doubleFoundation(c);
    case BuildCodes::SameSuitKeepsDirection:
        return onEmptyOr(c, followsLastTwo(c));
    case BuildCodes::SameSuitDown:
        return onEmptyOr(c, c.sameSuit() && oneDown(c));
    case BuildCodes::SameSuitUp:
        return onEmptyOr(c, c.sameSuit() && oneUp(c));
    case BuildCodes::AlternateDownSingleCards:
        return onEmptyOr(c, !c.sameColour() && oneDown(c));
    case BuildCodes::OneApartTurning:
    case BuildCodes::OneApartTurningToo:
        return onEmptyOr(c, oneApart(c) || aceKingEitherWay(c));
    case BuildCodes::DownAfterPreviousFoundation:
        return downAfterPreviousFoundation(c);
    case BuildCodes::DoubleRank:
        return onEmptyOr(c, p == 2 * t % 13 || (p == King && cardCount(c.dest(0)) > 47));
    case BuildCodes::LoneKingTakesOne:
        return loneRowCard(c, King);
    case BuildCodes::LoneQueenTakesOne:
        return loneRowCard(c, Queen);
    case BuildCodes::AceUpToJack:
        return empty ? p == Ace : oneUp(c) && p != Queen && p != King;
    case BuildCodes::AceUpToQueen:
        return empty ? p == Ace : oneUp(c) && p != King;
    case BuildCodes::KingRow:
        return kingRow(c);
    case BuildCodes::CounterRank:
        return counterRank(c);
    case BuildCodes::TwoUpGroupOfFour:
        return twoUpGroupOfFour(c);
    case BuildCodes::KingAfterPartner:
        return kingAfterPartner(c);
    case BuildCodes::SameSuitTwoUp:
        return onEmptyOr(c, c.sameSuit() && p == t + 2);
    case BuildCodes::UpToJack:
        return upNoCourt(c, false, false);
    case BuildCodes::UpToJackBesideTableau:
        return upNoCourt(c, true, false);
    case BuildCodes::UpToJackBesideTableauSuit:
        return upNoCourt(c, true, true);
    case BuildCodes::DownNoQueen:
        return downNoQueen(c, false, false);
    case BuildCodes::DownNoQueenBesideTableau:
        return downNoQueen(c, true, false);
    case BuildCodes::DownNoQueenBesideTableauSuit:
        return downNoQueen(c, true, true);
    case BuildCodes::AfterFirstFoundationFull:
        return afterFirstFoundationFull(c);
    case BuildCodes::DownNotFromReserve:
        return !c.fromReserve() && onEmptyOr(c, oneDown(c) || (c.q.wrap == WrapRules::Round && kingOnAce(c)));
    case BuildCodes::SameColourUpLastWasteCard:
        if (c.wasteCount() > 1 || (c.wasteCount() == 1 && c.card() != topCard(c.piles.stock[1])))
            return false;
        return onEmptyOr(c, c.sameColour() && oneUp(c));
    case BuildCodes::SameRank:
        return onEmptyOr(c, p == t);
    case BuildCodes::OneApartTurningAfterStock:
        return c.stockCount() == 0 && onEmptyOr(c, oneApart(c) || aceKingEitherWay(c));
    case BuildCodes::PairedFoundations:
    case BuildCodes::PairedFoundationsToo:
        return pairedFoundations(c);
    case BuildCodes::BringsCompanion:
        return bringsCompanion(c);
    case BuildCodes::HalvesFeedOwnFoundations:
        return halvesFeedOwnFoundations(c);
    case BuildCodes::EmptyTableauNotFromTableau:
        return onTableau && empty && !c.fromTableau();
    case BuildCodes::EmptyTableauOnly:
        return onTableau && empty;
    case BuildCodes::GridStep:
        return gridStep(c);
    case BuildCodes::GridJump:
        return gridJump(c);
    default:
        // 13 and the codes without a rule of their own build in any suit by the direction rule.
        return std::nullopt;
    }
}

} // namespace kst::placement
