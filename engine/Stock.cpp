#include "engine/Stock.h"

#include <algorithm>

#include "engine/RuleCodes.h"

namespace kst {
namespace {

// Redeal modes (RuleTable[14]) with steps of their own; every other positive mode gathers the
// tableau, reorders it and deals it again one card to a pile in turn.
namespace RedealModes {
inline constexpr int FillPilesInTurn = 1;        // each pile up to its dealt count before the next
inline constexpr int GatherToStock = 4;          // the tableau back into the stock, to be dealt again
inline constexpr int GatherToStockToo = 5;
inline constexpr int EveryPress = 6;             // as 1, on every press, without wrapping round
inline constexpr int BottomCardToTop = 7;
inline constexpr int RowsWithGaps = 8;
inline constexpr int GridColumns = 9;
} // namespace RedealModes

// Pile flags of the deals onto piles (RuleTable[219 + k], [255 + k]).
constexpr int DealsOnPile = 1;
constexpr int DealsWhenNoGap = 2;
constexpr int ReservesTwiceOrTableauLast = 3;
constexpr int ReservesInTurn = 4;
constexpr bool flagDeals(int flag) { return flag >= 1 && flag <= 4; }

constexpr int RowLength = 13;        // slots of a row in the rows-with-gaps game
constexpr int GridColumnCount = 7;   // columns of the 28-pile grid
constexpr int CardsForTableauLast = 8;

int popTop(std::string& pile)
{
    const int card = topCard(pile);
    pile.resize(pile.size() - 3);
    return card;
}

class StockRun {
public:
    explicit StockRun(Game& game) : m_game(game), m_r(game.rules), m_piles(game.cards.piles) {}

    std::vector<PileRef> run(StockCommand command)
    {
        switch (command) {
        case StockCommand::Waste:
            if (stock().empty())
                turnWasteOver();
            else
                dealTo(Mazzo_Vis);
            break;
        case StockCommand::SecondWaste: dealTo(Mazzo_Waste); break;
        case StockCommand::Redeal: redeal(); break;
        case StockCommand::AddTableaus: dealOntoTableaus([&](int k) { return flagDeals(m_r[Rule::StockToTableau + k]); }); break;
        case StockCommand::AddTableausLast: dealOntoTableaus([](int) { return true; }); break;
        case StockCommand::FillTableaus: dealOntoTableaus([&](int k) { return fila(k).empty(); }); break;
        case StockCommand::AddReservesTwice: dealOntoReserves(); [[fallthrough]];
        case StockCommand::AddReserves: dealOntoReserves(); break;
        case StockCommand::AlternateReserve: alternateReserve(); break;
        case StockCommand::CloseUpGrid: closeUpGrid(); break;
        case StockCommand::None:
        case StockCommand::FillGapsFirst: break;
        }
        return m_received;
    }

private:
    std::string& stock() { return m_piles.stock[0]; }
    std::string& fila(int k) { return m_piles.fila[std::size_t(k)]; }
    int tableaus() const { return tableausInUse(m_r); }
    void setFace(int card, bool up) { m_game.cards.deck.setFace(card, up ? Face::Up : Face::Down); }

    void append(PileRef to, int card, bool faceUp)
    {
        m_game.pile(to) += cardDigits(card);
        setFace(card, faceUp);
    }

    // The stock's top card onto the pile, face up.
    bool dealOne(PileRef to)
    {
        if (stock().empty())
            return false;
        append(to, popTop(stock()), true);
        if (to.group == PileGroup::Fila || to.group == PileGroup::Appogg)
            m_received.push_back(to);
        return true;
    }

    // ---- the waste ----

    void dealTo(PileRef waste)
    {
        for (int i = 0; i < std::max(1, int(m_r[Rule::CardsPerStockClick])); ++i)
            if (!dealOne(waste))
                break;
        if (m_r[Rule::GameType] == GameTypes::CountedDeals)
            ++m_game.counters.SpecialCounter;
    }

