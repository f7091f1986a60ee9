#include "solver/StuckCards.h"

#include <array>
#include <vector>

#include "engine/RuleCodes.h"

namespace kst::solver {
namespace {

// Where each tableau card lies, and what must be lifted before it may be.
struct Place {
    int pile = -1;     // -1: not in the tableau (stock, waste or foundation)
    int position = 0;  // from the bottom
    int coveredBy = 0; // the card that must be lifted first (with what lies on it); 0: none
};

} // namespace

bool hasStuckCard(const Game& game, const RuleFacts& facts)
{
    if (!facts.stuckCardsKnown)
        return false;
    const RuleTable& r = game.rules;
    const DeckTable& deck = game.cards.deck;
    const int tableaus = tableausInUse(r);
    const bool anyFaceUpRun = r[Rule::RunRule] == RunRules::AnyFaceUpRun;

    std::array<Place, CardsPerDeck + 1> place{};
    std::vector<std::vector<int>> piles(static_cast<std::size_t>(tableaus));
    CardSet inTableau;
    for (int i = 0; i < tableaus; ++i) {
        const std::string& text = game.cards.piles.fila[std::size_t(i)];
        std::vector<int>& pile = piles[std::size_t(i)];
        for (int p = 0; p < cardCount(text); ++p) {
            const int card = cardAt(text, p);
            if (card < 1 || card > CardsPerDeck)
                return false; // nothing this proof knows
            pile.push_back(card);
            place[std::size_t(card)] = {i, p, 0};
            inTableau.set(std::size_t(card));
        }
        // A face-down card waits for the card on it; a face-up one for the first card above it that
        // could not move with it as part of a run.
        for (int p = 0; p + 1 < int(pile.size()); ++p) {
            const int card = pile[std::size_t(p)];
            if (deck.isFaceDown(card)) {
                place[std::size_t(card)].coveredBy = pile[std::size_t(p) + 1];
                continue;
            }
            for (int q = p + 1; q < int(pile.size()); ++q) {
                const int below = pile[std::size_t(q) - 1], above = pile[std::size_t(q)];
                if (deck.isFaceDown(above)
                    || (!anyFaceUpRun && !facts.supports[std::size_t(below)].test(std::size_t(above)))) {
                    place[std::size_t(card)].coveredBy = above;
                    break;
                }
            }
        }
    }

    // The cards of a suit that go home before the card: those of lower rank.
    const auto lowerOfSuit = [](int card) {
        CardSet set;
        for (int c = card - rank(card) + 1; c < card; ++c)
            set.set(std::size_t(c));
        return set;
    };

    CardSet lifted;  // cards some line of play lifts from their place in the tableau
    CardSet onTop;   // cards some line of play brings to the top of a tableau pile
    for (bool changed = true; changed;) {
        changed = false;
        // Tableau piles that some line of play empties: empty now, or their bottom card lifted.
        std::vector<bool> emptied(static_cast<std::size_t>(tableaus));
        int emptiedCount = 0;
        for (int i = 0; i < tableaus; ++i) {
            const std::vector<int>& pile = piles[std::size_t(i)];
            emptied[std::size_t(i)] = pile.empty() || lifted.test(std::size_t(pile.front()));
            emptiedCount += emptied[std::size_t(i)] ? 1 : 0;
        }
        // Whether a pile other than `pile` can be empty.
        const auto emptyElsewhere = [&](int pile) {
            return emptiedCount > (pile >= 0 && emptied[std::size_t(pile)] ? 1 : 0);
        };
        for (int card = 1; card <= CardsPerDeck; ++card) {
            if (onTop.test(std::size_t(card)))
                continue;
            const Place& at = place[std::size_t(card)];
            bool reached = false;
            if (at.pile >= 0) {
                // At its place once the card on it is lifted; elsewhere once it was lifted itself or
                // with a card below it.
                const std::vector<int>& pile = piles[std::size_t(at.pile)];
                reached = at.position + 1 == int(pile.size()) || lifted.test(std::size_t(pile[std::size_t(at.position) + 1]));
                for (int p = 0; p <= at.position && !reached; ++p)
                    reached = lifted.test(std::size_t(pile[std::size_t(p)]));
            } else {
                // From the stock, the waste or a foundation: onto a card on top, or into an empty pile.
                reached = (facts.holders[std::size_t(card)] & onTop).any()
                    || (facts.emptyTakes.test(std::size_t(card)) && emptyElsewhere(-1));
            }
            if (reached) {
                onTop.set(std::size_t(card));
                changed = true;
            }
        }
        forEachCard(inTableau & ~lifted, [&](int card) {
            const Place& at = place[std::size_t(card)];
            if (at.coveredBy != 0 && !lifted.test(std::size_t(at.coveredBy)))
                return;
            const CardSet lower = lowerOfSuit(card);
            bool liftable = (lower & inTableau & ~lifted).none() // home
                || (facts.emptyTakes.test(std::size_t(card)) && emptyElsewhere(at.pile));
            // Onto a card on top of a pile; one that lies below it in its own pile only once a card
            // in between was lifted (and the card with it).
            const std::vector<int>& pile = piles[std::size_t(at.pile)];
            forEachCard(facts.holders[std::size_t(card)] & onTop, [&](int holder) {
                const Place& h = place[std::size_t(holder)];
                if (liftable || h.pile != at.pile || h.position > at.position) {
                    liftable = true;
                    return;
                }
                for (int p = h.position + 1; p < at.position && !liftable; ++p)
                    liftable = lifted.test(std::size_t(pile[std::size_t(p)]));
            });
            if (liftable) {
                lifted.set(std::size_t(card));
                changed = true;
            }
        });
    }
    return (inTableau & ~lifted).any();
}

} // namespace kst::solver
