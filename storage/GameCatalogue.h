#pragma once
// The game catalogue GAMES.DAT: [Sect1] lists the games, [Sect2] holds one line per rule
// parameter with one 11-character column per listed game. Field texts are stored shifted
// (characterShift). The whole file is read and checked once at load; afterwards every lookup and
// every loadRules works on the parsed matrix in memory.
//
// Customized games (GameId 8000 and up) live in GAM_CUST.DAT and are played with the column of
// their base game plus their overrides.

#include "cards/RuleTable.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kst {

inline constexpr int kCustomizedCategory = 800;
inline constexpr int kMaxRuleValueReads = 9;
inline constexpr int kRuleValueNotAsked = -99;

struct CatalogueGame {
    int category = 0;
    int gameId = 0;
    std::string name; // right-trimmed
    bool needsLargeScreen = false; // "1" in the line's ninth column: not for screens under 650 pixels
    bool isNew = false;            // "1" in the line's tenth column: listed among the new games
};

// The three game lists of the catalogue that the game browser shows as folders of their own.
enum class GameList { Selected, Original, Children };

struct CatalogueResult {
    bool ok = false;
    std::string message; // what went wrong when !ok; for a damaged file "GAMES.DAT:<line>: ..."
};

struct RuleValuesRead {
    bool ok = false;
    std::string message;
    std::array<int, kMaxRuleValueReads> values{}; // -99 in every slot not asked for
};

class GameCatalogue {
public:
    // customGamesPath: the GAM_CUST.DAT consulted for GameIds from 8000 up.
    explicit GameCatalogue(std::string customGamesPath = {});

    // Reads and checks the whole file. On failure the catalogue keeps what it held before.
    CatalogueResult load(const std::string& path);

    // ---- the game list ----
    const std::vector<CatalogueGame>& games() const { return m_games; }
    // The game's column: the list position equal to the GameId when it holds that game, else
    // the first position that does; -1 when none.
    int columnOf(int gameId) const;
    // Empty when unknown.
    std::string gameName(int gameId) const;
    // Whether the game (a customized one: its base) asks for a screen of 650 pixels or more.
    bool needsLargeScreen(int gameId) const;
    // Case-blind, trailing blanks ignored; catalogue games before customized ones; -1 when none.
    int gameIdByName(std::string_view name) const;
    // 800 for an existing customized game; -1 when unknown.
    int gameCategory(int gameId) const;
    // The game whose column a game plays with: a customized game's base game, any other game
    // itself; -1 for a customized game that is not in GAM_CUST.DAT.
    int baseGameId(int gameId) const;
    // The ids of one of the browser's lists ([SectS], [SectO], [SectK]), in file order; lines that
    // hold no id are left out.
    const std::vector<int>& gameList(GameList list) const { return m_lists[std::size_t(list)]; }

    // ---- rules ----
    // Clears the table and fills it with the game's column, customized games with their base
    // game's column and overrides, then takes the saved block. A game without a column is
    // refused and leaves the table cleared.
    CatalogueResult loadRules(int gameId, RuleTable& table) const;
    // The catalogue values of up to nine parameters of one game (a customized game: its base).
    RuleValuesRead readRuleValues(int gameId, const std::vector<int>& indices) const;

private:
    using Column = std::array<std::int16_t, Rule::Count>;

    // The column of a game, a customized one resolved to its base; nullptr with a message.
    const Column* columnFor(int gameId, std::string* customization, std::string& message) const;

    std::string m_customGamesPath;
    std::vector<CatalogueGame> m_games;
    std::vector<Column> m_columns; // one per game, in list order
    std::array<std::vector<int>, 3> m_lists; // by GameList
};

// The name of a game category, as the browser's folders and the help pages show it; empty for a
// number that is no category.
constexpr std::string_view categoryName(int category)
{
    switch (category) {
    case 2: return "Canfield type";
    case 3: return "Forty Thieves type";
    case 4: return "FreeCell type";
    case 5: return "Klondike type";
    case 6: return "Pairing games";
    case 7: return "Simple games";
    case 8: return "Spider type";
    case 9: return "1 deck games";
    case 10: return "2 deck games";
    case 11: return "Fan type";
    case 12: return "Baker's Dozen type";
    case 13: return "Row type";
    case 14: return "Puzzle type";
    case kCustomizedCategory: return "Customized games";
    default: return {};
    }
}

// The icon of a game category ("TREE5_..."); "GameCategory not found (n)" for others.
std::string categoryIconName(int category);

} // namespace kst
