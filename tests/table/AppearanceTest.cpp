#include "table/Appearance.h"

#include "assets/ImageNames.h"
#include "assets/PictureNames.h"
#include "platform/test/TestPorts.h"
#include "storage/Startup.h"
#include "tests/support/TablePictures.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>


namespace kst {
namespace {

using test::MemoryBitmap;

constexpr Colour kPicture = rgb(200, 10, 10);
constexpr Colour kDemo = rgb(10, 10, 200);
constexpr Colour kOwn = rgb(10, 200, 200);
constexpr Colour kBack = rgb(90, 0, 90);

class AppearanceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_library.load("KST.RGF");
        for (const assets::CardSize& size : assets::cardSizes) {
            m_library.addSet(size.letter, assets::smallSizesCardSet);
            m_library.addPicture(assets::jokerName(size.letter), {size.width, size.height});
            for (const std::string& code : assets::markCodes())
                m_library.addPicture(assets::markName(size.letter, code), {size.width, size.height});
            for (int which = 1; which <= 2; ++which) {
                m_library.addPicture(assets::shadowName(size.letter, which), {9, 9});
                m_library.addPicture(assets::borderName(size.letter, which), {size.width, size.height});
            }
        }
        for (int set = 1; set <= 5; ++set)
            m_library.addSet('B', set);
        addImage("DB006", {71, 96}, kBack);
        addImage("DM006", {59, 80}, kBack);
        addImage("Y001", {40, 30}, kDemo);
        m_store.fnStoreSet(Fld::Card_Size, "B");
        m_store.fnStoreSet(Fld::Card, "001");
        m_store.fnStoreSet(Fld::Back_Card, "006");
        m_store.fnStoreSet(Fld::Background_def, "N");
        m_store.fnStoreSet(Fld::Customized_Background, "N");
        m_store.fnStoreSet(Fld::Background_bmp, "0");
        m_store.fnStoreSet(Fld::Background_Fixed_Col, "0");
        m_store.fnStoreSet(Fld::Background_Col, "32768");
        m_store.fnStoreSet(Fld::Fade_Background, "N");
    }

    // A picture file of the IMAGES folder, on disk (the lookups need it) and in the graphics.
    void addImage(const std::string& name, Size size, Colour colour)
    {
        m_tmp.write("Images/" + name + ".bmp", "BM");
        m_graphics.addImageFile(m_tmp.file("Images/" + name + ".bmp"), size, colour);
    }

    std::string cfg(const char* key) const { return m_config.readText("Preference", key, "<none>"); }

    test::TempDir m_tmp{"appearance"};
    SessionStore m_store{m_tmp.path().string()};
    ProfileFile m_config{m_tmp.file("DATA/CFG.DAT")};
    test::MemoryGraphics m_graphics;
    test::ScriptedMessageBoxes m_messages;
    test::PatternLibrary m_library;
    test::ScriptedRandom m_random;
    AppearanceContext m_context{m_store, m_config, m_graphics, m_messages, m_library, m_random};
    MemoryBitmap m_buffer{300, 200};
    CardPictures m_cards;
};

TEST_F(AppearanceTest, TheProgramStopsWithAMessageWhenItsLibraryCannotBeLoaded)
{
    test::FakeResourceLibrary library;
    m_tmp.write("kst.rgf", "damaged");
    EXPECT_TRUE(openResourceLibrary(library, m_messages, m_tmp.path().string()));
    EXPECT_EQ(library.loadedPath(), m_tmp.file("kst.rgf")) << "found whatever its case";
    EXPECT_TRUE(m_messages.shown().empty());

    library.setLoadable(false);
    EXPECT_FALSE(openResourceLibrary(library, m_messages, m_tmp.path().string()));
    EXPECT_EQ(m_messages.texts(), std::vector<std::string>{"Can't find/load " + m_tmp.file("kst.rgf")});
}

// ---- card pictures -------------------------------------------------------------------------------

