// The card backs of the IMAGES folder. Every back keeps a plain white edge like a printed card and
// carries its design inside a frame; the families share a frame style (gilded frames round the
// paintings, dotted bands round the children's pictures, fine lattices for the classics, photo
// mounts round the landscapes) so the choice in the appearance dialog looks like a set.
// Figures of animals and toys come from the colour emoji font; everything else is drawn as
// vector shapes. All is painted at four times the card size and scaled down smoothly, which keeps
// thin lines crisp instead of jagged.

#include "assets/Generators.h"
#include "assets/ImageNames.h"
#include "assets/PictureNames.h"

#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <numbers>

namespace kst::assets {
namespace {

constexpr int oversample = 4;
constexpr double pi = std::numbers::pi;

// A point given as fractions of a rectangle: scenes are laid out this way so they fit any frame.
QPointF at(const QRectF& r, double fx, double fy)
{
    return {r.left() + fx * r.width(), r.top() + fy * r.height()};
}

// Small seeded generator: the same source must give the same files, on every machine.
struct Rng {
    std::uint32_t state;
    double next()
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / double(1u << 24);
    }
    double range(double low, double high) { return low + (high - low) * next(); }
};

QColor mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t), float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

void fillGradient(QPainter& p, const QRectF& r, std::initializer_list<std::pair<double, QColor>> stops,
                  double fromY = 0, double toY = 1)
{
    QLinearGradient g(at(r, 0, fromY), at(r, 0, toY));
    for (const auto& [t, c] : stops)
        g.setColorAt(t, c);
    p.fillRect(r, g);
}

// A filled outline from the bottom-left corner of r through the given points to the bottom-right
// corner: mountain ridges, dunes, shores.
QPainterPath ridge(const QRectF& r, std::initializer_list<QPointF> fractions, double bottom = 1.0)
{
    QPainterPath path(at(r, 0, bottom));
    for (const QPointF& f : fractions)
        path.lineTo(at(r, f.x(), f.y()));
    path.lineTo(at(r, 1, bottom));
    path.closeSubpath();
    return path;
}

// A closed shape through points given as fractions of r: snow caps, shadows.
QPolygonF shape(const QRectF& r, std::initializer_list<QPointF> fractions)
{
    QPolygonF polygon;
    for (const QPointF& f : fractions)
        polygon << at(r, f.x(), f.y());
    return polygon;
}

// Rolling ground: a gentle wave from edge to edge, filled down to the bottom of r.
QPainterPath rolling(const QRectF& r, double baseY, double amplitude, double waves, double phase)
{
    QPainterPath path(at(r, 0, 1.02));
    for (int i = 0; i <= 48; ++i) {
        const double fx = i / 48.0;
        path.lineTo(at(r, fx, baseY + amplitude * std::sin(2 * pi * (waves * fx + phase))));
    }
    path.lineTo(at(r, 1, 1.02));
    path.closeSubpath();
    return path;
}

QPainterPath starPath(QPointF centre, double outer, double inner, int points, double turn = -pi / 2)
{
    QPolygonF star;
    for (int i = 0; i < 2 * points; ++i) {
        const double radius = i % 2 ? inner : outer, angle = turn + i * pi / points;
        star << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    QPainterPath path;
    path.addPolygon(star);
    path.closeSubpath();
    return path;
}

// A fluffy cloud of overlapping puffs, lit from above.
void cloud(QPainter& p, QPointF centre, double width, const QColor& light, const QColor& shade)
{
    QPainterPath shape;
    const double h = width * 0.32;
    shape.addEllipse(QRectF(centre.x() - width / 2, centre.y() - h * 0.25, width, h * 0.75));
    shape.addEllipse(QRectF(centre.x() - width * 0.32, centre.y() - h * 0.75, width * 0.38, width * 0.38 * 0.9));
    shape.addEllipse(QRectF(centre.x() - width * 0.06, centre.y() - h * 1.05, width * 0.42, width * 0.42 * 0.92));
    shape.setFillRule(Qt::WindingFill);
    QLinearGradient g(centre.x(), centre.y() - h * 1.1, centre.x(), centre.y() + h * 0.5);
    g.setColorAt(0, light);
    g.setColorAt(0.6, light);
    g.setColorAt(1, shade);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(shape.simplified());
}

void gull(QPainter& p, QPointF c, double span, const QColor& ink)
{
    QPainterPath path(c + QPointF(-span / 2, -span * 0.1));
    path.quadTo(c + QPointF(-span / 4, -span * 0.35), c);
    path.quadTo(c + QPointF(span / 4, -span * 0.35), c + QPointF(span / 2, -span * 0.1));
    p.setPen(QPen(ink, span * 0.12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

// A fir tree as three stacked triangles.
void fir(QPainter& p, QPointF foot, double height, const QColor& colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const double w = height * 0.42;
    for (int tier = 0; tier < 3; ++tier) {
        const double top = foot.y() - height + tier * height * 0.25, bottom = top + height * 0.5;
        const double half = w / 2 * (0.6 + 0.2 * tier);
        p.drawPolygon(QPolygonF{{foot.x(), top}, {foot.x() + half, bottom}, {foot.x() - half, bottom}});
    }
    p.fillRect(QRectF(foot.x() - height * 0.04, foot.y() - height * 0.14, height * 0.08, height * 0.14), colour.darker(150));
}

// --- Emoji figures ---

QString emojiFamily;

// The glyph at the font's own bitmap size, trimmed to its visible pixels.
QImage emojiGlyph(const QString& text)
{
    static std::map<QString, QImage> cache;
    if (const auto found = cache.find(text); found != cache.end())
        return found->second;
    QImage canvas(220, 220, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter p(&canvas);
        QFont font(emojiFamily);
        font.setPixelSize(109);
        p.setFont(font);
        p.drawText(canvas.rect(), Qt::AlignCenter, text);
    }
    int left = canvas.width(), top = canvas.height(), right = -1, bottom = -1;
    for (int y = 0; y < canvas.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        for (int x = 0; x < canvas.width(); ++x)
            if (qAlpha(line[x]) > 8) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    QImage glyph = right < 0 ? QImage() : canvas.copy(left, top, right - left + 1, bottom - top + 1);
    cache[text] = glyph;
    return glyph;
}

// Fits the figure into box, centred, keeping its proportions; optionally mirrored, turned (degrees)
// or flattened to one colour as a silhouette.
void emoji(QPainter& p, const QString& text, const QRectF& box, bool mirrored = false, double turn = 0,
           const QColor& silhouette = QColor())
{
    QImage glyph = emojiGlyph(text);
    if (glyph.isNull())
        return;
    if (mirrored)
        glyph = glyph.mirrored(true, false);
    if (silhouette.isValid()) {
        QPainter tint(&glyph);
        tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tint.fillRect(glyph.rect(), silhouette);
    }
    const double scale = std::min(box.width() / glyph.width(), box.height() / glyph.height());
    const QSizeF size(glyph.width() * scale, glyph.height() * scale);
    p.save();
    p.translate(box.center());
    p.rotate(turn);
    p.drawImage(QRectF(QPointF(-size.width() / 2, -size.height() / 2), size), glyph);
    p.restore();
}

// --- Frames ---

// A gilded picture frame on a coloured mat; returns the canvas inside it, clipped.
QRectF gildedFrame(QPainter& p, const QRectF& area, const QColor& mat)
{
    p.fillRect(area, mat);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(214, 172, 82), 0.5));
    p.drawRect(area.adjusted(1.1, 1.1, -1.1, -1.1));
    const QRectF outer = area.adjusted(3, 3, -3, -3), inner = outer.adjusted(4.2, 4.2, -4.2, -4.2);
    QPainterPath band;
    band.addRect(outer);
    band.addRect(inner);
    band.setFillRule(Qt::OddEvenFill);
    QLinearGradient gold(outer.topLeft(), outer.bottomRight());
    gold.setColorAt(0, QColor(252, 232, 160));
    gold.setColorAt(0.3, QColor(200, 150, 58));
    gold.setColorAt(0.55, QColor(246, 214, 126));
    gold.setColorAt(0.8, QColor(186, 136, 48));
    gold.setColorAt(1, QColor(236, 200, 110));
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    p.drawPath(band);
    // Moulding: a groove along the middle of the band, beads in it, mitred corners.
    const QRectF groove = outer.adjusted(2.1, 2.1, -2.1, -2.1);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(110, 70, 20, 200), 0.9));
    p.drawRect(groove);
    p.setPen(QPen(QColor(90, 55, 15), 0.4));
    p.drawRect(outer);
    p.drawRect(inner);
    for (int corner = 0; corner < 4; ++corner) {
        const double fx = corner % 2, fy = corner / 2;
        p.drawLine(at(outer, fx, fy), at(inner, fx, fy));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 240, 190));
    auto beads = [&](QPointF from, QPointF to) {
        const double length = std::hypot(to.x() - from.x(), to.y() - from.y());
        const int count = int(length / 3.2);
        for (int i = 1; i < count; ++i)
            p.drawEllipse(from + (to - from) * (double(i) / count), 0.5, 0.5);
    };
    beads(groove.topLeft(), groove.topRight());
    beads(groove.bottomLeft(), groove.bottomRight());
    beads(groove.topLeft(), groove.bottomLeft());
    beads(groove.topRight(), groove.bottomRight());
    for (int corner = 0; corner < 4; ++corner) {
        const QPointF c = at(groove, corner % 2, corner / 2);
        QRadialGradient boss(c - QPointF(0.6, 0.6), 2.6);
        boss.setColorAt(0, QColor(255, 246, 200));
        boss.setColorAt(1, QColor(170, 118, 38));
        p.setBrush(boss);
        p.setPen(QPen(QColor(90, 55, 15), 0.35));
        p.drawPath(starPath(c, 2.6, 1.3, 4, -pi / 4));
        p.drawEllipse(c, 1.1, 1.1);
    }
    p.setClipRect(inner);
    return inner;
}

