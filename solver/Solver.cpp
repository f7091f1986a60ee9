#include "solver/Solver.h"

#include <algorithm>
#include <cassert>
#include <chrono>
#include <limits>
#include <optional>

#include "engine/AutoMoves.h"
#include "engine/Moves.h"
#include "engine/Placement.h"
#include "engine/RuleCodes.h"
#include "solver/Evaluation.h"
#include "solver/PositionKey.h"
#include "solver/RuleFacts.h"
#include "solver/StuckCards.h"
#include "solver/TranspositionTable.h"

namespace kst::solver {
namespace {

using Clock = std::chrono::steady_clock;

// Limits are looked at once in this many positions: often enough to stop within a millisecond.
constexpr std::uint64_t LimitCheckEvery = 256;
// The search runs as two that take turns: a steady one, which never starts again and alone can
// prove a deal lost, and rounds that start afresh with the order of near-equal steps shuffled
// (each its own way), which find the wins a depth-first search misses when it goes wrong early.
// Round k is RoundUnit times the k-th term of the sequence 1 1 2 1 1 2 4 1 1 2 ... nodes, and
// the steady search's turn before it a SteadyShareOfTurn-th of that: most deals are won, and
// found sooner by the rounds.
constexpr std::uint64_t RoundUnit = 300;
constexpr std::uint64_t SteadyShareOfTurn = 4;
// How much the rounds shuffle the steps' values (a card home is worth 10).
constexpr std::uint64_t RoundNoise = 40;
// The steady search's share of the memory for positions; the rounds have the rest.
constexpr std::size_t SteadyShareOfMemory = 3; // in quarters

// The k-th term (from 1) of the sequence above: 2^(i-1) when k = 2^i - 1, else the term of
// k - 2^(i-1) + 1 for the i with 2^(i-1) <= k < 2^i - 1.
std::uint64_t roundTerm(std::uint64_t k)
{
    for (;;) {
        int i = 1;
        while ((std::uint64_t(1) << i) - 1 < k)
            ++i;
        if (k == (std::uint64_t(1) << i) - 1)
            return std::uint64_t(1) << (i - 1);
        k -= (std::uint64_t(1) << (i - 1)) - 1;
    }
}

// The most presses on the stock one step of the search makes before its move from the waste.
constexpr int MostPresses = 255;

// A step of the search: `presses` presses on the stock, then the move (none: the presses alone).
struct Child {
    Move move;
    std::uint8_t presses = 0;
    int score = 0;
};

// Small preferences between steps to equally good-looking positions.
namespace Prefer {
inline constexpr int FromWastePerPress = -1; // fewer presses first
inline constexpr int PressesOnly = -20;      // a press that deals onto the piles, after the moves
inline constexpr int LeavesSupport = -15;    // a card leaves the card it sits on in order
inline constexpr int LaysBareCardGoingHome = 60; // the card left on top goes home at once
} // namespace Prefer

std::uint64_t waitingKey(std::uint32_t waiting)
{
    std::uint64_t x = waiting * 0x9e3779b97f4a7c15ULL + 0x7761697469ULL;
    x = (x ^ (x >> 31)) * 0xbf58476d1ce4e5b9ULL;
    return x ^ (x >> 29);
}

} // namespace

bool solvable(const Game& game)
{
    return game.gameId >= 0 && game.rules[Rule::GameType] == GameTypes::Ordinary && game.rules[Rule::PairingSum] == 0;
}

const char* verdictName(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Won: return "won";
    case Verdict::Lost: return "lost";
    case Verdict::Unknown: break;
    }
    return "unknown";
}

// ---- the table and the facts kept between searches ----------------------------------------------

class Solver::Table {
public:
    explicit Table(std::size_t memoryBytes) : steady(memoryBytes), rounds(memoryBytes) {}
    TranspositionTable steady; // the positions of the steady search
    TranspositionTable rounds; // those of the shuffled round under way
    std::optional<RuleTable> rules; // whose facts these are
    bool shortcuts = true;          // and whether they allow the shortcuts
    RuleFacts facts;

    const RuleFacts& factsFor(const Game& game, bool withShortcuts)
    {
        if (!rules || !(*rules == game.rules) || shortcuts != withShortcuts) {
            facts = ruleFacts(game, withShortcuts);
            rules = game.rules;
            shortcuts = withShortcuts;
        }
        return facts;
    }
};

