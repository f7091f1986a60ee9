#include "engine/Deal.h"

#include <algorithm>
#include <cassert>
#include <vector>

#include "engine/GameNumber.h"
#include "engine/RuleCodes.h"
#include "engine/Scoring.h"

namespace kst {
namespace {

// Foundation start codes (RuleTable[91 + i]) with a meaning of their own; 1..13 start foundation
// i with that rank of its suit.
constexpr int StartNone = 0;
constexpr int StartFirstCard = 20;          // the deck's first card
constexpr int StartOtherSuit = 21;          // the first card of a suit no earlier foundation has
constexpr int StartRankLow = 51;            // 50 + rank: the first card of that rank
constexpr int StartRankHigh = 63;
constexpr int StartCyclic = 91;             // the first card's rank, a suit further on for each foundation
constexpr int StartBaseRankOnly = 92;       // no card; the base rank of foundation 1
constexpr int StartAcesPass = 93;           // the Aces, then a pass of tableau cards to the foundations
constexpr int StartAcesOwnPile = 94;        // as StartAcesPass, each tableau pile to its own foundation
constexpr int StartKingsAndAces = 95;       // Kings on the first four, Aces on the next four, then a pass
constexpr int StartAcesFromTableau = 96;    // Aces played from the tableau, their places refilled
constexpr int StartExplicitCard = 100;      // 100 + card: that card; also for the second waste's start

// Tableau counts (RuleTable[286 + i]) above SpecialCountBase; 1000 + rank deals one card of it.
constexpr int SpecialCountBase = 1000;
constexpr int RankCountLast = 1499;
constexpr int RestOfDeck = 1500;            // and 1600 on: every card still in the deck
constexpr int RestOfDeckToo = 1600;
constexpr int JokerCountFirst = 1501;       // 1501..1504: that joker, face up
constexpr int JokerCountLast = 1504;

// FoundationCardsAtDeal (RuleTable[1]): cards dealt to the foundations after the tableau.
namespace FoundationCards {
constexpr int OneSetsEveryBase = 1;         // one card to foundation 1; its rank is every base rank
constexpr int OneEach = 2;
} // namespace FoundationCards

// DealMode (RuleTable[31]): how the table is rearranged once everything is dealt.
namespace DealModes {
constexpr int ReplaceBottomKings = 1;       // a pile on a King goes under the stock for another card
constexpr int RunsFromKings = 2;            // the rest of the deck in face-up piles, each begun by a King
constexpr int SpreadRanks = 3;              // no rank twice in a pile
constexpr int RunsFromQueens = 4;
constexpr int ByRankFromTwo = 5;            // what is left of the deck, one pile per rank
constexpr int ByRankFromAce = 6;
constexpr int BottomCardsToFoundations = 7; // each pile's bottom card to its own foundation
constexpr int LeaveOutTableauAces = 8;      // tableau Aces leave empty slots
constexpr int ShortDeckOneGap = 9;          // a deck of one card per pile; the pile of the highest empties
constexpr int EmptyRandomPile = 10;
} // namespace DealModes

int clampCount(int value, int most) { return std::clamp(value, 0, most); }

void eraseAt(std::string& pile, int position) { pile.erase(std::size_t(position) * 3, 3); }
void insertAt(std::string& pile, int position, int card) { pile.insert(std::size_t(position) * 3, cardDigits(card)); }

class Dealer {
public:
    Dealer(CardTable& table, RuleTable& rules, PlacementCounters& counters, RandomSource& random)
        : m_table(table), m_piles(table.piles), m_rules(rules), m_counters(counters), m_random(random)
    {
    }

