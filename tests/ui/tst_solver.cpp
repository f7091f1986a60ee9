// The solver in the window: the verdict line follows the position on the table, the hint makes
// the move the solver's own line names, the solution plays to a win unless the player stops it,
// the two switches outlive the program, and "Winnable deals only" deals numbers the solver proves.

#include "MainWindowHarness.h"

#include "engine/Moves.h"
#include "solver/Solver.h"

#include <QAction>
#include <QLabel>
#include <QStatusBar>

#include <utility>

using namespace kst;

namespace {

const QString Thinking = QStringLiteral("Solver: thinking\u2026");

// The status line as the verdict names it.
QString verdictText(const solver::Result& result)
{
    switch (result.verdict) {
    case solver::Verdict::Won: return QStringLiteral("Winnable");
    case solver::Verdict::Lost: return QStringLiteral("Not winnable from here");
    case solver::Verdict::Unknown: break;
    }
    return QStringLiteral("Solver: no answer in time");
}

// The test ports' pump, which also gives the player's input once, a number of calls from now: a
// key or a press that comes while the program moves the cards.
class InputLater : public EventPump {
public:
    explicit InputLater(test::FakeClock& clock) : m_clock(clock) {}
    void processPendingEvents(int maxWaitMs) override
    {
        m_clock.advance(std::uint64_t(std::max(maxWaitMs, 1)));
        if (m_input && --m_callsLeft == 0)
            std::exchange(m_input, {})();
    }
    void giveInput(int calls, std::function<void()> input)
    {
        m_callsLeft = calls;
        m_input = std::move(input);
    }

private:
    test::FakeClock& m_clock;
    int m_callsLeft = 0;
    std::function<void()> m_input;
};

} // namespace

class TstSolver : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_harness.prepare()); }
    void init();
    void aHintWaitsForTheSearchAndMakesTheLinesMove();
    void aHintWithoutAWinningLineSaysSo();
    void theSolutionPlaysToAWin();
    void anyInputStopsTheSolution_data();
    void anyInputStopsTheSolution();
    void aMoveCancelsTheSearchUnderWay();
    void theSwitchesOutliveTheProgram();
    void winnableDealsOnly();

private:
    // Freecell of the given deal on a shown window, automatic play off.
    TfrmMain& play(const char* number, EventPump* events = nullptr);
    QAction* action(const char* name) const { return m_window->findChild<QAction*>(QLatin1String(name)); }
    QString verdict() const { return m_window->findChild<QLabel*>(QStringLiteral("lblSolverVerdict"))->text(); }
    QString notice() const { return m_window->findChild<QLabel*>(QStringLiteral("lblSolverNotice"))->text(); }

    test::MainWindowHarness m_harness;
    std::unique_ptr<TfrmMain> m_window;
};

void TstSolver::init()
{
    m_window.reset();
    m_harness.reset();
}

TfrmMain& TstSolver::play(const char* number, EventPump* events)
{
    m_window = m_harness.playFreecell({1016, 740}, number, events);
    [&] { QVERIFY(m_window); }();
    return *m_window;
}

void TstSolver::aHintWaitsForTheSearchAndMakesTheLinesMove()
{
    TfrmMain& window = play("1");
    GameSession& session = window.session();
    const Game before = session.game();
    // Asked at once, before the search has said anything: the hint waits, the window says why.
    action("mnuHint")->trigger();
    QCOMPARE(verdict(), Thinking);
    QCOMPARE(session.undoSteps(), std::size_t(0));

    QTRY_COMPARE_WITH_TIMEOUT(session.undoSteps(), std::size_t(1), 60000);
    const solver::Result direct = solver::solve(before, session.automaticPlay());
    QCOMPARE(direct.verdict, solver::Verdict::Won);
    const Move first = direct.line.front();
    QCOMPARE(first.kind, MoveKind::Drop);
    QCOMPARE(locateCard(session.game(), first.card).pile, first.to);
    QVERIFY(session.game().pile(first.from) != before.pile(first.from));
    // What is left of the line wins from here: no new search is needed.
    QCOMPARE(verdict(), QStringLiteral("Winnable"));
}

