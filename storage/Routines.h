#pragma once
// The message, file and timing routines shared by every part of the program. They reach the
// user, the window system and the clock only through the ports.

#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/MessageBoxes.h"

#include <string_view>

namespace kst {

// ---- messages --------------------------------------------------------------------------------

// Modal information box with OK.
void fnInfoBox(MessageBoxes& messages, std::string_view text);
// Modal warning box with Yes and No; true only for Yes.
bool fnAskBox(MessageBoxes& messages, std::string_view text);

// ---- files -----------------------------------------------------------------------------------

// True when the file exists. Otherwise shows the missing-file error and ends the program
// (app.terminate(1)), then returns false.
bool fnRequireFile(MessageBoxes& messages, Application& app, std::string_view path);
// True when the picture file exists. Otherwise shows the missing-images error and returns false;
// the program goes on.
bool fnRequireImageFile(MessageBoxes& messages, std::string_view path);
// The missing-images error alone, also for a picture file that is there but cannot be read.
void showMissingImageFile(MessageBoxes& messages, std::string_view path);

// A file-system path (UTF-8) as message text (Windows-1252); kept as it is when it has
// characters that code page lacks.
std::string pathForMessage(std::string_view path);

bool fnDirectoryExists(std::string_view path);

// ---- display ---------------------------------------------------------------------------------

// Colours of a display with the given bits per pixel times planes: 2 to that power, or
// 999999999 above 24 bits.
long fnColourCount(int bitsTimesPlanes);

// ---- waiting ---------------------------------------------------------------------------------

// Waits on the tick counter until ms have passed, letting the window system handle its pending
// messages on every turn (so the window repaints and the input filters run meanwhile).
void fnDelay(Clock& clock, EventPump& events, int ms);
// The same wait without handling any message.
void fnDelayNoMessages(Clock& clock, int ms);

} // namespace kst
