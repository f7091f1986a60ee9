#pragma once
// The card table on the window (imgSfondo): it shows its picture, which the table's drawing
// writes into, and hands the pointer's events to the main window.

#include "platform/qt/QtGraphics.h"

#include <QElapsedTimer>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace kst {

class TableWidget : public QWidget
{
    Q_OBJECT

public:
    explicit TableWidget(QWidget* parent = nullptr);

    // The window surface the table is drawn on: as large as the widget in device pixels, each
    // shown as one pixel of the screen.
    QtBitmap& picture() { return m_picture; }
    // Device pixels per widget pixel.
    double deviceScale() const { return devicePixelRatioF(); }
    // A widget point as a point of the picture.
    Point pictureAt(QPointF at) const;

    // A part of the picture changed while cards move: the parts changed within one frame of the
    // display reach the screen together, with the next frame, so that motion costs one paint a
    // frame however many steps it draws.
    void showChanged(const Rect& area);
    // The picture to the widget's size and the screen's device pixels (after a resize, or after
    // the window moved to a screen of another density).
    void fitPicture();
    // The display's frame interval in milliseconds.
    int frameMs() const;

    std::function<void(QMouseEvent*)> onPress;
    std::function<void(QMouseEvent*)> onMove;
    std::function<void(QMouseEvent*)> onRelease;
    std::function<void(QMouseEvent*)> onDoubleClick;
    // The widget changed size or moved to a screen of another density.
    std::function<void()> onResize;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void showFrame();
    bool pictureFits() const;

    QtBitmap m_picture;
    QRegion m_changed;
    QTimer m_nextFrame;
    QElapsedTimer m_lastFrame;
    bool m_refitting = false;
};

} // namespace kst