// ---- one search ------------------------------------------------------------------------------

class Solver::Search : public StepMaker {
public:
    Search(Game& game, AutomaticPlay play, const RuleFacts& facts, TranspositionTable& table, const Limits& limits,
           Clock::time_point start, std::uint64_t& nodes)
        : m_game(game), m_play(play), m_facts(facts), m_table(table), m_limits(limits), m_start(start),
          m_rulesStill(!play.autoplay && game.rules[Rule::AutoFill] == 0
                         && game.rules[Rule::FillAfterFirstMove] == 0 && !collectsCompletedRuns(game.rules)),
          m_nodes(nodes)
    {
    }

    // How a turn of the search ended.
    enum class Progress {
        Won,       // the game is won: the line is the player's moves to here
        Exhausted, // every position was searched
        Paused,    // the turn's nodes are used up; advance() goes on from here
        Stopped,   // a limit of the whole search was reached, or it was cancelled
    };
    // The search from the game's position: its first steps listed.
    Progress begin();
    // Goes on for up to `nodes` steps.
    Progress advance(std::uint64_t nodes);
    // A shuffled round: near-equal steps in an order of its own.
    void shuffle(int round)
    {
        m_noise = RoundNoise;
        m_seed = std::uint64_t(round) * 0x9e3779b97f4a7c15ULL;
    }
    const std::vector<Move>& line() const { return m_line; }
    bool cancelled() const { return m_cancelled; }

    // The automatic steps after a move, made on the searched game. The rules' own moves are
    // legal as they come; a filling from the stock is checked as the session checks it.
    bool make(std::span<const Move> moves, AutoStep) override
    {
        bool made = false;
        for (const Move& m : moves)
            if (m.kind != MoveKind::Stock || isLegal(m_game, m)) {
                record(m);
                made = true;
            }
        return made;
    }

private:
    struct Frame {
        std::vector<Child> children;
        std::size_t next = 0;
        std::size_t records = 0; // the undo records and line before the step into this position
        std::size_t line = 0;
        std::uint64_t key = 0;   // the position's key, as stored in the table
        // Tableau piles whose top card was taken back from a foundation and waits for a card.
        std::uint32_t waiting = 0;
    };

    Game& m_game;
    AutomaticPlay m_play;
    const RuleFacts& m_facts;
    TranspositionTable& m_table;
    const Limits& m_limits;
    Clock::time_point m_start; // of the whole search of the deal
    // The rules make no move by themselves but turn-ups (no automatic play, filling or completed
    // runs): nothing follows a press that only deals to the waste, nor a drop but a turn-up.
    const bool m_rulesStill;
    std::uint64_t m_bareKey = 0; // of the step being made before its safe cards go home, when foreseen
    std::uint64_t m_waitingPart = 0; // the step's waiting piles' part of its key
    PositionKey m_key;
    Evaluation m_eval;
    std::vector<MoveUndo> m_records; // every move made on the way to this position
    std::vector<Move> m_line;        // the player's moves among them
    std::vector<Frame> m_frames;
    std::vector<Move> m_moves, m_wasteMoves;
    PreparedDestinations m_destinations; // those of the position expanded last
    std::uint64_t& m_nodes;           // steps made by every search of the deal
    CardSet m_home;          // the cards on the foundations, while m_homeKnown
    // With m_goesHomeKnown, no card outside m_goesHome may go to a foundation now (the
    // foundations' placement answers, which read only the cards).
    CardSet m_goesHome;
    bool m_goesHomeKnown = false;
    CardSet m_mayBeSafe; // the cards safeMove looks at further
    // Piles (a bit per slot) whose top card is not in m_mayBeSafe or lies face down; a pile
    // leaves the set when it changes, every pile when m_mayBeSafe does.
    std::uint64_t m_notSafe = 0;
    bool m_homeKnown = false;
    std::size_t m_depth = 0;          // of the position searched, in m_frames
    std::uint64_t m_turnEnd = 0;      // the nodes this turn may reach
    std::uint64_t m_noise = 0, m_seed = 0;
    bool m_cancelled = false;

