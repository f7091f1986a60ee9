#pragma once
// The Advanced options dialog of the Customize dialog: the confirmations, the tip of the day at
// start and the undo levels. Its OK hands the values back to the Customize dialog, whose own OK
// writes them.

#include "storage/PreferenceSet.h"

#include <QDialog>

class QButtonGroup;

namespace kst {

struct StatsContext;

class TfrmOptionsAdvanced : public QDialog
{
    Q_OBJECT

public:
    TfrmOptionsAdvanced(StatsContext& context, const PreferenceSet& set, QWidget* parent = nullptr);

    // The dialog's five values into the set.
    void copyTo(PreferenceSet& set) const;

private:
    PreferenceSet m_set; // the values as the check boxes and the undo choice stand
    QButtonGroup* m_undo;
};

} // namespace kst
