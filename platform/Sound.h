#pragma once
// Port: wave sound playback.

#include <string>

namespace kst {

enum class PlayMode {
    Async, // start and return
    Sync,  // return when the sound has finished
    Loop,  // repeat until stop()
};

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Plays a wave file given by its full path; a missing or unreadable file plays nothing.
    virtual void play(const std::string& path, PlayMode mode) = 0;
    virtual void stop() = 0;
};

} // namespace kst