    void record(const Move& move);
    void changed(PileRef pile);
    void touched(const MoveUndo& u);
    void unwind(std::size_t records, std::size_t line);
    void playerMove(const Move& move);
    void makeStep(const Child& child);
    void makeSafeMoves();
    int foreseeable(const Child& child) const;
    void expand(Frame& frame);
    bool isTakeBack(const Move& move) const;
    static std::uint32_t pileBit(PileRef pile)
    {
        return pile.group == PileGroup::Fila ? std::uint32_t(1) << pile.index : 0;
    }
    void pressSteps(Frame& frame);
    void consider(Frame& frame, const Child& child);
    std::optional<Move> safeMove();
    int faceUpCardBelow(const Move& move) const;
    bool leavesSupport(const Move& move, int below) const;
    bool laysBareSafeCard(int below);
    // m_home, m_goesHome and m_mayBeSafe made current.
    void homeCards();
    bool skipped(const Frame& frame, const Move& move) const;
    bool limitReached();
    bool onPath(std::uint64_t key, std::size_t depth) const;
};

void Solver::Search::record(const Move& move)
{
    m_records.push_back(apply(m_game, move));
    touched(m_records.back());
}

void Solver::Search::changed(PileRef pile)
{
    m_homeKnown = m_homeKnown && pile.group != PileGroup::Dest;
    const int slot = slotOf(pile);
    m_notSafe &= ~(std::uint64_t(1) << slot);
    m_key.pileChanged(slot);
    m_eval.pileChanged(slot);
}

// The piles a move changed get their part of the key and of the evaluation again.
void Solver::Search::touched(const MoveUndo& u)
{
    const Move& m = u.move;
    switch (m.kind) {
    case MoveKind::TurnUp: changed(m.from); break;
    case MoveKind::Stock:
        // A press changes the stock group and may deal onto any pile; the piles it changed are
        // those it kept.
        if (!u.dealtTo.isNone()) {
            changed(Mazzo);
            changed(u.dealtTo);
        }
        for (const auto& [pile, text] : u.piles)
            changed(pile);
        break;
    case MoveKind::Drop:
    case MoveKind::Click:
    case MoveKind::Automatic:
        changed(m.from);
        changed(m.to);
        if (u.jumpedPile >= 0) {
            changed(filaPile(u.jumpedPile));
            changed(Mazzo_Waste);
        }
        break;
    case MoveKind::None: break;
    }
}

void Solver::Search::unwind(std::size_t records, std::size_t line)
{
    while (m_records.size() > records) {
        undo(m_game, m_records.back());
        touched(m_records.back());
        m_records.pop_back();
    }
    m_line.resize(line);
}

// The player's move and everything the rules do after it.
void Solver::Search::playerMove(const Move& move)
{
    const int movesBefore = m_game.movesMade;
    record(move);
    m_line.push_back(move);
    // Where nothing fills piles, collects runs or plays by itself, a press that only dealt to the
    // waste is followed by nothing (the tableau's tops are face up: a face-down one is turned up
    // before anything else is tried).
    if (m_rulesStill && !m_records.back().dealtTo.isNone())
        return;
    followMove(m_game, move, movesBefore, m_play, *this);
}

void Solver::Search::makeStep(const Child& child)
{
    for (int i = 0; i < child.presses; ++i)
        playerMove(stockMove(m_game, Mazzo));
    if (!child.move.isNone())
        playerMove(child.move);
    assert(m_bareKey == 0 || m_bareKey == (m_key.key(m_game) ^ m_waitingPart));
    makeSafeMoves();
}

void Solver::Search::makeSafeMoves()
{
    while (!m_game.won)
        if (const std::optional<Move> safe = safeMove()) {
            // The position before the safe cards go home stands for the one after them.
            if (m_bareKey != 0) {
                m_table.insert(m_bareKey);
                m_bareKey = 0;
            }
            playerMove(*safe);
        } else {
            break;
        }
}

// Where the step is a plain drop after which the rules do nothing by themselves but send safe
// cards home, the position of its card in its pile; else -1.
int Solver::Search::foreseeable(const Child& child) const
{
    const Move& m = child.move;
    if (!m_rulesStill || child.presses != 0 || m.kind != MoveKind::Drop || m_game.movesMade == 0
        || m.from.group == PileGroup::Stock || m.to.group == PileGroup::Stock
        || m_game.rules[Rule::TableauLayout] == GridLeavesGaps
        || (m.to.group == PileGroup::Fila && m_game.rules[Rule::TableauBuildCode + m.to.index] == BuildCodes::GridJump))
        return -1;
    const std::string& from = m_game.pile(m.from);
    const int position = findCard(from, m.card);
    // A face-down card laid bare would be turned up.
    const int below = position > 0 ? cardAt(from, position - 1) : 0;
    if (position < 0 || (m_play.turnUps && isCardNumber(below) && m_game.cards.deck.isFaceDown(below)))
        return -1;
    return position;
}

