#include "table/Appearance.h"

#include "assets/ImageNames.h"
#include "assets/PictureNames.h"
#include "cards/Card.h"
#include "platform/CardArt.h"
#include "storage/Encoding.h"
#include "storage/FileLookup.h"
#include "storage/ImageFiles.h"
#include "storage/Routines.h"
#include "storage/TextUtils.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace kst {

namespace {

constexpr std::string_view PreferenceSection = "Preference";
constexpr int LastTiledBackground = assets::lastTiledBackground;
// Displays with more colours than this get the fades and the richer pictures.
constexpr int PaletteDisplayBits = 8;
// A back drawn when no back picture could ever be loaded, so that face-down cards still show.
constexpr Colour PlainBackColour = rgb(30, 60, 150);

// The solid colours the random background can choose besides the pictures.
constexpr std::array<Colour, 6> randomColours = {rgb(0, 0, 255),   rgb(0, 128, 0),   rgb(0, 0, 128),
                                                 rgb(128, 128, 0), rgb(0, 128, 128), rgb(255, 255, 255)};

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

std::string programDir(const AppearanceContext& context)
{
    return context.store.fnStoreGet(Fld::ProgramDir);
}

std::string imagesFolder(const AppearanceContext& context)
{
    return findFile(programDir(context), "Images");
}

bool richDisplay(Graphics& graphics)
{
    return graphics.displayColourBits() > PaletteDisplayBits;
}

// The card drawing of a card set, shipped in the program folder.
std::string cardDrawingFile(const AppearanceContext& context, int set)
{
    return findFile(programDir(context), std::string(assets::cardDrawingFolder) + "/" + assets::cardDrawingName(set));
}

int cardSetOf(const AppearanceContext& context)
{
    return int(numberOr(context.store.fnStoreGet(Fld::Card), assets::firstCardSet));
}

struct Faces {
    std::array<std::unique_ptr<Bitmap>, CardPictures::FaceCount> pictures;
    std::array<Corners, CardPictures::FaceCount> corners;
};

// The thirteen faces of one suit, cut from the suit's sheet: Ace-5, 6-10, J-K in rows. A face
// is an opaque copy of its cell; the cell's transparent corners are kept as its corner pixels.
bool cutSuitSheet(Graphics& graphics, const Bitmap& sheet, CardSize size, int suit, Faces& faces)
{
    if (sheet.width() < 5 * size.width || sheet.height() < 3 * size.height)
        return false;
    for (int rank = 1; rank <= 13; ++rank) {
        const Rect cell{((rank - 1) % 5) * size.width, ((rank - 1) / 5) * size.height, size.width, size.height};
        auto face = graphics.createBitmap(size.width, size.height);
        face->copyFrom(sheet, cell, {0, 0});
        const std::size_t index = std::size_t(suit * 13 + rank - 1);
        faces.pictures[index] = std::move(face);
        faces.corners[index] = cornersOf(sheet, cell);
    }
    return true;
}

bool loadFaces(AppearanceContext& context, char letter, CardSize size, int set, Faces& faces)
{
    for (int suit = 0; suit < 4; ++suit) {
        const std::unique_ptr<Bitmap> sheet = context.resources.bitmap(
            assets::suitSheetName(letter, set, assets::suitLetters[std::size_t(suit)]));
        if (!sheet || !cutSuitSheet(context.graphics, *sheet, size, suit, faces))
            return false;
    }
    return true;
}

void fillAll(Bitmap& bitmap, Colour colour)
{
    bitmap.fillRect({0, 0, bitmap.width(), bitmap.height()}, colour);
}

void showOnWindow(const Bitmap& buffer, const BackgroundRequest& request)
{
    if (request.window)
        request.window->copyFrom(buffer, {0, request.scrollOffset, request.window->width(), request.window->height()},
                                 {0, 0});
}

// The player's own picture, or null with the settings put back to the default background.
std::unique_ptr<Bitmap> customizedBackground(AppearanceContext& context)
{
    // CFG.DAT keeps Windows-1252 text; the file system wants UTF-8.
    const std::string stored = context.config.readText(PreferenceSection, "Customized_Background", "");
    const std::string path = cp1252ToUtf8(stored);
    std::error_code error;
    if (!path.empty() && std::filesystem::is_regular_file(path, error)) {
        if (std::unique_ptr<Bitmap> picture = context.graphics.loadImageFile(path);
            picture && picture->width() > 0 && picture->height() > 0)
            return picture;
    }
    // Gone, or not a picture: said once, and the default background from now on.
    context.messages.information("Customized background image not found: " + stored);
    context.store.fnStoreSet(Fld::Customized_Background, "N");
    context.store.fnStoreSet(Fld::Background_def, "Y");
    context.config.writeText(PreferenceSection, "Customized_Background", "");
    context.config.writeText(PreferenceSection, "Background_Def", "Y");
    return nullptr;
}

// A stored colour; a negative value names a system colour (the default, -2147483633, is the
// button face), which the table shows as silver.
Colour colourFromPreference(long stored)
{
    if (stored < 0)
        return rgb(192, 192, 192);
    return fromStoredColour(std::uint32_t(stored) & 0xffffffu);
}

void paintColour(AppearanceContext& context, Bitmap& buffer, const BackgroundRequest& request)
{
    const long fixed = numberOr(context.store.fnStoreGet(Fld::Background_Fixed_Col), 0);
    const long chosen = fixed > 0 ? fixed : numberOr(context.store.fnStoreGet(Fld::Background_Col), 0);
    const Colour colour = colourFromPreference(chosen);
    if (context.store.fnStoreGet(Fld::Fade_Background) == "Y" && richDisplay(context.graphics)) {
        const int fadeHeight = std::clamp(request.fadeHeight, 0, buffer.height());
        fillAll(buffer, rgb(0, 0, 0));
        if (fadeHeight > 0)
            fillGradient(buffer, {0, 0, buffer.width(), fadeHeight}, colour, rgb(0, 0, 0));
        return;
    }
    fillAll(buffer, colour);
}

} // namespace

