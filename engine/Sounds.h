#pragma once
// The game's sounds: wave files of the SOUNDS folder, each event gated by its own preference and
// all of them by the master switch Sounds_Enabled. A new sound replaces the one playing.

#include "platform/Sound.h"
#include "storage/ProfileFile.h"
#include "storage/SessionStore.h"

#include <string>
#include <string_view>

namespace kst {

// The file of a sound name: ProgramDir + "SOUNDS\" + the name, ".wav" added when the name has no
// extension, found whatever the case of folder and file.
std::string soundFilePath(std::string_view programDir, std::string_view name);

// Plays the sound when its gate is open and the master switch is "Y"; a missing file plays nothing.
void playSound(const SessionStore& store, SoundPlayer& player, std::string_view name, bool gate,
               PlayMode mode = PlayMode::Async);
// Stops whatever plays, when sounds are on.
void stopSound(const SessionStore& store, SoundPlayer& player);

// At program start, before the preferences reach the session: the master switch from CFG.DAT,
// then "Splash" unless its own preference is off.
void playStartSound(const ProfileFile& config, SessionStore& store, SoundPlayer& player);

} // namespace kst
