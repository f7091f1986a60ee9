#pragma once
// The Tip of the Day: one tip at a time, the next one each time it opens, and whether it opens by
// itself when the program starts.

#include <QDialog>

class QCheckBox;
class QLabel;

namespace kst {

struct StatsContext;

class TfrmTips : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmTips(StatsContext& context, QWidget* parent = nullptr);

    static int tipCount();
    int tipShown() const { return m_tip; }
    QString tipText() const;

    // The next and the previous tip, going round from the last to the first.
    void nextTip();
    void previousTip();
    // Closing by any way keeps the tip shown and the start-up switch.
    void done(int result) override;

private:
    void showTip(int tip);

    StatsContext& m_context;
    int m_tip = 0;
    QLabel* m_number;
    QLabel* m_text;
    QCheckBox* m_startUp;
};

} // namespace kst
