#pragma once
// The table's words, as every part of the program uses them:
//   stock group  Mazzo, the stock: face-down cards dealt from by clicking it;
//                Mazzo_Vis, the waste: the face-up cards dealt from the stock;
//                Mazzo_Waste, the second waste: discards some games keep apart.
//   Dest1..16    the foundations, built up (or down) from a base rank to the end of the suit.
//   Fila1..28    the tableau piles (columns, rows or grid slots), where the cards are played.
//   Appogg1..8   the reserves (free cells and the like), holding cards aside.
// A game uses only the first RuleTable[278] foundations, [279] tableau piles and [280] reserves.
//
// Piles. A pile is a text of three-digit card numbers, bottom card first; "000" is an empty slot
// that keeps the other cards of a fixed grid in their positions. The table is four groups of
// piles with a fixed number of entries each; a pile is named by its group word and 1-based
// number ("Fila7", "Dest12", "Appogg3") or, in the stock group, by "Mazzo", "Mazzo_Vis" and
// "Mazzo_Waste". The texts are also the saved form of a game, so they are kept exactly.

#include <array>
#include <bit>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

#include "cards/Card.h"
#include "cards/DeckTable.h"

namespace kst {

// ---- pile texts ------------------------------------------------------------------------------

inline constexpr std::string_view EmptySlot = "000";

// The card number as a pile writes it: three digits ("017"); 0 gives the empty slot "000".
std::string cardDigits(int card);
// The position from the bottom of the card's element in the pile (a card lies there at most once;
// of the gaps "000" a grid may hold, the lowest); -1 when it holds none.
int findCard(std::string_view pile, int card);

// The number written in three digits ("017" gives 17, "000" gives 0); -1 when the text is not
// exactly three digits.
constexpr int parseCardDigits(std::string_view digits)
{
    if (digits.size() != 3)
        return -1;
    const unsigned a = unsigned(digits[0] - '0'), b = unsigned(digits[1] - '0'), c = unsigned(digits[2] - '0');
    return a > 9 || b > 9 || c > 9 ? -1 : int(a * 100 + b * 10 + c);
}
constexpr int cardCount(std::string_view pile) { return int(pile.size() / 3); }
// The element at a 0-based position from the bottom, as parseCardDigits reads it; -1 outside.
constexpr int cardAt(std::string_view pile, int position)
{
    if (position < 0 || position >= cardCount(pile))
        return -1;
    return parseCardDigits(pile.substr(std::size_t(position) * 3, 3));
}
// The top element; 0 (no card) for the empty pile.
constexpr int topCard(std::string_view pile)
{
    const int count = cardCount(pile);
    return count == 0 ? 0 : cardAt(pile, count - 1);
}

// Face modes of setFaces besides a count of top cards.
inline constexpr int AlternateUpFirst = -1;   // bottom card up, next down, ...
inline constexpr int AlternateDownFirst = -2; // bottom card down, next up, ...
inline constexpr int OnlyBottomUp = -3;       // bottom card up, every other card down

// Sets the faces of the pile's cards; the text itself stays. n >= 1 gives the top n cards (all of
// them when n is larger) the face; the three modes above ignore it; any other n does nothing.
void setFaces(DeckTable& deck, std::string_view pile, int n, Face face = Face::Up);

// ---- groups and references -------------------------------------------------------------------

// Selezionate_Dest and Selezionate_Fila are no piles: they are where the cards selected in a
// pairing game may be sent.
enum class PileGroup : std::int8_t { None, Stock, Dest, Fila, Appogg, Selezionate_Dest, Selezionate_Fila };

// A pile by group and 0-based entry; the default value is no pile.
struct PileRef {
    PileGroup group = PileGroup::None;
    std::int8_t index = 0;

    constexpr bool isNone() const { return group == PileGroup::None; }
    friend constexpr bool operator==(const PileRef&, const PileRef&) = default;
};

inline constexpr PileRef Mazzo{PileGroup::Stock, 0};
inline constexpr PileRef Mazzo_Vis{PileGroup::Stock, 1};
inline constexpr PileRef Mazzo_Waste{PileGroup::Stock, 2};
inline constexpr PileRef Selezionate_Dest{PileGroup::Selezionate_Dest, 0};
inline constexpr PileRef Selezionate_Fila{PileGroup::Selezionate_Fila, 0};
constexpr PileRef destPile(int index) { return {PileGroup::Dest, std::int8_t(index)}; }
constexpr PileRef filaPile(int index) { return {PileGroup::Fila, std::int8_t(index)}; }
constexpr PileRef appoggPile(int index) { return {PileGroup::Appogg, std::int8_t(index)}; }

struct PileGroups {
    static constexpr int StockEntries = 3;
    static constexpr int DestEntries = 16;
    static constexpr int FilaEntries = 28;
    static constexpr int AppoggEntries = 8;

    std::array<std::string, StockEntries> stock;
    std::array<std::string, DestEntries> dest;
    std::array<std::string, FilaEntries> fila;
    std::array<std::string, AppoggEntries> appogg;

