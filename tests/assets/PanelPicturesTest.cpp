#include "storage/ResourceFile.h"

#include "assets/PictureNames.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace kst {
namespace {

std::map<std::string, Size> builtLibrary()
{
    const ResourcePictures library = readResourcePictures(KST_PROGRAM_DIR "/KST.RGF");
    EXPECT_EQ(library.error, "");
    return {library.pictures.begin(), library.pictures.end()};
}

TEST(PanelPicturesTest, EveryInterfacePictureIsInTheLibraryAtItsSize)
{
    const std::map<std::string, Size> library = builtLibrary();
    for (const assets::PictureSpec& spec : assets::panelPictures()) {
        const auto found = library.find(spec.name);
        ASSERT_NE(found, library.end()) << spec.name;
        EXPECT_EQ(found->second, (Size{spec.width, spec.height})) << spec.name;
    }
}

// The program asks for these by name; the sizes are those its windows are laid out for.
TEST(PanelPicturesTest, ThePicturesTheProgramAsksForByNameHaveTheSizesItsWindowsExpect)
{
    struct Expected {
        const char* name;
        int width, height;
    };
    const Expected fixed[] = {
        {"BMP_PAUSE_1", 320, 64},       {"BMP_PAUSE_2", 320, 28},          {"Panel_pk", 150, 62},
        {"CARD_WITH_SHADOW", 100, 80},  {"CARD_WITHOUT_SHADOW", 100, 80},  {"CARD_IRR_PILES_YES", 100, 80},
        {"CARD_IRR_PILES_NO", 100, 80}, {"Animated_Yes", 360, 30},         {"Animated_No", 60, 30},
        {"SPLASH", 480, 300},           {"Card_None", 13, 17},             {"card_hearts", 14, 17},
        {"card_diamonds", 14, 17},      {"card_clubs", 14, 17},            {"card_spades", 14, 17},
    };
    const std::map<std::string, Size> library = builtLibrary();
    for (const Expected& e : fixed) {
        const auto found = library.find(e.name);
        ASSERT_NE(found, library.end()) << e.name;
        EXPECT_EQ(found->second, (Size{e.width, e.height})) << e.name;
    }
}

// One counter slot per rank and side: "Card_" + rank written without leading zeros + side.
TEST(PanelPicturesTest, TheCardCounterHasASlotForEveryRankFaceUpAndFaceDown)
{
    const std::map<std::string, Size> library = builtLibrary();
    const char* const ranks[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13"};
    for (const char* rank : ranks)
        for (const char* side : {"Up", "Down"}) {
            const std::string name = std::string("Card_") + rank + "_" + side;
            const auto found = library.find(name);
            ASSERT_NE(found, library.end()) << name;
            EXPECT_EQ(found->second, (Size{13, 17})) << name;
        }
}

} // namespace
} // namespace kst
