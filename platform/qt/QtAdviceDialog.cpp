#include "platform/qt/QtAdviceDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace kst {

namespace {

constexpr QSize pictureSize(72, 66);
const QRectF screenArea(9, 8, 54, 38);

// A small monitor on its stand; the screen's content is left to the caller.
void drawMonitor(QPainter& p)
{
    QPainterPath stand;
    stand.moveTo(30, 54);
    stand.lineTo(42, 54);
    stand.lineTo(46, 61);
    stand.lineTo(26, 61);
    stand.closeSubpath();
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(150, 150, 155));
    p.drawPath(stand);
    p.drawRoundedRect(QRectF(18, 60, 36, 4), 1.5, 1.5);

    QLinearGradient bezel(0, 2, 0, 56);
    bezel.setColorAt(0, QColor(215, 215, 220));
    bezel.setColorAt(1, QColor(150, 150, 158));
    p.setBrush(bezel);
    p.drawRoundedRect(QRectF(3, 2, 66, 52), 4, 4);
    p.setBrush(QColor(25, 25, 30));
    p.drawRect(screenArea.adjusted(-1, -1, 1, 1));
    p.setBrush(QColor(90, 200, 90));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(60, 50), 1.5, 1.5);
}

void drawColourBars(QPainter& p)
{
    const QColor bars[] = {Qt::white, Qt::yellow, Qt::cyan, Qt::green, Qt::magenta, Qt::red, Qt::blue};
    const qreal width = screenArea.width() / std::size(bars);
    const qreal barsHeight = screenArea.height() * 0.7;
    for (std::size_t i = 0; i < std::size(bars); ++i)
        p.fillRect(QRectF(screenArea.left() + i * width, screenArea.top(), width + 0.5, barsHeight), bars[i]);
    // A grey ramp below the bars: the steps a display with few colours cannot show.
    const int steps = 9;
    const qreal stepWidth = screenArea.width() / steps;
    for (int i = 0; i < steps; ++i) {
        const int level = i * 255 / (steps - 1);
        p.fillRect(QRectF(screenArea.left() + i * stepWidth, screenArea.top() + barsHeight, stepWidth + 0.5,
                          screenArea.height() - barsHeight),
                   QColor(level, level, level));
    }
}

void drawArrowHead(QPainter& p, QPointF tip, QPointF from)
{
    const QLineF back(tip, from);
    QLineF side1 = back, side2 = back;
    side1.setLength(6);
    side2.setLength(6);
    side1.setAngle(back.angle() + 28);
    side2.setAngle(back.angle() - 28);
    p.drawPolygon(QPolygonF({tip, side1.p2(), side2.p2()}));
}

void drawSizeArrow(QPainter& p)
{
    QLinearGradient sky(screenArea.topLeft(), screenArea.bottomLeft());
    sky.setColorAt(0, QColor(40, 90, 170));
    sky.setColorAt(1, QColor(15, 40, 95));
    p.fillRect(screenArea, sky);
    // A frame inside the screen, and the arrow that stretches it to the corners.
    p.setPen(QPen(QColor(255, 255, 255, 110), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(screenArea.adjusted(14, 9, -14, -9));
    const QPointF a = screenArea.topLeft() + QPointF(4, 4);
    const QPointF b = screenArea.bottomRight() - QPointF(4, 4);
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a + QPointF(3, 2), b - QPointF(3, 2));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    drawArrowHead(p, a, b);
    drawArrowHead(p, b, a);
}

} // namespace

QtAdviceDialog::QtAdviceDialog(const QString& text, int picturePage, QWidget* parent)
    : QDialog(parent), m_dontShowAgain(new QCheckBox(QStringLiteral("&Don't show this message box again"), this))
{
    setWindowTitle(QStringLiteral("Information"));
    setObjectName(QStringLiteral("frmAdvice"));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgAdvice"));
    picture->setPixmap(QtAdviceDialog::picture(picturePage, devicePixelRatioF()));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* message = new QLabel(text, this);
    message->setObjectName(QStringLiteral("lblAdvice"));
    message->setTextFormat(Qt::PlainText);
    message->setWordWrap(true);
    message->setMinimumWidth(320);
    message->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* upper = new QHBoxLayout;
    upper->addWidget(picture);
    upper->addSpacing(8);
    upper->addWidget(message, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(upper, 1);
    layout->addWidget(m_dontShowAgain);
    layout->addWidget(buttons);
    setSizeGripEnabled(false);
}

bool QtAdviceDialog::dontShowAgain() const
{
    return m_dontShowAgain->isChecked();
}

QPixmap QtAdviceDialog::picture(int picturePage, qreal devicePixelRatio)
{
    QPixmap pixmap(pictureSize * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawMonitor(p);
    if (picturePage == 1)
        drawSizeArrow(p);
    else
        drawColourBars(p);
    return pixmap;
}

} // namespace kst
