#pragma once
// A small picture control that plays a filmstrip: the frames lie side by side in one bitmap,
// each as wide as the control. The appearance dialog previews card motion with it.

#include <QImage>
#include <QTimer>
#include <QWidget>

namespace kst {

class C_TBitmapAnimated : public QWidget
{
    Q_OBJECT

public:
    explicit C_TBitmapAnimated(QWidget* parent = nullptr);

    // The filmstrip; the control takes its height (30 for an empty one).
    void setBitMap(const QImage& bitmap);
    const QImage& bitMap() const { return m_bitmap; }

    void setFrameCount(int count);
    int frameCount() const { return m_frameCount; }
    // A negative frame selects the last one; others are taken modulo the frame count.
    void setFrame(int frame);
    int frame() const { return m_frame; }
    // Milliseconds between frames while playing; 0 or less stands still.
    void setInterval(int ms);
    int interval() const { return m_interval; }
    void setPlay(bool play);
    bool play() const { return m_play; }
    // When off, playing stops on reaching the last frame (the first when reversed).
    void setLoop(bool loop) { m_loop = loop; }
    bool loop() const { return m_loop; }
    void setReverse(bool reverse) { m_reverse = reverse; }
    bool reverse() const { return m_reverse; }
    // The colour left out when painting, as 0xRRGGBB; -1 for none.
    void setTransparentColor(int colour);
    int transparentColor() const { return m_transparent; }

    // The next frame, as the timer takes it.
    void step();

signals:
    // A frame change was asked for (the frame as requested, before it is wrapped).
    void OnChangeFrame(C_TBitmapAnimated* sender, int requestedFrame);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updateTimer();

    QImage m_bitmap;
    QImage m_keyed; // the filmstrip with the transparent colour taken out
    int m_frameCount = 1;
    int m_frame = 0;
    int m_interval = 0;
    bool m_play = false;
    bool m_loop = true;
    bool m_reverse = false;
    int m_transparent = -1;
    QTimer m_timer;
};

} // namespace kst