TEST_F(AppearanceTest, FacesAreCutFromTheirSuitSheetCells)
{
    struct Case {
        int card;
        int suit, column, row;
    };
    // Ace-5 in the first row, 6-10 in the second, J-K in the third; the second deck shares.
    const Case cases[] = {{1, 0, 0, 0},  {5, 0, 4, 0},  {6, 0, 0, 1},   {10, 0, 4, 1},  {11, 0, 0, 2},
                          {13, 0, 2, 2}, {14, 1, 0, 0}, {39, 2, 2, 2},  {40, 3, 0, 0},  {52, 3, 2, 2},
                          {53, 0, 0, 0}, {104, 3, 2, 2}};
    m_store.fnStoreSet(Fld::Card, "004");
    ASSERT_TRUE(loadCardPictures(m_context, m_cards));
    for (const Case& c : cases) {
        const Bitmap* face = m_cards.face(c.card);
        ASSERT_NE(face, nullptr) << c.card;
        EXPECT_EQ(face->width(), 71);
        EXPECT_EQ(face->height(), 96);
        EXPECT_EQ(face->pixel(3, 3), rgb(4, 16 * c.suit + c.column, c.row)) << c.card;
        EXPECT_EQ(face->pixel(67, 92), rgb(4, 16 * c.suit + c.column, c.row)) << c.card;
        EXPECT_EQ(m_cards.faceCorners(c.card).size(), 12u) << "three see-through pixels at each corner";
    }
    EXPECT_EQ(CardPictures::faceIndex(105), CardPictures::JokerIndex);
    EXPECT_EQ(CardPictures::faceIndex(108), CardPictures::JokerIndex);
    EXPECT_EQ(CardPictures::faceIndex(0), -1);
    EXPECT_EQ(m_cards.face(109), nullptr);
    EXPECT_NE(m_cards.face(106), nullptr);
}

TEST_F(AppearanceTest, EverySizeLoadsItsOwnMarksShadowsBordersAndBack)
{
    for (const char* letter : {"B", "M"}) {
        m_store.fnStoreSet(Fld::Card_Size, letter);
        m_store.fnStoreSet(Fld::Card, "003");
        CardPictures pictures;
        ASSERT_TRUE(loadCardPictures(m_context, pictures)) << letter;
        const CardSize size = cardSizeFor(letter[0], {});
        EXPECT_EQ(pictures.size(), size);
        EXPECT_EQ(pictures.face(1)->width(), size.width);
        for (const std::string& code : assets::markCodes())
            ASSERT_NE(pictures.mark(code), nullptr) << letter << code;
        EXPECT_EQ(pictures.mark("_WASTE")->width(), size.width);
        EXPECT_EQ(pictures.mark("002"), nullptr);
        EXPECT_NE(pictures.shadow(2), nullptr);
        EXPECT_EQ(pictures.shadow(3), nullptr);
        EXPECT_EQ(pictures.border(1)->height(), size.height);
        EXPECT_EQ(pictures.back()->height(), size.height);
        EXPECT_EQ(pictures.back()->pixel(3, 3), kBack);
    }
    EXPECT_TRUE(m_messages.shown().empty());
}

TEST_F(AppearanceTest, ACardSetMissingAtTheSizeFallsBackToOneThatExists)
{
    struct Case {
        const char* size;
        const char* set;
        int expectedSet;
    };
    for (const Case c : {Case{"B", "009", 1}, Case{"M", "001", 3}, Case{"L", "xyz", 3}, Case{"B", "", 1}}) {
        m_store.fnStoreSet(Fld::Card_Size, c.size);
        m_store.fnStoreSet(Fld::Card, c.set);
        CardPictures pictures;
        loadCardPictures(m_context, pictures, true);
        ASSERT_NE(pictures.face(1), nullptr) << c.size << c.set;
        EXPECT_EQ(red(pictures.face(1)->pixel(5, 5)), c.expectedSet);
        EXPECT_EQ(m_store.fnStoreGet(Fld::Card), assets::threeDigits(c.expectedSet));
    }
}

