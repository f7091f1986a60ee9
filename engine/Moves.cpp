#include "engine/Moves.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <string_view>

#include "engine/Placement.h"
#include "engine/RuleCodes.h"
#include "engine/Scoring.h"
#include "engine/Stock.h"

namespace kst {
namespace {

bool faceUp(const Game& g, int card) { return isCardNumber(card) && !g.cards.deck.isFaceDown(card); }

int gameType(const Game& g) { return g.rules[Rule::GameType]; }

// Games whose left press on a tableau card selects it for a group instead of picking it up.
bool isPairingGame(const Game& g)
{
    const int t = gameType(g);
    return g.rules[Rule::PairingSum] != 0 || t == GameTypes::PairsOfFourteen || t == GameTypes::PairsOfThirteenRows
        || t == GameTypes::Chains;
}

// Games whose left press on a tableau top card sends it to the second waste.
bool isDiscardGame(const Game& g)
{
    const int t = gameType(g);
    return t == GameTypes::DiscardUpOrDown || t == GameTypes::DiscardTurning || t == GameTypes::DiscardUpOrDownTurning;
}

bool clickToMoveGame(const Game& g) { return g.rules[Rule::ClickToMove] == 1; }

// Until the first move, some games let only tableau cards go to the foundations.
bool firstMoveRestricted(const Game& g) { return g.rules[Rule::FirstMoveRestriction] == 1 && g.movesMade == 0; }

bool wasteInPlay(const Game& g) { return g.rules[Rule::WastePlace] != WasteNotPlaced; }

bool isTop(const Game& g, PileRef pile, int position) { return position == cardCount(g.pile(pile)) - 1; }

// The lowest position of a tableau pile from which the cards up to the top form a run the sequence
// rule lets move as a unit; the pile's size when not even the top card is face up.
int runStart(const Game& g, PileRef pile, bool* readsOnlyTheCards = nullptr)
{
    const std::string& text = g.pile(pile);
    const int n = cardCount(text);
    int position = n;
    const int rule = g.rules[Rule::RunRule];
    // The card above must go on this one by the pile's own rules (in suit with rule 10).
    PlacementQuery q = placementQuery(g.rules, g.cards.piles, pile, 0, false);
    if (rule == RunRules::PlaceableInSuit)
        q.buildCode = BuildCodes::SameSuit;
    const PileQuestion question(q, g.rules);
    if (readsOnlyTheCards)
        *readsOnlyTheCards = rule == RunRules::AnyFaceUpRun || question.readsOnlyTheCards();
    int above = 0;
    while (position > 0) {
        const int card = cardAt(text, position - 1);
        if (!faceUp(g, card))
            break;
        if (position < n && rule != RunRules::AnyFaceUpRun
            && !question.canPlace(card, above, g.cards.piles, g.rules, g.counters))
            break;
        above = card;
        --position;
    }
    return position;
}

// What the run-size rules read of the table besides the run: counted once for all the runs of a
// listing.
struct RunRoom {
    int emptyTableaus = 0; // E: empty tableau piles
    int emptyReserves = 0; // F: empty reserves
    int cells = 0;         // empty reserves that take any card
    int spaces = 0;        // empty tableau piles that take any card
};

bool isOpenSpace(const Game& game, int i)
{
    return game.cards.piles.fila[std::size_t(i)].empty()
           && game.rules[Rule::TableauEmptyRule + i] == EmptyRules::AnyCard
           && game.rules[Rule::TableauBuildCode + i] != BuildCodes::Closed;
}

RunRoom runRoomOf(const Game& game)
{
    RunRoom room;
    for (int r = 0; r < reservesInUse(game.rules); ++r) {
        if (!game.cards.piles.appogg[std::size_t(r)].empty())
            continue;
        ++room.emptyReserves;
        const int rule = game.rules[Rule::ReserveRule + r];
        room.cells += rule != ReserveRules::Closed && rule != ReserveRules::KingsUpToThree
                      && rule != ReserveRules::FaceCardsWhenEmpty;
    }
    for (int i = 0; i < tableausInUse(game.rules); ++i) {
        room.emptyTableaus += game.cards.piles.fila[std::size_t(i)].empty() ? 1 : 0;
        room.spaces += isOpenSpace(game, i) ? 1 : 0;
    }
    return room;
}

// (free cells + 1) x 2^spaces, the target space not among the spaces.
int doublingRoom(const RunRoom& room, bool targetIsSpace)
{
    return (room.cells + 1) << std::min(room.spaces - (targetIsSpace ? 1 : 0), 16); // 2^16 is past any run
}

bool runSizeAllows(const Game& game, const RunRoom& room, int count, int card, bool toEmptyTableau)
{
    const int rule = game.rules[Rule::RunSize];
    if (count <= 1 && rule != 0)
        return true; // a card alone moves under every rule but a largest run of none
    switch (rule) {
    case RunSizes::Any: return true;
    case RunSizes::KingsOrSingles: return rank(card) == King || count == 1;
    // Into an empty pile, one space less holds the cards in between.
    case RunSizes::Doubling: return count <= doublingRoom(room, toEmptyTableau && room.spaces > 0);
    default: break;
    }
    if (rule >= 0)
        return count <= rule;
    const int E = room.emptyTableaus, F = room.emptyReserves;
    switch (rule) {
    case RunSizes::FreeCellsAndPiles:
        if (E == 0)
            return count <= F + 1;
        return toEmptyTableau ? count <= F + E : count <= F + E + 1;
    case RunSizes::FreeCellsOrPiles: return E == 0 ? count <= F + 1 : count <= F + E;
    default: return count <= std::max(E, 1);
    }
}

// ---- the pick-up rules, pile kind by pile kind ----

PickUp carried(PileRef from, int card, int position, int count) { return {from, card, position, count}; }

// start: the pile's runStart when the caller knows it, else -1.
PickUp pickUpFromTableau(const Game& g, const RunRoom& room, PileRef from, int card, int position, int start)
{
    const int n = cardCount(g.pile(from));
    if (!faceUp(g, card))
        return {};
    if (inBlockedArea(g.rules, from.index)) {
        // Taken alone, without the run rules, once the block's column below is clear.
        return isTop(g, from, position) && isFreeInBlock(g, from.index) ? carried(from, card, position, 1) : PickUp{};
    }
    // A face-up top card is a run of its own.
    const bool inRun = position == n - 1 || position >= (start >= 0 ? start : runStart(g, from));
    if (!inRun || !runSizeAllows(g, room, n - position, card, false))
        return {};
    return carried(from, card, position, n - position);
}

PickUp pickUpFromReserve(const Game& g, PileRef from, int card, int position)
{
    if (!faceUp(g, card))
        return {};
    const int n = cardCount(g.pile(from));
    if (isTop(g, from, position))
        return carried(from, card, position, 1);
    if (g.rules[Rule::ReserveAccess] == ReserveAnyCard)
        return carried(from, card, position, n - position);
    return {};
}

PickUp pickUpFromFoundation(const Game& g, PileRef from, int card, int position)
{
    const int takeBack = g.rules[Rule::FoundationTakeBack];
    const int n = cardCount(g.pile(from));
    const bool allowed = takeBack == TakeBackAlways || (takeBack == TakeBackFromTwo && n > 1);
    return allowed && faceUp(g, card) && isTop(g, from, position) ? carried(from, card, position, 1) : PickUp{};
}

PickUp pickUpFromWaste(const Game& g, PileRef from, int card, int position)
{
    const bool allowed = from == Mazzo_Vis && g.rules[Rule::WasteUse] != WasteTopFixed;
    return allowed && faceUp(g, card) && isTop(g, from, position) ? carried(from, card, position, 1) : PickUp{};
}

// What may move from a place, by the pile's rules alone (the drag and click-to-move share these).
PickUp movableAt(const Game& g, const RunRoom& room, PileRef from, int card, int position, int start = -1)
{
    if (position < 0 || !isCardNumber(card))
        return {};
    switch (from.group) {
    case PileGroup::Fila: return pickUpFromTableau(g, room, from, card, position, start);
    case PileGroup::Appogg: return pickUpFromReserve(g, from, card, position);
    case PileGroup::Dest: return pickUpFromFoundation(g, from, card, position);
    case PileGroup::Stock: return pickUpFromWaste(g, from, card, position);
    default: return {};
    }
}

PickUp movable(const Game& g, PileRef from, int card)
{
    if (!pileInUse(g.rules, from))
        return {};
    return movableAt(g, runRoomOf(g), from, card, findCard(g.pile(from), card));
}

// A press picks up only in games whose presses do not act at once or select.
bool pressesPickUp(const Game& g, PileRef from)
{
    return !clickToMoveGame(g) && !(from.group == PileGroup::Fila && (isPairingGame(g) || isDiscardGame(g)));
}

// ---- the drop rules, destination by destination ----

// A destination with its placement question prepared once, for whatever card comes.
struct Destination {
    PileRef pile;
    PreparedQuery query; // for foundations and tableau piles
    int top = 0;         // the pile's top card and size when it was prepared
    int held = 0;
    // With `answered`, no single card outside `accepted` may go there (the placement answer of a
    // foundation or tableau pile that reads only the cards, a reserve's rule).
    bool answered = false;
    CardSet accepted;
    bool takesMany = false; // answered, and more than a few cards accepted (an empty free cell)
};

inline constexpr std::size_t FewCards = 8;

CardSet reserveAccepts(const Game& g, int r);

Destination destinationOf(const Game& g, PileRef pile)
{
    const PlacementQuery q = placementQuery(g.rules, g.cards.piles, pile, 0, true);
    Destination d;
    d.pile = pile;
    d.query = prepareQuery(q, g.cards.piles, g.rules, g.counters);
    d.top = topCard(g.pile(pile));
    d.held = cardCount(g.pile(pile));
    if (pile.group == PileGroup::Appogg) {
        d.answered = true;
        d.accepted = reserveAccepts(g, pile.index);
    } else if (d.query.key != 0) {
        d.answered = true;
        d.accepted = d.query.accepted;
    }
    d.takesMany = d.answered && d.accepted.count() > FewCards;
    return d;
}

bool placeable(const Game& g, const PreparedQuery& q, int card)
{
    return canPlace(q, card, g.cards.piles, g.rules, g.counters);
}

bool foundationTakes(const Game& g, const Destination& d, int card)
{
    const int i = d.pile.index;
    const int code = g.rules[Rule::FoundationBuildCode + i];
    const std::string& pile = g.cards.piles.dest[std::size_t(i)];
    if (code == BuildCodes::QueenOnEmptyOnly)
        return pile.empty() && rank(card) == Queen;
    if (code == BuildCodes::SuitUnderTableau) {
        for (int j = 0; j < tableausInUse(g.rules); ++j) {
            const int top = topCard(g.cards.piles.fila[std::size_t(j)]);
            if (isCardNumber(top) && g.rules.suitOf(top) == g.rules.suitOf(card)
                && (rank(top) > rank(card) || rank(top) == Ace))
                return true;
        }
        return false;
    }
    const int held = cardCount(pile);
    // These go on past the King, so the capacity does not hold them.
    const bool pastKing = code == BuildCodes::RoundAndRound || code == BuildCodes::UpToKingThenDown;
    if (!pastKing && held >= g.rules[Rule::FoundationCapacity])
        return false;
    if (code == BuildCodes::RoundAndRound && held >= CardsPerDeck)
        return false;
    return placeable(g, d.query, card);
}

// What is carried passed the sequence rule when it was picked up.
bool tableauTakes(const Game& g, const RunRoom& room, const PickUp& c, const Destination& d)
{
    const int i = d.pile.index;
    const std::string& pile = g.cards.piles.fila[std::size_t(i)];
    if (g.cards.deck.isFaceDown(d.query.query.target) || !placeable(g, d.query, c.card))
        return false;
    if (c.count > 1) {
        if (g.rules[Rule::TableauBuildCode + i] == BuildCodes::AlternateDownSingleCards && !pile.empty())
            return false;
        if (g.rules[Rule::RunSize] == RunSizes::FreeCellsAndPiles && pile.empty()
            && !runSizeAllows(g, room, c.count, c.card, true))
            return false;
        if (g.rules[Rule::RunSize] == RunSizes::Doubling && pile.empty()
            && c.count > doublingRoom(room, isOpenSpace(g, i)))
            return false;
    }
    return true;
}

// The cards whose rank is at least `lowest` (NoRank: every card, jokers too).
CardSet cardsFromRank(int lowest)
{
    CardSet cards;
    for (int card = 1; card <= CardsInDeckTable; ++card)
        cards[std::size_t(card)] = rank(card) >= lowest;
    return cards;
}

// The cards reserve r takes now: its rule and the cards it holds decide.
CardSet reserveAccepts(const Game& g, int r)
{
    static const CardSet any = cardsFromRank(NoRank), faceCards = cardsFromRank(Jack), kings = cardsFromRank(King);
    const int held = cardCount(g.cards.piles.appogg[std::size_t(r)]);
    switch (const int rule = g.rules[Rule::ReserveRule + r]) {
    case ReserveRules::Closed: return {};
    case ReserveRules::KingsUpToThree: return held < 3 ? kings : CardSet{};
    case ReserveRules::AnyUpToFive: return held < 5 ? any : CardSet{};
    default: return held > 0 ? CardSet{} : rule == ReserveRules::FaceCardsWhenEmpty ? faceCards : any;
    }
}

bool reserveTakes(const Game& g, int r, int card)
{
    return isCardNumber(card) && reserveAccepts(g, r).test(std::size_t(card));
}

bool wasteTakes(const Game& g, int card)
{
    if (g.rules[Rule::WasteDrops] != WasteTakesNeighbours)
        return false;
    const int top = topCard(g.cards.piles.stock[1]);
    if (!isCardNumber(top) || g.rules.suitOf(top) != g.rules.suitOf(card))
        return false;
    return rank(card) == nextRank(rank(top)) || rank(card) == previousRank(rank(top));
}

// ---- the discard games ----

bool aceAndKing(int a, int b)
{
    return (rank(a) == Ace && rank(b) == King) || (rank(a) == King && rank(b) == Ace);
}

// May the tableau top card go onto the second waste's top card?
bool discardAllowed(const Game& g, int card)
{
    const int top = topCard(g.cards.piles.stock[2]);
    if (!isCardNumber(top))
        return false;
    if (gameType(g) == GameTypes::DiscardTurning)
        return std::abs(rank(card) - rank(top)) == 1 || aceAndKing(card, top);
    // One rank apart by the placement test, either card on the other.
    const auto oneUp = [&](int below, int above) {
        PlacementQuery q;
        q.target = below;
        q.card = above;
        q.byPlayer = true;
        q.buildCode = BuildCodes::AnySuit;
        q.direction = BuildUp;
        return canPlace(q, g.cards.piles, g.rules, g.counters);
    };
    if (aceAndKing(card, top))
        return gameType(g) != GameTypes::DiscardUpOrDown;
    return oneUp(top, card) || oneUp(card, top);
}

// ---- destinations in their order ----

// The destinations in their order: foundations, tableau piles, reserves, the waste.
template <typename Visit>
void forEachDestination(const Game& g, Visit&& visit)
{
    for (int i = 0; i < foundationsInUse(g.rules); ++i)
        visit(destPile(i));
    for (int i = 0; i < tableausInUse(g.rules); ++i)
        visit(filaPile(i));
    for (int i = 0; i < reservesInUse(g.rules); ++i)
        visit(appoggPile(i));
    if (wasteInPlay(g))
        visit(Mazzo_Vis);
}

// The destination is one in use; room is that of the table as it stands.
bool takes(const Game& g, const RunRoom& room, const PickUp& c, const Destination& d)
{
    const PileRef to = d.pile;
    if (!c || to == c.from)
        return false;
    if (firstMoveRestricted(g) && (to.group != PileGroup::Dest || c.from.group != PileGroup::Fila))
        return false;
    switch (to.group) {
    case PileGroup::Dest: return c.count == 1 && foundationTakes(g, d, c.card);
    case PileGroup::Fila: return tableauTakes(g, room, c, d);
    case PileGroup::Appogg: return c.count == 1 && reserveTakes(g, to.index, c.card);
    case PileGroup::Stock: return to == Mazzo_Vis && wasteInPlay(g) && c.count == 1 && wasteTakes(g, c.card);
    default: return false;
    }
}

// The destinations in their order, each with its placement question asked once for every card
// that comes.
struct Destinations {
    explicit Destinations(const Game& g) { prepare(g, false); }
    // With `again`, for a later position of the same game: a destination whose top card is the
    // same keeps its question.
    void prepare(const Game& g, bool again)
    {
        room = runRoomOf(g);
        if (!again)
            runStarts = {};
        const std::size_t before = count;
        count = 0;
        bool sameList = again;
        forEachDestination(g, [&](PileRef to) {
            const std::size_t at = count++;
            Destination& d = list[at];
            const std::string& text = g.pile(to);
            if (!again || at >= before || d.pile != to) {
                d = destinationOf(g, to);
                sameList = false;
            } else if (d.top != topCard(text) || d.held != cardCount(text)) {
                learn(at, false);
                d = destinationOf(g, to);
                learn(at, true);
            }
        });
        if (!sameList || count != before) {
            takers.fill(0);
            unanswered = tableaus = broad = 0;
            for (std::size_t at = 0; at < count; ++at) {
                learn(at, true);
                if (list[at].pile.group == PileGroup::Fila)
                    tableaus |= std::uint64_t(1) << at;
            }
        }
    }
    // The destination's part of the sets below added, or taken away.
    void learn(std::size_t at, bool add)
    {
        const std::uint64_t bit = std::uint64_t(1) << at;
        const Destination& d = list[at];
        const auto mark = [&](std::uint64_t& set) { set = add ? set | bit : set & ~bit; };
        if (!d.answered)
            mark(unanswered);
        else if (d.takesMany)
            mark(broad);
        else
            forEachCard(d.accepted, [&](int card) { mark(takers[std::size_t(card)]); });
    }
    // The destinations that may take the card: those whose accepted set names it, those that take
    // many cards and those without a set, which are asked card by card.
    std::uint64_t askedFor(int card) const { return takers[std::size_t(card)] | broad | unanswered; }
    // The tableau pile's runStart, found again only where the cards it reads changed: those from
    // the run's first card (and the one below it, which ends it) up, their faces, and the pile's
    // size. Kept only where the sequence rule reads nothing but the cards.
    int runStartOf(const Game& g, PileRef pile) const
    {
        RunStartFound& found = runStarts[std::size_t(pile.index)];
        const std::string& text = g.pile(pile);
        const int n = cardCount(text);
        const auto faces = [&](int from) {
            std::uint64_t bits = 0;
            for (int p = std::max(from, 0); p < n && p - from < 64; ++p)
                bits |= std::uint64_t(g.cards.deck.isFaceDown(cardAt(text, p))) << (p - from);
            return bits;
        };
        const int from = found.start - 1;
        if (found.start >= 0 && found.held == n
            && std::string_view(found.text) == std::string_view(text).substr(std::size_t(std::max(from, 0)) * 3)
            && found.faceDown == faces(from))
            return found.start;
        bool kept = false;
        const int start = runStart(g, pile, &kept);
        kept = kept && n - (start - 1) <= 64; // the faces fit the bits
        found.start = kept ? start : -1;
        if (kept) {
            found.held = n;
            found.text.assign(text, std::size_t(std::max(start - 1, 0)) * 3);
            found.faceDown = faces(start - 1);
        }
        return start;
    }
    struct RunStartFound {
        int start = -1; // -1: nothing kept
        int held = 0;
        std::string text;           // the pile's text from the card below the run up
        std::uint64_t faceDown = 0; // their faces
    };
    mutable std::array<RunStartFound, PileGroups::FilaEntries> runStarts;

