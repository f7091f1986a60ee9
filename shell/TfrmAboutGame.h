#pragma once
// Game information: the odds of the game on the table, the active player's totals in it and the
// best result of its hi-score table.

#include <QDialog>

namespace kst {

struct StatsContext;

class TfrmAboutGame : public QDialog
{
    Q_OBJECT

public:
    TfrmAboutGame(StatsContext& context, int gameId, QWidget* parent = nullptr);
};

} // namespace kst