TEST_F(AppearanceTest, AMissingBackIsReportedAndThePreviousBackKept)
{
    ASSERT_TRUE(loadCardPictures(m_context, m_cards));
    m_store.fnStoreSet(Fld::Back_Card, "027");
    EXPECT_FALSE(loadCardBack(m_context, m_cards));
    ASSERT_EQ(m_messages.shown().size(), 1u);
    EXPECT_NE(m_messages.shown()[0].text.find("Cannot find images file:"), std::string::npos);
    EXPECT_NE(m_messages.shown()[0].text.find("DB027.bmp"), std::string::npos);
    EXPECT_EQ(m_cards.back()->pixel(0, 0), kBack);
    EXPECT_EQ(m_cards.backCorners().size(), 12u) << "an opaque back rounds off three pixels at each corner";

    // Never loaded: a plain back of the card size, so face-down cards still show.
    CardPictures fresh;
    m_store.fnStoreSet(Fld::Card_Size, "L");
    EXPECT_FALSE(loadCardPictures(m_context, fresh));
    ASSERT_NE(fresh.back(), nullptr);
    EXPECT_EQ(fresh.back()->width(), 25);
    EXPECT_EQ(fresh.back()->height(), 32);
}

TEST_F(AppearanceTest, MissingLibraryPicturesLeaveGapsAndSayNotComplete)
{
    test::FakeResourceLibrary empty;
    AppearanceContext context{m_store, m_config, m_graphics, m_messages, empty, m_random};
    CardPictures pictures;
    EXPECT_FALSE(loadCardPictures(context, pictures));
    EXPECT_EQ(pictures.face(1), nullptr);
}

// ---- background ----------------------------------------------------------------------------------

TEST_F(AppearanceTest, TheBackgroundFollowsThePreferences)
{
    addImage("B012", {40, 30}, kPicture);
    addImage("B512", {40, 30}, kPicture);
    const Colour green = rgb(0, 96, 0);
    struct Case {
        const char* what;
        bool demo;
        const char* def;
        const char* bmp;
        const char* fixed;
        Colour topLeft, farCorner;
    };
    const Case cases[] = {
        {"demo tiles its picture over everything", true, "Y", "12", "0", kDemo, kDemo},
        {"default", false, "Y", "12", "0", green, green},
        {"picture up to 499 is tiled", false, "N", "12", "0", kPicture, kPicture},
        {"picture above 499 is drawn once", false, "N", "512", "0", kPicture, green},
        {"fixed colour before the chosen one", false, "N", "0", "16711680", rgb(0, 0, 255), rgb(0, 0, 255)},
        {"chosen colour", false, "N", "0", "0", rgb(0, 128, 0), rgb(0, 128, 0)},
        {"unreadable number means no picture", false, "N", "x1", "0", rgb(0, 128, 0), rgb(0, 128, 0)},
        {"a system colour", false, "N", "0", "-2147483633", rgb(0, 128, 0), rgb(0, 128, 0)},
    };
    for (const Case& c : cases) {
        m_store.fnStoreSet(Fld::Background_def, c.def);
        m_store.fnStoreSet(Fld::Background_bmp, c.bmp);
        m_store.fnStoreSet(Fld::Background_Fixed_Col, c.fixed);
        m_buffer.fillRect({0, 0, 300, 200}, rgb(1, 2, 3));
        paintBackground(m_context, m_buffer, {.demoPlaying = c.demo});
        EXPECT_EQ(m_buffer.pixel(0, 0), c.topLeft) << c.what;
        EXPECT_EQ(m_buffer.pixel(299, 199), c.farCorner) << c.what;
    }
    EXPECT_TRUE(m_messages.shown().empty());

    // The stored default colour is the system's button face.
    m_store.fnStoreSet(Fld::Background_Col, "-2147483633");
    paintBackground(m_context, m_buffer, {});
    EXPECT_EQ(m_buffer.pixel(10, 10), rgb(192, 192, 192));

    m_graphics.setDisplayColourBits(8);
    m_store.fnStoreSet(Fld::Background_def, "Y");
    paintBackground(m_context, m_buffer, {});
    EXPECT_EQ(m_buffer.pixel(10, 10), rgb(0, 128, 0));
}

