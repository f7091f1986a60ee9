#pragma once
// The players: up to 20 names in CFG.DAT [Users] (User001 to User020), one of them the current
// player (UserDefault). PlayerList is the copy the players dialog works on: adding, renaming
// (which carries the player's records along), deleting (which clears the player's statistics)
// and the saving when the dialog closes. Also the two name lists the statistics dialogs offer.

#include "stats/StatsFiles.h"
#include "storage/GameCatalogue.h"
#include "storage/ProfileFile.h"
#include "storage/SessionStore.h"

#include <string>
#include <string_view>
#include <vector>

namespace kst {

inline constexpr int PlayerSlots = 20;
inline constexpr int PlayerNameWidth = 30;

// The names of User001 to User020, empty slots skipped, sorted.
std::vector<std::string> fnPlayerList(const ProfileFile& config);
// The names of every catalogue game and every customized game, sorted.
std::vector<std::string> fnGameList(const GameCatalogue& catalogue, const std::string& customGamesPath);

// Why a typed name cannot be a player's name, or empty when it can: a name becomes a key and a
// section header in the data files, so "=", "[", "]" and line breaks would break them.
std::string playerNameProblem(std::string_view name);

class PlayerList {
public:
    // The list from CFG.DAT; the current player is remembered as the one of the opening.
    PlayerList(const ProfileFile& config, const SessionStore& store);

    const std::vector<std::string>& names() const { return m_names; }
    const std::string& openingPlayer() const { return m_openingPlayer; }
    bool changed() const { return m_changed; }

    // Each gives the message that refuses the change, or empty when it was made.
    std::string add(std::string_view name);
    std::string rename(const std::string& oldName, std::string_view newName, StatsFiles& files);
    // Only after the player confirmed; the current player cannot be deleted.
    std::string remove(const std::string& name, SessionStore& store, StatsFiles& files);
    // The message refusing to delete the player, or empty when the deletion may be asked.
    std::string removalProblem(const std::string& name, const SessionStore& store) const;

    // The player becomes current and, when the list changed, the slots are written from it.
    void save(const std::string& player, ProfileFile& config, SessionStore& store) const;

private:
    bool exists(std::string_view name) const;
    void sort();

    std::vector<std::string> m_names;
    std::string m_openingPlayer; // current when the list was opened (under a new name once renamed)
    bool m_changed = false;
};

} // namespace kst
