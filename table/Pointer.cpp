#include "table/Pointer.h"

#include <algorithm>

#include "engine/Sounds.h"
#include "storage/TextUtils.h"

namespace kst {
namespace {

int overlap(const Rect& a, const Rect& b)
{
    const int w = std::min(a.right(), b.right()) - std::max(a.x, b.x);
    const int h = std::min(a.bottom(), b.bottom()) - std::max(a.y, b.y);
    return w > 0 && h > 0 ? w * h : 0;
}

// Reserves fanned by these layout codes show their cards, so a peek may raise one.
constexpr int ReserveFannedDown = 1;
constexpr int ReserveFannedRight = 2;

} // namespace

std::vector<PileRef> dropCandidates(const TableView& table, const Rect& dragged, std::size_t most)
{
    struct Candidate {
        PileRef pile;
        int area;
    };
    std::vector<Candidate> found;
    const auto consider = [&](PileRef pile) {
        if (const int area = overlap(table.pileArea(pile), dragged); area > 0)
            found.push_back({pile, area});
    };
    const RuleTable& rules = table.rules();
    for (int i = 0; i < foundationsInUse(rules); ++i)
        consider(destPile(i));
    for (int i = 0; i < tableausInUse(rules); ++i)
        consider(filaPile(i));
    for (int i = 0; i < reservesInUse(rules); ++i)
        consider(appoggPile(i));
    if (rules[Rule::WastePlace] != 4)
        consider(Mazzo_Vis);
    std::stable_sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) { return a.area > b.area; });
    std::vector<PileRef> piles;
    for (std::size_t i = 0; i < found.size() && i < most; ++i)
        piles.push_back(found[i].pile);
    return piles;
}

TablePointer::TablePointer(PointerContext context) : m_c(std::move(context)) {}

TablePointer::~TablePointer() = default;

bool TablePointer::pref(Field field) const { return m_c.look.store.fnStoreGet(field) != "N"; }

void TablePointer::pointerDown(const PointerEvent& event)
{
    if (m_held || m_stockPressed || m_peeking)
        return; // while a card is held nothing new starts
    if (!m_c.table.gameOnTable() || !m_c.session.inProgress()) {
        if (event.button == PointerButton::Right && event.ctrl && onPopupMenu)
            onPopupMenu(event.at);
        return;
    }
    const PileHit hit = m_c.table.hitAt(event.at);
    const Game& game = m_c.session.game();
    if (event.button == PointerButton::Right) {
        if (!event.ctrl)
            m_c.session.rightClick(hit.card);
        else if (hit.pile.isNone() && onPopupMenu)
            onPopupMenu(event.at);
        else
            peek(hit);
        return;
    }
    if (event.button != PointerButton::Left)
        return;
    if (game.rules[Rule::ClickToMove] == 1) {
        if (isCardNumber(hit.card) && !m_c.session.click(hit.card))
            m_c.look.messages.beep();
        return;
    }
    if (hit.pile == Mazzo) {
        m_stockPressed = true;
        return;
    }
    if (hit.pile == Mazzo_Vis && !isCardNumber(hit.card)) {
        m_c.session.pressStock(Mazzo_Vis); // the empty waste asks for the tableau's redeal
        return;
    }
    if (!isCardNumber(hit.card))
        return;
    if (!pressMove(game, hit.card).isNone()) {
        m_c.session.click(hit.card);
        return;
    }
    const PickUp carried = pickUp(game, hit.pile, hit.card);
    if (!carried) {
        m_c.look.messages.beep();
        return;
    }
    lift(carried, hit, event.at);
}

void TablePointer::lift(const PickUp& carried, const PileHit& hit, Point at)
{
    TableView& table = m_c.table;
    m_held = carried;
    m_grab = {at.x - hit.corner.x, at.y - hit.corner.y};
    m_origin = hit.corner;
    m_moved = false;

    // The table is drawn without the lifted cards; the game itself keeps them.
    const std::vector<MovingCard> cards = table.runPicture(table.cards(), carried.from, carried.position);
    const std::string oldText = *table.cards().piles.pile(carried.from);
    m_shown = table.cards();
    m_shown.piles.pile(carried.from)->resize(std::size_t(carried.position) * 3);
    TablePainter painter = table.painter(&m_c.window, m_shown);
    painter.repairPile(carried.from, oldText, Target::Both);
    m_image = std::make_unique<MovingImage>(TableSurfaces{&m_c.window, table.tableBuffer(), table.backgroundBuffer()},
                                            table.pictures(), m_c.look.graphics, cards);
    m_image->onDrawn = m_c.showArea;
    m_c.showArea({0, 0, m_c.window.width(), m_c.window.height()}); // the repaired pile is on the window picture
    const bool shadow = pref(Fld::Cards_Shadowed);
    m_image->showAt(m_origin, shadow, table.scrollOffset());
    if (shadow)
        playSound(m_c.look.store, m_c.sound, SoundEvent::CardUp);
}