    DealResult run(std::string_view gameNumber)
    {
        m_counters.DealCounter = 1;
        m_counters.SpecialCounter = 0;
        ShuffleDeck shuffled = buildShuffleDeck(gameNumber, m_rules[Rule::DeckSize]);
        if (!shuffled.ok())
            return {false, shuffled.error, 0};
        m_deck = std::move(shuffled.cards);

        reduceDeck();
        startFoundations();
        startSecondWaste();
        dealSpecialTableauCounts();
        dealStock();
        dealWaste();
        dealOrdinaryTableau();
        dealSecondWaste();
        dealReserves();
        dealFoundationCards();
        setEmptyRulesBelowBase(m_rules);
        dealExtraFoundationCard();
        sendAcesOfReserve();
        if (const int code = m_rules[Rule::FoundationStartCode];
            code == StartAcesPass || code == StartAcesOwnPile || code == StartKingsAndAces)
            foundationPass();
        playAcesFromTableau();
        sendKingsToBottom();
        placeQueenAndKing();
        arrangeByDealMode();
        assert(tableIsOk(m_piles).empty());
        return {true, {}, tableScore(m_piles, m_rules)};
    }

private:
    // ---- the ShuffleDeck ----
    bool deckEmpty() const { return m_deck.empty(); }

    int takeTop()
    {
        const int card = m_deck.front();
        m_deck.erase(m_deck.begin());
        return card;
    }

    // Takes the card out of the deck; false when the deck does not hold it.
    bool takeOut(int card)
    {
        const auto it = std::find(m_deck.begin(), m_deck.end(), card);
        if (card <= 0 || it == m_deck.end())
            return false;
        m_deck.erase(it);
        return true;
    }

    template <typename Pred>
    int firstInDeck(Pred pred) const
    {
        const auto it = std::find_if(m_deck.begin(), m_deck.end(), pred);
        return it == m_deck.end() ? 0 : *it;
    }

    // ---- the piles ----
    std::string& pile(PileRef ref) { return *m_piles.pile(ref); }

    void append(PileRef ref, int card, Face face)
    {
        pile(ref) += cardDigits(card);
        m_table.deck.setFace(card, face);
    }

    // Deals up to n cards face down; a short deck stops the pile early.
    void dealCards(PileRef ref, int n)
    {
        for (int i = 0; i < n && !deckEmpty(); ++i)
            append(ref, takeTop(), Face::Down);
    }

    void faceUp(PileRef ref, int n) { setFaces(m_table.deck, pile(ref), n, Face::Up); }

    int foundationsInUse() const { return clampCount(m_rules[Rule::FoundationCount], Rule::MaxFoundations); }
    int tableausInUse() const { return clampCount(m_rules[Rule::TableauCount], Rule::MaxTableaus); }

    void setBaseRank(int foundation, int rankValue)
    {
        m_rules.set(Rule::BaseRank + foundation, std::int16_t(rankValue));
    }

    // Such a card scores as a foundation move; the starting score counts it with the others.
    void toFoundation(int foundation, int card) { append(destPile(foundation), card, Face::Up); }

    bool accepts(int foundation, int card, bool foundationPassTest) const
    {
        const PlacementQuery q =
            placementQuery(m_rules, m_piles, destPile(foundation), card, false, foundationPassTest);
        return canPlace(q, m_piles, m_rules, m_counters);
    }

    int largestTableauCount() const
    {
        int most = 0;
        for (int j = 0; j < tableausInUse(); ++j)
            most = std::max(most, cardCount(m_piles.fila[std::size_t(j)]));
        return most;
    }

    // ---- the steps, in the order the deal runs them ----

    void reduceDeck()
    {
        if (m_rules[Rule::DealMode] != DealModes::ShortDeckOneGap)
            return;
        const int t = m_rules[Rule::TableauCount];
        std::erase_if(m_deck, [t](int card) {
            if (t <= 13)
                return card > t;
            return (card >= 14 && card <= 26) || card > t + 13;
        });
    }

