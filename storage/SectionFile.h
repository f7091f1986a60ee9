#pragma once
// Section files: the text of every data file. Lines end with CR LF; a section is a header line
// "[name]" followed by "key=value" entries up to the next line that begins with "[". Names and
// keys are compared byte for byte here (the configuration file has its own, case-blind access in
// ProfileFile). The offset-based operations rewrite fixed-width values in place; a whole file is
// only rewritten through a temporary file beside it (the safe replace: temp file, delete, rename).
//
// A header is recognised only as a whole line, so "[0002]" inside a key or inside the header of a
// section named "x[0002]" is never taken for the section "0002".

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kst {

class MessageBoxes;
class PointerShapes;

// ---- the safe replace -------------------------------------------------------------------------

// The two file-system calls of the safe replace, each true on success. Tests pass failing ones;
// everyone else passes nothing and gets the real calls.
struct FileOps {
    std::function<bool(const std::string& path)> remove;
    std::function<bool(const std::string& from, const std::string& to)> rename;
};

const FileOps& realFileOps();

struct ReplaceResult {
    bool ok = false;
    std::string message; // what to tell the user when !ok
};

// Writes content to a new "rpl" temporary file in path's folder, clears the way for it (the real
// step only refuses a folder standing at path) and renames the temporary file over path, which
// swaps the old file for the new one in one step. When either step fails path is untouched; when
// the rename fails the complete temporary file stays beside it, and the message names both.
ReplaceResult replaceFileSafely(const std::string& path, std::string_view content, const FileOps* ops = nullptr);

// ---- readers: never fail, a missing file or entry gives the defaults ---------------------------

// Creates a new, empty, uniquely named file whose name begins with prefix, in directory (the
// system's temporary folder when directory is empty); its path, or nothing when none could be made.
std::optional<std::string> fnTempFileName(const std::string& directory, std::string_view prefix);

// Byte offset of the first line that is exactly headerText ("[0001]").
std::optional<std::uint64_t> fnSectionFind(const std::string& path, std::string_view headerText);

struct ValueRead {
    bool found = false;
    std::string value; // the default unless found
};

// The value of the section's entry for key, trailing blanks removed.
ValueRead fnSectionReadValue(const std::string& path, std::string_view section, std::string_view key,
                             std::string_view defaultValue);

struct KeysRead {
    bool allFound = false;
    std::vector<std::string> values; // one per key: the stored value, untrimmed, or its default
};

// Values of several keys of one section at once; a missing default counts as empty.
KeysRead fnSectionReadKeys(const std::string& path, std::string_view section, const std::vector<std::string>& keys,
                           const std::vector<std::string>& defaults);

// The non-empty lines of the section, in file order, without the header.
std::vector<std::string> fnSectionReadLines(const std::string& path, std::string_view section);

// For every line that begins with "[", the line without its first and last character.
std::vector<std::string> fnSectionNames(const std::string& path);

// ---- writers: the file must exist; failures are shown and give false ---------------------------
// Where keys and values are given as two lists, a missing value counts as empty.

// Overwrites an existing value of the same length in place; otherwise rewrites the section with
// the entry (added at its end when new), or appends the section when it is missing.
bool fnSectionWriteValue(const std::string& path, std::string_view section, std::string_view key,
                         std::string_view value, MessageBoxes& boxes, const FileOps* ops = nullptr);

// Replaces the body of an existing section by the pairs, followed by one empty line.
// False, with the file unchanged, when the section is missing.
bool fnSectionReplace(const std::string& path, std::string_view section, const std::vector<std::string>& keys,
                      const std::vector<std::string>& values, MessageBoxes& boxes, const FileOps* ops = nullptr);

// Writes the pairs as the first lines of the section's body, in place when every line replaced has
// the new line's length (else the section is rewritten with them and its remaining lines);
// appends the section when it is missing.
bool fnSectionOverwrite(const std::string& path, std::string_view section, const std::vector<std::string>& keys,
                        const std::vector<std::string>& values, MessageBoxes& boxes, const FileOps* ops = nullptr);

// Adds an empty line, the header and the pairs at the end of the file (through the safe replace).
bool fnSectionAppend(const std::string& path, std::string_view section, const std::vector<std::string>& keys,
                     const std::vector<std::string>& values, MessageBoxes& boxes, const FileOps* ops = nullptr);

// Rewrites the file with oldText replaced by newText in every line that holds oldText at the
// 1-based column; every line ends with CR LF afterwards. False, doing nothing, when the file is
// missing. Pass "name=" as oldText at column 1 to match a whole key.
bool fnFileReplaceField(const std::string& path, int column, std::string_view oldText, std::string_view newText,
                        MessageBoxes& boxes, PointerShapes& pointer, const FileOps* ops = nullptr);

// Creates an empty file when none exists; true when it created one.
bool fnFileCreateEmpty(const std::string& path);

// ---- line-list files (game log, customized games, saved games) --------------------------------

struct LinesRead {
    std::vector<std::string> lines;
    bool missing = false;    // no such file: lines is empty
    bool unreadable = false; // the file exists but could not be read: lines is empty, keep the file
};

// Lines end with CR LF or a lone LF; the last line may have no terminator.
LinesRead loadLines(const std::string& path);

// The file's text: every line followed by CR LF.
std::string joinedLines(const std::vector<std::string>& lines);

// Writes every line followed by CR LF, through the safe replace.
bool saveLines(const std::string& path, const std::vector<std::string>& lines, MessageBoxes& boxes,
               const FileOps* ops = nullptr);

} // namespace kst
