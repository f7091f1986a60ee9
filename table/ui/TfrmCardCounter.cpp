#include "table/ui/TfrmCardCounter.h"

#include "platform/qt/QtScreenPictures.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <string>

namespace kst {

namespace {

constexpr int ClientWidth = 198;
// The window's outer height was designed for the deck's size: four rows of slots for one deck,
// eight for two; the heights for three and four decks show twelve and sixteen rows, which no
// card reaches but their suit labels fill.
int designedOuterHeight(int deckSize)
{
    switch (deckSize) {
    case 4 * CardsPerDeck: return 340;
    case 3 * CardsPerDeck: return 268;
    case 2 * CardsPerDeck: return 194;
    default: return 121;
    }
}
// What those heights include besides the client area: a 19-pixel caption, a 19-pixel menu bar and
// 3-pixel borders. The window system draws its own frame, so only the rest is ours.
constexpr int DesignedFrame = 19 + 19 + 2 * 3;
constexpr int PanelHeight = 2; // the sunken line under the menu

// The slot grid: a row per suit of each deck (hearts, diamonds, clubs, spades, then again), the
// suit's label at the left, the Ace's slot at x 16 and each higher rank 14 pixels further.
constexpr int Rows = 16;
constexpr int SuitsPerDeck = 4;
constexpr int RowPitch = 18;
constexpr int FirstRowTop = 3;
constexpr int RankPitch = 14;
constexpr int SlotsLeft = 2;
constexpr int RanksPerSuit = 13;

int rowTop(int row) { return RowPitch * row + FirstRowTop; }
QPoint slotAt(int card) { return {rank(card) * RankPitch + SlotsLeft, rowTop((card - 1) / RanksPerSuit)}; }

// Never placed before: at the right of the screen, clear of the main window's menu and toolbar.
constexpr int DesignedRightMargin = 24;
constexpr int DesignedTop = 120;
// A saved place keeps at least this much of the window on the screen it is shown on.
constexpr int ReachableEdge = 60;

constexpr const char* Section = "Preference";

const char* yesNo(bool on) { return on ? "Y" : "N"; }

// Where windows may lie on the screen; a common screen's when the system tells none.
QRect screenArea()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1280, 1024);
}

} // namespace

