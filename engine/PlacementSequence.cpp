// What starts an empty pile, and which rank may follow which.

#include <array>

#include "engine/PlacementContext.h"
#include "engine/RuleCodes.h"

namespace kst::placement {

namespace {

// ---- balanced starts -------------------------------------------------------------------------

int balancedStartRank(int rule)
{
    switch (rule) {
    case EmptyRules::BalancedAces:
    case EmptyRules::BalancedAcesSuitsOnce:
    case EmptyRules::FilledByCompletedRuns:   // a completed run's Ace on top
    case EmptyRules::FilledByCompletedRunsToo:
        return Ace;
    case EmptyRules::BalancedKings:
        return King;
    case EmptyRules::BalancedTwos:
        return Two;
    default:
        return NoRank;
    }
}

// The foundations sharing this start rule split their starting cards between red and black as the
// deck does (evenly, or all black in a deck of spades alone), and with some rules no suit may start
// two of them.
bool balancedStart(const Context& c, int rule)
{
    if (c.cardRank() != balancedStartRank(rule))
        return false;
    const bool suitsOnce = rule != EmptyRules::BalancedAces && rule != EmptyRules::FilledByCompletedRuns
        && rule != EmptyRules::FilledByCompletedRunsToo;
    int sharing = 0;
    int red = c.rules.isRedCard(c.card()) ? 1 : 0;
    int black = 1 - red;
    for (int i = 0; i < c.foundationsInUse(); ++i) {
        if (c.rules[Rule::BaseRank + i] != rule)
            continue;
        ++sharing;
        const int bottom = bottomCard(c.dest(i));
        if (!isCardNumber(bottom))
            continue;
        (c.rules.isRedCard(bottom) ? red : black) += 1;
        if (suitsOnce && c.rules.suitOf(bottom) == c.rules.suitOf(c.card()))
            return false;
    }
    if (c.rules.deckSuits() == DeckSuits::One)
        return red == 0;
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
        if (t == King)
            return fromBool(p == Ace && c.q.emptyRule != Ace);
        return fromBool(p == t + 1);
    }
    if (c.q.wrap == WrapRules::TurnAtEnds)
        return fromBool(p == t + 1 || (t == King && p == Queen));
    if (t == c.q.baseRank && c.q.wrap == WrapRules::RoundButNotOnBase)
        return Step::RefusedOutright;
    if (t == King && p == Ace)
        return Step::Accepted;
    return fromBool(p == t + 1);
}

bool downward(const Context& c)
{
    const int t = c.topRank();
    const int p = c.cardRank();
    const int base = c.q.baseRank;
    if (c.q.toFoundation) {
        if (t == Ace)
            return p == King && c.q.emptyRule != King;
        return p == t - 1;
    }
    if (c.q.wrap == WrapRules::TurnAtEnds)
        return p == t - 1 || (t == Ace && p == Two);
    if (t == base && c.q.wrap == WrapRules::RoundButNotOnBase)
        return false;
    // Under these rules of foundation 1 a run ends at its Ace.
    const bool runsEndAtAce = base == EmptyRules::BalancedAces || base == EmptyRules::FilledByCompletedRuns
        || base == EmptyRules::FilledByCompletedRunsToo;
    if (t == Ace && c.q.wrap == WrapRules::RoundButNotOnBase && runsEndAtAce)
        return false;
    if (t == Ace)
        return p == King;
    return p == t - 1;
}

} // namespace

bool emptyPileAccepts(const Context& c)
{
    const int rule = c.q.emptyRule;
    switch (rule) {
    case EmptyRules::BalancedAces:
    case EmptyRules::BalancedKings:
    case EmptyRules::BalancedAcesSuitsOnce:
    case EmptyRules::BalancedTwos:
        return balancedStart(c, rule);
    case EmptyRules::FilledByCompletedRuns:
    case EmptyRules::FilledByCompletedRunsToo:
        return false;
    case EmptyRules::AnyCardToo:
        return true;
    case EmptyRules::FromTableauOrReserve:
        return c.fromTableau() || c.fromReserve();
    case EmptyRules::RankOfStartedFoundations:
        return sameRankAsFoundationBottoms(c);
    case EmptyRules::RankOfStartedFoundationsNotTableau:
        return !c.fromTableau() && sameRankAsFoundationBottoms(c);
    default:
        return c.cardRank() == rule || rule == EmptyRules::AnyCard || c.q.baseRank == EmptyRules::AnyCard;
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

namespace kst {

bool balancedStartAllows(const PileGroups& piles, const RuleTable& rules, int card, int rule)
{
    PlacementQuery q;
    q.card = card;
    const PlacementCounters none;
    return placement::balancedStart(placement::Context(q, piles, rules, none), rule);
}

} // namespace kst
