#pragma once
// The drawing routines of kst-assets, one source file per family of pictures.

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>
#include <string>

namespace kst::assets {

// Prints the reason to stderr and returns false, so generators can `return fail(...)`.
inline bool fail(const QString& message)
{
    std::fprintf(stderr, "kst-assets: %s\n", qPrintable(message));
    return false;
}

// IMAGES folder (CardBacks.cpp, Backgrounds.cpp): every file of imagesFiles() written into out.
bool drawCardBacks(const QDir& out);
bool drawBackgrounds(const QDir& out);

// Library pictures beside the cards and marks. Each returns false when the name is not one of its
// family; image arrives transparent at the size listed in PictureNames.h.
bool drawIconPicture(QImage& image, const std::string& name);  // Icons.cpp
bool drawPanelPicture(QImage& image, const std::string& name); // Panels.cpp

} // namespace kst::assets
