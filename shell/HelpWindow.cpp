#include "shell/HelpWindow.h"

#include "platform/ResourceLibrary.h"
#include "platform/qt/QtGraphics.h"
#include "platform/qt/QtScreenPictures.h"
#include "platform/qt/QtText.h"
#include "storage/FileLookup.h"
#include "storage/TextUtils.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace kst {

namespace {

constexpr int GameIdRole = Qt::UserRole;
// The row of the list that stands for the page about the program.
constexpr int ProgramRow = -1;
constexpr const char* ProgramPage = "program.html";
constexpr const char* IndexPage = "index.html";

QString gamePage(int gameId)
{
    return QStringLiteral("games/") + QString::fromStdString(zeroPadded(gameId, 4)) + QStringLiteral(".html");
}

QToolButton* toolButton(const QString& text, const char* name, QStyle::StandardPixmap icon, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    return button;
}

} // namespace

HelpPageView::HelpPageView(ResourceLibrary& resources, QWidget* parent) : QTextBrowser(parent), m_resources(resources)
{
}

QVariant HelpPageView::loadResource(int type, const QUrl& name)
{
    if (type == QTextDocument::ImageResource && name.scheme() == QLatin1String("preview")) {
        const QString id = name.path();
        const QPixmap picture = screenPicture(m_resources, "GAME" + id.toStdString(), devicePixelRatioF());
        return picture.isNull() ? QVariant() : QVariant(picture.toImage());
    }
    return QTextBrowser::loadResource(type, name);
}

HelpWindow::HelpWindow(const std::string& programDir, const GameCatalogue& catalogue, ResourceLibrary& resources,
                       QWidget* parent)
    : QDialog(parent), m_helpDir(fromPath(findFile(programDir, "help"))), m_catalogue(catalogue)
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Kestrane 2000 Help"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);

    m_view = new HelpPageView(resources, this);
    m_view->setObjectName(QStringLiteral("txtPage"));
    m_view->setOpenLinks(true);
    m_view->setSearchPaths({m_helpDir});

    auto* back = toolButton(QStringLiteral("Back"), "btnBack", QStyle::SP_ArrowBack, this);
    auto* forward = toolButton(QStringLiteral("Forward"), "btnForward", QStyle::SP_ArrowForward, this);
    auto* contents = toolButton(QStringLiteral("Contents"), "btnContents", QStyle::SP_DirHomeIcon, this);
    auto* all = toolButton(QStringLiteral("All games"), "btnIndex", QStyle::SP_FileDialogListView, this);
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QToolButton::clicked, m_view, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, m_view, &QTextBrowser::forward);
    connect(m_view, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
    connect(m_view, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
    connect(contents, &QToolButton::clicked, this, &HelpWindow::showProgram);
    connect(all, &QToolButton::clicked, this, &HelpWindow::showIndex);
    connect(m_view, &QTextBrowser::sourceChanged, this, [this] {
        setWindowTitle(m_view->documentTitle() + QStringLiteral(" - Kestrane 2000 Help"));
    });

    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("edtSearch"));
    m_search->setPlaceholderText(QStringLiteral("Find a game by name"));
    m_search->setClearButtonEnabled(true);
    m_search->installEventFilter(this);
    auto* find = new QAction(this);
    find->setShortcut(QKeySequence::Find);
    connect(find, &QAction::triggered, this, [this] {
        m_search->setFocus();
        m_search->selectAll();
    });
    addAction(find);

    m_games = new QListWidget(this);
    m_games->setObjectName(QStringLiteral("lstGames"));
    auto* program = new QListWidgetItem(QStringLiteral("Playing Kestrane 2000"), m_games);
    program->setData(GameIdRole, ProgramRow);
    QFont bold = program->font();
    bold.setBold(true);
    program->setFont(bold);
    std::vector<const CatalogueGame*> games;
    for (const CatalogueGame& game : catalogue.games())
        games.push_back(&game);
    std::sort(games.begin(), games.end(), [](const CatalogueGame* a, const CatalogueGame* b) {
        return fromProgramText(a->name).compare(fromProgramText(b->name), Qt::CaseInsensitive) < 0;
    });
    for (const CatalogueGame* game : games) {
        auto* item = new QListWidgetItem(fromProgramText(game->name), m_games);
        item->setData(GameIdRole, game->gameId);
    }
    connect(m_search, &QLineEdit::textChanged, this, &HelpWindow::filterGames);
    connect(m_search, &QLineEdit::returnPressed, this, &HelpWindow::openChosenGame);
    connect(m_games, &QListWidget::itemActivated, this, &HelpWindow::openChosenGame);
    connect(m_games, &QListWidget::itemClicked, this, &HelpWindow::openChosenGame);

    auto* side = new QWidget(this);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(m_search);
    sideLayout->addWidget(m_games);
    auto* split = new QSplitter(this);
    split->addWidget(side);
    split->addWidget(m_view);
    split->setStretchFactor(1, 1);
    split->setSizes({200, 560});

    auto* tools = new QHBoxLayout;
    for (QToolButton* button : {back, forward, contents, all})
        tools->addWidget(button);
    tools->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(split, 1);
    resize(820, 600);
    showProgram();
}

void HelpWindow::open(const QString& relativePath)
{
    const QString path = QDir(m_helpDir).filePath(relativePath);
    if (!QFileInfo::exists(path)) {
        m_view->setHtml(QStringLiteral("<h1>No help page</h1><p>The help page ") + relativePath.toHtmlEscaped()
                        + QStringLiteral(" is not in ") + m_helpDir.toHtmlEscaped()
                        + QStringLiteral(". The program's help folder may be incomplete.</p>"));
        return;
    }
    m_view->setSource(QUrl::fromLocalFile(path));
}

void HelpWindow::showGame(int gameId)
{
    if (m_catalogue.columnOf(gameId) < 0) {
        showIndex();
        return;
    }
    open(gamePage(gameId));
}

void HelpWindow::showProgram() { open(QLatin1String(ProgramPage)); }

void HelpWindow::showIndex() { open(QLatin1String(IndexPage)); }

QUrl HelpWindow::page() const { return m_view->source(); }

QString HelpWindow::pageText() const { return m_view->toPlainText(); }

void HelpWindow::filterGames(const QString& text)
{
    QListWidgetItem* first = nullptr;
    for (int i = 0; i < m_games->count(); ++i) {
        QListWidgetItem* item = m_games->item(i);
        const bool shown = text.isEmpty() || item->text().contains(text.trimmed(), Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && !first)
            first = item;
    }
    m_games->setCurrentItem(first);
}

void HelpWindow::openChosenGame()
{
    const QListWidgetItem* item = m_games->currentItem();
    if (!item || item->isHidden())
        return;
    const int gameId = item->data(GameIdRole).toInt();
    if (gameId == ProgramRow)
        showProgram();
    else
        showGame(gameId);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Up and down in the search box move through the games it found.
    if (watched == m_search && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up || key == Qt::Key_PageDown || key == Qt::Key_PageUp) {
            QApplication::sendEvent(m_games, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kst
