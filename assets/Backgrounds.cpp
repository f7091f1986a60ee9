// The table backgrounds of the IMAGES folder: the geometricals, the few-colour pictures for
// 256-colour displays, the demo background, and the writing of every file.

#include "assets/BackgroundDesigns.h"
#include "assets/Generators.h"
#include "assets/ImageNames.h"
#include "assets/Texture.h"

#include <QFont>

namespace kst::assets {
using namespace texture;

namespace {

// Overlapping circles on a square lattice; regions coloured by how many circles hold them.
QImage geometricFantasy()
{
    const int size = 192, n = 4;
    const Rgb tones[] = {hex(0x1a2238), hex(0x2a3052), hex(0x3e3a66), hex(0x4e4470), hex(0x5e5076)};
    Canvas c(size, size);
    c.fill([&](float u, float v, int, int) {
        const float x = u * n, y = v * n;
        int inside = 0;
        float nearest = 9;
        for (int j = int(std::floor(y)) - 1; j <= int(std::floor(y)) + 2; ++j)
            for (int i = int(std::floor(x)) - 1; i <= int(std::floor(x)) + 2; ++i)
                for (const auto& [cx, cy] : {std::pair{float(i), float(j)}, std::pair{float(i) + 0.5f, float(j) + 0.5f}}) {
                    const float d = std::hypot(x - cx, y - cy);
                    inside += d < 0.5f;
                    nearest = std::min(nearest, std::abs(d - 0.5f));
                }
        Rgb col = tones[std::min(inside, 4)];
        col = col * (0.92f + 0.1f * fbm(u, v, 3, 3, 4001));
        return nearest < 0.012f ? hex(0x8a7a56) : col;
    });
    return c.image();
}

// Rolling waves: stacked crests, each shaded from its lit face to its trough.
QImage waves()
{
    Canvas c(192, 192);
    c.fill([](float u, float v, int, int) {
        const float phase = 0.08f * std::sin(2 * pi * (2 * u)) + 0.04f * std::sin(2 * pi * (3 * u + 0.25f)) +
                            0.03f * fbm(u, v, 2, 2, 4101);
        const float t = fract(v * 8 + phase * 8);
        const float crest = t < 0.2f ? t / 0.2f : 1 - (t - 0.2f) / 0.8f;
        const Rgb col = mix(hex(0x0e2240), hex(0x2e5478), crest);
        return col + hex(0x2a3a4a) * (0.5f * smooth(0.17f, 0.2f, t) * smooth(0.26f, 0.2f, t));
    });
    return c.image();
}

// A maze on a torus: carved by a depth-first walk whose passages wrap round the edges, then
// shown as raised walls.
QImage labyrinth()
{
    const int n = 12, cellSize = 16, size = n * cellSize;
    std::vector<int> open(std::size_t(n * n), 0); // bit 0: passage east, bit 1: passage south
    std::vector<bool> seen(std::size_t(n * n), false);
    Random rnd(4201);
    std::vector<int> stack{0};
    seen[0] = true;
    while (!stack.empty()) {
        const int at = stack.back(), x = at % n, y = at / n;
        int options[4], count = 0;
        const int next[4] = {y * n + wrap(x + 1, n), y * n + wrap(x - 1, n), wrap(y + 1, n) * n + x, wrap(y - 1, n) * n + x};
        for (int k = 0; k < 4; ++k)
            if (!seen[std::size_t(next[k])])
                options[count++] = k;
        if (count == 0) {
            stack.pop_back();
            continue;
        }
        const int k = options[rnd.below(count)];
        const int to = next[k];
        switch (k) {
        case 0: open[std::size_t(at)] |= 1; break;
        case 1: open[std::size_t(to)] |= 1; break;
        case 2: open[std::size_t(at)] |= 2; break;
        default: open[std::size_t(to)] |= 2; break;
        }
        seen[std::size_t(to)] = true;
        stack.push_back(to);
    }
    // Walls are 4 pixels thick, centred on the cell borders.
    HeightField h(size, size);
    h.fill([&](float, float, int x, int y) {
        const int cx = x / cellSize, cy = y / cellSize, lx = x % cellSize, ly = y % cellSize;
        auto wallEast = [&](int i, int j) { return !(open[std::size_t(wrap(j, n) * n + wrap(i, n))] & 1); };
        auto wallSouth = [&](int i, int j) { return !(open[std::size_t(wrap(j, n) * n + wrap(i, n))] & 2); };
        const int t = 2;
        bool wall = (lx < t || lx >= cellSize - t) && (ly < t || ly >= cellSize - t); // the posts
        if (lx >= cellSize - t && wallEast(cx, cy)) wall = true;
        if (lx < t && wallEast(cx - 1, cy)) wall = true;
        if (ly >= cellSize - t && wallSouth(cx, cy)) wall = true;
        if (ly < t && wallSouth(cx, cy - 1)) wall = true;
        return wall ? 1.0f : 0.0f;
    });
    Canvas c(size, size);
    c.fill([&](float u, float v, int x, int y) {
        const float z = h.at(x, y);
        const Rgb floor = hex(0x24362a) * (0.9f + 0.15f * fbm(u, v, 6, 3, 4202));
        const Rgb wall = hex(0x5a6a4a) * (0.92f + 0.1f * valueNoise(u, v, 96, 96, 4203));
        // the floor is shadowed beside walls to its upper left
        const float shadow = (h.at(x - 1, y - 1) > z || h.at(x - 2, y - 2) > z) ? 0.7f : 1.0f;
        return (z > 0 ? wall : floor * shadow) * std::clamp(h.light(x, y, 0.7f), 0.6f, 1.4f);
    });
    return c.image();
}

// ---- the pictures for 256-colour displays: flat colours from a small palette ----

// Paints with palette indices; the result is stored as an 8-bit indexed picture.
struct Flat {
    int w, h;
    std::vector<QRgb> palette;
    std::vector<std::uint8_t> index;
    Flat(int width, int height, std::vector<QRgb> colours)
        : w(width), h(height), palette(std::move(colours)), index(std::size_t(width * height)) {}
    template <class F> void fill(F f)
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                index[std::size_t(y * w + x)] = std::uint8_t(f(x, y));
    }
    QImage image() const
    {
        // A full 256-entry table: with 16 colours or fewer the BMP writer would store 4 bits a
        // pixel, and these pictures are meant as plain 8-bit files.
        QList<QRgb> table(palette.begin(), palette.end());
        table.resize(256, palette.front());
        QImage out(w, h, QImage::Format_Indexed8);
        out.setColorTable(table);
        for (int y = 0; y < h; ++y)
            std::copy_n(&index[std::size_t(y * w)], w, out.scanLine(y));
        return out;
    }
};

QImage flatParquet()
{
    // 0 gap, 1..4 plank browns, 5 grain line
    Flat f(96, 96, {qRgb(40, 24, 12), qRgb(128, 84, 44), qRgb(108, 68, 34), qRgb(146, 98, 54), qRgb(96, 60, 30), qRgb(84, 52, 26)});
    const int block = 24, strip = 8;
    f.fill([&](int x, int y) {
        const int bx = x / block, by = y / block;
        const bool across = (bx + by) % 2 == 0;
        const int along = across ? x % block : y % block, side = across ? y % block : x % block;
        const int stripIndex = side / strip, inStrip = side % strip;
        if (inStrip == 0 || along == 0)
            return 0;
        const int tone = 1 + (bx * 3 + by * 5 + stripIndex * 2) % 4;
        if ((inStrip == 3 || inStrip == 6) && (along + stripIndex * 5 + bx * 7) % 11 < 6)
            return 5;
        return tone;
    });
    return f.image();
}

QImage flatMoquette()
{
    Flat f(64, 64, {qRgb(60, 20, 24), qRgb(96, 32, 34), qRgb(130, 54, 44), qRgb(150, 110, 60)});
    f.fill([](int x, int y) {
        const int cx = x % 16, cy = y % 16;
        const int d = std::abs(cx - 8) + std::abs(cy - 8);
        if (d <= 1) return 3;
        if (d <= 4) return 2;
        if (d <= 6) return 1;
        return ((x + y) % 2) ? 0 : 1 * (d >= 14);
    });
    return f.image();
}

QImage flatCloth()
{
    // A tartan in twill: every pixel shows either its warp thread or its weft thread.
    Flat f(96, 96, {qRgb(20, 40, 30), qRgb(26, 34, 64), qRgb(16, 16, 20), qRgb(120, 36, 32), qRgb(90, 84, 50)});
    const int sett[] = {2, 2, 2, 2, 1, 1, 1, 1, 2, 2, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 3, 0, 0, 0, 0,
                        0, 0, 0, 0, 0, 0, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 4, 4}; // 48 threads, mirrored below
    auto thread = [&](int k) { k %= 96; return sett[k < 48 ? k : 95 - k]; };
    f.fill([&](int x, int y) { return ((x + y) / 2) % 2 ? thread(x) : thread(y); });
    return f.image();
}

QImage flatCaneBrake()
{
    // Cane webbing on a 16-pixel lattice: pairs of strands down and across, woven over and
    // under at their crossings, and diagonal strands laid over them that cut the corners of the
    // square openings into octagons.
    Flat f(64, 64, {qRgb(52, 36, 22), qRgb(160, 126, 76), qRgb(126, 96, 56), qRgb(146, 112, 66), qRgb(108, 80, 46),
                    qRgb(84, 60, 34)});
    f.fill([](int x, int y) {
        const float px = float(x % 16) + 0.5f, py = float(y % 16) + 0.5f;
        const float a = std::abs(std::fmod(px - py + 64, 16.0f) - 8), b = std::abs(std::fmod(px + py, 16.0f) - 8);
        const float diagonal = std::min(a, b) / std::sqrt(2.0f);
        if (diagonal < 1.45f)
            return diagonal < 0.75f ? 3 : 4;
        const float hx = px - 8, hy = py - 8;
        if (std::abs(hx) < 4 && std::abs(hy) < 4)
            return 0;
        const float ex = 8 - std::abs(hx), ey = 8 - std::abs(hy); // from the strand pairs' middle
        const bool down = ex < 4, across = ey < 4;
        const int crossing = (x + 8) / 16 + (y + 8) / 16;
        const float e = (down && (!across || crossing % 2 == 0)) ? ex : ey;
        if (e < 0.6f)
            return 5;
        return std::abs(e - 2.2f) < 1.0f ? 1 : 2;
    });
    return f.image();
}

QImage flatThousandRows()
{
    Flat f(96, 96, {qRgb(22, 32, 48), qRgb(34, 50, 72), qRgb(48, 66, 88), qRgb(26, 40, 60)});
    f.fill([](int x, int y) {
        const int row = y / 4, inRow = y % 4;
        if (inRow == 3)
            return 0;
        const int length = 6 + (row * 5) % 4 * 2; // 6, 8, 10 or 12: each divides the tile
        const int step = 96 % length == 0 ? length : 12;
        const int shift = (row * 7) % step;
        const int dash = ((x + shift) % 96) / step;
        if ((x + shift) % step == 0)
            return 0;
        return 1 + (dash + row) % 3;
    });
    return f.image();
}

} // namespace