    int foundationStartCard(int i, int code) const
    {
        const int n = m_rules[Rule::DeckSize];
        if (code == StartFirstCard)
            return deckEmpty() ? 0 : m_deck.front();
        if (code == StartOtherSuit) {
            std::vector<int> taken;
            for (int j = 0; j < i; ++j)
                if (const int bottom = cardAt(m_piles.dest[std::size_t(j)], 0); bottom > 0)
                    taken.push_back(m_rules.suitOf(bottom));
            const int found = firstInDeck([&](int card) {
                return std::find(taken.begin(), taken.end(), m_rules.suitOf(card)) == taken.end();
            });
            return found != 0 || deckEmpty() ? found : m_deck.back();
        }
        if (code >= StartRankLow && code <= StartRankHigh)
            return firstInDeck([code](int card) { return rank(card) == code - StartRankLow + Ace; });
        if (code == StartCyclic) {
            if (deckEmpty() || n <= 0)
                return 0;
            const int card = m_deck.front() + 13 * (i + 1);
            // Reduced cyclically into 1..N: a plain remainder would name card 0, no card, where
            // the cycle comes round to card N.
            return card > n ? (card - 1) % n + 1 : card;
        }
        if (code == StartBaseRankOnly || code == StartAcesFromTableau || code == StartNone)
            return 0;
        if (code == StartAcesPass || code == StartAcesOwnPile)
            return 13 * i + 1;
        if (code == StartKingsAndAces)
            return i <= 3 ? 13 * (i + 1) : 13 * (i - 4) + 1;
        if (code < StartExplicitCard)
            return code + 13 * i;
        return code - StartExplicitCard;
    }

    void startFoundations()
    {
        for (int i = 0; i < foundationsInUse(); ++i) {
            const int code = m_rules[Rule::FoundationStartCode + i];
            if (code == StartBaseRankOnly) {
                setBaseRank(i, m_rules[Rule::BaseRank]);
                continue;
            }
            const int card = foundationStartCard(i, code);
            if (!takeOut(card))
                continue;
            append(destPile(i), card, Face::Up);
            setBaseRank(i, rank(card));
        }
    }

    void startSecondWaste()
    {
        const int code = m_rules[Rule::SecondWasteStartCard];
        if (code == 0)
            return;
        const int card = code > StartExplicitCard ? code - StartExplicitCard : code;
        if (takeOut(card))
            append(Mazzo_Waste, card, Face::Up);
    }

    int tableauCount(int i) const { return m_rules[Rule::TableauDealt + i]; }
    void tableauFaces(int i) { faceUp(filaPile(i), m_rules[Rule::TableauFaceUp + i]); }

    void dealSpecialTableauCounts()
    {
        for (int i = 0; i < Rule::MaxTableaus; ++i) {
            const int k = tableauCount(i);
            if (k <= SpecialCountBase)
                continue;
            if (k <= RankCountLast) {
                const int card = firstInDeck([k](int c) { return rank(c) == k - SpecialCountBase; });
                if (takeOut(card))
                    append(filaPile(i), card, Face::Down);
            } else if (k >= JokerCountFirst && k <= JokerCountLast) {
                append(filaPile(i), k - JokerCountFirst + FirstJoker, Face::Up);
            } else if (k == RestOfDeck || k >= RestOfDeckToo) {
                dealCards(filaPile(i), k);
            }
            tableauFaces(i);
        }
    }

    void dealStock()
    {
        dealCards(Mazzo, m_rules[Rule::StockDealt]);
        if (m_rules[Rule::StockFace] == 0)
            faceUp(Mazzo, cardCount(pile(Mazzo)));
    }

    void dealWaste()
    {
        const int n = m_rules[Rule::WasteDealt];
        if (n <= 0)
            return;
        dealCards(Mazzo_Vis, n);
        faceUp(Mazzo_Vis, cardCount(pile(Mazzo_Vis)));
    }

    void dealOrdinaryTableau()
    {
        for (int i = 0; i < Rule::MaxTableaus; ++i) {
            const int k = tableauCount(i);
            if (k <= 0 || k > SpecialCountBase)
                continue;
            dealCards(filaPile(i), k);
            tableauFaces(i);
        }
    }

    void dealSecondWaste()
    {
        const int n = m_rules[Rule::SecondWasteDealt];
        if (n <= 0)
            return; // a negative count would read as one of the alternating face modes
        dealCards(Mazzo_Waste, n);
        faceUp(Mazzo_Waste, n);
    }

    void dealReserves()
    {
        for (int i = 0; i < Rule::MaxReserves; ++i) {
            const int n = m_rules[Rule::ReserveDealt + i];
            if (n <= 0)
                continue;
            dealCards(appoggPile(i), n);
            faceUp(appoggPile(i), m_rules[Rule::ReserveFaceUp + i]);
        }
    }

