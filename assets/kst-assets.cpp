// kst-assets: draws the pictures of the resource library KST.RGF and writes the .qrc that packs
// them, and draws a contact sheet of a built library for review.
// Usage: kst-assets library THEME_DIR OUT_DIR
//        kst-assets images OUT_DIR
//        kst-assets contact-sheet LIBRARY.RGF IMAGES_DIR OUT.png

#include "assets/Generators.h"
#include "assets/ImageNames.h"
#include "assets/PictureNames.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QResource>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <numbers>

namespace kst::assets {
namespace {

// Card set number -> theme of the card theme package; chosen for faces that render fully in Qt Svg
// and differ clearly from one another.
const std::map<int, QString> themeOfSet = {
    {1, QStringLiteral("anglo")},
    {2, QStringLiteral("paris")},
    {3, QStringLiteral("tango")},
    {4, QStringLiteral("ancient_french")},
    {5, QStringLiteral("neoclassical")},
};

const char* suitElement(char suit)
{
    switch (suit) {
    case 'H': return "heart";
    case 'D': return "diamond";
    case 'C': return "club";
    default: return "spade";
    }
}

QString rankElement(int rank)
{
    switch (rank) {
    case 11: return QStringLiteral("jack");
    case 12: return QStringLiteral("queen");
    case 13: return QStringLiteral("king");
    default: return QString::number(rank);
    }
}

// Renders one element over the whole cell; drawn at four times the size and scaled down, so thin
// index strokes stay solid instead of fading to grey. The themes' cards are a little narrower
// than the table's card size: they are widened to it, so that faces and backs, drawn over one
// another in a pile, line up at both edges.
bool drawSvgCard(QPainter& painter, QSvgRenderer& svg, const QString& element, const QRect& cell)
{
    constexpr int oversample = 4;
    const QRectF bounds = svg.boundsOnElement(element);
    if (!svg.elementExists(element) || bounds.isEmpty())
        return fail(QStringLiteral("the card theme has no picture %1").arg(element));
    QImage big(cell.size() * oversample, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter p(&big);
        p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        svg.render(&p, element, QRectF(QPointF(0, 0), QSizeF(big.size())));
    }
    painter.drawImage(cell.topLeft(), big.scaled(cell.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return true;
}

QPainterPath pipPath(char suit, const QRectF& r)
{
    QPainterPath path;
    const double x = r.x(), y = r.y(), w = r.width(), h = r.height();
    const QPointF c = r.center();
    switch (suit) {
    case 'D':
        path.moveTo(c.x(), y);
        path.lineTo(x + w * 0.9, c.y());
        path.lineTo(c.x(), y + h);
        path.lineTo(x + w * 0.1, c.y());
        path.closeSubpath();
        break;
    case 'H':
        path.moveTo(c.x(), y + h);
        path.cubicTo(x - w * 0.1, y + h * 0.45, x + w * 0.1, y - h * 0.1, c.x(), y + h * 0.25);
        path.cubicTo(x + w * 0.9, y - h * 0.1, x + w * 1.1, y + h * 0.45, c.x(), y + h);
        break;
    case 'S':
        path.moveTo(c.x(), y);
        path.cubicTo(x + w * 1.1, y + h * 0.45, x + w * 0.9, y + h * 0.95, c.x(), y + h * 0.65);
        path.cubicTo(x + w * 0.1, y + h * 0.95, x - w * 0.1, y + h * 0.45, c.x(), y);
        path.addPolygon(QPolygonF{{c.x(), y + h * 0.55}, {x + w * 0.72, y + h}, {x + w * 0.28, y + h}});
        break;
    default: {
        const double d = w * 0.46;
        path.addEllipse(QRectF(c.x() - d / 2, y, d, d));
        path.addEllipse(QRectF(x, y + h * 0.34, d, d));
        path.addEllipse(QRectF(x + w - d, y + h * 0.34, d, d));
        path.addPolygon(QPolygonF{{c.x(), y + h * 0.45}, {x + w * 0.72, y + h}, {x + w * 0.28, y + h}});
        break;
    }
    }
    path.setFillRule(Qt::WindingFill);
    return path;
}

void drawBlankCard(QPainter& painter, const QRect& cell)
{
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(cell).adjusted(0.5, 0.5, -0.5, -0.5), 2.5, 2.5);
}

// At 25 x 32 a rendered face is a blur: the small cards carry only a crisp index and one pip.
void drawSmallCard(QPainter& painter, char suit, int rank, const QRect& cell)
{
    static const char* const ranks[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    drawBlankCard(painter, cell);
    const QColor ink = (suit == 'H' || suit == 'D') ? QColor(200, 0, 0) : QColor(0, 0, 0);
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPixelSize(12);
    font.setBold(true);
    font.setStretch(rank == 10 ? QFont::ExtraCondensed : QFont::Unstretched);
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(QRect(cell.x() + 2, cell.y() + 1, cell.width() - 4, 13), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromLatin1(ranks[rank - 1]));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(pipPath(suit, QRectF(cell.x() + 6.5, cell.y() + 15.5, 12, 13)));
}

void drawSmallJoker(QPainter& painter, const QRect& cell)
{
    drawBlankCard(painter, cell);
    QFont font(QStringLiteral("DejaVu Sans Condensed"));
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(200, 0, 0));
    painter.drawText(QRect(cell.x() + 2, cell.y() + 1, cell.width() - 4, 12), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("JK"));
    QPolygonF star;
    const QPointF c(cell.x() + 12.5, cell.y() + 21.5);
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 ? 3.2 : 8.0, angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        star << c + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 0, 0));
    painter.drawPolygon(star, Qt::WindingFill);
}

// --- Empty-pile marks, shadows and borders ---

const QColor markInk(226, 242, 226);
const QColor markStop(215, 35, 35);

QPen inkPen(double width)
{
    QPen pen(markInk, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void drawRankSign(QPainter& painter, const QRectF& area, const QString& text, bool small)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(qRound(area.height() * (small ? 0.5 : 0.42)));
    if (text.size() > 1)
        font.setStretch(small ? QFont::ExtraCondensed : QFont::Condensed);
    painter.setFont(font);
    painter.setPen(markInk);
    painter.drawText(area, Qt::AlignCenter, text);
}

void drawArrowHead(QPainter& painter, QPointF tip, double angle, double length)
{
    const double spread = 0.55;
    QPolygonF head{tip,
                   tip - QPointF(length * std::cos(angle - spread), length * std::sin(angle - spread)),
                   tip - QPointF(length * std::cos(angle + spread), length * std::sin(angle + spread))};
    painter.setPen(Qt::NoPen);
    painter.setBrush(markInk);
    painter.drawPolygon(head);
}

// A circular arrow: the waste goes back into the stock for another deal.
void drawRedealSign(QPainter& painter, QPointF c, double radius, double stroke)
{
    painter.setPen(inkPen(stroke));
    painter.setBrush(Qt::NoBrush);
    const QRectF circle(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius);
    painter.drawArc(circle, 100 * 16, 290 * 16);
    // The arc runs counter-clockwise from 100 degrees round to 30; the head continues it into the gap.
    const double end = 30.0 * std::numbers::pi / 180.0;
    const QPointF tip = c + QPointF(radius * std::cos(end), -radius * std::sin(end));
    const QPointF along(-std::sin(end), -std::cos(end));
    drawArrowHead(painter, tip + along * stroke * 1.4, std::atan2(along.y(), along.x()), stroke * 2.6);
}

// The prohibition sign: no deal of the stock is left.
void drawNoRedealSign(QPainter& painter, QPointF c, double radius, double stroke)
{
    QPen pen(markStop, stroke);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(c, radius, radius);
    const double d = radius * std::numbers::sqrt2 / 2;
    painter.drawLine(c + QPointF(-d, -d), c + QPointF(d, d));
}

void drawCrown(QPainter& painter, const QRectF& r)
{
    QPolygonF crown{{r.left(), r.bottom()}, {r.left(), r.top() + r.height() * 0.2},
                    {r.left() + r.width() * 0.27, r.top() + r.height() * 0.58}, {r.center().x(), r.top()},
                    {r.right() - r.width() * 0.27, r.top() + r.height() * 0.58}, {r.right(), r.top() + r.height() * 0.2},
                    {r.right(), r.bottom()}};
    painter.setPen(Qt::NoPen);
    painter.setBrush(markInk);
    painter.drawPolygon(crown);
}

void drawMark(QPainter& painter, const std::string& code, int w, int h)
{
    const double k = w / 71.0;
    const bool small = w < 40;
    painter.setRenderHint(QPainter::Antialiasing, true);
    // The place itself: a darkened card outline, so an empty pile reads as a slot on any table.
    const QRectF place = QRectF(0, 0, w, h).adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = small ? 2.5 : 4.0 * k + 1;
    painter.setPen(QPen(markInk, 1));
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawRoundedRect(place, radius, radius);
    if (!small) {
        QPen inner(QColor(markInk.red(), markInk.green(), markInk.blue(), 110), 1);
        painter.setPen(inner);
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(place.adjusted(3, 3, -3, -3), radius - 1, radius - 1);
    }

    static const std::map<std::string, QString> rankText = {
        {"010", "A"}, {"012", "2"}, {"013", "3"}, {"014", "4"}, {"015", "5"}, {"016", "6"}, {"017", "7"},
        {"018", "8"}, {"019", "9"}, {"020", "10"}, {"006", "J"}, {"003", "Q"}, {"011", "K"}};
    const QPointF c(w / 2.0, h / 2.0);
    const double stroke = small ? 2.0 : 3.5 * k + 0.5;
    if (const auto rank = rankText.find(code); rank != rankText.end()) {
        drawRankSign(painter, QRectF(0, 0, w, h), rank->second, small);
    } else if (code == "022") {
        drawRedealSign(painter, c, w * 0.26, stroke);
    } else if (code == "008") {
        drawNoRedealSign(painter, c, w * 0.3, stroke);
    } else if (code == "001") {
        // One card fits here: a small card in the middle of the place.
        const QRectF card(c.x() - w * 0.2, c.y() - h * 0.2, w * 0.4, h * 0.4);
        painter.setPen(inkPen(small ? 1.0 : 1.5 * k + 0.5));
        painter.setBrush(QColor(markInk.red(), markInk.green(), markInk.blue(), 70));
        painter.drawRoundedRect(card, radius * 0.6, radius * 0.6);
    } else if (code == "004") {
        // A pile built by the game's own rule: three cards stacked.
        const double cw = w * 0.36, ch = h * 0.36, step = small ? 2.5 : 5 * k;
        painter.setPen(inkPen(small ? 1.0 : 1.5 * k + 0.5));
        for (int i = 0; i < 3; ++i) {
            const QRectF card(c.x() - cw / 2 + (i - 1) * step, c.y() - ch / 2 + (i - 1) * step, cw, ch);
            painter.setBrush(QColor(0, 70, 0));
            painter.drawRoundedRect(card, radius * 0.5, radius * 0.5);
        }
    } else if (code == "005") {
        // A closed place: a cross, no card may be put here.
        const double d = w * 0.22;
        painter.setPen(inkPen(stroke));
        painter.drawLine(c + QPointF(-d, -d), c + QPointF(d, d));
        painter.drawLine(c + QPointF(d, -d), c + QPointF(-d, d));
    } else if (code == "009") {
        // Court cards only: a crown, with their letters where there is room.
        if (small) {
            drawCrown(painter, QRectF(c.x() - 8, c.y() - 6, 16, 12));
        } else {
            drawCrown(painter, QRectF(c.x() - w * 0.28, c.y() - h * 0.3, w * 0.56, h * 0.28));
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setBold(true);
            font.setPixelSize(qRound(h * 0.17));
            painter.setFont(font);
            painter.setPen(markInk);
            painter.drawText(QRectF(0, c.y() + h * 0.03, w, h * 0.25), Qt::AlignCenter, QStringLiteral("JQK"));
        }
    } else if (code == "021") {
        // The grid closes up toward its first place: an arrow running left to a bar.
        const double half = w * 0.28, bar = h * 0.16;
        painter.setPen(inkPen(stroke));
        painter.drawLine(QPointF(c.x() - half, c.y() - bar), QPointF(c.x() - half, c.y() + bar));
        painter.drawLine(QPointF(c.x() - half + stroke * 2, c.y()), QPointF(c.x() + half, c.y()));
        drawArrowHead(painter, QPointF(c.x() - half + stroke * 0.9, c.y()), std::numbers::pi, stroke * 2.8);
    } else if (code == "_WASTE") {
        // Where the stock's cards turn up: a card with a turning arrow over it.
        const double cw = w * 0.34, ch = h * 0.34;
        const QRectF card(c.x() - cw / 2 + w * 0.06, c.y() - ch / 2 + h * 0.05, cw, ch);
        painter.setPen(inkPen(small ? 1.0 : 1.5 * k + 0.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(card, radius * 0.5, radius * 0.5);
        const QRectF arc(card.left() - w * 0.22, card.top() - h * 0.14, w * 0.44, h * 0.3);
        painter.drawArc(arc, 90 * 16, 90 * 16);
        const QPointF tip(arc.center().x() + (small ? 1.5 : 2 * k), arc.top());
        drawArrowHead(painter, tip + QPointF(small ? 1.0 : 2.0 * k, 0), 0.0, small ? 3.5 : 6 * k + 1);
    } else if (code == "_TABLEAU") {
        // A tableau column: cards fanned downward.
        const double cw = w * 0.4, ch = h * 0.3, step = h * 0.1;
        painter.setPen(inkPen(small ? 1.0 : 1.5 * k + 0.5));
        for (int i = 0; i < 3; ++i) {
            painter.setBrush(QColor(0, 70, 0));
            painter.drawRoundedRect(QRectF(c.x() - cw / 2, c.y() - ch / 2 + (i - 1.5) * step, cw, ch), radius * 0.5, radius * 0.5);
        }
    }
}

// The shadow falls from a card place moved down and right; its density fades at the edge and is
// dithered, so the table shows through where the picture is not white. Both strips sample the
// same pattern in card coordinates and agree where they overlap.
double shadowDensity(int w, int h, double x, double y)
{
    const double offset = 5, radius = 5, soft = 2.5;
    const QRectF core(offset + radius, offset + radius, w - 2 * radius, h - 2 * radius);
    const double dx = std::max({core.left() - x, 0.0, x - core.right()});
    const double dy = std::max({core.top() - y, 0.0, y - core.bottom()});
    const double outside = std::hypot(dx, dy) - radius;
    return 0.6 * std::clamp((soft - outside) / (2 * soft), 0.0, 1.0);
}

void drawShadow(QImage& image, int which, int w, int h)
{
    static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    image.fill(Qt::white);
    const QPoint origin = which == 1 ? QPoint(w, shadowWidth - 2) : QPoint(shadowWidth - 1, h);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int cx = origin.x() + x, cy = origin.y() + y;
            if (shadowDensity(w, h, cx + 0.5, cy + 0.5) > (bayer[cy % 4][cx % 4] + 0.5) / 16.0)
                image.setPixel(x, y, qRgb(0, 0, 0));
        }
}

// A bevelled frame, light from the top left: raised (1) or pressed in (2). The three corner pixels
// stay blue, as the card corners are rounded.
void drawBorder(QImage& image, int which, int w, int h)
{
    image.fill(QColor(0, 0, 255));
    const QRgb light = qRgb(255, 255, 255), soft = qRgb(214, 214, 214), dim = qRgb(128, 128, 128), dark = qRgb(0, 0, 0);
    const bool raised = which == 1;
    const QRgb outerTopLeft = raised ? light : dim, innerTopLeft = raised ? soft : dark;
    const QRgb outerBottomRight = raised ? dark : light, innerBottomRight = raised ? dim : soft;
    const int thick = w < 40 ? 1 : 2;
    for (int ring = 0; ring < thick; ++ring) {
        const QRgb topLeft = ring == 0 ? outerTopLeft : innerTopLeft;
        const QRgb bottomRight = ring == 0 ? outerBottomRight : innerBottomRight;
        const int cut = ring == 0 ? 2 : 1; // follows the rounded corner
        for (int x = ring + cut; x < w - ring - cut; ++x) {
            image.setPixel(x, ring, topLeft);
            image.setPixel(x, h - 1 - ring, bottomRight);
        }
        for (int y = ring + cut; y < h - ring - cut; ++y) {
            image.setPixel(ring, y, topLeft);
            image.setPixel(w - 1 - ring, y, bottomRight);
        }
    }
    if (thick == 2) {
        image.setPixel(1, 1, outerTopLeft);
        image.setPixel(w - 2, h - 2, outerBottomRight);
    }
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
        for (const std::string& code : markCodes())
            if (name == markName(size.letter, code)) {
                QPainter painter(&image);
                drawMark(painter, code, size.width, size.height);
                return true;
            }
        for (int which = 1; which <= 2; ++which) {
            if (name == shadowName(size.letter, which)) {
                drawShadow(image, which, size.width, size.height);
                return true;
            }
            if (name == borderName(size.letter, which)) {
                drawBorder(image, which, size.width, size.height);
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
        for (int rank = 1; rank <= 13 && drawn; ++rank) {
            const QRect cell(((rank - 1) % 5) * w, ((rank - 1) / 5) * h, w, h);
            if (size == 'L')
                drawSmallCard(painter, suit, rank, cell);
            else
                drawn = drawSvgCard(painter, svg, QString::fromLatin1(suitElement(suit)) + QLatin1Char('_') + rankElement(rank), cell);
        }
    }
    return drawn;
}

bool drawLibrary(const QDir& themes, const QDir& out)
{
    std::map<int, std::unique_ptr<QSvgRenderer>> renderers;
    for (const auto& [set, theme] : themeOfSet) {
        const QString file = themes.filePath(theme + QStringLiteral(".svgz"));
        auto svg = std::make_unique<QSvgRenderer>(file);
        if (!svg->isValid())
            return fail(QStringLiteral("cannot read the card theme ") + file);
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
        if (isPreviewName(file.chopped(4).toStdString()))
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
    std::fprintf(stderr, "usage: kst-assets library THEME_DIR OUT_DIR\n"
                         "       kst-assets images OUT_DIR\n"
                         "       kst-assets contact-sheet LIBRARY.RGF IMAGES_DIR OUT.png\n");
    return 2;
}
