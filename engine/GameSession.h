#pragma once
// A game session: the running game from its start to its end, the same for every front end. It
// loads the rules, deals, runs the player's moves through the move engine with their sounds and
// the steps that follow them, keeps the clock and the score, pauses, and ends the game. The main
// window and kestrane-cli each drive one; what they show of it they learn through GameView.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/AfterMove.h"
#include "engine/Game.h"
#include "engine/Move.h"
#include "engine/Moves.h"
#include "engine/Sounds.h"
#include "engine/UndoHistory.h"
#include "platform/Clock.h"
#include "platform/Geometry.h"
#include "platform/MessageBoxes.h"
#include "platform/Random.h"
#include "platform/Sound.h"
#include "storage/GameCatalogue.h"
#include "storage/ProfileFile.h"
#include "storage/SessionStore.h"

namespace kst {

struct SavedGameFile;

// What the session tells its front end; every call comes after the game value changed. The
// defaults do nothing, which is all the command line needs.
class GameView {
public:
    virtual ~GameView() = default;
    // A new game's rules are loaded: the table is laid out for them.
    virtual void rulesLoaded() {}
    // A deal, a restart or a loaded game is on the table: paint it (animate: card by card);
    // unless keepLook, a new random look may be drawn first.
    virtual void dealt(bool /*animate*/, bool /*keepLook*/) {}
    // A move was made; `before` is the game as it was. The cards of a move the player did not drag
    // are shown travelling.
    virtual void moved(const Game& /*before*/, const Move& /*move*/, bool /*dragged*/) {}
    virtual void scoreChanged(int /*score*/) {}
    virtual void clockChanged(long /*seconds*/) {}
    // Caption, enabled commands and the like follow the session's state.
    virtual void stateChanged() {}
    virtual void busy(bool /*on*/) {}
    virtual void pauseChanged(bool /*paused*/) {}
    // A pause of the given length in which the window goes on painting.
    virtual void wait(int /*ms*/) {}
    // The game was won and ended: the winning display and the game-won dialog.
    virtual void gameWon() {}
};

// A finished game, as statistics, the game log and hi-scores record it.
struct GameResult {
    int gameId = -1;
    std::string gameName;
    std::string number;
    std::string player;
    bool won = false;
    long seconds = 0;
    int score = 0;
    int scoreMode = StandardScoring;
    DateTime end;
};

// Where finished games are recorded; the session works without one.
class GameRecorder {
public:
    virtual ~GameRecorder() = default;
    virtual void record(const GameResult& result) = 0;
};

struct SessionPorts {
    MessageBoxes& messages;
    Clock& clock;
    RandomSource& random;
    SoundPlayer& sound;
};

// Who made a move: the sound and the steps after it depend on it.
enum class MoveOrigin { Dragged, Clicked, Automatic };

// Number modes of a new deal: 2 draws a new random GameNumber, any other keeps the session's.
inline constexpr int KeepNumber = 1;
inline constexpr int RandomNumber = 2;

class GameSession {
public:
    // config is CFG.DAT; without one (the command line) nothing is written there.
    GameSession(SessionStore& store, const GameCatalogue& catalogue, SessionPorts ports, ProfileFile* config = nullptr);

    void setView(GameView* view) { m_view = view ? view : &m_silent; }
    void setRecorder(GameRecorder* recorder) { m_recorder = recorder; }

    // ---- state ----
    const Game& game() const { return m_game; }
    SessionStore& store() { return m_store; }
    bool hasGame() const { return m_game.gameId >= 0; }
    bool inProgress() const { return m_inProgress; }
    bool paused() const { return m_paused; }
    bool timerRunning() const { return m_timerRunning; }
    // States recorded for undo since the deal: one for every move.
    std::size_t undoSteps() const { return m_history.states.size(); }

    // ---- starting and leaving games ----
    // True when the running game may be left: at once without a game in progress, a won game or
    // with ConfirmQuitGame "N"; otherwise the player confirms `text` (default "Quit this game?").
    bool confirmQuit(std::string_view text = {});
    // While the front end is in a mode that must not be left (an animation, a demo).
    void setQuitForbidden(bool forbidden) { m_quitForbidden = forbidden; }
    // A game chosen from outside (browser, game number, players): the running one ends, the rules
    // load when the game changed, a new deal follows. False when nothing was started.
    bool startGame(int gameId, const std::string& gameName, const std::string& player, int numberMode,
                   bool remember);
    // A deal of the current game; with newTable false the table as it is continues (restart, a
    // loaded game). False with a message when the game cannot be dealt.
    bool newDeal(bool newTable, bool animate, int numberMode, bool keepLook);
    // Where the number of a new random deal comes from: given the game with its rules loaded, the
    // front end may choose one (a deal proved winnable). Without a chooser a number is drawn.
    void setDealNumbers(std::function<std::string(const Game&)> choose) { m_dealNumbers = std::move(choose); }
    // The same deal again from its first position.
    bool restart();
    // A game brought back as it stood (a saved game, a position to study): it goes on from there,
    // without a deal. False when it names no game.
    bool resume(const Game& game);
    // Ends the game and leaves no game chosen.
    void closeGame();
    // Closes the running game: records it and, when won, plays the win. Returns the won flag.
    bool endGame();
    void setPause(bool on);

