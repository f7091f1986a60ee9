#include "engine/Sounds.h"

#include "storage/FileLookup.h"

#include <filesystem>

namespace kst {

std::string soundFilePath(std::string_view programDir, std::string_view name)
{
    std::string file(name);
    if (std::filesystem::path(file).extension().empty())
        file += ".wav";
    return findFile(programDir, "SOUNDS\\" + file);
}

void playSound(const SessionStore& store, SoundPlayer& player, std::string_view name, bool gate, PlayMode mode)
{
    if (!gate || store.fnStoreGet(Fld::Sounds_Enabled) != "Y")
        return;
    const std::string path = soundFilePath(store.fnStoreGet(Fld::ProgramDir), name);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return; // a sound that is not there is silence, never an error
    player.play(path, mode);
}

void stopSound(const SessionStore& store, SoundPlayer& player)
{
    if (store.fnStoreGet(Fld::Sounds_Enabled) == "Y")
        player.stop();
}

void playStartSound(const ProfileFile& config, SessionStore& store, SoundPlayer& player)
{
    store.fnStoreSet(Fld::Sounds_Enabled, config.readText("Preference", "Sounds_Enabled", "Y"));
    playSound(store, player, "Splash", config.readText("Preference", "Sounds_Splash", "Y") == "Y");
}

} // namespace kst
