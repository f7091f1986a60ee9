// The main window's commands: the menu tree as the player finds it, the toolbar's look switched
// from its popup menu, the boxes beside the buttons, Save asking before it replaces a file, and
// the game commands run from their menu items.

#include "MainWindowHarness.h"

#include <QDialog>

#include <QPlainTextEdit>

#include <QLabel>

#include <QTimer>

#include "engine/Moves.h"

#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QToolButton>

#include <filesystem>
#include <fstream>

using namespace kst;
namespace fs = std::filesystem;

Q_DECLARE_METATYPE(kst::Answer)

class TstMenus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_harness.prepare()); }
    void init();
    void theAboutBoxShowsTheLicenceAndTheNotices();
    void theMenuTree_data();
    void theMenuTree();
    void toolbarSwitches_data();
    void toolbarSwitches();
    void aNarrowWindowHidesTheBoxes_data();
    void aNarrowWindowHidesTheBoxes();
    void saveAsksBeforeReplacing_data();
    void saveAsksBeforeReplacing();
    void aSavedGameOpensAsItWasLeft();
    void undoAndRedoFromTheMenu_data();
    void undoAndRedoFromTheMenu();
    void theMainPopupMenuOnRequest_data();
    void theMainPopupMenuOnRequest();

private:
    TfrmMain& playFreecell(int width = 1016);
    QAction* action(const char* name) const { return m_window->findChild<QAction*>(QLatin1String(name)); }
    void trigger(const char* name) const { action(name)->trigger(); }

    test::MainWindowHarness m_harness;
    test::TestPorts& m_test = m_harness.ports;
    std::unique_ptr<TfrmMain> m_window;
};

void TstMenus::init()
{
    m_window.reset();
    m_harness.reset();
}

TfrmMain& TstMenus::playFreecell(int width)
{
    m_window = m_harness.playFreecell({width, 600});
    [&] { QVERIFY(m_window); }();
    return *m_window;
}

void TstMenus::theMenuTree_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<bool>("works"); // enabled while a game is played
    const auto row = [](const char* name, const char* menu, const char* caption, const char* shortcut, bool works) {
        QTest::newRow(name) << menu << caption << shortcut << works;
    };
    row("mnuNew", "mnuPartita", "&New game", "F2", true);
    row("mnuOpen", "mnuPartita", "&Open a game", "Ctrl+F12", true);
    row("mnuRestartGame", "mnuPartita", "&Restart game", "Ctrl+F2", true);
    row("mnuSelect", "mnuPartita", "S&elect a game number...", "F3", true);
    row("mnuRandomGame", "mnuPartita", "Rand&om game", "", true);
    row("mnuSave", "mnuPartita", "&Save...", "Ctrl+Shift+F12", true);
    row("mnuPlayers", "mnuPartita", "&Players...", "Ctrl+L", true);
    row("mnuEsci", "mnuPartita", "E&xit", "", true);
    row("mnuUndo", "mnuGameMenu", "&Undo", "Ctrl+Z", true);
    row("mnuRedo", "mnuGameMenu", "&Redo", "Ctrl+Y", true);
    row("mnuHint", "mnuGameMenu", "&Hint", "H", true);
    row("mnuPlaySolution", "mnuGameMenu", "Play the &solution", "", true);
    row("mnuSnapshotPosition", "mnuGameMenu", "Snaps&hot position", "Ctrl+H", true);
    row("mnuUndoToSnapshot", "mnuGameMenu", "Undo to s&napshot", "Ctrl+T", false);
    row("mnuPause", "mnuGameMenu", "P&ause", "Ctrl+P", true);
    row("mnuQuitGame", "mnuGameMenu", "&Quit game", "Ctrl+Q", true);
    row("mnuGameInformation", "mnuGameMenu", "Game &information...", "", true);
    row("mnuAutoPlay", "mnuGameMenu", "Au&toplay", "F7", true);
    row("mnuSolver", "mnuGameMenu", "Sol&ver", "", true);
    row("mnuWinnableOnly", "mnuGameMenu", "&Winnable deals only", "", true);
    row("mnuDemo", "mnuGameMenu", "&Demo", "Ctrl+D", false);
    row("mnuGameStatistics", "mnuStatistics", "&Game statistics...", "F4", true);
    row("mnuPlayersStatistics", "mnuStatistics", "&Players statistics...", "", true);
    row("mnuAllGamesStatistics", "mnuStatistics", "&All games statistics...", "", true);
    row("mnuLogStatistics", "mnuStatistics", "&Log statistics...", "", true);
    row("mnuHiScores", "mnuStatistics", "&Hi-Scores...", "F9", true);
    row("mnuOverallScore", "mnuStatistics", "Overall score...", "", true);
    row("mnuCustomize", "mnuOpzioni", "C&ustomize...", "Ctrl+U", true);
    row("mnuCustomizeRules", "mnuOpzioni", "Customize &rules...", "Ctrl+R", true);
    row("mnuFavoriteGames", "mnuOpzioni", "&Favorite games...", "Ctrl+F", true);
    row("mnuCardCounter", "mnuOpzioni", "&Card counter...", "F8", true);
    row("mnuRules", "mnuAiuto", "&Rules", "F1", true);
    row("Sommario1", "mnuAiuto", "&Contents", "", true);
    row("mnuTips", "mnuAiuto", "&Tip of the Day...", "", true);
    row("mnuAbout", "mnuAiuto", "A&bout Kestrane 2000...", "", true);
    row("popShowTime", "popTB", "Show time", "", false); // the box is shown
    row("popLargeIcons", "popTB", "Large icons", "", true);
    row("popHideTime", "popTime", "&Hide", "", true);
    row("popHideScore", "popScore", "Hide", "", true);
    row("popChangeDeck", "popMain", "Change deck", "", true);
    row("popPause", "popMain", "Pause", "Ctrl+P", true);
    row("popQuitGame", "popMain", "Quit game", "Ctrl+Q", true);
}

