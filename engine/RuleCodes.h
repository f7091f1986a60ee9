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
inline constexpr int MonteCarlo = 8;             // pairs in a grid; a stock press closes up its gaps
inline constexpr int Poker = 9;                  // the poker grid: its panel keeps the score
inline constexpr int NextRankLabels = 10;        // labels above the foundations follow the score
inline constexpr int AcesFromReserve = 11;
inline constexpr int DiscardTurning = 12;        // as 2, King and Ace next to each other; "Eddy" sound
inline constexpr int DiscardUpOrDownTurning = 15;
inline constexpr int RowDiscards = 21;
inline constexpr int QueenAndKing = 22;
inline constexpr int Quota = 23;                 // tableau-to-foundation quota
inline constexpr int OneCardEach = 27;
inline constexpr int CountedDeals = 28;          // each deal from the stock raises SpecialCounter
inline constexpr int Companions = 30;            // a Jack or King opens its foundation with its Ace or Queen
inline constexpr int AcesAlone = 31;
inline constexpr int RunsFromTwo = 32;           // rows with gaps
inline constexpr int Chains = 33;
inline constexpr int OrderedBottoms = 34;
inline constexpr int SecondWasteScore = 35;
} // namespace GameTypes

// BuildCode (RuleTable[75 + i] foundations, [163 + i] tableau piles): how a pile builds. A code that
// only sets the suits leaves the ranks to the direction rule; a code not listed builds in any suit
// by the direction rule.
namespace BuildCodes {
inline constexpr int SameSuit = 0;
inline constexpr int SameColour = 1;
inline constexpr int AnySuit = 2;
inline constexpr int AlternateColours = 3;
inline constexpr int Closed = 4;                        // takes no card
inline constexpr int RanksOfPreviousFoundation = 5;     // its first suit, ranks the foundation before holds
inline constexpr int OnlyWhenEmpty = 6;                 // a card only onto an empty pile, by its rule
inline constexpr int PlayerFillsAfterStock = 7;         // by hand only an empty pile once the stock is out
inline constexpr int QueenOnEmptyOnly = 10;             // foundation: only a Queen, only on an empty one
inline constexpr int SameSuitNoQueenOnCourt = 11;       // same suit; no Queen on a King or a Jack
inline constexpr int TakesAnything = 12;
inline constexpr int TwoUpAnySuit = 14;                 // these three step round the King to the Ace
inline constexpr int ThreeUpAnySuit = 15;
inline constexpr int FourUpAnySuit = 16;
inline constexpr int NotFromTableau = 17;
inline constexpr int TableauCardsOnlyToEmpty = 18;      // a tableau card only onto an empty tableau pile
inline constexpr int NotFromTableauOrReserve = 19;
inline constexpr int RoundAndRound = 20;                // any suit up from an Ace, an Ace on a King; no capacity limit
inline constexpr int OtherSuit = 21;
inline constexpr int SuitUnderTableau = 22;             // foundation: a card below a tableau top of its suit
inline constexpr int SameSuitUpAfterWaste = 23;         // same suit one up once the waste is empty
inline constexpr int SameSuitNoKingQueenStep = 24;      // by direction; no Queen on a King, no King on a Queen
inline constexpr int SameSuitTwoApart = 25;             // two ranks in the pile's direction
inline constexpr int OneApartOnShortPile = 26;          // up or down onto one or two cards, never onto none
inline constexpr int AlternateColoursNotFromReserve = 27;
inline constexpr int OneApartAnySuit = 28;              // up or down, no turning at Ace or King; empty takes any
inline constexpr int UpToKingThenDown = 29;             // foundation: a second King after the first; no capacity limit
inline constexpr int SameSuitKeepsDirection = 30;       // on the way the top two cards go
inline constexpr int SameSuitDown = 31;
inline constexpr int SameSuitUp = 32;
inline constexpr int NotFromTableauOntoOne = 33;        // onto a pile of at most one card
inline constexpr int AlternateDownSingleCards = 34;     // a non-empty pile takes single cards
inline constexpr int OneApartTurning = 35;              // up or down in any suit, Ace and King next to each other
inline constexpr int DownAfterPreviousFoundation = 36;  // a foundation opens once the one before has started
inline constexpr int DoubleRank = 37;                   // twice the top's rank mod 13; a King once foundation 1 has 48
inline constexpr int LoneKingTakesOne = 38;             // a lone King takes one card, not a Queen or King
inline constexpr int AceUpToJack = 39;
inline constexpr int CounterRank = 40;                  // the rank the special counter shows
inline constexpr int TwoUpGroupOfFour = 41;             // a suit starts once in each group of four
inline constexpr int KingAfterPartner = 42;             // same suit up; the King once the partner has its King
inline constexpr int SameSuitTwoUp = 43;
inline constexpr int AceUpToQueen = 44;
inline constexpr int KingRow = 45;                      // a King on an empty pile, any card on it, then down
inline constexpr int UpToJack = 46;
inline constexpr int DownNoQueen = 47;                  // down without a Queen, a King on an Ace
inline constexpr int LoneQueenTakesOne = 48;            // as LoneKingTakesOne with Queens
inline constexpr int UpToJackBesideTableau = 49;        // an empty one opens beside a started tableau pile
inline constexpr int DownNoQueenBesideTableau = 50;
inline constexpr int UpToJackBesideTableauSuit = 51;    // ... in the suit of that pile's bottom card
inline constexpr int DownNoQueenBesideTableauSuit = 52;
inline constexpr int AfterFirstFoundationFull = 53;     // the others wait until foundation 1 holds 13
inline constexpr int DownNotFromReserve = 54;           // one down in any suit
inline constexpr int SameColourUpLastWasteCard = 55;    // not while the waste holds more than its last card
inline constexpr int SameRank = 56;
inline constexpr int OneApartTurningAfterStock = 57;    // as OneApartTurning once the stock is out
inline constexpr int PairedFoundations = 58;            // two Ace foundations of one colour, two King of the other
inline constexpr int OneApartSameSuit = 60;             // as OneApartAnySuit in the same suit
inline constexpr int SameSuitTwoApartTurning = 61;      // as SameSuitTwoApart, a 2 on a King and an Ace on a Queen
inline constexpr int BringsCompanion = 62;              // with GameTypes::Companions
inline constexpr int HalvesFeedOwnFoundations = 63;     // in the first deal each tableau half feeds its own side
inline constexpr int PairedFoundationsToo = 64;
inline constexpr int EmptyTableauNotFromTableau = 67;
inline constexpr int OneApartTurningToo = 68;
inline constexpr int EmptyTableauOnly = 69;
inline constexpr int GridStep = 70;                     // tableau: a card steps to a neighbouring empty slot
inline constexpr int GridJump = 71;                     // tableau: jump over a slot; the jumped card is discarded
} // namespace BuildCodes