void TablePointer::pointerMove(const PointerEvent& event)
{
    if (m_held && m_image) {
        m_moved = true;
        m_image->dragTo({event.at.x - m_grab.x, event.at.y - m_grab.y}, pref(Fld::Cards_Shadowed),
                        m_c.table.scrollOffset());
        return;
    }
    if (m_stockPressed) {
        const Point stock = m_c.table.positions().at(Mazzo);
        const CardSize size = m_c.table.pictures().size();
        const Rect area{stock.x, stock.y - m_c.table.scrollOffset(), size.width, size.height};
        if (!area.contains(event.at))
            m_stockPressed = false; // leaving the stock takes the press back
    }
}

void TablePointer::tableScrolled()
{
    if (!m_held || !m_image)
        return;
    // The window now shows the table at its new offset; the picture goes back on top of it.
    const Point at = m_image->position();
    const bool shadow = pref(Fld::Cards_Shadowed);
    m_image->showAt(at, shadow, m_c.table.scrollOffset());
}

void TablePointer::pointerUp(const PointerEvent&)
{
    if (m_peeking) {
        m_peeking = false;
        m_c.showTable();
        return;
    }
    if (m_stockPressed) {
        m_stockPressed = false;
        m_c.session.pressStock();
        return;
    }
    if (!m_held)
        return;
    if (!(m_moved && dropHeld()))
        travelBack();
    release();
}

bool TablePointer::dropHeld()
{
    const CardSize size = m_c.table.pictures().size();
    const Point at = m_image->position();
    const PickUp held = m_held;
    // The first candidate that takes the cards; the session's move repaints the whole table.
    for (const PileRef pile : dropCandidates(m_c.table, {at.x, at.y, size.width, size.height}))
        if (m_c.session.drop(held.card, pile))
            return true;
    return false;
}

void TablePointer::travelBack()
{
    TableView& table = m_c.table;
    const bool shadow = pref(Fld::Cards_Shadowed);
    if (m_image && m_moved) {
        MotionPace pace(m_c.clock, m_c.events, m_c.frameMs);
        const MotionTiming timing{pace, int(numberOr(m_c.look.store.fnStoreGet(Fld::Speed_Move_Card), 10)), shadow,
                                  table.scrollOffset()};
        MotionRequest request;
        request.from = m_image->position();
        request.to = m_origin;
        request.commit = false;
        moveCard(*m_image, request, timing, table.pictures().size());
    }
    // The game never changed: the table is drawn as it is again.
    table.relayoutAndRepaint();
    m_c.showTable();
    if (shadow)
        playSound(m_c.look.store, m_c.sound, SoundEvent::CardDown);
}

void TablePointer::release()
{
    m_image.reset();
    m_held = {};
    m_moved = false;
    m_shown = {};
}

void TablePointer::doubleClick(const PointerEvent& event)
{
    if (m_held || !m_c.table.gameOnTable() || !m_c.session.inProgress())
        return;
    const PileHit hit = m_c.table.hitAt(event.at);
    if (isCardNumber(hit.card))
        m_c.session.doubleClick(hit.card);
}

void TablePointer::peek(const PileHit& hit)
{
    const Game& game = m_c.session.game();
    const int layout = game.rules[Rule::ReserveLayout];
    const bool fannedReserve = hit.pile.group == PileGroup::Appogg
        && (layout == ReserveFannedDown || layout == ReserveFannedRight);
    const bool shows = isCardNumber(hit.card) && !game.cards.deck.isFaceDown(hit.card)
        && (hit.pile.group == PileGroup::Fila || fannedReserve);
    if (!shows) {
        m_c.look.messages.beep();
        return;
    }
    // Raised on the window only, until the button comes up.
    m_peeking = true;
    TablePainter painter = m_c.table.painter(&m_c.window);
    painter.drawCard(hit.card, hit.corner.x, hit.corner.y, false, Target::Window);
    const CardSize size = m_c.table.pictures().size();
    m_c.showArea({hit.corner.x, hit.corner.y, size.width, size.height});
}

} // namespace kst