    void dealFoundationCards()
    {
        const int mode = m_rules[Rule::FoundationCardsAtDeal];
        if (mode == FoundationCards::OneSetsEveryBase && !deckEmpty()) {
            const int card = takeTop();
            append(destPile(0), card, Face::Up);
            for (int i = 0; i < Rule::MaxFoundations; ++i)
                setBaseRank(i, rank(card));
        } else if (mode == FoundationCards::OneEach) {
            for (int i = 0; i < foundationsInUse() && !deckEmpty(); ++i) {
                const int card = takeTop();
                append(destPile(i), card, Face::Up);
                setBaseRank(i, rank(card));
            }
        }
    }

    void dealExtraFoundationCard()
    {
        if (m_rules[Rule::ExtraFoundationCard] == 1 && !deckEmpty())
            append(destPile(0), takeTop(), Face::Up);
    }

    void sendAcesOfReserve()
    {
        if (m_rules[Rule::GameType] != GameTypes::AcesFromReserve)
            return;
        std::string& reserve = pile(appoggPile(0));
        int moved = 0;
        for (int next = 1; next < Rule::MaxFoundations;) {
            int position = -1;
            for (int p = 0; p < cardCount(reserve) && position < 0; ++p)
                if (rank(cardAt(reserve, p)) == Ace)
                    position = p;
            if (position < 0)
                break;
            const int ace = cardAt(reserve, position);
            eraseAt(reserve, position);
            pile(destPile(next++)) = cardDigits(ace);
            ++moved;
        }

        std::string& waste = pile(Mazzo_Vis);
        bool aceFound = false;
        for (std::size_t at = 0; at + 3 <= waste.size(); at += 3) {
            if (moved == 0 && aceFound)
                break;
            const int card = parseCardDigits(std::string_view(waste).substr(at, 3));
            if (rank(card) == Ace) {
                waste.erase(at, 3);
                append(destPile(0), card, Face::Up);
                aceFound = true;
            } else if (moved > 0) {
                waste.erase(at, 3);
                pile(appoggPile(0)) += cardDigits(card);
                faceUp(appoggPile(0), cardCount(pile(appoggPile(0))));
                --moved;
            }
        }
    }

    // The foundations a card of the pass may go to.
    std::pair<int, int> passFoundations(int pileIndex, int givenIndex) const
    {
        const int code = m_rules[Rule::FoundationStartCode];
        if (code == StartAcesOwnPile)
            return {pileIndex, pileIndex};
        if (code == StartKingsAndAces) {
            if (givenIndex >= 0 && givenIndex <= 3)
                return {0, 3};
            if (givenIndex >= 6 && givenIndex <= 9)
                return {4, 7};
            return {0, 7};
        }
        return {0, foundationsInUse() - 1};
    }

    // Tries the card at position p of pile j; true when it moved.
    bool passMove(int j, int p, int givenIndex)
    {
        std::string& fila = m_piles.fila[std::size_t(j)];
        const int card = cardAt(fila, p);
        if (card <= 0)
            return false;
        const auto [first, last] = passFoundations(j, givenIndex);
        for (int f = std::max(first, 0); f <= std::min(last, Rule::MaxFoundations - 1); ++f) {
            if (!accepts(f, card, true))
                continue;
            eraseAt(fila, p);
            toFoundation(f, card);
            return true;
        }
        return false;
    }

    void foundationPass()
    {
        const int longest = largestTableauCount();
        if (m_rules[Rule::FoundationPassOrder] != 0) {
            for (int j = 0; j < tableausInUse(); ++j)
                for (int p = 0; p <= longest; ++p)
                    while (passMove(j, p, p)) {
                    }
        } else {
            for (int p = 0; p <= longest; ++p)
                for (int j = 0; j < tableausInUse(); ++j)
                    while (passMove(j, p, j)) {
                    }
        }
    }

