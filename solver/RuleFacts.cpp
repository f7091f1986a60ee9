#include "solver/RuleFacts.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "engine/Placement.h"
#include "engine/RuleCodes.h"

namespace kst::solver {
namespace {

bool isOneOf(int value, std::initializer_list<int> values)
{
    return std::find(values.begin(), values.end(), value) != values.end();
}

// Tableau build codes that read only the two cards and the pile's own parameters.
bool plainTableauCode(int code)
{
    using namespace BuildCodes;
    return isOneOf(code, {SameSuit, SameColour, AnySuit, AlternateColours, Closed, OnlyWhenEmpty, SameSuitNoQueenOnCourt,
                          TakesAnything, OtherSuit, SameSuitDown, SameSuitUp, AlternateDownSingleCards, OneApartAnySuit,
                          OneApartSameSuit, OneApartTurning, NotFromTableau, TableauCardsOnlyToEmpty,
                          AlternateColoursNotFromReserve, DownNotFromReserve, SameRank, KingRow, LoneKingTakesOne,
                          LoneQueenTakesOne, EmptyTableauNotFromTableau, EmptyTableauOnly});
}

// Foundation build codes that read no other foundation by its place.
bool plainFoundationCode(int code)
{
    using namespace BuildCodes;
    return isOneOf(code, {SameSuit, SameColour, AnySuit, AlternateColours, SameSuitNoQueenOnCourt, TwoUpAnySuit,
                          ThreeUpAnySuit, FourUpAnySuit, NotFromTableau, NotFromTableauOrReserve, RoundAndRound,
                          OtherSuit, SameSuitNoKingQueenStep, SameSuitTwoApart, UpToKingThenDown,
                          SameSuitKeepsDirection, SameSuitDown, SameSuitUp, NotFromTableauOntoOne, AceUpToJack,
                          SameSuitTwoUp, AceUpToQueen, UpToJack, DownNoQueen, SameRank, OneApartSameSuit,
                          SameSuitTwoApartTurning});
}

// Tableau build codes under which a card's supports do not depend on where anything lies.
bool fixedSupportCode(int code)
{
    using namespace BuildCodes;
    return isOneOf(code, {SameSuit, SameColour, AnySuit, AlternateColours, OtherSuit, SameSuitDown, SameSuitUp,
                          AlternateDownSingleCards, SameSuitNoQueenOnCourt, OneApartAnySuit, OneApartSameSuit,
                          OneApartTurning, Closed});
}

// Layout and rules that give a pile's place a meaning of its own.
bool placesMatter(const RuleTable& r)
{
    const int layout = r[Rule::TableauLayout];
    return layout == GridLeavesGaps || layout == GridOfSlots || layout == GridOfSlotsToo
        || (r[Rule::BlockedRows] > 0 && r[Rule::BlockedPiles] > 0) || r[Rule::StockRestriction] != 0
        || r[Rule::AutoFill] >= 6 || r[Rule::GameType] != GameTypes::Ordinary;
}

void assignClasses(RuleFacts& facts, const RuleTable& r)
{
    // A class is named by the first slot that has its signature.
    std::vector<std::vector<int>> signatures(PileSlots);
    for (int slot = 0; slot < PileSlots; ++slot) {
        const PileRef ref = pileOfSlot(slot);
        std::vector<int>& s = signatures[std::size_t(slot)];
        s.push_back(int(ref.group));
        const int i = ref.index;
        switch (ref.group) {
        case PileGroup::Stock: s.push_back(slot); break; // each of its own
        case PileGroup::Dest:
            s.insert(s.end(), {r[Rule::BaseRank + i], r[Rule::FoundationDirection + i],
                               r[Rule::FoundationBuildCode + i], r[Rule::FoundationStartCode + i]});
            break;
        case PileGroup::Fila:
            s.insert(s.end(), {r[Rule::TableauEmptyRule + i], r[Rule::TableauDirection + i],
                               r[Rule::TableauBuildCode + i], r[Rule::WrapFlag + i], r[Rule::StockToTableau + i]});
            break;
        case PileGroup::Appogg: s.insert(s.end(), {r[Rule::ReserveRule + i], r[Rule::StockToReserve + i]}); break;
        default: break;
        }
        facts.pileClass[std::size_t(slot)] = std::uint8_t(slot);
        for (int earlier = 0; earlier < slot; ++earlier)
            if (signatures[std::size_t(earlier)] == s) {
                facts.pileClass[std::size_t(slot)] = std::uint8_t(earlier);
                break;
            }
    }
}

// One deck, going home suit by suit from the Ace up, no reserves that take cards, nothing dropped
// onto the waste: a card can be lifted only to a foundation or onto the tableau.
bool stuckCardsProvable(const RuleTable& r, bool plainTableau)
{
    if (!plainTableau || placesMatter(r) || r[Rule::DeckSize] != CardsPerDeck || r.deckSuits() != DeckSuits::Four
        || reservesInUse(r) != 0 || r[Rule::WasteDrops] != 0 || foundationsInUse(r) != 4)
        return false;
    for (int i = 0; i < foundationsInUse(r); ++i)
        if (r[Rule::FoundationBuildCode + i] != BuildCodes::SameSuit || r[Rule::FoundationStartCode + i] != 0
            || r[Rule::BaseRank + i] != Ace || r[Rule::FoundationDirection + i] != BuildUp)
            return false;
    return true;
}

// Whether an empty tableau pile of the rule may take the card, erring towards yes: the rules that
// name a rank take that rank, those filled only by completed runs take none, any other may take any.
bool emptyMayTake(int rule, int card)
{
    if (rule >= Ace && rule <= King)
        return rank(card) == rule;
    return rule != EmptyRules::FilledByCompletedRuns && rule != EmptyRules::FilledByCompletedRunsToo
        && rule != EmptyRules::FilledByRunsKingOnTop;
}

} // namespace

PileRef pileOfSlot(int slot)
{
    constexpr int dest = PileGroups::StockEntries, fila = dest + PileGroups::DestEntries,
                  appogg = fila + PileGroups::FilaEntries;
    if (slot < 0 || slot >= PileSlots)
        return {};
    if (slot < dest)
        return {PileGroup::Stock, std::int8_t(slot)};
    if (slot < fila)
        return destPile(slot - dest);
    if (slot < appogg)
        return filaPile(slot - fila);
    return appoggPile(slot - appogg);
}

RuleFacts ruleFacts(const Game& game, bool shortcuts)
{
    const RuleTable& r = game.rules;
    RuleFacts facts;
    const int tableaus = tableausInUse(r), foundations = foundationsInUse(r), reserves = reservesInUse(r);
    bool plain = !placesMatter(r);
    bool fixedSupports = true;
    for (int i = 0; i < tableaus; ++i) {
        plain = plain && plainTableauCode(r[Rule::TableauBuildCode + i]);
        fixedSupports = fixedSupports && fixedSupportCode(r[Rule::TableauBuildCode + i]);
        facts.stockFeedsPiles = facts.stockFeedsPiles || r[Rule::StockToTableau + i] != 0;
    }
    for (int i = 0; i < foundations; ++i)
        plain = plain && plainFoundationCode(r[Rule::FoundationBuildCode + i]);
    for (int i = 0; i < reserves; ++i)
        facts.stockFeedsPiles = facts.stockFeedsPiles || r[Rule::StockToReserve + i] != 0;
    facts.stockFeedsPiles = facts.stockFeedsPiles || r[Rule::StockToReserve] != 0;
    facts.tableauRedealt = r[Rule::RedealMode] > 0;
    facts.exchangeable = plain;
    facts.dealsCount = r[Rule::Deals] != -1;
    facts.stockRotates = r[Rule::StockToWaste] == 1 && r[Rule::StockToWasteCondition] == 0
        && r[Rule::CardsPerStockClick] <= 1 && r[Rule::Deals] == -1 && r[Rule::RedealMode] < 1
        && r[Rule::GameType] == GameTypes::Ordinary;
    if (plain)
        assignClasses(facts, r);
    else
        for (int slot = 0; slot < PileSlots; ++slot)
            facts.pileClass[std::size_t(slot)] = std::uint8_t(slot);

    // Sending a card home early can only hurt where something else than the tableau builds on it,
    // where emptying a pile starts a filling, or where the stock waits for empty piles to fill.
    facts.supportsKnown = fixedSupports;
    const bool nothingFills = r[Rule::GameType] == GameTypes::Ordinary && r[Rule::ClickToMove] != 1
        && r[Rule::StockRestriction] == 0 && r[Rule::AutoFill] == 0 && !facts.stockFeedsPiles
        && r[Rule::FillAfterFirstMove] == 0 && !facts.tableauRedealt;
    facts.safeMoves = fixedSupports && nothingFills && r[Rule::WasteDrops] != WasteTakesNeighbours;
    facts.takeBacksWait = nothingFills && !placesMatter(r);
    facts.stuckCardsKnown = stuckCardsProvable(r, fixedSupports && nothingFills);
    if (facts.supportsKnown) {
        const int cards = std::min(int(r[Rule::DeckSize]), CardsInDeckTable);
        const auto sameBuild = [&](int a, int b) {
            return r[Rule::TableauBuildCode + a] == r[Rule::TableauBuildCode + b]
                && r[Rule::TableauDirection + a] == r[Rule::TableauDirection + b]
                && r[Rule::WrapFlag + a] == r[Rule::WrapFlag + b];
        };
        for (int i = 0; i < tableaus; ++i) {
            if (i > 0 && sameBuild(i, i - 1))
                continue; // the same supports again
            PlacementQuery q = placementQuery(r, game.cards.piles, filaPile(i), 0, true);
            for (int below = 1; below <= cards; ++below)
                for (int above = 1; above <= cards; ++above) {
                    q.target = below;
                    q.card = above;
                    if (above != below && canPlace(q, game.cards.piles, r, game.counters))
                        facts.supports[std::size_t(below)].set(std::size_t(above));
                }
        }
        for (int below = 1; below <= cards; ++below)
            forEachCard(facts.supports[std::size_t(below)],
                        [&](int above) { facts.holders[std::size_t(above)].set(std::size_t(below)); });
    }
    if (facts.stuckCardsKnown)
        for (int i = 0; i < tableaus; ++i) {
            const int rule = r[Rule::TableauEmptyRule + i];
            for (int card = 1; card <= CardsPerDeck; ++card)
                if (emptyMayTake(rule, card))
                    facts.emptyTakes.set(std::size_t(card));
        }
    if (!shortcuts) {
        RuleFacts none;
        for (int slot = 0; slot < PileSlots; ++slot)
            none.pileClass[std::size_t(slot)] = std::uint8_t(slot);
        none.stockFeedsPiles = facts.stockFeedsPiles;
        none.tableauRedealt = facts.tableauRedealt;
        none.dealsCount = facts.dealsCount;
        none.supportsKnown = facts.supportsKnown; // for the order of the steps only
        none.supports = facts.supports;
        return none;
    }
    return facts;
}

} // namespace kst::solver
