#include "stats/Statistics.h"

#include "storage/SectionFile.h"
#include "storage/TextUtils.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>

namespace kst {

namespace {

constexpr int SessionCounterDigits = 4;
constexpr long SessionCounterLimit = 9999;

std::string versionHeader() { return "[Version]\r\nVersion=" + std::string(StatFileVersion) + "\r\n"; }

bool isVersionSection(std::string_view name)
{
    return name.size() == 7 && std::equal(name.begin(), name.end(), "version", [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

void addToCounter(SessionStore& store, Field counter)
{
    const long now = numberOr(store.fnStoreGet(counter), 0);
    store.fnStoreSet(counter, zeroPadded(std::clamp(now + 1, 0l, SessionCounterLimit), SessionCounterDigits));
}

bool isCurrent(const SessionStore& store, int gameId, std::string_view player)
{
    return player == store.fnStoreGet(Fld::UserDefault) && gameId == numberOr(store.fnStoreGet(Fld::GameId), -1);
}

// The log's lines for a change, or nothing when the file cannot be read (then it is kept as it
// is and the player told) or is missing (then it stays missing).
std::optional<std::vector<std::string>> logLines(StatsFiles& files)
{
    const LinesRead read = loadLines(files.logPath());
    if (read.unreadable) {
        files.messages().information("Cannot open file " + files.logPath());
        return std::nullopt;
    }
    if (read.missing)
        return std::nullopt;
    return read.lines;
}

} // namespace

std::string gameSection(int gameId) { return zeroPadded(gameId, 4); }

bool fnCreateStatFile(const std::string& path, MessageBoxes& boxes)
{
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(path, ec)))
        return true;
    const ReplaceResult made = replaceFileSafely(path, versionHeader());
    if (!made.ok)
        boxes.information(made.message);
    return made.ok;
}

std::string statFileDamage(const std::string& path)
{
    return sectionFileDamage(path, [](const std::string& section, std::string_view key, std::string_view value) {
        if (isVersionSection(section) || !parseStatRecord(value).damaged)
            return std::string();
        return "the record of " + std::string(key) + " in section [" + section + "] cannot be read";
    });
}

std::string logDamage(const std::vector<std::string>& lines)
{
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (!logLineWellFormed(lines[i]))
            return "line " + std::to_string(i + 1) + " is not a game-log line";
    return {};
}

void fnRecordResult(StatsFiles& files, SessionStore& store, int gameId, const std::string& player, bool won,
                    int score)
{
    const std::string path = files.statPath();
    if (!fnCreateStatFile(path, files.messages()))
        return;
    if (const std::string damage = statFileDamage(path); !damage.empty())
        files.reportDamage(path, damage);
    const std::string section = gameSection(gameId);
    StatRecord r = parseStatRecord(fnSectionReadValue(path, section, player, EmptyStatRecord).value).record;
    if (won) {
        ++r.won;
        ++r.currentWon;
        r.currentLost = 0;
        addToCounter(store, Fld::SessionWon);
    } else {
        ++r.lost;
        ++r.currentLost;
        r.currentWon = 0;
        addToCounter(store, Fld::SessionLost);
    }
    r.longestWon = std::max(r.longestWon, r.currentWon);
    r.longestLost = std::max(r.longestLost, r.currentLost);
    r.totalScore += score;
    fnSectionWriteValue(path, section, player, formatStatRecord(r), files.messages());
}

void fnLogGame(StatsFiles& files, const LogEntry& entry)
{
    const std::string path = files.logPath();
    const LinesRead read = loadLines(path);
    if (read.unreadable) {
        files.reportDamage(path, "it cannot be read");
        return;
    }
    if (const std::string damage = logDamage(read.lines); !damage.empty())
        files.reportDamage(path, damage);
    // The whole log is written anew with the line at its end: an append cut short by a stopped
    // process would leave a torn last line.
    std::vector<std::string> lines = read.lines;
    lines.push_back(formatLogLine(entry, files.timeSeparator()));
    saveLines(path, lines, files.messages());
}

PlayerStatistics fnReadStatistics(StatsFiles& files, const SessionStore& store, int gameId,
                                  const std::string& player, bool createFile)
{
    const std::string path = files.statPath();
    if (createFile)
        fnCreateStatFile(path, files.messages());
    PlayerStatistics stats;
    const ValueRead value = fnSectionReadValue(path, gameSection(gameId), player, EmptyStatRecord);
    const StatRecordRead read = parseStatRecord(value.value);
    if (read.damaged)
        files.reportDamage(path, "the record of " + player + " in section [" + gameSection(gameId) + "] cannot be read");
    stats.record = read.record;
    if (isCurrent(store, gameId, player)) {
        stats.sessionWon = numberOr(store.fnStoreGet(Fld::SessionWon), 0);
        stats.sessionLost = numberOr(store.fnStoreGet(Fld::SessionLost), 0);
    }
    return stats;
}

StatRecord PlayerRecords::of(int gameId) const
{
    const auto found = bySection.find(gameSection(gameId));
    return found == bySection.end() ? StatRecord{} : found->second;
}

PlayerRecords readPlayerRecords(StatsFiles& files, const std::string& player)
{
    PlayerRecords records;
    const LinesRead read = loadLines(files.statPath());
    records.unreadable = read.unreadable;
    std::string section;
    bool counted = false; // the section was seen before: as a lookup by name, only its first copy counts
    std::set<std::string> seen;
    const std::string key = player + "=";
    for (const std::string& line : read.lines) {
        if (!line.empty() && line.front() == '[') {
            section = line.size() >= 2 ? line.substr(1, line.size() - 2) : std::string();
            counted = !seen.insert(section).second;
            continue;
        }
        if (counted || !line.starts_with(key) || records.bySection.count(section))
            continue;
        const StatRecordRead parsed = parseStatRecord(fnTrimRight(std::string_view(line).substr(key.size())));
        records.damaged = records.damaged || parsed.damaged;
        records.bySection.emplace(section, parsed.record);
    }
    if (records.damaged)
        files.reportDamage(files.statPath(), "a record of " + player + " cannot be read");
    return records;
}

bool fnClearStatistics(StatsFiles& files, SessionStore& store, int gameId, std::string_view player)
{
    BusyPointer busy(files.pointer());
    const std::string path = files.statPath();
    const bool allGames = gameId == AllGames;
    const bool allPlayers = player == AllPlayers;
    const std::string empty(EmptyStatRecord);
    bool ok = true;

    if (allGames && allPlayers) {
        const ReplaceResult made = replaceFileSafely(path, versionHeader());
        if (!made.ok)
            files.messages().information(made.message);
        ok = made.ok;
    } else if (fnCreateStatFile(path, files.messages())) {
        if (allPlayers) {
            std::vector<std::string> keys;
            for (const std::string& line : fnSectionReadLines(path, gameSection(gameId)))
                if (const std::size_t eq = line.find('='); eq != std::string::npos)
                    keys.push_back(line.substr(0, eq));
            if (!keys.empty())
                ok = fnSectionReplace(path, gameSection(gameId), keys,
                                      std::vector<std::string>(keys.size(), empty), files.messages());
        } else if (allGames) {
            for (const std::string& section : fnSectionNames(path))
                if (!isVersionSection(section))
                    ok = fnSectionWriteValue(path, section, player, empty, files.messages()) && ok;
        } else {
            ok = fnSectionWriteValue(path, gameSection(gameId), player, empty, files.messages());
        }
    } else {
        ok = false;
    }

    if (std::optional<std::vector<std::string>> lines = logLines(files)) {
        std::erase_if(*lines, [&](const std::string& line) {
            return (allGames || logLineGame(line) == gameId) && (allPlayers || logLinePlayer(line) == player);
        });
        ok = saveLines(files.logPath(), *lines, files.messages()) && ok;
    }

    if (allGames || allPlayers || gameId == numberOr(store.fnStoreGet(Fld::GameId), -1))
        store.resetSessionCounters();
    return ok;
}

bool fnRenamePlayerData(StatsFiles& files, std::string_view oldName, std::string_view newName)
{
    const std::string from = fnTrimRight(oldName), to = fnTrimRight(newName);
    const std::string from30 = fnPadRight(from, 30), to30 = fnPadRight(to, 30);
    // The player field of a hi-score line, counted in the file line after "01-01=".
    constexpr int scoresPlayerColumn = 39;
    bool ok = true;
    std::error_code ec;
    const auto rename = [&](const std::string& path, int column, const std::string& a, const std::string& b) {
        if (std::filesystem::exists(path, ec))
            ok = fnFileReplaceField(path, column, a, b, files.messages(), files.pointer()) && ok;
    };
    rename(files.statPath(), 1, from + "=", to + "=");
    rename(files.logPath(), LogPlayerColumn.first, from30, to30);
    rename(files.scoresPath(), scoresPlayerColumn, from30, to30);
    return ok;
}

} // namespace kst
