#pragma once
// A DATA folder of its own with the statistics files, scripted ports, and a small catalogue: game 1
// dealt from 52 cards, game 2 from 104, and the customized game 8000 based on game 2.

#include "platform/test/TestPorts.h"
#include "stats/StatsFiles.h"
#include "storage/GameCatalogue.h"
#include "storage/SessionStore.h"
#include "tests/support/CatalogueFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace kst::test {

inline constexpr int SmallGame = 1;   // 52 cards
inline constexpr int DoubleGame = 2;  // 104 cards
inline constexpr int CustomGame = 8000;

class StatsFixture : public ::testing::Test {
protected:
    StatsFixture()
    {
        m_dir.write("GAMES.DAT", joinLines(catalogueLines({{5, SmallGame, "Small"}, {5, DoubleGame, "Double"}},
                                                          [](int index, int column) {
                                                              if (index == Rule::DeckSize)
                                                                  return column == 0 ? 52 : 104;
                                                              if (index == Rule::MaximumScore)
                                                                  return column == 0 ? 200 : -1;
                                                              return 0;
                                                          })));
        m_dir.write("GAM_CUST.DAT", customGamesFile({{CustomGame, "My Double", DoubleGame, "       "}}));
        const CatalogueResult loaded = m_catalogue.load(m_dir.file("GAMES.DAT"));
        EXPECT_TRUE(loaded.ok) << loaded.message;
        m_store.fnStoreSet(Fld::UserDefault, "Player 1");
        m_store.fnStoreSet(Fld::GameId, "0001");
        m_store.fnStoreSet(Fld::SessionWon, "0000");
        m_store.fnStoreSet(Fld::SessionLost, "0000");
        m_ports.clock.setNow({2026, 12, 11, 14, 5, 9, 0});
    }

    std::string read(const char* name) const { return m_dir.read(name); }
    void put(const char* name, const std::string& bytes) const { m_dir.write(name, bytes); }
    bool exists(const char* name) const { return std::filesystem::exists(m_dir.file(name)); }
    std::vector<std::string> boxTexts() const { return m_ports.messages.texts(); }

    TempDir m_dir{"stats"};
    TestPorts m_ports;
    GameCatalogue m_catalogue{m_dir.file("GAM_CUST.DAT")};
    SessionStore m_store;
    StatsFiles m_files{m_dir.path().string(),
                       StatsPorts{m_ports.messages, m_ports.pointer, m_ports.clock, m_ports.random, LocaleFormat{}}};
};

} // namespace kst::test