TfrmCardCounter::TfrmCardCounter(const GameSession& session, ResourceLibrary& resources, ProfileFile& config,
                                 QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint),
      m_session(session), m_config(config)
{
    setObjectName(QStringLiteral("frmCardCounter"));
    setWindowTitle(QStringLiteral("Card counter"));
    // Opened from the table, it leaves the keyboard with the game.
    setAttribute(Qt::WA_ShowWithoutActivating);

    m_pixelRatio = devicePixelRatioF();
    const auto picture = [this, &resources](const std::string& name) {
        return screenPicture(resources, name, m_pixelRatio);
    };
    const char* const suits[] = {"card_hearts", "card_diamonds", "card_clubs", "card_spades"};
    for (int suit = 0; suit < SuitsPerDeck; ++suit)
        m_suitLabels[std::size_t(suit)] = picture(suits[suit]);
    m_noCard = picture("Card_None");
    for (int r = 1; r <= RanksPerSuit; ++r) {
        m_up[std::size_t(r - 1)] = picture("Card_" + std::to_string(r) + "_Up");
        m_down[std::size_t(r - 1)] = picture("Card_" + std::to_string(r) + "_Down");
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* bar = new QMenuBar(this);
    bar->setNativeMenuBar(false); // the menu belongs to this small window, not to the desktop's bar
    layout->setMenuBar(bar);
    QMenu* options = bar->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    m_tableauOnly = addSwitch(options, "mnuTableauOnly", "&Tableau only");
    m_stockOnly = addSwitch(options, "mnuStockOnly", "&Stock only");
    options->addSeparator();
    m_inverse = addSwitch(options, "mnuInverted", "&Inverted");
    connect(m_tableauOnly, &QAction::triggered, this, [this] { sideSwitched(m_tableauOnly, m_stockOnly); });
    connect(m_stockOnly, &QAction::triggered, this, [this] { sideSwitched(m_stockOnly, m_tableauOnly); });
    connect(m_inverse, &QAction::triggered, this, &TfrmCardCounter::switched);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("pnlTop"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    panel->setFixedSize(ClientWidth, PanelHeight);
    layout->addWidget(panel);
    m_imgBack = new QLabel(this);
    m_imgBack->setObjectName(QStringLiteral("imgBack"));
    layout->addWidget(m_imgBack);

    recount();
    moveToDesignedPlace();
}

QAction* TfrmCardCounter::addSwitch(QMenu* menu, const char* name, const char* caption)
{
    QAction* item = menu->addAction(QString::fromLatin1(caption));
    item->setObjectName(QLatin1String(name));
    item->setCheckable(true);
    return item;
}

// ---- counting and painting -----------------------------------------------------------------------

CounterWatch TfrmCardCounter::watch() const
{
    if (m_stockOnly->isChecked())
        return CounterWatch::StockOnly;
    return m_tableauOnly->isChecked() ? CounterWatch::TableauOnly : CounterWatch::Both;
}

bool TfrmCardCounter::inverted() const
{
    return m_inverse->isChecked();
}

void TfrmCardCounter::reset(int deckSize)
{
    const int height = designedOuterHeight(deckSize) - DesignedFrame - PanelHeight;
    if (m_picture.deviceIndependentSize().height() != height) {
        m_picture = QImage(QSize(ClientWidth, height) * m_pixelRatio, QImage::Format_RGB32);
        m_picture.setDevicePixelRatio(m_pixelRatio);
        m_imgBack->setFixedSize(ClientWidth, height);
        layout()->activate(); // the window takes its new height now, not at the next event
    }
    m_picture.fill(palette().color(QPalette::Window));
    QPainter painter(&m_picture);
    for (int row = 0; row < Rows; ++row)
        painter.drawPixmap(0, rowTop(row), m_suitLabels[std::size_t(row % SuitsPerDeck)]);
}

void TfrmCardCounter::recount()
{
    const Game& game = m_session.game();
    m_marks = countCards(game, watch(), inverted());
    reset(game.rules[Rule::DeckSize]);
    QPainter painter(&m_picture);
    for (int card = 1; card < int(m_marks.size()); ++card) {
        const std::size_t r = std::size_t(rank(card) - 1);
        switch (m_marks[std::size_t(card)]) {
        case CounterMark::None: painter.drawPixmap(slotAt(card), m_noCard); break;
        case CounterMark::Up: painter.drawPixmap(slotAt(card), m_up[r]); break;
        case CounterMark::Down: painter.drawPixmap(slotAt(card), m_down[r]); break;
        }
    }
    painter.end();
    m_imgBack->setPixmap(QPixmap::fromImage(m_picture));
}

// ---- commands ------------------------------------------------------------------------------------

void TfrmCardCounter::followGame()
{
    if (isVisible())
        recount();
}

void TfrmCardCounter::switchShown()
{
    const bool wasShown = isVisible();
    hide();
    recount();
    if (!wasShown)
        show();
    emit shownChanged(!wasShown);
}

void TfrmCardCounter::sideSwitched(QAction* side, QAction* otherSide)
{
    if (side->isChecked())
        otherSide->setChecked(false);
    switched();
}

void TfrmCardCounter::switched()
{
    recount();
    savePreferences();
}

void TfrmCardCounter::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    emit shownChanged(false);
}

// ---- preferences ---------------------------------------------------------------------------------

void TfrmCardCounter::loadPreferences()
{
    const long left = m_config.readNumber(Section, "CardCounter_Left", -1);
    const long top = m_config.readNumber(Section, "CardCounter_Top", -1);
    if (left > 0 && top > 0) {
        // A place on a screen no longer there comes back where the window can be reached.
        const QRect area = screenArea();
        move(int(std::clamp<long>(left, area.left(), std::max(area.left(), area.right() - ReachableEdge))),
             int(std::clamp<long>(top, area.top(), std::max(area.top(), area.bottom() - ReachableEdge))));
    }
    m_stockOnly->setChecked(m_config.readText(Section, "CardCounter_Stock", "N") == "Y");
    m_tableauOnly->setChecked(!m_stockOnly->isChecked()
                              && m_config.readText(Section, "CardCounter_Tableau", "N") == "Y");
    m_inverse->setChecked(m_config.readText(Section, "CardCounter_Inverse", "N") == "Y");
    if (m_config.readText(Section, "CardCounter_Visible", "N") == "Y" && !isVisible())
        switchShown();
    else
        recount();
}

void TfrmCardCounter::savePreferences()
{
    m_config.writeText(Section, "CardCounter_Stock", yesNo(m_stockOnly->isChecked()));
    m_config.writeText(Section, "CardCounter_Tableau", yesNo(m_tableauOnly->isChecked()));
    m_config.writeText(Section, "CardCounter_Inverse", yesNo(m_inverse->isChecked()));
    m_config.writeText(Section, "CardCounter_Visible", yesNo(isVisible()));
    m_config.writeNumber(Section, "CardCounter_Left", x());
    m_config.writeNumber(Section, "CardCounter_Top", y());
}

void TfrmCardCounter::moveToDesignedPlace()
{
    const QRect area = screenArea();
    move(area.right() - sizeHint().width() - DesignedRightMargin, area.top() + DesignedTop);
}

} // namespace kst
