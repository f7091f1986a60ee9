#include "storage/CustomBackgrounds.h"

#include "storage/Encoding.h"
#include "storage/TextUtils.h"

namespace kst {

namespace {

constexpr std::string_view BackgroundKeyPrefix = "Background";
// Keys run from Background000 to Background999.
constexpr int MaxBackgrounds = 1000;
constexpr std::string_view FolderOpens = " (";

// What joins a folder and a name: nothing after a folder that ends in a separator, a backslash
// after a folder written with them (by an older copy of the program), a slash otherwise.
std::string_view separatorAfter(std::string_view folder)
{
    if (folder.back() == '/' || folder.back() == '\\')
        return "";
    if (folder.find('/') == std::string_view::npos && folder.find('\\') != std::string_view::npos)
        return "\\";
    return "/";
}

} // namespace

std::string backgroundDisplayText(std::string_view path)
{
    const std::size_t slash = path.find_last_of("/\\");
    if (slash == std::string_view::npos)
        return std::string(path);
    // The root folder keeps its slash; any other loses the one before the name.
    const std::string_view folder = path.substr(0, slash == 0 ? 1 : slash);
    return std::string(path.substr(slash + 1)) + std::string(FolderOpens) + std::string(folder) + ")";
}

std::string backgroundPath(std::string_view displayText)
{
    const std::size_t open = displayText.find(FolderOpens);
    if (open == std::string_view::npos || displayText.back() != ')')
        return std::string(displayText);
    const std::string_view name = displayText.substr(0, open);
    const std::string_view folder =
        displayText.substr(open + FolderOpens.size(), displayText.size() - open - FolderOpens.size() - 1);
    if (folder.empty())
        return std::string(name);
    return std::string(folder) + std::string(separatorAfter(folder)) + std::string(name);
}

std::string unstorableBackgroundPath(std::string_view utf8Path)
{
    if (utf8Path.find_first_of("\r\n") != std::string_view::npos)
        return "The name of this picture holds a line break and cannot be kept: ";
    if (utf8Path.find_first_of("()[]") != std::string_view::npos)
        return "The name of this picture or of its folder holds a bracket and cannot be kept: ";
    if (!utf8ToCp1252(utf8Path))
        return "The name of this picture or of its folder holds characters that cannot be kept: ";
    return {};
}

std::vector<std::string> readCustomBackgrounds(const ProfileFile& config)
{
    return config.readList(CustomBackgroundsSection, BackgroundKeyPrefix);
}

std::optional<int> addCustomBackground(ProfileFile& config, std::string_view path)
{
    const int index = int(readCustomBackgrounds(config).size());
    if (index >= MaxBackgrounds
        || !config.writeText(CustomBackgroundsSection, std::string(BackgroundKeyPrefix) + zeroPadded(index, 3),
                             backgroundDisplayText(path)))
        return std::nullopt;
    return index;
}

bool removeCustomBackground(ProfileFile& config, int index)
{
    std::vector<std::string> texts = readCustomBackgrounds(config);
    if (index < 0 || index >= int(texts.size()))
        return true;
    texts.erase(texts.begin() + index);
    return config.writeList(CustomBackgroundsSection, BackgroundKeyPrefix, texts);
}

} // namespace kst
