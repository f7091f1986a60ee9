#include "stats/ui/TfrmStatisGiochi.h"

#include "platform/qt/QtText.h"
#include "stats/Players.h"
#include "stats/Statistics.h"
#include "stats/StatsSummary.h"
#include "stats/ui/DialogButtons.h"
#include "stats/ui/StatsTableModel.h"
#include "storage/StringTable.h"
#include "storage/TextUtils.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <cctype>

namespace kst {

namespace {

constexpr int StringGame = 1919, StringWon = 1905, StringLost = 1906, StringPercent = 1908;
constexpr int AllGamesHelp = 1008;
const std::vector<int> GamesColumnWidths{144, 40, 39, 44};
constexpr int RowsShown = 16;

bool lessCaseBlind(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

TfrmStatisGiochi::TfrmStatisGiochi(StatsContext& context, std::vector<std::string> players, int selectedPlayer,
                                   QWidget* parent)
    : QDialog(parent), m_context(context), m_players(std::move(players))
{
    setObjectName(QStringLiteral("frmStatisGiochi"));
    setWindowTitle(QStringLiteral("All games statistics"));
    const int language = int(numberOr(context.store.fnStoreGet(Fld::Language), Language));
    const auto title = [&](int n) { return QString::fromLatin1(languageString(language, n).c_str()); };

    m_cboOperatore = new QComboBox(this);
    m_cboOperatore->setObjectName(QStringLiteral("cboOperatore"));
    for (const std::string& name : m_players)
        m_cboOperatore->addItem(fromProgramText(name));
    m_cboOperatore->setCurrentIndex(selectedPlayer);
    auto* playerLabel = new QLabel(QStringLiteral("&Player:"), this);
    playerLabel->setBuddy(m_cboOperatore);

    m_model = new StatsTableModel({title(StringGame), title(StringWon), title(StringLost), title(StringPercent)}, this);
    m_grid = makeStatsView(this, QStringLiteral("stgGiochi"), m_model, GamesColumnWidths);
    m_grid->setMinimumHeight(m_grid->verticalHeader()->defaultSectionSize() * RowsShown);

    auto* group = new QGroupBox(QStringLiteral("Statistics values: "), this);
    m_values = addChoices(group, {{"&Total", int(Values::Total)},
                                  {"&Current session", int(Values::CurrentSession)},
                                  {"&Series", int(Values::Series)}});
    connect(m_values, &QButtonGroup::idClicked, this, &TfrmStatisGiochi::fill);
    connect(m_cboOperatore, &QComboBox::currentIndexChanged, this, &TfrmStatisGiochi::fill);

    auto* side = new QVBoxLayout;
    side->addWidget(group);
    side->addStretch();
    addDialogButton(this, side, "OK", "btnOK", [this] { accept(); }, true);
    addHelpButton(context, this, side, AllGamesHelp);

    auto* top = new QHBoxLayout;
    top->addWidget(playerLabel);
    top->addWidget(m_cboOperatore, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(m_grid, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(side);
}

void TfrmStatisGiochi::showEvent(QShowEvent* event)
{
    fill();
    QDialog::showEvent(event);
}

void TfrmStatisGiochi::showValues(Values values)
{
    m_values->button(int(values))->setChecked(true);
    fill();
}

void TfrmStatisGiochi::fill()
{
    BusyPointer busy(m_context.files.pointer());
    const int at = m_cboOperatore->currentIndex();
    const std::string player = at >= 0 && at < int(m_players.size()) ? m_players[std::size_t(at)] : std::string();
    const PlayerRecords records = readPlayerRecords(m_context.files, player);
    if (records.unreadable) {
        m_context.files.messages().information("Open error: " + m_context.files.statPath());
        return; // the table keeps what it showed
    }
    const auto values = Values(m_values->checkedId());
    const int currentGame = int(numberOr(m_context.store.fnStoreGet(Fld::GameId), -1));
    std::vector<std::string> names;
    if (values == Values::CurrentSession) {
        if (const std::string current = m_context.catalogue.gameName(currentGame); !current.empty())
            names.push_back(current); // no row while no game is chosen
    } else {
        names = fnGameList(m_context.catalogue, m_context.customGamesPath);
    }
    std::stable_sort(names.begin(), names.end(), lessCaseBlind);

    const bool currentPlayer = player == m_context.store.fnStoreGet(Fld::UserDefault);
    m_rows.clear();
    for (const std::string& name : names) {
        const StatRecord r = records.of(m_context.catalogue.gameIdByName(name));
        Row row{name};
        if (values == Values::Total) {
            row.won = r.won;
            row.lost = r.lost;
        } else if (values == Values::Series) {
            row.won = r.longestWon;
            row.lost = r.longestLost;
        } else if (currentPlayer) {
            row.won = numberOr(m_context.store.fnStoreGet(Fld::SessionWon), 0);
            row.lost = numberOr(m_context.store.fnStoreGet(Fld::SessionLost), 0);
        }
        m_rows.push_back(row);
    }
    m_model->setRows(
        int(m_rows.size()),
        [this](int row, int column) {
            const Row& r = m_rows[std::size_t(row)];
            switch (column) {
            case 0: return fromProgramText(r.game);
            case 1: return QString::number(r.won);
            case 2: return QString::number(r.lost);
            default: return QString::fromLatin1(perCentCell(r.won, r.lost).c_str());
            }
        },
        [this](int row, int column) -> SortKey {
            const Row& r = m_rows[std::size_t(row)];
            switch (column) {
            case 0: return fromProgramText(r.game);
            case 1: return r.won;
            case 2: return r.lost;
            default: return (long long)wonPerCent(r.won, r.lost);
            }
        });
    m_grid->horizontalHeader()->setSortIndicatorShown(false);
    fitStatsView(m_grid, GamesColumnWidths);
    if (!m_rows.empty())
        m_grid->selectRow(0);
}

} // namespace kst
