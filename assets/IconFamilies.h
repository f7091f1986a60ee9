#pragma once
// The families of interface pictures behind drawIconPicture, and the drawing helpers they share.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <functional>
#include <string>

namespace kst::assets {

// Each returns false when the name is not one of its family.
bool drawPointerPicture(QImage& image, const std::string& name); // Pointers.cpp
bool drawTreePicture(QImage& image, const std::string& name);    // TreePictures.cpp

// Draws at four times the size on a design grid of `units` x `units * height / width` and scales
// down smoothly, so thin strokes stay crisp: the result replaces image (same size, ARGB32).
void drawSupersampled(QImage& image, double units, const std::function<void(QPainter&)>& draw);

// The interface palette: one ink for outlines, fills lit from the top left.
inline const QColor ink(36, 40, 56);
QBrush litFill(const QRectF& area, const QColor& base);

// A text in bold DejaVu Sans as an outline whose box is centred on c and `height` tall.
QPainterPath textPath(const QString& text, QPointF centre, double height);

// A star of `points` points around c: tips at radius r, notches at r * inner, the first tip up.
QPainterPath starPath(QPointF c, double r, int points, double inner);

} // namespace kst::assets
