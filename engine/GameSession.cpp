#include "engine/GameSession.h"

#include <algorithm>
#include <filesystem>

#include "engine/AfterMove.h"
#include "engine/AutoMoves.h"
#include "engine/Deal.h"
#include "engine/GameClock.h"
#include "engine/GameNumber.h"
#include "engine/RuleCodes.h"
#include "engine/Scoring.h"
#include "engine/Sounds.h"
#include "engine/Stock.h"
#include "storage/SavedGame.h"
#include "storage/SectionFile.h"
#include "storage/TextUtils.h"

namespace kst {
namespace {

constexpr int SecondsPerDay = 24 * 3600;
constexpr int RecentNumbers = 20;
constexpr int WonSoundDelayMs = 200;
constexpr int AutoplayAfterDealMs = 800;

DateTime timeOfDay(long seconds)
{
    seconds = ((seconds % SecondsPerDay) + SecondsPerDay) % SecondsPerDay;
    DateTime t;
    t.hour = int(seconds / 3600);
    t.minute = int(seconds / 60 % 60);
    t.second = int(seconds % 60);
    return t;
}

// The states of a saved game's history; a log that does not match them reads as no events.
UndoHistory historyOf(const SavedGameFile& f)
{
    UndoHistory history;
    constexpr std::size_t stock = PileGroups::StockEntries, dest = PileGroups::DestEntries,
                          fila = PileGroups::FilaEntries, appogg = PileGroups::AppoggEntries;
    const std::size_t states = f.stock.size() / stock;
    for (std::size_t s = 0; s < states; ++s) {
        TableImage image;
        auto line = image.begin();
        line = std::copy_n(f.stock.begin() + std::ptrdiff_t(s * stock), stock, line);
        line = std::copy_n(f.foundations.begin() + std::ptrdiff_t(s * dest), dest, line);
        line = std::copy_n(f.tableau.begin() + std::ptrdiff_t(s * fila), fila, line);
        std::copy_n(f.reserves.begin() + std::ptrdiff_t(s * appogg), appogg, line);
        history.states.push_back(std::move(image));
    }
    if (!UndoHistory::parseLog(f.log, history.log) || history.log.size() != states)
        history.log.assign(states, std::string());
    return history;
}

} // namespace

GameSession::GameSession(SessionStore& store, const GameCatalogue& catalogue, SessionPorts ports, ProfileFile* config)
    : m_store(store), m_catalogue(catalogue), m_ports(ports), m_config(config)
{
}

bool GameSession::pref(Field field) const { return m_store.fnStoreGet(field) == "Y"; }

void GameSession::sound(SoundEvent event)
{
    playSound(m_store, m_ports.sound, event);
}

// ---- starting and leaving games ------------------------------------------------------------------

bool GameSession::confirmQuit(std::string_view text)
{
    if (m_quitForbidden)
        return false;
    if (m_store.fnStoreGet(Fld::ConfirmQuitGame) == "N" || !m_inProgress || m_game.won)
        return true;
    return m_ports.messages.confirmOkCancel(text.empty() ? "Quit this game?" : text);
}

bool GameSession::startGame(int gameId, const std::string& gameName, const std::string& player, int numberMode,
                            bool remember)
{
    const int current = int(numberOr(m_store.fnStoreGet(Fld::GameId), -1));
    const bool gameChanged = gameId != current || !hasGame();
    const bool playerChanged = player != m_store.fnStoreGet(Fld::UserDefault);
    if (!gameChanged && !playerChanged && m_inProgress)
        return false;
    if (!confirmQuit())
        return false;
    m_view->busy(true);
    if (endGame()) {
        m_view->busy(false);
        return false; // the game-won dialog leads on
    }
    if (gameChanged || playerChanged)
        m_store.resetSessionCounters();
    if (playerChanged) {
        m_store.fnStoreSet(Fld::UserDefault, player);
        if (m_config)
            m_config->writeText("Preference", "UserDefault", player);
    }
    m_store.fnStoreSet(Fld::GameId, zeroPadded(gameId, 4));
    m_store.fnStoreSet(Fld::Game_name, gameName);
    if (gameChanged) {
        m_game = Game{};
        m_game.gameId = gameId;
    }
    const bool dealt = newDeal(true, true, numberMode, false);
    if (dealt && remember && m_config) {
        m_config->writeNumber("Preference", "Game", gameId);
        m_config->writeText("Preference", "Game_name", gameName);
    }
    m_view->busy(false);
    return dealt;
}

bool GameSession::newDeal(bool newTable, bool animate, int numberMode, bool keepLook)
{
    if (!hasGame())
        return false;
    m_view->busy(true);
    m_store.fnStoreSet(Fld::UndoUsed, "0");
    m_store.fnStoreSet(Fld::RedoUsed, "0");
    // A new table starts its counters with the deal; one that goes on (restart, a saved game)
    // brings its own.
    if (newTable) {
        clearHistories();
        if (m_game.rules[Rule::DeckSize] == 0) {
            const CatalogueResult loaded = m_catalogue.loadRules(m_game.gameId, m_game.rules);
            if (!loaded.ok) {
                m_view->busy(false);
                m_ports.messages.error(loaded.message, "Error");
                closeGame();
                return false;
            }
            m_view->rulesLoaded();
        }
        if (numberMode == RandomNumber || m_store.fnStoreGet(Fld::GameNumber).empty())
            m_store.fnStoreSet(Fld::GameNumber,
                               m_dealNumbers ? m_dealNumbers(m_game) : newRandomGameNumber(m_ports.random));
        m_game.number = normalGameNumber(m_store.fnStoreGet(Fld::GameNumber));
        const DealResult dealt = dealGame(m_game, m_ports.random);
        if (!dealt.ok) {
            m_view->busy(false);
            m_ports.messages.error(dealt.message, "Error");
            closeGame();
            return false;
        }
        m_frozenSeconds = 0;
    }
    recordNumber();
    m_inProgress = true;
    m_game.won = false;
    afterScore();
    m_view->dealt(animate && m_store.fnStoreGet(Fld::Deal_Animation) != "N", keepLook);
    if (!m_timerRunning)
        startClock();
    m_view->clockChanged(elapsedSeconds());
    m_view->stateChanged();
    m_view->busy(false);
    if (autoplayOn()) {
        m_view->wait(AutoplayAfterDealMs);
        autoplay();
    }
    return true;
}

bool GameSession::restart()
{
    if (!hasGame())
        return false;
    endGame();
    // The table before the first move; a game with no move recorded stays as it is.
    if (!m_history.empty())
        restoreImage(m_game, m_history.states.front());
    clearHistories();
    m_game.counters.DealCounter = 1;
    m_game.counters.SpecialCounter = 0;
    m_game.movesMade = 0;
    m_frozenSeconds = 0;
    recomputeScore(m_game);
    m_game.won = false;
    sound(SoundEvent::Restart);
    return newDeal(false, false, KeepNumber, true);
}

bool GameSession::restartGame()
{
    if (!hasGame())
        return false;
    if (m_quitForbidden)
        return false;
    if (m_inProgress && !m_game.won
        && !m_ports.messages.confirmOkCancel("Restart this game?\rGame number: " + m_game.number))
        return false;
    return restart();
}

bool GameSession::resume(const Game& game)
{
    if (game.gameId < 0)
        return false;
    endGame();
    const bool newRules = game.gameId != m_game.gameId || !(game.rules == m_game.rules);
    if (game.gameId != int(numberOr(m_store.fnStoreGet(Fld::GameId), -1)))
        m_store.resetSessionCounters();
    m_store.fnStoreSet(Fld::GameId, zeroPadded(game.gameId, 4));
    m_store.fnStoreSet(Fld::Game_name, m_catalogue.gameName(game.gameId));
    m_store.fnStoreSet(Fld::GameNumber, game.number);
    m_game = game;
    clearHistories();
    if (newRules)
        m_view->rulesLoaded();
    return newDeal(false, false, KeepNumber, true);
}

void GameSession::closeGame()
{
    endGame();
    m_store.fnStoreSet(Fld::GameId, "-1");
    m_store.fnStoreSet(Fld::Game_name, "");
    m_game = Game{};
    clearHistories();
    m_view->stateChanged();
}

bool GameSession::endGame()
{
    if (!m_inProgress)
        return false;
    m_view->busy(true);
    if (const int target = m_game.rules[Rule::TargetScore]; target != 0)
        m_game.won = m_game.score >= target;
    GameResult result;
    result.end = m_ports.clock.now();
    result.seconds = elapsedSeconds();
    m_timerRunning = false;
    m_paused = false;
    m_frozenSeconds = result.seconds;
    result.gameId = m_game.gameId;
    result.gameName = m_store.fnStoreGet(Fld::Game_name);
    result.number = m_game.number;
    result.player = m_store.fnStoreGet(Fld::UserDefault);
    result.won = m_game.won;
    result.score = m_game.score;
    result.scoreMode = m_game.scoreMode;
    if (m_recorder)
        m_recorder->record(result);
    m_inProgress = false;
    m_interrupted = true; // a running automatic play stops
    if (const std::string snapshot = m_store.fnStoreGet(Fld::SnapshotFile); !snapshot.empty()) {
        std::error_code ignored;
        std::filesystem::remove(snapshot, ignored);
        m_store.fnStoreSet(Fld::SnapshotFile, "");
    }
    m_view->stateChanged();
    m_view->busy(false);
    if (result.won) {
        m_view->wait(WonSoundDelayMs);
        sound(SoundEvent::Won);
        m_view->gameWon();
    }
    return result.won;
}

void GameSession::setPause(bool on)
{
    if (on == m_paused || (on && !m_timerRunning))
        return;
    if (on) {
        m_frozenSeconds = elapsedSeconds();
        m_pauseMoment = m_ports.clock.now();
        m_timerRunning = false;
        m_paused = true;
    } else {
        // The clock moves on by the length of the pause, as if it had stood still.
        const long pausedFor = kst::elapsedSeconds(m_pauseMoment, m_ports.clock.now());
        m_start = timeOfDay(secondOfDay(m_start) + pausedFor);
        m_timerRunning = true;
        m_paused = false;
    }
    m_view->pauseChanged(on);
}

void GameSession::recordNumber()
{
    if (!m_config)
        return;
    // Most recent first; the number moves to the front and the gap it leaves closes.
    std::vector<std::string> numbers;
    std::size_t removed = 0;
    for (int i = 1; i <= RecentNumbers; ++i) {
        std::string n = m_config->readText("Game_Numbers", "Game0" + zeroPadded(i, 2), "");
        if (n == m_game.number)
            ++removed;
        else
            numbers.push_back(std::move(n));
    }
    numbers.insert(numbers.end(), removed, std::string());
    numbers.insert(numbers.begin(), m_game.number);
    for (int i = 1; i <= RecentNumbers; ++i)
        m_config->writeText("Game_Numbers", "Game0" + zeroPadded(i, 2), numbers[std::size_t(i - 1)]);
}

// ---- playing -------------------------------------------------------------------------------------

bool GameSession::autoplayOn() const
{
    return m_autoplayChecked && m_game.rules[Rule::Autoplay] != 0;
}

// The sound of a move; a sound that loops while the cards travel is returned to be stopped after.
bool GameSession::moveSound(const Game& before, const Move& move, MoveOrigin origin)
{
    switch (move.kind) {
    case MoveKind::TurnUp: sound(SoundEvent::FaceUp); return false;
    case MoveKind::Stock: {
        const auto command = StockCommand(move.card);
        if (command == StockCommand::Waste && before.cards.piles.stock[0].empty()) {
            // The waste turned over: the cards are heard travelling back, or once at once.
            if (m_store.fnStoreGet(Fld::Redeal_Animation) == "N") {
                sound(SoundEvent::RedealAtOnce);
                return false;
            }
            sound(SoundEvent::Redeal);
            return true;
        }
        if (command == StockCommand::Waste || command == StockCommand::SecondWaste)
            sound(SoundEvent::Stock);
        else
            sound(command == StockCommand::CloseUpGrid ? SoundEvent::GridCloseUp : SoundEvent::Shuffle);
        return false;
    }
    default: break;
    }
    if (move.to.group == PileGroup::Dest)
        sound(origin == MoveOrigin::Automatic ? SoundEvent::Autoplay : SoundEvent::Foundation);
    else if (move.to != Mazzo_Waste)
        sound(SoundEvent::Tableau);
    else if (m_game.rules[Rule::GameType] == GameTypes::DiscardTurning)
        sound(SoundEvent::SecondWaste); // elsewhere a discard is silent
    return false;
}

bool GameSession::makeMove(const Move& move, MoveOrigin origin, Step step)
{
    if (!m_inProgress || m_paused || !isLegal(m_game, move))
        return false;
    const Game before = m_game;
    recordState();
    const PlacementCounters counters = m_game.counters;
    apply(m_game, move);
    const bool redeal = move.kind == MoveKind::Stock && StockCommand(move.card) == StockCommand::Redeal;
    if (redeal && m_game.counters.DealCounter > counters.DealCounter)
        m_history.logEvent(UndoEvents::Redeal);
    else if (m_game.counters.SpecialCounter > counters.SpecialCounter)
        m_history.logEvent(UndoEvents::SpecialCount);
    m_store.fnStoreSet(Fld::RedoUsed, "0");
    m_redoHistory.clear();
    const bool looping = step != Step::Silent && moveSound(before, move, origin);
    m_view->moved(before, move, origin == MoveOrigin::Dragged);
    if (looping)
        stopSound(m_store, m_ports.sound);
    afterScore();
    return true;
}

void GameSession::afterScore()
{
    m_store.fnStoreSet(Fld::CurrentScore, std::to_string(m_game.score));
    m_view->scoreChanged(m_game.score);
}

AutomaticPlay GameSession::automaticPlay() const
{
    return {m_store.fnStoreGet(Fld::Automatic_FaceUp) != "N", autoplayOn()};
}

// The session's hand in the automatic steps: each a move of its own with its sound; a completed
// run goes home card by card while "Redeal" loops.
class GameSession::Steps : public StepMaker {
public:
    explicit Steps(GameSession& session) : m_session(session) {}

