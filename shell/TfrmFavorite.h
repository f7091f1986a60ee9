#pragma once
// The favourite games: every game on the left, the favourites on the right, names moved between
// them with the buttons, a double click or a drag. OK keeps the favourites in CFG.DAT in the
// order shown; the browser's folder and the Game menu show them from there.

#include <QDialog>

class QListWidget;

namespace kst {

struct StatsContext;

class TfrmFavorite : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmFavorite(StatsContext& context, QWidget* parent = nullptr);

    // The names shown in each list, in their order.
    QStringList allGames() const;
    QStringList favourites() const;

    // Moves the selected names of "Games list" to the favourites, and the other way.
    void add();
    void remove();
    void removeAll();
    void accept() override;

private:
    void move(QListWidget* from, QListWidget* to);

    StatsContext& m_context;
    QListWidget* m_lbAll;
    QListWidget* m_lbSelected;
};

} // namespace kst
