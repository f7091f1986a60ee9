#include "storage/CustomGames.h"

#include "storage/SectionFile.h"
#include "storage/TextUtils.h"

#include <algorithm>
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
std::vector<Record> readRecords(const std::string& path, bool* found = nullptr)
{
    const LinesRead file = loadLines(path);
    if (found)
        *found = !file.missing && !file.unreadable;
    std::vector<Record> records;
    for (std::size_t first = 1; first < file.lines.size(); first += kCustomRecordLines) {
        const std::string& head = file.lines[first];
        Record r;
        r.code = fixedNumber(columns(head, 1, 4), 4, 0);
        if (r.code < kFirstCustomCode || r.code > kLastCustomCode)
            continue;
        r.name = fnPadRight(columns(head, 5, 50), 50);
        r.baseCode = fixedNumber(columns(head, 55, 4), 4, -1);
        r.overrides = fnPadRight(first + 1 < file.lines.size() ? columns(file.lines[first + 1], 1, 7) : "", 7);
        records.push_back(std::move(r));
    }
    return records;
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
    std::vector<bool> used(kLastCustomCode - kFirstCustomCode + 1, false);
    for (const Record& r : readRecords(path))
        used[std::size_t(r.code - kFirstCustomCode)] = true;
    const auto free = std::find(used.begin(), used.end(), false);
    return kFirstCustomCode + int(free - used.begin());
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

} // namespace kst
