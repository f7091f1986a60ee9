#include "shell/TfrmMain.h"

#include "shell/AboutBox.h"
#include "shell/HelpWindow.h"
#include "shell/TfrmAboutGame.h"
#include "shell/TfrmCustomHelp.h"
#include "shell/TfrmCustomizeRules.h"
#include "shell/TfrmCustomize.h"
#include "shell/TfrmFavorite.h"
#include "shell/TfrmOpenGame.h"
#include "shell/TfrmSelectGameNumber.h"
#include "shell/TfrmTips.h"
#include "shell/WinningAnimationPlayer.h"
#include "stats/CustomGameRemoval.h"
#include "stats/StatsRecorder.h"
#include "stats/ui/TfrmGameWon.h"
#include "stats/ui/TfrmHiScore.h"
#include "stats/ui/TfrmOperatori.h"
#include "stats/ui/TfrmStatisOverall.h"
#include "stats/ui/TfrmStatistics.h"
#include "storage/SectionFile.h"
#include "table/ui/TfrmCardCounter.h"

#include "assets/PictureNames.h"
#include "engine/Sounds.h"
#include "engine/Stock.h"
#include "platform/CardArt.h"
#include "platform/qt/QtScreenPictures.h"
#include "platform/qt/QtText.h"
#include "storage/CustomGames.h"
#include "storage/Favourites.h"
#include "storage/FileLookup.h"
#include "storage/Routines.h"
#include "storage/StringTable.h"
#include "storage/TextUtils.h"
#include "table/Motion.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

#include <algorithm>
#include <utility>
#include <filesystem>
#include <iostream>
#include <string_view>
#include <tuple>

namespace kst {

namespace {

constexpr QSize LargeButton{44, 42};
constexpr int SmallButtonWidth = 23;
constexpr int BoxWidth = 130;
constexpr int TooltipDelayMs = 500;
// A hint's cards glide this many times slower than the player's speed, and never fast.
constexpr int HintGlideSlowdown = 4;
constexpr int SlowestHintStepMs = 10;

// The toolbar commands in their order: the picture's word, the hint and the menu item each
// runs; a button follows its item's enabling.
struct ToolbarCommand {
    const char* word;
    const char* hint;
    const char* action;
    bool groupEndsLarge;
    bool groupEndsSmall;
};
constexpr ToolbarCommand toolbarCommands[] = {
    {"NEW", "New", "mnuNew", false, false},
    {"OPEN", "Open", "mnuOpen", true, true},
    {"RESTART", "Restart", "mnuRestartGame", false, false},
    {"SAVE", "Save", "mnuSave", true, true},
    {"UNDO", "Undo", "mnuUndo", false, false},
    {"REDO", "Redo", "mnuRedo", false, true},
    {"HINT", "Hint", "mnuHint", false, false},
    {"AUTOPLAY", "Autoplay", "mnuAutoPlay", true, true},
    {"STAT", "Statistics", "mnuGameStatistics", false, false},
    {"RULES", "Rules", "mnuRules", true, true},
    {"EXIT", "Exit", "mnuEsci", false, false},
};

// Button and toolbar heights of the two button styles. Raised buttons stand edge to edge, so
// they go without separators.
struct ButtonGeometry {
    int smallButtonHeight, smallToolbarHeight, largeToolbarHeight;
    bool separators;
};
constexpr ButtonGeometry flatButtons{22, 24, 46, true}, raisedButtons{23, 25, 45, false};

const FileFilter GameFiles{"Game", "*.gam"};
const FileFilter SavedGameFiles{"Game", "*.GAM"};

QString truncated(const std::string& text, int length)
{
    return fromProgramText(std::string_view(text).substr(0, std::size_t(length)));
}

// With KESTRANE_DEAL_NOTICE set, the deal marks its start and end on stderr: bench/deal-cpu.sh
// measures between the two.
void dealNotice(const char* line)
{
    static const bool wanted = qEnvironmentVariableIsSet("KESTRANE_DEAL_NOTICE");
    if (wanted)
        std::cerr << line << std::endl;
}

} // namespace

TfrmMain::TfrmMain(SessionStore& store, const Ports& ports, ProgramFiles files, QWidget* parent)
    : QMainWindow(parent), m_store(store), m_ports(ports), m_files(std::move(files)),
      m_config(m_files.dataFile("CFG.DAT")), m_catalogue(m_files.dataFile("GAM_CUST.DAT")),
      m_appearance{store, m_config, ports.graphics, ports.messages, ports.resources, ports.random},
      m_table(std::make_unique<TableView>(m_appearance)), m_imgSfondo(new TableWidget(this))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Kestrane 2000"));
    setCentralWidget(m_imgSfondo);
    m_imgSfondo->onPress = [this](QMouseEvent* e) { pressed(e); };
    m_imgSfondo->onMove = [this](QMouseEvent* e) { moved(e); };
    m_imgSfondo->onRelease = [this](QMouseEvent* e) { released(e); };
    m_imgSfondo->onDoubleClick = [this](QMouseEvent* e) { doubleClicked(e); };
    m_imgSfondo->onResize = [this] { tableResized(); };

    createMenus();
    createToolbars();
    createPopupMenus();

    m_scrBarMain = new QScrollBar(Qt::Vertical, m_imgSfondo);
    m_scrBarMain->setObjectName(QStringLiteral("scrBarMain"));
    m_scrBarMain->setSingleStep(2);
    m_scrBarMain->setPageStep(50);
    m_scrBarMain->hide();
    connect(m_scrBarMain, &QScrollBar::valueChanged, this, &TfrmMain::scrolled);

    m_pnlPilesSize = new QFrame(m_imgSfondo);
    m_pnlPilesSize->setObjectName(QStringLiteral("pnlPilesSize"));
    m_pnlPilesSize->setFrameShape(QFrame::Box);
    m_pnlPilesSize->setAutoFillBackground(true);
    m_pnlPilesSize->setPalette(QToolTip::palette());
    m_pnlPilesSize->resize(55, 30);
    auto* tipLayout = new QVBoxLayout(m_pnlPilesSize);
    tipLayout->setContentsMargins(2, 1, 2, 1);
    tipLayout->setSpacing(0);
    m_lblPilesSize = new QLabel(m_pnlPilesSize);
    m_lblPilesSize->setObjectName(QStringLiteral("lblPilesSize"));
    m_lblPilesSize->setAlignment(Qt::AlignCenter);
    auto* inThisPile = new QLabel(QStringLiteral("in this pile"), m_pnlPilesSize);
    inThisPile->setObjectName(QStringLiteral("Label2"));
    inThisPile->setAlignment(Qt::AlignCenter);
    tipLayout->addWidget(m_lblPilesSize);
    tipLayout->addWidget(inThisPile);
    m_pnlPilesSize->hide();

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &TfrmMain::timerTick);
    m_timer->start();

    m_session = std::make_unique<GameSession>(m_store, m_catalogue,
                                              SessionPorts{m_ports.messages, m_ports.clock, m_ports.random, m_ports.sound},
                                              &m_config);
    m_session->setView(this);
    m_session->setScreenWidth(m_ports.graphics.screenSize().width);
    m_statsFiles = std::make_unique<StatsFiles>(
        m_files.dataDir(), StatsPorts{m_ports.messages, m_ports.pointer, m_ports.clock, m_ports.random, m_ports.locale});
    m_recorder = std::make_unique<StatsRecorder>(*m_statsFiles, m_store, m_catalogue);
    m_recorder->setNewHiScore([this](int gameId, int rank, const std::string& caption) {
        TfrmHiScore dialog(*m_statsContext, TfrmHiScore::Mode::NewScore, gameId, rank, fromProgramText(caption), this);
        dialog.exec();
    });
    m_session->setRecorder(m_recorder.get());
    m_statsContext = std::make_unique<StatsContext>(StatsContext{
        *m_statsFiles, m_store, *m_session, m_catalogue, m_config, m_ports.sound, m_ports.resources,
        m_files.dataFile("GAM_CUST.DAT")});
    m_statsContext->playGame = [this](int gameId, const std::string& name) { return startGame(gameId, name, true); };
    m_statsContext->playNumber = [this](int gameId, const std::string& name) {
        if (!startGame(gameId, name, false))
            return false;
        rememberChoice(gameId, name); // a deal chosen by its number
        return true;
    };
    m_statsContext->openGame = [this] {
        openGameBrowser();
        return gameInProgress();
    };
    m_statsContext->selectGameNumber = [this] {
        selectGameNumber();
        return gameInProgress();
    };
    // A deal started from a statistics window the browser opened: the browser then has done its
    // work and closes without a choice of its own. While the deal starts it stays behind the
    // question, as hiding it would end it.
    m_statsContext->showHelp = [this](int) { showHelp([](HelpWindow& help) { help.showProgram(); }); };
    m_statsContext->otherWindows = [this](OtherWindows what) {
        if (what == OtherWindows::Close && m_browser->isVisible())
            m_browser->reject();
    };
    // The solver's line along the bottom of the window, no taller than its text.
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("sbSolver"));
    bar->setSizeGripEnabled(false);
    bar->setContentsMargins(4, 0, 4, 0);
    m_solver = std::make_unique<SolverControl>(*this, m_actions.at("mnuHint"), m_actions.at("mnuPlaySolution"), bar);
    m_session->setDealNumbers([this](const Game& game) { return m_solver->dealNumber(game); });
    m_table->showGame(nullptr);
    m_pointer = std::make_unique<TablePointer>(PointerContext{
        *m_table, *m_session, m_appearance, m_ports.sound, m_ports.clock, m_ports.events, m_imgSfondo->picture(),
        m_imgSfondo->frameMs(), [this](const Rect& r) { m_imgSfondo->showChanged(r); }, [this] { showTable(); }});
    m_pointer->onPopupMenu = [this](Point at) { showMainPopup({at.x, at.y}); };

    startUp();
    m_cardCounter = new TfrmCardCounter(*m_session, m_ports.resources, m_config, this);
    connect(m_cardCounter, &TfrmCardCounter::shownChanged, this, [this](bool shown) {
        for (const char* name : {"mnuCardCounter", "popCardCounter"})
            m_actions.at(name)->setChecked(shown);
    });
    m_browser = new TfrmOpenGame(
        m_ports, m_catalogue, m_files.dataFile("GAM_CUST.DAT"), m_config, m_store,
        BrowserCommands{[this](int gameId, const std::string&) { showRules(gameId); },
                        [this](const std::string& gameName, const std::string& player) {
                            showStatistics(gameName, player);
                        },
                        [this](int gameId, const std::string& name) { return deleteCustomGame(gameId, name, true); },
                        [this] { editFavourites(); }},
        this);
    restorePlacement();
}

