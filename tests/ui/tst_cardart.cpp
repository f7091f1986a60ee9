// Card pictures drawn at run time: the faces of every card drawing the program ships, marks,
// shadows and borders at any size, and the refusal of drawings that cannot be read. At the
// library's sizes the run-time drawing is the library's.

#include "UiTestSupport.h"

#include "assets/PictureNames.h"
#include "platform/qt/QtCardArt.h"
#include "platform/qt/QtGraphics.h"
#include "platform/qt/QtResourceLibrary.h"
#include "platform/qt/QtText.h"

#include <QFile>
#include <QTemporaryDir>

#include <functional>
#include <set>

using namespace kst;

namespace {

constexpr int FaceCount = assets::jokerFace + 1;

std::string drawingFile(int set)
{
    return KST_PROGRAM_DIR "/" + std::string(assets::cardDrawingFolder) + "/" + assets::cardDrawingName(set);
}

const std::string jokerFile = drawingFile(assets::jokerCardSet);

// The first pixel where two pictures differ (colour or transparency), the second read from `at`
// on; empty when they agree over the whole of the first.
QString firstDifference(const Bitmap& actual, const Bitmap& expected, Point at = {0, 0})
{
    if (at.x + actual.width() > expected.width() || at.y + actual.height() > expected.height())
        return QStringLiteral("size %1x%2 does not fit %3x%4")
            .arg(actual.width()).arg(actual.height()).arg(expected.width()).arg(expected.height());
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(at.x + x, at.y + y)
                || actual.alpha(x, y) != expected.alpha(at.x + x, at.y + y))
                return QStringLiteral("pixel %1,%2 is %3/%4, expected %5/%6")
                    .arg(x).arg(y).arg(actual.pixel(x, y), 6, 16).arg(actual.alpha(x, y))
                    .arg(expected.pixel(at.x + x, at.y + y), 6, 16).arg(expected.alpha(at.x + x, at.y + y));
    return {};
}

QByteArray pixelsOf(const Bitmap& picture)
{
    const QImage& image = dynamic_cast<const QtBitmap&>(picture).image();
    return QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
}

// Pictures whose every corner pixel is transparent and whose middle is opaque, all different.
void checkFaces(const std::vector<std::unique_ptr<Bitmap>>& faces, Size device)
{
    QCOMPARE(int(faces.size()), FaceCount);
    std::set<QByteArray> seen;
    for (int face = 0; face < FaceCount; ++face) {
        const Bitmap& picture = *faces[std::size_t(face)];
        const QString which = QStringLiteral("face %1").arg(face);
        QVERIFY2(picture.width() == device.width && picture.height() == device.height, qPrintable(which));
        const int right = device.width - 1, bottom = device.height - 1;
        for (const Point corner : {Point{0, 0}, Point{right, 0}, Point{0, bottom}, Point{right, bottom}})
            QVERIFY2(picture.alpha(corner.x, corner.y) == 0, qPrintable(which));
        QVERIFY2(picture.alpha(device.width / 2, device.height / 2) == 255, qPrintable(which));
        QVERIFY2(seen.insert(pixelsOf(picture)).second, qPrintable(which + QStringLiteral(" repeats another")));
    }
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

} // namespace

class TstCardArt : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void facesOfEveryDrawing_data();
    void facesOfEveryDrawing();
    void smallDesignBelowFortyPixels_data();
    void smallDesignBelowFortyPixels();
    void mastersAreReusedAndBounded();
    void unreadableDrawingsAreRefused_data();
    void unreadableDrawingsAreRefused();
    void marksOfEveryCode();
    void shadowsBordersAndBacksHaveTheirSizes();
    void librarySizesDrawTheLibrarysPictures();

private:
    QTemporaryDir m_dir;
    QtResourceLibrary m_library;
};

