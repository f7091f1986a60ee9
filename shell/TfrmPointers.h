#pragma once
// The Pointers dialog: the shape of the mouse pointer over the table, one of six.

#include "platform/ResourceLibrary.h"

#include <QDialog>

class QListWidget;

namespace kst {

struct StatsContext;

class TfrmPointers : public QDialog
{
    Q_OBJECT

public:
    // current: the pointer number in force (10 .. 15; 0, the system's arrow, shows as the large arrow).
    TfrmPointers(StatsContext& context, int current, QWidget* parent = nullptr);

    // 10 + the place of the selected shape, or 0 when none is selected.
    int pointer() const;
    void select(int pointer);

private:
    QListWidget* m_list;
};

} // namespace kst