TfrmMain::~TfrmMain()
{
    // Late resizes while the window goes away have nothing left to lay out.
    m_imgSfondo->onResize = nullptr;
}

// ---- start-up -----------------------------------------------------------------------------------

void TfrmMain::startUp()
{
    const QString separator = fromProgramText(m_ports.locale.timeSeparator);
    m_lblTempo->setText(QStringLiteral("0") + separator + QStringLiteral("00") + separator + QStringLiteral("00"));

    m_windowPreferences =
        readPreferences(m_config, m_store, {m_ports.messages, m_ports.app, m_ports.graphics.displayColourBits()});
    // As stored, without writing it back.
    applyToolbarSize(m_windowPreferences.toolbarLarge);
    applyButtonStyle(m_windowPreferences.toolbarFlat);
    m_actions.at("popShowTime")->setEnabled(m_store.fnStoreGet(Fld::Show_Time) != "Y");
    m_actions.at("popShowScore")->setEnabled(m_store.fnStoreGet(Fld::Show_Score) != "Y");
    registerPointerShapes();

    const std::string games = findFile(m_files.programDir(), "GAMES.DAT");
    if (!fnRequireFile(m_ports.messages, m_ports.app, games))
        return;
    const CatalogueResult loaded = m_catalogue.load(games);
    if (!loaded.ok) {
        m_ports.messages.error(loaded.message, "Error");
        m_ports.app.terminate(1);
        return;
    }
    checkSavedGame(m_catalogue, m_store);
    m_table->setDeviceScale(m_imgSfondo->deviceScale());
    m_table->applyCardSize();
    m_actions.at("mnuAutoPlay")->setChecked(m_windowPreferences.autoPlay); // its buttons follow
    m_session->setAutoplay(m_windowPreferences.autoPlay);
    m_actions.at("mnuSolver")->setChecked(m_windowPreferences.solver);
    m_actions.at("mnuWinnableOnly")->setChecked(m_windowPreferences.winnableDealsOnly);
    applySolverSwitches(); // also where a check mark stayed as it was
    m_ports.random.seedFromClock();
    // No system registry here: the program keeps nothing outside its own folders.
    tidyProgramFolder(m_files);
    enableGameCommands(false);
}

void TfrmMain::registerPointerShapes()
{
    // The six shapes the player may choose (10 .. 15) and their dragging variants (20 .. 25).
    static const char* const names[] = {"CUR_ARROW1", "CUR_ARROW2", "CUR_RIGHT_HAND1", "CUR_RIGHT_HAND2",
                                        "CUR_LEFT_HAND1", "CUR_LEFT_HAND2"};
    for (int i = 0; i < 6; ++i)
        for (const auto& [variant, number] : {std::pair{'A', 10 + i}, {'B', 20 + i}}) {
            const std::string name = std::string(names[i]) + variant;
            // The hot spot is the original's: Qt scales it by the twin's pixel ratio.
            if (const QPixmap shape = screenPicture(m_ports.resources, name, devicePixelRatioF()); !shape.isNull()) {
                const auto [x, y] = assets::pointerHotSpot(name);
                m_cursors[number] = QCursor(shape, x, y);
            }
        }
    const int chosen = int(numberOr(m_store.fnStoreGet(Fld::Cursor), 0));
    if (m_cursors.count(chosen))
        m_imgSfondo->setCursor(m_cursors.at(chosen));
}

void TfrmMain::restorePlacement()
{
    const QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                          : QRect(0, 0, 1280, 1024);
    const int left = int(m_config.readNumber("Preference", "MainWindowState_Left", 50));
    const int top = int(m_config.readNumber("Preference", "MainWindowState_Top", 50));
    const int width = int(m_config.readNumber("Preference", "MainWindowState_Width", screen.width() - 150));
    const int height = int(m_config.readNumber("Preference", "MainWindowState_Height", screen.height() - 150));
    // A placement from another screen is brought back where the window can be reached.
    setGeometry(std::clamp(left, screen.left(), std::max(screen.left(), screen.right() - 100)),
                std::clamp(top, screen.top(), std::max(screen.top(), screen.bottom() - 100)),
                std::max(width, 320), std::max(height, 240));
    if (m_config.readText("Preference", "MainWindowState_Maximized", "Y") == "Y")
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TfrmMain::savePlacement()
{
    const bool maximised = isMaximized();
    m_config.writeText("Preference", "MainWindowState_Maximized", maximised ? "Y" : "N");
    if (maximised)
        return;
    const QRect placed = geometry();
    m_config.writeNumber("Preference", "MainWindowState_Left", placed.x());
    m_config.writeNumber("Preference", "MainWindowState_Top", placed.y());
    m_config.writeNumber("Preference", "MainWindowState_Width", placed.width());
    m_config.writeNumber("Preference", "MainWindowState_Height", placed.height());
}

bool TfrmMain::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) {
        if (m_firstActivationPending) {
            // After the activation has been handled, so that the table can show.
            QTimer::singleShot(0, this, &TfrmMain::firstActivation);
        } else if (m_ports.graphics.displayColourBits() <= 8 && m_store.fnStoreGet(Fld::Fade_Background) == "Y"
                   && (m_store.fnStoreGet(Fld::Background_def) == "Y"
                       || numberOr(m_store.fnStoreGet(Fld::Background_bmp)) == 0)) {
            tableResized(); // the palette may have changed under the faded table
        }
    }
    return QMainWindow::event(event);
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Without a window manager nothing ever activates the window: the first activation then
    // comes a moment after it is shown.
    QTimer::singleShot(500, this, [this] {
        if (isVisible())
            firstActivation();
    });
}

void TfrmMain::firstActivation()
{
    // Asked for by the activation and by the moment after showing: whichever comes first.
    if (!m_firstActivationPending)
        return;
    m_firstActivationPending = false;
    // Last of all, once the game is chosen, the card counter comes back as the last run left it.
    const auto restoreCardCounter = qScopeGuard([this] { m_cardCounter->loadPreferences(); });
    refreshCaption();
    kst::firstActivation(m_files, m_config, m_ports.messages);
    rebuildFavouritesMenu();
    // Told once a run; the records stay in the file as they are.
    if (const std::string damage = customGamesDamage(m_files.dataFile("GAM_CUST.DAT")); !damage.empty())
        m_ports.messages.information(damage);
    tableResized();
    if (m_config.readText("Preference", "Tips_StartUp", "N") != "N")
        showTips();
    // Started with a saved game: it goes on; one that cannot be opened has said why.
    if (!m_startFile.empty() && m_session->openGame(std::exchange(m_startFile, {})))
        return;
    // No game starts before the player chooses one.
    openGameBrowser();
}

void TfrmMain::openGameBrowser()
{
    if (animating())
        return;
    for (;;) {
        const int result = m_browser->exec();
        if (result == TfrmOpenGame::OpenSavedGame) {
            openSavedGame();
            if (gameInProgress())
                return;
            continue; // nothing opened: back to the browser
        }
        if (result == QDialog::Accepted)
            startGame(m_browser->selectedCode(), m_browser->selectedName(), true, m_browser->selectedPlayer());
        break;
    }
    // Without rules on the table the game commands have nothing to act on.
    if (!m_session->hasGame() || numberOr(m_store.fnStoreGet(Fld::GameId), -1) < 0)
        enterNoGameState();
    else
        showTable();
}

void TfrmMain::showStatistics(const std::string& gameName, const std::string& player)
{
    TfrmStatistics dialog(*m_statsContext, this);
    if (!gameName.empty())
        dialog.selectGame(fromProgramText(gameName));
    if (!player.empty())
        dialog.selectPlayer(fromProgramText(player));
    dialog.exec();
    showTable();
}

void TfrmMain::selectGameNumber()
{
    if (animating())
        return;
    TfrmSelectGameNumber dialog(*m_statsContext, this);
    dialog.exec();
    showTable();
}

void TfrmMain::showGameWon()
{
    if (!m_gameWon)
        m_gameWon = new TfrmGameWon(*m_statsContext, this);
    m_gameWon->exec();
    // Left without a new game, the won table gives way to the background.
    if (!m_gameWon->gameStarted() && !gameInProgress()) {
        m_table->clearGame();
        showTable();
    }
}

void TfrmMain::showRules(int gameId)
{
    if (gameId < 0)
        return;
    if (gameId < kFirstCustomCode) {
        showHelp([gameId](HelpWindow& help) { help.showGame(gameId); });
        return;
    }
    // A customized game beside the game it comes from, whose rules are one click on.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TfrmCustomHelp help(*m_statsContext, gameId, [this](int base) { showRules(base); },
                        QApplication::activeModalWidget() ? QApplication::activeModalWidget() : this);
    QApplication::restoreOverrideCursor();
    help.exec();
}

