// Nature, the "others", fractals, colour fantasies and patterns.

#include "assets/BackgroundDesigns.h"
#include "assets/Texture.h"

#include <QFont>
#include <QPainterPath>
#include <QRadialGradient>

#include <complex>

namespace kst::assets {
using namespace texture;

namespace {

QImage water()
{
    Canvas c(192, 192);
    c.fill([](float u, float v, int, int) {
        const float wu = u + 0.06f * fbm(u, v, 2, 3, 2001), wv = v + 0.06f * fbm(u, v, 2, 3, 2002);
        const Cells a = cells(wu, wv, 6, 6, 2003), b = cells(wu + 0.3f, wv, 9, 9, 2004);
        const float caustic = std::pow(smooth(0.25f, 0.0f, a.f2 - a.f1), 2.0f) * 0.7f + smooth(0.15f, 0.0f, b.f2 - b.f1) * 0.3f;
        const Rgb deep = mix(hex(0x0c2a3a), hex(0x14404e), 0.5f + 0.5f * fbm(u, v, 2, 4, 2005));
        return deep + hex(0x3a7078) * (0.55f * caustic);
    });
    return c.image();
}

QImage clouds()
{
    Canvas c(256, 256);
    c.fill([](float u, float v, int, int) {
        const float n = fbmGain(u, v, 3, 6, 2101, 0.55f);
        const float cover = smooth(-0.35f, 0.6f, n);
        const Rgb sky = mix(hex(0x2a4a74), hex(0x38588a), 0.5f + 0.4f * fbm(u, v, 1, 2, 2102));
        const Rgb cloud = mix(hex(0x8a96aa), hex(0x6a7690), smooth(0.3f, 1.0f, fbmGain(u + 0.01f, v + 0.02f, 3, 5, 2101, 0.55f) - n + 0.5f));
        return mix(sky, cloud, cover * 0.85f);
    });
    return c.image();
}

QImage leaves()
{
    Canvas ground(192, 192);
    ground.fill([](float u, float v, int, int) { return hex(0x1a2414) * (0.8f + 0.3f * valueNoise(u, v, 24, 24, 2201)); });
    QImage image = ground.image();
    Random rnd(2202);
    const Rgb tones[] = {hex(0x3a5a24), hex(0x4a6a2a), hex(0x2e4a20), hex(0x6a6428), hex(0x7a5420), hex(0x5a3a1a)};
    struct Leaf { QPointF at; float angle, length; Rgb colour; };
    std::vector<Leaf> all;
    for (int k = 0; k < 70; ++k)
        all.push_back({QPointF(rnd.range(0, 192), rnd.range(0, 192)), rnd.range(0, 360), rnd.range(22, 40), tones[rnd.below(6)]});
    paintWrapped(image, [&](QPainter& p) {
        for (const Leaf& leaf : all) {
            p.save();
            p.translate(leaf.at);
            p.rotate(leaf.angle);
            const float l = leaf.length;
            QPainterPath shape;
            shape.moveTo(0, 0);
            shape.cubicTo(l * 0.3f, -l * 0.32f, l * 0.75f, -l * 0.25f, l, 0);
            shape.cubicTo(l * 0.75f, l * 0.25f, l * 0.3f, l * 0.32f, 0, 0);
            p.setPen(QPen(qcolor(leaf.colour * 0.6f), 0.8));
            QLinearGradient g(0, -l * 0.3f, 0, l * 0.3f);
            g.setColorAt(0, qcolor(leaf.colour * 1.1f));
            g.setColorAt(1, qcolor(leaf.colour * 0.8f));
            p.setBrush(g);
            p.drawPath(shape);
            p.setPen(QPen(qcolor(leaf.colour * 0.7f), 0.9));
            p.drawLine(QPointF(-l * 0.12f, 0), QPointF(l * 0.95f, 0));
            for (int vein = 1; vein < 5; ++vein) {
                const float x = l * 0.18f * float(vein);
                p.drawLine(QPointF(x, 0), QPointF(x + l * 0.12f, -l * 0.14f));
                p.drawLine(QPointF(x, 0), QPointF(x + l * 0.12f, l * 0.14f));
            }
            p.restore();
        }
    });
    return image;
}

QImage meadow()
{
    Canvas ground(192, 192);
    ground.fill([](float u, float v, int, int) { return hex(0x1e3416) * (0.8f + 0.3f * fbm(u, v, 4, 3, 2301)); });
    QImage image = ground.image();
    Random rnd(2302);
    struct Blade { QPointF root; float lean, height; Rgb colour; };
    std::vector<Blade> blades;
    for (int k = 0; k < 1400; ++k) {
        const float shade = rnd.uniform();
        blades.push_back({QPointF(rnd.range(0, 192), rnd.range(0, 192)), rnd.range(-9, 9), rnd.range(8, 18),
                          mix(mix(hex(0x2a4a1c), hex(0x4e7a2c), shade), hex(0x7a7a34), rnd.uniform() < 0.1f ? 0.6f : 0.0f)});
    }
    std::vector<QPointF> flowers;
    for (int k = 0; k < 14; ++k)
        flowers.emplace_back(rnd.range(0, 192), rnd.range(0, 192));
    paintWrapped(image, [&](QPainter& p) {
        p.setBrush(Qt::NoBrush);
        for (const Blade& b : blades) {
            QPainterPath path;
            path.moveTo(b.root);
            path.quadTo(b.root + QPointF(b.lean * 0.2f, -b.height * 0.6f), b.root + QPointF(b.lean, -b.height));
            p.setPen(QPen(qcolor(b.colour), 1.1, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(path);
        }
        p.setPen(Qt::NoPen);
        for (std::size_t k = 0; k < flowers.size(); ++k) {
            p.setBrush(qcolor(k % 3 == 0 ? hex(0x8a7a3a) : k % 3 == 1 ? hex(0x7a6a8a) : hex(0x8a8a7a)));
            for (int petal = 0; petal < 5; ++petal)
                p.drawEllipse(flowers[k] + QPointF(1.6 * std::cos(petal * 2 * pi / 5), 1.6 * std::sin(petal * 2 * pi / 5)), 1.3, 1.3);
            p.setBrush(qcolor(hex(0x8a6a20)));
            p.drawEllipse(flowers[k], 0.9, 0.9);
        }
    });
    return image;
}

QImage riverStones()
{
    const int size = 192;
    HeightField h(size, size);
    h.fill([](float u, float v, int, int) {
        const float wu = u + 0.025f * fbm(u, v, 4, 2, 2401), wv = v + 0.025f * fbm(u, v, 4, 2, 2402);
        const Cells g = cells(wu, wv, 6, 6, 2403, 0.75f);
        // a smooth dome round each cell's point, rounded off where it meets its neighbours
        const float dome = std::sqrt(std::max(0.0f, 1 - (g.f1 / 0.62f) * (g.f1 / 0.62f)));
        const float z = dome * smooth(0.05f, 0.22f, g.f2 - g.f1);
        return z < 0.02f ? 0.0f : z + 0.015f * fbm(u, v, 16, 2, 2404);
    });
    Canvas c(size, size);
    c.fill([&](float u, float v, int x, int y) {
        const float wu = u + 0.025f * fbm(u, v, 4, 2, 2401), wv = v + 0.025f * fbm(u, v, 4, 2, 2402);
        const Cells g = cells(wu, wv, 6, 6, 2403, 0.75f);
        const float z = h.at(x, y);
        if (z <= 0.0f)
            return hex(0x2a241c) * (0.7f + 0.4f * cell(x, y, 2405));
        Rgb col = ramp({hex(0x5a5650), hex(0x6e6454), hex(0x4a4e52), hex(0x7a6a58), hex(0x5e5248), hex(0x686a66)}, cell(g.cx, g.cy, 2406));
        col = col * (0.9f + 0.1f * fbm(u, v, 12, 3, 2407) + 0.06f * valueNoise(u, v, 192, 192, 2408));
        return col * std::clamp(h.light(x, y, 18), 0.45f, 1.4f) * (0.7f + 0.3f * std::min(1.0f, z * 2));
    });
    return c.image();
}

QImage starrySky()
{
    const int size = 256;
    Canvas c(size, size);
    c.fill([](float u, float v, int, int) {
        const float nebula = smooth(0.1f, 0.9f, fbmGain(u, v, 2, 6, 2501, 0.55f));
        return mix(hex(0x060a1a), hex(0x1e1634), nebula * 0.8f) + hex(0x0c1a2a) * (0.5f + 0.5f * fbm(u, v, 3, 4, 2502));
    });
    Random rnd(2503);
    for (int k = 0; k < 260; ++k) {
        const float sx = rnd.range(0, size), sy = rnd.range(0, size);
        const float bright = std::pow(rnd.uniform(), 3.0f) * 0.65f + 0.12f;
        const float radius = 0.5f + bright * 1.4f;
        const Rgb tint = mix(hex(0xc8d4ff), hex(0xffe8c8), rnd.uniform());
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx) {
                const int px = int(sx) + dx, py = int(sy) + dy;
                const float d = std::hypot(float(px) + 0.5f - sx, float(py) + 0.5f - sy);
                c.at(px, py) = c.at(px, py) + tint * (bright * std::exp(-d * d / (radius * radius)));
            }
    }
    return c.image();
}

QImage bubbles()
{
    Canvas ground(192, 192);
    ground.fill([](float u, float v, int, int) {
        return mix(hex(0x0e2a3e), hex(0x16384c), 0.5f + 0.5f * fbm(u, v, 2, 4, 2601));
    });
    QImage image = ground.image();
    Random rnd(2602);
    struct Bubble { QPointF at; float r; };
    std::vector<Bubble> all;
    for (int k = 0; k < 40; ++k)
        all.push_back({QPointF(rnd.range(0, 192), rnd.range(0, 192)), 3 + 18 * std::pow(rnd.uniform(), 2.0f)});
    paintWrapped(image, [&](QPainter& p) {
        for (const Bubble& b : all) {
            QRadialGradient body(b.at, b.r);
            body.setColorAt(0, QColor(120, 180, 200, 10));
            body.setColorAt(0.8, QColor(120, 180, 200, 30));
            body.setColorAt(1, QColor(150, 200, 215, 90));
            p.setPen(QPen(QColor(150, 200, 215, 80), 0.8));
            p.setBrush(body);
            p.drawEllipse(b.at, b.r, b.r);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(200, 225, 235, 110));
            p.drawEllipse(b.at + QPointF(-b.r * 0.4f, -b.r * 0.4f), b.r * 0.18f, b.r * 0.12f);
        }
    });
    return image;
}

QImage floorTiles()
{
    const int size = 192, tile = 48;
    HeightField h(size, size);
    h.fill([&](float, float, int x, int y) {
        const int dx = std::min(x % tile, tile - 1 - x % tile), dy = std::min(y % tile, tile - 1 - y % tile);
        return std::min(float(std::min(dx, dy)) - 1.5f, 3.0f);
    });
    Canvas c(size, size);
    c.fill([&](float u, float v, int x, int y) {
        if (h.at(x, y) < 0)
            return hex(0x302c26) * (0.85f + 0.3f * cell(x, y, 2701));
        const int tx = x / tile, ty = y / tile;
        const bool dark = (tx + ty) % 2;
        const float vein = std::pow(1 - std::abs(std::sin(pi * (u + v) * 2 + 2.5f * fbm(u, v, 2, 3, 2702 + dark))), 10.0f);
        Rgb col = dark ? hex(0x3a3634) : hex(0x625a52);
        col = col * (0.9f + 0.12f * fbm(u, v, 4, 3, 2703) + 0.06f * cell(tx, ty, 2704)) + hex(0x3a3630) * (0.35f * vein);
        return col * std::clamp(h.light(x, y, 0.5f), 0.7f, 1.3f);
    });
    return c.image();
}

QImage letters()
{
    Canvas ground(192, 192);
    ground.fill([](float u, float v, int, int) { return mix(hex(0x3a3226), hex(0x463c2e), 0.5f + 0.5f * fbm(u, v, 3, 4, 2801)); });
    QImage image = ground.image();
    Random rnd(2802);
    struct Glyph { QPointF at; float angle; int size; QChar letter; bool serif; Rgb colour; };
    std::vector<Glyph> all;
    for (int k = 0; k < 46; ++k)
        all.push_back({QPointF(rnd.range(0, 192), rnd.range(0, 192)), rnd.range(-35, 35), 12 + rnd.below(26),
                       QChar(u'A' + rnd.below(26)), rnd.below(2) == 0,
                       rnd.below(3) ? mix(hex(0x6a5a40), hex(0x7a6a4e), rnd.uniform()) : hex(0x2a2218)});
    paintWrapped(image, [&](QPainter& p) {
        for (const Glyph& g : all) {
            QFont font(g.serif ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans"));
            font.setPixelSize(g.size);
            font.setBold(g.size > 28);
            p.setFont(font);
            p.setPen(qcolor(g.colour));
            p.save();
            p.translate(g.at);
            p.rotate(g.angle);
            p.drawText(QRectF(-30, -30, 60, 60), Qt::AlignCenter, QString(g.letter));
            p.restore();
        }
    });
    return image;
}

QImage spheresInTheSky()
{
    const int size = 256;
    Canvas ground(size, size);
    ground.fill([](float u, float v, int, int) {
        const float n = fbmGain(u, v, 2, 5, 2901, 0.55f);
        return mix(hex(0x283e62), hex(0x5a6a86), smooth(0.0f, 0.9f, n) * 0.7f);
    });
    QImage image = ground.image();
    Random rnd(2902);
    struct Sphere { QPointF at; float r; Rgb colour; };
    std::vector<Sphere> all;
    const Rgb tones[] = {hex(0x8a4a3a), hex(0x3a6a5a), hex(0x7a6a3a), hex(0x5a4a7a), hex(0x4a5a7a)};
    for (int k = 0; k < 9; ++k)
        all.push_back({QPointF(rnd.range(0, size), rnd.range(0, size)), rnd.range(9, 26), tones[k % 5]});
    std::sort(all.begin(), all.end(), [](const Sphere& a, const Sphere& b) { return a.r < b.r; });
    paintWrapped(image, [&](QPainter& p) {
        for (const Sphere& s : all) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(10, 20, 40, 50));
            p.drawEllipse(s.at + QPointF(s.r * 0.3f, s.r * 0.35f), s.r, s.r);
            QRadialGradient g(s.at + QPointF(-s.r * 0.35f, -s.r * 0.4f), s.r * 1.5f);
            g.setColorAt(0, qcolor(s.colour * 1.5f));
            g.setColorAt(0.5, qcolor(s.colour));
            g.setColorAt(1, qcolor(s.colour * 0.35f));
            p.setBrush(g);
            p.drawEllipse(s.at, s.r, s.r);
        }
    });
    return image;
}

QImage wax()
{
    const int size = 192;
    HeightField h(size, size);
    h.fill([](float u, float v, int, int) { return fbmGain(u, v, 2, 3, 3001, 0.45f); });
    Canvas c(size, size);
    c.fill([&](float u, float v, int x, int y) {
        const float z = h.at(x, y);
        const Rgb body = ramp({hex(0x3a0e12), hex(0x5e1a1e), hex(0x7a2e2a)}, 0.5f + 0.5f * z);
        const float l = std::clamp(h.light(x, y, 14), 0.0f, 2.0f);
        const float gloss = std::pow(smooth(1.1f, 1.5f, l), 2.0f);
        return body * (0.8f + 0.2f * l) + hex(0x5a3a3a) * (0.6f * gloss) - hex(0x0a0404) * (0.4f * fbm(u, v, 6, 2, 3002));
    });
    return c.image();
}

// Stained glass: cells of deep colours held by dark lead.
QImage stainedGlass()
{
    Canvas c(192, 192);
    const Rgb tones[] = {hex(0x5a2630), hex(0x263a5a), hex(0x2e4a36), hex(0x5e4a26), hex(0x402e50), hex(0x264a4a)};
    c.fill([&](float u, float v, int, int) {
        const Cells g = cells(u, v, 7, 7, 3101, 0.9f);
        const float edge = g.f2 - g.f1;
        if (edge < 0.06f)
            return hex(0x141210) * (1 + 2 * edge);
        Rgb col = tones[int(cell(g.cx, g.cy, 3102) * 6)];
        col = col * (0.7f + 0.35f * smooth(0.06f, 0.4f, edge)) * (0.9f + 0.15f * fbm(u, v, 8, 3, 3103));
        return col;
    });
    return c.image();
}

QImage plasmaFractal()
{
    // Midpoint displacement on a wrapping grid: the values at the tile edges are shared, so the
    // cloud continues across them.
    const int n = 256;
    std::vector<float> z(std::size_t(n * n));
    auto at = [&](int x, int y) -> float& { return z[std::size_t(wrap(y, n) * n + wrap(x, n))]; };
    Random rnd(3201);
    float amplitude = 1;
    for (int step = n; step > 1; step /= 2, amplitude *= 0.62f) {
        const int half = step / 2;
        for (int y = 0; y < n; y += step)
            for (int x = 0; x < n; x += step)
                at(x + half, y + half) = (at(x, y) + at(x + step, y) + at(x, y + step) + at(x + step, y + step)) / 4 +
                                         rnd.range(-amplitude, amplitude);
        for (int y = 0; y < n; y += half)
            for (int x = (y / half % 2 == 0) ? half : 0; x < n; x += step)
                at(x, y) = (at(x - half, y) + at(x + half, y) + at(x, y - half) + at(x, y + half)) / 4 +
                           rnd.range(-amplitude, amplitude) * 0.7f;
    }
    Canvas c(n, n);
    c.fill([&](float, float, int x, int y) {
        // colours cycle with the height, so the fine detail shows as rippling contours
        const float t = fract(at(x, y) * 2.5f + 10);
        return ramp({hex(0x1a2440), hex(0x24485a), hex(0x44385e), hex(0x5e4a3c), hex(0x1a2440)}, t);
    });
    return c.image();
}

// A Julia set seen through a torus: each point of the tile is mapped around two circles, so the
// fractal wraps around both edges.
QImage toricJulia()
{
    const int size = 192, sub = 2;
    const std::complex<float> seed(-0.745f, 0.12f);
    Canvas c(size, size);
    c.fill([&](float, float, int x, int y) {
        Rgb sum;
        for (int sy = 0; sy < sub; ++sy)
            for (int sx = 0; sx < sub; ++sx) {
                const float u = (float(x) + (float(sx) + 0.5f) / sub) / size, v = (float(y) + (float(sy) + 0.5f) / sub) / size;
                std::complex<float> z = 0.7f * std::polar(1.0f, 2 * pi * u) + 0.45f * std::polar(1.0f, 2 * pi * v);
                int i = 0;
                const int limit = 120;
                while (i < limit && std::norm(z) < 64) {
                    z = z * z + seed;
                    ++i;
                }
                float t = i == limit ? 0 : (float(i) + 1 - std::log2(std::log2(std::max(std::norm(z), 1.0001f)) / 2)) / 40.0f;
                sum = sum + ramp({hex(0x0e1a2a), hex(0x1e3e5a), hex(0x4e4662), hex(0x6e5a48), hex(0x2a1e3a)}, fract(t));
            }
        return sum * (1.0f / (sub * sub));
    });
    return c.image();
}

QImage fantasy(int which)
{
    Canvas c(192, 192);
    c.fill([&](float u, float v, int, int) {
        if (which == 1) { // twice-warped veils, violet to teal to amber
            const float qx = fbm(u, v, 2, 4, 3301), qy = fbm(u, v, 2, 4, 3302);
            const float rx = fbm(u + 0.15f * qx, v + 0.15f * qy, 2, 4, 3303), ry = fbm(u + 0.15f * qx, v + 0.15f * qy, 2, 4, 3304);
            const float n = fbm(u + 0.2f * rx, v + 0.2f * ry, 2, 5, 3305);
            return ramp({hex(0x2a1a40), hex(0x36305e), hex(0x245060), hex(0x5a5a4a)}, 0.5f + 0.5f * n);
        }
        if (which == 2) { // marbled paper: bands combed into swirls
            const float wx = fbm(u, v, 2, 3, 3401), wy = fbm(u, v, 2, 3, 3402);
            const float t = fract(3 * v + u + 0.9f * wx + 0.5f * std::sin(2 * pi * (2 * u + 0.6f * wy)));
            return ramp({hex(0x4a2030), hex(0x6a4030), hex(0x3a2448), hex(0x22305a), hex(0x4a2030)}, t);
        }
        // contour bands of a height map with thin dark lines
        const float n = 0.5f + 0.5f * fbm(u, v, 2, 4, 3501);
        const float band = n * 9;
        const float edge = std::abs(fract(band) - 0.5f);
        Rgb col = ramp({hex(0x10283a), hex(0x1e4a4a), hex(0x3a6a4a), hex(0x6a6a3a)}, std::floor(band) / 8);
        return col * (edge > 0.45f ? 0.55f : 1.0f);
    });
    return c.image();
}

QImage petals()
{
    Canvas ground(192, 192);
    ground.fill([](float u, float v, int, int) { return mix(hex(0x2a1424), hex(0x3a1e32), 0.5f + 0.5f * fbm(u, v, 2, 4, 3601)); });
    QImage image = ground.image();
    Random rnd(3602);
    const Rgb tones[] = {hex(0x9a5a6a), hex(0xa0705a), hex(0x7a5a8a), hex(0x8a4a5a), hex(0xa08060)};
    struct Petal { QPointF at; float angle, length; Rgb colour; };
    std::vector<Petal> all;
    for (int k = 0; k < 55; ++k)
        all.push_back({QPointF(rnd.range(0, 192), rnd.range(0, 192)), rnd.range(0, 360), rnd.range(12, 24), tones[rnd.below(5)]});
    paintWrapped(image, [&](QPainter& p) {
        for (const Petal& pt : all) {
            p.save();
            p.translate(pt.at);
            p.rotate(pt.angle);
            const float l = pt.length;
            QPainterPath shape;
            shape.moveTo(0, 0);
            shape.cubicTo(l * 0.2f, -l * 0.5f, l * 0.9f, -l * 0.45f, l, 0);
            shape.cubicTo(l * 0.9f, l * 0.45f, l * 0.2f, l * 0.5f, 0, 0);
            QLinearGradient g(0, 0, l, 0);
            g.setColorAt(0, qcolor(pt.colour * 0.6f, 0.9f));
            g.setColorAt(0.7, qcolor(pt.colour, 0.9f));
            g.setColorAt(1, qcolor(pt.colour * 1.1f, 0.9f));
            p.setPen(QPen(qcolor(pt.colour * 0.5f, 0.6f), 0.6));
            p.setBrush(g);
            p.drawPath(shape);
            p.restore();
        }
    });
    return image;
}

// Jigsaw pieces in muted colours; every shared edge carries one knob, pointing one way.
QImage puzzle()
{
    const int size = 192, n = 4;
    const float piece = float(size) / n;
    const Rgb tones[] = {hex(0x5a3a3a), hex(0x3a4a5e), hex(0x4a5a3a), hex(0x5e5236), hex(0x4a3a5a), hex(0x3a5a56)};
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::black);
    auto edgeOut = [&](int i, int j, int horizontal) { return cell(wrap(i, n), wrap(j, n), 3700 + horizontal) < 0.5f; };
    // The outline of piece (i, j) with knobs bulging out or in.
    auto outline = [&](int i, int j) {
        const QPointF o(i * piece, j * piece);
        QPainterPath path(o);
        auto side = [&](QPointF from, QPointF dir, QPointF normal, bool out) {
            const float s = out ? 1 : -1;
            auto pt = [&](float a, float b) { return from + dir * (a * piece) + normal * (b * piece * s); };
            path.lineTo(pt(0.38f, 0));
            path.cubicTo(pt(0.42f, -0.02f), pt(0.32f, -0.2f), pt(0.5f, -0.22f));
            path.cubicTo(pt(0.68f, -0.2f), pt(0.58f, -0.02f), pt(0.62f, 0));
            path.lineTo(pt(1, 0));
        };
        side(o, {1, 0}, {0, 1}, edgeOut(i, j, 0));                                  // top edge; out = up
        side(o + QPointF(piece, 0), {0, 1}, {-1, 0}, !edgeOut(i + 1, j, 1));        // right edge
        side(o + QPointF(piece, piece), {-1, 0}, {0, -1}, !edgeOut(i, j + 1, 0));   // bottom edge
        side(o + QPointF(0, piece), {0, -1}, {1, 0}, edgeOut(i, j, 1));              // left edge
        path.closeSubpath();
        return path;
    };
    paintWrapped(image, [&](QPainter& p) {
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i) {
                const QPainterPath path = outline(i, j);
                const Rgb tone = tones[(i * 2 + j * 3 + (i * j) % 2) % 6];
                QLinearGradient g(i * piece, j * piece, (i + 1) * piece, (j + 1) * piece);
                g.setColorAt(0, qcolor(tone * 1.2f));
                g.setColorAt(1, qcolor(tone * 0.85f));
                p.setBrush(g);
                p.setPen(QPen(qcolor(hex(0x141010)), 1.6));
                p.drawPath(path);
            }
    });
    return image;
}

