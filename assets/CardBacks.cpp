#include "assets/Generators.h"
#include "assets/ImageNames.h"
#include "assets/PictureNames.h"

namespace kst::assets {

bool drawCardBacks(const QDir& out)
{
    for (const NamedPicture& back : cardBacks)
        for (const CardSize& size : cardSizes) {
            if (size.letter != 'B' && back.number != everySizeBack)
                continue;
            QImage image(size.width, size.height, QImage::Format_RGB32);
            image.fill(QColor(30, 60, 150));
            const QString file = out.filePath(QString::fromStdString(cardBackFile(size.letter, back.number)));
            if (!image.save(file, "BMP"))
                return fail(QStringLiteral("cannot write ") + file);
        }
    return true;
}

} // namespace kst::assets
