#pragma once
// Start-up: the preferences of DATA/CFG.DAT into the session store with their defaults and
// repairs, the default players, the catalogue check, the version marker and the clean-up of
// files of earlier versions; and the data-file repair at the program's first activation.

#include "storage/GameCatalogue.h"
#include "platform/Application.h"
#include "platform/MessageBoxes.h"
#include "storage/Paths.h"
#include "storage/ProfileFile.h"
#include "storage/SessionStore.h"

#include <string>
#include <string_view>

namespace kst {

// The player of a first run, and the one recorded when the configuration names none.
inline constexpr std::string_view FirstPlayer = "Player 1";

// Preferences that steer the main window at once instead of living in the session store.
struct WindowPreferences {
    bool toolbarLarge = false;      // ToolBar_Large
    bool toolbarFlat = true;        // ToolBar_Flat
    bool autoPlay = true;           // AutoPlay: switched on as by its command
    bool solver = true;             // Solver: the verdict line, the hint and playing the solution
    bool winnableDealsOnly = false; // Winnable_Deals_Only: new random deals the solver proved winnable
};

struct StartupPorts {
    MessageBoxes& messages;
    Application& app;
    int displayColourBits = 32;
};

// Reads every start-up preference in order into its session field, with the defaults, the
// colour-depth advice and the repairs; fixes ScoringSystem; creates the three players on the
// first run; resets the session counters.
WindowPreferences readPreferences(ProfileFile& config, SessionStore& store, const StartupPorts& ports);

// The preferences of a first run on a full-colour display, before any player exists: every
// default and repair of readPreferences, with nothing read or written. For front ends that must
// leave the user's configuration alone.
void preferenceDefaults(SessionStore& store);

// The saved game's code checked against the catalogue (and the customized games for codes from
// 8000 up): an unknown code becomes "-001" with an empty name.
void checkSavedGame(const GameCatalogue& catalogue, SessionStore& store);

// The marker of this version beside the program, and the files of earlier versions removed.
// Failures are ignored: an installed program folder may be read-only.
void tidyProgramFolder(const ProgramFiles& files);

// Once per run, at the first activation: an old hi-score file gets its new header and the
// padded entry lines; preferences stored as "S" by old versions read "Y".
void firstActivation(const ProgramFiles& files, ProfileFile& config, MessageBoxes& messages);

// The version marker's file name and its one line.
inline constexpr std::string_view VersionMarkerFile = "KSTV0430.DAT";
inline constexpr std::string_view VersionMarkerText = "Kestrane version: 04.30";

} // namespace kst
