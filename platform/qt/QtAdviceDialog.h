#pragma once
// The advisory dialog: a hint about the display beside a small picture, with a box that asks
// never to show the hint again.

#include <QDialog>
#include <QPixmap>

class QCheckBox;

namespace kst {

class QtAdviceDialog : public QDialog
{
    Q_OBJECT

public:
    // picturePage 0 shows a colour-depth picture, 1 a screen-size picture.
    QtAdviceDialog(const QString& text, int picturePage, QWidget* parent = nullptr);

    bool dontShowAgain() const;

    // The pictures are drawn rather than stored, so they need no file beside the program.
    static QPixmap picture(int picturePage, qreal devicePixelRatio = 1.0);

private:
    QCheckBox* m_dontShowAgain;
};

} // namespace kst
