// What starts an empty pile, and which rank may follow which.

#include <array>

#include "engine/PlacementContext.h"

namespace kst::placement {

namespace {

// ---- balanced starts -------------------------------------------------------------------------

int balancedStartRank(int rule)
{
    switch (rule) {
    case 81:
    case 85:
        return 1;
    case 84:
        return 13;
    case 90:
        return 2;
    default:
        return NoRank;
    }
}

// The foundations sharing this start rule split their starting cards evenly between red and black,
// and with some rules no suit may start two of them.
bool balancedStart(const Context& c, int rule)
{
    if (c.cardRank() != balancedStartRank(rule))
        return false;
    const bool suitsOnce = rule != 81;
    int sharing = 0;
    int red = isRed(c.card()) ? 1 : 0;
    int black = 1 - red;
    for (int i = 0; i < c.foundationsInUse(); ++i) {
        if (c.rules[Rule::BaseRank + i] != rule)
            continue;
        ++sharing;
        const int bottom = bottomCard(c.dest(i));
        if (!isCardNumber(bottom))
            continue;
        (isRed(bottom) ? red : black) += 1;
        if (suitsOnce && suitIndex(bottom) == suitIndex(c.card()))
            return false;
    }
    return red <= sharing / 2 && black <= sharing / 2;
}

// Every started foundation must have begun with the card's rank.
bool sameRankAsFoundationBottoms(const Context& c)
{
    for (int i = 0; i < c.foundationsInUse(); ++i) {
        const int bottom = bottomCard(c.dest(i));
        if (isCardNumber(bottom) && rank(bottom) != c.cardRank())
            return false;
    }
    return true;
}

// ---- one step of the direction rule ----------------------------------------------------------

enum class Step { Accepted, Refused, RefusedOutright };

Step fromBool(bool accepted) { return accepted ? Step::Accepted : Step::Refused; }

Step upward(const Context& c)
{
    const int t = c.topRank();
    const int p = c.cardRank();
    if (c.q.toFoundation) {
        if (t == 13)
            return fromBool(p == 1 && c.q.emptyRule != 1);
        return fromBool(p == t + 1);
    }
    if (c.q.wrap == 2)
        return fromBool(p == t + 1 || (t == 13 && p == 12));
    if (t == c.q.baseRank && c.q.wrap == 0)
        return Step::RefusedOutright;
    if (t == 13 && p == 1)
        return Step::Accepted;
    return fromBool(p == t + 1);
}

bool downward(const Context& c)
{
    const int t = c.topRank();
    const int p = c.cardRank();
    const int base = c.q.baseRank;
    if (c.q.toFoundation) {
        if (t == 1)
            return p == 13 && c.q.emptyRule != 13;
        return p == t - 1;
    }
    if (c.q.wrap == 2)
        return p == t - 1 || (t == 1 && p == 2);
    if (t == base && c.q.wrap == 0)
        return false;
    if (t == 1 && c.q.wrap == 0 && (base == 81 || base == 82 || base == 83))
        return false;
    if (t == 1)
        return p == 13;
    return p == t - 1;
}

} // namespace

bool emptyPileAccepts(const Context& c)
{
    const int rule = c.q.emptyRule;
    switch (rule) {
    case 81:
    case 84:
    case 85:
    case 90:
        return balancedStart(c, rule);
    case 82:
    case 83:
        return false; // filled only with completed runs
    case 86:
        return true;
    case 87:
        return c.fromTableau() || c.fromReserve();
    case 92:
        return sameRankAsFoundationBottoms(c);
    case 93:
        return !c.fromTableau() && sameRankAsFoundationBottoms(c);
    default:
        return c.cardRank() == rule || rule == -1 || c.q.baseRank == -1;
    }
}

bool directionAccepts(const Context& c)
{
    const int d = c.q.direction;
    if (d == BuildUp || d == BuildEither) {
        const Step up = upward(c);
        if (up == Step::Accepted)
            return true;
        if (d == BuildUp || up == Step::RefusedOutright)
            return false;
        return downward(c);
    }
    return d == BuildDown && downward(c);
}

} // namespace kst::placement
