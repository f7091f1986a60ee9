#pragma once
// The card table on the window (imgSfondo): it shows its picture, which the table's drawing
// writes into, and hands the pointer's events to the main window.

#include "platform/qt/QtGraphics.h"

#include <QWidget>

#include <functional>

namespace kst {

class TableWidget : public QWidget
{
    Q_OBJECT

public:
    explicit TableWidget(QWidget* parent = nullptr);

    // The window surface the table is drawn on; as large as the widget.
    QtBitmap& picture() { return m_picture; }

    std::function<void(QMouseEvent*)> onPress;
    std::function<void(QMouseEvent*)> onMove;
    std::function<void(QMouseEvent*)> onRelease;
    std::function<void(QMouseEvent*)> onDoubleClick;
    std::function<void()> onResize;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QtBitmap m_picture;
};

} // namespace kst
