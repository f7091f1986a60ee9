#include "storage/PreferenceSet.h"

#include "storage/TextUtils.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace kst {

namespace {

constexpr std::string_view Preference = "Preference";
constexpr Field NoField{0, 0};

// A switch's key, its session field (none for those only CFG.DAT keeps) and, for those, the
// value a missing key reads as.
struct SwitchKey {
    Switch which;
    std::string_view key;
    Field field;
    bool configDefault;
};

constexpr SwitchKey switchKeys[] = {
    {Switch::RandomBackground, "Random_Background", Fld::Random_Background, false},
    {Switch::RandomCard, "Random_Card", Fld::Random_Card, false},
    {Switch::RandomDeck, "Random_Deck", Fld::Random_Deck, false},
    {Switch::ConfirmQuit, "ConfirmQuit", NoField, false},
    {Switch::ConfirmQuitGame, "ConfirmQuitGame", Fld::ConfirmQuitGame, false},
    {Switch::ConfirmEnterHiScores, "ConfirmEnterHiScores", Fld::ConfirmEnterHiScores, false},
    {Switch::TipsStartUp, "Tips_StartUp", NoField, false},
    {Switch::FadeBackground, "Fade_Background", Fld::Fade_Background, false},
    {Switch::CardsAnimate, "Cards_Animate", Fld::Cards_Animate, false},
    {Switch::CardsShadowed, "Cards_Shadowed", Fld::Cards_Shadowed, false},
    {Switch::IrregularPiles, "Piles_TT", Fld::Piles_TT, false},
    {Switch::AutomaticFaceUp, "Automatic_FaceUp", Fld::Automatic_FaceUp, false},
    {Switch::DealAnimation, "Deal_Animation", Fld::Deal_Animation, false},
    {Switch::RedealAnimation, "Redeal_Animation", Fld::Redeal_Animation, false},
    {Switch::ShowToolTips, "Show_ToolTips", Fld::Show_ToolTips, false},
    {Switch::VertScrollBar, "VertScrollBar", Fld::VertScrollBar, false},
    {Switch::ShowPilesSize, "ShowPilesSize", Fld::ShowPilesSize, false},
    {Switch::MainPopupMenu, "Show_Main_PopUp_Menu", Fld::Show_Main_Popup_Menu, false},
    {Switch::ToolBarLarge, "ToolBar_Large", NoField, false},
    {Switch::ToolBarFlat, "ToolBar_Flat", NoField, true},
    {Switch::ShowTime, "Show_Time", Fld::Show_Time, false},
    {Switch::ShowScore, "Show_Score", Fld::Show_Score, false},
    {Switch::SoundsEnabled, "Sounds_Enabled", Fld::Sounds_Enabled, false},
    {Switch::RightClickFoundations, "RightClick_To_Foundations", Fld::RightClick_To_Foundations, false},
    {Switch::RightClickTableaus, "RightClick_To_Tableaus", Fld::RightClick_To_Tableaus, false},
    {Switch::DoubleClickFoundations, "DoubleClick_To_Foundations", Fld::DoubleClick_To_Foundations, false},
    {Switch::DoubleClickTableaus, "DoubleClick_To_Tableaus", Fld::DoubleClick_To_Tableaus, false},
};
// keyOf() finds a switch's row by its number.
constexpr bool inSwitchOrder()
{
    for (int i = 0; i < SwitchCount; ++i)
        if (int(switchKeys[i].which) != i)
            return false;
    return true;
}
static_assert(std::size(switchKeys) == SwitchCount && inSwitchOrder());

const SwitchKey& keyOf(Switch which)
{
    return switchKeys[std::size_t(which)];
}

const char* yesNo(bool on)
{
    return on ? "Y" : "N";
}

// One value to write: its key, its text and the session field that copies it.
struct Entry {
    std::string_view key;
    std::string value;
    Field field = NoField;
    std::string sessionValue; // when the session keeps it otherwise than CFG.DAT
};

Entry switchEntry(const PreferenceSet& set, Switch which)
{
    const SwitchKey& k = keyOf(which);
    return {k.key, yesNo(set[which]), k.field, {}};
}

// Every value in the order they are written.
std::vector<Entry> entriesOf(const PreferenceSet& set)
{
    const int back = backForSize(set.cardSize, set.backCard);
    const BackgroundSetting& bg = set.background;
    std::vector<Entry> entries;
    for (Switch s : {Switch::RandomBackground, Switch::RandomCard, Switch::RandomDeck})
        entries.push_back(switchEntry(set, s));
    entries.push_back({"Card", std::to_string(set.cardSet), Fld::Card, zeroPadded(set.cardSet, 3)});
    entries.push_back({"Card_Size", std::string(1, set.cardSize), Fld::Card_Size, {}});
    entries.push_back({"Back_Card", std::to_string(back), Fld::Back_Card, zeroPadded(back, 3)});
    for (Switch s : {Switch::ConfirmQuit, Switch::ConfirmQuitGame, Switch::ConfirmEnterHiScores, Switch::TipsStartUp})
        entries.push_back(switchEntry(set, s));
    entries.push_back({"Undo_Enabled", std::to_string(set.undoLevels), Fld::Undo_Enabled, {}});
    entries.push_back({"Winning_Animations", set.winningAnimation, NoField, {}});
    entries.push_back({"Winning_Animations_Time", std::to_string(set.winningTime), NoField, {}});
    entries.push_back({"Background_bmp", bg.bmp, Fld::Background_bmp, {}});
    entries.push_back({"Background_Def", yesNo(bg.useDefault), Fld::Background_def, {}});
    entries.push_back({"Background_Fixed_Col", std::to_string(bg.fixedColour), Fld::Background_Fixed_Col, {}});
    entries.push_back({"Background_Col", std::to_string(bg.customColour), Fld::Background_Col, {}});
    entries.push_back(switchEntry(set, Switch::FadeBackground));
    entries.push_back({"Customized_Background", bg.customizedPath, Fld::Customized_Background,
                       yesNo(!bg.customizedPath.empty())});
    entries.push_back({"Speed_Move_Card", std::to_string(set.speed), Fld::Speed_Move_Card, {}});
    entries.push_back({"Cursor", std::to_string(set.cursor), Fld::Cursor, {}});
    for (Switch s : {Switch::CardsAnimate, Switch::CardsShadowed, Switch::IrregularPiles, Switch::AutomaticFaceUp,
                     Switch::DealAnimation, Switch::RedealAnimation, Switch::ShowToolTips, Switch::VertScrollBar,
                     Switch::ShowPilesSize, Switch::MainPopupMenu, Switch::ToolBarLarge, Switch::ToolBarFlat,
                     Switch::ShowTime, Switch::ShowScore, Switch::SoundsEnabled})
        entries.push_back(switchEntry(set, s));
    for (std::size_t i = 0; i < soundEventChoices.size(); ++i)
        entries.push_back({soundEventChoices[i].key, yesNo(set.sounds[i]), soundEventChoices[i].field, {}});
    for (Switch s : {Switch::RightClickFoundations, Switch::RightClickTableaus, Switch::DoubleClickFoundations,
                     Switch::DoubleClickTableaus})
        entries.push_back(switchEntry(set, s));
    return entries;
}

} // namespace

