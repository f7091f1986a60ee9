// Toolbar buttons and game description gauges; pointers and tree pictures have their own files.
// Toolbar glyphs are designed on a 16-unit grid and drawn at 16 and 24 pixels from the same
// geometry, so both sizes share stroke weight, palette and light.

#include "assets/Generators.h"
#include "assets/IconFamilies.h"
#include "assets/PictureNames.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <utility>

namespace kst::assets {

void drawSupersampled(QImage& image, double units, const std::function<void(QPainter&)>& draw)
{
    constexpr int factor = 4;
    QImage big(image.width() * factor, image.height() * factor, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter painter(&big);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
        const double scale = double(big.width()) / units;
        painter.scale(scale, scale);
        draw(painter);
    }
    image = big.scaled(image.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_ARGB32);
}

QBrush litFill(const QRectF& area, const QColor& base)
{
    QLinearGradient gradient(area.topLeft(), area.bottomRight());
    gradient.setColorAt(0, base.lighter(135));
    gradient.setColorAt(1, base.darker(118));
    return gradient;
}

QPainterPath textPath(const QString& text, QPointF centre, double height)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(100);
    QPainterPath mark;
    mark.addText(0, 0, font, text);
    const QRectF box = mark.boundingRect();
    QTransform fit;
    fit.translate(centre.x(), centre.y());
    fit.scale(height / box.height(), height / box.height());
    fit.translate(-box.center().x(), -box.center().y());
    return fit.map(mark);
}

QPainterPath starPath(QPointF c, double r, int points, double inner)
{
    QPainterPath star;
    for (int i = 0; i < 2 * points; ++i) {
        const double a = i * std::numbers::pi / points - std::numbers::pi / 2;
        const double d = i % 2 ? r * inner : r;
        const QPointF point(c.x() + d * std::cos(a), c.y() + d * std::sin(a));
        i ? star.lineTo(point) : star.moveTo(point);
    }
    star.closeSubpath();
    return star;
}

