#include "platform/qt/QtScreenPictures.h"

#include "assets/PictureNames.h"
#include "platform/qt/QtGraphics.h"

#include <memory>

namespace kst {

QPixmap screenPicture(ResourceLibrary& resources, const std::string& name, qreal devicePixelRatio)
{
    const std::unique_ptr<Bitmap> original = resources.bitmap(name);
    if (!original)
        return {};
    if (devicePixelRatio > 1)
        if (const std::unique_ptr<Bitmap> twin = resources.bitmap(assets::twinName(name))) {
            // A twin that does not double its original (a library from elsewhere) would change the layout.
            if (twin->width() == original->width() * assets::twinScale
                && twin->height() == original->height() * assets::twinScale) {
                QPixmap pixmap = pixmapOf(*twin);
                pixmap.setDevicePixelRatio(assets::twinScale);
                return pixmap;
            }
        }
    return pixmapOf(*original);
}

} // namespace kst
