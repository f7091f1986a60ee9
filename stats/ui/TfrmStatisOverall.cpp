#include "stats/ui/TfrmStatisOverall.h"

#include "platform/qt/QtText.h"
#include "stats/ui/StatsTable.h"
#include "storage/TextUtils.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kst {

namespace {

constexpr int LeastRankingRows = 10;
const StatsColumn RankingColumns[] = {{"N.", 17}, {"Player", 165}, {"Score", 54}, {"Time", 52}};
const StatsColumn DetailColumns[] = {{"Game", 148}, {"Score", 46}, {"Max", 33}, {"Time", 47}};
constexpr int DetailRowsShown = 16;

QString timeOf(const StatsContext& context, long long seconds, int hourDigits)
{
    return fromProgramText(fnSecondsToText(long(seconds), hourDigits, std::string(1, context.files.timeSeparator())));
}

} // namespace

TfrmStatisOverall::TfrmStatisOverall(StatsContext& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmStatisOverall"));
    setWindowTitle(QStringLiteral("Overall score"));
    m_grid = makeStatsTable(this, QStringLiteral("grdOverall"), RankingColumns, LeastRankingRows);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    m_details = new QPushButton(QStringLiteral("&Details..."), this);
    m_details->setObjectName(QStringLiteral("btnDetails"));
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_details, &QPushButton::clicked, this, &TfrmStatisOverall::showDetails);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, &TfrmStatisOverall::showDetails);
    connect(m_grid, &QTableWidget::itemSelectionChanged, this,
            [this] { m_details->setEnabled(m_grid->currentRow() >= 0 && m_grid->currentRow() < int(m_ranking.size())); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_details);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addLayout(buttons);
    fill();
    fitStatsTable(m_grid, LeastRankingRows);
}

void TfrmStatisOverall::fill()
{
    m_ranking = fnReadOverall(m_context.files);
    m_grid->setRowCount(std::max(LeastRankingRows, int(m_ranking.size())));
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        const bool used = row < int(m_ranking.size());
        const OverallEntry* e = used ? &m_ranking[std::size_t(row)] : nullptr;
        setStatsCell(m_grid, row, 0, used ? QString::number(row + 1) : QString());
        setStatsCell(m_grid, row, 1, used ? fromProgramText(e->player) : QString());
        setStatsCell(m_grid, row, 2, used ? QString::number(e->score) : QString());
        setStatsCell(m_grid, row, 3, used ? timeOf(m_context, e->seconds, 2) : QString());
    }
    m_grid->selectRow(0);
    m_details->setEnabled(!m_ranking.empty());
}

void TfrmStatisOverall::showDetails()
{
    const int row = m_grid->currentRow();
    if (row < 0 || row >= int(m_ranking.size()))
        return;
    TfrmStatisOverallDetails details(m_context, m_ranking[std::size_t(row)], this);
    details.exec();
    if (details.gameStarted()) {
        m_gameStarted = true;
        accept();
    }
}

TfrmStatisOverallDetails::TfrmStatisOverallDetails(StatsContext& context, const OverallEntry& player, QWidget* parent)
    : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmStatisOverallDetails"));
    setWindowTitle(QStringLiteral("Overall score details [") + fromProgramText(player.player) + QStringLiteral("]"));
    auto* score = new QLineEdit(QString::number(player.score), this);
    score->setObjectName(QStringLiteral("edtScore"));
    auto* time = new QLineEdit(timeOf(context, player.seconds, 2), this);
    time->setObjectName(QStringLiteral("edtTime"));
    for (QLineEdit* field : {score, time})
        field->setReadOnly(true);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Overall score:"), score);
    fields->addRow(QStringLiteral("Overall time:"), time);

    {
        BusyPointer busy(context.files.pointer());
        m_details = readOverallDetails(context.files, context.catalogue, player.player);
    }
    m_grid = makeStatsTable(this, QStringLiteral("grdDetails"), DetailColumns, int(m_details.size()));
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (int row = 0; row < int(m_details.size()); ++row) {
        const OverallDetail& d = m_details[std::size_t(row)];
        setStatsCell(m_grid, row, 0, fromProgramText(d.gameName));
        setStatsCell(m_grid, row, 1, d.score != 0 ? QString::number(d.score) : QString());
        setStatsCell(m_grid, row, 2, d.maximum ? QStringLiteral("Yes") : QString());
        setStatsCell(m_grid, row, 3, d.seconds != 0 ? timeOf(context, d.seconds, 1) : QString());
    }
    if (!m_details.empty())
        m_grid->selectRow(0);
    fitStatsTable(m_grid, DetailRowsShown);
    auto* note = new QLabel(QStringLiteral("'Max = Yes'\nMax score for the Game"), this);

    auto* play = new QPushButton(QStringLiteral("&Play this game"), this);
    play->setObjectName(QStringLiteral("btnPlay"));
    play->setEnabled(!m_details.empty());
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    close->setDefault(true);
    connect(play, &QPushButton::clicked, this, &TfrmStatisOverallDetails::playSelected);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(note);
    buttons->addStretch();
    buttons->addWidget(play);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_grid);
    layout->addLayout(buttons);
}

void TfrmStatisOverallDetails::playSelected()
{
    const int row = m_grid->currentRow();
    if (row < 0 || row >= int(m_details.size()) || !m_context.playGame)
        return;
    const std::string& name = m_details[std::size_t(row)].gameName;
    m_gameStarted = m_context.playGame(m_context.catalogue.gameIdByName(name), name);
    if (m_gameStarted)
        accept();
}

} // namespace kst
