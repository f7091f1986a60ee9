#pragma once
// The pictures of the table and its background: the card faces, the back, the empty-pile marks,
// shadows and borders at the current card size; how the table background is chosen and drawn;
// and the random choice of background, card set and back at a new game.

#include "platform/Canvas.h"
#include "platform/MessageBoxes.h"
#include "platform/Random.h"
#include "platform/ResourceLibrary.h"
#include "storage/ProfileFile.h"
#include "storage/SessionStore.h"
#include "table/Layout.h"

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kst {

// Opens the resource library KST.RGF of the program folder. When it is missing or damaged the
// player is told "Can't find/load " + its path, and false is returned: the program cannot go on.
bool openResourceLibrary(ResourceLibrary& resources, MessageBoxes& messages, std::string_view programDir);

// What the appearance code reads and changes: the session's preferences, CFG.DAT for the path
// of the player's own background, and the ports it draws and asks through.
struct AppearanceContext {
    SessionStore& store;
    ProfileFile& config;
    Graphics& graphics;
    MessageBoxes& messages;
    ResourceLibrary& resources;
    RandomSource& random;
};

// The Card_Size letter of the session: "M", "L", the fit size, or "B" for anything else.
char cardSizeLetter(const SessionStore& store);

// A pixel of a card picture through which the table shows: the rounded corners. pixel is
// premultiplied; alpha 0 lets what lies beneath show unchanged.
struct CornerPixel {
    int x = 0;
    int y = 0;
    Pixel pixel{0, 0};
    friend bool operator==(const CornerPixel&, const CornerPixel&) = default;
};
using Corners = std::vector<CornerPixel>;

// The corner pixels of the area of a picture: every pixel that is not fully opaque; for a
// picture without transparency (a card back from a bitmap file), the pixel at each corner and
// its two neighbours along the edges, so that its corners round off too.
Corners cornersOf(const Bitmap& picture, const Rect& area);

// The 53 face pictures (hearts 0-12, diamonds 13-25, clubs 26-38, spades 39-51, the joker 52)
// and the other pictures of one card size. At the three fixed sizes on an ordinary screen they
// come from the resource library; the fit size, and any size on a screen with more device pixels
// than table pixels, are drawn by the platform's card art (Graphics::cardArt()). A picture that
// cannot be had stays null; painting then leaves its place empty rather than failing.
class CardPictures {
public:
    static constexpr int FaceCount = 53;
    static constexpr int JokerIndex = 52;

    // The picture index of a card number: the second deck shares the first deck's pictures,
    // the four jokers the joker; -1 for a number that names no card.
    static int faceIndex(int cardNumber);

    // The Card_Size letter the pictures were made for.
    char sizeLetter() const { return m_sizeLetter; }
    // The card in device pixels: what the table is drawn and hit-tested with.
    CardSize size() const { return m_size; }
    // The card in table pixels, which the layout works with.
    CardSize tableSize() const { return m_tableSize; }
    // Device pixels per table pixel.
    double scale() const { return m_scale; }
    // The width of the card shadow in device pixels.
    int shadowWidth() const { return m_shadowWidth; }
    // Device pixels to one pixel of the table's fixed measures at the big card (a label box, its
    // text): the device scale, times the fit card's growth over the big card.
    double measureScale() const;

    // What the next loading makes besides the Card_Size letter: the card that fits the window
    // (for the fit size) and the screen's device pixels per table pixel.
    void request(CardSize fitCard, double scale)
    {
        m_fitCard = fitCard;
        m_requestedScale = scale;
    }
    CardSize requestedFitCard() const { return m_fitCard; }
    // Whether pictures for the letter and the request are loaded already.
    bool loadedFor(char letter) const;

    // The suits the current game's deck shows: face() gives each card the face it shows there.
    void showDeck(DeckSuits suits) { m_deckSuits = suits; }
    const Bitmap* face(int cardNumber) const;
    const Bitmap* faceAt(int index) const;
    const Bitmap* back() const { return m_back.get(); }
    // The corners of a face (empty for a card number without a picture) and of the back, by the
    // same rule as face().
    const Corners& faceCorners(int cardNumber) const;
    const Corners& backCorners() const { return m_backCorners; }
    // An empty-pile mark by its code ("001", "_WASTE" ...); null when there is none.
    const Bitmap* mark(std::string_view code) const;
    // which is 1 or 2.
    const Bitmap* shadow(int which) const;
    const Bitmap* border(int which) const;

private:
    friend bool loadCardPictures(AppearanceContext&, CardPictures&, bool);
    friend bool loadCardBack(AppearanceContext&, CardPictures&);

    char m_sizeLetter = 'B';
    DeckSuits m_deckSuits = DeckSuits::Four;
    CardSize m_size;
    CardSize m_tableSize;
    double m_scale = 1;
    int m_shadowWidth = CardShadowWidth;
    CardSize m_fitCard = fitCardOfWidth(FitWidthMinimum);
    double m_requestedScale = 1;
    // What the pictures loaded were asked for (they may stand in for it): the letter, the fit
    // card, the scale.
    struct Asked {
        char letter = 0;
        CardSize fitCard;
        double scale = 0;
        friend bool operator==(const Asked&, const Asked&) = default;
    };
    Asked m_asked;
    std::array<std::unique_ptr<Bitmap>, FaceCount> m_faces;
    std::array<Corners, FaceCount> m_faceCorners;
    std::unique_ptr<Bitmap> m_back;
    Corners m_backCorners;
    std::map<std::string, std::unique_ptr<Bitmap>, std::less<>> m_marks;
    std::array<std::unique_ptr<Bitmap>, 2> m_shadows;
    std::array<std::unique_ptr<Bitmap>, 2> m_borders;
};

// (Re)loads the faces of the card set `Card` at the size `Card_Size` (and the pictures' request)
// and the joker; unless facesOnly, also the marks, shadows, borders and the back `Back_Card`. A
// card set that cannot be had at that size (a damaged preference) falls back to the set every
// size has, and `Card` is set to it. False when pictures are missing even so (the library or the
// card drawings are damaged): what could be loaded is, the rest stays empty, and the back is
// loaded in any case.
bool loadCardPictures(AppearanceContext& context, CardPictures& pictures, bool facesOnly = false);

// Loads the back "D" + size + `Back_Card` from the IMAGES folder; at a size the folder does not
// hold, the big card's back scaled to it. A missing file shows the missing-picture message and
// keeps the back that was loaded before (a plain back when none was); false then.
bool loadCardBack(AppearanceContext& context, CardPictures& pictures);

struct BackgroundRequest {
    bool demoPlaying = false;
    // Rows of the table the fade spans (the window's table area); the rows below are black,
    // the fade's end colour.
    int fadeHeight = 0;
    // The window canvas, when the background is to show at once: it gets the visible part of
    // the buffer, scrollOffset rows down.
    Bitmap* window = nullptr;
    int scrollOffset = 0;
};

// The colour of the default background on this display.
Colour defaultBackgroundColour(Graphics& graphics);

// Draws the table background over the whole background buffer, as the preferences choose it:
// the demo picture while a recorded game plays, the default green, the player's own picture
// (falling back to the default, once and for good, with a message when it is gone or is not a
// picture), a numbered picture (tiled up to 499, else drawn once at the top-left corner), or a
// solid or faded colour.
void paintBackground(AppearanceContext& context, Bitmap& backgroundBuffer, const BackgroundRequest& request);

struct AppearanceChange {
    bool cardSetChanged = false;
    bool backChanged = false;
};

// At a new game: the random background, card set and back that the preferences ask for, the
// pictures reloaded when they changed, and the background repainted into the buffer.
AppearanceChange randomAppearance(AppearanceContext& context, CardPictures& pictures, Bitmap& backgroundBuffer,
                                  const BackgroundRequest& request);

} // namespace kst