const std::array<SoundEventChoice, SoundEventCount> soundEventChoices = {{
    {1, "Actions", "New game", "Sounds_NewGame", Fld::Sounds_NewGame, "New"},
    {2, "Actions", "Redo", "Sounds_Redo", Fld::Sounds_Redo, "Redo"},
    {3, "Actions", "Restart game", "Sounds_Restart", Fld::Sounds_Restart, "Restart"},
    {4, "Actions", "Undo", "Sounds_Undo", Fld::Sounds_Undo, "Undo"},
    {5, "Cards", "Automatic deal", "Sounds_Shuffle", Fld::Sounds_Shuffle, "Shuffle"},
    {6, "Cards", "Autoplay move", "Sounds_Autoplay", Fld::Sounds_Autoplay, "Autoplay"},
    {7, "Cards", "Card down", "Sounds_CardDown", Fld::Sounds_CardDown, "Card_down"},
    {8, "Cards", "Card up", "Sounds_CardUp", Fld::Sounds_CardUp, "Card_up"},
    {9, "Cards", "Deal a card from the stock", "Sounds_Stock", Fld::Sounds_Stock, "Stock"},
    {10, "Cards", "Face up a card", "Sounds_FaceUp", Fld::Sounds_FaceUp, "Face_up"},
    {11, "Cards", "Pairing cards", "Sounds_Pairing", Fld::Sounds_Pairing, "Pairing"},
    {12, "Cards", "Play a card on the foundation", "Sounds_Foundation", Fld::Sounds_Foundation, "Foundation"},
    {13, "Cards", "Play a card on the tableau", "Sounds_Tableau", Fld::Sounds_Tableau, "Tableau"},
    {14, "Cards", "Redeal with animation", "Sounds_Redeal", Fld::Sounds_Redeal, "Redeal"},
    {19, "Cards", "Redeal without animation", "Sounds_Redeal_Without_Animation",
     Fld::Sounds_Redeal_Without_Animation, "red_no_a"},
    {15, "Dialog box", "About", "Sounds_About", Fld::Sounds_About, "About"},
    {16, "Dialog box", "Hi-Scores", "Sounds_HiScores", Fld::Sounds_HiScores, "Hi-Scor"},
    {17, "System", "Enter Hi-Scores", "Sounds_NewHiScores", Fld::Sounds_NewHiScores, "Scores"},
    {18, "System", "Game won (applause)", "Sounds_GameWon", Fld::Sounds_GameWon, "Won"},
}};

