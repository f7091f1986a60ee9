#pragma once
// The clear-values dialog: all recorded values at once, the statistics only (through the
// clear-statistics dialog), or the hi-scores with the overall score.

#include "stats/ui/StatsContext.h"

#include <QDialog>

class QButtonGroup;
class QLabel;

namespace kst {

class TfrmClearValues : public QDialog
{
    Q_OBJECT

public:
    // The choices of the dialog, in their order.
    enum class Choice { AllValues, StatisticsOnly, HiScores };

    explicit TfrmClearValues(StatsContext& context, QWidget* parent = nullptr);

    void choose(Choice choice);
    // OK: does what the choice says.
    void clearChosen();

private:
    void describe();

    StatsContext& m_context;
    QButtonGroup* m_choices;
    QLabel* m_description;
};

// Opens the clear-values dialog modally.
void fnClearValuesDialog(StatsContext& context, QWidget* parent);

} // namespace kst
