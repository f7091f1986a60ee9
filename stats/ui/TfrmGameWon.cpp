#include "stats/ui/TfrmGameWon.h"

#include "platform/qt/QtText.h"
#include "stats/Statistics.h"
#include "stats/StatsSummary.h"
#include "stats/ui/DialogButtons.h"
#include "stats/ui/TfrmStatistics.h"
#include "storage/StringTable.h"
#include "storage/TextUtils.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace kst {

namespace {

constexpr int StringWon = 1905, StringLost = 1906, StringTotal = 1907;
constexpr int GameWonHelp = 1021;
constexpr int GameNameWidth = 50;

// The pie pictures' sizes and colours: red for lost games, lime for won ones, each slice with
// its darker rim, on a tilted disc outlined in black.
constexpr QSize PieSize{89, 60};
constexpr QSize NoValuesSize{92, 81};
constexpr int PieDepth = 10; // the rim's height below the disc's top
const QColor Red(255, 0, 0), Lime(0, 255, 0), Maroon(128, 0, 0), Green(0, 128, 0);
const QColor NoValuesTop(Qt::white), NoValuesRim(128, 128, 128);
constexpr int KeySquare = 10; // the coloured squares beside "Won:" and "Lost:"

QString languageText(int language, int n) { return QString::fromLatin1(languageString(language, n).c_str()); }

QLabel* keySquare(const QColor& colour, QWidget* parent)
{
    auto* square = new QLabel(parent);
    QPixmap pixmap(KeySquare, KeySquare);
    pixmap.fill(colour);
    QPainter(&pixmap).drawRect(0, 0, KeySquare - 1, KeySquare - 1);
    square->setPixmap(pixmap);
    return square;
}

// A tilted disc whose top shows the slice `share` (tenths of a per cent, from the top,
// counter-clockwise) in `slice` and the rest in `rest`, standing on a rim of `rim`.
QImage tiltedDisc(QSize size, int share, const QColor& slice, const QColor& rest, const QColor& rim)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    const QRectF top(1.5, 1.5, size.width() - 3, size.height() - 3 - PieDepth);
    const QRectF bottom = top.translated(0, PieDepth);
    QPainterPath side;
    side.moveTo(top.left(), top.center().y());
    side.arcTo(bottom, 180, 180);
    side.lineTo(top.right(), top.center().y());
    side.arcTo(top, 0, -180);
    side.closeSubpath();
    p.setBrush(rim);
    p.drawPath(side);
    p.setBrush(rest);
    p.drawEllipse(top);
    if (share >= 1000) {
        p.setBrush(slice); // the whole top: no edge of a slice to draw
        p.drawEllipse(top);
    } else if (share > 0) {
        p.setBrush(slice);
        // Qt counts angles in sixteenths of a degree; tenths of a per cent make 360 * 16 / 1000.
        p.drawPie(top, 90 * 16, share * 360 * 16 / 1000);
    }
    return image;
}

} // namespace

// ---- the pie -----------------------------------------------------------------------------------

QImage piePicture(int lostPerCentOrNone)
{
    const PieChoice choice = fnPieChoice(lostPerCentOrNone);
    if (choice.share == 0)
        return tiltedDisc(NoValuesSize, 0, NoValuesTop, NoValuesTop, NoValuesRim);
    // The larger share's slice: red when more games were lost, lime with a green rim otherwise.
    return choice.swapped ? tiltedDisc(PieSize, choice.share, Lime, Red, Green)
                          : tiltedDisc(PieSize, choice.share, Red, Lime, Maroon);
}

void fnDrawPie(int lostPerCentOrNone, QLabel* area)
{
    const QImage picture = piePicture(lostPerCentOrNone);
    QPixmap canvas(area->size().expandedTo(picture.size()));
    canvas.fill(area->palette().color(QPalette::Button));
    QPainter(&canvas).drawImage((canvas.width() - picture.width()) / 2, (canvas.height() - picture.height()) / 2,
                                picture);
    area->setPixmap(canvas);
}

// ---- the group of results ------------------------------------------------------------------------

