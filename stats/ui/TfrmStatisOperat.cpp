#include "stats/ui/TfrmStatisOperat.h"

#include "platform/qt/QtText.h"
#include "stats/Statistics.h"
#include "stats/StatsSummary.h"
#include "stats/ui/DialogButtons.h"
#include "stats/ui/StatsCharts.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QChartView>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace kst {

namespace {

constexpr int PlayersHelp = 1007;
constexpr int PlayersCharted = 5;
constexpr int ChartNameLength = 10; // the first characters of a player's name label a bar
constexpr QSize PlayersChartSize{420, 300};
// The bars' colours, the highest first: blue, yellow, red, lime, white.
const QColor BarColours[PlayersCharted] = {QColor(0, 0, 255), QColor(255, 255, 0), QColor(255, 0, 0),
                                           QColor(0, 255, 0), QColor(255, 255, 255)};

} // namespace

TfrmStatisOperat::TfrmStatisOperat(StatsContext& context, const std::vector<std::string>& games, int selectedGame,
                                   std::vector<std::string> players, QWidget* parent)
    : QDialog(parent), m_context(context), m_players(std::move(players))
{
    setObjectName(QStringLiteral("frmStatisOperat"));
    setWindowTitle(QStringLiteral("Players statistics"));
    m_games = new QListWidget(this);
    m_games->setObjectName(QStringLiteral("lsbGames"));
    for (const std::string& name : games)
        m_games->addItem(fromProgramText(name));
    m_games->setCurrentRow(selectedGame);
    auto* gameLabel = new QLabel(QStringLiteral("&Game:"), this);
    gameLabel->setBuddy(m_games);
    connect(m_games, &QListWidget::currentRowChanged, this, &TfrmStatisOperat::rebuild);

    auto* valuesGroup = new QGroupBox(QStringLiteral("Series values "), this);
    m_values = addChoices(valuesGroup,
                          {{"% Games &won", int(Values::WonPerCent)}, {"&Average score", int(Values::AverageScore)}});
    connect(m_values, &QButtonGroup::idClicked, this, &TfrmStatisOperat::rebuild);

    auto* chartGroup = new QGroupBox(this);
    m_chart = makeBarChart(chartGroup, QStringLiteral("grafPlayer"));
    m_chart->setMinimumSize(PlayersChartSize);
    (new QVBoxLayout(chartGroup))->addWidget(m_chart);

    auto* side = new QVBoxLayout;
    side->addWidget(gameLabel);
    side->addWidget(m_games, 1);
    side->addWidget(valuesGroup);
    addDialogButton(this, side, "OK", "btnOK", [this] { accept(); }, true);
    addHelpButton(context, this, side, PlayersHelp);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(chartGroup, 1);
    layout->addLayout(side);
}

void TfrmStatisOperat::showEvent(QShowEvent* event)
{
    rebuild();
    QDialog::showEvent(event);
}

void TfrmStatisOperat::showValues(Values values)
{
    m_values->button(int(values))->setChecked(true);
    rebuild();
}

void TfrmStatisOperat::rebuild()
{
    BusyPointer busy(m_context.files.pointer());
    const QListWidgetItem* item = m_games->currentItem();
    const int gameId =
        item ? m_context.catalogue.gameIdByName(toProgramText(item->text()).value_or(std::string())) : -1;
    const bool perCent = Values(m_values->checkedId()) == Values::WonPerCent;
    std::vector<long long> values;
    for (const std::string& player : m_players) {
        const StatRecord r = fnReadStatistics(m_context.files, m_context.store, gameId, player).record;
        values.push_back(perCent ? wonPerCent(r.won, r.lost) : averageScore(r));
    }
    std::vector<ChartBar> bars;
    for (const int i : chartedPlayers(values, PlayersCharted)) {
        const QString name = fromProgramText(m_players[std::size_t(i)].substr(0, ChartNameLength));
        const long long value = values[std::size_t(i)];
        bars.push_back({name + QStringLiteral(": ") + QString::number(value), double(value), BarColours[bars.size()]});
    }
    setBars(m_chart, bars, true);
}

} // namespace kst