void Solver::Search::homeCards()
{
    if (m_homeKnown)
        return;
    m_home.reset();
    m_goesHome.reset();
    m_goesHomeKnown = true;
    for (int i = 0; i < foundationsInUse(m_game.rules); ++i) {
        const std::string& pile = m_game.cards.piles.dest[std::size_t(i)];
        for (int p = 0; p < cardCount(pile); ++p)
            m_home.set(std::size_t(std::max(cardAt(pile, p), 0)));
        const PlacementQuery q = placementQuery(m_game.rules, m_game.cards.piles, destPile(i), 0, true);
        const PreparedQuery prepared = prepareQuery(q, m_game.cards.piles, m_game.rules, m_game.counters);
        m_goesHome |= prepared.accepted;
        m_goesHomeKnown = m_goesHomeKnown && prepared.key != 0;
    }
    // The cards whose every support is home, among those that could go home now.
    m_notSafe = 0;
    m_mayBeSafe.reset();
    for (int card = 1; card <= CardsInDeckTable; ++card) {
        if (m_goesHomeKnown && !m_goesHome.test(std::size_t(card)))
            continue;
        const CardSet& supports = m_facts.supports[std::size_t(card)];
        if ((supports & m_home) == supports)
            m_mayBeSafe.set(std::size_t(card));
    }
    m_homeKnown = true;
}

// A card goes home at once when nothing could ever want it in the tableau again: every card the
// tableau would let sit on it is home already. Every foundation that takes it must be alike.
std::optional<Move> Solver::Search::safeMove()
{
    if (!m_facts.safeMoves)
        return std::nullopt;
    const int foundations = foundationsInUse(m_game.rules);
    homeCards();
    const auto tryPile = [&](PileRef from) -> std::optional<Move> {
        const std::uint64_t bit = std::uint64_t(1) << slotOf(from);
        if ((m_notSafe & bit) != 0)
            return std::nullopt;
        const int card = topCard(m_game.pile(from));
        if (!isCardNumber(card) || !m_mayBeSafe.test(std::size_t(card)) || m_game.cards.deck.isFaceDown(card)) {
            m_notSafe |= bit;
            return std::nullopt;
        }
        const PickUp carried = pickUp(m_game, from, card);
        if (carried.count != 1)
            return std::nullopt;
        Move first = NoMove;
        for (int i = 0; i < foundations; ++i) {
            if (!mayDrop(m_game, carried, destPile(i)))
                continue;
            if (first.isNone())
                first = {MoveKind::Drop, std::uint8_t(card), from, destPile(i)};
            else if (m_facts.pileClass[std::size_t(slotOf(destPile(i)))] != m_facts.pileClass[std::size_t(slotOf(first.to))])
                return std::nullopt;
        }
        return first.isNone() ? std::nullopt : std::optional<Move>(first);
    };
    for (int i = 0; i < tableausInUse(m_game.rules); ++i)
        if (const auto m = tryPile(filaPile(i)))
            return m;
    for (int i = 0; i < reservesInUse(m_game.rules); ++i)
        if (const auto m = tryPile(appoggPile(i)))
            return m;
    return tryPile(Mazzo_Vis);
}

// Moves that can only lead to a position met already or to an equal one.
bool Solver::Search::skipped(const Frame& frame, const Move& m) const
{
    if (!m_limits.shortcuts)
        return false;
    const auto classOf = [&](PileRef pile) { return m_facts.pileClass[std::size_t(slotOf(pile))]; };
    // A foundation's card onto an alike foundation.
    if (m.from.group == PileGroup::Dest && m.to.group == PileGroup::Dest && classOf(m.from) == classOf(m.to))
        return true;
    if (m.kind != MoveKind::Drop || !m_game.pile(m.to).empty() || !exchangeableNow(m_facts, m_game))
        return false;
    // A whole pile onto an empty alike pile, a free cell's card into an alike free cell.
    if ((m.from.group == PileGroup::Fila || m.from.group == PileGroup::Appogg) && classOf(m.from) == classOf(m.to)
        && findCard(m_game.pile(m.from), m.card) == 0)
        return true;
    // The same cards into an empty pile alike to one they go to already.
    for (auto c = frame.children.rbegin(); c != frame.children.rend() && c->move.card == m.card; ++c)
        if (c->move.from == m.from && c->move.to.group == m.to.group && classOf(c->move.to) == classOf(m.to)
            && m_game.pile(c->move.to).empty())
            return true;
    return false;
}

