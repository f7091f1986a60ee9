#include "table/Painter.h"

#include "cards/Card.h"

#include <algorithm>

namespace kst {

namespace {

constexpr int NotPlacedBelow = -9999;
constexpr Colour Silver = rgb(192, 192, 192);
constexpr Colour White = rgb(255, 255, 255);
constexpr Colour Black = rgb(0, 0, 0);
// Game types with decorations of their own.
constexpr int StepFoundationsGame = 10;
constexpr int CloseUpGridGame = 8;
constexpr int StockLastGame = 3;

bool placed(int x, int y)
{
    return x >= NotPlacedBelow && y >= NotPlacedBelow;
}

Rect intersection(const Rect& a, const Rect& b)
{
    const int x = std::max(a.x, b.x), y = std::max(a.y, b.y);
    const int right = std::min(a.right(), b.right()), bottom = std::min(a.bottom(), b.bottom());
    return {x, y, std::max(right - x, 0), std::max(bottom - y, 0)};
}

EmptyKind stockGroupKind(int index)
{
    return index == 0 ? EmptyKind::Stock : index == 1 ? EmptyKind::Waste : EmptyKind::Other;
}

} // namespace

// ---- empty marks ------------------------------------------------------------------------------

EmptyMark rankMark(int rankCode)
{
    switch (rankCode) {
    case 1:
    case 58:
    case 81:
    case 85: return {"010", true};
    case 2:
    case 90: return {"012", true};
    case 11: return {"006", true};
    case 12: return {"003", true};
    case 13:
    case 64:
    case 84: return {"011", true};
    case 94: return {"", true};
    default: break;
    }
    if (rankCode >= 3 && rankCode <= 10)
        return {"0" + std::to_string(10 + rankCode), true};
    return {};
}

bool redealsRemain(const RuleTable& rules, int dealCounter)
{
    return rules[Rule::Deals] == -1 || dealCounter < rules[Rule::Deals];
}

EmptyMark emptyMarkFor(EmptyKind kind, int pileIndex, const TableScene& scene)
{
    const RuleTable& rules = scene.rules;
    const auto mark = [](const char* code) { return EmptyMark{code, true}; };
    switch (kind) {
    case EmptyKind::Stock:
        if (rules[Rule::GameType] == CloseUpGridGame)
            return mark("021");
        return mark(redealsRemain(rules, scene.dealCounter) ? "022" : "008");
    case EmptyKind::Waste:
        if (rules[Rule::StockClickPlace] == 1)
            return mark("_WASTE");
        if (rules[Rule::Deals] == 0)
            return mark("008");
        if (rules[Rule::RedealMode] >= 1)
            return mark(redealsRemain(rules, scene.dealCounter) ? "022" : "008");
        return {};
    case EmptyKind::Foundation: {
        if (rules[Rule::FoundationStartCode + pileIndex] == 10)
            return rankMark(Queen);
        const EmptyMark rank = rankMark(rules[Rule::BaseRank + pileIndex]);
        return rank.counts ? rank : mark("004");
    }
    case EmptyKind::Slot: return mark("001");
    case EmptyKind::Reserve: {
        const int rule = rules[Rule::ReserveRule + pileIndex];
        return mark(rule == 9 ? "009" : rule == 8 ? "011" : "001");
    }
    case EmptyKind::Tableau: {
        const EmptyMark rank = rankMark(rules[Rule::TableauEmptyRule + pileIndex]);
        if (rank.counts)
            return rank;
        return mark(rules[Rule::TableauEmptyRule] != 0 ? "004" : "_TABLEAU");
    }
    case EmptyKind::Other: return mark("_WASTE");
    }
    return {};
}

// ---- the painter ------------------------------------------------------------------------------

TablePainter::TablePainter(TableSurfaces surfaces, const TableScene& scene, int scrollOffset)
    : m_surfaces(surfaces), m_scene(scene), m_scrollOffset(scrollOffset)
{
}

int TablePainter::placements(Target target, Point window, Placement (&out)[2]) const
{
    int n = 0;
    if (target != Target::Table && m_surfaces.window)
        out[n++] = {m_surfaces.window, window};
    if (target != Target::Window)
        out[n++] = {&m_surfaces.table, {window.x, window.y + m_scrollOffset}};
    return n;
}

void TablePainter::extendReach(int x, int y, int width, int height)
{
    m_tableBottom = std::max(m_tableBottom, y + height + m_scrollOffset);
    m_tableRight = std::max(m_tableRight, x + width);
}

void drawCardPicture(Bitmap& target, const Bitmap& picture, const Corners& corners, Point at, int height,
                     const std::function<Colour(const CornerPixel&)>& beneath)
{
    // Kept between calls: painting a card should not allocate.
    static thread_local std::vector<Colour> under;
    under.clear();
    for (const CornerPixel& c : corners)
        if (c.y < height)
            under.push_back(beneath(c));
    target.copyFrom(picture, {0, 0, picture.width(), height}, at);
    std::size_t k = 0;
    for (const CornerPixel& c : corners)
        if (c.y < height)
            target.setPixel(at.x + c.x, at.y + c.y, blendOver(c.pixel, {under[k++], 255}).colour);
}

// Corners show, at the top, the surface itself (the card below in a fan), at the bottom the
// background; a card lying over another has a silver bottom-right corner.
void TablePainter::drawPicture(const Bitmap& picture, const Corners& corners, int x, int y, int height,
                               bool overlapped, Target target)
{
    if (!placed(x, y))
        return;
    const int w = picture.width(), h = picture.height();
    height = std::clamp(height, 0, h);
    Placement at[2];
    const int n = placements(target, {x, y}, at);
    for (int p = 0; p < n; ++p) {
        const Bitmap& surface = *at[p].surface;
        const Point o = at[p].at;
        drawCardPicture(*at[p].surface, picture, corners, o, height, [&](const CornerPixel& c) {
            // The corner pixel itself and its two neighbours, not a see-through edge above it.
            if (overlapped && (w - 1 - c.x) + (h - 1 - c.y) <= 1)
                return Silver;
            return 2 * c.y >= h ? m_surfaces.background.pixel(x + c.x, y + m_scrollOffset + c.y)
                                : surface.pixel(o.x + c.x, o.y + c.y);
        });
    }
    extendReach(x, y, w, height);
}

void TablePainter::drawCard(int card, int x, int y, bool overlapped, Target target)
{
    if (!placed(x, y))
        return;
    if (card == 0) {
        if (m_scene.rules[Rule::PairingSum] != 0)
            drawEmptyMark(EmptyKind::Slot, x, y, target);
        return;
    }
    if (const Bitmap* face = m_scene.pictures.face(card))
        drawPicture(*face, m_scene.pictures.faceCorners(card), x, y, face->height(), overlapped, target);
}

void TablePainter::drawBack(int x, int y, int height, bool overlapped, Target target)
{
    if (const Bitmap* back = m_scene.pictures.back())
        drawPicture(*back, m_scene.pictures.backCorners(), x, y, height, overlapped, target);
}

void TablePainter::drawEmptyMark(EmptyKind kind, int x, int y, Target target, int pileIndex)
{
    if (!placed(x, y))
        return;
    const EmptyMark mark = emptyMarkFor(kind, pileIndex, m_scene);
    const CardSize size = m_scene.pictures.size();
    if (mark.counts)
        extendReach(x, y, size.width, size.height);
    const Bitmap* picture = mark.code.empty() ? nullptr : m_scene.pictures.mark(mark.code);
    Placement at[2];
    const int n = placements(target, {x, y}, at);
    for (int p = 0; p < n; ++p) {
        // The mark is see-through: it goes over the bare background, never over an old mark.
        at[p].surface->copyFrom(m_surfaces.background, {x, y + m_scrollOffset, size.width, size.height}, at[p].at);
        if (picture)
            at[p].surface->blendFrom(*picture, {0, 0, picture->width(), picture->height()}, at[p].at);
    }
}

void drawCardShadow(Bitmap& surface, const CardPictures& pictures, const Rect& image)
{
    const int s = pictures.shadowWidth();
    const int left = image.x, top = image.y, right = image.right(), bottom = image.bottom();
    if (image.height <= pictures.size().height) {
        if (const Bitmap* side = pictures.shadow(1))
            surface.copyTransparent(*side, {0, 0, side->width(), side->height()}, {right, top + s - 2}, White);
        if (const Bitmap* under = pictures.shadow(2))
            surface.copyTransparent(*under, {0, 0, under->width(), under->height()}, {left + s - 1, bottom}, White);
    } else {
        // Several cards: a see-through band of every second pixel, following the corner.
        const int band = s - 2;
        for (int y = top + band; y < bottom + band - 2; ++y)
            for (int x = right; x < right + band; ++x)
                if ((x + y) % 2 == 0)
                    surface.setPixel(x, y, Black);
        for (int y = bottom; y < bottom + band; ++y)
            for (int x = left + s - 1; x < right - 1; ++x)
                if ((x + y) % 2 == 0)
                    surface.setPixel(x, y, Black);
    }
    // The rounded corner shows the shadow, not the table.
    surface.setPixel(right - 1, bottom - 1, Black);
    surface.setPixel(right - 2, bottom - 1, Black);
}

void TablePainter::drawShadow(const Rect& image, Target target)
{
    if (!m_scene.shadowed)
        return;
    Placement at[2];
    const int n = placements(target, {image.x, image.y}, at);
    for (int p = 0; p < n; ++p)
        drawCardShadow(*at[p].surface, m_scene.pictures, {at[p].at.x, at[p].at.y, image.width, image.height});
}

// ---- piles --------------------------------------------------------------------------------------

Point TablePainter::pileCorner(PileRef pile) const
{
    const Point p = m_scene.positions.at(pile);
    return {p.x, p.y - m_scrollOffset};
}

FanStyle TablePainter::fanStyleOf(PileRef pile) const
{
    switch (pile.group) {
    case PileGroup::Fila: return tableauFan(m_scene.rules);
    case PileGroup::Dest: return foundationFan(m_scene.rules);
    case PileGroup::Appogg: return reserveFan(m_scene.rules);
    default: return {};
    }
}

Rect TablePainter::pileExtent(PileRef pile, std::string_view text) const
{
    const Point base = pileCorner(pile);
    const CardSize card = m_scene.pictures.size();
    const FanStyle style = fanStyleOf(pile);
    if (style.spread == Spread::Stacked || cardCount(text) == 0)
        return {base.x, base.y, card.width, card.height};
    const Fan fan = fanOf(text, style, m_scene.cards.deck, m_scene.steps, card);
    if (style.spread == Spread::Down)
        return {base.x, base.y, card.width, fan.length};
    return {base.x, base.y, fan.length, card.height};
}

void TablePainter::drawPile(PileRef pile, Target target)
{
    if (!m_scene.positions.isPlaced(pile))
        return;
    const std::string* text = m_scene.cards.piles.pile(pile);
    if (!text)
        return;
    const Point base = pileCorner(pile);
    const CardSize card = m_scene.pictures.size();
    const int count = cardCount(*text);
    if (count == 0) {
        const EmptyKind kind = pile.group == PileGroup::Stock ? stockGroupKind(pile.index)
            : pile.group == PileGroup::Dest                   ? EmptyKind::Foundation
            : pile.group == PileGroup::Appogg                 ? EmptyKind::Reserve
                                                              : EmptyKind::Tableau;
        drawEmptyMark(kind, base.x, base.y, target, pile.index);
        return;
    }
    const auto drawOne = [&](int number, Point at, bool overlapped) {
        if (number > 0 && m_scene.cards.deck.isFaceDown(number))
            drawBack(at.x, at.y, card.height, overlapped, target);
        else
            drawCard(number, at.x, at.y, overlapped, target);
    };
    const FanStyle style = fanStyleOf(pile);
    if (style.spread == Spread::Stacked) {
        // Only the top card of a stack shows; underneath, the empty place is never seen.
        drawOne(topCard(*text), base, false);
        if (pile == Mazzo)
            drawShadow({base.x, base.y, card.width, card.height}, target);
        return;
    }
    const Fan fan = fanOf(*text, style, m_scene.cards.deck, m_scene.steps, card);
    for (int i = 0; i < count; ++i)
        drawOne(cardAt(*text, i), cornerOf(base, style.spread, fan.offsets[std::size_t(i)]), i > 0);
}

void TablePainter::paintTable()
{
    const RuleTable& rules = m_scene.rules;
    resetTableBottom();
    m_surfaces.table.copyFrom(m_surfaces.background, {0, 0, m_surfaces.background.width(), m_surfaces.background.height()},
                              {0, 0});
    for (int i = 0; i < PileGroups::DestEntries; ++i)
        drawPile(destPile(i), Target::Table);
    for (int i = 0; i < std::clamp(int(rules[Rule::ReserveCount]), 0, Rule::MaxReserves); ++i)
        drawPile(appoggPile(i), Target::Table);
    for (int i = 0; i < std::clamp(int(rules[Rule::TableauCount]), 0, Rule::MaxTableaus); ++i)
        drawPile(filaPile(i), Target::Table);
    for (const PileRef pile : {Mazzo, Mazzo_Vis, Mazzo_Waste})
        drawPile(pile, Target::Table);
    if (rules[Rule::GameType] == StepFoundationsGame)
        drawFoundationLabels(Target::Table);
}

void TablePainter::repairPile(PileRef pile, std::string_view oldText, Target target)
{
    if (!m_scene.positions.isPlaced(pile))
        return;
    const std::string& newText = *m_scene.cards.piles.pile(pile);
    const FanStyle style = fanStyleOf(pile);
    if (pile.group == PileGroup::Fila && style.code == 3 && cardCount(newText) > 0)
        return;
    const Rect before = pileExtent(pile, oldText);
    const Rect after = pileExtent(pile, newText);
    // The part the old pile covered beyond the new one (and the new top card, which shows whole
    // now); a little wider, for the shadow pixels at the edges.
    Rect cleared = before;
    if (cardCount(newText) > 0 && style.spread == Spread::Down) {
        const int newTop = after.bottom() - m_scene.pictures.size().height;
        cleared = {before.x - 2, newTop, before.width + 4, before.bottom() - newTop};
    } else if (cardCount(newText) > 0 && style.spread == Spread::Right) {
        const int newLeft = after.right() - m_scene.pictures.size().width;
        cleared = {newLeft, before.y, before.right() - newLeft, before.height};
    }
    Placement at[2];
    const int n = placements(target, {cleared.x, cleared.y}, at);
    for (int p = 0; p < n; ++p)
        at[p].surface->copyFrom(m_surfaces.background,
                                {cleared.x, cleared.y + m_scrollOffset, cleared.width, cleared.height}, at[p].at);

    drawPile(pile, target);
    // Whatever else reached into the cleared area is drawn again over it, in paint order.
    const RuleTable& rules = m_scene.rules;
    const auto redrawIfTouched = [&](PileRef other) {
        if (other == pile || !m_scene.positions.isPlaced(other))
            return;
        if (!intersection(pileExtent(other, *m_scene.cards.piles.pile(other)), cleared).isEmpty())
            drawPile(other, target);
    };
    for (int i = 0; i < PileGroups::DestEntries; ++i)
        redrawIfTouched(destPile(i));
    for (int i = 0; i < std::clamp(int(rules[Rule::ReserveCount]), 0, Rule::MaxReserves); ++i)
        redrawIfTouched(appoggPile(i));
    for (int i = 0; i < std::clamp(int(rules[Rule::TableauCount]), 0, Rule::MaxTableaus); ++i)
        redrawIfTouched(filaPile(i));
    if (rules[Rule::GameType] == StockLastGame)
        drawPile(Mazzo, target);
}

void TablePainter::drawFoundationLabels(Target target)
{
    const RuleTable& rules = m_scene.rules;
    const CardSize card = m_scene.pictures.size();
    // The box and its text grow with a card larger than the big one, and with the screen's pixels.
    const double k = m_scene.pictures.measureScale();
    const auto scaled = [k](int length) { return scaledLength(length, k); };
    const TextStyle style{scaled(TextStyle{}.points)};
    for (int i = 0; i < 4; ++i) {
        const PileRef pile = destPile(i);
        if (!m_scene.positions.isPlaced(pile))
            continue;
        const Point base = pileCorner(pile);
        const Rect box{base.x + card.width / 2 - scaled(10), base.y - scaled(18), scaled(21), scaled(14)};
        const std::string& text = m_scene.cards.piles.dest[std::size_t(i)];
        const int count = cardCount(text);
        Placement at[2];
        const int n = placements(target, {box.x, box.y}, at);
        for (int p = 0; p < n; ++p) {
            Bitmap& surface = *at[p].surface;
            const Rect here{at[p].at.x, at[p].at.y, box.width, box.height};
            if (count == 0 || count >= rules[Rule::FoundationCapacity]) {
                surface.copyFrom(m_surfaces.background, {box.x, box.y + m_scrollOffset, box.width, box.height},
                                 at[p].at);
                continue;
            }
            int needed = rank(topCard(text)) + i + 1;
            if (needed > 13)
                needed -= 13;
            const char* label = rankLabel(needed);
            surface.fillRect(here, White);
            surface.drawText({here.x + (box.width - surface.textWidth(label, style)) / 2 - 1, here.y}, label, style,
                             Black);
        }
    }
}

} // namespace kst
