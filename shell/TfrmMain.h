#pragma once
// The main window: the card table, its toolbars, the time and score boxes, the start-up and
// shut-down of the program. It does no card logic: the table's drawing and the engine do.

#include "engine/GameSession.h"
#include "storage/GameCatalogue.h"
#include "platform/Ports.h"
#include "shell/InputFilter.h"
#include "shell/SolverControl.h"
#include "shell/TableWidget.h"
#include "storage/Paths.h"
#include "storage/ProfileFile.h"
#include "storage/SessionStore.h"
#include "storage/Startup.h"
#include "table/Appearance.h"
#include "table/Pointer.h"
#include "table/TableView.h"

#include <QMainWindow>

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

class QAction;
class QFrame;
class QMenu;
class QLabel;
class QScrollBar;
class QTimer;
class QToolButton;

namespace kst {

class StatsFiles;
class StatsRecorder;
class HelpWindow;
class TfrmCardCounter;
class TfrmGameWon;
class TfrmOpenGame;
class WinningAnimationPlayer;
struct StatsContext;

class TfrmMain : public QMainWindow, private GameView
{
    Q_OBJECT

public:
    // Runs the start-up: preferences, the catalogue, the pictures, the window's placement. The
    // resource library must be open already.
    TfrmMain(SessionStore& store, const Ports& ports, ProgramFiles files, QWidget* parent = nullptr);
    ~TfrmMain() override;

    SessionStore& store() { return m_store; }
    const Ports& ports() const { return m_ports; }
    const ProgramFiles& files() const { return m_files; }
    TableView& table() { return *m_table; }
    TableWidget& tableWidget() { return *m_imgSfondo; }
    ProfileFile& config() { return m_config; }

    GameSession& session() { return *m_session; }
    SolverControl& solver() { return *m_solver; }

    // ---- state ----
    bool gameInProgress() const { return m_session->inProgress(); }
    QString timeText() const;
    bool firstActivationPending() const { return m_firstActivationPending; }

    // ---- commands other parts of the program run ----
    // Starts a game: its rules, the table laid out for it, a new deal (a new random number or
    // the session's), the deal shown. False with a message when the game cannot be played.
    // The player is the current one unless one is given.
    bool startGame(int gameId, const std::string& gameName, bool newNumber, const std::string& player = {});
    // The Open a game command: the game browser, then the game chosen there started. A saved game
    // may be opened from it instead. Closed without a game on the table, the table is left empty.
    void openGameBrowser();
    TfrmOpenGame& gameBrowser() { return *m_browser; }
    // The rules of a game in their window; a customized game's beside those of its base game.
    void showRules(int gameId);
    // The help window on a page: beside the table, or over the dialog that asked for it.
    void showHelp(const std::function<void(HelpWindow&)>& page);
    HelpWindow* helpWindow() { return m_help; }
    // The Game information command: the odds, the player's totals and the best result of the game
    // on the table.
    void showGameInformation();
    // The Tip of the Day.
    void showTips();
    // The statistics dialog, its lists preset to a game and a player when given.
    void showStatistics(const std::string& gameName = {}, const std::string& player = {});
    // The Select a game number command.
    void selectGameNumber();
    // The game-won dialog, after a won game: it leads on to the next game.
    void showGameWon();
    // The winning display: card faces painted over the table in a pattern (one of the six names or
    // "(Random)"; any other name paints nothing) for some seconds, the pauses set by the session's
    // Speed_Move_Card as it is now. Without them, the pattern and the time come from CFG.DAT, as
    // after a won game. It plays while the window goes on working, with the animation input filter
    // in place: a key or a click stops it. finished runs at its end, at once when nothing plays
    // (or another display is playing); a close asked for meanwhile closes the window then.
    void runWinningAnimation(std::optional<std::string> pattern = {}, std::optional<long> seconds = {},
                             std::function<void()> finished = {});
    // The appearance dialog's preview: the given pattern for the given seconds, as above; returns
    // once it has ended. False when the window is about to close (a close came meanwhile): the
    // dialog is then not to be shown again.
    bool previewWinningAnimation(const std::string& pattern, long seconds);
    // The New command: the running game left (after the player agrees), a new random deal.
    void newDeal();
    void randomGame();
    void restartGame();
    // The Quit game command: the running game left (after the player agrees), the table cleared.
    void quitGame();
    // No game on the table: the background only, the game commands off.
    void enterNoGameState();
    // The Pause command: the table covered and the clock stopped until any key or click.
    void setPause(bool on);
    void enableGameCommands(bool on);
    // The Save command: the file chosen (asking before one is replaced) and the game written.
    void saveGame();
    // Opening a saved game, which the game browser offers: the file chosen and the game resumed.
    void openSavedGame();
    void refreshCaption();
    // The autoplay switch: on, off.
    void toggleAutoPlay();
    bool autoPlay() const;
    // A move of the solver's winning line, made as a click makes it, its cards gliding slowly
    // enough to be followed. False when the rules refuse it.
    bool playSlowly(const Move& move);
    // Cards moving by themselves (a deal, a glide, a solution played): input is held off and game
    // commands wait until they are done.
    void cardsMoving(bool on);
    bool animating() const { return m_animationRunning || m_cardsMoving > 0; }

