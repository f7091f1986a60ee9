// Draws the pictures of the small resource library the Qt port tests load.
// Usage: make_test_pictures FOLDER

#include <QDir>
#include <QFile>
#include <QImage>

#include <cstdio>

namespace {

bool savePicture(const QDir& folder, const char* name, int width, int height, QRgb colour, QRgb corner)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    image.setPixel(width - 1, height - 1, corner);
    return image.save(folder.filePath(QString::fromLatin1(name)), "PNG");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_test_pictures FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    QFile notes(folder.filePath(QStringLiteral("notes.txt")));
    const bool ok = savePicture(folder, "ALPHA.png", 3, 2, qRgb(255, 0, 0), qRgb(0, 255, 0))
        && savePicture(folder, "Beta.png", 5, 4, qRgb(0, 0, 255), qRgb(255, 255, 255))
        && savePicture(folder, "ARROW.png", 2, 2, qRgb(0, 0, 0), qRgb(255, 255, 0))
        && notes.open(QIODevice::WriteOnly) && notes.write("not a picture\n") > 0;
    return ok ? 0 : 1;
}