namespace {

// Fill colours of the toolbar.
const QColor paper(250, 250, 246), blue(62, 122, 214), green(64, 170, 72), gold(246, 196, 64),
    red(214, 58, 52), brown(176, 112, 60), steel(150, 160, 176);

QPen inkPen(double width = 1.0)
{
    QPen pen(ink, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

void outlined(QPainter& p, const QPainterPath& shape, const QColor& base)
{
    p.setPen(inkPen());
    p.setBrush(litFill(shape.boundingRect(), base));
    p.drawPath(shape);
}

QPainterPath heartPath(QPointF centre, double width)
{
    const double r = width / 4;
    QPainterPath heart;
    heart.moveTo(centre.x(), centre.y() + width * 0.55);
    heart.cubicTo(centre.x() - width * 0.7, centre.y() + width * 0.05, centre.x() - r * 1.6, centre.y() - width * 0.6,
                  centre.x(), centre.y() - width * 0.2);
    heart.cubicTo(centre.x() + r * 1.6, centre.y() - width * 0.6, centre.x() + width * 0.7, centre.y() + width * 0.05,
                  centre.x(), centre.y() + width * 0.55);
    return heart;
}

// A playing card with a heart in its middle.
void card(QPainter& p, const QRectF& r, bool pip = true)
{
    QPainterPath shape;
    shape.addRoundedRect(r, 1.3, 1.3);
    outlined(p, shape, paper);
    if (pip) {
        p.setPen(Qt::NoPen);
        p.setBrush(red);
        p.drawPath(heartPath(r.center(), std::min(r.width(), r.height()) * 0.5));
    }
}

// A thick arrow along `curve`: the tube and its head form one outlined shape.
void arrow(QPainter& p, const QPainterPath& curve, const QColor& base, double thickness = 2.2, double head = 2.6)
{
    QPainterPathStroker stroker;
    stroker.setWidth(thickness);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    QPainterPath shape = stroker.createStroke(curve);
    const QPointF end = curve.pointAtPercent(1);
    const double angle = -curve.angleAtPercent(1) * std::numbers::pi / 180;
    const QPointF along(std::cos(angle), std::sin(angle)), across(-along.y(), along.x());
    QPainterPath tip;
    tip.moveTo(end + across * head);
    tip.lineTo(end + along * head * 1.15);
    tip.lineTo(end - across * head);
    tip.closeSubpath();
    shape = shape.united(tip).simplified();
    outlined(p, shape, base);
}

// A four-pointed spark.
void spark(QPainter& p, QPointF c, double r)
{
    const QPainterPath star = starPath(c, r, 4, 0.32);
    p.setPen(inkPen(0.8));
    p.setBrush(QColor(255, 220, 70));
    p.drawPath(star);
}

void glyphNew(QPainter& p)
{
    card(p, QRectF(2.5, 3.5, 8, 11));
    spark(p, QPointF(11.8, 4.2), 4.0);
}

void glyphOpen(QPainter& p)
{
    QPainterPath back;
    back.moveTo(1.5, 13.5);
    back.lineTo(1.5, 3.0);
    back.lineTo(2.5, 2.0);
    back.lineTo(5.5, 2.0);
    back.lineTo(6.8, 3.5);
    back.lineTo(12.5, 3.5);
    back.lineTo(12.5, 13.5);
    back.closeSubpath();
    outlined(p, back, QColor(222, 160, 52));
    p.setPen(inkPen(0.8));
    p.setBrush(paper);
    p.drawRect(QRectF(3.5, 5.0, 7.5, 6));
    QPainterPath front;
    front.moveTo(1.5, 13.5);
    front.lineTo(4.0, 7.5);
    front.lineTo(15.0, 7.5);
    front.lineTo(12.5, 13.5);
    front.closeSubpath();
    outlined(p, front, gold);
}

void glyphRestart(QPainter& p)
{
    card(p, QRectF(1.5, 1.5, 7, 10));
    QPainterPath circle;
    const QRectF ring(6.0, 6.0, 8.8, 8.8);
    circle.arcMoveTo(ring, 200);
    circle.arcTo(ring, 200, -270);
    arrow(p, circle, green, 2.0, 2.8);
}

void glyphSave(QPainter& p)
{
    QPainterPath body;
    body.moveTo(1.5, 2.5);
    body.lineTo(12.5, 2.5);
    body.lineTo(14.5, 4.5);
    body.lineTo(14.5, 14.5);
    body.lineTo(1.5, 14.5);
    body.closeSubpath();
    outlined(p, body, blue);
    p.setPen(inkPen(0.8));
    p.setBrush(litFill(QRectF(4.5, 2.5, 7, 4.5), steel));
    p.drawRect(QRectF(4.5, 2.5, 7, 4.5));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRect(QRectF(9.0, 3.3, 1.5, 2.8));
    p.setPen(inkPen(0.8));
    p.setBrush(paper);
    p.drawRect(QRectF(3.5, 9.0, 9, 5.5));
    p.setPen(QPen(QColor(150, 160, 190), 0.7));
    p.drawLine(QPointF(5, 11), QPointF(11, 11));
    p.drawLine(QPointF(5, 12.8), QPointF(11, 12.8));
}

QPainterPath undoCurve()
{
    QPainterPath curve;
    curve.moveTo(8.5, 13.2);
    curve.lineTo(9.0, 13.2);
    curve.cubicTo(15.0, 13.2, 15.0, 5.5, 9.0, 5.5);
    curve.lineTo(5.0, 5.5);
    return curve;
}

void glyphUndo(QPainter& p)
{
    arrow(p, undoCurve(), blue, 2.6, 3.2);
}

void glyphRedo(QPainter& p)
{
    p.translate(16, 0);
    p.scale(-1, 1);
    arrow(p, undoCurve(), blue, 2.6, 3.2);
}

void glyphAutoplay(QPainter& p)
{
    card(p, QRectF(4.5, 0.5, 7, 9.5), false);
    card(p, QRectF(1.5, 2.5, 8, 11));
    QPainterPath play;
    play.moveTo(8.0, 7.5);
    play.lineTo(15.0, 11.5);
    play.lineTo(8.0, 15.5);
    play.closeSubpath();
    outlined(p, play, green);
}

// A light bulb lit up, with its rays: an idea for the next move.
void glyphHint(QPainter& p)
{
    p.setPen(QPen(gold.darker(135), 1.0, Qt::SolidLine, Qt::RoundCap));
    for (const auto& [from, to] : {std::pair{QPointF(8, 0.6), QPointF(8, 1.6)}, {QPointF(2.4, 2.9), QPointF(3.2, 3.6)},
                                   {QPointF(13.6, 2.9), QPointF(12.8, 3.6)}, {QPointF(1.0, 7.4), QPointF(2.0, 7.4)},
                                   {QPointF(15.0, 7.4), QPointF(14.0, 7.4)}})
        p.drawLine(from, to);
    QPainterPath glass;
    glass.moveTo(6.0, 11.2);
    glass.cubicTo(6.0, 9.4, 3.6, 8.6, 3.6, 6.6);
    glass.cubicTo(3.6, 4.2, 5.6, 2.6, 8.0, 2.6);
    glass.cubicTo(10.4, 2.6, 12.4, 4.2, 12.4, 6.6);
    glass.cubicTo(12.4, 8.6, 10.0, 9.4, 10.0, 11.2);
    glass.closeSubpath();
    p.setPen(inkPen());
    QRadialGradient light(QPointF(7.0, 5.4), 6.0);
    light.setColorAt(0, QColor(255, 252, 214));
    light.setColorAt(0.5, gold.lighter(115));
    light.setColorAt(1, gold.darker(110));
    p.setBrush(light);
    p.drawPath(glass);
    QPainterPath base;
    base.addRoundedRect(QRectF(5.8, 11.2, 4.4, 3.0), 0.6, 0.6);
    outlined(p, base, steel);
    p.setPen(QPen(ink, 0.6));
    p.drawLine(QPointF(6.0, 12.7), QPointF(10.0, 12.7));
    p.setPen(inkPen(0.8));
    p.drawLine(QPointF(7.2, 15.0), QPointF(8.8, 15.0));
}

void glyphStatistics(QPainter& p)
{
    const struct { double x, top; QColor colour; } bars[] = {
        {3.0, 8.5, blue}, {6.8, 3.5, green}, {10.6, 6.0, red}};
    for (const auto& bar : bars) {
        QPainterPath shape;
        shape.addRect(QRectF(bar.x, bar.top, 3.2, 13.5 - bar.top));
        outlined(p, shape, bar.colour);
    }
    p.setPen(inkPen(1.2));
    p.drawLine(QPointF(1.2, 1.5), QPointF(1.2, 14.5));
    p.drawLine(QPointF(1.2, 14.5), QPointF(15.0, 14.5));
}

void glyphRules(QPainter& p)
{
    QPainterPath pages;
    pages.addRoundedRect(QRectF(3.5, 2.5, 10.5, 12.5), 0.8, 0.8);
    outlined(p, pages, paper);
    QPainterPath cover;
    cover.addRoundedRect(QRectF(2.0, 1.0, 10.5, 12.5), 1.0, 1.0);
    outlined(p, cover, blue);
    p.setPen(QPen(blue.darker(160), 1.0));
    p.drawLine(QPointF(4.0, 1.6), QPointF(4.0, 13.0));
    p.setPen(QPen(ink, 0.5));
    p.setBrush(Qt::white);
    p.drawPath(textPath(QStringLiteral("?"), QPointF(8.3, 7.3), 8.6));
}

void glyphExit(QPainter& p)
{
    QPainterPath frame;
    frame.addRect(QRectF(1.5, 1.5, 8.5, 13));
    outlined(p, frame, QColor(70, 60, 72));
    QPainterPath door;
    door.moveTo(1.5, 1.5);
    door.lineTo(6.5, 3.0);
    door.lineTo(6.5, 15.5);
    door.lineTo(1.5, 14.5);
    door.closeSubpath();
    outlined(p, door, brown);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(5.3, 9.0), 0.7, 0.7);
    QPainterPath way;
    way.moveTo(7.5, 8.5);
    way.lineTo(12.3, 8.5);
    arrow(p, way, red, 2.6, 3.0);
}

using Glyph = void (*)(QPainter&);
const std::map<std::string, Glyph, std::less<>> glyphs = {
    {"NEW", glyphNew},     {"OPEN", glyphOpen},         {"RESTART", glyphRestart}, {"SAVE", glyphSave},
    {"UNDO", glyphUndo},   {"REDO", glyphRedo},         {"HINT", glyphHint},       {"AUTOPLAY", glyphAutoplay},
    {"STAT", glyphStatistics}, {"RULES", glyphRules},   {"EXIT", glyphExit}};

// A disabled button: the glyph in flat greys, raised by a white copy one design pixel (`scale`
// picture pixels) down and right.
QImage disabled(const QImage& glyph, int scale)
{
    QImage grey(glyph.size(), QImage::Format_ARGB32);
    QImage light(glyph.size(), QImage::Format_ARGB32);
    grey.fill(Qt::transparent);
    light.fill(Qt::transparent);
    for (int y = 0; y < glyph.height(); ++y)
        for (int x = 0; x < glyph.width(); ++x) {
            const QRgb pixel = glyph.pixel(x, y);
            const int level = 100 + qGray(pixel) * 80 / 255;
            grey.setPixel(x, y, qRgba(level, level, level, qAlpha(pixel)));
            light.setPixel(x, y, qRgba(255, 255, 255, qAlpha(pixel) * 4 / 5));
        }
    QImage result(glyph.size(), QImage::Format_ARGB32);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.drawImage(scale, scale, light);
    painter.drawImage(0, 0, grey);
    return result;
}

bool drawToolbarPicture(QImage& image, std::string_view name)
{
    const bool large = name.starts_with("TBL_");
    if (!large && !name.starts_with("TB_"))
        return false;
    std::string_view command = name.substr(large ? 4 : 3);
    const bool greyed = command.ends_with("_DIS");
    if (greyed)
        command.remove_suffix(4);
    const auto glyph = glyphs.find(command);
    if (glyph == glyphs.end())
        return false;
    drawSupersampled(image, 16, glyph->second);
    if (greyed)
        image = disabled(image, image.width() / (large ? toolbarLarge : toolbarSmall));
    return true;
}

// Gauge symbols on a 12-unit square.
void symbolClock(QPainter& p)
{
    p.setPen(inkPen(1.0));
    QRadialGradient face(QPointF(4.5, 4.5), 7);
    face.setColorAt(0, Qt::white);
    face.setColorAt(1, QColor(214, 222, 236));
    p.setBrush(face);
    p.drawEllipse(QPointF(6, 6), 5, 5);
    p.setPen(inkPen(1.1));
    p.drawLine(QPointF(6, 6), QPointF(6, 2.6));
    p.drawLine(QPointF(6, 6), QPointF(8.4, 7.2));
}

void symbolMountain(QPainter& p)
{
    QPainterPath hill;
    hill.moveTo(0.5, 11);
    hill.lineTo(5.0, 2.0);
    hill.lineTo(7.3, 6.4);
    hill.lineTo(8.6, 4.6);
    hill.lineTo(11.5, 11);
    hill.closeSubpath();
    outlined(p, hill, QColor(112, 128, 156));
    QPainterPath snow;
    snow.moveTo(5.0, 2.0);
    snow.lineTo(6.4, 4.8);
    snow.lineTo(5.4, 4.3);
    snow.lineTo(4.4, 5.0);
    snow.lineTo(3.7, 4.6);
    snow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(snow);
}

void symbolTrophy(QPainter& p)
{
    p.setPen(inkPen(0.9));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(1.0, 2.2, 3.5, 4.0), 90 * 16, 180 * 16);
    p.drawArc(QRectF(7.5, 2.2, 3.5, 4.0), -90 * 16, 180 * 16);
    QPainterPath cup;
    cup.moveTo(2.8, 1.3);
    cup.lineTo(9.2, 1.3);
    cup.cubicTo(9.2, 6.0, 7.5, 7.5, 6.0, 7.5);
    cup.cubicTo(4.5, 7.5, 2.8, 6.0, 2.8, 1.3);
    cup.closeSubpath();
    cup.addRect(QRectF(5.2, 7.3, 1.6, 2.0));
    cup.addRoundedRect(QRectF(3.3, 9.2, 5.4, 2.0), 0.5, 0.5);
    outlined(p, cup.simplified(), gold);
}

void symbolPawn(QPainter& p)
{
    QPainterPath pawn;
    pawn.addEllipse(QPointF(6, 2.9), 2.0, 2.0);
    pawn.moveTo(4.6, 5.2);
    pawn.lineTo(7.4, 5.2);
    pawn.cubicTo(7.2, 6.6, 7.6, 8.0, 9.0, 9.0);
    pawn.lineTo(3.0, 9.0);
    pawn.cubicTo(4.4, 8.0, 4.8, 6.6, 4.6, 5.2);
    pawn.closeSubpath();
    pawn.addRoundedRect(QRectF(2.0, 9.0, 8.0, 2.3), 0.8, 0.8);
    outlined(p, pawn.simplified(), QColor(96, 108, 150));
}

struct Gauge {
    std::string_view name;
    Glyph symbol;
    int lit;
    int segments;
};

const Gauge gauges[] = {
    {"PROG_TIME_QUICK", symbolClock, 1, 3},         {"PROG_TIME_MEDIUM", symbolClock, 2, 3},
    {"PROG_TIME_LONG", symbolClock, 3, 3},          {"PROG_DIFF_EASY", symbolMountain, 1, 3},
    {"PROG_DIFF_MEDIUM", symbolMountain, 2, 3},     {"PROG_DIFF_HARD", symbolMountain, 3, 3},
    {"PROG_CHAN_VERYLOW", symbolTrophy, 1, 5},      {"PROG_CHAN_LOW", symbolTrophy, 2, 5},
    {"PROG_CHAN_MEDIUM", symbolTrophy, 3, 5},       {"PROG_CHAN_HIGH", symbolTrophy, 4, 5},
    {"PROG_CHAN_VERYHIGH", symbolTrophy, 5, 5},     {"PROG_SKILL_CHANCEONLY", symbolPawn, 1, 5},
    {"PROG_SKILL_MOSTLYCHANCE", symbolPawn, 2, 5}, {"PROG_SKILL_MODERATE", symbolPawn, 3, 5},
    {"PROG_SKILL_MOSTLYSKILL", symbolPawn, 4, 5}, {"PROG_SKILL_DIFFICULT", symbolPawn, 5, 5},
    {"PROG_DISABLED", nullptr, 0, 5}};

// The colour of segment `index` of `count`: green at the low end through yellow to red.
QColor levelColour(int index, int count)
{
    const double t = count > 1 ? double(index) / (count - 1) : 0;
    return QColor::fromHsvF(float((1 - t) * 0.33), 0.82f, 0.9f);
}

void drawGauge(QPainter& p, const Gauge& gauge)
{
    if (gauge.symbol)
        gauge.symbol(p);
    // Segment edges on pixel centres: whole-pixel widths and gaps, the gap widened until they fit.
    constexpr int left = 14, span = 33;
    constexpr double top = 2.5, bottom = 9.5;
    int gap = 2;
    while ((span - gap * (gauge.segments - 1)) % gauge.segments)
        ++gap;
    const int width = (span - gap * (gauge.segments - 1)) / gauge.segments;
    for (int i = 0; i < gauge.segments; ++i) {
        const QRectF r(left + 0.5 + i * (width + gap), top, width, bottom - top);
        if (i < gauge.lit) {
            const QColor base = levelColour(i, gauge.segments);
            QLinearGradient shine(r.topLeft(), r.bottomLeft());
            shine.setColorAt(0, base.lighter(150));
            shine.setColorAt(0.45, base);
            shine.setColorAt(1, base.darker(125));
            p.setPen(QPen(base.darker(190), 1.0));
            p.setBrush(shine);
        } else {
            const bool off = !gauge.symbol;
            p.setPen(QPen(off ? QColor(150, 150, 150) : QColor(110, 116, 130), 1.0));
            p.setBrush(off ? QColor(205, 205, 205, 150) : QColor(236, 238, 242, 170));
        }
        p.drawRoundedRect(r, 1.4, 1.4);
    }
}

bool drawGaugePicture(QImage& image, std::string_view name)
{
    for (const Gauge& gauge : gauges)
        if (gauge.name == name) {
            drawSupersampled(image, gaugeWidth, [&](QPainter& p) { drawGauge(p, gauge); });
            return true;
        }
    return false;
}

} // namespace

bool drawIconPicture(QImage& image, const std::string& name)
{
    return drawToolbarPicture(image, name) || drawGaugePicture(image, name) || drawPointerPicture(image, name)
        || drawTreePicture(image, name);
}

} // namespace kst::assets
