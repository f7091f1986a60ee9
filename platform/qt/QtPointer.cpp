#include "platform/qt/QtPointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace kst {

QtPointer::~QtPointer()
{
    while (m_depth > 0)
        restore();
}

void QtPointer::showBusy()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    ++m_depth;
}

void QtPointer::restore()
{
    if (m_depth == 0)
        return;
    --m_depth;
    QGuiApplication::restoreOverrideCursor();
}

} // namespace kst
