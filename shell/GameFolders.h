#pragma once
// What the game browser lists: its fixed tree of folders, the games each folder holds, the games
// whose names match a search, and the description of a game. Worked out from the catalogue, the
// customized games file and the favourites of CFG.DAT, so that the dialog only shows it.

#include "storage/GameCatalogue.h"
#include "storage/ProfileFile.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kst {

// The code every node of the browser's tree carries: from 0 up a game id (customized games from
// 8000 up); below 0 a folder or a placeholder row.
namespace BrowserCode {
inline constexpr int Unfilled = -1;       // the only child of a folder not filled yet
inline constexpr int FavouritesHint = -2; // "(Double click to customize)": no favourites yet
inline constexpr int CustomizeHint = -3;  // "(How to customize a game)": no customized games yet
inline constexpr int Favourites = -10;
inline constexpr int FoldersList = -20;
inline constexpr int AllGames = -30;
inline constexpr int GameGroups = -1; // never filled, so never mistaken for the placeholder
inline constexpr int Selected = -2010;
inline constexpr int GameTypes = -2020;
inline constexpr int Customized = -2070;
inline constexpr int NewGames = -2080;
inline constexpr int OtherGroups = -2090;
} // namespace BrowserCode

// Indexes into the tree's picture list (the names are treePictureNames of the browser).
namespace BrowserPicture {
inline constexpr int Folder = 0, FolderOpen = 1, Hint = 4;
inline constexpr int CustomizedGame = 23, FavouriteGame = 24;
} // namespace BrowserPicture

// What a folder is filled with.
enum class FolderContent {
    Fixed,      // only its fixed subfolders
    Favourites, // CFG.DAT [Favourite Games]
    List,       // one of the catalogue's lists ([SectS], [SectO], [SectK])
    Customized, // GAM_CUST.DAT
    Category,   // the games of one category
    RuleValue,  // the games whose browser rule has one value
    New,        // the games marked new
    All,        // every catalogue game
};

struct BrowserFolder {
    int code = 0;
    int parent = 0; // 0: a folder at the top of the tree
    const char* caption = "";
    int picture = BrowserPicture::Folder;
    int selectedPicture = BrowserPicture::FolderOpen;
    FolderContent content = FolderContent::Fixed;
    int category = 0;                // Category: the category
    GameList list = GameList::Selected; // List: which one
    int rule = 0;                    // RuleValue: the rule entry ...
    int value = 0;                   // ... and the value it must hold
};

// Every folder, in tree order (a folder stands before its subfolders).
std::span<const BrowserFolder> browserFolders();
// Null for a code that is no folder.
const BrowserFolder* browserFolder(int code);
// The tree picture of a catalogue game's category.
int categoryPicture(int category);
// The names of the tree's pictures, by index.
std::span<const char* const> browserPictureNames();

// One row of the tree or of the search results.
struct BrowserRow {
    int code = 0;
    std::string caption;
    int picture = 0;
    bool operator==(const BrowserRow&) const = default;
};

// The description panel of one game.
struct GameDescription {
    std::string name;
    std::string time, difficulty, chance, skill;                        // texts
    std::string timePicture, difficultyPicture, chancePicture, skillPicture; // library picture names
    int decks = 0;
    std::string redeals;
    int previewGame = -1; // the game whose preview picture shows: a customized game's base
};

class GameFolders {
public:
    // All three must outlive this.
    GameFolders(const GameCatalogue& catalogue, const std::string& customGamesPath, const ProfileFile& config);

    // The rows a folder is filled with; a folder that holds games only (never a fixed one).
    std::vector<BrowserRow> rowsOf(int folderCode) const;
    // Catalogue and customized games whose names hold the text (any case), by name.
    std::vector<BrowserRow> search(std::string_view text) const;
    // The description of a game; false for a code that names no game.
    bool describe(int gameId, GameDescription& out) const;

private:
    void buildIndex();
    // One catalogue game as the browser lists it, with the rule values its groups read.
    struct IndexEntry {
        std::string name;
        int category = 0;
        int gameId = 0;
        bool isNew = false;
        std::vector<int> browserValues; // time, difficulty, skill, chance
    };
    std::vector<BrowserRow> gamesWhere(const auto& keep) const;
    std::vector<BrowserRow> customizedRows() const;
    BrowserRow catalogueRow(int gameId) const;

    const GameCatalogue& m_catalogue;
    std::string m_customGamesPath;
    const ProfileFile& m_config;
    std::vector<IndexEntry> m_index; // sorted by name
};

} // namespace kst
