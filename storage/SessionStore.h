#pragma once
// The session store: one block of 999 character cells, positions 1..999, in which every session
// value (preferences in force, the current game and player, the running score, a few flags) has
// a fixed position and width. Values are texts: numbers as decimal digits, flags "Y"/"N".

#include <array>
#include <string>
#include <string_view>

namespace kst {

// A field of the store: its first position (1-based) and its width.
struct Field {
    int position;
    int length;
    friend constexpr bool operator==(const Field&, const Field&) = default;
};

struct NamedField {
    std::string_view name;
    Field field;
};

// The field map. Positions not named here carry no field.
// Card_Size letters: "B" big, "M" medium and "L" little cards, and "F" the size that fits the
// window (worked out by the table at every layout).
inline constexpr char FitCardSize = 'F';

namespace Fld {

inline constexpr Field CfgFile{1, 20};
inline constexpr Field Back_Card{21, 3};
inline constexpr Field Card{24, 3};
inline constexpr Field Background_def{27, 1};
inline constexpr Field Background_Col{28, 15};
inline constexpr Field Background_bmp{43, 4};
inline constexpr Field Background_Fixed_Col{47, 15};
inline constexpr Field GameId{62, 4};
inline constexpr Field Show_Time{66, 1};
inline constexpr Field Cards_Animate{67, 1};
inline constexpr Field Language{68, 6};
inline constexpr Field Speed_Move_Card{74, 2};
inline constexpr Field StatusBar{76, 1};
inline constexpr Field UserDefault{77, 30};
inline constexpr Field SessionWon{112, 4};
inline constexpr Field SessionLost{116, 4};
inline constexpr Field ScoringSystem{120, 2};
inline constexpr Field CurrentScore{122, 6};
inline constexpr Field Card_Size{128, 1};
inline constexpr Field SavedCard{129, 3};
inline constexpr Field SavedBackCard{132, 3};
inline constexpr Field Fade_Background{135, 1};
inline constexpr Field Show_Score{136, 1};
inline constexpr Field Undo_Enabled{137, 1};
inline constexpr Field UndoUsed{138, 1};
inline constexpr Field RedoUsed{139, 1};
inline constexpr Field Sounds_Enabled{141, 1};
inline constexpr Field Sounds_About{142, 1};
inline constexpr Field Sounds_Autoplay{143, 1};
inline constexpr Field Sounds_GameWon{144, 1};
inline constexpr Field Sounds_NewGame{145, 1};
inline constexpr Field Sounds_Redo{146, 1};
inline constexpr Field Sounds_Restart{147, 1};
inline constexpr Field Sounds_Splash{148, 1};
inline constexpr Field Sounds_Shuffle{149, 1};
inline constexpr Field Sounds_Undo{151, 1};
inline constexpr Field Random_Background{152, 1};
inline constexpr Field GameNumber{153, 15};
inline constexpr Field Sounds_HiScores{171, 1};
inline constexpr Field Cursor{172, 2};
inline constexpr Field Sounds_NewHiScores{174, 1};
inline constexpr Field Sounds_Pairing{175, 1};
inline constexpr Field Sounds_Stock{176, 1};
inline constexpr Field Sounds_Tableau{177, 1};
inline constexpr Field Cards_Shadowed{178, 1};
inline constexpr Field Piles_TT{179, 1};
inline constexpr Field Sounds_FaceUp{180, 1};
inline constexpr Field Sounds_CardDown{181, 1};
inline constexpr Field Sounds_CardUp{182, 1};
inline constexpr Field Sounds_Redeal{183, 1};
inline constexpr Field Sounds_Foundation{184, 1};
inline constexpr Field ConfirmQuitGame{185, 1};
inline constexpr Field ConfirmEnterHiScores{186, 1};
inline constexpr Field Random_Card{187, 1};
inline constexpr Field Random_Deck{188, 1};
inline constexpr Field Game_name{189, 50};
inline constexpr Field Automatic_FaceUp{239, 1};
inline constexpr Field SavedCardSize{240, 1};
inline constexpr Field Deal_Animation{241, 1};
inline constexpr Field Redeal_Animation{242, 1};
inline constexpr Field VertScrollBar{243, 1};
inline constexpr Field Show_ToolTips{244, 1};
inline constexpr Field ShowPilesSize{245, 1};
inline constexpr Field Customized_Background{246, 1};
inline constexpr Field RightClick_To_Foundations{247, 1};
inline constexpr Field RightClick_To_Tableaus{248, 1};
inline constexpr Field DoubleClick_To_Foundations{249, 1};
inline constexpr Field DoubleClick_To_Tableaus{251, 1};
inline constexpr Field Sounds_Redeal_Without_Animation{252, 1};
inline constexpr Field Show_Main_Popup_Menu{253, 1};
inline constexpr Field ProgramDir{501, 200};
inline constexpr Field SnapshotFile{701, 200};

// Every field above, for whoever must walk them all (the map check, dumps).
inline constexpr NamedField all[] = {
    {"CfgFile", CfgFile},
    {"Back_Card", Back_Card},
    {"Card", Card},
    {"Background_def", Background_def},
    {"Background_Col", Background_Col},
    {"Background_bmp", Background_bmp},
    {"Background_Fixed_Col", Background_Fixed_Col},
    {"GameId", GameId},
    {"Show_Time", Show_Time},
    {"Cards_Animate", Cards_Animate},
    {"Language", Language},
    {"Speed_Move_Card", Speed_Move_Card},
    {"StatusBar", StatusBar},
    {"UserDefault", UserDefault},
    {"SessionWon", SessionWon},
    {"SessionLost", SessionLost},
    {"ScoringSystem", ScoringSystem},
    {"CurrentScore", CurrentScore},
    {"Card_Size", Card_Size},
    {"SavedCard", SavedCard},
    {"SavedBackCard", SavedBackCard},
    {"Fade_Background", Fade_Background},
    {"Show_Score", Show_Score},
    {"Undo_Enabled", Undo_Enabled},
    {"UndoUsed", UndoUsed},
    {"RedoUsed", RedoUsed},
    {"Sounds_Enabled", Sounds_Enabled},
    {"Sounds_About", Sounds_About},
    {"Sounds_Autoplay", Sounds_Autoplay},
    {"Sounds_GameWon", Sounds_GameWon},
    {"Sounds_NewGame", Sounds_NewGame},
    {"Sounds_Redo", Sounds_Redo},
    {"Sounds_Restart", Sounds_Restart},
    {"Sounds_Splash", Sounds_Splash},
    {"Sounds_Shuffle", Sounds_Shuffle},
    {"Sounds_Undo", Sounds_Undo},
    {"Random_Background", Random_Background},
    {"GameNumber", GameNumber},
    {"Sounds_HiScores", Sounds_HiScores},
    {"Cursor", Cursor},
    {"Sounds_NewHiScores", Sounds_NewHiScores},
    {"Sounds_Pairing", Sounds_Pairing},
    {"Sounds_Stock", Sounds_Stock},
    {"Sounds_Tableau", Sounds_Tableau},
    {"Cards_Shadowed", Cards_Shadowed},
    {"Piles_TT", Piles_TT},
    {"Sounds_FaceUp", Sounds_FaceUp},
    {"Sounds_CardDown", Sounds_CardDown},
    {"Sounds_CardUp", Sounds_CardUp},
    {"Sounds_Redeal", Sounds_Redeal},
    {"Sounds_Foundation", Sounds_Foundation},
    {"ConfirmQuitGame", ConfirmQuitGame},
    {"ConfirmEnterHiScores", ConfirmEnterHiScores},
    {"Random_Card", Random_Card},
    {"Random_Deck", Random_Deck},
    {"Game_name", Game_name},
    {"Automatic_FaceUp", Automatic_FaceUp},
    {"SavedCardSize", SavedCardSize},
    {"Deal_Animation", Deal_Animation},
    {"Redeal_Animation", Redeal_Animation},
    {"VertScrollBar", VertScrollBar},
    {"Show_ToolTips", Show_ToolTips},
    {"ShowPilesSize", ShowPilesSize},
    {"Customized_Background", Customized_Background},
    {"RightClick_To_Foundations", RightClick_To_Foundations},
    {"RightClick_To_Tableaus", RightClick_To_Tableaus},
    {"DoubleClick_To_Foundations", DoubleClick_To_Foundations},
    {"DoubleClick_To_Tableaus", DoubleClick_To_Tableaus},
    {"Sounds_Redeal_Without_Animation", Sounds_Redeal_Without_Animation},
    {"Show_Main_Popup_Menu", Show_Main_Popup_Menu},
    {"ProgramDir", ProgramDir},
    {"SnapshotFile", SnapshotFile},
};

} // namespace Fld

class SessionStore {
public:
    static constexpr int Size = 999;

