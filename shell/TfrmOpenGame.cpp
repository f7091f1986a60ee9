#include "shell/TfrmOpenGame.h"

#include "platform/qt/QtGraphics.h"
#include "assets/PictureNames.h"
#include "platform/qt/QtScreenPictures.h"
#include "platform/qt/QtText.h"
#include "stats/ui/DialogButtons.h"
#include "stats/Players.h"
#include "storage/CustomGames.h"
#include "storage/TextUtils.h"

#include <QAction>
#include <QBitmap>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kst {

namespace {

// The preview box and its ground.
constexpr int PreviewWidth = 300;
constexpr int PreviewHeight = 185;
const QColor PreviewGreen(0, 128, 0);
const QColor FolderGround(192, 192, 192);
// Below this screen width games marked for large screens cannot be played.
constexpr int SmallScreenWidth = 650;
constexpr int CodeRole = Qt::UserRole;
constexpr const char* Version = "4.3";

int codeOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, CodeRole).toInt() : BrowserCode::Unfilled;
}

// Whether the folder row still holds only the placeholder of a folder not filled yet.
bool unfilled(const QTreeWidgetItem* folder)
{
    const BrowserFolder* kind = browserFolder(codeOf(folder));
    return kind && kind->content != FolderContent::Fixed && folder->childCount() > 0
        && codeOf(folder->child(0)) == BrowserCode::Unfilled;
}

QLabel* gaugeLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setFixedSize(48, 12);
    return label;
}

} // namespace

QPixmap treePicture(ResourceLibrary& resources, const std::string& name, qreal devicePixelRatio)
{
    // The pictures' ground, shown as transparent.
    static const QColor ground(128, 0, 0);
    QPixmap pixmap = screenPicture(resources, name, devicePixelRatio);
    if (!pixmap.isNull())
        pixmap.setMask(pixmap.createMaskFromColor(ground));
    return pixmap;
}

