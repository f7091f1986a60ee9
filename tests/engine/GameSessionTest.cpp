#include "engine/GameSession.h"
#include "engine/Stock.h"

#include "tests/engine/GameFixture.h"
#include "tests/support/CatalogueFiles.h"
#include "tests/support/ShippedGames.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kst {
namespace {

struct RecordedGames : GameRecorder {
    void record(const GameResult& result) override { results.push_back(result); }
    std::vector<GameResult> results;
};

constexpr int Freecell = 1, Klondike = 2;

// A session on the shipped catalogue with the test ports, every sound switched on, Freecell of
// deal 1234567 started.
class GameSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const NamedField& f : Fld::all)
            if (f.name.starts_with("Sounds_"))
                m_store.fnStoreSet(f.field, "Y");
        m_store.fnStoreSet(Fld::UserDefault, "Player 1");
        m_store.fnStoreSet(Fld::ConfirmQuitGame, "Y");
        m_store.fnStoreSet(Fld::DoubleClick_To_Foundations, "Y");
        m_session.setRecorder(&m_recorded);
    }

    void start(int gameId, const char* number = "1234567")
    {
        m_store.fnStoreSet(Fld::GameNumber, number);
        ASSERT_TRUE(m_session.startGame(gameId, test::shippedCatalogue().gameName(gameId), "Player 1", KeepNumber, false));
    }

    std::vector<std::string> soundsPlayed() const
    {
        std::vector<std::string> names;
        for (const test::PlayedSound& s : m_ports.sound.played())
            names.push_back(std::filesystem::path(s.path).filename().string());
        return names;
    }

    // A top card of the tableau that is an Ace, or 0.
    int aceOnTop() const
    {
        for (int i = 0; i < 8; ++i)
            if (const int top = topCard(m_session.game().pile(filaPile(i))); rank(top) == Ace)
                return top;
        return 0;
    }

    test::TestPorts m_ports;
    SessionStore m_store{KST_PROGRAM_DIR};
    test::TempDir m_data{"session"};
    ProfileFile m_config{m_data.file("CFG.DAT")};
    GameSession m_session{m_store, test::shippedCatalogue(),
                          SessionPorts{m_ports.messages, m_ports.clock, m_ports.random, m_ports.sound}, &m_config};
    RecordedGames m_recorded;
};

TEST_F(GameSessionTest, StartingAGameDealsItsNumberAndRecordsTheNumber)
{
    start(Freecell);
    EXPECT_TRUE(m_session.inProgress());
    EXPECT_EQ(m_session.game(), test::dealtGame(Freecell, "1234567"));
    EXPECT_EQ(m_store.fnStoreGet(Fld::GameId), "0001");
    EXPECT_EQ(m_store.fnStoreGet(Fld::CurrentScore), "-52");
    EXPECT_EQ(m_config.readText("Game_Numbers", "Game001", ""), "0000001234567");
    EXPECT_TRUE(m_ports.messages.shown().empty());
}

TEST_F(GameSessionTest, LeavingARunningGame)
{
    start(Freecell);
    // The same game for the same player while it runs: nothing happens.
    EXPECT_FALSE(m_session.startGame(Freecell, "Freecell", "Player 1", RandomNumber, false));
    EXPECT_EQ(m_session.game().number, "0000001234567");

    // Asked and declined: the running game stays exactly as it was, nothing is recorded.
    const Game before = m_session.game();
    EXPECT_FALSE(m_session.startGame(Klondike, "Klondike", "Player 1", KeepNumber, false));
    ASSERT_EQ(m_ports.messages.shown().size(), 1u);
    EXPECT_EQ(m_ports.messages.shown()[0].text, "Quit this game?");
    EXPECT_EQ(m_session.game(), before);
    EXPECT_EQ(m_store.fnStoreGet(Fld::GameId), "0001");
    EXPECT_TRUE(m_recorded.results.empty());

    // Not asked: the abandoned game is recorded as lost and the new one dealt.
    m_store.fnStoreSet(Fld::ConfirmQuitGame, "N");
    EXPECT_TRUE(m_session.startGame(Klondike, "Klondike", "Player 1", KeepNumber, false));
    ASSERT_EQ(m_recorded.results.size(), 1u);
    EXPECT_EQ(m_recorded.results[0].gameId, Freecell);
    EXPECT_FALSE(m_recorded.results[0].won);
    EXPECT_EQ(m_session.game().gameId, Klondike);
    EXPECT_EQ(m_ports.messages.shown().size(), 1u);

    m_session.closeGame();
    EXPECT_FALSE(m_session.hasGame());
    EXPECT_FALSE(m_session.inProgress());
    EXPECT_EQ(m_store.fnStoreGet(Fld::GameId), "-1");
    EXPECT_EQ(m_recorded.results.size(), 2u);
    EXPECT_FALSE(m_session.newDeal(true, false, RandomNumber, false));
}

