#include "storage/ResourceFile.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>

namespace kst {

namespace {

// The file's numbers are big-endian; every read is checked against the end of the file.
class Bytes {
public:
    explicit Bytes(std::string data) : m_data(std::move(data)) {}
    std::uint64_t size() const { return m_data.size(); }
    std::optional<std::uint64_t> number(std::uint64_t at, int bytes) const
    {
        if (at + std::uint64_t(bytes) > size())
            return std::nullopt;
        std::uint64_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v = (v << 8) | std::uint8_t(m_data[at + std::uint64_t(i)]);
        return v;
    }
    std::string_view slice(std::uint64_t at, std::uint64_t length) const
    {
        return std::string_view(m_data).substr(at, length);
    }

private:
    std::string m_data;
};

ResourcePictures refused(std::string why)
{
    return {{}, std::move(why)};
}

} // namespace

ResourcePictures readResourcePictures(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return refused("cannot open " + path);
    const Bytes file(std::string(std::istreambuf_iterator<char>(in), {}));
    const std::string damaged = "not a well-formed resource library: " + path;

    // Header: "qres", version, then the offsets of the node tree, the data and the names.
    if (file.size() < 20 || file.slice(0, 4) != "qres")
        return refused(damaged);
    const auto version = file.number(4, 4), tree = file.number(8, 4), payload = file.number(12, 4),
               names = file.number(16, 4);
    if (*version < 1 || *version > 3)
        return refused(damaged);
    const std::uint64_t nodeSize = *version >= 2 ? 22 : 14;
    constexpr std::uint64_t compressedFlags = 0x01 | 0x04, directoryFlag = 0x02;

    // The root node lists the top-level entries; only they can be pictures.
    const auto rootFlags = file.number(*tree + 4, 2), count = file.number(*tree + 6, 4),
               first = file.number(*tree + 10, 4);
    if (!rootFlags || !count || !first || !(*rootFlags & directoryFlag))
        return refused(damaged);

    ResourcePictures result;
    for (std::uint64_t child = *first; child < *first + *count; ++child) {
        const std::uint64_t node = *tree + child * nodeSize;
        const auto nameAt = file.number(node, 4), flags = file.number(node + 4, 2);
        if (!nameAt || !flags)
            return refused(damaged);
        // A name: its length in UTF-16 units, a hash, then the units; our names are ASCII.
        const std::uint64_t nameStart = *names + *nameAt;
        const auto length = file.number(nameStart, 2);
        if (!length || nameStart + 6 + 2 * *length > file.size())
            return refused(damaged);
        std::string name;
        for (std::uint64_t i = 0; i < *length; ++i) {
            const std::uint64_t unit = *file.number(nameStart + 6 + 2 * i, 2);
            name += unit < 0x80 ? char(unit) : '?';
        }
        constexpr std::string_view suffix = ".png";
        if ((*flags & directoryFlag) || name.size() <= suffix.size() || !name.ends_with(suffix))
            continue;
        name.resize(name.size() - suffix.size());
        if (*flags & compressedFlags)
            return refused("compressed picture " + name + " in " + path);

        // A PNG: the signature, then the IHDR chunk whose first fields are width and height.
        const auto dataAt = file.number(node + 10, 4);
        if (!dataAt)
            return refused(damaged);
        const std::uint64_t content = *payload + *dataAt;
        const auto dataSize = file.number(content, 4);
        if (!dataSize || content + 4 + *dataSize > file.size())
            return refused(damaged);
        const std::uint64_t png = content + 4;
        if (*dataSize < 24 || file.slice(png, 8) != "\x89PNG\r\n\x1a\n" || file.slice(png + 12, 4) != "IHDR")
            return refused("picture " + name + " is not a PNG in " + path);
        result.pictures.emplace_back(name, Size{int(*file.number(png + 16, 4)), int(*file.number(png + 20, 4))});
    }
    std::sort(result.pictures.begin(), result.pictures.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return result;
}

} // namespace kst
