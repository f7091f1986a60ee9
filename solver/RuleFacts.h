#pragma once
// What the rule table lets the search assume: which piles are alike (so that positions differing
// only in their order are one position), and when sending a card home can never hurt (so that it
// is made at once, without trying anything else). Every fact is read from the rules; nothing here
// knows a game by its name.

#include <array>
#include <cstdint>

#include "cards/Piles.h"
#include "engine/Game.h"

namespace kst::solver {

// Every pile of the table by one number: the stock group 0..2, foundations 3..18, tableau piles
// 19..46, reserves 47..54.
inline constexpr int PileSlots =
    PileGroups::StockEntries + PileGroups::DestEntries + PileGroups::FilaEntries + PileGroups::AppoggEntries;
constexpr int slotOf(PileRef ref)
{
    switch (ref.group) {
    case PileGroup::Stock: return ref.index;
    case PileGroup::Dest: return PileGroups::StockEntries + ref.index;
    case PileGroup::Fila: return PileGroups::StockEntries + PileGroups::DestEntries + ref.index;
    case PileGroup::Appogg:
        return PileGroups::StockEntries + PileGroups::DestEntries + PileGroups::FilaEntries + ref.index;
    default: return -1;
    }
}
PileRef pileOfSlot(int slot);

struct RuleFacts {
    // Piles of one class follow the same rules; each slot has its own class unless alike piles may
    // be exchanged. Class numbers are below PileSlots.
    std::array<std::uint8_t, PileSlots> pileClass{};
    // Alike tableau piles, foundations and reserves may be exchanged at all (no grid, no blocked
    // area, no rule that names a pile by its place).
    bool exchangeable = false;
    // The stock deals onto tableau piles or reserves by their order: alike piles may be exchanged
    // only once it is empty.
    bool stockFeedsPiles = false;
    // The redeal gathers the tableau by its order: alike piles may never be exchanged.
    bool tableauRedealt = false;
    // A card may go home at once when every card the tableau would let sit on it is home already.
    bool safeMoves = false;
    // For each card, the cards some tableau pile would let sit on it, where the build rules say so
    // by the two cards alone (supportsKnown).
    bool supportsKnown = false;
    std::array<CardSet, CardsInDeckTable + 1> supports{};
    // A card taken back from a foundation onto a tableau pile is of use only for a card to go on
    // it; any other move made in between could as well have been made before. So the search takes
    // a card back only to put a card on it at once (or to take back another for that), where no
    // rule reads an empty pile or a pile's height by itself.
    bool takeBacksWait = false;
    // The rules let a card be proved stuck (StuckCards.h): the tableau builds by the two cards alone,
    // no reserve takes cards, nothing fills or deals onto the piles, and one deck goes home suit by
    // suit from the Ace up. Then a card goes home once the lower cards of its suit are home, it may
    // lie on the cards in `holders`, and an empty tableau pile may take it when it is in emptyTakes.
    bool stuckCardsKnown = false;
    std::array<CardSet, CardsInDeckTable + 1> holders{};
    CardSet emptyTakes;
    // The deal passes count (a limited number of redeals).
    bool dealsCount = false;
    // One card a press and the waste turned over without limit: every way of splitting the cards
    // between stock and waste is reached from every other by pressing, so only the order in which
    // the presses deal them matters.
    bool stockRotates = false;
};

// With `shortcuts` off, nothing is assumed: no piles alike, no card sent home at once, no move
// kept waiting, the stock's every split a position of its own (for checking that the shortcuts
// keep the answer).
RuleFacts ruleFacts(const Game& game, bool shortcuts = true);

// Whether alike piles may be exchanged in this position.
inline bool exchangeableNow(const RuleFacts& facts, const Game& game)
{
    return facts.exchangeable && !facts.tableauRedealt && (!facts.stockFeedsPiles || game.cards.piles.stock[0].empty());
}

} // namespace kst::solver