TEST_F(GameSessionTest, APauseDoesNotCount)
{
    m_ports.clock.setNow({2026, 12, 10, 12, 0, 0, 0});
    start(Freecell);
    m_ports.clock.setNow({2026, 12, 10, 12, 1, 0, 0});
    m_session.setPause(true);
    m_ports.clock.setNow({2026, 12, 10, 12, 11, 0, 0});
    EXPECT_EQ(m_session.elapsedSeconds(), 60);
    m_session.setPause(false);
    m_ports.clock.setNow({2026, 12, 10, 12, 12, 0, 0});
    EXPECT_EQ(m_session.timeText(), "0:02:00");
    // Moves wait for the pause to end.
    m_session.setPause(true);
    const Game paused = m_session.game();
    for (const Move& m : legalMoves(paused))
        EXPECT_FALSE(m_session.play(m, MoveOrigin::Dragged));
    EXPECT_EQ(m_session.game(), paused);
}

TEST_F(GameSessionTest, SoundsFollowTheirSwitches)
{
    start(Freecell);
    const int ace = aceOnTop();
    ASSERT_NE(ace, 0) << "the deal shows an Ace on top";
    m_store.fnStoreSet(Fld::Sounds_Tableau, "N");
    // A free cell takes the first top card that is no Ace: silent now.
    int other = 0;
    for (int i = 0; i < 8 && other == 0; ++i)
        if (const int top = topCard(m_session.game().pile(filaPile(i))); rank(top) != Ace)
            other = top;
    ASSERT_TRUE(m_session.drop(other, appoggPile(0)));
    ASSERT_TRUE(m_session.doubleClick(ace));
    EXPECT_EQ(soundsPlayed(), std::vector<std::string>{"Foundation.wav"});

    m_store.fnStoreSet(Fld::Sounds_Enabled, "N");
    m_store.fnStoreSet(Fld::Sounds_Tableau, "Y");
    const std::vector<Move> moves = legalMoves(m_session.game());
    const auto toCell = std::find_if(moves.begin(), moves.end(), [](const Move& m) { return m.to.group == PileGroup::Appogg; });
    ASSERT_NE(toCell, moves.end());
    ASSERT_TRUE(m_session.play(*toCell, MoveOrigin::Dragged));
    EXPECT_EQ(soundsPlayed().size(), 1u);
}

TEST_F(GameSessionTest, AutomaticPlaySendsCardsHomeAfterTheDeal)
{
    m_session.setAutoplay(true);
    start(Freecell);
    EXPECT_EQ(aceOnTop(), 0);
    const std::vector<std::string> sounds = soundsPlayed();
    EXPECT_FALSE(sounds.empty());
    EXPECT_TRUE(std::all_of(sounds.begin(), sounds.end(), [](const std::string& s) { return s == "Autoplay.wav"; }));
    EXPECT_GT(m_session.game().score, -52);
}

TEST_F(GameSessionTest, AnExposedCardTurnsUpWithTheMove)
{
    start(Klondike);
    const Game& game = m_session.game();
    std::vector<Move> moves = legalMoves(game);
    const auto fromTableau = std::find_if(moves.begin(), moves.end(), [&](const Move& m) {
        return m.kind == MoveKind::Drop && m.from.group == PileGroup::Fila && cardCount(game.pile(m.from)) > 1;
    });
    if (fromTableau == moves.end())
        GTEST_SKIP() << "no tableau move in this deal";
    const PileRef from = fromTableau->from;
    ASSERT_TRUE(m_session.play(*fromTableau, MoveOrigin::Dragged));
    EXPECT_FALSE(game.cards.deck.isFaceDown(topCard(game.pile(from))));
    EXPECT_EQ(m_session.undoSteps(), 2u); // the move and its turn-up, a state each
    EXPECT_EQ(soundsPlayed().back(), "Face_up.wav");
}

