#include "table/Motion.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kst {

// ---- the path -------------------------------------------------------------------------------------

int motionStep(int distance, bool fine)
{
    if (distance <= 0)
        return 0;
    int step = int(distance / (distance * 0.0128 + 4) + 0.5);
    if (fine)
        step = int(step * 0.3);
    // A step of 0 would never arrive: short fine moves still go one pixel at a time.
    return std::clamp(step, 1, distance);
}

std::vector<Point> motionPath(Point from, Point to, bool fine)
{
    const int dx = to.x - from.x, dy = to.y - from.y;
    const bool leadingX = std::abs(dx) >= std::abs(dy);
    const int lead = leadingX ? dx : dy, other = leadingX ? dy : dx;
    const int leadFrom = leadingX ? from.x : from.y, otherFrom = leadingX ? from.y : from.x;
    const int distance = std::abs(lead);
    const int step = motionStep(distance, fine);
    std::vector<Point> path;
    int travelled = 0;
    while (travelled < distance) {
        travelled = std::min(travelled + step, distance);
        const int percent = int(travelled * 100.0 / distance + 0.5);
        const int leadAt = leadFrom + (lead < 0 ? -travelled : travelled);
        const int otherAt = percent >= 100 ? otherFrom + other : otherFrom + int(other * percent / 100.0);
        path.push_back(leadingX ? Point{leadAt, otherAt} : Point{otherAt, leadAt});
    }
    if (path.empty() || !(path.back() == to))
        path.push_back(to);
    return path;
}

// ---- the moving picture ---------------------------------------------------------------------------

MovingImage::MovingImage(TableSurfaces surfaces, const CardPictures& pictures, Graphics& graphics,
                         const std::vector<MovingCard>& cards)
    : m_surfaces(surfaces), m_pictures(pictures)
{
    const CardSize size = pictures.size();
    int height = size.height;
    for (const MovingCard& c : cards)
        height = std::max(height, c.offset + size.height);
    m_image = graphics.createBitmap(size.width, height);
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const MovingCard& c = cards[i];
        const Bitmap* picture = c.card < 0 ? pictures.back() : pictures.face(c.card);
        if (!picture)
            continue;
        const Corners& corners = c.card < 0 ? pictures.backCorners() : pictures.faceCorners(c.card);
        // Corners over the card below take its colours now; corners over the table (the top of
        // the first card, the bottom of the last) are blended with the table wherever it moves.
        std::vector<Colour> beneath;
        for (const CornerPixel& p : corners)
            beneath.push_back(m_image->pixel(p.x, c.offset + p.y));
        m_image->copyFrom(*picture, {0, 0, size.width, size.height}, {0, c.offset});
        for (std::size_t k = 0; k < corners.size(); ++k) {
            const CornerPixel& p = corners[k];
            const bool top = 2 * p.y < size.height;
            const bool overTable = (top && i == 0) || (!top && i + 1 == cards.size());
            if (overTable)
                m_corners.push_back({p.x, c.offset + p.y, p.pixel});
            else
                m_image->setPixel(p.x, c.offset + p.y, blendOver(p.pixel, {beneath[k], 255}).colour);
        }
    }
}

Rect MovingImage::coveredAt(Point at, bool shadow) const
{
    const int margin = shadow ? m_pictures.shadowWidth() : 0;
    return {at.x, at.y, width() + margin, height() + margin};
}

void MovingImage::restore(const Rect& area, int scrollOffset)
{
    if (!m_surfaces.window || area.isEmpty())
        return;
    m_surfaces.window->copyFrom(m_surfaces.table, {area.x, area.y + scrollOffset, area.width, area.height},
                                {area.x, area.y});
    if (onDrawn)
        onDrawn(area);
}

void MovingImage::drawAt(Point at, int scrollOffset)
{
    if (!m_surfaces.window)
        return;
    // What lies beneath the picture on the window is the table buffer.
    drawCardPicture(*m_surfaces.window, *m_image, m_corners, at, height(), [&](const CornerPixel& c) {
        return m_surfaces.table.pixel(at.x + c.x, at.y + scrollOffset + c.y);
    });
    if (onDrawn)
        onDrawn(coveredAt(at, true));
}

void MovingImage::showAt(Point at, bool shadow, int scrollOffset)
{
    if (m_shown)
        restore(coveredAt(m_at, m_shadowShown), scrollOffset);
    m_shown = true;
    m_at = at;
    m_shadowShown = shadow;
    drawAt(at, scrollOffset);
    if (shadow && m_surfaces.window)
        drawCardShadow(*m_surfaces.window, m_pictures, {at.x, at.y, width(), height()});
}

