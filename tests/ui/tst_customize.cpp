// The Customize dialog on the real main window: what OK, Apply and Cancel do to the table, to
// CFG.DAT and to the next start of the program, and the pictures a background must not be.

#include "MainWindowHarness.h"

#include "assets/PictureNames.h"
#include "shell/TfrmCustomize.h"
#include "shell/TfrmPointers.h"
#include "storage/CustomBackgrounds.h"
#include "storage/PreferenceSet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTreeWidget>
#include <QtTest>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace kst;

namespace {

constexpr int Klondike = 2;
constexpr int NavyCode = 8388608;
constexpr int HorseBack = 27;
constexpr int WavesBackground = 276;

// A bitmap file whose header claims a picture of side x side pixels, 24 bits each, and holds
// only a few of its bytes: readers that trust the header would ask for gigabytes.
std::string hugeBitmapHeader(std::uint32_t side)
{
    std::string bytes = "BM";
    const auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes += char((v >> (8 * i)) & 0xff);
    };
    const auto put16 = [&](std::uint16_t v) {
        bytes += char(v & 0xff);
        bytes += char(v >> 8);
    };
    constexpr std::uint32_t HeaderBytes = 54, InfoBytes = 40, BitsPerPixel = 24;
    put32(HeaderBytes + side * side * 3);
    put32(0);
    put32(HeaderBytes);
    put32(InfoBytes);
    put32(side);
    put32(side);
    put16(1);
    put16(BitsPerPixel);
    for (int i = 0; i < 6; ++i)
        put32(0);
    bytes += std::string(64, '\x7f');
    return bytes;
}

QImage tableImage(TfrmMain& window)
{
    return window.tableWidget().picture().image().copy();
}

// A corner of the table that no pile of the deals used here reaches.
QPoint emptySpot(TfrmMain& window)
{
    return {window.tableWidget().width() - 20, window.tableWidget().height() - 20};
}

} // namespace

class TstCustomize : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_harness.prepare()); }
    void init()
    {
        m_harness.reset();
        m_pictures = std::make_unique<QTemporaryDir>();
    }
    void cleanup() { m_window.reset(); }

    void backAndBackgroundChosenInTheDialogRepaintTheTable();
    void cancelAfterApplyLeavesTableAndFilesAsTheyWere();
    void chosenPreferencesSurviveARestart();
    void picturesThatCannotBeBackgroundsAreRefused();
    void aBackgroundDeletedFromTheMiddleClosesTheGap();
    void smallCardsAskFirstAndTakeTheirOwnBack();
    void cardsThatFitTheWindowAreASwitchOfTheCardsPage();
    void aConfigurationThatCannotBeWrittenKeepsTheDialogOpen();
    void soundAndWinningAnimationControlsFollowTheirSwitches();
    void thePointerListStandsForTheStoredNumbers();
    void aPreviewPlaysAtTheChosenSpeedAndKeepsTheEdits();
    void aStoredPictureTooLargeToShowFallsBackToTheDefault();
    void thePreviewPlaysTheWinningAnimationOnTheTable();
    void undoSwitchedOffTakesEffectAtOnce();
    void screenshots();

