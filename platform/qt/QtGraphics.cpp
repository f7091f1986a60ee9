#include "platform/qt/QtGraphics.h"

#include "platform/qt/QtText.h"

#include <QGuiApplication>
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

// Clips a block copy against both bitmaps, keeping source and destination aligned.
bool clipCopy(int& sx, int& dx, int& length, int sourceLimit, int destinationLimit)
{
    if (sx < 0) {
        dx -= sx;
        length += sx;
        sx = 0;
    }
    if (dx < 0) {
        sx -= dx;
        length += dx;
        dx = 0;
    }
    length = std::min({length, sourceLimit - sx, destinationLimit - dx});
    return length > 0;
}

} // namespace

QtBitmap::QtBitmap(int width, int height)
{
    resize(width, height);
}

QtBitmap::QtBitmap(const QImage& image) : m_image(image.convertToFormat(QImage::Format_RGB32))
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
    int sx = src.x, sy = src.y, w = src.width, h = src.height, dx = dst.x, dy = dst.y;
    if (!clipCopy(sx, dx, w, source.width(), width()) || !clipCopy(sy, dy, h, source.height(), height()))
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
    for (int y = 0; y < h; ++y)
        std::memcpy(m_image.scanLine(dy + y) + dx * sizeof(QRgb),
                    qtSource->m_image.constScanLine(sy + y) + sx * sizeof(QRgb), rowBytes);
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
    const QImage image(fromPath(path));
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

} // namespace kst
