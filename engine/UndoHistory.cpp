#include "engine/UndoHistory.h"

namespace kst {

TableImage tableImage(const Game& game)
{
    TableImage image;
    std::size_t line = 0;
    forEachPile(game.cards.piles, [&](PileRef, const std::string& pile) {
        image[line++] = savedPileString(game.cards.deck, pile);
    });
    return image;
}

bool restoreImage(Game& game, const TableImage& image)
{
    bool whole = true;
    std::size_t line = 0;
    PileGroups& piles = game.cards.piles;
    forEachPile(piles, [&](PileRef ref, const std::string&) {
        whole = restoreSavedPile(game.cards.deck, *piles.pile(ref), image[line++]) && whole;
    });
    return whole;
}

std::string UndoHistory::logText() const
{
    std::string text;
    for (const std::string& event : log)
        text += event + ',';
    return text;
}

bool UndoHistory::parseLog(std::string_view text, std::vector<std::string>& log)
{
    log.clear();
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t comma = text.find(',', at);
        if (comma == std::string_view::npos)
            return false;
        const std::string_view event = text.substr(at, comma - at);
        if (!event.empty() && parseCardDigits(event) < 0)
            return false;
        log.emplace_back(event);
        at = comma + 1;
    }
    return true;
}

} // namespace kst
