#pragma once
// The placement test: may a card go on a pile? One test serves every game; the pile's rule
// parameters (empty-pile rule, build direction, build code, wrap flag, base rank) select the rule.
// It only reads the table. The deal, automatic play and searches call it very often, so it never
// allocates.

#include <cstdint>

#include "cards/Piles.h"
#include "cards/RuleTable.h"

namespace kst {

// ---- where a card lies ---------------------------------------------------------------------------

inline constexpr int PlaceStock = -99;
inline constexpr int PlaceWaste = -98;
inline constexpr int PlaceNowhere = 0;
constexpr int placeOfFoundation(int index) { return -(index + 1); }   // index 0-based
constexpr int placeOfTableau(int index) { return index + 1; }         // index 0-based
constexpr int placeOfReserve(int index) { return -(21 + index); }     // index 0-based
constexpr bool isTableauPlace(int place) { return place >= 1 && place <= PileGroups::FilaEntries; }
constexpr bool isReservePlace(int place)
{
    return place <= placeOfReserve(0) && place >= placeOfReserve(PileGroups::AppoggEntries - 1);
}

// -99 stock, -98 waste, -(i + 1) foundation i, j tableau pile j (1-based), -(21 + r) reserve r;
// 0 anywhere else (the second waste included) and for a number that is no card.
int whereIs(const PileGroups& piles, int card);

// ---- the test ------------------------------------------------------------------------------------

// What the test reads besides the piles and the rules.
struct PlacementCounters {
    int SpecialCounter = 0;
    int DealCounter = 1;

    friend bool operator==(const PlacementCounters&, const PlacementCounters&) = default;
};

// The arguments of one question. target is the top card of the target pile, 0 or -1 when the pile
// is empty; the rule parameters are those of the target pile (see placementQuery).
struct PlacementQuery {
    int target = 0;
    int card = 0;
    int emptyRule = 0;      // V
    bool byPlayer = false;  // the move engine asks; the deal and the run check do not
    int pileIndex = 0;      // 0-based within its group
    int wrap = 0;           // W, tableau only
    bool toFoundation = false;
    int buildCode = 0;
    int direction = 0;      // D: 0 down, 1 up, 2 either
    int baseRank = 0;       // B
};

inline constexpr int BuildDown = 0;
inline constexpr int BuildUp = 1;
inline constexpr int BuildEither = 2;

// The question for placing card on the pile target (a foundation or a tableau pile), with the
// parameters that pile has in the rules. The foundation pass of the deal compares the base rank of
// foundation 1 instead of the pile's own. A reference to any other pile gives a query for no pile,
// which canPlace refuses.
PlacementQuery placementQuery(const RuleTable& rules, const PileGroups& piles, PileRef target, int card,
                              bool byPlayer, bool foundationPass = false);

bool canPlace(const PlacementQuery& query, const PileGroups& piles, const RuleTable& rules,
              const PlacementCounters& counters);

// Build codes whose answer for a card onto a card (or onto an empty pile) reads nothing but the
// two cards, the pile's parameters and the deck's suits: not where the card comes from, nor any
// other pile. Their answers are remembered, and searches may judge such a card wherever it lies.
bool answerReadsOnlyTheCards(int buildCode);

// One question to be asked for many cards (the move engine asks each destination about every card
// that could go there): what it reads besides the card, worked out once. Where the answer reads
// only the cards, it is the set of cards the question accepts.
struct PreparedQuery {
    PlacementQuery query;   // its card is set by each asking
    std::uint64_t key = 0;  // the remembered answers' key without the card; 0: none are kept
    CardSet accepted;       // with a key: every card the question accepts
};
PreparedQuery prepareQuery(const PlacementQuery& query, const PileGroups& piles, const RuleTable& rules,
                           const PlacementCounters& counters);
// canPlace for the prepared question and the card.
bool canPlace(const PreparedQuery& prepared, int card, const PileGroups& piles, const RuleTable& rules,
              const PlacementCounters& counters);

// One pile's question asked of card after card onto card after card (the run rules walk a run):
// what it reads besides the two cards, worked out once.
class PileQuestion {
public:
    // The pile's query (placementQuery); its target and card are set by each asking.
    PileQuestion(const PlacementQuery& query, const RuleTable& rules);
    bool canPlace(int target, int card, const PileGroups& piles, const RuleTable& rules,
                  const PlacementCounters& counters) const;
    // The answers read nothing but the two cards (and the rules).
    bool readsOnlyTheCards() const { return m_key != 0; }

private:
    PlacementQuery m_query;
    std::uint64_t m_key = 0; // the remembered answers' key without the two cards; 0: none are kept
};

// The start of the foundations sharing a balanced-start rule (or a completed-runs rule, whose runs
// start with their Ace): the card has the rule's rank, and neither colour starts more than half of
// those foundations.
bool balancedStartAllows(const PileGroups& piles, const RuleTable& rules, int card, int rule);

// ---- grid jumps ----------------------------------------------------------------------------------

// The slot jumped over when a card goes from slot from to slot to of a grid width slots wide (two
// places along a row or two rows up or down); -1 when the two slots are no such pair.
int jumpedSlot(int from, int to, int width);

} // namespace kst
