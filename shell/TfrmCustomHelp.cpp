#include "shell/TfrmCustomHelp.h"

#include "platform/qt/QtText.h"
#include "stats/ui/DialogButtons.h"
#include "stats/ui/StatsContext.h"
#include "storage/CustomRules.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kst {

namespace {

// A value in its sunken box, as the rows of the comparison show them.
QLabel* valueBox(const std::string& text, const QString& name, QWidget* parent)
{
    auto* box = new QLabel(fromProgramText(text), parent);
    box->setObjectName(name);
    box->setFrameShape(QFrame::Panel);
    box->setFrameShadow(QFrame::Sunken);
    box->setAlignment(Qt::AlignCenter);
    box->setMinimumWidth(90);
    return box;
}

} // namespace

TfrmCustomHelp::TfrmCustomHelp(StatsContext& context, int gameId, std::function<void(int baseGameId)> showBaseRules,
                               QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCustomHelp"));
    const QString name = fromProgramText(context.catalogue.gameName(gameId));
    const CustomComparison compared = compareWithBase(context.catalogue, gameId);
    const QString baseName = fromProgramText(context.catalogue.gameName(compared.baseGameId));
    setWindowTitle(QStringLiteral("Help [") + name + QStringLiteral("]"));

    auto* from = new QHBoxLayout;
    from->addWidget(new QLabel(QStringLiteral("This game comes from:"), this));
    auto* lblGameFrom = new QLabel(baseName, this);
    lblGameFrom->setObjectName(QStringLiteral("lblGameFrom"));
    QFont bold = lblGameFrom->font();
    bold.setBold(true);
    lblGameFrom->setFont(bold);
    from->addWidget(lblGameFrom);
    from->addStretch();

    auto* grid = new QGridLayout;
    const auto heading = [&](const QString& text, const char* objectName, int column) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QLatin1String(objectName));
        label->setAlignment(Qt::AlignCenter);
        label->setFont(bold);
        grid->addWidget(label, 0, column);
    };
    heading(name, "lblName1", 1);
    heading(baseName, "lblName2", 2);
    const struct {
        const char* caption;
        const char* boxName;
        const std::string* values;
    } rows[] = {{"Cards dealt:", "pnlCardShuffeled", compared.cardsDealt},
                {"Redeals:", "pnlRedeals", compared.redeals},
                {"Tableau spaces:", "pnlTableauFirstCard", compared.tableauSpaces}};
    for (int r = 0; r < 3; ++r) {
        grid->addWidget(new QLabel(QString::fromLatin1(rows[r].caption), this), r + 1, 0);
        for (int c = 0; c < 2; ++c)
            grid->addWidget(valueBox(rows[r].values[c], QLatin1String(rows[r].boxName) + QString::number(c + 1), this),
                            r + 1, c + 1);
    }

    auto* more = new QHBoxLayout;
    auto* lblGameFrom2 = new QLabel(QStringLiteral("Click this button to view ") + baseName + QStringLiteral(" rules"),
                                    this);
    lblGameFrom2->setObjectName(QStringLiteral("lblGameFrom2"));
    more->addWidget(lblGameFrom2);
    more->addStretch();
    QPushButton* rules = addDialogButton(this, more, "&Rules", "btnRules",
                                         [base = compared.baseGameId, showBaseRules] { showBaseRules(base); });
    rules->setEnabled(compared.found && bool(showBaseRules));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    addDialogButton(this, buttons, "OK", "btnOK", [this] { accept(); }, true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(from);
    layout->addSpacing(6);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(more);
    layout->addLayout(buttons);
}

} // namespace kst