QImage drawGeometricBackground(int number)
{
    switch (number) {
    case 101: return flatParquet();
    case 102: return flatMoquette();
    case 103: return flatCloth();
    case 104: return flatCaneBrake();
    case 105: return flatThousandRows();
    case 273: return geometricFantasy();
    case 276: return waves();
    case 278: return labyrinth();
    default: return {};
    }
}

// A quiet slate ground with a faint weave and the word DEMO written diagonally across it.
QImage drawDemoBackground()
{
    const int size = 256;
    Canvas ground(size, size);
    ground.fill([](float u, float v, int x, int y) {
        const float hatch = ((x + y) % 8 == 0) ? 0.94f : 1.0f;
        return hex(0x243440) * hatch * (0.96f + 0.06f * fbm(u, v, 2, 3, 5001));
    });
    QImage image = ground.image();
    paintWrapped(image, [](QPainter& p) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setBold(true);
        font.setPixelSize(40);
        font.setLetterSpacing(QFont::AbsoluteSpacing, 6);
        p.setFont(font);
        p.setPen(QColor(0x31, 0x46, 0x54));
        for (const QPointF centre : {QPointF(64, 64), QPointF(192, 192)}) {
            p.save();
            p.translate(centre);
            p.rotate(-45);
            p.drawText(QRectF(-100, -30, 200, 60), Qt::AlignCenter, QStringLiteral("DEMO"));
            p.restore();
        }
    });
    return image;
}

bool drawBackgrounds(const QDir& out)
{
    auto write = [&](const QImage& image, const std::string& name) {
        const QString file = out.filePath(QString::fromStdString(name));
        if (image.isNull())
            return fail(QStringLiteral("no design for ") + file);
        return image.save(file, "BMP") || fail(QStringLiteral("cannot write ") + file);
    };
    for (const NamedPicture& background : backgrounds) {
        QImage image = drawGeometricBackground(background.number);
        if (image.isNull())
            image = drawStoneOrWoodBackground(background.number);
        if (image.isNull())
            image = drawFabricBackground(background.number);
        if (image.isNull())
            image = drawSceneBackground(background.number);
        if (!write(image, backgroundFile(background.number)))
            return false;
    }
    return write(drawDemoBackground(), std::string(demoBackgroundFile));
}

} // namespace kst::assets