char cardSizeLetter(const SessionStore& store)
{
    const std::string letter = store.fnStoreGet(Fld::Card_Size);
    return letter == "M" || letter == "L" || letter == std::string(1, FitCardSize) ? letter[0] : 'B';
}

bool openResourceLibrary(ResourceLibrary& resources, MessageBoxes& messages, std::string_view programDir)
{
    const std::string path = findFile(programDir, "KST.RGF");
    if (resources.load(path))
        return true;
    // The path as it is: on this system a lower-cased path would name another file.
    messages.error("Can't find/load " + pathForMessage(path), "Error");
    return false;
}

// ---- card pictures ------------------------------------------------------------------------------

Corners cornersOf(const Bitmap& picture, const Rect& area)
{
    Corners corners;
    for (int y = area.y; y < area.bottom(); ++y)
        for (int x = area.x; x < area.right(); ++x)
            if (const int a = picture.alpha(x, y); a < 255)
                corners.push_back({x - area.x, y - area.y, {picture.pixel(x, y), a}});
    if (!corners.empty() || area.width < 2 || area.height < 2)
        return corners;
    const int right = area.width - 1, bottom = area.height - 1;
    for (const auto [x, y, dx, dy] : {std::array{0, 0, 1, 1}, {right, 0, -1, 1}, {0, bottom, 1, -1},
                                      {right, bottom, -1, -1}}) {
        corners.push_back({x, y, {0, 0}});
        corners.push_back({x + dx, y, {0, 0}});
        corners.push_back({x, y + dy, {0, 0}});
    }
    return corners;
}

const Corners& CardPictures::faceCorners(int cardNumber) const
{
    static const Corners none;
    const int index = faceIndex(faceOf(cardNumber, m_deckSuits));
    return index < 0 ? none : m_faceCorners[std::size_t(index)];
}

int CardPictures::faceIndex(int cardNumber)
{
    if (!isCardNumber(cardNumber))
        return -1;
    if (isJoker(cardNumber))
        return JokerIndex;
    return suitIndex(cardNumber) * 13 + rank(cardNumber) - 1;
}

const Bitmap* CardPictures::face(int cardNumber) const
{
    return faceAt(faceIndex(faceOf(cardNumber, m_deckSuits)));
}

const Bitmap* CardPictures::faceAt(int index) const
{
    return index >= 0 && index < FaceCount ? m_faces[std::size_t(index)].get() : nullptr;
}

const Bitmap* CardPictures::mark(std::string_view code) const
{
    const auto found = m_marks.find(code);
    return found == m_marks.end() ? nullptr : found->second.get();
}

const Bitmap* CardPictures::shadow(int which) const
{
    return which == 1 || which == 2 ? m_shadows[std::size_t(which - 1)].get() : nullptr;
}

