#include "shell/TableWidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

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

Point TableWidget::pictureAt(QPointF at) const
{
    const double scale = deviceScale();
    return {int(std::floor(at.x() * scale)), int(std::floor(at.y() * scale))};
}

void TableWidget::showChanged(const Rect& area)
{
    // In widget pixels, rounded outward.
    const double scale = deviceScale();
    const int left = int(std::floor(area.x / scale)), top = int(std::floor(area.y / scale));
    const int right = int(std::ceil(area.right() / scale)), bottom = int(std::ceil(area.bottom() / scale));
    m_changed += QRect(left, top, right - left, bottom - top);
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
    // Only the changed rectangles: a moving card and the place it left are far apart. Each
    // picture pixel lands on one device pixel.
    if (!pictureFits() && !m_refitting) {
        // Moved to a screen of another density: the table is drawn again for it, first.
        m_refitting = true;
        QTimer::singleShot(0, this, [this] {
            m_refitting = false;
            fitPicture();
            if (onResize)
                onResize();
        });
    }
    QPainter painter(this);
    const double scale = deviceScale();
    for (const QRect& area : event->region())
        painter.drawImage(QRectF(area), m_picture.image(),
                          QRectF(area.x() * scale, area.y() * scale, area.width() * scale, area.height() * scale));
}

void TableWidget::fitPicture()
{
    const double scale = deviceScale();
    m_picture.resize(int(std::ceil(width() * scale)), int(std::ceil(height() * scale)));
}

void TableWidget::resizeEvent(QResizeEvent*)
{
    fitPicture();
    if (onResize)
        onResize();
}

bool TableWidget::pictureFits() const
{
    const double scale = deviceScale();
    return m_picture.width() == int(std::ceil(width() * scale))
        && m_picture.height() == int(std::ceil(height() * scale));
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
