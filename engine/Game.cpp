#include "engine/Game.h"

#include <algorithm>
#include <cassert>

namespace kst {

const std::string& Game::pile(PileRef ref) const
{
    const std::string* text = cards.piles.pile(ref);
    assert(text != nullptr);
    return *text;
}

std::string& Game::pile(PileRef ref)
{
    std::string* text = cards.piles.pile(ref);
    assert(text != nullptr);
    return *text;
}

int foundationsInUse(const RuleTable& rules)
{
    return std::clamp(int(rules[Rule::FoundationCount]), 0, Rule::MaxFoundations);
}

int tableausInUse(const RuleTable& rules)
{
    return std::clamp(int(rules[Rule::TableauCount]), 0, Rule::MaxTableaus);
}

int reservesInUse(const RuleTable& rules)
{
    return std::clamp(int(rules[Rule::ReserveCount]), 0, Rule::MaxReserves);
}

bool pileInUse(const RuleTable& rules, PileRef ref)
{
    switch (ref.group) {
    case PileGroup::Stock: return ref.index >= 0 && ref.index < PileGroups::StockEntries;
    case PileGroup::Dest: return ref.index >= 0 && ref.index < foundationsInUse(rules);
    case PileGroup::Fila: return ref.index >= 0 && ref.index < tableausInUse(rules);
    case PileGroup::Appogg: return ref.index >= 0 && ref.index < reservesInUse(rules);
    default: return false;
    }
}

int emptyTableaus(const Game& game)
{
    int n = 0;
    for (int i = 0; i < tableausInUse(game.rules); ++i)
        n += game.cards.piles.fila[std::size_t(i)].empty() ? 1 : 0;
    return n;
}

int emptyReserves(const Game& game)
{
    int n = 0;
    for (int i = 0; i < reservesInUse(game.rules); ++i)
        n += game.cards.piles.appogg[std::size_t(i)].empty() ? 1 : 0;
    return n;
}

std::string gameIsOk(const Game& game)
{
    return tableIsOk(game.cards.piles);
}

} // namespace kst
