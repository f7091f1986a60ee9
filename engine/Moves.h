#pragma once
// The move engine: which cards may be picked up, where they may be dropped, every move the rules
// allow now, and making and taking back a move. The pointer, the command line, automatic play and
// searches all ask these same rules; nothing else changes a game.

#include <memory>
#include <vector>

#include "cards/Piles.h"
#include "engine/Game.h"
#include "engine/Move.h"

namespace kst {

// ---- where a card lies ---------------------------------------------------------------------------

struct CardPlace {
    PileRef pile;      // none when the card is on no pile
    int position = -1; // from the bottom
};

// Searched in group order: stock, waste, second waste, foundations, tableau, reserves.
CardPlace locateCard(const Game& game, int card);

// ---- picking up ----------------------------------------------------------------------------------

// What a left press on a card takes into the hand: the card and the cards above it.
struct PickUp {
    PileRef from;
    int card = 0;
    int position = 0; // of the card in its pile, from the bottom
    int count = 0;    // cards carried; 0 when nothing is picked up

    explicit operator bool() const { return count > 0; }
};

// The press on `card` of pile `from` by the pick-up rules of the pile's kind: a tableau card with
// the run above it when the sequence and run-size rules allow, a reserve's top card (any card with
// RuleTable[12] = -11), a foundation card when it may be taken back, the waste's top card. Nothing
// for the stock, face-down cards and games whose left press does something else.
PickUp pickUp(const Game& game, PileRef from, int card);

// The sequence rule (RuleTable[2]) for the run from `position` to the top of a tableau pile.
bool sequenceAllows(const Game& game, PileRef pile, int position);
// The run-size rule (RuleTable[11]) for a run of `count` cards whose bottom card is `card`.
bool runSizeAllows(const Game& game, int count, int card, bool toEmptyTableau);
// The longest run RunSizes::Doubling lets move onto tableau pile `target` (0-based; -1 onto a
// card): (free cells + 1) x 2^spaces, counting only empty reserves and tableau piles that take any
// card, the target not among them.
int doublingRoom(const Game& game, int target);
// Piles of the blocked area (RuleTable[23] rows of RuleTable[24] piles) give a card only when
// every pile below in the block's column is empty.
bool inBlockedArea(const RuleTable& rules, int filaIndex);
bool isFreeInBlock(const Game& game, int filaIndex);

// ---- dropping ------------------------------------------------------------------------------------

// The drop legality of the destination for what is carried.
bool mayDrop(const Game& game, const PickUp& carried, PileRef to);

// The drag of `card` onto `to`, judged as the pointer judges it: none when the card cannot be
// picked up or the destination refuses it.
Move dropMove(const Game& game, int card, PileRef to);

// What a left press on `card` does at once, without picking up: turning a face-down tableau top
// card, sending the card by click-to-move (RuleTable[34] = 1) or to the second waste in the
// discard games. None when the press does none of these.
Move pressMove(const Game& game, int card);

// The press on the stock (pressed = Mazzo) or on the empty waste (Mazzo_Vis) as a move; none when
// the press would change nothing or is refused (the caller tells the player why, see stockCommand).
Move stockMove(const Game& game, PileRef pressed);
// The filling of the empty tableau piles from the stock that some games run after their first
// move; none when there is nothing to fill or to fill with.
Move fillTableausMove(const Game& game);

// ---- click to move -------------------------------------------------------------------------------

struct TargetKinds {
    bool foundations = false;
    bool tableaus = false;
};

// The first destination that takes the card (with the run above it, when tableaus are wanted and
// the run may move): foundations, then non-empty and empty tableau piles, reserves, the waste. None
// when no destination takes it or the card cannot be moved from where it lies.
Move autoMove(const Game& game, int card, TargetKinds kinds);

// ---- every legal move ----------------------------------------------------------------------------

// Every move the player may make now, in a stable order: turn-ups, then by source pile (tableau,
// reserves, waste, foundations), within a pile from its lowest movable card up, destinations in
// group order, then the press on the stock when it does something. `out`
// is cleared first and keeps its storage, so a search allocates nothing in the steady state.
void legalMoves(const Game& game, std::vector<Move>& out);
std::vector<Move> legalMoves(const Game& game);
// legalMoves with the destinations it asks kept, for a search: the moves from one pile are listed
// again and again while only the stock and the waste change (pressing the stock), without asking
// every destination its placement question anew each time. Listed again for another position of
// the same game value (its rules read where they lie, a search's game), a destination whose top
// card is the same keeps its question.
class PreparedDestinations {
public:
    PreparedDestinations();
    ~PreparedDestinations();
    PreparedDestinations(const PreparedDestinations&) = delete;
    PreparedDestinations& operator=(const PreparedDestinations&) = delete;
    // legalMoves, the destinations prepared for the position.
    void legalMoves(const Game& game, std::vector<Move>& out);
    // The moves of legalMoves whose cards come from the one pile (none for the stock itself), in a
    // position that differs from the one listed last only in the stock and the waste.
    void movesFrom(const Game& game, PileRef from, std::vector<Move>& out) const;

private:
    void prepare(const Game& game);
    struct List;
    std::unique_ptr<List> m_list;
    const RuleTable* m_rules = nullptr; // of the game prepared last
};
bool isLegal(const Game& game, const Move& move);

// ---- making and taking back ----------------------------------------------------------------------

// What undo needs besides the move: where the cards were, what else the move changed.
struct MoveUndo {
    Move move;
    std::uint8_t count = 0;       // cards that moved
    std::uint8_t position = 0;    // where the bottom one lay in its pile
    bool leftSlot = false;        // the card left an empty slot "000" behind
    std::int8_t jumpedPile = -1;  // tableau pile whose card a grid jump sent to the second waste
    std::uint8_t jumpedCard = 0;
    std::uint8_t movesMade = 0;
    bool won = false;
    int score = 0;
    PlacementCounters counters;
    CardSet flipped;              // cards whose face the move turned
    // A press that only dealt `count` cards from the stock onto the waste `dealtTo`, or turned
    // that waste over into the stock: taken back by moving the cards back one by one.
    PileRef dealtTo;
    bool turnedOver = false;
    // Any other press on the stock may rearrange many piles: their texts as they were.
    std::vector<std::pair<PileRef, std::string>> piles;
};

// Makes a legal move (callers check with isLegal or took it from legalMoves) and returns what
// undo needs. The score and the won flag follow the new table.
MoveUndo apply(Game& game, const Move& move);
// Takes the move back: the game equals the value it had before apply.
void undo(Game& game, const MoveUndo& record);

} // namespace kst
