#include "storage/CustomGames.h"

#include "storage/SectionFile.h"
#include "storage/TextUtils.h"

#include <algorithm>
#include <filesystem>
#include <numeric>

namespace kst {

namespace {

struct Record {
    int code = 0;
    std::string name; // 50 characters
    int baseCode = -1;
    std::string overrides; // 7 characters
};

// Exactly the field's width of digits, else nothing.
int fixedNumber(std::string_view field, int width, int otherwise)
{
    if (field.size() != std::size_t(width) || !fnAllDigits(field))
        return otherwise;
    return std::stoi(std::string(field));
}

std::string_view columns(std::string_view line, std::size_t first, std::size_t count)
{
    return first - 1 < line.size() ? line.substr(first - 1, count) : std::string_view();
}

// Records start at lines 2, 32, 62 ...; a record cut short by the end of the file still has its
// first line and gives blanks for whatever is missing.
struct RecordsRead {
    LinesRead file;
    std::vector<Record> records;
    std::vector<std::size_t> firstLines; // of each record, 0-based in file.lines
    std::vector<std::size_t> damaged;    // first lines of the records passed over
};

RecordsRead readAll(const std::string& path)
{
    RecordsRead read{loadLines(path), {}, {}, {}};
    const std::vector<std::string>& lines = read.file.lines;
    std::vector<bool> seen(kLastCustomCode - kFirstCustomCode + 1, false);
    for (std::size_t first = 1; first < lines.size(); first += kCustomRecordLines) {
        const std::string& head = lines[first];
        Record r;
        r.code = fixedNumber(columns(head, 1, 4), 4, 0);
        // A code out of range, or one an earlier record holds, would pass for another game.
        if (r.code < kFirstCustomCode || r.code > kLastCustomCode || seen[std::size_t(r.code - kFirstCustomCode)]) {
            read.damaged.push_back(first);
            continue;
        }
        seen[std::size_t(r.code - kFirstCustomCode)] = true;
        r.name = fnPadRight(columns(head, 5, kCustomNameWidth), kCustomNameWidth);
        r.baseCode = fixedNumber(columns(head, 55, 4), 4, -1);
        r.overrides = fnPadRight(first + 1 < lines.size() ? columns(lines[first + 1], 1, kCustomOverridesWidth) : "",
                                 kCustomOverridesWidth);
        read.records.push_back(std::move(r));
        read.firstLines.push_back(first);
    }
    return read;
}

std::vector<Record> readRecords(const std::string& path, bool* found = nullptr)
{
    RecordsRead read = readAll(path);
    if (found)
        *found = !read.file.missing && !read.file.unreadable;
    return std::move(read.records);
}

bool hasControlCharacters(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < ' '; });
}

unsigned char foldCase(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) // À..Þ but not ×
        return c + 32;
    switch (c) {
    case 0x8A: return 0x9A; // Š
    case 0x8C: return 0x9C; // Œ
    case 0x8E: return 0x9E; // Ž
    case 0x9F: return 0xFF; // Ÿ
    default: return c;
    }
}

int freeCode(const std::vector<Record>& records)
{
    std::vector<bool> used(kLastCustomCode - kFirstCustomCode + 1, false);
    for (const Record& r : records)
        used[std::size_t(r.code - kFirstCustomCode)] = true;
    const auto free = std::find(used.begin(), used.end(), false);
    return kFirstCustomCode + int(free - used.begin());
}

std::string fileName(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

} // namespace

std::string foldedGameName(std::string_view text)
{
    std::string out = fnTrimRight(text);
    for (char& c : out)
        c = static_cast<char>(foldCase(static_cast<unsigned char>(c)));
    return out;
}

bool sameGameName(std::string_view a, std::string_view b)
{
    return foldedGameName(a) == foldedGameName(b);
}