    // The waste back into the stock from its top down, so the stock is the waste reversed.
    void turnWasteOver()
    {
        ++m_game.counters.DealCounter;
        std::string& waste = m_piles.stock[1];
        const bool faceUp = m_r[Rule::StockFace] == 0;
        while (!waste.empty())
            append(Mazzo, popTop(waste), faceUp);
    }

    // ---- deals onto piles ----

    template <typename Takes>
    void dealOntoTableaus(Takes takes)
    {
        for (int k = 0; k < tableaus(); ++k) {
            if (!takes(k) || !dealOne(filaPile(k)))
                continue;
            // In the grid of rows the first row keeps a gap for every card dealt.
            if (m_r[Rule::TableauLayout] == GridOfSlots)
                fila(0) += EmptySlot;
        }
    }

    void dealOntoReserves()
    {
        for (int k = 0; k < reservesInUse(m_r); ++k)
            if (flagDeals(m_r[Rule::StockToReserve + k]))
                dealOne(appoggPile(k));
    }

    // Turn about, up to three cards onto the first reserve, then the second, and so on.
    void alternateReserve()
    {
        const int counter = ++m_game.counters.SpecialCounter;
        const int reserve = counter % 2 == 1 ? 0 : 1;
        if (reserve >= reservesInUse(m_r) || !flagDeals(m_r[Rule::StockToReserve + reserve]))
            return;
        for (int i = 0; i < 3; ++i)
            if (!dealOne(appoggPile(reserve)))
                break;
    }

    // Each empty slot takes the card of the next occupied slot after it; then the stock fills the
    // empty slots left, in order.
    void closeUpGrid()
    {
        const int n = tableaus();
        for (int i = 0; i < n; ++i) {
            if (!fila(i).empty())
                continue;
            for (int j = i + 1; j < n; ++j) {
                if (!fila(j).empty()) {
                    std::swap(fila(i), fila(j));
                    break;
                }
            }
        }
        for (int i = 0; i < n; ++i)
            if (fila(i).empty())
                dealOne(filaPile(i));
    }

    // ---- redeals ----

    void redeal()
    {
        ++m_game.counters.DealCounter;
        switch (m_r[Rule::RedealMode]) {
        case RedealModes::GatherToStock:
        case RedealModes::GatherToStockToo: gatherToStock(); break;
        case RedealModes::BottomCardToTop: bottomCardsToTop(); break;
        case RedealModes::RowsWithGaps: rowsWithGaps(); break;
        case RedealModes::GridColumns: gridColumns(); break;
        default: gatherAndDealAgain(); break;
        }
    }

    std::vector<int> takeAll(std::string& pile)
    {
        std::vector<int> cards;
        while (!pile.empty())
            cards.push_back(popTop(pile));
        return cards; // top first
    }

    void gatherAndDealAgain()
    {
        const int n = tableaus();
        std::vector<int> gathered;
        for (int k = 0; k < n; ++k)
            for (const int card : takeAll(fila(k)))
                gathered.push_back(card);
        const std::vector<int> order = reorderGathered(std::move(gathered));
        const int dealt = m_r[Rule::TableauDealt], faceUpCount = m_r[Rule::TableauFaceUp];
        const bool faceUp = dealt == faceUpCount;
        const int mode = m_r[Rule::RedealMode];
        std::size_t next = 0;
        if (n > 0 && (mode == RedealModes::FillPilesInTurn || mode == RedealModes::EveryPress)) {
            const int each = std::max(1, dealt);
            do {
                for (int k = 0; k < n && next < order.size(); ++k)
                    for (int c = 0; c < each && next < order.size(); ++c)
                        append(filaPile(k), order[next++], faceUp);
            } while (mode == RedealModes::FillPilesInTurn && next < order.size());
            // Without wrapping round, what is left waits in the stock for the next press.
            while (next < order.size())
                append(Mazzo, order[next++], false);
        } else {
            for (int k = 0; next < order.size() && n > 0; k = (k + 1) % n)
                append(filaPile(k), order[next++], faceUp);
        }
        if (faceUpCount != dealt && faceUpCount == 1)
            for (int k = 0; k < n; ++k)
                if (const int top = topCard(fila(k)); isCardNumber(top))
                    setFace(top, true);
    }

