// The larger interface pictures: the pause title, the score panel of the poker grid, the card
// counter's labels and slots, the previews of the appearance dialog, the motion filmstrips and the
// start picture.

#include "assets/Generators.h"
#include "assets/PictureNames.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <numbers>
#include <vector>

namespace kst::assets {
namespace {

constexpr int oversample = 4;

enum class Suit { Hearts, Diamonds, Clubs, Spades };

bool isRed(Suit suit)
{
    return suit == Suit::Hearts || suit == Suit::Diamonds;
}

const QColor cardRed(196, 18, 32);
const QColor cardBlack(22, 22, 26);

QColor suitInk(Suit suit)
{
    return isRed(suit) ? cardRed : cardBlack;
}

// The suit symbols, designed in a unit square and mapped onto r.
QPainterPath suitPath(Suit suit, const QRectF& r)
{
    QPainterPath path;
    switch (suit) {
    case Suit::Hearts:
        path.moveTo(0.5, 0.98);
        path.cubicTo(0.30, 0.78, 0.0, 0.60, 0.0, 0.30);
        path.cubicTo(0.0, 0.12, 0.13, 0.0, 0.27, 0.0);
        path.cubicTo(0.39, 0.0, 0.47, 0.08, 0.5, 0.19);
        path.cubicTo(0.53, 0.08, 0.61, 0.0, 0.73, 0.0);
        path.cubicTo(0.87, 0.0, 1.0, 0.12, 1.0, 0.30);
        path.cubicTo(1.0, 0.60, 0.70, 0.78, 0.5, 0.98);
        break;
    case Suit::Diamonds:
        path.moveTo(0.5, 0.0);
        path.quadTo(0.70, 0.28, 0.95, 0.5);
        path.quadTo(0.70, 0.72, 0.5, 1.0);
        path.quadTo(0.30, 0.72, 0.05, 0.5);
        path.quadTo(0.30, 0.28, 0.5, 0.0);
        break;
    case Suit::Spades:
        path.moveTo(0.5, 0.0);
        path.cubicTo(0.62, 0.17, 1.0, 0.36, 1.0, 0.61);
        path.cubicTo(1.0, 0.79, 0.86, 0.88, 0.72, 0.88);
        path.cubicTo(0.63, 0.88, 0.56, 0.84, 0.53, 0.77);
        path.cubicTo(0.55, 0.88, 0.61, 0.96, 0.72, 1.0);
        path.lineTo(0.28, 1.0);
        path.cubicTo(0.39, 0.96, 0.45, 0.88, 0.47, 0.77);
        path.cubicTo(0.44, 0.84, 0.37, 0.88, 0.28, 0.88);
        path.cubicTo(0.14, 0.88, 0.0, 0.79, 0.0, 0.61);
        path.cubicTo(0.0, 0.36, 0.38, 0.17, 0.5, 0.0);
        break;
    case Suit::Clubs:
    {
        // United, not overlaid: the parts wind in different directions and would leave holes.
        for (const QPointF leaf : {QPointF(0.5, 0.25), QPointF(0.24, 0.59), QPointF(0.76, 0.59)}) {
            QPainterPath circle;
            circle.addEllipse(leaf, 0.23, 0.23);
            path = path.united(circle);
        }
        QPainterPath centre;
        centre.addEllipse(QPointF(0.5, 0.5), 0.13, 0.13);
        path = path.united(centre);
        QPainterPath stem;
        stem.moveTo(0.46, 0.55);
        stem.cubicTo(0.46, 0.80, 0.40, 0.94, 0.27, 1.0);
        stem.lineTo(0.73, 1.0);
        stem.cubicTo(0.60, 0.94, 0.54, 0.80, 0.54, 0.55);
        stem.closeSubpath();
        path = path.united(stem);
        break;
    }
    }
    path.setFillRule(Qt::WindingFill);
    return QTransform(r.width(), 0, 0, r.height(), r.x(), r.y()).map(path);
}

void fillSuit(QPainter& painter, Suit suit, const QRectF& r, const QColor& ink)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(suitPath(suit, r));
}

// Drawn at four times the size in picture coordinates and scaled down: smooth curves and solid
// thin strokes. The result is premultiplied and transparent where nothing was drawn.
QImage supersampled(QSize size, const std::function<void(QPainter&)>& draw)
{
    QImage big(size * oversample, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter painter(&big);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
        painter.scale(oversample, oversample);
        draw(painter);
    }
    return big.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// A box blur run three times, close to a Gaussian; premultiplied pixels blur without dark fringes.
QImage blurred(const QImage& source, int radius)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = image.width(), h = image.height();
    std::vector<std::array<int, 4>> line(static_cast<std::size_t>(std::max(w, h)));
    auto pass = [&](bool horizontal) {
        const int length = horizontal ? w : h, lines = horizontal ? h : w;
        for (int l = 0; l < lines; ++l) {
            auto pixel = [&](int i) -> QRgb& {
                return reinterpret_cast<QRgb*>(image.scanLine(horizontal ? l : i))[horizontal ? i : l];
            };
            for (int i = 0; i < length; ++i) {
                const QRgb p = pixel(i);
                line[i] = {qRed(p), qGreen(p), qBlue(p), qAlpha(p)};
            }
            for (int i = 0; i < length; ++i) {
                std::array<int, 4> sum{};
                for (int k = i - radius; k <= i + radius; ++k)
                    if (k >= 0 && k < length)
                        for (int c = 0; c < 4; ++c)
                            sum[c] += line[k][c];
                const int n = 2 * radius + 1;
                pixel(i) = qRgba(sum[0] / n, sum[1] / n, sum[2] / n, sum[3] / n);
            }
        }
    };
    for (int round = 0; round < 3; ++round) {
        pass(true);
        pass(false);
    }
    return image;
}

// The silhouette of a layer in black at the given opacity, blurred: a soft drop shadow.
QImage shadowOf(const QImage& layer, double opacity, int radius)
{
    QImage shadow(layer.size(), QImage::Format_ARGB32_Premultiplied);
    shadow.fill(Qt::transparent);
    QPainter painter(&shadow);
    painter.drawImage(0, 0, layer);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(shadow.rect(), QColor(0, 0, 0, qRound(255 * opacity)));
    painter.end();
    return blurred(shadow, radius);
}

// Layers painted over an opaque ground; where no layer covers it the ground keeps its exact colour.
void compose(QImage& image, const QColor& ground, const std::vector<std::pair<QPoint, QImage>>& layers)
{
    image.fill(ground);
    QPainter painter(&image);
    for (const auto& [at, layer] : layers)
        painter.drawImage(at, layer);
}

QLinearGradient goldGradient(double top, double bottom)
{
    QLinearGradient gold(0, top, 0, bottom);
    gold.setColorAt(0.0, QColor(255, 246, 200));
    gold.setColorAt(0.45, QColor(240, 204, 110));
    gold.setColorAt(0.55, QColor(214, 168, 64));
    gold.setColorAt(1.0, QColor(246, 214, 130));
    return gold;
}

// --- Cards for the previews and the start picture ---

struct Face {
    const char* rank;
    Suit suit;
};

// A white card with a thin grey edge, its index in the top left corner (rank and a small suit side
// by side, so it shows on the strip a fanned pile leaves visible) and a large suit in the middle.
// With mirrored set, the index is repeated upside down in the bottom right corner.
void drawCard(QPainter& painter, const QRectF& r, const Face& face, double index, bool mirrored)
{
    const double radius = r.width() * 0.09;
    painter.setPen(QPen(QColor(140, 140, 140), std::max(0.5, r.width() / 60.0)));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(r, radius, radius);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(std::max(1, qRound(index * oversample)));
    const QColor ink = suitInk(face.suit);
    auto drawIndex = [&]() {
        painter.save();
        painter.translate(r.left() + index * 0.28, r.top() + index * 0.12);
        painter.scale(1.0 / oversample, 1.0 / oversample);
        QPainterPath text;
        text.addText(0, QFontMetricsF(font).ascent(), font, QString::fromLatin1(face.rank));
        const double textWidth = text.boundingRect().right() / oversample;
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawPath(text);
        painter.restore();
        const double pip = index * 0.72;
        fillSuit(painter, face.suit,
                 QRectF(r.left() + index * 0.28 + textWidth + index * 0.12, r.top() + index * 0.32, pip, pip), ink);
    };
    drawIndex();
    if (mirrored) {
        painter.save();
        painter.translate(r.center());
        painter.rotate(180);
        painter.translate(-r.center());
        drawIndex();
        painter.restore();
    }
    const double big = r.width() * 0.46;
    fillSuit(painter, face.suit, QRectF(r.center().x() - big / 2, r.center().y() - big * 0.5 + r.height() * 0.06, big, big * 1.05), ink);
}

// --- Pause ---

const QColor pauseGround(0, 128, 0);

// The pause pictures' ground is the program's transparent colour: the faint far end of a shadow is
// snapped back to it, so no barely darker halo is left around the lettering.
void snapToPauseGround(QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (std::abs(qRed(p)) + std::abs(qGreen(p) - 128) + std::abs(qBlue(p)) <= 4)
                image.setPixel(x, y, pauseGround.rgb());
        }
}