TfrmOpenGame::TfrmOpenGame(const Ports& ports, const GameCatalogue& catalogue, std::string customGamesPath,
                           ProfileFile& config, SessionStore& store, BrowserCommands commands, QWidget* parent)
    : QDialog(parent),
      m_ports(ports),
      m_catalogue(catalogue),
      m_customGamesPath(std::move(customGamesPath)),
      m_config(config),
      m_store(store),
      m_commands(std::move(commands)),
      m_folders(catalogue, m_customGamesPath, config)
{
    setObjectName(QStringLiteral("frmOpenGame"));
    setWindowTitle(QStringLiteral("Open a game"));

    for (const char* name : browserPictureNames())
        m_pictures.emplace_back(treePicture(m_ports.resources, name, devicePixelRatioF()));

    // ---- the games: the search box above the tree, or its results in the tree's place ----
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("edtSearch"));
    m_search->setPlaceholderText(QStringLiteral("Find a game by name"));
    m_search->setClearButtonEnabled(true);
    m_search->installEventFilter(this);
    auto* findLabel = new QLabel(QStringLiteral("&Find:"), this);
    findLabel->setBuddy(m_search);
    m_trvGames = new QTreeWidget(this);
    m_trvGames->setObjectName(QStringLiteral("trvGames"));
    m_trvGames->setHeaderHidden(true);
    m_trvGames->setContextMenuPolicy(Qt::CustomContextMenu);
    m_trvGames->installEventFilter(this);
    m_found = new QListWidget(this);
    m_found->setObjectName(QStringLiteral("lstFound"));
    m_found->setContextMenuPolicy(Qt::CustomContextMenu);
    m_lists = new QStackedWidget(this);
    m_lists->addWidget(m_trvGames);
    m_lists->addWidget(m_found);
    m_lists->setMinimumSize(260, 380);

    // ---- the description ----
    m_description = new QWidget(this);
    m_name = new QLabel(m_description);
    m_name->setObjectName(QStringLiteral("lblGameName"));
    QFont big = m_name->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.25);
    m_name->setFont(big);
    const auto value = [this](const char* name) {
        auto* label = new QLabel(m_description);
        label->setObjectName(QLatin1String(name));
        return label;
    };
    m_time = value("lblTime");
    m_difficulty = value("lblDifficulty");
    m_chance = value("lblChance");
    m_skill = value("lblSkill");
    m_decks = value("lblDecks");
    m_redeals = value("lblRedeals");
    m_timePicture = gaugeLabel(m_description);
    m_difficultyPicture = gaugeLabel(m_description);
    m_chancePicture = gaugeLabel(m_description);
    m_skillPicture = gaugeLabel(m_description);
    auto* facts = new QGridLayout;
    facts->setHorizontalSpacing(10);
    const struct {
        const char* caption;
        QLabel* picture;
        QLabel* text;
    } rows[] = {{"Game time:", m_timePicture, m_time},
                {"Difficulty:", m_difficultyPicture, m_difficulty},
                {"Chance of winning:", m_chancePicture, m_chance},
                {"Skill:", m_skillPicture, m_skill},
                {"Decks:", nullptr, m_decks},
                {"Redeals:", nullptr, m_redeals}};
    int row = 0;
    for (const auto& line : rows) {
        facts->addWidget(new QLabel(QString::fromLatin1(line.caption), m_description), row, 0);
        if (line.picture)
            facts->addWidget(line.picture, row, 1);
        facts->addWidget(line.text, row, 2);
        ++row;
    }
    facts->setColumnStretch(2, 1);
    auto* describing = new QVBoxLayout(m_description);
    describing->setContentsMargins(0, 0, 0, 0);
    describing->addWidget(m_name);
    describing->addLayout(facts);

    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("imgPreview"));
    m_preview->setFixedSize(PreviewWidth, PreviewHeight);
    m_preview->setFrameShape(QFrame::StyledPanel);
    m_chkPreview = new QCheckBox(QStringLiteral("&Preview"), this);
    m_chkPreview->setObjectName(QStringLiteral("chkPreview"));
    connect(m_chkPreview, &QCheckBox::toggled, this, &TfrmOpenGame::drawPreview);

    m_cboPlayers = new QComboBox(this);
    m_cboPlayers->setObjectName(QStringLiteral("cboPlayers"));
    m_cboPlayers->setMinimumContentsLength(PlayerNameWidth / 2);
    auto* playerLabel = new QLabel(QStringLiteral("Pla&yer:"), this);
    playerLabel->setBuddy(m_cboPlayers);

    // ---- the popup menu; its shortcuts serve the whole dialog ----
    const auto action = [this](const char* caption, const char* name, const char* shortcut,
                               void (TfrmOpenGame::*run)()) {
        auto* a = new QAction(QString::fromLatin1(caption), this);
        a->setObjectName(QLatin1String(name));
        a->setShortcut(QKeySequence(QLatin1String(shortcut), QKeySequence::PortableText));
        connect(a, &QAction::triggered, this, run);
        addAction(a);
        return a;
    };
    m_popRules = action("&Rules", "popRules", "", &TfrmOpenGame::showRules);
    m_popStatistics = action("Statistics...", "popStatistics", "F4", &TfrmOpenGame::showStatistics);
    m_popFavourites = action("Favorite games...", "popFavorite", "Ctrl+F", &TfrmOpenGame::editFavourites);
    m_popDelete = action("Delete", "popDelete", "", &TfrmOpenGame::deleteCustomGame);
    m_popStatistics->setEnabled(bool(m_commands.showStatistics));
    m_popFavourites->setEnabled(bool(m_commands.editFavourites));

    // ---- the arrangement ----
    auto* left = new QVBoxLayout;
    auto* finding = new QHBoxLayout;
    finding->addWidget(findLabel);
    finding->addWidget(m_search, 1);
    left->addLayout(finding);
    left->addWidget(m_lists, 1);
    auto* player = new QHBoxLayout;
    player->addWidget(playerLabel);
    player->addWidget(m_cboPlayers, 1);
    left->addLayout(player);

    // The description keeps its place while a folder hides it, and the column keeps its width
    // whatever the texts: the dialog never jumps as the selection moves.
    QSizePolicy keepPlace = m_description->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    m_description->setSizePolicy(keepPlace);
    for (QLabel* label : {m_name, m_time, m_difficulty, m_chance, m_skill})
        label->setWordWrap(true);
    m_description->setFixedWidth(PreviewWidth);
    auto* right = new QVBoxLayout;
    right->addWidget(m_description);
    right->addStretch();
    right->addWidget(m_preview);
    auto* previewRow = new QHBoxLayout;
    previewRow->addWidget(m_chkPreview);
    previewRow->addStretch();
    m_btnRules = addDialogButton(this, previewRow, "Rules", "btnRules", [this] { showRules(); });
    m_btnStatistics = addDialogButton(this, previewRow, "Statistics", "btnStatistics", [this] { showStatistics(); });
    right->addLayout(previewRow);

    auto* panes = new QHBoxLayout;
    panes->addLayout(left, 1);
    panes->addSpacing(8);
    panes->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_btnOK = addDialogButton(this, buttons, "OK", "btnOK", [this] { confirm(); }, true);
    addDialogButton(this, buttons, "Open a sa&ved game...", "btnOpen", [this] { openSavedGame(); });
    addDialogButton(this, buttons, "Cancel", "btnCancel", [this] { reject(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panes, 1);
    layout->addLayout(buttons);

    // ---- behaviour ----
    createTree();
    m_trvGames->setEnabled(false); // until the first showing
    const long treeNum = m_config.readNumber("Preference", "Game_TreeNum", BrowserCode::AllGames);
    m_treeNum = treeNum < 0 ? int(treeNum) : BrowserCode::AllGames;
    m_chkPreview->setChecked(m_config.readText("Preference", "Open_Preview_Game", "Y") == "Y");

    connect(m_trvGames, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        if (unfilled(item)) {
            BusyPointer busy(m_ports.pointer);
            fill(item);
        }
    });
    connect(m_trvGames, &QTreeWidget::currentItemChanged, this, &TfrmOpenGame::currentChanged);
    connect(m_trvGames, &QTreeWidget::itemDoubleClicked, this, &TfrmOpenGame::doubleClicked);
    connect(m_trvGames, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { showPopup(m_trvGames->viewport()->mapToGlobal(at)); });
    connect(m_found, &QListWidget::currentRowChanged, this, &TfrmOpenGame::refreshDescription);
    connect(m_found, &QListWidget::itemDoubleClicked, this, &TfrmOpenGame::confirm);
    connect(m_found, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { showPopup(m_found->viewport()->mapToGlobal(at)); });
    connect(m_search, &QLineEdit::textChanged, this, &TfrmOpenGame::searchChanged);
}

