// The card backs the build writes into the IMAGES folder, read back as the program reads them:
// plain 24-bit bitmaps, each as large as a card of its size, with a light printed edge, and no
// two designs alike.

#include "assets/ImageNames.h"
#include "assets/PictureNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace kst {
namespace {

const std::string imagesFolder = KST_PROGRAM_DIR "/IMAGES/";

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t little(const std::string& bytes, std::size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

struct Bitmap {
    std::string error; // empty when the file is a bitmap this test can read
    int width = 0, height = 0;
    std::string bytes;
    std::size_t pixels = 0; // offset of the pixel rows
    bool topDown = false;

    // Red, green and blue of one pixel, counted from the top-left corner.
    void colour(int x, int y, int rgb[3]) const
    {
        const std::size_t stride = (std::size_t(width) * 3 + 3) / 4 * 4;
        const std::size_t row = topDown ? std::size_t(y) : std::size_t(height - 1 - y);
        const std::size_t at = pixels + row * stride + std::size_t(x) * 3;
        for (int c = 0; c < 3; ++c)
            rgb[c] = static_cast<unsigned char>(bytes[at + 2 - c]);
    }
};

Bitmap readBitmap(const std::string& path)
{
    Bitmap bitmap;
    bitmap.bytes = readAll(path);
    const std::string& b = bitmap.bytes;
    if (b.size() < 54)
        return bitmap.error = "missing or shorter than a bitmap header", bitmap;
    if (b.compare(0, 2, "BM") != 0)
        return bitmap.error = "no BM signature", bitmap;
    bitmap.width = int(std::int32_t(little(b, 18, 4)));
    const auto height = std::int32_t(little(b, 22, 4));
    bitmap.topDown = height < 0;
    bitmap.height = bitmap.topDown ? -height : height;
    if (little(b, 28, 2) != 24 || little(b, 30, 4) != 0)
        return bitmap.error = "not an uncompressed 24-bit bitmap", bitmap;
    bitmap.pixels = little(b, 10, 4);
    const std::size_t stride = (std::size_t(std::max(bitmap.width, 0)) * 3 + 3) / 4 * 4;
    if (bitmap.pixels + stride * std::size_t(bitmap.height) > b.size())
        return bitmap.error = "pixel rows cut short", bitmap;
    return bitmap;
}

TEST(ImagesCardBacksTest, EveryBackIsAnOpaqueBitmapOfItsCardSizeWithALightEdge)
{
    int backs = 0;
    for (const std::string& file : assets::imagesFiles()) {
        if (file[0] != 'D')
            continue;
        ++backs;
        SCOPED_TRACE(file);
        const Bitmap bitmap = readBitmap(imagesFolder + file);
        ASSERT_EQ(bitmap.error, "");
        const assets::CardSize* size = nullptr;
        for (const assets::CardSize& candidate : assets::cardSizes)
            if (candidate.letter == file[1])
                size = &candidate;
        ASSERT_NE(size, nullptr);
        EXPECT_EQ(bitmap.width, size->width);
        EXPECT_EQ(bitmap.height, size->height);
        if (bitmap.width != size->width || bitmap.height != size->height)
            continue;
        // The outermost ring stays as pale as printed card stock, so the rounded corners the
        // program cuts off leave no coloured stubs.
        int darkest = 255;
        for (int x = 0; x < bitmap.width; ++x)
            for (int y = 0; y < bitmap.height; ++y) {
                if (x != 0 && y != 0 && x != bitmap.width - 1 && y != bitmap.height - 1)
                    continue;
                int rgb[3];
                bitmap.colour(x, y, rgb);
                darkest = std::min({darkest, rgb[0], rgb[1], rgb[2]});
            }
        EXPECT_GE(darkest, 200);
    }
    EXPECT_EQ(backs, int(std::size(assets::cardBacks)) + 2); // the every-size back comes three times
}

TEST(ImagesCardBacksTest, NoTwoLargeBacksAreTheSamePicture)
{
    std::map<std::string, std::string> seen; // pixels -> file
    for (const assets::NamedPicture& back : assets::cardBacks) {
        const std::string file = assets::cardBackFile('B', back.number);
        const Bitmap bitmap = readBitmap(imagesFolder + file);
        ASSERT_EQ(bitmap.error, "") << file;
        const auto [other, fresh] = seen.emplace(bitmap.bytes.substr(bitmap.pixels), file);
        EXPECT_TRUE(fresh) << file << " repeats " << other->second;
    }
}

} // namespace
} // namespace kst
