#pragma once
// Small value types shared by the ports and the core: points, rectangles, colours, dates.

#include <cstdint>

namespace kst {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Left, top, width, height, as the window system measures them.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool isEmpty() const { return width <= 0 || height <= 0; }
    bool contains(Point p) const { return p.x >= x && p.x < right() && p.y >= y && p.y < bottom(); }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A block of one bitmap copied into another, clipped to both: the part of the source rectangle
// that survives and where it lands. Empty source when nothing does.
struct ClippedBlock {
    Rect source;
    Point destination;
};

constexpr ClippedBlock clipBlock(Rect src, Point dst, Size sourceSize, Size destinationSize)
{
    const auto clip = [](int& from, int& to, int& length, int fromLimit, int toLimit) {
        if (from < 0) {
            to -= from;
            length += from;
            from = 0;
        }
        if (to < 0) {
            from -= to;
            length += to;
            to = 0;
        }
        length = length < fromLimit - from ? length : fromLimit - from;
        length = length < toLimit - to ? length : toLimit - to;
    };
    clip(src.x, dst.x, src.width, sourceSize.width, destinationSize.width);
    clip(src.y, dst.y, src.height, sourceSize.height, destinationSize.height);
    if (src.width <= 0 || src.height <= 0)
        return {{src.x, src.y, 0, 0}, dst};
    return {src, dst};
}

// 0x00RRGGBB. The data files store colours as decimal numbers in the old system's order
// (0x00BBGGRR); convert with fromStoredColour/toStoredColour.
using Colour = std::uint32_t;

constexpr Colour rgb(int r, int g, int b)
{
    return (Colour(r & 0xff) << 16) | (Colour(g & 0xff) << 8) | Colour(b & 0xff);
}
constexpr int red(Colour c) { return int((c >> 16) & 0xff); }
constexpr int green(Colour c) { return int((c >> 8) & 0xff); }
constexpr int blue(Colour c) { return int(c & 0xff); }
constexpr Colour fromStoredColour(std::uint32_t stored)
{
    return rgb(int(stored & 0xff), int((stored >> 8) & 0xff), int((stored >> 16) & 0xff));
}
constexpr std::uint32_t toStoredColour(Colour c)
{
    return std::uint32_t(red(c)) | (std::uint32_t(green(c)) << 8) | (std::uint32_t(blue(c)) << 16);
}

// A pixel with transparency: colour premultiplied by alpha (0 transparent .. 255 opaque), as
// pictures with an alpha channel hold them.
struct Pixel {
    Colour colour = 0;
    int alpha = 255;
    friend bool operator==(const Pixel&, const Pixel&) = default;
};

// Source drawn over destination (both premultiplied): every bitmap blends with this one rule, so
// they all agree to the bit.
constexpr Pixel blendOver(Pixel source, Pixel destination)
{
    const int keep = 255 - source.alpha;
    const auto scaled = [keep](int channel) { return (channel * keep + 127) / 255; };
    return {rgb(red(source.colour) + scaled(red(destination.colour)),
                green(source.colour) + scaled(green(destination.colour)),
                blue(source.colour) + scaled(blue(destination.colour))),
            source.alpha + scaled(destination.alpha)};
}

// A calendar date and time of day, local time.
struct DateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    friend bool operator==(const DateTime&, const DateTime&) = default;
};

} // namespace kst