void drawPauseTitle(QImage& image)
{
    const QSize size = image.size();
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setBold(true);
    font.setPixelSize(44 * oversample);
    QPainterPath text;
    text.addText(0, 0, font, QStringLiteral("Pause"));
    const QRectF textBox = text.boundingRect();
    const double symbol = 42, gap = 14, scale = 1.0 / oversample;
    const double total = symbol + gap + textBox.width() * scale;
    const double left = (size.width() - total) / 2, middle = size.height() / 2.0;

    auto drawTitle = [&](QPainter& painter, bool shadow) {
        const QRectF circle(left, middle - symbol / 2, symbol, symbol);
        const QColor edge(44, 30, 0);
        painter.setPen(shadow ? Qt::NoPen : QPen(edge, 1.3));
        painter.setBrush(shadow ? QBrush(Qt::black) : QBrush(goldGradient(circle.top(), circle.bottom())));
        painter.drawEllipse(circle);
        if (!shadow) {
            painter.setPen(QPen(QColor(255, 250, 225, 150), 1.0));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(circle.adjusted(2.2, 2.2, -2.2, -2.2));
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(0, 78, 16));
            const double bar = symbol * 0.13, height = symbol * 0.44;
            for (const double x : {-bar * 1.45, bar * 0.45})
                painter.drawRoundedRect(QRectF(circle.center().x() + x, middle - height / 2, bar, height), 1.2, 1.2);
        }
        painter.save();
        painter.translate(left + symbol + gap - textBox.left() * scale, middle - textBox.center().y() * scale);
        painter.scale(scale, scale);
        if (shadow) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(Qt::black);
        } else {
            QLinearGradient gold = goldGradient(textBox.top(), textBox.bottom());
            painter.setPen(QPen(edge, 1.3 * oversample));
            painter.setBrush(gold);
        }
        painter.drawPath(text);
        painter.restore();
    };
    const QImage title = supersampled(size, [&](QPainter& p) { drawTitle(p, false); });
    const QImage shadow = shadowOf(supersampled(size, [&](QPainter& p) { drawTitle(p, true); }), 0.55, 2);
    compose(image, pauseGround, {{QPoint(2, 2), shadow}, {QPoint(0, 0), title}});
    snapToPauseGround(image);
}

