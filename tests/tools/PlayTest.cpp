// kestrane-cli play: the built program fed with commands, its replies and its table form checked
// against the move engine of the same deal.

#include "engine/Moves.h"
#include "storage/ProfileFile.h"
#include "tests/support/PlayedSession.h"
#include "tests/support/ShippedGames.h"
#include "tests/support/TempDir.h"
#include "tests/support/WinningLine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include <sys/wait.h>

namespace fs = std::filesystem;

namespace kst {
namespace {

constexpr int FreecellId = 1;
constexpr int KlondikeId = 2;
constexpr std::size_t TableFormLines = 60;

// The deal played to its win by the data file freecell-<number>.play.
constexpr const char* FreecellWinNumber = "3";

std::string freecellLinePath()
{
    return std::string(KST_SOURCE_DIR "/tests/tools/data/freecell-") + FreecellWinNumber + ".play";
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

struct PlayRun {
    int status = -1;
    std::vector<std::string> lines; // standard output
    std::string err;

    // The lines before the closing table form.
    std::vector<std::string> replies() const
    {
        return {lines.begin(), lines.end() - std::ptrdiff_t(std::min(lines.size(), TableFormLines))};
    }
    std::vector<std::string> table() const
    {
        return {lines.end() - std::ptrdiff_t(std::min(lines.size(), TableFormLines)), lines.end()};
    }
};

// The value of a Name=value line of a table form; "?" when there is none.
std::string valueOf(const std::vector<std::string>& table, const std::string& name)
{
    for (const std::string& line : table)
        if (line.starts_with(name + "="))
            return line.substr(name.size() + 1);
    return "?";
}

// The pile of the table form that holds the card.
std::string pileOf(const std::vector<std::string>& table, int card)
{
    for (const std::string& line : table) {
        const std::size_t equals = line.find('=');
        if (parsePileName(line.substr(0, equals)).isNone())
            continue; // BaseRanks and the counters
        for (std::size_t at = equals + 1; at + 4 <= line.size(); at += 4)
            if (line.compare(at, 3, cardDigits(card)) == 0)
                return line.substr(0, equals);
    }
    return "nowhere";
}

class PlayTest : public ::testing::Test {
protected:
    // `kestrane-cli play ARGS` on the built program folder and a data folder of the test's own.
    PlayRun play(const std::string& args, const std::string& commands) const
    {
        m_tmp.write("commands", commands);
        const std::string command = "'" KST_CLI_PATH "' --program-dir '" KST_PROGRAM_DIR "' --data-dir '" + dataDir()
                                    + "' play " + args + " <'" + m_tmp.file("commands") + "' >'" + m_tmp.file("out")
                                    + "' 2>'" + m_tmp.file("err") + "'";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, splitLines(m_tmp.read("out")), m_tmp.read("err")};
    }
    std::string dataDir() const { return m_tmp.file("data"); }

    test::TempDir m_tmp{"cli-play"};
};

std::string command(std::string_view verb, int card, std::string_view pile = {})
{
    std::string text = std::string(verb) + ' ' + cardDigits(card);
    if (!pile.empty())
        text += ' ' + std::string(pile);
    return text;
}

// ---- the moves the engine lists are the moves play accepts --------------------------------------

// In every game a few random moves into the deal, `moves` must list what the engine lists, and
// each listed move, given after the same moves from a restart, must be accepted. The moves are
// chosen on a session of the same deal and preferences, which makes the steps that follow them
// (fillings, completed runs) as the command line does.
TEST_F(PlayTest, EveryListedMoveIsAcceptedInEveryGame)
{
    std::mt19937 pick(617);
    for (const CatalogueGame& entry : test::shippedCatalogue().games()) {
        SCOPED_TRACE(entry.name);
        test::PlayedSession played(entry.gameId, "617", {{Fld::Automatic_FaceUp, "N"}});
        if (played.game().rules[Rule::DealMode] == 10)
            continue; // the deal itself draws a random pile
        std::string prefix;
        std::vector<Move> moves = legalMoves(played.game());
        for (int step = 0; step < 4 && !moves.empty(); ++step) {
            const Move move = moves[pick() % moves.size()];
            prefix += moveText(move) + '\n';
            ASSERT_TRUE(played.session.play(move, MoveOrigin::Dragged));
            moves = legalMoves(played.game());
        }
        const std::vector<std::string> okPrefix(std::size_t(std::count(prefix.begin(), prefix.end(), '\n')), "ok");
        const std::string args = std::to_string(entry.gameId) + " 617 --pref Automatic_FaceUp=N";

        std::vector<std::string> expected = okPrefix;
        for (const Move& move : moves)
            expected.push_back(moveText(move));
        expected.push_back("end");
        const PlayRun listed = play(args, prefix + "moves\n");
        ASSERT_EQ(listed.status, 0) << listed.err;
        EXPECT_EQ(listed.replies(), expected);

        std::string eachMove;
        for (const Move& move : moves)
            eachMove += "restart\n" + prefix + moveText(move) + '\n';
        const PlayRun accepted = play(args, eachMove);
        ASSERT_EQ(accepted.status, 0) << accepted.err;
        const std::vector<std::string> replies = accepted.replies();
        ASSERT_EQ(replies.size(), moves.size() * (okPrefix.size() + 2));
        for (std::size_t m = 0; m < moves.size(); ++m)
            EXPECT_EQ(std::count(replies.begin() + std::ptrdiff_t(m * (okPrefix.size() + 2)),
                                 replies.begin() + std::ptrdiff_t((m + 1) * (okPrefix.size() + 2)), "ok"),
                      std::ptrdiff_t(okPrefix.size() + 2))
                << moveText(moves[m]);
    }
}

// ---- what play refuses --------------------------------------------------------------------------

// A position reached by commands that play accepts.
struct Position {
    Game game;
    std::string commands;
};

// The bottom card of a two-card run that ends a tableau pile, when that card alone would go to a
// foundation; 0 when there is none.
int runBottomThatFitsAFoundation(const Game& game)
{
    for (int i = 0; i < tableausInUse(game.rules); ++i) {
        const std::string& fila = game.cards.piles.fila[std::size_t(i)];
        const int position = cardCount(fila) - 2, card = cardAt(fila, position);
        if (position < 0 || pickUp(game, filaPile(i), card).count != 2)
            continue;
        for (int d = 0; d < foundationsInUse(game.rules); ++d)
            if (mayDrop(game, PickUp{filaPile(i), card, position, 1}, destPile(d)))
                return card;
    }
    return 0;
}

// Freecell along its winning line to the first position with such a run.
Position runThatFitsAFoundation()
{
    Position at{test::dealtGame(FreecellId, FreecellWinNumber), {}};
    for (const std::string& line : splitLines(test::TempDir::readFile(freecellLinePath()))) {
        if (runBottomThatFitsAFoundation(at.game) != 0)
            return at;
        std::istringstream words(line);
        std::string verb, card, pile;
        if (!(words >> verb >> card >> pile) || verb != "drop")
            continue;
        apply(at.game, dropMove(at.game, std::stoi(card), parsePileName(pile)));
        at.commands += line + '\n';
    }
    ADD_FAILURE() << "no such position on the winning line";
    return at;
}

TEST_F(PlayTest, RefusedCommandsChangeNothing)
{
    const Position freecell = runThatFitsAFoundation();
    const int runBottom = runBottomThatFitsAFoundation(freecell.game);
    const PileRef runPile = locateCard(freecell.game, runBottom).pile;
    const std::string& fila = *freecell.game.cards.piles.pile(runPile);
    const int covered = cardAt(fila, 0), top = topCard(fila);
    const Position klondike{test::dealtGame(KlondikeId, "22"), {}};
    const std::string& seventh = klondike.game.cards.piles.fila[6];
    const int faceDownTop = cardAt(seventh, cardCount(seventh) - 2);
    ASSERT_TRUE(klondike.game.cards.deck.isFaceDown(faceDownTop));
    ASSERT_TRUE(klondike.game.cards.deck.isFaceDown(cardAt(seventh, 0)));

    const struct {
        std::string args;
        const Position& position;
        std::vector<std::string> lines;
    } cases[] = {
        {std::string("1 ") + FreecellWinNumber,
         freecell,
         {
             command("drop", covered, "Appogg1"), // under other cards
             command("dblclick", covered),
             command("drop", top, pileName(runPile)), // onto its own pile
             command("drop", runBottom, "Dest1"), // a run onto a foundation
             command("drop", runBottom, "Dest2"),
             command("drop", runBottom, "Dest3"),
             command("drop", runBottom, "Dest4"),
             command("drop", top, "Fila9"), // empty piles the game does not use
             command("drop", top, "Appogg5"),
             command("click", 60), // a card of a second deck
             "drop 000 Appogg1", "drop 109 Appogg1", "drop abc Appogg1", "drop 0017 Appogg1", "click -1",
             command("drop", top, "Fila0"), command("drop", top, "Fila29"), command("drop", top, "Dest17"),
             command("drop", top, "fila1"), command("drop", top, "Appogg"),
             command("drop", top, ""), command("drop", top, "Appogg1 Appogg2"), "click", "restart now", "moves all",
         }},
        {"2 22",
         klondike,
         {
             command("click", faceDownTop), // face down, under the face-up top
             command("drop", faceDownTop, "Fila1"),
             command("dblclick", cardAt(seventh, 0)),
         }},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> before = play(c.args, c.position.commands).table();
        std::string input = c.position.commands;
        for (const std::string& line : c.lines)
            input += line + "\nprint\n";
        const PlayRun r = play(c.args, input);
        ASSERT_EQ(r.status, 0) << r.err;
        const std::size_t reached = std::size_t(std::count(input.begin(), input.end(), '\n')) - 2 * c.lines.size();
        ASSERT_EQ(r.lines.size(), reached + (c.lines.size() + 1) * (TableFormLines + 1) - 1);
        for (std::size_t i = 0; i < c.lines.size(); ++i) {
            const auto reply = r.lines.begin() + std::ptrdiff_t(reached + i * (TableFormLines + 1));
            EXPECT_EQ(*reply, "refused") << c.lines[i];
            EXPECT_EQ(std::vector<std::string>(reply + 1, reply + 1 + TableFormLines), before) << c.lines[i];
        }
    }
}

TEST_F(PlayTest, UndoRedoSaveAndOpenAndAnUnknownCommandStops)
{
    const Game game = test::dealtGame(FreecellId, "5");
    const std::string move = command("drop", topCard(game.cards.piles.fila[0]), "Appogg1") + '\n';
    const std::string saved = m_tmp.file("saved game.gam");
    // Freecell has no stock; nothing to undo or redo before the first move.
    const PlayRun played = play("1 5", "stock\nundo\nredo\n" + move + "print\nsave " + saved + "\nundo\nredo\nundo\n"
                                           "open " + saved + "\nprint\nundo\nopen " + m_tmp.file("missing.gam") + "\n");
    ASSERT_EQ(played.status, 0) << played.err;
    const auto lines = [&](std::size_t first, std::size_t count) {
        return std::vector<std::string>(played.lines.begin() + std::ptrdiff_t(first),
                                        played.lines.begin() + std::ptrdiff_t(first + count));
    };
    const std::size_t T = TableFormLines;
    ASSERT_EQ(played.lines.size(), 4 + T + 5 + T + 2 + T);
    EXPECT_EQ(lines(0, 4), (std::vector<std::string>{"refused", "refused", "refused", "ok"}));
    EXPECT_EQ(lines(4 + T, 5), (std::vector<std::string>(5, "ok"))); // save, undo, redo, undo, open
    EXPECT_EQ(lines(4 + T + 5 + T, 2), (std::vector<std::string>{"ok", "refused"}));
    // The saved game brings back the table after the move, and its history undoes the move.
    EXPECT_EQ(lines(4, T), lines(4 + T + 5, T));
    EXPECT_EQ(pileOf(played.table(), topCard(game.cards.piles.fila[0])), "Fila1");

    const PlayRun unknown = play("1 5", move + "Drop 017 Fila1\n" + move);
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.lines, std::vector<std::string>{"ok"});
    EXPECT_EQ(unknown.err, "kestrane-cli: unknown command: Drop\n");
}

TEST_F(PlayTest, BadOptionsGiveOneErrorLineAndStatusTwo)
{
    const struct {
        const char* args;
        const char* error;
    } cases[] = {
        {"1", "usage: play GAME NUMBER [--autoplay on|off] [--pref KEY=VALUE ...] [--record]"},
        {"1 5 6", "usage: play GAME NUMBER [--autoplay on|off] [--pref KEY=VALUE ...] [--record]"},
        {"1 5 --autoplay", "--autoplay needs a value"},
        {"1 5 --autoplay yes", "bad value for --autoplay: yes"},
        {"--pref Nonsense=Y 1 5", "unknown preference: Nonsense"},
        {"1 5 --pref doubleclick_to_foundations=N", "unknown preference: doubleclick_to_foundations"},
        {"1 5 --pref DoubleClick_To_Foundations", "bad value for --pref: DoubleClick_To_Foundations"},
        {"1 5 --pref DoubleClick_To_Foundations=NN", "bad value for --pref: DoubleClick_To_Foundations=NN"},
        {"1 5 --fast", "unknown option: --fast"},
        {"9999 5", "unknown game: 9999"},
        {"1 5x", "bad game number: 5x"},
    };
    for (const auto& c : cases) {
        const PlayRun r = play(c.args, "");
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_EQ(r.err, "kestrane-cli: " + std::string(c.error) + "\n") << c.args;
        EXPECT_TRUE(r.lines.empty()) << c.args;
    }
}

// ---- preferences and automatic play -------------------------------------------------------------

TEST_F(PlayTest, PreferencesDecideWhereAClickSendsACard)
{
    // Freecell deal 1 has an ace on top of a column.
    const Game game = test::dealtGame(FreecellId, "1");
    int ace = 0;
    for (int i = 0; i < tableausInUse(game.rules); ++i)
        if (rank(topCard(game.cards.piles.fila[std::size_t(i)])) == Ace)
            ace = topCard(game.cards.piles.fila[std::size_t(i)]);
    ASSERT_NE(ace, 0);
    const struct {
        const char* prefs;
        std::string command;
        const char* reply;
    } cases[] = {
        {"", command("dblclick", ace), "ok"},
        {"", "dblclick " + std::to_string(ace), "ok"}, // a card number needs no leading zeros
        {"--pref DoubleClick_To_Foundations=N", command("dblclick", ace), "refused"},
        {"", command("rclick", ace), "ok"},
        {"--pref RightClick_To_Foundations=N", command("rclick", ace), "refused"},
        {"--pref RightClick_To_Foundations=N --pref RightClick_To_Foundations=Y", command("rclick", ace), "ok"},
    };
    for (const auto& c : cases) {
        const PlayRun r = play(std::string("1 1 ") + c.prefs, c.command + '\n');
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.replies(), std::vector<std::string>{c.reply}) << c.prefs << c.command;
        EXPECT_EQ(pileOf(r.table(), ace) == "Dest1", c.reply == std::string("ok")) << c.prefs << c.command;
    }
}

