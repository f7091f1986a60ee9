#pragma once
// Building blocks for the tiled table backgrounds: colours as floats, noise that repeats exactly
// with the tile, cellular noise on a wrapping lattice, relief lighting of height fields, and
// painting of shapes so that what leaves one edge comes back at the opposite one.
//
// Every pattern takes tile coordinates u, v in [0, 1) and integer frequencies (cells across the
// tile), so a pattern sampled at u and at u + 1 is the same: the pictures join seamlessly when the
// table repeats them. Randomness comes from hashing lattice positions with a seed, never from the
// clock, so each run draws the same bytes.

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace kst::assets::texture {

inline constexpr float pi = 3.14159265358979f;

struct Rgb {
    float r = 0, g = 0, b = 0;
};
inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator-(Rgb a, Rgb b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline Rgb operator*(Rgb a, float k) { return {a.r * k, a.g * k, a.b * k}; }
inline Rgb operator*(Rgb a, Rgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }

// 0xRRGGBB to a colour with channels in [0, 1].
inline Rgb hex(std::uint32_t rgb)
{
    return {((rgb >> 16) & 255) / 255.0f, ((rgb >> 8) & 255) / 255.0f, (rgb & 255) / 255.0f};
}
inline float clamp01(float x) { return std::clamp(x, 0.0f, 1.0f); }
inline float mix(float a, float b, float t) { return a + (b - a) * t; }
inline Rgb mix(Rgb a, Rgb b, float t) { return a + (b - a) * t; }
inline float smooth(float e0, float e1, float x)
{
    const float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}
inline float fract(float x) { return x - std::floor(x); }
inline int wrap(int i, int n) { return ((i % n) + n) % n; }

// Piecewise-linear colour ramp over t in [0, 1] through evenly spaced stops.
inline Rgb ramp(std::initializer_list<Rgb> stops, float t)
{
    const int n = int(stops.size());
    t = clamp01(t) * float(n - 1);
    const int i = std::min(int(t), n - 2);
    return mix(stops.begin()[i], stops.begin()[i + 1], t - float(i));
}

inline std::uint32_t hash(int x, int y, std::uint32_t seed)
{
    std::uint32_t h = seed * 0x9E3779B9u ^ std::uint32_t(x) * 0x85EBCA6Bu ^ std::uint32_t(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}
// Uniform in [0, 1) for a lattice point.
inline float cell(int x, int y, std::uint32_t seed) { return float(hash(x, y, seed) >> 8) / 16777216.0f; }

// Small deterministic generator for placing shapes.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    float uniform() { return float(next() >> 40) / 16777216.0f; }
    float range(float lo, float hi) { return lo + (hi - lo) * uniform(); }
    int below(int n) { return int(next() % std::uint64_t(n)); }

private:
    std::uint64_t m_state;
};

// Value noise in [0, 1] with fx × fy lattice cells across the tile.
inline float valueNoise(float u, float v, int fx, int fy, std::uint32_t seed)
{
    const float x = u * float(fx), y = v * float(fy);
    const int ix = int(std::floor(x)), iy = int(std::floor(y));
    float tx = x - float(ix), ty = y - float(iy);
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    const int x0 = wrap(ix, fx), x1 = wrap(ix + 1, fx), y0 = wrap(iy, fy), y1 = wrap(iy + 1, fy);
    return mix(mix(cell(x0, y0, seed), cell(x1, y0, seed), tx), mix(cell(x0, y1, seed), cell(x1, y1, seed), tx), ty);
}

// Gradient noise, roughly in [-1, 1], fx × fy cells across the tile.
inline float gradientNoise(float u, float v, int fx, int fy, std::uint32_t seed)
{
    const float x = u * float(fx), y = v * float(fy);
    const int ix = int(std::floor(x)), iy = int(std::floor(y));
    const float tx = x - float(ix), ty = y - float(iy);
    auto dot = [&](int cx, int cy, float dx, float dy) {
        const float a = cell(wrap(cx, fx), wrap(cy, fy), seed) * 2 * pi;
        return std::cos(a) * dx + std::sin(a) * dy;
    };
    const float sx = tx * tx * tx * (tx * (tx * 6 - 15) + 10), sy = ty * ty * ty * (ty * (ty * 6 - 15) + 10);
    const float n = mix(mix(dot(ix, iy, tx, ty), dot(ix + 1, iy, tx - 1, ty), sx),
                        mix(dot(ix, iy + 1, tx, ty - 1), dot(ix + 1, iy + 1, tx - 1, ty - 1), sx), sy);
    return n * 1.41f;
}

// Fractal sum of gradient noise: octaves double the frequency and scale the amplitude by gain.
inline float fbm(float u, float v, int fx, int fy, int octaves, std::uint32_t seed, float gain = 0.5f)
{
    float sum = 0, amplitude = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * gradientNoise(u, v, fx << i, fy << i, seed + std::uint32_t(i) * 1013u);
        norm += amplitude;
        amplitude *= gain;
    }
    return sum / norm * 1.6f;
}
inline float fbm(float u, float v, int f, int octaves, std::uint32_t seed)
{
    return fbm(u, v, f, f, octaves, seed, 0.5f);
}
// Square fBm with its own gain: more than 0.5 keeps more of the fine detail.
inline float fbmGain(float u, float v, int f, int octaves, std::uint32_t seed, float gain)
{
    return fbm(u, v, f, f, octaves, seed, gain);
}

// Cellular noise: one jittered point per lattice cell, distances in cell units.
struct Cells {
    float f1 = 9, f2 = 9; // nearest and second nearest distance
    int cx = 0, cy = 0;   // wrapped lattice cell of the nearest point
    float px = 0, py = 0; // offset from the sample to the nearest point, in cell units
};
inline Cells cells(float u, float v, int fx, int fy, std::uint32_t seed, float jitter = 0.85f)
{
    const float x = u * float(fx), y = v * float(fy);
    const int ix = int(std::floor(x)), iy = int(std::floor(y));
    Cells c;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int gx = wrap(ix + dx, fx), gy = wrap(iy + dy, fy);
            const float ox = float(ix + dx) + 0.5f + (cell(gx, gy, seed) - 0.5f) * jitter;
            const float oy = float(iy + dy) + 0.5f + (cell(gx, gy, seed + 77) - 0.5f) * jitter;
            const float d = std::hypot(ox - x, oy - y);
            if (d < c.f1) {
                c.f2 = c.f1;
                c.f1 = d;
                c.cx = gx;
                c.cy = gy;
                c.px = ox - x;
                c.py = oy - y;
            } else if (d < c.f2) {
                c.f2 = d;
            }
        }
    return c;
}

