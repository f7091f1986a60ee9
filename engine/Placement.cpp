#include "engine/Placement.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "engine/PlacementContext.h"
#include "engine/RuleCodes.h"

namespace kst {

using placement::Context;

namespace {

using Digits = std::array<char, 3>;

constexpr Digits digitsOf(int card)
{
    return {char('0' + card / 100), char('0' + card / 10 % 10), char('0' + card % 10)};
}

bool pileHolds(std::string_view pile, const Digits& digits)
{
    for (std::size_t at = 0; at + 3 <= pile.size(); at += 3) {
        if (pile[at] == digits[0] && pile[at + 1] == digits[1] && pile[at + 2] == digits[2])
            return true;
    }
    return false;
}

int floorMod(int value, int modulus)
{
    const int r = value % modulus;
    return r < 0 ? r + modulus : r;
}

// ---- the stock restriction -------------------------------------------------------------------

// The one tableau pile a waste card may go to while the restriction holds; -1 for none.
int wasteCardPile(const Context& c, int restriction)
{
    if (restriction == StockRestrictions::WasteToCountedPile)
        return floorMod(c.rules[Rule::WasteDealt] - c.wasteCount(), 12);
    const int inUse = c.tableausInUse();
    if (inUse == 0)
        return -1;
    int fullest = 0;
    for (int i = 1; i < inUse; ++i) {
        if (cardCount(c.fila(i)) >= cardCount(c.fila(fullest)))
            fullest = i;
    }
    return (fullest + 1) % inUse;
}

// A decided answer, or nullopt when the restriction lets the other rules decide.
std::optional<bool> stockRestriction(const Context& c)
{
    const int restriction = c.rules[Rule::StockRestriction];
    const bool allMovesWait = restriction == StockRestrictions::WasteToCountedPile
        || restriction == StockRestrictions::WasteToPileAfterFullest;
    if (!allMovesWait && !(restriction == StockRestrictions::TableauToFoundations && c.q.toFoundation))
        return std::nullopt;
    if ((c.stockCount() > 0 || c.wasteCount() > 0) && c.fromTableau())
        return false;
    if (!allMovesWait || c.q.toFoundation || c.wasteCount() == 0)
        return std::nullopt;
    if (!c.fromWaste())
        return false;
    return c.q.pileIndex == wasteCardPile(c, restriction);
}

// ---- build codes that decide first -----------------------------------------------------------

// Each foundation keeps the suit it started with and may only repeat ranks the foundation before
// it already holds; rank order does not matter.
bool suitFollowsPreviousFoundation(const Context& c)
{
    if (c.targetEmpty()) {
        if (c.cardRank() != c.q.baseRank)
            return false;
    } else if (c.rules.suitOf(placement::bottomCard(c.targetPile())) != c.rules.suitOf(c.card())) {
        return false;
    }
    if (c.q.pileIndex == 0)
        return true;
    const std::string_view previous = c.dest(c.q.pileIndex - 1);
    for (int i = 0; i < cardCount(previous); ++i) {
        if (rank(cardAt(previous, i)) == c.cardRank())
            return true;
    }
    return false;
}

std::optional<bool> earlyBuildCode(const Context& c)
{
    switch (c.q.buildCode) {
    case BuildCodes::Closed:
        return false;
    case BuildCodes::RanksOfPreviousFoundation:
        return suitFollowsPreviousFoundation(c);
    case BuildCodes::PlayerFillsAfterStock:
        // Played by hand, such a pile takes a card only when empty and only once the stock is out.
        if (c.q.byPlayer)
            return c.targetEmpty() && c.stockCount() == 0;
        return std::nullopt;
    case BuildCodes::TakesAnything:
        return true;
    default:
        return std::nullopt;
    }
}

// ---- the suit test of the ordinary build codes -----------------------------------------------

bool suitsAllow(const Context& c)
{
    switch (c.q.buildCode) {
    case BuildCodes::SameSuit:
        return c.sameSuit();
    case BuildCodes::SameSuitNoQueenOnCourt:
        return c.sameSuit() && !(c.cardRank() == Queen && (c.topRank() == King || c.topRank() == Jack));
    case BuildCodes::SameColour:
        return c.sameColour();
    case BuildCodes::AlternateColours:
        return !c.sameColour();
    case BuildCodes::OnlyWhenEmpty:
        return false;
    default:
        return true;
    }
}

bool validQuery(const PlacementQuery& q)
{
    const int groupSize = q.toFoundation ? PileGroups::DestEntries : PileGroups::FilaEntries;
    return isCardNumber(q.card) && q.pileIndex >= 0 && q.pileIndex < groupSize;
}

} // namespace

// ---- where a card lies -----------------------------------------------------------------------

int whereIs(const PileGroups& piles, int card)
{
    if (!isCardNumber(card))
        return PlaceNowhere;
    const Digits digits = digitsOf(card);
    if (pileHolds(piles.stock[0], digits))
        return PlaceStock;
    if (pileHolds(piles.stock[1], digits))
        return PlaceWaste;
    for (int i = 0; i < PileGroups::DestEntries; ++i) {
        if (pileHolds(piles.dest[i], digits))
            return placeOfFoundation(i);
    }
    for (int i = 0; i < PileGroups::FilaEntries; ++i) {
        if (pileHolds(piles.fila[i], digits))
            return placeOfTableau(i);
    }
    for (int i = 0; i < PileGroups::AppoggEntries; ++i) {
        if (pileHolds(piles.appogg[i], digits))
            return placeOfReserve(i);
    }
    return PlaceNowhere;
}

// ---- the query -------------------------------------------------------------------------------

PlacementQuery placementQuery(const RuleTable& rules, const PileGroups& piles, PileRef target, int card,
                              bool byPlayer, bool foundationPass)
{
    PlacementQuery q;
    q.card = card;
    q.byPlayer = byPlayer;
    q.pileIndex = target.index;
    const std::string* pile = piles.pile(target);
    if (pile == nullptr || (target.group != PileGroup::Dest && target.group != PileGroup::Fila)) {
        q.pileIndex = -1;
        return q;
    }
    q.target = topCard(*pile);
    const int i = target.index;
    if (target.group == PileGroup::Dest) {
        q.toFoundation = true;
        q.emptyRule = rules[Rule::BaseRank + i];
        q.direction = rules[Rule::FoundationDirection + i];
        q.buildCode = rules[Rule::FoundationBuildCode + i];
        q.baseRank = rules[foundationPass ? Rule::BaseRank : Rule::BaseRank + i];
    } else {
        q.emptyRule = rules[Rule::TableauEmptyRule + i];
        q.direction = rules[Rule::TableauDirection + i];
        q.buildCode = rules[Rule::TableauBuildCode + i];
        q.wrap = rules[Rule::WrapFlag + i];
        q.baseRank = rules[Rule::BaseRank];
    }
    return q;
}

// ---- the test --------------------------------------------------------------------------------

bool answerReadsOnlyTheCards(int code)
{
    switch (code) {
    case BuildCodes::OtherSuit:
    case BuildCodes::SameSuitDown:
    case BuildCodes::SameSuitUp:
    case BuildCodes::AlternateDownSingleCards:
    case BuildCodes::OneApartAnySuit:
    case BuildCodes::OneApartSameSuit:
    case BuildCodes::OneApartTurning:
    case BuildCodes::OneApartTurningToo:
    case BuildCodes::SameSuitTwoApart:
    case BuildCodes::SameSuitTwoApartTurning:
    case BuildCodes::SameRank:
    case BuildCodes::SameSuitTwoUp:
    case BuildCodes::SameSuit:
    case BuildCodes::SameColour:
    case BuildCodes::AnySuit:
    case BuildCodes::AlternateColours:
    case BuildCodes::SameSuitNoQueenOnCourt:
    case BuildCodes::OnlyWhenEmpty:
    case BuildCodes::Closed:
        return true;
    default:
        return false;
    }
}

namespace {

// The whole question in one number, for the answers remembered; 0 when it cannot be remembered.
std::uint64_t questionKey(const PlacementQuery& q, const RuleTable& rules)
{
    // An empty pile's start reads only the question under a rank, any card or any card too.
    const bool plainStart = q.emptyRule == EmptyRules::AnyCard || q.emptyRule == EmptyRules::AnyCardToo
        || (q.emptyRule >= Ace && q.emptyRule <= King);
    if ((q.target <= 0 && !plainStart) || !answerReadsOnlyTheCards(q.buildCode) || rules[Rule::StockRestriction] != 0)
        return 0;
    const auto field = [](int value, int bits) { return std::uint64_t(value + (1 << (bits - 1))) & ((1u << bits) - 1); };
    // The card goes in bits 8..14 (withCard).
    return 1 | std::uint64_t(std::max(q.target, 0)) << 1 | field(q.buildCode, 8) << 15
         | field(q.direction, 4) << 23 | field(q.wrap, 4) << 27 | field(q.baseRank, 8) << 31
         | field(q.emptyRule, 8) << 39 | std::uint64_t(q.toFoundation) << 47 | std::uint64_t(q.byPlayer) << 48
         | field(int(rules.deckSuits()), 4) << 49;
}

bool answer(const PlacementQuery& query, const PileGroups& piles, const RuleTable& rules,
            const PlacementCounters& counters)
{
    const Context c{query, piles, rules, counters};
    if (const auto decided = stockRestriction(c))
        return *decided;
    if (const auto decided = earlyBuildCode(c))
        return *decided;
    if (const auto decided = placement::completeRule(c))
        return *decided;
    if (c.targetEmpty())
        return placement::emptyPileAccepts(c);
    return suitsAllow(c) && placement::directionAccepts(c);
}

constexpr std::size_t RememberedBits = 13;
constexpr std::size_t AcceptedBits = 10;
constexpr int CardShift = 8;

// The card's part of a question's key.
std::uint64_t withCard(std::uint64_t key, int card) { return key | std::uint64_t(card) << CardShift; }

// Searches ask the same questions of card onto card again and again: where the answer reads only
// the question, it is remembered (per thread, in a small table where a new answer takes the place
// of an old one).
bool rememberedAnswer(std::uint64_t key, const PlacementQuery& query, const PileGroups& piles, const RuleTable& rules,
                      const PlacementCounters& counters)
{
    thread_local std::array<std::uint64_t, std::size_t(1) << RememberedBits> remembered{};
    std::uint64_t& slot = remembered[(key * 0x9e3779b97f4a7c15ULL) >> (64 - RememberedBits)];
    if ((slot >> 1) == key >> 1)
        return (slot & 1) != 0;
    const bool accepted = answer(query, piles, rules, counters);
    slot = (key & ~std::uint64_t(1)) | (accepted ? 1 : 0);
    return accepted;
}

} // namespace

bool canPlace(const PlacementQuery& query, const PileGroups& piles, const RuleTable& rules,
              const PlacementCounters& counters)
{
    if (!validQuery(query) || query.target == query.card)
        return false;
    const std::uint64_t key = questionKey(query, rules);
    return key == 0 ? answer(query, piles, rules, counters)
                    : rememberedAnswer(withCard(key, query.card), query, piles, rules, counters);
}

PreparedQuery prepareQuery(const PlacementQuery& query, const PileGroups& piles, const RuleTable& rules,
                           const PlacementCounters& counters)
{
    PlacementQuery withoutCard = query;
    withoutCard.card = 0;
    PreparedQuery prepared{query, questionKey(withoutCard, rules), {}};
    if (prepared.key == 0)
        return prepared;
    // The sets of cards accepted are remembered per thread like the single answers.
    struct Accepted {
        std::uint64_t key = 0;
        CardSet cards;
    };
    thread_local std::array<Accepted, std::size_t(1) << AcceptedBits> remembered{};
    Accepted& slot = remembered[(prepared.key * 0x9e3779b97f4a7c15ULL) >> (64 - AcceptedBits)];
    if (slot.key != prepared.key) {
        slot.key = prepared.key;
        slot.cards.reset();
        for (int card = 1; card <= CardsInDeckTable; ++card) {
            withoutCard.card = card;
            slot.cards[std::size_t(card)] = canPlace(withoutCard, piles, rules, counters);
        }
    }
    prepared.accepted = slot.cards;
    return prepared;
}

bool canPlace(const PreparedQuery& prepared, int card, const PileGroups& piles, const RuleTable& rules,
              const PlacementCounters& counters)
{
    if (prepared.key != 0)
        return isCardNumber(card) && prepared.accepted.test(std::size_t(card));
    PlacementQuery query = prepared.query;
    query.card = card;
    return canPlace(query, piles, rules, counters);
}

PileQuestion::PileQuestion(const PlacementQuery& query, const RuleTable& rules) : m_query(query)
{
    // The key of the question onto some card, with the card's bits (1..7) cleared.
    PlacementQuery ontoACard = query;
    ontoACard.target = 1;
    ontoACard.card = 0;
    const std::uint64_t key = questionKey(ontoACard, rules);
    ontoACard.card = 1;
    if (key != 0 && validQuery(ontoACard))
        m_key = key & ~(std::uint64_t(0x7f) << 1);
}

bool PileQuestion::canPlace(int target, int card, const PileGroups& piles, const RuleTable& rules,
                            const PlacementCounters& counters) const
{
    PlacementQuery query = m_query;
    query.target = target;
    query.card = card;
    if (m_key == 0 || !isCardNumber(target) || !isCardNumber(card))
        return kst::canPlace(query, piles, rules, counters);
    if (target == card)
        return false;
    return rememberedAnswer(withCard(m_key | std::uint64_t(target) << 1, card), query, piles, rules, counters);
}

int jumpedSlot(int from, int to, int width)
{
    if (width <= 0 || from < 0 || to < 0)
        return -1;
    const bool alongRow = (to - from == 2 || from - to == 2) && from / width == to / width;
    const bool acrossRows = to - from == 2 * width || from - to == 2 * width;
    return alongRow || acrossRows ? (from + to) / 2 : -1;
}

// ---- the context -----------------------------------------------------------------------------

namespace placement {

std::string_view Context::targetPile() const
{
    return q.toFoundation ? dest(q.pileIndex) : fila(q.pileIndex);
}

std::string_view Context::dest(int index) const
{
    if (index < 0 || index >= PileGroups::DestEntries)
        return {};
    return piles.dest[std::size_t(index)];
}

std::string_view Context::fila(int index) const
{
    if (index < 0 || index >= PileGroups::FilaEntries)
        return {};
    return piles.fila[std::size_t(index)];
}

int Context::foundationsInUse() const
{
    return std::clamp(int(rules[Rule::FoundationCount]), 0, int(PileGroups::DestEntries));
}

int Context::tableausInUse() const
{
    return std::clamp(int(rules[Rule::TableauCount]), 0, int(PileGroups::FilaEntries));
}

int Context::source() const
{
    if (!m_source)
        m_source = whereIs(piles, q.card);
    return *m_source;
}

int bottomCard(std::string_view pile)
{
    return pile.empty() ? 0 : cardAt(pile, 0);
}

bool holdsCard(std::string_view pile)
{
    return isCardNumber(topCard(pile));
}

} // namespace placement
} // namespace kst