    void playAcesFromTableau()
    {
        if (m_rules[Rule::FoundationStartCode] != StartAcesFromTableau)
            return;
        const int longest = largestTableauCount();
        for (int p = 0; p <= longest; ++p) {
            for (int j = 0; j < tableausInUse(); ++j) {
                std::string& fila = m_piles.fila[std::size_t(j)];
                for (;;) {
                    const int card = cardAt(fila, p);
                    if (rank(card) != Ace)
                        break;
                    int target = -1;
                    for (int f = 0; f < foundationsInUse() && target < 0; ++f)
                        if (accepts(f, card, false))
                            target = f;
                    if (target < 0)
                        break;
                    eraseAt(fila, p);
                    toFoundation(target, card);
                    std::string& source = pile(Mazzo).empty() ? pile(Mazzo_Vis) : pile(Mazzo);
                    if (const int replacement = topCard(source); replacement > 0) {
                        source.resize(source.size() - 3);
                        append(filaPile(j), replacement, Face::Up);
                    }
                }
            }
        }
    }

    void sendKingsToBottom()
    {
        if (m_rules[Rule::KingsToBottom] != 1)
            return;
        for (std::string& fila : m_piles.fila)
            for (int p = 1; p < cardCount(fila); ++p)
                if (const int card = cardAt(fila, p); rank(card) == King) {
                    eraseAt(fila, p);
                    insertAt(fila, 0, card);
                }
    }

    // Takes the card off the table, or else out of the deck; false when it is nowhere.
    bool takeFromAnywhere(int card)
    {
        return removeCard(m_piles, card, RemoveMode::Delete, Rule::MaxTableaus).from != RemovedFrom::NotFound
            || takeOut(card);
    }

    void placeQueenAndKing()
    {
        if (m_rules[Rule::GameType] != GameTypes::QueenAndKing)
            return;
        const int queen = cardOf(Queen, 0);
        const int king = cardOf(King, 0);
        if (takeFromAnywhere(king))
            insertAt(pile(Mazzo), 0, king);
        if (takeFromAnywhere(queen))
            append(filaPile(0), queen, Face::Up);
    }

    // ---- DealModes ----

    void arrangeByDealMode()
    {
        switch (m_rules[Rule::DealMode]) {
        case DealModes::ReplaceBottomKings: replaceBottomKings(); break;
        case DealModes::RunsFromKings: layOutRuns(King); break;
        case DealModes::SpreadRanks: spreadRanks(); break;
        case DealModes::RunsFromQueens: layOutRuns(Queen); break;
        case DealModes::ByRankFromTwo: dealByRank(Two); break;
        case DealModes::ByRankFromAce: dealByRank(Ace); break;
        case DealModes::BottomCardsToFoundations: bottomCardsToOwnFoundation(); break;
        case DealModes::LeaveOutTableauAces: leaveOutTableauAces(); break;
        case DealModes::ShortDeckOneGap: emptyPileOfLastCard(); break;
        case DealModes::EmptyRandomPile: emptyRandomPile(); break;
        default: break;
        }
    }

    void replaceBottomKing(std::string& target)
    {
        if (rank(cardAt(target, 0)) != King)
            return;
        std::string& stock = pile(Mazzo);
        // The whole pile goes under the stock, not only its King, so that no card leaves the game.
        stock.insert(0, target);
        target.clear();
        m_table.deck.setFace(topCard(stock), Face::Down);
        for (int p = 0; p < cardCount(stock); ++p)
            if (const int card = cardAt(stock, p); rank(card) != King) {
                eraseAt(stock, p);
                target = cardDigits(card);
                m_table.deck.setFace(card, Face::Up);
                return;
            }
    }

    void replaceBottomKings()
    {
        for (int j = 0; j < tableausInUse(); ++j)
            replaceBottomKing(m_piles.fila[std::size_t(j)]);
        for (int i = 0; i < foundationsInUse(); ++i)
            replaceBottomKing(m_piles.dest[std::size_t(i)]);
    }

    void layOutRuns(int startRank)
    {
        int current = 0;
        if (const int first = firstInDeck([startRank](int c) { return rank(c) == startRank; }); takeOut(first))
            append(filaPile(0), first, Face::Up);
        while (!deckEmpty()) {
            const int card = takeTop();
            if (rank(card) == startRank && current + 1 < Rule::MaxTableaus)
                ++current;
            append(filaPile(current), card, Face::Up);
        }
        foundationPass();
    }

