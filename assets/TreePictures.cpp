// The game browser's tree pictures: 16 x 16 on an opaque ground of treeGround, which the browser
// treats as transparent. They are drawn smoothly at four times the size, then every pixel becomes
// either the exact ground or a solid colour of the drawing, never a blend of the two.

#include "assets/IconFamilies.h"
#include "assets/PictureNames.h"

#include <QFont>
#include <QPainterPath>

#include <cmath>
#include <map>
#include <numbers>

namespace kst::assets {
namespace {

const QColor paper(252, 252, 246), gold(240, 188, 64), cardBack(52, 92, 200), red(210, 30, 36),
    green(56, 168, 64), felt(30, 130, 70), steel(150, 162, 180), selection(44, 104, 220);

// A framed box on whole pixels: one-pixel ink rim, filled inside.
void box(QPainter& p, int x, int y, int w, int h, const QBrush& fill, const QColor& rim = ink)
{
    p.fillRect(QRect(x, y, w, h), rim);
    p.fillRect(QRect(x + 1, y + 1, w - 2, h - 2), fill);
}

void pip(QPainter& p, QPointF c, const QColor& colour, double r = 1.5)
{
    QPainterPath diamond;
    diamond.moveTo(c.x(), c.y() - r);
    diamond.lineTo(c.x() + r * 0.8, c.y());
    diamond.lineTo(c.x(), c.y() + r);
    diamond.lineTo(c.x() - r * 0.8, c.y());
    diamond.closeSubpath();
    p.fillPath(diamond, colour);
}

enum class Face { Up, Down, Empty };

void card(QPainter& p, int x, int y, int w, int h, Face face = Face::Up)
{
    if (face == Face::Empty) {
        box(p, x, y, w, h, QColor(24, 96, 52), QColor(200, 230, 200));
        return;
    }
    box(p, x, y, w, h, face == Face::Up ? QBrush(paper) : QBrush(cardBack));
    if (face == Face::Down && w > 4 && h > 4)
        p.fillRect(QRect(x + 2, y + 2, w - 4, h - 4), cardBack.lighter(140));
}

// A column of cards fanned downwards; the first `down` cards lie face down.
void column(QPainter& p, int x, int y, int w, int h, int count, int step, int down = 0)
{
    for (int i = 0; i < count; ++i)
        card(p, x, y + i * step, w, h, i < down ? Face::Down : Face::Up);
}

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF& point : points) {
        first ? path.moveTo(point) : path.lineTo(point);
        first = false;
    }
    path.closeSubpath();
    return path;
}

void outlinedPath(QPainter& p, const QPainterPath& path, const QBrush& fill, double width = 1.0)
{
    p.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(path);
}

void folderClosed(QPainter& p)
{
    box(p, 1, 2, 6, 4, gold.darker(115));
    box(p, 1, 4, 14, 10, litFill(QRectF(1, 4, 14, 10), gold));
}

void folderOpen(QPainter& p)
{
    box(p, 1, 2, 6, 4, gold.darker(125));
    box(p, 1, 4, 13, 10, gold.darker(125));
    box(p, 3, 5, 9, 5, paper);
    outlinedPath(p, polygon({{1.5, 13.5}, {4.5, 8.5}, {15.5, 8.5}, {12.5, 13.5}}), litFill(QRectF(1, 8, 15, 6), gold));
}

void star(QPainter& p, QPointF c, double r, const QColor& colour = gold)
{
    const QPainterPath path = starPath(c, r, 5, 0.45);
    outlinedPath(p, path, litFill(path.boundingRect(), colour));
}