void TfrmMain::showHelp(const std::function<void(HelpWindow&)>& page)
{
    // Over a dialog that waits for an answer the help waits too; otherwise it stays open beside the
    // table while the game goes on.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        HelpWindow help(m_files.programDir(), m_catalogue, m_ports.resources, modal);
        page(help);
        help.exec();
        return;
    }
    if (!m_help)
        m_help = new HelpWindow(m_files.programDir(), m_catalogue, m_ports.resources, this);
    page(*m_help);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void TfrmMain::showGameInformation()
{
    const int gameId = int(numberOr(m_store.fnStoreGet(Fld::GameId), -1));
    if (gameId < 0)
        return;
    TfrmAboutGame dialog(*m_statsContext, gameId, this);
    dialog.exec();
}

void TfrmMain::showTips()
{
    TfrmTips dialog(*m_statsContext, this);
    dialog.exec();
    showTable();
}

// ---- customized and favourite games -------------------------------------------------------------

void TfrmMain::customizeRules()
{
    if (animating() || !m_session->hasGame())
        return;
    const auto save = [this](const std::string& name, const Customization& values) {
        // A customization of a customized game is a new one of its catalogue game.
        const int base = m_catalogue.baseGameId(int(numberOr(m_store.fnStoreGet(Fld::GameId), -1)));
        const CustomGameWrite added =
            addCustomGameRecord(m_files.dataFile("GAM_CUST.DAT"), name, base, customizationText(values));
        if (!added.ok)
            m_ports.messages.information(added.message);
        return added.ok ? added.code : -1;
    };
    const auto remove = [this] {
        return deleteCustomGame(int(numberOr(m_store.fnStoreGet(Fld::GameId), -1)),
                                fnTrimRight(m_store.fnStoreGet(Fld::Game_name)), false);
    };
    TfrmCustomizeRules dialog(*m_statsContext, CustomizeCommands{save, remove}, this);
    dialog.exec();
    showTable();
    m_browser->rebuildCustomized();
    if (dialog.newGameCode() >= 0)
        offerNewGame(dialog.newGameCode(), dialog.newGameName());
    else if (dialog.deleted())
        openGameBrowser();
}

void TfrmMain::offerNewGame(int gameId, const std::string& name)
{
    // A game in progress is only left when the player says so; after a won game there is nothing
    // to lose and the new one starts at once.
    if (m_session->inProgress() && !m_session->game().won) {
        if (!m_ports.messages.questionYesNo("Do you want to start the new game\r" + name + "\r"
                                            + "now and quit the current game?"))
            return;
        if (m_session->endGame())
            return; // the end made it a won game: its winning sequence leads on
    }
    startGame(gameId, name, true);
}

bool TfrmMain::deleteCustomGame(int gameId, const std::string& name, bool fromBrowser)
{
    const bool onTable = m_session->hasGame() && gameId == int(numberOr(m_store.fnStoreGet(Fld::GameId), -1));
    const std::string note = "Note: the statistics for this game will also be deleted.";
    const std::string question = onTable && fromBrowser
        ? "You are now playing " + name + ".\rAre you sure you want to delete this game?\r" + note
        : "Are you sure you want to delete this customized game\r" + name + "?\r" + note;
    if (!m_ports.messages.warningYesNo(question))
        return false;
    const bool deleted =
        removeCustomGameData(*m_statsFiles, m_store, m_config, m_files.dataFile("GAM_CUST.DAT"), gameId, [&] {
            if (onTable)
                enterNoGameState();
        });
    if (!deleted)
        return false;
    m_browser->rebuildCustomized();
    m_browser->rebuildFavourites();
    rebuildFavouritesMenu();
    refreshCaption();
    return true;
}

void TfrmMain::editFavourites()
{
    // Over the browser when it asked for the dialog.
    QWidget* owner = m_browser->isVisible() ? static_cast<QWidget*>(m_browser) : this;
    TfrmFavorite dialog(*m_statsContext, owner);
    if (dialog.exec() == QDialog::Accepted) {
        m_browser->rebuildFavourites();
        rebuildFavouritesMenu();
    }
    showTable();
}

void TfrmMain::rebuildFavouritesMenu()
{
    delete m_favouritesSeparator;
    m_favouritesSeparator = nullptr;
    delete m_favouritesMenu;
    m_favouritesMenu = nullptr;
    const std::vector<std::string> favourites = readFavourites(m_config);
    if (favourites.empty())
        return;
    m_favouritesSeparator = m_gameMenu->addSeparator();
    m_favouritesMenu = new QMenu(QStringLiteral("Favorite games"), m_gameMenu);
    m_favouritesMenu->setObjectName(QStringLiteral("mnuFavoritesList"));
    m_favouritesMenu->setIcon(treePicture(m_ports.resources, "S_TREE2", devicePixelRatioF()));
    m_gameMenu->addMenu(m_favouritesMenu);
    for (const std::string& stored : favourites) {
        const int gameId = m_catalogue.gameIdByName(stored);
        if (gameId < 0)
            continue; // its game is gone
        const std::string name = m_catalogue.gameName(gameId);
        // An "&" of a name is shown, not taken for a mnemonic.
        QAction* item =
            m_favouritesMenu->addAction(fromProgramText(name).replace(QLatin1Char('&'), QStringLiteral("&&")));
        const std::string picture = categoryIconName(m_catalogue.gameCategory(gameId));
        if (picture.rfind("TREE5_", 0) == 0)
            item->setIcon(treePicture(m_ports.resources, picture, devicePixelRatioF()));
        else
            m_ports.messages.information(picture);
        connect(item, &QAction::triggered, this, [this, gameId, name] {
            if (startGame(gameId, name, true))
                rememberChoice(gameId, name);
        });
    }
}

void TfrmMain::rememberChoice(int gameId, const std::string& name)
{
    m_config.writeNumber("Preference", "Game", gameId);
    m_config.writeText("Preference", "Game_Name", name);
    m_config.writeNumber("Preference", "Game_TreeNum", BrowserCode::AllGames);
}

// ---- menus and toolbars -------------------------------------------------------------------------

QMenu* TfrmMain::addMenu(QMenu* menu, const char* name, std::initializer_list<MenuItem> items)
{
    menu->setObjectName(QLatin1String(name));
    // A popup's shortcuts only serve while it is open; the menu bar's items own them otherwise.
    const bool popup = !menu->parent() || menu->parent() == this;
    for (const MenuItem& item : items) {
        if (!item.name) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromLatin1(item.caption));
        action->setObjectName(QLatin1String(item.name));
        action->setShortcut(QKeySequence(QLatin1String(item.shortcut), QKeySequence::PortableText));
        if (popup)
            action->setShortcutContext(Qt::WidgetShortcut);
        action->setCheckable(item.checkable);
        if (item.run) {
            connect(action, &QAction::triggered, this, item.run);
        } else {
            action->setEnabled(false);
            m_waiting.insert(action);
        }
        m_actions[item.name] = action;
    }
    return menu;
}

