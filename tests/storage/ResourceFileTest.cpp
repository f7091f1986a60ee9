#include "storage/ResourceFile.h"

#include "assets/PictureNames.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace kst {
namespace {

const std::string builtLibrary = KST_PROGRAM_DIR "/KST.RGF";

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(ResourceFileTest, TheBuiltLibraryHoldsExactlyThePicturesOfTheTableAtTheirSizes)
{
    ResourcePictures library = readResourcePictures(builtLibrary);
    ASSERT_EQ(library.error, "");
    // The game previews and their twins follow the catalogue; their own test checks them.
    std::erase_if(library.pictures,
                  [](const auto& picture) { return assets::isPreviewName(assets::drawingOf(picture.first)); });
    std::vector<assets::PictureSpec> expected = assets::libraryPictures();
    std::sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    ASSERT_EQ(library.pictures.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(library.pictures[i].first, expected[i].name);
        EXPECT_EQ(library.pictures[i].second, (Size{expected[i].width, expected[i].height})) << expected[i].name;
    }
}

TEST(ResourceFileTest, MissingTruncatedAndForeignFilesAreRefusedWithAReason)
{
    test::TempDir tmp("resource-file");
    const std::string whole = readAll(builtLibrary);
    ASSERT_GT(whole.size(), 1000u);
    tmp.write("cut.RGF", whole.substr(0, whole.size() / 2));
    tmp.write("text.RGF", "qres but not really a resource library");
    for (const std::string& path : {tmp.file("missing.RGF"), tmp.file("cut.RGF"), tmp.file("text.RGF")}) {
        const ResourcePictures library = readResourcePictures(path);
        EXPECT_NE(library.error, "") << path;
        EXPECT_TRUE(library.pictures.empty()) << path;
    }
}

} // namespace
} // namespace kst