// A bright band with polka dots round a rounded picture: the children's backs.
QRectF playFrame(QPainter& p, const QRectF& area, const QColor& band, const QColor& dots)
{
    p.fillRect(area, band);
    const double inset = 4.6;
    p.setPen(Qt::NoPen);
    p.setBrush(dots);
    const QRectF track = area.adjusted(inset / 2, inset / 2, -inset / 2, -inset / 2);
    const int across = 7, down = 10;
    for (int i = 0; i <= across; ++i) {
        p.drawEllipse(at(track, double(i) / across, 0), 1.15, 1.15);
        p.drawEllipse(at(track, double(i) / across, 1), 1.15, 1.15);
    }
    for (int i = 1; i < down; ++i) {
        p.drawEllipse(at(track, 0, double(i) / down), 1.15, 1.15);
        p.drawEllipse(at(track, 1, double(i) / down), 1.15, 1.15);
    }
    const QRectF inner = area.adjusted(inset, inset, -inset, -inset);
    QPainterPath round;
    round.addRoundedRect(inner, 3, 3);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 1.2));
    p.drawPath(round);
    p.setClipPath(round);
    return inner;
}

// A plain coloured band with a fine light line: the animal backs.
QRectF bandFrame(QPainter& p, const QRectF& area, const QColor& band, const QColor& line)
{
    p.fillRect(area, band);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(line, 0.6));
    p.drawRect(area.adjusted(1.4, 1.4, -1.4, -1.4));
    const QRectF inner = area.adjusted(3.2, 3.2, -3.2, -3.2);
    p.setPen(QPen(line, 0.5));
    p.drawRect(inner.adjusted(-0.25, -0.25, 0.25, 0.25));
    p.setClipRect(inner);
    return inner;
}

// A cream photo mount with a bevelled window: the landscapes.
QRectF mountFrame(QPainter& p, const QRectF& area)
{
    p.fillRect(area, QColor(236, 228, 208));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 100, 70), 0.6));
    p.drawRect(area.adjusted(0.9, 0.9, -0.9, -0.9));
    const QRectF inner = area.adjusted(4, 4, -4, -4);
    p.setPen(QPen(QColor(255, 252, 242), 1.0));
    p.drawRect(inner.adjusted(-0.7, -0.7, 0.7, 0.7));
    p.setPen(QPen(QColor(90, 80, 60), 0.5));
    p.drawRect(inner.adjusted(-0.2, -0.2, 0.2, 0.2));
    p.setClipRect(inner);
    return inner;
}

// --- Paintings ---

void boat(QPainter& p, const QRectF& area)
{
    const QRectF r = gildedFrame(p, area, QColor(96, 28, 36));
    fillGradient(p, r, {{0, QColor(120, 170, 220)}, {0.45, QColor(250, 214, 160)}, {0.58, QColor(255, 190, 120)}});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 236, 170));
    p.drawEllipse(at(r, 0.72, 0.5), 5, 5);
    cloud(p, at(r, 0.3, 0.2), 20, QColor(255, 250, 240), QColor(240, 200, 190));
    p.setBrush(QColor(110, 120, 150));
    p.drawPath(ridge(r, {{0, 0.55}, {0.1, 0.51}, {0.25, 0.545}, {0.35, 0.58}}, 0.58));
    QRectF sea = r;
    sea.setTop(at(r, 0, 0.58).y());
    fillGradient(p, sea, {{0, QColor(70, 120, 170)}, {1, QColor(20, 50, 100)}});
    // Glitter of the low sun on the water.
    p.setPen(QPen(QColor(255, 230, 170), 0.6, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 6; ++i) {
        const double y = 0.61 + i * 0.035, half = 0.03 + i * 0.012;
        p.drawLine(at(r, 0.72 - half, y), at(r, 0.72 + half, y));
    }
    p.setPen(QPen(QColor(150, 190, 220), 0.5, Qt::SolidLine, Qt::RoundCap));
    Rng rng{12};
    for (int i = 0; i < 14; ++i) {
        const QPointF c = at(r, rng.range(0.05, 0.95), rng.range(0.64, 0.97));
        p.drawLine(c, c + QPointF(rng.range(2, 4), 0));
    }
    // The sailing boat: hull, mast, mainsail, jib and pennant.
    const QPointF base = at(r, 0.4, 0.76);
    QPainterPath hull(base + QPointF(-13, -3));
    hull.lineTo(base + QPointF(13, -3.5));
    hull.quadTo(base + QPointF(10, 2), base + QPointF(6, 2.5));
    hull.lineTo(base + QPointF(-9, 2.5));
    hull.closeSubpath();
    p.setPen(QPen(QColor(50, 25, 15), 0.4));
    p.setBrush(QColor(120, 50, 30));
    p.drawPath(hull);
    p.fillRect(QRectF(base.x() - 12, base.y() - 3.2, 24.5, 1.1), QColor(230, 200, 120));
    p.setPen(QPen(QColor(60, 35, 20), 0.7));
    p.drawLine(base + QPointF(0, -3), base + QPointF(0, -34));
    QLinearGradient sail(base + QPointF(-12, 0), base + QPointF(0, 0));
    sail.setColorAt(0, QColor(255, 252, 240));
    sail.setColorAt(1, QColor(225, 215, 195));
    p.setPen(QPen(QColor(150, 130, 110), 0.35));
    p.setBrush(sail);
    QPainterPath main(base + QPointF(-0.6, -33));
    main.quadTo(base + QPointF(-8, -18), base + QPointF(-12, -5));
    main.lineTo(base + QPointF(-0.6, -5));
    main.closeSubpath();
    p.drawPath(main);
    QPainterPath jib(base + QPointF(0.6, -31));
    jib.quadTo(base + QPointF(7, -18), base + QPointF(11, -5.5));
    jib.lineTo(base + QPointF(0.6, -5.5));
    jib.closeSubpath();
    p.drawPath(jib);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 40, 40));
    p.drawPolygon(QPolygonF{base + QPointF(0, -34), base + QPointF(5, -33), base + QPointF(0, -32)});
    // Its reflection.
    p.setBrush(QColor(40, 30, 40, 90));
    p.drawRect(QRectF(base.x() - 9, base.y() + 2.5, 16, 2));
    gull(p, at(r, 0.2, 0.32), 4, QColor(80, 70, 80));
    gull(p, at(r, 0.3, 0.36), 3, QColor(80, 70, 80));
}

void magi(QPainter& p, const QRectF& area)
{
    const QRectF r = gildedFrame(p, area, QColor(30, 36, 80));
    fillGradient(p, r, {{0, QColor(8, 14, 48)}, {0.6, QColor(40, 50, 110)}, {0.8, QColor(110, 80, 120)}});
    Rng rng{2};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i) {
        p.setBrush(QColor(255, 255, 230, int(rng.range(120, 255))));
        p.drawEllipse(at(r, rng.range(0, 1), rng.range(0, 0.6)), 0.35, 0.35);
    }
    // The guiding star with its long rays and glow.
    const QPointF star = at(r, 0.68, 0.2);
    QRadialGradient glow(star, 12);
    glow.setColorAt(0, QColor(255, 250, 210, 200));
    glow.setColorAt(1, QColor(255, 250, 210, 0));
    p.setBrush(glow);
    p.drawEllipse(star, 12, 12);
    p.setBrush(QColor(255, 246, 200));
    p.drawPath(starPath(star, 11, 1.1, 4));
    p.drawPath(starPath(star, 4.5, 1.0, 4, -pi / 4));
    // Dunes and the three riders on their camels, dark against the sky.
    p.setBrush(QColor(140, 100, 90));
    p.drawPath(ridge(r, {{0, 0.74}, {0.3, 0.7}, {0.6, 0.76}, {0.85, 0.68}, {1, 0.7}}));
    p.setBrush(QColor(70, 45, 50));
    QPainterPath dune = rolling(r, 0.85, 0.035, 0.8, 0.15);
    p.drawPath(dune);
    const QColor shade(35, 22, 30);
    const double size = r.width() * 0.3;
    for (int i = 0; i < 3; ++i) {
        const QPointF c = at(r, 0.2 + i * 0.27, 0.8 - i * 0.012);
        emoji(p, QStringLiteral("\U0001F42B"), QRectF(c.x() - size / 2, c.y() - size * 0.85, size, size * 0.85), true, 0, shade);
        // The rider and his crown.
        const QPointF seat = c + QPointF(-size * 0.05, -size * 0.72);
        p.setBrush(shade);
        p.drawRoundedRect(QRectF(seat.x() - 1.4, seat.y() - 4.5, 2.8, 5), 1, 1);
        p.drawEllipse(seat + QPointF(0, -5.6), 1.3, 1.3);
        p.setBrush(QColor(240, 200, 80));
        p.drawPolygon(QPolygonF{seat + QPointF(-1.4, -6.6), seat + QPointF(-1.4, -8.6), seat + QPointF(-0.7, -7.4),
                                seat + QPointF(0, -8.9), seat + QPointF(0.7, -7.4), seat + QPointF(1.4, -8.6),
                                seat + QPointF(1.4, -6.6)});
    }
}