    // Every tableau card back into the stock face down, the last pile first, each from its top
    // (onto the waste face up where the stock deals there and is not shown).
    void gatherToStock()
    {
        const bool toWaste = m_r[Rule::StockGroupPiles] == 1 && m_r[Rule::StockClickPlace] == 0
            && m_r[Rule::StockToWaste] == 1;
        for (int k = tableaus() - 1; k >= 0; --k)
            for (const int card : takeAll(fila(k)))
                append(toWaste ? Mazzo_Vis : Mazzo, card, toWaste);
    }

    void bottomCardsToTop()
    {
        for (int k = 0; k < tableaus(); ++k) {
            std::string& pile = fila(k);
            if (cardCount(pile) <= 1)
                continue;
            const int bottom = cardAt(pile, 0);
            pile.erase(0, 3);
            append(filaPile(k), bottom, true);
        }
    }

    // Rows of slots: each row keeps its run from a 2 upward in suit and a gap after it; the rest
    // is gathered, reordered and dealt again to fill every row to its length.
    void rowsWithGaps()
    {
        const int n = tableaus();
        std::vector<int> gathered;
        for (int k = 0; k < n; ++k) {
            std::string& row = fila(k);
            int run = 0;
            if (rank(cardAt(row, 0)) == Two) {
                run = 1;
                while (run < cardCount(row)) {
                    const int below = cardAt(row, run - 1), card = cardAt(row, run);
                    if (!isCardNumber(card) || suitIndex(card) != suitIndex(below) || rank(card) != rank(below) + 1)
                        break;
                    ++run;
                }
            }
            if (run == cardCount(row))
                continue;
            for (int p = cardCount(row) - 1; p >= run; --p)
                if (const int card = cardAt(row, p); isCardNumber(card))
                    gathered.push_back(card);
            row.resize(std::size_t(run) * 3);
            row += EmptySlot;
        }
        const std::vector<int> order = reorderGathered(std::move(gathered));
        std::size_t next = 0;
        for (int k = 0; k < n; ++k)
            while (cardCount(fila(k)) < RowLength && next < order.size())
                append(filaPile(k), order[next++], true);
    }

    // A grid of seven columns: the piles between the first and the last column give their cards,
    // which go under the waste in their new order and come back one to each such pile.
    void gridColumns()
    {
        const auto inner = [](int k) { return k % GridColumnCount != 0 && k % GridColumnCount != GridColumnCount - 1; };
        const int n = tableaus();
        std::vector<int> gathered;
        for (int k = 0; k < n; ++k) {
            if (!inner(k))
                continue;
            std::string& pile = fila(k);
            for (int p = 0; p < cardCount(pile); ++p)
                gathered.push_back(cardAt(pile, p));
            pile.clear();
        }
        const std::vector<int> order = reorderGathered(std::move(gathered));
        std::string under;
        for (auto it = order.rbegin(); it != order.rend(); ++it)
            under += cardDigits(*it);
        m_piles.stock[1].insert(0, under);
        for (const int card : order)
            setFace(card, true);
        for (int k = 0; k < n; ++k) {
            if (!inner(k) || m_r[Rule::TableauDealt + k] == 0 || m_piles.stock[1].empty())
                continue;
            append(filaPile(k), popTop(m_piles.stock[1]), true);
        }
    }

