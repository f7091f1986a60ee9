#include "storage/CustomRules.h"

#include "storage/CustomGames.h"
#include "storage/TextUtils.h"

#include <algorithm>

namespace kst {

namespace {

// The customize flags of the catalogue: 0 never, 1 always, any other value only where the game is
// an ordinary stock game (for the empty-tableau rule: an ordinary building game).
constexpr int Never = 0;
constexpr int Always = 1;

// The value of rule TableauEmptyRule that stands for a King.
constexpr int KingRule = 13;
// Rule TableauEmptyRule: any card, and the rank below the base card that the deal fills in.
constexpr int AnyCardRule = -1;
constexpr int BelowBaseRankRule = 91;
// Rule TableauBuildCode: a tableau pile that takes no card.
constexpr int ClosedPile = 4;

// The deals a record's three characters can hold.
constexpr int MostDeals = 999;

bool flagAllows(int flag, bool ordinary)
{
    return flag != Never && (ordinary || flag == Always);
}

} // namespace

CustomizeOffer customizeOffer(const GameCatalogue& catalogue, int gameId)
{
    const RuleValuesRead stock = catalogue.readRuleValues(
        gameId, {Rule::StockToTableau, Rule::StockToTableau + 1, Rule::StockClickPlace, Rule::StockToWaste,
                 Rule::SecondWastePiles, Rule::StockGroupPiles});
    const RuleValuesRead flags = catalogue.readRuleValues(
        gameId, {Rule::CustomizeStockClick, Rule::CustomizeDeals, Rule::CustomizeEmptyRule, Rule::PairingSum,
                 Rule::TableauBuildCode});
    if (!stock.ok || !flags.ok)
        return {};
    const auto& s = stock.values;
    const auto& f = flags.values;
    // A stock that deals onto a waste (or a second waste) and nowhere else.
    const bool ordinaryStock = s[0] == 0 && s[1] == 0 && s[2] != 0 && (s[3] != 0 || s[4] != 0) && s[5] != 0;
    const bool ordinaryTableau = f[3] == 0 && f[4] != ClosedPile;
    return {flagAllows(f[0], ordinaryStock), flagAllows(f[1], ordinaryStock), flagAllows(f[2], ordinaryTableau)};
}

Customization customizationOf(const RuleTable& rules)
{
    Customization values;
    values.cardsPerClick = rules[Rule::CardsPerStockClick];
    values.deals = rules[Rule::Deals];
    // The first tableau pile's rule as loaded: a deal may have turned "the rank below the base"
    // into a rank.
    const int empty = rules.savedRuleBlock()[0];
    values.tableauFill = empty == KingRule || empty == BelowBaseRankRule ? TableauFill::KingOnly
        : empty == 0                                                 ? TableauFill::None
                                                                     : TableauFill::AnyCard;
    return values;
}

Customization customizationToStore(const Customization& chosen, const Customization& running, CustomizeOffer offer)
{
    Customization stored = running;
    if (offer.cardsPerClick)
        stored.cardsPerClick = std::clamp(chosen.cardsPerClick, 1, kMostCardsPerClick);
    if (offer.deals)
        stored.deals = chosen.deals < 0 ? -1 : std::min(chosen.deals, MostDeals);
    stored.tableauFill = offer.tableauFill ? chosen.tableauFill : TableauFill::NotCustomized;
    return stored;
}

std::string customizationText(const Customization& values)
{
    // Held to what three characters can show: a field of stars would read as no number at all.
    const int cards = std::clamp(values.cardsPerClick, 0, MostDeals);
    const int deals = std::clamp(values.deals, -99, MostDeals);
    return fnFormatNumber(cards, 3, 0) + fnFormatNumber(deals, 3, 0) + char('0' + int(values.tableauFill));
}

namespace {

std::string redealsText(int deals)
{
    return deals == -1 ? "Unlimited" : deals <= 0 ? "0" : std::to_string(deals - 1);
}

std::string tableauText(TableauFill fill)
{
    switch (fill) {
    case TableauFill::KingOnly: return "King only";
    case TableauFill::None: return "None";
    default: return "Any card";
    }
}

} // namespace

CustomComparison compareWithBase(const GameCatalogue& catalogue, int customGameId)
{
    CustomComparison out;
    out.baseGameId = catalogue.baseGameId(customGameId);
    RuleTable custom;
    RuleTable base;
    if (out.baseGameId < 0 || !catalogue.loadRules(customGameId, custom).ok
        || !catalogue.loadRules(out.baseGameId, base).ok)
        return out;
    out.found = true;
    // Both as they play: a record's override that is no number leaves the base game's value.
    const Customization values[2] = {customizationOf(custom), customizationOf(base)};
    const CustomizeOffer offer = customizeOffer(catalogue, out.baseGameId);
    for (int i = 0; i < 2; ++i) {
        out.cardsDealt[i] = offer.cardsPerClick ? std::to_string(values[i].cardsPerClick) : "-";
        out.redeals[i] = offer.deals ? redealsText(values[i].deals) : "-";
        out.tableauSpaces[i] = offer.tableauFill ? tableauText(values[i].tableauFill) : "-";
    }
    return out;
}

std::string customGameNameProblem(const GameCatalogue& catalogue, std::string_view name)
{
    const std::string trimmed = fnTrimLeft(fnTrimRight(name));
    if (trimmed.size() < 3)
        return "Please enter at least 3 characters.";
    if (trimmed.size() > std::size_t(kCustomNameWidth))
        return "A game name has at most " + std::to_string(kCustomNameWidth) + " characters.";
    if (std::any_of(trimmed.begin(), trimmed.end(), [](char c) { return static_cast<unsigned char>(c) < ' '; }))
        return "A game name cannot hold line breaks or tabs.";
    if (catalogue.gameIdByName(trimmed) >= 0)
        return "This game name already exists.";
    return {};
}

} // namespace kst