void africa(QPainter& p, const QRectF& area)
{
    const QRectF r = gildedFrame(p, area, QColor(70, 40, 20));
    fillGradient(p, r, {{0, QColor(200, 60, 40)}, {0.45, QColor(245, 140, 50)}, {0.72, QColor(255, 215, 120)}});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 236, 170));
    p.drawEllipse(at(r, 0.5, 0.64), 13, 13);
    const QColor shade(45, 22, 18);
    p.setBrush(shade);
    p.drawPath(rolling(r, 0.78, 0.012, 1.3, 0.3));
    // An acacia: a forked trunk under a flat umbrella crown.
    const QPointF root = at(r, 0.22, 0.8);
    p.setPen(QPen(shade, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(root, root + QPointF(1, -16));
    p.setPen(QPen(shade, 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(root + QPointF(1, -14), root + QPointF(-6, -24));
    p.drawLine(root + QPointF(1, -14), root + QPointF(8, -24));
    p.drawLine(root + QPointF(1, -16), root + QPointF(2, -25));
    p.setPen(Qt::NoPen);
    QPainterPath crown;
    crown.addEllipse(QRectF(root.x() - 14, root.y() - 28, 30, 5.5));
    crown.addEllipse(QRectF(root.x() - 9, root.y() - 30, 20, 5));
    crown.addEllipse(QRectF(root.x() - 4, root.y() - 26.5, 16, 4));
    crown.setFillRule(Qt::WindingFill);
    p.drawPath(crown.simplified());
    const double h = r.height() * 0.4;
    emoji(p, QStringLiteral("\U0001F992"), QRectF(at(r, 0.74, 0.81).x() - h / 2, at(r, 0, 0.81).y() - h, h, h), false, 0, shade);
    emoji(p, QStringLiteral("\U0001F418"), QRectF(at(r, 0.47, 0.8).x() - 7, at(r, 0, 0.8).y() - 9, 14, 9), false, 0, shade);
    for (int i = 0; i < 3; ++i)
        gull(p, at(r, 0.62 + i * 0.09, 0.18 + (i % 2) * 0.05), 3.2, shade);
}

void japaneseWoman(QPainter& p, const QRectF& area)
{
    const QRectF r = gildedFrame(p, area, QColor(30, 30, 34));
    fillGradient(p, r, {{0, QColor(248, 238, 214)}, {1, QColor(232, 214, 178)}});
    // A far snowy mountain over a band of mist.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 140, 170));
    p.drawPolygon(shape(r, {{0.5, 0.78}, {0.76, 0.55}, {0.84, 0.53}, {0.92, 0.55}, {1.15, 0.78}}));
    p.setBrush(QColor(250, 250, 252));
    p.drawPolygon(shape(r, {{0.71, 0.6}, {0.76, 0.55}, {0.84, 0.53}, {0.92, 0.55}, {0.97, 0.6}, {0.91, 0.58},
                            {0.86, 0.61}, {0.81, 0.58}, {0.76, 0.61}}));
    fillGradient(p, QRectF(at(r, 0, 0.7), at(r, 1, 0.8)), {{0, QColor(248, 238, 214, 0)}, {0.5, QColor(248, 238, 214)}, {1, QColor(240, 226, 196)}});
    p.fillRect(QRectF(at(r, 0, 0.8), at(r, 1, 1)), QColor(236, 222, 190));
    // A blossoming branch from the top-left corner.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(70, 45, 35), 1.1, Qt::SolidLine, Qt::RoundCap));
    QPainterPath branch(at(r, -0.05, 0.08));
    branch.quadTo(at(r, 0.2, 0.1), at(r, 0.4, 0.03));
    branch.moveTo(at(r, 0.15, 0.09));
    branch.quadTo(at(r, 0.25, 0.16), at(r, 0.28, 0.24));
    p.drawPath(branch);
    p.setPen(Qt::NoPen);
    const QPointF blossoms[] = {at(r, 0.1, 0.1), at(r, 0.28, 0.06), at(r, 0.38, 0.04), at(r, 0.22, 0.16),
                                at(r, 0.29, 0.25), at(r, 0.05, 0.04)};
    for (const QPointF& b : blossoms) {
        p.setBrush(QColor(250, 180, 200));
        for (int k = 0; k < 5; ++k) {
            const double a = k * 2 * pi / 5;
            p.drawEllipse(b + QPointF(1.1 * std::cos(a), 1.1 * std::sin(a)), 1.0, 1.0);
        }
        p.setBrush(QColor(230, 90, 120));
        p.drawEllipse(b, 0.5, 0.5);
    }
    const double cx = at(r, 0.44, 0).x(), top = r.top();
    // Her open parasol, seen from behind her shoulder: ribs from the hub to a scalloped rim.
    const QPointF hub(cx + 7, top + 18);
    const double reach = 15;
    QPainterPath canopy;
    for (int k = 0; k <= 16; ++k) {
        const double a = k * pi / 8;
        const QPointF tip = hub + QPointF(reach * std::cos(a), reach * std::sin(a));
        if (k == 0) {
            canopy.moveTo(tip);
            continue;
        }
        const double mid = a - pi / 16;
        canopy.quadTo(hub + QPointF(reach * 0.9 * std::cos(mid), reach * 0.9 * std::sin(mid)), tip);
    }
    QRadialGradient silk(hub, reach);
    silk.setColorAt(0, QColor(250, 230, 180));
    silk.setColorAt(0.25, QColor(240, 150, 80));
    silk.setColorAt(0.3, QColor(250, 240, 210));
    silk.setColorAt(0.36, QColor(220, 90, 60));
    silk.setColorAt(1, QColor(170, 50, 40));
    p.setPen(QPen(QColor(110, 30, 20), 0.35));
    p.setBrush(silk);
    p.drawPath(canopy);
    p.setPen(QPen(QColor(255, 230, 200, 150), 0.3));
    for (int k = 0; k < 16; ++k) {
        const double a = k * pi / 8;
        p.drawLine(hub, hub + QPointF(reach * std::cos(a), reach * std::sin(a)));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 50, 30));
    p.drawEllipse(hub, 0.9, 0.9);
    p.setPen(QPen(QColor(60, 40, 30), 0.6));
    p.drawLine(hub, QPointF(cx + 1.5, top + 46));
    // Long sleeves, robe and sash.
    const QColor robe(40, 60, 130), robeDark(28, 40, 95);
    p.setPen(QPen(QColor(15, 20, 50), 0.35));
    p.setBrush(robeDark);
    QPainterPath sleeves;
    sleeves.addRoundedRect(QRectF(cx - 13.5, top + 34, 8, 22), 2.5, 2.5);
    sleeves.addRoundedRect(QRectF(cx + 5.5, top + 34, 8, 22), 2.5, 2.5);
    p.drawPath(sleeves);
    QPainterPath body(QPointF(cx - 6.5, top + 32));
    body.lineTo(QPointF(cx + 6.5, top + 32));
    body.quadTo(QPointF(cx + 8, top + 55), QPointF(cx + 11, r.bottom() - 3));
    body.lineTo(QPointF(cx - 11, r.bottom() - 3));
    body.quadTo(QPointF(cx - 8, top + 55), QPointF(cx - 6.5, top + 32));
    p.setBrush(robe);
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 225, 235));
    Rng rng{16};
    for (int i = 0; i < 14; ++i) {
        const QPointF d(cx + rng.range(-8, 8), top + rng.range(50, 72));
        if (body.contains(d))
            p.drawEllipse(d, 0.7, 0.7);
    }
    p.setBrush(QColor(232, 180, 60));
    p.drawRect(QRectF(cx - 7, top + 41, 14, 5));
    p.setBrush(QColor(200, 40, 60));
    p.drawRect(QRectF(cx - 7, top + 43, 14, 0.9));
    // White collar crossing at the neck.
    p.setPen(QPen(QColor(250, 250, 245), 0.9));
    p.drawLine(QPointF(cx - 3.5, top + 32), QPointF(cx, top + 37));
    p.drawLine(QPointF(cx + 3.5, top + 32), QPointF(cx, top + 37));
    // Hands on the parasol handle.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 236, 224));
    p.drawEllipse(QPointF(cx + 2, top + 44), 1.4, 1.2);
    // Face and the tall dark hair with its comb and pin.
    p.setBrush(QColor(20, 16, 20));
    p.drawEllipse(QPointF(cx, top + 23), 6.4, 5.6);
    p.drawEllipse(QPointF(cx - 4.3, top + 17.5), 3.2, 2.8);
    p.drawEllipse(QPointF(cx + 4.3, top + 17.5), 3.2, 2.8);
    p.drawEllipse(QPointF(cx, top + 16.5), 3.4, 3.2);
    p.setBrush(QColor(252, 244, 236));
    p.drawEllipse(QPointF(cx, top + 26.2), 3.9, 4.6);
    p.fillRect(QRectF(cx - 1.6, top + 29.5, 3.2, 3), QColor(252, 244, 236));
    p.setBrush(QColor(200, 30, 40));
    p.drawEllipse(QPointF(cx, top + 28.9), 0.8, 0.45);
    p.setPen(QPen(QColor(30, 20, 20), 0.45));
    p.drawLine(QPointF(cx - 2.4, top + 25.9), QPointF(cx - 0.9, top + 26.2));
    p.drawLine(QPointF(cx + 0.9, top + 26.2), QPointF(cx + 2.4, top + 25.9));
    p.setPen(QPen(QColor(230, 180, 60), 0.6));
    p.drawLine(QPointF(cx - 9, top + 19.5), QPointF(cx - 3, top + 17.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 50, 80));
    p.drawEllipse(QPointF(cx + 5.8, top + 15.2), 1.3, 1.3);
}