const Bitmap* CardPictures::border(int which) const
{
    return which == 1 || which == 2 ? m_borders[std::size_t(which - 1)].get() : nullptr;
}

double CardPictures::measureScale() const
{
    constexpr int BigWidth = 71;
    return m_scale * (m_sizeLetter == FitCardSize ? double(m_tableSize.width) / BigWidth : 1.0);
}

bool CardPictures::loadedFor(char letter) const
{
    return m_asked == Asked{letter, letter == FitCardSize ? m_fitCard : CardSize{}, m_requestedScale};
}

namespace {

// The sets the resource library holds at a fixed size: all of them in big, one in the others.
// The same sets are drawn at those sizes on a finer screen, so that each size looks the same
// on every screen.
bool setAtSize(char letter, int set)
{
    return letter == 'B' || letter == FitCardSize || set == assets::smallSizesCardSet;
}

// A picture drawn by the card art as a face: an opaque copy, its see-through corners kept aside.
void takeFace(Graphics& graphics, const Bitmap& drawn, std::size_t index, Faces& faces)
{
    auto face = graphics.createBitmap(drawn.width(), drawn.height());
    face->copyFrom(drawn, {0, 0, drawn.width(), drawn.height()}, {0, 0});
    faces.corners[index] = cornersOf(drawn, {0, 0, drawn.width(), drawn.height()});
    faces.pictures[index] = std::move(face);
}

// The 52 faces and the joker of a set drawn at the size asked; false when the drawings cannot be
// read.
bool drawFaces(AppearanceContext& context, CardArt& art, int set, const ArtSize& size, Faces& faces)
{
    const std::vector<std::unique_ptr<Bitmap>> drawn =
        art.faces(cardDrawingFile(context, set), cardDrawingFile(context, assets::jokerCardSet), size);
    if (drawn.size() != std::size_t(CardPictures::FaceCount))
        return false;
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        if (!drawn[i])
            return false;
        takeFace(context.graphics, *drawn[i], i, faces);
    }
    return true;
}

// Without the card drawings: the library's big faces scaled to the size, rather than none.
bool scaleLibraryFaces(AppearanceContext& context, CardArt& art, int set, Size device, Faces& faces)
{
    Faces big;
    if (!loadFaces(context, 'B', cardSizeFor('B', {}), set, big))
        return false;
    big.pictures[CardPictures::JokerIndex] = context.resources.bitmap(assets::jokerName('B'));
    for (std::size_t i = 0; i < big.pictures.size(); ++i) {
        if (!big.pictures[i])
            return false;
        const std::unique_ptr<Bitmap> scaled = art.scaled(*big.pictures[i], device);
        if (!scaled)
            return false;
        takeFace(context.graphics, *scaled, i, faces);
    }
    return true;
}

} // namespace

