#include "stats/ui/TfrmStatisCanc.h"

#include "platform/qt/QtText.h"
#include "stats/Players.h"
#include "stats/Statistics.h"
#include "stats/ui/DialogButtons.h"
#include "storage/TextUtils.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace kst {

namespace {

constexpr int ClearStatisticsHelp = 1010;
constexpr int GamesShownInList = 10;
constexpr int Everything = 0; // the "[All players]" and "[All games]" entries lead their lists

// The list of the names after its "[All ...]" entry, with `selected` chosen (nothing when absent).
QComboBox* scopeList(QWidget* parent, const char* name, const char* all, const std::vector<std::string>& names,
                     const std::string& selected)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->addItem(QString::fromLatin1(all));
    int chosen = -1;
    for (const std::string& n : names) {
        box->addItem(fromProgramText(n));
        if (fnTrimRight(n) == fnTrimRight(selected))
            chosen = box->count() - 1;
    }
    box->setCurrentIndex(chosen);
    return box;
}

} // namespace

TfrmStatisCanc::TfrmStatisCanc(StatsContext& context, QWidget* parent)
    : QDialog(parent),
      m_context(context),
      m_players(fnPlayerList(context.config)),
      m_games(fnGameList(context.catalogue, context.customGamesPath))
{
    setObjectName(QStringLiteral("frmStatisCanc"));
    setWindowTitle(QStringLiteral("Clear statistics"));
    m_cboPlayers = scopeList(this, "cboPlayers", "[All players]", m_players, context.store.fnStoreGet(Fld::UserDefault));
    m_cboGames = scopeList(this, "cboGames", "[All games]", m_games, context.store.fnStoreGet(Fld::Game_name));
    m_cboGames->setMaxVisibleItems(GamesShownInList);

    auto* group = new QGroupBox(QStringLiteral("           Clear statistics "), this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("For player:"), m_cboPlayers);
    form->addRow(QStringLiteral("For game:"), m_cboGames);
    auto* note = new QLabel(QStringLiteral("Select (All players) and (All games) to delete all statistics."), group);
    note->setWordWrap(true);
    auto* inGroup = new QVBoxLayout(group);
    inGroup->addLayout(form);
    inGroup->addWidget(note);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    addDialogButton(this, buttons, "OK", "btnOK", [this] { clearChosen(); });
    addDialogButton(this, buttons, "Cancel", "btnCancel", [this] { reject(); }, true);
    addHelpButton(context, this, buttons, ClearStatisticsHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
}

void TfrmStatisCanc::clearChosen()
{
    MessageBoxes& boxes = m_context.files.messages();
    // With no game chosen the scope would silently become every game.
    if (m_cboPlayers->currentIndex() < 0 || m_cboGames->currentIndex() < 0) {
        boxes.information(m_cboPlayers->currentIndex() < 0 ? "Select a player." : "Select a game.");
        return;
    }
    const std::string player = toProgramText(m_cboPlayers->currentText()).value_or(std::string());
    const std::string game = toProgramText(m_cboGames->currentText()).value_or(std::string());
    if (!boxes.warningYesNo("Are you sure you want to clear the statistics for player: " + player + "\r"
                            + "for game:" + " " + fnTrimRight(game) + "?"))
        return;
    const bool allGames = m_cboGames->currentIndex() == Everything;
    const int gameId = allGames ? AllGames : m_context.catalogue.gameIdByName(game);
    if (gameId < 0 && !allGames) {
        boxes.information("The game \"" + fnTrimRight(game) + "\" no longer exists.");
        return;
    }
    const std::string who = m_cboPlayers->currentIndex() == Everything ? std::string(AllPlayers) : player;
    // The session counters go with the statistics they count (fnClearStatistics resets them).
    if (!fnClearStatistics(m_context.files, m_context.store, gameId, who))
        return; // the player was told what could not be written
    boxes.information("Statistics have been cleared.");
    accept();
}

void fnClearStatisticsDialog(StatsContext& context, QWidget* parent)
{
    TfrmStatisCanc dialog(context, parent);
    dialog.exec();
}

} // namespace kst