private:
    TfrmMain& play(int gameId, const char* name);
    // Runs `work` in the dialog opened on the page; the dialog is cancelled afterwards unless
    // `work` closed it.
    void inDialog(int page, const std::function<void(TfrmCustomize&)>& work);
    std::string picture(const char* name, QColor colour = Qt::red);
    std::string config() const
    {
        std::ifstream in(m_harness.dataDir() + "/CFG.DAT", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    test::MainWindowHarness m_harness;
    std::unique_ptr<TfrmMain> m_window;
    std::unique_ptr<QTemporaryDir> m_pictures;
};

TfrmMain& TstCustomize::play(int gameId, const char* name)
{
    m_window = m_harness.playFreecell();
    [&] { QVERIFY(m_window); }();
    for (const Field animation : {Fld::Cards_Animate, Fld::Redeal_Animation, Fld::Deal_Animation})
        m_window->store().fnStoreSet(animation, "N");
    if (gameId != 1) {
        m_harness.ports.messages.queueAnswer(Answer::Ok); // leave the Freecell deal
        [&] { QVERIFY(m_window->startGame(gameId, name, false)); }();
    }
    return *m_window;
}

// Through the main window: the preview paints the winning cards over the table, then the dialog
// comes back.
void TstCustomize::thePreviewPlaysTheWinningAnimationOnTheTable()
{
    play(1, "Freecell");
    const QImage before = m_window->tableWidget().picture().image().copy();
    bool ranOnTheTable = false;
    bool shownAgain = false;
    // Once the dialog is back, it is cancelled.
    std::function<void()> back = [&] {
        if (auto* again = qobject_cast<TfrmCustomize*>(QApplication::activeModalWidget())) {
            shownAgain = true;
            again->reject();
        } else {
            QTimer::singleShot(100, back);
        }
    };
    inDialog(TfrmCustomize::Animations, [&](TfrmCustomize& dialog) {
        dialog.findChild<QComboBox*>(QStringLiteral("cboWinningAnim"))->setCurrentIndex(4); // "Open order"
        dialog.findChild<QSpinBox*>(QStringLiteral("edtWinningTime"))->setValue(1);
        QTimer::singleShot(300, [&] { ranOnTheTable = m_window->animating(); });
        QTimer::singleShot(500, back);
        dialog.findChild<QPushButton*>(QStringLiteral("btnPreview"))->click();
    });
    QTRY_VERIFY_WITH_TIMEOUT(shownAgain, 5000);
    QVERIFY(ranOnTheTable);
    QVERIFY(m_window->tableWidget().picture().image() != before);
}

void TstCustomize::undoSwitchedOffTakesEffectAtOnce()
{
    play(1, "Freecell");
    auto* undo = m_window->findChild<QAction*>(QStringLiteral("mnuUndo"));
    QVERIFY(undo->isEnabled());
    inDialog(TfrmCustomize::General, [](TfrmCustomize& dialog) {
        test::onModal(
            [](QDialog& advanced) {
                const auto choices =
                    advanced.findChild<QGroupBox*>(QStringLiteral("rgUndo"))->findChildren<QRadioButton*>();
                choices.at(2)->click(); // "Di&sable"
                advanced.findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
            },
            [&dialog] { dialog.findChild<QPushButton*>(QStringLiteral("btnAdvanced"))->click(); });
        dialog.findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
    });
    QCOMPARE(m_window->store().fnStoreGet(Fld::Undo_Enabled), std::string("2"));
    QVERIFY(!undo->isEnabled());
}

void TstCustomize::inDialog(int page, const std::function<void(TfrmCustomize&)>& work)
{
    test::onModal(
        [&](QDialog& dialog) {
            auto* customize = qobject_cast<TfrmCustomize*>(&dialog);
            QVERIFY(customize);
            work(*customize);
        },
        [&] { m_window->customize(page); });
}

std::string TstCustomize::picture(const char* name, QColor colour)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = m_pictures->filePath(QString::fromLatin1(name));
    [&] { QVERIFY(image.save(path, "BMP")); }();
    return path.toStdString();
}

void TstCustomize::backAndBackgroundChosenInTheDialogRepaintTheTable()
{
    TfrmMain& window = play(Klondike, "Klondike");
    m_harness.ports.messages.clear();
    const QImage before = tableImage(window);
    const Rect stock = window.table().pileArea(Mazzo);
    const QPoint stockMiddle(stock.x + stock.width / 2, stock.y + stock.height / 2);
    const QImage horse(QStringLiteral(KST_PROGRAM_DIR "/IMAGES/DB027.bmp"));
    QVERIFY(!horse.isNull());
    QVERIFY(before.pixel(stockMiddle) != horse.pixel(stock.width / 2, stock.height / 2));

    inDialog(TfrmCustomize::Decks, [&](TfrmCustomize& dialog) {
        QVERIFY(dialog.chooseBack(HorseBack));
        dialog.accept();
    });
    const QImage withHorse = tableImage(window);
    QCOMPARE(withHorse.pixel(stockMiddle), horse.pixel(stock.width / 2, stock.height / 2));
    QCOMPARE(withHorse.pixel(emptySpot(window)), before.pixel(emptySpot(window)));

    inDialog(TfrmCustomize::Backgrounds, [&](TfrmCustomize& dialog) {
        QVERIFY(dialog.chooseBackground(NavyCode));
        dialog.findChild<QCheckBox*>(QStringLiteral("chkFadeBackground"))->setChecked(false);
        dialog.accept();
    });
    const QImage onNavy = tableImage(window);
    QCOMPARE(QColor(onNavy.pixel(emptySpot(window))), QColor(0, 0, 128));
    QCOMPARE(onNavy.pixel(stockMiddle), withHorse.pixel(stockMiddle));
    QCOMPARE(m_harness.ports.messages.shown().size(), std::size_t(0));
}

