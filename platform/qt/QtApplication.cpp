#include "platform/qt/QtApplication.h"

#include <QApplication>
#include <QMainWindow>

#include <cstdio>
#include <cstdlib>

namespace kst {

void QtApplication::terminate(int exitCode)
{
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

void QtApplication::repaintMainWindow()
{
    QMainWindow* main = qobject_cast<QMainWindow*>(QApplication::activeWindow());
    if (!main)
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* candidate = qobject_cast<QMainWindow*>(w); candidate && candidate->isVisible()) {
                main = candidate;
                break;
            }
    if (main)
        main->repaint();
}

void nameApplication()
{
    QApplication::setApplicationName(QStringLiteral("kestrane"));
}

} // namespace kst