void TstSolver::aHintWithoutAWinningLineSaysSo()
{
    TfrmMain& window = play("1");
    SolverControl::Budget tiny;
    tiny.position.nodes = 1; // too few for any answer
    window.solver().setBudget(tiny); // for the next position searched
    const Move move = legalMoves(window.session().game()).front();
    QVERIFY(window.session().play(move, MoveOrigin::Dragged));
    QTRY_COMPARE_WITH_TIMEOUT(verdict(), QStringLiteral("Solver: no answer in time"), 30000);

    const Game before = window.session().game();
    action("mnuHint")->trigger();
    QCOMPARE(notice(), QStringLiteral("No winning line is known from here"));
    QVERIFY(window.session().game() == before);
    // The notice is about that position only.
    QVERIFY(window.session().undo());
    QCOMPARE(notice(), QString());
}

void TstSolver::theSolutionPlaysToAWin()
{
    TfrmMain& window = play("1");
    QTRY_COMPARE_WITH_TIMEOUT(verdict(), QStringLiteral("Winnable"), 60000);
    action("mnuPlaySolution")->trigger();
    QVERIFY(window.session().game().won);
    QVERIFY(!window.session().inProgress());
    QVERIFY(!window.solver().playingSolution());
    QVERIFY(!window.animating());
    QVERIFY(!action("mnuHint")->isEnabled());
    QCOMPARE(verdict(), QString());
}

void TstSolver::anyInputStopsTheSolution_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("a press on the table") << 0;
    QTest::newRow("a plain key") << 1;
    QTest::newRow("a command's key") << 2; // Undo's: it must not run
}

void TstSolver::anyInputStopsTheSolution()
{
    QFETCH(int, kind);
    InputLater pump(m_harness.ports.clock);
    TfrmMain& window = play("1", &pump);
    GameSession& session = window.session();
    QTRY_COMPARE_WITH_TIMEOUT(verdict(), QStringLiteral("Winnable"), 60000);
    std::size_t movesWhenStopped = 0;
    pump.giveInput(200, [&] { // some moves into the line
        movesWhenStopped = session.undoSteps();
        if (kind == 0)
            QTest::mousePress(&window.tableWidget(), Qt::LeftButton, Qt::NoModifier, {300, 300});
        else if (kind == 1)
            QTest::keyClick(&window, Qt::Key_Space);
        else
            QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    });
    action("mnuPlaySolution")->trigger();

    QVERIFY(movesWhenStopped > 0);
    QVERIFY(!session.game().won);
    QVERIFY(session.inProgress());
    // The move under way is finished, and no other is made.
    QCOMPARE(session.undoSteps(), movesWhenStopped);
    QVERIFY(!session.canRedo());
    QVERIFY(!window.solver().playingSolution());
    QVERIFY(!window.hasInputFilter(InputFilter::Kind::Solution));
    QVERIFY(!window.animating());
    const std::size_t moves = session.undoSteps();
    QTest::qWait(100);
    QCOMPARE(session.undoSteps(), moves);
    // The rest of the line is still known: the hint goes on from here.
    QCOMPARE(verdict(), QStringLiteral("Winnable"));
    action("mnuHint")->trigger();
    QCOMPARE(session.undoSteps(), moves + 1);
}

void TstSolver::aMoveCancelsTheSearchUnderWay()
{
    TfrmMain& window = play("1");
    GameSession& session = window.session();
    // Spider with four suits: a deal the search takes far longer over than this test lasts.
    window.store().fnStoreSet(Fld::GameNumber, "2");
    m_harness.ports.messages.queueAnswer(Answer::Ok); // leave the running game
    QVERIFY(window.startGame(6, "Spider", false));
    QCOMPARE(session.game().gameId, 6);
    SolverControl::Budget endless;
    endless.position.seconds = 0;
    window.solver().setBudget(endless);
    QVERIFY(session.play(legalMoves(session.game()).front(), MoveOrigin::Dragged)); // searched with no limit
    QTest::qWait(300);
    QCOMPARE(verdict(), Thinking);

    // Another move: the status line is about the new position at once, and its search (bounded
    // now) gets the thread, which it could not while the endless one went on.
    SolverControl::Budget bounded;
    bounded.position.nodes = 3000;
    window.solver().setBudget(bounded);
    QVERIFY(session.play(legalMoves(session.game()).back(), MoveOrigin::Dragged));
    QCOMPARE(verdict(), Thinking);
    QTRY_VERIFY_WITH_TIMEOUT(verdict() != Thinking, 60000);
    solver::Limits limits = bounded.position;
    QCOMPARE(verdict(), verdictText(solver::solve(session.game(), session.automaticPlay(), limits)));
}

