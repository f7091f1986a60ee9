// kestrane-cli: the engine without windows. This file only finds the verb and hands over.

#include "tools/Cli.h"

#include <algorithm>
#include <iostream>

namespace kst::cli {
namespace {

constexpr Verb verbs[] = {
    {"games", "games", "the games of the catalogue: id, category, name", runGames},
    {"rules", "rules GAME", "the 368 rule parameters of a game, index=value", runRules},
    {"shuffle", "shuffle DECKSIZE NUMBER", "the shuffled deck of a game number, three digits per card", runShuffle},
    {"deal", "deal GAME NUMBER", "the table after the deal, in the table form", runDeal},
    {"layout", "layout GAME --width W --height H --top T --bottom B --screen SWxSH --card B|M|L [--shadow Y|N]",
     "the table position of every placed pile, PileName=x,y", runLayout},
    {"play", "play GAME NUMBER [--autoplay on|off] [--pref KEY=VALUE ...] [--record]",
     "deals, plays the commands of standard input (ok or refused each), prints the table form", runPlay},
    {"solve", "solve GAME NUMBER|--board FILE [--nodes N] [--seconds S] [--memory MIB]",
     "searches the deal; prints Result=won|lost|unknown, Nodes, Seconds, Moves and the winning line", runSolve},
    {"odds", "odds GAME [--deals N] [--first NUMBER] [--nodes N] [--seconds S] [--memory MIB] [--each]",
     "solves deals in a row; prints Won, Lost, Unknown, Seconds (--each: a line per deal first)", runOdds},
    {"stats", "stats GAME [--player NAME]", "a player's statistics of a game: Won, Lost, streaks, TotalScore", runStats},
    {"hiscores", "hiscores GAME", "the game's hi-score table, one line per entry in rank order", runHiScores},
    {"overall", "overall", "the overall-score ranking: player, score, seconds", runOverall},
    {"resources", "resources", "the pictures of the resource library KST.RGF: name and size", runResources},
    {"paths", "paths", "the program folder and the data folder in use", runPaths},
};

void printUsage(std::ostream& out)
{
    out << "Usage: kestrane-cli [options] VERB [arguments]\n"
           "\n"
           "Options (before or after the verb):\n"
        << commonOptionsUsage()
        << "  --help             this text\n"
           "\n"
           "Verbs:\n";
    for (const Verb& v : verbs) {
        std::string usage(v.usage);
        usage.resize(std::max<std::size_t>(usage.size() + 2, 19), ' ');
        out << "  " << usage << v.synopsis << '\n';
    }
    out << "  help               this text\n";
}

int dispatch(const std::vector<std::string>& args, std::string_view argv0)
{
    ParsedCommandLine parsed = parseCommonOptions(args);
    if (!parsed.ok())
        return badInput(std::cerr, parsed.error);
    std::vector<std::string>& rest = parsed.rest;
    for (const std::string& arg : rest)
        if (arg == "--help" || arg == "-h") {
            printUsage(std::cout);
            return ExitOk;
        }
    if (rest.empty())
        return badInput(std::cerr, "no verb given (try --help)");
    const std::string name = rest.front();
    if (name == "help") {
        printUsage(std::cout);
        return ExitOk;
    }
    if (name.size() > 1 && name.front() == '-')
        return badInput(std::cerr, "unknown option: " + name);
    for (const Verb& v : verbs)
        if (v.name == name) {
            rest.erase(rest.begin());
            const Invocation inv{parsed.common, std::string(argv0), std::move(rest), std::cout, std::cerr, std::cin};
            return v.run(inv);
        }
    return badInput(std::cerr, "unknown verb: " + name + " (try --help)");
}

} // namespace
} // namespace kst::cli

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    return kst::cli::dispatch(args, argc > 0 ? argv[0] : "kestrane-cli");
}