// --- Children ---

void snowman(QPainter& p, const QRectF& area)
{
    const QRectF r = playFrame(p, area, QColor(40, 110, 200), QColor(255, 255, 255));
    fillGradient(p, r, {{0, QColor(120, 180, 240)}, {1, QColor(200, 230, 255)}});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 252, 255));
    p.drawPath(rolling(r, 0.8, 0.03, 0.7, 0.1));
    Rng rng{3};
    for (int i = 0; i < 26; ++i) {
        p.setBrush(QColor(255, 255, 255, 230));
        p.drawEllipse(at(r, rng.range(0, 1), rng.range(0, 0.8)), 0.8, 0.8);
    }
    emoji(p, QStringLiteral("\u26C4"), QRectF(at(r, 0.1, 0.2), at(r, 0.9, 0.9)));
}

void dragon(QPainter& p, const QRectF& area)
{
    const QRectF r = playFrame(p, area, QColor(200, 40, 40), QColor(255, 210, 60));
    QRadialGradient glow(at(r, 0.5, 0.5), r.height() * 0.7);
    glow.setColorAt(0, QColor(255, 250, 200));
    glow.setColorAt(1, QColor(250, 200, 90));
    p.fillRect(r, glow);
    p.setPen(Qt::NoPen);
    Rng rng{4};
    for (int i = 0; i < 12; ++i) {
        p.setBrush(QColor(255, 150, 60, 120));
        p.drawEllipse(at(r, rng.range(0, 1), rng.range(0, 1)), 1.5, 1.5);
    }
    emoji(p, QStringLiteral("\U0001F409"), QRectF(at(r, 0.04, 0.1), at(r, 0.96, 0.9)));
}

void childFlowers(QPainter& p, const QRectF& area)
{
    const QRectF r = playFrame(p, area, QColor(150, 60, 170), QColor(255, 220, 240));
    fillGradient(p, r, {{0, QColor(200, 230, 255)}, {0.6, QColor(255, 245, 250)}});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 200, 90));
    p.drawPath(rolling(r, 0.74, 0.03, 1.0, 0.0));
    const char16_t* const flowers[] = {u"\U0001F337", u"\U0001F33C", u"\U0001F338", u"\U0001F33B", u"\U0001F33A"};
    const QPointF places[] = {{0.25, 0.3}, {0.72, 0.26}, {0.5, 0.5}, {0.22, 0.7}, {0.76, 0.7}};
    const double size = r.width() * 0.42;
    int i = 0;
    for (const QPointF& f : places) {
        const QPointF c = at(r, f.x(), f.y());
        emoji(p, QString::fromUtf16(flowers[i++ % 5]), QRectF(c.x() - size / 2, c.y() - size / 2, size, size));
    }
    emoji(p, QStringLiteral("\U0001F98B"), QRectF(at(r, 0.4, 0.06), QSizeF(size * 0.45, size * 0.45)), false, -15);
}

void teddyBear(QPainter& p, const QRectF& area)
{
    const QRectF r = playFrame(p, area, QColor(230, 120, 40), QColor(255, 240, 200));
    p.fillRect(r, QColor(255, 246, 214));
    // Gingham cloth behind the bear.
    for (int i = -1; i < 12; ++i) {
        p.fillRect(QRectF(r.left() + i * 6, r.top(), 3, r.height()), QColor(250, 190, 160, 110));
        p.fillRect(QRectF(r.left(), r.top() + i * 6, r.width(), 3), QColor(250, 190, 160, 110));
    }
    emoji(p, QStringLiteral("\U0001F9F8"), QRectF(at(r, 0.06, 0.14), at(r, 0.94, 0.88)));
    emoji(p, QStringLiteral("\u2764\uFE0F"), QRectF(at(r, 0.72, 0.04), QSizeF(r.width() * 0.22, r.width() * 0.22)), false, 15);
    emoji(p, QStringLiteral("\u2764\uFE0F"), QRectF(at(r, 0.08, 0.84), QSizeF(r.width() * 0.16, r.width() * 0.16)), false, -15);
}

// --- Classics ---

// The traditional printed back: a fine diamond lattice in one colour round a central medallion.
// The lattice lines run through pixel centres, so they stay sharp at card size instead of blurring
// into a pale tint. Style 0 dots the diamonds, 1 doubles the lines, 2 sets a small diamond in each.
void classic(QPainter& p, const QRectF& area, const QColor& ink, int style)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 1.0));
    p.drawRect(area.adjusted(0.5, 0.5, -0.5, -0.5));
    const QRectF field = area.adjusted(2, 2, -2, -2);
    p.fillRect(field, ink);
    p.save();
    p.setClipRect(field);
    const QPointF c(std::floor(field.center().x()) + 0.5, std::floor(field.center().y()) + 0.5);
    const double step = style == 0 ? 4 : 6, reach = field.height();
    const QColor paper(255, 252, 244);
    const int n = int(reach / step) + 2;
    auto lattice = [&](double offset, double width) {
        p.setPen(QPen(paper, width));
        for (int k = -n; k <= n; ++k) {
            const QPointF o = c + QPointF(k * step + offset, 0);
            p.drawLine(o + QPointF(-reach, -reach), o + QPointF(reach, reach));
            p.drawLine(o + QPointF(-reach, reach), o + QPointF(reach, -reach));
        }
    };
    if (style == 1) {
        lattice(-1, 0.45);
        lattice(1, 0.45);
    } else {
        lattice(0, 0.55);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    for (int a = -2 * n; a <= 2 * n; ++a)
        for (int b = -2 * n; b <= 2 * n; ++b) {
            if ((a + b) % 2 == 0)
                continue; // a crossing of the lattice, not the middle of a diamond
            const QPointF point = c + QPointF(a * step / 2, b * step / 2);
            if (style == 2)
                p.drawPolygon(QPolygonF{point + QPointF(0, -1.5), point + QPointF(1.5, 0), point + QPointF(0, 1.5),
                                        point + QPointF(-1.5, 0)});
            else
                p.drawEllipse(point, style == 0 ? 0.5 : 0.65, style == 0 ? 0.5 : 0.65);
        }
    // A solid band inside the field edge, ruled with two fine lines.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 5));
    p.drawRect(field.adjusted(2.5, 2.5, -2.5, -2.5));
    p.setPen(QPen(paper, 0.6));
    p.drawRect(field.adjusted(1.5, 1.5, -1.5, -1.5));
    p.drawRect(field.adjusted(4.5, 4.5, -4.5, -4.5));
    // The medallion: an oval of solid colour, ringed, holding an eight-petalled rosette.
    const double rx = field.width() * 0.27, ry = field.height() * 0.23;
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(c, rx + 1.5, ry + 1.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(paper, 0.8));
    p.drawEllipse(c, rx, ry);
    p.setPen(QPen(paper, 0.4));
    p.drawEllipse(c, rx - 1.6, ry - 1.6);
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    for (int k = 0; k < 8; ++k) {
        p.save();
        p.translate(c);
        p.rotate(k * 45);
        const double length = (k % 2 ? 0.8 : 1.0) * (rx - 2.6);
        QPainterPath petal(QPointF(0, -1.2));
        petal.cubicTo(QPointF(2.6, -length * 0.4), QPointF(1.4, -length * 0.8), QPointF(0, -length));
        petal.cubicTo(QPointF(-1.4, -length * 0.8), QPointF(-2.6, -length * 0.4), QPointF(0, -1.2));
        p.drawPath(petal);
        p.restore();
    }
    for (int k = 0; k < 16; ++k) {
        const double a = k * pi / 8 + pi / 16;
        p.drawEllipse(c + QPointF((rx - 0.8) * std::cos(a), (ry - 0.8) * std::sin(a)), 0.35, 0.35);
    }
    p.setBrush(ink);
    p.drawEllipse(c, 1.6, 1.6);
    p.setBrush(paper);
    p.drawEllipse(c, 0.7, 0.7);
    p.restore();
}