QIcon TfrmOpenGame::picture(int index) const
{
    return index >= 0 && std::size_t(index) < m_pictures.size() ? m_pictures[std::size_t(index)] : QIcon();
}

QTreeWidgetItem* TfrmOpenGame::addNode(QTreeWidgetItem* parent, const BrowserRow& row, int selectedPicture)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_trvGames);
    item->setText(0, fromProgramText(row.caption));
    item->setData(0, CodeRole, row.code);
    QIcon icon;
    icon.addPixmap(picture(row.picture).pixmap(16, 16), QIcon::Normal);
    icon.addPixmap(picture(selectedPicture).pixmap(16, 16), QIcon::Selected);
    item->setIcon(0, icon);
    return item;
}

void TfrmOpenGame::createTree()
{
    for (const BrowserFolder& folder : browserFolders()) {
        QTreeWidgetItem* parent = folder.parent == 0 ? nullptr : findNode(folder.parent);
        std::string caption = folder.caption;
        if (folder.code == BrowserCode::NewGames)
            caption += std::string(" (vers.") + Version + ")";
        QTreeWidgetItem* node = addNode(parent, {folder.code, caption, folder.picture}, folder.selectedPicture);
        m_folderNodes[folder.code] = node;
        if (folder.content != FolderContent::Fixed)
            addNode(node, {BrowserCode::Unfilled, "nil", BrowserPicture::Folder}, BrowserPicture::Folder);
    }
}

QTreeWidgetItem* TfrmOpenGame::findNode(int code)
{
    // Folders stay in the tree for good; games are looked for among the rows listed so far.
    if (const auto folder = m_folderNodes.find(code); folder != m_folderNodes.end())
        return folder->second;
    if (code < 0)
        return nullptr;
    for (QTreeWidgetItemIterator it(m_trvGames); *it; ++it) {
        if (codeOf(*it) == code)
            return *it;
    }
    return nullptr;
}

