#pragma once
// Every picture of the resource library KST.RGF with its size: the generator draws exactly these,
// and the tests check the built library against them. Standard library only, so the core tests
// and kestrane-cli can read it as well.

#include <string>
#include <string_view>
#include <vector>

namespace kst::assets {

struct PictureSpec {
    std::string name;
    int width = 0;
    int height = 0;
};

// Screens of high pixel density show the interface's small pictures from twins drawn at twice the
// width and height by the same code: the twin of "TB_NEW" is "TB_NEW@2". Toolbar buttons, pointer
// shapes, tree pictures, gauges, the card counter's pictures and the game previews have one.
inline constexpr int twinScale = 2;
inline constexpr std::string_view twinSuffix = "@2";

inline std::string twinName(std::string_view name)
{
    return std::string(name) + std::string(twinSuffix);
}

// The name of the picture a twin doubles; empty for a name that is not a twin's.
inline std::string_view twinOriginal(std::string_view name)
{
    if (name.size() <= twinSuffix.size() || !name.ends_with(twinSuffix))
        return {};
    return name.substr(0, name.size() - twinSuffix.size());
}

// The picture whose drawing a name shows: a twin shows its original's, on its larger picture.
inline std::string drawingOf(std::string_view name)
{
    const std::string_view original = twinOriginal(name);
    return std::string(original.empty() ? name : original);
}

// Lists a picture and, right after it, its twin.
inline void addWithTwin(std::vector<PictureSpec>& pictures, const std::string& name, int width, int height)
{
    pictures.push_back({name, width, height});
    pictures.push_back({twinName(name), width * twinScale, height * twinScale});
}

struct CardSize {
    char letter;
    int width;
    int height;
};

inline constexpr CardSize bigCard{'B', 71, 96}, mediumCard{'M', 59, 80}, littleCard{'L', 25, 32};
inline constexpr CardSize cardSizes[] = {bigCard, mediumCard, littleCard};
inline constexpr std::string_view suitLetters = "HDCS"; // the order of the card picture table
inline constexpr int ranksPerSuit = 13;
inline constexpr int jokerFace = 4 * ranksPerSuit; // the joker's place in the card picture table, after the 52 faces
inline constexpr int firstCardSet = 1, lastCardSet = 5;
inline constexpr int smallSizesCardSet = 3; // the one set also drawn in M and L
// The joker is one picture per size, taken from this set's drawing, whose joker carries no text
// that a missing font could push over the card's edge.
inline constexpr int jokerCardSet = 5;

// Card sets, backs and backgrounds are numbered in three digits: 6 -> "006".
inline std::string threeDigits(int number)
{
    std::string code = std::to_string(number);
    return std::string(code.size() < 3 ? 3 - code.size() : 0, '0') + code;
}

// The card drawings the program ships in its folder CARDS, one per card set: "C" + the set's three
// digits + ".svgz" (compressed SVG). The faces of every size are drawn from them.
inline constexpr std::string_view cardDrawingFolder = "CARDS";
inline std::string cardDrawingName(int set)
{
    return "C" + threeDigits(set) + ".svgz";
}

// A suit sheet: "C" + size + set + suit, 6W x 4H, rows Ace-5 / 6-10 / J-K.
inline std::string suitSheetName(char size, int set, char suit)
{
    return std::string("C") + size + threeDigits(set) + suit;
}

inline std::string jokerName(char size)
{
    return std::string("JOKER_") + size;
}

// Empty-pile marks, "W" + size + code, each W x H: 001 free reserve place, 003 Queen, 004 a
// foundation or restricted tableau without a rank mark, 005 closed place (takes no card),
// 006 Jack, 008 no redeal left, 009 a Jack, Queen or King reserve, 010 Ace, 011 King,
// 012..020 the ranks 2..10, 021 the close-up stock of the grid game, 022 redeal,
// _WASTE the waste (and other places), _TABLEAU an empty tableau pile taking any card.
inline const std::vector<std::string>& markCodes()
{
    static const std::vector<std::string> codes = {
        "001", "003", "004", "005", "006", "008", "009", "010", "011", "012", "013", "014", "015",
        "016", "017", "018", "019", "020", "021", "022", "_WASTE", "_TABLEAU"};
    return codes;
}

inline std::string markName(char size, const std::string& code)
{
    return std::string("W") + size + code;
}

// The card shadow is 9 pixels wide at every size (the layout reserves that much). Shadow 1 is the
// strip right of the card, 9 x H, drawn from 7 below its top; shadow 2 the strip under it,
// W x 9, drawn from 8 right of its left edge. White means "no shadow".
inline constexpr int shadowWidth = 9;

inline std::string shadowName(char size, int which)
{
    return std::string("SHADOW_") + size + std::to_string(which);
}

// Borders are W x H frames over a card place: 1 raised, 2 pressed in. Blue 0,0,255 means "no frame".
inline std::string borderName(char size, int which)
{
    return std::string("3D_BORDER_") + size + std::to_string(which);
}

// The interface's small pictures: toolbar buttons, pointer shapes, tree and category pictures,
// the game description pictures, each with its twin.
// Toolbar buttons in toolbar order, "TB_" + command at 16 x 16 and "TBL_" + command at 24 x 24,
// each with a "_DIS" variant drawn as the disabled button.
inline constexpr std::string_view toolbarCommands[] = {
    "NEW", "OPEN", "RESTART", "SAVE", "UNDO", "REDO", "HINT", "AUTOPLAY", "STAT", "RULES", "EXIT"};
inline constexpr int toolbarSmall = 16, toolbarLarge = 24;

// Pointer shapes, 32 x 32, with the pixel that points. "A" is the plain pointer, "B" the same
// pointer while cards are being dragged; the left hands mirror the right ones.
inline constexpr int pointerSize = 32;
struct PointerHotSpot {
    std::string_view name;
    int x;
    int y;
};
inline constexpr PointerHotSpot pointerHotSpots[] = {
    {"CUR_ARROW1A", 0, 0},       {"CUR_ARROW2A", 0, 0},       {"CUR_RIGHT_HAND1A", 8, 1},
    {"CUR_RIGHT_HAND2A", 10, 1}, {"CUR_LEFT_HAND1A", 23, 1},  {"CUR_LEFT_HAND2A", 21, 1},
    {"CUR_ARROW1B", 0, 0},       {"CUR_ARROW2B", 0, 0},       {"CUR_RIGHT_HAND1B", 8, 6},
    {"CUR_RIGHT_HAND2B", 10, 8}, {"CUR_LEFT_HAND1B", 23, 6},  {"CUR_LEFT_HAND2B", 21, 8}};

// {x, y} of the pointing pixel; {-1, -1} for a name that is not a pointer.
struct PixelSpot {
    int x = -1;
    int y = -1;
};
// A pointer's twin points with the pixel at twice the distance from its corner.
inline PixelSpot pointerHotSpot(std::string_view name)
{
    const std::string_view original = twinOriginal(name);
    const int scale = original.empty() ? 1 : twinScale;
    for (const PointerHotSpot& spot : pointerHotSpots)
        if (spot.name == (original.empty() ? name : original))
            return {spot.x * scale, spot.y * scale};
    return {};
}

// Game browser tree pictures, 16 x 16 on an opaque ground of treeGround (the browser shows that
// colour as transparent): folders and their badges, games, and one table miniature per category.
inline constexpr int treePictureSize = 16;
inline constexpr int treeGround[3] = {128, 0, 0};
inline constexpr std::string_view treePictureNames[] = {
    "TREE1", "TREE2", "N_TREE3", "N_TREE4", "N_TREE5", "F_TREE1", "F_TREE2", "S_TREE1", "S_TREE2",
    "D_TREE1", "D_TREE2", "C_TREE1", "C_TREE2", "T_TREE1", "T_TREE2", "I_TREE1", "I_TREE2",
    "K_TREE2", "W_TREE1", "W_TREE2",
    "TREE5_CANFIELD_TYPE", "TREE5_FORTYTHIEVES_TYPE", "TREE5_FREECELL_TYPE", "TREE5_KLONDIKE_TYPE",
    "TREE5_PAIRING_TYPE", "TREE5_SIMPLEGAMES_TYPE", "TREE5_SPIDER_TYPE", "TREE5_1DECK_TYPE",
    "TREE5_2DECK_TYPE", "TREE5_FAN_TYPE", "TREE5_BAKERSDOZEN_TYPE", "TREE5_ROW_TYPE",
    "TREE5_CUSTOMIZED_GAMES", "TREE5_FAVORITES_GAMES", "TREE5_PUZZLE_TYPE", "TREE5_ORIGINAL_TYPE"};

// Game description gauges, 48 x 12: a symbol and as many lit segments as the level.
inline constexpr int gaugeWidth = 48, gaugeHeight = 12;
inline constexpr std::string_view gaugePictureNames[] = {
    "PROG_TIME_QUICK", "PROG_TIME_MEDIUM", "PROG_TIME_LONG",
    "PROG_DIFF_EASY", "PROG_DIFF_MEDIUM", "PROG_DIFF_HARD",
    "PROG_CHAN_VERYLOW", "PROG_CHAN_LOW", "PROG_CHAN_MEDIUM", "PROG_CHAN_HIGH", "PROG_CHAN_VERYHIGH",
    "PROG_SKILL_CHANCEONLY", "PROG_SKILL_MOSTLYCHANCE", "PROG_SKILL_MODERATE",
    "PROG_SKILL_MOSTLYSKILL", "PROG_SKILL_DIFFICULT", "PROG_DISABLED"};

inline std::vector<PictureSpec> iconPictures()
{
    std::vector<PictureSpec> pictures;
    for (const char* prefix : {"TB_", "TBL_"}) {
        const int side = prefix[2] == 'L' ? toolbarLarge : toolbarSmall;
        for (const std::string_view command : toolbarCommands) {
            const std::string name = prefix + std::string(command);
            addWithTwin(pictures, name, side, side);
            addWithTwin(pictures, name + "_DIS", side, side);
        }
    }
    for (const PointerHotSpot& spot : pointerHotSpots)
        addWithTwin(pictures, std::string(spot.name), pointerSize, pointerSize);
    for (const std::string_view name : treePictureNames)
        addWithTwin(pictures, std::string(name), treePictureSize, treePictureSize);
    for (const std::string_view name : gaugePictureNames)
        addWithTwin(pictures, std::string(name), gaugeWidth, gaugeHeight);
    return pictures;
}

// The card counter: a suit label at the head of each row, 14 x 17, then one slot per card, 13 x 17:
// "Card_None" for a card not watched, "Card_" + rank (1..13) + "_Up" or "_Down" for a card seen
// face up or lying face down.
inline constexpr std::string_view counterSuitNames[] = {"hearts", "diamonds", "clubs", "spades"};
inline constexpr int counterLabelWidth = 14, counterSlotWidth = 13, counterSlotHeight = 17;

// The larger interface pictures: pause, poker panel, card counter, effect previews, filmstrips,
// splash, the hi-score dialog's picture (looking at the tables, a result just entered).
inline std::vector<PictureSpec> panelPictures()
{
    std::vector<PictureSpec> pictures = {
        {"BMP_PAUSE_1", 320, 64},       {"BMP_PAUSE_2", 320, 28},          {"Panel_pk", 150, 62},
        {"CARD_WITH_SHADOW", 100, 80},  {"CARD_WITHOUT_SHADOW", 100, 80},  {"CARD_IRR_PILES_YES", 100, 80},
        {"CARD_IRR_PILES_NO", 100, 80}, {"Animated_Yes", 12 * 30, 30},     {"Animated_No", 2 * 30, 30},
        {"SPLASH", 480, 300},           {"HISCORE_LIST", 110, 360},        {"HISCORE_NEW", 110, 360},
    };
    addWithTwin(pictures, "Card_None", counterSlotWidth, counterSlotHeight);
    for (const std::string_view suit : counterSuitNames)
        addWithTwin(pictures, "card_" + std::string(suit), counterLabelWidth, counterSlotHeight);
    for (int rank = 1; rank <= 13; ++rank)
        for (const char* side : {"_Up", "_Down"})
            addWithTwin(pictures, "Card_" + std::to_string(rank) + side, counterSlotWidth, counterSlotHeight);
    return pictures;
}

// The preview of a game that the game browser shows: "GAME" + the 4-digit GameId, one for every
// game of the catalogue, drawn by kst-previews to fill the browser's preview box. They follow the
// catalogue, so libraryPictures() does not list them.
inline constexpr int previewWidth = 300, previewHeight = 185;

inline std::string previewName(int gameId)
{
    std::string id = std::to_string(gameId);
    return "GAME" + std::string(id.size() < 4 ? 4 - id.size() : 0, '0') + id;
}

inline bool isPreviewName(std::string_view name)
{
    return name.size() == 8 && name.substr(0, 4) == "GAME"
        && name.find_first_not_of("0123456789", 4) == std::string_view::npos;
}

// Every picture kst-assets draws (the previews are drawn after it, with these pictures).
inline std::vector<PictureSpec> libraryPictures()
{
    std::vector<PictureSpec> pictures;
    for (const CardSize& size : cardSizes) {
        for (int set = firstCardSet; set <= lastCardSet; ++set) {
            if (size.letter != 'B' && set != smallSizesCardSet)
                continue;
            for (const char suit : suitLetters)
                pictures.push_back({suitSheetName(size.letter, set, suit), 6 * size.width, 4 * size.height});
        }
        pictures.push_back({jokerName(size.letter), size.width, size.height});
        for (const std::string& code : markCodes())
            pictures.push_back({markName(size.letter, code), size.width, size.height});
        pictures.push_back({shadowName(size.letter, 1), shadowWidth, size.height});
        pictures.push_back({shadowName(size.letter, 2), size.width, shadowWidth});
        for (int which = 1; which <= 2; ++which)
            pictures.push_back({borderName(size.letter, which), size.width, size.height});
    }
    for (auto& family : {iconPictures(), panelPictures()})
        pictures.insert(pictures.end(), family.begin(), family.end());
    return pictures;
}

} // namespace kst::assets
