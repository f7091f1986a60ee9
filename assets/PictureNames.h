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

struct CardSize {
    char letter;
    int width;
    int height;
};

inline constexpr CardSize cardSizes[] = {{'B', 71, 96}, {'M', 59, 80}, {'L', 25, 32}};
inline constexpr std::string_view suitLetters = "HDCS"; // the order of the card picture table
inline constexpr int firstCardSet = 1, lastCardSet = 5;
inline constexpr int smallSizesCardSet = 3; // the one set also drawn in M and L

inline std::string cardSetCode(int set)
{
    std::string code = std::to_string(set);
    return std::string(3 - code.size(), '0') + code;
}

// A suit sheet: "C" + size + set + suit, 6W x 4H, rows Ace-5 / 6-10 / J-K.
inline std::string suitSheetName(char size, int set, char suit)
{
    return std::string("C") + size + cardSetCode(set) + suit;
}

inline std::string jokerName(char size)
{
    return std::string("JOKER_") + size;
}

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
    }
    return pictures;
}

} // namespace kst::assets
