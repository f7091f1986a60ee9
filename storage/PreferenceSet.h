#pragma once
// The preferences the Customize dialog edits, as one value: read from the session (and from
// CFG.DAT for the few the session does not keep), written back to CFG.DAT [Preference] and to
// their session fields in one go. Also the codes the dialog's lists stand for: card speeds,
// background choices, winning animations and sound events.

#include "storage/ProfileFile.h"
#include "storage/SessionStore.h"

#include <array>
#include <string>
#include <string_view>

namespace kst {

// ---- switches -----------------------------------------------------------------------------------

// The Y/N preferences of the dialog's check boxes (the sound events apart, below).
enum class Switch {
    RandomBackground,
    RandomCard,
    RandomDeck,
    ConfirmQuit,
    ConfirmQuitGame,
    ConfirmEnterHiScores,
    TipsStartUp,
    FadeBackground,
    CardsAnimate,
    CardsShadowed,
    IrregularPiles,
    AutomaticFaceUp,
    DealAnimation,
    RedealAnimation,
    ShowToolTips,
    VertScrollBar,
    ShowPilesSize,
    MainPopupMenu,
    ToolBarLarge,
    ToolBarFlat,
    ShowTime,
    ShowScore,
    SoundsEnabled,
    RightClickFoundations,
    RightClickTableaus,
    DoubleClickFoundations,
    DoubleClickTableaus,
};
inline constexpr int SwitchCount = int(Switch::DoubleClickTableaus) + 1;

// ---- sound events -------------------------------------------------------------------------------

// One event of the Sounds page: its code there, the folder it sits in, its caption, its own
// preference and session field, and the sound its test plays.
struct SoundEventChoice {
    int code;
    std::string_view folder;
    std::string_view caption;
    std::string_view key;
    Field field;
    std::string_view sound;
};
inline constexpr int SoundEventCount = 19;
extern const std::array<SoundEventChoice, SoundEventCount> soundEventChoices;
// The sound name the "Stop sound" button plays: no file has it, so the playing sound just stops.
inline constexpr std::string_view SilentSound = "_t1dz";

// ---- card speed ---------------------------------------------------------------------------------

// The speed slider's five positions, slow to fast, and the delay per step each stores.
inline constexpr std::array<int, 5> speedDelays = {50, 25, 10, 3, 0};
// The slider position (1..5) of a stored delay: the position of the nearest delay, so that a
// value written by hand still shows where it belongs.
int speedPosition(long delay);
int speedDelay(int position);

// ---- winning animations -------------------------------------------------------------------------

inline constexpr std::array<std::string_view, 8> winningAnimations = {
    "(Random)", "Festoons", "Circles", "Lines", "Open order", "Left to right", "Up to down", "(None)"};
inline constexpr std::string_view NoWinningAnimation = "(None)";
inline constexpr int DefaultWinningTime = 30;
inline constexpr int MaxWinningTime = 990;
inline constexpr int WinningTimeStep = 10;
// The time a stored or typed text stands for: unreadable gives the default, out of range is
// brought into it, and 0 (which the box never shows) becomes one step.
int winningTime(std::string_view text);

// ---- backgrounds --------------------------------------------------------------------------------

// Codes of the background tree: folders and the default, the custom colour, numbered pictures,
// fixed colours (the code is the colour) and the player's own pictures.
namespace BackgroundCode {
inline constexpr int CustomizedFolder = -100;
inline constexpr int CustomizedPlaceholder = -101; // "(Double click to customize)"
inline constexpr int Customized = -102;
inline constexpr int Folder = 0;                   // any other folder: the default background
inline constexpr int CustomColour = 1;
inline constexpr int LastPicture = 1000;           // 2 .. 1000: the picture "B" + number
} // namespace BackgroundCode

// The background as the preferences keep it.
struct BackgroundSetting {
    std::string bmp = "0";          // Background_bmp
    bool useDefault = false;        // Background_Def
    long fixedColour = 0;           // Background_Fixed_Col
    long customColour = 0;          // Background_Col
    std::string customizedPath;     // Customized_Background (Windows-1252); empty for none
    friend bool operator==(const BackgroundSetting&, const BackgroundSetting&) = default;
};

// A node of the background tree: its code, and the picture's path for a customized one.
struct BackgroundChoice {
    int code = BackgroundCode::Folder;
    std::string customizedPath;
    friend bool operator==(const BackgroundChoice&, const BackgroundChoice&) = default;
};

BackgroundSetting backgroundSetting(const BackgroundChoice& choice, long customColour);
// The node that shows a setting: the fixed colours the tree does not list show as the custom
// colour (customColour then receives it), so that OK keeps what the table shows.
BackgroundChoice backgroundChoice(const BackgroundSetting& setting, long& customColour);

// ---- the whole set ------------------------------------------------------------------------------

struct PreferenceSet {
    std::array<bool, SwitchCount> switches{};
    std::array<bool, SoundEventCount> sounds{}; // in the order of soundEventChoices
    int cursor = 10;                            // pointer shape 10 .. 15, or 0 for the system's
    int undoLevels = 0;                         // 0 unlimited, 1 one level, 2 disabled
    int cardSet = 1;
    char cardSize = 'B';
    int backCard = 11;
    BackgroundSetting background;
    int speed = 10;                             // Speed_Move_Card, milliseconds per step
    std::string winningAnimation{winningAnimations.front()};
    int winningTime = DefaultWinningTime;

    bool& operator[](Switch s) { return switches[std::size_t(s)]; }
    bool operator[](Switch s) const { return switches[std::size_t(s)]; }
    friend bool operator==(const PreferenceSet&, const PreferenceSet&) = default;
};

// The preferences in force: the session's copies, and from CFG.DAT those it does not keep
// (toolbar, exit confirmation, tip of the day, winning animation and its time, the customized
// background's path).
PreferenceSet readPreferenceSet(const SessionStore& store, const ProfileFile& config);

// Every preference written to CFG.DAT and copied to its session field. With card sizes other than
// the big one the back is the one those sizes come with. False, with the key that failed in
// `failedKey`, when CFG.DAT could not take a value; the keys before it are written.
bool writePreferenceSet(const PreferenceSet& set, ProfileFile& config, SessionStore& store, std::string& failedKey);

// The appearance values of the table in the session: card set, size, back, background, fade,
// irregular piles. What Apply changes and Cancel puts back.
struct TableLook {
    std::string card, cardSize, backCard, backgroundDef, backgroundCol, backgroundBmp, backgroundFixedCol;
    std::string fadeBackground, customizedBackground, irregularPiles;
    friend bool operator==(const TableLook&, const TableLook&) = default;
};
TableLook currentLook(const SessionStore& store);
void restoreLook(const TableLook& look, SessionStore& store);
// The set's appearance values into the session.
void applyLook(const PreferenceSet& set, SessionStore& store);

// The back stored with a card size: big and fit cards keep the chosen back, the others their one
// back.
int backForSize(char cardSize, int back);
inline constexpr int SmallSizesBack = 6;

} // namespace kst
