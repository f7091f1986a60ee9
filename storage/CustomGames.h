#pragma once
// The read side of DATA\GAM_CUST.DAT, the user's customized games: a line-list file whose first
// line is a version tag, followed by one record of 30 lines per game. Record line 1 holds the
// code (columns 1-4, 8000..9999), the name (5-54, blank-padded) and the base game (55-58); record
// line 2 the seven override characters (cards per click, deals, empty-tableau rule).
//
// A missing or unreadable file reads as one without records. A record whose code is not a number
// in 8000..9999 is damaged and is skipped by every reader, so it can never pass for a catalogue
// game.

#include <string>
#include <string_view>
#include <vector>

namespace kst {

inline constexpr int kFirstCustomCode = 8000;
inline constexpr int kLastCustomCode = 9999;
inline constexpr int kCustomRecordLines = 30;

// Names compare without trailing blanks and without regard to case (Windows-1252 letters).
bool sameGameName(std::string_view a, std::string_view b);
// The name as names compare: trailing blanks dropped, letters in lower case.
std::string foldedGameName(std::string_view text);

struct CustomGameList {
    bool found = false;                  // false, with empty lists, when the file is missing
    std::vector<std::string> names;      // 50 characters each
    std::vector<int> codes;
    std::vector<int> baseCodes;          // -1 where the record holds no number
    std::vector<std::string> overrides;  // 7 characters each
};

// Every record, the four lists sorted together by name (case-blind; equal names in file order).
CustomGameList fnCustomGames(const std::string& path);

// The first code from 8000 up that no record uses; 10000 when all are taken.
int fnFreeCustomCode(const std::string& path);

struct CustomGameBase {
    bool found = false;
    int baseGameId = -1;   // -1 when there is no such record or it holds no number
    std::string overrides; // 7 characters, blank-padded; empty when there is no such record
};

CustomGameBase fnCustomGameBase(const std::string& path, int code);

// The code of the last record of that name; -1 when none.
int fnCustomGameCode(const std::string& path, std::string_view name);

// The record's name without trailing blanks; empty when none.
std::string fnCustomGameName(const std::string& path, int code);

} // namespace kst
