// The filmstrip control: frame arithmetic, playing and stopping, and what it paints.

#include "UiTestSupport.h"

#include "table/ui/C_TBitmapAnimated.h"

#include <QSignalSpy>
#include <QtTest>

using namespace kst;

namespace {

// Frames of one colour each: red, green, blue, white.
QImage strip(int frames, int size = 30)
{
    const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};
    QImage image(frames * size, size, QImage::Format_RGB32);
    for (int f = 0; f < frames; ++f)
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                image.setPixel(f * size + x, y, colours[f % 4]);
    return image;
}

} // namespace

class TstBitmapAnimated : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { test::filterHarmlessWarnings(); }

    void framesWrapAndNegativeMeansTheLast()
    {
        C_TBitmapAnimated control;
        QCOMPARE(control.size(), QSize(30, 30));
        control.setBitMap(strip(4, 20));
        QCOMPARE(control.height(), 20);
        control.setFrameCount(4);
        QSignalSpy changes(&control, &C_TBitmapAnimated::OnChangeFrame);
        control.setFrame(6);
        QCOMPARE(control.frame(), 2);
        control.setFrame(-1);
        QCOMPARE(control.frame(), 3);
        control.setFrame(3);
        QCOMPARE(changes.count(), 2); // no change, no event
        QCOMPARE(changes.at(0).at(1).toInt(), 6);
        control.setBitMap(QImage());
        QCOMPARE(control.height(), 30);
    }

    void playingStepsAndStopsAtTheEndUnlessLooping()
    {
        C_TBitmapAnimated control;
        control.setBitMap(strip(3));
        control.setFrameCount(3);
        control.setLoop(false);
        control.setInterval(10);
        control.setPlay(true);
        QTRY_VERIFY(!control.play());
        QCOMPARE(control.frame(), 2);

        control.setReverse(true);
        control.setPlay(true);
        QTRY_VERIFY(!control.play());
        QCOMPARE(control.frame(), 0);

        control.setLoop(true);
        control.setReverse(false);
        control.step();
        control.step();
        control.step();
        QCOMPARE(control.frame(), 0); // around again
    }

    void paintsTheCurrentFrameAndLeavesTheKeyOut()
    {
        C_TBitmapAnimated control;
        QImage picture = strip(2);
        picture.setPixel(30 + 5, 5, qRgb(255, 0, 0)); // a red pixel in the green frame
        control.setBitMap(picture);
        control.setFrameCount(2);
        control.setFrame(1);
        QPalette palette = control.palette();
        palette.setColor(control.backgroundRole(), QColor(10, 20, 30));
        control.setPalette(palette);
        QImage shown = control.grab().toImage();
        QCOMPARE(shown.pixel(5, 5), qRgb(255, 0, 0));
        QCOMPARE(shown.pixel(10, 10), qRgb(0, 255, 0));

        control.setTransparentColor(0xff0000);
        shown = control.grab().toImage();
        QCOMPARE(shown.pixel(5, 5), qRgb(10, 20, 30));
        QCOMPARE(shown.pixel(10, 10), qRgb(0, 255, 0));

        C_TBitmapAnimated empty;
        QCOMPARE(empty.grab().toImage().pixel(15, 15), qRgb(255, 255, 255));
    }
};

QTEST_MAIN(TstBitmapAnimated)
#include "tst_bitmapanimated.moc"