bool loadCardPictures(AppearanceContext& context, CardPictures& pictures, bool facesOnly)
{
    CardArt* art = context.graphics.cardArt();
    char letter = cardSizeLetter(context.store);
    pictures.m_asked = {letter, letter == FitCardSize ? pictures.m_fitCard : CardSize{}, pictures.m_requestedScale};
    if (!art && letter == FitCardSize)
        letter = 'B'; // nothing can draw it: the big cards stand in
    const double scale = art ? pictures.m_requestedScale : 1.0;
    const CardSize table = letter == FitCardSize ? pictures.m_fitCard : cardSizeFor(letter, pictures.m_tableSize);
    const ArtSize artSize{{table.width, table.height}, scale};
    const bool fromLibrary = letter != FitCardSize && scale == 1;
    pictures.m_sizeLetter = letter;
    pictures.m_tableSize = table;
    pictures.m_scale = scale;
    pictures.m_size = fromLibrary ? table : CardSize{artSize.device().width, artSize.device().height};
    pictures.m_shadowWidth = scaledLength(cardShadowWidth(letter, table), scale);

    const auto load = [&](int set, Faces& faces) {
        if (fromLibrary)
            return loadFaces(context, letter, table, set, faces);
        return drawFaces(context, *art, set, artSize, faces)
            || scaleLibraryFaces(context, *art, set, artSize.device(), faces);
    };
    Faces faces;
    int set = cardSetOf(context);
    bool complete = setAtSize(letter, set) && load(set, faces);
    if (!complete) {
        // Only the small-size set exists in every size; the first set stands in for the others.
        set = letter == 'B' || letter == FitCardSize ? assets::firstCardSet : assets::smallSizesCardSet;
        faces = Faces{};
        complete = load(set, faces);
        if (!complete)
            faces = Faces{}; // damaged pictures: no faces rather than a mixture of sizes
    }
    if (complete)
        context.store.fnStoreSet(Fld::Card, assets::threeDigits(set));
    // The drawn faces bring their joker along.
    if (std::unique_ptr<Bitmap> joker = fromLibrary ? context.resources.bitmap(assets::jokerName(letter)) : nullptr) {
        faces.corners[CardPictures::JokerIndex] = cornersOf(*joker, {0, 0, joker->width(), joker->height()});
        faces.pictures[CardPictures::JokerIndex] = std::move(joker);
    }
    pictures.m_faces = std::move(faces.pictures);
    pictures.m_faceCorners = std::move(faces.corners);
    complete = complete && pictures.m_faces[CardPictures::JokerIndex] != nullptr;
    if (facesOnly)
        return complete;

    pictures.m_marks.clear();
    for (const std::string& code : assets::markCodes()) {
        std::unique_ptr<Bitmap> mark = fromLibrary ? context.resources.bitmap(assets::markName(letter, code))
                                                   : art->mark(code, artSize);
        complete = complete && mark;
        pictures.m_marks[code] = std::move(mark);
    }
    for (int which = 1; which <= 2; ++which) {
        const std::size_t i = std::size_t(which - 1);
        pictures.m_shadows[i] = fromLibrary ? context.resources.bitmap(assets::shadowName(letter, which))
                                            : art->shadow(which, artSize, pictures.m_shadowWidth);
        pictures.m_borders[i] = fromLibrary ? context.resources.bitmap(assets::borderName(letter, which))
                                            : art->border(which, artSize);
        complete = complete && pictures.m_shadows[i] && pictures.m_borders[i];
    }
    return loadCardBack(context, pictures) && complete;
}

bool loadCardBack(AppearanceContext& context, CardPictures& pictures)
{
    const int number = int(numberOr(context.store.fnStoreGet(Fld::Back_Card), assets::everySizeBack));
    const CardSize size = pictures.m_size;
    // The folder holds backs at the three fixed sizes; any other size is the big back scaled.
    CardArt* art = context.graphics.cardArt();
    const bool fileSize = size == cardSizeFor(pictures.m_sizeLetter, {}) && pictures.m_sizeLetter != FitCardSize;
    auto back = context.graphics.createBitmap(0, 0);
    if (fnLoadImageFile(context.graphics, context.messages, programDir(context), *back,
                        assets::cardBackName(fileSize || !art ? pictures.m_sizeLetter : 'B', number))) {
        if (!fileSize && art && (back->width() != size.width || back->height() != size.height))
            if (std::unique_ptr<Bitmap> scaled = art->scaled(*back, {size.width, size.height}))
                back = std::move(scaled);
        pictures.m_back = std::move(back);
        pictures.m_backCorners = cornersOf(*pictures.m_back, {0, 0, pictures.m_back->width(), pictures.m_back->height()});
        return true;
    }
    if (!pictures.m_back || pictures.m_back->width() != size.width || pictures.m_back->height() != size.height) {
        pictures.m_back = context.graphics.createBitmap(size.width, size.height);
        fillAll(*pictures.m_back, PlainBackColour);
        pictures.m_backCorners = cornersOf(*pictures.m_back, {0, 0, size.width, size.height});
    }
    return false;
}

// ---- background ---------------------------------------------------------------------------------

Colour defaultBackgroundColour(Graphics& graphics)
{
    return richDisplay(graphics) ? rgb(0, 96, 0) : rgb(0, 128, 0);
}