void TstCardArt::initTestCase()
{
    test::filterHarmlessWarnings();
    QVERIFY(m_dir.isValid());
    QVERIFY(m_library.load(KST_PROGRAM_DIR "/KST.RGF"));
}

// ---- faces -----------------------------------------------------------------------------------

void TstCardArt::facesOfEveryDrawing_data()
{
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("scale");
    for (int set = assets::firstCardSet; set <= assets::lastCardSet; ++set) {
        QTest::addRow("set %d, a size that fits the window", set) << set << 150 << 203 << 1.0;
        QTest::addRow("set %d, big cards on a fine screen", set) << set << 71 << 96 << 2.0;
    }
}

void TstCardArt::facesOfEveryDrawing()
{
    QFETCH(int, set);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(double, scale);
    QtCardArt art;
    const ArtSize size{{width, height}, scale};
    checkFaces(art.faces(drawingFile(set), jokerFile, size), size.device());
}

void TstCardArt::smallDesignBelowFortyPixels_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<double>("scale");
    QTest::newRow("little cards on a fine screen") << 25 << 32 << 2.0;
    QTest::newRow("little cards, one and a half") << 25 << 32 << 1.5;
    QTest::newRow("just under forty") << 39 << 52 << 1.0;
}

void TstCardArt::smallDesignBelowFortyPixels()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(double, scale);
    // The small design reads no drawing: it stays the same whatever the card set.
    QtCardArt art;
    const ArtSize size{{width, height}, scale};
    const auto faces = art.faces(drawingFile(1), jokerFile, size);
    checkFaces(faces, size.device());
    const auto other = art.faces(drawingFile(4), jokerFile, size);
    QCOMPARE(pixelsOf(*other[0]), pixelsOf(*faces[0]));
    QCOMPARE(art.masterCount(), 0);
}

void TstCardArt::mastersAreReusedAndBounded()
{
    QtCardArt art;
    const Size largest = ArtSize{LargestCard, 1}.device();
    const qint64 masterBytes = qint64(FaceCount) * largest.width * largest.height * 4;

    // A resize at the same screen scale scales the faces down from the master already made.
    for (const Size card : {Size{150, 203}, Size{100, 135}, LargestCard})
        QCOMPARE(int(art.faces(drawingFile(1), jokerFile, {card, 1}).size()), FaceCount);
    QCOMPARE(art.masterCount(), 1);
    QCOMPARE(art.masterBytes(), masterBytes);

    for (const int set : {2, 3}) // the oldest is let go
        QCOMPARE(int(art.faces(drawingFile(set), jokerFile, {{150, 203}, 1}).size()), FaceCount);
    QCOMPARE(art.masterCount(), 2);
    QCOMPARE(art.masterBytes(), 2 * masterBytes);

    // A card larger than the finest screen shows is refused rather than fill the memory.
    for (const ArtSize& huge : {ArtSize{{1000, 1352}, 1}, ArtSize{{150, 2000}, 1}, ArtSize{LargestCard, 5}})
        QVERIFY(art.faces(drawingFile(1), jokerFile, huge).empty());
    QCOMPARE(art.masterBytes(), 2 * masterBytes);
}

void TstCardArt::unreadableDrawingsAreRefused_data()
{
    QTest::addColumn<QByteArray>("theme");
    QTest::addColumn<QByteArray>("joker");

    QFile file(QString::fromStdString(drawingFile(3)));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    const QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100\" height=\"100\">"
                           "<rect id=\"heart_1\" width=\"50\" height=\"70\"/>"
                           "<rect id=\"joker_red\" width=\"50\" height=\"70\"/>"
                           "</svg>";
    const QByteArray empty; // stands for a missing file
    QTest::newRow("missing") << empty << good;
    QTest::newRow("missing joker") << good << empty;
    QTest::newRow("not a drawing") << QByteArray("GIF89a and then nothing of the kind") << good;
    QTest::newRow("compressed, cut in half") << good.left(good.size() / 2) << good;
    QTest::newRow("compressed, cut near the end") << good.left(good.size() - 64) << good;
    QTest::newRow("a drawing without the faces") << svg << good;
    QTest::newRow("a joker drawing without the joker") << good << QByteArray(svg).replace("joker_red", "joker_black");
}

