#include "solver/Evaluation.h"

#include <bit>
#include <string>

#include "engine/Placement.h"
#include "engine/RuleCodes.h"

namespace kst::solver {
namespace {

namespace Weight {
inline constexpr int Home = 10;       // a card on a foundation
inline constexpr int FaceDown = -8;   // a card still face down
inline constexpr int Blocks = -4;     // a card above a lower card of its suit
inline constexpr int InOrder = 2;     // a face-up card on the card the tableau lets it sit on
inline constexpr int EmptyPile = 8;   // an empty tableau pile that takes any card
inline constexpr int EmptyKingPile = 4; // an empty tableau pile that takes some cards only
inline constexpr int FreeCell = 5;    // an empty reserve
} // namespace Weight

} // namespace

void Evaluation::reset(const Game& game, const RuleFacts& facts)
{
    m_facts = &facts;
    int up = 0, down = 0;
    for (int i = 0; i < foundationsInUse(game.rules); ++i)
        (game.rules[Rule::FoundationDirection + i] == BuildDown ? down : up) += 1;
    m_upward = up >= down;
    m_total = 0;
    m_dirty = 0;
    for (int slot = 0; slot < PileSlots; ++slot) {
        m_pile[std::size_t(slot)] = pileValue(game, slot);
        m_total += m_pile[std::size_t(slot)];
    }
}

void Evaluation::refresh(const Game& game)
{
    for (std::uint64_t dirty = m_dirty; dirty != 0; dirty &= dirty - 1) {
        const int slot = std::countr_zero(dirty);
        int& was = m_pile[std::size_t(slot)];
        const int now = pileValue(game, slot);
        m_total += now - was;
        was = now;
    }
    m_dirty = 0;
}

int Evaluation::value(const Game& game)
{
    refresh(game);
    return m_total;
}

Evaluation::Prefix Evaluation::start() const
{
    Prefix prefix;
    prefix.lowest.fill(std::int8_t(m_upward ? 99 : -1));
    return prefix;
}

void Evaluation::add(Prefix& prefix, const Game& game, int card, bool faceDown) const
{
    if (!isCardNumber(card)) {
        prefix.below = 0;
        return;
    }
    const int suit = game.rules.suitOf(card), r = rank(card);
    if (faceDown)
        prefix.value += Weight::FaceDown;
    else if (prefix.below > 0 && !prefix.belowDown && m_facts->supportsKnown
             && m_facts->supports[prefix.below].test(std::size_t(card)))
        prefix.value += Weight::InOrder;
    if (suit >= 0 && suit < 4) {
        std::int8_t& low = prefix.lowest[std::size_t(suit)];
        if (m_upward ? low < r : low > r)
            prefix.value += Weight::Blocks;
        low = std::int8_t(m_upward ? std::min(int(low), r) : std::max(int(low), r));
    }
    prefix.below = std::uint8_t(card);
    prefix.belowDown = faceDown;
}

int Evaluation::emptyValue(const Game& game, PileRef ref) const
{
    switch (ref.group) {
    case PileGroup::Appogg:
        return game.rules[Rule::ReserveRule + ref.index] != ReserveRules::Closed ? Weight::FreeCell : 0;
    case PileGroup::Fila:
        if (game.rules[Rule::TableauBuildCode + ref.index] == BuildCodes::Closed)
            return 0;
        return game.rules[Rule::TableauEmptyRule + ref.index] == EmptyRules::AnyCard ? Weight::EmptyPile
                                                                                     : Weight::EmptyKingPile;
    default: return 0;
    }
}

int Evaluation::pileValue(const Game& game, int slot)
{
    const PileRef ref = pileOfSlot(slot);
    if (!pileInUse(game.rules, ref))
        return 0;
    const std::string& text = game.pile(ref);
    const int n = cardCount(text);
    if (ref.group == PileGroup::Dest)
        return Weight::Home * n;
    if (n == 0)
        return emptyValue(game, ref);
    if (ref.group != PileGroup::Fila)
        return 0;
    std::vector<Prefix>& prefix = m_prefix[std::size_t(slot)];
    prefix.resize(std::size_t(n) + 1);
    prefix[0] = start();
    for (int p = 0; p < n; ++p) {
        prefix[std::size_t(p) + 1] = prefix[std::size_t(p)];
        const int card = cardAt(text, p);
        add(prefix[std::size_t(p) + 1], game, card, game.cards.deck.isFaceDown(card));
    }
    return prefix[std::size_t(n)].value;
}

int Evaluation::valueAfter(const Game& game, const Move& drop, bool turnUps)
{
    refresh(game);
    const std::string& from = game.pile(drop.from);
    const std::string& to = game.pile(drop.to);
    const int position = findCard(from, drop.card);
    if (position < 0 || drop.to.isNone() || game.rules[Rule::TableauLayout] == GridLeavesGaps)
        return m_total; // grids: no estimate, the value as it is
    const int n = cardCount(from);
    int value = m_total - m_pile[std::size_t(slotOf(drop.from))] - m_pile[std::size_t(slotOf(drop.to))];
    // The pile left behind, its new top turned up where the rules do it.
    if (drop.from.group == PileGroup::Dest)
        value += Weight::Home * position;
    else if (position == 0)
        value += emptyValue(game, drop.from);
    else if (drop.from.group == PileGroup::Fila) {
        Prefix rest = m_prefix[std::size_t(slotOf(drop.from))][std::size_t(position) - 1];
        const int top = cardAt(from, position - 1);
        add(rest, game, top, !turnUps && game.cards.deck.isFaceDown(top));
        value += rest.value;
    }
    // The pile the cards go to, with them face up on top.
    if (drop.to.group == PileGroup::Dest)
        value += Weight::Home * (cardCount(to) + n - position);
    else if (drop.to.group == PileGroup::Fila) {
        Prefix joined = to.empty() ? start() : m_prefix[std::size_t(slotOf(drop.to))][std::size_t(cardCount(to))];
        for (int p = position; p < n; ++p)
            add(joined, game, cardAt(from, p), false);
        value += joined.value;
    }
    return value;
}

} // namespace kst::solver
