#include "storage/ProfileFile.h"

#include "storage/SectionFile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace kst {

namespace {

// One line of the file as it stands: its text and its own terminator, so that lines nobody
// touches are written back byte for byte.
struct Line {
    std::string text;
    std::string end; // "\r\n", "\n", "\r" or "" (last line without terminator)
};

using Lines = std::vector<Line>;

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool equalNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool isEmptyLine(const Line& line)
{
    return trimBlanks(line.text).empty();
}

// The section name of a header line "[name]", or nothing for any other line.
std::optional<std::string_view> sectionName(const Line& line)
{
    const std::string_view t = trimBlanks(line.text);
    if (t.empty() || t.front() != '[')
        return std::nullopt;
    const std::size_t close = t.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trimBlanks(t.substr(1, close - 1));
}

bool isEntryFor(const Line& line, std::string_view key)
{
    const std::size_t eq = line.text.find('=');
    return eq != std::string::npos && equalNoCase(trimBlanks(std::string_view(line.text).substr(0, eq)), key);
}

// Nothing when the file exists but cannot be read; no lines when it is missing.
std::optional<Lines> load(const std::string& path)
{
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (!fs::exists(st))
        return Lines{};
    if (!fs::is_regular_file(st))
        return std::nullopt;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f)
        return std::nullopt;
    std::string bytes;
    char block[8192];
    for (std::size_t n; (n = std::fread(block, 1, sizeof block, f.get())) > 0;)
        bytes.append(block, n);
    if (std::ferror(f.get()))
        return std::nullopt;

    Lines lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t lf = bytes.find('\n', pos);
        std::size_t stop = lf == std::string::npos ? bytes.size() : lf;
        const std::size_t next = lf == std::string::npos ? bytes.size() : lf + 1;
        if (stop > pos && bytes[stop - 1] == '\r')
            --stop;
        lines.push_back({bytes.substr(pos, stop - pos), bytes.substr(stop, next - stop)});
        pos = next;
    }
    return lines;
}

bool save(const std::string& path, const Lines& lines)
{
    std::string content;
    for (const Line& line : lines) {
        content += line.text;
        content += line.end;
    }
    std::error_code ec;
    const fs::path folder = fs::path(path).parent_path();
    if (!folder.empty())
        fs::create_directories(folder, ec);
    return replaceFileSafely(path, content).ok;
}

// Index ranges [header, end) of every section with the name, in file order.
struct SectionRange {
    std::size_t header;
    std::size_t end;
};

std::vector<SectionRange> sectionsNamed(const Lines& lines, std::string_view section)
{
    constexpr std::size_t none = std::size_t(-1);
    std::vector<SectionRange> found;
    std::size_t open = none;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::optional<std::string_view> name = sectionName(lines[i]);
        if (!name)
            continue;
        if (open != none)
            found.push_back({open, i});
        open = equalNoCase(*name, section) ? i : none;
    }
    if (open != none)
        found.push_back({open, lines.size()});
    return found;
}

std::optional<std::size_t> findEntry(const Lines& lines, std::string_view section, std::string_view key)
{
    for (const SectionRange& s : sectionsNamed(lines, section)) {
        for (std::size_t i = s.header + 1; i < s.end; ++i) {
            if (isEntryFor(lines[i], key))
                return i;
        }
    }
    return std::nullopt;
}

// A name or value that would break the line structure could not be read back as written.
bool writable(std::string_view section, std::string_view key, std::string_view value)
{
    const auto hasLineBreak = [](std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; };
    return !hasLineBreak(section) && !hasLineBreak(key) && !hasLineBreak(value) && section.find(']') == std::string_view::npos
           && key.find('=') == std::string_view::npos && !trimBlanks(key).empty() && trimBlanks(key).front() != '[';
}

// A line that ends the file without a full terminator gets one before a line is added after it.
void completeLineEnd(Line& line)
{
    if (line.end.empty() || line.end == "\r")
        line.end = "\r\n";
}

} // namespace

std::string ProfileFile::readText(std::string_view section, std::string_view key, std::string_view defaultValue) const
{
    const std::optional<Lines> lines = load(m_path);
    if (!lines)
        return std::string(defaultValue);
    const std::optional<std::size_t> at = findEntry(*lines, section, key);
    if (!at)
        return std::string(defaultValue);
    const std::string& text = (*lines)[*at].text;
    return text.substr(text.find('=') + 1);
}

long ProfileFile::readNumber(std::string_view section, std::string_view key, long defaultValue) const
{
    const std::string text = readText(section, key, {});
    std::string_view digits = trimBlanks(text);
    const bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+'))
        digits.remove_prefix(1);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return defaultValue;
    // Parsed with the sign so that the most negative long is still in range.
    const std::string signedDigits = (negative ? "-" : "") + std::string(digits);
    long value = 0;
    const auto [end, ec] = std::from_chars(signedDigits.data(), signedDigits.data() + signedDigits.size(), value);
    if (ec != std::errc() || end != signedDigits.data() + signedDigits.size())
        return defaultValue;
    return value;
}