// A step joins the position's list with the value the position after it would have.
void Solver::Search::consider(Frame& frame, const Child& child)
{
    Child c = child;
    if (m_noise > 0) {
        m_seed = m_seed * 6364136223846793005ULL + 1442695040888963407ULL;
        c.score = int((m_seed >> 33) % m_noise);
    }
    if (child.move.isNone())
        c.score += m_eval.value(m_game) + Prefer::PressesOnly;
    else {
        // The card a move elsewhere than home leaves on top of its pile.
        const int below = child.move.to.group == PileGroup::Dest ? 0 : faceUpCardBelow(child.move);
        c.score += m_eval.valueAfter(m_game, child.move, m_play.turnUps) + Prefer::FromWastePerPress * child.presses
            + (leavesSupport(child.move, below) ? Prefer::LeavesSupport : 0)
            + (laysBareSafeCard(below) ? Prefer::LaysBareCardGoingHome : 0);
    }
    frame.children.push_back(c);
}

// The face-up card the move leaves on top of the tableau pile it comes from; 0 when it leaves none
// (it comes from elsewhere, empties the pile or lays bare a face-down card).
int Solver::Search::faceUpCardBelow(const Move& m) const
{
    if (m.from.group != PileGroup::Fila)
        return 0;
    const std::string& from = m_game.pile(m.from);
    const int position = findCard(from, m.card);
    const int below = position > 0 ? cardAt(from, position - 1) : 0;
    return isCardNumber(below) && !m_game.cards.deck.isFaceDown(below) ? below : 0;
}

// The card a move lays bare (faceUpCardBelow) will go home at once.
bool Solver::Search::laysBareSafeCard(int below)
{
    if (!m_facts.safeMoves || below == 0)
        return false;
    homeCards();
    const CardSet& supports = m_facts.supports[std::size_t(below)];
    if ((supports & m_home) != supports)
        return false;
    if (m_goesHomeKnown)
        return m_goesHome.test(std::size_t(below));
    for (int i = 0; i < foundationsInUse(m_game.rules); ++i) {
        const PlacementQuery q = placementQuery(m_game.rules, m_game.cards.piles, destPile(i), below, true);
        if (canPlace(q, m_game.cards.piles, m_game.rules, m_game.counters))
            return true;
    }
    return false;
}

// A card that sits on a card the tableau lets it sit on (below, faceUpCardBelow), going elsewhere
// than home.
bool Solver::Search::leavesSupport(const Move& m, int below) const
{
    return below != 0 && m_facts.supportsKnown && m_facts.supports[std::size_t(below)].test(m.card);
}

// The steps that press the stock: where the presses only turn cards from the stock to the waste,
// "press n times, then play the waste's top card" is one step, so the search never branches on a
// press alone. A press that does more (deals onto the piles, sets something moving) is a step of
// its own.
void Solver::Search::pressSteps(Frame& frame)
{
    const std::size_t records = m_records.size(), line = m_line.size();
    const std::string stock = m_game.cards.piles.stock[0], waste = m_game.cards.piles.stock[1];
    int turnsOver = 0;
    for (int n = 1; n <= MostPresses; ++n) {
        const Move next = stockMove(m_game, Mazzo);
        // After the waste was turned over twice, the presses show the same cards as in the pass
        // between, with fewer redeals left.
        if (next.isNone() || (m_game.cards.piles.stock[0].empty() && ++turnsOver == 2))
            break;
        const std::size_t before = m_records.size();
        playerMove(next);
        const bool wasteOnly = m_records.size() == before + 1 && !m_records.back().dealtTo.isNone();
        if (!wasteOnly || m_game.won) {
            // The presses so far, with this one, are a step of their own.
            frame.children.push_back({NoMove, std::uint8_t(n), m_eval.value(m_game) + Prefer::PressesOnly});
            break;
        }
        m_destinations.movesFrom(m_game, Mazzo_Vis, m_wasteMoves);
        for (const Move& m : m_wasteMoves)
            consider(frame, {m, std::uint8_t(n), 0});
        // Round the stock and back: every card it can show has been shown.
        if (!m_facts.dealsCount && m_game.cards.piles.stock[0] == stock && m_game.cards.piles.stock[1] == waste)
            break;
    }
    unwind(records, line);
}

