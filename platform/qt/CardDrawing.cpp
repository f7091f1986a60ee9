#include "platform/qt/CardDrawing.h"

#include "assets/PictureNames.h"
#include "platform/CardArt.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

namespace kst {

namespace {

const char* const suitElements[] = {"heart", "diamond", "club", "spade"};

QString rankElement(int rank)
{
    switch (rank) {
    case 11: return QStringLiteral("jack");
    case 12: return QStringLiteral("queen");
    case 13: return QStringLiteral("king");
    default: return QString::number(rank);
    }
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

// Whether a card of that size has pixels to draw on, in table and device pixels.
bool hasPixels(Size card, double scale)
{
    const Size device = ArtSize{card, scale}.device();
    return card.width > 0 && card.height > 0 && device.width > 0 && device.height > 0;
}

// A picture of the card's size in device pixels, transparent, and a painter on it that draws in
// table pixels (stretched to the whole picture where the device size was rounded).
struct CardCanvas {
    CardCanvas(Size card, double scale, QImage::Format format)
    {
        const Size device = ArtSize{card, scale}.device();
        image = QImage(device.width, device.height, format);
        image.fill(Qt::transparent);
        painter.begin(&image);
        if (device.width != card.width || device.height != card.height)
            painter.scale(double(device.width) / card.width, double(device.height) / card.height);
    }
    QImage image;
    QPainter painter;
};

} // namespace

QString cardElement(int suit, int rank)
{
    return QString::fromLatin1(suitElements[std::clamp(suit, 0, 3)]) + QLatin1Char('_') + rankElement(rank);
}

bool hasCardElement(QSvgRenderer& drawing, const QString& element)
{
    return drawing.elementExists(element) && !drawing.boundsOnElement(element).isEmpty();
}

QImage renderCardElement(QSvgRenderer& drawing, const QString& element, QSize size)
{
    QImage picture(size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    drawing.render(&painter, element, QRectF(QPointF(0, 0), QSizeF(picture.size())));
    return picture;
}

// The pip of a small face, centred across the card and standing pipBottom above its foot; the
// joker's star likewise.
constexpr double pipWidth = 12, pipHeight = 13, pipBottom = 16.5, starBottom = 10.5;

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
    const QPointF pip(cell.x() + (cell.width() - pipWidth) / 2.0, cell.y() + cell.height() - pipBottom);
    painter.drawPath(pipPath(suit, QRectF(pip.x(), pip.y(), pipWidth, pipHeight)));
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
    const QPointF c(cell.x() + cell.width() / 2.0, cell.y() + cell.height() - starBottom);
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 ? 3.2 : 8.0, angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        star << c + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 0, 0));
    painter.drawPolygon(star, Qt::WindingFill);
}

QImage smallCardFace(int face, Size card, double scale)
{
    if (face < 0 || face > assets::jokerFace || !hasPixels(card, scale))
        return {};
    // The library's format, so that the little faces come out as its own.
    CardCanvas canvas(card, scale, QImage::Format_ARGB32);
    canvas.painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const QRect cell(0, 0, card.width, card.height);
    if (face == assets::jokerFace)
        drawSmallJoker(canvas.painter, cell);
    else
        drawSmallCard(canvas.painter, assets::suitLetters[std::size_t(face / assets::ranksPerSuit)],
                      face % assets::ranksPerSuit + 1, cell);
    canvas.painter.end();
    return canvas.image;
}


namespace {

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
                    {r.right() - r.width() * 0.27, r.top() + r.height() * 0.58},
                    {r.right(), r.top() + r.height() * 0.2},
                    {r.right(), r.bottom()}};
    painter.setPen(Qt::NoPen);
    painter.setBrush(markInk);
    painter.drawPolygon(crown);
}

void drawMark(QPainter& painter, std::string_view code, int w, int h)
{
    const double k = w / 71.0;
    const bool small = w < SmallCardWidth;
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

    static const std::map<std::string_view, QString> rankText = {
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
            painter.drawRoundedRect(QRectF(c.x() - cw / 2, c.y() - ch / 2 + (i - 1.5) * step, cw, ch), radius * 0.5,
                                    radius * 0.5);
        }
    }
}


// The shadow falls from a card place moved down and right; its density fades at the edge and is
// dithered, so the table shows through where the picture is not white. Both strips sample the
// same pattern in card coordinates and agree where they overlap. Its measures are those of the
// library's strip, assets::shadowWidth wide, times `unit` (how many times wider the strip is).
double shadowDensity(int w, int h, double unit, double x, double y)
{
    const double offset = 5 * unit, radius = 5 * unit, soft = 2.5 * unit;
    const QRectF core(offset + radius, offset + radius, w - 2 * radius, h - 2 * radius);
    const double dx = std::max({core.left() - x, 0.0, x - core.right()});
    const double dy = std::max({core.top() - y, 0.0, y - core.bottom()});
    const double outside = std::hypot(dx, dy) - radius;
    return 0.6 * std::clamp((soft - outside) / (2 * soft), 0.0, 1.0);
}