void TfrmOpenGame::fill(QTreeWidgetItem* folder)
{
    if (!unfilled(folder))
        return;
    delete folder->takeChild(0);
    for (const BrowserRow& row : m_folders.rowsOf(codeOf(folder)))
        addNode(folder, row, row.picture);
}

void TfrmOpenGame::rebuild(int folderCode)
{
    QTreeWidgetItem* folder = findNode(folderCode);
    if (!folder) {
        m_ports.messages.information("Node not found");
        return;
    }
    const bool open = folder->isExpanded();
    for (QTreeWidgetItem* child : folder->takeChildren())
        delete child;
    addNode(folder, {BrowserCode::Unfilled, "nil", BrowserPicture::Folder}, BrowserPicture::Folder);
    if (open)
        fill(folder);
    refreshDescription();
}

void TfrmOpenGame::rebuildFavourites()
{
    rebuild(BrowserCode::Favourites);
}

void TfrmOpenGame::rebuildCustomized()
{
    rebuild(BrowserCode::Customized);
}

bool TfrmOpenGame::selectGame(int gameId, int folderCode)
{
    m_search->clear();
    if (folderCode == 0)
        folderCode = gameId >= kFirstCustomCode ? BrowserCode::Customized : BrowserCode::AllGames;
    QTreeWidgetItem* folder = findNode(folderCode);
    if (!folder || folderCode >= 0)
        return false;
    fill(folder);
    for (int i = 0; i < folder->childCount(); ++i) {
        if (codeOf(folder->child(i)) == gameId) {
            for (QTreeWidgetItem* up = folder; up; up = up->parent())
                up->setExpanded(true);
            m_trvGames->setCurrentItem(folder->child(i));
            m_trvGames->scrollToItem(folder->child(i), QAbstractItemView::PositionAtCenter);
            return true;
        }
    }
    return false;
}

bool TfrmOpenGame::searching() const
{
    return m_lists->currentWidget() == m_found;
}

int TfrmOpenGame::selectedCode() const
{
    if (searching()) {
        const QListWidgetItem* item = m_found->currentItem();
        return item ? item->data(CodeRole).toInt() : BrowserCode::Unfilled;
    }
    return codeOf(m_trvGames->currentItem());
}

std::string TfrmOpenGame::selectedName() const
{
    QString caption;
    if (searching())
        caption = m_found->currentItem() ? m_found->currentItem()->text() : QString();
    else if (m_trvGames->currentItem())
        caption = m_trvGames->currentItem()->text(0);
    return toProgramText(caption).value_or(std::string());
}

std::string TfrmOpenGame::selectedPlayer() const
{
    return toProgramText(m_cboPlayers->currentText()).value_or(std::string());
}

int TfrmOpenGame::parentFolderOfSelection() const
{
    if (searching())
        return selectedCode() >= kFirstCustomCode ? BrowserCode::Customized : BrowserCode::AllGames;
    const QTreeWidgetItem* item = m_trvGames->currentItem();
    return item && item->parent() ? codeOf(item->parent()) : BrowserCode::AllGames;
}

void TfrmOpenGame::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    BusyPointer busy(m_ports.pointer);
    if (m_treeNum != 0) {
        const int gameId = int(numberOr(m_store.fnStoreGet(Fld::GameId), -1));
        if (!selectGame(gameId, m_treeNum) && !selectGame(gameId)) {
            if (QTreeWidgetItem* folder = findNode(m_treeNum)) {
                folder->setExpanded(true);
                m_trvGames->setCurrentItem(folder);
            }
        }
        m_treeNum = 0;
    }
    m_trvGames->setEnabled(true);
    refreshDescription();
    m_trvGames->setFocus();

    m_cboPlayers->clear();
    for (const std::string& name : fnPlayerList(m_config))
        m_cboPlayers->addItem(fromProgramText(name));
    const int current = m_cboPlayers->findText(fromProgramText(m_store.fnStoreGet(Fld::UserDefault)));
    m_cboPlayers->setCurrentIndex(std::max(current, 0));
}

void TfrmOpenGame::currentChanged()
{
    if (!m_trvGames->isEnabled())
        return;
    BusyPointer busy(m_ports.pointer);
    if (QTreeWidgetItem* item = m_trvGames->currentItem(); item && unfilled(item))
        fill(item);
    refreshDescription();
}

