#pragma once
// A resource library and an IMAGES folder in memory whose pictures tell where they came from:
// every face is one colour, rgb(set, 16 * suit + column, row) of its sheet cell, with the three
// pixels at each corner transparent; the marks are half-transparent single colours; the back
// and the shadows are plain colours.

#include "assets/ImageNames.h"
#include "assets/PictureNames.h"
#include "platform/test/TestPorts.h"
#include "table/Appearance.h"
#include "tests/support/TempDir.h"

#include <set>
#include <string>

namespace kst::test {

inline constexpr Colour BackColour = rgb(90, 0, 90);
inline constexpr Colour MarkColour = rgb(200, 200, 0);
inline constexpr Colour ShadowColour = rgb(20, 20, 20);

inline Colour faceColour(int set, int card)
{
    const int r = rank(card), suit = suitIndex(card);
    return rgb(set, 16 * suit + (r - 1) % 5, (r - 1) / 5);
}

// The mark pictures hold their code's number in the red channel (255 for "_WASTE" and
// "_TABLEAU": 254 and 253), so a test can tell which mark was drawn.
inline int markNumber(const std::string& code)
{
    return code == "_WASTE" ? 254 : code == "_TABLEAU" ? 253 : std::stoi(code);
}

class PatternLibrary : public FakeResourceLibrary {
public:
    std::set<std::string> sheets;

    std::unique_ptr<Bitmap> bitmap(const std::string& name) override
    {
        if (!isLoaded())
            return nullptr;
        if (sheets.contains(name))
            return sheet(name);
        if (name.starts_with("W") && name.size() > 2)
            return mark(name);
        return FakeResourceLibrary::bitmap(name);
    }

    void addSet(char letter, int set)
    {
        for (const char suit : assets::suitLetters)
            sheets.insert(assets::suitSheetName(letter, set, suit));
    }

    // Every picture of the card sizes: sets as given, the joker, marks, shadows, borders.
    void addTablePictures(char letter, std::initializer_list<int> sets)
    {
        const CardSize size = cardSizeFor(letter, {});
        for (int set : sets)
            addSet(letter, set);
        addPicture(assets::jokerName(letter), {size.width, size.height}, rgb(1, 1, 1));
        for (const std::string& code : assets::markCodes())
            addPicture(assets::markName(letter, code), {size.width, size.height});
        addPicture(assets::shadowName(letter, 1), {9, size.height}, ShadowColour);
        addPicture(assets::shadowName(letter, 2), {size.width, 9}, ShadowColour);
        for (int which = 1; which <= 2; ++which)
            addPicture(assets::borderName(letter, which), {size.width, size.height}, rgb(0, 0, 255));
    }

private:
    static std::unique_ptr<Bitmap> sheet(const std::string& name)
    {
        const int set = std::stoi(name.substr(2, 3));
        const int suit = int(assets::suitLetters.find(name[5]));
        const CardSize size = cardSizeFor(name[1], {});
        auto sheet = std::make_unique<MemoryBitmap>(6 * size.width, 4 * size.height);
        for (int row = 0; row < 4; ++row)
            for (int column = 0; column < 6; ++column) {
                const int x0 = column * size.width, y0 = row * size.height;
                sheet->fillRect({x0, y0, size.width, size.height}, rgb(set, 16 * suit + column, row));
                const int r = size.width - 1, b = size.height - 1;
                for (const auto& [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {r, 0}, {r - 1, 0}, {r, 1}, {0, b},
                                          {1, b}, {0, b - 1}, {r, b}, {r - 1, b}, {r, b - 1}})
                    sheet->setPixel(x0 + x, y0 + y, Pixel{0, 0});
            }
        return sheet;
    }

    static std::unique_ptr<Bitmap> mark(const std::string& name)
    {
        const CardSize size = cardSizeFor(name[1], {});
        auto mark = std::make_unique<MemoryBitmap>(size.width, size.height);
        // Half-transparent, premultiplied: the colour's channels halved.
        const Colour c = rgb(markNumber(name.substr(2)) / 2, 100, 0);
        for (int y = 0; y < size.height; ++y)
            for (int x = 0; x < size.width; ++x)
                mark->setPixel(x, y, Pixel{c, 128});
        return mark;
    }
};

// The pictures of one card size loaded through the program's own loader, with back 6.
struct TablePictures {
    explicit TablePictures(char letter = 'B', int set = 1)
    {
        library.load("KST.RGF");
        library.addTablePictures(letter, {set});
        const CardSize size = cardSizeFor(letter, {});
        const std::string back = std::string("Images/") + assets::cardBackName(letter, 6) + ".bmp";
        dir.write(back, "BM");
        graphics.addImageFile(dir.file(back), {size.width, size.height}, BackColour);
        store.fnStoreSet(Fld::Card_Size, std::string(1, letter));
        store.fnStoreSet(Fld::Card, assets::threeDigits(set));
        store.fnStoreSet(Fld::Back_Card, "006");
        loaded = loadCardPictures(context, pictures);
    }

    TempDir dir{"table-pictures"};
    SessionStore store{dir.path().string()};
    ProfileFile config{dir.file("DATA/CFG.DAT")};
    MemoryGraphics graphics;
    ScriptedMessageBoxes messages;
    PatternLibrary library;
    ScriptedRandom random;
    RecordingApplication app;
    AppearanceContext context{store, config, graphics, messages, library, random};
    CardPictures pictures;
    bool loaded = false;
};

} // namespace kst::test