void sun(QPainter& p, const QRectF& area)
{
    const QColor gold(230, 180, 60);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(20, 40, 110), 0.9));
    p.drawRect(area.adjusted(0.6, 0.6, -0.6, -0.6));
    const QRectF field = area.adjusted(2.4, 2.4, -2.4, -2.4);
    QRadialGradient sky(field.center(), field.height() * 0.6);
    sky.setColorAt(0, QColor(50, 90, 180));
    sky.setColorAt(1, QColor(16, 32, 100));
    p.fillRect(field, sky);
    p.save();
    p.setClipRect(field);
    const QPointF c = field.center();
    p.setPen(QPen(QColor(120, 150, 220, 90), 0.4));
    for (int k = -30; k <= 30; ++k) {
        const QPointF o = c + QPointF(k * 4.4, 0);
        p.drawLine(o + QPointF(-100, -100), o + QPointF(100, 100));
        p.drawLine(o + QPointF(-100, 100), o + QPointF(100, -100));
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(gold, 0.6));
    p.drawRect(field.adjusted(1.3, 1.3, -1.3, -1.3));
    p.setPen(QPen(gold, 0.3));
    p.drawRect(field.adjusted(2.4, 2.4, -2.4, -2.4));
    // Rays, long and short in turn, then the face.
    p.setPen(QPen(QColor(170, 90, 10), 0.3));
    for (int k = 0; k < 24; ++k) {
        const double a = k * pi / 12, length = k % 2 ? 19 : 26, half = k % 2 ? 0.1 : 0.13;
        QLinearGradient ray(c, c + QPointF(length * std::cos(a), length * std::sin(a)));
        ray.setColorAt(0, QColor(255, 220, 90));
        ray.setColorAt(1, k % 2 ? QColor(250, 150, 40) : QColor(255, 240, 150));
        p.setBrush(ray);
        p.drawPolygon(QPolygonF{c + QPointF(12 * std::cos(a - half), 12 * std::sin(a - half)),
                                c + QPointF(length * std::cos(a), length * std::sin(a)),
                                c + QPointF(12 * std::cos(a + half), 12 * std::sin(a + half))});
    }
    QRadialGradient disc(c - QPointF(3, 3), 15);
    disc.setColorAt(0, QColor(255, 245, 170));
    disc.setColorAt(1, QColor(240, 150, 30));
    p.setBrush(disc);
    p.setPen(QPen(QColor(170, 90, 10), 0.5));
    p.drawEllipse(c, 12.5, 12.5);
    const QColor feature(150, 70, 10);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(feature, 0.8, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(c.x() - 6.5, c.y() - 4.5, 4.5, 3), 20 * 16, 140 * 16);
    p.drawArc(QRectF(c.x() + 2, c.y() - 4.5, 4.5, 3), 20 * 16, 140 * 16);
    p.drawArc(QRectF(c.x() - 5, c.y() - 1, 10, 7), 200 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(feature);
    p.drawEllipse(c + QPointF(-4.2, -1.8), 0.8, 0.8);
    p.drawEllipse(c + QPointF(4.2, -1.8), 0.8, 0.8);
    p.setBrush(QColor(240, 90, 60, 110));
    p.drawEllipse(c + QPointF(-6.5, 2.2), 2, 1.4);
    p.drawEllipse(c + QPointF(6.5, 2.2), 2, 1.4);
    p.restore();
}

// --- Geometric ---

// One piece of a strand across a crossing cell, rounded by light across its width.
void strandPiece(QPainter& p, const QRectF& piece, bool horizontal, const QColor& colour)
{
    QLinearGradient g(horizontal ? piece.topLeft() : piece.topLeft(), horizontal ? piece.bottomLeft() : piece.topRight());
    g.setColorAt(0, colour.darker(150));
    g.setColorAt(0.35, colour.lighter(125));
    g.setColorAt(0.6, colour);
    g.setColorAt(1, colour.darker(170));
    p.setPen(Qt::NoPen);
    p.fillRect(piece, g);
    p.setPen(QPen(colour.darker(260), 0.3));
    if (horizontal) {
        p.drawLine(piece.topLeft(), piece.topRight());
        p.drawLine(piece.bottomLeft(), piece.bottomRight());
    } else {
        p.drawLine(piece.topLeft(), piece.bottomLeft());
        p.drawLine(piece.topRight(), piece.bottomRight());
    }
}

// Strands woven over and under each other, turned by angle (degrees); the strand colours repeat
// along each direction.
void weave(QPainter& p, const QRectF& field, double pitch, double width, double angle, const QColor& gap,
           const std::vector<QColor>& across, const std::vector<QColor>& down)
{
    p.save();
    p.setClipRect(field, Qt::IntersectClip);
    p.fillRect(field, gap);
    p.translate(field.center());
    p.rotate(angle);
    const int n = int(std::hypot(field.width(), field.height()) / 2 / pitch) + 2;
    for (int i = -n; i <= n; ++i)
        for (int j = -n; j <= n; ++j) {
            const QPointF c(i * pitch, j * pitch);
            const QRectF cell(c.x() - pitch / 2, c.y() - pitch / 2, pitch, pitch);
            const QRectF flat(cell.left(), c.y() - width / 2, pitch, width);
            const QRectF upright(c.x() - width / 2, cell.top(), width, pitch);
            const QColor flatColour = across[std::size_t(((j % int(across.size())) + int(across.size())) % int(across.size()))];
            const QColor uprightColour = down[std::size_t(((i % int(down.size())) + int(down.size())) % int(down.size()))];
            const bool uprightOver = ((i + j) % 2 + 2) % 2 == 0;
            p.save();
            p.setClipRect(cell, Qt::IntersectClip);
            const double shadow = width * 0.14;
            if (uprightOver) {
                strandPiece(p, flat, true, flatColour);
                p.fillRect(upright.adjusted(-shadow, 0, shadow, 0), QColor(0, 0, 0, 90));
                strandPiece(p, upright, false, uprightColour);
            } else {
                strandPiece(p, upright, false, uprightColour);
                p.fillRect(flat.adjusted(0, -shadow, 0, shadow), QColor(0, 0, 0, 90));
                strandPiece(p, flat, true, flatColour);
            }
            p.restore();
        }
    p.restore();
}

// Plaiting 2 is the back of the small cards too, so it scales its strands to the card.
void plaitingDiagonal(QPainter& p, const QRectF& area)
{
    const bool small = area.width() < 30;
    const QColor frame(70, 30, 20);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(frame, small ? 0.8 : 1.0));
    p.drawRect(area.adjusted(0.5, 0.5, -0.5, -0.5));
    const QRectF field = area.adjusted(small ? 1 : 2.4, small ? 1 : 2.4, small ? -1 : -2.4, small ? -1 : -2.4);
    const double pitch = small ? 5.2 : 7.0;
    weave(p, field, pitch, pitch * 0.78, 45, QColor(50, 24, 16), {QColor(232, 178, 64)}, {QColor(170, 50, 40)});
    if (!small) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(frame, 1.2));
        p.drawRect(field.adjusted(0.6, 0.6, -0.6, -0.6));
        p.setPen(QPen(QColor(232, 178, 64), 0.4));
        p.drawRect(field.adjusted(1.4, 1.4, -1.4, -1.4));
    }
}

void plaitingStraight(QPainter& p, const QRectF& area)
{
    const QColor frame(20, 40, 70);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(frame, 1.0));
    p.drawRect(area.adjusted(0.5, 0.5, -0.5, -0.5));
    const QRectF field = area.adjusted(2.4, 2.4, -2.4, -2.4);
    const QColor teal(40, 150, 160), cream(240, 228, 190), navy(30, 70, 140);
    weave(p, field, 6.2, 4.8, 0, QColor(16, 26, 50), {teal, cream}, {cream, navy});
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(frame, 1.2));
    p.drawRect(field.adjusted(0.6, 0.6, -0.6, -0.6));
    p.setPen(QPen(cream, 0.4));
    p.drawRect(field.adjusted(1.4, 1.4, -1.4, -1.4));
}

void stars(QPainter& p, const QRectF& area)
{
    const QColor gold(240, 200, 90);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(16, 20, 60), 1.0));
    p.drawRect(area.adjusted(0.5, 0.5, -0.5, -0.5));
    const QRectF field = area.adjusted(2.2, 2.2, -2.2, -2.2);
    QRadialGradient night(field.center(), field.height() * 0.65);
    night.setColorAt(0, QColor(40, 50, 130));
    night.setColorAt(1, QColor(12, 16, 60));
    p.fillRect(field, night);
    p.save();
    p.setClipRect(field);
    const QPointF c = field.center();
    const double dx = 8.4, dy = 8.4;
    p.setPen(Qt::NoPen);
    for (int row = -7; row <= 7; ++row)
        for (int col = -6; col <= 6; ++col) {
            const QPointF point = c + QPointF(col * dx + (row % 2 ? dx / 2 : 0), row * dy);
            if (std::hypot((point.x() - c.x()) / 1.0, (point.y() - c.y()) / 1.15) < 19)
                continue;
            if (row % 2 == 0) {
                p.setBrush(gold);
                p.drawPath(starPath(point, 2.6, 1.05, 5));
            } else {
                p.setBrush(QColor(210, 220, 255));
                p.drawPath(starPath(point, 1.6, 0.45, 4));
            }
        }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(gold, 0.6));
    p.drawRect(field.adjusted(1.2, 1.2, -1.2, -1.2));
    p.setPen(QPen(gold, 0.7));
    p.drawEllipse(c, 15, 15);
    p.setPen(QPen(gold, 0.35));
    p.drawEllipse(c, 13.6, 13.6);
    QRadialGradient shine(c, 12);
    shine.setColorAt(0, QColor(255, 250, 210));
    shine.setColorAt(1, QColor(230, 170, 50));
    p.setBrush(shine);
    p.setPen(QPen(QColor(150, 100, 20), 0.35));
    p.drawPath(starPath(c, 12.5, 5.0, 5));
    p.setBrush(QColor(255, 240, 180));
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 8; ++k) {
        const double a = k * pi / 4 + pi / 8;
        p.drawPath(starPath(c + QPointF(15 * std::cos(a), 15 * std::sin(a)), 1.4, 0.4, 4));
    }
    p.restore();
}