void TfrmOpenGame::refreshDescription()
{
    const int code = selectedCode();
    GameDescription description;
    const bool isGame = code >= 0 && m_folders.describe(code, description);
    m_description->setVisible(isGame);
    for (QWidget* w : std::initializer_list<QWidget*>{m_chkPreview, m_btnOK, m_btnRules})
        w->setEnabled(isGame);
    m_btnStatistics->setEnabled(isGame && m_commands.showStatistics);
    m_popRules->setEnabled(isGame);
    m_popDelete->setEnabled(code >= kFirstCustomCode && bool(m_commands.deleteCustomGame));
    m_previewGame = isGame ? description.previewGame : -1;
    if (isGame) {
        m_name->setText(fromProgramText(description.name));
        const auto gauge = [this](QLabel* label, const std::string& name) {
            const qreal ratio = label->devicePixelRatioF();
            label->setPixmap(name.empty() ? QPixmap() : screenPicture(m_ports.resources, name, ratio));
        };
        m_time->setText(fromProgramText(description.time));
        gauge(m_timePicture, description.timePicture);
        m_difficulty->setText(fromProgramText(description.difficulty));
        gauge(m_difficultyPicture, description.difficultyPicture);
        m_chance->setText(fromProgramText(description.chance));
        gauge(m_chancePicture, description.chancePicture);
        m_skill->setText(fromProgramText(description.skill));
        gauge(m_skillPicture, description.skillPicture);
        m_decks->setText(QString::number(description.decks));
        m_redeals->setText(fromProgramText(description.redeals));
    }
    drawPreview();
}

void TfrmOpenGame::drawPreview()
{
    // At the screen's pixels; the preview pictures have twins for finer screens.
    const qreal ratio = m_preview->devicePixelRatioF();
    QPixmap box(QSize(PreviewWidth, PreviewHeight) * ratio);
    box.setDevicePixelRatio(ratio);
    if (m_previewGame < 0) {
        // A folder: its picture tiled on silver.
        box.fill(FolderGround);
        const QTreeWidgetItem* item = m_trvGames->currentItem();
        const BrowserFolder* folder = searching() || !item ? nullptr : browserFolder(codeOf(item));
        const QPixmap tile = picture(folder ? folder->selectedPicture : BrowserPicture::FolderOpen).pixmap(16, 16);
        // Faint and sparse, a pattern rather than a crowd.
        QPainter painter(&box);
        painter.setOpacity(0.3);
        constexpr int step = 64, side = 24;
        for (int y = 10, line = 0; y < PreviewHeight; y += step / 2, ++line)
            for (int x = 10 + (line % 2) * step / 2; x < PreviewWidth; x += step)
                painter.drawPixmap(QRect(x, y, side, side), tile);
    } else {
        box.fill(PreviewGreen);
        QPixmap shown = m_chkPreview->isChecked()
            ? screenPicture(m_ports.resources, assets::previewName(m_previewGame), ratio)
            : QPixmap();
        if (!shown.isNull()) {
            if (m_ports.graphics.displayColourBits() > 8)
                shown.setMask(shown.createMaskFromColor(shown.toImage().pixelColor(0, 0)));
            QPainter painter(&box);
            painter.drawPixmap(int(PreviewWidth - shown.deviceIndependentSize().width()) / 2, 0, shown);
        }
    }
    m_preview->setPixmap(box);
}

void TfrmOpenGame::searchChanged(const QString& text)
{
    const std::vector<BrowserRow> rows = m_folders.search(toProgramText(text).value_or(std::string()));
    if (text.trimmed().isEmpty()) {
        m_lists->setCurrentWidget(m_trvGames);
        refreshDescription();
        return;
    }
    m_found->clear();
    for (const BrowserRow& row : rows) {
        auto* item = new QListWidgetItem(picture(row.picture), fromProgramText(row.caption), m_found);
        item->setData(CodeRole, row.code);
    }
    if (rows.empty()) {
        auto* none = new QListWidgetItem(QStringLiteral("(No game has this in its name)"), m_found);
        none->setData(CodeRole, BrowserCode::Unfilled);
        none->setFlags(Qt::NoItemFlags);
    }
    m_lists->setCurrentWidget(m_found);
    m_found->setCurrentRow(rows.empty() ? -1 : 0);
    refreshDescription();
}

