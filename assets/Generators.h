#pragma once
// The drawing routines of kst-assets, one source file per family of pictures.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <cstdio>
#include <string>

namespace kst::assets {

// Prints the reason to stderr and returns false, so generators can `return fail(...)`.
inline bool fail(const QString& message)
{
    std::fprintf(stderr, "kst-assets: %s\n", qPrintable(message));
    return false;
}

// Writes the .qrc in `out` that packs the given PNG files of that folder, each under its own file
// name, the way the library names its pictures.
inline bool writeQrc(const QDir& out, const QString& qrcName, const QStringList& files)
{
    QFile qrc(out.filePath(qrcName));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return fail(QStringLiteral("cannot write ") + qrc.fileName());
    QTextStream list(&qrc);
    list << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/\">\n";
    for (const QString& file : files)
        list << "    <file alias=\"" << file << "\">" << file << "</file>\n";
    list << "  </qresource>\n</RCC>\n";
    list.flush();
    return qrc.error() == QFile::NoError || fail(QStringLiteral("cannot write ") + qrc.fileName());
}

// IMAGES folder (CardBacks.cpp, Backgrounds.cpp): every file of imagesFiles() written into out.
bool drawCardBacks(const QDir& out);
bool drawBackgrounds(const QDir& out);

// Library pictures beside the cards and marks. Each returns false when the name is not one of its
// family; image arrives transparent at the size listed in PictureNames.h, or at its twin's size
// with the original's name.
bool drawIconPicture(QImage& image, const std::string& name);  // Icons.cpp
bool drawPanelPicture(QImage& image, const std::string& name); // Panels.cpp

} // namespace kst::assets
