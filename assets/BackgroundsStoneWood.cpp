// Marbles, granite, walls and woods.

#include "assets/BackgroundDesigns.h"
#include "assets/Texture.h"

namespace kst::assets {
using namespace texture;

namespace {

struct MarbleLook {
    Rgb deep, body, cloud, vein;
    int slantU, slantV; // whole vein bands across the tile, so they wrap
    std::uint32_t seed;
};

QImage marble(const MarbleLook& m)
{
    Canvas c(192, 192);
    c.fill([&](float u, float v, int, int) {
        const float wx = fbm(u, v, 2, 4, m.seed + 1), wy = fbm(u, v, 2, 4, m.seed + 2);
        const float n = fbm(u + 0.08f * wx, v + 0.08f * wy, 3, 5, m.seed);
        const float band = std::abs(std::sin(pi * (float(m.slantU) * u + float(m.slantV) * v) + 2.2f * n));
        const float vein = std::pow(1 - band, 14.0f);
        const float fine = std::pow(1 - std::abs(fbm(u, v, 5, 4, m.seed + 9)), 10.0f);
        const float cloud = 0.5f + 0.5f * fbm(u, v, 2, 5, m.seed + 5);
        Rgb base = ramp({m.deep, m.body, m.cloud}, cloud);
        base = mix(base, m.vein, 0.75f * vein + 0.3f * fine);
        return base;
    });
    return c.image();
}

QImage granite()
{
    Canvas c(192, 192);
    const Rgb minerals[] = {hex(0x26221f), hex(0x7a6a64), hex(0x8e7468), hex(0x5c5652), hex(0x3c3633), hex(0xa69890)};
    c.fill([&](float u, float v, int, int) {
        const Cells g = cells(u, v, 56, 56, 31, 0.95f);
        const float pick = cell(g.cx, g.cy, 32);
        int i = pick < 0.22f ? 0 : pick < 0.45f ? 1 : pick < 0.62f ? 2 : pick < 0.85f ? 3 : pick < 0.96f ? 4 : 5;
        Rgb grain = minerals[i];
        const Cells fine = cells(u, v, 120, 120, 33);
        const float speck = cell(fine.cx, fine.cy, 34);
        if (speck < 0.12f)
            grain = mix(grain, minerals[0], 0.7f);
        grain = grain * (0.9f + 0.2f * valueNoise(u, v, 192, 192, 35));
        return grain * (0.92f + 0.1f * fbm(u, v, 3, 3, 36));
    });
    return c.image();
}

// Wood grain running left to right: growth rings swept by low-frequency noise into the long
// arches of a flat-sawn board, with fine streaks and pores.
struct WoodLook {
    Rgb early, late, streak;
    int rings;       // ring bands across the tile height
    float sweep;     // how far the rings wander
    int boards;      // 0: one piece, else boards across the height with staggered end joints
    std::uint32_t seed;
};

Rgb woodAt(const WoodLook& wood, float u, float v, std::uint32_t seed)
{
    const float arch = fbm(u, v, 1, 2, 3, seed) * wood.sweep + 0.3f * fbm(u, v, 2, 6, 2, seed + 4);
    const float t = fract(v * float(wood.rings) + arch);
    const float ring = smooth(0.55f, 0.95f, t) * (1 - smooth(0.95f, 1.0f, t));
    const float streaks = valueNoise(u, v, 3, 160, seed + 5) * 0.6f + valueNoise(u, v, 7, 96, seed + 6) * 0.4f;
    Rgb col = mix(wood.early, wood.late, 0.75f * ring);
    col = mix(col, wood.streak, 0.35f * streaks);
    const float pore = valueNoise(u, v, 24, 192, seed + 7);
    if (pore > 0.78f)
        col = col * (1 - 1.2f * (pore - 0.78f));
    return col;
}

QImage wood(const WoodLook& w)
{
    Canvas c(192, 192);
    c.fill([&](float u, float v, int, int y) {
        if (w.boards == 0)
            return woodAt(w, u, v, w.seed);
        const int height = 192 / w.boards;
        const int board = y / height;
        const int inBoard = y % height;
        const float joint = cell(board, 0, w.seed + 11);
        const bool beyondJoint = fract(u - joint) < 0.5f;
        const std::uint32_t pieceSeed = w.seed + std::uint32_t(board * 2 + (beyondJoint ? 1 : 0)) * 101u;
        Rgb col = woodAt(w, fract(u + cell(board, 1, w.seed)), v, pieceSeed);
        col = col * (0.9f + 0.16f * cell(board, beyondJoint, w.seed + 12));
        const float f = fract(u - joint);
        const float dj = std::min({f, std::abs(f - 0.5f), 1 - f}) * 192;
        if (inBoard == 0 || dj < 0.6f)
            col = col * 0.45f;
        else if (inBoard == 1)
            col = col * 1.08f;
        else if (inBoard == height - 1)
            col = col * 0.8f;
        return col;
    });
    return c.image();
}

// Dark wood with a carved lattice of interlaced circles.
QImage carvedWood()
{
    const WoodLook grain{hex(0x5a3a22), hex(0x3a2414), hex(0x6a4a30), 7, 0.8f, 0, 501};
    HeightField relief(192, 192);
    const int cellsAcross = 4;
    relief.fill([&](float u, float v, int, int) {
        const float x = u * cellsAcross, y = v * cellsAcross;
        float depth = 0;
        for (int cy = -1; cy <= 1; ++cy)
            for (int cx = -1; cx <= 1; ++cx) {
                const float ox = std::floor(x) + float(cx), oy = std::floor(y) + float(cy);
                for (const auto& [px, py] : {std::pair{ox, oy}, std::pair{ox + 0.5f, oy + 0.5f}}) {
                    const float d = std::abs(std::hypot(x - px, y - py) - 0.5f);
                    depth = std::max(depth, smooth(0.07f, 0.015f, d));
                }
            }
        return -depth * 3;
    });
    Canvas c(192, 192);
    c.fill([&](float u, float v, int x, int y) {
        Rgb col = woodAt(grain, u, v, grain.seed);
        const float groove = -relief.at(x, y) / 3;
        col = col * (1 - 0.35f * groove);
        return col * std::clamp(relief.light(x, y, 2.2f), 0.5f, 1.5f);
    });
    return c.image();
}

QImage cork()
{
    Canvas c(160, 160);
    c.fill([&](float u, float v, int, int) {
        const Cells g = cells(u, v, 26, 26, 601);
        const float tone = cell(g.cx, g.cy, 602);
        Rgb col = ramp({hex(0x6a4626), hex(0x8a6038), hex(0xa07448), hex(0x7a5230)}, tone);
        col = col * (0.86f + 0.22f * valueNoise(u, v, 80, 80, 603));
        const float gap = g.f2 - g.f1;
        if (gap < 0.12f)
            col = col * (0.55f + 3.5f * gap);
        const Cells holes = cells(u, v, 40, 40, 604);
        if (cell(holes.cx, holes.cy, 605) < 0.18f && holes.f1 < 0.22f)
            col = col * 0.45f;
        return col;
    });
    return c.image();
}

QImage plyWood()
{
    const WoodLook w{hex(0x9c8058), hex(0x7a5c3a), hex(0xa88a62), 3, 2.4f, 0, 701};
    Canvas c(192, 192);
    c.fill([&](float u, float v, int, int) { return woodAt(w, u, v, w.seed) * (0.95f + 0.08f * fbm(u, v, 2, 3, 702)); });
    return c.image();
}

// Basket-weave parquet: squares of three strips, turned a quarter at every other square.
QImage parquet()
{
    const WoodLook w{hex(0x8a5a32), hex(0x5e3a1e), hex(0x9a6a3e), 5, 1.2f, 0, 801};
    const int block = 48, strip = 16;
    Canvas c(192, 192);
    c.fill([&](float, float, int x, int y) {
        const int bx = x / block, by = y / block;
        const bool across = (bx + by) % 2 == 0;
        const int along = across ? x % block : y % block;
        const int side = across ? y % block : x % block;
        const int stripIndex = side / strip, inStrip = side % strip;
        const std::uint32_t seed = 810u + std::uint32_t((by * 4 + bx) * 3 + stripIndex) * 7u;
        const float gu = (float(along) + 0.5f) / float(block) * 0.25f + cell(bx, by * 3 + stripIndex, 811);
        const float gv = (float(inStrip) + 0.5f) / 192.0f + cell(bx, by * 3 + stripIndex, 812);
        Rgb col = woodAt(w, fract(gu), fract(gv), seed) * (0.82f + 0.3f * cell(bx * 3 + stripIndex, by, 813));
        if (inStrip == 0 || along == 0)
            col = col * 0.5f;
        else if (inStrip == 1 || along == 1)
            col = col * 1.08f;
        else if (inStrip == strip - 1 || along == block - 1)
            col = col * 0.82f;
        return col;
    });
    return c.image();
}

struct BrickLook {
    int length, course;                  // brick size with its joint, in pixels
    int mortar;                          // joint width
    Rgb mortarColour;
    std::initializer_list<Rgb> bricks;
    bool headers;                        // every other course laid as half bricks
    std::uint32_t seed;
};

QImage brickWall(const BrickLook& b)
{
    const int size = 192;
    HeightField height(size, size);
    std::vector<int> brickId(std::size_t(size * size));
    height.fill([&](float u, float v, int x, int y) {
        const int row = y / b.course;
        const int length = (b.headers && row % 2 == 1) ? b.length / 2 : b.length;
        const int shift = (row % 2) * (length / 2) + (b.headers ? (row % 4 == 3 ? length / 2 : 0) : 0);
        const int xs = wrap(x + shift, size);
        const int col = xs / length;
        const int dx = std::min(xs % length, length - 1 - xs % length);
        const int dy = std::min(y % b.course, b.course - 1 - y % b.course);
        const float edge = float(std::min(dx, dy)) - float(b.mortar) / 2;
        brickId[std::size_t(y * size + x)] = row * 64 + col;
        const float rough = 0.35f * fbm(u, v, 12, 2, b.seed + 3);
        return edge < 0 ? -1.0f + 0.4f * valueNoise(u, v, 96, 96, b.seed + 4) : std::min(edge, 2.0f) * 0.5f + rough;
    });
    Canvas c(size, size);
    c.fill([&](float u, float v, int x, int y) {
        const float z = height.at(x, y);
        Rgb col;
        if (z < -0.5f) {
            col = b.mortarColour * (0.85f + 0.3f * valueNoise(u, v, 64, 64, b.seed + 5));
        } else {
            const int id = brickId[std::size_t(y * size + x)];
            col = ramp(b.bricks, cell(id, 0, b.seed + 6));
            col = col * (0.85f + 0.25f * fbm(u, v, 10, 3, b.seed + 7) * 0.5f + 0.1f * valueNoise(u, v, 128, 128, b.seed + 8));
            const float burn = valueNoise(u, v, 6, 12, b.seed + 9);
            col = mix(col, col * 0.6f, smooth(0.65f, 0.9f, burn));
        }
        return col * std::clamp(height.light(x, y, 1.4f), 0.55f, 1.35f);
    });
    return c.image();
}

QImage stoneWall()
{
    const int size = 192;
    HeightField height(size, size);
    height.fill([&](float u, float v, int, int) {
        const float wu = u + 0.03f * fbm(u, v, 3, 2, 901), wv = v + 0.03f * fbm(u, v, 3, 2, 902);
        const Cells g = cells(wu, wv, 6, 7, 903, 0.8f);
        const float gap = g.f2 - g.f1;
        if (gap < 0.1f)
            return -0.6f + 0.2f * valueNoise(u, v, 80, 80, 904);
        return std::sqrt(std::min(gap - 0.1f, 0.35f)) * 1.6f + 0.12f * fbm(u, v, 12, 3, 905);
    });
    Canvas c(size, size);
    c.fill([&](float u, float v, int x, int y) {
        const float wu = u + 0.03f * fbm(u, v, 3, 2, 901), wv = v + 0.03f * fbm(u, v, 3, 2, 902);
        const Cells g = cells(wu, wv, 6, 7, 903, 0.8f);
        Rgb col;
        if (height.at(x, y) < -0.3f) {
            col = hex(0x3a3630) * (0.8f + 0.3f * valueNoise(u, v, 96, 96, 906));
        } else {
            col = ramp({hex(0x6a6258), hex(0x7e7466), hex(0x5c5a56), hex(0x857a6a), hex(0x6e665e)}, cell(g.cx, g.cy, 907));
            col = col * (0.88f + 0.12f * fbm(u, v, 16, 3, 908) + 0.08f * valueNoise(u, v, 192, 192, 909));
        }
        return col * std::clamp(height.light(x, y, 10.0f), 0.5f, 1.35f);
    });
    return c.image();
}

} // namespace

QImage drawStoneOrWoodBackground(int number)
{
    switch (number) {
    case 263: // Marble 1: grey and smoke
        return marble({hex(0x4a4c50), hex(0x6e7074), hex(0x8a8a88), hex(0x2c2d30), 1, 2, 263});
    case 261: // Marble 2: deep green serpentine
        return marble({hex(0x16302a), hex(0x244a3e), hex(0x3e6a58), hex(0x8aa896), 2, 1, 261});
    case 260: // Marble 3: rose and umber
        return marble({hex(0x5a3a36), hex(0x7a5450), hex(0x92706a), hex(0x3a2624), 1, 1, 260});
    case 262:
        return granite();
    case 269: // Light 1: honey pine
        return wood({hex(0x967446), hex(0x72502c), hex(0xa28052), 6, 1.0f, 0, 269});
    case 313: // Light 2: pale boards
        return wood({hex(0x9a8460), hex(0x76603e), hex(0xa8926c), 9, 0.9f, 4, 313});
    case 312: // Light brown
        return wood({hex(0x8a5a34), hex(0x5e3a1e), hex(0x9a6a40), 7, 1.1f, 0, 312});
    case 315: // Dark brown 1
        return wood({hex(0x4e3020), hex(0x2e1a10), hex(0x5a3a26), 8, 1.0f, 0, 315});
    case 314: // Dark brown 2: reddish boards
        return wood({hex(0x502a1c), hex(0x32180e), hex(0x603424), 10, 0.9f, 3, 314});
    case 270:
        return carvedWood();
    case 309:
        return cork();
    case 289:
        return plyWood();
    case 311:
        return parquet();
    case 304: // Brick wall 1: red running bond
        return brickWall({48, 16, 3, hex(0x8a8478), {hex(0x7a3424), hex(0x8e4430), hex(0x6a2c20), hex(0x9a5036)}, false, 304});
    case 305: // Brick wall 2: yellow and brown, alternating half bricks
        return brickWall({64, 24, 4, hex(0x4a463e), {hex(0x8a6a40), hex(0x7a5a36), hex(0x9a7a4c), hex(0x6a4a30)}, true, 305});
    case 308:
        return stoneWall();
    default:
        return {};
    }
}

} // namespace kst::assets
