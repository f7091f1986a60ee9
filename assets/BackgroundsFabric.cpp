// Tissues, papers, surfaces, glass and metals.

#include "assets/BackgroundDesigns.h"
#include "assets/Texture.h"

#include <QPainterPath>

namespace kst::assets {
using namespace texture;

namespace {

// A woven cloth seen close: vertical warp threads and horizontal weft threads, one thread per
// `pitch` pixels; `warpOver(i, j)` says which one lies on top at each crossing.
struct Weave {
    int size, pitch;
    float warpWidth, weftWidth; // thread widths as a fraction of the pitch
    float slub;                 // how much the thickness wanders along a thread
    Rgb warp, weft, gap;
    float fleck;                // fibre noise along the threads
    std::function<bool(int, int)> warpOver;
    std::uint32_t seed;
};

QImage weave(const Weave& w)
{
    const int n = w.size / w.pitch;
    Canvas c(w.size, w.size);
    c.fill([&](float u, float v, int x, int y) {
        const int i = x / w.pitch, j = y / w.pitch;
        const float ax = (float(x % w.pitch) + 0.5f) / float(w.pitch) - 0.5f;
        const float ay = (float(y % w.pitch) + 0.5f) / float(w.pitch) - 0.5f;
        const float warpHalf = 0.5f * w.warpWidth * (1 + w.slub * (valueNoise(u, v, n, 6, w.seed + 1) - 0.5f)) ;
        const float weftHalf = 0.5f * w.weftWidth * (1 + w.slub * (valueNoise(u, v, 6, n, w.seed + 2) - 0.5f));
        const bool inWarp = std::abs(ax) < warpHalf, inWeft = std::abs(ay) < weftHalf;
        const bool over = w.warpOver(wrap(i, n), wrap(j, n));
        auto thread = [&](bool isWarp) {
            const float across = isWarp ? ax / warpHalf : ay / weftHalf;
            const float along = isWarp ? ay : ax;
            const bool top = isWarp == over;
            Rgb col = isWarp ? w.warp : w.weft;
            const float tone = isWarp ? cell(i, 0, w.seed + 3) : cell(0, j, w.seed + 4);
            const float fibre = isWarp ? valueNoise(u, v, n * 3, n / 2, w.seed + 5) : valueNoise(u, v, n / 2, n * 3, w.seed + 6);
            col = col * (0.9f + 0.18f * tone) * (1 - w.fleck * 0.5f + w.fleck * fibre);
            float shade = std::sqrt(std::max(0.0f, 1 - across * across)) * 0.45f + 0.6f;
            shade *= top ? 1.0f - 0.5f * along * along * 2 : 0.7f;
            return col * shade;
        };
        if (inWarp && (over || !inWeft))
            return thread(true);
        if (inWeft)
            return thread(false);
        return w.gap * (0.8f + 0.4f * valueNoise(u, v, n * 2, n * 2, w.seed + 7));
    });
    return c.image();
}

// Short upright pile: each fibre tip catches the light differently.
float pile(float u, float v, int size, std::uint32_t seed)
{
    const float tips = cell(int(u * float(size)), int(v * float(size)), seed);
    const float tufts = valueNoise(u, v, size / 3, size / 3, seed + 1);
    const float crush = fbm(u, v, 3, 3, seed + 2);
    return 0.82f + 0.14f * tips + 0.12f * tufts + 0.08f * crush;
}

QImage moquette(int kind)
{
    const int size = 192;
    Canvas c(size, size);
    c.fill([&](float u, float v, int, int) {
        Rgb col;
        if (kind == 1) { // small diamonds on deep red
            const float x = fract(u * 12), y = fract(v * 12);
            const float d = std::abs(x - 0.5f) + std::abs(y - 0.5f);
            col = d < 0.22f ? hex(0x8a3a2e) : d > 0.44f ? hex(0x3a1614) : hex(0x5e2220);
        } else if (kind == 2) { // rosettes of dots on bottle green
            const float x = fract(u * 8) - 0.5f, y = fract(v * 8) - 0.5f;
            const float r = std::hypot(x, y);
            const float petals = std::cos(6 * std::atan2(y, x));
            col = r < 0.12f ? hex(0x7a7a3a) : (r < 0.3f && petals > 0.2f) ? hex(0x3e6a4a) : hex(0x1e3a2a);
        } else { // stripes of two blues with a thin gold line
            const float s = fract(v * 6);
            col = s < 0.45f ? hex(0x1e2e52) : s < 0.5f ? hex(0x6a6240) : s < 0.95f ? hex(0x2c3e66) : hex(0x1a2646);
        }
        return col * pile(u, v, size, 1200 + std::uint32_t(kind));
    });
    return c.image();
}

// A knotted carpet: medallions with borders, in the usual madder, indigo and ochre.
QImage carpet()
{
    const int size = 192;
    Canvas c(size, size);
    const Rgb madder = hex(0x6e2222), indigo = hex(0x1e2446), ochre = hex(0x8a6a34), ivory = hex(0x9a8a70), dark = hex(0x2a1414);
    c.fill([&](float u, float v, int, int) {
        const float x = fract(u * 2) - 0.5f, y = fract(v * 2) - 0.5f;
        const float d = std::abs(x) + std::abs(y); // 0 at the medallion, 0.5 between them
        const float ring = std::max(std::abs(x), std::abs(y));
        Rgb col;
        if (d < 0.08f) col = ivory;
        else if (d < 0.14f) col = indigo;
        else if (d < 0.26f) col = (int(std::atan2(y, x) / pi * 8 + 8) % 2) ? madder : ochre * 0.8f;
        else if (d < 0.29f) col = ivory * 0.8f;
        else if (d < 0.36f) col = dark;
        else if (ring > 0.46f) col = indigo;
        else if (ring > 0.44f) col = ochre;
        else {
            const float fx = fract(u * 16) - 0.5f, fy = fract(v * 16) - 0.5f;
            col = (std::abs(fx) + std::abs(fy) < 0.18f) ? ochre * 0.85f : madder;
        }
        return col * pile(u, v, size, 1300);
    });
    return c.image();
}

// Eight quiet surfaces, each a different kind of grain.
QImage surface(int which)
{
    const int size = 192;
    Canvas c(size, size);
    HeightField h(size, size);
    switch (which) {
    case 1: // soft mottling, blue grey
        c.fill([](float u, float v, int, int) {
            return ramp({hex(0x2e3a4a), hex(0x3e4c5e), hex(0x506076)}, 0.5f + 0.45f * fbmGain(u, v, 3, 6, 1401, 0.6f));
        });
        break;
    case 2: // stucco: trowelled plaster, sand colour
        h.fill([](float u, float v, int, int) {
            const Cells g = cells(u, v, 10, 10, 1402);
            return 0.5f * smooth(0.6f, 0.1f, g.f1) + 0.2f * fbm(u, v, 16, 3, 1403);
        });
        c.fill([&](float u, float v, int x, int y) {
            return hex(0x7a6e5a) * (0.94f + 0.08f * fbm(u, v, 4, 3, 1404)) * std::clamp(h.light(x, y, 6), 0.6f, 1.3f);
        });
        break;
    case 3: // leather: pebbled grain, brown
        h.fill([](float u, float v, int, int) {
            const Cells g = cells(u, v, 24, 24, 1405);
            return smooth(0.0f, 0.25f, g.f2 - g.f1) + 0.2f * fbm(u, v, 6, 3, 1406);
        });
        c.fill([&](float u, float v, int x, int y) {
            const Rgb base = mix(hex(0x4a2e1c), hex(0x5e3c24), 0.5f + 0.5f * fbm(u, v, 3, 4, 1407));
            return base * std::clamp(h.light(x, y, 3), 0.6f, 1.3f);
        });
        break;
    case 4: // sandpaper grain, moss green
        c.fill([](float u, float v, int x, int y) {
            const float grit = cell(x, y, 1408) * 0.6f + valueNoise(u, v, 96, 96, 1409) * 0.4f;
            return hex(0x3a4a2e) * (0.8f + 0.35f * grit) * (0.95f + 0.08f * fbm(u, v, 2, 3, 1410));
        });
        break;
    case 5: // crackle glaze, slate
        c.fill([](float u, float v, int, int) {
            const float wu = u + 0.02f * fbm(u, v, 4, 2, 1411), wv = v + 0.02f * fbm(u, v, 4, 2, 1412);
            const Cells big = cells(wu, wv, 5, 5, 1413), small = cells(wu, wv, 14, 14, 1414);
            Rgb col = mix(hex(0x34404a), hex(0x44525c), cell(big.cx, big.cy, 1415));
            col = col * (1 - 0.4f * smooth(0.05f, 0.0f, big.f2 - big.f1) - 0.2f * smooth(0.05f, 0.0f, small.f2 - small.f1));
            return col;
        });
        break;
    case 6: // hammered metal, dark teal
        h.fill([](float u, float v, int, int) {
            const Cells g = cells(u, v, 9, 9, 1416, 0.7f);
            return -g.f1 * g.f1;
        });
        c.fill([&](float u, float v, int x, int y) {
            const float l = h.light(x, y, 20);
            return hex(0x2a4a4c) * (0.95f + 0.06f * fbm(u, v, 3, 3, 1417)) * std::clamp(0.6f + 0.45f * l * l, 0.5f, 1.5f);
        });
        break;
    case 7: // suede brushed on the diagonal, plum
        c.fill([](float u, float v, int, int) {
            const float s = fract(u + v), t = fract(u - v + 1);
            const float nap = valueNoise(s, t, 4, 128, 1418) * 0.6f + valueNoise(s, t, 2, 48, 1419) * 0.4f;
            return hex(0x4a2e46) * (0.85f + 0.25f * nap) * (0.95f + 0.08f * fbm(u, v, 2, 3, 1420));
        });
        break;
    default: // canvas: fine cross-hatched grain, grey blue
        c.fill([](float u, float v, int x, int y) {
            const float hatch = 0.5f + 0.25f * std::sin(2 * pi * float(x) / 3) + 0.25f * std::sin(2 * pi * float(y) / 3);
            const float fibre = valueNoise(u, v, 64, 8, 1421) * 0.5f + valueNoise(u, v, 8, 64, 1422) * 0.5f;
            return hex(0x42505a) * (0.88f + 0.1f * hatch + 0.12f * fibre) * (0.96f + 0.05f * fbm(u, v, 2, 3, 1423));
        });
        break;
    }
    return c.image();
}

// Rippled cathedral glass, bottle green, with the light bent by its waves.
QImage glass()
{
    const int size = 192;
    HeightField h(size, size);
    h.fill([](float u, float v, int, int) {
        return fbm(u, v, 4, 3, 1501) + 0.5f * std::sin(2 * pi * (3 * u + 2 * v + 0.3f * fbm(u, v, 2, 2, 1502)));
    });
    Canvas c(size, size);
    c.fill([&](float u, float v, int x, int y) {
        const float dx = h.at(x + 1, y) - h.at(x - 1, y), dy = h.at(x, y + 1) - h.at(x, y - 1);
        const float bend = fbm(u + dx * 1.5f, v + dy * 1.5f, 3, 3, 1503);
        Rgb col = ramp({hex(0x0e2a26), hex(0x1e4a40), hex(0x3a6e60)}, 0.5f + 0.5f * bend);
        const float glint = std::pow(clamp01(h.light(x, y, 40) - 0.6f), 2.0f);
        return col + hex(0x90b8a8) * (0.35f * glint);
    });
    return c.image();
}

// Brushed metal: long scratches along `along` (0 horizontal, 1 diagonal) and a broad sheen.
QImage brushedMetal(Rgb dark, Rgb light, int along, std::uint32_t seed)
{
    const int size = 192;
    Canvas c(size, size);
    c.fill([&](float u, float v, int, int) {
        const float s = along ? fract(u + v) : u, t = along ? fract(u - v + 1) : v;
        const float scratches = valueNoise(s, t, 3, 192, seed) * 0.5f + valueNoise(s, t, 8, 96, seed + 1) * 0.3f +
                                valueNoise(s, t, 1, 48, seed + 2) * 0.2f;
        const float sheen = 0.5f + 0.5f * std::sin(2 * pi * (u + 2 * v) + 0.8f * fbm(u, v, 1, 2, seed + 3));
        return mix(dark, light, 0.25f + 0.45f * sheen * 0.8f + 0.35f * scratches - 0.1f);
    });
    return c.image();
}

// Woven ribbons of polished steel, each rounded across its width.
QImage ribbon()
{
    const int size = 192, pitch = 32, n = size / pitch;
    Canvas c(size, size);
    c.fill([&](float u, float v, int x, int y) {
        const int i = x / pitch, j = y / pitch;
        const float ax = (float(x % pitch) + 0.5f) / float(pitch) - 0.5f, ay = (float(y % pitch) + 0.5f) / float(pitch) - 0.5f;
        const bool warpTop = (i + j) % 2 == 0;
        const float width = 0.4f;
        const bool inWarp = std::abs(ax) < width, inWeft = std::abs(ay) < width;
        auto band = [&](bool warp, bool top) {
            const float across = (warp ? ax : ay) / width, along = warp ? ay : ax;
            const float round = std::sqrt(std::max(0.0f, 1 - across * across));
            const float brush = warp ? valueNoise(u, v, n * 6, 4, 1601) : valueNoise(u, v, 4, n * 6, 1602);
            // a polished band: dark at its rims, a narrow bright crest a little above the middle
            const float crest = std::exp(-(across + 0.25f) * (across + 0.25f) * 18);
            float shade = 0.15f + 0.4f * round + 0.4f * crest;
            shade *= top ? 1 - 1.2f * along * along : 0.5f;
            return ramp({hex(0x101216), hex(0x2e343e), hex(0x56606e), hex(0x8a94a2)}, clamp01(shade * (0.85f + 0.25f * brush)));
        };
        if (inWarp && (warpTop || !inWeft))
            return band(true, warpTop);
        if (inWeft)
            return band(false, !warpTop);
        return hex(0x140e0a);
    });
    return c.image();
}

// Paper folded many times and opened flat again: straight creases, ridges and valleys, and flat
// facets between them that catch the light differently. Each crease runs along a whole-number
// direction so it comes back at the opposite edge.
QImage foldPaper()
{
    struct Crease { int a, b; float offset, depth; };
    const Crease creases[] = {{1, 0, 0.2f, 1}, {0, 1, 0.6f, -1}, {1, 1, 0.1f, 0.8f}, {1, -1, 0.45f, -0.7f},
                              {2, 1, 0.3f, 0.5f}, {1, 2, 0.75f, -0.5f}, {2, -1, 0.9f, 0.4f}};
    const int size = 192;
    HeightField h(size, size);
    h.fill([&](float u, float v, int, int) {
        float z = 0;
        for (const Crease& c : creases)
            z += c.depth * std::abs(fract(float(c.a) * u + float(c.b) * v - c.offset) - 0.5f) / std::hypot(float(c.a), float(c.b));
        return z * 30 + 0.3f * fbm(u, v, 8, 2, 1703);
    });
    Canvas c(size, size);
    c.fill([&](float u, float v, int x, int y) {
        return hex(0x6e6658) * (0.97f + 0.05f * valueNoise(u, v, 96, 96, 1704)) * std::clamp(h.light(x, y, 0.45f), 0.7f, 1.25f);
    });
    return c.image();
}

// Damask wall-paper: a half-drop flower motif on fine stripes, green on green.
QImage wallPaper()
{
    const int w = 128, h = 192;
    QImage image(w, h, QImage::Format_RGB32);
    Canvas ground(w, h);
    ground.fill([](float u, float v, int x, int) {
        const Rgb base = (x / 4) % 2 ? hex(0x23382c) : hex(0x203428);
        return base * (0.96f + 0.06f * valueNoise(u, v, 64, 64, 1801));
    });
    image = ground.image();
    QPainterPath motif;
    for (int k = 0; k < 4; ++k) { // four leaves around a bud
        QPainterPath leaf;
        leaf.moveTo(0, 0);
        leaf.cubicTo(10, -8, 24, -6, 30, 0);
        leaf.cubicTo(24, 6, 10, 8, 0, 0);
        QTransform t;
        t.rotate(45 + 90 * k);
        motif.addPath(t.map(leaf));
    }
    motif.addEllipse(QPointF(0, 0), 7, 7);
    QPainterPath stem;
    stem.moveTo(0, -44);
    stem.cubicTo(8, -30, -8, -18, 0, -8);
    stem.moveTo(0, 44);
    stem.cubicTo(-8, 30, 8, 18, 0, 8);
    paintWrapped(image, [&](QPainter& p) {
        for (const QPointF centre : {QPointF(32, 48), QPointF(96, 144)}) {
            p.save();
            p.translate(centre);
            p.setPen(Qt::NoPen);
            p.setBrush(qcolor(hex(0x3a5a44)));
            p.drawPath(motif);
            p.setBrush(qcolor(hex(0x4a6a4e)));
            p.drawEllipse(QPointF(0, 0), 3.5, 3.5);
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(qcolor(hex(0x34503e)), 2.5));
            p.drawPath(stem);
            p.restore();
        }
        for (const QPointF dot : {QPointF(96, 48), QPointF(32, 144)}) {
            p.setPen(Qt::NoPen);
            p.setBrush(qcolor(hex(0x2e4a38)));
            for (int k = 0; k < 4; ++k)
                p.drawEllipse(dot + QPointF(8 * std::cos(k * pi / 2), 8 * std::sin(k * pi / 2)), 3, 3);
        }
    });
    return image;
}

} // namespace