    void spreadRanks()
    {
        std::vector<int> sequence;
        for (int j = 0; j < tableausInUse(); ++j) {
            std::string& fila = m_piles.fila[std::size_t(j)];
            for (int p = 0; p < cardCount(fila); ++p)
                sequence.push_back(cardAt(fila, p));
            fila.assign(fila.size(), '0');
        }
        for (int j = 0; j < tableausInUse(); ++j) {
            std::string& fila = m_piles.fila[std::size_t(j)];
            for (int p = 0; p < cardCount(fila); ++p) {
                const auto fits = std::find_if(sequence.begin(), sequence.end(), [&](int card) {
                    for (int q = 0; q < p; ++q)
                        if (rank(cardAt(fila, q)) == rank(card))
                            return false;
                    return true;
                });
                if (fits == sequence.end())
                    continue;
                fila.replace(std::size_t(p) * 3, 3, cardDigits(*fits));
                sequence.erase(fits);
            }
        }
    }

    void dealByRank(int offset)
    {
        std::vector<int> kept;
        for (const int card : m_deck) {
            const int j = rank(card) - offset;
            // A card without a pile of its own (an Ace left over, a joker) stays undealt.
            if (rank(card) == NoRank || j < 0 || j >= Rule::MaxTableaus)
                kept.push_back(card);
            else
                append(filaPile(j), card, Face::Up);
        }
        m_deck = std::move(kept);
    }

    void bottomCardsToOwnFoundation()
    {
        for (int j = 0; j < std::min(tableausInUse(), int(Rule::MaxFoundations)); ++j) {
            std::string& fila = m_piles.fila[std::size_t(j)];
            const int card = cardAt(fila, 0);
            if (card <= 0 || !accepts(j, card, true))
                continue;
            eraseAt(fila, 0);
            toFoundation(j, card);
        }
    }

    void leaveOutTableauAces()
    {
        for (std::string& fila : m_piles.fila)
            for (int p = 0; p < cardCount(fila); ++p)
                if (rank(cardAt(fila, p)) == Ace)
                    fila.replace(std::size_t(p) * 3, 3, EmptySlot);
    }

    void emptyPileOfLastCard()
    {
        const int t = m_rules[Rule::TableauCount];
        const int card = t <= 13 ? t : t + 13;
        for (int j = 0; j < tableausInUse(); ++j)
            if (cardAt(m_piles.fila[std::size_t(j)], 0) == card) {
                m_piles.fila[std::size_t(j)].clear();
                return;
            }
    }

    void emptyRandomPile()
    {
        const int choices = tableausInUse() - 1;
        if (choices <= 0)
            return;
        m_piles.fila[std::size_t(m_random.below(std::uint32_t(choices)))].clear();
    }

    CardTable& m_table;
    PileGroups& m_piles;
    RuleTable& m_rules;
    PlacementCounters& m_counters;
    RandomSource& m_random;
    std::vector<int> m_deck;
};

} // namespace

DealResult dealTable(CardTable& table, RuleTable& rules, PlacementCounters& counters, std::string_view gameNumber,
                     RandomSource& random)
{
    return Dealer(table, rules, counters, random).run(gameNumber);
}

void setEmptyRulesBelowBase(RuleTable& rules)
{
    const int base = rules[Rule::BaseRank];
    // Only a real rank has one below it; anything else leaves no rank to build on.
    const int below = base >= Ace && base <= King ? previousRank(base) : 0;
    for (int i = 0; i < Rule::MaxTableaus; ++i)
        if (rules[Rule::TableauEmptyRule + i] == EmptyRules::BelowBaseRank)
            rules.set(Rule::TableauEmptyRule + i, std::int16_t(below));
}

DealResult dealGame(Game& game, RandomSource& random)
{
    game.rules.restoreRuleBlock();
    game.cards = CardTable{};
    game.movesMade = 0;
    game.elapsedSeconds = 0;
    game.won = false;
    const DealResult dealt = dealTable(game.cards, game.rules, game.counters, game.number, random);
    game.score = dealt.score;
    return dealt;
}

DealResult dealByNumber(Game& game, int gameId, const RuleTable& rules, std::string_view number,
                        RandomSource& random)
{
    game = Game{};
    game.gameId = gameId;
    game.rules = rules;
    game.number = normalGameNumber(number);
    return dealGame(game, random);
}

} // namespace kst
