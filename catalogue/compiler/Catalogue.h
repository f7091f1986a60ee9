#pragma once
// The catalogue compiler: reads the human-readable game definitions (defaults.game and
// games/*.game, UTF-8) and writes the catalogue file GAMES.DAT and each game's rules text.
//
// GAMES.DAT as written here (Windows-1252, CR LF line ends, "shifted" = storeShifted below):
//   [Sect1]  one shifted 60-character line per game, in ascending id order: category (3 digits),
//            blank, id (3 digits), "0" (loaded), blank, new flag "1"/"0", name padded to 50.
//   [Sect2]  one line per parameter index 1..367 in order: the index as 4 plain digits
//            ("0001"), 12 plain blanks, then per game an 11-character shifted column: the value
//            left-aligned in 10 characters plus a blank separator. Shifted blanks are never
//            spaces in the file, so lines carry no trailing blanks for an editor to strip.
//   [SectS], [SectO], [SectK]  one shifted 3-digit id per line.

#include "cards/RuleTable.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kst::catalogue {

constexpr int kRuleCount = Rule::Count;

// ---- parameter names -------------------------------------------------------------------------

// A named rule parameter: one entry (length 1) or a per-pile block starting at index.
struct Parameter {
    std::string_view name;
    int index;
    int length;
    int minimum;
    int maximum;
};

std::span<const Parameter> parameters();
const Parameter* findParameter(std::string_view name);

// ---- the stored character shift --------------------------------------------------------------

// The inverse of the reader's shift. Only the characters of code 32..207 can be stored; nothing
// for a text holding any other.
std::optional<std::string> storeShifted(std::string_view text);

// ---- compiling -------------------------------------------------------------------------------

struct SourceFile {
    std::string path; // as shown in messages, relative to the catalogue folder
    std::string text; // UTF-8
};

// How a game's odds were found (its `measured` line): deals 1..deals solved, each won, proven lost
// or left unknown at the node limit.
struct Measurement {
    int line = 0; // of the measured line, in its file
    int deals = 0;
    int won = 0;
    int lost = 0;

    int unknown() const { return deals - won - lost; }
};

// A game's odds of winning: about won in played (rule entries 366 and 367); played 0 is none.
struct Odds {
    int won = 0;
    int played = 0;

    friend bool operator==(const Odds&, const Odds&) = default;
};

// The odds a measurement gives: won in decided (won + lost) when at least 90 % of the deals were
// decided, else none, since the undecided ones could turn the figure either way.
Odds oddsFrom(const Measurement& measured);

// The two lines as a game file holds them: "odds 82 in 96" or "odds none", and
// "measured 100 won 82 lost 14".
std::string oddsLine(const Odds& odds);
std::string measuredLine(const Measurement& measured);

// A scripted check of a game kept beside its rules: played by the tests through kestrane-cli play.
struct Scenario {
    int line = 0;                     // of the scenario line, in its file
    std::vector<std::string> header;  // the game number, then play options
    std::vector<std::pair<int, std::string>> steps; // line number and text, indentation removed
};

struct Game {
    int id = 0;
    std::string path;    // the source file, relative to the catalogue folder
    std::string summary; // one line for the overview, UTF-8
    std::string name; // Windows-1252
    int category = 0;
    bool isNew = false;
    bool selected = false;
    bool original = false;
    bool children = false;
    std::array<std::int16_t, kRuleCount> values{};
    std::string rulesText; // Windows-1252, lines joined with CR LF, no final line end
    std::vector<Scenario> scenarios;
    std::optional<Measurement> measured; // never inherited
    std::optional<int> baseGameId;       // the game it inherits from, when not only the defaults

    Odds odds() const { return {values[Rule::OddsWon], values[Rule::OddsPlayed]}; }
};

struct Compiled {
    std::vector<Game> games; // ascending id
    std::vector<std::string> errors; // "file:line: message"; games is empty when any
};

Compiled compile(const SourceFile& defaults, const std::vector<SourceFile>& games);

// The bytes of a file, as the compiler reads its sources; false when it cannot be read.
bool readSource(const std::filesystem::path& path, std::string& text);

// Reads and compiles catalogueDir/defaults.game and catalogueDir/games/*.game; the errors carry
// the catalogue folder in their paths.
Compiled compileSources(const std::filesystem::path& catalogueDir);

// The overview of the catalogue (catalogue/GAMES.md): one table row per game.
std::string overview(const std::vector<Game>& games);

// The rules of a game as the program loads them from GAMES.DAT: its values, their saved block taken.
RuleTable ruleTable(const Game& game);

// The bytes of GAMES.DAT for the games in the given order.
std::string gamesDat(const std::vector<Game>& games);
// The help file of a game's rules: its text with a final CR LF, and when its odds were measured a
// last line with the chance of winning found.
std::string rulesHelp(const Game& game);

// The help pages, UTF-8 HTML: a game's page (its preview, decks, redeals, category and odds, its
// rules, the games it is based on and those based on it), and the index of every game. Pages link
// to each other by file name ("0002.html" beside each other in help/games, "index.html" and
// "program.html" one folder up); the preview is asked for as "preview:NNNN".
std::string helpPage(const Game& game, const std::vector<Game>& games);
std::string helpIndex(const std::vector<Game>& games);

// Reads catalogueDir/defaults.game and catalogueDir/games/*.game, writes programDir/GAMES.DAT and
// programDir/help/games/NNNN.txt for
// each game that has a rules text. False with the messages in errors on any failure; GAMES.DAT is
// then left as it was.
bool compileFolder(const std::filesystem::path& catalogueDir, const std::filesystem::path& programDir,
                   std::vector<std::string>& errors);

} // namespace kst::catalogue
