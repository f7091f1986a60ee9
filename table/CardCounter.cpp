#include "table/CardCounter.h"

#include <algorithm>

namespace kst {

std::vector<CounterMark> countCards(const Game& game, CounterWatch watch, bool inverted)
{
    const RuleTable& rules = game.rules;
    const int slots = std::clamp(int(rules[Rule::DeckSize]), 0, CounterCards);
    std::vector<CounterMark> marks(std::size_t(slots) + 1, CounterMark::None);
    // Empty slots ("000") and anything that is no card of the deck have no slot to mark.
    const auto mark = [&](int card, bool up) {
        if (card >= 1 && card <= slots)
            marks[std::size_t(card)] = up != inverted ? CounterMark::Up : CounterMark::Down;
    };
    const auto markEach = [&](const std::string& pile, auto&& isUp) {
        for (int position = 0; position < cardCount(pile); ++position)
            mark(cardAt(pile, position), isUp(position, cardAt(pile, position)));
    };

    if (watch != CounterWatch::TableauOnly) {
        markEach(game.pile(Mazzo), [](int, int) { return false; });
        if (rules[Rule::StockToWaste] == 1) {
            const bool fedByStock = rules[Rule::StockClickPlace] == 1;
            const int top = cardCount(game.pile(Mazzo_Vis)) - 1;
            markEach(game.pile(Mazzo_Vis), [&](int position, int) { return fedByStock || position == top; });
        }
    }
    if (watch != CounterWatch::StockOnly) {
        // A face-down card is shown down wherever it lies, reserves included: a hidden card in a
        // reserve is as unknown to the player as one in the tableau.
        const auto byFace = [&](int, int card) { return !game.cards.deck.isFaceDown(card); };
        for (int i = 0; i < tableausInUse(rules); ++i)
            markEach(game.pile(filaPile(i)), byFace);
        for (int i = 0; i < foundationsInUse(rules); ++i)
            markEach(game.pile(destPile(i)), byFace);
        for (int i = 0; i < reservesInUse(rules); ++i)
            markEach(game.pile(appoggPile(i)), byFace);
        markEach(game.pile(Mazzo_Waste), byFace);
    }
    return marks;
}

} // namespace kst