int speedPosition(long delay)
{
    int best = 0;
    for (int i = 1; i < int(speedDelays.size()); ++i)
        if (std::labs(speedDelays[std::size_t(i)] - delay) < std::labs(speedDelays[std::size_t(best)] - delay))
            best = i;
    return best + 1;
}

int speedDelay(int position)
{
    return speedDelays[std::size_t(std::clamp(position, 1, int(speedDelays.size())) - 1)];
}

int winningTime(std::string_view text)
{
    const long seconds = numberOr(fnTrimRight(fnTrimLeft(text)), -1);
    if (seconds < 0)
        return DefaultWinningTime;
    if (seconds == 0)
        return WinningTimeStep;
    return int(std::min<long>(seconds, MaxWinningTime));
}

BackgroundSetting backgroundSetting(const BackgroundChoice& choice, long customColour)
{
    BackgroundSetting setting;
    setting.customColour = customColour;
    if (choice.code == BackgroundCode::Customized && !choice.customizedPath.empty())
        setting.customizedPath = choice.customizedPath;
    else if (choice.code < BackgroundCode::CustomColour)
        setting.useDefault = true;
    else if (choice.code > BackgroundCode::LastPicture)
        setting.fixedColour = choice.code;
    else if (choice.code > BackgroundCode::CustomColour)
        setting.bmp = std::to_string(choice.code);
    return setting;
}

BackgroundChoice backgroundChoice(const BackgroundSetting& setting, long& customColour)
{
    customColour = setting.customColour;
    if (!setting.customizedPath.empty())
        return {BackgroundCode::Customized, setting.customizedPath};
    if (setting.useDefault)
        return {BackgroundCode::Folder, {}};
    const long bmp = numberOr(setting.bmp, 0);
    if (bmp > BackgroundCode::CustomColour && bmp <= BackgroundCode::LastPicture)
        return {int(bmp), {}};
    if (setting.fixedColour > BackgroundCode::LastPicture)
        return {int(setting.fixedColour), {}};
    if (setting.fixedColour > 0)
        customColour = setting.fixedColour;
    return {BackgroundCode::CustomColour, {}};
}