    // The pile's text; nullptr when the reference names no pile or an entry beyond its group.
    // Searches ask this all the time: it is inline.
    std::string* pile(PileRef ref)
    {
        switch (ref.group) {
        case PileGroup::Stock: return entry(stock, ref.index);
        case PileGroup::Dest: return entry(dest, ref.index);
        case PileGroup::Fila: return entry(fila, ref.index);
        case PileGroup::Appogg: return entry(appogg, ref.index);
        default: return nullptr;
        }
    }
    const std::string* pile(PileRef ref) const { return const_cast<PileGroups*>(this)->pile(ref); }

    friend bool operator==(const PileGroups&, const PileGroups&) = default;

private:
    template <std::size_t N>
    static std::string* entry(std::array<std::string, N>& group, int index)
    {
        return index >= 0 && index < int(N) ? &group[std::size_t(index)] : nullptr;
    }
};

// Every entry of every group, in group order (stock, dest, fila, appogg).
template <typename Visit>
void forEachPile(const PileGroups& piles, Visit&& visit)
{
    for (int i = 0; i < PileGroups::StockEntries; ++i)
        visit(PileRef{PileGroup::Stock, std::int8_t(i)}, piles.stock[i]);
    for (int i = 0; i < PileGroups::DestEntries; ++i)
        visit(destPile(i), piles.dest[i]);
    for (int i = 0; i < PileGroups::FilaEntries; ++i)
        visit(filaPile(i), piles.fila[i]);
    for (int i = 0; i < PileGroups::AppoggEntries; ++i)
        visit(appoggPile(i), piles.appogg[i]);
}

// ---- pile names ------------------------------------------------------------------------------

// Empty for no pile.
std::string pileName(PileRef ref);
// Only the exact names pileName gives are accepted (no leading zeros, nothing after the number,
// the number within its group); anything else is no pile.
PileRef parsePileName(std::string_view name);

// ---- changing the table ----------------------------------------------------------------------

// Appends the card's three digits (0 appends an empty slot). A face, when given, is also set on
// the card. False, and nothing changed, for a reference that is no pile or a number beyond 108.
bool appendCard(PileGroups& piles, PileRef ref, int card);
bool appendCard(PileGroups& piles, DeckTable& deck, PileRef ref, int card, Face face);

enum class RemoveMode : std::int8_t { Delete = 1, LeaveSlot = 2 };

// Where a removed card was; the values are the codes other data records.
enum class RemovedFrom : std::int8_t {
    NotFound = -1, Stock = 1, Waste = 2, SecondWaste = 3, Tableau = 4, Foundation = 5, Reserve = 6
};

struct Removal {
    RemovedFrom from = RemovedFrom::NotFound;
    PileRef pile;
};

// Takes the card out of the first pile that holds it, searched in this order: Mazzo_Vis, the
// tableau piles in use, all foundations, Mazzo, Mazzo_Waste, all reserves; within a pile from the
// bottom. LeaveSlot writes "000" in its place. Card 0 is no card and is never found.
Removal removeCard(PileGroups& piles, int card, RemoveMode mode, int filaInUse);
// As removeCard with Delete, and an empty slot just below the card goes with it: taking a card
// back off a grid also takes back the gap it was moved into.
Removal removeCardFromGrid(PileGroups& piles, int card, int filaInUse);

// Empties every pile; the entries stay.
void clearTable(PileGroups& piles);

// ---- the saved form ----

// A pile as saved games and table images keep it: per element its three digits and the card's
// face flag ("1" up, "0" down); an empty slot is "0000".
std::string savedPileString(const DeckTable& deck, std::string_view pile);
// The pile from its saved form, the faces of its cards set as saved. Groups of four characters;
// a short or malformed group ends the reading (what came before it stays). False when the text
// was not read whole.
bool restoreSavedPile(DeckTable& deck, std::string& pile, std::string_view saved);

// ---- checks ----------------------------------------------------------------------------------

using CardSet = std::bitset<CardsInDeckTable + 1>;
// Cards 1..count.
CardSet firstCards(int count);
// Calls visit(card) for each card of the set, in rising order, looking only at the cards set.
template <typename Visit>
void forEachCard(const CardSet& set, Visit&& visit)
{
    static_assert(CardsInDeckTable + 1 <= 128);
    const std::uint64_t words[2] = {(set & CardSet(~0ULL)).to_ullong(), (set >> 64).to_ullong()};
    for (int w = 0; w < 2; ++w)
        for (std::uint64_t bits = words[w]; bits != 0; bits &= bits - 1)
            visit(w * 64 + std::countr_zero(bits));
}

// The first fault found in the piles, as a message; empty when there is none. Every text must be
// a whole number of three-digit elements, each 000..108, and no card may appear twice. With the
// expected cards given, exactly those cards must appear.
std::string tableIsOk(const PileGroups& piles);
std::string tableIsOk(const PileGroups& piles, const CardSet& expected);

// ---- the cards of the running game -----------------------------------------------------------

// The faces and the piles.
struct CardTable {
    DeckTable deck;
    PileGroups piles;

    friend bool operator==(const CardTable&, const CardTable&) = default;
};

} // namespace kst
