#pragma once
// What every verb of kestrane-cli works with: its arguments, the common options, the two output
// streams, and the one way of reporting bad input.

#include "storage/GameCatalogue.h"
#include "storage/CommandLine.h"
#include "storage/Paths.h"

#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kst::cli {

constexpr int ExitOk = 0;
constexpr int ExitBadInput = 2;

struct Invocation {
    CommonOptions common;
    std::string argv0;
    std::vector<std::string> args; // after the verb, common options taken out
    std::ostream& out;
    std::ostream& err;
    std::istream& in; // what `play` reads its commands from

    // The program and data folders chosen by the options and the environment.
    ProgramFiles files() const;
};

// Writes the single error line "kestrane-cli: <message>" and gives the exit status for it.
int badInput(std::ostream& err, std::string_view message);

// Refuses any argument, for verbs that take none.
int refuseArguments(const Invocation& inv, std::string_view verb);

struct Verb {
    std::string_view name;
    std::string_view usage;    // the verb with its arguments: "rules GAME"
    std::string_view synopsis; // one line on what it prints
    int (*run)(const Invocation&);
};

// Loads GAMES.DAT of the program folder (customized games from the data folder); on failure
// reports the one error line and gives false.
bool loadCatalogue(const Invocation& inv, GameCatalogue& catalogue);

// A GAME argument: a GameId in decimal or a game name (any case, trailing blanks ignored); -1
// after reporting an unknown game.
int resolveGame(const Invocation& inv, const GameCatalogue& catalogue, std::string_view text);

// A GAME argument with the catalogue loaded for it; -1 after reporting what was wrong.
int resolveCatalogueGame(const Invocation& inv, GameCatalogue& catalogue, std::string_view game);
// The only argument of a verb that takes one GAME and nothing else; -1 after reporting the usage
// or what was wrong with it.
int onlyGameArgument(const Invocation& inv, GameCatalogue& catalogue, std::string_view usage);

// The GAME NUMBER arguments of a deal: the catalogue loaded, the GameId, the number checked; -1
// after reporting what was wrong.
int resolveDeal(const Invocation& inv, GameCatalogue& catalogue, std::string_view game, std::string_view number);

// ---- the verbs -------------------------------------------------------------------------------

int runPaths(const Invocation& inv);
int runGames(const Invocation& inv);
int runRules(const Invocation& inv);
int runLayout(const Invocation& inv);
int runShuffle(const Invocation& inv);
int runDeal(const Invocation& inv);
int runResources(const Invocation& inv);
int runPlay(const Invocation& inv);
int runSolve(const Invocation& inv);
int runOdds(const Invocation& inv);
int runStats(const Invocation& inv);
int runHiScores(const Invocation& inv);
int runOverall(const Invocation& inv);

} // namespace kst::cli
