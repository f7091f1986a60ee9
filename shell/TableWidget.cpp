#include "shell/TableWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace kst {

TableWidget::TableWidget(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("imgSfondo"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    m_nextFrame.setSingleShot(true);
    m_nextFrame.setTimerType(Qt::PreciseTimer);
    connect(&m_nextFrame, &QTimer::timeout, this, &TableWidget::showFrame);
}

int TableWidget::frameMs() const
{
    const QScreen* display = screen();
    const qreal hertz = display && display->refreshRate() > 1 ? display->refreshRate() : 60;
    return std::clamp(int(1000 / hertz + 0.5), 4, 50);
}

void TableWidget::showChanged(const Rect& area)
{
    m_changed += QRect(area.x, area.y, area.width, area.height);
    if (m_nextFrame.isActive())
        return;
    const qint64 sinceLast = m_lastFrame.isValid() ? m_lastFrame.elapsed() : frameMs();
    m_nextFrame.start(int(std::max<qint64>(frameMs() - sinceLast, 0)));
}

void TableWidget::showFrame()
{
    m_lastFrame.start();
    update(m_changed);
    m_changed = QRegion();
}

void TableWidget::paintEvent(QPaintEvent* event)
{
    // Only the changed rectangles: a moving card and the place it left are far apart.
    QPainter painter(this);
    for (const QRect& area : event->region())
        painter.drawImage(area, m_picture.image(), area);
}

void TableWidget::resizeEvent(QResizeEvent*)
{
    m_picture.resize(width(), height());
    if (onResize)
        onResize();
}

void TableWidget::mousePressEvent(QMouseEvent* event)
{
    if (onPress)
        onPress(event);
}

void TableWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (onMove)
        onMove(event);
}

void TableWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (onRelease)
        onRelease(event);
}

void TableWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (onDoubleClick)
        onDoubleClick(event);
}

} // namespace kst
