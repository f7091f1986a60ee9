// kst-assets: draws the pictures of the resource library KST.RGF and writes the .qrc that packs
// them, and draws a contact sheet of a built library for review.
// Usage: kst-assets library CARDS_DIR OUT_DIR
//        kst-assets images OUT_DIR
//        kst-assets contact-sheet LIBRARY.RGF IMAGES_DIR OUT.png

#include "assets/Generators.h"
#include "assets/ImageNames.h"
#include "assets/PictureNames.h"
#include "platform/qt/CardDrawing.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QResource>
#include <QSvgRenderer>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

namespace kst::assets {
namespace {

// Renders one element over the whole cell; drawn at four times the size and scaled down, so thin
// index strokes stay solid instead of fading to grey.
bool drawSvgCard(QPainter& painter, QSvgRenderer& svg, const QString& element, const QRect& cell)
{
    constexpr int oversample = 4;
    if (!hasCardElement(svg, element))
        return fail(QStringLiteral("the card drawing has no picture %1").arg(element));
    const QImage big = renderCardElement(svg, element, cell.size() * oversample);
    painter.drawImage(cell.topLeft(), big.scaled(cell.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return true;
}

QImage newPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// Marks, shadows and borders of every card size; false for the card sheets and jokers.
bool drawPlacePicture(QImage& image, const std::string& name)
{
    for (const CardSize& size : cardSizes) {
        const Size card{size.width, size.height};
        for (const std::string& code : markCodes())
            if (name == markName(size.letter, code)) {
                image = cardMark(code, card, 1);
                return true;
            }
        for (int which = 1; which <= 2; ++which) {
            if (name == shadowName(size.letter, which)) {
                image = cardShadow(which, card, 1, shadowWidth);
                return true;
            }
            if (name == borderName(size.letter, which)) {
                image = cardBorder(which, card, 1);
                return true;
            }
        }
    }
    return false;
}

bool drawCardPicture(QImage& image, const QString& name, std::map<int, std::unique_ptr<QSvgRenderer>>& renderers)
{
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const bool joker = name.startsWith(QLatin1String("JOKER_"));
    const char size = joker ? name.back().toLatin1() : name[1].toLatin1();
    const int w = joker ? image.width() : image.width() / 6, h = joker ? image.height() : image.height() / 4;
    QSvgRenderer& svg = *renderers.at(joker ? jokerCardSet : name.mid(2, 3).toInt());
    bool drawn = true;
    if (joker) {
        if (size == 'L')
            drawSmallJoker(painter, QRect(0, 0, w, h));
        else
            drawn = drawSvgCard(painter, svg, QStringLiteral("joker_red"), QRect(0, 0, w, h));
    } else {
        const char suit = name.back().toLatin1();
        const int suitIndex = int(suitLetters.find(suit));
        for (int rank = 1; rank <= ranksPerSuit && drawn; ++rank) {
            const QRect cell(((rank - 1) % 5) * w, ((rank - 1) / 5) * h, w, h);
            if (size == 'L')
                drawSmallCard(painter, suit, rank, cell);
            else
                drawn = drawSvgCard(painter, svg, cardElement(suitIndex, rank), cell);
        }
    }
    return drawn;
}

// The faces come from the card drawings of the program folder's CARDS, one per card set.
bool drawLibrary(const QDir& drawings, const QDir& out)
{
    std::map<int, std::unique_ptr<QSvgRenderer>> renderers;
    for (int set = firstCardSet; set <= lastCardSet; ++set) {
        const QString file = drawings.filePath(QString::fromStdString(cardDrawingName(set)));
        auto svg = std::make_unique<QSvgRenderer>(file);
        if (!svg->isValid())
            return fail(QStringLiteral("cannot read the card drawing ") + file);
        renderers[set] = std::move(svg);
    }

    QStringList files;
    for (const PictureSpec& spec : libraryPictures()) {
        const QString name = QString::fromStdString(spec.name);
        QImage image = newPicture(spec.width, spec.height);
        const std::string drawing = drawingOf(spec.name);
        const bool drawn = drawPlacePicture(image, drawing) || drawIconPicture(image, drawing)
            || drawPanelPicture(image, drawing) || drawCardPicture(image, name, renderers);
        if (!drawn)
            return fail(QStringLiteral("cannot draw ") + name);
        const QString file = name + QStringLiteral(".png");
        if (!image.save(out.filePath(file), "PNG"))
            return fail(QStringLiteral("cannot write ") + out.filePath(file));
        files << file;
    }
    return writeQrc(out, QStringLiteral("KST.qrc"), files);
}

// Everything the program ships, each picture with its name under it, on a table-green ground so
// both transparent and white parts show: the library pictures at their own size, then the card
// backs of the IMAGES folder, then its backgrounds tiled 2 x 2 (so seams show) and scaled down.
bool drawContactSheet(const QString& library, const QString& imagesDir, const QString& outFile)
{
    const QString root = QStringLiteral("/contact");
    if (!QResource::registerResource(library, root))
        return fail(QStringLiteral("cannot load the resource library ") + library);
    const QDir dir(QLatin1Char(':') + root);
    const QDir images(imagesDir);
    if (!images.exists())
        return fail(QStringLiteral("no IMAGES folder at ") + imagesDir);

    constexpr int sheetWidth = 1800, gap = 10, label = 14, heading = 30, thumbnail = 128;
    struct Placed { QImage image; QString caption; QPoint at; bool framed; };
    struct Heading { QString title; int y; };
    std::vector<Placed> placed;
    std::vector<Heading> headings;
    int x = gap, y = gap, rowHeight = 0;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    const QFontMetrics metrics(font);
    auto place = [&](const QImage& image, const QString& caption, bool framed = false) {
        const int cellWidth = std::max(image.width(), metrics.horizontalAdvance(caption));
        if (x + cellWidth + gap > sheetWidth) {
            x = gap;
            y += rowHeight + label + gap;
            rowHeight = 0;
        }
        placed.push_back({image, caption, QPoint(x, y), framed});
        x += cellWidth + gap;
        rowHeight = std::max(rowHeight, image.height());
    };
    auto section = [&](const QString& title) {
        if (!placed.empty())
            y += rowHeight + label + gap;
        x = gap;
        rowHeight = 0;
        headings.push_back({title, y});
        y += heading;
    };
    auto size = [](const QImage& image) { return QStringLiteral(" %1x%2").arg(image.width()).arg(image.height()); };

    const auto placeLibraryPicture = [&](const QString& file) {
        const QImage image(dir.filePath(file));
        if (image.isNull())
            return fail(QStringLiteral("unreadable picture ") + file);
        place(image, file.chopped(4) + size(image));
        return true;
    };
    // The library's pictures, the game previews apart after them.
    QStringList previews;
    section(QStringLiteral("Library"));
    for (const QString& file : dir.entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name)) {
        if (isPreviewName(drawingOf(file.chopped(4).toStdString())))
            previews << file;
        else if (!placeLibraryPicture(file))
            return false;
    }
    section(QStringLiteral("Game previews"));
    for (const QString& file : previews)
        if (!placeLibraryPicture(file))
            return false;
    section(QStringLiteral("Card backs"));
    for (const QString& file : images.entryList({QStringLiteral("D*.bmp")}, QDir::Files, QDir::Name)) {
        const QImage image(images.filePath(file));
        if (image.isNull())
            return fail(QStringLiteral("unreadable picture ") + file);
        place(image, file);
    }
    section(QStringLiteral("Backgrounds"));
    for (const QString& file : images.entryList({QStringLiteral("B*.bmp"), QStringLiteral("Y*.bmp")}, QDir::Files, QDir::Name)) {
        const QImage image(images.filePath(file));
        if (image.isNull())
            return fail(QStringLiteral("unreadable picture ") + file);
        QImage tiled(image.size() * 2, QImage::Format_RGB32);
        QPainter tiler(&tiled);
        for (const QPoint corner : {QPoint(0, 0), QPoint(image.width(), 0), QPoint(0, image.height()),
                                    QPoint(image.width(), image.height())})
            tiler.drawImage(corner, image);
        tiler.end();
        place(tiled.scaled(thumbnail, thumbnail, Qt::KeepAspectRatio, Qt::SmoothTransformation), file + size(image), true);
    }

    QImage sheet(sheetWidth, y + rowHeight + label + gap, QImage::Format_RGB32);
    sheet.fill(QColor(0, 96, 0));
    QPainter painter(&sheet);
    QFont titleFont(font);
    titleFont.setPixelSize(18);
    titleFont.setBold(true);
    painter.setPen(Qt::white);
    for (const Heading& h : headings) {
        painter.setFont(titleFont);
        painter.drawText(QPoint(gap, h.y + 19), h.title);
        painter.fillRect(QRect(gap, h.y + heading - 6, sheetWidth - 2 * gap, 1), QColor(255, 255, 255, 110));
    }
    painter.setFont(font);
    for (const Placed& p : placed) {
        painter.drawImage(p.at, p.image);
        if (p.framed) { // a thin line round a thumbnail, so one that matches the sheet's ground still shows
            painter.setPen(QColor(0, 40, 0));
            painter.drawRect(QRect(p.at - QPoint(1, 1), p.image.size() + QSize(1, 1)));
            painter.setPen(Qt::white);
        }
        painter.drawText(QPoint(p.at.x(), p.at.y() + p.image.height() + label - 3), p.caption);
    }
    painter.end();
    QResource::unregisterResource(library, root);
    return sheet.save(outFile, "PNG") || fail(QStringLiteral("cannot write ") + outFile);
}

} // namespace
} // namespace kst::assets

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("library")) {
        const QDir out(args[3]);
        if (!out.mkpath(QStringLiteral(".")))
            return 1;
        return kst::assets::drawLibrary(QDir(args[2]), out) ? 0 : 1;
    }
    if (args.size() == 3 && args[1] == QLatin1String("images")) {
        const QDir out(args[2]);
        if (!out.mkpath(QStringLiteral(".")))
            return 1;
        return kst::assets::drawCardBacks(out) && kst::assets::drawBackgrounds(out) ? 0 : 1;
    }
    if (args.size() == 5 && args[1] == QLatin1String("contact-sheet"))
        return kst::assets::drawContactSheet(args[2], args[3], args[4]) ? 0 : 1;
    std::fprintf(stderr, "usage: kst-assets library CARDS_DIR OUT_DIR\n"
                         "       kst-assets images OUT_DIR\n"
                         "       kst-assets contact-sheet LIBRARY.RGF IMAGES_DIR OUT.png\n");
    return 2;
}
