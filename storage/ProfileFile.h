#pragma once
// Key-at-a-time access to the configuration file (DATA/CFG.DAT): read text or number with a
// default, write, delete a key, erase a section. Section and key names are compared without
// regard to case. The file keeps the section-file text (CR LF, Windows-1252), and every write
// leaves all other lines as they were.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kst {

class ProfileFile {
public:
    explicit ProfileFile(std::string path) : m_path(std::move(path)) {}

    const std::string& path() const { return m_path; }

    // The stored value (the text after the first "=", untrimmed), or the default when the file,
    // the section or the key is missing.
    std::string readText(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // The stored value as a whole number, or the default when missing or not a number.
    long readNumber(std::string_view section, std::string_view key, long defaultValue) const;

    // Creates the file, the section or the key as needed, otherwise replaces the value.
    // False when the file cannot be written (the old file is then left as it was).
    bool writeText(std::string_view section, std::string_view key, std::string_view value);
    bool writeNumber(std::string_view section, std::string_view key, long value);
    bool deleteKey(std::string_view section, std::string_view key);
    bool eraseSection(std::string_view section);
    // The section's entries replaced by these keys and values in one write, where the section
    // stood (at the end when it did not exist); no entries erase it. False, writing nothing, when
    // an entry could not be read back as written.
    bool replaceSection(std::string_view section, const std::vector<std::pair<std::string, std::string>>& entries);

    // A list kept under numbered keys (prefix + index with three digits: Game000, Game001, ...), read
    // in one pass from 000 up to the first missing or empty key, at most 1000 values.
    std::vector<std::string> readList(std::string_view section, std::string_view prefix) const;
    // The section replaced by the values under prefix000, prefix001, ... in one write.
    bool writeList(std::string_view section, std::string_view prefix, const std::vector<std::string>& values);

private:
    std::string m_path;
};

} // namespace kst
