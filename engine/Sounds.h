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

// The events the program marks with a sound, each with its file, its own switch and how it plays.
enum class SoundEvent {
    Foundation,         // a card sent to a foundation by the player
    Autoplay,           // a card sent to a foundation by automatic play
    SecondWaste,        // a card discarded onto the second waste where that scores
    Tableau,            // a card or run moved to a tableau pile, a reserve or the waste
    GridCloseUp,        // a card moved while a grid closes up its gaps
    Stock,              // a card dealt from the stock to the waste
    Shuffle,            // cards dealt from the stock onto piles; a shuffling redeal
    Redeal,             // the waste turned back into the stock, the cards shown travelling
    RedealAtOnce,       // the waste turned back without showing it
    Pairing,            // a group discarded in a pairing game
    Reorder,            // a foundation sorted after a move
    FaceUp,             // a face-down card turned up
    CardUp,             // cards picked up for dragging
    CardDown,           // dragged cards put down
    Won,
    NewGame,
    Restart,
    Undo,
    Redo,
    HiScores,           // the hi-score list shown
    NewHiScore,         // a new hi-score entered
    About,
    Splash,
};

struct SoundEventInfo {
    std::string_view name;  // as the SOUNDS folder knows it
    Field gate;             // its own switch; {0, 0} for none (the master switch only)
    PlayMode mode;
};

SoundEventInfo soundEventInfo(SoundEvent event);

// The event's sound when its own switch and the master switch are on; `mode` overrides how it
// plays (a shuffle loops while its animation runs).
void playSound(const SessionStore& store, SoundPlayer& player, SoundEvent event);
void playSound(const SessionStore& store, SoundPlayer& player, SoundEvent event, PlayMode mode);

// Plays the sound when its gate is open and the master switch is "Y"; a missing file plays nothing.
void playSound(const SessionStore& store, SoundPlayer& player, std::string_view name, bool gate,
               PlayMode mode = PlayMode::Async);
// Stops whatever plays, when sounds are on.
void stopSound(const SessionStore& store, SoundPlayer& player);

// At program start, before the preferences reach the session: the master switch from CFG.DAT,
// then "Splash" unless its own preference is off.
void playStartSound(const ProfileFile& config, SessionStore& store, SoundPlayer& player);

} // namespace kst