void TstCardArt::unreadableDrawingsAreRefused()
{
    QFETCH(QByteArray, theme);
    QFETCH(QByteArray, joker);
    const auto place = [&](const QByteArray& bytes, const QString& name) {
        const QString path = m_dir.filePath(name);
        QFile::remove(path);
        if (!bytes.isEmpty())
            writeFile(path, bytes);
        return toPath(path);
    };
    const std::string themePath = place(theme, QStringLiteral("theme.svgz"));
    const std::string jokerPath = place(joker, QStringLiteral("joker.svgz"));

    QtCardArt art;
    for (const double scale : {1.0, 2.0})
        QVERIFY(art.faces(themePath, jokerPath, {{150, 203}, scale}).empty());
    QCOMPARE(art.masterCount(), 0);
    // The same object draws good drawings afterwards.
    QCOMPARE(int(art.faces(drawingFile(3), jokerFile, {{150, 203}, 1}).size()), FaceCount);
}

// ---- marks, shadows, borders, backs ----------------------------------------------------------

void TstCardArt::marksOfEveryCode()
{
    QtCardArt art;
    for (const double scale : {1.0, 2.0}) {
        const ArtSize size{{150, 203}, scale};
        std::set<QByteArray> seen;
        for (const std::string& code : assets::markCodes()) {
            const auto mark = art.mark(code, size);
            QVERIFY2(mark, code.c_str());
            QCOMPARE(mark->width(), size.device().width);
            QCOMPARE(mark->height(), size.device().height);
            // See-through at the rounded corner, a darkened place inside, and a sign of its own.
            QCOMPARE(mark->alpha(0, 0), 0);
            QVERIFY2(mark->alpha(size.device().width / 2, size.device().height / 2) > 0, code.c_str());
            QVERIFY2(seen.insert(pixelsOf(*mark)).second, code.c_str());
        }
    }
    for (const char* none : {"", "002", "023", "WASTE", "_waste"})
        QVERIFY2(!art.mark(none, {{150, 203}, 1}), none);
}

