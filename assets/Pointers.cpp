// Pointer shapes: 32 x 32 pixel drawings, white with a one-pixel black rim so they read on any
// table, never smoothed (the window system shows them unscaled). Each shape is drawn around its
// hot spot from PictureNames.h; the left hands are the right hands mirrored. A twin draws every
// design pixel as a square block of picture pixels, and its rim stays one picture pixel wide.

#include "assets/IconFamilies.h"
#include "assets/PictureNames.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace kst::assets {
namespace {

constexpr QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255), cuffGrey = qRgb(196, 200, 210),
               pipRed = qRgb(204, 24, 24);

// How many picture pixels a design pixel spans on this picture: 1, or the twin's scale.
int blockOf(const QImage& image)
{
    return std::max(1, image.width() / pointerSize);
}

// Sets the block of picture pixels that design pixel (x, y) covers.
void plot(QImage& image, int x, int y, QRgb colour)
{
    const int block = blockOf(image);
    for (int dy = 0; dy < block; ++dy)
        for (int dx = 0; dx < block; ++dx)
            image.setPixel(x * block + dx, y * block + dy, colour);
}

// One solid piece of a pointer: the pixels it covers, drawn as a white body inside a black rim.
// Positions are design pixels; the piece is kept in picture pixels, so the rim is found there.
class Solid {
public:
    Solid(QPoint origin, const QImage& image)
        : m_origin(origin), m_block(blockOf(image)), m_side(pointerSize * m_block),
          m_in(std::size_t(m_side * m_side), false)
    {
    }

    void set(int x, int y)
    {
        x += m_origin.x();
        y += m_origin.y();
        if (x < 0 || y < 0 || x >= pointerSize || y >= pointerSize)
            return;
        for (int dy = 0; dy < m_block; ++dy)
            for (int dx = 0; dx < m_block; ++dx)
                m_in[std::size_t((y * m_block + dy) * m_side + x * m_block + dx)] = true;
    }
    void span(int y, int x0, int x1)
    {
        for (int x = x0; x <= x1; ++x)
            set(x, y);
    }
    // Both corners inclusive; `cut` pixels rounded off each corner.
    void rect(int x0, int y0, int x1, int y1, int cut = 0)
    {
        for (int y = y0; y <= y1; ++y) {
            const int fromEdge = std::min(y - y0, y1 - y);
            const int inset = fromEdge < cut ? cut - fromEdge : 0;
            span(y, x0 + inset, x1 - inset);
        }
    }
    void paint(QImage& image, QRgb body) const
    {
        for (int y = 0; y < m_side; ++y)
            for (int x = 0; x < m_side; ++x)
                if (in(x, y))
                    image.setPixel(x, y, in(x - 1, y) && in(x + 1, y) && in(x, y - 1) && in(x, y + 1) ? body : black);
    }

private:
    bool in(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < m_side && y < m_side && m_in[std::size_t(y * m_side + x)];
    }

    QPoint m_origin; // in design pixels
    int m_block;     // picture pixels per design pixel
    int m_side;      // the picture's side in picture pixels
    std::vector<bool> m_in;
};

void line(QImage& image, QPoint origin, int x0, int y0, int x1, int y1, QRgb colour = black)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            plot(image, origin.x() + x, origin.y() + y, colour);
}

void arrow(QImage& image, bool large)
{
    Solid part({0, 0}, image);
    const int head = large ? 15 : 10;
    for (int y = 0; y <= head; ++y)
        part.span(y, 0, y);
    if (large) {
        part.span(16, 0, 9);
        for (int y = 17; y <= 21; ++y)
            part.span(y, 0, 21 - y);
        for (int y = 17; y <= 26; ++y)
            part.span(y, 6 + (y - 17) / 2, 10 + (y - 17) / 2);
        part.span(27, 12, 14);
    } else {
        part.span(11, 0, 6);
        for (int y = 12; y <= 14; ++y)
            part.span(y, 0, 14 - y);
        for (int y = 12; y <= 15; ++y)
            part.span(y, 4 + (y - 12) / 2, 7 + (y - 12) / 2);
        part.span(16, 6, 7);
    }
    part.paint(image, white);
}

// Two cards under the arrow's tail: the pointer is carrying them.
void carriedCards(QImage& image, QPoint at, bool large)
{
    const int w = large ? 12 : 10, h = large ? 16 : 13;
    for (int i = 0; i < 2; ++i) {
        Solid card(at + QPoint(i * 3, i * 3), image);
        card.rect(0, 0, w - 1, h - 1, 1);
        card.paint(image, white);
    }
    const QPoint pip = at + QPoint(3 + w / 2, 3 + h / 2);
    for (int d = -2; d <= 2; ++d)
        for (int e = -(2 - std::abs(d)); e <= 2 - std::abs(d); ++e)
            plot(image, pip.x() + e, pip.y() + d, pipRed);
}

