#include "storage/ImageFiles.h"

#include "platform/test/TestPorts.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace kst {
namespace {

using test::FakeResourceLibrary;
using test::MemoryBitmap;
using test::MemoryGraphics;
using test::ScriptedMessageBoxes;

constexpr Colour kRed = rgb(255, 0, 0);
constexpr Colour kBlue = rgb(0, 0, 255);
constexpr Colour kUntouched = rgb(1, 2, 3);

class ImageFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"IMAGES/b001.BMP", "IMAGES/Y001.bmp", "Extra/own.png"})
            m_tmp.write(name, "BM");
        m_graphics.addImageFile(path("IMAGES/b001.BMP"), {30, 20}, kRed);
        m_graphics.addImageFile(path("Extra/own.png"), {4, 4}, kBlue);
        // IMAGES/Y001.bmp is on disk but is no picture.
    }
    std::string dir() const { return m_tmp.path().string() + "/"; }
    std::string path(const char* name) const { return m_tmp.file(name); }

    test::TempDir m_tmp{"images"};
    MemoryGraphics m_graphics;
    ScriptedMessageBoxes m_messages;
};

MemoryBitmap filled(int width, int height, Colour c)
{
    MemoryBitmap b(width, height);
    b.fillRect({0, 0, width, height}, c);
    return b;
}

TEST_F(ImageFilesTest, NamesPictureFilesInTheImagesFolder)
{
    EXPECT_EQ(imageFilePath(dir(), "B001"), path("IMAGES/b001.BMP"));
    EXPECT_EQ(imageFilePath(dir(), "B999"), path("IMAGES/B999.bmp"));
    EXPECT_EQ(imageFilePath(dir(), "EXTRA\\OWN.PNG"), path("Extra/own.png"));
    EXPECT_EQ(imageFilePath(dir(), path("Extra/own.png")), path("Extra/own.png"));
}

TEST_F(ImageFilesTest, LoadingAPictureGivesTheBitmapItsSizeAndPixels)
{
    MemoryBitmap target(3, 3);
    ASSERT_TRUE(fnLoadImageFile(m_graphics, m_messages, dir(), target, "b001"));
    EXPECT_EQ(target.width(), 30);
    EXPECT_EQ(target.height(), 20);
    EXPECT_EQ(target.pixel(0, 0), kRed);
    EXPECT_EQ(target.pixel(29, 19), kRed);
    EXPECT_TRUE(m_messages.shown().empty());

    ASSERT_TRUE(fnLoadImageFile(m_graphics, m_messages, dir(), target, path("Extra/own.png")));
    EXPECT_EQ(target.width(), 4);
    EXPECT_EQ(target.pixel(3, 3), kBlue);
}

TEST_F(ImageFilesTest, AMissingOrUnreadablePictureIsReportedAndChangesNothing)
{
    for (const char* name : {"B002", "Y001"}) {
        m_messages.clear();
        MemoryBitmap target = filled(3, 2, kUntouched);
        EXPECT_FALSE(fnLoadImageFile(m_graphics, m_messages, dir(), target, name)) << name;
        EXPECT_FALSE(drawImageFile(m_graphics, m_messages, dir(), target, name)) << name;
        EXPECT_FALSE(tile(m_graphics, m_messages, dir(), target, name, 3, 2)) << name;
        EXPECT_EQ(target.width(), 3);
        EXPECT_EQ(target.height(), 2);
        EXPECT_EQ(target.pixel(2, 1), kUntouched);
        ASSERT_EQ(m_messages.shown().size(), 3u) << name;
        EXPECT_EQ(m_messages.shown()[0].kind, "error");
        EXPECT_TRUE(m_messages.shown()[0].text.starts_with("Cannot find images file:\r" + imageFilePath(dir(), name)))
            << m_messages.shown()[0].text;
    }
}

TEST_F(ImageFilesTest, DrawsAPictureAtTheTopLeftAtItsOwnSize)
{
    MemoryBitmap canvas = filled(50, 40, kUntouched);
    ASSERT_TRUE(drawImageFile(m_graphics, m_messages, dir(), canvas, "B001"));
    EXPECT_EQ(canvas.width(), 50);
    EXPECT_EQ(canvas.pixel(29, 19), kRed);
    EXPECT_EQ(canvas.pixel(30, 0), kUntouched);
    EXPECT_EQ(canvas.pixel(0, 20), kUntouched);
}

