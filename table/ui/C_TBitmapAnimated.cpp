#include "table/ui/C_TBitmapAnimated.h"

#include <QPainter>

namespace kst {

C_TBitmapAnimated::C_TBitmapAnimated(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(30, 30);
    connect(&m_timer, &QTimer::timeout, this, &C_TBitmapAnimated::step);
}

void C_TBitmapAnimated::setBitMap(const QImage& bitmap)
{
    m_bitmap = bitmap.convertToFormat(QImage::Format_ARGB32);
    setTransparentColor(m_transparent); // keys the new strip
    resize(width(), m_bitmap.isNull() ? 30 : m_bitmap.height());
    update();
}

void C_TBitmapAnimated::setTransparentColor(int colour)
{
    m_transparent = colour;
    m_keyed = m_bitmap;
    if (colour >= 0 && !m_keyed.isNull()) {
        const QRgb key = 0xff000000u | QRgb(colour);
        for (int y = 0; y < m_keyed.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(m_keyed.scanLine(y));
            for (int x = 0; x < m_keyed.width(); ++x)
                if ((line[x] | 0xff000000u) == key)
                    line[x] = 0;
        }
    }
    update();
}

void C_TBitmapAnimated::setFrameCount(int count)
{
    m_frameCount = std::max(count, 1);
    setFrame(m_frame);
}

void C_TBitmapAnimated::setFrame(int frame)
{
    const int wrapped = frame < 0 ? m_frameCount - 1 : frame % m_frameCount;
    if (wrapped == m_frame)
        return;
    m_frame = wrapped;
    emit OnChangeFrame(this, frame);
    update();
}

void C_TBitmapAnimated::setInterval(int ms)
{
    m_interval = ms;
    updateTimer();
}

void C_TBitmapAnimated::setPlay(bool play)
{
    m_play = play;
    updateTimer();
}

void C_TBitmapAnimated::updateTimer()
{
    if (m_play && m_interval > 0)
        m_timer.start(m_interval);
    else
        m_timer.stop();
}

void C_TBitmapAnimated::step()
{
    setFrame(m_reverse ? (m_frame == 0 ? -1 : m_frame - 1) : m_frame + 1);
    const int end = m_reverse ? 0 : m_frameCount - 1;
    if (!m_loop && m_frame == end)
        setPlay(false);
}

void C_TBitmapAnimated::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_bitmap.isNull()) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    const QRect slice(m_frame * width(), 0, width(), height());
    if (m_transparent >= 0)
        painter.fillRect(rect(), palette().color(backgroundRole()));
    painter.drawImage(QPoint(0, 0), m_transparent >= 0 ? m_keyed : m_bitmap, slice);
}

} // namespace kst