TEST_F(AppearanceTest, AMissingPictureIsReportedAndTheDefaultShown)
{
    m_store.fnStoreSet(Fld::Background_bmp, "300");
    paintBackground(m_context, m_buffer, {});
    ASSERT_EQ(m_messages.shown().size(), 1u);
    EXPECT_NE(m_messages.shown()[0].text.find("B300.bmp"), std::string::npos);
    EXPECT_EQ(m_buffer.pixel(5, 5), rgb(0, 96, 0));
}

TEST_F(AppearanceTest, TheOwnBackgroundIsTiledWhileItsFileIsThere)
{
    m_tmp.write("own/felt.bmp", "BM");
    m_graphics.addImageFile(m_tmp.file("own/felt.bmp"), {7, 7}, kOwn);
    m_config.writeText("Preference", "Customized_Background", m_tmp.file("own/felt.bmp"));
    m_store.fnStoreSet(Fld::Customized_Background, "Y");
    paintBackground(m_context, m_buffer, {});
    EXPECT_EQ(m_buffer.pixel(299, 199), kOwn);
    EXPECT_TRUE(m_messages.shown().empty());
    EXPECT_EQ(m_store.fnStoreGet(Fld::Customized_Background), "Y");
}

TEST_F(AppearanceTest, AnOwnBackgroundThatIsGoneOrNoPictureFallsBackOnceAndForGood)
{
    for (const bool onDisk : {false, true}) {
        m_messages.clear();
        const std::string path = m_tmp.file(onDisk ? "own/notes.txt" : "own/deleted.bmp");
        if (onDisk)
            m_tmp.write("own/notes.txt", "not a picture");
        m_config.writeText("Preference", "Customized_Background", path);
        m_config.writeText("Preference", "Background_Def", "N");
        m_store.fnStoreSet(Fld::Customized_Background, "Y");
        m_store.fnStoreSet(Fld::Background_def, "N");

        paintBackground(m_context, m_buffer, {});
        ASSERT_EQ(m_messages.texts(), std::vector<std::string>{"Customized background image not found: " + path});
        EXPECT_EQ(m_buffer.pixel(5, 5), rgb(0, 96, 0));
        EXPECT_EQ(m_store.fnStoreGet(Fld::Customized_Background), "N");
        EXPECT_EQ(m_store.fnStoreGet(Fld::Background_def), "Y");
        EXPECT_EQ(cfg("Customized_Background"), "");
        EXPECT_EQ(cfg("Background_Def"), "Y");

        paintBackground(m_context, m_buffer, {});
        EXPECT_EQ(m_messages.shown().size(), 1u) << "said only once";
        EXPECT_EQ(m_buffer.pixel(5, 5), rgb(0, 96, 0));
    }
}

TEST_F(AppearanceTest, AFadeRunsFromTheColourAtTheTopToBlackAtTheBottomOfTheTable)
{
    m_store.fnStoreSet(Fld::Background_Col, std::to_string(toStoredColour(rgb(0, 0, 255))));
    m_store.fnStoreSet(Fld::Fade_Background, "Y");
    paintBackground(m_context, m_buffer, {.fadeHeight = 150});
    const Colour top = m_buffer.pixel(10, 0);
    EXPECT_EQ(red(top), 0);
    EXPECT_GE(blue(top), 250);
    EXPECT_LT(blue(m_buffer.pixel(10, 75)), blue(top));
    EXPECT_GT(blue(m_buffer.pixel(10, 75)), blue(m_buffer.pixel(10, 149)));
    EXPECT_LE(blue(m_buffer.pixel(10, 149)), 2);
    EXPECT_EQ(m_buffer.pixel(10, 199), rgb(0, 0, 0));
    EXPECT_EQ(m_buffer.pixel(0, 40), m_buffer.pixel(299, 40)) << "bands run across the whole width";

    m_graphics.setDisplayColourBits(8);
    paintBackground(m_context, m_buffer, {.fadeHeight = 150});
    EXPECT_EQ(m_buffer.pixel(10, 149), rgb(0, 0, 255)) << "no fades on a palette display";
}

