#pragma once
// The game as one value: everything the rules read and write, and nothing of windows, pictures
// or sounds. The window, the command line, automatic play and searches all hold a Game and change
// it only through the move engine (engine/Moves.h), so that any of them can copy it, compare it
// and take a move back to the equal value.

#include <cassert>
#include <string>

#include "cards/Piles.h"
#include "cards/RuleTable.h"
#include "engine/Placement.h"

namespace kst {

// Score modes: only standard scoring computes the ordinary score after each move.
inline constexpr int StandardScoring = 1;

struct Game {
    int gameId = -1;            // GameId: the catalogue's number, 8000 and up for customized games
    std::string number;         // GameNumber: the 13-digit deal number
    RuleTable rules;            // the rules as dealt (the deal rewrites base ranks and empty-pile rules)
    CardTable cards;            // the faces and the piles
    PlacementCounters counters; // DealCounter and SpecialCounter
    int score = 0;
    int scoreMode = StandardScoring;
    int movesMade = 0;          // executed moves, counted up to 2: the first-move rules ask for 0
    long elapsedSeconds = 0;    // playing time when the clock was last read
    bool won = false;           // the last end test succeeded

    // The pile's text; the reference names a pile (asserted).
    const std::string& pile(PileRef ref) const
    {
        const std::string* text = cards.piles.pile(ref);
        assert(text != nullptr);
        return *text;
    }
    std::string& pile(PileRef ref)
    {
        std::string* text = cards.piles.pile(ref);
        assert(text != nullptr);
        return *text;
    }

    friend bool operator==(const Game&, const Game&) = default;
};

// ---- the piles a game uses -----------------------------------------------------------------------

inline int countInUse(const RuleTable& rules, int index, int most)
{
    const int n = rules[index];
    return n < 0 ? 0 : n > most ? most : n;
}
inline int foundationsInUse(const RuleTable& rules) { return countInUse(rules, Rule::FoundationCount, Rule::MaxFoundations); }
inline int tableausInUse(const RuleTable& rules) { return countInUse(rules, Rule::TableauCount, Rule::MaxTableaus); }
inline int reservesInUse(const RuleTable& rules) { return countInUse(rules, Rule::ReserveCount, Rule::MaxReserves); }

// A pile reference the game uses: the three stock piles, or an entry within its group's count.
inline bool pileInUse(const RuleTable& rules, PileRef ref)
{
    switch (ref.group) {
    case PileGroup::Stock: return ref.index >= 0 && ref.index < PileGroups::StockEntries;
    case PileGroup::Dest: return ref.index >= 0 && ref.index < foundationsInUse(rules);
    case PileGroup::Fila: return ref.index >= 0 && ref.index < tableausInUse(rules);
    case PileGroup::Appogg: return ref.index >= 0 && ref.index < reservesInUse(rules);
    default: return false;
    }
}

// Empty tableau piles and empty reserves among those in use.
int emptyTableaus(const Game& game);
int emptyReserves(const Game& game);

// The first fault of the table (a card twice, a malformed text, a card of the deck missing or one
// too many); empty when there is none.
std::string gameIsOk(const Game& game);

} // namespace kst
