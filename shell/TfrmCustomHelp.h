#pragma once
// The rules help of a customized game: its three rules beside those of the game it comes from,
// and a way on to that game's rules.

#include <QDialog>

#include <functional>

namespace kst {

struct StatsContext;

class TfrmCustomHelp : public QDialog
{
    Q_OBJECT

public:
    // showBaseRules opens the rules of the base game.
    TfrmCustomHelp(StatsContext& context, int gameId, std::function<void(int baseGameId)> showBaseRules,
                   QWidget* parent = nullptr);
};

} // namespace kst
