// The main window as the program opens it: start-up on a first run, the dealt table painted where
// the layout puts the piles, resizing and scrolling, the time box, and the shut-down.

#include "MainWindowHarness.h"

#include "cards/Card.h"

#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWindow>

#include <filesystem>

using namespace kst;
namespace fs = std::filesystem;

class TstMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void aFirstRunStartsWithTheDefaultsAndThreePlayers();
    void theFirstActivationDealsTheSavedGameOntoTheTable();
    void theDealGlidesWithoutTouchingTheGame();
    void aLowWindowScrollsTheTable();
    void theTimeBoxCountsPastMidnight();
    void shutDownRecordsThePlacement();
    void closes_data();
    void closes();
    void inputFiltersTakeKeysAndPresses();
    void theAutoplaySwitchAndItsButtonsAgree();
    void aRandomGameIsRecordedAndNoGameLeavesTheBackground();

private:
    std::unique_ptr<TfrmMain> openWindow(EventPump* events = nullptr) { return m_harness.openWindow(events); }
    static QAction* findAction(const QList<QAction*>& actions, const QString& text);

    test::MainWindowHarness m_harness;
    test::TestPorts& m_test = m_harness.ports;
};

void TstMainWindow::initTestCase()
{
    QVERIFY(m_harness.prepare());
}

void TstMainWindow::init()
{
    m_harness.reset();
}

QAction* TstMainWindow::findAction(const QList<QAction*>& actions, const QString& text)
{
    for (QAction* a : actions)
        if (a->text() == text)
            return a;
    return nullptr;
}

void TstMainWindow::aFirstRunStartsWithTheDefaultsAndThreePlayers()
{
    const auto window = openWindow();
    QCOMPARE(window->windowTitle(), QStringLiteral("Kestrane 2000"));
    QCOMPARE(window->store().fnStoreGet(Fld::Back_Card), std::string("011"));
    QCOMPARE(window->store().fnStoreGet(Fld::GameId), std::string("0001"));
    QCOMPARE(window->store().fnStoreGet(Fld::UserDefault), std::string("Player 1"));
    QCOMPARE(window->config().readText("Users", "User003", ""), std::string("Player 3"));
    QCOMPARE(window->timeText(), QStringLiteral("0:00:00"));
    QVERIFY(fs::exists(fs::path(m_harness.programDir()) / "KSTV0430.DAT"));
    QVERIFY2(!window->gameInProgress(), "no game before the first activation");
    QVERIFY(m_test.messages.shown().empty());
}

void TstMainWindow::theFirstActivationDealsTheSavedGameOntoTheTable()
{
    const auto window = openWindow();
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QTRY_VERIFY(window->gameInProgress());
    // The caption to the letter, on the window system's window too: the toolkit adds nothing.
    const QString caption = QStringLiteral("Kestrane 2000 [Freecell]  [Player 1]  [")
        + QString::fromStdString(window->store().fnStoreGet(Fld::GameNumber)) + QStringLiteral("]");
    QCOMPARE(window->windowTitle(), caption);
    QCOMPARE(window->windowHandle()->title(), caption);
    QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());

    TableView& table = window->table();
    const QImage shown = window->tableWidget().picture().image();
    for (int i = 0; i < 8; ++i) {
        const std::string& pile = table.cards().piles.fila[std::size_t(i)];
        const Point at = table.positions().at(filaPile(i));
        const Bitmap* face = table.pictures().face(cardAt(pile, 0));
        QVERIFY(face);
        // The first card of each column shows its top strip, 30 pixels in and 8 down.
        QCOMPARE(shown.pixel(at.x + 30, at.y + 8) & 0xffffffu, QRgb(face->pixel(30, 8)));
        const Bitmap* top = table.pictures().face(topCard(pile));
        const int last = cardCount(pile) - 1;
        QCOMPARE(shown.pixel(at.x + 30, at.y + 18 * last + 50) & 0xffffffu, QRgb(top->pixel(30, 50)));
    }
}

