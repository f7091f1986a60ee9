// Game information, the rules help of a customized game beside its base game, and the Tip of the
// Day with its start-up switch.

#include "MainWindowHarness.h"

#include "shell/HelpWindow.h"
#include "shell/TfrmTips.h"
#include "stats/Statistics.h"
#include "stats/ui/StatsContext.h"
#include "tests/support/CatalogueFiles.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <fstream>

using namespace kst;
using kst::test::onModal;

namespace {

constexpr int Klondike = 2;

QString labelText(QDialog& dialog, const char* name)
{
    auto* label = dialog.findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<none>");
}

} // namespace

class TstGameInfo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_harness.prepare()); }
    void init();
    void cleanup() { m_window.reset(); }
    void informationOfTheGameOnTheTable();
    void rulesOfACustomizedGame();
    void tipsGoRoundAndRememberTheSwitch();
    void helpPagesFromF1AndTheKeyboard();

private:
    void open()
    {
        m_window = m_harness.openWindow();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_window->firstActivation();
        m_window->store().fnStoreSet(Fld::ConfirmQuitGame, "N");
    }
    QAction* action(const char* name) { return m_window->findChild<QAction*>(QLatin1String(name)); }

    test::MainWindowHarness m_harness;
    std::unique_ptr<TfrmMain> m_window;
};

void TstGameInfo::init()
{
    m_harness.reset();
    open();
}

void TstGameInfo::informationOfTheGameOnTheTable()
{
    QVERIFY(m_window->startGame(Klondike, "Klondike", true));
    onModal(
        [](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Klondike"));
            for (const char* name : {"lblPlayed", "lblWon", "lblLost"})
                QCOMPARE(labelText(dialog, name), QStringLiteral("0"));
        },
        [this] { action("mnuGameInformation")->trigger(); });

    StatsContext& stats = m_window->statsContext();
    const std::string player = stats.store.fnStoreGet(Fld::UserDefault);
    fnRecordResult(stats.files, stats.store, Klondike, player, true, 30);
    fnRecordResult(stats.files, stats.store, Klondike, player, false, 30);
    onModal(
        [](QDialog& dialog) {
            QCOMPARE(labelText(dialog, "lblPlayed"), QStringLiteral("2"));
            QCOMPARE(labelText(dialog, "lblWon"), QStringLiteral("1"));
            QCOMPARE(labelText(dialog, "lblLost"), QStringLiteral("1"));
        },
        [this] { action("popGameInformation")->trigger(); });

    // Without a game there is nothing to tell.
    m_window->enterNoGameState();
    QVERIFY(!action("mnuGameInformation")->isEnabled());
}

void TstGameInfo::rulesOfACustomizedGame()
{
    std::ofstream(m_harness.dataDir() + "/GAM_CUST.DAT", std::ios::binary)
        << test::customGamesFile({{8000, "Quick Klondike", Klondike, "003-013"}});
    QVERIFY(m_window->startGame(8000, "Quick Klondike", true));
    bool baseRulesShown = false;
    onModal(
        [&](QDialog& help) {
            QCOMPARE(help.windowTitle(), QStringLiteral("Help [Quick Klondike]"));
            QCOMPARE(labelText(help, "lblGameFrom"), QStringLiteral("Klondike"));
            QCOMPARE(labelText(help, "lblName1"), QStringLiteral("Quick Klondike"));
            QCOMPARE(labelText(help, "lblName2"), QStringLiteral("Klondike"));
            QCOMPARE(labelText(help, "pnlCardShuffeled1"), QStringLiteral("3"));
            QCOMPARE(labelText(help, "pnlCardShuffeled2"), QStringLiteral("1"));
            QCOMPARE(labelText(help, "pnlRedeals1"), QStringLiteral("Unlimited"));
            QCOMPARE(labelText(help, "pnlRedeals2"), QStringLiteral("Unlimited"));
            QCOMPARE(labelText(help, "pnlTableauFirstCard1"), QStringLiteral("None"));
            QCOMPARE(labelText(help, "pnlTableauFirstCard2"), QStringLiteral("King only"));
            QCOMPARE(labelText(help, "lblGameFrom2"), QStringLiteral("Click this button to view Klondike rules"));
            onModal(
                [&](QDialog& rules) {
                    QCOMPARE(rules.objectName(), QStringLiteral("frmHelp"));
                    QVERIFY(static_cast<HelpWindow&>(rules).page().path().endsWith(QStringLiteral("0002.html")));
                    baseRulesShown = true;
                },
                [&help] { help.findChild<QPushButton*>(QStringLiteral("btnRules"))->click(); });
        },
        [this] { action("mnuRules")->trigger(); });
    QVERIFY(baseRulesShown);
}

