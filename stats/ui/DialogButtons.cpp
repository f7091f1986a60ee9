#include "stats/ui/DialogButtons.h"

#include "stats/ui/StatsContext.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace kst {

QPushButton* addDialogButton(QWidget* dialog, QBoxLayout* layout, const char* caption, const char* name,
                             std::function<void()> run, bool isDefault)
{
    auto* button = new QPushButton(QString::fromLatin1(caption), dialog);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setDefault(isDefault);
    QObject::connect(button, &QPushButton::clicked, dialog, std::move(run));
    layout->addWidget(button);
    return button;
}

void addHelpButton(StatsContext& context, QWidget* dialog, QBoxLayout* buttons, int helpContext)
{
    if (context.showHelp)
        addDialogButton(dialog, buttons, "&?", "btnHelp", [&context, helpContext] { context.showHelp(helpContext); });
}

QButtonGroup* addChoices(QGroupBox* group, std::initializer_list<std::pair<const char*, int>> choices)
{
    auto* buttons = new QButtonGroup(group);
    auto* layout = new QVBoxLayout(group);
    for (const auto& [caption, id] : choices) {
        auto* radio = new QRadioButton(QString::fromLatin1(caption), group);
        buttons->addButton(radio, id);
        layout->addWidget(radio);
    }
    if (!buttons->buttons().isEmpty())
        buttons->buttons().front()->setChecked(true);
    return buttons;
}

} // namespace kst