namespace {

// Sees the deal from inside its pauses, which take the clock's time as a real pause would but
// handle no window messages: whatever is painted meanwhile is painted at once.
class WatchingPump : public EventPump
{
public:
    WatchingPump(test::FakeClock& clock, std::function<void()> watch) : m_clock(clock), m_watch(std::move(watch)) {}
    void processPendingEvents(int maxWaitMs) override
    {
        m_watch();
        m_clock.advance(std::uint64_t(std::max(maxWaitMs, 1)));
    }

private:
    test::FakeClock& m_clock;
    std::function<void()> m_watch;
};

class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

} // namespace

void TstMainWindow::theDealGlidesWithoutTouchingTheGame()
{
    TfrmMain* watched = nullptr;
    int gameIncomplete = 0, cardsOnTheirWay = 0;
    WatchingPump pump(m_test.clock, [&] {
        if (!watched)
            return;
        TableView& table = watched->table();
        if (!tableIsOk(table.cards().piles, firstCards(52)).empty())
            ++gameIncomplete;
        // A card on its way is on the window's picture but not yet in the table buffer.
        const QImage& shown = watched->tableWidget().picture().image();
        bool differs = false;
        for (int y = 0; y < shown.height() && !differs; y += 6)
            for (int x = 0; x < shown.width() && !differs; x += 6)
                differs = (shown.pixel(x, y) & 0xffffffu) != table.tableBuffer().pixel(x, y);
        cardsOnTheirWay += differs ? 1 : 0;
    });
    const auto window = openWindow(&pump);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->firstActivation();
    QVERIFY(window->gameInProgress());
    // The next deal is watched, without automatic play after it and without the quit question.
    if (window->autoPlay())
        window->toggleAutoPlay();
    window->store().fnStoreSet(Fld::ConfirmQuitGame, "N");
    QCoreApplication::processEvents();
    watched = window.get();
    const PaintCounter counter(window->tableWidget());
    const auto start = m_test.clock.ticks();

    window->newDeal();
    QVERIFY(window->gameInProgress());
    QCOMPARE(gameIncomplete, 0);
    QVERIFY(cardsOnTheirWay > 0);
    QVERIFY2(counter.paints == 0, "the screen follows with its frames, never at once");
    const auto lasted = m_test.clock.ticks() - start;
    QVERIFY2(lasted >= 400 && lasted <= 1500, qPrintable(QString::number(lasted) + " ms for the deal"));
    QTRY_VERIFY(counter.paints > 0);
}

void TstMainWindow::aLowWindowScrollsTheTable()
{
    const auto window = openWindow();
    window->setWindowState(Qt::WindowNoState);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->firstActivation();
    QVERIFY(window->gameInProgress());
    window->resize(700, 260);
    auto* bar = window->findChild<QScrollBar*>(QStringLiteral("scrBarMain"));
    QVERIFY(bar);
    QTRY_VERIFY(bar->isVisible());
    QVERIFY(bar->maximum() > 0);
    bar->setValue(40);
    QCOMPARE(window->table().scrollOffset(), 40);
    const QImage shown = window->tableWidget().picture().image();
    QCOMPARE(shown.pixel(200, 100) & 0xffffffu, QRgb(window->table().tableBuffer().pixel(200, 140)));

    window->resize(900, 700);
    QTRY_VERIFY(!bar->isVisible());
    QCOMPARE(window->table().scrollOffset(), 0);
}

void TstMainWindow::theTimeBoxCountsPastMidnight()
{
    m_test.clock.setNow({2026, 12, 10, 23, 59, 30, 0});
    const auto window = openWindow();
    window->show();
    window->firstActivation();
    QVERIFY(window->gameInProgress());
    m_test.clock.setNow({2026, 12, 11, 0, 0, 30, 0});
    window->timerTick();
    QCOMPARE(window->timeText(), QStringLiteral("0:01:00"));
}