// --- Flowers ---

void flower(QPainter& p, const QRectF& area)
{
    const QColor green(36, 90, 52);
    p.fillRect(area, green);
    const QRectF r = area.adjusted(3, 3, -3, -3);
    QRadialGradient light(at(r, 0.5, 0.4), r.height() * 0.7);
    light.setColorAt(0, QColor(250, 252, 236));
    light.setColorAt(1, QColor(196, 222, 170));
    p.fillRect(r, light);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(220, 190, 100), 0.5));
    p.drawRect(r.adjusted(0.7, 0.7, -0.7, -0.7));
    p.setPen(QPen(QColor(240, 240, 220), 0.4));
    p.drawRect(area.adjusted(1.2, 1.2, -1.2, -1.2));
    const QPointF head = at(r, 0.5, 0.38);
    // Stem and leaves.
    p.setPen(QPen(QColor(60, 120, 50), 1.5, Qt::SolidLine, Qt::RoundCap));
    QPainterPath stem(at(r, 0.5, 1.0));
    stem.cubicTo(at(r, 0.4, 0.8), at(r, 0.6, 0.62), head);
    p.drawPath(stem);
    auto leaf = [&](QPointF from, QPointF to, double bulge) {
        const QPointF mid = (from + to) / 2, d = to - from, normal(-d.y(), d.x());
        QPainterPath path(from);
        path.quadTo(mid + normal * bulge, to);
        path.quadTo(mid - normal * bulge, from);
        QLinearGradient g(from, to);
        g.setColorAt(0, QColor(50, 110, 50));
        g.setColorAt(1, QColor(120, 180, 80));
        p.setBrush(g);
        p.setPen(QPen(QColor(40, 90, 40), 0.3));
        p.drawPath(path);
        p.drawLine(from, to);
    };
    leaf(at(r, 0.47, 0.78), at(r, 0.15, 0.66), 0.3);
    leaf(at(r, 0.5, 0.7), at(r, 0.86, 0.6), 0.3);
    // Two rings of petals and the seeded heart.
    auto petals = [&](int count, double length, double widthRatio, double turn, const QColor& tip, const QColor& base) {
        for (int k = 0; k < count; ++k) {
            p.save();
            p.translate(head);
            p.rotate(turn + k * 360.0 / count);
            QPainterPath petal(QPointF(0, 0));
            petal.cubicTo(QPointF(length * widthRatio, -length * 0.3), QPointF(length * widthRatio * 0.8, -length), QPointF(0, -length));
            petal.cubicTo(QPointF(-length * widthRatio * 0.8, -length), QPointF(-length * widthRatio, -length * 0.3), QPointF(0, 0));
            QLinearGradient g(QPointF(0, 0), QPointF(0, -length));
            g.setColorAt(0, base);
            g.setColorAt(1, tip);
            p.setBrush(g);
            p.setPen(QPen(base.darker(140), 0.3));
            p.drawPath(petal);
            p.restore();
        }
    };
    petals(10, 16, 0.42, 0, QColor(255, 200, 225), QColor(200, 40, 110));
    petals(10, 10, 0.42, 18, QColor(255, 230, 240), QColor(220, 70, 130));
    QRadialGradient heart(head - QPointF(1, 1), 4.5);
    heart.setColorAt(0, QColor(255, 230, 110));
    heart.setColorAt(1, QColor(220, 140, 20));
    p.setBrush(heart);
    p.setPen(Qt::NoPen);
    p.drawEllipse(head, 4, 4);
    p.setBrush(QColor(130, 70, 10));
    for (int k = 0; k < 10; ++k) {
        const double a = k * pi / 5;
        p.drawEllipse(head + QPointF(2.6 * std::cos(a), 2.6 * std::sin(a)), 0.4, 0.4);
    }
}

void roses(QPainter& p, const QRectF& area)
{
    const QColor wine(130, 18, 40);
    p.fillRect(area, wine);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(230, 190, 110), 0.5));
    p.drawRect(area.adjusted(1.2, 1.2, -1.2, -1.2));
    const QRectF r = area.adjusted(3, 3, -3, -3);
    p.fillRect(r, QColor(252, 244, 230));
    p.save();
    p.setClipRect(r);
    // A garden trellis behind the bouquet.
    p.setPen(QPen(QColor(150, 190, 140, 140), 0.5));
    for (int k = -20; k <= 20; ++k) {
        const QPointF o = r.center() + QPointF(k * 7, 0);
        p.drawLine(o + QPointF(-100, -100), o + QPointF(100, 100));
        p.drawLine(o + QPointF(-100, 100), o + QPointF(100, -100));
    }
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(200, 160, 80), 0.6));
    p.drawRect(r.adjusted(0.4, 0.4, -0.4, -0.4));
    // Three roses on long stems gathered by a ribbon; the stems are drawn, the blooms come from
    // the emoji font, whose rose has only a short stem of its own.
    const QString rose = QStringLiteral("\U0001F339");
    const QPointF tie = at(r, 0.5, 0.8);
    struct Bloom {
        QPointF place;
        double turn;
    };
    const Bloom blooms[] = {{{0.29, 0.45}, -22}, {{0.71, 0.45}, 22}, {{0.5, 0.31}, 0}};
    const double w = r.width() * 0.4, h = w * 1.3;
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(50, 120, 50), 1.2, Qt::SolidLine, Qt::RoundCap));
    for (const Bloom& bloom : blooms) {
        const QPointF head = at(r, bloom.place.x(), bloom.place.y());
        const QPointF foot = head + QPointF(h * 0.4 * std::sin(bloom.turn * pi / 180), h * 0.4 * std::cos(bloom.turn * pi / 180));
        QPainterPath stem(foot);
        stem.quadTo(QPointF((foot.x() + tie.x()) / 2, foot.y() * 0.3 + tie.y() * 0.7), tie);
        stem.lineTo(tie + (tie - foot) * 0.25);
        p.drawPath(stem);
    }
    for (const Bloom& bloom : blooms) {
        const QPointF head = at(r, bloom.place.x(), bloom.place.y());
        p.save();
        p.translate(head);
        p.rotate(bloom.turn);
        emoji(p, rose, QRectF(-w / 2, -h / 2, w, h));
        p.restore();
    }
    emoji(p, QStringLiteral("\U0001F380"), QRectF(tie - QPointF(7, 5), QSizeF(14, 10)));
}

// --- Animals ---

void eagle(QPainter& p, const QRectF& area)
{
    const QRectF r = bandFrame(p, area, QColor(70, 50, 30), QColor(220, 190, 120));
    fillGradient(p, r, {{0, QColor(60, 120, 200)}, {1, QColor(200, 225, 245)}});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(140, 160, 190));
    p.drawPath(ridge(r, {{0, 0.82}, {0.2, 0.68}, {0.35, 0.78}, {0.55, 0.64}, {0.8, 0.8}, {1, 0.72}}));
    p.setBrush(QColor(250, 252, 255));
    p.drawPolygon(shape(r, {{0.15, 0.72}, {0.2, 0.68}, {0.25, 0.72}, {0.2, 0.705}}));
    p.drawPolygon(shape(r, {{0.49, 0.69}, {0.55, 0.64}, {0.61, 0.69}, {0.56, 0.675}, {0.53, 0.69}}));
    cloud(p, at(r, 0.25, 0.15), 16, Qt::white, QColor(210, 225, 240));
    emoji(p, QStringLiteral("\U0001F985"), QRectF(at(r, 0.04, 0.16), at(r, 0.96, 0.8)));
}

void horse(QPainter& p, const QRectF& area)
{
    const QRectF r = bandFrame(p, area, QColor(40, 80, 40), QColor(230, 220, 150));
    fillGradient(p, r, {{0, QColor(110, 170, 230)}, {0.6, QColor(220, 235, 245)}});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 170, 80));
    p.drawPath(rolling(r, 0.6, 0.03, 0.8, 0.2));
    p.setBrush(QColor(80, 140, 50));
    p.drawPath(rolling(r, 0.72, 0.02, 1.2, 0.6));
    // A fence across the meadow.
    p.setPen(QPen(QColor(240, 235, 220), 0.8));
    p.drawLine(at(r, 0, 0.66), at(r, 1, 0.62));
    p.drawLine(at(r, 0, 0.7), at(r, 1, 0.66));
    for (int k = 0; k < 7; ++k)
        p.drawLine(at(r, k / 6.0, 0.64 - k * 0.006), at(r, k / 6.0, 0.73 - k * 0.006));
    emoji(p, QStringLiteral("\U0001F40E"), QRectF(at(r, 0.03, 0.32), at(r, 0.97, 0.9)));
}

