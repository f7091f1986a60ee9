#pragma once
// What every window test needs around Qt Test: a private runtime folder before Qt starts, and
// silence about the offscreen platform's known harmless warnings.

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace kst::test {

// A plain left-button mouse event at a widget point.
inline void send(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// Press on `from`, move there in a few steps as a hand would, release.
inline void drag(QWidget& widget, QPoint from, QPoint to)
{
    send(widget, QEvent::MouseButtonPress, from, Qt::LeftButton);
    for (int step = 1; step <= 4; ++step)
        send(widget, QEvent::MouseMove, from + (to - from) * step / 4, Qt::LeftButton);
    send(widget, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

inline bool isHarmlessOffscreenWarning(const QString& message)
{
    return message.contains(QLatin1String("propagateSizeHints"))
        || message.contains(QLatin1String("XDG_RUNTIME_DIR"))
        || message.contains(QLatin1String("does not support raise()")) // a popup menu shown
        || message.contains(QLatin1String("does not support grabbing"));
}

// Qt's message handler is a plain function, so the handler it replaced has to live somewhere.
inline QtMessageHandler& handlerBeforeFilter()
{
    static QtMessageHandler previous = nullptr;
    return previous;
}

inline void filteringMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (isHarmlessOffscreenWarning(message))
        return;
    if (QtMessageHandler previous = handlerBeforeFilter())
        previous(type, context, message);
}

// Call from initTestCase: Qt Test installs its own handler when the run starts, and this one
// passes every other message on to it.
inline void filterHarmlessWarnings()
{
    handlerBeforeFilter() = qInstallMessageHandler(filteringMessageHandler);
}

// Runs `check` on the modal dialog that `open` brings up, then closes it.
inline void onModal(const std::function<void(QDialog&)>& check, const std::function<void()>& open)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        seen = true;
        check(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    open();
    QVERIFY(seen);
}

} // namespace kst::test

// Like QTEST_MAIN, with XDG_RUNTIME_DIR pointing to a private folder made for the run.
#define KST_UI_TEST_MAIN(TestClass)                                                                 \
    int main(int argc, char** argv)                                                                 \
    {                                                                                               \
        QTemporaryDir runtimeDir;                                                                   \
        if (runtimeDir.isValid())                                                                   \
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));                       \
        QApplication app(argc, argv);                                                               \
        TestClass test;                                                                             \
        return QTest::qExec(&test, argc, argv);                                                     \
    }

// The same on a screen of `scale` device pixels to a window pixel (the offscreen platform takes
// it from QT_SCALE_FACTOR, read when the application starts).
#define KST_UI_TEST_MAIN_AT_SCALE(TestClass, scale)                                                 \
    int main(int argc, char** argv)                                                                 \
    {                                                                                               \
        QTemporaryDir runtimeDir;                                                                   \
        if (runtimeDir.isValid())                                                                   \
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));                       \
        qputenv("QT_SCALE_FACTOR", scale);                                                          \
        QApplication app(argc, argv);                                                               \
        TestClass test;                                                                             \
        return QTest::qExec(&test, argc, argv);                                                     \
    }
