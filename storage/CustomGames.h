#pragma once
// DATA\GAM_CUST.DAT, the user's customized games: a line-list file whose first line is a version
// tag, followed by one record of 30 lines per game. Record line 1 holds the
// code (columns 1-4, 8000..9999), the name (5-54, blank-padded) and the base game (55-58); record
// line 2 the seven override characters (cards per click, deals, empty-tableau rule).
//
// A missing or unreadable file reads as one without records. A record whose code is not a number
// in 8000..9999 is damaged and is skipped by every reader, so it can never pass for a catalogue
// game. Adding and removing records rewrite the file around such lines without touching them.

#include <string>
#include <string_view>
#include <vector>

namespace kst {

inline constexpr int kFirstCustomCode = 8000;
inline constexpr int kLastCustomCode = 9999;
inline constexpr int kCustomRecordLines = 30;
inline constexpr int kCustomNameWidth = 50;        // record line 1, columns 5-54
inline constexpr int kCustomOverridesWidth = 7;    // record line 2, columns 1-7
inline constexpr std::string_view kCustomGamesVersion = "[R-0301]"; // line 1 of a new file

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

// What adding or removing a record did.
struct CustomGameWrite {
    bool ok = false;
    int code = -1;       // the code of the record added or removed
    std::string message; // why the file was left as it was
};

// Appends the record of a new customized game under the first free code; a missing file is made
// with its version tag first. The name (at most 50 characters) and the seven override characters
// are stored as given. Nothing is written when the file cannot be read, when every code is taken
// or when a field does not fit.
CustomGameWrite addCustomGameRecord(const std::string& path, std::string_view name, int baseGameId,
                                    std::string_view overrides);

// Removes the 30 lines of the record with that code; every other line stays as it was.
CustomGameWrite removeCustomGameRecord(const std::string& path, int code);

// The records every reader passes over, as one message naming their lines; empty when there is
// none (and when the file is missing).
std::string customGamesDamage(const std::string& path);

} // namespace kst