TEST_F(PlayTest, AutoplayTakesCardsToTheFoundationsAfterAMove)
{
    // Freecell deal 22: no ace lies on top, but the top card of a column covers one.
    const Game game = test::dealtGame(FreecellId, "22");
    int ace = 0, cover = 0;
    for (int i = 0; i < tableausInUse(game.rules) && ace == 0; ++i) {
        const std::string& pile = game.cards.piles.fila[std::size_t(i)];
        if (rank(cardAt(pile, cardCount(pile) - 2)) == Ace) {
            ace = cardAt(pile, cardCount(pile) - 2);
            cover = topCard(pile);
        }
    }
    ASSERT_NE(ace, 0);
    const std::string uncover = command("drop", cover, "Appogg1") + '\n';
    const struct {
        const char* options;
        std::string commands;
        std::vector<std::string> replies;
        bool aceOnFoundation;
    } cases[] = {
        {"--autoplay on", uncover, {"ok"}, true},
        {"--autoplay off", uncover, {"ok"}, false},
        {"", uncover, {"ok"}, false},
        {"", uncover + "autoplay\n", {"ok", "ok"}, true},
        {"", "autoplay\n" + uncover, {"ok", "ok"}, false}, // the run leaves the setting as it was
        {"", "autoplay\nautoplay\n", {"ok", "ok"}, false}, // ok also when nothing moves
    };
    for (const auto& c : cases) {
        const PlayRun r = play(std::string("1 22 ") + c.options, c.commands);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.replies(), c.replies) << c.options << " " << c.commands;
        EXPECT_EQ(pileOf(r.table(), ace).starts_with("Dest"), c.aceOnFoundation) << c.options << " " << c.commands;
    }
}