ResultsGroup::ResultsGroup(const QString& title, const QString& name, bool withKey, int language, QWidget* parent)
    : QGroupBox(title, parent)
{
    const auto value = [this](const char* objectName) {
        auto* label = new QLabel(this);
        label->setObjectName(QLatin1String(objectName));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return label;
    };
    m_won = value("lblWon");
    m_lost = value("lblLost");
    m_total = value("lblTotal");
    m_wonPerCent = value("lblWonPerCent");
    m_lostPerCent = value("lblLostPerCent");
    // Room for the widest texts from the start: a dialog laid out while they were empty keeps
    // its size when they are filled.
    for (QLabel* count : {m_won, m_lost, m_total})
        count->setMinimumWidth(count->fontMetrics().horizontalAdvance(QStringLiteral("000000")));
    for (QLabel* share : {m_wonPerCent, m_lostPerCent})
        share->setMinimumWidth(share->fontMetrics().horizontalAdvance(QStringLiteral("(100%)")));
    m_pie = new QLabel(this);
    m_pie->setObjectName(name);
    m_pie->setFixedSize(NoValuesSize);
    m_pie->setAlignment(Qt::AlignCenter);

    auto* grid = new QGridLayout(this);
    if (withKey) {
        grid->addWidget(keySquare(Lime, this), 0, 0);
        grid->addWidget(keySquare(Red, this), 1, 0);
    }
    grid->addWidget(new QLabel(languageText(language, StringWon) + ":", this), 0, 1);
    grid->addWidget(new QLabel(languageText(language, StringLost) + ":", this), 1, 1);
    grid->addWidget(new QLabel(languageText(language, StringTotal) + ": ", this), 2, 1);
    grid->addWidget(m_won, 0, 2);
    grid->addWidget(m_lost, 1, 2);
    grid->addWidget(m_total, 2, 2);
    grid->addWidget(m_wonPerCent, 0, 3);
    grid->addWidget(m_lostPerCent, 1, 3);
    grid->addWidget(m_pie, 0, 4, 3, 1);
    grid->setColumnStretch(3, 1);
}

void ResultsGroup::showResults(long long won, long long lost)
{
    const bool played = won + lost > 0;
    m_won->setText(QString::number(won));
    m_lost->setText(QString::number(lost));
    m_total->setText(QString::number(won + lost));
    m_wonPerCent->setText(played ? QStringLiteral("(%1%)").arg(wonPerCent(won, lost)) : QString());
    m_lostPerCent->setText(played ? QStringLiteral("(%1%)").arg(lostPerCent(won, lost)) : QString());
    fnDrawPie(played ? lostPerCent(won, lost) : NoPie, m_pie);
}

int fnShowTotals(StatsContext& context, const std::string& gameName, const std::string& player, ResultsGroup& group)
{
    const StatRecord r =
        fnReadStatistics(context.files, context.store, context.catalogue.gameIdByName(gameName), player).record;
    group.showResults(r.won, r.lost);
    return wonPerCent(r.won, r.lost);
}

// ---- the dialog ----------------------------------------------------------------------------------

TfrmGameWon::TfrmGameWon(StatsContext& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmGameWon"));
    setWindowTitle(QStringLiteral("Game won"));
    const int language = int(numberOr(context.store.fnStoreGet(Fld::Language), Language));
    m_totals = new ResultsGroup(QString(), QStringLiteral("imgGraphTot"), true, language, this);
    m_totals->setObjectName(QStringLiteral("grpTotal"));

    auto* buttons = new QVBoxLayout;
    addDialogButton(this, buttons, "New game...", "btnNewGame", [this] { newGame(); }, true);
    addDialogButton(this, buttons, "Restart game...", "btnRestart", [this] { restartGame(); });
    addDialogButton(this, buttons, " Statistics...     ", "btnStatistics", [this] { statistics(); });
    addDialogButton(this, buttons, "Open a game...", "btnOpenGame", [this] { openGame(); });
    addDialogButton(this, buttons, "Select game... ", "btnSelectGame", [this] { selectGame(); });
    addDialogButton(this, buttons, "Cancel", "btnCancel", [this] { reject(); });
    addHelpButton(context, this, buttons, GameWonHelp);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_totals, 1, Qt::AlignTop);
    layout->addLayout(buttons);
}

void TfrmGameWon::showEvent(QShowEvent* event)
{
    m_gameStarted = false;
    fillTotals();
    QDialog::showEvent(event);
}

void TfrmGameWon::fillTotals()
{
    const std::string game = fnTrimRight(m_context.store.fnStoreGet(Fld::Game_name).substr(0, GameNameWidth));
    m_totals->setTitle(QStringLiteral("Total [") + fromProgramText(game) + QStringLiteral("]"));
    fnShowTotals(m_context, game, m_context.store.fnStoreGet(Fld::UserDefault), *m_totals);
}

void TfrmGameWon::leaveFor(const std::function<bool()>& run)
{
    hide();
    if (run()) {
        m_gameStarted = true;
        accept();
    } else {
        show();
    }
}

void TfrmGameWon::newGame()
{
    hide();
    GameSession& session = m_context.session;
    if (session.confirmQuit() && !session.endGame())
        m_gameStarted = session.newDeal(true, true, RandomNumber, false);
    accept();
}

void TfrmGameWon::restartGame()
{
    hide();
    m_gameStarted = m_context.session.restartGame();
    accept();
}

void TfrmGameWon::statistics()
{
    TfrmStatistics dialog(m_context, this);
    dialog.exec();
    // A game started from the statistics (a logged deal) takes this dialog away too.
    m_gameStarted = dialog.gameStarted();
    if (m_gameStarted)
        accept();
    else
        fillTotals();
}

void TfrmGameWon::openGame()
{
    if (m_context.openGame)
        leaveFor(m_context.openGame);
}

void TfrmGameWon::selectGame()
{
    if (m_context.selectGameNumber)
        leaveFor(m_context.selectGameNumber);
}

} // namespace kst