PreferenceSet readPreferenceSet(const SessionStore& store, const ProfileFile& config)
{
    PreferenceSet set;
    for (const SwitchKey& k : switchKeys) {
        if (k.field == NoField)
            set[k.which] = config.readText(Preference, k.key, yesNo(k.configDefault)) == "Y";
        else
            set[k.which] = store.fnStoreGet(k.field) == "Y";
    }
    set[Switch::CardsShadowed] = store.fnStoreGet(Fld::Cards_Shadowed) != "N";
    for (std::size_t i = 0; i < soundEventChoices.size(); ++i)
        set.sounds[i] = store.fnStoreGet(soundEventChoices[i].field) != "N";
    set.cursor = int(numberOr(store.fnStoreGet(Fld::Cursor), 0));
    set.undoLevels = int(std::clamp(numberOr(store.fnStoreGet(Fld::Undo_Enabled), 0), 0L, 2L));
    set.cardSet = int(numberOr(store.fnStoreGet(Fld::Card), 1));
    const std::string size = store.fnStoreGet(Fld::Card_Size);
    set.cardSize = size.empty() ? 'B' : size.front();
    set.backCard = int(numberOr(store.fnStoreGet(Fld::Back_Card), 1));
    set.background.bmp = store.fnStoreGet(Fld::Background_bmp);
    set.background.useDefault = store.fnStoreGet(Fld::Background_def) == "Y";
    set.background.fixedColour = numberOr(store.fnStoreGet(Fld::Background_Fixed_Col), 0);
    set.background.customColour = numberOr(store.fnStoreGet(Fld::Background_Col), 0);
    if (store.fnStoreGet(Fld::Customized_Background) == "Y")
        set.background.customizedPath = config.readText(Preference, "Customized_Background", "");
    set.speed = int(numberOr(store.fnStoreGet(Fld::Speed_Move_Card), speedDelay(3)));
    const std::string animation = config.readText(Preference, "Winning_Animations", winningAnimations.front());
    if (std::find(winningAnimations.begin(), winningAnimations.end(), animation) != winningAnimations.end())
        set.winningAnimation = animation;
    set.winningTime = winningTime(config.readText(Preference, "Winning_Animations_Time", "30"));
    return set;
}

bool writePreferenceSet(const PreferenceSet& set, ProfileFile& config, SessionStore& store, std::string& failedKey)
{
    for (const Entry& entry : entriesOf(set)) {
        if (!config.writeText(Preference, entry.key, entry.value)) {
            failedKey = entry.key;
            return false;
        }
        if (entry.field != NoField)
            store.fnStoreSet(entry.field, entry.sessionValue.empty() ? entry.value : entry.sessionValue);
    }
    return true;
}

int backForSize(char cardSize, int back)
{
    return cardSize == 'B' || cardSize == FitCardSize ? back : SmallSizesBack;
}

TableLook currentLook(const SessionStore& store)
{
    return {store.fnStoreGet(Fld::Card),
            store.fnStoreGet(Fld::Card_Size),
            store.fnStoreGet(Fld::Back_Card),
            store.fnStoreGet(Fld::Background_def),
            store.fnStoreGet(Fld::Background_Col),
            store.fnStoreGet(Fld::Background_bmp),
            store.fnStoreGet(Fld::Background_Fixed_Col),
            store.fnStoreGet(Fld::Fade_Background),
            store.fnStoreGet(Fld::Customized_Background),
            store.fnStoreGet(Fld::Piles_TT)};
}

void restoreLook(const TableLook& look, SessionStore& store)
{
    store.fnStoreSet(Fld::Card, look.card);
    store.fnStoreSet(Fld::Card_Size, look.cardSize);
    store.fnStoreSet(Fld::Back_Card, look.backCard);
    store.fnStoreSet(Fld::Background_def, look.backgroundDef);
    store.fnStoreSet(Fld::Background_Col, look.backgroundCol);
    store.fnStoreSet(Fld::Background_bmp, look.backgroundBmp);
    store.fnStoreSet(Fld::Background_Fixed_Col, look.backgroundFixedCol);
    store.fnStoreSet(Fld::Fade_Background, look.fadeBackground);
    store.fnStoreSet(Fld::Customized_Background, look.customizedBackground);
    store.fnStoreSet(Fld::Piles_TT, look.irregularPiles);
}

void applyLook(const PreferenceSet& set, SessionStore& store)
{
    const BackgroundSetting& bg = set.background;
    restoreLook({zeroPadded(set.cardSet, 3), std::string(1, set.cardSize),
                 zeroPadded(backForSize(set.cardSize, set.backCard), 3), yesNo(bg.useDefault),
                 std::to_string(bg.customColour), bg.bmp, std::to_string(bg.fixedColour),
                 yesNo(set[Switch::FadeBackground]), yesNo(!bg.customizedPath.empty()),
                 yesNo(set[Switch::IrregularPiles])},
                store);
}

} // namespace kst