// The frame's colours, light from the top left.
struct Bevel {
    QRgb topLeft[2];     // outer and inner ring of the top and left sides
    QRgb bottomRight[2]; // the same for the bottom and right sides
};

Bevel bevelOf(int which)
{
    const QRgb light = qRgb(255, 255, 255), soft = qRgb(214, 214, 214), dim = qRgb(128, 128, 128);
    const QRgb dark = qRgb(0, 0, 0);
    if (which == 1)
        return {{light, soft}, {dark, dim}};
    return {{dim, dark}, {light, soft}};
}

// The frame's colour at a pixel lying left, top, right and bottom rings in from the edges (a ring
// being one step of the bevel), or 0 where the frame leaves the blue. The sides stop two rings
// short of each corner, as the card corners are rounded; with two rings the outer ring turns the
// top left and bottom right corners diagonally.
QRgb bevelAt(const Bevel& bevel, int rings, int left, int top, int right, int bottom)
{
    constexpr int cut = 2;
    if (top < rings && left >= cut && right >= cut)
        return bevel.topLeft[top];
    if (bottom < rings && left >= cut && right >= cut)
        return bevel.bottomRight[bottom];
    if (left < rings && top >= cut && bottom >= cut)
        return bevel.topLeft[left];
    if (right < rings && top >= cut && bottom >= cut)
        return bevel.bottomRight[right];
    if (rings == 2 && left == 1 && top == 1)
        return bevel.topLeft[0];
    if (rings == 2 && right == 1 && bottom == 1)
        return bevel.bottomRight[0];
    return 0;
}

} // namespace

QImage cardMark(std::string_view code, Size card, double scale)
{
    const std::vector<std::string>& codes = assets::markCodes();
    if (std::find(codes.begin(), codes.end(), code) == codes.end() || !hasPixels(card, scale))
        return {};
    CardCanvas canvas(card, scale, QImage::Format_ARGB32);
    drawMark(canvas.painter, code, card.width, card.height);
    canvas.painter.end();
    return canvas.image;
}

QImage cardShadow(int which, Size card, double scale, int shadowWidth)
{
    static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    if ((which != 1 && which != 2) || !hasPixels(card, scale) || shadowWidth <= 0)
        return {};
    const Size device = ArtSize{card, scale}.device();
    QImage image = which == 1 ? QImage(shadowWidth, device.height, QImage::Format_ARGB32)
                              : QImage(device.width, shadowWidth, QImage::Format_ARGB32);
    image.fill(Qt::white);
    const double unit = double(shadowWidth) / assets::shadowWidth;
    const QPoint origin = which == 1 ? QPoint(device.width, shadowWidth - 2) : QPoint(shadowWidth - 1, device.height);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int cx = origin.x() + x, cy = origin.y() + y;
            // The pattern repeats every four pixels; & 3 keeps the strip's first row in it when it
            // starts above the card (a strip narrower than 2).
            const double threshold = (bayer[cy & 3][cx & 3] + 0.5) / 16.0;
            if (shadowDensity(device.width, device.height, unit, cx + 0.5, cy + 0.5) > threshold)
                image.setPixel(x, y, qRgb(0, 0, 0));
        }
    return image;
}

QImage cardBorder(int which, Size card, double scale)
{
    if ((which != 1 && which != 2) || !hasPixels(card, scale))
        return {};
    const Size device = ArtSize{card, scale}.device();
    QImage image(device.width, device.height, QImage::Format_ARGB32);
    image.fill(QColor(0, 0, 255));
    // The library's frames have rings one pixel wide: two on the big card, one on the small design.
    // A card that many times wider (or finer) has rings that many device pixels wide.
    const bool small = isSmallCard(card);
    const int rings = small ? 1 : 2;
    const int designWidth = small ? assets::littleCard.width : assets::bigCard.width;
    const int ring = std::max(1, int(std::lround(scale * card.width / designWidth)));
    const Bevel bevel = bevelOf(which);
    const int w = device.width, h = device.height;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (const QRgb colour = bevelAt(bevel, rings, x / ring, y / ring, (w - 1 - x) / ring, (h - 1 - y) / ring))
                image.setPixel(x, y, colour);
    return image;
}

} // namespace kst
