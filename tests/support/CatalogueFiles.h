#pragma once
// Small GAMES.DAT and GAM_CUST.DAT files for tests, written the way the program stores them.

#include "storage/TextUtils.h"

#include <functional>
#include <string>
#include <vector>

namespace kst::test {

// The stored form of a text that reads as plain after characterShift (a "0" is stored as code 96).
inline std::string storedShifted(std::string_view plain)
{
    std::string out(plain);
    for (char& c : out) {
        const unsigned code = static_cast<unsigned char>(c);
        c = static_cast<char>(code + 48 <= 255 ? code + 48 : code - 48);
    }
    return out;
}

struct TestGame {
    int category = 5;
    int gameId = 1;
    std::string name;
    bool skipped = false;     // a "9" in the eighth character
    bool largeScreen = false; // a "1" in the ninth: not for small screens
    bool isNew = false;       // a "1" in the tenth: one of the new games
};

inline std::string gameListLine(const TestGame& g)
{
    return storedShifted(fnFormatNumber(g.category, 3, 0) + " " + fnFormatNumber(g.gameId, 3, 0)
                         + (g.skipped ? "9" : " ") + (g.largeScreen ? "1" : " ") + (g.isNew ? "1" : " ")
                         + fnPadRight(g.name, 50));
}

inline std::string valueField(int value)
{
    return storedShifted(fnFormatNumber(value, 10, 0)) + " ";
}

// Line 1 "[Sect1]", one line per game, "[Sect2]", then parameters 1..367 (index n on line
// games.size() + 2 + n), one column per game that is not skipped.
inline std::vector<std::string> catalogueLines(const std::vector<TestGame>& games,
                                               const std::function<int(int index, int column)>& value)
{
    std::vector<std::string> lines{"[Sect1]"};
    int columns = 0;
    for (const TestGame& g : games) {
        lines.push_back(gameListLine(g));
        columns += g.skipped ? 0 : 1;
    }
    lines.push_back("[Sect2]");
    for (int index = 1; index <= 367; ++index) {
        std::string line = fnFormatNumber(index, 4, 0) + std::string(12, ' ');
        for (int c = 0; c < columns; ++c)
            line += valueField(value(index, c));
        lines.push_back(line);
    }
    return lines;
}

inline std::string joinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

struct TestCustomGame {
    int code = 8000;
    std::string name;
    int baseGameId = 1;
    std::string overrides;
};

inline std::string customGamesFile(const std::vector<TestCustomGame>& games)
{
    std::vector<std::string> lines{"[R-0301]"};
    for (const TestCustomGame& g : games) {
        lines.push_back(fnFormatNumber(g.code, 4, 0) + fnPadRight(g.name, 50) + fnFormatNumber(g.baseGameId, 4, 0));
        lines.push_back(g.overrides);
        lines.insert(lines.end(), 28, "");
    }
    return joinLines(lines);
}

} // namespace kst::test
