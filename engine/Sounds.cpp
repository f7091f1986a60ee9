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

SoundEventInfo soundEventInfo(SoundEvent event)
{
    using enum PlayMode;
    switch (event) {
    case SoundEvent::Foundation: return {"Foundation.wav", Fld::Sounds_Foundation, Async};
    case SoundEvent::Autoplay: return {"Autoplay.wav", Fld::Sounds_Autoplay, Async};
    case SoundEvent::SecondWaste: return {"Eddy.wav", Fld::Sounds_Foundation, Async};
    case SoundEvent::Tableau: return {"Tableau", Fld::Sounds_Tableau, Async};
    case SoundEvent::GridCloseUp: return {"Shuffle", Fld::Sounds_Tableau, Async};
    case SoundEvent::Stock: return {"Stock", Fld::Sounds_Stock, Async};
    case SoundEvent::Shuffle: return {"Shuffle", Fld::Sounds_Shuffle, Async};
    case SoundEvent::Redeal: return {"Redeal", Fld::Sounds_Redeal, Loop};
    case SoundEvent::RedealAtOnce: return {"Red_no_a", Fld::Sounds_Redeal_Without_Animation, Sync};
    case SoundEvent::Pairing: return {"Pairing", Fld::Sounds_Pairing, Async};
    case SoundEvent::Reorder: return {"Reorder", {0, 0}, Async};
    case SoundEvent::FaceUp: return {"Face_up", Fld::Sounds_FaceUp, Async};
    case SoundEvent::CardUp: return {"card_up.wav", Fld::Sounds_CardUp, Async};
    case SoundEvent::CardDown: return {"card_down.wav", Fld::Sounds_CardDown, Async};
    case SoundEvent::Won: return {"Won", Fld::Sounds_GameWon, Async};
    case SoundEvent::NewGame: return {"New", Fld::Sounds_NewGame, Sync};
    case SoundEvent::Restart: return {"Restart", Fld::Sounds_Restart, Async};
    case SoundEvent::Undo: return {"Undo", Fld::Sounds_Undo, Async};
    case SoundEvent::Redo: return {"Redo", Fld::Sounds_Redo, Async};
    case SoundEvent::HiScores: return {"Hi-Scor", Fld::Sounds_HiScores, Async};
    case SoundEvent::NewHiScore: return {"Scores.wav", Fld::Sounds_NewHiScores, Async};
    case SoundEvent::About: return {"About.wav", Fld::Sounds_About, Async};
    case SoundEvent::Splash: return {"Splash", Fld::Sounds_Splash, Async};
    }
    return {};
}

void playSound(const SessionStore& store, SoundPlayer& player, SoundEvent event)
{
    playSound(store, player, event, soundEventInfo(event).mode);
}

void playSound(const SessionStore& store, SoundPlayer& player, SoundEvent event, PlayMode mode)
{
    const SoundEventInfo info = soundEventInfo(event);
    const bool gate = info.gate.length == 0 || store.fnStoreGet(info.gate) == "Y";
    playSound(store, player, info.name, gate, mode);
}

void stopSound(const SessionStore& store, SoundPlayer& player)
{
    if (store.fnStoreGet(Fld::Sounds_Enabled) == "Y")
        player.stop();
}

void playStartSound(const ProfileFile& config, SessionStore& store, SoundPlayer& player)
{
    store.fnStoreSet(Fld::Sounds_Enabled, config.readText("Preference", "Sounds_Enabled", "Y"));
    playSound(store, player, soundEventInfo(SoundEvent::Splash).name,
              config.readText("Preference", "Sounds_Splash", "Y") == "Y");
}

} // namespace kst