void TstMenus::theMenuTree()
{
    QFETCH(QString, menu);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    QFETCH(bool, works);
    playFreecell();
    QAction* item = action(QTest::currentDataTag());
    QVERIFY(item);
    QCOMPARE(item->text(), caption);
    QCOMPARE(item->shortcut().toString(QKeySequence::PortableText), shortcut);
    QCOMPARE(item->isEnabled(), works);
    const auto menus = item->associatedObjects();
    QVERIFY(std::any_of(menus.begin(), menus.end(), [&](QObject* o) { return o->objectName() == menu; }));
    // The menu bar shows its menus in this order; the tournament's is there but never seen.
    QStringList shown;
    for (QAction* title : m_window->menuBar()->actions())
        if (title->isVisible())
            shown << title->menu()->objectName();
    QCOMPARE(shown, QStringList({"mnuPartita", "mnuGameMenu", "mnuStatistics", "mnuOpzioni", "mnuAiuto"}));
}

void TstMenus::toolbarSwitches_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("barHeight");
    QTest::addColumn<QStringList>("preferences");
    QTest::newRow("large") << QStringList{"popLargeIcons"} << "pnlTB" << 46 << QStringList{"ToolBar_Large=Y"};
    QTest::newRow("small raised") << QStringList{"popNoFlatButton"} << "pnlTB1" << 25
                                  << QStringList{"ToolBar_Flat=N"};
    QTest::newRow("large raised") << QStringList{"popNoFlatButton", "popLargeIcons"} << "pnlTB" << 45
                                  << QStringList{"ToolBar_Large=Y", "ToolBar_Flat=N"};
    QTest::newRow("small again") << QStringList{"popLargeIcons", "popNoFlatButton", "popSmallIcons", "popFlatButton"}
                                 << "pnlTB1" << 24 << QStringList{"ToolBar_Large=N", "ToolBar_Flat=Y"};
    QTest::newRow("time hidden") << QStringList{"popHideTime"} << "pnlTB1" << 24 << QStringList{"Show_Time=N"};
    QTest::newRow("score hidden, time shown again")
        << QStringList{"popLargeIcons", "popHideTime", "popHideScore", "popShowTime"} << "pnlTB" << 46
        << QStringList{"Show_Time=Y", "Show_Score=N"};
}

void TstMenus::toolbarSwitches()
{
    QFETCH(QStringList, items);
    QFETCH(QString, bar);
    QFETCH(int, barHeight);
    QFETCH(QStringList, preferences);
    TfrmMain& window = playFreecell();
    for (const QString& item : items)
        trigger(item.toLatin1().constData());

    auto* shown = window.findChild<QWidget*>(bar);
    QVERIFY(shown->isVisible());
    QCOMPARE(shown->height(), barHeight);
    QCOMPARE(action("popLargeIcons")->isChecked(), bar == QLatin1String("pnlTB"));
    const bool raised = preferences.contains(QStringLiteral("ToolBar_Flat=N"));
    QCOMPARE(action("popNoFlatButton")->isChecked(), raised);
    for (const QString& preference : preferences) {
        const QStringList keyValue = preference.split(QLatin1Char('='));
        const std::string key = keyValue[0].toStdString();
        QCOMPARE(QString::fromStdString(window.config().readText("Preference", key, "")), keyValue[1]);
    }
    // Each box as its preference says, centred on the toolbar and clear of the Exit button; its
    // Show item offered only while it is hidden.
    auto* exit = shown->findChild<QToolButton*>(bar == QLatin1String("pnlTB") ? "tbExit" : "tbExit1");
    for (const auto& [box, key, show] : {std::tuple{"pnlTempo", Fld::Show_Time, "popShowTime"},
                                         {"pnlScore", Fld::Show_Score, "popShowScore"}}) {
        auto* frame = window.findChild<QWidget*>(box);
        const bool wanted = window.store().fnStoreGet(key) == "Y";
        QCOMPARE(frame->isVisible(), wanted);
        QCOMPARE(action(show)->isEnabled(), !wanted);
        if (!wanted)
            continue;
        QVERIFY(std::abs(frame->geometry().center().y() - shown->geometry().center().y()) <= 2);
        QVERIFY(frame->x() > exit->geometry().right());
    }
}

