#pragma once
// Library pictures as widget pictures for the screen they show on. A screen of high pixel density
// gets the twin drawn at twice the size, so that toolbar buttons, tree pictures, gauges, counter
// slots and pointer shapes come out sharp instead of scaled up and blurred.

#include "platform/ResourceLibrary.h"

#include <QPixmap>

#include <string>

namespace kst {

// The named picture for a screen of the given device pixel ratio (QWidget::devicePixelRatioF()):
// the twin at ratio 2 when the ratio is above 1 and the library has a twin of twice the original's
// size, else the original at ratio 1. Either way it lays out at the original's size; null when
// the library lacks the original.
QPixmap screenPicture(ResourceLibrary& resources, const std::string& name, qreal devicePixelRatio);

} // namespace kst
