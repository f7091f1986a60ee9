// The measurement of the catalogue's odds: the figures written into a game's odds and measured
// lines, and nothing else of its file touched.

#include "catalogue/compiler/Measure.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace kst::catalogue {
namespace {

TEST(CatalogueMeasure, OnlyTheOddsAndMeasuredLinesChange)
{
    struct Case {
        const char* what;
        std::string before;
        Measurement measured;
        std::string after;
    };
    const std::vector<Case> cases = {
        {"the odds line takes the figures, the measured line follows it",
         "# A\ngame 1 \"A\"\ncategory 4\nodds none\n\nDeals 1\n", {0, 100, 82, 14},
         "# A\ngame 1 \"A\"\ncategory 4\nodds 82 in 96\nmeasured 100 won 82 lost 14\n\nDeals 1\n"},
        {"fewer than 90 % decided: no odds; comments and a measured line elsewhere stay where they are",
         "game 1 \"A\"\r\nodds 1 in 2   # old\r\nDeals 1\r\nmeasured 5 won 1 lost 1\t# by hand\r\n", {0, 100, 50, 30},
         "game 1 \"A\"\r\nodds none   # old\r\nDeals 1\r\nmeasured 100 won 50 lost 30\t# by hand\r\n"},
        {"no odds line: both go after the game line, with its line end",
         "game 2 \"B\"\r\ninherits 1\r\n", {0, 5, 5, 0},
         "game 2 \"B\"\r\nodds 5 in 5\r\nmeasured 5 won 5 lost 0\r\ninherits 1\r\n"},
        {"the added line ends as the odds line does",
         "game 1 \"A\"\nodds none\r\nDeals 1\n", {0, 1, 1, 0},
         "game 1 \"A\"\nodds 1 in 1\r\nmeasured 1 won 1 lost 0\r\nDeals 1\n"},
        {"an unclosed last line stays the last unclosed one",
         "game 1 \"A\"\r\nodds none", {0, 2, 0, 2},
         "game 1 \"A\"\r\nodds 0 in 2\r\nmeasured 2 won 0 lost 2"},
        {"the words of a rules text are no statements",
         "game 1 \"A\"\nrules\n  odds are long\n  measured by hand\nend\nodds 3 in 4\n", {0, 10, 9, 1},
         "game 1 \"A\"\nrules\n  odds are long\n  measured by hand\nend\nodds 9 in 10\nmeasured 10 won 9 lost 1\n"},
        {"already current: the same bytes",
         "game 1 \"A\"\nodds 9 in 10 # x\nmeasured 10 won 9 lost 1\n", {0, 10, 9, 1},
         "game 1 \"A\"\nodds 9 in 10 # x\nmeasured 10 won 9 lost 1\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(withMeasurement(c.before, c.measured), c.after) << c.what;
}

// The file without its odds and measured lines, every other byte as it is.
std::string withoutFigures(const std::string& text)
{
    std::string kept;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size() - 1) + 1;
        const std::string line = text.substr(start, end - start);
        if (!line.starts_with("odds ") && !line.starts_with("measured "))
            kept += line;
        start = end;
    }
    return kept;
}

// The words of a game's progress line from "won" on, or of the whole line when it has none.
std::vector<std::string> progressWords(const std::string& progress, int id)
{
    std::istringstream lines(progress);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream in(line);
        int lineId = 0;
        in >> lineId;
        std::vector<std::string> words;
        for (std::string word; in >> word;)
            words.push_back(word);
        if (lineId == id) {
            const auto won = std::find(words.begin(), words.end(), "won");
            return {won == words.end() ? words.begin() : won, words.end()};
        }
    }
    return {};
}

// Two solver games, one built on the other, one written with LF and comments and one with CR LF
// and no odds line, and a pairing game the solver does not play.
class MeasureFolder : public ::testing::Test {
protected:
    MeasureFolder()
    {
        std::string freecell = test::TempDir::readFile(KST_SOURCE_DIR "/catalogue/games/0001-freecell.game");
        const std::size_t odds = freecell.find("\nodds ");
        freecell.replace(odds + 1, freecell.find('\n', odds + 1) - odds - 1, "odds 1 in 3   # a guess");
        // As if never measured.
        if (const std::size_t measured = freecell.find("\nmeasured "); measured != std::string::npos)
            freecell.erase(measured + 1, freecell.find('\n', measured + 1) - measured);
        m_original = {
            {"games/0001-freecell.game", freecell},
            {"games/0002-suited.game", "# Freecell built in suit\r\ngame 2 \"Suited\"\r\ninherits 1\r\n"
                                       "summary \"In suit.\"\r\ncategory 4\r\n\r\n# in suit\r\nTableauBuildCode 0*8\r\n"
                                       "rules\r\n  Build down in suit.\r\n\r\n  odds are poor\r\nend"},
            {"games/0003-pairs.game", "game 3 \"Pairs\"\ninherits 1\ncategory 6\nodds none\nPairingSum 13\n"},
        };
        m_dir.write("defaults.game", test::TempDir::readFile(KST_SOURCE_DIR "/catalogue/defaults.game"));
        for (const auto& [path, text] : m_original)
            m_dir.write(path, text);
    }

