#pragma once
// The catalogue the build ships (build/program/GAMES.DAT), its rules and its deals, for tests
// that play the real games.

#include "engine/Deal.h"
#include "engine/Game.h"
#include "engine/GameNumber.h"
#include "platform/test/TestPorts.h"
#include "storage/GameCatalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>

namespace kst::test {

inline const GameCatalogue& shippedCatalogue()
{
    static const GameCatalogue catalogue = [] {
        GameCatalogue c;
        const CatalogueResult loaded = c.load(KST_PROGRAM_DIR "/GAMES.DAT");
        EXPECT_TRUE(loaded.ok) << loaded.message;
        return c;
    }();
    return catalogue;
}

inline RuleTable rulesOf(int gameId)
{
    RuleTable rules;
    EXPECT_TRUE(shippedCatalogue().loadRules(gameId, rules).ok);
    return rules;
}

// The game dealt by its number, as a new game starts.
inline Game dealtGame(int gameId, std::string_view number)
{
    Game game;
    game.gameId = gameId;
    game.number = normalGameNumber(number);
    game.rules = rulesOf(gameId);
    ScriptedRandom random;
    EXPECT_TRUE(dealGame(game, random).ok);
    return game;
}

// How many times each card lies on the table.
inline std::map<int, int> cardCounts(const Game& game)
{
    std::map<int, int> counts;
    forEachPile(game.cards.piles, [&](PileRef, const std::string& pile) {
        for (int p = 0; p < cardCount(pile); ++p)
            if (const int card = cardAt(pile, p); card > 0)
                ++counts[card];
    });
    return counts;
}

} // namespace kst::test