    Game& m_game;
    const RuleTable& m_r;
    PileGroups& m_piles;
    std::vector<PileRef> m_received;
};

// The flag of the first or of the last pile of a group in use.
bool firstOrLastIs(const RuleTable& r, int first, int inUse, int flag)
{
    return inUse > 0 && (r[first] == flag || r[first + inUse - 1] == flag);
}

bool closeUpPossible(const Game& game)
{
    const int n = tableausInUse(game.rules);
    bool emptySeen = false, gapBeforeCard = false;
    for (int k = 0; k < n; ++k) {
        const bool empty = game.cards.piles.fila[std::size_t(k)].empty();
        gapBeforeCard = gapBeforeCard || (emptySeen && !empty);
        emptySeen = emptySeen || empty;
    }
    return emptySeen && (!game.cards.piles.stock[0].empty() || gapBeforeCard);
}

} // namespace

bool redealAllowed(const Game& game)
{
    const int deals = game.rules[Rule::Deals];
    return deals == -1 || game.counters.DealCounter < deals;
}

StockCommand stockCommand(const Game& game)
{
    const RuleTable& r = game.rules;
    const PileGroups& piles = game.cards.piles;
    const bool stockEmpty = piles.stock[0].empty();
    const int type = r[Rule::GameType];
    if (type == GameTypes::PairsOfThirteenRows && !stockEmpty && !piles.dest[0].empty())
        return StockCommand::None; // the press selects the stock's card instead
    if (type == GameTypes::MonteCarlo)
        return closeUpPossible(game) ? StockCommand::CloseUpGrid : StockCommand::None;
    if (r[Rule::StockToWaste] == 1 && (r[Rule::StockToWasteCondition] == 0 || piles.stock[1].empty())) {
        if (!stockEmpty)
            return StockCommand::Waste;
        const bool turns = r[Rule::RedealMode] < 1 && cardCount(piles.stock[1]) > 1 && redealAllowed(game);
        return turns ? StockCommand::Waste : StockCommand::None;
    }
    const int mode = r[Rule::RedealMode];
    if ((mode > 0 && stockEmpty) || mode == RedealModes::EveryPress)
        return redealAllowed(game) ? StockCommand::Redeal : StockCommand::None;
    if (stockEmpty)
        return StockCommand::None; // nothing left to deal onto piles
    const int tableaus = tableausInUse(r), reserves = reservesInUse(r);
    if (firstOrLastIs(r, Rule::StockToTableau, tableaus, DealsOnPile))
        return StockCommand::AddTableaus;
    if (firstOrLastIs(r, Rule::StockToTableau, tableaus, DealsWhenNoGap))
        return emptyTableaus(game) > 0 ? StockCommand::FillGapsFirst : StockCommand::AddTableaus;
    if (firstOrLastIs(r, Rule::StockToReserve, reserves, DealsOnPile))
        return StockCommand::AddReserves;
    if (r[Rule::StockToReserve] == ReservesTwiceOrTableauLast)
        return cardCount(piles.stock[0]) == CardsForTableauLast ? StockCommand::AddTableausLast
                                                                : StockCommand::AddReservesTwice;
    if (r[Rule::StockToReserve] == ReservesInTurn)
        return StockCommand::AlternateReserve;
    if (r[Rule::SecondWasteScheme] != 0)
        return StockCommand::SecondWaste;
    return StockCommand::None;
}

StockCommand wasteCommand(const Game& game)
{
    const PileGroups& piles = game.cards.piles;
    if (!piles.stock[0].empty() || !piles.stock[1].empty() || game.rules[Rule::RedealMode] <= 0)
        return StockCommand::None;
    return redealAllowed(game) ? StockCommand::Redeal : StockCommand::None;
}

std::vector<PileRef> runStockCommand(Game& game, StockCommand command)
{
    return StockRun(game).run(command);
}

std::vector<int> reorderGathered(std::vector<int> cards)
{
    std::vector<int> order;
    order.reserve(cards.size());
    std::size_t q = cards.size() / 2;
    while (!cards.empty()) {
        if (q >= cards.size())
            q = 0;
        order.push_back(cards[q]);
        cards.erase(cards.begin() + std::ptrdiff_t(q));
        q += order.size() % 2 == 1 ? 2 : 5;
    }
    return order;
}

} // namespace kst