void penguin(QPainter& p, const QRectF& area)
{
    const QRectF r = bandFrame(p, area, QColor(20, 40, 70), QColor(170, 210, 240));
    fillGradient(p, r, {{0, QColor(10, 20, 60)}, {0.5, QColor(20, 70, 100)}, {0.75, QColor(60, 130, 150)}});
    // Northern lights over the ice.
    for (int band = 0; band < 2; ++band) {
        QPainterPath curtain(at(r, 0, 0.3 + band * 0.12));
        curtain.cubicTo(at(r, 0.3, 0.1 + band * 0.1), at(r, 0.6, 0.45 + band * 0.05), at(r, 1, 0.2 + band * 0.1));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(90, 250, 160, 70 - band * 20), 6 - band * 2, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(curtain);
    }
    Rng rng{24};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 24; ++i) {
        p.setBrush(QColor(255, 255, 255, int(rng.range(120, 240))));
        p.drawEllipse(at(r, rng.range(0, 1), rng.range(0, 0.5)), 0.35, 0.35);
    }
    QLinearGradient ice(at(r, 0, 0.72), at(r, 0, 1));
    ice.setColorAt(0, QColor(245, 250, 255));
    ice.setColorAt(1, QColor(170, 210, 235));
    p.setBrush(ice);
    p.drawPath(ridge(r, {{0, 0.78}, {0.12, 0.72}, {0.3, 0.74}, {0.62, 0.71}, {0.85, 0.75}, {1, 0.73}}));
    p.setBrush(QColor(190, 225, 245));
    p.drawPath(ridge(r, {{0.7, 0.73}, {0.78, 0.62}, {0.86, 0.66}, {0.94, 0.6}, {1, 0.63}}, 0.76));
    emoji(p, QStringLiteral("\U0001F427"), QRectF(at(r, 0.1, 0.28), at(r, 0.82, 0.86)));
}

void tropicalFish(QPainter& p, const QRectF& area)
{
    const QRectF r = bandFrame(p, area, QColor(10, 60, 90), QColor(120, 220, 230));
    fillGradient(p, r, {{0, QColor(80, 210, 220)}, {0.5, QColor(20, 130, 180)}, {1, QColor(10, 50, 110)}});
    // Light shafts from the surface.
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 4; ++k) {
        QLinearGradient shaft(at(r, 0, 0), at(r, 0, 0.8));
        shaft.setColorAt(0, QColor(255, 255, 255, 70));
        shaft.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(shaft);
        const double x = 0.1 + k * 0.25;
        p.drawPolygon(QPolygonF{at(r, x, 0), at(r, x + 0.08, 0), at(r, x - 0.05, 0.8), at(r, x - 0.2, 0.8)});
    }
    // Sea grass and coral on the sand.
    p.setBrush(QColor(220, 200, 140));
    p.drawPath(rolling(r, 0.92, 0.02, 1.0, 0.3));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 150, 80), 1.4, Qt::SolidLine, Qt::RoundCap));
    for (int k = 0; k < 4; ++k) {
        const QPointF foot = at(r, 0.06 + k * 0.05, 0.95);
        QPainterPath blade(foot);
        blade.cubicTo(foot + QPointF(-3, -8), foot + QPointF(3, -14), foot + QPointF(-1 + k, -20 - k * 3));
        p.drawPath(blade);
    }
    p.setPen(QPen(QColor(240, 110, 100), 1.3, Qt::SolidLine, Qt::RoundCap));
    const QPointF coral = at(r, 0.82, 0.95);
    p.drawLine(coral, coral + QPointF(0, -10));
    p.drawLine(coral + QPointF(0, -5), coral + QPointF(-4, -11));
    p.drawLine(coral + QPointF(0, -6), coral + QPointF(4, -12));
    p.drawLine(coral + QPointF(-2, -8), coral + QPointF(-3, -14));
    p.setPen(QPen(QColor(230, 250, 255, 200), 0.4));
    p.setBrush(QColor(255, 255, 255, 50));
    Rng rng{19};
    for (int i = 0; i < 7; ++i) {
        const double radius = rng.range(0.6, 1.5);
        p.drawEllipse(at(r, 0.72 + rng.range(-0.05, 0.08), 0.1 + i * 0.05), radius, radius);
    }
    emoji(p, QStringLiteral("\U0001F420"), QRectF(at(r, 0.06, 0.22), at(r, 0.94, 0.7)));
    emoji(p, QStringLiteral("\U0001F41F"), QRectF(at(r, 0.5, 0.7), QSizeF(r.width() * 0.25, r.width() * 0.2)), true);
}

// --- Nature ---

void lake(QPainter& p, const QRectF& area)
{
    const QRectF r = mountFrame(p, area);
    fillGradient(p, r, {{0, QColor(110, 170, 225)}, {0.5, QColor(225, 238, 245)}});
    p.setPen(Qt::NoPen);
    const auto far = ridge(r, {{0, 0.42}, {0.22, 0.24}, {0.38, 0.38}, {0.6, 0.2}, {0.82, 0.36}, {1, 0.3}}, 0.5);
    p.setBrush(QColor(120, 140, 180));
    p.drawPath(far);
    p.setBrush(Qt::white);
    p.drawPolygon(shape(r, {{0.15, 0.29}, {0.22, 0.24}, {0.29, 0.29}, {0.24, 0.28}, {0.2, 0.3}}));
    p.drawPolygon(shape(r, {{0.52, 0.26}, {0.6, 0.2}, {0.68, 0.26}, {0.62, 0.25}, {0.57, 0.27}}));
    p.setBrush(QColor(60, 110, 70));
    p.drawPath(rolling(r, 0.47, 0.01, 1.5, 0));
    QRectF water = r;
    water.setTop(at(r, 0, 0.5).y());
    fillGradient(p, water, {{0, QColor(90, 150, 200)}, {1, QColor(40, 90, 150)}});
    // Mirror image of the mountains, dimmed by the water.
    p.save();
    p.setClipRect(water);
    p.translate(0, 2 * water.top());
    p.scale(1, -1);
    p.setBrush(QColor(90, 110, 150, 130));
    p.drawPath(far);
    p.restore();
    p.setPen(QPen(QColor(220, 235, 250, 160), 0.4));
    Rng rng{20};
    for (int i = 0; i < 14; ++i) {
        const QPointF c = at(r, rng.range(0, 1), rng.range(0.53, 0.85));
        p.drawLine(c, c + QPointF(rng.range(2, 5), 0));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 140, 70));
    p.drawPath(ridge(r, {{0, 0.82}, {0.3, 0.86}, {0.55, 0.92}, {0.8, 0.9}, {1, 0.86}}));
    for (int k = 0; k < 5; ++k)
        fir(p, at(r, 0.06 + k * 0.07, 0.86 + k * 0.01), 14 - k * 1.2, QColor(30, 80 + k * 6, 50));
    fir(p, at(r, 0.9, 0.9), 12, QColor(30, 85, 50));
}

void clouds(QPainter& p, const QRectF& area)
{
    const QRectF r = mountFrame(p, area);
    fillGradient(p, r, {{0, QColor(40, 100, 190)}, {0.7, QColor(130, 190, 240)}, {1, QColor(200, 230, 250)}});
    const QColor shade(190, 205, 228);
    cloud(p, at(r, 0.3, 0.22), 30, Qt::white, shade);
    cloud(p, at(r, 0.75, 0.4), 26, Qt::white, shade);
    cloud(p, at(r, 0.35, 0.6), 36, Qt::white, shade);
    cloud(p, at(r, 0.8, 0.78), 22, Qt::white, shade);
    cloud(p, at(r, 0.15, 0.88), 20, Qt::white, shade);
    gull(p, at(r, 0.7, 0.17), 4, QColor(50, 60, 90));
    gull(p, at(r, 0.8, 0.22), 3, QColor(50, 60, 90));
}

void sea(QPainter& p, const QRectF& area)
{
    const QRectF r = mountFrame(p, area);
    fillGradient(p, r, {{0, QColor(150, 200, 240)}, {0.42, QColor(240, 245, 240)}});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 250, 210));
    p.drawEllipse(at(r, 0.7, 0.22), 6, 6);
    QRectF water = r;
    water.setTop(at(r, 0, 0.42).y());
    fillGradient(p, water, {{0, QColor(60, 140, 180)}, {1, QColor(10, 60, 110)}});
    // Rows of scalloped waves, larger and further apart towards the viewer, each lit at its crest
    // and deepening below it.
    for (int row = 0; row < 7; ++row) {
        const double y = at(r, 0, 0.47 + 0.075 * row + 0.004 * row * row).y();
        const double length = 5 + 2.4 * row, height = 1.0 + 0.6 * row;
        const double start = r.left() - length * (row % 2 ? 0.5 : 1.0);
        QPainterPath crest(QPointF(start, y));
        for (double x = start; x < r.right() + length; x += length)
            crest.quadTo(QPointF(x + length / 2, y - 2 * height), QPointF(x + length, y));
        QPainterPath swell = crest;
        swell.lineTo(QPointF(r.right() + 2 * length, r.bottom() + 1));
        swell.lineTo(QPointF(start, r.bottom() + 1));
        swell.closeSubpath();
        QLinearGradient deep(QPointF(0, y - height), QPointF(0, y + 5 + 2 * row));
        deep.setColorAt(0, mix(QColor(90, 170, 200), QColor(50, 140, 180), row / 6.0));
        deep.setColorAt(1, mix(QColor(30, 100, 150), QColor(10, 55, 105), row / 6.0));
        p.setPen(Qt::NoPen);
        p.setBrush(deep);
        p.drawPath(swell);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(240, 250, 255, 220), 0.35 + row * 0.1, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(crest);
    }
    // Glitter of the sun on the far water.
    p.setPen(QPen(QColor(255, 250, 220, 200), 0.5, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 4; ++i) {
        const double fy = 0.445 + i * 0.025, half = 0.02 + i * 0.015;
        p.drawLine(at(r, 0.7 - half, fy), at(r, 0.7 + half, fy));
    }
    gull(p, at(r, 0.25, 0.2), 5, QColor(60, 60, 70));
    gull(p, at(r, 0.4, 0.28), 4, QColor(60, 60, 70));
    gull(p, at(r, 0.18, 0.33), 3, QColor(60, 60, 70));
}