TEST_F(AppearanceTest, TheWindowGetsTheVisiblePartOfTheBackground)
{
    m_store.fnStoreSet(Fld::Background_bmp, "520");
    addImage("B520", {300, 100}, kPicture);
    MemoryBitmap window(300, 80);
    paintBackground(m_context, m_buffer, {.window = &window, .scrollOffset = 60});
    EXPECT_EQ(window.pixel(0, 39), kPicture);
    EXPECT_EQ(window.pixel(0, 40), rgb(0, 96, 0)) << "buffer row 100 is below the picture";
}

// ---- random appearance ---------------------------------------------------------------------------

class RandomAppearanceTest : public AppearanceTest {
protected:
    void SetUp() override
    {
        AppearanceTest::SetUp();
        for (const int number : {101, 105, 257, 324})
            addImage(assets::backgroundName(number), {20, 20}, kPicture);
        m_tmp.write("Images/bogus.bmp", "BM");
        for (int back = 1; back <= 4; ++back)
            addImage(assets::cardBackName('B', back), {71, 96}, rgb(back, back, back));
        m_store.fnStoreSet(Fld::Random_Background, "Y");
        m_store.fnStoreSet(Fld::Customized_Background, "Y");
        m_store.fnStoreSet(Fld::Background_def, "Y");
        m_store.fnStoreSet(Fld::Background_Fixed_Col, "255");
        ASSERT_TRUE(loadCardPictures(m_context, m_cards));
    }

    std::string chooseBackground(std::uint32_t pick)
    {
        m_random.queue(pick);
        randomAppearance(m_context, m_cards, m_buffer, {});
        return m_store.fnStoreGet(Fld::Background_bmp) + "/" + m_store.fnStoreGet(Fld::Background_Col);
    }
};

TEST_F(RandomAppearanceTest, BackgroundPicksAPictureForTheDisplayOrAColour)
{
    const std::string green = "32768";
    struct Case {
        int colourBits;
        const char* fade;
        std::uint32_t pick;
        std::string expected; // Background_bmp/Background_Col
    };
    // Rich display: b257, b324 (after b256.bmp) and, with fades, six colours; a palette display:
    // b101, b105 and the six colours. "bogus.bmp" carries no number and is never a candidate.
    const Case cases[] = {
        {32, "N", 0, "257/" + green},
        {32, "N", 1, "324/" + green},
        {32, "N", 2, "257/" + green}, // two candidates only: the pick wraps
        {32, "Y", 2, "0/16711680"},   // first colour slot, blue
        {32, "Y", 7, "0/16777215"},   // last slot, white
        {8, "N", 0, "101/" + green},
        {8, "N", 1, "105/" + green},
        {8, "N", 3, "0/32768"}, // second slot, green
        {8, "N", 4, "0/8388608"}, // navy
    };
    for (const Case& c : cases) {
        m_graphics.setDisplayColourBits(c.colourBits);
        m_store.fnStoreSet(Fld::Fade_Background, c.fade);
        m_store.fnStoreSet(Fld::Background_Col, green);
        EXPECT_EQ(chooseBackground(c.pick), c.expected) << c.colourBits << c.fade << c.pick;
        EXPECT_EQ(m_store.fnStoreGet(Fld::Background_def), "N");
        EXPECT_EQ(m_store.fnStoreGet(Fld::Background_Fixed_Col), "0");
        EXPECT_EQ(m_store.fnStoreGet(Fld::Customized_Background), "N");
    }
}

