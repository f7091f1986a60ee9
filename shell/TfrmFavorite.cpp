#include "shell/TfrmFavorite.h"

#include "platform/qt/QtText.h"
#include "stats/Players.h"
#include "stats/ui/DialogButtons.h"
#include "stats/ui/StatsContext.h"
#include "storage/Favourites.h"

#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <set>

namespace kst {

namespace {

constexpr int FavouritesHelp = 1011;
constexpr int ListWidth = 220;
constexpr int ListHeight = 300;

QListWidget* gameList(const char* name, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSortingEnabled(true);
    // Names are dragged from one list into the other, never within one.
    list->setDragDropMode(QAbstractItemView::DragDrop);
    list->setDefaultDropAction(Qt::MoveAction);
    list->setMinimumSize(ListWidth, ListHeight);
    return list;
}

QStringList namesOf(const QListWidget* list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text();
    return names;
}

// A list that takes names dropped from its twin only.
class DropFromTwin : public QObject
{
public:
    DropFromTwin(QListWidget* list, QListWidget* twin) : QObject(list), m_list(list), m_twin(twin)
    {
        list->viewport()->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove || event->type() == QEvent::Drop) {
            auto* drag = static_cast<QDropEvent*>(event);
            if (drag->source() != m_twin) {
                drag->ignore();
                return true;
            }
        }
        return false;
    }

private:
    QListWidget* m_list;
    QListWidget* m_twin;
};

} // namespace

TfrmFavorite::TfrmFavorite(StatsContext& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmFavorite"));
    setWindowTitle(QStringLiteral("Favorite games"));
    m_lbAll = gameList("lbAll", this);
    m_lbSelected = gameList("lbSelected", this);
    new DropFromTwin(m_lbAll, m_lbSelected);
    new DropFromTwin(m_lbSelected, m_lbAll);
    auto* allLabel = new QLabel(QStringLiteral("&Games list:"), this);
    allLabel->setBuddy(m_lbAll);
    auto* selectedLabel = new QLabel(QStringLiteral("&Favorite games:"), this);
    selectedLabel->setBuddy(m_lbSelected);

    // The favourites that still name a game, each once and as the game is named; the others are
    // left out, and leave CFG.DAT at the next OK.
    std::set<int> favouriteIds;
    for (const std::string& stored : readFavourites(context.config)) {
        const int id = context.catalogue.gameIdByName(stored);
        if (id >= 0 && favouriteIds.insert(id).second)
            m_lbSelected->addItem(fromProgramText(context.catalogue.gameName(id)));
    }
    for (const std::string& name : fnGameList(context.catalogue, context.customGamesPath)) {
        const int id = context.catalogue.gameIdByName(name);
        if (!favouriteIds.count(id))
            m_lbAll->addItem(fromProgramText(name));
    }
    connect(m_lbAll, &QListWidget::itemDoubleClicked, this, [this] { add(); });
    connect(m_lbSelected, &QListWidget::itemDoubleClicked, this, [this] { remove(); });

    auto* moves = new QVBoxLayout;
    moves->addStretch();
    addDialogButton(this, moves, ">", "btnAdd", [this] { add(); });
    addDialogButton(this, moves, "<", "btnRemove", [this] { remove(); });
    addDialogButton(this, moves, "<<", "btnRemoveAll", [this] { removeAll(); });
    moves->addStretch();

    auto* lists = new QGridLayout;
    lists->addWidget(allLabel, 0, 0);
    lists->addWidget(selectedLabel, 0, 2);
    lists->addWidget(m_lbAll, 1, 0);
    lists->addLayout(moves, 1, 1);
    lists->addWidget(m_lbSelected, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    addDialogButton(this, buttons, "OK", "btnOK", [this] { accept(); }, true);
    addDialogButton(this, buttons, "Cancel", "btnCancel", [this] { reject(); });
    addHelpButton(context, this, buttons, FavouritesHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(buttons);
}

QStringList TfrmFavorite::allGames() const { return namesOf(m_lbAll); }

QStringList TfrmFavorite::favourites() const { return namesOf(m_lbSelected); }

void TfrmFavorite::move(QListWidget* from, QListWidget* to)
{
    const QList<QListWidgetItem*> chosen = from->selectedItems();
    if (chosen.isEmpty())
        return;
    to->clearSelection();
    for (QListWidgetItem* item : chosen) {
        from->takeItem(from->row(item));
        to->addItem(item);
        item->setSelected(true);
    }
    to->scrollToItem(chosen.front());
}

void TfrmFavorite::add() { move(m_lbAll, m_lbSelected); }

void TfrmFavorite::remove() { move(m_lbSelected, m_lbAll); }

void TfrmFavorite::removeAll()
{
    m_lbSelected->selectAll();
    remove();
}

void TfrmFavorite::accept()
{
    std::vector<std::string> names;
    for (const QString& name : favourites())
        names.push_back(toProgramText(name).value_or(std::string()));
    if (!writeFavourites(m_context.config, names)) {
        m_context.files.messages().information("Cannot write file: " + m_context.config.path());
        return;
    }
    QDialog::accept();
}

} // namespace kst