void mountainsDay(QPainter& p, const QRectF& area)
{
    const QRectF r = mountFrame(p, area);
    fillGradient(p, r, {{0, QColor(40, 110, 200)}, {0.55, QColor(190, 220, 245)}});
    p.setPen(Qt::NoPen);
    QLinearGradient rock(at(r, 0, 0.15), at(r, 0, 0.7));
    rock.setColorAt(0, QColor(110, 110, 130));
    rock.setColorAt(1, QColor(70, 75, 90));
    p.setBrush(rock);
    p.drawPath(ridge(r, {{0, 0.5}, {0.18, 0.3}, {0.3, 0.4}, {0.5, 0.14}, {0.7, 0.38}, {0.82, 0.28}, {1, 0.46}}, 0.8));
    // Snow caps, and the shadowed side of each peak.
    p.setBrush(QColor(250, 252, 255));
    p.drawPolygon(shape(r, {{0.11, 0.38}, {0.18, 0.3}, {0.24, 0.35}, {0.21, 0.37}, {0.17, 0.35}}));
    p.drawPolygon(shape(r, {{0.38, 0.29}, {0.5, 0.14}, {0.6, 0.26}, {0.55, 0.25}, {0.5, 0.29}, {0.45, 0.26}}));
    p.drawPolygon(shape(r, {{0.76, 0.34}, {0.82, 0.28}, {0.88, 0.33}, {0.84, 0.32}}));
    p.setBrush(QColor(30, 30, 50, 60));
    p.drawPolygon(QPolygonF{at(r, 0.5, 0.14), at(r, 0.7, 0.38), at(r, 0.6, 0.6), at(r, 0.52, 0.4)});
    p.drawPolygon(QPolygonF{at(r, 0.18, 0.3), at(r, 0.3, 0.4), at(r, 0.24, 0.6)});
    p.setBrush(QColor(100, 160, 70));
    p.drawPath(rolling(r, 0.66, 0.02, 1.2, 0.1));
    p.setBrush(QColor(70, 130, 50));
    p.drawPath(rolling(r, 0.8, 0.025, 0.9, 0.5));
    for (int k = 0; k < 4; ++k)
        fir(p, at(r, 0.62 + k * 0.09, 0.84 + (k % 2) * 0.03), 16 - k * 1.5, QColor(25, 75, 45));
    fir(p, at(r, 0.14, 0.86), 15, QColor(25, 75, 45));
}

void mountainsDusk(QPainter& p, const QRectF& area)
{
    const QRectF r = mountFrame(p, area);
    fillGradient(p, r, {{0, QColor(80, 60, 140)}, {0.45, QColor(240, 130, 120)}, {0.65, QColor(255, 210, 150)}});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 240, 200));
    p.drawEllipse(at(r, 0.62, 0.36), 8, 8);
    // Ranges one behind another, darker and bluer towards the viewer.
    const QColor far(200, 120, 150), near(40, 20, 60);
    const std::initializer_list<QPointF> ranges[] = {
        {{0, 0.42}, {0.15, 0.36}, {0.3, 0.44}, {0.45, 0.33}, {0.7, 0.46}, {0.85, 0.38}, {1, 0.44}},
        {{0, 0.52}, {0.2, 0.44}, {0.38, 0.56}, {0.58, 0.46}, {0.8, 0.56}, {1, 0.48}},
        {{0, 0.62}, {0.12, 0.58}, {0.3, 0.66}, {0.55, 0.56}, {0.75, 0.66}, {1, 0.6}},
        {{0, 0.76}, {0.25, 0.68}, {0.5, 0.78}, {0.7, 0.72}, {1, 0.8}},
    };
    int k = 0;
    for (const auto& points : ranges) {
        p.setBrush(mix(far, near, k++ / 3.0));
        p.drawPath(ridge(r, points));
    }
    for (int i = 0; i < 3; ++i)
        gull(p, at(r, 0.25 + i * 0.1, 0.2 + (i % 2) * 0.04), 3.5, QColor(60, 30, 60));
}

void hills(QPainter& p, const QRectF& area)
{
    const QRectF r = mountFrame(p, area);
    fillGradient(p, r, {{0, QColor(90, 160, 230)}, {0.5, QColor(230, 240, 235)}});
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 240, 160));
    p.drawEllipse(at(r, 0.78, 0.14), 5, 5);
    cloud(p, at(r, 0.3, 0.2), 18, Qt::white, QColor(215, 225, 235));
    const QColor greens[] = {QColor(150, 190, 110), QColor(110, 170, 80), QColor(80, 145, 60), QColor(55, 120, 45)};
    const double bases[] = {0.45, 0.57, 0.7, 0.84}, phases[] = {0.1, 0.55, 0.2, 0.7};
    for (int k = 0; k < 4; ++k) {
        p.setBrush(greens[k]);
        p.drawPath(rolling(r, bases[k], 0.05, 0.9 + k * 0.2, phases[k]));
        // Furrows of a field on the middle hill.
        if (k == 1) {
            p.save();
            p.setClipPath(rolling(r, bases[k], 0.05, 0.9 + k * 0.2, phases[k]));
            p.setPen(QPen(QColor(200, 190, 90, 150), 0.6));
            for (int f = 0; f < 10; ++f)
                p.drawLine(at(r, 0.45 + f * 0.06, 0.5), at(r, 0.6 + f * 0.08, 0.75));
            p.restore();
            p.setPen(Qt::NoPen);
        }
    }
    // A lone round tree on the near hill.
    const QPointF foot = at(r, 0.3, 0.82);
    p.fillRect(QRectF(foot.x() - 0.8, foot.y() - 8, 1.6, 8), QColor(90, 60, 30));
    QRadialGradient crown(foot + QPointF(-1.5, -13), 7);
    crown.setColorAt(0, QColor(110, 170, 70));
    crown.setColorAt(1, QColor(40, 100, 40));
    p.setBrush(crown);
    p.drawEllipse(foot + QPointF(0, -11), 5.5, 5.5);
}

using BackPainter = std::function<void(QPainter&, const QRectF&)>;

const std::map<int, BackPainter> backPainters = {
    {1, boat},
    {2, magi},
    {3, snowman},
    {4, dragon},
    {5, childFlowers},
    {6, plaitingDiagonal},
    {7, [](QPainter& p, const QRectF& a) { classic(p, a, QColor(30, 60, 150), 0); }},
    {8, [](QPainter& p, const QRectF& a) { classic(p, a, QColor(170, 25, 35), 1); }},
    {9, [](QPainter& p, const QRectF& a) { classic(p, a, QColor(225, 110, 20), 2); }},
    {10, sun},
    {11, plaitingStraight},
    {12, africa},
    {13, teddyBear},
    {14, roses},
    {15, flower},
    {16, japaneseWoman},
    {17, stars},
    {18, eagle},
    {19, tropicalFish},
    {20, lake},
    {21, clouds},
    {22, sea},
    {23, mountainsDay},
    {24, penguin},
    {25, mountainsDusk},
    {26, hills},
    {27, horse},
};

QImage drawBack(const BackPainter& paint, const CardSize& size)
{
    QImage big(size.width * oversample, size.height * oversample, QImage::Format_RGB32);
    big.fill(Qt::white);
    {
        QPainter p(&big);
        p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        p.scale(oversample, oversample);
        // The plain white edge of a printed card: two pixels, one on the little cards.
        const double edge = size.width < 30 ? 1 : 2;
        paint(p, QRectF(edge, edge, size.width - 2 * edge, size.height - 2 * edge));
    }
    return big.scaled(size.width, size.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

bool drawCardBacks(const QDir& out)
{
    const int font = QFontDatabase::addApplicationFont(QStringLiteral(KST_EMOJI_FONT));
    if (font < 0 || QFontDatabase::applicationFontFamilies(font).isEmpty())
        return fail(QStringLiteral("cannot load the emoji font " KST_EMOJI_FONT));
    emojiFamily = QFontDatabase::applicationFontFamilies(font).first();
    if (emojiGlyph(QStringLiteral("\U0001F427")).isNull())
        return fail(QStringLiteral("the emoji font draws nothing"));

    for (const NamedPicture& back : cardBacks) {
        const auto painter = backPainters.find(back.number);
        if (painter == backPainters.end())
            return fail(QStringLiteral("no design for card back %1").arg(back.number));
        for (const CardSize& size : cardSizes) {
            if (size.letter != 'B' && back.number != everySizeBack)
                continue;
            const QString file = out.filePath(QString::fromStdString(cardBackFile(size.letter, back.number)));
            if (!drawBack(painter->second, size).save(file, "BMP"))
                return fail(QStringLiteral("cannot write ") + file);
        }
    }
    return true;
}

} // namespace kst::assets
