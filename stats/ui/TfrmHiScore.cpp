#include "stats/ui/TfrmHiScore.h"

#include "engine/Sounds.h"
#include "platform/qt/QtGraphics.h"
#include "platform/qt/QtText.h"
#include "stats/HiScores.h"
#include "stats/Players.h"
#include "stats/ui/StatsTable.h"
#include "storage/TextUtils.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QLocale>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kst {

namespace {

// Columns and their widths in pixels; wider where the font needs it.
const StatsColumn HiScoreColumns[] = {{"N.", 17},  {"Player", 105}, {"Score", 39},       {"Time", 43},
                                      {"W/L", 28}, {"Date", 66},    {"Game number", 103}};

} // namespace

TfrmHiScore::TfrmHiScore(StatsContext& context, Mode mode, int gameId, int selectedRow, const QString& caption,
                         QWidget* parent)
    : QDialog(parent), m_context(context), m_mode(mode), m_selectedRow(selectedRow), m_congratulation(caption)
{
    setObjectName(QStringLiteral("frmHiScore"));
    m_grid = makeStatsTable(this, QStringLiteral("grdHiScore"), HiScoreColumns, HiScoreRanks);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    m_games = new QListWidget(this);
    m_games->setObjectName(QStringLiteral("lstGames"));
    for (const std::string& name : fnGameList(context.catalogue, context.customGamesPath))
        m_games->addItem(fromProgramText(name));
    auto* gameLabel = new QLabel(QStringLiteral("&Game:"), this);
    gameLabel->setBuddy(m_games);
    connect(m_games, &QListWidget::itemClicked, this, &TfrmHiScore::gameChosen);
    connect(m_games, &QListWidget::currentRowChanged, this, &TfrmHiScore::gameChosen);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnOK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    // The picture panel: the plain picture, or the new-score one after a result made the table.
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgHiScore"));
    if (const std::unique_ptr<Bitmap> bitmap =
            context.resources.bitmap(mode == Mode::NewScore ? "HISCORE_NEW" : "HISCORE_LIST"))
        picture->setPixmap(pixmapOf(*bitmap));

    auto* side = new QVBoxLayout;
    side->addWidget(gameLabel);
    side->addWidget(m_games, 1);
    side->addWidget(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(picture, 0, Qt::AlignTop);
    layout->addWidget(m_grid);
    layout->addLayout(side);

    const QList<QListWidgetItem*> found =
        m_games->findItems(fromProgramText(context.catalogue.gameName(gameId)), Qt::MatchExactly);
    {
        const QSignalBlocker quiet(m_games);
        if (!found.isEmpty()) {
            m_games->setCurrentItem(found.front());
            m_games->scrollToItem(found.front(), QAbstractItemView::PositionAtCenter);
        }
    }
    showGame(gameId);
    fitStatsTable(m_grid, HiScoreRanks);
}

void TfrmHiScore::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    playSound(m_context.store, m_context.sound,
              m_mode == Mode::NewScore ? SoundEvent::NewHiScore : SoundEvent::HiScores);
}

void TfrmHiScore::gameChosen()
{
    if (QListWidgetItem* item = m_games->currentItem())
        if (const std::optional<std::string> name = toProgramText(item->text()))
            showGame(m_context.catalogue.gameIdByName(*name));
}

void TfrmHiScore::showGame(int gameId)
{
    BusyPointer busy(m_context.files.pointer());
    const bool congratulating = !m_congratulation.isEmpty();
    setWindowTitle(congratulating ? m_congratulation
                                  : QStringLiteral("Hi-Scores [") + fromProgramText(m_context.catalogue.gameName(gameId))
                                        + QStringLiteral("]"));
    const std::vector<std::string> lines =
        fnReadHiScores(m_context.files, m_context.catalogue, gameId, StandardScoring);
    const QString separator = QString(QChar::fromLatin1(m_context.files.timeSeparator()));
    for (int row = 0; row < HiScoreRanks; ++row) {
        const std::string line = std::size_t(row) < lines.size() ? lines[std::size_t(row)] : std::string();
        const HiScoreFields f = splitHiScoreLine(line);
        const QString date = f.blank ? QString() : shortDate(f.date);
        const bool shown = !f.blank && !date.isEmpty();
        const QString cells[] = {
            QString::fromLatin1(zeroPadded(row + 1, 2).c_str()),
            fromProgramText(fnTrimRight(f.player)),
            shown && f.score ? QString::number(*f.score) : QString(),
            shown && f.seconds ? fromProgramText(fnSecondsToText(long(*f.seconds), 1, separator.toStdString())) : QString(),
            fromProgramText(f.result),
            date,
            fromProgramText(fnTrimRight(f.number)),
        };
        for (int column = 0; column < int(std::size(cells)); ++column)
            setStatsCell(m_grid, row, column, cells[column]);
    }
    m_grid->selectRow(congratulating ? m_selectedRow : 0);
    m_congratulation.clear(); // another game shown later gets the plain caption
}

} // namespace kst
