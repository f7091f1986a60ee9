#include "stats/ui/StatsContext.h"

#include "engine/GameNumber.h"


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

} // namespace kst
