#pragma once
// The card counter window: a small window above the others with a slot for every card of the
// game's deck, showing whether the card lies face up or face down in the piles it watches
// (table/CardCounter.h decides; this window only paints). Its Options menu chooses the piles and
// swaps up and down; the choices, the window's place and whether it is open are kept in CFG.DAT.

#include "engine/GameSession.h"
#include "platform/ResourceLibrary.h"
#include "storage/ProfileFile.h"
#include "table/CardCounter.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <array>
#include <vector>

class QAction;
class QLabel;
class QMenu;

namespace kst {

class TfrmCardCounter : public QWidget
{
    Q_OBJECT

public:
    // Counts the session's game; the pictures come from the library, the preferences from config.
    TfrmCardCounter(const GameSession& session, ResourceLibrary& resources, ProfileFile& config,
                    QWidget* parent = nullptr);

    // Counts the game on the table again and paints the slots; the window's height follows the
    // deck's size.
    void recount();
    // The game changed (a deal, a move, an undo): recounted while shown; a hidden counter does no
    // work on the moves and recounts when it is shown.
    void followGame();
    // The main window's command: the counter opened when it was closed and closed when open,
    // counted afresh either way.
    void switchShown();

    // The switches and the place from CFG.DAT; the window opens when it was open at the end of the
    // last run.
    void loadPreferences();
    void savePreferences();

    // ---- what the window shows ----
    CounterWatch watch() const;
    bool inverted() const;
    // The mark of every card 1 .. deck size, as last painted.
    const std::vector<CounterMark>& marks() const { return m_marks; }
    // The picture the slots are painted on, below the menu.
    const QImage& picture() const { return m_picture; }

signals:
    // The window was opened or closed; the main window's commands show it by their check marks.
    void shownChanged(bool shown);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // One of the Options menu's check items.
    QAction* addSwitch(QMenu* menu, const char* name, const char* caption);
    // The watched piles chosen: checking one side unchecks the other.
    void sideSwitched(QAction* side, QAction* otherSide);
    void switched();
    // The picture's height for the game's deck, and the picture emptied to its suit labels.
    void reset(int deckSize);
    void moveToDesignedPlace();

    const GameSession& m_session;
    ProfileFile& m_config;
    QAction* m_tableauOnly = nullptr;
    QAction* m_stockOnly = nullptr;
    QAction* m_inverse = nullptr;
    QLabel* m_imgBack = nullptr; // shows m_picture
    QImage m_picture;            // in device pixels at m_pixelRatio, laid out in the window's units
    qreal m_pixelRatio = 1;      // of the screen the pictures were picked for
    std::vector<CounterMark> m_marks;

    // The library's pictures, loaded once: a label per suit, the empty slot, and per rank the card
    // seen up and lying down (index rank - 1).
    std::array<QPixmap, 4> m_suitLabels;
    QPixmap m_noCard;
    std::array<QPixmap, 13> m_up;
    std::array<QPixmap, 13> m_down;
};

} // namespace kst
