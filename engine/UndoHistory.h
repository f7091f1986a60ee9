#pragma once
// The undo history: every state of the table a move left behind, as a table image, with the undo
// log's event of each state. Undo and redo move states between two such histories; a saved game
// carries the undo history whole.

#include <array>
#include <string>
#include <vector>

#include "engine/Game.h"

namespace kst {

inline constexpr int TableImageLines = 55;

// The 55 saved pile strings in the fixed order: Mazzo, Mazzo_Vis, Mazzo_Waste, Dest1..16,
// Fila1..28, Appogg1..8. Piles the game does not use are empty.
using TableImage = std::array<std::string, TableImageLines>;

// Events of the undo log: what undo and redo must also change besides the piles.
namespace UndoEvents {
inline constexpr std::string_view None = "";
inline constexpr std::string_view TableauPlacement = "001"; // a card placed on the tableau in the quota game
inline constexpr std::string_view SpecialCount = "002";     // SpecialCounter went up with the move
inline constexpr std::string_view Redeal = "003";           // DealCounter went up with the gathering redeal
} // namespace UndoEvents

TableImage tableImage(const Game& game);
// The piles and their faces from the image; false when a line cannot be read (what was read stays).
bool restoreImage(Game& game, const TableImage& image);

struct UndoHistory {
    std::vector<TableImage> states; // oldest first
    std::vector<std::string> log;   // one event per state

    bool empty() const { return states.empty(); }
    void clear() { states.clear(), log.clear(); }
    void record(TableImage image)
    {
        states.push_back(std::move(image));
        log.emplace_back();
    }
    // The newest state's event (a second one replaces the first).
    void logEvent(std::string_view code) { log.back() = std::string(code); }
    // Moves the rules make by themselves that must not be undone on their own: the newest states
    // go, or the states just before the newest one.
    void dropLast(int n = 1)
    {
        for (; n > 0 && !states.empty(); --n) {
            states.pop_back();
            log.pop_back();
        }
    }
    void dropBeforeLast(int n = 1)
    {
        for (; n > 0 && states.size() >= 2; --n) {
            states.erase(states.end() - 2);
            log.erase(log.end() - 2);
        }
    }
    // The log as a saved game writes it: each event followed by ",".
    std::string logText() const;
    // Back from that text; false for a text that is no such log.
    static bool parseLog(std::string_view text, std::vector<std::string>& log);
};

} // namespace kst
