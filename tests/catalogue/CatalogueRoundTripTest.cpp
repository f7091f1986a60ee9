// The shipped game definitions, compiled and read back by the program's own catalogue reader:
// whatever the compiler writes, the engine must find again, value for value.

#include "storage/GameCatalogue.h"
#include "catalogue/compiler/Catalogue.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace kst {
namespace {

TEST(CatalogueRoundTrip, EveryShippedGameReadsBackValueForValue)
{
    test::TempDir dir("roundtrip");
    std::vector<std::string> errors;
    ASSERT_TRUE(catalogue::compileFolder(KST_SOURCE_DIR "/catalogue", dir.path(), errors))
        << (errors.empty() ? "" : errors.front());

    // The same compilation in memory gives the values to expect.
    const std::string written = dir.read("GAMES.DAT");
    GameCatalogue reader;
    const CatalogueResult loaded = reader.load(dir.file("GAMES.DAT"));
    ASSERT_TRUE(loaded.ok) << loaded.message;

    std::vector<catalogue::SourceFile> sources;
    for (const auto& entry : std::filesystem::directory_iterator(KST_SOURCE_DIR "/catalogue/games"))
        sources.push_back({"games/" + entry.path().filename().string(), test::TempDir::readFile(entry.path())});
    const catalogue::Compiled compiled = catalogue::compile(
        {"defaults.game", test::TempDir::readFile(KST_SOURCE_DIR "/catalogue/defaults.game")}, sources);
    ASSERT_TRUE(compiled.errors.empty()) << compiled.errors.front();
    ASSERT_EQ(catalogue::gamesDat(compiled.games), written);

    ASSERT_EQ(reader.games().size(), compiled.games.size());
    for (std::size_t i = 0; i < compiled.games.size(); ++i) {
        const catalogue::Game& game = compiled.games[i];
        SCOPED_TRACE(game.name);
        EXPECT_EQ(reader.games()[i].gameId, game.id);
        EXPECT_EQ(reader.games()[i].name, game.name);
        EXPECT_EQ(reader.games()[i].category, game.category);
        EXPECT_EQ(reader.gameIdByName(game.name), game.id);

        RuleTable table;
        const CatalogueResult rules = reader.loadRules(game.id, table);
        ASSERT_TRUE(rules.ok) << rules.message;
        // Index 0 has no line in the file and stays 0.
        EXPECT_EQ(table[0], 0);
        for (int index = 1; index < Rule::Count; ++index)
            EXPECT_EQ(table[index], game.values[std::size_t(index)]) << "index " << index;
    }
}

} // namespace
} // namespace kst
