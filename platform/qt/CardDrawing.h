#pragma once
// The drawing of the card pictures, shared by the build (kst-assets draws the resource library's
// three card sizes with it) and the running program (QtCardArt draws every other size). A card is
// laid out in table pixels and drawn `scale` times finer; the pictures are in device pixels.

#include "platform/Geometry.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <string_view>

class QPainter;
class QSvgRenderer;

namespace kst {

// Cards narrower than this (in table pixels) get the small design: a crisp index and one pip,
// since a rendered face would be a blur.
inline constexpr int SmallCardWidth = 40;

inline bool isSmallCard(Size card)
{
    return card.width < SmallCardWidth;
}

// --- Faces from a card drawing ---

// The element of a face in a card drawing: suit 0..3 hearts, diamonds, clubs, spades; rank 1..13.
QString cardElement(int suit, int rank);
// The joker's element, taken from the drawing the library's joker comes from.
inline constexpr char JokerElement[] = "joker_red";
// True when the drawing has the element with a picture in it.
bool hasCardElement(QSvgRenderer& drawing, const QString& element);
// The element stretched over a transparent picture of the given size: the drawings' cards are a
// little narrower than the table's card, and are widened to it so that faces and backs, drawn over
// one another in a pile, line up at both edges.
QImage renderCardElement(QSvgRenderer& drawing, const QString& element, QSize size);

// --- The small design (cards narrower than SmallCardWidth) ---

// A face (suit letter H, D, C or S, rank 1..13) or the joker in cell, given in the painter's
// coordinates: a card laid out in table pixels, the painter scaled to the device.
void drawSmallCard(QPainter& painter, char suit, int rank, const QRect& cell);
void drawSmallJoker(QPainter& painter, const QRect& cell);
// One picture of the small design: face 0..51 in the order of the card picture table (hearts Ace
// to King, then diamonds, clubs, spades), 52 the joker; transparent at the rounded corners.
QImage smallCardFace(int face, Size card, double scale);

// --- Empty-pile marks, shadows and borders ---

// The empty-pile mark of the code ("001", "_WASTE" ...) for a card in table pixels, drawn `scale`
// times finer, transparent around it; a null picture for a code that has no mark.
QImage cardMark(std::string_view code, Size card, double scale);
// The card shadow, white where the table shows through: 1 the strip right of the card,
// shadowWidth x card height, 2 the strip under it, card width x shadowWidth (device pixels). The
// strips lie shadowWidth - 2 below the card's top and shadowWidth - 1 right of its left edge.
QImage cardShadow(int which, Size card, double scale, int shadowWidth);
// The bevelled frame over a card place, blue 0,0,255 where there is none: 1 raised, 2 pressed in.
QImage cardBorder(int which, Size card, double scale);

} // namespace kst
