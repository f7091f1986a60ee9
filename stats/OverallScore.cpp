#include "stats/OverallScore.h"

#include "stats/Records.h"
#include "storage/SectionFile.h"
#include "storage/TextUtils.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace kst {

namespace {

constexpr std::string_view CipherKey = "62717";
constexpr std::string_view CheckVersion = "0430"; // the first four characters of T03
constexpr int FillerDigits = 9;                   // filler digits are 0 to 8
constexpr int CheckDigits = 8;                    // T03's checksum
constexpr int GameCheckDigits = 6;                // the checksum after GS and GT
constexpr std::size_t GameBodyLength = 10;        // GS and GT before their checksum
constexpr int ZeroDefaultLength = 30;             // the zeros a missing value reads as

// Where the value digits of a plain value lie.
struct Pattern {
    std::size_t length;          // the plain value without a checksum
    std::vector<int> positions;  // 1-based, most significant digit first
};

Pattern patternOf(OverallValue kind)
{
    const auto every2 = [](int first, int count) {
        std::vector<int> p;
        for (int i = 0; i < count; ++i)
            p.push_back(first + 2 * i);
        return p;
    };
    switch (kind) {
    case OverallValue::Score: return {28, every2(3, 12)};
    case OverallValue::Time: return {28, every2(2, 12)};
    case OverallValue::Check: return {12, {5, 6, 7, 8, 9, 10, 11, 12}};
    case OverallValue::GameScore: return {GameBodyLength, {2, 3, 5, 6, 8, 9}};
    case OverallValue::GameTime: return {GameBodyLength, {3, 4, 6, 7, 9, 10}};
    }
    return {};
}

std::string keyOf(OverallValue kind, int gameId)
{
    switch (kind) {
    case OverallValue::Score: return "T01";
    case OverallValue::Time: return "T02";
    case OverallValue::Check: return "T03";
    case OverallValue::GameScore: return "GS-" + zeroPadded(gameId, 4);
    case OverallValue::GameTime: return "GT-" + zeroPadded(gameId, 4);
    }
    return {};
}

std::string defaultOf(OverallValue kind)
{
    const std::string zeros(ZeroDefaultLength, '0');
    return fnEncipherValue(kind == OverallValue::Check ? std::string(CheckVersion) + zeros : zeros);
}

std::optional<long long> digitsOf(std::string_view plain, OverallValue kind)
{
    const std::string digits = fnPickDigits(plain, kind);
    if (digits.size() != patternOf(kind).positions.size() || !fnAllDigits(digits))
        return std::nullopt;
    return fieldNumber(digits);
}

// The checksum stored after a game's value, when it is a number.
std::optional<long long> gameCheckOf(std::string_view plain)
{
    const std::string_view field = plain.size() >= GameBodyLength ? plain.substr(GameBodyLength, GameCheckDigits) : "";
    if (field.size() != std::size_t(GameCheckDigits) || !fnAllDigits(field))
        return std::nullopt;
    return fieldNumber(field);
}

// A player's totals, read and checked.
struct Totals {
    bool ok = false;
    long long score = 0;
    long long seconds = 0;
};

Totals checkTotals(const std::string& t01, const std::string& t02, const std::string& t03)
{
    Totals totals;
    const std::optional<long long> score = digitsOf(t01, OverallValue::Score);
    const std::optional<long long> seconds = digitsOf(t02, OverallValue::Time);
    const std::optional<long long> check = digitsOf(t03, OverallValue::Check);
    if (!score || !seconds || !check)
        return totals;
    if ((*check != 0 || *score != 0 || *seconds != 0)
        && fnChecksum(t03.substr(0, CheckVersion.size()) + t01 + t02) != *check)
        return totals;
    return {true, *score, *seconds};
}

// A game's best value, read and checked.
std::optional<long long> checkGameValue(const std::string& plain, OverallValue kind)
{
    const std::optional<long long> value = digitsOf(plain, kind);
    const std::optional<long long> check = gameCheckOf(plain);
    if (!value || !check)
        return std::nullopt;
    if ((*value != 0 || *check != 0) && fnChecksum(plain.substr(0, GameBodyLength)) != *check)
        return std::nullopt;
    return value;
}

// Reads the values of the kinds for the player (defaults where missing), deciphered.
std::vector<std::string> readPlain(const std::string& path, const std::string& player,
                                   const std::vector<std::pair<OverallValue, int>>& wanted)
{
    std::vector<std::string> keys, defaults;
    for (const auto& [kind, gameId] : wanted) {
        keys.push_back(keyOf(kind, gameId));
        defaults.push_back(defaultOf(kind));
    }
    std::vector<std::string> values = fnSectionReadKeys(path, player, keys, defaults).values;
    for (std::string& v : values)
        v = fnDecipherValue(v);
    return values;
}

// The five values of a player written in one safe replace: written one by one, a process stopped
// between two of them would leave totals that fail their checksum.
bool writePlayerValues(StatsFiles& files, const std::string& player, const std::vector<std::string>& keys,
                       const std::vector<std::string>& values)
{
    const std::string path = files.overallPath();
    if (!fnSectionFind(path, "[" + player + "]"))
        return fnSectionAppend(path, player, keys, values, files.messages());
    std::vector<std::string> allKeys, allValues;
    for (const std::string& line : fnSectionReadLines(path, player)) {
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        allKeys.push_back(line.substr(0, eq));
        allValues.push_back(line.substr(eq + 1));
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const auto at = std::find(allKeys.begin(), allKeys.end(), keys[i]);
        if (at == allKeys.end()) {
            allKeys.push_back(keys[i]);
            allValues.push_back(values[i]);
        } else {
            allValues[std::size_t(at - allKeys.begin())] = values[i];
        }
    }
    return fnSectionReplace(path, player, allKeys, allValues, files.messages());
}

} // namespace

