#include "cards/Piles.h"

#include <gtest/gtest.h>

#include <string>

namespace kst {
namespace {

// The face flags of a pile's cards from the bottom, "U" up and "D" down.
std::string faces(const DeckTable& deck, std::string_view pile)
{
    std::string out;
    for (int i = 0; i < cardCount(pile); ++i)
        out += deck.isFaceDown(cardAt(pile, i)) ? 'D' : 'U';
    return out;
}

TEST(PileText, ReadsElements)
{
    EXPECT_EQ(cardCount(""), 0);
    EXPECT_EQ(topCard(""), 0);
    EXPECT_EQ(cardCount("000000"), 2);
    EXPECT_EQ(topCard("000000"), 0);
    EXPECT_EQ(topCard("017108"), 108);
    EXPECT_EQ(cardAt("017108", 0), 17);
    EXPECT_EQ(cardAt("017108", 2), -1);
    EXPECT_EQ(cardAt("017108", -1), -1);
    EXPECT_EQ(cardCount("01710"), 1);
    EXPECT_EQ(topCard("01710"), 17);
    EXPECT_EQ(topCard("0x7"), -1);
    EXPECT_EQ(parseCardDigits(" 17"), -1);
    EXPECT_EQ(parseCardDigits("0017"), -1);
}

TEST(PileText, SetFacesModes)
{
    const std::string pile = "001002003004005";
    const struct {
        int n;
        const char* before;
        const char* after;
    } cases[] = {
        {1, "DDDDD", "DDDDU"},   {3, "DDDDD", "DDUUU"},  {5, "DDDDD", "UUUUU"},
        {9, "DDDDD", "UUUUU"},   {-1, "DDDDD", "UDUDU"}, {-2, "UUUUU", "DUDUD"},
        {-3, "UUUUU", "UDDDD"},  {0, "DUDUD", "DUDUD"},  {-4, "UDUDU", "UDUDU"},
    };
    for (const auto& c : cases) {
        DeckTable deck;
        for (int i = 0; i < 5; ++i)
            deck.setFace(i + 1, c.before[i] == 'D' ? Face::Down : Face::Up);
        setFaces(deck, pile, c.n);
        EXPECT_EQ(faces(deck, pile), c.after) << "n = " << c.n;
        EXPECT_FALSE(deck.isFaceDown(6)) << "a card beyond the pile changed, n = " << c.n;
    }

    DeckTable deck;
    deck.setFace(40, Face::Down);
    setFaces(deck, "040", OnlyBottomUp);
    EXPECT_FALSE(deck.isFaceDown(40));

    setFaces(deck, "001002", 2, Face::Down);
    EXPECT_EQ(faces(deck, "001002"), "DD");
}

TEST(PileText, SetFacesSkipsEmptySlots)
{
    DeckTable deck;
    setFaces(deck, "000007000", AlternateDownFirst);
    EXPECT_EQ(faces(deck, "007"), "U");
    setFaces(deck, "000007000", AlternateUpFirst);
    EXPECT_EQ(faces(deck, "007"), "D");
    EXPECT_EQ(deck.record(7).substr(0, 19), DeckTable{}.record(7).substr(0, 19));
}

TEST(PileNames, RoundTripForEveryPile)
{
    PileGroups piles;
    int count = 0;
    forEachPile(piles, [&](PileRef ref, const std::string&) {
        const std::string name = pileName(ref);
        EXPECT_EQ(parsePileName(name), ref) << name;
        EXPECT_NE(piles.pile(parsePileName(name)), nullptr) << name;
        ++count;
    });
    EXPECT_EQ(count, 3 + 16 + 28 + 8);

    EXPECT_EQ(pileName(filaPile(6)), "Fila7");
    EXPECT_EQ(pileName(destPile(11)), "Dest12");
    EXPECT_EQ(pileName(appoggPile(2)), "Appogg3");
    EXPECT_EQ(pileName(Mazzo), "Mazzo");
    EXPECT_EQ(pileName(Mazzo_Vis), "Mazzo_Vis");
    EXPECT_EQ(pileName(Mazzo_Waste), "Mazzo_Waste");
    EXPECT_EQ(pileName(filaPile(28)), "");
    EXPECT_EQ(pileName(PileRef{}), "");
}

TEST(PileNames, SelectionDestinationsAreNoPiles)
{
    for (const PileRef ref : {Selezionate_Dest, Selezionate_Fila}) {
        EXPECT_EQ(parsePileName(pileName(ref)), ref);
        EXPECT_FALSE(ref.isNone());
        EXPECT_EQ(PileGroups{}.pile(ref), nullptr);
    }
    EXPECT_EQ(pileName(Selezionate_Dest), "Selezionate_Dest");
    EXPECT_EQ(pileName(Selezionate_Fila), "Selezionate_Fila");
}

TEST(PileNames, HostileNamesAreNoPile)
{
    for (const char* name : {"", "Fila", "Fila0", "Fila29", "Fila99", "Fila07", "Fila-1", "Fila+1", "Fila7x",
                             "Fila 7", "fila7", "Dest0", "Dest17", "Appogg", "Appogg0", "Appogg9", "Appogg12",
                             "Mazzo_", "Mazzo_Vis ", "MAZZO", "Selezionate", "Fila123456789012345678901"}) {
        EXPECT_TRUE(parsePileName(name).isNone()) << '"' << name << '"';
    }
    PileGroups piles;
    EXPECT_EQ(piles.pile(PileRef{PileGroup::Fila, 28}), nullptr);
    EXPECT_EQ(piles.pile(PileRef{PileGroup::Appogg, -1}), nullptr);
    EXPECT_EQ(piles.pile(PileRef{}), nullptr);
}

TEST(Piles, AppendSetsTheFaceOnlyWhenGiven)
{
    PileGroups piles;
    DeckTable deck;
    deck.setFace(5, Face::Down);
    EXPECT_TRUE(appendCard(piles, filaPile(0), 5));
    EXPECT_TRUE(deck.isFaceDown(5));
    EXPECT_TRUE(appendCard(piles, deck, filaPile(0), 105, Face::Down));
    EXPECT_TRUE(appendCard(piles, deck, filaPile(0), 0, Face::Down));
    EXPECT_EQ(piles.fila[0], "005105000");
    EXPECT_TRUE(deck.isFaceDown(105));

    const PileGroups before = piles;
    EXPECT_FALSE(appendCard(piles, deck, filaPile(28), 1, Face::Down));
    EXPECT_FALSE(appendCard(piles, Selezionate_Dest, 1));
    EXPECT_FALSE(appendCard(piles, filaPile(0), 109));
    EXPECT_FALSE(appendCard(piles, filaPile(0), -1));
    EXPECT_EQ(piles, before);
    EXPECT_FALSE(deck.isFaceDown(1));
}

TEST(Piles, RemoveInBothModes)
{
    PileGroups piles;
    piles.fila[2] = "010011012";
    PileGroups deleted = piles;
    EXPECT_EQ(removeCard(deleted, 11, RemoveMode::Delete, 3).from, RemovedFrom::Tableau);
    EXPECT_EQ(deleted.fila[2], "010012");

    Removal r = removeCard(piles, 11, RemoveMode::LeaveSlot, 3);
    EXPECT_EQ(r.from, RemovedFrom::Tableau);
    EXPECT_EQ(r.pile, filaPile(2));
    EXPECT_EQ(piles.fila[2], "010000012");
    EXPECT_EQ(cardCount(piles.fila[2]), 3);
}

TEST(Piles, RemoveOfAMissingCardChangesNothing)
{
    PileGroups piles;
    piles.stock[0] = "001002";
    piles.fila[5] = "003000";
    piles.appogg[7] = "004";
    const PileGroups before = piles;
    // Card 3 lies in a tableau pile beyond those in use; 0 is the empty slot, never a card.
    for (const int card : {3, 50, 0, -1, 109}) {
        EXPECT_EQ(removeCard(piles, card, RemoveMode::Delete, 5).from, RemovedFrom::NotFound) << card;
        EXPECT_TRUE(removeCard(piles, card, RemoveMode::LeaveSlot, 5).pile.isNone()) << card;
        EXPECT_EQ(removeCardFromGrid(piles, card, 5).from, RemovedFrom::NotFound) << card;
    }
    EXPECT_EQ(piles, before);
    EXPECT_EQ(removeCard(piles, 3, RemoveMode::Delete, 99).from, RemovedFrom::Tableau);
}

TEST(Piles, RemoveSearchesInOrder)
{
    // The same number in several piles: each removal takes the first in the search order.
    PileGroups piles;
    piles.appogg[0] = "009";
    piles.stock[2] = "009";
    piles.stock[0] = "009";
    piles.dest[15] = "009";
    piles.dest[0] = "009";
    piles.fila[1] = "009009";
    piles.fila[0] = "009";
    piles.stock[1] = "009";
    const struct {
        RemovedFrom from;
        PileRef pile;
    } order[] = {
        {RemovedFrom::Waste, Mazzo_Vis},        {RemovedFrom::Tableau, filaPile(0)},
        {RemovedFrom::Tableau, filaPile(1)},    {RemovedFrom::Tableau, filaPile(1)},
        {RemovedFrom::Foundation, destPile(0)}, {RemovedFrom::Foundation, destPile(15)},
        {RemovedFrom::Stock, Mazzo},            {RemovedFrom::SecondWaste, Mazzo_Waste},
        {RemovedFrom::Reserve, appoggPile(0)},  {RemovedFrom::NotFound, PileRef{}},
    };
    for (const auto& o : order) {
        const Removal r = removeCard(piles, 9, RemoveMode::Delete, 2);
        EXPECT_EQ(r.from, o.from) << pileName(o.pile);
        EXPECT_EQ(r.pile, o.pile) << pileName(o.pile);
    }
    EXPECT_EQ(piles, PileGroups{});
    EXPECT_EQ(int(RemovedFrom::Waste), 2);
    EXPECT_EQ(int(RemovedFrom::Reserve), 6);
}

TEST(Piles, RemoveFromGridTakesTheSlotBelow)
{
    const struct {
        const char* pile;
        int card;
        const char* after;
    } cases[] = {
        {"001000002003", 2, "001003"},
        {"001002003", 2, "001003"},
        {"000002", 2, ""},
        {"002000", 2, "000"},
        {"000000002", 2, "000"},
        // "000" must be a whole element: here it straddles two cards.
        {"100002", 2, "100"},
    };
    for (const auto& c : cases) {
        PileGroups piles;
        piles.fila[0] = c.pile;
        EXPECT_EQ(removeCardFromGrid(piles, c.card, 1).from, RemovedFrom::Tableau) << c.pile;
        EXPECT_EQ(piles.fila[0], c.after) << c.pile;
    }
}

TEST(Piles, ClearEmptiesEveryPile)
{
    CardTable table;
    table.piles.stock[0] = "001";
    table.piles.fila[27] = "002003";
    clearTable(table.piles);
    EXPECT_EQ(table.piles, PileGroups{});
}

TEST(Piles, TableIsOkFindsTheFirstFault)
{
    PileGroups good;
    good.stock[0] = "001002";
    good.fila[0] = "003000";
    good.dest[3] = "108";
    EXPECT_EQ(tableIsOk(good), "");

    const struct {
        const char* name;
        const char* text;
        const char* problem;
    } cases[] = {
        {"Fila2", "0040", "Fila2 has a length of 4, not a multiple of 3"},
        {"Fila2", "004109", "Fila2 holds \"109\", which is no card"},
        {"Appogg8", "00a", "Appogg8 holds \"00a\", which is no card"},
        {"Appogg8", "-01", "Appogg8 holds \"-01\", which is no card"},
        {"Dest16", "002", "card 002 is in Mazzo and again in Dest16"},
        {"Fila1", "003003", "card 003 is in Fila1 and again in Fila1"},
    };
    for (const auto& c : cases) {
        PileGroups piles = good;
        *piles.pile(parsePileName(c.name)) = c.text;
        EXPECT_EQ(tableIsOk(piles), c.problem) << c.name << ' ' << c.text;
    }
}

TEST(Piles, TableIsOkWithTheExpectedCards)
{
    PileGroups piles;
    for (int card = 1; card <= 52; ++card)
        appendCard(piles, filaPile(card % 7), card);
    EXPECT_EQ(tableIsOk(piles, firstCards(52)), "");
    EXPECT_EQ(tableIsOk(piles, firstCards(104)), "card 53 is in no pile");
    EXPECT_EQ(tableIsOk(piles, firstCards(51)), "card 52 is not part of this game");
    removeCard(piles, 17, RemoveMode::LeaveSlot, 7);
    EXPECT_EQ(tableIsOk(piles), "");
    EXPECT_EQ(tableIsOk(piles, firstCards(52)), "card 17 is in no pile");
}

} // namespace
} // namespace kst