    // All cells blank.
    SessionStore();
    // All cells blank except CfgFile ("DATA\CFG.DAT") and ProgramDir, which gets a trailing
    // "/" when it has none. A directory that does not fit its field would be cut and every file
    // path built on it wrong: the program entry checks fits(Fld::ProgramDir, ...) first.
    explicit SessionStore(std::string_view programDir);

    // Strips the value's leading blanks, pads it with blanks or cuts it to the width, and writes
    // it into the field. A field outside 1..999 is refused (and asserted).
    void fnStoreSet(int position, int length, std::string_view value);
    // The field's text without its trailing blanks; empty for a field outside 1..999.
    std::string fnStoreGet(int position, int length) const;

    void fnStoreSet(Field field, std::string_view value) { fnStoreSet(field.position, field.length, value); }
    std::string fnStoreGet(Field field) const { return fnStoreGet(field.position, field.length); }

    // SessionWon and SessionLost back to "0000", always together.
    void resetSessionCounters();

    // True when the value is stored whole, without being cut.
    static bool fits(Field field, std::string_view value);

    // True when the directory, with its trailing separator, fits the ProgramDir field.
    static bool programDirFits(std::string_view programDir);

private:
    static bool isInside(int position, int length);

    std::array<char, Size> m_cells;
};

} // namespace kst