void paintBackground(AppearanceContext& context, Bitmap& buffer, const BackgroundRequest& request)
{
    SessionStore& store = context.store;
    const std::string dir = programDir(context);
    const auto paintDefault = [&] { fillAll(buffer, defaultBackgroundColour(context.graphics)); };

    if (request.demoPlaying) {
        if (!tile(context.graphics, context.messages, dir, buffer, assets::demoBackgroundName, buffer.width(),
                  buffer.height()))
            paintDefault();
    } else if (store.fnStoreGet(Fld::Background_def) == "Y") {
        paintDefault();
    } else if (store.fnStoreGet(Fld::Customized_Background) == "Y") {
        if (const std::unique_ptr<Bitmap> picture = customizedBackground(context))
            tile(buffer, *picture, buffer.width(), buffer.height());
        else
            paintDefault();
    } else if (const long number = numberOr(store.fnStoreGet(Fld::Background_bmp), 0); number > 0) {
        const std::string name = assets::backgroundName(int(number));
        if (number <= LastTiledBackground) {
            if (!tile(context.graphics, context.messages, dir, buffer, name, buffer.width(), buffer.height()))
                paintDefault();
        } else {
            // Drawn once at its own size: what it leaves uncovered is the default green.
            paintDefault();
            drawImageFile(context.graphics, context.messages, dir, buffer, name);
        }
    } else {
        paintColour(context, buffer, request);
    }
    showOnWindow(buffer, request);
}

// ---- random appearance --------------------------------------------------------------------------

namespace {

// The background pictures the random choice may take on this display, as their numbers: the
// IMAGES files "b*.bmp" in name order, up to "b256.bmp" for palette displays and after it for
// the others. Files whose name does not carry a number are no candidates.
std::vector<std::string> backgroundCandidates(AppearanceContext& context)
{
    constexpr std::string_view split = "b256.bmp";
    const bool rich = richDisplay(context.graphics);
    std::vector<std::string> names;
    for (const std::string& path : findFiles(imagesFolder(context), "b*.bmp"))
        names.push_back(lowerCase(std::filesystem::path(path).filename().string()));
    std::sort(names.begin(), names.end());
    std::vector<std::string> numbers;
    for (const std::string& name : names) {
        const std::string number = name.substr(1, 3);
        if (!fnAllDigits(number) || number.size() != 3 || (rich ? name <= split : name > split))
            continue;
        numbers.push_back(number);
    }
    return numbers;
}

void chooseRandomBackground(AppearanceContext& context)
{
    SessionStore& store = context.store;
    store.fnStoreSet(Fld::Background_def, "N");
    store.fnStoreSet(Fld::Background_bmp, "0");
    store.fnStoreSet(Fld::Background_Fixed_Col, "0");
    store.fnStoreSet(Fld::Customized_Background, "N");

    const std::vector<std::string> pictures = backgroundCandidates(context);
    const bool colours = !richDisplay(context.graphics) || store.fnStoreGet(Fld::Fade_Background) == "Y";
    const std::size_t choices = pictures.size() + (colours ? randomColours.size() : 0);
    if (choices == 0)
        return;
    const std::size_t pick = context.random.below(std::uint32_t(choices));
    if (pick < pictures.size())
        store.fnStoreSet(Fld::Background_bmp, pictures[pick]);
    else
        store.fnStoreSet(Fld::Background_Col,
                         std::to_string(toStoredColour(randomColours[pick - pictures.size()])));
}

} // namespace

AppearanceChange randomAppearance(AppearanceContext& context, CardPictures& pictures, Bitmap& backgroundBuffer,
                                  const BackgroundRequest& request)
{
    SessionStore& store = context.store;
    AppearanceChange change;
    if (store.fnStoreGet(Fld::Random_Background) == "Y")
        chooseRandomBackground(context);

    const bool bigCards = store.fnStoreGet(Fld::Card_Size) == "B";
    if (store.fnStoreGet(Fld::Random_Card) == "Y" && bigCards) {
        const std::string before = store.fnStoreGet(Fld::Card);
        const int set = assets::firstCardSet
            + int(context.random.below(std::uint32_t(assets::lastCardSet - assets::firstCardSet + 1)));
        store.fnStoreSet(Fld::Card, assets::threeDigits(set));
        if (store.fnStoreGet(Fld::Card) != before) {
            loadCardPictures(context, pictures, true);
            change.cardSetChanged = true;
        }
    }
    if (store.fnStoreGet(Fld::Random_Deck) == "Y" && bigCards) {
        const std::size_t backs = findFiles(imagesFolder(context), "db*.bmp").size();
        if (backs > 0) {
            const std::string before = store.fnStoreGet(Fld::Back_Card);
            store.fnStoreSet(Fld::Back_Card, assets::threeDigits(1 + int(context.random.below(std::uint32_t(backs)))));
            if (store.fnStoreGet(Fld::Back_Card) != before) {
                loadCardBack(context, pictures);
                change.backChanged = true;
            }
        }
    }
    paintBackground(context, backgroundBuffer, request);
    return change;
}

} // namespace kst
