// The solver's verbs: `solve` searches one deal (or a board read from a file) and prints the
// winning line as `play` commands; `odds` solves deals in a row and counts the verdicts.

#include "tools/Cli.h"
#include "tools/ClockRandom.h"

#include "engine/Deal.h"
#include "engine/GameNumber.h"
#include "solver/Board.h"
#include "solver/Odds.h"
#include "solver/Solver.h"
#include "storage/Encoding.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>

namespace kst::cli {
namespace {

constexpr std::string_view SolveUsage =
    "usage: solve GAME NUMBER|--board FILE [--nodes N] [--seconds S] [--memory MIB]";
constexpr std::string_view OddsUsage =
    "usage: odds GAME [--deals N] [--first NUMBER] [--nodes N] [--seconds S] [--memory MIB] [--each]";

struct SolveOptions {
    std::vector<std::string> positional;
    solver::Limits limits;
    std::optional<std::string> board;
    long long deals = 100;
    long long first = 1;
    bool each = false; // odds: a line per deal as well
};

template <typename Number>
bool parseNumber(const std::string& text, Number& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc{} && end == text.data() + text.size();
}

// The options in any order; on bad input the one error line is written and the status returned.
int parseSolveOptions(const Invocation& inv, bool odds, SolveOptions& options)
{
    for (std::size_t i = 0; i < inv.args.size(); ++i) {
        const std::string& arg = inv.args[i];
        if (arg.size() < 2 || !arg.starts_with("--")) {
            options.positional.push_back(arg);
            continue;
        }
        if (odds && arg == "--each") {
            options.each = true;
            continue;
        }
        const bool known = arg == "--nodes" || arg == "--seconds" || arg == "--memory"
            || (!odds && arg == "--board") || (odds && (arg == "--deals" || arg == "--first"));
        if (!known)
            return badInput(inv.err, "unknown option: " + arg);
        if (i + 1 >= inv.args.size())
            return badInput(inv.err, arg + " needs a value");
        const std::string& value = inv.args[++i];
        bool ok = true;
        if (arg == "--nodes") {
            ok = parseNumber(value, options.limits.nodes);
        } else if (arg == "--seconds") {
            double seconds = 0;
            ok = parseNumber(value, seconds) && seconds >= 0;
            options.limits.seconds = seconds;
        } else if (arg == "--memory") {
            std::size_t mib = 0;
            ok = parseNumber(value, mib) && mib > 0 && mib <= (std::size_t(1) << 20);
            options.limits.memoryBytes = mib << 20;
        } else if (arg == "--board") {
            options.board = value;
        } else if (arg == "--deals") {
            ok = parseNumber(value, options.deals) && options.deals > 0;
        } else {
            ok = isGameNumberText(value) && value.size() <= std::size_t(GameNumberDigits)
                && parseNumber(value, options.first);
        }
        if (!ok)
            return badInput(inv.err, "bad value for " + arg + ": " + value);
    }
    return ExitOk;
}

std::string seconds(double s)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", s);
    return text;
}

// The game's rules from the catalogue; false after reporting why not.
bool loadedRules(const Invocation& inv, const GameCatalogue& catalogue, int id, RuleTable& rules)
{
    if (const CatalogueResult loaded = catalogue.loadRules(id, rules); !loaded.ok) {
        badInput(inv.err, cp1252ToUtf8(loaded.message));
        return false;
    }
    return true;
}

// The game dealt by its number, as `deal` and `play` deal it.
bool dealt(const Invocation& inv, GameCatalogue& catalogue, int id, const std::string& number, Game& game)
{
    RuleTable rules;
    if (!loadedRules(inv, catalogue, id, rules))
        return false;
    ClockRandom random;
    if (const DealResult d = dealByNumber(game, id, rules, number, random); !d.ok) {
        badInput(inv.err, d.message);
        return false;
    }
    return true;
}

int refuseUnsolvable(const Invocation& inv, const GameCatalogue& catalogue, int id)
{
    return badInput(inv.err, "the solver plays only ordinary games, not " + cp1252ToUtf8(catalogue.gameName(id)));
}

} // namespace