void TfrmMain::createMenus()
{
    // The items without a command open windows that come with their own features: statistics,
    // hi-scores, players, the game browser, customizing, favourites, the card counter, help and
    // the demo. They stay disabled until then.
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    addMenu(bar->addMenu(QStringLiteral("&File")), "mnuPartita",
            {{"mnuNew", "&New game", "F2", [this] { newDeal(); }},
             {"mnuOpen", "&Open a game", "Ctrl+F12", [this] { openGameBrowser(); }},
             {"mnuRestartGame", "&Restart game", "Ctrl+F2", [this] { restartGame(); }},
             {"mnuSelect", "S&elect a game number...", "F3", [this] { selectGameNumber(); }},
             {"mnuRandomGame", "Rand&om game", "", [this] { randomGame(); }},
             {},
             {"mnuSave", "&Save...", "Ctrl+Shift+F12", [this] { saveGame(); }},
             {},
             {"mnuPlayers", "&Players...", "Ctrl+L", [this] { showPlayers(); }},
             {},
             {"mnuEsci", "E&xit", "", [this] { close(); }}});

    QMenu* game = m_gameMenu = addMenu(
        bar->addMenu(QStringLiteral("&Game")), "mnuGameMenu",
        {{"mnuUndo", "&Undo", "Ctrl+Z", [this] { m_session->undo(); }},
         {"mnuRedo", "&Redo", "Ctrl+Y", [this] { m_session->redo(); }},
         {},
         {"mnuHint", "&Hint", "H", [this] { m_solver->hint(); }},
         {"mnuPlaySolution", "Play the &solution", "", [this] { m_solver->playSolution(); }},
         {},
         {"mnuSnapshotPosition", "Snaps&hot position", "Ctrl+H", [this] { m_session->takeSnapshot(); }},
         {"mnuUndoToSnapshot", "Undo to s&napshot", "Ctrl+T", [this] { m_session->undoToSnapshot(); }},
         {},
         {"mnuPause", "P&ause", "Ctrl+P", [this] { setPause(!m_session->paused()); }, true},
         {"mnuQuitGame", "&Quit game", "Ctrl+Q", [this] { quitGame(); }},
         {},
         {"mnuGameInformation", "Game &information...", "", [this] { showGameInformation(); }},
         {},
         // The switches act on their check marks, which start-up sets as well; the solver's are
         // written to the preferences when the player changes them.
         {"mnuAutoPlay", "Au&toplay", "F7", [] {}, true},
         {"mnuSolver", "Sol&ver", "", [this] { writeSwitch("Solver", "mnuSolver"); }, true},
         {"mnuWinnableOnly", "&Winnable deals only", "", [this] { writeSwitch("Winnable_Deals_Only", "mnuWinnableOnly"); },
          true}});
    connect(m_actions.at("mnuAutoPlay"), &QAction::toggled, this, [this](bool on) {
        m_session->setAutoplay(on);
        m_solver->positionChanged(); // the line searched assumed the switch as it was
        if (on)
            m_session->autoplay();
    });
    for (const char* name : {"mnuSolver", "mnuWinnableOnly"})
        connect(m_actions.at(name), &QAction::toggled, this, &TfrmMain::applySolverSwitches);
    // Demo playback is reached by its shortcut only; a hidden item's own shortcut is dead.
    QAction* demoSeparator = game->addSeparator();
    demoSeparator->setObjectName(QStringLiteral("mnuSep22"));
    demoSeparator->setVisible(false);
    addMenu(game, "mnuGameMenu", {{"mnuDemo", "&Demo", "Ctrl+D"}});
    QAction* demo = m_actions.at("mnuDemo");
    demo->setVisible(false);
    connect(new QShortcut(demo->shortcut(), this), &QShortcut::activated, demo, &QAction::trigger);

    addMenu(bar->addMenu(QStringLiteral("&Statistics")), "mnuStatistics",
            {{"mnuGameStatistics", "&Game statistics...", "F4", [this] { showStatistics(); }},
             {"mnuPlayersStatistics", "&Players statistics...", "",
              [this] { TfrmStatistics(*m_statsContext, this).showPlayersStatistics(); }},
             {"mnuAllGamesStatistics", "&All games statistics...", "",
              [this] { TfrmStatistics(*m_statsContext, this).showAllGames(); }},
             {"mnuLogStatistics", "&Log statistics...", "",
              [this] { TfrmStatistics(*m_statsContext, this).fnShowLogStatistics(this); }},
             {},
             {"mnuHiScores", "&Hi-Scores...", "F9", [this] { showHiScores(); }},
             {"mnuOverallScore", "Overall score...", "", [this] { showOverallScore(); }}});

    QMenu* tournament = addMenu(bar->addMenu(QStringLiteral("&Tournament")), "mnuTournament",
                                {{"mnuTourManager", "&Tournament manager...", ""},
                                 {"mnuTourPlay", "&Play tournament...", ""},
                                 {},
                                 {"mnuTourNext", "&Next game", "Ctrl+N"},
                                 {"mnuTourScore", "&Tournament score...", ""},
                                 {"mnuTourEnd", "&End tournament", ""}});
    tournament->menuAction()->setVisible(false);

    addMenu(bar->addMenu(QStringLiteral("&Tools")), "mnuOpzioni",
            {{"mnuCustomize", "C&ustomize...", "Ctrl+U", [this] { customize(TfrmCustomize::General); }},
             {"Selectthemes1", "&Select themes...", ""},
             {"mnuCustomizeRules", "Customize &rules...", "Ctrl+R", [this] { customizeRules(); }},
             {},
             {"mnuFavoriteGames", "&Favorite games...", "Ctrl+F", [this] { editFavourites(); }},
             {},
             {"mnuCardCounter", "&Card counter...", "F8", [this] { m_cardCounter->switchShown(); }, true}});
    m_actions.at("Selectthemes1")->setVisible(false);

    addMenu(bar->addMenu(QStringLiteral("&Help")), "mnuAiuto",
            {{"mnuRules", "&Rules", "F1",
              [this] { showRules(int(numberOr(m_store.fnStoreGet(Fld::GameId), -1))); }},
             {"Sommario1", "&Contents", "", [this] { showHelp([](HelpWindow& help) { help.showProgram(); }); }},
             {},
             {"mnuTips", "&Tip of the Day...", "", [this] { showTips(); }},
             {},
             {"mnuAbout", "A&bout Kestrane 2000...", "", [this] { showAbout(); }}});

    // Window managers close on Alt+F4 themselves; this serves where none does.
    auto* altF4 = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
    connect(altF4, &QShortcut::activated, this, &QWidget::close);
}

void TfrmMain::showAbout()
{
    const LinesRead notices = loadLines(findFile(m_files.programDir(), "THIRD-PARTY-NOTICES.md"));
    std::string text;
    for (const std::string& line : notices.lines)
        text += line + '\n';
    AboutBox box(text, this);
    connect(&box, &AboutBox::activatedFirstTime, this,
            [this] { playSound(m_store, m_ports.sound, SoundEvent::About); });
    box.exec();
}

void TfrmMain::showPlayers()
{
    TfrmOperatori dialog(*m_statsContext, this);
    dialog.exec();
    refreshCaption();
    if (!dialog.playerChanged())
        return;
    // The new player's first game: the game on the table dealt anew for him.
    const int gameId = int(numberOr(m_store.fnStoreGet(Fld::GameId), -1));
    if (m_session->hasGame() && startGame(gameId, m_store.fnStoreGet(Fld::Game_name), true))
        return;
    enterNoGameState();
}

void TfrmMain::showHiScores(int gameId)
{
    if (gameId < 0)
        gameId = int(numberOr(m_store.fnStoreGet(Fld::GameId), -1));
    if (gameId < 0 && !m_catalogue.games().empty())
        gameId = m_catalogue.games().front().gameId;
    TfrmHiScore dialog(*m_statsContext, TfrmHiScore::Mode::Menu, gameId, 0, {}, this);
    dialog.exec();
}

void TfrmMain::showOverallScore()
{
    TfrmStatisOverall dialog(*m_statsContext, this);
    dialog.exec();
}

void TfrmMain::createPopupMenus()
{
    QMenu* toolbarPopup = addMenu(new QMenu(this), "popTB",
                      {{"popLargeIcons", "Large icons", "", [this] { setLargeToolbar(true); }, true},
                       {"popSmallIcons", "Small icons", "", [this] { setLargeToolbar(false); }, true},
                       {},
                       {"popFlatButton", "Flat button", "", [this] { setFlatButtons(true); }, true},
                       {"popNoFlatButton", "No flat button", "", [this] { setFlatButtons(false); }, true},
                       {},
                       {"popShowTime", "Show time", "", [this] { setTimeBoxShown(true); }},
                       {"popShowScore", "Show score", "", [this] { setScoreBoxShown(true); }}});
    QMenu* timePopup =
        addMenu(new QMenu(this), "popTime", {{"popHideTime", "&Hide", "", [this] { setTimeBoxShown(false); }}});
    QMenu* scorePopup =
        addMenu(new QMenu(this), "popScore", {{"popHideScore", "Hide", "", [this] { setScoreBoxShown(false); }}});
    m_popMain = addMenu(new QMenu(this), "popMain",
                        {{"popGameInformation", "Game information...", "", [this] { showGameInformation(); }},
                         {"popFavoriteGames", "Favorite games...", "", [this] { editFavourites(); }},
                         {},
                         {"popChangeCardSet", "Change card set", "", [this] { customize(TfrmCustomize::Cards); }},
                         {"popChangeDeck", "Change deck", "", [this] { customize(TfrmCustomize::Decks); }},
                         {"popChangeBackground", "Change background", "",
                          [this] { customize(TfrmCustomize::Backgrounds); }},
                         {},
                         {"popPause", "Pause", "Ctrl+P", [this] { m_actions.at("mnuPause")->trigger(); }, true},
                         {"popQuitGame", "Quit game", "Ctrl+Q", [this] { m_actions.at("mnuQuitGame")->trigger(); }},
                         {},
                         {"popCardCounter", "Card counter", "F8", [this] { m_cardCounter->switchShown(); }, true}});
    // The popup's items stand for the menu bar's and look as they do.
    for (const auto& [copy, original] : {std::pair{"popPause", "mnuPause"}, {"popQuitGame", "mnuQuitGame"}}) {
        QAction* item = m_actions.at(copy);
        QAction* menuItem = m_actions.at(original);
        connect(menuItem, &QAction::changed, item, [item, menuItem] {
            item->setEnabled(menuItem->isEnabled());
            item->setChecked(menuItem->isChecked());
        });
    }

    const auto offer = [](QWidget* widget, QMenu* menu) {
        widget->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(widget, &QWidget::customContextMenuRequested, menu,
                [widget, menu](QPoint at) { menu->popup(widget->mapToGlobal(at)); });
    };
    offer(m_pnlTB, toolbarPopup);
    offer(m_pnlTB1, toolbarPopup);
    offer(m_pnlTempo, timePopup);
    offer(m_pnlScore, scorePopup);
}

void TfrmMain::showMainPopup(QPoint at)
{
    if (m_store.fnStoreGet(Fld::Show_Main_Popup_Menu) == "Y")
        m_popMain->popup(m_imgSfondo->mapToGlobal(at));
}

