#include "tools/Cli.h"

#include "engine/GameNumber.h"
#include "storage/Encoding.h"
#include "storage/TextUtils.h"

#include <optional>
#include <string>

namespace kst::cli {

bool loadCatalogue(const Invocation& inv, GameCatalogue& catalogue)
{
    const ProgramFiles files = inv.files();
    catalogue = GameCatalogue(files.dataFile("GAM_CUST.DAT"));
    const CatalogueResult result = catalogue.load(files.programFile("GAMES.DAT"));
    if (!result.ok)
        badInput(inv.err, cp1252ToUtf8(result.message));
    return result.ok;
}

int resolveGame(const Invocation& inv, const GameCatalogue& catalogue, std::string_view text)
{
    const std::string trimmed = fnTrimRight(text);
    if (!trimmed.empty() && trimmed.size() <= 4 && fnAllDigits(trimmed)) {
        const int id = std::stoi(trimmed);
        if (catalogue.gameCategory(id) != -1)
            return id;
    } else if (const std::optional<std::string> name = utf8ToCp1252(trimmed)) {
        if (const int id = catalogue.gameIdByName(*name); id != -1)
            return id;
    }
    badInput(inv.err, "unknown game: " + std::string(text));
    return -1;
}

int resolveCatalogueGame(const Invocation& inv, GameCatalogue& catalogue, std::string_view game)
{
    return loadCatalogue(inv, catalogue) ? resolveGame(inv, catalogue, game) : -1;
}

int onlyGameArgument(const Invocation& inv, GameCatalogue& catalogue, std::string_view usage)
{
    if (inv.args.size() == 1)
        return resolveCatalogueGame(inv, catalogue, inv.args.front());
    badInput(inv.err, usage);
    return -1;
}

int resolveDeal(const Invocation& inv, GameCatalogue& catalogue, std::string_view game, std::string_view number)
{
    const int id = resolveCatalogueGame(inv, catalogue, game);
    if (id >= 0 && !isGameNumberText(number)) {
        badInput(inv.err, "bad game number: " + std::string(number));
        return -1;
    }
    return id;
}

int runGames(const Invocation& inv)
{
    if (const int status = refuseArguments(inv, "games"); status != ExitOk)
        return status;
    GameCatalogue catalogue;
    if (!loadCatalogue(inv, catalogue))
        return ExitBadInput;
    for (const CatalogueGame& game : catalogue.games())
        inv.out << game.gameId << '\t' << game.category << '\t' << cp1252ToUtf8(game.name) << '\n';
    return ExitOk;
}

int runRules(const Invocation& inv)
{
    GameCatalogue catalogue;
    const int id = onlyGameArgument(inv, catalogue, "usage: rules GAME");
    if (id < 0)
        return ExitBadInput;
    RuleTable table;
    if (const CatalogueResult loaded = catalogue.loadRules(id, table); !loaded.ok)
        return badInput(inv.err, cp1252ToUtf8(loaded.message));
    for (int index = 0; index < Rule::Count; ++index)
        inv.out << index << '=' << table[index] << '\n';
    return ExitOk;
}

} // namespace kst::cli