bool ProfileFile::writeText(std::string_view section, std::string_view key, std::string_view value)
{
    if (!writable(section, key, value))
        return false;
    std::optional<Lines> lines = load(m_path);
    if (!lines)
        return false;

    if (const std::optional<std::size_t> at = findEntry(*lines, section, key)) {
        std::string& text = (*lines)[*at].text;
        const std::string updated = text.substr(0, text.find('=') + 1) + std::string(value);
        if (updated == text)
            return true;
        text = updated;
        return save(m_path, *lines);
    }

    const Line entry{std::string(key) + "=" + std::string(value), "\r\n"};
    const std::vector<SectionRange> sections = sectionsNamed(*lines, section);
    if (!sections.empty()) {
        // After the section's last entry, before the empty lines that part it from the next one.
        std::size_t at = sections.front().end;
        while (at > sections.front().header + 1 && isEmptyLine((*lines)[at - 1]))
            --at;
        completeLineEnd((*lines)[at - 1]);
        lines->insert(lines->begin() + static_cast<std::ptrdiff_t>(at), entry);
        return save(m_path, *lines);
    }

    if (!lines->empty())
        completeLineEnd(lines->back());
    if (!lines->empty() && !isEmptyLine(lines->back()))
        lines->push_back({"", "\r\n"});
    lines->push_back({"[" + std::string(section) + "]", "\r\n"});
    lines->push_back(entry);
    return save(m_path, *lines);
}

bool ProfileFile::writeNumber(std::string_view section, std::string_view key, long value)
{
    return writeText(section, key, std::to_string(value));
}

bool ProfileFile::deleteKey(std::string_view section, std::string_view key)
{
    std::optional<Lines> lines = load(m_path);
    if (!lines)
        return false;
    bool changed = false;
    // Every copy goes, so that a duplicate further down cannot take the deleted key's place.
    while (const std::optional<std::size_t> at = findEntry(*lines, section, key)) {
        lines->erase(lines->begin() + static_cast<std::ptrdiff_t>(*at));
        changed = true;
    }
    return !changed || save(m_path, *lines);
}

bool ProfileFile::eraseSection(std::string_view section)
{
    std::optional<Lines> lines = load(m_path);
    if (!lines)
        return false;
    const std::vector<SectionRange> sections = sectionsNamed(*lines, section);
    if (sections.empty())
        return true;
    for (auto s = sections.rbegin(); s != sections.rend(); ++s)
        lines->erase(lines->begin() + static_cast<std::ptrdiff_t>(s->header), lines->begin() + static_cast<std::ptrdiff_t>(s->end));
    return save(m_path, *lines);
}

bool ProfileFile::replaceSection(std::string_view section,
                                 const std::vector<std::pair<std::string, std::string>>& entries)
{
    for (const auto& [key, value] : entries) {
        if (!writable(section, key, value))
            return false;
    }
    std::optional<Lines> lines = load(m_path);
    if (!lines)
        return false;
    const std::vector<SectionRange> sections = sectionsNamed(*lines, section);
    std::size_t at = lines->size();
    Line header{"[" + std::string(section) + "]", "\r\n"};
    if (!sections.empty()) {
        at = sections.front().header;
        header.text = (*lines)[at].text; // the header as the file spells it
        completeLineEnd(header);
        for (auto s = sections.rbegin(); s != sections.rend(); ++s)
            lines->erase(lines->begin() + static_cast<std::ptrdiff_t>(s->header),
                         lines->begin() + static_cast<std::ptrdiff_t>(s->end));
    }
    if (!entries.empty()) {
        Lines block;
        // A new section is parted from what comes before by an empty line.
        if (sections.empty() && at > 0 && !isEmptyLine((*lines)[at - 1]))
            block.push_back({"", "\r\n"});
        block.push_back(header);
        for (const auto& [key, value] : entries)
            block.push_back({key + "=" + value, "\r\n"});
        if (at < lines->size())
            block.push_back({"", "\r\n"});
        if (at > 0)
            completeLineEnd((*lines)[at - 1]);
        lines->insert(lines->begin() + static_cast<std::ptrdiff_t>(at), block.begin(), block.end());
    }
    return save(m_path, *lines);
}

namespace {

// Keys of a list run from 000 to 999.
constexpr std::size_t MostListValues = 1000;

std::string listKey(std::string_view prefix, std::size_t index)
{
    char digits[8];
    std::snprintf(digits, sizeof digits, "%03zu", index);
    return std::string(prefix) + digits;
}

} // namespace

std::vector<std::string> ProfileFile::readList(std::string_view section, std::string_view prefix) const
{
    std::vector<std::string> values;
    const std::optional<Lines> lines = load(m_path);
    if (!lines)
        return values;
    for (std::size_t i = 0; i < MostListValues; ++i) {
        const std::optional<std::size_t> at = findEntry(*lines, section, listKey(prefix, i));
        if (!at)
            break;
        const std::string& text = (*lines)[*at].text;
        std::string value = text.substr(text.find('=') + 1);
        if (value.empty())
            break;
        values.push_back(std::move(value));
    }
    return values;
}

bool ProfileFile::writeList(std::string_view section, std::string_view prefix, const std::vector<std::string>& values)
{
    std::vector<std::pair<std::string, std::string>> entries;
    for (std::size_t i = 0; i < std::min(values.size(), MostListValues); ++i)
        entries.emplace_back(listKey(prefix, i), values[i]);
    return replaceSection(section, entries);
}

} // namespace kst
