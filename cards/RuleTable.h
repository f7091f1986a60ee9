#pragma once
// The rules of the game being played: 368 signed 16-bit parameters loaded from the game's column
// of the catalogue. Every engine decision reads from here. Indices outside 0..367 read as 0 and
// are never written, so a damaged catalogue value used as an index cannot reach other memory.

#include "cards/Card.h"

#include <array>
#include <cstdint>

namespace kst {

// Where the engine finds each parameter. A pile's parameter is its block's first index plus the
// pile's number from 0.
namespace Rule {

inline constexpr int Count = 368;

inline constexpr int FoundationCardsAtDeal = 1;
inline constexpr int RunRule = 2;
inline constexpr int TableauLayout = 3;
inline constexpr int FoundationLayout = 4;
inline constexpr int ReserveLayout = 5;
inline constexpr int StockFace = 6;
inline constexpr int StockClickPlace = 7;
inline constexpr int StockToWaste = 8;
inline constexpr int ExtraFoundationCard = 10;
inline constexpr int RunSize = 11;
inline constexpr int ReserveAccess = 12;
inline constexpr int Deals = 13;
inline constexpr int RedealMode = 14;
inline constexpr int StockToWasteCondition = 15;
inline constexpr int FoundationTakeBack = 16;
inline constexpr int WasteUse = 17;
inline constexpr int Autoplay = 18;
// Our own rule, in an entry the catalogue format leaves unread: the suits of the deck
// (a DeckSuits value: 0 four, 1 one, 2 two).
inline constexpr int DeckSuits = 19;
inline constexpr int CardsPerStockClick = 20;
inline constexpr int AutoFill = 21;
inline constexpr int FoundationPassOrder = 22;
inline constexpr int BlockedRows = 23;
inline constexpr int BlockedPiles = 24;
inline constexpr int GridWidth = 26;
inline constexpr int SortedFoundations = 28;
inline constexpr int KingsToBottom = 29;
inline constexpr int FoundationCapacity = 30;
inline constexpr int DealMode = 31;
inline constexpr int StockRestriction = 32;
inline constexpr int ClickToMove = 34;
inline constexpr int ScreenSize = 35;
inline constexpr int PairingSum = 36;
inline constexpr int FirstMoveRestriction = 37;
inline constexpr int FillAfterFirstMove = 38;
inline constexpr int ScoreConstant = 39;
inline constexpr int MaximumScore = 40;
inline constexpr int TargetScore = 41;
inline constexpr int GameType = 42;

// Per-pile blocks: 16 foundations, 28 tableau piles, 8 reserves.
inline constexpr int BaseRank = 43;
inline constexpr int FoundationDirection = 59;
inline constexpr int FoundationBuildCode = 75;
inline constexpr int FoundationStartCode = 91;
inline constexpr int TableauEmptyRule = 107;
inline constexpr int TableauDirection = 135;
inline constexpr int TableauBuildCode = 163;
inline constexpr int WrapFlag = 191;
inline constexpr int StockToTableau = 219;
inline constexpr int ReserveRule = 247;
inline constexpr int StockToReserve = 255;

inline constexpr int SecondWasteStartCard = 263;
inline constexpr int WasteDrops = 264;
inline constexpr int WastePlace = 265;
inline constexpr int StockScheme = 266;
inline constexpr int StockRow = 267;
inline constexpr int FoundationScheme = 268;
inline constexpr int FoundationRow = 269;
inline constexpr int TableauScheme = 270;
inline constexpr int TableauRow = 271;
inline constexpr int TableauRows = 272;
inline constexpr int ReserveScheme = 273;
inline constexpr int ReserveRow = 274;
inline constexpr int SecondWasteScheme = 275;
inline constexpr int SecondWasteRow = 276;
inline constexpr int StockGroupPiles = 277;
inline constexpr int FoundationCount = 278;
inline constexpr int TableauCount = 279;
inline constexpr int ReserveCount = 280;
inline constexpr int SecondWastePiles = 281;
inline constexpr int DeckSize = 282;
inline constexpr int StockDealt = 283;
inline constexpr int WasteDealt = 284;
inline constexpr int ScoreConstant2 = 285;
inline constexpr int TableauDealt = 286;
inline constexpr int TableauFaceUp = 314;
inline constexpr int SecondWasteDealt = 342;
inline constexpr int ReserveDealt = 343;
inline constexpr int ReserveFaceUp = 351;
inline constexpr int CustomizeStockClick = 359;
inline constexpr int CustomizeDeals = 360;
inline constexpr int CustomizeEmptyRule = 361;
inline constexpr int BrowserTime = 362;
inline constexpr int BrowserDifficulty = 363;
inline constexpr int BrowserSkill = 364;
inline constexpr int BrowserChance = 365;
inline constexpr int OddsWon = 366;
inline constexpr int OddsPlayed = 367;

inline constexpr int MaxFoundations = 16;
inline constexpr int MaxTableaus = 28;
inline constexpr int MaxReserves = 8;

} // namespace Rule

// The tableau empty-pile rules followed by the foundation base ranks: the entries a deal
// rewrites, kept so that every deal of the same game starts from the catalogue values.
inline constexpr int kSavedRuleBlockSize = Rule::MaxTableaus + Rule::MaxFoundations;
using SavedRuleBlock = std::array<std::int16_t, kSavedRuleBlockSize>;

class RuleTable {
public:
    // 0 outside 0..367.
    std::int16_t operator[](int index) const { return valid(index) ? m_values[std::size_t(index)] : 0; }
    std::int16_t get(int index) const { return (*this)[index]; }
    // False, changing nothing, outside 0..367.
    bool set(int index, std::int16_t value);
    // Every entry and the saved block to 0.
    void clear();

    void saveRuleBlock();
    void restoreRuleBlock();
    const SavedRuleBlock& savedRuleBlock() const { return m_saved; }

    static constexpr bool valid(int index) { return index >= 0 && index < Rule::Count; }

    // The suits the deck shows; an unknown value reads as the usual four.
    DeckSuits deckSuits() const
    {
        const int value = (*this)[Rule::DeckSuits];
        return value == int(DeckSuits::One) || value == int(DeckSuits::Two) ? DeckSuits(value) : DeckSuits::Four;
    }
    // A card's suit and colour as this game judges them.
    int suitOf(int card) const { return suitIndex(card, deckSuits()); }
    bool isRedCard(int card) const { return isRed(card, deckSuits()); }

    friend bool operator==(const RuleTable&, const RuleTable&) = default;

private:
    std::array<std::int16_t, Rule::Count> m_values{};
    SavedRuleBlock m_saved{};
};

} // namespace kst