QImage drawFabricBackground(int number)
{
    const auto plain = [](int i, int j) { return (i + j) % 2 == 0; };
    switch (number) {
    case 258: // Jute: coarse open weave
        return weave({192, 8, 0.78f, 0.8f, 0.35f, hex(0x8a7044), hex(0x7e6640), hex(0x2a1e10), 0.5f, plain, 258});
    case 268: // Linen: fine, slubbed
        return weave({192, 4, 0.95f, 0.95f, 0.4f, hex(0x86806e), hex(0x7c7666), hex(0x4a463c), 0.35f, plain, 268});
    case 317: // Cloth: herringbone tweed
        return weave({192, 3, 1.0f, 1.0f, 0.1f, hex(0x4e4a42), hex(0x6e6656), hex(0x2a2822), 0.6f,
                      [](int i, int j) { return ((i % 16 < 8) ? (i + j) : (i - j + 64)) % 4 < 2; }, 317});
    case 296:
        return moquette(1);
    case 321:
        return moquette(2);
    case 266:
        return moquette(3);
    case 267:
        return carpet();
    case 264: return surface(1);
    case 293: return surface(2);
    case 291: return surface(3);
    case 290: return surface(4);
    case 292: return surface(5);
    case 288: return surface(6);
    case 295: return surface(7);
    case 306: return surface(8);
    case 297:
        return glass();
    case 272: // Metal blue
        return brushedMetal(hex(0x1e2e46), hex(0x6a84a6), 0, 272);
    case 287: // Metal gold
        return brushedMetal(hex(0x4a3812), hex(0xa8884a), 1, 287);
    case 301:
        return ribbon();
    case 303:
        return foldPaper();
    case 259:
        return wallPaper();
    default:
        return {};
    }
}

} // namespace kst::assets
