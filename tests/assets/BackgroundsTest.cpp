// The table backgrounds of the built IMAGES folder: each is a BMP the program can read, dark and
// calm enough to lay cards on, and -- since the table repeats them edge to edge -- seamless.

#include "assets/ImageNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

using kst::assets::backgroundFile;
using kst::assets::backgrounds;

struct Bitmap {
    int width = 0, height = 0, bitsPerPixel = 0;
    std::vector<std::array<int, 3>> pixels; // red, green, blue; top row first
    const std::array<int, 3>& at(int x, int y) const { return pixels[std::size_t(y * width + x)]; }
};

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t le(const std::string& b, std::size_t at, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | std::uint8_t(b[at + std::size_t(i)]);
    return v;
}

// Decodes an uncompressed 8, 24 or 32 bits-per-pixel BMP, bottom-up or top-down. Fills `why` and
// returns false for anything else.
bool decodeBmp(const std::string& b, Bitmap& out, std::string& why)
{
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M')
        return why = "not a BMP file", false;
    const std::uint32_t dataOffset = le(b, 10, 4), headerSize = le(b, 14, 4);
    const auto width = std::int32_t(le(b, 18, 4)), height = std::int32_t(le(b, 22, 4));
    const int bpp = int(le(b, 28, 2));
    if (headerSize < 40 || le(b, 26, 2) != 1 || le(b, 30, 4) != 0)
        return why = "unexpected header or compression", false;
    if (width <= 0 || height == 0 || (bpp != 8 && bpp != 24 && bpp != 32))
        return why = "unsupported size or depth " + std::to_string(bpp), false;
    const int rows = std::abs(height);
    const std::size_t stride = (std::size_t(width) * std::size_t(bpp) + 31) / 32 * 4;
    if (dataOffset + stride * std::size_t(rows) > b.size())
        return why = "pixel data runs past the end of the file", false;
    std::vector<std::array<int, 3>> palette;
    if (bpp == 8) {
        std::uint32_t count = le(b, 46, 4);
        if (count == 0)
            count = 256;
        const std::size_t table = 14 + headerSize;
        if (count > 256 || table + 4 * count > dataOffset)
            return why = "bad colour table", false;
        for (std::uint32_t i = 0; i < count; ++i)
            palette.push_back({std::uint8_t(b[table + 4 * i + 2]), std::uint8_t(b[table + 4 * i + 1]),
                               std::uint8_t(b[table + 4 * i])});
    }
    out.width = width;
    out.height = rows;
    out.bitsPerPixel = bpp;
    out.pixels.resize(std::size_t(width) * std::size_t(rows));
    for (int y = 0; y < rows; ++y) {
        const std::size_t line = dataOffset + stride * std::size_t(height > 0 ? rows - 1 - y : y);
        for (int x = 0; x < width; ++x) {
            std::array<int, 3>& p = out.pixels[std::size_t(y * width + x)];
            if (bpp == 8) {
                const std::size_t index = std::uint8_t(b[line + std::size_t(x)]);
                if (index >= palette.size())
                    return why = "pixel outside the colour table", false;
                p = palette[index];
            } else {
                const std::size_t at = line + std::size_t(x) * std::size_t(bpp / 8);
                p = {std::uint8_t(b[at + 2]), std::uint8_t(b[at + 1]), std::uint8_t(b[at])};
            }
        }
    }
    return true;
}

// Mean absolute colour difference between column a and column b (or rows, when `rows`).
double jump(const Bitmap& bmp, int a, int b, bool rows)
{
    const int n = rows ? bmp.width : bmp.height;
    double sum = 0;
    for (int i = 0; i < n; ++i) {
        const auto& p = rows ? bmp.at(i, a) : bmp.at(a, i);
        const auto& q = rows ? bmp.at(i, b) : bmp.at(b, i);
        for (int c = 0; c < 3; ++c)
            sum += std::abs(p[c] - q[c]);
    }
    return sum / (3.0 * n);
}

// The jump from the last column to the first (the seam the table shows when it repeats the
// picture) must be no larger than the largest jump between neighbouring columns inside it, give
// or take a little: a texture that does not wrap has a seam of two unrelated columns, far above
// that. The largest inner jump, not a typical one, so that a seam falling on one of the
// picture's own edges (a brick joint, a tile border) still passes. The same for rows.
struct Seam {
    double seam = 0, inside = 0, mean = 0;
    bool ok() const { return seam <= 1.2 * inside + 1.5; }
};

Seam measureSeam(const Bitmap& bmp, bool rows)
{
    const int n = rows ? bmp.height : bmp.width;
    Seam s;
    for (int i = 0; i + 1 < n; ++i) {
        const double j = jump(bmp, i, i + 1, rows);
        s.inside = std::max(s.inside, j);
        s.mean += j / (n - 1);
    }
    s.seam = jump(bmp, n - 1, 0, rows);
    return s;
}