void TstGameInfo::tipsGoRoundAndRememberTheSwitch()
{
    m_window->config().writeNumber("Preference", "Tips_Num", 26);
    m_window->config().writeText("Preference", "Tips_StartUp", "Y");
    onModal(
        [](QDialog& dialog) {
            auto& tips = static_cast<TfrmTips&>(dialog);
            QCOMPARE(tips.tipShown(), 0); // after the last, the first
            QVERIFY(tips.tipText().startsWith(QStringLiteral("You can open one of the last games")));
            tips.previousTip();
            QCOMPARE(tips.tipShown(), TfrmTips::tipCount() - 1);
            tips.nextTip();
            tips.nextTip();
            QCOMPARE(tips.tipShown(), 1);
            auto* startUp = dialog.findChild<QCheckBox*>(QStringLiteral("chkStartUp"));
            QVERIFY(startUp->isChecked());
            startUp->setChecked(false);
            QTest::keyClick(&dialog, Qt::Key_Escape);
        },
        [this] { action("mnuTips")->trigger(); });
    QCOMPARE(m_window->config().readText("Preference", "Tips_Num", ""), std::string("1"));
    QCOMPARE(m_window->config().readText("Preference", "Tips_StartUp", ""), std::string("N"));

    // Switched on, the tip opens by itself at the next start, before the game browser.
    m_window->config().writeText("Preference", "Tips_StartUp", "Y");
    m_window = m_harness.openWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    onModal(
        [](QDialog& dialog) {
            auto* tips = qobject_cast<TfrmTips*>(&dialog);
            QVERIFY(tips);
            QCOMPARE(tips->tipShown(), 2);
        },
        [this] { m_window->firstActivation(); });
    QVERIFY(m_window->gameInProgress()); // the browser followed
}

void TstGameInfo::helpPagesFromF1AndTheKeyboard()
{
    // F1 opens the page of the game on the table beside it, and the help stays open while playing.
    QVERIFY(m_window->startGame(Klondike, "Klondike", true));
    QCOMPARE(action("mnuRules")->shortcut(), QKeySequence(Qt::Key_F1));
    action("mnuRules")->trigger();
    HelpWindow* help = m_window->helpWindow();
    QVERIFY(help && help->isVisible());
    QVERIFY(help->page().path().endsWith(QStringLiteral("games/0002.html")));
    QVERIFY(help->pageText().contains(QStringLiteral("Klondike")));
    QVERIFY(help->pageText().contains(QStringLiteral("Aim:")));

    // The keyboard alone: find a game, open it, go back and forward.
    QTest::keySequence(help, QKeySequence::Find);
    auto* search = help->findChild<QLineEdit*>(QStringLiteral("edtSearch"));
    QTest::keyClicks(search, QStringLiteral("spider"));
    QTest::keyClick(search, Qt::Key_Down);
    QTest::keyClick(search, Qt::Key_Return);
    QVERIFY2(help->pageText().contains(QStringLiteral("Spider")), qPrintable(help->page().toString()));
    const QUrl spiderPage = help->page();
    QVERIFY(spiderPage != QUrl::fromLocalFile(QString()));
    help->findChild<QToolButton*>(QStringLiteral("btnBack"))->click();
    QVERIFY(help->page().path().endsWith(QStringLiteral("games/0002.html")));
    help->findChild<QToolButton*>(QStringLiteral("btnForward"))->click();
    QCOMPARE(help->page(), spiderPage);
    // The contents page and its link to the list of every game.
    help->showProgram();
    QVERIFY(help->pageText().contains(QStringLiteral("Playing Kestrane 2000")));
    help->showIndex();
    QVERIFY(help->pageText().contains(QStringLiteral("Freecell")));
    help->close();
}

KST_UI_TEST_MAIN(TstGameInfo)
#include "tst_gameinfo.moc"
