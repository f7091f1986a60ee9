#include "stats/ui/TfrmStatisLog.h"

#include "engine/GameNumber.h"
#include "platform/qt/QtText.h"
#include "stats/GameLog.h"
#include "stats/ui/DialogButtons.h"
#include "stats/ui/StatsTableModel.h"
#include "storage/SectionFile.h"
#include "storage/StringTable.h"
#include "storage/TextUtils.h"

#include <QComboBox>
#include <QDate>
#include <QItemSelectionModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTableView>
#include <QVBoxLayout>

namespace kst {

namespace {

constexpr int StringDate = 2001, StringStart = 2002, StringTime = 2003, StringGame = 2004, StringResult = 2005,
              StringScore = 2007, StringPlayer = 2008, StringWon = 2009, StringLost = 2010;
constexpr int LogHelp = 1009;
const std::vector<int> LogColumnWidths{64, 35, 42, 99, 30, 36, 96, 90};
constexpr int GamesShownInList = 23;
constexpr int RowsShown = 18;
enum LogColumn { DateColumn, StartColumn, TimeColumn, GameColumn, ResultColumn, ScoreColumn, PlayerColumn, NumberColumn };

} // namespace

TfrmStatisLog::TfrmStatisLog(StatsContext& context, const std::vector<std::string>& players,
                             const std::vector<std::string>& games, QWidget* parent)
    : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmStatisLog"));
    setWindowTitle(QStringLiteral("Log statistics"));
    const int language = int(numberOr(context.store.fnStoreGet(Fld::Language), Language));
    const auto text = [language](int n) { return QString::fromLatin1(languageString(language, n).c_str()); };

    const auto list = [this](const char* name, const char* first, const std::vector<std::string>& names) {
        auto* box = new QComboBox(this);
        box->setObjectName(QLatin1String(name));
        box->addItem(QString::fromLatin1(first));
        for (const std::string& n : names)
            box->addItem(fromProgramText(n));
        box->setCurrentIndex(0);
        connect(box, &QComboBox::currentIndexChanged, this, &TfrmStatisLog::fill);
        return box;
    };
    m_cboPlayers = list("cboPlayers", "[All players]", players);
    m_cboGames = list("cboGames", "[All games]", games);
    m_cboGames->setMaxVisibleItems(GamesShownInList);
    auto* playerLabel = new QLabel(QStringLiteral("&Player:"), this);
    playerLabel->setBuddy(m_cboPlayers);
    auto* gameLabel = new QLabel(QStringLiteral("&Game:"), this);
    gameLabel->setBuddy(m_cboGames);

    m_model = new StatsTableModel({text(StringDate), text(StringStart), text(StringTime), text(StringGame),
                                   text(StringResult), text(StringScore), text(StringPlayer), QStringLiteral("Game number")},
                                  this);
    m_grid = makeStatsView(this, QStringLiteral("stgLog"), m_model, LogColumnWidths);
    m_grid->setMinimumHeight(m_grid->verticalHeader()->defaultSectionSize() * RowsShown);
    connect(m_grid, &QTableView::doubleClicked, this, &TfrmStatisLog::playSelected);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    addHelpButton(context, this, buttons, LogHelp);
    addDialogButton(this, buttons, "Play t&his game", "btnPlay", [this] { playSelected(); });
    addDialogButton(this, buttons, "Close", "btnClose", [this] { reject(); }, true);

    auto* lists = new QGridLayout;
    lists->addWidget(playerLabel, 0, 0);
    lists->addWidget(m_cboPlayers, 0, 1);
    lists->addWidget(gameLabel, 0, 2);
    lists->addWidget(m_cboGames, 0, 3);
    lists->setColumnStretch(1, 1);
    lists->setColumnStretch(3, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);

    // The log is read once: nothing writes it while the dialog is open.
    m_lines = loadLines(context.files.logPath()).lines;
    m_won = text(StringWon);
    m_lost = text(StringLost);
    fill();
}

QString TfrmStatisLog::cell(int row, int column) const
{
    const LogFields f = splitLogLine(m_lines[std::size_t(m_shown[std::size_t(row)])]);
    switch (column) {
    case DateColumn: return shortDate(f.date);
    case StartColumn: return fromProgramText(f.start);
    case TimeColumn:
        return f.seconds ? fromProgramText(fnSecondsToText(*f.seconds, 1, std::string(1, m_context.files.timeSeparator())))
                         : QString();
    case GameColumn: return fromProgramText(f.gameName);
    case ResultColumn: return f.won ? m_won : m_lost;
    case ScoreColumn: return fromProgramText(f.score);
    case PlayerColumn: return fromProgramText(f.player);
    default: return fromProgramText(f.number);
    }
}

SortKey TfrmStatisLog::sortKey(int row, int column) const
{
    const std::string_view line = m_lines[std::size_t(m_shown[std::size_t(row)])];
    const LogFields f = splitLogLine(line);
    const auto number = [](std::string_view text) -> SortKey {
        const std::optional<long long> n = fieldNumber(text);
        return n ? SortKey(*n) : SortKey(fromProgramText(std::string(text)));
    };
    switch (column) {
    case DateColumn: return number(f.date);
    case TimeColumn: return f.seconds ? SortKey((long long)*f.seconds) : SortKey(QString());
    case ScoreColumn: return number(f.score);
    default: return cell(row, column);
    }
}

void TfrmStatisLog::fill()
{
    BusyPointer busy(m_context.files.pointer());
    const auto chosen = [](QComboBox* box) {
        return box->currentIndex() <= 0 ? std::string() : toProgramText(box->currentText()).value_or(std::string());
    };
    m_shown = logLinesOf(m_lines, chosen(m_cboGames), chosen(m_cboPlayers));
    m_model->setRows(
        int(m_shown.size()), [this](int row, int column) { return cell(row, column); },
        [this](int row, int column) { return sortKey(row, column); });
    m_grid->horizontalHeader()->setSortIndicatorShown(false);
    fitStatsView(m_grid, LogColumnWidths);
    if (!m_shown.empty())
        m_grid->selectRow(0);
}

bool TfrmStatisLog::run()
{
    for (;;) {
        m_request.reset();
        exec();
        if (!m_request)
            return m_started;
        m_started = true;
        if (m_context.otherWindows)
            m_context.otherWindows(OtherWindows::Hide);
        const DealStart start = playDeal(m_context, m_request->gameId, m_request->gameName, m_request->number);
        if (start != DealStart::Declined) {
            if (m_context.otherWindows)
                m_context.otherWindows(OtherWindows::Close);
            return true;
        }
        // The player kept his game: everything shows again as it was.
        m_started = false;
        if (m_context.otherWindows)
            m_context.otherWindows(OtherWindows::Restore);
    }
}

void TfrmStatisLog::playSelected()
{
    const QModelIndexList selected = m_grid->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return;
    const int row = m_model->rowOf(selected.front().row());
    const LogFields f = splitLogLine(m_lines[std::size_t(m_shown[std::size_t(row)])]);
    const int gameId = m_context.catalogue.gameIdByName(f.gameName);
    // A customized game deleted since, or a damaged line, names no game that could be dealt.
    if (gameId < 0) {
        m_context.files.messages().information("The game \"" + f.gameName + "\" no longer exists.");
        return;
    }
    if (!isGameNumberText(f.number)) {
        m_context.files.messages().information("Select a correct game number.");
        return;
    }
    m_request = Request{gameId, m_context.catalogue.gameName(gameId), f.number};
    accept();
}

} // namespace kst