void TstMainWindow::shutDownRecordsThePlacement()
{
    {
        const auto window = openWindow();
        window->setWindowState(Qt::WindowNoState);
        window->setGeometry(60, 70, 640, 480);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QVERIFY(window->close());
        QCOMPARE(window->config().readText("Preference", "MainWindowState_Maximized", ""), std::string("N"));
        QCOMPARE(window->config().readNumber("Preference", "MainWindowState_Width", 0), 640L);
        QCOMPARE(window->config().readNumber("Preference", "MainWindowState_Height", 0), 480L);
        QCOMPARE(window->config().readText("Preference", "AutoPlay", ""), std::string("Y"));
    }
    const auto again = openWindow();
    QCOMPARE(again->geometry().size(), QSize(640, 480));
    QVERIFY(!again->isMaximized());
    QVERIFY2(m_test.messages.shown().empty(), "no confirmation unless asked for");
}

void TstMainWindow::closes_data()
{
    QTest::addColumn<bool>("byKey");
    QTest::newRow("Exit in the File menu") << false;
    QTest::newRow("Alt+F4") << true;
}

void TstMainWindow::closes()
{
    QFETCH(bool, byKey);
    const auto window = openWindow();
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    if (byKey) {
        QTest::keyClick(window.get(), Qt::Key_F4, Qt::AltModifier);
    } else {
        QAction* file = findAction(window->menuBar()->actions(), QStringLiteral("&File"));
        QVERIFY(file && file->menu());
        findAction(file->menu()->actions(), QStringLiteral("E&xit"))->trigger();
    }
    QTRY_VERIFY(!window->isVisible());
}

void TstMainWindow::inputFiltersTakeKeysAndPresses()
{
    const auto window = openWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    int taken = 0;
    window->installInputFilter(InputFilter::Kind::Pause, [&] { ++taken; });
    QTest::keyClick(window.get(), Qt::Key_Space);
    QTest::mouseClick(&window->tableWidget(), Qt::RightButton);
    QCOMPARE(taken, 2);
    QTest::keyClick(window.get(), Qt::Key_X, Qt::AltModifier);
    QCOMPARE(taken, 2); // Alt combinations pass a pause
    window->removeInputFilter(InputFilter::Kind::Pause);
    QTest::keyClick(window.get(), Qt::Key_Space);
    QCOMPARE(taken, 2);
}

void TstMainWindow::theAutoplaySwitchAndItsButtonsAgree()
{
    const auto window = openWindow();
    auto* large = window->findChild<QToolButton*>(QStringLiteral("tbAutoPlay"));
    auto* small = window->findChild<QToolButton*>(QStringLiteral("tbAutoPlay1"));
    QVERIFY(large && small);
    QVERIFY(window->autoPlay()); // AutoPlay defaults to "Y"
    QVERIFY(large->isChecked() && small->isChecked());
    window->firstActivation();
    small->click();
    QVERIFY(!window->autoPlay());
    QVERIFY(!large->isChecked());
    window->toggleAutoPlay();
    QVERIFY(large->isChecked() && small->isChecked());
}

void TstMainWindow::aRandomGameIsRecordedAndNoGameLeavesTheBackground()
{
    const auto window = openWindow();
    window->show();
    window->firstActivation();
    m_test.random.queue(6); // a draw from 0 .. N-2: game 6
    m_test.messages.queueAnswer(Answer::Ok); // leave the running game
    window->randomGame();
    QVERIFY(window->gameInProgress());
    QCOMPARE(window->store().fnStoreGet(Fld::GameId), std::string("0006"));
    QCOMPARE(window->config().readNumber("Preference", "Game", 0), 6L);
    QCOMPARE(window->config().readNumber("Preference", "Game_TreeNum", 0), -30L);
    QVERIFY(window->windowTitle().contains(QStringLiteral("[Spider]")));

    window->enterNoGameState();
    QVERIFY(!window->gameInProgress());
    QCOMPARE(window->store().fnStoreGet(Fld::GameId), std::string("-1"));
    QVERIFY(!window->findChild<QAction*>(QStringLiteral("mnuNew"))->isEnabled());
    const QImage shown = window->tableWidget().picture().image();
    for (const QPoint at : {QPoint(300, 200), QPoint(100, 400)})
        QCOMPARE(shown.pixel(at) & 0xffffffu, QRgb(window->table().backgroundBuffer().pixel(at.x(), at.y())));
}

QTEST_MAIN(TstMainWindow)
#include "tst_mainwindow.moc"
