#pragma once
// The players dialog: adds, renames, deletes and selects players. It works on a copy of the list
// and writes it back when it closes; renaming and deleting reach the data files at once.

#include "stats/Players.h"
#include "stats/ui/StatsContext.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace kst {

// The name dialog of the players dialog: one entry field of at most 30 characters.
class TfrmOperatori2 : public QDialog
{
    Q_OBJECT

public:
    TfrmOperatori2(const QString& caption, const QString& name, QWidget* parent = nullptr);
    QString name() const;

private:
    QLineEdit* m_name;
};

class TfrmOperatori : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmOperatori(StatsContext& context, QWidget* parent = nullptr);

    // The name dialog as it is about to open, for tests to fill and close; by default it is shown.
    std::function<int(TfrmOperatori2&)> runNameDialog = [](TfrmOperatori2& d) { return d.exec(); };

    // True when another player was selected: the window then starts a game for him.
    bool playerChanged() const { return m_playerChanged; }

    void addPlayer();
    void editPlayer();
    void deletePlayer();
    void selectPlayer();

protected:
    void done(int result) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The name dialog until a name is accepted or it is cancelled; `change` gives the refusal.
    void askName(const QString& caption, const QString& start, const std::function<std::string(const std::string&)>& change);
    std::string selectedName() const;
    void fill(const std::string& selected);
    void selectionChanged();

    StatsContext& m_context;
    PlayerList m_players;
    QListWidget* m_list;
    QPushButton* m_select;
    QPushButton* m_edit;
    QPushButton* m_delete;
    bool m_saved = false;
    bool m_playerChanged = false;
};

} // namespace kst