void TstCustomize::cancelAfterApplyLeavesTableAndFilesAsTheyWere()
{
    TfrmMain& window = play(Klondike, "Klondike");
    QVERIFY(addCustomBackground(window.config(), picture("good.bmp")));
    const QImage before = tableImage(window);
    const std::string configBefore = config();
    const TableLook lookBefore = currentLook(window.store());
    const PreferenceSet setBefore = readPreferenceSet(window.store(), window.config());

    inDialog(TfrmCustomize::General, [&](TfrmCustomize& dialog) {
        // Every page changed: every switch turned over, a card set, a back, a picture of one's
        // own, the speed, the winning animation.
        for (QCheckBox* check : dialog.findChildren<QCheckBox*>())
            check->setChecked(!check->isChecked());
        QVERIFY(dialog.chooseCardSet("002B"));
        QVERIFY(dialog.chooseBack(HorseBack));
        QVERIFY(dialog.chooseBackground(BackgroundCode::Customized, 0));
        dialog.findChild<QSlider*>(QStringLiteral("trbSpeed"))->setValue(1);
        dialog.findChild<QComboBox*>(QStringLiteral("cboWinningAnim"))->setCurrentIndex(3);
        QVERIFY(dialog.choices() != setBefore);
        dialog.apply();
        QVERIFY(tableImage(window) != before);
        QCOMPARE(QColor(tableImage(window).pixel(emptySpot(window))), QColor(Qt::red));
        dialog.reject();
    });
    QCOMPARE(tableImage(window), before);
    QCOMPARE(currentLook(window.store()), lookBefore);
    QCOMPARE(readPreferenceSet(window.store(), window.config()), setBefore);
    QCOMPARE(config(), configBefore);
}

void TstCustomize::chosenPreferencesSurviveARestart()
{
    play(1, "Freecell");
    PreferenceSet chosen;
    inDialog(TfrmCustomize::Cards, [&](TfrmCustomize& dialog) {
        QVERIFY(dialog.chooseCardSet("004B"));
        QVERIFY(dialog.chooseBack(HorseBack));
        QVERIFY(dialog.chooseBackground(NavyCode));
        for (const char* name : {"chkFadeBackground", "chkTBLargeIcons", "chkShowScore", "chkShadowed",
                                 "chkDoubleTableaus", "chkPilesSize"}) {
            auto* check = dialog.findChild<QCheckBox*>(QLatin1String(name));
            QVERIFY2(check, name);
            check->setChecked(!check->isChecked());
        }
        dialog.findChild<QSlider*>(QStringLiteral("trbSpeed"))->setValue(5);
        dialog.findChild<QComboBox*>(QStringLiteral("cboWinningAnim"))->setCurrentIndex(4);
        chosen = dialog.choices();
        dialog.accept();
    });
    QCOMPARE(readPreferenceSet(m_window->store(), m_window->config()), chosen);
    QVERIFY(m_window->findChild<QWidget*>(QStringLiteral("pnlTB"))->isVisible()); // the large toolbar at once
    QVERIFY(!m_window->findChild<QWidget*>(QStringLiteral("pnlScore"))->isVisible());

    m_window.reset();
    m_harness.restartSession();
    m_window = m_harness.playFreecell();
    QVERIFY(m_window);
    QCOMPARE(readPreferenceSet(m_window->store(), m_window->config()), chosen);
    QCOMPARE(m_window->store().fnStoreGet(Fld::Speed_Move_Card), std::string("0"));
    QCOMPARE(QColor(tableImage(*m_window).pixel(emptySpot(*m_window))), QColor(0, 0, 128));
    const QImage horse(QStringLiteral(KST_PROGRAM_DIR "/IMAGES/DB027.bmp"));
    const Bitmap* back = m_window->table().pictures().back();
    QVERIFY(back);
    QCOMPARE(QColor(back->pixel(back->width() / 2, back->height() / 2)),
             QColor(horse.pixel(horse.width() / 2, horse.height() / 2)));
    QVERIFY(m_window->findChild<QWidget*>(QStringLiteral("pnlTB"))->isVisible());
}

