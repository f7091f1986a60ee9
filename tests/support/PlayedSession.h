#pragma once
// A game session on the shipped catalogue with the program's default preferences and scripted
// ports, as kestrane-cli play runs one: tests play moves through it and compare.

#include "engine/GameSession.h"
#include "platform/test/TestPorts.h"
#include "storage/Startup.h"
#include "tests/support/ShippedGames.h"

#include <string>
#include <utility>
#include <vector>

namespace kst::test {

struct PlayedSession {
    PlayedSession(int gameId, std::string_view number, const std::vector<std::pair<Field, std::string>>& prefs = {},
                  bool autoplay = false)
    {
        preferenceDefaults(store);
        for (const auto& [field, value] : prefs)
            store.fnStoreSet(field, value);
        store.fnStoreSet(Fld::GameNumber, normalGameNumber(number));
        session.setAutoplay(autoplay);
        EXPECT_TRUE(session.startGame(gameId, shippedCatalogue().gameName(gameId), "", KeepNumber, false));
    }

    const Game& game() const { return session.game(); }

    TestPorts ports;
    SessionStore store;
    GameSession session{store, shippedCatalogue(), SessionPorts{ports.messages, ports.clock, ports.random, ports.sound}};
};

} // namespace kst::test
