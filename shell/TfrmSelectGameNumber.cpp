#include "shell/TfrmSelectGameNumber.h"

#include "engine/GameNumber.h"
#include "platform/qt/QtText.h"
#include "stats/GameLog.h"
#include "stats/Players.h"
#include "stats/ui/DialogButtons.h"
#include "stats/ui/StatsTable.h"
#include "stats/ui/TfrmStatistics.h"
#include "storage/SectionFile.h"
#include "storage/StringTable.h"
#include "storage/TextUtils.h"

#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kst {

namespace {

constexpr int SelectGameNumberHelp = 1001;
constexpr int StringWon = 2009, StringLost = 2010;
constexpr int RecentNumbers = 20;     // Game001 ... Game020 of [Game_Numbers]
constexpr int NumbersShownInList = 18;
constexpr int PreviousRows = 100;     // the newest games of the log
constexpr int LostSpareRows = 10;     // blank rows below the lost deals
constexpr int RowsShown = 12;
const StatsColumn PreviousColumns[] = {{"Game number", 83}, {"Game", 108}, {"W/L", 28}, {"Date", 55}, {"Player", 86}};
const StatsColumn LostColumns[] = {{"Game number", 86}, {"W/L", 31}, {"Date", 52}, {"Player", 100}};
enum PreviousColumn { PrevNumber, PrevGame, PrevResult, PrevDate, PrevPlayer };
enum LostColumn { LostNumber, LostResult, LostDate, LostPlayer };

QString cellText(const QTableWidget* grid, int row, int column)
{
    const QTableWidgetItem* item = row >= 0 ? grid->item(row, column) : nullptr;
    return item ? item->text().trimmed() : QString();
}

} // namespace

