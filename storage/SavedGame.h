#pragma once
// The saved-game file (.GAM, format version "0303"): a header line and a line of player, number
// and base ranks at fixed columns, ten empty lines, the table image (55 saved pile strings) and
// the undo history under its marker lines. Snapshots and demonstration games use it too. Files of
// the older versions are brought to this layout when read.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kst {

inline constexpr std::string_view SavedGameVersion = "0303";

struct SavedGameFile {
    int gameId = 0;
    std::string backgroundBmp;   // Background_bmp
    std::string backgroundCol;   // Background_Col
    std::string backgroundDef;   // Background_def
    char cardSize = 'B';         // Card_Size
    std::string card;            // Card
    std::string backCard;        // Back_Card
    long seconds = 0;            // playing time
    std::string scoringSystem = "01";
    long score = 0;
    long dealCounter = 1;
    std::string player;          // UserDefault
    std::string number;          // GameNumber
    std::array<int, 16> baseRanks{};
    std::array<std::string, 55> image;
    // The undo history: per recorded state 3 stock lines, 16 foundation lines, 28 tableau lines
    // and 8 reserve lines, oldest first, and the undo log.
    std::vector<std::string> stock, foundations, tableau, reserves;
    std::string log;
};

std::vector<std::string> savedGameLines(const SavedGameFile& file);

// The file from its lines; false with the reason when they are no saved game (a header that is
// not one, fewer lines than the table image needs, a history whose stacks do not agree).
bool readSavedGame(std::vector<std::string> lines, SavedGameFile& file, std::string& error);

} // namespace kst