std::uint32_t fnChecksum(std::string_view text)
{
    std::uint32_t sum = 0;
    for (std::size_t n = 0; n < text.size(); ++n) {
        const std::uint32_t i = std::uint32_t(n + 1);
        const std::uint32_t c = static_cast<unsigned char>(text[n]);
        sum += c + (i * c) / 2 + (i + c) % 3 + i;
    }
    return sum;
}

std::string fnEncipherValue(std::string_view plain)
{
    std::string out(plain);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = char((static_cast<unsigned char>(out[i]) + static_cast<unsigned char>(CipherKey[i % CipherKey.size()])) % 256);
    return out;
}

std::string fnDecipherValue(std::string_view stored)
{
    std::string out(stored);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = char((256 + static_cast<unsigned char>(out[i]) - static_cast<unsigned char>(CipherKey[i % CipherKey.size()])) % 256);
    return out;
}

std::string fnPickDigits(std::string_view plain, OverallValue kind)
{
    std::string digits;
    for (const int position : patternOf(kind).positions)
        if (std::size_t(position) <= plain.size())
            digits += plain[std::size_t(position - 1)];
    return digits;
}

std::string makePlainValue(long long number, OverallValue kind, RandomSource& random)
{
    const Pattern pattern = patternOf(kind);
    if (kind == OverallValue::Check)
        return std::string(CheckVersion) + fixedNumber(number, CheckDigits);
    std::string plain(pattern.length, '0');
    for (char& c : plain)
        c = char('0' + random.below(FillerDigits));
    const std::string digits = fixedNumber(std::max(number, 0ll), int(pattern.positions.size()));
    for (std::size_t i = 0; i < digits.size(); ++i)
        plain[std::size_t(pattern.positions[i] - 1)] = digits[i];
    if (kind == OverallValue::GameScore || kind == OverallValue::GameTime)
        plain += fixedNumber(fnChecksum(plain), GameCheckDigits);
    return plain;
}

void fnUpdateOverall(StatsFiles& files, int gameId, const std::string& player, int score, long seconds)
{
    if (gameId < 0 || gameId > LastOverallGame || score < 0)
        return;
    const std::string path = files.overallPath();
    fnFileCreateEmpty(path);
    const std::vector<std::pair<OverallValue, int>> wanted{{OverallValue::Score, gameId},
                                                           {OverallValue::Time, gameId},
                                                           {OverallValue::Check, gameId},
                                                           {OverallValue::GameScore, gameId},
                                                           {OverallValue::GameTime, gameId}};
    std::vector<std::string> plain = readPlain(path, player, wanted);
    Totals totals = checkTotals(plain[0], plain[1], plain[2]);
    std::optional<long long> best = checkGameValue(plain[3], OverallValue::GameScore);
    std::optional<long long> bestTime = checkGameValue(plain[4], OverallValue::GameTime);
    if (!totals.ok || !best || !bestTime) {
        // The damaged file is put aside; this game is the first of a new one.
        fnOverallCorrupted(files);
        if (!fnFileCreateEmpty(path))
            return; // the damaged file could not be put aside: nothing is written into it
        totals = {true, 0, 0};
        best = bestTime = 0;
    }
    if (score <= 0 || !(*best < score || (*best == score && seconds < *bestTime)))
        return;

    const std::string t01 = makePlainValue(totals.score + score - *best, OverallValue::Score, files.random());
    const std::string t02 = makePlainValue(totals.seconds + seconds - *bestTime, OverallValue::Time, files.random());
    const std::string t03 = makePlainValue(fnChecksum(std::string(CheckVersion) + t01 + t02), OverallValue::Check,
                                           files.random());
    const std::string gs = makePlainValue(score, OverallValue::GameScore, files.random());
    const std::string gt = makePlainValue(seconds, OverallValue::GameTime, files.random());
    std::vector<std::string> keys, values;
    for (std::size_t i = 0; i < wanted.size(); ++i)
        keys.push_back(keyOf(wanted[i].first, gameId));
    for (const std::string* v : {&t01, &t02, &t03, &gs, &gt})
        values.push_back(fnEncipherValue(*v));
    writePlayerValues(files, player, keys, values);
}

