#include "engine/Scoring.h"

#include "engine/RuleCodes.h"

namespace kst {
namespace {

// Five points for a row starting with a 2 and five more for each card after it, short of the
// row's last place, that follows the one before in suit and rank.
int runsFromTwoScore(const PileGroups& piles, int tableaus)
{
    int score = 0;
    for (int j = 0; j < tableaus; ++j) {
        const std::string& fila = piles.fila[std::size_t(j)];
        if (rank(cardAt(fila, 0)) != Two)
            continue;
        score += 5;
        for (int p = 1; p < cardCount(fila) - 1; ++p) {
            const int below = cardAt(fila, p - 1);
            const int card = cardAt(fila, p);
            if (card <= 0 || suitIndex(card) != suitIndex(below) || rank(card) != rank(below) + 1)
                break;
            score += 5;
        }
    }
    return score;
}

// Ten points for each pile, from the first, whose bottom card is its own number's card of the
// first or second suit.
int orderedBottomsScore(const PileGroups& piles, int tableaus)
{
    int score = 0;
    for (int r = 0; r < tableaus; ++r) {
        const int bottom = cardAt(piles.fila[std::size_t(r)], 0);
        if (bottom <= 0 || (bottom != r + 1 && bottom != r + 14))
            break;
        score += 10;
    }
    return score;
}

// A row complete up to its gap: a 2 at the bottom, then its suit upward, then one empty slot.
bool rowCompleteToGap(std::string_view fila)
{
    const int n = cardCount(fila);
    if (n < 2 || cardAt(fila, n - 1) != 0 || rank(cardAt(fila, 0)) != Two)
        return false;
    for (int p = 1; p < n - 1; ++p) {
        const int below = cardAt(fila, p - 1), card = cardAt(fila, p);
        if (card <= 0 || suitIndex(card) != suitIndex(below) || rank(card) != rank(below) + 1)
            return false;
    }
    return true;
}

template <typename Pred>
bool everyTableau(const Game& game, Pred pred)
{
    for (int i = 0; i < tableausInUse(game.rules); ++i)
        if (!pred(std::string_view(game.cards.piles.fila[std::size_t(i)])))
            return false;
    return true;
}

bool onlySlots(std::string_view pile)
{
    for (int p = 0; p < cardCount(pile); ++p)
        if (cardAt(pile, p) != 0)
            return false;
    return true;
}

} // namespace

int countCards(std::string_view pile)
{
    // Every move asks for the score again: the digits are looked at, not read as numbers.
    int n = 0;
    for (std::size_t at = 0; at + 3 <= pile.size(); at += 3) {
        const unsigned a = unsigned(pile[at] - '0'), b = unsigned(pile[at + 1] - '0');
        const unsigned c = unsigned(pile[at + 2] - '0');
        n += a <= 9 && b <= 9 && c <= 9 && (a | b | c) != 0 ? 1 : 0;
    }
    return n;
}

int tableScore(const PileGroups& piles, const RuleTable& rules)
{
    const int n = rules[Rule::DeckSize];
    const int k39 = rules[Rule::ScoreConstant];
    const int tableaus = tableausInUse(rules);
    switch (rules[Rule::GameType]) {
    case GameTypes::RunsFromTwo: return 5 * k39 - n + runsFromTwoScore(piles, tableaus);
    case GameTypes::OrderedBottoms: return -n + orderedBottomsScore(piles, tableaus);
    case GameTypes::SecondWasteScore: return -n + 10 * countCards(piles.stock[2]);
    case GameTypes::Poker: return 0;
    default: break;
    }
    int onFoundations = 0;
    for (int i = 0; i < foundationsInUse(rules); ++i)
        onFoundations += countCards(piles.dest[std::size_t(i)]);
    return 5 * k39 - n - 5 * rules[Rule::ScoreConstant2] + 5 * countCards(piles.stock[2]) + 5 * onFoundations;
}

void recomputeScore(Game& game)
{
    switch (game.rules[Rule::GameType]) {
    case GameTypes::Poker: return;
    case GameTypes::RunsFromTwo:
    case GameTypes::OrderedBottoms:
    case GameTypes::SecondWasteScore: game.score = tableScore(game.cards.piles, game.rules); return;
    default: break;
    }
    if (game.scoreMode == StandardScoring)
        game.score = tableScore(game.cards.piles, game.rules);
}

bool scoreFollowsHomeOnly(const Game& game)
{
    switch (game.rules[Rule::GameType]) {
    case GameTypes::RunsFromTwo:
    case GameTypes::OrderedBottoms:
    case GameTypes::SecondWasteScore: return false;
    default: return true;
    }
}

bool isWon(const Game& game)
{
    const PileGroups& piles = game.cards.piles;
    const bool stockEmpty = piles.stock[0].empty();
    switch (game.rules[Rule::GameType]) {
    case GameTypes::Poker: return everyTableau(game, [](std::string_view p) { return cardCount(p) >= 1; });
    case GameTypes::RowDiscards:
    case GameTypes::QueenAndKing: return stockEmpty && cardCount(piles.fila[0]) <= 4;
    case GameTypes::OneCardEach: return everyTableau(game, [](std::string_view p) { return cardCount(p) == 1; });
    case GameTypes::AcesAlone:
        return stockEmpty
            && everyTableau(game, [](std::string_view p) { return cardCount(p) == 1 && rank(cardAt(p, 0)) == Ace; });
    case GameTypes::RunsFromTwo: return everyTableau(game, rowCompleteToGap);
    case GameTypes::OrderedBottoms:
    case GameTypes::SecondWasteScore: return game.score == game.rules[Rule::TargetScore];
    default: break;
    }
    if (!stockEmpty || !piles.stock[1].empty())
        return false;
    const bool slotsOnly = game.rules[Rule::GameType] == GameTypes::PairsOfThirteenRows;
    if (!everyTableau(game, [slotsOnly](std::string_view p) { return slotsOnly ? onlySlots(p) : p.empty(); }))
        return false;
    for (int i = 0; i < reservesInUse(game.rules); ++i)
        if (!piles.appogg[std::size_t(i)].empty())
            return false;
    return true;
}

} // namespace kst
