#pragma once
// A move: a few bytes saying what moves, from which pile, to which pile. Every change of a game
// by the player, by automatic play or by a search is one of these, made by apply() and taken back
// by undo() (engine/Moves.h). A move prints as the kestrane-cli `play` command that makes it.

#include <cstdint>
#include <string>

#include "cards/Piles.h"

namespace kst {

enum class MoveKind : std::uint8_t {
    None,
    Drop,      // the card, with every card above it in its pile, dragged onto pile `to`
    Click,     // a left press that sends the card at once to pile `to` (click-to-move games, discards)
    TurnUp,    // the face-down top card of a tableau pile turned face up
    Stock,     // a press on the stock (or on the empty waste): `card` holds the StockCommand it runs
    Automatic, // a top card the rules move by themselves: a space filled, a completed run going home
};

struct Move {
    MoveKind kind = MoveKind::None;
    std::uint8_t card = 0; // the card pressed: the bottom card of what moves; a stock command
    PileRef from;
    PileRef to;            // none for a turn-up and a stock press

    constexpr bool isNone() const { return kind == MoveKind::None; }
    friend constexpr bool operator==(const Move&, const Move&) = default;
};

inline constexpr Move NoMove{};

// "drop 017 Fila3", "click 017", "stock"; the moves the rules make by themselves print as
// comments ("# auto 017 Dest2"), since no command makes them alone. Empty for no move.
std::string moveText(const Move& move);

} // namespace kst
