#pragma once
// Wave sounds on QSoundEffect. One sound plays at a time: a new one replaces the one playing.

#include "platform/Clock.h"
#include "platform/Sound.h"

#include <memory>
#include <optional>
#include <string>

class QSoundEffect;

namespace kst {

class QtSound : public SoundPlayer {
public:
    // The pump keeps the window alive while a synchronous sound plays.
    explicit QtSound(EventPump& events);
    ~QtSound() override;

    void play(const std::string& path, PlayMode mode) override;
    void stop() override;

private:
    QSoundEffect& effect();
    void waitUntilPlayed(int durationMs);

    EventPump& m_events;
    // Made at the first sound, so that a program that plays none needs no audio device.
    std::unique_ptr<QSoundEffect> m_effect;
    // Bumped by every play and stop: a wait for a sound ends when another takes its place.
    unsigned m_generation = 0;
};

// For --no-sound, KESTRANE_NO_SOUND and headless tests: plays nothing, creates nothing.
class SilentSound : public SoundPlayer {
public:
    void play(const std::string&, PlayMode) override {}
    void stop() override {}
};

// How long a wave file plays, from its header and the sound data it really holds; nothing when
// the file is missing or not a wave file.
std::optional<int> waveDurationMs(const std::string& path);

// True when KESTRANE_NO_SOUND is set in the environment.
bool soundOffByEnvironment();

} // namespace kst
