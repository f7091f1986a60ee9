#include "storage/FileLookup.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace kst {

namespace {

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool equalNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lower(x) == lower(y);
           });
}

std::vector<std::string> components(std::string_view relative)
{
    std::vector<std::string> parts;
    std::string part;
    for (const char c : relative) {
        if (c == '\\' || c == '/') {
            if (!part.empty())
                parts.push_back(std::move(part));
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty())
        parts.push_back(std::move(part));
    return parts;
}

// The entry of dir named like name: the exact name when it exists, else the first entry in
// name order that matches without regard to case.
std::string findEntry(const fs::path& dir, const std::string& name)
{
    std::error_code ec;
    if (fs::exists(dir / name, ec))
        return name;
    std::vector<std::string> matches;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (equalNoCase(entry, name))
            matches.push_back(entry);
    }
    if (matches.empty())
        return {};
    return *std::min_element(matches.begin(), matches.end());
}

} // namespace

std::string findFile(std::string_view base, std::string_view relative)
{
    fs::path path(base.empty() ? std::string(".") : std::string(base));
    bool found = true;
    for (const std::string& part : components(relative)) {
        if (part == "." || part == "..") {
            path /= part;
            continue;
        }
        const std::string entry = found ? findEntry(path, part) : std::string();
        found = !entry.empty();
        path /= found ? entry : part;
    }
    return path.string();
}

bool matchesPattern(std::string_view name, std::string_view pattern)
{
    // Classic two-pointer wildcard match with backtracking to the last "*".
    std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::vector<std::string> findFiles(std::string_view directory, std::string_view pattern)
{
    std::vector<std::string> out;
    std::error_code ec;
    const fs::path dir(directory.empty() ? std::string(".") : std::string(directory));
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError) && matchesPattern(it->path().filename().string(), pattern))
            out.push_back(it->path().string());
    }
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace kst