    // The toolbar's look, as its popup menu switches it: each writes its preference.
    void setLargeToolbar(bool large);
    void setFlatButtons(bool flat);
    void setTimeBoxShown(bool shown);
    void setScoreBoxShown(bool shown);
    // The main popup menu at a point of the table, when the player wants it.
    void showMainPopup(QPoint at);
    // The Customize dialog opened on a page (General, Cards, Decks, Backgrounds ...).
    void customize(int page);

    // The three input filters in front of all the application's input.
    void installInputFilter(InputFilter::Kind kind, std::function<void()> onInput);
    void removeInputFilter(InputFilter::Kind kind);
    bool hasInputFilter(InputFilter::Kind kind) const { return m_filters.count(kind) != 0; }

    // Shows the table buffer on the window picture and the screen.
    void showTable();
    // The first activation: the caption, the data repair, then the game browser (or the saved
    // game the program was started with). Once only.
    void firstActivation();
    // A saved game the first activation opens instead of dealing (the program started with it).
    void openAtStart(std::string path) { m_startFile = std::move(path); }
    // The about box, with the licence and the notices of the material the program ships.
    void showAbout();
    // The players dialog; a newly selected player gets a new game.
    void showPlayers();
    // The hi-score dialog of a game (the current one when none is given).
    void showHiScores(int gameId = -1);
    void showOverallScore();
    StatsContext& statsContext() { return *m_statsContext; }

    // ---- customized and favourite games ----
    // The Customize rules command: a new game made from the one on the table.
    void customizeRules();
    // Deletes a customized game once the player agrees (the browser asks differently about the
    // game on the table); true when it was deleted. The game on the table that goes leaves the
    // table empty.
    bool deleteCustomGame(int gameId, const std::string& name, bool fromBrowser);
    // The favourite games dialog; its OK rebuilds the browser's folder and the Game menu's list.
    void editFavourites();
    // The "Favorite games" list at the end of the Game menu, as CFG.DAT holds it.
    void rebuildFavouritesMenu();
    // The time box and the pile-size tooltip, as every second.
    void timerTick();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // ---- what the game session shows ----
    void rulesLoaded() override;
    void dealt(bool animate, bool keepLook) override;
    void moved(const Game& before, const Move& move, bool dragged) override;
    void scoreChanged(int score) override;
    void clockChanged(long seconds) override;
    void stateChanged() override;
    void busy(bool on) override;
    void pauseChanged(bool paused) override;
    void wait(int ms) override;
    void gameWon() override;