void Solver::Search::expand(Frame& frame)
{
    frame.children.clear();
    frame.next = 0;
    // The destinations stay prepared for the waste's moves after presses (pressSteps), which
    // deal only to the waste and leave every other pile as it is.
    m_destinations.legalMoves(m_game, m_moves);
    for (const Move& m : m_moves)
        if (m.kind == MoveKind::TurnUp) { // turning a card up never hurts
            frame.children.push_back({m, 0, 0});
            return;
        }
    bool press = false;
    for (const Move& m : m_moves) { // trying a step lists no moves: m_moves stays as it is
        if (m.kind == MoveKind::Stock)
            press = true;
        else if (!skipped(frame, m))
            consider(frame, {m, 0, 0});
    }
    if (press)
        pressSteps(frame);
    if (frame.waiting != 0) {
        // Only a card onto a waiting pile, or another card taken back.
        std::erase_if(frame.children, [&](const Child& c) {
            return c.move.isNone() || ((pileBit(c.move.to) & frame.waiting) == 0 && !isTakeBack(c.move));
        });
    }
    // Best first, equal values in the order listed: an insertion sort, as the lists are short
    // and a sort that allocates would cost more.
    std::vector<Child>& list = frame.children;
    for (std::size_t i = 1; i < list.size(); ++i) {
        const Child c = list[i];
        std::size_t j = i;
        for (; j > 0 && list[j - 1].score < c.score; --j)
            list[j] = list[j - 1];
        list[j] = c;
    }
}

bool Solver::Search::isTakeBack(const Move& m) const
{
    return m_facts.takeBacksWait && m.from.group == PileGroup::Dest && m.to.group == PileGroup::Fila;
}

bool Solver::Search::limitReached()
{
    if (m_limits.nodes > 0 && m_nodes >= m_limits.nodes)
        return true;
    if (m_nodes % LimitCheckEvery != 0)
        return false;
    if (m_limits.cancel && m_limits.cancel->load(std::memory_order_relaxed)) {
        m_cancelled = true;
        return true;
    }
    return m_limits.seconds > 0 && std::chrono::duration<double>(Clock::now() - m_start).count() >= m_limits.seconds;
}

bool Solver::Search::onPath(std::uint64_t key, std::size_t depth) const
{
    for (std::size_t d = 0; d < depth; ++d)
        if (m_frames[d].key == key)
            return true;
    return false;
}

Solver::Search::Progress Solver::Search::begin()
{
    m_key.reset(m_game, m_facts);
    m_eval.reset(m_game, m_facts);
    makeSafeMoves();
    if (m_game.won)
        return Progress::Won;
    m_frames.resize(64);
    m_frames[0].key = m_key.key(m_game);
    m_frames[0].waiting = 0;
    m_table.insert(m_frames[0].key);
    expand(m_frames[0]);
    m_depth = 0;
    return Progress::Paused;
}

