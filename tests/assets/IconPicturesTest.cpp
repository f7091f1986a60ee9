// The interface pictures of the built resource library: the names the windows fetch, at the sizes
// they lay out, and pointer hot spots inside their pictures.

#include "assets/PictureNames.h"
#include "storage/ResourceFile.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace kst {
namespace {

const std::string builtLibrary = KST_PROGRAM_DIR "/KST.RGF";

std::map<std::string, Size> libraryIndex()
{
    const ResourcePictures library = readResourcePictures(builtLibrary);
    EXPECT_EQ(library.error, "");
    return {library.pictures.begin(), library.pictures.end()};
}

TEST(IconPicturesTest, TheLibraryHoldsEveryInterfacePictureAtItsSize)
{
    const std::map<std::string, Size> library = libraryIndex();
    const std::vector<assets::PictureSpec> icons = assets::iconPictures();
    ASSERT_EQ(icons.size(), 2 * (44u + 12u + 36u + 17u)); // each with its twin
    for (const assets::PictureSpec& icon : icons) {
        const auto found = library.find(icon.name);
        ASSERT_NE(found, library.end()) << icon.name;
        EXPECT_EQ(found->second, (Size{icon.width, icon.height})) << icon.name;
    }
}

// Names the toolbar, the pointer code, the game browser and the description pane ask for.
TEST(IconPicturesTest, TheNamesTheInterfaceFetchesAreListedAtTheirSizes)
{
    const struct { const char* name; int width, height; } wanted[] = {
        {"TB_NEW", 16, 16},          {"TB_UNDO_DIS", 16, 16},         {"TB_STAT", 16, 16},
        {"TBL_AUTOPLAY", 24, 24},    {"TBL_EXIT_DIS", 24, 24},        {"TBL_RULES", 24, 24},
        {"TB_HINT", 16, 16},         {"TBL_HINT_DIS", 24, 24},
        {"CUR_ARROW1A", 32, 32},     {"CUR_LEFT_HAND2B", 32, 32},     {"CUR_RIGHT_HAND1B", 32, 32},
        {"TREE1", 16, 16},           {"N_TREE5", 16, 16},             {"K_TREE2", 16, 16},
        {"W_TREE2", 16, 16},         {"TREE5_1DECK_TYPE", 16, 16},    {"TREE5_ORIGINAL_TYPE", 16, 16},
        {"PROG_TIME_LONG", 48, 12},  {"PROG_SKILL_DIFFICULT", 48, 12}, {"PROG_DISABLED", 48, 12},
    };
    std::map<std::string, Size> listed;
    for (const assets::PictureSpec& icon : assets::iconPictures())
        listed[icon.name] = {icon.width, icon.height};
    for (const auto& w : wanted) {
        ASSERT_TRUE(listed.count(w.name)) << w.name;
        EXPECT_EQ(listed[w.name], (Size{w.width, w.height})) << w.name;
    }
}

TEST(IconPicturesTest, NoPictureNameIsListedTwiceInTheWholeLibrary)
{
    std::set<std::string> seen;
    for (const assets::PictureSpec& picture : assets::libraryPictures())
        EXPECT_TRUE(seen.insert(picture.name).second) << picture.name;
}

// A hot spot off the picture would make the window system refuse or clamp the pointer; the left
// hands are drawn as mirror images, so their spots must mirror too.
TEST(IconPicturesTest, PointerHotSpotsLieOnTheirPictureAndMirrorBetweenHands)
{
    int pointers = 0;
    for (const assets::PictureSpec& icon : assets::iconPictures()) {
        if (icon.name.rfind("CUR_", 0) != 0)
            continue;
        ++pointers;
        const assets::PixelSpot spot = assets::pointerHotSpot(icon.name);
        EXPECT_GE(spot.x, 0) << icon.name;
        EXPECT_GE(spot.y, 0) << icon.name;
        EXPECT_LT(spot.x, icon.width) << icon.name;
        EXPECT_LT(spot.y, icon.height) << icon.name;
    }
    EXPECT_EQ(pointers, 2 * 12); // each with its twin

    const struct { const char* right; const char* left; } pairs[] = {
        {"CUR_RIGHT_HAND1A", "CUR_LEFT_HAND1A"}, {"CUR_RIGHT_HAND2A", "CUR_LEFT_HAND2A"},
        {"CUR_RIGHT_HAND1B", "CUR_LEFT_HAND1B"}, {"CUR_RIGHT_HAND2B", "CUR_LEFT_HAND2B"}};
    for (const auto& pair : pairs) {
        const assets::PixelSpot right = assets::pointerHotSpot(pair.right), left = assets::pointerHotSpot(pair.left);
        EXPECT_EQ(left.x, assets::pointerSize - 1 - right.x) << pair.left;
        EXPECT_EQ(left.y, right.y) << pair.left;
    }
    for (const char* notAPointer : {"TB_NEW", "CUR_", "", "CUR_ARROW3A"})
        EXPECT_EQ(assets::pointerHotSpot(notAPointer).x, -1) << notAPointer;
}

} // namespace
} // namespace kst
