#include "tools/Cli.h"
#include "tools/ClockRandom.h"
#include "tools/TableForm.h"

#include "engine/Deal.h"
#include "engine/GameNumber.h"
#include "storage/Encoding.h"

#include <charconv>

namespace kst::cli {

int runShuffle(const Invocation& inv)
{
    if (inv.args.size() != 2)
        return badInput(inv.err, "usage: shuffle DECKSIZE NUMBER");
    const std::string& sizeText = inv.args[0];
    int deckSize = 0;
    const auto [end, ec] = std::from_chars(sizeText.data(), sizeText.data() + sizeText.size(), deckSize);
    if (ec != std::errc{} || end != sizeText.data() + sizeText.size() || deckSize <= 0)
        return badInput(inv.err, "bad deck size: " + sizeText);
    if (!isGameNumberText(inv.args[1]))
        return badInput(inv.err, "bad game number: " + inv.args[1]);
    const ShuffleDeck deck = buildShuffleDeck(inv.args[1], deckSize);
    if (!deck.ok())
        return badInput(inv.err, deck.error);
    inv.out << shuffleDeckText(deck) << '\n';
    return ExitOk;
}

int runDeal(const Invocation& inv)
{
    if (inv.args.size() != 2)
        return badInput(inv.err, "usage: deal GAME NUMBER");
    GameCatalogue catalogue;
    const int id = resolveDeal(inv, catalogue, inv.args[0], inv.args[1]);
    if (id < 0)
        return ExitBadInput;
    Game game;
    game.gameId = id;
    game.number = normalGameNumber(inv.args[1]);
    if (const CatalogueResult loaded = catalogue.loadRules(id, game.rules); !loaded.ok)
        return badInput(inv.err, cp1252ToUtf8(loaded.message));
    ClockRandom random;
    if (const DealResult dealt = dealGame(game, random); !dealt.ok)
        return badInput(inv.err, dealt.message);
    printTableForm(inv.out, game);
    return ExitOk;
}

} // namespace kst::cli
