#include "storage/SectionFile.h"

#include "platform/MessageBoxes.h"
#include "platform/Pointer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace fs = std::filesystem;

namespace kst {

namespace {

constexpr std::size_t kBlockSize = 8192;
constexpr std::string_view kCrLf = "\r\n";

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

enum class OpenState { Open, Missing, Unreadable };

struct OpenedFile {
    FilePtr file;
    OpenState state = OpenState::Missing;
};

// Only regular files are opened: a directory (or anything else) in place of a data file counts as
// unreadable instead of being read as garbage or blocking on a pipe.
OpenedFile openExisting(const std::string& path, const char* mode)
{
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (!fs::exists(st))
        return {nullptr, OpenState::Missing};
    if (!fs::is_regular_file(st))
        return {nullptr, OpenState::Unreadable};
    FilePtr f(std::fopen(path.c_str(), mode));
    if (!f)
        return {nullptr, OpenState::Unreadable};
    return {std::move(f), OpenState::Open};
}

std::string cannotOpen(const std::string& path)
{
    std::string text = "Cannot open file %s";
    text.replace(text.find("%s"), 2, path);
    return text;
}

// A file that must exist, opened for in-place writing; when it cannot be opened the user is told
// and the caller abandons the operation.
OpenedFile openForUpdate(const std::string& path, MessageBoxes& boxes)
{
    OpenedFile io = openExisting(path, "r+b");
    if (!io.file)
        boxes.information(cannotOpen(path));
    return io;
}

// Reads up to n bytes at offset; fewer at the end of the file or on a read error.
std::size_t readAt(std::FILE* f, std::uint64_t offset, char* buffer, std::size_t n)
{
    if (std::fseek(f, static_cast<long>(offset), SEEK_SET) != 0)
        return 0;
    return std::fread(buffer, 1, n, f);
}

bool writeAt(std::FILE* f, std::uint64_t offset, std::string_view bytes)
{
    if (std::fseek(f, static_cast<long>(offset), SEEK_SET) != 0)
        return false;
    return std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && std::fflush(f) == 0;
}

std::optional<std::string> readAll(std::FILE* f)
{
    std::string bytes;
    char block[kBlockSize];
    if (std::fseek(f, 0, SEEK_SET) != 0)
        return std::nullopt;
    for (;;) {
        const std::size_t n = std::fread(block, 1, sizeof block, f);
        bytes.append(block, n);
        if (n < sizeof block)
            break;
    }
    if (std::ferror(f))
        return std::nullopt;
    return bytes;
}

std::string headerOf(std::string_view section)
{
    std::string header = "[";
    header += section;
    header += ']';
    return header;
}

std::string trimRightBlanks(std::string_view s)
{
    const std::size_t end = s.find_last_not_of(' ');
    return std::string(end == std::string_view::npos ? std::string_view() : s.substr(0, end + 1));
}

// The key of an entry is the text before its first "="; a line without "=" has none.
bool keyEquals(std::string_view line, std::string_view key)
{
    const std::size_t eq = line.find('=');
    return eq != std::string_view::npos && line.substr(0, eq) == key;
}

std::string_view valueOf(std::string_view line)
{
    return line.substr(line.find('=') + 1);
}

std::string entryLine(const std::vector<std::string>& keys, const std::vector<std::string>& values, std::size_t i)
{
    std::string line = keys[i];
    line += '=';
    if (i < values.size())
        line += values[i];
    return line;
}

// Line-by-line reading in blocks. Lines end at LF; a CR right before it belongs to the terminator.
class LineReader {
public:
    explicit LineReader(std::FILE* f) : m_file(f) {}