// Small type is drawn at its own size, so the font's hinting keeps it sharp.
void drawPauseHint(QImage& image)
{
    QImage layer(image.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    QPainter painter(&layer);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    font.setHintingPreference(QFont::PreferFullHinting);
    painter.setFont(font);
    const QString text = QStringLiteral("Press a key or click to continue");
    const QRect box = layer.rect();
    painter.setPen(QColor(0, 40, 0, 200));
    painter.drawText(box.translated(1, 1), Qt::AlignCenter, text);
    painter.setPen(QColor(250, 244, 214));
    painter.drawText(box, Qt::AlignCenter, text);
    painter.end();
    compose(image, pauseGround, {{QPoint(0, 0), layer}});
    snapToPauseGround(image);
}

// --- The score panel of the poker grid ---

// The program writes its lines from x 7 to 10 before the right edge and clears them in white, so
// the face is white there; the frame and a band of suits keep to the margins.
void drawPokerPanel(QImage& image)
{
    const QSizeF size = image.size();
    const double band = 10; // right of the written area
    image = supersampled(image.size(), [&](QPainter& p) {
        const QRectF outer = QRectF(QPointF(0, 0), size).adjusted(0.5, 0.5, -0.5, -0.5);
        QLinearGradient steel(0, 0, 0, size.height());
        steel.setColorAt(0.0, QColor(122, 134, 150));
        steel.setColorAt(0.5, QColor(86, 97, 113));
        steel.setColorAt(1.0, QColor(58, 66, 80));
        p.setPen(QPen(QColor(34, 40, 50), 1));
        p.setBrush(steel);
        p.drawRoundedRect(outer, 5, 5);
        p.setPen(QPen(QColor(255, 255, 255, 70), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(outer.adjusted(1, 1, -1, -1), 4, 4);

        const QRectF face(3, 3, size.width() - band - 3, size.height() - 6);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 46, 58));
        p.drawRoundedRect(face.adjusted(-1, -1, 0, 1), 2.5, 2.5);
        p.setBrush(Qt::white);
        p.drawRoundedRect(face, 2, 2);
        // A soft inner shade along the top and left, inside the margins only.
        p.setBrush(QColor(205, 210, 218));
        p.drawRect(QRectF(face.left(), face.top(), face.width() - 2, 0.75));
        p.drawRect(QRectF(face.left(), face.top(), 0.75, face.height() - 2));

        const Suit suits[] = {Suit::Spades, Suit::Hearts, Suit::Clubs, Suit::Diamonds};
        const double pip = 6.2, x = size.width() - band + (band - 2 - pip) / 2 + 0.4;
        for (int i = 0; i < 4; ++i) {
            const double y = 6 + i * 13.0 + (13.0 - pip) / 2 - 1;
            const QColor ink = isRed(suits[i]) ? QColor(255, 168, 160) : QColor(238, 240, 244);
            fillSuit(p, suits[i], QRectF(x + 0.3, y + 0.4, pip, pip * 1.08), QColor(20, 24, 32, 170));
            fillSuit(p, suits[i], QRectF(x, y, pip, pip * 1.08), ink);
        }
    }).convertToFormat(QImage::Format_ARGB32);
    // The written area is exactly white, whatever the scaling did at its edges.
    for (int y = 4; y <= 56; ++y)
        for (int x = 7; x < image.width() - 10; ++x)
            image.setPixel(x, y, qRgb(255, 255, 255));
}

// --- Card counter ---

// Glyphs of the counter's ranks, 5 x 9 ('1' is 3 wide): drawn pixel for pixel, sharp at any
// display setting.
struct Glyph {
    char letter;
    std::array<const char*, 9> rows;
};

constexpr Glyph counterGlyphs[] = {
    {'A', {"..#..", ".#.#.", "#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'2', {".###.", "#...#", "....#", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
    {'3', {".###.", "#...#", "....#", "....#", "..##.", "....#", "....#", "#...#", ".###."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#..#.", "#####", "...#.", "...#.", "...#."}},
    {'5', {"#####", "#....", "#....", "####.", "....#", "....#", "....#", "#...#", ".###."}},
    {'6', {"..##.", ".#...", "#....", "#....", "####.", "#...#", "#...#", "#...#", ".###."}},
    {'7', {"#####", "....#", "....#", "...#.", "...#.", "..#..", "..#..", "..#..", "..#.."}},
    {'8', {".###.", "#...#", "#...#", "#...#", ".###.", "#...#", "#...#", "#...#", ".###."}},
    {'9', {".###.", "#...#", "#...#", "#...#", ".####", "....#", "....#", "...#.", ".##.."}},
    {'0', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'1', {".#.", "##.", ".#.", ".#.", ".#.", ".#.", ".#.", ".#.", "###"}},
    {'J', {"..###", "....#", "....#", "....#", "....#", "....#", "#...#", "#...#", ".###."}},
    {'Q', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
    {'K', {"#...#", "#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#", "#...#"}},
};

const Glyph* findGlyph(char letter)
{
    for (const Glyph& glyph : counterGlyphs)
        if (glyph.letter == letter)
            return &glyph;
    return nullptr;
}

int glyphWidth(const Glyph& glyph)
{
    return static_cast<int>(std::char_traits<char>::length(glyph.rows[0]));
}

// The glyphs' dots are `scale` pixels square, centred on the slot.
void drawRankGlyphs(QImage& image, const std::string& text, QRgb ink, int scale)
{
    constexpr int glyphRows = std::tuple_size_v<decltype(Glyph::rows)>;
    int width = -1;
    for (const char c : text)
        width += glyphWidth(*findGlyph(c)) + 1;
    int x = (image.width() - width * scale) / 2;
    const int y = (image.height() - glyphRows * scale) / 2;
    for (const char c : text) {
        const Glyph& glyph = *findGlyph(c);
        for (int row = 0; row < glyphRows; ++row)
            for (int col = 0; glyph.rows[row][col]; ++col)
                if (glyph.rows[row][col] == '#')
                    for (int dy = 0; dy < scale; ++dy)
                        for (int dx = 0; dx < scale; ++dx)
                            image.setPixel(x + col * scale + dx, y + row * scale + dy, ink);
        x += (glyphWidth(glyph) + 1) * scale;
    }
}

// A tiny card filling the slot: one-pixel edge, corners rounded off by a faint pixel.
void drawSlotCard(QImage& image, QRgb edge, QRgb fill, QRgb inner)
{
    const int w = image.width(), h = image.height();
    image.fill(Qt::transparent);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool border = x == 0 || y == 0 || x == w - 1 || y == h - 1;
            const bool ring = x == 1 || y == 1 || x == w - 2 || y == h - 2;
            image.setPixel(x, y, border ? edge : ring ? inner : fill);
        }
    const QRgb corner = qRgba(qRed(edge), qGreen(edge), qBlue(edge), 80);
    for (const QPoint c : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
        image.setPixel(c, corner);
}

// A card not watched: a dashed outline of the slot, its dashes `scale` times as long as on the
// slot's own size.
void drawEmptySlot(QImage& image, int scale)
{
    constexpr int dashPeriod = 4, dashLength = 2;
    const int w = image.width(), h = image.height();
    image.fill(Qt::transparent);
    std::vector<QPoint> ring;
    for (int x = 1; x < w - 1; ++x)
        ring.emplace_back(x, 0);
    for (int y = 1; y < h - 1; ++y)
        ring.emplace_back(w - 1, y);
    for (int x = w - 2; x >= 1; --x)
        ring.emplace_back(x, h - 1);
    for (int y = h - 2; y >= 1; --y)
        ring.emplace_back(0, y);
    for (std::size_t i = 0; i < ring.size(); ++i)
        if (int(i) % (dashPeriod * scale) < dashLength * scale)
            image.setPixel(ring[i], qRgb(128, 132, 138));
}

bool drawCounterPicture(QImage& image, const std::string& name)
{
    static const std::pair<const char*, Suit> labels[] = {
        {"card_hearts", Suit::Hearts}, {"card_diamonds", Suit::Diamonds},
        {"card_clubs", Suit::Clubs},   {"card_spades", Suit::Spades}};
    // A twin arrives at a multiple of the listed height; the slot cards keep their one-pixel edges.
    const int scale = std::max(1, image.height() / counterSlotHeight);
    for (const auto& [label, suit] : labels)
        if (name == label) {
            const QSize size = image.size();
            image = supersampled(size, [&, suit = suit](QPainter& p) {
                const QRectF area(1.5 * scale, 2.5 * scale, size.width() - 3.0 * scale, size.height() - 5.0 * scale);
                fillSuit(p, suit, area, suitInk(suit));
            }).convertToFormat(QImage::Format_ARGB32);
            return true;
        }
    if (name == "Card_None") {
        drawEmptySlot(image, scale);
        return true;
    }
    static const char* const rankText[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    for (int rank = 1; rank <= 13; ++rank)
        for (const bool up : {true, false}) {
            if (name != "Card_" + std::to_string(rank) + (up ? "_Up" : "_Down"))
                continue;
            if (up) {
                drawSlotCard(image, qRgb(118, 122, 130), qRgb(255, 255, 255), qRgb(255, 255, 255));
                drawRankGlyphs(image, rankText[rank - 1], qRgb(0, 0, 0), scale);
            } else {
                drawSlotCard(image, qRgb(16, 34, 96), qRgb(34, 78, 176), qRgb(86, 128, 214));
                drawRankGlyphs(image, rankText[rank - 1], qRgb(255, 255, 255), scale);
            }
            return true;
        }
    return false;
}

// --- Previews of the appearance dialog ---

const QColor previewGround(0, 96, 0);

void drawShadowPreview(QImage& image, bool shadows)
{
    const Face faces[] = {{"A", Suit::Spades}, {"K", Suit::Hearts}, {"Q", Suit::Diamonds}};
    std::vector<std::pair<QPoint, QImage>> layers;
    for (int i = 0; i < 3; ++i) {
        const QRectF card(11 + i * 19, 8 + i * 9, 36, 50);
        const QImage layer = supersampled(image.size(), [&](QPainter& p) { drawCard(p, card, faces[i], 9, false); });
        if (shadows)
            layers.emplace_back(QPoint(3, 3), shadowOf(layer, 0.5, 2));
        layers.emplace_back(QPoint(0, 0), layer);
    }
    compose(image, previewGround, layers);
}

// Two piles fanned downward; with irregular piles on, each card lies a little askew, always in the
// same way.
void drawPilesPreview(QImage& image, bool irregular)
{
    struct Askew {
        double dx, dy, degrees;
    };
    constexpr Askew askew[2][4] = {
        {{-1.4, 0.0, -2.6}, {1.6, 0.6, 2.2}, {-0.6, -0.5, -1.0}, {1.1, 0.8, 3.0}},
        {{1.2, 0.4, 2.4}, {-1.5, -0.4, -2.0}, {0.9, 0.7, 1.4}, {-1.0, 0.2, -2.8}},
    };
    const Face piles[2][4] = {
        {{"K", Suit::Spades}, {"Q", Suit::Hearts}, {"J", Suit::Clubs}, {"10", Suit::Diamonds}},
        {{"9", Suit::Hearts}, {"8", Suit::Spades}, {"7", Suit::Diamonds}, {"6", Suit::Clubs}},
    };
    const QImage layer = supersampled(image.size(), [&](QPainter& p) {
        for (int pile = 0; pile < 2; ++pile)
            for (int i = 0; i < 4; ++i) {
                const QRectF card(15 + pile * 40, 5 + i * 10, 30, 42);
                const Askew a = irregular ? askew[pile][i] : Askew{0, 0, 0};
                p.save();
                p.translate(card.center() + QPointF(a.dx, a.dy));
                p.rotate(a.degrees);
                p.translate(-card.center());
                drawCard(p, card, piles[pile][i], 8, false);
                p.restore();
            }
    });
    compose(image, previewGround, {{QPoint(0, 0), layer}});
}

// --- Motion filmstrips ---

// Red is the transparent colour of these strips, so nothing may blend into it: the card is drawn
// with hard edges and only its pip is smoothed, against the white face.
void drawFilmstrip(QImage& image, const std::vector<double>& steps)
{
    constexpr int frame = 30, cardW = 12, cardH = 16;
    const QPoint from(3, 11), to(15, 3);
    image.fill(QColor(255, 0, 0));
    const QImage pip = supersampled(QSize(6, 7), [](QPainter& p) { fillSuit(p, Suit::Spades, QRectF(0, 0, 6, 7), cardBlack); });
    QPainter painter(&image);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const double s = steps[i];
        const QPoint at(static_cast<int>(i) * frame + qRound(from.x() + (to.x() - from.x()) * s),
                        qRound(from.y() + (to.y() - from.y()) * s));
        painter.fillRect(QRect(at.x() + 1, at.y(), cardW - 2, cardH), QColor(40, 40, 48));
        painter.fillRect(QRect(at.x(), at.y() + 1, cardW, cardH - 2), QColor(40, 40, 48));
        painter.fillRect(QRect(at.x() + 1, at.y() + 1, cardW - 2, cardH - 2), Qt::white);
        painter.drawImage(at + QPoint(3, 4), pip);
    }
}

// A thin gold line round the frame and a fainter one `inset` inside it.
void drawGoldFrame(QPainter& p, const QRectF& frame, const QColor& gold, double inset)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(gold, 1.4));
    p.drawRect(frame);
    p.setPen(QPen(QColor(gold.red(), gold.green(), gold.blue(), 140), 0.6));
    p.drawRect(frame.adjusted(inset, inset, -inset, -inset));
}

// --- Start picture ---

void drawSplash(QImage& image)
{
    const QSizeF size = image.size();
    QImage felt = supersampled(image.size(), [&](QPainter& p) {
        QRadialGradient cloth(QPointF(size.width() * 0.5, size.height() * 0.42), size.width() * 0.62);
        cloth.setColorAt(0.0, QColor(30, 122, 62));
        cloth.setColorAt(0.6, QColor(14, 88, 42));
        cloth.setColorAt(1.0, QColor(6, 52, 24));
        p.fillRect(QRectF(QPointF(0, 0), size), cloth);
    }).convertToFormat(QImage::Format_RGB32);
    // The weave of the felt: a fine, fixed grain.
    for (int y = 0; y < felt.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(felt.scanLine(y));
        for (int x = 0; x < felt.width(); ++x) {
            std::uint32_t hash = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
            hash = (hash ^ (hash >> 13)) * 1274126177u;
            const int grain = static_cast<int>((hash >> 24) % 9) - 4 + ((x + y) % 2 ? 1 : -1);
            const QRgb p = line[x];
            line[x] = qRgb(std::clamp(qRed(p) + grain / 2, 0, 255), std::clamp(qGreen(p) + grain, 0, 255),
                           std::clamp(qBlue(p) + grain / 2, 0, 255));
        }
    }

    const Face aces[] = {{"A", Suit::Spades}, {"A", Suit::Hearts}, {"A", Suit::Clubs}, {"A", Suit::Diamonds}};
    const QPointF pivot(size.width() / 2, 372);
    auto drawFan = [&](QPainter& p, bool silhouette) {
        for (int i = 0; i < 4; ++i) {
            p.save();
            p.translate(pivot);
            p.rotate(-24 + i * 16);
            const QRectF card(-38, -236, 76, 104);
            if (silhouette) {
                p.setPen(Qt::NoPen);
                p.setBrush(Qt::black);
                p.drawRoundedRect(card, 7, 7);
            } else {
                drawCard(p, card, aces[i], 15, true);
            }
            p.restore();
        }
    };
    const QImage fanShadow = shadowOf(supersampled(image.size(), [&](QPainter& p) { drawFan(p, true); }), 0.55, 4);
    const QImage fan = supersampled(image.size(), [&](QPainter& p) { drawFan(p, false); });

    QFont titleFont(QStringLiteral("DejaVu Serif"));
    titleFont.setBold(true);
    titleFont.setPixelSize(46 * oversample);
    QPainterPath title;
    title.addText(0, 0, titleFont, QStringLiteral("Kestrane 2000"));
    const QRectF titleBox = title.boundingRect();
    const double scale = 1.0 / oversample;
    auto drawTitle = [&](QPainter& p, bool silhouette) {
        p.save();
        p.translate(size.width() / 2 - titleBox.center().x() * scale, 70);
        p.scale(scale, scale);
        if (silhouette) {
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
        } else {
            p.setPen(QPen(QColor(60, 40, 0), 1.2 * oversample));
            p.setBrush(goldGradient(titleBox.top(), titleBox.bottom()));
        }
        p.drawPath(title);
        p.restore();
    };
    const QImage titleShadow = shadowOf(supersampled(image.size(), [&](QPainter& p) { drawTitle(p, true); }), 0.7, 3);

    const QImage decoration = supersampled(image.size(), [&](QPainter& p) {
        // Vignette: the felt darkens toward the corners.
        QRadialGradient vignette(QPointF(size.width() / 2, size.height() / 2), size.width() * 0.66);
        vignette.setColorAt(0.55, QColor(0, 0, 0, 0));
        vignette.setColorAt(1.0, QColor(0, 0, 0, 120));
        p.fillRect(QRectF(QPointF(0, 0), size), vignette);

        // A thin gold frame with a finer line inside and small diamonds at its corners.
        const QColor gold(218, 180, 92);
        const QRectF frame = QRectF(QPointF(0, 0), size).adjusted(9, 9, -9, -9);
        drawGoldFrame(p, frame, gold, 3.5);
        for (const QPointF corner : {frame.topLeft(), frame.topRight(), frame.bottomLeft(), frame.bottomRight()})
            fillSuit(p, Suit::Diamonds, QRectF(corner - QPointF(4.5, 5.5), QSizeF(9, 11)), gold);

        drawTitle(p, false);

        // "Patience collection", set small and spaced, between two short rules.
        QFont font(QStringLiteral("DejaVu Serif"));
        font.setItalic(true);
        font.setPixelSize(14);
        font.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
        p.setFont(font);
        const QString subtitle = QStringLiteral("Patience collection");
        const double width = QFontMetricsF(font).horizontalAdvance(subtitle);
        const double y = 98, cx = size.width() / 2;
        p.setPen(QColor(236, 224, 186));
        p.drawText(QRectF(cx - width / 2 - 10, y - 12, width + 20, 18), Qt::AlignCenter, subtitle);
        p.setPen(QPen(gold, 0.9));
        p.drawLine(QPointF(cx - width / 2 - 58, y - 2.5), QPointF(cx - width / 2 - 14, y - 2.5));
        p.drawLine(QPointF(cx + width / 2 + 14, y - 2.5), QPointF(cx + width / 2 + 58, y - 2.5));
    });

    image = felt.convertToFormat(QImage::Format_ARGB32);
    QPainter painter(&image);
    painter.drawImage(QPoint(3, 5), fanShadow);
    painter.drawImage(QPoint(0, 0), fan);
    painter.drawImage(QPoint(2, 3), titleShadow);
    painter.drawImage(QPoint(0, 0), decoration);
}

// --- Hi-scores ---

// The picture beside the hi-score table: felt in a gold frame with a podium of three steps; over it
// a fan of three cards when the tables are looked at, a gold cup among stars when a result has
// just made its table.
void drawHiScorePicture(QImage& image, bool newScore)
{
    const QSizeF size = image.size();
    const QColor gold(222, 184, 90), darkGold(150, 112, 40), paleGold(250, 228, 160);
    image = supersampled(image.size(), [&](QPainter& p) {
        QRadialGradient cloth(QPointF(size.width() * 0.5, size.height() * 0.35), size.height() * 0.75);
        cloth.setColorAt(0.0, QColor(30, 122, 62));
        cloth.setColorAt(1.0, QColor(8, 60, 28));
        p.fillRect(QRectF(QPointF(0, 0), size), cloth);
        drawGoldFrame(p, QRectF(QPointF(0, 0), size).adjusted(4, 4, -4, -4), gold, 3);

        // The podium: the winner's step in the middle, the second's left, the third's right.
        const double cx = size.width() / 2, base = size.height() - 22, step = (size.width() - 30) / 3;
        const double heights[] = {34, 50, 24};
        const char* places[] = {"2", "1", "3"};
        QFont font(QStringLiteral("DejaVu Serif"));
        font.setBold(true);
        font.setPixelSize(14);
        p.setFont(font);
        for (int i = 0; i < 3; ++i) {
            const QRectF block(cx - 1.5 * step + i * step, base - heights[i], step, heights[i]);
            QLinearGradient shine(block.topLeft(), block.topRight());
            shine.setColorAt(0.0, darkGold);
            shine.setColorAt(0.45, paleGold);
            shine.setColorAt(1.0, darkGold);
            p.setPen(QPen(QColor(90, 64, 20), 0.8));
            p.setBrush(shine);
            p.drawRect(block);
            p.setPen(QColor(90, 64, 20));
            p.drawText(block.adjusted(0, 3, 0, 0), Qt::AlignHCenter | Qt::AlignTop, QString::fromLatin1(places[i]));
        }
        const double top = base - heights[1];

        // The title at the head, the four suits beneath it.
        font.setPixelSize(16);
        p.setFont(font);
        p.setPen(paleGold);
        p.drawText(QRectF(0, 18, size.width(), 22), Qt::AlignCenter,
                   newScore ? QStringLiteral("Bravo!") : QStringLiteral("Hi-Scores"));
        const Suit suits[] = {Suit::Spades, Suit::Hearts, Suit::Clubs, Suit::Diamonds};
        for (int i = 0; i < 4; ++i)
            fillSuit(p, suits[i], QRectF(cx - 34 + i * 18, 46, 10, 11), gold);

        if (!newScore) {
            // A fan of three cards standing on the winner's step.
            const Face fan[] = {{"Q", Suit::Clubs}, {"K", Suit::Hearts}, {"A", Suit::Spades}};
            const QSizeF card(size.width() * 0.42, size.width() * 0.42 * 1.36);
            const QPointF pivot(cx, top - 6);
            for (int i = 0; i < 3; ++i) {
                p.save();
                p.translate(pivot);
                p.rotate(-22 + 22 * i);
                drawCard(p, QRectF(QPointF(-card.width() / 2, -card.height() * 1.05), card), fan[i], card.width() * 0.2,
                         false);
                p.restore();
            }
            return;
        }

        // A cup on the winner's step: foot, stem, bowl, two handles, a heart on the bowl.
        const double w = size.width() * 0.62, bowlTop = top - w * 1.45;
        QLinearGradient metal(QPointF(cx - w / 2, 0), QPointF(cx + w / 2, 0));
        metal.setColorAt(0.0, darkGold);
        metal.setColorAt(0.35, paleGold);
        metal.setColorAt(0.6, gold);
        metal.setColorAt(1.0, darkGold);
        p.setPen(QPen(QColor(110, 78, 24), 0.9));
        p.setBrush(metal);
        p.drawRoundedRect(QRectF(cx - w * 0.32, top - w * 0.14, w * 0.64, w * 0.14), 2, 2);
        p.drawRect(QRectF(cx - w * 0.08, top - w * 0.5, w * 0.16, w * 0.36));
        QPainterPath bowl;
        bowl.moveTo(cx - w / 2, bowlTop);
        bowl.lineTo(cx + w / 2, bowlTop);
        bowl.cubicTo(cx + w / 2, bowlTop + w * 0.7, cx + w * 0.2, top - w * 0.5, cx, top - w * 0.5);
        bowl.cubicTo(cx - w * 0.2, top - w * 0.5, cx - w / 2, bowlTop + w * 0.7, cx - w / 2, bowlTop);
        bowl.closeSubpath();
        p.drawPath(bowl);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(gold, w * 0.07));
        p.drawArc(QRectF(cx - w * 0.72, bowlTop + w * 0.08, w * 0.42, w * 0.5), 90 * 16, 180 * 16);
        p.drawArc(QRectF(cx + w * 0.3, bowlTop + w * 0.08, w * 0.42, w * 0.5), -90 * 16, 180 * 16);
        fillSuit(p, Suit::Hearts, QRectF(cx - w * 0.13, bowlTop + w * 0.2, w * 0.26, w * 0.26), cardRed);
        // Stars about the cup.
        const QPointF stars[] = {{cx - w * 0.62, bowlTop - 8}, {cx + w * 0.6, bowlTop - 14}, {cx, bowlTop - 26},
                                 {cx - w * 0.7, bowlTop + w * 0.9}, {cx + w * 0.72, bowlTop + w * 0.8}};
        p.setPen(Qt::NoPen);
        p.setBrush(paleGold);
        for (const QPointF& c : stars) {
            QPainterPath star;
            for (int k = 0; k < 10; ++k) {
                const double r = k % 2 ? 2.6 : 6.5, a = std::numbers::pi * (k / 5.0 - 0.5);
                const QPointF q = c + QPointF(r * std::cos(a), r * std::sin(a));
                k == 0 ? star.moveTo(q) : star.lineTo(q);
            }
            star.closeSubpath();
            p.drawPath(star);
        }
    }).convertToFormat(QImage::Format_RGB32);
}

} // namespace

bool drawPanelPicture(QImage& image, const std::string& name)
{
    if (name == "BMP_PAUSE_1")
        drawPauseTitle(image);
    else if (name == "BMP_PAUSE_2")
        drawPauseHint(image);
    else if (name == "Panel_pk")
        drawPokerPanel(image);
    else if (name == "CARD_WITH_SHADOW" || name == "CARD_WITHOUT_SHADOW")
        drawShadowPreview(image, name == "CARD_WITH_SHADOW");
    else if (name == "CARD_IRR_PILES_YES" || name == "CARD_IRR_PILES_NO")
        drawPilesPreview(image, name == "CARD_IRR_PILES_YES");
    else if (name == "Animated_Yes") {
        std::vector<double> steps;
        for (int i = 0; i < 12; ++i)
            steps.push_back((1 - std::cos(std::numbers::pi * i / 11.0)) / 2); // eases in and out
        drawFilmstrip(image, steps);
    } else if (name == "Animated_No")
        drawFilmstrip(image, {0.0, 1.0});
    else if (name == "SPLASH")
        drawSplash(image);
    else if (name == "HISCORE_LIST" || name == "HISCORE_NEW")
        drawHiScorePicture(image, name == "HISCORE_NEW");
    else
        return drawCounterPicture(image, name);
    return true;
}

} // namespace kst::assets