    bool make(std::span<const Move> moves, AutoStep step) override
    {
        if (step != AutoStep::CompletedRun)
            return m_session.makeMove(moves.front(), MoveOrigin::Automatic, Step::Sounded);
        m_session.sound(SoundEvent::Redeal);
        bool made = false;
        for (const Move& m : moves)
            made = m_session.makeMove(m, MoveOrigin::Automatic, Step::Silent) || made;
        stopSound(m_session.m_store, m_session.m_ports.sound);
        return made;
    }
    bool stopped() const override { return m_session.m_interrupted; }

private:
    GameSession& m_session;
};

bool GameSession::play(const Move& move, MoveOrigin origin)
{
    const int movesBefore = m_game.movesMade;
    if (!makeMove(move, origin, Step::Sounded))
        return false;
    Steps steps(*this);
    stepsAfterMove(m_game, move, movesBefore, automaticPlay(), steps);
    if (!m_game.won && origin != MoveOrigin::Automatic)
        autoplay();
    if (m_game.won && m_inProgress)
        endGame();
    return true;
}

bool GameSession::drop(int card, PileRef to)
{
    return play(dropMove(m_game, card, to), MoveOrigin::Dragged);
}

bool GameSession::click(int card)
{
    return play(pressMove(m_game, card), MoveOrigin::Clicked);
}

bool GameSession::clickToMove(int card, Field toFoundations, Field toTableaus)
{
    if (locateCard(m_game, card).pile == Mazzo)
        return false;
    const bool both = m_game.rules[Rule::ClickToMove] == 1;
    const TargetKinds kinds{both || pref(toFoundations), both || pref(toTableaus)};
    if (!kinds.foundations && !kinds.tableaus)
        return false;
    return play(autoMove(m_game, card, kinds), MoveOrigin::Clicked);
}

bool GameSession::doubleClick(int card)
{
    return clickToMove(card, Fld::DoubleClick_To_Foundations, Fld::DoubleClick_To_Tableaus);
}

bool GameSession::rightClick(int card)
{
    return clickToMove(card, Fld::RightClick_To_Foundations, Fld::RightClick_To_Tableaus);
}

bool GameSession::pressStock(PileRef pressed)
{
    if (!m_inProgress || m_paused)
        return false;
    if (pressed == Mazzo && stockCommand(m_game) == StockCommand::FillGapsFirst) {
        m_ports.messages.information(FillGapsMessage);
        return false;
    }
    return play(stockMove(m_game, pressed), MoveOrigin::Clicked);
}

bool GameSession::autoplay()
{
    if (!m_inProgress)
        return false;
    m_interrupted = false;
    Steps steps(*this);
    const bool moved = runAutoplay(m_game, automaticPlay(), steps);
    if (m_game.won && m_inProgress)
        endGame();
    return moved;
}

// ---- undo, redo, saved games and the snapshot ----------------------------------------------------

void GameSession::recordState()
{
    TableImage image = tableImage(m_game);
    // Pairing games keep their selection on the first foundation: it is not part of a state.
    const int type = m_game.rules[Rule::GameType];
    if (m_game.rules[Rule::PairingSum] != 0 || type == GameTypes::PairsOfFourteen
        || type == GameTypes::PairsOfThirteenRows)
        image[PileGroups::StockEntries].clear();
    m_history.record(std::move(image));
    m_store.fnStoreSet(Fld::UndoUsed, "0");
}

void GameSession::clearHistories()
{
    m_history.clear();
    m_redoHistory.clear();
}

bool GameSession::step(bool back, bool quiet)
{
    UndoHistory& from = back ? m_history : m_redoHistory;
    UndoHistory& to = back ? m_redoHistory : m_history;
    const Field used = back ? Fld::UndoUsed : Fld::RedoUsed;
    if (!quiet) {
        const std::string enabled = m_store.fnStoreGet(Fld::Undo_Enabled);
        if (!m_inProgress || m_paused || from.empty() || enabled == "2"
            || (enabled == "1" && m_store.fnStoreGet(used) == "1")) {
            m_ports.messages.beep();
            return false;
        }
        m_view->busy(true);
        m_store.fnStoreSet(used, "1");
        sound(back ? SoundEvent::Undo : SoundEvent::Redo);
    } else if (from.empty()) {
        return false;
    }
    const bool stockBefore = !m_game.cards.piles.stock[0].empty();
    to.record(tableImage(m_game));
    m_store.fnStoreSet(back ? Fld::RedoUsed : Fld::UndoUsed, "0");
    const std::string event = from.log.back();
    restoreImage(m_game, from.states.back());
    from.dropLast();
    const bool stockAfter = !m_game.cards.piles.stock[0].empty();
    PlacementCounters& counters = m_game.counters;
    // A waste turned over is seen in the stock; the other counters follow the log.
    if (back && stockBefore && !stockAfter)
        --counters.DealCounter;
    if (!back && !stockBefore && stockAfter)
        ++counters.DealCounter;
    const int direction = back ? -1 : 1;
    if (event == UndoEvents::SpecialCount)
        counters.SpecialCounter += direction;
    else if (event == UndoEvents::Redeal)
        counters.DealCounter += direction;
    to.log.back() = event;
    recomputeScore(m_game);
    m_game.won = isWon(m_game);
    if (m_history.empty())
        m_game.movesMade = 0;
    if (!quiet) {
        m_view->dealt(false, true);
        afterScore();
        m_view->stateChanged();
        m_view->busy(false);
    }
    return true;
}

bool GameSession::undo(bool quiet)
{
    return step(true, quiet);
}

bool GameSession::redo(bool quiet)
{
    return step(false, quiet);
}

SavedGameFile GameSession::savedFile()
{
    SavedGameFile f;
    f.gameId = m_game.gameId;
    f.backgroundBmp = m_store.fnStoreGet(Fld::Background_bmp);
    f.backgroundCol = m_store.fnStoreGet(Fld::Background_Col);
    f.backgroundDef = m_store.fnStoreGet(Fld::Background_def);
    const std::string size = m_store.fnStoreGet(Fld::Card_Size);
    f.cardSize = size.empty() ? 'B' : size[0];
    f.card = m_store.fnStoreGet(Fld::Card);
    f.backCard = m_store.fnStoreGet(Fld::Back_Card);
    f.seconds = elapsedSeconds();
    f.scoringSystem = m_store.fnStoreGet(Fld::ScoringSystem);
    f.score = m_game.score;
    f.dealCounter = m_game.counters.DealCounter;
    f.player = m_store.fnStoreGet(Fld::UserDefault);
    f.number = m_game.number;
    for (int i = 0; i < Rule::MaxFoundations; ++i)
        f.baseRanks[std::size_t(i)] = m_game.rules[Rule::BaseRank + i];
    f.image = tableImage(m_game);
    constexpr std::size_t dest = PileGroups::StockEntries, fila = dest + PileGroups::DestEntries,
                          appogg = fila + PileGroups::FilaEntries;
    for (const TableImage& state : m_history.states) {
        f.stock.insert(f.stock.end(), state.begin(), state.begin() + dest);
        f.foundations.insert(f.foundations.end(), state.begin() + dest, state.begin() + fila);
        f.tableau.insert(f.tableau.end(), state.begin() + fila, state.begin() + appogg);
        f.reserves.insert(f.reserves.end(), state.begin() + appogg, state.end());
    }
    f.log = m_history.logText();
    return f;
}

bool GameSession::saveGame(const std::string& path, std::string& error)
{
    if (!hasGame()) {
        error = "No game to save.";
        return false;
    }
    std::string content;
    for (const std::string& line : savedGameLines(savedFile()))
        content += line + "\r\n";
    const ReplaceResult written = replaceFileSafely(path, content);
    error = written.message;
    return written.ok;
}

bool GameSession::gameFromSaved(const SavedGameFile& f, Game& game, std::string& reason)
{
    game = Game{};
    game.gameId = f.gameId;
    game.number = normalGameNumber(f.number);
    if (!m_catalogue.loadRules(f.gameId, game.rules).ok) {
        reason = "it is a game the catalogue does not hold (" + std::to_string(f.gameId) + ").";
        return false;
    }
    // The cards the game is played with: those of its deal.
    Game dealt = game;
    if (!dealGame(dealt, m_ports.random).ok) {
        reason = "its game cannot be dealt.";
        return false;
    }
    CardSet cards;
    forEachPile(dealt.cards.piles, [&](PileRef, const std::string& pile) {
        for (int p = 0; p < cardCount(pile); ++p)
            if (const int card = cardAt(pile, p); card > 0)
                cards.set(std::size_t(card));
    });
    for (int i = 0; i < Rule::MaxFoundations; ++i)
        game.rules.set(Rule::BaseRank + i, std::int16_t(f.baseRanks[std::size_t(i)]));
    setEmptyRulesBelowBase(game.rules);
    if (!restoreImage(game, f.image)) {
        reason = "a pile of its table is not readable.";
        return false;
    }
    if (const std::string fault = tableIsOk(game.cards.piles, cards); !fault.empty()) {
        reason = "its table does not hold the game's cards (" + fault + ").";
        return false;
    }
    const UndoHistory history = historyOf(f);
    for (const TableImage& state : history.states) {
        Game earlier = game;
        if (!restoreImage(earlier, state) || !tableIsOk(earlier.cards.piles).empty()) {
            reason = "its undo history is damaged.";
            return false;
        }
    }
    game.score = int(f.score);
    game.counters.DealCounter = int(f.dealCounter);
    game.counters.SpecialCounter = int(std::count(history.log.begin(), history.log.end(),
                                                  std::string(UndoEvents::SpecialCount)));
    game.movesMade = history.empty() ? 0 : 2;
    game.won = isWon(game);
    return true;
}

bool GameSession::readSaved(const std::string& path, SavedGameFile& file, Game& game, std::string& reason)
{
    const LinesRead read = loadLines(path);
    if (read.unreadable) {
        reason = "it cannot be read.";
        return false;
    }
    return readSavedGame(read.lines, file, reason) && gamePlayable(file.gameId) && gameFromSaved(file, game, reason);
}

void GameSession::takeSaved(const SavedGameFile& f, const Game& game)
{
    m_store.fnStoreSet(Fld::ScoringSystem, f.scoringSystem);
    if (!f.player.empty())
        m_store.fnStoreSet(Fld::UserDefault, f.player);
    resume(game);
    m_history = historyOf(f);
    // The clock goes on from the saved time; a day or more starts it again.
    const long seconds = f.seconds >= 24L * 3600 || f.seconds < 0 ? 0 : f.seconds;
    m_start = timeOfDay(secondOfDay(m_ports.clock.now()) - seconds);
    m_timerRunning = true;
    m_view->clockChanged(elapsedSeconds());
    m_view->stateChanged();
}

bool GameSession::openGame(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        m_ports.messages.information("File not found: " + path);
        return false;
    }
    if (!confirmQuit())
        return false;
    SavedGameFile file;
    Game game;
    std::string reason;
    if (!readSaved(path, file, game, reason)) {
        // Nothing of the running game is touched; a game too large for the screen has said so.
        if (!reason.empty())
            m_ports.messages.error("The saved game " + path + " cannot be opened: " + reason, "Error");
        return false;
    }
    takeSaved(file, game);
    return true;
}