// A 3 x 2 picture whose every pixel tells where it came from.
MemoryBitmap patterned()
{
    MemoryBitmap b(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            b.setPixel(x, y, rgb(10 + x, 20 + y, 0));
    return b;
}

TEST(Tile, RepeatsThePictureAcrossAndDownCuttingTheLastColumnAndRow)
{
    const MemoryBitmap picture = patterned();
    const struct {
        int width;
        int height;
    } cases[] = {{9, 6}, {8, 5}, {2, 1}, {1, 7}, {3, 2}, {0, 4}, {4, 0}};
    for (const auto& c : cases) {
        MemoryBitmap canvas = filled(12, 9, kUntouched);
        tile(canvas, picture, c.width, c.height);
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x) {
                const bool inside = x < c.width && y < c.height;
                const Colour expected = inside ? picture.pixel(x % 3, y % 2) : kUntouched;
                ASSERT_EQ(canvas.pixel(x, y), expected)
                    << "area " << c.width << 'x' << c.height << " at " << x << ',' << y;
            }
    }
}

TEST_F(ImageFilesTest, TilesAPictureFile)
{
    MemoryBitmap canvas = filled(70, 45, kUntouched);
    ASSERT_TRUE(tile(m_graphics, m_messages, dir(), canvas, "b001", 65, 45));
    EXPECT_EQ(canvas.pixel(64, 44), kRed);
    EXPECT_EQ(canvas.pixel(65, 0), kUntouched);
}

TEST(ResourceBitmap, CopiesANamedPictureOfTheLibrary)
{
    FakeResourceLibrary resources;
    resources.addPicture("Panel_pk", {20, 10}, kBlue);
    ASSERT_TRUE(resources.load("KST.RGF"));

    MemoryBitmap target = filled(2, 2, kUntouched);
    EXPECT_FALSE(loadResourceBitmap(resources, target, "Panel_xx"));
    EXPECT_EQ(target.width(), 2);
    EXPECT_EQ(target.pixel(1, 1), kUntouched);

    ASSERT_TRUE(loadResourceBitmap(resources, target, "Panel_pk"));
    EXPECT_EQ(target.width(), 20);
    EXPECT_EQ(target.height(), 10);
    EXPECT_EQ(target.pixel(19, 9), kBlue);
}

TEST(Gradient, RunsFromTheSecondColourAtTheBottomToTheFirstAtTheTop)
{
    const Colour first = rgb(0, 96, 200);
    const Colour second = rgb(255, 0, 100);
    const Colour lastStep = rgb(1, 95, 199); // 255/256 of the way
    for (const int h : {1, 2, 10, 255, 256, 257, 600, 1000}) {
        const Rect area{5, 7, 10, h};
        MemoryBitmap canvas = filled(20, h + 20, kUntouched);
        fillGradient(canvas, area, first, second);

        EXPECT_EQ(canvas.pixel(area.x, area.y), lastStep) << h;
        if (h > 1) {
            EXPECT_EQ(canvas.pixel(area.right() - 1, area.bottom() - 1), second) << h;
        }
        for (int y = area.y; y < area.bottom(); ++y) {
            ASSERT_EQ(canvas.pixel(area.x - 1, y), kUntouched) << h;
            ASSERT_EQ(canvas.pixel(area.right(), y), kUntouched) << h;
            ASSERT_EQ(canvas.pixel(area.right() - 1, y), canvas.pixel(area.x, y)) << h;
            if (y + 1 < area.bottom()) { // going up, every channel moves towards first
                const Colour above = canvas.pixel(area.x, y), below = canvas.pixel(area.x, y + 1);
                ASSERT_LE(red(above), red(below)) << h << " row " << y;
                ASSERT_GE(green(above), green(below)) << h << " row " << y;
                ASSERT_GE(blue(above), blue(below)) << h << " row " << y;
            }
        }
        EXPECT_EQ(canvas.pixel(area.x, area.y - 1), kUntouched) << h;
        EXPECT_EQ(canvas.pixel(area.x, area.bottom()), kUntouched) << h;
    }
}

TEST(Gradient, SharesTheHeightEvenlyAmongTheBands)
{
    // Black to white: only the two lowest steps share a grey, every other step has its own.
    for (const int h : {256, 300, 600, 1023}) {
        MemoryBitmap canvas(1, h);
        fillGradient(canvas, {0, 0, 1, h}, rgb(255, 255, 255), rgb(0, 0, 0));
        const int bandHeight = (h + 255) / 256;
        int run = 1, longest = 1, distinct = 1;
        for (int y = 1; y < h; ++y) {
            if (canvas.pixel(0, y) == canvas.pixel(0, y - 1)) {
                longest = std::max(longest, ++run);
            } else {
                run = 1;
                ++distinct;
            }
        }
        EXPECT_EQ(distinct, 255) << h;
        EXPECT_LE(longest, 2 * bandHeight) << h;
    }
}

} // namespace
} // namespace kst