void TfrmMain::createToolbars()
{
    const auto makeBar = [this](const char* name) {
        auto* bar = new QWidget(m_imgSfondo);
        bar->setObjectName(QLatin1String(name));
        bar->setAutoFillBackground(true);
        return bar;
    };
    m_pnlTB = makeBar("pnlTB");
    m_pnlTB1 = makeBar("pnlTB1");
    for (const bool large : {true, false}) {
        QWidget* bar = large ? m_pnlTB : m_pnlTB1;
        for (const ToolbarCommand& command : toolbarCommands) {
            auto* button = new QToolButton(bar);
            const QString word = QString::fromLatin1(command.word);
            const QString name = word == QLatin1String("AUTOPLAY")
                ? QStringLiteral("tbAutoPlay")
                : QStringLiteral("tb") + word.left(1) + word.mid(1).toLower();
            button->setObjectName(name + (large ? QString() : QStringLiteral("1")));
            button->setToolButtonStyle(large ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
            if (large) {
                button->setText(QString::fromLatin1(command.hint));
                QFont small = button->font(); // "Statistics" fits under its picture
                small.setPixelSize(9);
                button->setFont(small);
            }
            // The disabled variant of each picture shows while its command is off.
            const std::string picture = std::string(large ? "TBL_" : "TB_") + command.word;
            const qreal ratio = button->devicePixelRatioF();
            if (const QPixmap glyph = screenPicture(m_ports.resources, picture, ratio); !glyph.isNull()) {
                QIcon icon(glyph);
                if (const QPixmap off = screenPicture(m_ports.resources, picture + "_DIS", ratio); !off.isNull())
                    icon.addPixmap(off, QIcon::Disabled);
                button->setIcon(icon);
                button->setIconSize(large ? QSize(24, 24) : QSize(16, 16));
            }
            QAction* action = m_actions.at(command.action);
            connect(button, &QToolButton::clicked, this, [this, action] {
                repaint();
                action->trigger();
            });
            button->setEnabled(action->isEnabled());
            connect(action, &QAction::changed, button, [button, action] { button->setEnabled(action->isEnabled()); });
            if (action->isCheckable()) {
                button->setCheckable(true);
                connect(action, &QAction::toggled, button, &QToolButton::setChecked);
            }
            (large ? m_largeButtons : m_smallButtons).push_back(button);
            if (large ? command.groupEndsLarge : command.groupEndsSmall) {
                auto* separator = new QFrame(bar);
                separator->setFrameShape(QFrame::VLine);
                separator->setFrameShadow(QFrame::Sunken);
                m_separators.push_back(separator);
            }
        }
    }

    const auto makeBox = [this](const char* name, const char* caption, QLabel*& value) {
        auto* box = new QFrame(m_imgSfondo);
        box->setObjectName(QLatin1String(name));
        box->setFrameShape(QFrame::Panel);
        box->setFrameShadow(QFrame::Sunken);
        box->setAutoFillBackground(true);
        auto* row = new QHBoxLayout(box);
        row->setContentsMargins(6, 0, 6, 0);
        auto* label = new QLabel(QLatin1String(caption), box);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        value = new QLabel(box);
        value->setMinimumWidth(56);
        row->addWidget(label, 0, Qt::AlignTop);
        row->addWidget(value, 0, Qt::AlignTop);
        return box;
    };
    m_pnlTempo = makeBox("pnlTempo", "Time:", m_lblTempo);
    m_lblTempo->setObjectName(QStringLiteral("lblTempo"));
    m_pnlScore = makeBox("pnlScore", "Score:", m_lblScore);
    m_lblScore->setObjectName(QStringLiteral("lblScore"));
    m_lblScore->setText(QStringLiteral("0"));

    // The status bar: two empty panes along the bottom, shown only when asked for.
    m_pnlStatusBar = new QFrame(m_imgSfondo);
    m_pnlStatusBar->setObjectName(QStringLiteral("pnlStatusBar"));
    m_pnlStatusBar->setAutoFillBackground(true);
    m_pnlStatusBar->setFixedHeight(20);
    auto* panes = new QHBoxLayout(m_pnlStatusBar);
    panes->setContentsMargins(2, 2, 2, 2);
    for (const char* name : {"pnl_sb_giocatori", "pnl_sb_livello"}) {
        auto* pane = new QFrame(m_pnlStatusBar);
        pane->setObjectName(QLatin1String(name));
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        panes->addWidget(pane, 1);
    }
    m_pnlStatusBar->hide();

    m_pnlLineaGrigia = new QFrame(m_imgSfondo);
    m_pnlLineaGrigia->setObjectName(QStringLiteral("pnlLineaGrigia"));
    m_pnlLineaGrigia->setStyleSheet(QStringLiteral("background: rgb(128, 128, 128);"));
    m_pnlLineaNera = new QFrame(m_imgSfondo);
    m_pnlLineaNera->setObjectName(QStringLiteral("pnlLineaNera"));
    m_pnlLineaNera->setStyleSheet(QStringLiteral("background: black;"));
}

// Buttons stand at fixed places, so that the row's layout knows where the last one ends.
void TfrmMain::applyButtonStyle(bool flat)
{
    const ButtonGeometry& geometry = flat ? flatButtons : raisedButtons;
    const bool hints = m_store.fnStoreGet(Fld::Show_ToolTips) == "Y";
    auto separator = m_separators.begin(); // the large toolbar's first, in order
    for (const bool large : {true, false}) {
        (large ? m_pnlTB : m_pnlTB1)->setFixedHeight(large ? geometry.largeToolbarHeight : geometry.smallToolbarHeight);
        const QSize size = large ? LargeButton : QSize(SmallButtonWidth, geometry.smallButtonHeight);
        const int top = large ? 2 : 1;
        const auto& buttons = large ? m_largeButtons : m_smallButtons;
        int x = 2;
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            const ToolbarCommand& command = toolbarCommands[i];
            buttons[i]->setAutoRaise(flat);
            buttons[i]->setGeometry(x, top, size.width(), size.height());
            buttons[i]->setToolTip(hints ? QString::fromLatin1(command.hint) : QString());
            x += size.width();
            if (large ? command.groupEndsLarge : command.groupEndsSmall) {
                QFrame* line = *separator++;
                line->setGeometry(x + 2, top, 2, size.height());
                line->setVisible(geometry.separators);
                x += 6;
            }
        }
    }
    m_actions.at("popFlatButton")->setChecked(flat);
    m_actions.at("popNoFlatButton")->setChecked(!flat);
}

void TfrmMain::applyToolbarSize(bool large)
{
    m_pnlTB->setVisible(large);
    m_pnlTB1->setVisible(!large);
    m_actions.at("popLargeIcons")->setChecked(large);
    m_actions.at("popSmallIcons")->setChecked(!large);
}

void TfrmMain::setLargeToolbar(bool large)
{
    applyToolbarSize(large);
    m_config.writeText("Preference", "ToolBar_Large", large ? "Y" : "N");
    tableResized();
}

void TfrmMain::setFlatButtons(bool flat)
{
    applyButtonStyle(flat);
    m_config.writeText("Preference", "ToolBar_Flat", flat ? "Y" : "N");
    tableResized();
}

void TfrmMain::setTimeBoxShown(bool shown)
{
    setBoxShown(Fld::Show_Time, shown);
}

void TfrmMain::setScoreBoxShown(bool shown)
{
    setBoxShown(Fld::Show_Score, shown);
}

void TfrmMain::setBoxShown(Field key, bool shown)
{
    const bool time = key == Fld::Show_Time;
    m_store.fnStoreSet(key, shown ? "Y" : "N");
    m_config.writeText("Preference", time ? "Show_Time" : "Show_Score", shown ? "Y" : "N");
    m_actions.at(time ? "popShowTime" : "popShowScore")->setEnabled(!shown);
    layoutToolbarRow();
}

void TfrmMain::layoutToolbarRow()
{
    const int width = m_imgSfondo->width();
    const bool large = m_pnlTB->isVisibleTo(m_imgSfondo);
    QWidget* bar = large ? m_pnlTB : m_pnlTB1;
    m_pnlTB->setGeometry(0, 0, width, m_pnlTB->height());
    m_pnlTB1->setGeometry(0, 0, width, m_pnlTB1->height());
    const int barHeight = bar->isVisibleTo(m_imgSfondo) ? bar->height() : 0;
    m_pnlLineaGrigia->setGeometry(0, barHeight, width, 1);
    m_pnlLineaNera->setGeometry(0, barHeight + 1, width, 1);

    // The time box at the right end, the score box left of it; neither over a button, so that
    // too narrow a window shows them not.
    const bool showTime = m_store.fnStoreGet(Fld::Show_Time) == "Y";
    const bool showScore = m_store.fnStoreGet(Fld::Show_Score) == "Y";
    const int timeLeft = width - BoxWidth - 15;
    const int scoreLeft = showTime ? timeLeft - BoxWidth - 5 : width - BoxWidth - 15;
    const auto& buttons = large ? m_largeButtons : m_smallButtons;
    const int rightmost = buttons.back()->x() + buttons.back()->width();
    const int boxHeight = large ? 24 : 20;
    const int boxTop = (barHeight - boxHeight) / 2 + 2;
    for (const auto& [box, left, shown] :
         {std::tuple{m_pnlTempo, timeLeft, showTime}, {m_pnlScore, scoreLeft, showScore}}) {
        box->setGeometry(left, boxTop, BoxWidth, boxHeight);
        box->layout()->setContentsMargins(6, (large ? 4 : 3) - box->frameWidth(), 6, 0);
        box->setVisible(shown && barHeight > 0 && left > rightmost + 3);
        box->raise();
    }
}

TableWindow TfrmMain::tableWindow() const
{
    TableWindow w;
    w.width = frameGeometry().width();
    w.height = frameGeometry().height();
    w.clientWidth = m_imgSfondo->width();
    w.clientHeight = m_imgSfondo->height();
    const QWidget* bar = m_pnlTB->isVisibleTo(m_imgSfondo) ? m_pnlTB : m_pnlTB1;
    w.top = bar->isVisibleTo(m_imgSfondo) ? bar->height() + 2 : 5;
    w.scrollBarWidth = m_scrBarMain->sizeHint().width();
    return w;
}

// ---- the table --------------------------------------------------------------------------------

void TfrmMain::tableResized()
{
    layoutToolbarRow();
    m_pnlStatusBar->setVisible(m_store.fnStoreGet(Fld::StatusBar) == "Y");
    m_pnlStatusBar->setGeometry(0, m_imgSfondo->height() - m_pnlStatusBar->height(), m_imgSfondo->width(),
                                m_pnlStatusBar->height());
    m_pnlStatusBar->raise();
    if (m_firstActivationPending) {
        m_imgSfondo->picture().fillRect({0, 0, m_imgSfondo->width(), m_imgSfondo->height()},
                                        defaultBackgroundColour(m_ports.graphics));
        m_imgSfondo->update();
        return;
    }
    m_table->setDeviceScale(m_imgSfondo->deviceScale());
    m_table->resized(tableWindow());
    placeScrollBar();
    showTable();
}