// ---- a whole game -------------------------------------------------------------------------------

TEST_F(PlayTest, AFreecellDealIsPlayedToItsWin)
{
    const std::string line = test::TempDir::readFile(freecellLinePath());
    ASSERT_FALSE(line.empty()) << freecellLinePath();
    const PlayRun r = play(std::string("1 ") + FreecellWinNumber, line);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> replies = r.replies();
    EXPECT_EQ(std::count(replies.begin(), replies.end(), "ok"), std::ptrdiff_t(replies.size()));
    EXPECT_GE(replies.size(), 52u);
    EXPECT_EQ(valueOf(r.table(), "Won"), "Y");
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> after = play(std::string("1 ") + FreecellWinNumber, line + "moves\n").replies();
    EXPECT_EQ(after.back(), "end");
    EXPECT_EQ(after[after.size() - 2], "ok") << "a won game lists no moves";

    // Line ends of another system, blank lines and comments do not change a thing.
    std::string crlf = "\r\n# the same line\r\n   \r\n";
    for (const std::string& command : splitLines(line))
        crlf += command + "\r\n";
    EXPECT_EQ(play(std::string("1 ") + FreecellWinNumber, crlf).lines, r.lines);
}

// Makes the data file of the test above; run by hand (kst_tests --gtest_also_run_disabled_tests
// --gtest_filter='*WriteFreecellLine') when the deal or the move texts change.
TEST(PlayTestData, DISABLED_WriteFreecellLine)
{
    const std::vector<Move> line =
        test::WinningLineSearch(300'000, 1000).search(test::dealtGame(FreecellId, FreecellWinNumber));
    ASSERT_FALSE(line.empty());
    std::ofstream file(freecellLinePath(), std::ios::binary);
    file << "# Freecell deal " << FreecellWinNumber << " played to its win: one move a line\n";
    for (const Move& move : line)
        file << moveText(move) << '\n';
}

// ---- stored lines played to their end -----------------------------------------------------------

// The output of a script, cut at its commands: a reply for each command but `print`, a table
// form for each `print`, the table form at the end.
struct PlayedScript {
    std::vector<std::string> replies;
    std::vector<std::vector<std::string>> prints;
    std::vector<std::string> end;
};

PlayedScript cutOutput(const std::string& script, const std::vector<std::string>& lines)
{
    PlayedScript played;
    auto at = lines.begin();
    const auto take = [&](std::size_t count) {
        const std::size_t n = std::min(count, std::size_t(lines.end() - at));
        std::vector<std::string> taken(at, at + std::ptrdiff_t(n));
        at += std::ptrdiff_t(n);
        return taken;
    };
    for (const std::string& command : splitLines(script)) {
        if (command.find_first_not_of(" \t") == std::string::npos || command.starts_with('#'))
            continue;
        if (command == "print")
            played.prints.push_back(take(TableFormLines));
        else if (const std::vector<std::string> reply = take(1); !reply.empty())
            played.replies.push_back(reply.front());
        else
            played.replies.push_back("(no reply)");
    }
    played.end = take(lines.size());
    return played;
}

// The card numbers of a pile of a table form, bottom first.
std::vector<std::string> cardsOf(const std::vector<std::string>& table, const std::string& pile)
{
    const std::string saved = valueOf(table, pile);
    std::vector<std::string> cards;
    for (std::size_t at = 0; at + 4 <= saved.size(); at += 4)
        cards.push_back(saved.substr(at, 3));
    return cards;
}

// A deal played by a stored line of commands to a position worth checking. The line is found by
// the search (the generator below) and played as the search played it: turn-ups are the
// player's clicks, automatic play is off.
struct StoredLine {
    const char* name; // the data file is tests/tools/data/<name>-<number>.play
    int gameId;
    const char* number;
    // What the search looks for, in the game as dealt and as played.
    bool (*goal)(const Game& dealt, const Game& now);
    // The line prints the table before and after its last move.
    bool printsAroundLastMove;
    // The checks of the played script.
    void (*check)(const PlayedScript& played);
};

constexpr const char* StoredLineOptions = "--pref Automatic_FaceUp=N";

bool wonAfterTurningTheWaste(const Game&, const Game& now)
{
    return now.won && now.counters.DealCounter > 1;
}

void checkWonAfterTurningTheWaste(const PlayedScript& played)
{
    EXPECT_EQ(valueOf(played.end, "Won"), "Y");
    EXPECT_GT(std::stoi(valueOf(played.end, "DealCounter")), 1) << "the waste was never turned over";
}

const StoredLine storedLines[] = {
    {"klondike", 2, "39", wonAfterTurningTheWaste, false, checkWonAfterTurningTheWaste},
    {"klondike-by-threes", 3, "24", wonAfterTurningTheWaste, false, checkWonAfterTurningTheWaste},
    {"spider-one-suit", 4, "8",
     [](const Game&, const Game& now) {
         return std::ranges::any_of(now.cards.piles.dest, [](const std::string& pile) { return cardCount(pile) == 13; });
     },
     false,
     [](const PlayedScript& played) {
         int full = 0;
         for (int d = 1; d <= 8; ++d)
             full += cardsOf(played.end, "Dest" + std::to_string(d)).size() == 13 ? 1 : 0;
         EXPECT_GE(full, 1) << "no completed run went home";
     }},
    {"canfield", 8, "2",
     // A tableau pile starts with a card that was dealt to the reserve: the reserve filled it.
     [](const Game& dealt, const Game& now) {
         return std::ranges::any_of(now.cards.piles.fila, [&](const std::string& pile) {
             return !pile.empty() && locateCard(dealt, cardAt(pile, 0)).pile.group == PileGroup::Appogg;
         });
     },
     true,
     [](const PlayedScript& played) {
         ASSERT_EQ(played.prints.size(), 2u);
         const std::vector<std::string>& before = played.prints[0];
         const std::vector<std::string>& after = played.prints[1];
         std::vector<std::string> reserve = cardsOf(before, "Appogg1");
         ASSERT_FALSE(reserve.empty());
         const std::string top = reserve.back();
         reserve.pop_back();
         EXPECT_EQ(cardsOf(after, "Appogg1"), reserve);
         int filled = 0;
         for (int i = 1; i <= 4; ++i) {
             const std::string fila = "Fila" + std::to_string(i);
             filled += cardsOf(after, fila) == std::vector{top} && cardsOf(before, fila) != std::vector{top} ? 1 : 0;
         }
         EXPECT_EQ(filled, 1) << "no emptied tableau pile took the reserve's top card " << top;
     }},
};

std::string storedLinePath(const StoredLine& line)
{
    return std::string(KST_SOURCE_DIR "/tests/tools/data/") + line.name + '-' + line.number + ".play";
}

std::string storedLineArgs(const StoredLine& line)
{
    return std::to_string(line.gameId) + ' ' + line.number + ' ' + StoredLineOptions;
}

TEST_F(PlayTest, StoredLinesArePlayedToTheirEnd)
{
    for (const StoredLine& line : storedLines) {
        SCOPED_TRACE(line.name);
        const std::string script = test::TempDir::readFile(storedLinePath(line));
        ASSERT_FALSE(script.empty()) << storedLinePath(line);
        const PlayRun r = play(storedLineArgs(line), script);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        const PlayedScript played = cutOutput(script, r.lines);
        ASSERT_EQ(played.end.size(), TableFormLines);
        EXPECT_FALSE(played.replies.empty());
        for (std::size_t i = 0; i < played.replies.size(); ++i)
            EXPECT_EQ(played.replies[i], "ok") << "move " << i + 1;
        line.check(played);
    }
}

// Makes the data files of the test above; run by hand (kst_tests --gtest_also_run_disabled_tests
// --gtest_filter='*WriteStoredLines') when a deal or the move texts change.
TEST(PlayTestData, DISABLED_WriteStoredLines)
{
    for (const StoredLine& line : storedLines) {
        const Game dealt = test::dealtGame(line.gameId, line.number);
        const std::vector<Move> moves = test::WinningLineSearch(1'000'000, 300).search(
            dealt, [&](const Game& now) { return line.goal(dealt, now); });
        ASSERT_FALSE(moves.empty()) << line.name;
        std::ofstream file(storedLinePath(line), std::ios::binary);
        file << "# " << test::shippedCatalogue().gameName(line.gameId) << " deal " << line.number
             << ", played with " << StoredLineOptions << ": one move a line\n";
        for (std::size_t i = 0; i < moves.size(); ++i) {
            if (line.printsAroundLastMove && i + 1 == moves.size())
                file << "print\n";
            file << moveText(moves[i]) << '\n';
        }
        if (line.printsAroundLastMove)
            file << "print\n";
    }
}

// ---- the data folder ----------------------------------------------------------------------------

TEST_F(PlayTest, OnlyRecordWritesAndThenOnlyTheRecentNumbersAndTheGamesPlayed)
{
    const PlayRun quiet = play("1 617", "restart\n");
    ASSERT_EQ(quiet.status, 0) << quiet.err;
    EXPECT_FALSE(fs::exists(dataDir())) << "nothing written without --record";

    const PlayRun recorded = play("1 617 --record", "restart\n");
    ASSERT_EQ(recorded.status, 0) << recorded.err;
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(dataDir()))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    // A negative score takes no part in the overall score, which has no file yet.
    EXPECT_EQ(files, (std::vector<std::string>{"CFG.DAT", "STAT.DAT", "STAT_LOG.DAT", "STAT_SCR.DAT"}));
    const ProfileFile config(dataDir() + "/CFG.DAT");
    EXPECT_EQ(config.readText("Game_Numbers", "Game001", ""), "0000000000617");
    EXPECT_EQ(config.readText("Game_Numbers", "Game002", ""), "");
    EXPECT_EQ(config.readText("Preference", "Game", "none"), "none");
}

} // namespace
} // namespace kst
