#include "storage/Favourites.h"

#include "storage/CustomGames.h"

#include <algorithm>

namespace kst {

namespace {

constexpr std::string_view FavouriteKeyPrefix = "Game";

} // namespace

std::vector<std::string> readFavourites(const ProfileFile& config)
{
    return config.readList(FavouritesSection, FavouriteKeyPrefix);
}

bool writeFavourites(ProfileFile& config, const std::vector<std::string>& names)
{
    return config.writeList(FavouritesSection, FavouriteKeyPrefix, names);
}

bool removeFavourite(ProfileFile& config, std::string_view name)
{
    std::vector<std::string> names = readFavourites(config);
    const auto gone = std::remove_if(names.begin(), names.end(),
                                     [&](const std::string& stored) { return sameGameName(stored, name); });
    if (gone == names.end())
        return true;
    names.erase(gone, names.end());
    return writeFavourites(config, names);
}

} // namespace kst