void TfrmMain::placeScrollBar()
{
    const ScrollBarState& bar = m_table->scrollBar();
    if (!bar.visible) {
        m_scrBarMain->hide();
        return;
    }
    const TableWindow w = tableWindow();
    const Rect place = fnPlaceScrollBar(w.clientWidth, w.clientHeight, w.scrollBarWidth, w.top - 2);
    const QSignalBlocker quiet(m_scrBarMain);
    m_scrBarMain->setGeometry(place.x, place.y, place.width, place.height);
    m_scrBarMain->setRange(0, bar.maximum);
    m_scrBarMain->setValue(bar.position);
    m_scrBarMain->show();
    m_scrBarMain->raise();
}

void TfrmMain::scrolled(int position)
{
    m_table->scrollTo(position);
    showTable();
}

void TfrmMain::showTable()
{
    m_table->showOn(m_imgSfondo->picture());
    m_imgSfondo->update();
}

bool TfrmMain::startGame(int gameId, const std::string& gameName, bool newNumber, const std::string& player)
{
    if (animating())
        return false;
    hidePileSizeTip();
    const int previous = int(numberOr(m_store.fnStoreGet(Fld::GameId), -1));
    if (gameId != previous || !gameInProgress())
        m_table->screenFlags().forcedMedium = false;
    return m_session->startGame(gameId, gameName, player.empty() ? m_store.fnStoreGet(Fld::UserDefault) : player,
                                newNumber ? RandomNumber : KeepNumber, false);
}

void TfrmMain::newDeal()
{
    if (animating() || !m_session->hasGame() || !m_session->confirmQuit())
        return;
    if (m_session->endGame())
        return; // a won game hands over to its winning sequence
    playSound(m_store, m_ports.sound, SoundEvent::NewGame);
    m_session->newDeal(true, true, RandomNumber, false);
}

void TfrmMain::restartGame()
{
    if (!animating())
        m_session->restartGame();
}

void TfrmMain::quitGame()
{
    if (animating() || !m_session->confirmQuit())
        return;
    if (m_session->endGame())
        return;
    // The game browser chooses the next game; until then the table is empty.
    m_table->clearGame();
    showTable();
    openGameBrowser();
}

void TfrmMain::randomGame()
{
    const std::size_t count = m_catalogue.games().size();
    if (count == 0)
        return;
    // Game ids 0 .. N-2, drawn until one names a game; a list too short to draw from gives
    // its first game.
    int gameId = m_catalogue.games().front().gameId;
    for (int tries = 0; count >= 2 && tries < 1000; ++tries) {
        const int r = int(m_ports.random.below(std::uint32_t(count - 1)));
        if (!m_catalogue.gameName(r).empty()) {
            gameId = r;
            break;
        }
    }
    const std::string name = m_catalogue.gameName(gameId);
    if (startGame(gameId, name, true))
        rememberChoice(gameId, name);
}

void TfrmMain::enterNoGameState()
{
    hidePileSizeTip();
    m_session->closeGame();
}

void TfrmMain::setCommandEnabled(const char* name, bool on)
{
    QAction* action = m_actions.at(name);
    action->setEnabled(on && !m_waiting.count(action));
}

// The toolbar buttons follow their menu items.
void TfrmMain::enableGameCommands(bool on)
{
    for (const char* name : {"mnuNew", "mnuRestartGame", "mnuSelect", "mnuQuitGame", "mnuSave", "mnuPause",
                             "mnuAutoPlay", "mnuDemo", "mnuCustomizeRules", "mnuRules", "mnuGameInformation",
                             "popGameInformation"})
        setCommandEnabled(name, on);
    const bool undoAllowed = m_store.fnStoreGet(Fld::Undo_Enabled) != "2";
    for (const char* name : {"mnuUndo", "mnuRedo"})
        setCommandEnabled(name, on && undoAllowed);
    refreshSnapshotCommands();
}

void TfrmMain::refreshSnapshotCommands()
{
    setCommandEnabled("mnuSnapshotPosition", m_session->inProgress());
    setCommandEnabled("mnuUndoToSnapshot", m_session->inProgress() && m_session->hasSnapshot());
}

void TfrmMain::saveGame()
{
    const std::string title = languageString(Language, 1601);
    const std::string folder = m_config.readText("Preference", "Dir_Save", m_files.programDir());
    for (;;) {
        const std::optional<std::string> path = m_ports.dialogs.saveFile(title, folder, GameFiles);
        if (!path)
            return;
        if (std::filesystem::exists(*path)) {
            const std::string shown = toProgramText(fromPath(*path)).value_or(*path);
            const Answer answer = m_ports.messages.question(shown + "\r" + languageString(Language, 31));
            if (answer == Answer::No)
                continue;
            if (answer != Answer::Yes)
                return;
        }
        std::string error;
        if (!m_session->saveGame(*path, error)) {
            m_ports.messages.error(error, "Error");
            return;
        }
        m_config.writeText("Preference", "Dir_Save", std::filesystem::path(*path).parent_path().string());
        return;
    }
}

void TfrmMain::openSavedGame()
{
    if (animating())
        return;
    const std::string folder = m_config.readText("Preference", "Dir_Save", m_files.programDir());
    const std::optional<std::string> path =
        m_ports.dialogs.openFile(languageString(Language, 1602), folder, SavedGameFiles);
    if (!path)
        return;
    m_session->openGame(*path);
    m_config.writeText("Preference", "Dir_Save", std::filesystem::path(*path).parent_path().string());
}

void TfrmMain::refreshCaption()
{
    QString caption = QStringLiteral("Kestrane 2000 [") + truncated(m_store.fnStoreGet(Fld::Game_name), 50)
        + QStringLiteral("]  [") + truncated(m_store.fnStoreGet(Fld::UserDefault), 30) + QStringLiteral("]");
    const std::string number = m_store.fnStoreGet(Fld::GameNumber);
    if (!number.empty())
        caption += QStringLiteral("  [") + fromProgramText(number) + QStringLiteral("]");
    if (windowTitle() != caption)
        setWindowTitle(caption);
}

void TfrmMain::applySolverSwitches()
{
    const bool on = m_actions.at("mnuSolver")->isChecked();
    m_solver->setSolverOn(on);
    m_solver->setWinnableOnly(m_actions.at("mnuWinnableOnly")->isChecked());
    m_actions.at("mnuWinnableOnly")->setEnabled(on); // it needs the solver
}

void TfrmMain::writeSwitch(const char* key, const char* name)
{
    m_config.writeText("Preference", key, m_actions.at(name)->isChecked() ? "Y" : "N");
}

bool TfrmMain::playSlowly(const Move& move)
{
    m_slowGlide = true;
    const bool played = m_session->play(move, MoveOrigin::Clicked);
    m_slowGlide = false;
    return played;
}

bool TfrmMain::autoPlay() const
{
    return m_actions.at("mnuAutoPlay")->isChecked();
}

void TfrmMain::toggleAutoPlay()
{
    m_actions.at("mnuAutoPlay")->toggle();
}

// The deal shown card by card: each card glides from the stock to its place in the fan. The game
// stays as dealt: the cards land on a copy of the table that starts with the stock alone.
void TfrmMain::paintDeal()
{
    TableView& table = *m_table;
    if (table.tableBuffer().width() == 0) {
        tableResized(); // the buffers are made by the first resize
        return;
    }
    dealNotice("deal starts");
    // The dealt table laid out and painted: its layout and scroll bar are those the cards go to.
    table.relayoutAndRepaint();
    placeScrollBar();
    if (m_store.fnStoreGet(Fld::Deal_Animation) != "Y" || !isVisible()) {
        showTable();
        return;
    }
    cardsMoving(true);
    const PileGroups dealt = table.cards().piles;
    CardTable landed{table.cards().deck, {}};
    landed.piles.stock = dealt.stock;
    table.painter(nullptr, landed).paintTable();
    showTable();

    const CardSize card = table.pictures().size();
    const Point stock =
        table.positions().isPlaced(Mazzo) ? table.positions().at(Mazzo) : Point{5, table.deviceWindow().top};
    MotionPace pace(m_ports.clock, m_ports.events, m_imgSfondo->frameMs());
    const MotionTiming timing{pace, 0, false, 0};
    const TableSurfaces surfaces{&m_imgSfondo->picture(), table.tableBuffer(), table.backgroundBuffer()};
    const auto dealOne = [&](PileRef pile, int number) {
        appendCard(landed.piles, pile, number);
        const std::string& text = *landed.piles.pile(pile);
        const FanStyle style = pile.group == PileGroup::Fila ? tableauFan(table.rules())
            : pile.group == PileGroup::Dest                  ? foundationFan(table.rules())
                                                             : reserveFan(table.rules());
        const Fan fan = fanOf(text, style, landed.deck, table.steps(), card);
        const Point to = cornerOf(table.positions().at(pile), style.spread, fan.offsets.back());
        const bool faceUp = !landed.deck.isFaceDown(number);
        MovingImage image(surfaces, table.pictures(), m_ports.graphics, {{faceUp ? number : -1, 0}});
        image.onDrawn = [this](const Rect& r) { m_imgSfondo->showChanged(r); };
        animateDealtCard(image, faceUp, stock, to, timing, card);
    };
    std::size_t longest = 0;
    for (const auto& pile : dealt.fila)
        longest = std::max(longest, std::size_t(cardCount(pile)));
    for (std::size_t row = 0; row < longest; ++row)
        for (int i = 0; i < PileGroups::FilaEntries; ++i)
            if (cardCount(dealt.fila[std::size_t(i)]) > int(row))
                dealOne(filaPile(i), cardAt(dealt.fila[std::size_t(i)], int(row)));
    for (int i = 0; i < PileGroups::AppoggEntries; ++i)
        for (int k = 0; k < cardCount(dealt.appogg[std::size_t(i)]); ++k)
            dealOne(appoggPile(i), cardAt(dealt.appogg[std::size_t(i)], k));
    for (int i = 0; i < PileGroups::DestEntries; ++i)
        for (int k = 0; k < cardCount(dealt.dest[std::size_t(i)]); ++k)
            dealOne(destPile(i), cardAt(dealt.dest[std::size_t(i)], k));
    // The game's own paint, shadows and all, replaces what the glides left.
    table.relayoutAndRepaint();
    showTable();
    cardsMoving(false);
    dealNotice("deal shown");
}