std::vector<OverallEntry> fnReadOverall(StatsFiles& files)
{
    std::vector<OverallEntry> ranked;
    const std::string path = files.overallPath();
    std::error_code ec;
    if (!fs::exists(path, ec))
        return ranked;
    std::set<std::string> seen;
    for (const std::string& player : fnSectionNames(path)) {
        if (!seen.insert(player).second)
            continue; // a section twice: its first copy is the one every reader uses
        const std::vector<std::string> plain = readPlain(
            path, player, {{OverallValue::Score, 0}, {OverallValue::Time, 0}, {OverallValue::Check, 0}});
        const Totals totals = checkTotals(plain[0], plain[1], plain[2]);
        if (!totals.ok) {
            fnOverallCorrupted(files);
            return {};
        }
        const OverallEntry entry{player, totals.score, totals.seconds};
        const auto before = std::find_if(ranked.begin(), ranked.end(), [&](const OverallEntry& e) {
            return e.score < entry.score || (e.score == entry.score && e.seconds > entry.seconds);
        });
        ranked.insert(before, entry);
    }
    return ranked;
}

void fnOverallCorrupted(StatsFiles& files)
{
    // The file is kept beside the new one rather than deleted: the player may still want it.
    const std::string path = files.overallPath();
    const DateTime now = files.clock().now();
    const std::string base = path + ".damaged-" + dateText(now) + "-" + zeroPadded(now.hour, 2)
        + zeroPadded(now.minute, 2) + zeroPadded(now.second, 2);
    std::error_code ec;
    std::string kept = base;
    for (int n = 2; fs::exists(fs::symlink_status(kept, ec)); ++n)
        kept = base + "-" + std::to_string(n);
    fs::rename(path, kept, ec);
    const std::string first = "It appears as if the Overall Score Values are incorrect or corrupted.\r";
    if (ec)
        files.messages().information(first + "The file " + path + " could not be put aside; the Overall Score "
                                     + "Values are left as they are.");
    else
        files.messages().information(first + "The Overall Score Values will be reset to zero.\r"
                                     + "The damaged file is kept as: " + kept);
}

std::vector<OverallDetail> readOverallDetails(StatsFiles& files, const GameCatalogue& catalogue,
                                              const std::string& player)
{
    std::vector<OverallDetail> details;
    const std::string path = files.overallPath();
    std::error_code ec;
    if (!fs::exists(path, ec))
        return details;
    std::vector<std::pair<OverallValue, int>> wanted;
    std::vector<const CatalogueGame*> games;
    for (const CatalogueGame& game : catalogue.games()) {
        if (game.gameId > LastOverallGame)
            continue;
        games.push_back(&game);
        wanted.emplace_back(OverallValue::GameScore, game.gameId);
        wanted.emplace_back(OverallValue::GameTime, game.gameId);
    }
    const std::vector<std::string> plain = readPlain(path, player, wanted);
    for (std::size_t i = 0; i < games.size(); ++i) {
        const std::string& gs = plain[2 * i];
        const std::string& gt = plain[2 * i + 1];
        const std::optional<long long> score = digitsOf(gs, OverallValue::GameScore);
        const std::optional<long long> seconds = digitsOf(gt, OverallValue::GameTime);
        if (!score || !seconds || !gameCheckOf(gs) || !gameCheckOf(gt)) {
            fnOverallCorrupted(files);
            return {};
        }
        const RuleValuesRead rules = catalogue.readRuleValues(games[i]->gameId, {Rule::MaximumScore, Rule::DeckSize});
        const long long maximum = rules.values[0] == -1 ? 4ll * rules.values[1] : rules.values[0];
        details.push_back({games[i]->name, *score, *seconds, rules.ok && *score >= maximum});
    }
    std::stable_sort(details.begin(), details.end(),
                     [](const OverallDetail& a, const OverallDetail& b) { return a.gameName < b.gameName; });
    return details;
}

} // namespace kst
