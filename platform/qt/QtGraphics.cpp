#include "platform/qt/QtGraphics.h"

#include "platform/qt/QtText.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cstring>
#include <vector>

namespace kst {

namespace {

constexpr QRgb opaque(Colour c)
{
    return 0xff000000u | c;
}

Pixel pixelOf(QRgb p)
{
    return {Colour(p & 0xffffffu), qAlpha(p)};
}

QRgb rgbOf(Pixel p)
{
    return (QRgb(p.alpha) << 24) | p.colour;
}

// The table's text face at the size the program's points mean on a 96-dpi screen.
QFont tableFont(const TextStyle& style)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(1, (style.points * 96 + 36) / 72));
    font.setBold(style.bold);
    return font;
}

} // namespace

QtBitmap::QtBitmap(int width, int height)
{
    resize(width, height);
}

QtBitmap::QtBitmap(const QImage& image)
    : m_image(image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                            : QImage::Format_RGB32))
{
}

void QtBitmap::resize(int width, int height)
{
    m_image = QImage(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    m_image.fill(Qt::black);
}

void QtBitmap::fillRect(const Rect& r, Colour c)
{
    const int x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
    const int x1 = std::min(r.right(), width()), y1 = std::min(r.bottom(), height());
    if (x0 >= x1 || y0 >= y1)
        return;
    for (int y = y0; y < y1; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        std::fill(line + x0, line + x1, opaque(c));
    }
}

void QtBitmap::copyFrom(const Bitmap& source, const Rect& src, Point dst)
{
    const ClippedBlock block = clipBlock(src, dst, {source.width(), source.height()}, {width(), height()});
    const int sx = block.source.x, sy = block.source.y, w = block.source.width, h = block.source.height;
    const int dx = block.destination.x, dy = block.destination.y;
    if (w <= 0 || h <= 0)
        return;

    const auto* qtSource = dynamic_cast<const QtBitmap*>(&source);
    if (!qtSource) {
        for (int y = 0; y < h; ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(m_image.scanLine(dy + y));
            for (int x = 0; x < w; ++x)
                line[dx + x] = opaque(source.pixel(sx + x, sy + y));
        }
        return;
    }
    const std::size_t rowBytes = std::size_t(w) * sizeof(QRgb);
    if (qtSource == this) {
        // Overlapping blocks: rows in the order that reads each before it is overwritten, and
        // memmove within a row.
        uchar* bits = m_image.bits();
        const qsizetype stride = m_image.bytesPerLine();
        const bool bottomUp = dy > sy;
        for (int i = 0; i < h; ++i) {
            const int row = bottomUp ? h - 1 - i : i;
            std::memmove(bits + (dy + row) * stride + dx * sizeof(QRgb),
                         bits + (sy + row) * stride + sx * sizeof(QRgb), rowBytes);
        }
        return;
    }
    // A block copy leaves an opaque bitmap opaque: a transparent source pixel arrives black.
    const bool makeOpaque = !m_image.hasAlphaChannel() && qtSource->m_image.hasAlphaChannel();
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_image.scanLine(dy + y)) + dx;
        std::memcpy(line, qtSource->m_image.constScanLine(sy + y) + sx * sizeof(QRgb), rowBytes);
        if (makeOpaque)
            for (int x = 0; x < w; ++x)
                line[x] |= 0xff000000u;
    }
}

template <class Put>
void QtBitmap::eachSourcePixel(const Bitmap& source, const Rect& src, Point dst, Put put)
{
    const ClippedBlock block = clipBlock(src, dst, {source.width(), source.height()}, {width(), height()});
    const Rect& s = block.source;
    if (s.width <= 0 || s.height <= 0)
        return;
    const std::vector<Pixel> read = readBlock(source, s);
    const bool keepAlpha = m_image.hasAlphaChannel();
    for (int y = 0; y < s.height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(m_image.scanLine(block.destination.y + y)) + block.destination.x;
        for (int x = 0; x < s.width; ++x) {
            Pixel to = pixelOf(line[x]);
            put(to, read[std::size_t(y) * s.width + x]);
            line[x] = keepAlpha ? rgbOf(to) : opaque(to.colour);
        }
    }
}

void QtBitmap::blendFrom(const Bitmap& source, const Rect& src, Point dst)
{
    const auto* qtSource = dynamic_cast<const QtBitmap*>(&source);
    if (qtSource && !qtSource->m_image.hasAlphaChannel()) {
        copyFrom(source, src, dst);
        return;
    }
    eachSourcePixel(source, src, dst, [](Pixel& to, Pixel from) { to = blendOver(from, to); });
}

void QtBitmap::copyTransparent(const Bitmap& source, const Rect& src, Point dst, Colour key)
{
    eachSourcePixel(source, src, dst, [key](Pixel& to, Pixel from) {
        if (from.colour != key)
            to = {from.colour, 255};
    });
}

void QtBitmap::invertRect(const Rect& r)
{
    const int x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
    const int x1 = std::min(r.right(), width()), y1 = std::min(r.bottom(), height());
    for (int y = y0; y < y1; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        for (int x = x0; x < x1; ++x)
            line[x] ^= 0xffffffu;
    }
}

void QtBitmap::drawText(Point topLeft, std::string_view text, const TextStyle& style, Colour colour)
{
    if (m_image.isNull())
        return;
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QFont font = tableFont(style);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(opaque(colour)));
    painter.drawText(QPoint(topLeft.x, topLeft.y + QFontMetrics(font).ascent()), fromProgramText(text));
}

int QtBitmap::textWidth(std::string_view text, const TextStyle& style) const
{
    return QFontMetrics(tableFont(style)).horizontalAdvance(fromProgramText(text));
}

int QtBitmap::alpha(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return 0;
    return qAlpha(reinterpret_cast<const QRgb*>(m_image.constScanLine(y))[x]);
}

Colour QtBitmap::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return 0;
    return reinterpret_cast<const QRgb*>(m_image.constScanLine(y))[x] & 0xffffffu;
}

void QtBitmap::setPixel(int x, int y, Colour c)
{
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return;
    reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] = opaque(c);
}

std::unique_ptr<Bitmap> QtGraphics::createBitmap(int width, int height)
{
    return std::make_unique<QtBitmap>(width, height);
}

std::unique_ptr<Bitmap> QtGraphics::loadImageFile(const std::string& path)
{
    QImageReader reader(fromPath(path));
    const QSize size = reader.size();
    // A format that cannot tell its size in advance is left to the reader's own memory limit.
    if (size.isValid() && (size.width() > MaxPictureSide || size.height() > MaxPictureSide))
        return nullptr;
    const QImage image = reader.read();
    if (image.isNull())
        return nullptr;
    return std::make_unique<QtBitmap>(image);
}

int QtGraphics::displayColourBits()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->depth() : 32;
}

Size QtGraphics::screenSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {1280, 1024};
    return {screen->size().width(), screen->size().height()};
}

QImage imageOf(const Bitmap& bitmap)
{
    if (const auto* qt = dynamic_cast<const QtBitmap*>(&bitmap))
        return qt->image();
    QImage image(bitmap.width(), bitmap.height(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            image.setPixel(x, y, (QRgb(bitmap.alpha(x, y)) << 24) | bitmap.pixel(x, y));
    return image;
}

QPixmap pixmapOf(const Bitmap& bitmap)
{
    return QPixmap::fromImage(imageOf(bitmap));
}

} // namespace kst
