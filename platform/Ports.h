#pragma once
// Every port the core reaches the outside through, gathered in one place. The Qt shell,
// kestrane-cli and the tests each fill one of these with their own implementations.

#include "platform/Application.h"
#include "platform/Canvas.h"
#include "platform/Clock.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/Pointer.h"
#include "platform/Random.h"
#include "platform/ResourceLibrary.h"
#include "platform/Sound.h"

namespace kst {

struct Ports {
    MessageBoxes& messages;
    Clock& clock;
    EventPump& events;
    RandomSource& random;
    SoundPlayer& sound;
    ResourceLibrary& resources;
    FileDialogs& dialogs;
    Graphics& graphics;
    PointerShapes& pointer;
    Application& app;
    LocaleFormat locale;
};

} // namespace kst
