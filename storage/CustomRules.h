#pragma once
// What a customized game may change of the game it is made from, and how the change is stored.
// Three rules can be changed: the cards one click on the stock deals (rule CardsPerStockClick),
// the deals the stock allows (rule Deals: -1 unlimited, 0 no redeal, n + 1 for n redeals) and
// what may fill an empty tableau pile (the tableau block of TableauEmptyRule). Which of them a game
// offers is decided by three flags of its catalogue column.

#include "cards/RuleTable.h"
#include "storage/GameCatalogue.h"

#include <string>
#include <string_view>

namespace kst {

// The most cards one click on the stock may deal: two whole decks.
inline constexpr int kMostCardsPerClick = 104;

// The empty-tableau choice as the record's seventh character stores it.
enum class TableauFill {
    NotCustomized = 0, // the catalogue's rules stay
    KingOnly = 1,      // a King only, or the rank below the base card where the game deals one
    AnyCard = 2,
    None = 3,          // an empty tableau pile stays empty
};

// Which of the three values a game lets the player change.
struct CustomizeOffer {
    bool cardsPerClick = false;
    bool deals = false;
    bool tableauFill = false;
    bool any() const { return cardsPerClick || deals || tableauFill; }
};

// From the catalogue column of the game, for a customized game that of its base game; nothing for
// a game the catalogue does not hold.
CustomizeOffer customizeOffer(const GameCatalogue& catalogue, int gameId);

// The three values of a customization.
struct Customization {
    int cardsPerClick = 1;
    int deals = 1; // -1 unlimited, 0 no redeal, n + 1 for n redeals
    TableauFill tableauFill = TableauFill::NotCustomized;
    friend bool operator==(const Customization&, const Customization&) = default;
};

// The values the running game plays by (rules as loaded, customizations included).
Customization customizationOf(const RuleTable& rules);

// What a new customized game keeps: the values chosen where the game offers them, the running
// game's where it does not, so that a rule the player could not see never changes. Values typed
// beyond what a stock can do are held to 1..104 cards per click and 999 deals.
Customization customizationToStore(const Customization& chosen, const Customization& running, CustomizeOffer offer);

// The seven characters of the record: cards per click and deals in three characters each ("-01"
// for unlimited), then the empty-tableau code.
std::string customizationText(const Customization& values);

// A customized game beside the game it comes from, as the rules help compares them: for each of
// the three rules the text of the customized game and that of its base game, "-" in both where
// the base game does not offer the rule.
struct CustomComparison {
    bool found = false; // false when the record or its base game is gone
    int baseGameId = -1;
    std::string cardsDealt[2];    // customized, base
    std::string redeals[2];
    std::string tableauSpaces[2];
};
CustomComparison compareWithBase(const GameCatalogue& catalogue, int customGameId);

// Why the name cannot be given to a new customized game; empty when it can. The name is taken
// without leading and trailing blanks.
std::string customGameNameProblem(const GameCatalogue& catalogue, std::string_view name);

} // namespace kst
