#pragma once
// Port: off-screen bitmaps and the drawing the core does on them. The window surface is a
// bitmap too, so "draw on the window" and "draw on the table buffer" are the same calls.

#include "platform/Geometry.h"

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kst {

class CardArt;

// The table's small texts (labels, the score panel): the program's sans-serif face.
struct TextStyle {
    int points = 8;
    bool bold = false;
    friend bool operator==(const TextStyle&, const TextStyle&) = default;
};

class Bitmap {
public:
    virtual ~Bitmap() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // Resizes; the content becomes undefined (implementations clear it to black).
    virtual void resize(int width, int height) = 0;
    virtual void fillRect(const Rect& r, Colour c) = 0;
    // Block copy of source's rectangle src to (dst.x, dst.y); clipped to both bitmaps.
    // source may be this bitmap (overlapping copies are handled).
    virtual void copyFrom(const Bitmap& source, const Rect& src, Point dst) = 0;
    virtual Colour pixel(int x, int y) const = 0;
    virtual void setPixel(int x, int y, Colour c) = 0;

    // Transparency, for pictures that carry it (the empty-pile marks, pointer pictures): pixel()
    // is then the colour premultiplied by alpha. Bitmaps the program makes are opaque.
    virtual int alpha(int x, int y) const = 0;
    // Draws source's rectangle over this one by the source's own transparency; clipped like
    // copyFrom. An opaque source is simply copied.
    virtual void blendFrom(const Bitmap& source, const Rect& src, Point dst) = 0;
    // Copies source's rectangle leaving out every pixel of the key colour (pictures drawn with a
    // "transparent colour"); clipped like copyFrom.
    virtual void copyTransparent(const Bitmap& source, const Rect& src, Point dst, Colour key) = 0;
    // Inverts every colour of the rectangle (a highlight that a second call takes away).
    virtual void invertRect(const Rect& r) = 0;

    // Writes a Windows-1252 text with its top left at the point, over what is there.
    virtual void drawText(Point topLeft, std::string_view text, const TextStyle& style, Colour colour) = 0;
    virtual int textWidth(std::string_view text, const TextStyle& style) const = 0;
};

// The pixels of a block of source, row by row. Drawing operations read the whole block before
// writing, since the source may be the bitmap drawn on, overlapping the destination.
inline std::vector<Pixel> readBlock(const Bitmap& source, const Rect& block)
{
    std::vector<Pixel> pixels;
    pixels.reserve(std::size_t(std::max(block.width, 0)) * std::size_t(std::max(block.height, 0)));
    for (int y = block.y; y < block.bottom(); ++y)
        for (int x = block.x; x < block.right(); ++x)
            pixels.push_back({source.pixel(x, y), source.alpha(x, y)});
    return pixels;
}

class Graphics {
public:
    virtual ~Graphics() = default;
    virtual std::unique_ptr<Bitmap> createBitmap(int width, int height) = 0;
    // Loads a picture file (BMP and the other common formats); null when it is missing or not
    // a picture.
    virtual std::unique_ptr<Bitmap> loadImageFile(const std::string& path) = 0;
    // Bits per pixel times planes of the display.
    virtual int displayColourBits() = 0;
    virtual Size screenSize() = 0;
    // Card pictures drawn at any size (platform/CardArt.h); null where the platform has none, and
    // then only the sizes of the resource library at one device pixel per table pixel are shown.
    virtual CardArt* cardArt() { return nullptr; }
};

} // namespace kst