TEST_F(RandomAppearanceTest, ThePaintedBufferShowsTheChoice)
{
    m_store.fnStoreSet(Fld::Fade_Background, "N");
    chooseBackground(0);
    EXPECT_EQ(m_buffer.pixel(250, 150), kPicture);
}

TEST_F(RandomAppearanceTest, CardSetAndBackChangeOnlyWithBigCards)
{
    m_store.fnStoreSet(Fld::Random_Background, "N");
    m_store.fnStoreSet(Fld::Random_Card, "Y");
    m_store.fnStoreSet(Fld::Random_Deck, "Y");

    m_random.queue(4); // set 5
    m_random.queue(2); // back 3 of the four "db*.bmp" files
    AppearanceChange change = randomAppearance(m_context, m_cards, m_buffer, {});
    EXPECT_TRUE(change.cardSetChanged);
    EXPECT_TRUE(change.backChanged);
    EXPECT_EQ(m_store.fnStoreGet(Fld::Card), "005");
    EXPECT_EQ(m_store.fnStoreGet(Fld::Back_Card), "003");
    EXPECT_EQ(red(m_cards.face(1)->pixel(5, 5)), 5);
    EXPECT_EQ(m_cards.back()->pixel(0, 0), rgb(3, 3, 3));

    m_random.queue(4);
    m_random.queue(2);
    change = randomAppearance(m_context, m_cards, m_buffer, {});
    EXPECT_FALSE(change.cardSetChanged) << "the same set again is no change";
    EXPECT_FALSE(change.backChanged);

    m_store.fnStoreSet(Fld::Card_Size, "M");
    m_store.fnStoreSet(Fld::Card, "003");
    m_store.fnStoreSet(Fld::Back_Card, "006");
    m_random.queue(0);
    m_random.queue(0);
    change = randomAppearance(m_context, m_cards, m_buffer, {});
    EXPECT_FALSE(change.cardSetChanged);
    EXPECT_FALSE(change.backChanged);
    EXPECT_EQ(m_store.fnStoreGet(Fld::Card), "003");
    EXPECT_EQ(m_store.fnStoreGet(Fld::Back_Card), "006");
}

} // namespace
} // namespace kst

namespace kst {
namespace {

// Whatever CFG.DAT holds, start-up's values load pictures and paint a background without harm.
TEST(AppearanceRobustness, HostilePreferencesNeverBreakThePictures)
{
    test::TablePictures fixture;
    ASSERT_TRUE(fixture.loaded);
    const char* keys[] = {"Card_Size", "Card", "Back_Card", "Background_bmp", "Background_Col", "Background_Fixed_Col",
                          "Background_def", "Fade_Background", "Customized_Background", "Speed_Move_Card", "Cursor"};
    const char* values[] = {"", "Z", "-1", "0", "999", "99999999999999999999", "-2147483648", "2147483647", "1e5",
                            "0x10", "B", "M", "L", "512", "300", "Y", "N", "/dev/null", "../../etc/passwd", "\xff\xfe"};
    std::uint32_t seed = 2024;
    test::MemoryBitmap buffer(120, 90);
    for (int round = 0; round < 120; ++round) {
        for (const char* key : keys) {
            seed = seed * 1664525u + 1013904223u;
            fixture.config.writeText("Preference", key, values[(seed >> 16) % std::size(values)]);
        }
        readPreferences(fixture.config, fixture.store, {fixture.messages, fixture.app, 32});
        CardPictures pictures;
        loadCardPictures(fixture.context, pictures);
        paintBackground(fixture.context, buffer, {.fadeHeight = int(seed % 200)});
        ASSERT_NE(pictures.back(), nullptr) << "round " << round;
        EXPECT_EQ(pictures.back()->width(), pictures.size().width) << "round " << round;
        EXPECT_EQ(buffer.width(), 120);
    }
}

} // namespace
} // namespace kst
