// The main window as the program opens it.

#include "UiTestSupport.h"

#include "platform/test/TestPorts.h"
#include "shell/TfrmMain.h"

#include <QMenu>
#include <QMenuBar>

using namespace kst;

class TstMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { test::filterHarmlessWarnings(); }
    void opensTitledWithTheTableAndTheFileMenu();
    void closes_data();
    void closes();

private:
    test::TestPorts m_ports;
    SessionStore m_store{"/nowhere"};
    ProgramFiles m_files{"/nowhere", "/nowhere/DATA"};
};

namespace {

QAction* findAction(const QList<QAction*>& actions, const QString& text)
{
    for (QAction* a : actions)
        if (a->text() == text)
            return a;
    return nullptr;
}

} // namespace

void TstMainWindow::opensTitledWithTheTableAndTheFileMenu()
{
    TfrmMain window(m_store, m_ports.ports(), m_files);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Kestrane 2000"));
    QCOMPARE(window.size(), QSize(1016, 740));

    QAction* game = findAction(window.menuBar()->actions(), QStringLiteral("&File"));
    QVERIFY(game && game->menu());
    QVERIFY(findAction(game->menu()->actions(), QStringLiteral("E&xit")));

    QWidget* table = window.centralWidget();
    QVERIFY(table);
    const QImage felt = table->grab().toImage();
    QCOMPARE(felt.pixel(felt.width() / 2, felt.height() / 2), qRgb(0, 128, 0));
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
    TfrmMain window(m_store, m_ports.ports(), m_files);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    if (byKey) {
        QTest::keyClick(&window, Qt::Key_F4, Qt::AltModifier);
    } else {
        QAction* game = findAction(window.menuBar()->actions(), QStringLiteral("&File"));
        QVERIFY(game && game->menu());
        findAction(game->menu()->actions(), QStringLiteral("E&xit"))->trigger();
    }
    QTRY_VERIFY(!window.isVisible());
}

KST_UI_TEST_MAIN(TstMainWindow)
#include "tst_mainwindow.moc"
