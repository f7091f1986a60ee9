#include "stats/ui/StatsContext.h"

#include "engine/GameNumber.h"

#include <QBoxLayout>
#include <QPushButton>

namespace kst {

DealStart playDeal(StatsContext& context, int gameId, const std::string& gameName, const std::string& number)
{
    if (!context.session.confirmQuit())
        return DealStart::Declined;
    if (context.session.endGame())
        return DealStart::Ended;
    context.store.fnStoreSet(Fld::GameNumber, normalGameNumber(number));
    return context.playNumber && context.playNumber(gameId, gameName) ? DealStart::Started : DealStart::Ended;
}

void addHelpButton(StatsContext& context, QWidget* dialog, QBoxLayout* buttons, int helpContext)
{
    if (!context.showHelp)
        return;
    auto* help = new QPushButton(QStringLiteral("&?"), dialog);
    help->setObjectName(QStringLiteral("btnHelp"));
    help->setAutoDefault(false);
    QObject::connect(help, &QPushButton::clicked, dialog, [&context, helpContext] { context.showHelp(helpContext); });
    buttons->addWidget(help);
}

} // namespace kst
