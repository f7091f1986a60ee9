// The verbs that print what the statistics files hold: `stats`, `hiscores` and `overall`. They
// only read; a table never played prints nothing (its placeholders are made by the program when
// it is first shown).

#include "tools/CliStats.h"

#include "engine/Game.h"
#include "stats/HiScores.h"
#include "stats/OverallScore.h"
#include "stats/Statistics.h"
#include "storage/Encoding.h"
#include "storage/ProfileFile.h"
#include "storage/Startup.h"
#include "storage/TextUtils.h"

#include <algorithm>
#include <optional>

namespace kst::cli {

void CliStats::warn(std::ostream& err) const
{
    for (std::string text : messages.told()) {
        std::replace(text.begin(), text.end(), '\r', ' ');
        err << "kestrane-cli: warning: " << cp1252ToUtf8(text) << '\n';
    }
}

int runStats(const Invocation& inv)
{
    std::optional<std::string> player;
    std::string game;
    for (std::size_t i = 0; i < inv.args.size(); ++i) {
        if (inv.args[i] == "--player" && i + 1 < inv.args.size()) {
            player = utf8ToCp1252(inv.args[++i]);
            if (!player)
                return badInput(inv.err, "bad player name: " + inv.args[i]);
        } else if (!inv.args[i].starts_with("--") && game.empty()) {
            game = inv.args[i];
        } else {
            return badInput(inv.err, "usage: stats GAME [--player NAME]");
        }
    }
    if (game.empty())
        return badInput(inv.err, "usage: stats GAME [--player NAME]");
    GameCatalogue catalogue;
    const int id = resolveCatalogueGame(inv, catalogue, game);
    if (id < 0)
        return ExitBadInput;
    CliStats stats(inv);
    if (!player)
        player = fnTrimRight(ProfileFile(inv.files().dataFile("CFG.DAT")).readText("Preference", "UserDefault", FirstPlayer));
    const StatRecord r = fnReadStatistics(stats.files, SessionStore{}, id, *player).record;
    inv.out << "Won=" << r.won << "\nLost=" << r.lost << "\nLongestWinningStreak=" << r.longestWon
            << "\nLongestLosingStreak=" << r.longestLost << "\nCurrentWinningStreak=" << r.currentWon
            << "\nCurrentLosingStreak=" << r.currentLost << "\nTotalScore=" << r.totalScore << '\n';
    stats.warn(inv.err);
    return ExitOk;
}

int runHiScores(const Invocation& inv)
{
    GameCatalogue catalogue;
    const int id = onlyGameArgument(inv, catalogue, "usage: hiscores GAME");
    if (id < 0)
        return ExitBadInput;
    CliStats stats(inv);
    const std::vector<std::string> lines = fnReadHiScores(stats.files, catalogue, id, StandardScoring, false);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (hiScoreLineEmpty(lines[i]))
            continue;
        const HiScoreFields f = splitHiScoreLine(lines[i]);
        const auto number = [&](const std::optional<long long>& n, Column c) {
            return n ? std::to_string(*n) : fnTrimRight(fieldOf(lines[i], c));
        };
        inv.out << i + 1 << '\t' << number(f.score, HiScoreScoreColumn) << '\t' << number(f.seconds, HiScoreTimeColumn)
                << '\t' << f.date << '\t' << cp1252ToUtf8(fnTrimRight(f.player)) << '\t'
                << cp1252ToUtf8(fnTrimRight(f.number)) << '\t' << fnTrimRight(f.result) << '\n';
    }
    stats.warn(inv.err);
    return ExitOk;
}

int runOverall(const Invocation& inv)
{
    if (const int status = refuseArguments(inv, "overall"); status != ExitOk)
        return status;
    CliStats stats(inv);
    for (const OverallEntry& e : fnReadOverall(stats.files))
        inv.out << cp1252ToUtf8(e.player) << '\t' << e.score << '\t' << e.seconds << '\n';
    stats.warn(inv.err);
    return ExitOk;
}

} // namespace kst::cli
