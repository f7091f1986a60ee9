#pragma once
// The player's own background pictures: CFG.DAT [Customized backgrounds], one picture per key
// Background000, Background001, ... without gaps, each value the picture's display text: its
// file name, then its folder in brackets. Texts are Windows-1252, as CFG.DAT keeps them.

#include "storage/ProfileFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kst {

inline constexpr std::string_view CustomBackgroundsSection = "Customized backgrounds";

// "name (folder)" for a full path, and back again. A text without the bracketed folder is taken
// as a bare path.
std::string backgroundDisplayText(std::string_view path);
std::string backgroundPath(std::string_view displayText);

// Why a picture's path (UTF-8, as the file dialog gives it) cannot be kept in the list: a line
// break or a bracket would make its line or its display text read back as something else, and
// CFG.DAT holds only Windows-1252 text. Empty when it can.
std::string unstorableBackgroundPath(std::string_view utf8Path);

// The display texts in key order, up to the first missing or empty key.
std::vector<std::string> readCustomBackgrounds(const ProfileFile& config);

// The picture (Windows-1252 path) stored at the first free key; its index, or nothing when CFG.DAT
// could not be written or the list is full.
std::optional<int> addCustomBackground(ProfileFile& config, std::string_view path);

// The entry at that index removed and the later ones moved down, so that the keys stay without
// gaps. False when CFG.DAT could not be written (the list then stays as it was).
bool removeCustomBackground(ProfileFile& config, int index);

} // namespace kst
