#include "shell/TableWidget.h"

#include <QMouseEvent>
#include <QPainter>

namespace kst {

TableWidget::TableWidget(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("imgSfondo"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void TableWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), m_picture.image(), event->rect());
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