void TstSolver::theSwitchesOutliveTheProgram()
{
    TfrmMain& window = play("1");
    QVERIFY(action("mnuSolver")->isChecked());
    QVERIFY(!action("mnuWinnableOnly")->isChecked());
    QVERIFY(window.statusBar()->isVisible());
    action("mnuWinnableOnly")->trigger();
    action("mnuSolver")->trigger();
    QCOMPARE(window.config().readText("Preference", "Solver", ""), std::string("N"));
    QCOMPARE(window.config().readText("Preference", "Winnable_Deals_Only", ""), std::string("Y"));
    QVERIFY(!window.statusBar()->isVisible());
    QVERIFY(!action("mnuHint")->isEnabled());
    QVERIFY(!action("mnuPlaySolution")->isEnabled());
    QVERIFY(!action("mnuWinnableOnly")->isEnabled()); // it needs the solver

    // The program again, on the same data folder.
    m_window.reset();
    m_window = m_harness.openWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->firstActivation();
    QVERIFY(m_window->gameInProgress());
    QVERIFY(!action("mnuSolver")->isChecked());
    QVERIFY(action("mnuWinnableOnly")->isChecked());
    QVERIFY(!action("mnuWinnableOnly")->isEnabled());
    QVERIFY(!m_window->statusBar()->isVisible());
    QVERIFY(!action("mnuHint")->isEnabled());
    QCOMPARE(verdict(), QString());

    action("mnuSolver")->trigger();
    QCOMPARE(m_window->config().readText("Preference", "Solver", ""), std::string("Y"));
    QVERIFY(m_window->statusBar()->isVisible());
    QVERIFY(action("mnuHint")->isEnabled());
    QVERIFY(action("mnuWinnableOnly")->isEnabled());
}

void TstSolver::winnableDealsOnly()
{
    TfrmMain& window = play("1");
    test::TestPorts& ports = m_harness.ports;
    GameSession& session = window.session();
    action("mnuWinnableOnly")->trigger();
    // Counted in positions, so that the answer is the same on any machine: deal 116 takes this
    // search far longer (over 100000 positions) than deal 1 (a few thousand).
    SolverControl::Budget budget;
    budget.candidate = {20000, 0, SolverControl::TableBytes};
    budget.dealSeconds = 600;
    window.solver().setBudget(budget);

    // A deal chosen by its number stays.
    window.store().fnStoreSet(Fld::GameNumber, "2");
    QVERIFY(session.newDeal(true, false, KeepNumber, true));
    QCOMPARE(session.game().number, std::string("0000000000002"));

    // New: the draws give 1 x 116, which is not proved in time, then 1 x 1.
    for (const std::uint32_t draw : {1u, 116u, 1u, 1u})
        ports.random.queue(draw);
    ports.messages.queueAnswer(Answer::Ok); // leave the running game
    window.newDeal();
    QCOMPARE(session.game().number, std::string("0000000000001"));
    QVERIFY(session.inProgress());
    // The verdict came with the deal.
    QCOMPARE(verdict(), QStringLiteral("Winnable"));
    QCOMPARE(notice(), QString());
    QCOMPARE(solver::solve(session.game(), session.automaticPlay(), budget.candidate).verdict, solver::Verdict::Won);

    // Nothing proved in time: the last deal tried is dealt, and the player is told.
    budget.candidate.nodes = 1;
    budget.dealSeconds = 0.2;
    window.solver().setBudget(budget);
    ports.messages.queueAnswer(Answer::Ok);
    window.newDeal();
    QVERIFY(session.inProgress());
    QVERIFY(session.game().number != "0000000000001");
    QCOMPARE(notice(), QStringLiteral("No winnable deal found in time; this deal is not proven"));
}

KST_UI_TEST_MAIN(TstSolver)
#include "tst_solver.moc"