Solver::Search::Progress Solver::Search::advance(std::uint64_t nodes)
{
    m_turnEnd = m_nodes + nodes;
    for (;;) {
        std::size_t& depth = m_depth;
        if (m_frames[depth].next == m_frames[depth].children.size()) {
            if (depth == 0)
                return Progress::Exhausted;
            unwind(m_frames[depth].records, m_frames[depth].line);
            --depth;
            continue;
        }
        const Child child = m_frames[depth].children[m_frames[depth].next++];
        const std::size_t records = m_records.size(), line = m_line.size();
        const std::uint32_t waiting = (m_frames[depth].waiting & ~pileBit(child.move.to))
            | (isTakeBack(child.move) ? pileBit(child.move.to) : 0);
        // A position with piles waiting offers fewer steps: it is another position.
        const std::uint64_t waitingPart = waiting != 0 ? waitingKey(waiting) : 0;
        // A step to a position met already is known without making it where the move's key can be
        // told beforehand (its position before the safe cards go home is kept too).
        m_bareKey = 0;
        m_waitingPart = waitingPart;
        if (const int position = foreseeable(child); position >= 0) {
            m_bareKey = m_key.keyAfter(m_game, child.move.from, position, child.move.to) ^ waitingPart;
            if (m_table.contains(m_bareKey)) {
                ++m_nodes;
                if (limitReached())
                    return Progress::Stopped;
                if (m_nodes >= m_turnEnd)
                    return Progress::Paused;
                continue;
            }
        }
        makeStep(child);
        ++m_nodes;
        if (m_game.won)
            return Progress::Won;
        const std::uint64_t bare = m_key.key(m_game), key = bare ^ waitingPart;
        // With piles waiting, fewer steps are offered than with none: a position searched with none
        // needs no search with some.
        if ((waiting != 0 && m_table.contains(bare)) || !m_table.insert(key)
            || (m_table.forgot() && onPath(key, depth + 1))) {
            unwind(records, line);
        } else {
            if (++depth == m_frames.size())
                m_frames.resize(m_frames.size() * 2);
            Frame& frame = m_frames[depth];
            frame.records = records;
            frame.line = line;
            frame.key = key;
            frame.waiting = waiting;
            expand(frame);
        }
        if (limitReached())
            return Progress::Stopped;
        if (m_nodes >= m_turnEnd)
            return Progress::Paused;
    }
}

// ---- the solver ------------------------------------------------------------------------------

Solver::Solver(Limits limits) : m_limits(limits), m_table(std::make_unique<Table>(limits.memoryBytes)) {}

Solver::~Solver() = default;

Result Solver::solve(const Game& game, AutomaticPlay play)
{
    Result r;
    if (!solvable(game)) {
        r.supported = false;
        return r;
    }
    const Clock::time_point start = Clock::now();
    const RuleFacts& facts = m_table->factsFor(game, m_limits.shortcuts);
    m_table->steady.setMemory(m_limits.memoryBytes / 4 * SteadyShareOfMemory);
    m_table->rounds.setMemory(m_limits.memoryBytes / 4 * (4 - SteadyShareOfMemory));
    m_table->steady.clear();
    const auto finish = [&](Verdict verdict, const Search* won) {
        r.verdict = verdict;
        if (won)
            r.line = won->line();
        r.stored = m_table->steady.stored() + m_table->rounds.stored();
        r.seconds = std::chrono::duration<double>(Clock::now() - start).count();
        return r;
    };
    if (hasStuckCard(game, facts))
        return finish(Verdict::Lost, nullptr);
    Game steadyGame = game;
    Search steady(steadyGame, play, facts, m_table->steady, m_limits, start, r.nodes);
    if (steady.begin() == Search::Progress::Won)
        return finish(Verdict::Won, &steady);
    Game roundGame;
    for (int round = 1;; ++round) {
        const std::uint64_t turn = RoundUnit * roundTerm(std::uint64_t(round));
        Search::Progress progress = steady.advance(turn / SteadyShareOfTurn);
        if (progress == Search::Progress::Paused) {
            roundGame = game;
            m_table->rounds.clear();
            Search shuffled(roundGame, play, facts, m_table->rounds, m_limits, start, r.nodes);
            shuffled.shuffle(round);
            progress = shuffled.begin();
            if (progress == Search::Progress::Paused)
                progress = shuffled.advance(turn);
            if (progress == Search::Progress::Won)
                return finish(Verdict::Won, &shuffled);
            // A shuffled round that searched everything proved the loss as well as the steady one.
            if (progress == Search::Progress::Exhausted)
                return finish(Verdict::Lost, nullptr);
            r.cancelled = shuffled.cancelled();
        }
        switch (progress) {
        case Search::Progress::Won: return finish(Verdict::Won, &steady);
        case Search::Progress::Exhausted: return finish(Verdict::Lost, nullptr);
        case Search::Progress::Stopped:
            r.cancelled = r.cancelled || steady.cancelled();
            return finish(Verdict::Unknown, nullptr);
        case Search::Progress::Paused: break;
        }
    }
}

Result solve(const Game& game, AutomaticPlay play, const Limits& limits)
{
    Solver solver(limits);
    return solver.solve(game, play);
}

} // namespace kst::solver
