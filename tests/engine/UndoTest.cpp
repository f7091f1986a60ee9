#include "engine/GameSession.h"

#include "storage/SavedGame.h"
#include "storage/SectionFile.h"
#include "tests/support/PlayedSession.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

namespace kst {
namespace {

constexpr int Freecell = 1, Klondike = 2;

// Freecell of a fixed deal, automatic play off, and a move to make.
struct Played : test::PlayedSession {
    explicit Played(int gameId = Freecell) : PlayedSession(gameId, "1234567", {{Fld::ConfirmQuitGame, "N"}}) {}

    // The first move the rules list (not a press on the stock).
    bool move()
    {
        for (const Move& m : legalMoves(game()))
            if (m.kind != MoveKind::Stock)
                return session.play(m, MoveOrigin::Dragged);
        return false;
    }
    int beeps() const { return ports.messages.beeps(); }

    // The game saved after one move to the file, and the file's lines.
    std::vector<std::string> savedAfterAMove(const std::string& path)
    {
        std::string error;
        if (!move() || !session.saveGame(path, error))
            ADD_FAILURE() << "no game saved: " << error;
        return loadLines(path).lines;
    }
};

TEST(Undo, TheHistoryKeepsItsStatesAndTheirEvents)
{
    UndoHistory history;
    for (const char* pile : {"0011", "0021", "0031", "0041"}) {
        TableImage image;
        image[0] = pile;
        history.record(image);
    }
    history.logEvent(UndoEvents::SpecialCount);
    history.logEvent(UndoEvents::Redeal); // replaces the first
    history.log[1] = UndoEvents::SpecialCount;
    EXPECT_EQ(history.logText(), ",002,,003,");
    history.dropBeforeLast();
    EXPECT_EQ(history.states.back()[0], "0041");
    EXPECT_EQ(history.states[1][0], "0021");
    EXPECT_EQ(history.logText(), ",002,003,");
    history.dropLast(2);
    EXPECT_EQ(history.logText(), ",");
    std::vector<std::string> log;
    EXPECT_TRUE(UndoHistory::parseLog(",002,,003,", log));
    EXPECT_EQ(log, (std::vector<std::string>{"", "002", "", "003"}));
    for (const char* bad : {"002", "x,", "002,0a1,"})
        EXPECT_FALSE(UndoHistory::parseLog(bad, log)) << bad;
}

TEST(Undo, UndoAndRedoFollowTheirRules)
{
    Played p;
    const Game dealt = p.game();
    EXPECT_FALSE(p.session.undo()); // nothing to undo right after the deal
    EXPECT_EQ(p.beeps(), 1);
    ASSERT_TRUE(p.move());
    const Game moved = p.game();
    EXPECT_TRUE(p.session.undo());
    EXPECT_EQ(p.game().cards, dealt.cards);
    EXPECT_EQ(p.game().score, dealt.score);
    EXPECT_EQ(p.game().movesMade, 0);
    EXPECT_TRUE(p.session.redo());
    EXPECT_EQ(p.game().cards, moved.cards);
    // A new move after an undo leaves nothing to redo.
    EXPECT_TRUE(p.session.undo());
    ASSERT_TRUE(p.move());
    EXPECT_FALSE(p.session.redo());
    EXPECT_EQ(p.beeps(), 2);
}

TEST(Undo, OneLevelOnly)
{
    Played p;
    p.store.fnStoreSet(Fld::Undo_Enabled, "1");
    ASSERT_TRUE(p.move());
    ASSERT_TRUE(p.move());
    EXPECT_TRUE(p.session.undo());
    EXPECT_FALSE(p.session.undo());
    EXPECT_TRUE(p.session.redo());
    EXPECT_FALSE(p.session.redo());
    ASSERT_TRUE(p.move());
    EXPECT_TRUE(p.session.undo()); // a new move allows one undo again
    p.store.fnStoreSet(Fld::Undo_Enabled, "2");
    EXPECT_FALSE(p.session.redo());
}

TEST(Undo, RestartBringsBackTheDealtTable)
{
    Played p;
    const Game dealt = p.game();
    EXPECT_TRUE(p.session.restart()); // no move yet: the table as dealt
    EXPECT_EQ(p.game().cards, dealt.cards);
    ASSERT_TRUE(p.move());
    ASSERT_TRUE(p.move());
    p.ports.messages.queueAnswer(Answer::Ok);
    EXPECT_TRUE(p.session.restartGame());
    EXPECT_EQ(p.game().cards, dealt.cards);
    EXPECT_FALSE(p.session.canUndo());
    EXPECT_EQ(p.session.timeText(), "0:00:00");
    EXPECT_EQ(p.ports.messages.shown().back().text, "Restart this game?\rGame number: 0000001234567");
}

TEST(SavedGames, ASavedGameGoesOnWhereItWasWithItsHistory)
{
    test::TempDir dir("saved");
    // Klondike with the waste turned over once, after 30 seconds of play.
    Played p(Klondike);
    while (!p.game().cards.piles.stock[0].empty())
        ASSERT_TRUE(p.session.pressStock());
    ASSERT_TRUE(p.session.pressStock());
    ASSERT_EQ(p.game().counters.DealCounter, 2);
    p.ports.clock.setNow({2026, 12, 10, 13, 0, 5, 0});
    std::string error;
    ASSERT_TRUE(p.session.saveGame(dir.file("game.gam"), error)) << error;
    const Game saved = p.game();

    Played other;
    p.ports.clock.setNow({2026, 12, 10, 14, 0, 0, 0});
    ASSERT_TRUE(other.session.openGame(dir.file("game.gam")));
    EXPECT_EQ(other.game().cards, saved.cards);
    EXPECT_EQ(other.game().gameId, Klondike);
    EXPECT_EQ(other.game().counters.DealCounter, 2);
    EXPECT_EQ(other.game().movesMade, 2);
    EXPECT_EQ(other.store.fnStoreGet(Fld::GameId), "0002");
    // The same file again, byte for byte.
    ASSERT_TRUE(other.session.saveGame(dir.file("again.gam"), error));
    const std::string first = dir.read("game.gam"), second = dir.read("again.gam");
    EXPECT_EQ(first.substr(95), second.substr(95)) << "all but the header's clock and its line end";
    // Undoing the turn-over lowers the pass count.
    EXPECT_TRUE(other.session.undo());
    EXPECT_EQ(other.game().counters.DealCounter, 1);
    EXPECT_TRUE(other.game().cards.piles.stock[0].empty());
}

// Every catalogue game after random moves: saved and opened it is the equal game, and undoing
// its whole history brings back the dealt table.
TEST(SavedGames, EveryGameRoundTripsAndUndoesToItsDeal)
{
    test::TempDir dir("roundtrip");
    std::mt19937 pick(4242);
    for (const CatalogueGame& entry : test::shippedCatalogue().games()) {
        SCOPED_TRACE(entry.name);
        test::PlayedSession p(entry.gameId, "2718281", {{Fld::ConfirmQuitGame, "N"}});
        const Game dealt = p.game();
        for (int i = 0; i < 25; ++i) {
            const std::vector<Move> moves = legalMoves(p.game());
            if (moves.empty() || !p.session.inProgress())
                break;
            p.session.play(moves[pick() % moves.size()], MoveOrigin::Dragged);
        }
        if (!p.session.inProgress())
            continue;
        std::string error;
        ASSERT_TRUE(p.session.saveGame(dir.file("g.gam"), error)) << error;
        test::PlayedSession other(entry.gameId == 1 ? 2 : 1, "1", {{Fld::ConfirmQuitGame, "N"}});
        ASSERT_TRUE(other.session.openGame(dir.file("g.gam")));
        EXPECT_EQ(other.game().cards, p.game().cards);
        EXPECT_EQ(other.game().rules, p.game().rules);
        EXPECT_EQ(other.game().counters, p.game().counters);
        EXPECT_EQ(other.game().score, p.game().score);
        EXPECT_EQ(other.session.undoSteps(), p.session.undoSteps());
        while (other.session.undo(true)) {
        }
        EXPECT_EQ(other.game().cards, dealt.cards);
        EXPECT_EQ(other.game().counters.DealCounter, 1);
    }
}

TEST(SavedGames, TheFileLayout)
{
    test::TempDir dir("layout");
    Played p;
    const std::vector<std::string> lines = p.savedAfterAMove(dir.file("g.gam"));
    ASSERT_EQ(lines.size(), 2 + 10 + 55 + 5 + 55 + 1u);
    EXPECT_EQ(lines[0].size(), 95u);
    EXPECT_TRUE(lines[0].starts_with("[S-0303]0001"));
    EXPECT_EQ(lines[1].size(), 98u);
    EXPECT_EQ(lines[1].substr(50, 15), "0000001234567  ");
    EXPECT_EQ(lines[67], "[UNDO - Stock]");
    EXPECT_EQ(lines.back(), ",");
    EXPECT_EQ(dir.read("g.gam").find("\r\n"), lines[0].size());
}

TEST(SavedGames, AClockOfMoreThanAnHourAndOlderLayouts)
{
    Played p;
    test::TempDir dir("old");
    std::vector<std::string> lines = p.savedAfterAMove(dir.file("g.gam"));
    SavedGameFile file;
    std::string error;
    lines[0].replace(75, 6, "003605");
    ASSERT_TRUE(readSavedGame(lines, file, error));
    EXPECT_EQ(file.seconds, 3605);

    // The layout before "0303" knew 26 tableau piles: its file reads as this one.
    std::vector<std::string> old = lines;
    old[0].replace(3, 4, "0302");
    old.erase(old.begin() + 52, old.begin() + 54); // Fila27 and Fila28 of the image
    const auto piles = std::find(old.begin(), old.end(), "[UNDO - Piles]") - old.begin();
    old.erase(old.begin() + piles + 27, old.begin() + piles + 29);
    SavedGameFile upgraded;
    ASSERT_TRUE(readSavedGame(old, upgraded, error)) << error;
    EXPECT_EQ(upgraded.image, file.image);
    EXPECT_EQ(upgraded.tableau, file.tableau);

    lines[0].replace(75, 6, "003605");
    saveLines(dir.file("h.gam"), lines, p.ports.messages);
    Played other;
    other.ports.clock.setNow({2026, 12, 10, 12, 0, 0, 0});
    ASSERT_TRUE(other.session.openGame(dir.file("h.gam")));
    EXPECT_EQ(other.session.timeText(), "1:00:05");
}

TEST(SavedGames, DamagedFilesAreRefusedAndTheGameGoesOn)
{
    test::TempDir dir("damaged");
    Played p;
    const std::vector<std::string> lines = p.savedAfterAMove(dir.file("g.gam"));
    Played other;
    const Game before = other.game();
    // Every shorter file, a foreign header, a history whose stacks disagree, a bad pile text.
    std::vector<std::vector<std::string>> damaged;
    for (std::size_t n = 0; n < 67; n += 3)
        damaged.emplace_back(lines.begin(), lines.begin() + std::ptrdiff_t(n));
    damaged.push_back(lines);
    damaged.back()[0] = "[Preference]";
    damaged.push_back(lines);
    damaged.back().insert(damaged.back().begin() + 69, "0011");
    damaged.push_back(lines);
    damaged.back()[40] = "9991xx";
    damaged.push_back(lines);
    damaged.back()[0].replace(8, 4, "0777");
    for (std::size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(i);
        saveLines(dir.file("bad.gam"), damaged[i], p.ports.messages);
        EXPECT_FALSE(other.session.openGame(dir.file("bad.gam")));
        EXPECT_EQ(other.game(), before);
    }
    EXPECT_TRUE(other.session.inProgress());
    EXPECT_TRUE(other.ports.messages.shown().back().text.starts_with("The saved game " + dir.file("bad.gam")));
    EXPECT_FALSE(other.session.openGame(dir.file("missing.gam")));
    EXPECT_EQ(other.ports.messages.shown().back().text, "File not found: " + dir.file("missing.gam"));

    // Seeded damage anywhere in the file: refused or opened whole, never a crash or a broken table.
    std::mt19937 damage(99);
    const std::string bytes = dir.read("g.gam");
    // KST_FUZZ_ROUNDS asks for a longer run (scripts/sanitize.sh).
    const char* asked = std::getenv("KST_FUZZ_ROUNDS");
    const int rounds = asked ? std::max(1, std::atoi(asked)) : 300;
    for (int round = 0; round < rounds; ++round) {
        std::string text = bytes;
        for (int k = 0; k < 1 + round % 5; ++k)
            text[damage() % text.size()] = "0123456789 ,-[]x\r\n"[damage() % 17];
        dir.write("fuzz.gam", text);
        Played fuzzed;
        if (fuzzed.session.openGame(dir.file("fuzz.gam"))) {
            EXPECT_EQ(gameIsOk(fuzzed.game()), "") << round;
        }
        while (fuzzed.session.undo(true))
            ASSERT_EQ(gameIsOk(fuzzed.game()), "") << round;
    }
}

TEST(SavedGames, TheSnapshotIsReturnedToUntilTheGameEnds)
{
    Played p;
    ASSERT_TRUE(p.move());
    const Game at = p.game();
    p.ports.messages.queueAnswer(Answer::Ok);
    ASSERT_TRUE(p.session.takeSnapshot());
    const std::string file = p.store.fnStoreGet(Fld::SnapshotFile);
    ASSERT_FALSE(file.empty());
    ASSERT_TRUE(p.move());
    p.ports.messages.queueAnswer(Answer::Ok);
    ASSERT_TRUE(p.session.undoToSnapshot());
    EXPECT_EQ(p.game().cards, at.cards);
    EXPECT_EQ(p.session.undoSteps(), 1u);
    p.session.endGame();
    EXPECT_FALSE(p.session.hasSnapshot());
    EXPECT_FALSE(std::filesystem::exists(file));
}

} // namespace
} // namespace kst
