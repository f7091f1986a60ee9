#pragma once
// The Customize dialog: every appearance and behaviour preference of the program on six pages
// (General, Cards, Decks, Backgrounds, Animations, Sounds). Apply shows the chosen look on the
// table, OK writes every choice to CFG.DAT and the session, Cancel puts back the look the table
// had when the dialog opened.

#include "platform/Ports.h"
#include "stats/ui/StatsContext.h"
#include "storage/PreferenceSet.h"
#include "table/Appearance.h"

#include <QDialog>
#include <QImage>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;
class QStackedWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace kst {

class C_TBitmapAnimated;
class CardSetPicture;

// What the dialog works with, all owned by the main window.
struct CustomizeContext {
    StatsContext& stats;   // session, CFG.DAT, speakers, pictures, help; the clear-values dialog
    const Ports& ports;    // message boxes, the colour and picture dialogs, drawing
    std::string programDir;
    // The table drawn again with the look the session holds.
    std::function<void()> repaintTable;
    // After OK: toolbar size and buttons, time and score boxes, scroll bar and pointer as stored.
    std::function<void()> applyWindow;
    // Plays a winning animation on the table for that many seconds and returns when it has ended;
    // false when the window is closing meanwhile, and the dialog is not shown again. Without it
    // there is no preview.
    std::function<bool(const std::string& pattern, int seconds)> previewWinning;
};

class TfrmCustomize : public QDialog
{
    Q_OBJECT

public:
    enum Page { General, Cards, Decks, Backgrounds, Animations, Sounds };
    // What exec() returns when the player asked to see the winning animation.
    static constexpr int PreviewRequested = 2;

    TfrmCustomize(CustomizeContext& context, int page, QWidget* parent = nullptr);
    ~TfrmCustomize() override;

    // The preferences as the controls stand.
    PreferenceSet choices() const;
    void showPage(int page);

    // ---- the commands of the buttons, for whoever drives the dialog ----
    // Card sets by their code ("001B" .. "005B", "003M"); false for an unknown code.
    bool chooseCardSet(const std::string& code);
    bool chooseBack(int back);
    // A background node by its code; a customized one by its place in the list.
    bool chooseBackground(int code, int customizedIndex = -1);
    void chooseColour();
    void addBackground();
    void deleteBackground();
    void apply();

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makeGeneralPage();
    QWidget* makeCardsPage();
    QWidget* makeDecksPage();
    QWidget* makeBackgroundsPage();
    QWidget* makeAnimationsPage();
    QWidget* makeSoundsPage();
    QCheckBox* addSwitch(QWidget* page, Switch which, const char* name, const char* caption);
    void load(const PreferenceSet& set);

    // ---- samples ----
    void pageEntered(int page);
    void refreshSamples();
    QImage backgroundSample(QSize size) const;
    const CardPictures* picturesOf(int cardSet, char cardSize, int back) const;
    // Frames the picture of the chosen set and size.
    void markChosenCardSet();
    AppearanceContext sampleContext(SessionStore& scratch) const;

    // ---- backgrounds ----
    void fillCustomizedFolder();
    void backgroundSelected(QTreeWidgetItem* item, QTreeWidgetItem* previous);
    void selectBackgroundNode(const BackgroundChoice& choice);
    // The message for a picture that cannot be a background, or empty.
    std::string pictureProblem(const std::string& utf8Path) const;

    // ---- animations and sounds ----
    void showEffect(Switch effect);
    void winningAnimationChanged();
    void soundSelected();
    void setSoundOn(QTreeWidgetItem* item, bool on);
    void allSoundsDisabled(bool disabled);

    void requestPreview();
    bool save();

    CustomizeContext& m_context;
    SessionStore& m_store;
    ProfileFile& m_config;
    PreferenceSet m_set;        // as read at opening; the values with no control of their own change here
    TableLook m_lookAtOpening;  // what Cancel puts back
    bool m_applied = false;     // the table shows a look the dialog applied

    int m_cardSet = 1;
    char m_cardSize = 'B';
    int m_back = 1;
    BackgroundChoice m_background;
    long m_customColour = 0;
    std::string m_lastPictureFolder;
    mutable std::map<std::string, std::unique_ptr<CardPictures>> m_cardPictures; // by set, size and back

    QTabWidget* m_pages = nullptr;
    std::map<Switch, QCheckBox*> m_checks;
    std::vector<CardSetPicture*> m_cardSetPictures;
    QLabel* m_cardSample = nullptr;
    QCheckBox* m_chkFitCards = nullptr;
    QTreeWidget* m_trvCardBack = nullptr;
    QLabel* m_backSample = nullptr;
    QLabel* m_backName = nullptr;
    QTreeWidget* m_trvBackGround = nullptr;
    QTreeWidgetItem* m_customizedFolder = nullptr;
    QTreeWidgetItem* m_customColourNode = nullptr; // shows the custom colour
    QLabel* m_backgroundSample = nullptr;
    QLabel* m_backgroundName = nullptr;
    QPushButton* m_btnColors = nullptr;
    QSlider* m_trbSpeed = nullptr;
    QStackedWidget* m_effectPreview = nullptr;
    QLabel* m_effectPicture = nullptr;
    C_TBitmapAnimated* m_animatedYes = nullptr;
    C_TBitmapAnimated* m_animatedNo = nullptr;
    QComboBox* m_cboWinningAnim = nullptr;
    QSpinBox* m_edtWinningTime = nullptr;
    QPushButton* m_btnPreview = nullptr;
    QCheckBox* m_chkSoundsEnabled = nullptr;
    QTreeWidget* m_trvSounds = nullptr;
    std::vector<QPushButton*> m_soundButtons; // enable, disable, play, stop
};

// Opens the dialog on the page and runs it until it closes, playing the winning animation
// between its showings whenever the player asks for a preview. A window closing during a preview
// ends the dialog as Cancel does.
void fnCustomizeDialog(CustomizeContext& context, int page, QWidget* parent);

} // namespace kst