// A w × h picture built pixel by pixel, then finished as an RGB32 image.
struct Canvas {
    int w, h;
    std::vector<Rgb> px;
    Canvas(int width, int height) : w(width), h(height), px(std::size_t(width * height)) {}
    Rgb& at(int x, int y) { return px[std::size_t(wrap(y, h) * w + wrap(x, w))]; }
    template <class F> void fill(F f)
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                px[std::size_t(y * w + x)] = f((float(x) + 0.5f) / float(w), (float(y) + 0.5f) / float(h), x, y);
    }
    QImage image() const
    {
        QImage out(w, h, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y) {
            auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
            for (int x = 0; x < w; ++x) {
                const Rgb c = px[std::size_t(y * w + x)];
                line[x] = qRgb(int(clamp01(c.r) * 255 + 0.5f), int(clamp01(c.g) * 255 + 0.5f),
                               int(clamp01(c.b) * 255 + 0.5f));
            }
        }
        return out;
    }
    static Canvas from(const QImage& image)
    {
        const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        Canvas c(rgb.width(), rgb.height());
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x) {
                const QRgb p = rgb.pixel(x, y);
                c.at(x, y) = {qRed(p) / 255.0f, qGreen(p) / 255.0f, qBlue(p) / 255.0f};
            }
        return c;
    }
};

// A height per pixel, lit from the upper left: returns the shading factor around 1 (flat).
struct HeightField {
    int w, h;
    std::vector<float> z;
    HeightField(int width, int height) : w(width), h(height), z(std::size_t(width * height)) {}
    float& at(int x, int y) { return z[std::size_t(wrap(y, h) * w + wrap(x, w))]; }
    template <class F> void fill(F f)
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                z[std::size_t(y * w + x)] = f((float(x) + 0.5f) / float(w), (float(y) + 0.5f) / float(h), x, y);
    }
    // depth scales the slopes (pixels of height per unit); light comes from the upper left.
    float light(int x, int y, float depth)
    {
        const float dx = (at(x + 1, y) - at(x - 1, y)) * depth * 0.5f;
        const float dy = (at(x, y + 1) - at(x, y - 1)) * depth * 0.5f;
        const float nx = -dx, ny = -dy, nz = 1;
        const float len = std::sqrt(nx * nx + ny * ny + nz * nz);
        const float lx = -0.5f, ly = -0.6f, lz = 0.62f; // unit-ish vector towards the light
        const float flat = lz;
        return (nx * lx + ny * ly + nz * lz) / len / flat;
    }
};

// Paints with QPainter so shapes crossing an edge continue across the opposite one: the drawing
// runs nine times, shifted by whole tiles.
inline void paintWrapped(QImage& image, const std::function<void(QPainter&)>& draw)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            p.save();
            p.translate(dx * image.width(), dy * image.height());
            draw(p);
            p.restore();
        }
}

inline QColor qcolor(Rgb c, float alpha = 1)
{
    return QColor::fromRgbF(clamp01(c.r), clamp01(c.g), clamp01(c.b), clamp01(alpha));
}

} // namespace kst::assets::texture