void TstCustomize::picturesThatCannotBeBackgroundsAreRefused()
{
    play(1, "Freecell");
    const QString dir = m_pictures->path();
    const auto write = [&](const char* name, const std::string& bytes) {
        std::ofstream(m_pictures->filePath(QLatin1String(name)).toStdString(), std::ios::binary) << bytes;
        return m_pictures->filePath(QLatin1String(name)).toStdString();
    };
    std::filesystem::create_directory(m_pictures->filePath(QStringLiteral("folder.bmp")).toStdString());
    struct Case {
        std::string path;
        const char* message; // the start of what the player is told
    };
    const Case cases[] = {
        {(dir + QStringLiteral("/gone.bmp")).toStdString(), "Customized background image not found"},
        {write("text.bmp", "not a picture at all"), "This file is not a picture"},
        {write("huge.bmp", hugeBitmapHeader(20000)), "This picture is damaged or too large to be shown"},
        {write("large.bmp", hugeBitmapHeader(10000)), "This picture is too large for a background (10000 x 10000"},
        {m_pictures->filePath(QStringLiteral("folder.bmp")).toStdString(), "The picture cannot be read"},
        {picture("sea (1).bmp"), "The name of this picture or of its folder holds a bracket"},
        {picture("sea\nside.bmp"), "The name of this picture holds a line break"},
    };
    inDialog(TfrmCustomize::Backgrounds, [&](TfrmCustomize& dialog) {
        const BackgroundSetting before = dialog.choices().background;
        for (const Case& c : cases) {
            m_harness.ports.messages.clear();
            m_harness.ports.dialogs.queueFile(c.path);
            dialog.addBackground();
            const std::vector<std::string> told = m_harness.ports.messages.texts();
            QCOMPARE(told.size(), std::size_t(1));
            QVERIFY2(told.front().starts_with(c.message), told.front().c_str());
            QVERIFY(readCustomBackgrounds(m_window->config()).empty());
            QCOMPARE(dialog.choices().background, before);
        }

        // A good picture is taken and chosen; gone from its folder later, it is refused when chosen
        // again, and the background chosen before stays.
        const std::string good = picture("good.bmp");
        m_harness.ports.messages.clear();
        m_harness.ports.dialogs.queueFile(good);
        dialog.addBackground();
        QVERIFY(m_harness.ports.messages.shown().empty());
        QCOMPARE(dialog.choices().background.customizedPath, good);
        QVERIFY(dialog.chooseBackground(WavesBackground));
        std::filesystem::remove(good);
        QVERIFY(dialog.chooseBackground(BackgroundCode::Customized, 0));
        QCOMPARE(m_harness.ports.messages.shown().size(), std::size_t(1));
        QCOMPARE(dialog.choices().background.bmp, std::to_string(WavesBackground));
        dialog.accept();
    });
    QCOMPARE(m_window->store().fnStoreGet(Fld::Background_bmp), std::to_string(WavesBackground));
}

void TstCustomize::aBackgroundDeletedFromTheMiddleClosesTheGap()
{
    play(1, "Freecell");
    const std::string first = picture("first.bmp"), second = picture("second.bmp"), third = picture("third.bmp");
    inDialog(TfrmCustomize::Backgrounds, [&](TfrmCustomize& dialog) {
        for (const std::string& path : {first, second, third}) {
            m_harness.ports.dialogs.queueFile(path);
            dialog.addBackground();
        }
        QVERIFY(dialog.chooseBackground(BackgroundCode::Customized, 1));
        dialog.deleteBackground(); // answered No: nothing goes
        QCOMPARE(readCustomBackgrounds(m_window->config()).size(), std::size_t(3));
        m_harness.ports.messages.queueAnswer(Answer::Yes);
        dialog.deleteBackground();
        QCOMPARE(dialog.choices().background.customizedPath, first);
        dialog.reject();
    });
    ProfileFile& cfg = m_window->config();
    QCOMPARE(cfg.readText(CustomBackgroundsSection, "Background000", ""), backgroundDisplayText(first));
    QCOMPARE(cfg.readText(CustomBackgroundsSection, "Background001", ""), backgroundDisplayText(third));
    QCOMPARE(cfg.readText(CustomBackgroundsSection, "Background002", "none"), std::string("none"));
}

