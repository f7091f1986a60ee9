// kst-assets: draws the pictures of the resource library KST.RGF and writes the .qrc that packs
// them, and draws a contact sheet of a built library for review.
// Usage: kst-assets library THEME_DIR OUT_DIR
//        kst-assets contact-sheet LIBRARY.RGF OUT.png

#include "assets/PictureNames.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QResource>
#include <QSvgRenderer>
#include <QTextStream>

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
// The joker is one picture per size: taken from the theme whose joker is drawn without text
// that a missing font could push over the card's edge.
constexpr int jokerCardSet = 5;

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

bool fail(const QString& message)
{
    std::fprintf(stderr, "kst-assets: %s\n", qPrintable(message));
    return false;
}

// Renders one element fitted into the cell keeping its proportions; drawn at four times the size
// and scaled down, so thin index strokes stay solid instead of fading to grey.
bool drawSvgCard(QPainter& painter, QSvgRenderer& svg, const QString& element, const QRect& cell)
{
    constexpr int oversample = 4;
    const QRectF bounds = svg.boundsOnElement(element);
    if (!svg.elementExists(element) || bounds.isEmpty())
        return fail(QStringLiteral("the card theme has no picture %1").arg(element));
    const double scale = std::min(cell.width() / bounds.width(), cell.height() / bounds.height());
    const QSize fitted(qRound(bounds.width() * scale), qRound(bounds.height() * scale));
    QImage big(fitted * oversample, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter p(&big);
        p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        svg.render(&p, element, QRectF(QPointF(0, 0), QSizeF(big.size())));
    }
    const QImage small = big.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter.drawImage(cell.topLeft() + QPoint((cell.width() - fitted.width()) / 2, (cell.height() - fitted.height()) / 2), small);
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

QImage newPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
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

    QFile qrc(out.filePath(QStringLiteral("KST.qrc")));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(QStringLiteral("cannot write ") + qrc.fileName());
    QTextStream list(&qrc);
    list << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/\">\n";

    for (const PictureSpec& spec : libraryPictures()) {
        const QString name = QString::fromStdString(spec.name);
        QImage image = newPicture(spec.width, spec.height);
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        const bool joker = name.startsWith(QLatin1String("JOKER_"));
        const char size = joker ? name.back().toLatin1() : name[1].toLatin1();
        const int w = joker ? spec.width : spec.width / 6, h = joker ? spec.height : spec.height / 4;
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
        if (!drawn)
            return fail(QStringLiteral("cannot draw ") + name);
        painter.end();
        const QString file = name + QStringLiteral(".png");
        if (!image.save(out.filePath(file), "PNG"))
            return fail(QStringLiteral("cannot write ") + out.filePath(file));
        list << "    <file alias=\"" << file << "\">" << file << "</file>\n";
    }
    list << "  </qresource>\n</RCC>\n";
    list.flush();
    return qrc.error() == QFile::NoError || fail(QStringLiteral("cannot write ") + qrc.fileName());
}

// Every picture of the library at its own size with its name under it, on a table-green ground so
// both transparent and white parts show.
bool drawContactSheet(const QString& library, const QString& outFile)
{
    const QString root = QStringLiteral("/contact");
    if (!QResource::registerResource(library, root))
        return fail(QStringLiteral("cannot load the resource library ") + library);
    const QDir dir(QLatin1Char(':') + root);
    QStringList files = dir.entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);

    constexpr int sheetWidth = 1800, gap = 10, label = 14;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    struct Placed { QImage image; QString name; QPoint at; };
    std::vector<Placed> placed;
    int x = gap, y = gap, rowHeight = 0;
    for (const QString& file : files) {
        const QImage image(dir.filePath(file));
        if (image.isNull())
            return fail(QStringLiteral("unreadable picture ") + file);
        const int cellWidth = std::max(image.width(), 90);
        if (x + cellWidth + gap > sheetWidth) {
            x = gap;
            y += rowHeight + label + gap;
            rowHeight = 0;
        }
        placed.push_back({image, file.chopped(4), QPoint(x, y)});
        x += cellWidth + gap;
        rowHeight = std::max(rowHeight, image.height());
    }
    QImage sheet(sheetWidth, y + rowHeight + label + gap, QImage::Format_RGB32);
    sheet.fill(QColor(0, 96, 0));
    QPainter painter(&sheet);
    painter.setFont(font);
    painter.setPen(Qt::white);
    for (const Placed& p : placed) {
        painter.drawImage(p.at, p.image);
        painter.drawText(QPoint(p.at.x(), p.at.y() + p.image.height() + label - 3),
                         QStringLiteral("%1 %2x%3").arg(p.name).arg(p.image.width()).arg(p.image.height()));
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
    if (args.size() == 4 && args[1] == QLatin1String("contact-sheet"))
        return kst::assets::drawContactSheet(args[2], args[3]) ? 0 : 1;
    std::fprintf(stderr, "usage: kst-assets library THEME_DIR OUT_DIR\n"
                         "       kst-assets contact-sheet LIBRARY.RGF OUT.png\n");
    return 2;
}