void MovingImage::dragTo(Point at, bool shadow, int scrollOffset)
{
    if (!m_shown || (at == m_at && shadow == m_shadowShown)) {
        if (!m_shown)
            showAt(at, shadow, scrollOffset);
        return;
    }
    // What the picture itself no longer covers is given back: at most four strips around the
    // new place. The shadow is see-through, so its place is given back too and drawn afresh.
    const Rect before = coveredAt(m_at, m_shadowShown), after = coveredAt(at, false);
    const int top = std::max(before.y, after.y), bottom = std::min(before.bottom(), after.bottom());
    if (after.x >= before.right() || before.x >= after.right() || top >= bottom) {
        restore(before, scrollOffset);
    } else {
        restore({before.x, before.y, before.width, after.y - before.y}, scrollOffset);
        restore({before.x, after.bottom(), before.width, before.bottom() - after.bottom()}, scrollOffset);
        restore({before.x, top, after.x - before.x, bottom - top}, scrollOffset);
        restore({after.right(), top, before.right() - after.right(), bottom - top}, scrollOffset);
    }
    m_at = at;
    m_shadowShown = shadow;
    drawAt(at, scrollOffset);
    if (shadow && m_surfaces.window)
        drawCardShadow(*m_surfaces.window, m_pictures, {at.x, at.y, width(), height()});
}

void MovingImage::hide(int scrollOffset)
{
    if (m_shown)
        restore(coveredAt(m_at, m_shadowShown), scrollOffset);
    m_shown = false;
    m_shadowShown = false;
}

void MovingImage::commit(int scrollOffset)
{
    Bitmap& table = m_surfaces.table;
    const Point at{m_at.x, m_at.y + scrollOffset};
    drawCardPicture(table, *m_image, m_corners, at, height(),
                    [&](const CornerPixel& c) { return table.pixel(at.x + c.x, at.y + c.y); });
}

// ---- the pace ----------------------------------------------------------------------------------

MotionPace::MotionPace(Clock& clock, EventPump& events, int frameMs)
    : m_clock(clock), m_events(events), m_start(clock.tickMs()), m_frameMs(std::max(frameMs, 1))
{
}

bool MotionPace::show(double lasting)
{
    const double begins = m_time;
    m_time += std::max(lasting, 0.0);
    const double firstFrame = std::ceil(begins / m_frameMs) * m_frameMs;
    if (firstFrame >= m_time)
        return false;
    // A late state is drawn all the same: there is at most one a frame.
    waitUntil(begins);
    return true;
}

void MotionPace::reach()
{
    waitUntil(m_time);
}

void MotionPace::waitUntil(double moment)
{
    for (double now = double(m_clock.tickMs() - m_start); now < moment; now = double(m_clock.tickMs() - m_start))
        m_events.processPendingEvents(int(std::ceil(moment - now)));
}

// ---- the glide ----------------------------------------------------------------------------------

void moveCard(MovingImage& image, const MotionRequest& request, const MotionTiming& timing, CardSize card)
{
    MotionPace& pace = timing.pace;
    const double step = request.fine || timing.speed <= 0 ? FineStepMs : double(timing.speed);
    const int s = timing.shadowed ? image.shadowWidth() : 0;
    const bool placed = !(request.to.x < -9999 || request.to.y < -9999);
    Point to = request.to;
    if (request.targetHasShadow)
        to = {to.x - s, to.y - s};
    if (!placed)
        to = {-3 * card.width, -3 * card.height}; // off the table at the top left

    // No shadow while moving: the start is shown bare.
    if (pace.show(step))
        image.showAt(request.from, false, timing.scrollOffset);
    const std::vector<Point> path = motionPath(request.from, to, request.fine);
    for (std::size_t i = 0; i + 1 < path.size(); ++i)
        if (pace.show(step))
            image.dragTo(path[i], false, timing.scrollOffset);
    Point final = to;
    if (request.targetHasShadow && placed) {
        if (pace.show(2 * step))
            image.dragTo(to, false, timing.scrollOffset);
        final = request.to;
    }
    pace.reach();
    image.dragTo(final, timing.shadowed, timing.scrollOffset);
    if (request.commit)
        image.commit(timing.scrollOffset);
}

void animateDealtCard(MovingImage& image, bool faceUp, Point stock, Point target, const MotionTiming& timing,
                      CardSize card)
{
    MotionPace& pace = timing.pace;
    const Point leaving{stock.x + card.width / 7, stock.y + card.height / 7};
    pace.pass(2);
    if (faceUp) {
        if (pace.show(2))
            image.showAt(stock, false, timing.scrollOffset);
        if (pace.show(1)) {
            image.hide(timing.scrollOffset); // the stock shows its back again
            image.showAt(leaving, false, timing.scrollOffset);
        }
    }
    MotionTiming fine = timing;
    fine.shadowed = false;
    moveCard(image, {.from = leaving, .to = target, .fine = true, .commit = true}, fine, card);
}

} // namespace kst