void TstMenus::aNarrowWindowHidesTheBoxes_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("time");
    QTest::addColumn<bool>("score");
    QTest::newRow("wide") << 1016 << true << true;
    QTest::newRow("room for the time") << 480 << true << false;
    QTest::newRow("narrow") << 400 << false << false;
}

void TstMenus::aNarrowWindowHidesTheBoxes()
{
    QFETCH(int, width);
    QFETCH(bool, time);
    QFETCH(bool, score);
    TfrmMain& window = playFreecell(width);
    QCOMPARE(window.tableWidget().width(), width);
    QCOMPARE(window.findChild<QWidget*>("pnlTempo")->isVisible(), time);
    QCOMPARE(window.findChild<QWidget*>("pnlScore")->isVisible(), score);
    window.resize(1016, 600);
    QTRY_VERIFY(window.findChild<QWidget*>("pnlScore")->isVisible());
    QVERIFY(window.findChild<QWidget*>("pnlTempo")->isVisible());
}

void TstMenus::saveAsksBeforeReplacing_data()
{
    // The files chosen in the dialog one after the other, the answers to "replace?", and the file
    // the game ends up in.
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<QString>("savedIn");
    QTest::newRow("a new file") << QStringList{"new.gam"} << QList<Answer>{} << "new.gam";
    QTest::newRow("replaced") << QStringList{"old.gam"} << QList<Answer>{Answer::Yes} << "old.gam";
    QTest::newRow("another file chosen") << QStringList{"old.gam", "new.gam"} << QList<Answer>{Answer::No}
                                         << "new.gam";
    QTest::newRow("given up") << QStringList{"old.gam"} << QList<Answer>{Answer::Cancel} << "";
    QTest::newRow("the dialog cancelled") << QStringList{} << QList<Answer>{} << "";
}

void TstMenus::saveAsksBeforeReplacing()
{
    QFETCH(QStringList, chosen);
    QFETCH(QList<Answer>, answers);
    QFETCH(QString, savedIn);
    TfrmMain& window = playFreecell();
    const QTemporaryDir folder;
    const auto path = [&](const QString& name) { return (folder.path() + QLatin1Char('/') + name).toStdString(); };
    std::ofstream(path("old.gam")) << "an older file\r\n";
    for (const QString& name : chosen)
        m_test.dialogs.queueFile(path(name));
    for (const Answer answer : answers)
        m_test.messages.queueAnswer(answer);
    m_test.messages.clear();
    const std::vector<std::string> before = m_test.dialogs.opened();

    trigger("mnuSave");

    const std::vector<std::string> opened(m_test.dialogs.opened().begin() + qsizetype(before.size()),
                                          m_test.dialogs.opened().end());
    QCOMPARE(opened, std::vector<std::string>(std::max<qsizetype>(chosen.size(), 1),
                                              "Save game|" + m_harness.programDir()));
    QCOMPARE(int(m_test.messages.shown().size()), int(answers.size()));
    for (const test::ShownBox& box : m_test.messages.shown())
        QCOMPARE(box.text, path("old.gam") + "\rThis file already exists.\rReplace existing file?");
    const auto firstLine = [](const std::string& file) {
        std::string line;
        std::getline(std::ifstream(file), line);
        return line;
    };
    QCOMPARE(firstLine(path("old.gam")) == "an older file\r", savedIn != QLatin1String("old.gam"));
    QCOMPARE(fs::exists(path("new.gam")), savedIn == QLatin1String("new.gam"));
    QCOMPARE(window.config().readText("Preference", "Dir_Save", "unchanged"),
             savedIn.isEmpty() ? std::string("unchanged") : folder.path().toStdString());
}

