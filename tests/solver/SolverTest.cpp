// The solver: its verdicts on small positions with a known answer, its lines played back through
// a session and through the command line, and its stopping when told.

#include "engine/Moves.h"
#include "solver/Board.h"
#include "solver/PositionKey.h"
#include "solver/RuleFacts.h"
#include "solver/Solver.h"
#include "solver/TranspositionTable.h"
#include "tests/engine/GameFixture.h"
#include "tests/support/PlayedSession.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <sys/wait.h>

namespace kst {
namespace {

using solver::Verdict;
using test::Pile;

constexpr int AH = 1, H2 = 2, H3 = 3, H4 = 4, H5 = 5, AS = 40, S2 = 41, S3 = 42, S4 = 43, S5 = 44;

// The cards of a suit from the Ace up to `top`, as a foundation holds them.
std::vector<int> suitUpTo(int ace, int top)
{
    std::vector<int> cards;
    for (int c = ace; c <= top; ++c)
        cards.push_back(c);
    return cards;
}

solver::Limits quick(std::uint64_t nodes = 200'000)
{
    solver::Limits limits;
    limits.nodes = nodes;
    limits.memoryBytes = std::size_t(16) << 20;
    return limits;
}

// Plays the line on a copy of the game as a session does (each move with the steps after it).
Game played(Game game, const std::vector<Move>& line)
{
    class Maker : public StepMaker {
    public:
        explicit Maker(Game& g) : m_game(g) {}
        bool make(std::span<const Move> moves, AutoStep) override
        {
            for (const Move& m : moves)
                if (isLegal(m_game, m))
                    apply(m_game, m);
            return true;
        }

    private:
        Game& m_game;
    } maker(game);
    for (const Move& m : line) {
        EXPECT_TRUE(isLegal(game, m)) << moveText(m);
        if (!isLegal(game, m))
            break;
        const int before = game.movesMade;
        apply(game, m);
        followMove(game, m, before, {}, maker);
    }
    return game;
}

TEST(Solver, SmallPositionsWithAKnownAnswer)
{
    struct Case {
        const char* what;
        std::vector<Pile> piles;
        std::vector<std::pair<int, int>> rules;
        Verdict verdict;
    };
    const std::pair<int, int> twoPilesOneCell[] = {{Rule::TableauCount, 2}, {Rule::ReserveCount, 1}};
    const Case cases[] = {
        {"one move from the win: the last King in a free cell",
         {{destPile(0), suitUpTo(AH, 13)}, {destPile(1), suitUpTo(14, 26)}, {destPile(2), suitUpTo(27, 39)},
          {destPile(3), suitUpTo(AS, 51)}, {appoggPile(0), {52}}},
         {},
         Verdict::Won},
        {"two Aces under two cards each, one free cell, no card takes another: lost",
         {{filaPile(0), {AH, S3, S2}}, {filaPile(1), {AS, H3, H2}}},
         {twoPilesOneCell[0], twoPilesOneCell[1]},
         Verdict::Lost},
        {"no move at all: lost",
         {{filaPile(0), {AH, S2}}, {filaPile(1), {AS, H2}}},
         {{Rule::TableauCount, 2}, {Rule::ReserveCount, 0}},
         Verdict::Lost},
        {"the 3 of hearts could go home but must first take the 2 of spades off its Ace",
         {{destPile(0), {AH, H2}}, {filaPile(0), {H3}}, {filaPile(1), {AS, S2}}, {filaPile(2), {S3}}},
         {{Rule::TableauCount, 3}, {Rule::ReserveCount, 0}, {Rule::TableauEmptyRule, King},
          {Rule::TableauEmptyRule + 1, King}, {Rule::TableauEmptyRule + 2, King}},
         Verdict::Won},
        {"the Ace lies under a run of four that must move whole to the one empty pile",
         {{destPile(1), {AS, S2}}, {filaPile(0), {AH, S5, H4, S3, H2}}, {filaPile(1), {H5, S4, H3}}},
         {{Rule::TableauCount, 3}, {Rule::ReserveCount, 0}, {Rule::RunSize, RunSizes::Any}},
         Verdict::Won},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Game game = test::table(c.piles, c.rules);
        game.gameId = 1;
        const solver::Result r = solver::solve(game, {}, quick());
        EXPECT_EQ(solver::verdictName(r.verdict), solver::verdictName(c.verdict));
        if (r.verdict == Verdict::Won) {
            EXPECT_TRUE(played(game, r.line).won);
        }
    }
}

TEST(Solver, TheLongRunMoveIsOneStep)
{
    Game game = test::table({{destPile(1), {AS, S2}}, {filaPile(0), {AH, S5, H4, S3, H2}}, {filaPile(1), {H5, S4, H3}}},
                            {{Rule::TableauCount, 3}, {Rule::ReserveCount, 0}, {Rule::RunSize, RunSizes::Any}});
    game.gameId = 1;
    const solver::Result r = solver::solve(game, {}, quick());
    ASSERT_EQ(r.verdict, Verdict::Won);
    const Move run{MoveKind::Drop, std::uint8_t(S5), filaPile(0), filaPile(2)};
    EXPECT_NE(std::find(r.line.begin(), r.line.end(), run), r.line.end());
}

// Plays the line in the session move by move, as the window plays a solution: each is accepted, and
// the game ends won.
void playToTheEnd(test::PlayedSession& session, const std::vector<Move>& line)
{
    for (const Move& m : line)
        ASSERT_TRUE(session.session.play(m, MoveOrigin::Clicked)) << moveText(m);
    EXPECT_TRUE(session.game().won);
}

// Deals of ordinary games of every kind: a win found is a win played, in a session as the window
// plays it (with and without automatic play) and move for move as the command line reads it.
TEST(Solver, EveryWinPlaysToTheEndInASession)
{
    const struct {
        int gameId;
        const char* number;
    } deals[] = {{1, "1"}, {1, "11"}, {2, "3"}, {2, "19"}, {3, "1"}, {4, "3"}, {9, "3"}, {12, "3"}, {10, "2"}};
    int won = 0;
    for (const auto& d : deals)
        for (const bool autoplay : {false, true}) {
            SCOPED_TRACE(std::string(test::shippedCatalogue().gameName(d.gameId)) + " " + d.number
                         + (autoplay ? " with automatic play" : ""));
            test::PlayedSession session(d.gameId, d.number, {}, autoplay);
            AutomaticPlay play{true, autoplay && session.game().rules[Rule::Autoplay] != 0};
            const solver::Result r = solver::solve(session.game(), play, quick(100'000));
            if (r.verdict != Verdict::Won)
                continue;
            ++won;
            playToTheEnd(session, r.line);
        }
    EXPECT_GE(won, 12);
}

// Every ordinary game of the catalogue: the win the solver finds on a deal plays to the end in a
// session, the steps the rules make by themselves included.
TEST(Solver, EveryGamesWinsPlayToTheEnd)
{
    int won = 0;
    for (const CatalogueGame& entry : test::shippedCatalogue().games()) {
        test::PlayedSession session(entry.gameId, "2");
        if (!solver::solvable(session.game()))
            continue;
        SCOPED_TRACE(entry.name);
        const solver::Result r = solver::solve(session.game(), {}, quick(10'000));
        if (r.verdict != Verdict::Won)
            continue;
        ++won;
        playToTheEnd(session, r.line);
    }
    EXPECT_GE(won, 25);
}

// The shortcuts of the search (alike piles as one, safe cards home at once, cards taken back only
// to take a card, the stock's dealing order as its key, moves leading nowhere new skipped) must
// keep the answer: where the plain search decides a deal too, it decides it the same way.
TEST(Solver, TheShortcutsKeepTheAnswer)
{
    const struct {
        int gameId;
        const char* number;
    } deals[] = {{20, "1"}, {20, "3"}, {20, "4"}, {20, "7"}, {12, "1"}, {12, "3"}, {2, "3"}, {2, "15"}, {1, "2"}};
    int compared = 0;
    for (const auto& d : deals) {
        SCOPED_TRACE(std::string(test::shippedCatalogue().gameName(d.gameId)) + " " + d.number);
        const Game game = test::dealtGame(d.gameId, d.number);
        const solver::Result fast = solver::solve(game, {}, quick(100'000));
        solver::Limits plainLimits = quick(300'000);
        plainLimits.shortcuts = false;
        const solver::Result plain = solver::solve(game, {}, plainLimits);
        EXPECT_NE(fast.verdict, Verdict::Unknown);
        if (plain.verdict == Verdict::Unknown)
            continue;
        ++compared;
        EXPECT_EQ(solver::verdictName(fast.verdict), solver::verdictName(plain.verdict));
        // Proving a loss searches everything: the shortcuts leave less to search. (How soon a
        // win is found depends on the order the steps are tried in.)
        if (plain.verdict == Verdict::Lost) {
            EXPECT_LE(fast.nodes, plain.nodes);
        }
    }
    EXPECT_GE(compared, 6);
}

std::string runCli(const std::string& args, test::TempDir& tmp, const std::string& input = {})
{
    tmp.write("in", input);
    const std::string command = "'" KST_CLI_PATH "' --program-dir '" KST_PROGRAM_DIR "' --data-dir '" + tmp.file("data")
                                + "' " + args + " <'" + tmp.file("in") + "' >'" + tmp.file("out") + "' 2>'"
                                + tmp.file("err") + "'";
    const int raw = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << args << ": " << tmp.read("err");
    return tmp.read("out");
}

TEST(SolverCommandLine, SolveLinesPlayToTheWinAndOddsCounts)
{
    test::TempDir tmp("solve");
    for (const char* deal : {"Freecell 11", "Klondike 3", "Spider\\ One\\ Suit 3"}) {
        SCOPED_TRACE(deal);
        const std::string out = runCli(std::string("solve ") + deal + " --nodes 200000", tmp);
        ASSERT_EQ(out.rfind("Result=won\nNodes=", 0), 0u) << out;
        std::string line = out.substr(out.find("Moves="));
        const std::string moves = line.substr(line.find('\n') + 1);
        EXPECT_NE(runCli(std::string("play ") + deal, tmp, moves).find("\nWon=Y\n"), std::string::npos);
    }
    const std::string odds = runCli("odds Freecell --deals 3 --first 20 --nodes 100000", tmp);
    EXPECT_EQ(odds.rfind("Won=3\nLost=0\nUnknown=0\nSeconds=", 0), 0u) << odds;
}

TEST(SolverCommandLine, BoardsInTheUsualTextForm)
{
    test::TempDir tmp("board");
    // Every card home but the Kings and the red Queens: six moves home.
    tmp.write("board.txt", "Foundations: H-J D-J C-Q S-Q\nFreecells: QH - KC\nKS QD\nKH\nKD\n");
    const std::string out = runCli("solve Freecell --board '" + tmp.file("board.txt") + "'", tmp);
    EXPECT_EQ(out.rfind("Result=won\n", 0), 0u) << out;
    EXPECT_NE(out.find("\nMoves=6\n"), std::string::npos) << out;

    Game game = test::dealtGame(1, "1");
    const struct {
        const char* board;
        const char* error;
    } bad[] = {
        {"KS QD\nKS\n", "the board does not hold each card of the deck once"},
        {"KS QX\n", "line 1: no card: QX"},
        {"Freecells: 2H 3H 4H 5H 6H\n", "line 1: more free cells than the game's 4"},
        {"Foundations: H-Z\n", "line 1: not a foundation: H-Z"},
        {"AS\nAS\nAS\nAS\nAS\nAS\nAS\nAS\nAS\n", "line 9: more columns than the game's 8"},
    };
    for (const auto& b : bad)
        EXPECT_EQ(solver::readBoard(b.board, game).rfind(b.error, 0), 0u) << b.board;
    EXPECT_EQ(solver::boardCard("TD"), 23);
    EXPECT_EQ(solver::boardCard("10c"), 36);
    EXPECT_EQ(solver::boardCard("1H"), 0);
}

TEST(Solver, ACancelledSearchStopsAtOnce)
{
    const Game game = test::dealtGame(2, "2"); // a Klondike deal that takes long to decide
    std::atomic<bool> cancel{false};
    solver::Limits limits;
    limits.cancel = &cancel;
    limits.memoryBytes = std::size_t(32) << 20;
    solver::Result r;
    std::thread search([&] { r = solver::solve(game, {}, limits); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto asked = std::chrono::steady_clock::now();
    cancel = true;
    search.join();
    const auto waited = std::chrono::steady_clock::now() - asked;
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.verdict, Verdict::Unknown);
    EXPECT_LT(waited, std::chrono::milliseconds(200)); // a millisecond or so; generous for slow machines
}

// Alike piles are one multiset: the same position with its columns and free cells in another order
// has the same key, where the rules let them be exchanged.
TEST(Solver, ThePositionKeyIgnoresTheOrderOfAlikePiles)
{
    Game game = test::dealtGame(1, "5");
    const solver::RuleFacts facts = solver::ruleFacts(game);
    ASSERT_TRUE(facts.exchangeable);
    solver::PositionKey key;
    key.reset(game, facts);
    const std::uint64_t before = key.key(game);
    std::swap(game.cards.piles.fila[0], game.cards.piles.fila[5]);
    std::swap(game.cards.piles.appogg[0], game.cards.piles.appogg[3]);
    key.reset(game, facts);
    EXPECT_EQ(key.key(game), before);
    // A card turned face down is another position.
    game.cards.deck.setFace(topCard(game.cards.piles.fila[0]), Face::Down);
    key.reset(game, facts);
    EXPECT_NE(key.key(game), before);

    // Spider deals onto its piles in their order: they are told apart while the stock holds cards.
    const Game spider = test::dealtGame(6, "5");
    const solver::RuleFacts spiderFacts = solver::ruleFacts(spider);
    EXPECT_FALSE(solver::exchangeableNow(spiderFacts, spider));
}

TEST(Solver, TheTableStaysWithinItsMemory)
{
    solver::TranspositionTable table(std::size_t(1) << 20); // 131072 keys
    for (std::uint64_t k = 1; k <= 100'000; ++k)
        ASSERT_TRUE(table.insert(k * 0x9e3779b97f4a7c15ULL));
    EXPECT_FALSE(table.forgot());
    EXPECT_FALSE(table.insert(5 * 0x9e3779b97f4a7c15ULL));
    EXPECT_TRUE(table.contains(77 * 0x9e3779b97f4a7c15ULL));
    for (std::uint64_t k = 100'001; k <= 400'000; ++k)
        table.insert(k * 0x9e3779b97f4a7c15ULL);
    EXPECT_TRUE(table.forgot());
    EXPECT_LE(table.bytes(), std::size_t(1) << 20);
    table.clear();
    EXPECT_EQ(table.stored(), 0u);
    EXPECT_FALSE(table.forgot());
}

} // namespace
} // namespace kst
