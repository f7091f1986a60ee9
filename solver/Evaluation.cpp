#include "solver/Evaluation.h"

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
    for (int slot = 0; slot < PileSlots; ++slot) {
        m_pile[std::size_t(slot)] = pileValue(game, slot);
        m_total += m_pile[std::size_t(slot)];
    }
}

void Evaluation::pileChanged(const Game& game, int slot)
{
    int& was = m_pile[std::size_t(slot)];
    const int now = pileValue(game, slot);
    m_total += now - was;
    was = now;
}

int Evaluation::pileValue(const Game& game, int slot) const
{
    const PileRef ref = pileOfSlot(slot);
    if (!pileInUse(game.rules, ref))
        return 0;
    const std::string& text = game.pile(ref);
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
    // The lowest (or highest) rank of each suit met so far from the bottom.
    std::array<int, 4> lowest;
    lowest.fill(m_upward ? 99 : -1);
    int value = 0, below = 0;
    for (int p = 0; p < n; ++p) {
        const int card = cardAt(text, p);
        if (!isCardNumber(card)) {
            below = 0;
            continue;
        }
        const int suit = game.rules.suitOf(card), r = rank(card);
        if (game.cards.deck.isFaceDown(card)) {
            value += Weight::FaceDown;
        } else if (below > 0 && m_facts->supports[std::size_t(below)].test(std::size_t(card))
                   && !game.cards.deck.isFaceDown(below)) {
            value += Weight::InOrder;
        }
        if (suit >= 0 && suit < 4) {
            int& low = lowest[std::size_t(suit)];
            if (m_upward ? low < r : low > r)
                value += Weight::Blocks;
            low = m_upward ? std::min(low, r) : std::max(low, r);
        }
        below = card;
    }
    return value;
}

} // namespace kst::solver