void check(QPainter& p)
{
    QPainterPath mark;
    mark.moveTo(8.0, 11.0);
    mark.lineTo(10.5, 13.5);
    mark.lineTo(15.0, 7.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 3.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(mark);
    p.setPen(QPen(green.lighter(115), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(mark);
}

void gear(QPainter& p, QPointF c, double r)
{
    QPainterPath wheel;
    constexpr int teeth = 7;
    for (int i = 0; i < teeth * 4; ++i) {
        const double a = i * 2 * std::numbers::pi / (teeth * 4);
        const double d = (i % 4) < 2 ? r : r * 0.7;
        const QPointF point(c.x() + d * std::cos(a), c.y() + d * std::sin(a));
        i ? wheel.lineTo(point) : wheel.moveTo(point);
    }
    wheel.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(c, r * 0.28, r * 0.28);
    outlinedPath(p, wheel.subtracted(hole), litFill(wheel.boundingRect(), steel));
}

void tag(QPainter& p)
{
    const QPainterPath label = polygon({{15.5, 9.5}, {15.5, 15.5}, {10.0, 15.5}, {7.0, 12.5}, {10.0, 9.5}});
    outlinedPath(p, label, litFill(label.boundingRect(), QColor(236, 96, 40)));
    p.fillRect(QRect(9, 12, 2, 2), ink);
}

void indexTabs(QPainter& p, int top)
{
    box(p, 3, top, 3, 4, QColor(220, 60, 60));
    box(p, 6, top + 1, 3, 4, QColor(70, 170, 80));
    box(p, 9, top, 3, 4, QColor(70, 120, 230));
}

void cabinet(QPainter& p, bool open)
{
    box(p, 2, 0, 12, 16, litFill(QRectF(2, 0, 12, 16), steel));
    box(p, 3, 8, 10, 7, steel.lighter(120));
    p.fillRect(QRect(7, 10, 2, 1), ink);
    if (!open) {
        box(p, 3, 1, 10, 7, steel.lighter(120));
        p.fillRect(QRect(7, 3, 2, 1), ink);
        return;
    }
    p.fillRect(QRect(3, 1, 10, 6), QColor(48, 52, 66));
    box(p, 4, 1, 4, 5, paper);
    box(p, 7, 2, 4, 5, paper);
    box(p, 1, 5, 14, 5, steel.lighter(130));
    p.fillRect(QRect(6, 7, 4, 1), ink);
}

void window(QPainter& p, bool open)
{
    box(p, 0, 1, 16, 14, QColor(210, 214, 224));
    p.fillRect(QRect(1, 2, 14, 3), selection);
    p.fillRect(QRect(12, 3, 2, 1), paper);
    p.fillRect(QRect(1, 5, 14, 1), ink);
    if (open) {
        p.fillRect(QRect(1, 6, 14, 8), felt);
        card(p, 3, 7, 4, 6);
        card(p, 9, 7, 4, 6, Face::Down);
    } else {
        for (int y = 7; y < 14; y += 2)
            p.fillRect(QRect(2, y, 12, 1), QColor(150, 156, 170));
    }
}

void glyph(QPainter& p, QPointF centre, double height, const QString& text, const QColor& colour)
{
    p.fillPath(textPath(text, centre, height), colour);
}

void bigCard(QPainter& p, int x = 3, const QBrush& fill = QBrush(paper), const QColor& rim = ink)
{
    box(p, x, 1, 10, 14, fill, rim);
}

// A card of a fan, turned `angle` degrees about a point under its foot.
void fannedCard(QPainter& p, QPointF pivot, double angle, bool top)
{
    p.save();
    p.translate(pivot);
    p.rotate(angle);
    QPainterPath shape;
    shape.addRect(QRectF(-3.5, -13.5, 7.0, 10.0));
    outlinedPath(p, shape, paper);
    if (top)
        pip(p, QPointF(0, -8.5), red, 2.2);
    p.restore();
}

void spider(QPainter& p)
{
    const QColor body(24, 24, 28);
    p.setPen(QPen(body, 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(8, 0), QPointF(8, 5));
    for (const int side : {-1, 1})
        for (int leg = 0; leg < 4; ++leg) {
            QPainterPath path;
            path.moveTo(8, 7.0 + leg * 1.1);
            path.lineTo(8 + side * 4.6, 3.6 + leg * 2.4);
            path.lineTo(8 + side * 7.4, 6.4 + leg * 2.9);
            p.drawPath(path);
        }
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawEllipse(QPointF(8, 6.6), 2.0, 2.0);
    p.drawEllipse(QPointF(8, 10.8), 2.7, 3.4);
    p.fillRect(QRectF(7, 10, 2, 2), red);
}

void wrench(QPainter& p)
{
    p.save();
    p.translate(10.5, 10.5);
    p.rotate(-45);
    QPainterPath tool;
    tool.addRoundedRect(QRectF(-1.2, -1.0, 2.4, 7.5), 1.0, 1.0);
    QPainterPath head;
    head.addEllipse(QPointF(0, -2.2), 3.0, 3.0);
    QPainterPath jaw;
    jaw.addRect(QRectF(-1.0, -6.0, 2.0, 3.8));
    outlinedPath(p, tool.united(head).subtracted(jaw), litFill(QRectF(-3, -5, 6, 12), steel));
    p.restore();
}

void ribbon(QPainter& p)
{
    outlinedPath(p, polygon({{8.5, 11.0}, {6.5, 15.5}, {8.5, 14.5}, {9.5, 15.8}, {10.5, 11.5}}), QColor(60, 110, 220));
    outlinedPath(p, polygon({{11.5, 11.0}, {13.5, 15.5}, {11.5, 14.5}, {10.5, 15.8}, {9.5, 11.5}}), QColor(60, 110, 220));
    QPainterPath rosette;
    rosette.addEllipse(QPointF(10.0, 9.5), 3.4, 3.4);
    outlinedPath(p, rosette, litFill(rosette.boundingRect(), red));
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    p.drawEllipse(QPointF(10.0, 9.5), 1.4, 1.4);
}

void puzzlePiece(QPainter& p)
{
    QPainterPath piece;
    piece.addRect(QRectF(2.5, 4.5, 9.5, 9.5));
    QPainterPath knob;
    knob.addEllipse(QPointF(7.25, 3.3), 2.2, 2.2);
    knob.addEllipse(QPointF(13.3, 9.25), 2.2, 2.2);
    QPainterPath socket;
    socket.addEllipse(QPointF(2.5, 9.25), 1.8, 1.8);
    piece = piece.united(knob).subtracted(socket).simplified();
    outlinedPath(p, piece, litFill(piece.boundingRect(), QColor(70, 170, 90)));
}

void smiley(QPainter& p)
{
    QPainterPath face;
    face.addEllipse(QPointF(8, 8), 6.8, 6.8);
    outlinedPath(p, face, litFill(face.boundingRect(), QColor(255, 210, 40)));
    p.fillRect(QRect(5, 5, 2, 3), ink);
    p.fillRect(QRect(9, 5, 2, 3), ink);
    p.setPen(QPen(ink, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4.2, 5.0, 7.6, 6.6), -20 * 16, -140 * 16);
}

void drawNamed(QPainter& p, std::string_view name)
{
    if (name == "TREE1") folderClosed(p);
    else if (name == "TREE2") folderOpen(p);
    else if (name == "N_TREE3" || name == "N_TREE4") {
        const bool selected = name == "N_TREE4";
        bigCard(p, 3, selected ? QBrush(QColor(206, 222, 255)) : QBrush(paper), selected ? selection : ink);
        if (selected)
            p.fillRect(QRect(4, 2, 8, 12), QColor(206, 222, 255));
        p.fillRect(QRect(5, 3, 1, 2), red);
        pip(p, QPointF(8, 8), red, 3.0);
        if (selected) {
            p.setPen(QPen(selection, 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(2.5, 0.5, 11, 15));
        }
    } else if (name == "N_TREE5") {
        bigCard(p);
        glyph(p, QPointF(8, 8), 9.0, QStringLiteral("?"), selection);
    } else if (name == "F_TREE1" || name == "F_TREE2") {
        name.back() == '1' ? folderClosed(p) : folderOpen(p);
        check(p);
    } else if (name == "S_TREE1" || name == "S_TREE2") {
        name.back() == '1' ? folderClosed(p) : folderOpen(p);
        star(p, QPointF(11.5, 11.5), 4.6);
    } else if (name == "D_TREE1" || name == "D_TREE2") {
        cabinet(p, name.back() == '2');
    } else if (name == "C_TREE1" || name == "C_TREE2") {
        name.back() == '1' ? folderClosed(p) : folderOpen(p);
        gear(p, QPointF(11.5, 11.5), 4.3);
    } else if (name == "T_TREE1" || name == "T_TREE2") {
        name.back() == '1' ? folderClosed(p) : folderOpen(p);
        tag(p);
    } else if (name == "I_TREE1") {
        indexTabs(p, 1);
        folderClosed(p);
        p.fillRect(QRect(2, 5, 12, 8), litFill(QRectF(1, 4, 14, 10), gold));
        indexTabs(p, 2);
        box(p, 1, 5, 14, 9, litFill(QRectF(1, 5, 14, 9), gold));
    } else if (name == "I_TREE2") {
        box(p, 1, 2, 6, 4, gold.darker(125));
        box(p, 1, 4, 13, 10, gold.darker(125));
        indexTabs(p, 4);
        outlinedPath(p, polygon({{1.5, 13.5}, {4.5, 8.5}, {15.5, 8.5}, {12.5, 13.5}}), litFill(QRectF(1, 8, 15, 6), gold));
    } else if (name == "K_TREE2") smiley(p);
    else if (name == "W_TREE1" || name == "W_TREE2") window(p, name.back() == '2');
    else if (name == "TREE5_CANFIELD_TYPE") {
        card(p, 0, 0, 5, 6);
        pip(p, QPointF(2.5, 3), red, 1.2);
        for (int i = 0; i < 3; ++i)
            card(p, 0, 7 + i, 5, 7, i < 2 ? Face::Down : Face::Up);
        column(p, 6, 0, 5, 7, 3, 3);
        column(p, 11, 0, 5, 7, 2, 3);
    } else if (name == "TREE5_FORTYTHIEVES_TYPE") {
        for (const int x : {0, 6, 11}) {
            card(p, x, 0, 5, 5);
            pip(p, QPointF(x + 2.5, 2.5), x == 6 ? ink : red, 1.2);
            column(p, x, 6, 5, 6, 3, 2);
        }
    } else if (name == "TREE5_FREECELL_TYPE") {
        card(p, 0, 0, 5, 6, Face::Empty);
        card(p, 6, 0, 5, 6, Face::Empty);
        card(p, 11, 0, 5, 6);
        pip(p, QPointF(13.5, 3), red, 1.2);
        for (const int x : {0, 6, 11})
            column(p, x, 7, 5, 6, 2, 3);
    } else if (name == "TREE5_KLONDIKE_TYPE") {
        for (int i = 0; i < 3; ++i)
            column(p, i == 0 ? 0 : i * 5 + 1, 1, 5, 7, i + 1, 3, i);
        card(p, 0, 10, 5, 6, Face::Down);
    } else if (name == "TREE5_PAIRING_TYPE") {
        card(p, 1, 1, 8, 11);
        card(p, 7, 4, 8, 11);
        pip(p, QPointF(5, 6.5), red, 2.4);
        pip(p, QPointF(11, 9.5), red, 2.4);
    } else if (name == "TREE5_SIMPLEGAMES_TYPE") {
        card(p, 0, 2, 7, 10, Face::Down);
        card(p, 1, 3, 7, 10, Face::Down);
        card(p, 9, 3, 7, 10);
        pip(p, QPointF(12.5, 8), red, 2.2);
    } else if (name == "TREE5_SPIDER_TYPE") spider(p);
    else if (name == "TREE5_1DECK_TYPE") {
        bigCard(p);
        glyph(p, QPointF(8, 8), 9.0, QStringLiteral("1"), ink);
    } else if (name == "TREE5_2DECK_TYPE") {
        for (int i = 0; i < 3; ++i)
            card(p, i, i, 8, 10, i < 2 ? Face::Down : Face::Up);
        for (int i = 0; i < 3; ++i)
            card(p, 6 + i, 4 + i, 8, 10, i < 2 ? Face::Down : Face::Up);
        pip(p, QPointF(12, 11), red, 2.2);
    } else if (name == "TREE5_FAN_TYPE") {
        for (int i = 0; i < 3; ++i)
            fannedCard(p, QPointF(8.0, 15.5), -30 + i * 30, i == 2);
    } else if (name == "TREE5_BAKERSDOZEN_TYPE") {
        for (const int y : {0, 8})
            for (const int x : {0, 6, 11})
                column(p, x, y, 5, 6, 2, 2);
    } else if (name == "TREE5_ROW_TYPE") {
        for (const int y : {1, 9})
            for (int i = 0; i < 4; ++i)
                card(p, i * 3 + (y > 1 ? 2 : 0), y, 5, 6);
    } else if (name == "TREE5_CUSTOMIZED_GAMES") {
        bigCard(p, 1);
        pip(p, QPointF(6, 6), red, 2.5);
        wrench(p);
    } else if (name == "TREE5_FAVORITES_GAMES") star(p, QPointF(8, 8.6), 7.4);
    else if (name == "TREE5_PUZZLE_TYPE") puzzlePiece(p);
    else if (name == "TREE5_ORIGINAL_TYPE") {
        bigCard(p, 1);
        pip(p, QPointF(5.5, 5.5), red, 2.3);
        ribbon(p);
    }
}

} // namespace

bool drawTreePicture(QImage& image, const std::string& name)
{
    bool known = false;
    for (const std::string_view tree : treePictureNames)
        known = known || tree == name;
    if (!known)
        return false;
    drawSupersampled(image, treePictureSize, [&](QPainter& p) { drawNamed(p, name); });
    const QRgb ground = qRgb(treeGround[0], treeGround[1], treeGround[2]);
    QImage opaque(image.size(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y); // ARGB32: not premultiplied
            QRgb solid = qAlpha(pixel) >= 128 ? qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel)) : ground;
            if (qAlpha(pixel) >= 128 && solid == ground)
                solid = qRgb(treeGround[0] + 1, treeGround[1], treeGround[2]);
            opaque.setPixel(x, y, solid);
        }
    image = opaque;
    return true;
}

} // namespace kst::assets
