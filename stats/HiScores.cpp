#include "stats/HiScores.h"

#include "stats/OverallScore.h"
#include "stats/Statistics.h"
#include "storage/SectionFile.h"
#include "storage/TextUtils.h"

#include <array>
#include <filesystem>

namespace kst {

namespace {

constexpr std::string_view ClearSection = "Clear scores";
constexpr int StandardDeck = 52;
// A blank score ranks below every result, a blank time after every time.
constexpr long long BlankScore = -999999;
constexpr long long BlankTime = 999999;
constexpr int PlaceholderSecondsPerPoint = 5;

// The placeholders' scores for a 52-card deck, best first; other decks scale them.
constexpr std::array<int, HiScoreRanks> PlaceholderSteps{52, 45, 40, 30, 25, 20, 15, 14, 13, 12,
                                                         11, 10, 9,  8,  7,  6,  5,  4,  3,  2};
constexpr std::array<std::string_view, HiScoreRanks> PlaceholderNames{
    "Alice", "Bruno", "Carla", "David", "Elena", "Frank", "Greta", "Hugo",  "Irene", "Jonas",
    "Karin", "Luca",  "Maria", "Nils",  "Olga",  "Paul",  "Rita",  "Sven",  "Tina",  "Viktor"};

int deckSizeOf(const GameCatalogue& catalogue, int gameId)
{
    const RuleValuesRead read = catalogue.readRuleValues(gameId, {Rule::DeckSize});
    return read.ok && read.values[0] > 0 ? read.values[0] : StandardDeck;
}

// The score and time a line ranks with; a field that is not a number takes the value of the line
// above it in the walk.
struct RankKey {
    long long score = BlankScore;
    long long seconds = BlankTime;
};

RankKey rankKeyOf(std::string_view line, const RankKey& above)
{
    const auto read = [](std::string_view field, long long blank, long long fallback) {
        if (fnTrimRight(field).empty())
            return blank;
        return fieldNumber(field).value_or(fallback);
    };
    return {read(fieldOf(line, HiScoreScoreColumn), BlankScore, above.score),
            read(fieldOf(line, HiScoreTimeColumn), BlankTime, above.seconds)};
}

bool tableNeedsDefaults(const std::string& path, const std::vector<std::string>& lines)
{
    return (lines.empty() || hiScoreLineEmpty(lines.front())) && !hiScoresCleared(path);
}

bool writeTable(StatsFiles& files, int gameId, int scoreMode, const std::vector<std::string>& lines)
{
    return fnSectionOverwrite(files.scoresPath(), gameSection(gameId), hiScoreKeys(scoreMode), lines,
                              files.messages());
}

std::vector<std::string> readTable(StatsFiles& files, int gameId, int scoreMode)
{
    const std::string path = files.scoresPath();
    if (const std::string damage = scoresFileDamage(path); !damage.empty())
        files.reportDamage(path, damage);
    const std::vector<std::string> keys = hiScoreKeys(scoreMode);
    return fnSectionReadKeys(path, gameSection(gameId), keys, std::vector<std::string>(keys.size()))
        .values;
}

} // namespace

std::vector<std::string> hiScoreKeys(int scoreMode)
{
    std::vector<std::string> keys;
    for (int rank = 1; rank <= HiScoreRanks; ++rank)
        keys.push_back(zeroPadded(scoreMode, 2) + "-" + zeroPadded(rank, 2));
    return keys;
}

std::vector<std::string> defaultHiScoreTable(int deckSize, const DateTime& now, char timeSeparator)
{
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < PlaceholderSteps.size(); ++i) {
        HiScoreEntry entry;
        entry.score = deckSize * PlaceholderSteps[i] / StandardDeck;
        entry.seconds = long(entry.score) * PlaceholderSecondsPerPoint;
        entry.end = now;
        entry.player = "* " + std::string(PlaceholderNames[i]);
        entry.number = "000000000000000";
        entry.won = true;
        lines.push_back(formatHiScoreLine(entry, timeSeparator));
    }
    return lines;
}

bool hiScoresCleared(const std::string& path)
{
    return fnSectionReadValue(path, ClearSection, "Cleared", "").value == "Y";
}

