#include "assets/Generators.h"
#include "assets/ImageNames.h"

namespace kst::assets {

bool drawBackgrounds(const QDir& out)
{
    auto write = [&](const std::string& name) {
        QImage image(128, 128, QImage::Format_RGB32);
        image.fill(QColor(0, 96, 0));
        const QString file = out.filePath(QString::fromStdString(name));
        return image.save(file, "BMP") || fail(QStringLiteral("cannot write ") + file);
    };
    for (const NamedPicture& background : backgrounds)
        if (!write(backgroundFile(background.number)))
            return false;
    return write(std::string(demoBackgroundFile));
}

} // namespace kst::assets
