#include "shell/TfrmAboutGame.h"

#include "platform/qt/QtText.h"
#include "stats/GameInformation.h"
#include "stats/ui/DialogButtons.h"
#include "stats/ui/StatsContext.h"
#include "storage/TextUtils.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace kst {

namespace {

constexpr int GameInformationHelp = 1012;

// A row of a group: the caption and its value, the value named for tests.
void addRow(QFormLayout* form, const char* caption, const char* name, const QString& value)
{
    auto* label = new QLabel(value);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(QString::fromLatin1(caption), label);
}

} // namespace

TfrmAboutGame::TfrmAboutGame(StatsContext& context, int gameId, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAboutGame"));
    setWindowTitle(fromProgramText(context.catalogue.gameName(gameId)));
    const GameInformation info = fnGameInformation(context.files, context.store, context.catalogue, gameId,
                                                   context.store.fnStoreGet(Fld::UserDefault));

    auto* chance = new QFormLayout;
    addRow(chance, "Chance of winning:", "lblChanceWin", fromProgramText(info.chance));

    auto* totals = new QGroupBox(QStringLiteral("Totals for active player "), this);
    auto* totalRows = new QFormLayout(totals);
    addRow(totalRows, "Total played:", "lblPlayed", QString::number(info.played));
    addRow(totalRows, "Games won:", "lblWon", QString::number(info.won));
    addRow(totalRows, "Game losses:", "lblLost", QString::number(info.lost));

    auto* best = new QGroupBox(QStringLiteral("Hi-Score  "), this);
    auto* bestRows = new QFormLayout(best);
    addRow(bestRows, "Points:", "lblPoints", fromProgramText(info.points));
    addRow(bestRows, "Time:", "lblTime", fromProgramText(info.time));
    addRow(bestRows, "Date:", "lblDate", shortDate(info.date));
    addRow(bestRows, "Player:", "lblPlayer", fromProgramText(info.player));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    addDialogButton(this, buttons, "Close", "btnClose", [this] { accept(); }, true);
    addHelpButton(context, this, buttons, GameInformationHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(chance);
    layout->addWidget(totals);
    layout->addWidget(best);
    layout->addLayout(buttons);
    setMinimumWidth(300);
}

} // namespace kst
