#include "shell/TfrmOptionsAdvanced.h"

#include "stats/ui/DialogButtons.h"
#include "stats/ui/StatsContext.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace kst {

namespace {

constexpr int AdvancedHelp = 1005;

struct Confirmation {
    Switch which;
    const char* name;
    const char* caption;
};
constexpr Confirmation confirmations[] = {
    {Switch::ConfirmQuit, "chkConfirmQuit", "Confirm on e&xit"},
    {Switch::ConfirmQuitGame, "chkConfirmQuitGame", "C&onfirm quit game"},
    {Switch::ConfirmEnterHiScores, "chkConfirmEnterHiScores", "Show dialog box enter &Hi-Scores"},
    {Switch::TipsStartUp, "chkTipsStartUp", "Sho&w Tip of the Day at program start"},
};

} // namespace

TfrmOptionsAdvanced::TfrmOptionsAdvanced(StatsContext& context, const PreferenceSet& set, QWidget* parent)
    : QDialog(parent), m_set(set)
{
    setObjectName(QStringLiteral("frmOptionsAdvanced"));
    setWindowTitle(QStringLiteral("Advanced options"));

    auto* dialogBoxes = new QGroupBox(QStringLiteral("Dialog box options "), this);
    auto* checks = new QVBoxLayout(dialogBoxes);
    for (const Confirmation& c : confirmations) {
        auto* check = new QCheckBox(QString::fromLatin1(c.caption), dialogBoxes);
        check->setObjectName(QLatin1String(c.name));
        check->setChecked(m_set[c.which]);
        connect(check, &QCheckBox::toggled, this, [this, which = c.which](bool on) { m_set[which] = on; });
        checks->addWidget(check);
    }

    auto* undo = new QGroupBox(QStringLiteral("Undo/Redo options "), this);
    undo->setObjectName(QStringLiteral("rgUndo"));
    m_undo = addChoices(undo, {{"U&nlimited levels", 0}, {"Only one &undo/redo", 1}, {"Di&sable", 2}});
    if (QAbstractButton* chosen = m_undo->button(m_set.undoLevels))
        chosen->setChecked(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    addDialogButton(this, buttons, "OK", "btnOK", [this] { accept(); }, true);
    addDialogButton(this, buttons, "Cancel", "btnCancel", [this] { reject(); });
    addHelpButton(context, this, buttons, AdvancedHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(dialogBoxes);
    layout->addWidget(undo);
    layout->addLayout(buttons);
}

void TfrmOptionsAdvanced::copyTo(PreferenceSet& set) const
{
    for (const Confirmation& c : confirmations)
        set[c.which] = m_set[c.which];
    set.undoLevels = m_undo->checkedId();
}

} // namespace kst