    // One item of a menu. Without a command it waits, disabled, for the window it opens.
    struct MenuItem {
        MenuItem() = default; // a separator
        MenuItem(const char* name, const char* caption, const char* shortcut = "", std::function<void()> run = {},
                 bool checkable = false)
            : name(name), caption(caption), shortcut(shortcut), run(std::move(run)), checkable(checkable)
        {
        }
        const char* name = nullptr;
        const char* caption = "";
        const char* shortcut = "";
        std::function<void()> run;
        bool checkable = false;
    };
    QMenu* addMenu(QMenu* menu, const char* name, std::initializer_list<MenuItem> items);
    void createMenus();
    void createPopupMenus();
    void createToolbars();
    void applyToolbarSize(bool large);
    void applyButtonStyle(bool flat);
    void setBoxShown(Field key, bool shown);
    // After the Customize dialog: the table drawn with the session's look; the toolbar, boxes,
    // scroll bar and pointer as stored.
    void showCustomizedLook();
    void applyCustomizedWindow();
    void refreshSnapshotCommands();
    void setCommandEnabled(const char* name, bool on);
    // Asks whether to start the customized game just stored instead of the running one; starts it.
    void offerNewGame(int gameId, const std::string& name);
    // The game started is the one the browser opens next time, in All games.
    void rememberChoice(int gameId, const std::string& name);
    // The solver's two switches applied as their check marks stand; one written to CFG.DAT.
    void applySolverSwitches();
    void writeSwitch(const char* key, const char* name);
    void startUp();
    void restorePlacement();
    void savePlacement();
    void registerPointerShapes();
    TableWindow tableWindow() const;
    void layoutToolbarRow();
    void tableResized();
    void placeScrollBar();
    void scrolled(int position);
    void paintDeal();
    // The cards of a move the player did not drag, gliding one by one from where they lay in
    // `before` to where they are now.
    void showTravel(const Game& before);
    void paintPauseCover();
    void autoScroll(QPoint at);
    void showPileSizeTip();
    void hidePileSizeTip();
    bool insideTableArea(QPoint at) const;
    PointerEvent pointerEvent(const QMouseEvent* event) const;
    void pressed(QMouseEvent* event);
    void moved(QMouseEvent* event);
    void released(QMouseEvent* event);
    void doubleClicked(QMouseEvent* event);

    SessionStore& m_store;
    Ports m_ports;
    ProgramFiles m_files;
    ProfileFile m_config;
    GameCatalogue m_catalogue;
    AppearanceContext m_appearance;
    std::unique_ptr<TableView> m_table;
    std::unique_ptr<GameSession> m_session;
    std::unique_ptr<TablePointer> m_pointer;
    std::unique_ptr<SolverControl> m_solver;
    std::unique_ptr<StatsFiles> m_statsFiles;
    std::unique_ptr<StatsRecorder> m_recorder; // every finished game into the statistics files
    std::unique_ptr<StatsContext> m_statsContext;
    TfrmOpenGame* m_browser = nullptr; // made once, shown for every choice of game
    TfrmGameWon* m_gameWon = nullptr;  // made at the first won game and kept
    TfrmCardCounter* m_cardCounter = nullptr; // made at start-up and kept, shown or not
    HelpWindow* m_help = nullptr;             // made when first asked for and kept
    WinningAnimationPlayer* m_winning = nullptr; // made at the first winning display and kept
    WindowPreferences m_windowPreferences;

    // window state
    bool m_firstActivationPending = true;
    std::string m_startFile;
    bool m_animationRunning = false; // the winning display
    int m_cardsMoving = 0;           // deals and glides under way: presses and game commands wait
    bool m_slowGlide = false;        // the cards of a hint glide slowly
    bool m_closing = false;
    int m_busy = 0;
    long long m_hoverTime = -1;
    QPoint m_lastPointer;

    // components
    TableWidget* m_imgSfondo;
    QWidget* m_pnlTB = nullptr;
    QWidget* m_pnlTB1 = nullptr;
    std::vector<QToolButton*> m_largeButtons;
    std::vector<QToolButton*> m_smallButtons;
    std::vector<QFrame*> m_separators;
    QFrame* m_pnlTempo = nullptr;
    QLabel* m_lblTempo = nullptr;
    QFrame* m_pnlScore = nullptr;
    QLabel* m_lblScore = nullptr;
    QFrame* m_pnlLineaGrigia = nullptr;
    QFrame* m_pnlLineaNera = nullptr;
    QScrollBar* m_scrBarMain = nullptr;
    QFrame* m_pnlStatusBar = nullptr;
    QFrame* m_pnlPilesSize = nullptr;
    QLabel* m_lblPilesSize = nullptr;
    QTimer* m_timer = nullptr;
    std::map<std::string, QAction*> m_actions; // by object name, menus and popup menus
    std::set<const QAction*> m_waiting;        // items whose windows are not in the program yet
    QMenu* m_popMain = nullptr;
    QMenu* m_gameMenu = nullptr;
    QAction* m_favouritesSeparator = nullptr; // with the list below: only while there are favourites
    QMenu* m_favouritesMenu = nullptr;
    std::map<InputFilter::Kind, std::unique_ptr<InputFilter>> m_filters;
    std::map<int, QCursor> m_cursors;
};

} // namespace kst
