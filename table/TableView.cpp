#include "table/TableView.h"

#include <algorithm>

namespace kst {

namespace {

// The buffers reach past the screen by this much each way.
constexpr int BufferMargin = 30;

} // namespace

TableView::TableView(AppearanceContext& context)
    : m_context(context), m_background(context.graphics.createBitmap(0, 0)),
      m_table(context.graphics.createBitmap(0, 0))
{
}

void TableView::showGame(const Game* game)
{
    m_game = game;
}

void TableView::clearGame()
{
    m_game = nullptr;
    m_positions.reset();
    relayoutAndRepaint();
}

const RuleTable& TableView::rules() const
{
    static const RuleTable none;
    return m_game ? m_game->rules : none;
}

const CardTable& TableView::cards() const
{
    static const CardTable none;
    return m_game ? m_game->cards : none;
}

int TableView::topCardOf(std::string_view pileName) const
{
    const PileRef pile = parsePileName(pileName);
    const std::string* text = pile.isNone() ? nullptr : cards().piles.pile(pile);
    return text ? topCard(*text) : 0;
}

bool TableView::isTableauTop(int card) const
{
    for (int i = 0; i < tableausInUse(rules()); ++i)
        if (const std::string& pile = cards().piles.fila[std::size_t(i)]; cardCount(pile) > 0 && topCard(pile) == card)
            return true;
    return false;
}

FanStyle TableView::fanStyleOf(PileRef pile) const
{
    switch (pile.group) {
    case PileGroup::Fila: return tableauFan(rules());
    case PileGroup::Dest: return foundationFan(rules());
    case PileGroup::Appogg: return reserveFan(rules());
    default: return {};
    }
}

Point TableView::cardCorner(const CardTable& shown, PileRef pile, int position) const
{
    const Point base{fnPileX(m_positions, pile), fnPileY(m_positions, pile, m_scrollOffset)};
    const FanStyle style = fanStyleOf(pile);
    const std::string* text = shown.piles.pile(pile);
    if (!text || style.spread == Spread::Stacked || position < 0 || position >= cardCount(*text))
        return base;
    const Fan fan = fanOf(*text, style, shown.deck, m_steps, m_pictures.size());
    return cornerOf(base, style.spread, fan.offsets[std::size_t(position)]);
}

std::vector<MovingCard> TableView::runPicture(const CardTable& shown, PileRef pile, int position) const
{
    std::vector<MovingCard> cards;
    const std::string* text = shown.piles.pile(pile);
    if (!text)
        return cards;
    const bool fannedDown = fanStyleOf(pile).spread == Spread::Down;
    const Point first = cardCorner(shown, pile, position);
    for (int p = position; p < cardCount(*text); ++p)
        cards.push_back({cardAt(*text, p), fannedDown ? cardCorner(shown, pile, p).y - first.y : 0});
    return cards;
}

Rect TableView::pileArea(PileRef pile) const
{
    const std::string* text = cards().piles.pile(pile);
    if (!text || !m_positions.isPlaced(pile))
        return {};
    const Point at = cardCorner(cards(), pile, cardCount(*text) - 1);
    return {at.x, at.y, m_pictures.size().width, m_pictures.size().height};
}

PileHit TableView::hitAt(Point at) const
{
    return hitTest({rules(), cards(), m_positions, m_steps, m_pictures.size(), m_scrollOffset}, at);
}

// ---- the game -----------------------------------------------------------------------------------

void TableView::applyCardSize()
{
    m_pictures.request(m_pictures.requestedFitCard(), m_deviceScale);
    loadCardPictures(m_context, m_pictures);
}

void TableView::setDeviceScale(double scale)
{
    m_deviceScale = scale > 0 ? scale : 1;
}

bool TableView::fitPictures()
{
    const char letter = cardSizeLetter(m_context.store);
    if (letter == FitCardSize && gameOnTable()) {
        // Laid out as if the scroll bar were shown, so that the bar coming and going never
        // changes the card size.
        LayoutInputs in = layoutInputs();
        in.width = m_window.width - m_window.scrollBarWidth;
        m_pictures.request(fitCardSize(rules(), in), m_deviceScale);
    } else {
        m_pictures.request(m_pictures.tableSize(), m_deviceScale);
    }
    if (m_pictures.loadedFor(letter))
        return false;
    applyCardSize();
    return true;
}

void TableView::computeLayout()
{
    const double scale = m_pictures.scale();
    m_steps = scaledSteps(fnSetFanSteps(rules(), m_pictures.sizeLetter(), m_pictures.tableSize()), scale);
    m_positions = scaledPositions(fnComputeLayout(rules(), layoutInputs()), scale);
}

void TableView::prepareTable(std::string& screenMessage)
{
    SessionStore& store = m_context.store;
    CardFields fields{store.fnStoreGet(Fld::Card_Size), store.fnStoreGet(Fld::Card), store.fnStoreGet(Fld::Back_Card),
                      store.fnStoreGet(Fld::SavedCardSize), store.fnStoreGet(Fld::SavedCard),
                      store.fnStoreGet(Fld::SavedBackCard)};
    const ScreenSizeOutcome screen = applyScreenSizeRule(rules()[Rule::ScreenSize],
                                                         m_context.graphics.screenSize().width,
                                                         store.fnStoreGet(Fld::Game_name), fields, m_screenFlags);
    store.fnStoreSet(Fld::Card_Size, screen.fields.cardSize);
    store.fnStoreSet(Fld::Card, screen.fields.card);
    store.fnStoreSet(Fld::Back_Card, screen.fields.backCard);
    store.fnStoreSet(Fld::SavedCardSize, screen.fields.savedCardSize);
    store.fnStoreSet(Fld::SavedCard, screen.fields.savedCard);
    store.fnStoreSet(Fld::SavedBackCard, screen.fields.savedBackCard);
    m_screenFlags = screen.flags;
    screenMessage = screen.message;
    // The pictures follow a change of size, and the fit size follows the game's layout.
    fitPictures();
    m_pictures.showDeck(rules().deckSuits());
    m_positions.reset();
    computeLayout();
}

// ---- the window -----------------------------------------------------------------------------------

LayoutInputs TableView::layoutInputs() const
{
    LayoutInputs in;
    in.width = m_window.width - (m_bar.visible ? m_window.scrollBarWidth : 0);
    in.height = m_window.height;
    in.top = m_window.top;
    in.bottom = m_window.clientHeight - 1;
    in.screen = m_context.graphics.screenSize();
    in.card = m_pictures.tableSize();
    in.shadow = m_context.store.fnStoreGet(Fld::Cards_Shadowed) != "N";
    in.shadowWidth = cardShadowWidth(m_pictures.sizeLetter(), m_pictures.tableSize());
    return in;
}

Size TableView::paintPreview(Bitmap& picture)
{
    const double scale = m_pictures.scale();
    LayoutInputs in = layoutInputs();
    in.width = int(picture.width() / scale);
    in.height = int(picture.height() / scale);
    in.top = PreviewTop;
    in.bottom = in.height - 1; // the last row, as for the window
    const PilePositions onWindow = m_positions;
    m_positions = scaledPositions(fnComputeLayout(rules(), in), scale);

    const std::unique_ptr<Bitmap> background = m_context.graphics.createBitmap(picture.width(), picture.height());
    BackgroundRequest request;
    request.fadeHeight = picture.height();
    paintBackground(m_context, *background, request);
    TablePainter p({nullptr, picture, *background}, scene(), 0);
    p.paintTable();

    m_positions = onWindow;
    return {p.tableRight(), p.tableBottom()};
}

TableScene TableView::scene() const
{
    return sceneOf(cards());
}

TableScene TableView::sceneOf(const CardTable& shown) const
{
    return {rules(), shown, m_positions, m_steps, m_pictures, m_game ? m_game->counters.DealCounter : 1,
            m_context.store.fnStoreGet(Fld::Cards_Shadowed) != "N"};
}

TablePainter TableView::painter(Bitmap* window)
{
    return painter(window, cards());
}

TablePainter TableView::painter(Bitmap* window, const CardTable& shown)
{
    return TablePainter({window, *m_table, *m_background}, sceneOf(shown), m_scrollOffset);
}

void TableView::resized(const TableWindow& window)
{
    m_window = window;
    if (!m_bar.visible)
        sizeBuffers();
    repaintBackground();
    relayoutAndRepaint();
}

TableWindow TableView::deviceWindow() const
{
    const double scale = m_pictures.scale();
    TableWindow w = m_window;
    for (int* length : {&w.width, &w.height, &w.clientWidth, &w.clientHeight, &w.top, &w.scrollBarWidth})
        *length = scaledLength(*length, scale);
    return w;
}

void TableView::sizeBuffers()
{
    // As large as the screen and more, never smaller than the window itself, whatever the
    // screen says; in device pixels.
    const Size screen = m_context.graphics.screenSize();
    const int w = scaledLength(std::max(screen.width, m_window.width) + BufferMargin, m_deviceScale);
    const int h = scaledLength(std::max(screen.height, m_window.height) + BufferMargin, m_deviceScale);
    if (m_background->width() != w || m_background->height() != h) {
        m_background->resize(w, h);
        m_table->resize(w, h);
    }
}

void TableView::repaintBackground()
{
    BackgroundRequest request;
    request.demoPlaying = m_demoPlaying;
    request.fadeHeight = scaledLength(m_window.clientHeight, m_deviceScale);
    paintBackground(m_context, *m_background, request);
}

void TableView::drawRandomLook()
{
    const SessionStore& store = m_context.store;
    if (store.fnStoreGet(Fld::Random_Background) != "Y" && store.fnStoreGet(Fld::Random_Card) != "Y"
        && store.fnStoreGet(Fld::Random_Deck) != "Y")
        return;
    BackgroundRequest request;
    request.demoPlaying = m_demoPlaying;
    request.fadeHeight = scaledLength(m_window.clientHeight, m_deviceScale);
    randomAppearance(m_context, m_pictures, *m_background, request);
}

void TableView::relayoutAndRepaint()
{
    // A table that grows or shrinks past the window changes the bar, and the bar the width:
    // a few rounds settle it.
    for (int round = 0; round < 4; ++round) {
        m_bar.position = 0;
        m_scrollOffset = 0;
        if (!gameOnTable()) {
            m_table->copyFrom(*m_background, {0, 0, m_background->width(), m_background->height()}, {0, 0});
            m_tableBottom = 0;
        } else {
            // The fit size follows the window; the pictures are made once for each new size.
            fitPictures();
            computeLayout();
            TablePainter p = painter(nullptr);
            p.paintTable();
            m_tableBottom = p.tableBottom();
        }
        if (!updateScrollBar())
            return;
    }
}

bool TableView::updateScrollBar()
{
    ScrollInputs in;
    in.vertScrollBar = m_context.store.fnStoreGet(Fld::VertScrollBar) == "Y";
    in.tableauLayout = rules()[Rule::TableauLayout];
    in.cardHeight = m_pictures.size().height;
    in.tableBottom = m_tableBottom;
    in.clientHeight = scaledLength(m_window.clientHeight, m_pictures.scale());
    in.backBufferHeight = m_table->height();
    const ScrollDecision decision = fnUpdateScrollBar(in, m_bar);
    switch (decision.action) {
    case ScrollDecision::Action::None: return false;
    case ScrollDecision::Action::Reset:
        m_bar = decision.bar;
        m_scrollOffset = 0;
        sizeBuffers(); // back to the plain buffers of a window without the bar
        repaintBackground();
        return true;
    case ScrollDecision::Action::Grow:
        m_bar = decision.bar;
        m_background->resize(m_background->width(), m_background->height() + decision.bufferGrowth);
        m_table->resize(m_table->width(), m_background->height());
        repaintBackground();
        return true;
    }
    return false;
}

void TableView::scrollTo(int position)
{
    m_bar.position = std::clamp(position, 0, std::max(m_bar.maximum, 0));
    m_scrollOffset = fnSyncScrollOffset(m_scrollOffset, m_bar.position).scrollOffset;
}

void TableView::showOn(Bitmap& window) const
{
    window.copyFrom(*m_table, {0, m_scrollOffset, window.width(), window.height()}, {0, 0});
}

} // namespace kst
