#include "storage/Favourites.h"

#include "storage/CustomGames.h"
#include "storage/TextUtils.h"

#include <algorithm>

namespace kst {

namespace {

// Keys run from Game000 to Game999.
constexpr int MaxFavourites = 1000;

} // namespace

std::string favouriteKey(int index)
{
    return "Game" + zeroPadded(index, 3);
}

std::vector<std::string> readFavourites(const ProfileFile& config)
{
    std::vector<std::string> names;
    for (int i = 0; i < MaxFavourites; ++i) {
        std::string name = config.readText(FavouritesSection, favouriteKey(i), "");
        if (name.empty())
            break;
        names.push_back(std::move(name));
    }
    return names;
}

bool writeFavourites(ProfileFile& config, const std::vector<std::string>& names)
{
    std::vector<std::pair<std::string, std::string>> entries;
    for (std::size_t i = 0; i < std::min(names.size(), std::size_t(MaxFavourites)); ++i)
        entries.emplace_back(favouriteKey(int(i)), names[i]);
    return config.replaceSection(FavouritesSection, entries);
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
