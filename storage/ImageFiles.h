#pragma once
// Pictures from the IMAGES folder and the resource library into bitmaps, and the two ways of
// covering an area: tiling a picture and a vertical colour gradient.

#include "platform/Canvas.h"
#include "platform/MessageBoxes.h"
#include "platform/ResourceLibrary.h"

#include <string>
#include <string_view>

namespace kst {

// The file of a picture: a name without a directory is programDir + "Images\" + name + ".bmp";
// a name with one is taken as it stands (an absolute path, or relative to programDir). Found
// without regard to case.
std::string imageFilePath(std::string_view programDir, std::string_view name);

// Loads the picture into target, which takes its size. A missing or unreadable file shows the
// missing-images error and leaves target as it was; false then.
bool fnLoadImageFile(Graphics& graphics, MessageBoxes& messages, std::string_view programDir, Bitmap& target,
                     std::string_view name);

// Loads the picture and copies it to canvas at (0, 0) at its own size.
bool drawImageFile(Graphics& graphics, MessageBoxes& messages, std::string_view programDir, Bitmap& canvas,
                   std::string_view name);

// Fills the width x height area at (0, 0) of canvas with copies of picture: first along the top
// row, then that row band copied downwards. The last column and row are cut to the area.
void tile(Bitmap& canvas, const Bitmap& picture, int width, int height);
// The same with the picture loaded from its file; false (and nothing drawn) when it cannot be.
bool tile(Graphics& graphics, MessageBoxes& messages, std::string_view programDir, Bitmap& canvas,
          std::string_view name, int width, int height);

// Copies the named picture of the resource library into target, which takes its size. False,
// and target unchanged, when the library has no such picture.
bool loadResourceBitmap(ResourceLibrary& resources, Bitmap& target, std::string_view name);

// Fills area with 256 horizontal bands, from second at the bottom edge up to first at the top:
// band k (0 at the bottom) moves each channel k/256 of the way, so the top band stops one step
// short of first. The bands share the height evenly; an area lower than 256 rows spreads the
// steps over its rows, so that it still runs from band 0 to band 255.
void fillGradient(Bitmap& canvas, const Rect& area, Colour first, Colour second);

} // namespace kst