    RunRoom room; // the run-size rules' counts, for every run listed
    Destination list[PileGroups::DestEntries + PileGroups::FilaEntries + PileGroups::AppoggEntries + 1];
    std::size_t count = 0;
    // A bit each: the destinations without an accepted set; those whose set holds more than a few
    // cards (an empty free cell takes any); the tableau piles, the only ones that take more than
    // one card.
    std::uint64_t unanswered = 0, broad = 0, tableaus = 0;
    // For each card, the destinations whose set of a few cards holds it.
    std::array<std::uint64_t, CardsInDeckTable + 1> takers{};
};

// The drops of the cards the pile lets go, destination by destination.
void dropsFrom(const Game& game, PileRef pile, const Destinations& destinations, std::vector<Move>& out)
{
    const std::string& text = game.pile(pile);
    if (text.empty() || !pressesPickUp(game, pile))
        return;
    // Only the run at the top of a tableau pile can move, and only the top card of a foundation or
    // the waste; a reserve's pick-up rule decides card by card.
    const int n = cardCount(text);
    const int start = pile.group == PileGroup::Fila ? destinations.runStartOf(game, pile)
                    : pile.group == PileGroup::Appogg ? 0
                                                      : n - 1;
    for (int p = start; p < n; ++p) {
        const PickUp c = movableAt(game, destinations.room, pile, cardAt(text, p), p, start);
        if (!c)
            continue;
        // A destination with its set of accepted cards refuses most cards at a glance.
        std::uint64_t asked = destinations.askedFor(c.card);
        if (c.count > 1)
            asked &= destinations.tableaus;
        for (; asked != 0; asked &= asked - 1) {
            const Destination& d = destinations.list[std::countr_zero(asked)];
            if (d.answered && !d.accepted.test(std::size_t(c.card)))
                continue;
            if (takes(game, destinations.room, c, d))
                out.push_back({MoveKind::Drop, std::uint8_t(c.card), c.from, d.pile});
        }
    }
}

// The presses that send the pile's cards at once, in the click-to-move games.
void clicksFrom(const Game& game, PileRef pile, std::vector<Move>& out)
{
    const std::string& text = game.pile(pile);
    for (int p = 0; p < cardCount(text); ++p)
        if (const Move m = pressMove(game, cardAt(text, p)); m.kind == MoveKind::Click)
            out.push_back(m);
}

// The tableau pile's top card sent to the second waste, in the discard games.
void discardFrom(const Game& game, PileRef pile, std::vector<Move>& out)
{
    if (const Move m = pressMove(game, topCard(game.pile(pile))); m.kind == MoveKind::Click)
        out.push_back(m);
}

} // namespace

// ---- where a card lies ---------------------------------------------------------------------------

CardPlace locateCard(const Game& game, int card)
{
    CardPlace place;
    if (!isCardNumber(card))
        return place;
    forEachPile(game.cards.piles, [&](PileRef ref, const std::string& text) {
        if (!place.pile.isNone())
            return;
        if (const int position = findCard(text, card); position >= 0)
            place = {ref, position};
    });
    return place;
}

// ---- picking up ----------------------------------------------------------------------------------

PickUp pickUp(const Game& game, PileRef from, int card)
{
    return pressesPickUp(game, from) ? movable(game, from, card) : PickUp{};
}

bool sequenceAllows(const Game& game, PileRef pile, int position)
{
    return pile.group == PileGroup::Fila && pileInUse(game.rules, pile) && position >= runStart(game, pile)
        && position < cardCount(game.pile(pile));
}

int doublingRoom(const Game& game, int target)
{
    return doublingRoom(runRoomOf(game), target >= 0 && isOpenSpace(game, target));
}

bool runSizeAllows(const Game& game, int count, int card, bool toEmptyTableau)
{
    return runSizeAllows(game, runRoomOf(game), count, card, toEmptyTableau);
}

bool inBlockedArea(const RuleTable& rules, int filaIndex)
{
    const int rows = rules[Rule::BlockedRows], width = rules[Rule::BlockedPiles];
    return rows > 0 && width > 0 && filaIndex >= 0 && filaIndex < rows * width;
}

bool isFreeInBlock(const Game& game, int filaIndex)
{
    const int rows = game.rules[Rule::BlockedRows], width = game.rules[Rule::BlockedPiles];
    for (int below = filaIndex + width; below < rows * width && below < PileGroups::FilaEntries; below += width)
        if (!game.cards.piles.fila[std::size_t(below)].empty())
            return false;
    return true;
}

// ---- dropping ------------------------------------------------------------------------------------

bool mayDrop(const Game& game, const PickUp& c, PileRef to)
{
    return pileInUse(game.rules, to) && takes(game, runRoomOf(game), c, destinationOf(game, to));
}

Move dropMove(const Game& game, int card, PileRef to)
{
    const CardPlace place = locateCard(game, card);
    if (place.pile.isNone())
        return NoMove;
    const PickUp c = pickUp(game, place.pile, card);
    if (!mayDrop(game, c, to))
        return NoMove;
    return {MoveKind::Drop, std::uint8_t(card), place.pile, to};
}

Move pressMove(const Game& game, int card)
{
    const CardPlace place = locateCard(game, card);
    if (place.pile.isNone() || !pileInUse(game.rules, place.pile))
        return NoMove;
    const bool tableauTop = place.pile.group == PileGroup::Fila && isTop(game, place.pile, place.position);
    if (tableauTop && game.cards.deck.isFaceDown(card))
        return {MoveKind::TurnUp, std::uint8_t(card), place.pile, {}};
    if (clickToMoveGame(game)) {
        Move move = autoMove(game, card, {true, true});
        if (!move.isNone())
            move.kind = MoveKind::Click;
        return move;
    }
    if (isDiscardGame(game) && tableauTop && faceUp(game, card) && discardAllowed(game, card))
        return {MoveKind::Click, std::uint8_t(card), place.pile, Mazzo_Waste};
    return NoMove;
}

Move stockMove(const Game& game, PileRef pressed)
{
    const StockCommand command = pressed == Mazzo ? stockCommand(game)
        : pressed == Mazzo_Vis                    ? wasteCommand(game)
                                                  : StockCommand::None;
    if (command == StockCommand::None || command == StockCommand::FillGapsFirst)
        return NoMove;
    return {MoveKind::Stock, std::uint8_t(command), pressed, {}};
}

Move fillTableausMove(const Game& game)
{
    if (game.cards.piles.stock[0].empty() || emptyTableaus(game) == 0)
        return NoMove;
    return {MoveKind::Stock, std::uint8_t(StockCommand::FillTableaus), {}, {}};
}

// ---- click to move -------------------------------------------------------------------------------

Move autoMove(const Game& game, int card, TargetKinds kinds)
{
    const CardPlace place = locateCard(game, card);
    if (place.pile.isNone() || !faceUp(game, card))
        return NoMove;
    PickUp c = movable(game, place.pile, card);
    if (!c)
        return NoMove;
    const auto drop = [&](PileRef to) { return Move{MoveKind::Drop, std::uint8_t(card), place.pile, to}; };
    if (kinds.foundations && c.count == 1)
        for (int i = 0; i < foundationsInUse(game.rules); ++i)
            if (mayDrop(game, c, destPile(i)))
                return drop(destPile(i));
    if (kinds.tableaus) {
        for (const bool empty : {false, true})
            for (int i = 0; i < tableausInUse(game.rules); ++i)
                if (game.cards.piles.fila[std::size_t(i)].empty() == empty && mayDrop(game, c, filaPile(i)))
                    return drop(filaPile(i));
    }
    if (kinds.foundations && c.count == 1)
        for (int i = 0; i < reservesInUse(game.rules); ++i)
            if (mayDrop(game, c, appoggPile(i)))
                return drop(appoggPile(i));
    if (kinds.tableaus && wasteInPlay(game) && mayDrop(game, c, Mazzo_Vis))
        return drop(Mazzo_Vis);
    return NoMove;
}

// ---- every legal move ----------------------------------------------------------------------------

namespace {

void listMoves(const Game& game, const Destinations& destinations, std::vector<Move>& out)
{
    out.clear();
    const PileGroups& piles = game.cards.piles;
    const int tableaus = tableausInUse(game.rules);
    for (int i = 0; i < tableaus; ++i) {
        const int top = topCard(piles.fila[std::size_t(i)]);
        if (isCardNumber(top) && game.cards.deck.isFaceDown(top))
            out.push_back({MoveKind::TurnUp, std::uint8_t(top), filaPile(i), {}});
    }
    const auto eachSource = [&](auto&& visitPile) {
        for (int i = 0; i < tableaus; ++i)
            visitPile(filaPile(i));
        for (int i = 0; i < reservesInUse(game.rules); ++i)
            visitPile(appoggPile(i));
        visitPile(Mazzo_Vis);
        for (int i = 0; i < foundationsInUse(game.rules); ++i)
            visitPile(destPile(i));
    };
    if (clickToMoveGame(game)) {
        eachSource([&](PileRef pile) { clicksFrom(game, pile, out); });
        return;
    }
    if (isDiscardGame(game))
        for (int i = 0; i < tableaus; ++i)
            discardFrom(game, filaPile(i), out);
    eachSource([&](PileRef pile) { dropsFrom(game, pile, destinations, out); });
    if (const Move press = stockMove(game, Mazzo); !press.isNone())
        out.push_back(press);
}

} // namespace

void legalMoves(const Game& game, std::vector<Move>& out)
{
    listMoves(game, Destinations(game), out);
}

namespace {

void movesFrom(const Game& game, PileRef from, const Destinations& destinations, std::vector<Move>& out)
{
    out.clear();
    if (!pileInUse(game.rules, from) || from == Mazzo || from == Mazzo_Waste)
        return;
    if (clickToMoveGame(game)) {
        clicksFrom(game, from, out);
        return;
    }
    if (isDiscardGame(game) && from.group == PileGroup::Fila)
        discardFrom(game, from, out);
    dropsFrom(game, from, destinations, out);
}

} // namespace

struct PreparedDestinations::List : Destinations {
    using Destinations::Destinations;
};

PreparedDestinations::PreparedDestinations() = default;
PreparedDestinations::~PreparedDestinations() = default;

void PreparedDestinations::prepare(const Game& game)
{
    if (m_list)
        m_list->prepare(game, &game.rules == m_rules);
    else
        m_list = std::make_unique<List>(game);
    m_rules = &game.rules;
}

void PreparedDestinations::legalMoves(const Game& game, std::vector<Move>& out)
{
    prepare(game);
    listMoves(game, *m_list, out);
}

void PreparedDestinations::movesFrom(const Game& game, PileRef from, std::vector<Move>& out) const
{
    assert(m_list);
    kst::movesFrom(game, from, *m_list, out);
}

std::vector<Move> legalMoves(const Game& game)
{
    std::vector<Move> moves;
    legalMoves(game, moves);
    return moves;
}

bool isLegal(const Game& game, const Move& move)
{
    switch (move.kind) {
    case MoveKind::Drop: {
        const PickUp c = pickUp(game, move.from, move.card);
        return c && mayDrop(game, c, move.to);
    }
    case MoveKind::Click:
    case MoveKind::TurnUp: return pressMove(game, move.card) == move;
    case MoveKind::Stock: return move == stockMove(game, move.from) || move == fillTableausMove(game);
    case MoveKind::Automatic:
        // The rules' own moves: a top card to another pile in use.
        return move.from != move.to && pileInUse(game.rules, move.from) && pileInUse(game.rules, move.to)
            && isCardNumber(move.card) && topCard(game.pile(move.from)) == move.card;
    case MoveKind::None: break;
    }
    return false;
}

// ---- making and taking back ----------------------------------------------------------------------

namespace {

// The card, with every card above it, from its pile onto `to`, face up; a grid jump discards the
// card jumped over.
void moveCards(Game& game, const Move& move, MoveUndo& u)
{
    DeckTable& deck = game.cards.deck;
    std::string& from = game.pile(move.from);
    std::string& to = game.pile(move.to);
    const int position = findCard(from, move.card);
    assert(position >= 0);
    const bool leaveSlot = game.rules[Rule::TableauLayout] == GridLeavesGaps && move.from.group == PileGroup::Fila;
    const int count = leaveSlot ? 1 : cardCount(from) - position;
    u.count = std::uint8_t(count);
    u.position = std::uint8_t(position);
    u.leftSlot = leaveSlot;
    const std::size_t start = to.size();
    to.append(from, std::size_t(position) * 3, std::size_t(count) * 3);
    if (leaveSlot)
        from.replace(std::size_t(position) * 3, 3, EmptySlot);
    else
        from.resize(std::size_t(position) * 3);
    for (int k = 0; k < count; ++k) {
        const int card = parseCardDigits(std::string_view(to).substr(start + std::size_t(k) * 3, 3));
        if (deck.isFaceDown(card)) {
            deck.setFace(card, Face::Up);
            u.flipped.set(std::size_t(card));
        }
    }
    if (move.from.group == PileGroup::Fila && move.to.group == PileGroup::Fila
        && game.rules[Rule::TableauBuildCode + move.to.index] == BuildCodes::GridJump) {
        const int slot = jumpedSlot(move.from.index, move.to.index, game.rules[Rule::GridWidth]);
        if (slot >= 0 && slot < tableausInUse(game.rules)) {
            std::string& jumped = game.cards.piles.fila[std::size_t(slot)];
            if (const int card = topCard(jumped); isCardNumber(card)) {
                jumped.resize(jumped.size() - 3);
                game.cards.piles.stock[2] += cardDigits(card);
                u.jumpedPile = std::int8_t(slot);
                u.jumpedCard = std::uint8_t(card);
            }
        }
    }
}

void takeCardsBack(Game& game, const MoveUndo& u)
{
    if (u.jumpedPile >= 0) {
        std::string& waste = game.cards.piles.stock[2];
        waste.resize(waste.size() - 3);
        game.cards.piles.fila[std::size_t(u.jumpedPile)] += cardDigits(u.jumpedCard);
    }
    std::string& from = game.pile(u.move.from);
    std::string& to = game.pile(u.move.to);
    const std::size_t start = to.size() - std::size_t(u.count) * 3;
    if (u.leftSlot)
        from.replace(std::size_t(u.position) * 3, 3, to, start, 3);
    else
        from.append(to, start, std::string::npos);
    to.resize(start);
}

// The top card of one pile onto the other, `count` times.
void moveTops(std::string& from, std::string& to, int count)
{
    for (int i = 0; i < count && !from.empty(); ++i) {
        to.append(from, from.size() - 3, 3);
        from.resize(from.size() - 3);
    }
}

// A stock command may rearrange the stock group, the tableau and the reserves: the piles it
// changed are kept as they were, and the faces it turned. Dealing to a waste and turning it over
// keep only how many cards went.
void runStock(Game& game, const Move& move, MoveUndo& u)
{
    const StockCommand command = StockCommand(move.card);
    PileGroups& piles = game.cards.piles;
    DeckTable& deck = game.cards.deck;
    if (command == StockCommand::Waste || command == StockCommand::SecondWaste) {
        u.dealtTo = command == StockCommand::Waste ? Mazzo_Vis : Mazzo_Waste;
        u.turnedOver = command == StockCommand::Waste && piles.stock[0].empty();
        // Only the cards that go can turn: the waste's when it is turned over, else the stock's top.
        const std::string& source = u.turnedOver ? game.pile(u.dealtTo) : piles.stock[0];
        const int going = u.turnedOver ? cardCount(source) : std::max(1, int(game.rules[Rule::CardsPerStockClick]));
        CardSet down;
        for (int p = std::max(0, cardCount(source) - going); p < cardCount(source); ++p)
            if (deck.isFaceDown(cardAt(source, p)))
                down.set(std::size_t(cardAt(source, p)));
        const int stockBefore = cardCount(piles.stock[0]);
        runStockCommand(game, command);
        u.count = std::uint8_t(std::abs(cardCount(piles.stock[0]) - stockBefore));
        const std::string& moved = u.turnedOver ? piles.stock[0] : game.pile(u.dealtTo);
        for (int p = cardCount(moved) - u.count; p < cardCount(moved); ++p)
            if (const int card = cardAt(moved, p); down.test(std::size_t(card)) != deck.isFaceDown(card))
                u.flipped.set(std::size_t(card));
        return;
    }
    const DeckTable faces = deck;
    std::vector<std::pair<PileRef, std::string>> before;
    const auto keep = [&](PileRef pile) { before.emplace_back(pile, game.pile(pile)); };
    for (int i = 0; i < PileGroups::StockEntries; ++i)
        keep({PileGroup::Stock, std::int8_t(i)});
    for (int i = 0; i < tableausInUse(game.rules); ++i)
        keep(filaPile(i));
    for (int i = 0; i < reservesInUse(game.rules); ++i)
        keep(appoggPile(i));
    runStockCommand(game, command);
    for (auto& [pile, text] : before)
        if (game.pile(pile) != text)
            u.piles.emplace_back(pile, std::move(text));
    for (int card = 1; card <= CardsInDeckTable; ++card)
        if (faces.isFaceDown(card) != deck.isFaceDown(card))
            u.flipped.set(std::size_t(card));
}

// Whether the move may change the score: most moves touch neither a foundation nor the second
// waste, which the ordinary score counts.
bool mayChangeScore(const Game& game, const MoveUndo& u)
{
    if (!scoreFollowsHomeOnly(game))
        return true;
    const Move& m = u.move;
    const auto counted = [](PileRef p) { return p.group == PileGroup::Dest || p == Mazzo_Waste; };
    switch (m.kind) {
    case MoveKind::TurnUp: return false;
    case MoveKind::Stock: return u.dealtTo != Mazzo_Vis; // dealt to the waste or turned it over
    default: return counted(m.from) || counted(m.to) || u.jumpedPile >= 0;
    }
}

} // namespace

MoveUndo apply(Game& game, const Move& move)
{
    assert(isLegal(game, move));
    MoveUndo u;
    u.move = move;
    u.movesMade = std::uint8_t(game.movesMade);
    u.won = game.won;
    u.score = game.score;
    u.counters = game.counters;
    switch (move.kind) {
    case MoveKind::TurnUp:
        game.cards.deck.setFace(move.card, Face::Up);
        u.flipped.set(move.card);
        break;
    case MoveKind::Stock: runStock(game, move, u); break;
    case MoveKind::Drop:
    case MoveKind::Click:
    case MoveKind::Automatic: moveCards(game, move, u); break;
    case MoveKind::None: break;
    }
    if (move.kind != MoveKind::TurnUp)
        game.movesMade = std::min(game.movesMade + 1, 2);
    if (mayChangeScore(game, u))
        recomputeScore(game);
    game.won = isWon(game);
    return u;
}

void undo(Game& game, const MoveUndo& u)
{
    switch (u.move.kind) {
    case MoveKind::Stock:
        if (u.turnedOver)
            moveTops(game.cards.piles.stock[0], game.pile(u.dealtTo), u.count);
        else if (!u.dealtTo.isNone())
            moveTops(game.pile(u.dealtTo), game.cards.piles.stock[0], u.count);
        for (const auto& [pile, text] : u.piles)
            game.pile(pile) = text;
        break;
    case MoveKind::Drop:
    case MoveKind::Click:
    case MoveKind::Automatic: takeCardsBack(game, u); break;
    case MoveKind::TurnUp:
    case MoveKind::None: break;
    }
    forEachCard(u.flipped, [&](int card) {
        game.cards.deck.setFace(card, game.cards.deck.isFaceDown(card) ? Face::Up : Face::Down);
    });
    game.score = u.score;
    game.movesMade = u.movesMade;
    game.won = u.won;
    game.counters = u.counters;
}

} // namespace kst
