#include "platform/qt/QtCardArt.h"

#include "assets/PictureNames.h"
#include "platform/qt/CardDrawing.h"
#include "platform/qt/QtGraphics.h"
#include "platform/qt/QtText.h"

#include <QFile>
#include <QSvgRenderer>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <memory>
#include <thread>

namespace kst {

namespace {

// The card drawings are a few hundred kilobytes; a file many times larger is none of them, and
// reading it would only fill the memory.
constexpr qint64 MaxDrawingBytes = 16 * 1024 * 1024;

bool isPictureSize(QSize size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= MaxPictureSide && size.height() <= MaxPictureSide;
}

QSize qSize(Size size)
{
    return {size.width, size.height};
}

// How many threads share a piece of work: one per core, but never more than there are pieces.
int threadsFor(int pieces)
{
    return std::clamp(QThread::idealThreadCount(), 1, std::max(pieces, 1));
}

// A piece of work by its number.
using Worker = std::function<void(int piece)>;

// Runs pieces 0 .. count - 1 on every core, the calling thread (thread 0) included: each thread
// makes its own worker with makeWorker(thread), for what threads must not share, and takes pieces
// until none is left.
void inParallel(int count, const std::function<Worker(int thread)>& makeWorker)
{
    std::atomic<int> next{0};
    const auto run = [&](int thread) {
        const Worker work = makeWorker(thread);
        for (int piece = next++; piece < count; piece = next++)
            work(piece);
    };
    std::vector<std::thread> helpers;
    for (int thread = 1; thread < threadsFor(count); ++thread)
        helpers.emplace_back(run, thread);
    run(0);
    for (std::thread& helper : helpers)
        helper.join();
}

// The bytes of a drawing file; empty when it is missing, unreadable or far too large.
QByteArray drawingBytes(const std::string& path)
{
    QFile file(fromPath(path));
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxDrawingBytes)
        return {};
    return file.readAll();
}

QString faceElement(int face)
{
    return cardElement(face / assets::ranksPerSuit, face % assets::ranksPerSuit + 1);
}

// Whether the drawing holds all 52 faces.
bool holdsFaces(QSvgRenderer& drawing)
{
    for (int face = 0; face < assets::jokerFace; ++face)
        if (!hasCardElement(drawing, faceElement(face)))
            return false;
    return true;
}

} // namespace

const QtCardArt::Master* QtCardArt::master(const std::string& themeFile, const std::string& jokerFile, QSize size)
{
    const auto kept = std::find_if(m_masters.begin(), m_masters.end(), [&](const Master& m) {
        return m.themeFile == themeFile && m.jokerFile == jokerFile && m.size == size;
    });
    if (kept != m_masters.end()) {
        m_masters.splice(m_masters.begin(), m_masters, kept);
        return &m_masters.front();
    }

    const QByteArray themeBytes = drawingBytes(themeFile);
    const QByteArray jokerBytes = themeFile == jokerFile ? themeBytes : drawingBytes(jokerFile);
    QSvgRenderer theme(themeBytes), joker(jokerBytes);
    if (!theme.isValid() || !joker.isValid() || !holdsFaces(theme) || !hasCardElement(joker, JokerElement))
        return nullptr;

    // Rendering is the slow part (up to half a second for a detailed drawing): the faces are shared
    // out over the cores, each thread with a renderer of its own, as a renderer is not to be used
    // by two threads at once. The joker is one piece, drawn by whichever thread takes it.
    Master made{themeFile, jokerFile, size, std::vector<QImage>(assets::jokerFace + 1)};
    inParallel(assets::jokerFace + 1, [&](int thread) -> Worker {
        auto own = thread == 0 ? nullptr : std::make_shared<QSvgRenderer>(themeBytes);
        QSvgRenderer* drawing = own ? own.get() : &theme;
        return [&made, &joker, size, drawing, own](int face) {
            made.faces[std::size_t(face)] = face == assets::jokerFace
                ? renderCardElement(joker, QString::fromLatin1(JokerElement), size)
                : renderCardElement(*drawing, faceElement(face), size);
        };
    });

    m_masters.push_front(std::move(made));
    if (m_masters.size() > MaxMasters)
        m_masters.pop_back();
    return &m_masters.front();
}

qint64 QtCardArt::masterBytes() const
{
    qint64 bytes = 0;
    for (const Master& m : m_masters)
        for (const QImage& face : m.faces)
            bytes += face.sizeInBytes();
    return bytes;
}

std::vector<std::unique_ptr<Bitmap>> QtCardArt::faces(const std::string& themeFile, const std::string& jokerFile,
                                                      const ArtSize& size)
{
    const QSize device = qSize(size.device());
    const QSize largestFace = qSize(ArtSize{LargestCard, FinestScale}.device());
    if (!isPictureSize(device) || device.width() > largestFace.width() || device.height() > largestFace.height())
        return {};
    std::vector<QImage> pictures(assets::jokerFace + 1);
    if (isSmallCard(size.card)) {
        inParallel(int(pictures.size()), [&](int) -> Worker {
            return [&](int face) { pictures[std::size_t(face)] = smallCardFace(face, size.card, size.scale); };
        });
    } else {
        // One master per screen scale serves every card size of a drag-resize; a card larger than
        // the largest laid out (a scale the master does not reach) gets a master of its own size.
        const QSize largest = qSize(ArtSize{LargestCard, size.scale}.device());
        const Master* made = master(themeFile, jokerFile, largest.expandedTo(device));
        if (!made)
            return {};
        inParallel(int(pictures.size()), [&](int) -> Worker {
            return [&](int face) {
                const QImage& big = made->faces[std::size_t(face)];
                pictures[std::size_t(face)] =
                    big.size() == device ? big : big.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            };
        });
    }
    std::vector<std::unique_ptr<Bitmap>> bitmaps;
    for (const QImage& picture : pictures)
        bitmaps.push_back(std::make_unique<QtBitmap>(picture));
    return bitmaps;
}

std::unique_ptr<Bitmap> QtCardArt::mark(std::string_view code, const ArtSize& size)
{
    if (!isPictureSize(qSize(size.device())))
        return nullptr;
    const QImage picture = cardMark(code, size.card, size.scale);
    return picture.isNull() ? nullptr : std::make_unique<QtBitmap>(picture);
}

std::unique_ptr<Bitmap> QtCardArt::shadow(int which, const ArtSize& size, int shadowWidth)
{
    if (!isPictureSize(qSize(size.device())) || shadowWidth > MaxPictureSide)
        return nullptr;
    const QImage picture = cardShadow(which, size.card, size.scale, shadowWidth);
    return picture.isNull() ? nullptr : std::make_unique<QtBitmap>(picture);
}

std::unique_ptr<Bitmap> QtCardArt::border(int which, const ArtSize& size)
{
    if (!isPictureSize(qSize(size.device())))
        return nullptr;
    const QImage picture = cardBorder(which, size.card, size.scale);
    return picture.isNull() ? nullptr : std::make_unique<QtBitmap>(picture);
}

std::unique_ptr<Bitmap> QtCardArt::scaled(const Bitmap& picture, Size size)
{
    const QImage source = imageOf(picture);
    if (!isPictureSize(qSize(size)) || source.isNull())
        return nullptr;
    return std::make_unique<QtBitmap>(source.scaled(qSize(size), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace kst