TEST_F(GameSessionTest, RecentNumbersMoveToTheFront)
{
    start(Freecell, "1");
    for (const char* number : {"2", "3", "2"}) {
        m_store.fnStoreSet(Fld::GameNumber, number);
        ASSERT_TRUE(m_session.newDeal(true, false, KeepNumber, false));
    }
    const auto at = [&](int i) { return m_config.readText("Game_Numbers", "Game0" + std::string(i < 10 ? "0" : "") + std::to_string(i), "?"); };
    EXPECT_EQ(at(1), "0000000000002");
    EXPECT_EQ(at(2), "0000000000003");
    EXPECT_EQ(at(3), "0000000000001");
    EXPECT_EQ(at(4), "");
    EXPECT_EQ(at(20), "");
}

// A random deal takes its number from the front end's chooser, which sees the new game's rules;
// a deal by number never asks it.
TEST_F(GameSessionTest, ARandomDealTakesTheChosenNumber)
{
    std::vector<int> asked; // the game id of each question
    m_session.setDealNumbers([&](const Game& game) {
        asked.push_back(game.gameId);
        EXPECT_NE(game.rules[Rule::DeckSize], 0);
        return std::string("42");
    });
    start(Freecell);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(m_session.game().number, "0000001234567");

    ASSERT_TRUE(m_session.newDeal(true, false, RandomNumber, false));
    m_store.fnStoreSet(Fld::ConfirmQuitGame, "N");
    ASSERT_TRUE(m_session.startGame(Klondike, "Klondike", "Player 1", RandomNumber, false));
    EXPECT_EQ(asked, (std::vector<int>{Freecell, Klondike}));
    EXPECT_EQ(m_session.game(), test::dealtGame(Klondike, "42"));
}

// ---- a chosen position, played on ---------------------------------------------------------------

using test::C;
using test::D;
using test::H;
using test::S;

class SessionPositionTest : public GameSessionTest {
protected:
    // The position as a game of the catalogue's first game, resumed in the session.
    void resume(const std::vector<test::Pile>& piles, const std::vector<std::pair<int, int>>& rules = {})
    {
        Game game = test::table(piles, rules);
        game.gameId = Freecell;
        game.number = "0000000000001";
        ASSERT_TRUE(m_session.resume(game));
    }
    const Game& game() const { return m_session.game(); }
};

TEST_F(SessionPositionTest, ClickKindsFollowTheirPreferences)
{
    // The nine fits no foundation but the black ten of the second pile (and there are no reserves,
    // which a lone card is offered when foundations are wanted).
    resume({{filaPile(0), {H(9)}}, {filaPile(1), {S(10)}}, {filaPile(2), {C(5)}}}, {{Rule::ReserveCount, 0}});
    m_store.fnStoreSet(Fld::RightClick_To_Foundations, "Y");
    m_store.fnStoreSet(Fld::RightClick_To_Tableaus, "N");
    EXPECT_FALSE(m_session.rightClick(H(9)));
    m_store.fnStoreSet(Fld::DoubleClick_To_Tableaus, "Y");
    EXPECT_TRUE(m_session.doubleClick(H(9)));
    EXPECT_EQ(topCard(game().pile(filaPile(1))), H(9));
}

TEST_F(SessionPositionTest, AutomaticPlayNeverTakesFromAFoundation)
{
    // The Ace could go from the first foundation to the second; automatic play leaves it.
    resume({{destPile(0), {H(1)}}, {filaPile(0), {S(1)}}, {filaPile(1), {C(7)}}},
           {{Rule::FoundationTakeBack, TakeBackAlways}, {Rule::Autoplay, 1}});
    m_session.setAutoplay(true);
    m_session.autoplay();
    EXPECT_EQ(game().pile(destPile(0)), cardDigits(H(1)));
    EXPECT_EQ(game().pile(destPile(1)), cardDigits(S(1)));
}

TEST_F(SessionPositionTest, AGapRefusesTheDealWithItsMessage)
{
    resume({{Mazzo, {H(5), H(6)}, 2}, {filaPile(0), {C(7)}}}, {{Rule::StockToTableau, 2}});
    const Game before = game();
    EXPECT_FALSE(m_session.pressStock());
    ASSERT_EQ(m_ports.messages.shown().size(), 1u);
    EXPECT_EQ(m_ports.messages.shown()[0].text, FillGapsMessage);
    EXPECT_EQ(game(), before);
}