void TfrmMain::cardsMoving(bool on)
{
    m_cardsMoving += on ? 1 : -1;
    // Starting, restarting or leaving a game waits until the cards have landed.
    m_session->setQuitForbidden(animating());
    if (on && m_cardsMoving == 1)
        installInputFilter(InputFilter::Kind::AutomaticMoves, [] {});
    else if (!on && m_cardsMoving == 0)
        removeInputFilter(InputFilter::Kind::AutomaticMoves);
}

void TfrmMain::showTravel(const Game& before)
{
    TableView& table = *m_table;
    const Game& after = m_session->game();
    // The cards that changed piles, from each pile in order and its top card first: the order in
    // which a press on the stock deals them, a waste turns over or a run goes home.
    struct Travel {
        int card;
        PileRef from, to;
        int fromAt, toAt;
    };
    std::vector<Travel> travels;
    forEachPile(before.cards.piles, [&](PileRef pile, const std::string& text) {
        for (int p = cardCount(text) - 1; p >= 0; --p) {
            const int card = cardAt(text, p);
            const CardPlace now = locateCard(after, card);
            if (isCardNumber(card) && !now.pile.isNone() && now.pile != pile && table.positions().isPlaced(pile)
                && table.positions().isPlaced(now.pile))
                travels.push_back({card, pile, now.pile, p, now.position});
        }
    });
    if (travels.empty())
        return;
    CardTable shown = before.cards;
    const bool shadowed = m_store.fnStoreGet(Fld::Cards_Shadowed) != "N";
    MotionPace pace(m_ports.clock, m_ports.events, m_imgSfondo->frameMs());
    int speed = int(numberOr(m_store.fnStoreGet(Fld::Speed_Move_Card), 10));
    if (m_slowGlide)
        speed = std::max(speed, SlowestHintStepMs) * HintGlideSlowdown;
    const MotionTiming timing{pace, speed, shadowed, table.scrollOffset()};
    cardsMoving(true);
    for (const Travel& t : travels) {
        // Off its pile, across the table, and left lying where it arrives.
        const Point start = table.cardCorner(shown, t.from, findCard(*shown.piles.pile(t.from), t.card));
        const std::string oldText = *shown.piles.pile(t.from);
        std::string& source = *shown.piles.pile(t.from);
        source.erase(std::size_t(findCard(source, t.card)) * 3, 3);
        table.painter(&m_imgSfondo->picture(), shown).repairPile(t.from, oldText, Target::Both);
        *shown.piles.pile(t.to) += cardDigits(t.card);
        shown.deck.setFace(t.card, after.cards.deck.isFaceDown(t.card) ? Face::Down : Face::Up);
        const Point end = table.cardCorner(after.cards, t.to, t.toAt);
        MovingImage image({&m_imgSfondo->picture(), table.tableBuffer(), table.backgroundBuffer()}, table.pictures(),
                          m_ports.graphics, {{shown.deck.isFaceDown(t.card) ? -1 : t.card, 0}});
        image.onDrawn = [this](const Rect& r) { m_imgSfondo->showChanged(r); };
        m_imgSfondo->update(); // the repaired pile, drawn on the window picture already
        MotionRequest request;
        request.from = start;
        request.to = end;
        image.showAt(start, shadowed, table.scrollOffset());
        moveCard(image, request, timing, table.pictures().size());
    }
    cardsMoving(false);
}

// ---- what the game session shows ----------------------------------------------------------------

void TfrmMain::rulesLoaded()
{
    m_table->showGame(&m_session->game());
    m_table->setDeviceScale(m_imgSfondo->deviceScale());
    std::string screen;
    m_table->prepareTable(screen);
    if (!screen.empty())
        m_ports.messages.information(screen);
}

void TfrmMain::dealt(bool animate, bool keepLook)
{
    m_solver->positionChanged();
    m_cardCounter->followGame();
    m_table->showGame(&m_session->game());
    if (!keepLook)
        m_table->drawRandomLook();
    if (animate) {
        paintDeal();
    } else {
        if (m_table->tableBuffer().width() == 0) {
            tableResized();
            return;
        }
        m_table->relayoutAndRepaint();
        placeScrollBar();
        showTable();
    }
}

void TfrmMain::moved(const Game& before, const Move& move, bool dragged)
{
    // A waste turned over shows its cards travelling back by its own switch.
    const bool turnsWaste = move.kind == MoveKind::Stock && StockCommand(move.card) == StockCommand::Waste
        && before.cards.piles.stock[0].empty();
    const Field animates = turnsWaste ? Fld::Redeal_Animation : Fld::Cards_Animate;
    if (!dragged && move.kind != MoveKind::TurnUp && isVisible() && m_store.fnStoreGet(animates) != "N")
        showTravel(before);
    m_table->relayoutAndRepaint();
    placeScrollBar();
    showTable();
    m_solver->positionChanged();
    m_cardCounter->followGame();
}

void TfrmMain::scoreChanged(int score)
{
    m_lblScore->setText(QString::number(score));
}

void TfrmMain::clockChanged(long seconds)
{
    m_lblTempo->setText(fromProgramText(fnSecondsToText(seconds, 1, m_ports.locale.timeSeparator)));
}

void TfrmMain::stateChanged()
{
    refreshCaption();
    const bool game = m_session->hasGame();
    enableGameCommands(game);
    for (const char* name : {"mnuPause", "mnuQuitGame"})
        m_actions.at(name)->setEnabled(m_session->inProgress());
    m_actions.at("mnuPause")->setChecked(m_session->paused());
    if (!m_session->inProgress())
        hidePileSizeTip();
    if (!game && m_table->gameOnTable()) {
        hidePileSizeTip();
        m_table->clearGame();
        showTable();
    }
    m_solver->positionChanged();
    m_cardCounter->followGame();
}

