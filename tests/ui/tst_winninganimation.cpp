// The winning display on the main window: it follows a won game and leads on to the game-won
// dialog, any key or press stops it at once, the window goes on resizing and repainting while it
// plays, a close during it closes the window at its end, and the appearance dialog's preview
// plays a given pattern for a given time.

#include "MainWindowHarness.h"

#include "solver/Solver.h"
#include "storage/ProfileFile.h"

#include <QImage>

using namespace kst;

class TstWinningAnimation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_harness.prepare()); }
    void init();
    void cleanup() { m_window.reset(); }

    void aWonGameIsCelebratedUntilAPressThenTheDialogFollows();
    void anyKeyOrPressStopsTheDisplayAtOnce_data();
    void anyKeyOrPressStopsTheDisplayAtOnce();
    void theWindowResizesAndRepaintsWhileItPlays();
    void aCloseDuringTheDisplayClosesTheWindowWithoutTheDialog();
    void thePreviewPlaysAGivenPatternForAGivenTime();

private:
    TfrmMain& window() { return *m_window; }
    void prefer(const char* pattern, long seconds)
    {
        ProfileFile config(m_harness.dataDir() + "/CFG.DAT");
        config.writeText("Preference", "Winning_Animations", pattern);
        config.writeNumber("Preference", "Winning_Animations_Time", seconds);
    }
    // The deal played to its win by the solver's line.
    void win()
    {
        GameSession& session = window().session();
        const solver::Result solved = solver::solve(session.game(), session.automaticPlay(), {});
        QCOMPARE(solved.verdict, solver::Verdict::Won);
        for (const Move& move : solved.line)
            QVERIFY(session.play(move, MoveOrigin::Dragged));
        QVERIFY(session.game().won);
    }
    QImage tableBuffer() { return dynamic_cast<QtBitmap&>(window().table().tableBuffer()).image().copy(); }
    QImage shown() { return window().tableWidget().picture().image().copy(); }

    test::MainWindowHarness m_harness;
    std::unique_ptr<TfrmMain> m_window;
};

void TstWinningAnimation::init()
{
    m_window.reset();
    m_harness.reset();
    m_window = m_harness.playFreecell();
    QVERIFY(m_window);
}

void TstWinningAnimation::aWonGameIsCelebratedUntilAPressThenTheDialogFollows()
{
    prefer("Open order", 30);
    win();
    const QImage won = tableBuffer();
    // Once the move that won is done.
    QTRY_VERIFY(window().animating());
    QVERIFY(window().hasInputFilter(InputFilter::Kind::Animation));
    QTRY_VERIFY(tableBuffer() != won);
    QVERIFY2(!window().findChild<TfrmGameWon*>(), "no dialog while the cards fly");
    // Commands that start or leave a game wait for it.
    window().newDeal();
    QVERIFY(window().animating());
    QVERIFY(!window().session().inProgress());

    QTest::mousePress(&window().tableWidget(), Qt::LeftButton, Qt::NoModifier, {300, 300});
    QVERIFY(!window().animating());
    QVERIFY2(tableBuffer() != won, "the cards painted stay");
    // The dialog follows (and is cancelled by the standing answer: the table gives way to the
    // background).
    QTRY_VERIFY(window().findChild<TfrmGameWon*>());
    QTRY_VERIFY(!window().table().gameOnTable());
    QVERIFY(!window().hasInputFilter(InputFilter::Kind::Animation));
}

void TstWinningAnimation::anyKeyOrPressStopsTheDisplayAtOnce_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("a press on the table") << 0;
    QTest::newRow("a right press") << 1;
    QTest::newRow("a plain key") << 2;
    QTest::newRow("a command's key") << 3; // Autoplay's: it must not switch
}

void TstWinningAnimation::anyKeyOrPressStopsTheDisplayAtOnce()
{
    QFETCH(int, kind);
    // Command keys reach their commands only in the active window.
    window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window()));
    const QImage before = tableBuffer();
    bool ended = false;
    window().runWinningAnimation("Lines", 30, [&] { ended = true; });
    QVERIFY(window().animating());
    QTRY_VERIFY(tableBuffer() != before);
    const bool autoPlay = window().autoPlay();
    switch (kind) {
    case 0: QTest::mousePress(&window().tableWidget(), Qt::LeftButton, Qt::NoModifier, {300, 300}); break;
    case 1: QTest::mousePress(&window().tableWidget(), Qt::RightButton, Qt::NoModifier, {300, 300}); break;
    case 2: QTest::keyClick(&window(), Qt::Key_Space); break;
    default: QTest::keyClick(&window(), Qt::Key_F7); break;
    }
    QVERIFY(!window().animating());
    const QImage stopped = tableBuffer();
    QTRY_VERIFY(ended);
    QVERIFY(!window().hasInputFilter(InputFilter::Kind::Animation));
    QCOMPARE(window().autoPlay(), autoPlay);
    QTest::qWait(100);
    QVERIFY2(tableBuffer() == stopped, "no card after the input");
    QVERIFY2(window().session().inProgress(), "the game on the table goes on");
}

void TstWinningAnimation::theWindowResizesAndRepaintsWhileItPlays()
{
    const PilePositions laidOut = window().table().positions();
    const QImage before = shown();
    window().runWinningAnimation("Open order", 30);
    QTRY_VERIFY(shown() != before);
    window().resize(760, 560);
    // The table is laid out afresh for the new size and shown whole, while the display goes on.
    QTRY_VERIFY(!(window().table().positions() == laidOut));
    QTRY_COMPARE(window().tableWidget().picture().image().size(), window().tableWidget().size());
    QVERIFY(window().animating());
    const QImage resized = shown();
    QTRY_VERIFY(shown() != resized);
    QVERIFY(window().animating());
}

void TstWinningAnimation::aCloseDuringTheDisplayClosesTheWindowWithoutTheDialog()
{
    m_harness.answers.gameWon = false; // a dialog shown now would hold the test up
    prefer("Circles", 30);
    win();
    QTRY_VERIFY(window().animating());
    QVERIFY2(!window().close(), "refused while it plays");
    QVERIFY(!window().animating());
    QTRY_VERIFY(!window().isVisible());
    QTest::qWait(50);
    QVERIFY(!window().findChild<TfrmGameWon*>());
}

void TstWinningAnimation::thePreviewPlaysAGivenPatternForAGivenTime()
{
    window().store().fnStoreSet(Fld::Speed_Move_Card, "0");
    const QImage before = tableBuffer();
    // None of the six: nothing drawn, over at once.
    QVERIFY(window().previewWinningAnimation("Spirals", 30));
    QVERIFY(tableBuffer() == before);
    // A second of it, then the input handled as before; the cards stay.
    QVERIFY(window().previewWinningAnimation("Open order", 1));
    QVERIFY(!window().animating());
    QVERIFY(!window().hasInputFilter(InputFilter::Kind::Animation));
    QVERIFY(tableBuffer() != before);
    // A close asked for during a preview: the preview ends, says so, and the window closes.
    QTimer::singleShot(50, m_window.get(), [this] { window().close(); });
    QVERIFY(!window().previewWinningAnimation("Festoons", 30));
    QTRY_VERIFY(!window().isVisible());
}

KST_UI_TEST_MAIN(TstWinningAnimation)
#include "tst_winninganimation.moc"