void TfrmOpenGame::moveInFound(int step)
{
    if (m_found->count() == 0 || !(m_found->item(0)->flags() & Qt::ItemIsEnabled))
        return; // nothing found
    m_found->setCurrentRow(std::clamp(m_found->currentRow() + step, 0, m_found->count() - 1));
}

bool TfrmOpenGame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == m_search) {
        switch (key->key()) {
        case Qt::Key_Up: moveInFound(-1); return searching();
        case Qt::Key_Down: moveInFound(1); return searching();
        case Qt::Key_PageUp: moveInFound(-10); return searching();
        case Qt::Key_PageDown: moveInFound(10); return searching();
        case Qt::Key_Escape:
            // The first Escape empties the search, the next closes the browser.
            if (!m_search->text().isEmpty()) {
                m_search->clear();
                return true;
            }
            break;
        default: break;
        }
    } else if (watched == m_trvGames
               && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        if (key->key() == Qt::Key_Delete) {
            deleteCustomGame();
            return true;
        }
        // Typing a name in the tree starts a search for it.
        const QString text = key->text();
        if (!text.isEmpty() && text.at(0).isPrint() && !text.at(0).isSpace()) {
            m_search->setFocus();
            m_search->setText(m_search->text() + text);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmOpenGame::doubleClicked(QTreeWidgetItem* item)
{
    const int code = codeOf(item);
    if (code >= 0) {
        confirm();
    } else if (code == BrowserCode::Customized || code == BrowserCode::CustomizeHint) {
        m_ports.messages.information("To customize a game:\rselect the game you want to customize,\rthen choose the "
                                     "\"Customize rules\" option from the Tools menu (or press Ctrl+R).");
    } else if (code == BrowserCode::Favourites || code == BrowserCode::FavouritesHint) {
        editFavourites();
    }
}

void TfrmOpenGame::confirm()
{
    const int code = selectedCode();
    if (code < 0) {
        m_ports.messages.information("Open a game");
        (searching() ? static_cast<QWidget*>(m_search) : m_trvGames)->setFocus();
        return;
    }
    const std::string name = selectedName();
    if (m_ports.graphics.screenSize().width < SmallScreenWidth && m_catalogue.needsLargeScreen(code)) {
        m_ports.messages.information("Your video card's display is 640x480 pixels.\rYou can't play: " + name
                                     + "\rPlease set your screen resolution to 800x600 pixels or higher.");
        return;
    }
    m_config.writeNumber("Preference", "Game", code);
    m_config.writeText("Preference", "Game_Name", name);
    m_config.writeNumber("Preference", "Game_TreeNum", parentFolderOfSelection());
    m_config.writeText("Preference", "Open_Preview_Game", m_chkPreview->isChecked() ? "Y" : "N");
    accept();
}

void TfrmOpenGame::openSavedGame()
{
    done(OpenSavedGame);
}

void TfrmOpenGame::showRules()
{
    const int code = selectedCode();
    if (code < 0)
        m_ports.messages.information("Select a game");
    else if (m_commands.showRules)
        m_commands.showRules(code, selectedName());
    m_trvGames->setFocus();
}

void TfrmOpenGame::showStatistics()
{
    const int code = selectedCode();
    if (code < 0 || !m_commands.showStatistics)
        return;
    m_commands.showStatistics(selectedName(), selectedPlayer());
    m_trvGames->setFocus();
}

void TfrmOpenGame::deleteCustomGame()
{
    const int code = selectedCode();
    if (code < kFirstCustomCode || !m_commands.deleteCustomGame)
        return;
    if (m_commands.deleteCustomGame(code, selectedName())) {
        rebuildCustomized();
        rebuildFavourites();
        if (searching())
            searchChanged(m_search->text());
    }
}

void TfrmOpenGame::editFavourites()
{
    if (m_commands.editFavourites)
        m_commands.editFavourites();
}

void TfrmOpenGame::showPopup(const QPoint& at)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("popOpenGame"));
    menu.addActions({m_popRules, m_popStatistics, m_popFavourites, m_popDelete});
    menu.exec(at);
}

} // namespace kst