// The empty-pile rule (RuleTable[43 + i] foundations, where it is the base rank, [107 + i] tableau
// piles): a rank 1..13 that starts the pile, or one of these.
namespace EmptyRules {
inline constexpr int AnyCard = -1;
inline constexpr int BalancedAces = 81;          // Aces, as many red as black among the piles of this rule
inline constexpr int FilledByCompletedRuns = 82;
inline constexpr int FilledByCompletedRunsToo = 83;
inline constexpr int BalancedKings = 84;         // as BalancedAces, and no suit twice
inline constexpr int BalancedAcesSuitsOnce = 85;
inline constexpr int AnyCardToo = 86;
inline constexpr int FromTableauOrReserve = 87;
inline constexpr int BalancedTwos = 90;          // as BalancedKings
inline constexpr int BelowBaseRank = 91;         // tableau: the deal makes it the rank below foundation 1's
inline constexpr int RankOfStartedFoundations = 92;            // the player chooses the first one's rank
inline constexpr int RankOfStartedFoundationsNotTableau = 93;
inline constexpr int FilledByRunsKingOnTop = 95;                 // completed runs from a King on top
} // namespace EmptyRules

// The wrap flag (RuleTable[191 + i]): what a tableau pile does at the ends of the ranks.
namespace WrapRules {
inline constexpr int RoundButNotOnBase = 0;   // King and Ace follow each other; nothing goes on the base rank
inline constexpr int Round = 1;
inline constexpr int TurnAtEnds = 2;          // a Queen on a King, a 2 on an Ace
} // namespace WrapRules

// The stock restriction (RuleTable[32]): what waits while the stock or the waste holds cards.
namespace StockRestrictions {
inline constexpr int TableauToFoundations = 1;   // tableau cards to the foundations
inline constexpr int WasteToCountedPile = 2;     // every tableau card; a waste card goes to the pile its count names
inline constexpr int WasteToPileAfterFullest = 3;
} // namespace StockRestrictions

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
// Our own value: (F + 1) x 2^E, as if the run were moved card by card through the free cells and
// the empty piles that take any card; an empty pile that is the run's target does not count.
inline constexpr int Doubling = -7;
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