bool GameSession::gamePlayable(int gameId)
{
    constexpr int SmallestWidth = 650;
    if (m_screenWidth <= 0 || m_screenWidth >= SmallestWidth || !m_catalogue.needsLargeScreen(gameId))
        return true;
    m_ports.messages.information("Your video card's display is 640x480 pixels.\rYou can't play: "
                                 + m_catalogue.gameName(gameId)
                                 + "\rPlease set your screen resolution to 800x600 pixels or higher.");
    return false;
}

bool GameSession::hasSnapshot() const
{
    return !m_store.fnStoreGet(Fld::SnapshotFile).empty();
}

bool GameSession::takeSnapshot()
{
    if (!m_inProgress || !m_ports.messages.confirmOkCancel("Save snapshot position?"))
        return false;
    const std::optional<std::string> path = fnTempFileName("", "~so");
    std::string error;
    if (!path || !SessionStore::fits(Fld::SnapshotFile, *path) || !saveGame(*path, error)) {
        m_ports.messages.error(error.empty() ? "The snapshot cannot be written." : error, "Error");
        return false;
    }
    m_store.fnStoreSet(Fld::SnapshotFile, *path);
    m_view->stateChanged();
    return true;
}

bool GameSession::undoToSnapshot()
{
    if (!m_inProgress || !hasSnapshot() || !m_ports.messages.confirmOkCancel("Undo to snapshot?"))
        return false;
    const std::string path = m_store.fnStoreGet(Fld::SnapshotFile);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        m_ports.messages.information("File not found: " + path);
        return false;
    }
    SavedGameFile file;
    Game game;
    std::string reason;
    const bool read = readSaved(path, file, game, reason);
    if (read && game.gameId != m_game.gameId)
        reason = "it is of another game.";
    if (!read || !reason.empty()) {
        if (!reason.empty())
            m_ports.messages.error("The snapshot " + path + " cannot be used: " + reason, "Error");
        return false;
    }
    // The table, history, counters and score of the snapshot; the clock and the game go on.
    m_history = historyOf(file);
    game.elapsedSeconds = m_game.elapsedSeconds;
    m_store.fnStoreSet(Fld::ScoringSystem, file.scoringSystem);
    recomputeScore(game);
    game.movesMade = m_game.movesMade;
    m_game = game;
    m_redoHistory.clear();
    m_view->dealt(false, true);
    afterScore();
    m_view->stateChanged();
    return true;
}

// ---- time ----------------------------------------------------------------------------------------

void GameSession::startClock()
{
    m_start = m_ports.clock.now();
    m_timerRunning = true;
    m_paused = false;
}

long GameSession::elapsedSeconds()
{
    const long seconds = m_timerRunning ? kst::elapsedSeconds(m_start, m_ports.clock.now()) : m_frozenSeconds;
    m_game.elapsedSeconds = seconds;
    return seconds;
}

std::string GameSession::timeText(std::string_view separator)
{
    return fnSecondsToText(elapsedSeconds(), 1, separator);
}

} // namespace kst