int runSolve(const Invocation& inv)
{
    SolveOptions options;
    if (const int status = parseSolveOptions(inv, false, options); status != ExitOk)
        return status;
    if (options.positional.size() != (options.board ? 1u : 2u))
        return badInput(inv.err, SolveUsage);
    GameCatalogue catalogue;
    Game game;
    if (options.board) {
        if (!loadCatalogue(inv, catalogue))
            return ExitBadInput;
        const int id = resolveGame(inv, catalogue, options.positional[0]);
        if (id < 0 || !dealt(inv, catalogue, id, "1", game))
            return ExitBadInput;
        std::ifstream file(*options.board, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        if (!file)
            return badInput(inv.err, "cannot read " + *options.board);
        if (const std::string wrong = solver::readBoard(text.str(), game); !wrong.empty())
            return badInput(inv.err, "bad board " + *options.board + ": " + wrong);
    } else {
        const int id = resolveDeal(inv, catalogue, options.positional[0], options.positional[1]);
        if (id < 0 || !dealt(inv, catalogue, id, options.positional[1], game))
            return ExitBadInput;
    }
    if (!solver::solvable(game))
        return refuseUnsolvable(inv, catalogue, game.gameId);
    // As `play` plays: cards turned up by themselves, no automatic play.
    const solver::Result r = solver::solve(game, AutomaticPlay{}, options.limits);
    inv.out << "Result=" << solver::verdictName(r.verdict) << '\n'
            << "Nodes=" << r.nodes << '\n'
            << "Seconds=" << seconds(r.seconds) << '\n'
            << "Moves=" << r.line.size() << '\n';
    for (const Move& m : r.line)
        inv.out << moveText(m) << '\n';
    return ExitOk;
}

int runOdds(const Invocation& inv)
{
    SolveOptions options;
    if (const int status = parseSolveOptions(inv, true, options); status != ExitOk)
        return status;
    if (options.positional.size() != 1)
        return badInput(inv.err, OddsUsage);
    GameCatalogue catalogue;
    if (!loadCatalogue(inv, catalogue))
        return ExitBadInput;
    const int id = resolveGame(inv, catalogue, options.positional[0]);
    if (id < 0)
        return ExitBadInput;
    long long last = 0;
    if (__builtin_add_overflow(options.first, options.deals - 1, &last) || last >= 10'000'000'000'000LL)
        return badInput(inv.err, "the deals run past the last game number");
    RuleTable rules;
    if (!loadedRules(inv, catalogue, id, rules))
        return ExitBadInput;
    solver::EachDeal each;
    if (options.each)
        each = [&](const std::string& number, const solver::Result& r) {
            inv.out << number << '\t' << solver::verdictName(r.verdict) << '\t' << r.nodes << '\t' << seconds(r.seconds)
                    << '\n';
        };
    const solver::OddsCount count =
        solver::measureOdds(id, rules, options.first, options.deals, options.limits, AutomaticPlay{}, each);
    if (!count.supported)
        return refuseUnsolvable(inv, catalogue, id);
    if (!count.error.empty())
        return badInput(inv.err, count.error);
    std::vector<double> times = count.seconds;
    std::sort(times.begin(), times.end());
    const auto percentile = [&](double p) { return times[std::min(times.size() - 1, std::size_t(p * double(times.size())))]; };
    inv.out << "Won=" << count.won << '\n'
            << "Lost=" << count.lost << '\n'
            << "Unknown=" << count.unknown << '\n'
            << "Seconds=" << seconds(count.totalSeconds()) << '\n'
            << "Nodes=" << count.nodes << '\n'
            << "SecondsMedian=" << seconds(percentile(0.5)) << '\n'
            << "SecondsP90=" << seconds(percentile(0.9)) << '\n'
            << "SecondsP99=" << seconds(percentile(0.99)) << '\n'
            << "SecondsMax=" << seconds(times.back()) << '\n';
    return ExitOk;
}

} // namespace kst::cli