// The fit size goes with the big sets: checked, the chosen set plays at it and keeps its back; the
// medium set is a size of its own and takes the switch off.
void TstCustomize::cardsThatFitTheWindowAreASwitchOfTheCardsPage()
{
    play(1, "Freecell");
    inDialog(TfrmCustomize::Cards, [&](TfrmCustomize& dialog) {
        auto* fit = dialog.findChild<QCheckBox*>(QStringLiteral("chkFitCards"));
        QVERIFY(fit);
        QVERIFY(!fit->isChecked());
        QVERIFY(dialog.chooseCardSet("003M"));
        fit->setChecked(true); // the medium set's cards, at the fit size
        QVERIFY(dialog.chooseBack(HorseBack));
        dialog.accept();
        QVERIFY(!dialog.isVisible());
    });
    QCOMPARE(m_window->config().readText("Preference", "Card_Size", ""), std::string("F"));
    QCOMPARE(m_window->config().readNumber("Preference", "Card", 0), long(assets::smallSizesCardSet));
    QCOMPARE(m_window->config().readNumber("Preference", "Back_Card", 0), long(HorseBack));
    QCOMPARE(m_window->table().pictures().sizeLetter(), 'F');
    QVERIFY(m_window->table().pictures().tableSize().width > 71);

    inDialog(TfrmCustomize::Cards, [&](TfrmCustomize& dialog) {
        auto* fit = dialog.findChild<QCheckBox*>(QStringLiteral("chkFitCards"));
        QVERIFY(fit->isChecked());
        QVERIFY(dialog.chooseCardSet("003M"));
        QVERIFY(!fit->isChecked());
        QVERIFY(dialog.chooseCardSet("002B"));
        fit->setChecked(true);
        fit->setChecked(false);
        dialog.accept();
    });
    QCOMPARE(m_window->config().readText("Preference", "Card_Size", ""), std::string("B"));
    QCOMPARE(m_window->table().pictures().tableSize(), (CardSize{71, 96}));
}

void TstCustomize::smallCardsAskFirstAndTakeTheirOwnBack()
{
    play(1, "Freecell");
    inDialog(TfrmCustomize::Cards, [&](TfrmCustomize& dialog) {
        QVERIFY(dialog.chooseBack(HorseBack));
        QVERIFY(dialog.chooseCardSet("003M"));
        dialog.accept(); // the question answered Cancel: the dialog stays, nothing written
        QVERIFY(dialog.isVisible());
        QCOMPARE(m_window->config().readText("Preference", "Card_Size", "none"), std::string("B")); // as it was
        m_harness.ports.messages.queueAnswer(Answer::Ok);
        dialog.accept();
        QVERIFY(!dialog.isVisible());
    });
    QCOMPARE(m_window->config().readNumber("Preference", "Back_Card", 0), long(SmallSizesBack));
    QCOMPARE(m_window->store().fnStoreGet(Fld::Back_Card), std::string("006"));
    QCOMPARE(m_window->table().pictures().sizeLetter(), 'M');
}

// OK tells that CFG.DAT could not take the choices and stays open with them, so that nothing is
// lost; once the file can be written again, OK writes them.
void TstCustomize::aConfigurationThatCannotBeWrittenKeepsTheDialogOpen()
{
    play(1, "Freecell");
    const std::filesystem::path cfg = m_harness.dataDir() + "/CFG.DAT";
    const std::filesystem::path aside = m_harness.dataDir() + "/CFG.DAT.aside";
    inDialog(TfrmCustomize::General, [&](TfrmCustomize& dialog) {
        dialog.findChild<QCheckBox*>(QStringLiteral("chkPilesSize"))->setChecked(true);
        std::filesystem::rename(cfg, aside);
        std::filesystem::create_directory(cfg); // in the way of every write
        m_harness.ports.messages.clear();
        dialog.accept();
        QVERIFY(dialog.isVisible());
        const std::vector<std::string> told = m_harness.ports.messages.texts();
        QCOMPARE(told.size(), std::size_t(1));
        QVERIFY2(told.front().starts_with("The preferences could not be written to "), told.front().c_str());
        QCOMPARE(m_window->store().fnStoreGet(Fld::ShowPilesSize), std::string("N"));

        std::filesystem::remove(cfg);
        std::filesystem::rename(aside, cfg);
        dialog.accept();
        QVERIFY(!dialog.isVisible());
    });
    QCOMPARE(m_window->config().readText("Preference", "ShowPilesSize", "?"), std::string("Y"));
    QCOMPARE(m_window->store().fnStoreGet(Fld::ShowPilesSize), std::string("Y"));
}

