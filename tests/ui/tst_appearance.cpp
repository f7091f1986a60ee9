// The table's pictures as the program really loads them: every card set, back and background
// that ships is found at its size through the same code the table uses, with no message.

#include "UiTestSupport.h"

#include "assets/ImageNames.h"
#include "assets/PictureNames.h"
#include "platform/qt/QtGraphics.h"
#include "platform/qt/QtResourceLibrary.h"
#include "platform/test/TestPorts.h"
#include "table/Appearance.h"

#include <QTemporaryDir>
#include <QtTest>

#include <set>

using namespace kst;

namespace {

// The real pictures on a display of a chosen depth.
class DepthGraphics : public QtGraphics {
public:
    int bits = 32;
    int displayColourBits() override { return bits; }
};

} // namespace

class TstAppearance : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        test::filterHarmlessWarnings();
        QVERIFY(m_dir.isValid());
        QVERIFY(openResourceLibrary(m_library, m_messages, KST_PROGRAM_DIR));
        for (const auto& [field, value] : {std::pair{Fld::Background_def, "N"}, {Fld::Customized_Background, "N"},
                                           {Fld::Background_Fixed_Col, "0"}, {Fld::Fade_Background, "N"}})
            m_store.fnStoreSet(field, value);
    }

    void everyShippedCardSetLoadsCompletely()
    {
        struct Case {
            const char* size;
            int set;
        };
        std::vector<Case> cases;
        for (int set = assets::firstCardSet; set <= assets::lastCardSet; ++set)
            cases.push_back({"B", set});
        cases.push_back({"M", assets::smallSizesCardSet});
        cases.push_back({"L", assets::smallSizesCardSet});
        for (const Case& c : cases) {
            m_store.fnStoreSet(Fld::Card_Size, c.size);
            m_store.fnStoreSet(Fld::Card, assets::threeDigits(c.set));
            m_store.fnStoreSet(Fld::Back_Card, "006");
            CardPictures pictures;
            const QString what = QStringLiteral("%1 %2").arg(QLatin1String(c.size)).arg(c.set);
            QVERIFY2(loadCardPictures(m_context, pictures), qPrintable(what));
            QCOMPARE(m_store.fnStoreGet(Fld::Card), assets::threeDigits(c.set));
            const CardSize size = cardSizeFor(c.size[0], {});
            for (int card : {1, 13, 40, 52, 105}) {
                QVERIFY2(pictures.face(card), qPrintable(what));
                QCOMPARE(pictures.face(card)->width(), size.width);
                QCOMPARE(pictures.face(card)->height(), size.height);
            }
            // Ace and King of a suit are different pictures, not a cut from the wrong place.
            QVERIFY(differ(*pictures.face(1), *pictures.face(13)));
            QCOMPARE(pictures.back()->width(), size.width);
            QCOMPARE(pictures.back()->height(), size.height);
        }
        QVERIFY(m_messages.shown().empty());
    }

    void everyBackLoadsAtItsSize()
    {
        m_store.fnStoreSet(Fld::Card_Size, "B");
        m_store.fnStoreSet(Fld::Card, "001");
        CardPictures pictures;
        QVERIFY(loadCardPictures(m_context, pictures, true));
        for (const assets::NamedPicture& back : assets::cardBacks) {
            m_store.fnStoreSet(Fld::Back_Card, assets::threeDigits(back.number));
            QVERIFY2(loadCardBack(m_context, pictures), back.name.data());
            QCOMPARE(pictures.back()->width(), 71);
            QCOMPARE(pictures.back()->height(), 96);
        }
        QVERIFY(m_messages.shown().empty());
    }

    // Each background covers the whole buffer with its picture: no gap of another colour, and
    // never the plain default that stands in for a missing file.
    void everyBackgroundPaintsTheWholeTable()
    {
        test::MemoryBitmap buffer(700, 500);
        auto paint = [&](bool demo) {
            buffer.fillRect({0, 0, 700, 500}, rgb(1, 2, 3));
            paintBackground(m_context, buffer, {.demoPlaying = demo});
            std::set<Colour> colours;
            for (int y = 0; y < 500; y += 7)
                for (int x = 0; x < 700; x += 7)
                    colours.insert(buffer.pixel(x, y));
            return colours;
        };
        for (const assets::NamedPicture& background : assets::backgrounds) {
            m_store.fnStoreSet(Fld::Background_bmp, std::to_string(background.number));
            const std::set<Colour> colours = paint(false);
            QVERIFY2(!colours.contains(rgb(1, 2, 3)), background.name.data());
            QVERIFY2(colours.size() > 1, background.name.data());
        }
        QVERIFY(!paint(true).contains(rgb(1, 2, 3)));
        QVERIFY(m_messages.shown().empty());
    }

    // The random background takes only pictures that exist and suit the display.
    void randomBackgroundsSuitTheDisplay()
    {
        m_store.fnStoreSet(Fld::Random_Background, "Y");
        m_store.fnStoreSet(Fld::Fade_Background, "N");
        std::set<int> known;
        for (const assets::NamedPicture& background : assets::backgrounds)
            known.insert(background.number);
        test::MemoryBitmap buffer(64, 64);
        CardPictures pictures;
        for (const int bits : {32, 8}) {
            m_graphics.bits = bits;
            std::set<int> chosen;
            for (std::uint32_t pick = 0; pick < 80; ++pick) {
                m_random.queue(pick);
                randomAppearance(m_context, pictures, buffer, {});
                const int number = std::stoi(m_store.fnStoreGet(Fld::Background_bmp));
                if (number == 0)
                    continue; // a colour
                QVERIFY(known.contains(number));
                QCOMPARE(number > 256, bits > 8);
                chosen.insert(number);
            }
            QCOMPARE(chosen.size(), bits > 8 ? std::size_t(63) : std::size_t(5));
        }
        m_store.fnStoreSet(Fld::Random_Background, "N");
        m_graphics.bits = 32;
        QVERIFY(m_messages.shown().empty());
    }

private:
    static bool differ(const Bitmap& a, const Bitmap& b)
    {
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y))
                    return true;
        return false;
    }

    QTemporaryDir m_dir;
    SessionStore m_store{KST_PROGRAM_DIR};
    ProfileFile m_config{m_dir.filePath(QStringLiteral("CFG.DAT")).toStdString()};
    DepthGraphics m_graphics;
    test::ScriptedMessageBoxes m_messages;
    QtResourceLibrary m_library;
    test::ScriptedRandom m_random;
    AppearanceContext m_context{m_store, m_config, m_graphics, m_messages, m_library, m_random};
};

QTEST_MAIN(TstAppearance)
#include "tst_appearance.moc"