// Four repeat patterns.
QImage pattern(int which)
{
    if (which == 3) { // honeycomb; the tile height fits the hexagon rows exactly enough
        const int w = 192, h = 208, columns = 8, rows = 10;
        Canvas c(w, h);
        c.fill([&](float u, float v, int, int) {
            const float x = u * columns, y = v * rows;
            float best = 9, second = 9;
            int bi = 0, bj = 0;
            for (int j = int(std::floor(y)) - 1; j <= int(std::floor(y)) + 1; ++j)
                for (int i = int(std::floor(x)) - 1; i <= int(std::floor(x)) + 1; ++i) {
                    const float cx = float(i) + 0.5f + (wrap(j, rows) % 2 ? 0.5f : 0.0f), cy = float(j) + 0.5f;
                    const float d = std::hypot(x - cx, (y - cy) * 1.08f);
                    if (d < best) { second = best; best = d; bi = i; bj = j; }
                    else if (d < second) second = d;
                }
            const float edge = second - best;
            Rgb col = ((wrap(bi, columns) + wrap(bj, rows)) % 3 == 0) ? hex(0x6a4a1a) : hex(0x5a3e16);
            col = col * (0.75f + 0.4f * smooth(0.0f, 0.5f, edge) - 0.15f * best);
            return edge < 0.07f ? hex(0x2a1c0a) : col;
        });
        return c.image();
    }
    Canvas c(192, 192);
    c.fill([&](float u, float v, int, int) {
        if (which == 1) { // fish scales: rows of discs, each row laid over the one below it
            const int rows = 16;
            const float x = u * 8, y = v * 8; // rows are half a column apart
            const int row = int(std::floor(y * 2));
            Rgb col = hex(0x102a2a);
            for (int r = row + 2; r >= row - 2; --r) {
                const float shift = (wrap(r, rows) % 2) ? 0.5f : 0.0f;
                const float cx = std::floor(x - shift) + 0.5f + shift, cy = float(r) * 0.5f;
                for (float k : {cx - 1, cx, cx + 1}) {
                    const float d = std::hypot(x - k, y - cy);
                    if (d < 0.62f)
                        col = mix(hex(0x1e4a4a), hex(0x4a6e5a), smooth(0.0f, 0.62f, d)) * (d > 0.55f ? 0.5f : 1.0f);
                }
            }
            return col;
        }
        if (which == 2) { // argyle
            // an even number of diamonds each way, so the alternating ground colours wrap
            const float x = fract(u * 4) - 0.5f, y = fract(v * 2) - 0.5f;
            const bool inside = std::abs(x) + std::abs(y) < 0.5f;
            const int cx = int(std::floor(u * 4 + 0.5f)) % 4, cy = int(std::floor(v * 2 + 0.5f)) % 2;
            Rgb col = inside ? hex(0x4a2a30) : (((cx + cy) % 2) ? hex(0x2a3a4a) : hex(0x30304a));
            const float diag1 = std::abs(fract(u * 4 + v * 2 + 0.5f) - 0.5f), diag2 = std::abs(fract(u * 4 - v * 2 + 0.5f) - 0.5f);
            const bool dash = fract((u + v) * 24) < 0.6f;
            if ((diag1 < 0.012f || diag2 < 0.012f) && dash)
                col = hex(0x7a6a4a);
            return col;
        }
        // chevrons
        const float t = fract(v * 6 + std::abs(fract(u * 6) - 0.5f) * 2);
        return ramp({hex(0x2a2a3a), hex(0x3a3450), hex(0x4a3a4a), hex(0x2a2a3a)}, t) * (t < 0.08f ? 0.7f : 1.0f);
    });
    return c.image();
}

} // namespace

QImage drawSceneBackground(int number)
{
    switch (number) {
    case 257: return water();
    case 274: return clouds();
    case 277: return leaves();
    case 324: return meadow();
    case 281: return riverStones();
    case 282: return starrySky();
    case 265: return bubbles();
    case 285: return floorTiles();
    case 284: return letters();
    case 307: return spheresInTheSky();
    case 299: return wax();
    case 310: return stainedGlass();
    case 322: return plasmaFractal();
    case 286: return toricJulia();
    case 279: return fantasy(1);
    case 271: return fantasy(2);
    case 283: return fantasy(3);
    case 275: return petals();
    case 316: return puzzle();
    case 302: return pattern(1);
    case 318: return pattern(2);
    case 319: return pattern(3);
    case 320: return pattern(4);
    default: return {};
    }
}

} // namespace kst::assets