void TstCustomize::soundAndWinningAnimationControlsFollowTheirSwitches()
{
    play(1, "Freecell");
    m_window->store().fnStoreSet(Fld::Sounds_Redo, "N");
    inDialog(TfrmCustomize::Sounds, [&](TfrmCustomize& dialog) {
        auto* disableAll = dialog.findChild<QCheckBox*>(QStringLiteral("chkSoundsEnabled"));
        auto* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("trvSounds"));
        PreferenceSet set = dialog.choices();
        QVERIFY(!set.sounds[1]); // Redo, as stored
        disableAll->setChecked(true);
        set = dialog.choices();
        QVERIFY(!set[Switch::SoundsEnabled]);
        QVERIFY(!tree->isEnabled());
        for (bool on : set.sounds)
            QVERIFY(!on);
        disableAll->setChecked(false);
        set = dialog.choices();
        QVERIFY(set[Switch::SoundsEnabled]);
        for (bool on : set.sounds)
            QVERIFY(on); // every single event again, Redo too

        auto* animation = dialog.findChild<QComboBox*>(QStringLiteral("cboWinningAnim"));
        auto* time = dialog.findChild<QWidget*>(QStringLiteral("edtWinningTime"));
        animation->setCurrentIndex(animation->count() - 1);
        QCOMPARE(animation->currentText(), QStringLiteral("(None)"));
        QVERIFY(!time->isEnabled());
        QVERIFY(!dialog.findChild<QPushButton*>(QStringLiteral("btnPreview"))->isEnabled());
        animation->setCurrentIndex(1);
        QVERIFY(time->isEnabled());
    });
}

void TstCustomize::thePointerListStandsForTheStoredNumbers()
{
    play(1, "Freecell");
    // The system's arrow shows as the large arrow; each shape stores 10 + its place; none, 0.
    const std::pair<int, int> cases[] = {{0, 11}, {10, 10}, {13, 13}, {15, 15}, {42, 0}};
    for (const auto& [stored, shown] : cases) {
        TfrmPointers dialog(m_window->statsContext(), stored);
        QCOMPARE(dialog.pointer(), shown);
    }
}

// The preview closes the dialog, plays the chosen animation at the chosen speed, and shows the
// dialog again as the player left it; the session's speed is its own again afterwards.
void TstCustomize::aPreviewPlaysAtTheChosenSpeedAndKeepsTheEdits()
{
    play(1, "Freecell");
    SessionStore& store = m_window->store();
    const std::string speedBefore = store.fnStoreGet(Fld::Speed_Move_Card);
    struct Played {
        std::string pattern;
        int seconds;
        std::string speed;
    };
    std::vector<Played> played;
    bool editsKept = false;
    CustomizeContext context{m_window->statsContext(), m_window->ports(), m_harness.programDir(), {}, {},
                             [&](const std::string& pattern, int seconds) {
                                 played.push_back({pattern, seconds, store.fnStoreGet(Fld::Speed_Move_Card)});
                                 // Shown again: the edits are there; then the player cancels.
                                 QTimer::singleShot(0, [&] {
                                     auto* dialog = qobject_cast<TfrmCustomize*>(QApplication::activeModalWidget());
                                     QVERIFY(dialog);
                                     editsKept = dialog->choices()[Switch::ShowPilesSize]
                                         && dialog->choices().winningAnimation == "Festoons";
                                     dialog->reject();
                                 });
                                 return true;
                             }};
    test::onModal(
        [&](QDialog& dialog) {
            dialog.findChild<QCheckBox*>(QStringLiteral("chkPilesSize"))->setChecked(true);
            dialog.findChild<QComboBox*>(QStringLiteral("cboWinningAnim"))->setCurrentIndex(1);
            dialog.findChild<QSpinBox*>(QStringLiteral("edtWinningTime"))->setValue(40);
            dialog.findChild<QSlider*>(QStringLiteral("trbSpeed"))->setValue(5);
            dialog.findChild<QPushButton*>(QStringLiteral("btnPreview"))->click();
        },
        [&] { fnCustomizeDialog(context, TfrmCustomize::Animations, m_window.get()); });
    QCOMPARE(played.size(), std::size_t(1));
    QCOMPARE(played.front().pattern, std::string("Festoons"));
    QCOMPARE(played.front().seconds, 40);
    QCOMPARE(played.front().speed, std::string("0"));
    QVERIFY(editsKept);
    QCOMPARE(store.fnStoreGet(Fld::Speed_Move_Card), speedBefore);
    QCOMPARE(store.fnStoreGet(Fld::ShowPilesSize), std::string("N")); // cancelled at last

    // The window closing during the preview: the dialog is not shown again, and nothing is kept.
    bool shownAgain = false;
    context.previewWinning = [&](const std::string&, int) {
        QTimer::singleShot(0, [&] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                shownAgain = true;
                dialog->reject();
            }
        });
        return false;
    };
    test::onModal(
        [&](QDialog& dialog) {
            dialog.findChild<QCheckBox*>(QStringLiteral("chkPilesSize"))->setChecked(true);
            dialog.findChild<QPushButton*>(QStringLiteral("btnPreview"))->click();
        },
        [&] { fnCustomizeDialog(context, TfrmCustomize::Animations, m_window.get()); });
    QCoreApplication::processEvents();
    QVERIFY(!shownAgain);
    QCOMPARE(store.fnStoreGet(Fld::ShowPilesSize), std::string("N"));
    QCOMPARE(store.fnStoreGet(Fld::Speed_Move_Card), speedBefore);
}

