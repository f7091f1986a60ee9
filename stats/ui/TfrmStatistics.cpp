#include "stats/ui/TfrmStatistics.h"

#include "platform/qt/QtText.h"
#include "stats/GameLog.h"
#include "stats/HiScores.h"
#include "stats/Players.h"
#include "stats/Statistics.h"
#include "stats/StatsSummary.h"
#include "stats/ui/DialogButtons.h"
#include "stats/ui/StatsCharts.h"
#include "stats/ui/TfrmClearValues.h"
#include "stats/ui/TfrmGameWon.h"
#include "stats/ui/TfrmHiScore.h"
#include "stats/ui/TfrmStatisGiochi.h"
#include "stats/ui/TfrmStatisLog.h"
#include "stats/ui/TfrmStatisOperat.h"
#include "stats/ui/TfrmStatisOverall.h"
#include "storage/SectionFile.h"
#include "storage/StringTable.h"
#include "storage/TextUtils.h"

#include <QChartView>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

namespace kst {

namespace {

constexpr int StringWon = 1905, StringLost = 1906;
constexpr int StatisticsHelp = 4008;
constexpr int GamesShownInList = 18;
// The chart over time shows this many weeks, or as many months when the games span longer.
constexpr int HistoryPeriods = 12;
constexpr QSize SeriesChartSize{150, 110};
constexpr QSize HistoryChartSize{420, 200};
const QColor WonColour(0, 255, 0), LostColour(255, 0, 0);

QString text(int language, int n) { return QString::fromLatin1(languageString(language, n).c_str()); }

// The combo box of the names with the one equal to `selected` chosen.
QComboBox* nameList(QWidget* parent, const char* name, const std::vector<std::string>& names, const std::string& selected)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    for (const std::string& n : names)
        box->addItem(fromProgramText(n));
    const auto at = std::find(names.begin(), names.end(), fnTrimRight(selected));
    box->setCurrentIndex(at == names.end() ? -1 : int(at - names.begin()));
    return box;
}

} // namespace