std::string scoresFileDamage(const std::string& path)
{
    return sectionFileDamage(path, [](const std::string& section, std::string_view key, std::string_view value) {
        const bool gameSectionName = section.size() == 4 && fnAllDigits(section);
        if (!gameSectionName || value.empty() || value.size() == std::size_t(HiScoreLineWidth))
            return std::string();
        return "the line " + std::string(key) + " of section [" + section + "] has the wrong width";
    });
}

std::vector<std::string> fnReadHiScores(StatsFiles& files, const GameCatalogue& catalogue, int gameId,
                                        int scoreMode, bool makeDefaults)
{
    std::vector<std::string> lines = readTable(files, gameId, scoreMode);
    if (makeDefaults && tableNeedsDefaults(files.scoresPath(), lines)
        && fnCreateStatFile(files.scoresPath(), files.messages())) {
        lines = defaultHiScoreTable(deckSizeOf(catalogue, gameId), files.clock().now(), files.timeSeparator());
        writeTable(files, gameId, scoreMode, lines);
    }
    return lines;
}

int fnEnterHiScore(StatsFiles& files, const GameCatalogue& catalogue, int gameId, int scoreMode,
                   const HiScoreEntry& entry)
{
    int rank = -1;
    const std::string path = files.scoresPath();
    if (fnCreateStatFile(path, files.messages())) {
        std::vector<std::string> lines = readTable(files, gameId, scoreMode);
        const bool defaults = tableNeedsDefaults(path, lines);
        if (defaults)
            lines = defaultHiScoreTable(deckSizeOf(catalogue, gameId), files.clock().now(), files.timeSeparator());
        const RankKey mine{entry.score, entry.seconds};
        RankKey above;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const RankKey theirs = rankKeyOf(lines[i], above);
            if (mine.score > theirs.score || (mine.score == theirs.score && mine.seconds < theirs.seconds)) {
                rank = int(i);
                break;
            }
            above = theirs;
        }
        if (rank >= 0) {
            lines.insert(lines.begin() + rank, formatHiScoreLine(entry, files.timeSeparator()));
            lines.resize(HiScoreRanks);
        }
        if (defaults || rank >= 0) {
            for (std::string& line : lines)
                line = normalHiScoreLine(line);
            writeTable(files, gameId, scoreMode, lines);
        }
    }
    fnUpdateOverall(files, gameId, entry.player, entry.score, entry.seconds);
    return rank;
}

bool fnClearHiScores(StatsFiles& files, bool ask)
{
    if (ask
        && !files.messages().warningYesNo("Are you sure you want to clear the Hi-Scores\r"
                                          "and the Overall Score for all players and all games?"))
        return false;
    const std::string content = "[Version]\r\nVersion=" + std::string(StatFileVersion) + "\r\n\r\n["
        + std::string(ClearSection) + "]\r\nCleared=Y\r\n";
    const ReplaceResult done = replaceFileSafely(files.scoresPath(), content);
    if (!done.ok) {
        files.messages().information(done.message);
        return false;
    }
    std::error_code ec;
    std::filesystem::remove(files.overallPath(), ec);
    return true;
}

void fnEmptyHiScores(StatsFiles& files, int gameId, int scoreMode)
{
    if (fnCreateStatFile(files.scoresPath(), files.messages()))
        writeTable(files, gameId, scoreMode, std::vector<std::string>(HiScoreRanks, emptyHiScoreLine()));
}

std::string newHiScoreCaption(std::string_view gameName)
{
    return "Congratulations! Your score has made the " + fnTrimRight(fnPadRight(gameName, 50)) + " "
        + "Hi-Scores list!";
}

HiScoreFields splitHiScoreLine(std::string_view line)
{
    HiScoreFields f;
    f.blank = hiScoreLineEmpty(line);
    const auto number = [&](Column c) { return fieldNumber(fnTrimRight(fieldOf(line, c))); };
    f.score = number(HiScoreScoreColumn);
    f.seconds = number(HiScoreTimeColumn);
    f.date = std::string(fieldOf(line, HiScoreDateColumn));
    f.player = std::string(fieldOf(line, HiScorePlayerColumn));
    f.number = std::string(fieldOf(line, HiScoreNumberColumn));
    f.result = std::string(fieldOf(line, HiScoreResultColumn));
    return f;
}

} // namespace kst
