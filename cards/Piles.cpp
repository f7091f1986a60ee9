#include "cards/Piles.h"

#include <algorithm>
#include <charconv>

namespace kst {

// ---- pile texts ------------------------------------------------------------------------------

void setFaces(DeckTable& deck, std::string_view pile, int n, Face face)
{
    const int count = cardCount(pile);
    if (n >= 1) {
        for (int i = std::max(0, count - n); i < count; ++i)
            deck.setFace(cardAt(pile, i), face);
        return;
    }
    for (int i = 0; i < count; ++i) {
        const bool evenFromBottom = i % 2 == 0;
        switch (n) {
        case AlternateUpFirst:
            deck.setFace(cardAt(pile, i), evenFromBottom ? Face::Up : Face::Down);
            break;
        case AlternateDownFirst:
            deck.setFace(cardAt(pile, i), evenFromBottom ? Face::Down : Face::Up);
            break;
        case OnlyBottomUp:
            deck.setFace(cardAt(pile, i), i == 0 ? Face::Up : Face::Down);
            break;
        default:
            return;
        }
    }
}

// ---- pile names ------------------------------------------------------------------------------

namespace {

struct NumberedGroup {
    std::string_view word;
    PileGroup group;
    int entries;
};

constexpr std::array<NumberedGroup, 3> NumberedGroups{{
    {"Dest", PileGroup::Dest, PileGroups::DestEntries},
    {"Fila", PileGroup::Fila, PileGroups::FilaEntries},
    {"Appogg", PileGroup::Appogg, PileGroups::AppoggEntries},
}};

struct WholeName {
    std::string_view name;
    PileRef ref;
};

constexpr std::array<WholeName, 5> WholeNames{{
    {"Mazzo", Mazzo},
    {"Mazzo_Vis", Mazzo_Vis},
    {"Mazzo_Waste", Mazzo_Waste},
    {"Selezionate_Dest", Selezionate_Dest},
    {"Selezionate_Fila", Selezionate_Fila},
}};

} // namespace

std::string pileName(PileRef ref)
{
    for (const WholeName& w : WholeNames) {
        if (w.ref == ref)
            return std::string(w.name);
    }
    for (const NumberedGroup& g : NumberedGroups) {
        if (g.group == ref.group && ref.index >= 0 && ref.index < g.entries)
            return std::string(g.word) + std::to_string(ref.index + 1);
    }
    return {};
}

PileRef parsePileName(std::string_view name)
{
    for (const WholeName& w : WholeNames) {
        if (w.name == name)
            return w.ref;
    }
    for (const NumberedGroup& g : NumberedGroups) {
        if (!name.starts_with(g.word))
            continue;
        const std::string_view digits = name.substr(g.word.size());
        if (digits.empty() || digits.size() > 2 || digits.front() == '0')
            return {};
        int number = 0;
        const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
        if (error != std::errc{} || end != digits.data() + digits.size() || number < 1 || number > g.entries)
            return {};
        return {g.group, std::int8_t(number - 1)};
    }
    return {};
}

// ---- changing the table ----------------------------------------------------------------------

std::string cardDigits(int card)
{
    const int v = std::clamp(card, 0, 999);
    return {char('0' + v / 100), char('0' + v / 10 % 10), char('0' + v % 10)};
}

int findCard(std::string_view pile, int card)
{
    if (card < 0 || card > 999) { // only a malformed element reads as such a number
        for (int i = 0; i < cardCount(pile); ++i)
            if (cardAt(pile, i) == card)
                return i;
        return -1;
    }
    // Searches ask this very often: the digits are compared, not read. A card lies at most once on
    // the table, and the one asked for is most often near the top, so a card is looked for from the
    // top down; a gap ("000", which a grid may hold many times) from the bottom up.
    const char d0 = char('0' + card / 100), d1 = char('0' + card / 10 % 10), d2 = char('0' + card % 10);
    const std::size_t whole = pile.size() / 3 * 3;
    if (card == 0) {
        for (std::size_t at = 0; at < whole; at += 3)
            if (pile[at + 2] == d2 && pile[at + 1] == d1 && pile[at] == d0)
                return int(at / 3);
        return -1;
    }
    for (std::size_t at = whole; at >= 3; at -= 3)
        if (pile[at - 1] == d2 && pile[at - 2] == d1 && pile[at - 3] == d0)
            return int(at / 3) - 1;
    return -1;
}

namespace {

struct Found {
    Removal removal;
    std::string* pile = nullptr;
    int position = -1;
};

Found locate(PileGroups& piles, int card, int filaInUse)
{
    if (!isCardNumber(card))
        return {};
    const auto tryPile = [&](PileRef ref, RemovedFrom from, Found& found) {
        std::string* text = piles.pile(ref);
        const int position = findCard(*text, card);
        if (position < 0)
            return false;
        found = {{from, ref}, text, position};
        return true;
    };
    Found found;
    if (tryPile(Mazzo_Vis, RemovedFrom::Waste, found))
        return found;
    for (int i = 0; i < std::clamp(filaInUse, 0, PileGroups::FilaEntries); ++i) {
        if (tryPile(filaPile(i), RemovedFrom::Tableau, found))
            return found;
    }
    for (int i = 0; i < PileGroups::DestEntries; ++i) {
        if (tryPile(destPile(i), RemovedFrom::Foundation, found))
            return found;
    }
    if (tryPile(Mazzo, RemovedFrom::Stock, found) || tryPile(Mazzo_Waste, RemovedFrom::SecondWaste, found))
        return found;
    for (int i = 0; i < PileGroups::AppoggEntries; ++i) {
        if (tryPile(appoggPile(i), RemovedFrom::Reserve, found))
            return found;
    }
    return {};
}

} // namespace

bool appendCard(PileGroups& piles, PileRef ref, int card)
{
    std::string* pile = piles.pile(ref);
    if (pile == nullptr || card < 0 || card > CardsInDeckTable)
        return false;
    pile->append(cardDigits(card));
    return true;
}

bool appendCard(PileGroups& piles, DeckTable& deck, PileRef ref, int card, Face face)
{
    if (!appendCard(piles, ref, card))
        return false;
    deck.setFace(card, face);
    return true;
}

Removal removeCard(PileGroups& piles, int card, RemoveMode mode, int filaInUse)
{
    const Found found = locate(piles, card, filaInUse);
    if (found.pile == nullptr)
        return {};
    const std::size_t at = std::size_t(found.position) * 3;
    if (mode == RemoveMode::LeaveSlot)
        found.pile->replace(at, 3, EmptySlot);
    else
        found.pile->erase(at, 3);
    return found.removal;
}

Removal removeCardFromGrid(PileGroups& piles, int card, int filaInUse)
{
    const Found found = locate(piles, card, filaInUse);
    if (found.pile == nullptr)
        return {};
    std::size_t at = std::size_t(found.position) * 3;
    std::size_t length = 3;
    if (found.position > 0 && cardAt(*found.pile, found.position - 1) == 0) {
        at -= 3;
        length += 3;
    }
    found.pile->erase(at, length);
    return found.removal;
}

void clearTable(PileGroups& piles)
{
    // clear() rather than a fresh value keeps each text's storage for the next deal.
    for (auto& p : piles.stock)
        p.clear();
    for (auto& p : piles.dest)
        p.clear();
    for (auto& p : piles.fila)
        p.clear();
    for (auto& p : piles.appogg)
        p.clear();
}

// ---- the saved form ----

std::string savedPileString(const DeckTable& deck, std::string_view pile)
{
    std::string out;
    out.reserve(pile.size() / 3 * 4);
    for (std::size_t at = 0; at + 3 <= pile.size(); at += 3) {
        const std::string_view digits = pile.substr(at, 3);
        const int card = parseCardDigits(digits);
        out += digits;
        out += card > 0 && !deck.isFaceDown(card) ? '1' : '0';
    }
    return out;
}

bool restoreSavedPile(DeckTable& deck, std::string& pile, std::string_view saved)
{
    pile.clear();
    for (std::size_t at = 0; at + 4 <= saved.size(); at += 4) {
        const int card = parseCardDigits(saved.substr(at, 3));
        const char face = saved[at + 3];
        if (card < 0 || card > CardsInDeckTable || (face != '0' && face != '1'))
            return false;
        pile += saved.substr(at, 3);
        if (card > 0)
            deck.setFace(card, face == '1' ? Face::Up : Face::Down);
    }
    return saved.size() % 4 == 0;
}

// ---- checks ----------------------------------------------------------------------------------

CardSet firstCards(int count)
{
    CardSet cards;
    for (int card = 1; card <= std::min(count, CardsInDeckTable); ++card)
        cards.set(std::size_t(card));
    return cards;
}

namespace {

std::string checkPiles(const PileGroups& piles, CardSet& seen)
{
    std::array<PileRef, CardsInDeckTable + 1> where{};
    std::string problem;
    forEachPile(piles, [&](PileRef ref, const std::string& text) {
        if (!problem.empty())
            return;
        if (text.size() % 3 != 0) {
            problem = pileName(ref) + " has a length of " + std::to_string(text.size()) + ", not a multiple of 3";
            return;
        }
        for (int i = 0; i < cardCount(text); ++i) {
            const int card = cardAt(text, i);
            if (card < 0 || card > CardsInDeckTable) {
                problem = pileName(ref) + " holds \"" + text.substr(std::size_t(i) * 3, 3) + "\", which is no card";
                return;
            }
            if (card == 0)
                continue;
            if (seen.test(std::size_t(card))) {
                problem = "card " + text.substr(std::size_t(i) * 3, 3) + " is in " + pileName(where[card])
                    + " and again in " + pileName(ref);
                return;
            }
            seen.set(std::size_t(card));
            where[card] = ref;
        }
    });
    return problem;
}

} // namespace

std::string tableIsOk(const PileGroups& piles)
{
    CardSet seen;
    return checkPiles(piles, seen);
}

std::string tableIsOk(const PileGroups& piles, const CardSet& expected)
{
    CardSet seen;
    if (std::string problem = checkPiles(piles, seen); !problem.empty())
        return problem;
    for (int card = 1; card <= CardsInDeckTable; ++card) {
        if (expected.test(std::size_t(card)) && !seen.test(std::size_t(card)))
            return "card " + std::to_string(card) + " is in no pile";
        if (!expected.test(std::size_t(card)) && seen.test(std::size_t(card)))
            return "card " + std::to_string(card) + " is not part of this game";
    }
    return {};
}

} // namespace kst