    bool next(std::string& line)
    {
        for (;;) {
            const std::size_t lf = m_buffer.find('\n', m_scan);
            if (lf != std::string::npos) {
                take(line, lf);
                m_pos = m_scan = lf + 1;
                return true;
            }
            if (m_atEnd) {
                if (m_pos >= m_buffer.size())
                    return false;
                take(line, m_buffer.size());
                m_pos = m_scan = m_buffer.size();
                return true;
            }
            m_buffer.erase(0, m_pos);
            m_pos = 0;
            m_scan = m_buffer.size();
            char block[kBlockSize];
            const std::size_t n = std::fread(block, 1, sizeof block, m_file);
            m_buffer.append(block, n);
            if (n < sizeof block)
                m_atEnd = true;
        }
    }

    bool failed() const { return std::ferror(m_file) != 0; }

private:
    void take(std::string& line, std::size_t end)
    {
        if (end > m_pos && m_buffer[end - 1] == '\r')
            --end;
        line.assign(m_buffer, m_pos, end - m_pos);
    }

    std::FILE* m_file;
    std::string m_buffer;
    std::size_t m_pos = 0;  // start of the next line
    std::size_t m_scan = 0; // where the search for LF goes on
    bool m_atEnd = false;
};

// ---- locating a section ----

bool isWholeLine(std::FILE* f, std::uint64_t offset, std::size_t length)
{
    char c = 0;
    if (offset > 0 && (readAt(f, offset - 1, &c, 1) != 1 || c != '\n'))
        return false;
    char after[2] = {};
    const std::size_t n = readAt(f, offset + length, after, 2);
    return n == 0 || after[0] == '\n' || (after[0] == '\r' && (n == 1 || after[1] == '\n'));
}

// Block search: each block after the first starts header-length bytes before the end of the
// previous one, so a header across a block boundary is found.
std::optional<std::uint64_t> findHeader(std::FILE* f, std::string_view header)
{
    if (header.empty())
        return std::nullopt;
    // A block at least twice the header long keeps the search moving forward.
    const std::size_t blockSize = std::max(kBlockSize, 2 * header.size());
    std::string block(blockSize, '\0');
    std::uint64_t start = 0;
    for (;;) {
        const std::size_t n = readAt(f, start, block.data(), blockSize);
        const std::string_view got(block.data(), n);
        for (std::size_t pos = got.find(header); pos != std::string_view::npos; pos = got.find(header, pos + 1)) {
            if (isWholeLine(f, start + pos, header.size()))
                return start + pos;
        }
        if (n < blockSize)
            return std::nullopt;
        start += n - header.size();
    }
}

struct SectionSpan {
    std::uint64_t header = 0;    // offset of the header's "["
    std::uint64_t bodyStart = 0; // first byte after the header line
    std::uint64_t next = 0;      // the "[" of the following section, or the end of the file
    std::string raw;             // the bytes from bodyStart to next
};

std::uint64_t afterLineEnd(std::FILE* f, std::uint64_t offset)
{
    char end[2] = {};
    const std::size_t n = readAt(f, offset, end, 2);
    if (n >= 1 && end[0] == '\n')
        return offset + 1;
    if (n >= 1 && end[0] == '\r')
        return offset + ((n == 2 && end[1] == '\n') ? 2 : 1);
    return offset;
}

// The body runs up to the first line that begins with "[". It is collected in blocks appended to a
// growing text until that line shows up or the file ends.
std::optional<SectionSpan> findSection(std::FILE* f, std::string_view section)
{
    const std::string header = headerOf(section);
    const std::optional<std::uint64_t> at = findHeader(f, header);
    if (!at)
        return std::nullopt;
    SectionSpan span;
    span.header = *at;
    span.bodyStart = afterLineEnd(f, *at + header.size());

    std::string text;
    char block[kBlockSize];
    for (;;) {
        const std::size_t searchFrom = text.empty() ? 0 : text.size() - 1;
        const std::size_t n = readAt(f, span.bodyStart + text.size(), block, sizeof block);
        text.append(block, n);
        // A header right after this one leaves the body empty.
        if (!text.empty() && text.front() == '[') {
            span.next = span.bodyStart;
            return span;
        }
        const std::size_t end = text.find("\n[", searchFrom);
        if (end != std::string::npos) {
            text.resize(end + 1);
            break;
        }
        if (n < sizeof block)
            break;
    }
    span.next = span.bodyStart + text.size();
    span.raw = std::move(text);
    return span;
}

// One line of a section body: where it starts inside the body, its text without the terminator,
// and whether it ended with CR LF.
struct BodyLine {
    std::size_t offset = 0;
    std::string_view text;
    bool crLf = false;
};

std::vector<BodyLine> bodyLines(std::string_view raw)
{
    std::vector<BodyLine> lines;
    std::size_t pos = 0;
    while (pos < raw.size()) {
        const std::size_t lf = raw.find('\n', pos);
        const std::size_t stop = lf == std::string_view::npos ? raw.size() : lf;
        BodyLine line{pos, raw.substr(pos, stop - pos), false};
        if (!line.text.empty() && line.text.back() == '\r') {
            line.text.remove_suffix(1);
            line.crLf = lf != std::string_view::npos;
        }
        lines.push_back(line);
        pos = stop == raw.size() ? stop : stop + 1;
    }
    return lines;
}

// Rewrites the body of an existing section as the given lines followed by one empty line.
bool replaceBody(const std::string& path, std::string_view section, const std::vector<std::string>& lines,
                 MessageBoxes& boxes, const FileOps* ops)
{
    std::string content;
    {
        const OpenedFile in = openExisting(path, "rb");
        if (in.state == OpenState::Missing)
            return false;
        std::optional<std::string> old = in.file ? readAll(in.file.get()) : std::nullopt;
        if (!old) {
            boxes.information(cannotOpen(path));
            return false;
        }
        const std::optional<SectionSpan> span = findSection(in.file.get(), section);
        if (!span)
            return false;
        const std::string_view bytes(*old);
        content.assign(bytes.substr(0, std::min<std::uint64_t>(span->bodyStart, bytes.size())));
        // A header on the file's last line may lack all or half of its terminator.
        if (!content.empty() && content.back() == '\r')
            content += '\n';
        else if (!content.empty() && content.back() != '\n')
            content += kCrLf;
        for (const std::string& line : lines) {
            content += line;
            content += kCrLf;
        }
        content += kCrLf;
        if (span->next < bytes.size())
            content += bytes.substr(span->next);
    }
    const ReplaceResult result = replaceFileSafely(path, content, ops);
    if (!result.ok)
        boxes.information(result.message);
    return result.ok;
}

} // namespace

// ---- the safe replace ---------------------------------------------------------------------------

const FileOps& realFileOps()
{
    static const FileOps ops{
        // The rename below replaces the old file in one step, so the old file is never deleted
        // first: a process killed between the two steps would leave no data file at all. This
        // step only checks that what stands at the path is a file the rename may replace.
        [](const std::string& path) {
            std::error_code ec;
            return !fs::is_directory(fs::symlink_status(path, ec));
        },
        [](const std::string& from, const std::string& to) {
            std::error_code ec;
            fs::rename(from, to, ec);
            return !ec;
        },
    };
    return ops;
}

ReplaceResult replaceFileSafely(const std::string& path, std::string_view content, const FileOps* ops)
{
    const FileOps& fileOps = ops ? *ops : realFileOps();
    // The temporary file lies beside the file so that the rename never crosses file systems.
    const fs::path parent = fs::path(path).parent_path();
    const std::optional<std::string> temp = fnTempFileName(parent.empty() ? "." : parent.string(), "rpl");
    if (!temp)
        return {false, "Error creating temp file."};

    bool written = false;
    if (FilePtr out{std::fopen(temp->c_str(), "wb")}) {
        written = std::fwrite(content.data(), 1, content.size(), out.get()) == content.size();
        written = std::fclose(out.release()) == 0 && written;
    }
    std::error_code ec;
    if (!written) {
        fs::remove(*temp, ec);
        return {false, "Write error on file"};
    }
    if (fs::exists(fs::symlink_status(path, ec)) && !fileOps.remove(path)) {
        fs::remove(*temp, ec);
        return {false, "Error in deleting the file: " + path};
    }
    if (!fileOps.rename(*temp, path))
        return {false, "Error in renaming the file: " + *temp + "\r" + "to:" + " " + path};
    return {true, {}};
}

// ---- readers ------------------------------------------------------------------------------------

std::optional<std::string> fnTempFileName(const std::string& directory, std::string_view prefix)
{
    std::error_code ec;
    const fs::path dir = directory.empty() ? fs::temp_directory_path(ec) : fs::path(directory);
    if (ec)
        return std::nullopt;
    static constexpr char hex[] = "0123456789ABCDEF";
    const auto seed = static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (unsigned i = 0; i < 0x10000; ++i) {
        const unsigned number = (seed + i) & 0xFFFF;
        std::string name(prefix);
        for (int shift = 12; shift >= 0; shift -= 4)
            name += hex[(number >> shift) & 0xF];
        name += ".tmp";
        const std::string path = (dir / name).string();
        if (FilePtr f{std::fopen(path.c_str(), "wbx")})
            return path;
        // Any failure but a name already taken ends the search.
        if (!fs::exists(fs::symlink_status(path, ec)))
            return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::uint64_t> fnSectionFind(const std::string& path, std::string_view headerText)
{
    const OpenedFile in = openExisting(path, "rb");
    if (!in.file)
        return std::nullopt;
    return findHeader(in.file.get(), headerText);
}

ValueRead fnSectionReadValue(const std::string& path, std::string_view section, std::string_view key,
                             std::string_view defaultValue)
{
    ValueRead result{false, std::string(defaultValue)};
    const OpenedFile in = openExisting(path, "rb");
    if (!in.file)
        return result;
    const std::optional<SectionSpan> span = findSection(in.file.get(), section);
    if (!span)
        return result;
    for (const BodyLine& line : bodyLines(span->raw)) {
        if (keyEquals(line.text, key)) {
            result.found = true;
            result.value = trimRightBlanks(valueOf(line.text));
            break;
        }
    }
    return result;
}

KeysRead fnSectionReadKeys(const std::string& path, std::string_view section, const std::vector<std::string>& keys,
                           const std::vector<std::string>& defaults)
{
    KeysRead result;
    result.values.resize(keys.size());
    for (std::size_t i = 0; i < keys.size() && i < defaults.size(); ++i)
        result.values[i] = defaults[i];

    const OpenedFile in = openExisting(path, "rb");
    if (!in.file)
        return result;
    const std::string header = headerOf(section);
    std::vector<bool> seen(keys.size(), false);
    std::size_t seenCount = 0;
    bool inSection = false;
    LineReader reader(in.file.get());
    std::string line;
    while (seenCount < keys.size() && reader.next(line)) {
        if (!inSection) {
            inSection = line == header;
            continue;
        }
        if (!line.empty() && line.front() == '[')
            break;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (!seen[i] && keyEquals(line, keys[i])) {
                seen[i] = true;
                ++seenCount;
                result.values[i] = std::string(valueOf(line));
            }
        }
    }
    result.allFound = seenCount == keys.size();
    return result;
}

std::vector<std::string> fnSectionReadLines(const std::string& path, std::string_view section)
{
    std::vector<std::string> lines;
    const OpenedFile in = openExisting(path, "rb");
    if (!in.file)
        return lines;
    const std::string header = headerOf(section);
    bool inSection = false;
    LineReader reader(in.file.get());
    std::string line;
    while (reader.next(line)) {
        if (!inSection) {
            inSection = line == header;
            continue;
        }
        if (!line.empty() && line.front() == '[')
            break;
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> fnSectionNames(const std::string& path)
{
    std::vector<std::string> names;
    const OpenedFile in = openExisting(path, "rb");
    if (!in.file)
        return names;
    LineReader reader(in.file.get());
    std::string line;
    while (reader.next(line)) {
        if (!line.empty() && line.front() == '[')
            names.push_back(line.size() < 2 ? std::string() : line.substr(1, line.size() - 2));
    }
    return names;
}

// ---- writers ------------------------------------------------------------------------------------

bool fnSectionWriteValue(const std::string& path, std::string_view section, std::string_view key,
                         std::string_view value, MessageBoxes& boxes, const FileOps* ops)
{
    std::vector<std::string> lines;
    {
        const OpenedFile io = openForUpdate(path, boxes);
        if (!io.file)
            return false;
        const std::optional<SectionSpan> span = findSection(io.file.get(), section);
        if (!span)
            return fnSectionAppend(path, section, {std::string(key)}, {std::string(value)}, boxes, ops);

        bool replaced = false;
        for (const BodyLine& line : bodyLines(span->raw)) {
            if (!keyEquals(line.text, key)) {
                // Every other entry is kept, split at its first "=" and rejoined. A damaged line
                // without "=" stays as it is rather than turning into an entry for its text.
                if (line.text.find_first_not_of(' ') == std::string_view::npos)
                    continue;
                const std::size_t eq = line.text.find('=');
                if (eq == std::string_view::npos) {
                    lines.emplace_back(line.text);
                    continue;
                }
                std::string kept(line.text.substr(0, eq + 1));
                const std::string_view rest = line.text.substr(eq + 1);
                const std::size_t first = rest.find_first_not_of(' ');
                if (first != std::string_view::npos)
                    kept += rest.substr(first);
                lines.push_back(std::move(kept));
                continue;
            }
            if (replaced)
                continue; // a later duplicate of the key is dropped with the rewrite
            // A fixed-width value is overwritten where it stands; nothing else in the file moves.
            if (valueOf(line.text).size() == value.size()) {
                if (writeAt(io.file.get(), span->bodyStart + line.offset + key.size() + 1, value))
                    return true;
                boxes.information("Write error on file");
                return false;
            }
            // A value of another width would run into the next line: the section is rewritten.
            lines.push_back(std::string(key) + "=" + std::string(value));
            replaced = true;
        }
        if (!replaced)
            lines.push_back(std::string(key) + "=" + std::string(value));
    }
    return replaceBody(path, section, lines, boxes, ops);
}

bool fnSectionReplace(const std::string& path, std::string_view section, const std::vector<std::string>& keys,
                      const std::vector<std::string>& values, MessageBoxes& boxes, const FileOps* ops)
{
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < keys.size(); ++i)
        lines.push_back(entryLine(keys, values, i));
    return replaceBody(path, section, lines, boxes, ops);
}

bool fnSectionOverwrite(const std::string& path, std::string_view section, const std::vector<std::string>& keys,
                        const std::vector<std::string>& values, MessageBoxes& boxes, const FileOps* ops)
{
    std::vector<std::string> lines;
    {
        const OpenedFile io = openForUpdate(path, boxes);
        if (!io.file)
            return false;
        const std::optional<SectionSpan> span = findSection(io.file.get(), section);
        if (!span)
            return fnSectionAppend(path, section, keys, values, boxes, ops);

        const std::vector<BodyLine> old = bodyLines(span->raw);
        // A body cut off by the next header ends with LF; one that runs to the end of the file
        // may end without a terminator, and its last line may then grow by one.
        const bool runsToEnd = span->raw.empty() || span->raw.back() != '\n';
        std::string text;
        bool inPlace = old.size() >= keys.size();
        for (std::size_t i = 0; i < keys.size(); ++i) {
            const std::string line = entryLine(keys, values, i);
            if (inPlace) {
                const bool lastLineOfFile = i + 1 == old.size() && runsToEnd;
                inPlace = old[i].text.size() == line.size() && (old[i].crLf || lastLineOfFile);
            }
            text += line;
            text += kCrLf;
            lines.push_back(line);
        }
        if (inPlace) {
            if (writeAt(io.file.get(), span->bodyStart, text))
                return true;
            boxes.information("Write error on file");
            return false;
        }
        // Lines of other lengths would overwrite their neighbours: rewrite the section instead,
        // keeping the lines that follow the replaced ones.
        for (std::size_t i = keys.size(); i < old.size(); ++i) {
            if (!old[i].text.empty())
                lines.emplace_back(old[i].text);
        }
    }
    return replaceBody(path, section, lines, boxes, ops);
}

bool fnSectionAppend(const std::string& path, std::string_view section, const std::vector<std::string>& keys,
                     const std::vector<std::string>& values, MessageBoxes& boxes, const FileOps* ops)
{
    // The file is written anew with the section at its end rather than appended to: a process
    // stopped half-way through an append would leave a torn section behind.
    std::string content;
    {
        const OpenedFile io = openForUpdate(path, boxes);
        if (!io.file)
            return false;
        const std::optional<std::string> old = readAll(io.file.get());
        if (!old) {
            boxes.information(cannotOpen(path));
            return false;
        }
        content = *old;
    }
    content += kCrLf;
    content += headerOf(section);
    content += kCrLf;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        content += entryLine(keys, values, i);
        content += kCrLf;
    }
    const ReplaceResult result = replaceFileSafely(path, content, ops);
    if (!result.ok)
        boxes.information(result.message);
    return result.ok;
}

bool fnFileReplaceField(const std::string& path, int column, std::string_view oldText, std::string_view newText,
                        MessageBoxes& boxes, PointerShapes& pointer, const FileOps* ops)
{
    std::error_code ec;
    if (!fs::exists(fs::status(path, ec)))
        return false;
    BusyPointer busy(pointer);
    const LinesRead in = loadLines(path);
    if (in.missing || in.unreadable) {
        boxes.information(cannotOpen(path));
        return false;
    }
    std::string content;
    for (std::string line : in.lines) {
        const std::size_t at = column >= 1 ? std::size_t(column - 1) : std::string::npos;
        if (at != std::string::npos && at <= line.size() && line.size() - at >= oldText.size()
            && std::string_view(line).substr(at, oldText.size()) == oldText)
            line.replace(at, oldText.size(), newText);
        content += line;
        content += kCrLf;
    }
    const ReplaceResult result = replaceFileSafely(path, content, ops);
    if (!result.ok)
        boxes.information(result.message);
    return result.ok;
}

bool fnFileCreateEmpty(const std::string& path)
{
    return FilePtr(std::fopen(path.c_str(), "wbx")) != nullptr;
}

// ---- line-list files ----------------------------------------------------------------------------

LinesRead loadLines(const std::string& path)
{
    LinesRead result;
    const OpenedFile in = openExisting(path, "rb");
    if (!in.file) {
        result.missing = in.state == OpenState::Missing;
        result.unreadable = !result.missing;
        return result;
    }
    LineReader reader(in.file.get());
    std::string line;
    while (reader.next(line))
        result.lines.push_back(line);
    if (reader.failed()) {
        result.lines.clear();
        result.unreadable = true;
    }
    return result;
}

std::string joinedLines(const std::vector<std::string>& lines)
{
    std::string content;
    for (const std::string& line : lines) {
        content += line;
        content += kCrLf;
    }
    return content;
}

bool saveLines(const std::string& path, const std::vector<std::string>& lines, MessageBoxes& boxes, const FileOps* ops)
{
    const ReplaceResult result = replaceFileSafely(path, joinedLines(lines), ops);
    if (!result.ok)
        boxes.information(result.message);
    return result.ok;
}

} // namespace kst
