#pragma once
// Named values of the rule parameters the engine switches on. A game is data: these codes select
// the behaviour a few games share, never a game by its name.

namespace kst {

// GameType (RuleTable[42]): the ordinary game is 0; the others add steps or tests of their own.
namespace GameTypes {
inline constexpr int Ordinary = 0;
inline constexpr int DiscardUpOrDown = 2;        // a tableau top one rank from the second waste's top goes there
inline constexpr int PairsOfFourteen = 3;        // pairing of two top cards
inline constexpr int PairsOfThirteenRows = 4;    // pairing; rows of slots; won when only gaps are left
inline constexpr int Poker = 9;                  // the poker grid: its panel keeps the score
inline constexpr int NextRankLabels = 10;        // labels above the foundations follow the score
inline constexpr int AcesFromReserve = 11;
inline constexpr int DiscardTurning = 12;        // as 2, King and Ace next to each other; "Eddy" sound
inline constexpr int DiscardUpOrDownTurning = 15;
inline constexpr int RowDiscards = 21;
inline constexpr int QueenAndKing = 22;
inline constexpr int Quota = 23;                 // tableau-to-foundation quota
inline constexpr int OneCardEach = 27;
inline constexpr int AcesAlone = 31;
inline constexpr int RunsFromTwo = 32;           // rows with gaps
inline constexpr int Chains = 33;
inline constexpr int OrderedBottoms = 34;
inline constexpr int SecondWasteScore = 35;
} // namespace GameTypes

// BuildCode values (RuleTable[75 + i] foundations, [163 + i] tableau piles) the move engine reads
// besides the placement test.
namespace BuildCodes {
inline constexpr int QueenOnEmptyOnly = 10;   // foundation: only a Queen, only on an empty one
inline constexpr int Unlimited = 20;          // foundation: no capacity limit, at most 52 cards
inline constexpr int SuitUnderTableau = 22;   // foundation: takes a card whose suit a tableau top shows higher
inline constexpr int UnlimitedToo = 29;       // foundation: no capacity limit
inline constexpr int SingleCardsOnly = 34;    // tableau: a non-empty pile takes single cards
inline constexpr int GridJump = 71;           // tableau: jump over a slot; the jumped card is discarded
inline constexpr int SameSuit = 0;
inline constexpr int AnySuit = 2;
} // namespace BuildCodes

// The sequence rule (RuleTable[2]): which runs move as a unit.
namespace RunRules {
inline constexpr int AnyFaceUpRun = 0;
inline constexpr int PlaceableOnEachOther = 1;
inline constexpr int PlaceableInSuit = 10;
} // namespace RunRules

// The run-size rule (RuleTable[11]); 0 or more is a fixed largest run.
namespace RunSizes {
inline constexpr int Any = -1;
inline constexpr int FreeCellsAndPiles = -5;    // F + 1, or F + E + 1 (F + E into an empty pile)
inline constexpr int FreeCellsOrPiles = -6;     // F + 1, or F + E
inline constexpr int KingsOrSingles = -12;      // a run starting with a King, or one card
} // namespace RunSizes

// ReserveRule (RuleTable[247 + r]): what a reserve accepts.
namespace ReserveRules {
inline constexpr int Closed = 4;
inline constexpr int KingsUpToThree = 8;
inline constexpr int FaceCardsWhenEmpty = 9;
inline constexpr int AnyUpToFive = 13;
} // namespace ReserveRules

// Other switches read by the move engine.
inline constexpr int ReserveAnyCard = -11;        // RuleTable[12]: any reserve card with those above it
inline constexpr int TakeBackAlways = 1;          // RuleTable[16]
inline constexpr int TakeBackFromTwo = 2;         // RuleTable[16]: only from a foundation of two or more
inline constexpr int WasteTopFixed = 2;           // RuleTable[17]: the waste's top card cannot be moved
inline constexpr int WasteTakesNeighbours = 2;    // RuleTable[264]: the waste takes a card one rank away in suit
inline constexpr int WasteNotPlaced = 4;          // RuleTable[265]
inline constexpr int GridLeavesGaps = 4;          // RuleTable[3]: a card leaving a tableau slot leaves "000"
inline constexpr int GridOfSlots = 8;             // RuleTable[3]: grid layouts whose slots are
inline constexpr int GridOfSlotsToo = 9;          //   drop candidates one by one

} // namespace kst