TEST_F(SessionPositionTest, ACompletedRunGoesHomeWithTheMoveThatMadeIt)
{
    std::vector<int> run;
    for (int r = 13; r >= 2; --r)
        run.push_back(S(r));
    std::vector<std::pair<int, int>> rules = {{Rule::TableauBuildCode, BuildCodes::AnySuit},
                                              {Rule::TableauBuildCode + 1, BuildCodes::AnySuit}};
    for (int i = 0; i < 4; ++i)
        rules.push_back({Rule::BaseRank + i, EmptyRules::FilledByCompletedRunsToo});
    resume({{filaPile(0), run}, {filaPile(1), {H(9), S(1)}, 1}}, rules);
    ASSERT_TRUE(m_session.drop(S(1), filaPile(0)));
    EXPECT_EQ(cardCount(game().pile(destPile(0))), 13);
    EXPECT_TRUE(game().pile(filaPile(0)).empty());
    EXPECT_FALSE(game().cards.deck.isFaceDown(H(9))); // the card it left turned up
    EXPECT_EQ(m_session.undoSteps(), 1u + 13u + 1u); // the drop, each card of the run, the turn-up
}

TEST_F(SessionPositionTest, TheFirstMoveFillsTheTableauFromTheStock)
{
    resume({{Mazzo, {H(5), H(6)}, 2}, {filaPile(0), {C(7), D(6)}}, {filaPile(1), {S(9)}}},
           {{Rule::FillAfterFirstMove, 1}, {Rule::TableauCount, 3}});
    ASSERT_TRUE(m_session.drop(D(6), appoggPile(0)));
    EXPECT_EQ(topCard(game().pile(filaPile(2))), H(6)); // the stock's top card
    ASSERT_TRUE(m_session.drop(C(7), appoggPile(1)));
    EXPECT_TRUE(game().pile(filaPile(0)).empty()) << "only after the first move";
}

// A catalogue of one game of one pile of 52 cards in the stock, with the target score -52.
struct TargetCatalogue {
    explicit TargetCatalogue(bool largeScreen = false)
    {
        const std::vector<std::string> lines =
            test::catalogueLines({{5, 1, "Target", false, largeScreen}}, [](int index, int) {
                switch (index) {
                case Rule::DeckSize: return 52;
                case Rule::StockDealt: return 52;
                case Rule::FoundationCount: return 4;
                case Rule::TableauCount: return 1;
                case Rule::TargetScore: return -52;
                default: return 0;
                }
            });
        dir.write("GAMES.DAT", test::joinLines(lines));
        EXPECT_TRUE(catalogue.load(dir.file("GAMES.DAT")).ok);
    }
    test::TempDir dir{"target"};
    GameCatalogue catalogue;
};

TEST(GameSessionTarget, AGameForLargeScreensIsNotOpenedOnASmallOne)
{
    TargetCatalogue target(true);
    test::TestPorts ports;
    SessionStore store(target.dir.path().string());
    store.fnStoreSet(Fld::ConfirmQuitGame, "N");
    GameSession session(store, target.catalogue, SessionPorts{ports.messages, ports.clock, ports.random, ports.sound});
    ASSERT_TRUE(session.startGame(1, "Target", "", RandomNumber, false));
    std::string error;
    ASSERT_TRUE(session.saveGame(target.dir.file("g.gam"), error));
    session.setScreenWidth(640);
    EXPECT_FALSE(session.openGame(target.dir.file("g.gam")));
    EXPECT_EQ(ports.messages.shown().back().text,
              "Your video card's display is 640x480 pixels.\rYou can't play: Target\r"
              "Please set your screen resolution to 800x600 pixels or higher.");
    session.setScreenWidth(800);
    EXPECT_TRUE(session.openGame(target.dir.file("g.gam")));
}

TEST(GameSessionTarget, QuittingAtTheTargetScoreCountsAsWon)
{
    TargetCatalogue target;
    GameCatalogue& catalogue = target.catalogue;
    test::TempDir& dir = target.dir;
    test::TestPorts ports;
    SessionStore store(dir.path().string());
    GameSession session(store, catalogue, SessionPorts{ports.messages, ports.clock, ports.random, ports.sound});
    RecordedGames recorded;
    session.setRecorder(&recorded);
    ASSERT_TRUE(session.startGame(1, "Target", "", RandomNumber, false));
    EXPECT_EQ(session.game().score, -52);
    EXPECT_FALSE(session.game().won);
    EXPECT_TRUE(session.endGame());
    ASSERT_EQ(recorded.results.size(), 1u);
    EXPECT_TRUE(recorded.results[0].won);
}

} // namespace
} // namespace kst
