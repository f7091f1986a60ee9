#include "engine/AutoMoves.h"

#include "engine/Moves.h"
#include "engine/Placement.h"
#include "engine/RuleCodes.h"

namespace kst {
namespace {

// Where an empty tableau pile is filled from (RuleTable[21]).
namespace FillSources {
inline constexpr int FirstReserve = 1;
inline constexpr int WasteThenStock = 2;
inline constexpr int StockThenWaste = 3;
inline constexpr int WasteThenStockUntilPlaced = 4; // as 2 (the quota game also stops it)
inline constexpr int ThreeFromWaste = 5;
inline constexpr int WasteToEndColumns = 6;          // piles 1, 7, 8, 14, 15, 21, 22 and 28 only
inline constexpr int StockToLowerPiles = 7;          // piles 11 and up only
} // namespace FillSources

constexpr int RunLength = 13;
constexpr int FirstLowerPile = 10;
constexpr int GridColumns = 7;

bool collectsRuns(int rule)
{
    return rule == EmptyRules::FilledByCompletedRuns || rule == EmptyRules::FilledByCompletedRunsToo
        || rule == EmptyRules::FilledByRunsKingOnTop;
}

// The source of the filling of empty pile k and how many cards it gives; none when the pile is
// not filled from anywhere now.
struct Fill {
    PileRef from;
    int cards = 1;
};

Fill fillFor(const Game& game, int k)
{
    const PileGroups& piles = game.cards.piles;
    const bool wasteHas = !piles.stock[1].empty(), stockHas = !piles.stock[0].empty();
    const PileRef wasteOrStock = wasteHas ? Mazzo_Vis : stockHas ? Mazzo : PileRef{};
    const PileRef stockOrWaste = stockHas ? Mazzo : wasteHas ? Mazzo_Vis : PileRef{};
    switch (game.rules[Rule::AutoFill]) {
    case FillSources::FirstReserve: return {piles.appogg[0].empty() ? PileRef{} : appoggPile(0)};
    case FillSources::WasteThenStock:
    case FillSources::WasteThenStockUntilPlaced:
        return {inBlockedArea(game.rules, k) ? PileRef{} : wasteOrStock};
    case FillSources::StockThenWaste: return {stockOrWaste};
    case FillSources::ThreeFromWaste: return {wasteHas ? Mazzo_Vis : PileRef{}, 3};
    case FillSources::WasteToEndColumns: {
        const bool endColumn = k % GridColumns == 0 || k % GridColumns == GridColumns - 1;
        return {endColumn && wasteHas ? Mazzo_Vis : PileRef{}};
    }
    case FillSources::StockToLowerPiles: return {k >= FirstLowerPile && stockHas ? Mazzo : PileRef{}};
    default: return {};
    }
}

} // namespace

std::vector<Move> fillMoves(const Game& game)
{
    std::vector<Move> moves;
    if (game.rules[Rule::AutoFill] == 0)
        return moves;
    if (game.rules[Rule::FirstMoveRestriction] != 0 && game.movesMade == 0)
        return moves;
    // The fillings change the sources as they go: each is planned on the game as the ones before
    // it leave it.
    Game next = game;
    for (int k = 0; k < tableausInUse(next.rules); ++k) {
        if (!next.cards.piles.fila[std::size_t(k)].empty())
            continue;
        const Fill fill = fillFor(next, k);
        for (int i = 0; i < fill.cards && !fill.from.isNone(); ++i) {
            std::string& from = next.pile(fill.from);
            if (from.empty())
                break;
            const int card = topCard(from);
            moves.push_back({MoveKind::Automatic, std::uint8_t(card), fill.from, filaPile(k)});
            from.resize(from.size() - 3);
            next.cards.piles.fila[std::size_t(k)] += cardDigits(card);
        }
    }
    return moves;
}

bool collectsCompletedRuns(const RuleTable& rules)
{
    for (int i = 0; i < foundationsInUse(rules); ++i)
        if (collectsRuns(rules[Rule::BaseRank + i]))
            return true;
    return false;
}

std::vector<Move> completedRunMoves(const Game& game, PileRef pile)
{
    std::vector<Move> moves;
    if (pile.group != PileGroup::Fila || !pileInUse(game.rules, pile))
        return moves;
    const std::string& text = game.pile(pile);
    const int n = cardCount(text);
    int target = -1;
    for (int i = 0; i < foundationsInUse(game.rules) && target < 0; ++i)
        if (collectsRuns(game.rules[Rule::BaseRank + i]) && game.cards.piles.dest[std::size_t(i)].empty())
            target = i;
    if (n < RunLength || target < 0)
        return moves;
    const int rule = game.rules[Rule::BaseRank + target];
    const int build = game.rules[Rule::TableauBuildCode + pile.index];
    const bool kingOnTop = rule == EmptyRules::FilledByRunsKingOnTop;
    const bool oneSuit = rule != EmptyRules::FilledByCompletedRuns || build == BuildCodes::SameSuit;
    const bool alternate = rule == EmptyRules::FilledByCompletedRuns && build == BuildCodes::AlternateColours;
    const int top = topCard(text);
    for (int k = 0; k < RunLength; ++k) {
        const int card = cardAt(text, n - 1 - k);
        if (!isCardNumber(card) || game.cards.deck.isFaceDown(card) || rank(card) != (kingOnTop ? King - k : Ace + k))
            return {};
        if (oneSuit && game.rules.suitOf(card) != game.rules.suitOf(top))
            return {};
        if (alternate && k > 0 && game.rules.isRedCard(card) == game.rules.isRedCard(cardAt(text, n - k)))
            return {};
    }
    if (!kingOnTop && !balancedStartAllows(game.cards.piles, game.rules, top, rule))
        return {};
    for (int k = 0; k < RunLength; ++k)
        moves.push_back({MoveKind::Automatic, std::uint8_t(cardAt(text, n - 1 - k)), pile, destPile(target)});
    return moves;
}

bool playerStartsFoundation(const Game& game, int i)
{
    const auto chosen = [&](int f) {
        const int rule = game.rules[Rule::BaseRank + f];
        return rule == EmptyRules::RankOfStartedFoundations || rule == EmptyRules::RankOfStartedFoundationsNotTableau;
    };
    if (!chosen(i))
        return false;
    for (int f = 0; f < foundationsInUse(game.rules); ++f)
        if (chosen(f) && !game.cards.piles.dest[std::size_t(f)].empty())
            return false;
    return true;
}

} // namespace kst