    bool measure(std::vector<int> games, std::string& progress, std::vector<std::string>& errors)
    {
        MeasureOptions options;
        options.deals = 2;
        options.nodes = 3000;
        options.games = std::move(games);
        std::ostringstream out;
        const bool ok = measureCatalogue(m_dir.path(), options, out, errors);
        progress = out.str();
        return ok;
    }

    test::TempDir m_dir{"measure"};
    std::vector<std::pair<std::string, std::string>> m_original;
};

TEST_F(MeasureFolder, WritesTheFiguresOfEachGameTheSolverPlays)
{
    std::string progress;
    std::vector<std::string> errors;
    ASSERT_TRUE(measure({2}, progress, errors)) << errors.front();
    EXPECT_EQ(progress.rfind("   2  Suited", 0), 0u) << progress;
    EXPECT_EQ(std::count(progress.begin(), progress.end(), '\n'), 1) << progress;
    EXPECT_EQ(m_dir.read("games/0001-freecell.game"), m_original[0].second) << "a game not asked for";
    EXPECT_NE(m_dir.read("games/0002-suited.game"), m_original[1].second);

    ASSERT_TRUE(measure({}, progress, errors)) << errors.front();
    EXPECT_EQ(std::count(progress.begin(), progress.end(), '\n'), 3) << progress;
    EXPECT_EQ(progressWords(progress, 3), (std::vector<std::string>{"Pairs", "not", "played", "by", "the", "solver,",
                                                                     "left", "as", "it", "is"}));

    const Compiled compiled = compileSources(m_dir.path());
    ASSERT_TRUE(compiled.errors.empty()) << compiled.errors.front();
    std::vector<std::string> written;
    for (std::size_t i = 0; i < m_original.size(); ++i) {
        const auto& [path, before] = m_original[i];
        const Game& game = compiled.games[i];
        written.push_back(m_dir.read(path));
        EXPECT_EQ(withoutFigures(written.back()), withoutFigures(before)) << path;
        if (game.id == 3) {
            EXPECT_EQ(written.back(), before) << "the solver does not play it";
            EXPECT_FALSE(game.measured);
            continue;
        }
        ASSERT_TRUE(game.measured) << path;
        EXPECT_EQ(game.measured->deals, 2) << path;
        EXPECT_EQ(written.back(), withMeasurement(before, *game.measured)) << path;
        const std::vector<std::string> words = progressWords(progress, game.id);
        ASSERT_EQ(words.size(), 8u) << progress;
        EXPECT_EQ(words[1], std::to_string(game.measured->won));
        EXPECT_EQ(words[3], std::to_string(game.measured->lost));
        EXPECT_EQ(words[5], std::to_string(game.measured->unknown()));
        EXPECT_EQ(words[7], "s");
    }
    EXPECT_NE(written[0].find("# a guess\n"), std::string::npos);
    EXPECT_EQ(written[1].substr(written[1].size() - 5), "\r\nend") << "still CR LF, still unclosed";

    // Limited by nodes, not by time: a rerun writes the same figures.
    ASSERT_TRUE(measure({}, progress, errors)) << errors.front();
    for (std::size_t i = 0; i < m_original.size(); ++i)
        EXPECT_EQ(m_dir.read(m_original[i].first), written[i]) << m_original[i].first;
}

TEST_F(MeasureFolder, AnUnknownGameChangesNothing)
{
    std::string progress;
    std::vector<std::string> errors;
    EXPECT_FALSE(measure({2, 7}, progress, errors));
    EXPECT_EQ(errors, std::vector<std::string>{m_dir.path().string() + ": no game 7 in the catalogue"});
    EXPECT_EQ(progress, "");
    for (const auto& [path, before] : m_original)
        EXPECT_EQ(m_dir.read(path), before) << path;
}

} // namespace
} // namespace kst::catalogue
