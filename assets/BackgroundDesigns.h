#pragma once
// The table backgrounds by family. Each function draws the tiled picture of one background number
// and returns a null image for numbers outside its family.

#include <QImage>

namespace kst::assets {

QImage drawStoneOrWoodBackground(int number); // marbles, granite, walls, woods
QImage drawFabricBackground(int number);      // tissues, papers, surfaces, glass, metals
QImage drawSceneBackground(int number);       // nature, others, fractals, colour fantasies, patterns
QImage drawGeometricBackground(int number);   // geometricals, including the few-colour pictures
QImage drawDemoBackground();                  // under a recorded game

} // namespace kst::assets