void TfrmMain::busy(bool on)
{
    if (on) {
        if (m_busy++ == 0)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (m_busy > 0 && --m_busy == 0) {
        QApplication::restoreOverrideCursor();
    }
}

void TfrmMain::wait(int ms)
{
    fnDelay(m_ports.clock, m_ports.events, ms);
}

void TfrmMain::gameWon()
{
    showTable();
    // Once the move that won has been finished: the winning display, then the dialog, which may
    // start another game. A game started meanwhile, or a window closing, has neither.
    QTimer::singleShot(0, this, [this] {
        if (gameInProgress() || !isVisible())
            return;
        runWinningAnimation({}, {}, [this] {
            if (!m_closing && isVisible() && !gameInProgress())
                showGameWon();
        });
    });
}

void TfrmMain::runWinningAnimation(std::optional<std::string> pattern, std::optional<long> seconds,
                                   std::function<void()> finished)
{
    if (m_animationRunning) {
        if (finished)
            finished(); // one display at a time: the one playing goes on
        return;
    }
    if (!m_winning)
        m_winning = new WinningAnimationPlayer(*m_table, *m_imgSfondo, m_ports.clock, m_ports.random,
                                               [this] { return m_table->deviceWindow(); }, this);
    const WinningChoice preferred = winningChoice(m_config);
    const std::optional<WinningPattern> chosen =
        winningPatternNamed(pattern.value_or(preferred.pattern), m_ports.random);
    const int speed = int(numberOr(m_store.fnStoreGet(Fld::Speed_Move_Card), 10));
    const auto ended = [this, finished = std::move(finished)] {
        m_animationRunning = false;
        removeInputFilter(InputFilter::Kind::Animation);
        m_session->setQuitForbidden(animating());
        if (m_closing)
            QTimer::singleShot(0, this, &QWidget::close);
        if (finished)
            finished();
    };
    if (!m_winning->start(chosen, winningDurationMs(seconds.value_or(preferred.seconds)), speed, ended)) {
        ended();
        return;
    }
    m_animationRunning = true;
    m_session->setQuitForbidden(true);
    hidePileSizeTip();
    installInputFilter(InputFilter::Kind::Animation, [this] {
        m_animationRunning = false;
        m_winning->stop();
    });
}

bool TfrmMain::previewWinningAnimation(const std::string& pattern, long seconds)
{
    QEventLoop ending;
    bool ended = false;
    runWinningAnimation(pattern, seconds, [&] {
        ended = true;
        ending.quit();
    });
    if (!ended)
        ending.exec();
    return !m_closing;
}

// ---- pause --------------------------------------------------------------------------------------

void TfrmMain::setPause(bool on)
{
    if (!on || m_session->inProgress())
        m_session->setPause(on);
    m_actions.at("mnuPause")->setChecked(m_session->paused()); // the item checked itself when clicked
}

void TfrmMain::pauseChanged(bool paused)
{
    m_actions.at("mnuPause")->setChecked(paused);
    if (!paused) {
        removeInputFilter(InputFilter::Kind::Pause);
        m_table->relayoutAndRepaint();
        showTable();
        return;
    }
    hidePileSizeTip();
    paintPauseCover();
    // The first key or press ends the pause and is itself discarded; the filter goes once it is
    // done with the event.
    installInputFilter(InputFilter::Kind::Pause, [this] { QTimer::singleShot(0, this, [this] { setPause(false); }); });
}

// The table under a plain green cover with the two pause pictures, revealed from the middle out.
void TfrmMain::paintPauseCover()
{
    const Colour PauseGreen = rgb(0, 128, 0);
    QtBitmap& window = m_imgSfondo->picture();
    window.fillRect({0, 0, window.width(), window.height()}, PauseGreen);
    // On a finer screen the pictures are scaled to it; they lie on the cover's own green.
    const double scale = m_imgSfondo->deviceScale();
    const auto picture = [&](const char* name) {
        std::unique_ptr<Bitmap> drawn = m_ports.resources.bitmap(name);
        CardArt* art = m_ports.graphics.cardArt();
        if (drawn && art && scale != 1)
            if (std::unique_ptr<Bitmap> scaled = art->scaled(
                    *drawn, {scaledLength(drawn->width(), scale), scaledLength(drawn->height(), scale)}))
                drawn = std::move(scaled);
        return drawn;
    };
    const std::unique_ptr<Bitmap> first = picture("BMP_PAUSE_1");
    const std::unique_ptr<Bitmap> second = picture("BMP_PAUSE_2");
    m_imgSfondo->update();
    if (!first || !second)
        return;
    const int top = std::max((scaledLength(height(), scale) - first->height() - second->height() - scaledLength(45, scale)) / 2,
                             scaledLength(100, scale));
    const Point at1{(window.width() - first->width()) / 2, top};
    const Point at2{(window.width() - second->width()) / 2, top + first->height() + scaledLength(15, scale)};
    constexpr int Steps = 8;
    for (int step = 1; step <= Steps; ++step) {
        for (const auto& [picture, at] : {std::pair{first.get(), at1}, {second.get(), at2}}) {
            const int shown = picture->height() * step / Steps;
            const int from = (picture->height() - shown) / 2;
            window.copyTransparent(*picture, {0, from, picture->width(), shown}, {at.x, at.y + from}, PauseGreen);
        }
        m_imgSfondo->update();
        if (step < Steps && isVisible())
            fnDelay(m_ports.clock, m_ports.events, 25);
    }
}

// ---- time box and pile-size tooltip -------------------------------------------------------------

QString TfrmMain::timeText() const
{
    return m_lblTempo->text();
}

void TfrmMain::timerTick()
{
    if (!m_session->timerRunning())
        return;
    m_lblTempo->setText(fromProgramText(m_session->timeText(m_ports.locale.timeSeparator)));
    if (m_store.fnStoreGet(Fld::ShowPilesSize) == "Y" && m_hoverTime >= 0 && !m_pnlPilesSize->isVisible()) {
        const long long now = (long long)m_ports.clock.tickMs();
        if (now - m_hoverTime >= TooltipDelayMs || now < m_hoverTime) {
            m_hoverTime = -1;
            showPileSizeTip();
        }
    }
}

bool TfrmMain::insideTableArea(QPoint at) const
{
    return at.x() > 0 && at.y() >= tableWindow().top && at.x() < m_imgSfondo->width() && at.y() < m_imgSfondo->height();
}

void TfrmMain::showPileSizeTip()
{
    const QPoint at = m_lastPointer;
    if (m_imgSfondo->mapFromGlobal(QCursor::pos()) != at && m_imgSfondo->underMouse())
        return; // the pointer moved meanwhile
    if (!gameInProgress() || !insideTableArea(at))
        return;
    const PileHit hit = m_table->hitAt(m_imgSfondo->pictureAt(at));
    if (hit.pile.isNone())
        return;
    const int count = cardCount(*m_table->cards().piles.pile(hit.pile));
    if (count <= 0)
        return;
    m_lblPilesSize->setText(QString::number(count) + (count == 1 ? QStringLiteral(" card") : QStringLiteral(" cards")));
    const QSize size = m_pnlPilesSize->size();
    int left = at.x(), top = at.y() - size.height() + 57;
    if (left + size.width() > m_imgSfondo->width() - 57)
        left = at.x() - size.width() - 2;
    if (top + size.height() > m_imgSfondo->height() - 57)
        top = at.y() - size.height() - 2;
    m_pnlPilesSize->move(left, top);
    m_pnlPilesSize->show();
    m_pnlPilesSize->raise();
}

void TfrmMain::hidePileSizeTip()
{
    m_pnlPilesSize->hide();
}

// ---- the pointer --------------------------------------------------------------------------------

PointerEvent TfrmMain::pointerEvent(const QMouseEvent* event) const
{
    PointerEvent e;
    e.button = event->button() == Qt::RightButton ? PointerButton::Right
        : event->button() == Qt::MiddleButton    ? PointerButton::Middle
                                                 : PointerButton::Left;
    e.shift = event->modifiers().testFlag(Qt::ShiftModifier);
    e.ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    e.at = m_imgSfondo->pictureAt(event->position());
    return e;
}

void TfrmMain::pressed(QMouseEvent* event)
{
    hidePileSizeTip();
    if (animating())
        return; // the cards moving by themselves finish first
    m_pointer->pointerDown(pointerEvent(event));
}

void TfrmMain::moved(QMouseEvent* event)
{
    m_hoverTime = -1;
    const QPoint at = event->position().toPoint();
    if (m_pointer->holding()) {
        const int chosen = int(numberOr(m_store.fnStoreGet(Fld::Cursor), 0)) + 10;
        if (m_cursors.count(chosen))
            m_imgSfondo->setCursor(m_cursors.at(chosen));
        autoScroll(at);
        m_pointer->pointerMove(pointerEvent(event));
        m_lastPointer = at;
        return;
    }
    m_pointer->pointerMove(pointerEvent(event));
    if (gameInProgress()) {
        m_hoverTime = (long long)m_ports.clock.tickMs();
        if (at != m_lastPointer || !insideTableArea(at))
            hidePileSizeTip();
        m_lastPointer = at;
    }
}

// While cards are dragged near the top or bottom of a scrolled table, the table follows.
void TfrmMain::autoScroll(QPoint at)
{
    const ScrollBarState& bar = m_table->scrollBar();
    constexpr int Step = 50;
    int position = bar.position;
    if (bar.position > 0 && at.y() - 5 < m_pnlLineaNera->y())
        position = bar.position - Step;
    else if (bar.visible && at.y() + 5 > m_imgSfondo->height() && bar.position < bar.maximum)
        position = bar.position + Step;
    if (position == bar.position)
        return;
    m_table->scrollTo(position);
    {
        const QSignalBlocker quiet(m_scrBarMain);
        m_scrBarMain->setValue(m_table->scrollBar().position);
    }
    showTable();
    m_pointer->tableScrolled();
}

void TfrmMain::released(QMouseEvent* event)
{
    const int chosen = int(numberOr(m_store.fnStoreGet(Fld::Cursor), 0));
    if (m_cursors.count(chosen))
        m_imgSfondo->setCursor(m_cursors.at(chosen));
    m_pointer->pointerUp(pointerEvent(event));
}

void TfrmMain::doubleClicked(QMouseEvent* event)
{
    if (!animating())
        m_pointer->doubleClick(pointerEvent(event));
}

void TfrmMain::keyPressEvent(QKeyEvent* event)
{
    hidePileSizeTip();
    QMainWindow::keyPressEvent(event);
}

// ---- input filters ------------------------------------------------------------------------------

void TfrmMain::installInputFilter(InputFilter::Kind kind, std::function<void()> onInput)
{
    m_filters[kind] = std::make_unique<InputFilter>(kind, std::move(onInput));
}

void TfrmMain::removeInputFilter(InputFilter::Kind kind)
{
    m_filters.erase(kind);
}

// ---- shut-down ----------------------------------------------------------------------------------

void TfrmMain::closeEvent(QCloseEvent* event)
{
    const bool confirm = m_config.readText("Preference", "ConfirmQuit", "N") != "N";
    savePlacement();
    if (m_animationRunning) {
        // The animation's end closes the window.
        m_animationRunning = false;
        m_winning->stop();
        m_closing = true;
        event->ignore();
        return;
    }
    if (confirm && !m_ports.messages.confirmOkCancel("Exit Kestrane 2000?")) {
        m_closing = false;
        event->ignore();
        return;
    }
    m_session->interruptAutoplay();
    m_session->endGame();
    m_cardCounter->savePreferences();
    hide();
    if (m_store.fnStoreGet(Fld::Sounds_Enabled) == "Y")
        m_ports.sound.stop();
    m_config.writeText("Preference", "AutoPlay", autoPlay() ? "Y" : "N");
    m_imgSfondo->onResize = nullptr;
    event->accept();
}

// ---- the Customize dialog ----------------------------------------------------------------------

void TfrmMain::customize(int page)
{
    CustomizeContext context{*m_statsContext, m_ports, m_files.programDir(), [this] { showCustomizedLook(); },
                             [this] { applyCustomizedWindow(); },
                             [this](const std::string& pattern, int seconds) {
                                 return previewWinningAnimation(pattern, seconds);
                             }};
    fnCustomizeDialog(context, page, this);
}

void TfrmMain::showCustomizedLook()
{
    m_table->applyCardSize();
    if (m_table->gameOnTable()) {
        std::string notice; // the small-screen notices were given when the game started
        m_table->prepareTable(notice);
    }
    tableResized();
}

void TfrmMain::applyCustomizedWindow()
{
    m_windowPreferences.toolbarLarge = m_config.readText("Preference", "ToolBar_Large", "N") == "Y";
    m_windowPreferences.toolbarFlat = m_config.readText("Preference", "ToolBar_Flat", "Y") == "Y";
    applyToolbarSize(m_windowPreferences.toolbarLarge);
    applyButtonStyle(m_windowPreferences.toolbarFlat);
    m_actions.at("popShowTime")->setEnabled(m_store.fnStoreGet(Fld::Show_Time) != "Y");
    m_actions.at("popShowScore")->setEnabled(m_store.fnStoreGet(Fld::Show_Score) != "Y");
    const int chosen = int(numberOr(m_store.fnStoreGet(Fld::Cursor), 0));
    if (m_cursors.count(chosen))
        m_imgSfondo->setCursor(m_cursors.at(chosen));
    else
        m_imgSfondo->unsetCursor();
    enableGameCommands(m_session->hasGame()); // undo and redo as the undo levels now allow
    tableResized();
}

} // namespace kst