CustomGameList fnCustomGames(const std::string& path)
{
    CustomGameList list;
    bool found = false;
    const std::vector<Record> records = readRecords(path, &found);
    if (!found)
        return list;
    list.found = true;
    std::vector<std::size_t> order(records.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
        return foldedGameName(records[x].name) < foldedGameName(records[y].name);
    });
    for (const std::size_t i : order) {
        list.names.push_back(records[i].name);
        list.codes.push_back(records[i].code);
        list.baseCodes.push_back(records[i].baseCode);
        list.overrides.push_back(records[i].overrides);
    }
    return list;
}

int fnFreeCustomCode(const std::string& path)
{
    return freeCode(readRecords(path));
}

CustomGameBase fnCustomGameBase(const std::string& path, int code)
{
    for (const Record& r : readRecords(path)) {
        if (r.code == code)
            return {true, r.baseCode, r.overrides};
    }
    return {};
}

int fnCustomGameCode(const std::string& path, std::string_view name)
{
    int code = -1;
    for (const Record& r : readRecords(path)) {
        if (sameGameName(r.name, name))
            code = r.code;
    }
    return code;
}

std::string fnCustomGameName(const std::string& path, int code)
{
    for (const Record& r : readRecords(path)) {
        if (r.code == code)
            return fnTrimRight(r.name);
    }
    return {};
}

CustomGameWrite addCustomGameRecord(const std::string& path, std::string_view name, int baseGameId,
                                    std::string_view overrides)
{
    if (name.size() > std::size_t(kCustomNameWidth) || overrides.size() > std::size_t(kCustomOverridesWidth)
        || hasControlCharacters(name) || hasControlCharacters(overrides) || baseGameId < 0
        || baseGameId >= kFirstCustomCode)
        return {false, -1, "The customized game cannot be stored as given."};
    RecordsRead read = readAll(path);
    if (read.file.unreadable)
        return {false, -1, "Cannot read file: " + path};
    const int code = freeCode(read.records);
    if (code > kLastCustomCode)
        return {false, -1, "There is no room for more customized games."};
    std::vector<std::string>& lines = read.file.lines;
    if (lines.empty())
        lines.emplace_back(kCustomGamesVersion);
    // A last record cut short is made whole first, so that the new one starts where readers look.
    while ((lines.size() - 1) % kCustomRecordLines != 0)
        lines.emplace_back();
    lines.push_back(zeroPadded(code, 4) + fnPadRight(name, kCustomNameWidth) + zeroPadded(baseGameId, 4));
    lines.push_back(fnPadRight(overrides, kCustomOverridesWidth));
    lines.insert(lines.end(), kCustomRecordLines - 2, std::string());
    const ReplaceResult saved = replaceFileSafely(path, joinedLines(lines));
    if (!saved.ok)
        return {false, -1, saved.message};
    return {true, code, {}};
}

CustomGameWrite removeCustomGameRecord(const std::string& path, int code)
{
    RecordsRead read = readAll(path);
    if (read.file.unreadable)
        return {false, code, "Cannot read file: " + path};
    std::vector<std::string>& lines = read.file.lines;
    for (std::size_t i = 0; i < read.records.size(); ++i) {
        if (read.records[i].code != code)
            continue;
        const std::size_t first = read.firstLines[i];
        lines.erase(lines.begin() + std::ptrdiff_t(first),
                    lines.begin() + std::ptrdiff_t(std::min(lines.size(), first + kCustomRecordLines)));
        const ReplaceResult saved = replaceFileSafely(path, joinedLines(lines));
        return {saved.ok, code, saved.message};
    }
    return {false, code, "Customized game " + std::to_string(code) + " is not in " + fileName(path)};
}

std::string customGamesDamage(const std::string& path)
{
    const RecordsRead read = readAll(path);
    if (read.damaged.empty())
        return {};
    std::string lines;
    for (const std::size_t first : read.damaged)
        lines += (lines.empty() ? "" : ", ") + std::to_string(first + 1);
    return "Damaged customized games in " + fileName(path) + " were left out (at line " + lines + ").";
}

} // namespace kst
