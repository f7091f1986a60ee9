// The game previews of the built resource library: one for every game of the built catalogue,
// filling the game browser's preview box, showing the dealt cards and the whole table, and
// unharmed by the browser's transparent drawing.

#include "assets/PictureNames.h"
#include "platform/qt/QtResourceLibrary.h"
#include "storage/GameCatalogue.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

namespace kst {
namespace {

// The green of the browser's preview box, which the previews' table shares.
const QRgb boxGreen = qRgb(0, 128, 0);

class PreviewPicturesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(library().load(KST_PROGRAM_DIR "/KST.RGF"));
        ASSERT_TRUE(catalogue().load(KST_PROGRAM_DIR "/GAMES.DAT").ok);
        ASSERT_GE(catalogue().games().size(), 76u);
    }

    static QtResourceLibrary& library()
    {
        static QtResourceLibrary loaded;
        return loaded;
    }
    static GameCatalogue& catalogue()
    {
        static GameCatalogue games;
        return games;
    }

    static QImage preview(int gameId)
    {
        return QImage(library().picturePath(assets::previewName(gameId))).convertToFormat(QImage::Format_RGB32);
    }
};

TEST_F(PreviewPicturesTest, EveryGameHasAPreviewFillingTheBoxWithItsCards)
{
    for (const CatalogueGame& game : catalogue().games()) {
        const QImage image = preview(game.gameId);
        ASSERT_FALSE(image.isNull()) << game.name;
        EXPECT_LE(image.width(), assets::previewWidth) << game.name;
        EXPECT_LE(image.height(), assets::previewHeight) << game.name;
        EXPECT_TRUE(image.width() == assets::previewWidth || image.height() == assets::previewHeight) << game.name;

        // Cards lie on it: white faces, and the many colours of faces, backs and marks.
        std::set<QRgb> colours;
        int white = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                white += c.red() > 235 && c.green() > 235 && c.blue() > 235;
                colours.insert(image.pixel(x, y));
            }
        EXPECT_GT(white, image.width() * image.height() / 50) << game.name;
        EXPECT_GT(colours.size(), 100u) << game.name;
    }
}

// Finer screens get each preview at twice its pixels, showing the same table.
TEST_F(PreviewPicturesTest, EveryPreviewHasATwinAtTwiceItsPixels)
{
    for (const CatalogueGame& game : catalogue().games()) {
        const QImage original = preview(game.gameId);
        const QImage twin = QImage(library().picturePath(assets::twinName(assets::previewName(game.gameId))))
                                .convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(twin.isNull()) << game.name;
        EXPECT_EQ(twin.size(), original.size() * assets::twinScale) << game.name;
        const QImage down = twin.scaled(original.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        long difference = 0;
        for (int y = 0; y < original.height(); ++y)
            for (int x = 0; x < original.width(); ++x) {
                const QColor a = original.pixelColor(x, y), b = down.pixelColor(x, y);
                difference += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
            }
        // On average within a few levels a channel: the same picture, not another game's.
        EXPECT_LT(difference / (3 * original.width() * original.height()), 12) << game.name;
    }
}

// The browser draws the picture with its top-left pixel as the transparent colour over the box's
// green. That pixel is the table, in the box's own green: whatever the transparency leaves out
// (the table, and the table showing through the marks of empty places) shows the same colour, so
// no card gets a hole.
TEST_F(PreviewPicturesTest, DrawingAPreviewTransparentlyChangesNothing)
{
    for (const CatalogueGame& game : catalogue().games()) {
        const QImage image = preview(game.gameId);
        ASSERT_FALSE(image.isNull()) << game.name;
        EXPECT_EQ(image.pixel(0, 0), boxGreen) << game.name;
    }
}

// The layout never shrinks a table: games with two decks dealt wide or long (Spider, Mrs Mop's
// thirteen piles of eight), and the fans laid in rows of their own arrangement (La Belle Lucie),
// must still come out whole, the table's background all along the right and bottom edges.
TEST_F(PreviewPicturesTest, TheWholeTableLiesInsideEveryPreview)
{
    for (const CatalogueGame& game : catalogue().games()) {
        const QImage image = preview(game.gameId);
        ASSERT_FALSE(image.isNull()) << game.name;
        const QRgb table = image.pixel(0, 0);
        int touching = 0;
        for (int x = 0; x < image.width(); ++x)
            touching += image.pixel(x, image.height() - 1) != table;
        for (int y = 0; y < image.height(); ++y)
            touching += image.pixel(image.width() - 1, y) != table;
        EXPECT_EQ(touching, 0) << game.name;
    }
}

} // namespace
} // namespace kst
