#pragma once
// The help: the pages the build writes into the program folder's help/ (a page for every game of
// the catalogue, the index of all games, and the page about the program itself), shown with links,
// back and forward, and a list of every game that a search box narrows down by name.

#include "storage/GameCatalogue.h"

#include <QDialog>
#include <QTextBrowser>

#include <string>

class QLineEdit;
class QListWidget;
class QToolButton;

namespace kst {

class ResourceLibrary;

// The page view: help pages from the folder, a game's preview picture from the resource library.
class HelpPageView : public QTextBrowser
{
    Q_OBJECT

public:
    HelpPageView(ResourceLibrary& resources, QWidget* parent = nullptr);
    QVariant loadResource(int type, const QUrl& name) override;

private:
    ResourceLibrary& m_resources;
};

class HelpWindow : public QDialog
{
    Q_OBJECT

public:
    HelpWindow(const std::string& programDir, const GameCatalogue& catalogue, ResourceLibrary& resources,
               QWidget* parent = nullptr);

    // The page of a catalogue game; the index when it has none.
    void showGame(int gameId);
    // The page about the program, where the help starts.
    void showProgram();
    void showIndex();
    // The page shown now, as its file URL.
    QUrl page() const;
    QString pageText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void open(const QString& relativePath);
    void filterGames(const QString& text);
    void openChosenGame();

    QString m_helpDir;
    const GameCatalogue& m_catalogue;
    QLineEdit* m_search;
    QListWidget* m_games;
    HelpPageView* m_view;
};

} // namespace kst
