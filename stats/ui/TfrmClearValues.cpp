#include "stats/ui/TfrmClearValues.h"

#include "stats/HiScores.h"
#include "stats/Statistics.h"
#include "stats/ui/DialogButtons.h"
#include "stats/ui/TfrmStatisCanc.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <memory>

namespace kst {

namespace {

constexpr int ClearValuesHelp = 1004;

struct ChoiceText {
    TfrmClearValues::Choice choice;
    const char* caption;
    const char* description;
};
constexpr ChoiceText Choices[] = {
    {TfrmClearValues::Choice::AllValues, "All values",
     "This clear all values: statistics values, Hi-Scores and Overall Score values."},
    {TfrmClearValues::Choice::StatisticsOnly, "Statistics only", "This clear Statistics values only."},
    {TfrmClearValues::Choice::HiScores, "Hi-Score and Overall Score", "This clear Hi-Scores and Overall Score values."},
};

} // namespace

TfrmClearValues::TfrmClearValues(StatsContext& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmClearValues"));
    setWindowTitle(QStringLiteral("Clear values"));
    auto* group = new QGroupBox(QStringLiteral("Clear values "), this);
    m_choices = addChoices(group, {{Choices[0].caption, int(Choices[0].choice)},
                                   {Choices[1].caption, int(Choices[1].choice)},
                                   {Choices[2].caption, int(Choices[2].choice)}});
    connect(m_choices, &QButtonGroup::idClicked, this, &TfrmClearValues::describe);

    auto* description = new QGroupBox(QStringLiteral("Description "), this);
    m_description = new QLabel(description);
    m_description->setObjectName(QStringLiteral("lblDescription"));
    m_description->setWordWrap(true);
    m_description->setMinimumWidth(m_description->fontMetrics().averageCharWidth() * 40);
    (new QVBoxLayout(description))->addWidget(m_description);
    describe();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    addDialogButton(this, buttons, "OK", "btnOK", [this] { clearChosen(); }, true);
    addDialogButton(this, buttons, "Cancel", "btnCancel", [this] { reject(); });
    addHelpButton(context, this, buttons, ClearValuesHelp);

    auto* groups = new QHBoxLayout;
    groups->addWidget(group);
    groups->addWidget(description, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);
}

void TfrmClearValues::choose(Choice choice)
{
    m_choices->button(int(choice))->setChecked(true);
    describe();
}

void TfrmClearValues::describe()
{
    for (const ChoiceText& c : Choices)
        if (int(c.choice) == m_choices->checkedId())
            m_description->setText(QString::fromLatin1(c.description));
}

void TfrmClearValues::clearChosen()
{
    MessageBoxes& boxes = m_context.files.messages();
    switch (Choice(m_choices->checkedId())) {
    case Choice::AllValues: {
        if (boxes.question("Are you sure you want to clear the Statistics, the Hi-Scores and the Overall Score for "
                           "all players and all games?")
                != Answer::Yes
            || !boxes.warningYesNo("Please confirm to delete ALL your values \r(Statistics, Hi-Scores, Overall Score) "
                                   "\rfor all players and all games."))
            return;
        const bool statistics = fnClearStatistics(m_context.files, m_context.store, AllGames, AllPlayers);
        const bool scores = fnClearHiScores(m_context.files, false);
        if (statistics && scores) {
            boxes.information("Statistics, Hi-Scores and Overall Score have been cleared.");
            accept();
        }
        return;
    }
    case Choice::StatisticsOnly:
        fnClearStatisticsDialog(m_context, this);
        return;
    case Choice::HiScores:
        if (fnClearHiScores(m_context.files, true))
            boxes.information("Hi-Scores and Overall Score have been cleared.");
        return;
    }
}

void fnClearValuesDialog(StatsContext& context, QWidget* parent)
{
    std::unique_ptr<TfrmClearValues> dialog;
    {
        BusyPointer busy(context.files.pointer());
        dialog = std::make_unique<TfrmClearValues>(context, parent);
    }
    dialog->exec();
}

} // namespace kst
