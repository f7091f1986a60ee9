// The games of the shipped catalogue, each checked as a player meets it: its scenario played
// through kestrane-cli, its table laid out in an ordinary window, random play through a session,
// and the overview file kept current.
//
// KESTRANE_CATALOGUE_DIR=<folder> plays the scenarios of that catalogue instead of the shipped
// one (it is compiled into a folder of the test's own): for checking games while writing them.

#include "catalogue/compiler/Catalogue.h"
#include "engine/Moves.h"
#include "storage/Encoding.h"
#include "storage/TextUtils.h"
#include "table/Fans.h"
#include "table/Layout.h"
#include "tests/support/PlayedSession.h"
#include "tests/support/ShippedGames.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include <sys/wait.h>

namespace kst {
namespace {

constexpr std::size_t TableFormLines = 60;

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> words(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string word; in >> word;)
        out.push_back(word);
    return out;
}

std::string fileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// ---- scenarios ------------------------------------------------------------------------------------

// One step of a scenario: a play command with the reply it must get, or a check of the table.
struct Step {
    int line = 0;
    std::string command;  // empty for a check
    std::string reply;    // "ok" or "refused"
    int times = 1;        // "-> ok x24": the command 24 times, each answered so
    std::vector<std::string> check; // the words after "expect"
};

// Empty with a message when the step is malformed.
std::optional<Step> parseStep(int line, const std::string& text, std::string& error)
{
    Step step;
    step.line = line;
    if (text.starts_with("expect ")) {
        step.check = words(text.substr(7));
        const bool valid = (step.check.size() == 3 && (step.check[1] == "top" || step.check[1] == "count"))
                           || (step.check.size() >= 2 && step.check[1] == "=");
        if (!valid) {
            error = "expect takes PILE top CARD, PILE count N or NAME = VALUE";
            return std::nullopt;
        }
        return step;
    }
    const std::size_t arrow = text.find("->");
    if (arrow == std::string::npos) {
        error = "a command needs '-> ok' or '-> refused'";
        return std::nullopt;
    }
    step.command = text.substr(0, arrow);
    step.command.erase(step.command.find_last_not_of(' ') + 1);
    const std::vector<std::string> reply = words(text.substr(arrow + 2));
    if (reply.size() == 2 && reply[1].size() > 1 && reply[1][0] == 'x')
        step.times = std::atoi(reply[1].c_str() + 1);
    if (reply.empty() || reply.size() > 2 || step.times < 1 || (reply[0] != "ok" && reply[0] != "refused")
        || step.command.empty() || step.command == "print" || step.command == "moves") {
        error = "a command is followed by '-> ok' or '-> refused', and 'xN' to repeat it (print and moves are "
                "not steps)";
        return std::nullopt;
    }
    step.reply = reply[0];
    return step;
}

std::string valueOf(const std::vector<std::string>& table, const std::string& name)
{
    for (const std::string& line : table)
        if (line.starts_with(name + "="))
            return line.substr(name.size() + 1);
    return "(no such line)";
}

// The problem with a check against a printed table form; empty when it holds.
std::string checkTable(const Step& step, const std::vector<std::string>& table)
{
    const std::string& name = step.check[0];
    const std::string value = valueOf(table, name);
    if (step.check[1] == "=") {
        std::string wanted;
        for (std::size_t i = 2; i < step.check.size(); ++i)
            wanted += (i > 2 ? " " : "") + step.check[i];
        return value == wanted ? "" : name + " is '" + value + "', not '" + wanted + "'";
    }
    if (parsePileName(name).isNone())
        return name + " is not a pile";
    // A saved pile string: four characters a card, the face flag last.
    const int count = int(value.size() / 4);
    if (step.check[1] == "count")
        return std::to_string(count) == step.check[2] ? "" : name + " holds " + std::to_string(count) + " cards, not "
                                                                  + step.check[2];
    const std::string top = count == 0 ? "none" : value.substr(value.size() - 4, 3);
    return top == step.check[2] ? "" : name + " has " + top + " on top, not " + step.check[2];
}

// Plays one scenario through kestrane-cli; the failures, each with its file and line.
std::vector<std::string> playScenario(const catalogue::Game& game, const catalogue::Scenario& scenario,
                                      const std::string& programDir, const test::TempDir& tmp)
{
    const std::string where = game.path + ":";
    std::vector<std::string> failures;
    std::vector<Step> steps;
    std::string input;
    for (const auto& [line, text] : scenario.steps) {
        std::string error;
        const std::optional<Step> step = parseStep(line, text, error);
        if (!step) {
            failures.push_back(where + std::to_string(line) + ": " + error);
            continue;
        }
        for (int k = 0; k < step->times; ++k)
            input += (step->command.empty() ? "print" : step->command) + "\n";
        steps.push_back(*step);
    }
    if (!failures.empty())
        return failures;

    std::string options;
    for (const std::string& word : scenario.header)
        options += " '" + word + "'";
    tmp.write("commands", input);
    const std::string command = "'" KST_CLI_PATH "' --program-dir '" + programDir + "' --data-dir '"
                                + tmp.file("data") + "' play " + std::to_string(game.id) + options + " <'"
                                + tmp.file("commands") + "' >'" + tmp.file("out") + "' 2>'" + tmp.file("err") + "'";
    const int raw = std::system(command.c_str());
    if (!WIFEXITED(raw) || WEXITSTATUS(raw) != 0)
        return {where + std::to_string(scenario.line) + ": kestrane-cli play failed: " + fileText(tmp.file("err"))};

    const std::vector<std::string> out = splitLines(fileText(tmp.file("out")));
    std::size_t at = 0;
    for (const Step& step : steps) {
        const std::string here = where + std::to_string(step.line) + ": ";
        if (step.command.empty()) {
            if (at + TableFormLines > out.size())
                return {here + "the output ends early"};
            const std::vector<std::string> table(out.begin() + std::ptrdiff_t(at),
                                                 out.begin() + std::ptrdiff_t(at + TableFormLines));
            at += TableFormLines;
            if (const std::string problem = checkTable(step, table); !problem.empty())
                failures.push_back(here + problem);
            continue;
        }
        for (int k = 0; k < step.times; ++k, ++at) {
            if (at >= out.size())
                return {here + "the output ends early"};
            if (out[at] != step.reply) {
                // The replies after it no longer line up with the steps.
                failures.push_back(here + step.command + " (time " + std::to_string(k + 1) + ") was answered "
                                   + out[at] + ", not " + step.reply);
                return failures;
            }
        }
    }
    return failures;
}

TEST(CatalogueScenarios, EveryGamePlaysItsScenarios)
{
    // The catalogue whose scenarios are played, and the program folder its GAMES.DAT lies in.
    test::TempDir tmp("scenarios");
    std::string sources = KST_SOURCE_DIR "/catalogue";
    std::string programDir = KST_PROGRAM_DIR;
    if (const char* other = std::getenv("KESTRANE_CATALOGUE_DIR"); other && *other) {
        std::vector<std::string> errors;
        ASSERT_TRUE(catalogue::compileFolder(other, tmp.path() / "program", errors)) << errors.front();
        sources = other;
        programDir = tmp.file("program");
    }
    const catalogue::Compiled compiled = catalogue::compileSources(sources);
    ASSERT_TRUE(compiled.errors.empty()) << compiled.errors.front();
    for (const catalogue::Game& game : compiled.games) {
        SCOPED_TRACE(game.path);
        EXPECT_FALSE(game.summary.empty()) << game.path << ": no summary";
        EXPECT_FALSE(game.scenarios.empty()) << game.path << ": no scenario";
        for (const catalogue::Scenario& scenario : game.scenarios)
            for (const std::string& failure : playScenario(game, scenario, programDir, tmp))
                ADD_FAILURE() << failure;
    }
}

// A scenario step that is not understood is reported at its line, not skipped.
TEST(CatalogueScenarios, MalformedStepsAreReported)
{
    const struct {
        const char* text;
        bool valid;
    } cases[] = {
        {"drop 017 Fila3 -> ok", true},     {"stock -> refused", true},
        {"stock -> ok x24", true},          {"stock -> ok x0", false},
        {"expect Fila3 top 017", true},     {"expect Mazzo count 0", true},
        {"expect Won = N", true},           {"drop 017 Fila3", false},
        {"stock -> fine", false},           {"print -> ok", false},
        {"expect Fila3 017", false},        {"expect Fila3 top", false},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_EQ(parseStep(1, c.text, error).has_value(), c.valid) << c.text;
        EXPECT_EQ(error.empty(), c.valid) << c.text;
    }
}

// ---- the overview -----------------------------------------------------------------------------------

TEST(CatalogueOverview, IsCurrent)
{
    const catalogue::Compiled compiled = catalogue::compileSources(KST_SOURCE_DIR "/catalogue");
    ASSERT_TRUE(compiled.errors.empty()) << compiled.errors.front();
    EXPECT_EQ(fileText(KST_SOURCE_DIR "/catalogue/GAMES.md"), catalogue::overview(compiled.games))
        << "catalogue/GAMES.md is out of date: run make overview";
}

// Every game of the catalogue has its help page in the built program folder: its name, its facts,
// its rules, and the related games linked both ways.
TEST(CatalogueHelp, EveryGameHasItsPage)
{
    const catalogue::Compiled compiled = catalogue::compileSources(KST_SOURCE_DIR "/catalogue");
    ASSERT_TRUE(compiled.errors.empty()) << compiled.errors.front();
    for (const catalogue::Game& game : compiled.games) {
        ASSERT_FALSE(game.rulesText.empty()) << game.name << " has no rules";
        const std::string page = fileText(KST_PROGRAM_DIR "/help/games/" + zeroPadded(game.id, 4) + ".html");
        EXPECT_NE(page.find("<h1>" + cp1252ToUtf8(game.name) + "</h1>"), std::string::npos) << game.name;
        EXPECT_NE(page.find("<h2>Rules</h2>"), std::string::npos) << game.name;
        // The first line of the rules, after its heading.
        const std::string firstLine = cp1252ToUtf8(game.rulesText.substr(0, game.rulesText.find("\r\n")));
        const std::string words = firstLine.substr(firstLine.find(':') + 1);
        if (words.find_first_of("&<>\"") == std::string::npos) {
            EXPECT_NE(page.find(words), std::string::npos) << game.name << ": " << words;
        }
        if (game.baseGameId) {
            EXPECT_NE(page.find("Based on <a href=\"" + zeroPadded(*game.baseGameId, 4) + ".html\">"),
                      std::string::npos)
                << game.name;
        }
    }
    EXPECT_NE(fileText(KST_PROGRAM_DIR "/help/index.html").find("games/0001.html"), std::string::npos);
    EXPECT_NE(fileText(KST_PROGRAM_DIR "/help/program.html").find("<h1>Playing Kestrane 2000</h1>"),
              std::string::npos);
}

// ---- every game on the table ---------------------------------------------------------------------

constexpr int WindowWidth = 1016;
constexpr int WindowHeight = 740;

struct PileBox {
    std::string name;
    Rect area;
};

bool overlap(const Rect& a, const Rect& b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// Every placed pile with the area its dealt cards cover.
std::vector<PileBox> dealtPiles(const Game& game, const PilePositions& positions, const FanSteps& steps, CardSize card)
{
    std::vector<PileBox> boxes;
    forEachPile(game.cards.piles, [&](PileRef ref, const std::string& pile) {
        if (!positions.isPlaced(ref))
            return;
        FanStyle style;
        if (ref.group == PileGroup::Dest)
            style = foundationFan(game.rules);
        else if (ref.group == PileGroup::Fila)
            style = tableauFan(game.rules);
        else if (ref.group == PileGroup::Appogg)
            style = reserveFan(game.rules);
        const Fan fan = fanOf(pile, style, game.cards.deck, steps, card);
        const Point at = positions.at(ref);
        Rect area{at.x, at.y, card.width, card.height};
        if (style.spread == Spread::Right)
            area.width = std::max(area.width, fan.length);
        else if (style.spread == Spread::Down)
            area.height = std::max(area.height, fan.length);
        boxes.push_back({pileName(ref), area});
    });
    return boxes;
}

// Laid out in an ordinary window with big cards, every pile's base card lies inside the window,
// and no two piles' dealt cards lie on each other.
TEST(CatalogueGames, DealtTablesFitTheWindowWithoutOverlaps)
{
    const CardSize card{71, 96};
    const LayoutInputs in{WindowWidth, WindowHeight, 30, WindowHeight - 40, {1024, 768}, card, true};
    for (const CatalogueGame& entry : test::shippedCatalogue().games()) {
        SCOPED_TRACE(entry.name);
        for (const char* number : {"1", "9876543210123"}) {
            const Game game = test::dealtGame(entry.gameId, number);
            const PilePositions positions = fnComputeLayout(game.rules, in);
            const std::vector<PileBox> boxes = dealtPiles(game, positions, fnSetFanSteps(game.rules, 'B'), card);
            ASSERT_FALSE(boxes.empty());
            for (std::size_t i = 0; i < boxes.size(); ++i) {
                const Rect& a = boxes[i].area;
                const bool inside = a.x >= 0 && a.y >= 0 && a.x + card.width <= WindowWidth
                                    && a.y + card.height <= WindowHeight;
                EXPECT_TRUE(inside) << boxes[i].name << " at " << a.x << "," << a.y;
                for (std::size_t j = i + 1; j < boxes.size(); ++j)
                    EXPECT_FALSE(overlap(a, boxes[j].area)) << boxes[i].name << " lies on " << boxes[j].name;
            }
        }
    }
}


// Cards that fit the window, on four common screens: every game's dealt table lies inside the
// window without overlaps, and the card is the largest the rule allows: one pixel wider no longer
// fits at the level the chosen size fits at. A game that needs the smallest fit card is only held
// to that size.
TEST(CatalogueGames, FitCardsFillTheWindowAsFarAsTheLayoutAllows)
{
    struct Screen {
        int width, height;
    };
    for (const Screen screen : {Screen{800, 600}, {1366, 768}, {1920, 1080}, {2560, 1440}}) {
        // A maximized window: the frame, menu, toolbar and status bar take their share.
        const LayoutInputs window{screen.width - 16, screen.height - 30, 45, screen.height - 100,
                                  {screen.width, screen.height}, {}, true};
        for (const CatalogueGame& entry : test::shippedCatalogue().games()) {
            SCOPED_TRACE(entry.name + " at " + std::to_string(screen.width) + "x" + std::to_string(screen.height));
            const Game game = test::dealtGame(entry.gameId, "1");
            const CardSize card = fitCardSize(game.rules, window);
            ASSERT_GE(card.width, FitWidthMinimum);
            ASSERT_LE(card.width, FitWidthMaximum);
            EXPECT_EQ(card, fitCardOfWidth(card.width));
            if (card.width == FitWidthMinimum)
                continue;

            const LayoutInputs in = withFitCard(window, card.width);
            const std::vector<PileBox> boxes = dealtPiles(game, fnComputeLayout(game.rules, in),
                                                          fnSetFanSteps(game.rules, FitCardSize, card), card);
            for (std::size_t i = 0; i < boxes.size(); ++i) {
                const Rect& a = boxes[i].area;
                EXPECT_TRUE(a.x >= 0 && a.y >= in.top && a.right() <= in.width && a.y + card.height <= in.bottom + 1)
                    << boxes[i].name << " at " << a.x << "," << a.y << " card " << card.width;
                for (std::size_t j = i + 1; j < boxes.size(); ++j)
                    EXPECT_FALSE(overlap(a, boxes[j].area)) << boxes[i].name << " lies on " << boxes[j].name;
            }
            if (card.width < FitWidthMaximum) {
                const FitLevel level =
                    cardFits(game.rules, in, FitLevel::RoomToGrow) ? FitLevel::RoomToGrow : FitLevel::Piles;
                EXPECT_TRUE(cardFits(game.rules, in, level));
                EXPECT_FALSE(cardFits(game.rules, withFitCard(window, card.width + 1), level));
            }
        }
    }
}

// Random play through a session as the window plays: every move the engine lists is one the
// session accepts, and every card stays in exactly one place.
TEST(CatalogueGames, RandomPlayThroughTheSessionKeepsEveryCardOnce)
{
    std::mt19937 pick(20261211);
    std::vector<Move> moves;
    for (const CatalogueGame& entry : test::shippedCatalogue().games()) {
        SCOPED_TRACE(entry.name);
        for (const char* number : {"2", "404", "5550001112223", "271828", "99"}) {
            SCOPED_TRACE(number);
            test::PlayedSession played(entry.gameId, number);
            const std::map<int, int> counts = test::cardCounts(played.game());
            for (const auto& [card, times] : counts)
                ASSERT_EQ(times, 1) << "card " << card << " dealt twice";
            for (int step = 0; step < 150 && !played.game().won; ++step) {
                legalMoves(played.game(), moves);
                if (moves.empty())
                    break;
                const Move move = moves[pick() % moves.size()];
                SCOPED_TRACE(moveText(move));
                ASSERT_TRUE(played.session.play(move, MoveOrigin::Dragged));
                ASSERT_EQ(test::cardCounts(played.game()), counts);
            }
        }
    }
}

} // namespace
} // namespace kst