TfrmSelectGameNumber::TfrmSelectGameNumber(StatsContext& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmSelectGameNumber"));
    setWindowTitle(QStringLiteral("Select a game number"));
    const std::vector<std::string> gameNames = fnGameList(context.catalogue, context.customGamesPath);
    const int gameId = int(numberOr(context.store.fnStoreGet(Fld::GameId), 1));
    const QString currentGame =
        fromProgramText(context.catalogue.gameName(context.store.fnStoreGet(Fld::GameId).empty() ? 1 : gameId));
    const auto gameList = [&](const char* name) {
        auto* box = new QComboBox(this);
        box->setObjectName(QLatin1String(name));
        for (const std::string& n : gameNames)
            box->addItem(fromProgramText(n));
        box->setCurrentIndex(box->findText(currentGame));
        return box;
    };

    // Page 0: a number typed or one of the recent ones, and its game.
    m_cboNumbers = new QComboBox(this);
    m_cboNumbers->setObjectName(QStringLiteral("cboNumbers"));
    m_cboNumbers->setEditable(true);
    m_cboNumbers->setInsertPolicy(QComboBox::NoInsert);
    m_cboNumbers->lineEdit()->setMaxLength(GameNumberDigits);
    m_cboNumbers->setMaxVisibleItems(NumbersShownInList);
    for (int i = 1; i <= RecentNumbers; ++i)
        if (const std::string n = context.config.readText("Game_Numbers", "Game0" + zeroPadded(i, 2), ""); !n.empty())
            m_cboNumbers->addItem(fromProgramText(n));
    m_cboNumbers->setEditText(fromProgramText(context.store.fnStoreGet(Fld::GameNumber)));
    m_cboGames = gameList("cboGames");
    auto* select = new QWidget(this);
    auto* group = new QGroupBox(QStringLiteral("Select a game and a game number to play:  "), select);
    auto* form = new QFormLayout(group);
    auto* numberLabel = new QLabel(QStringLiteral("Ga&me number:"), group);
    numberLabel->setBuddy(m_cboNumbers);
    auto* gameLabel = new QLabel(QStringLiteral("G&ame:"), group);
    gameLabel->setBuddy(m_cboGames);
    form->addRow(numberLabel, m_cboNumbers);
    form->addRow(gameLabel, m_cboGames);
    auto* selectLayout = new QVBoxLayout(select);
    selectLayout->addWidget(group);
    selectLayout->addStretch();

    // Page 1: the newest games of the log.
    auto* previous = new QWidget(this);
    m_stgPrevious = makeStatsTable(previous, QStringLiteral("stgPrevious"), PreviousColumns, PreviousRows);
    fitStatsTable(m_stgPrevious, RowsShown);
    auto* previousLabel = new QLabel(QStringLiteral("&Select a previous played game:  "), previous);
    previousLabel->setBuddy(m_stgPrevious);
    auto* previousLayout = new QVBoxLayout(previous);
    previousLayout->addWidget(previousLabel);
    previousLayout->addWidget(m_stgPrevious);

    // Page 2: the deals of a game lost and never won.
    auto* lost = new QWidget(this);
    m_cboGamesLost = gameList("cboGamesLost");
    m_stgLostGames = makeStatsTable(lost, QStringLiteral("stgLostGames"), LostColumns, LostSpareRows);
    fitStatsTable(m_stgLostGames, RowsShown - 2);
    auto* lostLabel = new QLabel(QStringLiteral("&Select a previous lost game: "), lost);
    lostLabel->setBuddy(m_cboGamesLost);
    auto* lostLayout = new QVBoxLayout(lost);
    lostLayout->addWidget(lostLabel);
    lostLayout->addWidget(m_cboGamesLost);
    lostLayout->addWidget(m_stgLostGames);
    connect(m_cboGamesLost, &QComboBox::currentIndexChanged, this, &TfrmSelectGameNumber::fillLost);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pgcSelect"));
    m_pages->addTab(select, QStringLiteral("Select a &game"));
    m_pages->addTab(previous, QStringLiteral("&Previous games"));
    m_pages->addTab(lost, QStringLiteral("&Lost games"));
    connect(m_pages, &QTabWidget::currentChanged, this, &TfrmSelectGameNumber::pageShown);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    addDialogButton(this, buttons, "OK", "btnOk", [this] { dealChosen(); }, true);
    addDialogButton(this, buttons, "View &Log...", "btnViewLog", [this] { viewLog(); });
    addDialogButton(this, buttons, "Cancel", "btnAnnulla", [this] { reject(); });
    addHelpButton(context, this, buttons, SelectGameNumberHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
}

void TfrmSelectGameNumber::pageShown(int page)
{
    // Each page is filled the first time it is opened.
    if (page == PreviousPage && cellText(m_stgPrevious, 0, PrevNumber).isEmpty()
        && cellText(m_stgPrevious, 0, PrevGame).isEmpty())
        fillPrevious();
    else if (page == LostPage && cellText(m_stgLostGames, 0, LostNumber).isEmpty())
        fillLost();
}

void TfrmSelectGameNumber::fillPrevious()
{
    BusyPointer busy(m_context.files.pointer());
    const std::vector<std::string> lines = loadLines(m_context.files.logPath()).lines;
    const int language = int(numberOr(m_context.store.fnStoreGet(Fld::Language), Language));
    const QString won = QString::fromLatin1(languageString(language, StringWon).c_str());
    const QString lostText = QString::fromLatin1(languageString(language, StringLost).c_str());
    int row = 0;
    for (auto line = lines.rbegin(); line != lines.rend() && row < PreviousRows; ++line, ++row) {
        const LogFields f = splitLogLine(*line);
        setStatsCell(m_stgPrevious, row, PrevNumber, fromProgramText(f.number));
        setStatsCell(m_stgPrevious, row, PrevGame, fromProgramText(f.gameName));
        setStatsCell(m_stgPrevious, row, PrevResult, f.won ? won : lostText);
        setStatsCell(m_stgPrevious, row, PrevDate, shortDate(f.date));
        setStatsCell(m_stgPrevious, row, PrevPlayer, fromProgramText(f.player));
    }
    fitStatsTable(m_stgPrevious, RowsShown);
}

void TfrmSelectGameNumber::fillLost()
{
    BusyPointer busy(m_context.files.pointer());
    const std::vector<std::string> lines = loadLines(m_context.files.logPath()).lines;
    const std::vector<LostDeal> deals =
        lostDeals(lines, toProgramText(m_cboGamesLost->currentText()).value_or(std::string()));
    const int language = int(numberOr(m_context.store.fnStoreGet(Fld::Language), Language));
    const QString lostText = QString::fromLatin1(languageString(language, StringLost).c_str());
    m_stgLostGames->setRowCount(int(deals.size()) + LostSpareRows);
    for (int row = 0; row < m_stgLostGames->rowCount(); ++row)
        for (int column = 0; column < m_stgLostGames->columnCount(); ++column)
            setStatsCell(m_stgLostGames, row, column, QString());
    for (int row = 0; row < int(deals.size()); ++row) {
        const LostDeal& deal = deals[std::size_t(row)];
        setStatsCell(m_stgLostGames, row, LostNumber, fromProgramText(deal.number));
        setStatsCell(m_stgLostGames, row, LostResult, lostText);
        setStatsCell(m_stgLostGames, row, LostDate, shortDate(deal.date));
        setStatsCell(m_stgLostGames, row, LostPlayer, fromProgramText(deal.player));
    }
    fitStatsTable(m_stgLostGames, RowsShown - 2);
}

bool TfrmSelectGameNumber::chosenDeal(std::string& number, std::string& gameName) const
{
    QString typed, game;
    switch (m_pages->currentIndex()) {
    case PreviousPage:
        typed = cellText(m_stgPrevious, m_stgPrevious->currentRow(), PrevNumber);
        game = cellText(m_stgPrevious, m_stgPrevious->currentRow(), PrevGame);
        break;
    case LostPage:
        typed = cellText(m_stgLostGames, m_stgLostGames->currentRow(), LostNumber);
        game = m_cboGamesLost->currentText();
        break;
    default:
        number = toProgramText(m_cboNumbers->currentText()).value_or(std::string(1, '?'));
        gameName = toProgramText(m_cboGames->currentText()).value_or(std::string());
        return true;
    }
    if (typed.isEmpty() || game.trimmed().isEmpty()) {
        m_context.files.messages().information("Select a correct game number.");
        return false;
    }
    number = toProgramText(typed).value_or(std::string(1, '?'));
    gameName = toProgramText(game).value_or(std::string());
    return true;
}

void TfrmSelectGameNumber::dealChosen()
{
    std::string text, gameName;
    if (!chosenDeal(text, gameName))
        return;
    const TypedGameNumber typed = typedGameNumber(text);
    if (typed.refused) {
        m_context.files.messages().information("Numbers only are required.");
        return;
    }
    if (typed.number.empty())
        return; // nothing to deal: the dialog stays
    const int gameId = m_context.catalogue.gameIdByName(gameName);
    // A game of the log may be a customized game deleted since.
    if (gameId < 0) {
        m_context.files.messages().information("The game \"" + fnTrimRight(gameName) + "\" no longer exists.");
        return;
    }
    hide();
    playDeal(m_context, gameId, m_context.catalogue.gameName(gameId), typed.number);
    accept();
}

void TfrmSelectGameNumber::viewLog()
{
    TfrmStatistics statistics(m_context, this);
    if (statistics.fnShowLogStatistics(this))
        accept();
}

} // namespace kst
