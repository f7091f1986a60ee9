#pragma once
// Off-screen bitmaps as QImage (32-bit RGB), which the shell paints on the screen as they are;
// pictures with an alpha channel keep it (premultiplied).

#include "platform/Canvas.h"
#include "platform/qt/QtCardArt.h"

#include <QImage>
#include <QPixmap>

namespace kst {

class QtBitmap : public Bitmap {
public:
    QtBitmap(int width = 0, int height = 0);
    // Takes the picture's pixels; any format is converted to 32-bit RGB.
    explicit QtBitmap(const QImage& image);

    int width() const override { return m_image.width(); }
    int height() const override { return m_image.height(); }
    void resize(int width, int height) override;
    void fillRect(const Rect& r, Colour c) override;
    void copyFrom(const Bitmap& source, const Rect& src, Point dst) override;
    Colour pixel(int x, int y) const override;
    void setPixel(int x, int y, Colour c) override;
    int alpha(int x, int y) const override;
    void blendFrom(const Bitmap& source, const Rect& src, Point dst) override;
    void copyTransparent(const Bitmap& source, const Rect& src, Point dst, Colour key) override;
    void invertRect(const Rect& r) override;
    void drawText(Point topLeft, std::string_view text, const TextStyle& style, Colour colour) override;
    int textWidth(std::string_view text, const TextStyle& style) const override;

    const QImage& image() const { return m_image; }
    QImage& image() { return m_image; }

private:
    template <class Put>
    void eachSourcePixel(const Bitmap& source, const Rect& src, Point dst, Put put);

    QImage m_image;
};

// The widest and highest picture file the program decodes: any table fits in it many times over,
// and a larger one would only exhaust the memory.
inline constexpr int MaxPictureSide = 8192;

class QtGraphics : public Graphics {
public:
    std::unique_ptr<Bitmap> createBitmap(int width, int height) override;
    // Null for a file that is missing, not a picture, or wider or higher than MaxPictureSide (as
    // its header tells, before anything is decoded).
    std::unique_ptr<Bitmap> loadImageFile(const std::string& path) override;
    // From the primary screen; 32 bits and 1280 x 1024 when there is none.
    int displayColourBits() override;
    Size screenSize() override;
    CardArt* cardArt() override { return &m_cardArt; }

private:
    QtCardArt m_cardArt;
};

// Any bitmap as a pixmap for a widget (a QtBitmap's own pixels, others copied pixel by pixel).
QPixmap pixmapOf(const Bitmap& bitmap);
// The same as an image.
QImage imageOf(const Bitmap& bitmap);

} // namespace kst