void TstMenus::aSavedGameOpensAsItWasLeft()
{
    TfrmMain& window = playFreecell();
    GameSession& session = window.session();
    const CardTable dealt = session.game().cards;
    QVERIFY(session.play(legalMoves(session.game()).front(), MoveOrigin::Clicked));
    const CardTable saved = session.game().cards;
    const QTemporaryDir folder;
    const std::string file = folder.path().toStdString() + "/left.gam";
    m_test.dialogs.queueFile(file);
    trigger("mnuSave");
    QVERIFY(session.play(legalMoves(session.game()).front(), MoveOrigin::Clicked));
    QVERIFY(!(session.game().cards == saved));

    m_test.dialogs.queueFile(file);
    m_test.messages.queueAnswer(Answer::Ok); // leave the running game
    window.openSavedGame();
    QCOMPARE(m_test.dialogs.opened().back(), "Open game|" + folder.path().toStdString());
    QVERIFY(session.game().cards == saved);
    QVERIFY(session.inProgress());
    trigger("mnuUndo"); // the history came back with it
    QVERIFY(session.game().cards == dealt);
}

void TstMenus::undoAndRedoFromTheMenu_data()
{
    QTest::addColumn<QString>("undoEnabled");
    QTest::addColumn<bool>("works");
    QTest::newRow("unlimited") << "0" << true;
    QTest::newRow("one level") << "1" << true;
    QTest::newRow("switched off") << "2" << false;
}

void TstMenus::undoAndRedoFromTheMenu()
{
    QFETCH(QString, undoEnabled);
    QFETCH(bool, works);
    TfrmMain& window = playFreecell();
    window.store().fnStoreSet(Fld::Undo_Enabled, undoEnabled.toStdString());
    window.enableGameCommands(true);
    GameSession& session = window.session();
    const CardTable dealt = session.game().cards;
    QVERIFY(session.play(legalMoves(session.game()).front(), MoveOrigin::Clicked));
    const CardTable moved = session.game().cards;
    for (const char* name : {"mnuUndo", "mnuRedo", "tbUndo", "tbRedo1"}) {
        QObject* command = window.findChild<QObject*>(name);
        QCOMPARE(command->property("enabled").toBool(), works);
    }

    window.findChild<QToolButton*>("tbUndo1")->click();
    QVERIFY(session.game().cards == (works ? dealt : moved));
    trigger("mnuRedo");
    QVERIFY(session.game().cards == moved);
}

void TstMenus::theMainPopupMenuOnRequest_data()
{
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<Qt::KeyboardModifiers>("keys");
    QTest::addColumn<bool>("shown");
    QTest::newRow("Ctrl") << "Y" << Qt::KeyboardModifiers(Qt::ControlModifier) << true;
    QTest::newRow("switched off") << "N" << Qt::KeyboardModifiers(Qt::ControlModifier) << false;
    QTest::newRow("without Ctrl") << "Y" << Qt::KeyboardModifiers() << false;
}

void TstMenus::theMainPopupMenuOnRequest()
{
    QFETCH(QString, wanted);
    QFETCH(Qt::KeyboardModifiers, keys);
    QFETCH(bool, shown);
    TfrmMain& window = playFreecell();
    window.store().fnStoreSet(Fld::Show_Main_Popup_Menu, wanted.toStdString());
    QWidget& table = window.tableWidget();
    const QPoint away(table.width() - 30, table.height() - 20); // below every pile
    QMouseEvent press(QEvent::MouseButtonPress, away, table.mapToGlobal(away), Qt::RightButton, Qt::RightButton, keys);
    QApplication::sendEvent(&table, &press);
    auto* popup = window.findChild<QMenu*>("popMain");
    QCOMPARE(popup->isVisible(), shown);
    popup->hide();
}

void TstMenus::theAboutBoxShowsTheLicenceAndTheNotices()
{
    TfrmMain& window = playFreecell(1016);
    QString version, notices;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        QVERIFY(box);
        version = box->findChild<QLabel*>(QStringLiteral("lblVersion"))->text();
        notices = box->findChild<QPlainTextEdit*>(QStringLiteral("txtNotices"))->toPlainText();
        static_cast<QDialog*>(box)->accept();
    });
    window.findChild<QAction*>(QStringLiteral("mnuAbout"))->trigger();
    QCOMPARE(version, QStringLiteral("Kestrane 2000 - Version 4.3 - July 26, 1999"));
    QVERIFY(notices.contains(QStringLiteral("gnome-cards-data")));
    QVERIFY(notices.contains(QStringLiteral("SIL Open Font License")));
}

QTEST_MAIN(TstMenus)
#include "tst_menus.moc"