void TstCardArt::shadowsBordersAndBacksHaveTheirSizes()
{
    QtCardArt art;
    const Colour blue = rgb(0, 0, 255);
    // How many pixels of the raised frame stand in from the left edge, halfway down.
    const auto frameDepth = [&](const ArtSize& size) {
        const auto frame = art.border(1, size);
        int depth = 0;
        while (depth < frame->width() && frame->pixel(depth, frame->height() / 2) != blue)
            ++depth;
        return depth;
    };
    for (const auto& [size, shadowWidth] : {std::pair{ArtSize{{150, 203}, 1}, 19}, {ArtSize{{150, 203}, 2}, 38},
                                            {ArtSize{{25, 32}, 2}, 18}}) {
        const Size device = size.device();
        const auto right = art.shadow(1, size, shadowWidth), under = art.shadow(2, size, shadowWidth);
        QVERIFY(right && under);
        QCOMPARE(right->width(), shadowWidth);
        QCOMPARE(right->height(), device.height);
        QCOMPARE(under->width(), device.width);
        QCOMPARE(under->height(), shadowWidth);
        // Dithered: both black and see-through white, and nothing else.
        std::set<Colour> colours;
        for (int y = 0; y < right->height(); ++y)
            for (int x = 0; x < right->width(); ++x)
                colours.insert(right->pixel(x, y));
        QCOMPARE(colours, (std::set<Colour>{rgb(0, 0, 0), rgb(255, 255, 255)}));

        for (const int which : {1, 2}) {
            const auto frame = art.border(which, size);
            QVERIFY(frame);
            QCOMPARE(frame->width(), device.width);
            QCOMPARE(frame->height(), device.height);
            QCOMPARE(frame->pixel(0, 0), blue); // the rounded corner
            QCOMPARE(frame->pixel(device.width / 2, device.height / 2), blue);
            QVERIFY(frame->pixel(device.width / 2, 0) != blue);
        }
    }
    // The bevel grows with the card and with the screen's scale.
    QCOMPARE(frameDepth({{71, 96}, 1}), 2);
    QCOMPARE(frameDepth({{71, 96}, 2}), 4);
    QCOMPARE(frameDepth({{213, 288}, 1}), 6);
    QCOMPARE(frameDepth({{25, 32}, 2}), 2);
    // A strip of one pixel starts above the card: the dither pattern still covers it.
    for (const int which : {1, 2})
        QVERIFY(art.shadow(which, {{150, 203}, 1}, 1));
    for (const int which : {0, 3}) {
        QVERIFY(!art.shadow(which, {{150, 203}, 1}, 19));
        QVERIFY(!art.border(which, {{150, 203}, 1}));
    }

    QtBitmap back(71, 96);
    back.fillRect({0, 0, 71, 96}, rgb(0, 0, 160));
    back.fillRect({0, 0, 71, 48}, rgb(200, 0, 0));
    const auto big = art.scaled(back, {180, 243});
    QVERIFY(big);
    QCOMPARE(big->width(), 180);
    QCOMPARE(big->height(), 243);
    QCOMPARE(big->pixel(90, 40), rgb(200, 0, 0));
    QCOMPARE(big->pixel(90, 200), rgb(0, 0, 160));
    QVERIFY(!art.scaled(back, {0, 96}));
}

void TstCardArt::librarySizesDrawTheLibrarysPictures()
{
    QtCardArt art;
    const auto compare = [&](const std::string& name, const std::unique_ptr<Bitmap>& drawn) {
        const auto library = m_library.bitmap(name);
        QVERIFY2(library && drawn, name.c_str());
        QCOMPARE(drawn->width(), library->width());
        QCOMPARE(drawn->height(), library->height());
        const QString difference = firstDifference(*drawn, *library);
        QVERIFY2(difference.isEmpty(), qPrintable(QString::fromStdString(name) + QStringLiteral(": ") + difference));
    };
    // Every mark, shadow and border of the three sizes.
    for (const assets::CardSize& library : assets::cardSizes) {
        const ArtSize size{{library.width, library.height}, 1};
        for (const std::string& code : assets::markCodes())
            compare(assets::markName(library.letter, code), art.mark(code, size));
        for (const int which : {1, 2}) {
            compare(assets::shadowName(library.letter, which), art.shadow(which, size, assets::shadowWidth));
            compare(assets::borderName(library.letter, which), art.border(which, size));
        }
    }
    // The little faces, cell by cell of the library's suit sheets, and the little joker.
    const Size little{assets::littleCard.width, assets::littleCard.height};
    auto faces = art.faces(drawingFile(assets::smallSizesCardSet), jokerFile, {little, 1});
    QCOMPARE(int(faces.size()), FaceCount);
    for (int face = 0; face < assets::jokerFace; ++face) {
        const char suit = assets::suitLetters[std::size_t(face / assets::ranksPerSuit)];
        const int rank = face % assets::ranksPerSuit;
        const auto sheet = m_library.bitmap(assets::suitSheetName('L', assets::smallSizesCardSet, suit));
        QVERIFY(sheet);
        const QString difference = firstDifference(*faces[std::size_t(face)], *sheet,
                                                   {rank % 5 * little.width, rank / 5 * little.height});
        QVERIFY2(difference.isEmpty(), qPrintable(QStringLiteral("face %1: ").arg(face) + difference));
    }
    compare(assets::jokerName('L'), std::move(faces[assets::jokerFace]));
}

KST_UI_TEST_MAIN(TstCardArt)
#include "tst_cardart.moc"
