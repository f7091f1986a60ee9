#include "shell/GameFolders.h"

#include "cards/RuleTable.h"
#include "storage/CustomGames.h"
#include "storage/Favourites.h"
#include "storage/TextUtils.h"

#include <algorithm>
#include <array>

namespace kst {

namespace {

using Content = FolderContent;
namespace Code = BrowserCode;

// The browser reads these rules of a game, in this order, for its groups.
constexpr std::array<int, 4> kBrowserRules = {Rule::BrowserTime, Rule::BrowserDifficulty, Rule::BrowserSkill,
                                              Rule::BrowserChance};

constexpr BrowserFolder group(int code, int parent, const char* caption, int rule, int value)
{
    return {code, parent, caption, 0, 1, Content::RuleValue, 0, GameList::Selected, rule, value};
}

constexpr BrowserFolder category(int code, int number)
{
    return {code, Code::GameTypes, categoryName(number).data(), 0, 1, Content::Category, number};
}

// The tree, in order. Pictures index the list of browserPictureNames.
constexpr BrowserFolder kFolders[] = {
    {Code::Favourites, 0, "Favorite games", 7, 8, Content::Favourites},
    {Code::FoldersList, 0, "Folders list", 9, 10},
    {Code::Selected, Code::FoldersList, "Selected games", 5, 6, Content::List, 0, GameList::Selected},
    {Code::Customized, Code::FoldersList, "Customized games", 21, 22, Content::Customized},
    {Code::GameTypes, Code::FoldersList, "Game Type", 9, 10},
    category(-202005, 12),
    category(-202010, 2),
    category(-202015, 11),
    category(-202020, 3),
    category(-202025, 4),
    category(-202030, 5),
    category(-202035, 6),
    category(-202070, 14),
    category(-202040, 13),
    category(-202045, 7),
    category(-202050, 8),
    category(-202055, 9),
    category(-202060, 10),
    {Code::GameGroups, Code::FoldersList, "Game Groups", 28, 29},
    {-2030, Code::GameGroups, "by Game Time", 0, 1},
    group(-203010, -2030, "Quick", Rule::BrowserTime, 2),
    group(-203020, -2030, "Medium", Rule::BrowserTime, 1),
    group(-203030, -2030, "Long", Rule::BrowserTime, 0),
    {-2040, Code::GameGroups, "by Difficulty Level", 0, 1},
    group(-204010, -2040, "Easy", Rule::BrowserDifficulty, 0),
    group(-204020, -2040, "Medium", Rule::BrowserDifficulty, 1),
    group(-204030, -2040, "Hard", Rule::BrowserDifficulty, 2),
    {-2050, Code::GameGroups, "by Skill or Chance", 0, 1},
    group(-205050, -2050, "Chance only", Rule::BrowserSkill, 4),
    group(-205040, -2050, "Mostly chance", Rule::BrowserSkill, 3),
    group(-205030, -2050, "Moderate", Rule::BrowserSkill, 2),
    group(-205020, -2050, "Mostly skill", Rule::BrowserSkill, 1),
    group(-205010, -2050, "Difficult", Rule::BrowserSkill, 0),
    {-2060, Code::GameGroups, "by Chance of Winning", 0, 1},
    group(-206010, -2060, "Very low", Rule::BrowserChance, 4),
    group(-206020, -2060, "Low", Rule::BrowserChance, 3),
    group(-206030, -2060, "Medium", Rule::BrowserChance, 2),
    group(-206040, -2060, "High", Rule::BrowserChance, 1),
    group(-206050, -2060, "Very high", Rule::BrowserChance, 0),
    {Code::OtherGroups, Code::FoldersList, "Others Groups", 26, 27},
    {-209010, Code::OtherGroups, "Original games", 0, 1, Content::List, 0, GameList::Original},
    {-209020, Code::OtherGroups, "Games for Children", 0, 1, Content::List, 0, GameList::Children},
    {Code::NewGames, Code::FoldersList, "New games", 21, 22, Content::New},
    {Code::AllGames, 0, "All games (alphabetically)", 0, 1, Content::All},
};

// The pictures of the tree, in the order of their indexes.
constexpr const char* kPictureNames[] = {
    "TREE1", "TREE2", "N_TREE3", "N_TREE4", "N_TREE5", "F_TREE1", "F_TREE2", "S_TREE1", "S_TREE2", "D_TREE1",
    "D_TREE2", "TREE5_CANFIELD_TYPE", "TREE5_FAN_TYPE", "TREE5_FORTYTHIEVES_TYPE", "TREE5_FREECELL_TYPE",
    "TREE5_KLONDIKE_TYPE", "TREE5_PAIRING_TYPE", "TREE5_SIMPLEGAMES_TYPE", "TREE5_SPIDER_TYPE", "TREE5_1DECK_TYPE",
    "TREE5_2DECK_TYPE", "C_TREE1", "C_TREE2", "TREE5_CUSTOMIZED_GAMES", "TREE5_FAVORITES_GAMES",
    "TREE5_BAKERSDOZEN_TYPE", "T_TREE1", "T_TREE2", "I_TREE1", "I_TREE2", "TREE5_PUZZLE_TYPE", "K_TREE2",
    "W_TREE1", "W_TREE2", "TREE5_ROW_TYPE", "TREE5_ORIGINAL_TYPE"};

// A catalogue category and the picture of its games.
struct CategoryPicture {
    int category;
    int picture;
};
constexpr CategoryPicture kCategoryPictures[] = {{12, 25}, {2, 11}, {11, 12}, {3, 13}, {4, 14}, {5, 15}, {6, 16},
                                                 {14, 30}, {13, 34}, {7, 17}, {8, 18},  {9, 19}, {10, 20}};

// The description's texts and pictures, by the value of each browser rule.
constexpr std::array<const char*, 3> kTimeTexts = {"Long", "Medium", "Quick"};
constexpr std::array<const char*, 3> kTimePictures = {"PROG_TIME_LONG", "PROG_TIME_MEDIUM", "PROG_TIME_QUICK"};
constexpr std::array<const char*, 3> kDifficultyTexts = {"Easy", "Medium", "Hard"};
constexpr std::array<const char*, 3> kDifficultyPictures = {"PROG_DIFF_EASY", "PROG_DIFF_MEDIUM", "PROG_DIFF_HARD"};
constexpr std::array<const char*, 5> kChanceTexts = {"Very high", "High", "Medium", "Low", "Very low"};
constexpr std::array<const char*, 5> kChancePictures = {"PROG_CHAN_VERYHIGH", "PROG_CHAN_HIGH", "PROG_CHAN_MEDIUM",
                                                        "PROG_CHAN_LOW", "PROG_CHAN_VERYLOW"};
constexpr std::array<const char*, 5> kSkillTexts = {"Difficult", "Mostly skill", "Moderate", "Mostly chance",
                                                    "Chance only"};
constexpr std::array<const char*, 5> kSkillPictures = {"PROG_SKILL_DIFFICULT", "PROG_SKILL_MOSTLYSKILL",
                                                       "PROG_SKILL_MODERATE", "PROG_SKILL_MOSTLYCHANCE",
                                                       "PROG_SKILL_CHANCEONLY"};
constexpr const char* kCustomizedText = "Customized game";
constexpr const char* kCustomizedPicture = "PROG_DISABLED";
constexpr int kCardsInDeck = 52;

// The entry of a list for a value; empty for a value out of its range (a damaged catalogue).
template <std::size_t N>
std::string pick(const std::array<const char*, N>& list, int value)
{
    return value >= 0 && std::size_t(value) < N ? list[std::size_t(value)] : "";
}

// Rows by name as names compare, then by code, as the browser's sorted lists show them.
void sortByName(std::vector<BrowserRow>& rows)
{
    std::stable_sort(rows.begin(), rows.end(), [](const BrowserRow& a, const BrowserRow& b) {
        const std::string x = foldedGameName(a.caption), y = foldedGameName(b.caption);
        return x != y ? x < y : a.code < b.code;
    });
}

} // namespace

std::span<const BrowserFolder> browserFolders()
{
    return kFolders;
}

const BrowserFolder* browserFolder(int code)
{
    for (const BrowserFolder& folder : kFolders) {
        if (folder.code == code)
            return &folder;
    }
    return nullptr;
}

int categoryPicture(int category)
{
    for (const CategoryPicture& entry : kCategoryPictures) {
        if (entry.category == category)
            return entry.picture;
    }
    return category == kCustomizedCategory ? BrowserPicture::CustomizedGame : BrowserPicture::Hint;
}

std::span<const char* const> browserPictureNames()
{
    return kPictureNames;
}

GameFolders::GameFolders(const GameCatalogue& catalogue, const std::string& customGamesPath,
                         const ProfileFile& config)
    : m_catalogue(catalogue), m_customGamesPath(customGamesPath), m_config(config)
{
    buildIndex();
}

void GameFolders::buildIndex()
{
    m_index.clear();
    const std::vector<int> rules(kBrowserRules.begin(), kBrowserRules.end());
    for (const CatalogueGame& game : m_catalogue.games()) {
        const RuleValuesRead read = m_catalogue.readRuleValues(game.gameId, rules);
        m_index.push_back({game.name, game.category, game.gameId, game.isNew,
                           std::vector<int>(read.values.begin(), read.values.begin() + rules.size())});
    }
    std::stable_sort(m_index.begin(), m_index.end(), [](const IndexEntry& a, const IndexEntry& b) {
        const std::string x = foldedGameName(a.name), y = foldedGameName(b.name);
        if (x != y)
            return x < y;
        return a.category != b.category ? a.category < b.category : a.gameId < b.gameId;
    });
}

std::vector<BrowserRow> GameFolders::gamesWhere(const auto& keep) const
{
    std::vector<BrowserRow> rows;
    for (const IndexEntry& entry : m_index) {
        if (keep(entry))
            rows.push_back({entry.gameId, entry.name, categoryPicture(entry.category)});
    }
    return rows;
}

BrowserRow GameFolders::catalogueRow(int gameId) const
{
    return {gameId, m_catalogue.gameName(gameId), categoryPicture(m_catalogue.gameCategory(gameId))};
}

std::vector<BrowserRow> GameFolders::customizedRows() const
{
    const CustomGameList list = fnCustomGames(m_customGamesPath);
    std::vector<BrowserRow> rows;
    for (std::size_t i = 0; i < list.codes.size(); ++i)
        rows.push_back({list.codes[i], fnTrimRight(list.names[i]), BrowserPicture::CustomizedGame});
    return rows;
}

std::vector<BrowserRow> GameFolders::rowsOf(int folderCode) const
{
    const BrowserFolder* folder = browserFolder(folderCode);
    if (!folder)
        return {};
    switch (folder->content) {
    case Content::Fixed: return {};
    case Content::All: return gamesWhere([](const IndexEntry&) { return true; });
    case Content::New: return gamesWhere([](const IndexEntry& e) { return e.isNew; });
    case Content::Category:
        return gamesWhere([&](const IndexEntry& e) { return e.category == folder->category; });
    case Content::RuleValue: {
        const std::size_t which = std::size_t(std::find(kBrowserRules.begin(), kBrowserRules.end(), folder->rule)
                                              - kBrowserRules.begin());
        return gamesWhere([&](const IndexEntry& e) { return e.browserValues[which] == folder->value; });
    }
    case Content::List: {
        // An id that names no game would be a row that starts nothing: it is left out.
        std::vector<BrowserRow> rows;
        for (const int id : m_catalogue.gameList(folder->list)) {
            if (m_catalogue.columnOf(id) >= 0)
                rows.push_back(catalogueRow(id));
        }
        sortByName(rows);
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        return rows;
    }
    case Content::Customized: {
        std::vector<BrowserRow> rows = customizedRows();
        if (rows.empty())
            rows.push_back({Code::CustomizeHint, "(How to customize a game)", BrowserPicture::Hint});
        return rows;
    }
    case Content::Favourites: {
        std::vector<BrowserRow> rows;
        for (const std::string& name : readFavourites(m_config)) {
            const int id = m_catalogue.gameIdByName(name);
            if (id < 0)
                continue; // a favourite whose game is gone
            rows.push_back({id, m_catalogue.gameName(id),
                            id >= kFirstCustomCode ? BrowserPicture::CustomizedGame : BrowserPicture::FavouriteGame});
        }
        if (rows.empty())
            rows.push_back({Code::FavouritesHint, "(Double click to customize)", BrowserPicture::Hint});
        return rows;
    }
    }
    return {};
}

std::vector<BrowserRow> GameFolders::search(std::string_view text) const
{
    const std::string wanted = foldedGameName(fnTrimLeft(text));
    std::vector<BrowserRow> rows;
    if (wanted.empty())
        return rows;
    const auto matches = [&](std::string_view name) { return foldedGameName(name).find(wanted) != std::string::npos; };
    rows = gamesWhere([&](const IndexEntry& e) { return matches(e.name); });
    for (BrowserRow& row : customizedRows()) {
        if (matches(row.caption))
            rows.push_back(std::move(row));
    }
    sortByName(rows);
    return rows;
}

bool GameFolders::describe(int gameId, GameDescription& out) const
{
    RuleTable rules;
    if (gameId < 0 || !m_catalogue.loadRules(gameId, rules).ok)
        return false;
    const bool customized = gameId >= kFirstCustomCode;
    out = {};
    out.name = m_catalogue.gameName(gameId);
    out.previewGame = customized ? fnCustomGameBase(m_customGamesPath, gameId).baseGameId : gameId;
    if (customized) {
        out.time = out.difficulty = out.chance = out.skill = kCustomizedText;
        out.timePicture = out.difficultyPicture = out.chancePicture = out.skillPicture = kCustomizedPicture;
    } else {
        out.time = pick(kTimeTexts, rules[Rule::BrowserTime]);
        out.timePicture = pick(kTimePictures, rules[Rule::BrowserTime]);
        out.difficulty = pick(kDifficultyTexts, rules[Rule::BrowserDifficulty]);
        out.difficultyPicture = pick(kDifficultyPictures, rules[Rule::BrowserDifficulty]);
        out.chance = pick(kChanceTexts, rules[Rule::BrowserChance]);
        out.chancePicture = pick(kChancePictures, rules[Rule::BrowserChance]);
        if (rules[Rule::OddsPlayed] != 0)
            out.chance += " (about " + std::to_string(rules[Rule::OddsWon]) + " in "
                          + std::to_string(rules[Rule::OddsPlayed]) + ")";
        out.skill = pick(kSkillTexts, rules[Rule::BrowserSkill]);
        out.skillPicture = pick(kSkillPictures, rules[Rule::BrowserSkill]);
    }
    out.decks = rules[Rule::DeckSize] / kCardsInDeck;
    const int deals = rules[Rule::Deals];
    out.redeals = deals == -1 ? "Unlimited" : std::to_string(std::max(deals - 1, 0));
    return true;
}

} // namespace kst
