#pragma once
// The stock: what a press on it does, by the game's rules, and doing it. A press deals cards to
// the waste or the second waste, turns the waste back into the stock, deals a card onto each
// tableau pile or reserve, or gathers the tableau and deals it again; the rules choose which and
// how often. Each press is one move of the game (engine/Moves.h) and is taken back as one.

#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/Game.h"

namespace kst {

// What a press on the stock does. The values are kept in a Move, so they are small and fixed.
enum class StockCommand : std::uint8_t {
    None,             // nothing: the stock is used up and no redeal is left
    FillGapsFirst,    // refused until no tableau pile is empty (the player is told so)
    Waste,            // deal cards to the waste, or turn the waste over when the stock is empty
    SecondWaste,      // deal cards to the second waste
    Redeal,           // gather the tableau and deal it again (or the redeal mode's own step)
    AddTableaus,      // a card onto each tableau pile whose flag allows it
    AddTableausLast,  // a card onto every tableau pile
    FillTableaus,     // a card onto each empty tableau pile
    AddReserves,      // a card onto each reserve whose flag allows it
    AddReservesTwice, // the same, two rounds
    AlternateReserve, // one to three cards onto the first or the second reserve, turn about
    CloseUpGrid,      // the grid's cards close up their gaps and the stock fills the rest
};

// The message a press refused for FillGapsFirst gives.
inline constexpr std::string_view FillGapsMessage = "Fill in any gaps in the tableau before dealing.";

// The command a press on the stock runs now, in the order the rules ask: dealing to the waste,
// then the redeals, the deals onto piles, the second waste. None when the press would change
// nothing.
StockCommand stockCommand(const Game& game);
// A press on the waste when it and the stock are empty asks for the redeal in the games that
// gather their tableau; None otherwise.
StockCommand wasteCommand(const Game& game);

// A redeal is left: the deal passes so far are fewer than the game allows, or they are unlimited.
bool redealAllowed(const Game& game);

// Runs the command on the game. The caller has checked it with stockCommand (or runs the filling
// the rules ask after the first move). Returns the tableau piles and reserves that received cards,
// in order, for the checks that follow a deal onto them.
std::vector<PileRef> runStockCommand(Game& game, StockCommand command);

// The order in which gathered cards are dealt again: from the middle, taking every second or
// fifth card of those left, round and round.
std::vector<int> reorderGathered(std::vector<int> cards);

} // namespace kst