void expectSeamless(const Bitmap& bmp, bool rows, const std::string& file)
{
    const Seam s = measureSeam(bmp, rows);
    EXPECT_TRUE(s.ok()) << file << ": the " << (rows ? "bottom-to-top" : "right-to-left") << " seam jumps by "
                        << s.seam << " where neighbouring " << (rows ? "rows" : "columns") << " differ by " << s.mean
                        << " on average, " << s.inside << " at most";
}

std::vector<std::string> tiledFiles()
{
    std::vector<std::string> files;
    for (const auto& background : backgrounds)
        if (background.number <= kst::assets::lastTiledBackground)
            files.push_back(backgroundFile(background.number));
    files.emplace_back(kst::assets::demoBackgroundFile);
    return files;
}

class BackgroundsFile : public testing::TestWithParam<std::string> {};

TEST_P(BackgroundsFile, IsAQuietSeamlessBitmap)
{
    const std::string file = GetParam();
    const std::string bytes = readFile(std::string(KST_PROGRAM_DIR) + "/IMAGES/" + file);
    ASSERT_FALSE(bytes.empty()) << file << " is missing from " << KST_PROGRAM_DIR << "/IMAGES";
    Bitmap bmp;
    std::string why;
    ASSERT_TRUE(decodeBmp(bytes, bmp, why)) << file << ": " << why;
    EXPECT_GE(bmp.width, 32) << file;
    EXPECT_GE(bmp.height, 32) << file;

    // Numbers up to 256 are for displays of 256 colours or fewer.
    const int number = file[0] == 'B' ? std::stoi(file.substr(1, 3)) : 0;
    if (number > 0 && number <= 256)
        EXPECT_EQ(bmp.bitsPerPixel, 8) << file;
    else
        EXPECT_GE(bmp.bitsPerPixel, 24) << file;

    // White cards with black and red pips go on top: the table stays mid to dark overall.
    double luma = 0;
    for (const auto& p : bmp.pixels)
        luma += (0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2]) / double(bmp.pixels.size());
    EXPECT_GT(luma, 20) << file;
    EXPECT_LT(luma, 150) << file;

    expectSeamless(bmp, false, file);
    expectSeamless(bmp, true, file);
}

std::string testName(const testing::TestParamInfo<std::string>& info)
{
    return info.param.substr(0, info.param.find('.'));
}

INSTANTIATE_TEST_SUITE_P(Backgrounds, BackgroundsFile, testing::ValuesIn(tiledFiles()), testName);

TEST(Backgrounds, EveryPictureIsDifferent)
{
    std::map<std::string, std::string> byContents;
    for (const auto& background : backgrounds) {
        const std::string file = backgroundFile(background.number);
        const std::string bytes = readFile(std::string(KST_PROGRAM_DIR) + "/IMAGES/" + file);
        ASSERT_FALSE(bytes.empty()) << file;
        const auto [it, fresh] = byContents.emplace(bytes, file);
        EXPECT_TRUE(fresh) << file << " is the same picture as " << it->second;
    }
}

// The decoder and the seam measure on made-up pictures, stored both bottom-up and top-down: a
// smooth ramp that wraps round passes, a ramp cut at the edges fails.
TEST(Backgrounds, SeamMeasureTellsWrappedFromCut)
{
    auto build = [](bool wrapped, bool topDown) {
        const int w = 40, h = 36, stride = (w * 3 + 3) / 4 * 4;
        std::string b(54 + std::size_t(stride * h), '\0');
        auto put = [&](std::size_t at, std::uint32_t v, int n) {
            for (int i = 0; i < n; ++i)
                b[at + std::size_t(i)] = char(v >> (8 * i) & 255);
        };
        b[0] = 'B';
        b[1] = 'M';
        put(10, 54, 4);
        put(14, 40, 4);
        put(18, w, 4);
        put(22, std::uint32_t(topDown ? -h : h), 4);
        put(26, 1, 2);
        put(28, 24, 2);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                // a triangle wave wraps; a saw tooth jumps from its top back to zero at the edge
                const int value = wrapped ? 4 * std::min(x, w - x) + 2 * std::min(y, h - y) : 4 * x + 2 * y;
                const std::size_t at = 54 + std::size_t(stride * (topDown ? y : h - 1 - y) + x * 3);
                b[at] = char(value);
                b[at + 1] = char(value / 2);
                b[at + 2] = char(255 - value);
            }
        return b;
    };
    for (const bool topDown : {false, true}) {
        Bitmap bmp;
        std::string why;
        ASSERT_TRUE(decodeBmp(build(true, topDown), bmp, why)) << why;
        EXPECT_EQ(bmp.at(3, 0)[0], 255 - 12);
        expectSeamless(bmp, false, "wrapped");
        expectSeamless(bmp, true, "wrapped");
        ASSERT_TRUE(decodeBmp(build(false, topDown), bmp, why)) << why;
        EXPECT_EQ(bmp.at(3, 0)[1], 6);
        EXPECT_FALSE(measureSeam(bmp, false).ok());
        EXPECT_FALSE(measureSeam(bmp, true).ok());
    }
}

} // namespace
