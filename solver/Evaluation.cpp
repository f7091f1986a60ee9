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

int Evaluation::pileValue(const Game& game, int slot) const
{
    const PileRef ref = pileOfSlot(slot);
    if (!pileInUse(game.rules, ref))
        return 0;
    const std::string& text = game.pile(ref);
    return textValue(game, ref, text, cardCount(text));
}

int Evaluation::valueAfter(const Game& game, const Move& drop, bool turnUps)
{
    refresh(game);
    const std::string& from = game.pile(drop.from);
    const std::string& to = game.pile(drop.to);
    const int position = findCard(from, drop.card);
    if (position < 0 || drop.to.isNone() || game.rules[Rule::TableauLayout] == GridLeavesGaps)
        return m_total; // grids: no estimate, the value as it is
    // The pile left behind, its new top turned up where the rules do it.
    const std::string_view rest = std::string_view(from).substr(0, std::size_t(position) * 3);
    const int restUp = turnUps && drop.from.group == PileGroup::Fila ? position - 1 : position;
    int value = m_total - m_pile[std::size_t(slotOf(drop.from))] - m_pile[std::size_t(slotOf(drop.to))];
    value += textValue(game, drop.from, rest, restUp);
    char joined[3 * 110];
    const std::size_t moved = from.size() - rest.size();
    if (to.size() + moved > sizeof joined)
        return m_total;
    to.copy(joined, to.size());
    from.copy(joined + to.size(), moved, rest.size());
    value += textValue(game, drop.to, std::string_view(joined, to.size() + moved), cardCount(to));
    return value;
}

int Evaluation::textValue(const Game& game, PileRef ref, std::string_view text, int faceUpFrom) const
{
    const int n = cardCount(text);
    switch (ref.group) {
    case PileGroup::Dest: return Weight::Home * n;
    case PileGroup::Appogg: {
        const int rule = game.rules[Rule::ReserveRule + ref.index];
        return n == 0 && rule != ReserveRules::Closed ? Weight::FreeCell : 0;
    }
    case PileGroup::Fila: break;
    default: return 0;
    }
    if (n == 0) {
        if (game.rules[Rule::TableauBuildCode + ref.index] == BuildCodes::Closed)
            return 0;
        return game.rules[Rule::TableauEmptyRule + ref.index] == EmptyRules::AnyCard ? Weight::EmptyPile
                                                                                     : Weight::EmptyKingPile;
    }
    const auto faceDown = [&](int p, int card) { return p < faceUpFrom && game.cards.deck.isFaceDown(card); };
    // The lowest (or highest) rank of each suit met so far from the bottom.
    std::array<int, 4> lowest;
    lowest.fill(m_upward ? 99 : -1);
    int value = 0, below = 0;
    bool belowDown = false;
    for (int p = 0; p < n; ++p) {
        const int card = cardAt(text, p);
        if (!isCardNumber(card)) {
            below = 0;
            continue;
        }
        const int suit = game.rules.suitOf(card), r = rank(card);
        const bool down = faceDown(p, card);
        if (down)
            value += Weight::FaceDown;
        else if (below > 0 && !belowDown && m_facts->supportsKnown
                 && m_facts->supports[std::size_t(below)].test(std::size_t(card)))
            value += Weight::InOrder;
        if (suit >= 0 && suit < 4) {
            int& low = lowest[std::size_t(suit)];
            if (m_upward ? low < r : low > r)
                value += Weight::Blocks;
            low = m_upward ? std::min(low, r) : std::max(low, r);
        }
        below = card;
        belowDown = down;
    }
    return value;
}

} // namespace kst::solver
