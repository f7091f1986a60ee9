#include "storage/Startup.h"

#include "storage/Advice.h"
#include "storage/FileLookup.h"
#include "storage/SectionFile.h"
#include "storage/TextUtils.h"

#include <algorithm>
#include <span>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace kst {

namespace {

constexpr std::string_view Preference = "Preference";
// The system's button-face colour, the stored default of the custom background colour.
constexpr long ButtonFaceColour = -2147483633;
constexpr int PaletteDisplayBits = 8;

constexpr std::string_view LowColourAdvice =
    "At this time your video driver supports 256 colors or less. This program takes advantage of the 16 bit "
    "(65,536 colors) or the 24 bit (16.8 million colors) palettes or higher resolutions. \r"
    "If your video driver allows High or True color mode settings (16 bit or 24 bit), modify your screen "
    "resolution using the Display Properties Settings in the Control Panel.";

struct TextKey {
    std::string_view key;
    std::string_view defaultValue;
    Field field;
};

// The text preferences read after the game's name, in reading order.
constexpr TextKey displayKeys[] = {
    {"Show_Time", "Y", Fld::Show_Time},
    {"Show_Score", "Y", Fld::Show_Score},
    {"Cards_Animate", "Y", Fld::Cards_Animate},
};

constexpr TextKey behaviourKeys[] = {
    {"Piles_TT", "N", Fld::Piles_TT},
    {"Automatic_FaceUp", "Y", Fld::Automatic_FaceUp},
    {"Deal_Animation", "Y", Fld::Deal_Animation},
    {"Redeal_Animation", "Y", Fld::Redeal_Animation},
};

constexpr TextKey sessionKeys[] = {
    {"StatusBar", "N", Fld::StatusBar},
    {"UserDefault", "", Fld::UserDefault},
    {"Undo_Enabled", "0", Fld::Undo_Enabled},
    {"ConfirmQuitGame", "Y", Fld::ConfirmQuitGame},
    {"ConfirmEnterHiScores", "Y", Fld::ConfirmEnterHiScores},
    {"Sounds_Enabled", "Y", Fld::Sounds_Enabled},
    {"Sounds_About", "Y", Fld::Sounds_About},
    {"Sounds_Autoplay", "Y", Fld::Sounds_Autoplay},
    {"Sounds_CardDown", "Y", Fld::Sounds_CardDown},
    {"Sounds_CardUp", "Y", Fld::Sounds_CardUp},
    {"Sounds_NewHiScores", "Y", Fld::Sounds_NewHiScores},
    {"Sounds_FaceUp", "Y", Fld::Sounds_FaceUp},
    {"Sounds_GameWon", "Y", Fld::Sounds_GameWon},
    {"Sounds_HiScores", "Y", Fld::Sounds_HiScores},
    {"Sounds_NewGame", "Y", Fld::Sounds_NewGame},
    {"Sounds_Pairing", "Y", Fld::Sounds_Pairing},
    {"Sounds_Redeal", "Y", Fld::Sounds_Redeal},
    {"Sounds_Redeal_Without_Animation", "Y", Fld::Sounds_Redeal_Without_Animation},
    {"Sounds_Redo", "Y", Fld::Sounds_Redo},
    {"Sounds_Restart", "Y", Fld::Sounds_Restart},
    {"Sounds_Shuffle", "Y", Fld::Sounds_Shuffle},
    {"Sounds_Splash", "Y", Fld::Sounds_Splash},
    {"Sounds_Stock", "Y", Fld::Sounds_Stock},
    {"Sounds_Foundation", "Y", Fld::Sounds_Foundation},
    {"Sounds_Tableau", "Y", Fld::Sounds_Tableau},
    {"Sounds_Undo", "Y", Fld::Sounds_Undo},
    {"Random_Background", "N", Fld::Random_Background},
    {"Random_Card", "N", Fld::Random_Card},
    {"Random_Deck", "N", Fld::Random_Deck},
    {"VertScrollBar", "Y", Fld::VertScrollBar},
    {"ShowPilesSize", "N", Fld::ShowPilesSize},
    {"Show_Main_Popup_Menu", "Y", Fld::Show_Main_Popup_Menu},
    {"RightClick_To_Foundations", "Y", Fld::RightClick_To_Foundations},
    {"RightClick_To_Tableaus", "Y", Fld::RightClick_To_Tableaus},
    {"DoubleClick_To_Foundations", "Y", Fld::DoubleClick_To_Foundations},
    {"DoubleClick_To_Tableaus", "N", Fld::DoubleClick_To_Tableaus},
};

// Stands in for CFG.DAT where only the defaults are wanted: every key reads as missing.
struct NoConfig {
    std::string readText(std::string_view, std::string_view, std::string_view defaultValue) const
    {
        return std::string(defaultValue);
    }
    long readNumber(std::string_view, std::string_view, long defaultValue) const { return defaultValue; }
};

template <typename Config>
void readTexts(const Config& config, SessionStore& store, std::span<const TextKey> keys)
{
    for (const TextKey& k : keys)
        store.fnStoreSet(k.field, config.readText(Preference, k.key, k.defaultValue));
}

bool fileExists(const std::string& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

void removeIfPresent(const ProgramFiles& files, std::string_view relative)
{
    std::error_code ignored;
    fs::remove(findFile(files.programDir(), relative), ignored);
}

// Every value read, with its default and repairs; nothing is written to the configuration.
template <typename Config>
WindowPreferences loadPreferences(const Config& config, SessionStore& store, bool paletteDisplay)
{
    WindowPreferences window;
    store.fnStoreSet(Fld::Show_ToolTips, config.readText(Preference, "Show_ToolTips", "Y"));
    window.toolbarLarge = config.readText(Preference, "ToolBar_Large", "N") == "Y";
    window.toolbarFlat = config.readText(Preference, "ToolBar_Flat", "Y") == "Y";

    store.fnStoreSet(Fld::Back_Card, zeroPadded(config.readNumber(Preference, "Back_Card", 11), 3));
    store.fnStoreSet(Fld::Card, zeroPadded(config.readNumber(Preference, "Card", paletteDisplay ? 3 : 1), 3));
    // A new player's cards fit the window.
    store.fnStoreSet(Fld::Card_Size, config.readText(Preference, "Card_Size", std::string(1, FitCardSize)));
    const std::string size = store.fnStoreGet(Fld::Card_Size);
    if (size != "B" && size != std::string(1, FitCardSize))
        store.fnStoreSet(Fld::Back_Card, "006"); // the one back the smaller cards come with
    store.fnStoreSet(Fld::Background_bmp, config.readText(Preference, "Background_bmp", ""));
    store.fnStoreSet(Fld::Background_Fixed_Col,
                     std::to_string(config.readNumber(Preference, "Background_Fixed_Col", 32768)));
    store.fnStoreSet(Fld::Background_Col,
                     std::to_string(config.readNumber(Preference, "Background_Col", ButtonFaceColour)));
    store.fnStoreSet(Fld::Background_def, config.readText(Preference, "Background_def", "N"));
    store.fnStoreSet(Fld::Fade_Background, config.readText(Preference, "Fade_Background", "Y"));
    store.fnStoreSet(Fld::Customized_Background,
                     config.readText(Preference, "Customized_Background", "").empty() ? "N" : "Y");
    store.fnStoreSet(Fld::GameId, zeroPadded(config.readNumber(Preference, "Game", 1), 4));
    store.fnStoreSet(Fld::Game_name, config.readText(Preference, "Game_name", "Freecell"));
    readTexts(config, store, displayKeys);
    store.fnStoreSet(Fld::Cards_Shadowed,
                     config.readText(Preference, "Cards_Shadowed", store.fnStoreGet(Fld::Cards_Animate)));
    readTexts(config, store, behaviourKeys);
    store.fnStoreSet(Fld::Language, std::to_string(config.readNumber(Preference, "Language", 20000)));
    // Two characters hold the delay; anything longer would be cut to its first digits.
    store.fnStoreSet(Fld::Speed_Move_Card,
                     std::to_string(std::clamp(config.readNumber(Preference, "Speed_Move_Card", 10), 0L, 99L)));
    readTexts(config, store, sessionKeys);
    store.fnStoreSet(Fld::Cursor, std::to_string(config.readNumber(Preference, "Cursor", 10)));
    window.autoPlay = config.readText(Preference, "AutoPlay", "Y") == "Y";
    window.solver = config.readText(Preference, "Solver", "Y") == "Y";
    window.winnableDealsOnly = config.readText(Preference, "Winnable_Deals_Only", "N") == "Y";

    store.fnStoreSet(Fld::ScoringSystem, "01");
    if (numberOr(store.fnStoreGet(Fld::Back_Card)) == 0)
        store.fnStoreSet(Fld::Back_Card, "001");
    if (numberOr(store.fnStoreGet(Fld::Background_Col)) == 0)
        store.fnStoreSet(Fld::Background_Col, std::to_string(ButtonFaceColour));
    if (store.fnStoreGet(Fld::Background_bmp).empty())
        store.fnStoreSet(Fld::Background_bmp, "0");
    store.resetSessionCounters();
    return window;
}

} // namespace

WindowPreferences readPreferences(ProfileFile& config, SessionStore& store, const StartupPorts& ports)
{
    const bool paletteDisplay = ports.displayColourBits <= PaletteDisplayBits;
    if (paletteDisplay)
        fnAdvice(config, ports.messages, ports.app, LowColourAdvice, "Screen_Under_256_Colors", 0);
    const WindowPreferences window = loadPreferences(config, store, paletteDisplay);
    if (store.fnStoreGet(Fld::UserDefault).empty()) {
        config.writeText(Preference, "UserDefault", FirstPlayer);
        config.writeText("Users", "User001", FirstPlayer);
        config.writeText("Users", "User002", "Player 2");
        config.writeText("Users", "User003", "Player 3");
        store.fnStoreSet(Fld::UserDefault, FirstPlayer);
    }
    return window;
}

void preferenceDefaults(SessionStore& store)
{
    loadPreferences(NoConfig{}, store, false);
}

void checkSavedGame(const GameCatalogue& catalogue, SessionStore& store)
{
    const long gameId = numberOr(store.fnStoreGet(Fld::GameId), -1);
    if (gameId < 0 || !catalogue.gameName(int(gameId)).empty())
        return;
    store.fnStoreSet(Fld::GameId, "-001");
    store.fnStoreSet(Fld::Game_name, "");
}

void tidyProgramFolder(const ProgramFiles& files)
{
    const std::string marker = findFile(files.programDir(), VersionMarkerFile);
    if (!fileExists(marker))
        std::ofstream(marker, std::ios::binary) << VersionMarkerText << "\r\n";

    for (const char* version : {"0150", "0200", "0300", "0310", "0320", "0330", "0340", "0350", "0360", "0370",
                                "0400", "0410", "0420"})
        removeIfPresent(files, std::string("KSTV") + version + ".DAT");
    const auto present = [&](std::string_view relative) { return fileExists(findFile(files.programDir(), relative)); };
    if (present("IMAGES\\GAME0000.BMP"))
        for (int n = 0; n <= 100; ++n)
            removeIfPresent(files, "IMAGES\\GAME" + zeroPadded(n, 4) + ".BMP");
    if (present("IMAGES\\WB001.BMP"))
        for (int n = 0; n <= 25; ++n)
            for (const char* kind : {"WB", "WM", "WP"})
                removeIfPresent(files, std::string("IMAGES\\") + kind + zeroPadded(n, 3) + ".BMP");
    if (present("IMAGES\\CB001C.BMP")) {
        for (const char* set : {"CB001", "CB002", "CB003", "CB004", "CB005", "CM003", "CL003"})
            for (const char suit : {'C', 'D', 'H', 'S'})
                removeIfPresent(files, std::string("IMAGES\\") + set + suit + ".BMP");
    }
    removeIfPresent(files, "KESTRANE.DLL");
}

void firstActivation(const ProgramFiles& files, ProfileFile& config, MessageBoxes& messages)
{
    const std::string scores = files.dataFile("STAT_SCR.DAT");
    if (!fileExists(scores))
        return;
    if (fnSectionReadValue(scores, "Version", "Version", "0000").value < "0300") {
        const LinesRead old = loadLines(scores);
        if (!old.unreadable) {
            std::vector<std::string> lines = {"[Version]", "Version=0300", ""};
            for (const std::string& line : old.lines) {
                if (line.starts_with("[Version]") || line.starts_with("Version="))
                    continue;
                if (line.starts_with('0')) {
                    std::string entry = line.substr(0, 89);
                    entry.resize(89, ' ');
                    lines.push_back(entry + " x");
                } else {
                    lines.push_back(line);
                }
            }
            saveLines(scores, lines, messages);
        }
    }
    // Old versions stored "S" (for "si") where this one stores "Y".
    for (const char* key : {"Cards_Animate", "ConfirmQuit"})
        if (config.readText(Preference, key, "") == "S")
            config.writeText(Preference, key, "Y");
}

} // namespace kst
