// The built resource library: every picture of the table at its size, and every card cell a
// finished face where the picture sheets have one.

#include "UiTestSupport.h"

#include "assets/PictureNames.h"
#include "platform/qt/QtResourceLibrary.h"

#include <QImage>
#include <set>
#include <QtTest>

using namespace kst;

class TstResourceLibrary : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        test::filterHarmlessWarnings();
        QVERIFY(m_library.load(KST_PROGRAM_DIR "/KST.RGF"));
    }

    void holdsEveryPictureOfTheTableAtItsSize()
    {
        std::vector<assets::PictureSpec> expected = assets::libraryPictures();
        std::sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
        auto pictures = m_library.pictures();
        // The game previews and their twins follow the catalogue; their own test checks them.
        std::erase_if(pictures,
                      [](const auto& picture) { return assets::isPreviewName(assets::drawingOf(picture.first)); });
        QCOMPARE(pictures.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            QCOMPARE(pictures[i].first, expected[i].name);
            QCOMPARE(pictures[i].second.width, expected[i].width);
            QCOMPARE(pictures[i].second.height, expected[i].height);
        }
    }

    // A card cell is opaque in its middle and carries ink (not a blank card); the cells the sheet
    // leaves free stay transparent, so nothing else shows through the table.
    void everyCardCellHoldsAFaceAndTheFreeCellsAreEmpty()
    {
        std::set<std::string> cardPictures;
        for (const assets::CardSize& size : assets::cardSizes) {
            cardPictures.insert(assets::jokerName(size.letter));
            for (int set = assets::firstCardSet; set <= assets::lastCardSet; ++set)
                for (const char suit : assets::suitLetters)
                    cardPictures.insert(assets::suitSheetName(size.letter, set, suit));
        }
        for (const assets::PictureSpec& spec : assets::libraryPictures()) {
            const QString name = QString::fromStdString(spec.name);
            if (!cardPictures.contains(spec.name))
                continue;
            const QImage sheet = QImage(m_library.picturePath(spec.name)).convertToFormat(QImage::Format_ARGB32);
            QVERIFY2(!sheet.isNull(), qPrintable(name));
            const bool joker = name.startsWith(QLatin1String("JOKER_"));
            const int w = joker ? spec.width : spec.width / 6, h = joker ? spec.height : spec.height / 4;
            for (int cell = 0; cell < (joker ? 1 : 24); ++cell) {
                const QRect r((cell % 6) * w, (cell / 6) * h, w, h);
                const int row = cell / 6, column = cell % 6; // rows Ace-5, 6-10, J-K
                const bool holdsCard = joker || (row < 2 && column < 5) || (row == 2 && column < 3);
                const QString where = QStringLiteral("%1 cell %2").arg(name).arg(cell);
                int inked = 0, opaque = 0;
                for (int y = r.top(); y <= r.bottom(); ++y)
                    for (int x = r.left(); x <= r.right(); ++x) {
                        const QRgb p = sheet.pixel(x, y);
                        opaque += qAlpha(p) > 0;
                        inked += qAlpha(p) == 255 && qGray(p) < 160;
                    }
                if (!holdsCard) {
                    QVERIFY2(opaque == 0, qPrintable(where));
                    continue;
                }
                QVERIFY2(qAlpha(sheet.pixel(r.center())) == 255, qPrintable(where));
                QVERIFY2(inked * 40 > w * h, qPrintable(where));
            }
        }
    }

    // A mark is a drawn place: transparent outside its rounded corners, its outline and a sign in
    // the middle both carry ink.
    void everyEmptyPileMarkShowsAPlaceAndASign()
    {
        for (const assets::CardSize& size : assets::cardSizes)
            for (const std::string& code : assets::markCodes()) {
                const std::string name = assets::markName(size.letter, code);
                const QImage mark = QImage(m_library.picturePath(name)).convertToFormat(QImage::Format_ARGB32);
                QVERIFY2(!mark.isNull(), name.c_str());
                QCOMPARE(qAlpha(mark.pixel(0, 0)), 0);
                QVERIFY2(qAlpha(mark.pixel(size.width / 2, 0)) == 255, name.c_str());
                int sign = 0;
                const QRect middle(size.width / 4, size.height / 4, size.width / 2, size.height / 2);
                for (int y = middle.top(); y <= middle.bottom(); ++y)
                    for (int x = middle.left(); x <= middle.right(); ++x)
                        sign += qAlpha(mark.pixel(x, y)) > 200;
                QVERIFY2(sign * 30 > middle.width() * middle.height(), name.c_str());
            }
    }

    // White is the shadows' transparent colour and blue the borders': the pictures are opaque,
    // made of that colour where nothing shows, and of something else where they draw.
    void shadowsAndBordersUseTheirTransparentColours()
    {
        for (const assets::CardSize& size : assets::cardSizes)
            for (int which = 1; which <= 2; ++which) {
                const std::pair<std::string, QRgb> kinds[] = {{assets::shadowName(size.letter, which), qRgb(255, 255, 255)},
                                                              {assets::borderName(size.letter, which), qRgb(0, 0, 255)}};
                for (const auto& [name, clear] : kinds) {
                    const QImage picture = QImage(m_library.picturePath(name)).convertToFormat(QImage::Format_ARGB32);
                    QVERIFY2(!picture.isNull(), name.c_str());
                    int cleared = 0, drawn = 0;
                    for (int y = 0; y < picture.height(); ++y)
                        for (int x = 0; x < picture.width(); ++x) {
                            const QRgb p = picture.pixel(x, y);
                            QVERIFY2(qAlpha(p) == 255, name.c_str());
                            (qRgb(qRed(p), qGreen(p), qBlue(p)) == clear ? cleared : drawn) += 1;
                        }
                    QVERIFY2(cleared > 0 && drawn * 10 > picture.width() + picture.height(), name.c_str());
                }
                const QImage border = QImage(m_library.picturePath(assets::borderName(size.letter, which)));
                QCOMPARE(border.pixel(size.width / 2, size.height / 2), qRgb(0, 0, 255));
                QVERIFY(border.pixel(size.width / 2, 0) != qRgb(0, 0, 255));
            }
    }

    // Every interface picture that has a twin, by the twin's name.
    void everyTwinIsItsOriginalAtTwiceTheSize_data()
    {
        QTest::addColumn<QString>("twin");
        for (const assets::PictureSpec& spec : assets::libraryPictures())
            if (!assets::twinOriginal(spec.name).empty())
                QTest::newRow(spec.name.c_str()) << QString::fromStdString(spec.name);
    }

    // The twin is the same drawing at twice the width and height: brought down to the original's
    // size it looks more like its original than like any other picture of that size.
    void everyTwinIsItsOriginalAtTwiceTheSize()
    {
        QFETCH(QString, twin);
        const std::string twinName = twin.toStdString(), originalName(assets::twinOriginal(twinName));
        const QImage original = picture(originalName);
        const QImage doubled = picture(twinName);
        QVERIFY(!original.isNull() && !doubled.isNull());
        QCOMPARE(doubled.size(), original.size() * assets::twinScale);
        const QImage reduced = doubled.scaled(original.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const double own = meanDifference(reduced, original);
        for (const assets::PictureSpec& other : assets::libraryPictures()) {
            const bool comparable = QSize(other.width, other.height) == original.size()
                && assets::twinOriginal(other.name).empty() && other.name != originalName;
            if (comparable)
                QVERIFY2(own < meanDifference(reduced, picture(other.name)), other.name.c_str());
        }
    }

    // A pointer's twin points with the block of pixels that doubles the original's pointing pixel.
    void pointerTwinsPointWhereTheirOriginalsDo()
    {
        for (const assets::PointerHotSpot& spot : assets::pointerHotSpots) {
            const std::string twin = assets::twinName(spot.name);
            const assets::PixelSpot doubled = assets::pointerHotSpot(twin);
            QCOMPARE(doubled.x, spot.x * assets::twinScale);
            QCOMPARE(doubled.y, spot.y * assets::twinScale);
            QVERIFY2(qAlpha(picture(std::string(spot.name)).pixel(spot.x, spot.y)) == 255, twin.c_str());
            QVERIFY2(qAlpha(picture(twin).pixel(doubled.x, doubled.y)) == 255, twin.c_str());
        }
    }

private:
    // Mean difference of two pictures of one size over the four channels, premultiplied, 0..255.
    static double meanDifference(const QImage& a, const QImage& b)
    {
        double total = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q))
                    + std::abs(qAlpha(p) - qAlpha(q));
            }
        return total / (4.0 * a.width() * a.height());
    }

    QImage picture(const std::string& name) const
    {
        return QImage(m_library.picturePath(name)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }

    QtResourceLibrary m_library;
};

KST_UI_TEST_MAIN(TstResourceLibrary)
#include "tst_resourcelibrary.moc"
