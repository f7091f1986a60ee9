#pragma once
// Card pictures drawn at run time from the card drawings the program ships (CARDS/), with the
// same drawing code the build draws the resource library with.

#include "platform/CardArt.h"

#include <QImage>
#include <QSize>

#include <list>
#include <string>
#include <vector>

namespace kst {

// The finest screens have four device pixels per table pixel. Faces larger than the largest card
// there are refused: 53 of them would take hundreds of megabytes.
inline constexpr double FinestScale = 4;

class QtCardArt : public CardArt {
public:
    std::vector<std::unique_ptr<Bitmap>> faces(const std::string& themeFile, const std::string& jokerFile,
                                               const ArtSize& size) override;
    std::unique_ptr<Bitmap> mark(std::string_view code, const ArtSize& size) override;
    std::unique_ptr<Bitmap> shadow(int which, const ArtSize& size, int shadowWidth) override;
    std::unique_ptr<Bitmap> border(int which, const ArtSize& size) override;
    std::unique_ptr<Bitmap> scaled(const Bitmap& picture, Size size) override;

    // How many masters are kept, and the bytes their pictures take.
    int masterCount() const { return int(m_masters.size()); }
    qint64 masterBytes() const;

private:
    // The 53 faces of one drawing rendered once at a large size; every card size asked for is
    // scaled down from it.
    struct Master {
        std::string themeFile;
        std::string jokerFile;
        QSize size;                // of each face, device pixels
        std::vector<QImage> faces; // the 52 faces in the order of the card picture table, then the joker
    };
    // The master of the drawings at that size, made when missing; null when a drawing cannot be
    // read (and then nothing is kept).
    const Master* master(const std::string& themeFile, const std::string& jokerFile, QSize size);

    // Most recently used first; at most MaxMasters, so that the memory stays bounded (two: a
    // drag-resize across a change of screen, or a change of card set, keeps both at hand).
    static constexpr std::size_t MaxMasters = 2;
    std::list<Master> m_masters;
};

} // namespace kst