    // ---- playing ----
    // Makes a legal move with its sound and the steps after it; the end of the game follows a win.
    // False, changing nothing, when the rules refuse it or no game is in progress.
    bool play(const Move& move, MoveOrigin origin);
    // The card dragged onto the pile, by the pointer's rules.
    bool drop(int card, PileRef to);
    // A left press that acts at once: turn-up, click-to-move, discard.
    bool click(int card);
    // Click to move: the first destination the preferences' kinds allow.
    bool doubleClick(int card);
    bool rightClick(int card);
    // A press on the stock (or on the empty waste, pressed = Mazzo_Vis): the stock command the
    // rules choose, or the message why it is refused. False when nothing happened.
    bool pressStock(PileRef pressed = Mazzo);
    // The Autoplay command: checked, and usable in this game.
    void setAutoplay(bool checked) { m_autoplayChecked = checked; }
    bool autoplayOn() const;
    // One automatic-play run: the empty tableau piles filled as the game fills them, and with
    // Autoplay on every card that can go to a foundation sent there, again while cards move.
    bool autoplay();
    // Stops a running automatic play after the move under way.
    void interruptAutoplay() { m_interrupted = true; }
    // The player's settings for the steps the rules make by themselves.
    AutomaticPlay automaticPlay() const;

    // ---- undo, redo, restart, saved games and the snapshot ----
    // One recorded state back or forward; refused (with the beep, unless quiet) when there is
    // none, no game is in progress or the Undo_Enabled preference forbids it.
    bool undo(bool quiet = false);
    bool redo(bool quiet = false);
    bool canUndo() const { return !m_history.empty(); }
    bool canRedo() const { return !m_redoHistory.empty(); }
    // The Restart command: asks while a game is in progress and not won, ends the game (so it is
    // recorded), brings back the table before the first move and goes on from there.
    bool restartGame();
    // Writes the game with its undo history to the file (the saved-game format); false with the
    // reason in `error` when it cannot be written. The game goes on unchanged either way.
    bool saveGame(const std::string& path, std::string& error);
    // Leaves the running game (after the quit confirmation) and goes on with the saved one. False
    // with a message shown when the file is missing, unreadable or names no playable game.
    bool openGame(const std::string& path);
    // The snapshot: the game saved to a temporary file, and the return to it.
    bool takeSnapshot();
    bool undoToSnapshot();
    bool hasSnapshot() const;
    // The screen's width, for the games that ask for a large screen (0: not known, any fits).
    void setScreenWidth(int width) { m_screenWidth = width; }
    // False, after telling the player, when the game cannot be played on this screen.
    bool gamePlayable(int gameId);

    // ---- time ----
    // Seconds of play: frozen while paused and after the end.
    long elapsedSeconds();
    // The time box's text, "h:nn:ss" with the given separator.
    std::string timeText(std::string_view separator = ":");

private:
    // A move plays its sound, or makes none under a sound already playing (a run going home).
    enum class Step { Sounded, Silent };

    bool pref(Field field) const;
    void sound(SoundEvent event);
    bool moveSound(const Game& before, const Move& move, MoveOrigin origin);
    class Steps;
    bool clickToMove(int card, Field toFoundations, Field toTableaus);
    bool makeMove(const Move& move, MoveOrigin origin, Step step);
    // Undo and redo: the state before a move recorded, both histories emptied, one state moved
    // from one history to the other.
    void recordState();
    void clearHistories();
    bool step(bool back, bool quiet);
    // The game goes on from a saved file's table, history and counters.
    bool gameFromSaved(const SavedGameFile& file, Game& game, std::string& reason);
    void takeSaved(const SavedGameFile& file, const Game& game);
    // The saved file at the path and the game it holds, checked whole; false with the reason
    // (empty when the player was told already).
    bool readSaved(const std::string& path, SavedGameFile& file, Game& game, std::string& reason);
    SavedGameFile savedFile();
    void afterScore();
    void recordNumber();
    void startClock();

    SessionStore& m_store;
    const GameCatalogue& m_catalogue;
    SessionPorts m_ports;
    ProfileFile* m_config;
    GameView m_silent;
    GameView* m_view = &m_silent;
    GameRecorder* m_recorder = nullptr;
    std::function<std::string(const Game&)> m_dealNumbers;

    Game m_game;
    UndoHistory m_history;
    UndoHistory m_redoHistory;
    bool m_inProgress = false;
    bool m_quitForbidden = false;
    bool m_autoplayChecked = false;
    bool m_interrupted = false;
    bool m_paused = false;
    bool m_timerRunning = false;
    DateTime m_start;
    DateTime m_pauseMoment;
    long m_frozenSeconds = 0;
    int m_screenWidth = 0;
};

} // namespace kst