// A picture that CFG.DAT names but that could never be decoded (written there by hand or by
// another program) is refused by its header: the player is told, and the table is the default.
void TstCustomize::aStoredPictureTooLargeToShowFallsBackToTheDefault()
{
    const QString huge = m_pictures->filePath(QStringLiteral("huge.bmp"));
    std::ofstream(huge.toStdString(), std::ios::binary) << hugeBitmapHeader(10000);
    ProfileFile config(m_harness.dataDir() + "/CFG.DAT");
    config.writeText("Preference", "Customized_Background", huge.toStdString());
    TfrmMain& window = play(1, "Freecell");
    const std::vector<std::string> told = m_harness.ports.messages.texts();
    QCOMPARE(std::count_if(told.begin(), told.end(),
                           [](const std::string& text) {
                               return text.starts_with("Customized background image not found");
                           }),
             1L);
    QCOMPARE(QColor(tableImage(window).pixel(emptySpot(window))), QColor(0, 96, 0));
    QCOMPARE(config.readText("Preference", "Customized_Background", "?"), std::string());
}

// With KESTRANE_SCREENSHOTS set to a folder, under a real X server: every page of the dialog
// photographed with the whole screen.
void TstCustomize::screenshots()
{
    const QByteArray folder = qgetenv("KESTRANE_SCREENSHOTS");
    if (folder.isEmpty())
        QSKIP("KESTRANE_SCREENSHOTS names no folder");
    play(Klondike, "Klondike");
    const auto shoot = [&](QWidget& window, const QString& name) {
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(300); // the first paint reaches the X server
        const QString file = QStringLiteral("%1/%2.png").arg(QString::fromLocal8Bit(folder), name);
        QCOMPARE(std::system(("import -window root " + file.toStdString()).c_str()), 0);
    };
    for (int page = TfrmCustomize::General; page <= TfrmCustomize::Sounds; ++page)
        inDialog(page, [&](TfrmCustomize& dialog) { shoot(dialog, QStringLiteral("customize-%1").arg(page)); });
    inDialog(TfrmCustomize::Backgrounds, [&](TfrmCustomize& dialog) {
        QVERIFY(dialog.chooseBackground(WavesBackground));
        shoot(dialog, QStringLiteral("customize-3-picture"));
    });
    // The two small dialogs of the General page.
    for (const char* button : {"btnPointers", "btnAdvanced"})
        inDialog(TfrmCustomize::General, [&](TfrmCustomize& dialog) {
            test::onModal([&](QDialog& small) { shoot(small, QLatin1String(button)); },
                          [&] { dialog.findChild<QPushButton*>(QLatin1String(button))->click(); });
        });
}

KST_UI_TEST_MAIN(TstCustomize)
#include "tst_customize.moc"
