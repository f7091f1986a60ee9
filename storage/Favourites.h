#pragma once
// The player's favourite games: CFG.DAT [Favourite Games], one game name per key Game000,
// Game001, ... without gaps. Reading stops at the first missing or empty key, so whatever follows
// a gap is never seen. Names are stored as given; whether one still names a game is for the
// reader to find out.

#include "storage/ProfileFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace kst {

inline constexpr std::string_view FavouritesSection = "Favourite Games";

// The stored names in key order, up to the first missing one.
std::vector<std::string> readFavourites(const ProfileFile& config);

// The section erased and written again with the names in the given order. False when CFG.DAT
// could not be written.
bool writeFavourites(ProfileFile& config, const std::vector<std::string>& names);

// Drops every favourite of that name (compared as game names compare) and moves the later ones
// down, so the keys stay without gaps. False when CFG.DAT could not be written.
bool removeFavourite(ProfileFile& config, std::string_view name);

} // namespace kst
