#pragma once
// Port: card pictures drawn at any size from their vector drawings, for the sizes the resource
// library does not hold: the card size that fits the window, and every size on a screen with more
// than one device pixel per table pixel. What a picture shows is laid out for the card in table
// pixels and drawn `scale` times finer; the bitmaps returned are in device pixels.

#include "platform/Canvas.h"

#include <cmath>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kst {

// The largest card the table lays out, in table pixels (three big cards' width, the big card's
// proportions): the faces of every smaller card are scaled down from pictures of this size, so a
// window being resized asks for no new rendering.
inline constexpr Size LargestCard{213, 288};

struct ArtSize {
    Size card;         // the card in table pixels
    double scale = 1;  // device pixels per table pixel
    // The card in device pixels.
    Size device() const { return {int(std::lround(card.width * scale)), int(std::lround(card.height * scale))}; }
    friend bool operator==(const ArtSize&, const ArtSize&) = default;
};

class CardArt {
public:
    virtual ~CardArt() = default;

    // The 52 faces of the card drawing in themeFile, hearts Ace to King, then diamonds, clubs and
    // spades, followed by the joker of jokerFile: 53 pictures of size.device(), opaque but for the
    // rounded corners (transparent there). Empty when either drawing cannot be read, or for a
    // card too large to hold 53 times in memory. A card narrower than 40 table pixels gets the
    // small design (an index and one pip), which needs neither drawing.
    virtual std::vector<std::unique_ptr<Bitmap>> faces(const std::string& themeFile, const std::string& jokerFile,
                                                       const ArtSize& size) = 0;
    // An empty-pile mark by its code ("001", "_WASTE" ...), size.device() with transparency; null
    // for a code that has no mark.
    virtual std::unique_ptr<Bitmap> mark(std::string_view code, const ArtSize& size) = 0;
    // The card shadow, white where the table shows through: 1 the strip right of the card
    // (shadowWidth x card height, device pixels), 2 the strip under it (card width x shadowWidth).
    // They are drawn to lie shadowWidth - 2 below the card's top and shadowWidth - 1 right of its
    // left edge, as the library's.
    virtual std::unique_ptr<Bitmap> shadow(int which, const ArtSize& size, int shadowWidth) = 0;
    // The frame over a card place, size.device(), blue 0,0,255 where there is none: 1 raised,
    // 2 pressed in.
    virtual std::unique_ptr<Bitmap> border(int which, const ArtSize& size) = 0;
    // A picture that exists only as a bitmap (a card back), scaled smoothly to size.
    virtual std::unique_ptr<Bitmap> scaled(const Bitmap& picture, Size size) = 0;
};

} // namespace kst
