#include "stats/Players.h"

#include "stats/Statistics.h"
#include "storage/CustomGames.h"
#include "storage/TextUtils.h"

#include <algorithm>

namespace kst {

namespace {

constexpr std::string_view UsersSection = "Users";

std::string slotKey(int slot) { return "User" + zeroPadded(slot, 3); }

} // namespace

std::vector<std::string> fnPlayerList(const ProfileFile& config)
{
    std::vector<std::string> names;
    for (int slot = 1; slot <= PlayerSlots; ++slot)
        if (std::string name = fnTrimRight(config.readText(UsersSection, slotKey(slot), "")); !name.empty())
            names.push_back(std::move(name));
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> fnGameList(const GameCatalogue& catalogue, const std::string& customGamesPath)
{
    std::vector<std::string> names;
    for (const CatalogueGame& game : catalogue.games())
        names.push_back(game.name);
    for (const std::string& name : fnCustomGames(customGamesPath).names)
        names.push_back(fnTrimRight(name));
    std::sort(names.begin(), names.end());
    return names;
}

std::string playerNameProblem(std::string_view name)
{
    if (fnTrimRight(name).empty())
        return "Please enter at least 1 character.";
    if (name.size() > std::size_t(PlayerNameWidth))
        return "A player name has at most " + std::to_string(PlayerNameWidth) + " characters.";
    if (name.find_first_of("=[]") != std::string_view::npos
        || std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < ' '; }))
        return "A player name cannot hold the characters = [ ] nor line breaks or tabs.";
    return {};
}

PlayerList::PlayerList(const ProfileFile& config, const SessionStore& store)
    : m_names(fnPlayerList(config)), m_openingPlayer(store.fnStoreGet(Fld::UserDefault))
{
}

bool PlayerList::exists(std::string_view name) const
{
    return std::find(m_names.begin(), m_names.end(), fnTrimRight(name)) != m_names.end();
}

void PlayerList::sort() { std::sort(m_names.begin(), m_names.end()); }

std::string PlayerList::add(std::string_view name)
{
    if (std::string problem = playerNameProblem(name); !problem.empty())
        return problem;
    if (exists(name))
        return "This player name already exists.";
    if (m_names.size() >= std::size_t(PlayerSlots))
        return "There is room for " + std::to_string(PlayerSlots) + " players only.";
    m_names.push_back(fnTrimRight(name));
    sort();
    m_changed = true;
    return {};
}

std::string PlayerList::rename(const std::string& oldName, std::string_view newName, StatsFiles& files)
{
    const std::string name = fnTrimRight(newName);
    if (name == oldName)
        return {};
    if (std::string problem = playerNameProblem(newName); !problem.empty())
        return problem;
    if (exists(name))
        return "This player name already exists.";
    const auto at = std::find(m_names.begin(), m_names.end(), oldName);
    if (at == m_names.end())
        return "Select a player.";
    *at = name;
    sort();
    if (m_openingPlayer == oldName)
        m_openingPlayer = name;
    m_changed = true;
    fnRenamePlayerData(files, oldName, name);
    return {};
}

std::string PlayerList::removalProblem(const std::string& name, const SessionStore& store) const
{
    if (std::find(m_names.begin(), m_names.end(), name) == m_names.end())
        return "Select a player.";
    if (name == store.fnStoreGet(Fld::UserDefault))
        return "It is impossible to delete the selected player.";
    return {};
}

std::string PlayerList::remove(const std::string& name, SessionStore& store, StatsFiles& files)
{
    if (std::string problem = removalProblem(name, store); !problem.empty())
        return problem;
    fnClearStatistics(files, store, AllGames, name);
    std::erase(m_names, name);
    m_changed = true;
    return {};
}

void PlayerList::save(const std::string& player, ProfileFile& config, SessionStore& store) const
{
    store.fnStoreSet(Fld::UserDefault, player);
    if (m_changed)
        for (int slot = 1; slot <= PlayerSlots; ++slot)
            config.writeText(UsersSection, slotKey(slot),
                             std::size_t(slot) <= m_names.size() ? m_names[std::size_t(slot - 1)] : "");
    config.writeText("Preference", "UserDefault", player);
}

} // namespace kst
