#include "solver/PositionKey.h"

#include <bit>
#include <string>

namespace kst::solver {
namespace {

// A strong 64-bit mixer: every input bit changes about half of the output bits.
constexpr std::uint64_t mix(std::uint64_t x)
{
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

constexpr std::uint64_t salt(int n) { return mix(0x6b657374ULL + std::uint64_t(n) * 0x100000001b3ULL); }

// A card's part of its pile's hash, and the pile's size's.
constexpr std::uint64_t cardTerm(int position, int card, bool faceDown)
{
    return mix((std::uint64_t(position) << 16) | (std::uint64_t(card) << 1) | (faceDown ? 1 : 0));
}
constexpr std::uint64_t sizeTerm(int n) { return mix(std::uint64_t(n) << 40); }

int digitsCard(const char* d) { return (d[0] - '0') * 100 + (d[1] - '0') * 10 + (d[2] - '0'); }

} // namespace

std::uint64_t PositionKey::pileHash(const Game& game, int slot)
{
    if (m_facts->stockRotates && slot <= 1)
        return slot == 0 ? dealingOrderHash(game) : 0;
    const std::string& text = game.pile(pileOfSlot(slot));
    const DeckTable& deck = game.cards.deck;
    const int n = cardCount(text);
    std::vector<std::uint64_t>& prefix = m_prefix[std::size_t(slot)];
    prefix.resize(std::size_t(n) + 1);
    std::uint64_t h = 0;
    prefix[0] = 0;
    for (int p = 0; p < n; ++p) {
        const int card = digitsCard(text.data() + std::size_t(p) * 3);
        h ^= cardTerm(p, card, deck.isFaceDown(card));
        prefix[std::size_t(p) + 1] = h;
    }
    return h ^ sizeTerm(n);
}

std::uint64_t PositionKey::keyAfter(const Game& game, PileRef from, int position, PileRef to)
{
    key(game); // every pile's part current
    const int a = slotOf(from), b = slotOf(to);
    const std::string& source = game.pile(from);
    const int n = cardCount(source), held = cardCount(game.pile(to));
    const std::uint64_t rest = m_prefix[std::size_t(a)][std::size_t(position)] ^ sizeTerm(position);
    std::uint64_t joined = m_prefix[std::size_t(b)][std::size_t(held)];
    for (int p = position; p < n; ++p)
        joined ^= cardTerm(held + p - position, digitsCard(source.data() + std::size_t(p) * 3), false);
    joined ^= sizeTerm(held + n - position);
    std::uint64_t ordered = m_ordered, exchanged = m_exchanged;
    const auto change = [&](int slot, std::uint64_t was, std::uint64_t now) {
        ordered += mix(now ^ salt(slot)) - mix(was ^ salt(slot));
        const int pileClass = m_facts->pileClass[std::size_t(slot)];
        exchanged += mix(now ^ salt(pileClass)) - mix(was ^ salt(pileClass));
    };
    change(a, m_pile[std::size_t(a)], rest);
    change(b, m_pile[std::size_t(b)], joined);
    return (exchangeableNow(*m_facts, game) ? exchanged : ordered) ^ countersHash(game, true);
}

// The stock and the waste as the order in which the presses deal their cards: the waste from
// its bottom, then the stock from its top.
std::uint64_t PositionKey::dealingOrderHash(const Game& game) const
{
    const std::string& waste = game.cards.piles.stock[1];
    const std::string& stock = game.cards.piles.stock[0];
    std::uint64_t h = 0;
    int at = 0;
    for (int p = 0; p < cardCount(waste); ++p, ++at)
        h ^= mix((std::uint64_t(at) << 16) | (std::uint64_t(cardAt(waste, p)) << 1));
    for (int p = cardCount(stock) - 1; p >= 0; --p, ++at)
        h ^= mix((std::uint64_t(at) << 16) | (std::uint64_t(cardAt(stock, p)) << 1));
    return h ^ mix(std::uint64_t(at) << 40);
}

void PositionKey::add(int slot, std::uint64_t hash, bool remove)
{
    const std::uint64_t ordered = mix(hash ^ salt(slot));
    const std::uint64_t exchanged = mix(hash ^ salt(m_facts->pileClass[std::size_t(slot)]));
    if (remove) {
        m_ordered -= ordered;
        m_exchanged -= exchanged;
    } else {
        m_ordered += ordered;
        m_exchanged += exchanged;
    }
}

void PositionKey::reset(const Game& game, const RuleFacts& facts)
{
    m_facts = &facts;
    m_ordered = m_exchanged = 0;
    m_dirty = 0;
    for (int slot = 0; slot < PileSlots; ++slot) {
        m_pile[std::size_t(slot)] = pileHash(game, slot);
        add(slot, m_pile[std::size_t(slot)], false);
    }
}

void PositionKey::refresh(const Game& game, int slot)
{
    if (m_facts->stockRotates && slot == 1)
        slot = 0; // the two are one
    const std::uint64_t now = pileHash(game, slot);
    std::uint64_t& was = m_pile[std::size_t(slot)];
    if (now == was)
        return;
    add(slot, was, true);
    was = now;
    add(slot, now, false);
}

std::uint64_t PositionKey::key(const Game& game)
{
    for (std::uint64_t dirty = m_dirty; dirty != 0; dirty &= dirty - 1)
        refresh(game, std::countr_zero(dirty));
    m_dirty = 0;
    return (exchangeableNow(*m_facts, game) ? m_exchanged : m_ordered) ^ countersHash(game, game.movesMade > 0);
}

std::uint64_t PositionKey::countersHash(const Game& game, bool moved) const
{
    const PlacementCounters& c = game.counters;
    return mix((std::uint64_t(m_facts->dealsCount ? c.DealCounter : 0) << 32)
               ^ (std::uint64_t(std::uint32_t(c.SpecialCounter)) << 2)
               ^ std::uint64_t(moved)); // the rules ask only whether a move was made
}

} // namespace kst::solver