// A right hand seen from its back, index finger up; (0, 0) is the fingertip.
void pointingHand(QImage& image, QPoint tip, bool large)
{
    Solid thumb(tip, image);
    Solid hand(tip, image);
    if (large) {
        thumb.rect(-9, 11, -4, 15, 2);
        thumb.rect(-7, 13, -1, 19, 2);
        hand.rect(-3, 0, 3, 16, 2);   // index finger
        hand.rect(3, 8, 8, 16, 2);    // middle
        hand.rect(8, 9, 13, 17, 2);   // ring
        hand.rect(13, 11, 17, 18, 2); // little finger
        hand.rect(-3, 14, 17, 25, 2); // palm
        thumb.paint(image, white);
        hand.paint(image, white);
        line(image, tip, 3, 9, 3, 14);
        line(image, tip, 8, 10, 8, 15);
        line(image, tip, 13, 12, 13, 16);
        Solid cuff(tip, image);
        cuff.rect(-3, 25, 16, 29);
        cuff.paint(image, cuffGrey);
        line(image, tip, 12, 27, 13, 27);
    } else {
        thumb.rect(-7, 8, -3, 11, 1);
        thumb.rect(-5, 10, -1, 14, 1);
        hand.rect(-2, 0, 2, 12, 1);   // index finger
        hand.rect(2, 6, 6, 12, 1);    // middle
        hand.rect(6, 7, 10, 13, 1);   // ring
        hand.rect(10, 9, 13, 14, 1);  // little finger
        hand.rect(-2, 11, 13, 19, 2); // palm
        thumb.paint(image, white);
        hand.paint(image, white);
        line(image, tip, 2, 7, 2, 11);
        line(image, tip, 6, 8, 6, 12);
        line(image, tip, 10, 10, 10, 13);
    }
}

// The same hand closed round the cards it drags; (0, 0) is the top of the index knuckle.
void grabbingHand(QImage& image, QPoint knuckle, bool large)
{
    Solid fist(knuckle, image);
    if (large) {
        fist.rect(-3, 0, 3, 7, 2);
        fist.rect(3, 0, 8, 7, 2);
        fist.rect(8, 1, 13, 8, 2);
        fist.rect(13, 2, 17, 9, 2);
        fist.rect(-3, 4, 17, 17, 2);
        fist.paint(image, white);
        for (const int x : {3, 8, 13})
            line(image, knuckle, x, x == 3 ? 1 : x == 8 ? 2 : 3, x, 6);
        Solid thumb(knuckle, image);
        thumb.rect(-7, 7, 5, 11, 2);
        thumb.paint(image, white);
        Solid cuff(knuckle, image);
        cuff.rect(-3, 17, 16, 21);
        cuff.paint(image, cuffGrey);
        line(image, knuckle, 12, 19, 13, 19);
    } else {
        fist.rect(-2, 0, 2, 5, 1);
        fist.rect(2, 0, 6, 5, 1);
        fist.rect(6, 1, 10, 6, 1);
        fist.rect(10, 2, 13, 7, 1);
        fist.rect(-2, 3, 13, 13, 2);
        fist.paint(image, white);
        for (const int x : {2, 6, 10})
            line(image, knuckle, x, x == 2 ? 1 : x == 6 ? 2 : 3, x, 4);
        Solid thumb(knuckle, image);
        thumb.rect(-5, 5, 4, 8, 1);
        thumb.paint(image, white);
    }
}

QImage mirrored(const QImage& image)
{
    QImage result(image.size(), image.format());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            result.setPixel(image.width() - 1 - x, y, image.pixel(x, y));
    return result;
}

} // namespace

bool drawPointerPicture(QImage& image, const std::string& name)
{
    const PixelSpot spot = pointerHotSpot(name);
    if (spot.x < 0)
        return false;
    const std::string_view n(name);
    const bool large = n.find('2') != std::string_view::npos, dragging = n.ends_with('B');
    image = QImage(image.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (n.starts_with("CUR_ARROW")) {
        if (dragging)
            carriedCards(image, large ? QPoint(11, 13) : QPoint(8, 10), large);
        arrow(image, large);
        return true;
    }
    const bool left = n.starts_with("CUR_LEFT");
    const QPoint at = left ? QPoint(pointerSize - 1 - spot.x, spot.y) : QPoint(spot.x, spot.y);
    if (dragging)
        grabbingHand(image, at, large);
    else
        pointingHand(image, at, large);
    if (left)
        image = mirrored(image);
    return true;
}

} // namespace kst::assets
