// The table on the window: the parts that cards in motion change reach the screen together,
// with the next frame, as just the rectangles that changed.

#include "UiTestSupport.h"

#include "shell/TableWidget.h"

#include <QPaintEvent>

#include <vector>

using namespace kst;

namespace {

// The regions of a widget's paint events, in order.
class PaintRecorder : public QObject
{
public:
    explicit PaintRecorder(QWidget& widget) { widget.installEventFilter(this); }
    std::vector<QRegion> regions;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            regions.push_back(static_cast<QPaintEvent*>(event)->region());
        return false;
    }
};

} // namespace

class TstTableWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { test::filterHarmlessWarnings(); }
    void theChangesOfAFrameArePaintedTogether();
};

void TstTableWidget::theChangesOfAFrameArePaintedTogether()
{
    TableWidget widget;
    widget.resize(400, 300);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QCoreApplication::processEvents();
    PaintRecorder paints(widget);

    const Rect left{10, 10, 20, 20}, right{300, 200, 30, 30}, overlapping{20, 20, 20, 20};
    for (const Rect& r : {left, right, overlapping})
        widget.showChanged(r);
    QVERIFY2(paints.regions.empty(), "nothing is painted at once");
    QTRY_COMPARE(paints.regions.size(), std::size_t(1));
    const QRegion expected = QRegion(10, 10, 20, 20) + QRegion(300, 200, 30, 30) + QRegion(20, 20, 20, 20);
    QCOMPARE(paints.regions.front(), expected);

    // What a frame showed is not painted again with the next.
    widget.showChanged(right);
    QTRY_COMPARE(paints.regions.size(), std::size_t(2));
    QCOMPARE(paints.regions.back(), QRegion(300, 200, 30, 30));
}

QTEST_MAIN(TstTableWidget)
#include "tst_tablewidget.moc"
