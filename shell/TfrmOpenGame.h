#pragma once
// The game browser: the catalogue's games and the player's customized games in a tree of folders,
// a search box that finds games by name, the description and preview of the selected game, and
// the player who will play it. It chooses; the main window starts the chosen game.

#include "platform/Ports.h"
#include "shell/GameFolders.h"
#include "storage/GameCatalogue.h"
#include "storage/ProfileFile.h"
#include "storage/SessionStore.h"

#include <QDialog>
#include <QPixmap>

#include <functional>
#include <map>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace kst {

class ResourceLibrary;

// A picture of the game tree for a screen of the given pixel ratio, with its ground left out;
// empty when the library lacks it. The game menus show the same pictures.
QPixmap treePicture(ResourceLibrary& resources, const std::string& name, qreal devicePixelRatio);

// What the browser asks of the program around it. A command left empty is not offered.
struct BrowserCommands {
    std::function<void(int gameId, const std::string& name)> showRules;
    std::function<void(const std::string& gameName, const std::string& player)> showStatistics;
    // Asks, deletes the customized game and its records; true when it was deleted.
    std::function<bool(int gameId, const std::string& name)> deleteCustomGame;
    std::function<void()> editFavourites;
};

class TfrmOpenGame : public QDialog
{
    Q_OBJECT

public:
    // How the browser was left besides OK (Accepted) and Cancel (Rejected): the player wants to
    // open a saved game; the main window shows the browser again when none was opened.
    static constexpr int OpenSavedGame = 2;

    // Everything given must outlive the browser.
    TfrmOpenGame(const Ports& ports, const GameCatalogue& catalogue, std::string customGamesPath,
                 ProfileFile& config, SessionStore& store, BrowserCommands commands, QWidget* parent = nullptr);

    // ---- the choice, after OK ----
    int selectedCode() const;           // a game id, or below 0 a folder or placeholder
    std::string selectedName() const;   // the caption of the selected row
    std::string selectedPlayer() const; // the player chosen in the list

    // ---- for the main window and tests ----
    // Selects the game in the folder given (the first folder holding it when none is), filling
    // and opening what it takes; false when no folder holds it.
    bool selectGame(int gameId, int folderCode = 0);
    // The tree's row of a code, filling its folder first where needed; null when none.
    QTreeWidgetItem* findNode(int code);
    // Rebuilds a folder that other dialogs change; "Node not found" when it is not in the tree.
    void rebuildFavourites();
    void rebuildCustomized();

    // The commands of the buttons and the popup menu.
    void confirm();
    void openSavedGame();
    void showRules();
    void showStatistics();
    void deleteCustomGame();
    void editFavourites();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createTree();
    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const BrowserRow& row, int selectedPicture);
    // Fills a folder whose only child is the unfilled placeholder.
    void fill(QTreeWidgetItem* folder);
    void rebuild(int folderCode);
    void currentChanged();
    void refreshDescription();
    void drawPreview();
    void searchChanged(const QString& text);
    void moveInFound(int step);
    void doubleClicked(QTreeWidgetItem* item);
    void showPopup(const QPoint& at);
    bool searching() const;
    int parentFolderOfSelection() const;
    QIcon picture(int index) const;

    Ports m_ports;
    const GameCatalogue& m_catalogue;
    std::string m_customGamesPath;
    ProfileFile& m_config;
    SessionStore& m_store;
    BrowserCommands m_commands;
    GameFolders m_folders;
    std::vector<QIcon> m_pictures; // the tree's picture list
    std::map<int, QTreeWidgetItem*> m_folderNodes; // every folder's row, by code
    int m_treeNum = BrowserCode::AllGames; // the folder to open at the first showing; 0 once done

    QLineEdit* m_search;
    QStackedWidget* m_lists;
    QTreeWidget* m_trvGames;
    QListWidget* m_found;
    QWidget* m_description;
    QLabel* m_name;
    QLabel* m_time;
    QLabel* m_difficulty;
    QLabel* m_chance;
    QLabel* m_skill;
    QLabel* m_timePicture;
    QLabel* m_difficultyPicture;
    QLabel* m_chancePicture;
    QLabel* m_skillPicture;
    QLabel* m_decks;
    QLabel* m_redeals;
    QLabel* m_preview;
    QCheckBox* m_chkPreview;
    QComboBox* m_cboPlayers;
    QPushButton* m_btnOK;
    QPushButton* m_btnRules;
    QPushButton* m_btnStatistics;
    QAction* m_popRules;
    QAction* m_popStatistics;
    QAction* m_popFavourites;
    QAction* m_popDelete;
    int m_previewGame = -1; // the game whose picture the preview shows; -1 a folder
};

} // namespace kst
