// On a screen of twice the pixel density the interface pictures come from the library's twins,
// drawn at twice the size: a toolbar button, a tree picture of the game browser and a slot of the
// card counter show every pixel of their twin instead of the small picture scaled up.

#include "MainWindowHarness.h"

#include "assets/PictureNames.h"
#include "platform/qt/QtGraphics.h"
#include "shell/GameFolders.h"
#include "table/ui/TfrmCardCounter.h"

#include <QPainter>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>

using namespace kst;

namespace {

// Qt reads the scale factor once, when the application starts: this runs before main makes it.
const bool screenAtTwiceTheDensity = qputenv("QT_SCALE_FACTOR", "2");

QImage premultiplied(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

class TstHiDpiInterface : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(screenAtTwiceTheDensity);
        QVERIFY(m_harness.prepare());
        m_harness.reset();
        m_window = m_harness.playFreecell();
        QVERIFY(m_window);
        QCOMPARE(m_window->devicePixelRatioF(), 2.0);
    }
    void cleanupTestCase() { m_window.reset(); }

    void toolbarButtonsShowTheirTwins_data();
    void toolbarButtonsShowTheirTwins();
    void theBrowserTreeShowsTheTwinsWithoutTheirGround();
    void theCardCounterDrawsItsSlotsFromTheTwins();

private:
    // The library's picture as an image; null when it has none.
    QImage picture(const std::string& name)
    {
        const std::unique_ptr<Bitmap> bitmap = m_window->ports().resources.bitmap(name);
        return bitmap ? premultiplied(pixmapOf(*bitmap).toImage()) : QImage();
    }

    test::MainWindowHarness m_harness;
    std::unique_ptr<TfrmMain> m_window;
};

void TstHiDpiInterface::toolbarButtonsShowTheirTwins_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("library");
    QTest::addColumn<int>("side");
    QTest::newRow("large") << "tbNew" << "TBL_NEW" << assets::toolbarLarge;
    QTest::newRow("small") << "tbUndo1" << "TB_UNDO" << assets::toolbarSmall;
}

// Both the enabled picture and the disabled one, as the button asks its icon for them.
void TstHiDpiInterface::toolbarButtonsShowTheirTwins()
{
    QFETCH(QString, button);
    QFETCH(QString, library);
    QFETCH(int, side);
    auto* shown = m_window->findChild<QToolButton*>(button);
    QVERIFY(shown);
    QCOMPARE(shown->iconSize(), QSize(side, side));
    const std::pair<QIcon::Mode, std::string> modes[] = {{QIcon::Normal, ""}, {QIcon::Disabled, "_DIS"}};
    for (const auto& [mode, suffix] : modes) {
        const QPixmap pixmap = shown->icon().pixmap(shown->iconSize(), shown->devicePixelRatioF(), mode);
        QCOMPARE(pixmap.devicePixelRatio(), 2.0);
        QCOMPARE(pixmap.size(), QSize(side, side) * 2);
        const QImage twin = picture(assets::twinName(library.toStdString() + suffix));
        QVERIFY(!twin.isNull());
        QVERIFY2(premultiplied(pixmap.toImage()) == twin, suffix.c_str());
    }
}

namespace {

// The tree's pictures lie on a ground colour that the browser leaves out; every other pixel is
// the twin's own.
bool showsTreeTwin(const QImage& shown, const QImage& twin)
{
    const QRgb ground = qRgb(assets::treeGround[0], assets::treeGround[1], assets::treeGround[2]) & RGB_MASK;
    if (twin.size() != shown.size())
        return false;
    for (int y = 0; y < twin.height(); ++y)
        for (int x = 0; x < twin.width(); ++x) {
            const bool isGround = (twin.pixel(x, y) & RGB_MASK) == ground;
            if (isGround ? qAlpha(shown.pixel(x, y)) != 0 : shown.pixel(x, y) != twin.pixel(x, y))
                return false;
        }
    return true;
}

} // namespace

void TstHiDpiInterface::theBrowserTreeShowsTheTwinsWithoutTheirGround()
{
    auto* tree = m_window->gameBrowser().findChild<QTreeWidget*>();
    QVERIFY(tree && tree->topLevelItemCount() > 0);
    const QSize side(assets::treePictureSize, assets::treePictureSize);
    const QPixmap pixmap = tree->topLevelItem(0)->icon(0).pixmap(side, 2.0);
    QCOMPARE(pixmap.devicePixelRatio(), 2.0);
    QCOMPARE(pixmap.size(), side * 2);
    const QImage shown = premultiplied(pixmap.toImage());
    const auto names = browserPictureNames();
    QVERIFY(std::any_of(names.begin(), names.end(), [&](const char* name) {
        return showsTreeTwin(shown, picture(assets::twinName(name)));
    }));
}

// The counter's picture is as fine as the screen, and each slot in it is the twin for its mark.
void TstHiDpiInterface::theCardCounterDrawsItsSlotsFromTheTwins()
{
    auto* counter = m_window->findChild<TfrmCardCounter*>("frmCardCounter");
    QVERIFY(counter);
    m_window->findChild<QAction*>("mnuCardCounter")->trigger();
    QVERIFY(counter->isVisible());
    const QImage& shown = counter->picture();
    QCOMPARE(shown.devicePixelRatio(), 2.0);
    // The Ace of hearts' slot: 16 window pixels right of the label and 3 down, whatever its mark.
    const QPoint slot(16 * 2, 3 * 2);
    const CounterMark mark = counter->marks().at(1);
    const std::string name = mark == CounterMark::None ? "Card_None"
        : mark == CounterMark::Up                      ? "Card_1_Up"
                                                       : "Card_1_Down";
    const QImage twin = picture(assets::twinName(name));
    QCOMPARE(twin.size(), QSize(assets::counterSlotWidth, assets::counterSlotHeight) * 2);
    QImage expected(twin.size(), QImage::Format_RGB32);
    expected.fill(counter->palette().color(QPalette::Window));
    QPainter(&expected).drawImage(0, 0, twin);
    QVERIFY(shown.copy(QRect(slot, twin.size())) == expected);
}

KST_UI_TEST_MAIN(TstHiDpiInterface)

#include "tst_hidpi_interface.moc"