TfrmStatistics::TfrmStatistics(StatsContext& context, QWidget* parent)
    : QDialog(parent),
      m_context(context),
      m_language(int(numberOr(context.store.fnStoreGet(Fld::Language), Language))),
      m_players(fnPlayerList(context.config)),
      m_games(fnGameList(context.catalogue, context.customGamesPath))
{
    setObjectName(QStringLiteral("frmStatistics"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    m_cboPlayers = nameList(this, "cboPlayers", m_players, context.store.fnStoreGet(Fld::UserDefault));
    const int currentGame = int(numberOr(context.store.fnStoreGet(Fld::GameId), -1));
    m_cboGames = nameList(this, "cboGames", m_games, context.catalogue.gameName(currentGame));
    m_cboGames->setMaxVisibleItems(GamesShownInList);
    auto* playerLabel = new QLabel(QStringLiteral("&Player:"), this);
    playerLabel->setBuddy(m_cboPlayers);
    auto* gameLabel = new QLabel(QStringLiteral("&Game:"), this);
    gameLabel->setBuddy(m_cboGames);
    connect(m_cboPlayers, &QComboBox::currentIndexChanged, this, &TfrmStatistics::refresh);
    connect(m_cboGames, &QComboBox::currentIndexChanged, this, [this] {
        setCaption();
        refresh();
    });

    m_total = new ResultsGroup(QStringLiteral("Total "), QStringLiteral("imgGraphTot"), true, m_language, this);
    m_total->setObjectName(QStringLiteral("grpTotal"));
    m_session =
        new ResultsGroup(QStringLiteral("Current session "), QStringLiteral("imgGraphSes"), false, m_language, this);
    m_session->setObjectName(QStringLiteral("grpSession"));

    auto* series = new QGroupBox(QStringLiteral("Series "), this);
    series->setObjectName(QStringLiteral("grpSeries"));
    m_series = makeBarChart(series, QStringLiteral("GraphSer"));
    m_series->setFixedSize(SeriesChartSize);
    m_seriesWon = new QLabel(series);
    m_seriesWon->setObjectName(QStringLiteral("lblSeriesWon"));
    m_seriesLost = new QLabel(series);
    m_seriesLost->setObjectName(QStringLiteral("lblSeriesLost"));
    m_current = new QLabel(series);
    m_current->setObjectName(QStringLiteral("lblCurrent"));
    auto* seriesLabels = new QVBoxLayout;
    seriesLabels->addWidget(m_seriesWon);
    seriesLabels->addWidget(m_seriesLost);
    seriesLabels->addWidget(m_current);
    seriesLabels->addStretch();
    auto* seriesLayout = new QHBoxLayout(series);
    seriesLayout->addLayout(seriesLabels);
    seriesLayout->addWidget(m_series);

    auto* history = new QGroupBox(QStringLiteral("Results over time "), this);
    m_history = makeBarChart(history, QStringLiteral("GraphHistory"));
    m_history->setMinimumSize(HistoryChartSize);
    (new QVBoxLayout(history))->addWidget(m_history);

    auto* buttons = new QVBoxLayout;
    addDialogButton(this, buttons, "OK", "btnOK", [this] { accept(); }, true);
    addHelpButton(context, this, buttons, StatisticsHelp);
    addDialogButton(this, buttons, "O&verall score...", "btnOverall", [this] { showOverallScore(); });
    addDialogButton(this, buttons, "A&ll games...", "btnAllGames", [this] { showAllGames(); });
    addDialogButton(this, buttons, "Pla&yers statistics...", "btnPlayers", [this] { showPlayersStatistics(); });
    addDialogButton(this, buttons, "Log s&tatistics", "btnLog", [this] {
        if (fnShowLogStatistics(nullptr))
            accept();
    });
    addDialogButton(this, buttons, "  &Hi-Scores...", "btnHiScores", [this] { showHiScores(); });
    buttons->addStretch();

    auto* lists = new QGridLayout;
    lists->addWidget(playerLabel, 0, 0);
    lists->addWidget(m_cboPlayers, 0, 1);
    lists->addWidget(gameLabel, 1, 0);
    lists->addWidget(m_cboGames, 1, 1);
    lists->setColumnStretch(1, 1);
    auto* groups = new QGridLayout;
    groups->addWidget(m_total, 0, 0);
    groups->addWidget(m_session, 0, 1);
    groups->addWidget(series, 1, 0);
    groups->addWidget(history, 1, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(lists);
    left->addLayout(groups);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    loadLog();
}

void TfrmStatistics::selectGame(const QString& name) { m_cboGames->setCurrentIndex(m_cboGames->findText(name)); }

void TfrmStatistics::selectPlayer(const QString& name)
{
    m_cboPlayers->setCurrentIndex(m_cboPlayers->findText(name));
}

void TfrmStatistics::showEvent(QShowEvent* event)
{
    refresh();
    setCaption();
    QDialog::showEvent(event);
}

void TfrmStatistics::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    menu.addAction(QStringLiteral("Clear values..."), this, &TfrmStatistics::clearValues);
    menu.exec(event->globalPos());
}

std::string TfrmStatistics::selectedGame() const
{
    const int at = m_cboGames->currentIndex();
    return at >= 0 && at < int(m_games.size()) ? m_games[std::size_t(at)] : std::string();
}

std::string TfrmStatistics::selectedPlayer() const
{
    const int at = m_cboPlayers->currentIndex();
    return at >= 0 && at < int(m_players.size()) ? m_players[std::size_t(at)] : std::string();
}

int TfrmStatistics::selectedGameId() const { return m_context.catalogue.gameIdByName(selectedGame()); }

void TfrmStatistics::setCaption()
{
    setWindowTitle(QStringLiteral("Statistics [") + fromProgramText(fnTrimRight(selectedGame())) + QStringLiteral("]"));
}

void TfrmStatistics::loadLog()
{
    const LinesRead read = loadLines(m_context.files.logPath());
    m_log = read.lines;
}

void TfrmStatistics::refresh()
{
    BusyPointer busy(m_context.files.pointer());
    const std::string game = selectedGame(), player = selectedPlayer();
    const PlayerStatistics stats = fnReadStatistics(m_context.files, m_context.store, selectedGameId(), player);
    const StatRecord& r = stats.record;
    fnShowTotals(m_context, game, player, *m_total);
    m_session->showResults(stats.sessionWon, stats.sessionLost);

    const QString won = text(m_language, StringWon), lost = text(m_language, StringLost);
    setBars(m_series, {{won, double(r.longestWon), WonColour}, {lost, double(r.longestLost), LostColour}}, false);
    m_seriesWon->setText(won + QStringLiteral(": ") + QString::number(r.longestWon));
    m_seriesLost->setText(lost + QStringLiteral(": ") + QString::number(r.longestLost));
    m_current->setText(fromProgramText(currentStreakText(r, m_language)));
    setHistory(m_history, resultsOverTime(m_log, game, player, HistoryPeriods));
}

void TfrmStatistics::showOverallScore()
{
    TfrmStatisOverall dialog(m_context, this);
    dialog.exec();
    m_gameStarted = m_gameStarted || dialog.gameStarted();
    if (dialog.gameStarted())
        accept();
}

void TfrmStatistics::showAllGames()
{
    TfrmStatisGiochi dialog(m_context, m_players, m_cboPlayers->currentIndex(), this);
    dialog.exec();
}

void TfrmStatistics::showPlayersStatistics()
{
    TfrmStatisOperat dialog(m_context, m_games, m_cboGames->currentIndex(), m_players, this);
    dialog.exec();
}

bool TfrmStatistics::fnShowLogStatistics(QWidget* owner)
{
    std::unique_ptr<TfrmStatisLog> dialog;
    {
        BusyPointer busy(m_context.files.pointer());
        dialog = std::make_unique<TfrmStatisLog>(m_context, m_players, m_games, owner ? owner : this);
    }
    const bool started = dialog->run();
    m_gameStarted = m_gameStarted || started;
    return started;
}

void TfrmStatistics::showHiScores()
{
    TfrmHiScore dialog(m_context, TfrmHiScore::Mode::Menu, selectedGameId(), 0, {}, this);
    dialog.exec();
}

void TfrmStatistics::clearValues()
{
    fnClearValuesDialog(m_context, this);
    loadLog();
    refresh();
}

} // namespace kst
