#include "stats/ui/TfrmOperatori.h"

#include "platform/qt/QtText.h"
#include "storage/StringTable.h"
#include "storage/TextUtils.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kst {

namespace {

constexpr int AddPlayerCaption = 1803;
constexpr int EditPlayerCaption = 1804;
constexpr int SelectAPlayer = 1806;

} // namespace

TfrmOperatori2::TfrmOperatori2(const QString& caption, const QString& name, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOperatori2"));
    setWindowTitle(caption);
    auto* group = new QGroupBox(QStringLiteral("&Player name: "), this);
    m_name = new QLineEdit(name, group);
    m_name->setObjectName(QStringLiteral("edtName"));
    m_name->setMaxLength(PlayerNameWidth);
    m_name->setMinimumWidth(m_name->fontMetrics().averageCharWidth() * (PlayerNameWidth + 2));
    auto* inGroup = new QVBoxLayout(group);
    inGroup->addWidget(m_name);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

QString TfrmOperatori2::name() const { return m_name->text(); }

TfrmOperatori::TfrmOperatori(StatsContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_players(context.config, context.store)
{
    setObjectName(QStringLiteral("frmOperatori"));
    setWindowTitle(QStringLiteral("Players"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstPlayers"));
    auto* label = new QLabel(QStringLiteral("&Select a player:"), this);
    label->setBuddy(m_list);

    const auto button = [this](const char* caption, const char* name, void (TfrmOperatori::*run)()) {
        auto* b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, run);
        return b;
    };
    m_select = button("Select", "btnSelect", &TfrmOperatori::selectPlayer);
    m_select->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    QPushButton* add = button(" &New", "btnNew", &TfrmOperatori::addPlayer);
    m_edit = button("&Edit", "btnEdit", &TfrmOperatori::editPlayer);
    m_delete = button("&Delete", "btnDelete", &TfrmOperatori::deletePlayer);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &TfrmOperatori::selectionChanged);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &TfrmOperatori::selectPlayer);

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {m_select, cancel, add, m_edit, m_delete})
        side->addWidget(b);
    side->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(label);
    left->addWidget(m_list);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(side);
    fill(m_players.openingPlayer());
}

void TfrmOperatori::fill(const std::string& selected)
{
    m_list->clear();
    for (const std::string& name : m_players.names()) {
        m_list->addItem(fromProgramText(name));
        if (name == selected)
            m_list->setCurrentRow(m_list->count() - 1);
    }
    selectionChanged();
}

void TfrmOperatori::selectionChanged()
{
    const bool any = !m_list->selectedItems().isEmpty();
    for (QPushButton* b : {m_select, m_edit, m_delete})
        b->setEnabled(any);
}

std::string TfrmOperatori::selectedName() const
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return {};
    return toProgramText(selected.front()->text()).value_or(std::string());
}

void TfrmOperatori::askName(const QString& caption, const QString& start,
                            const std::function<std::string(const std::string&)>& change)
{
    QString typed = start;
    for (;;) {
        TfrmOperatori2 dialog(caption, typed, this);
        if (runNameDialog(dialog) != QDialog::Accepted)
            return;
        typed = dialog.name();
        const std::optional<std::string> name = toProgramText(typed);
        const std::string refusal =
            name ? change(*name) : std::string("The name holds characters that cannot be stored.");
        if (refusal.empty())
            return;
        m_context.files.messages().information(refusal);
    }
}

void TfrmOperatori::addPlayer()
{
    askName(fromProgramText(languageString(Language, AddPlayerCaption)), {}, [this](const std::string& name) {
        std::string refusal = m_players.add(name);
        if (refusal.empty())
            fill(selectedName());
        return refusal;
    });
}

void TfrmOperatori::editPlayer()
{
    const std::string old = selectedName();
    if (old.empty()) {
        m_context.files.messages().information(languageString(Language, SelectAPlayer));
        return;
    }
    askName(fromProgramText(languageString(Language, EditPlayerCaption)), fromProgramText(old),
            [this, old](const std::string& name) {
                std::string refusal = m_players.rename(old, name, m_context.files);
                if (refusal.empty())
                    fill(fnTrimRight(name));
                return refusal;
            });
}

void TfrmOperatori::deletePlayer()
{
    const std::string name = selectedName();
    if (const std::string refusal = m_players.removalProblem(name, m_context.store); !refusal.empty()) {
        m_context.files.messages().information(refusal);
        return;
    }
    if (!m_context.files.messages().confirmOkCancel("Are you sure you want to delete the selected player?\r"
                                                    "Note: the statistics for this player will also be deleted."))
        return;
    m_players.remove(name, m_context.store, m_context.files);
    fill(m_players.names().empty() ? std::string() : m_players.names().front());
}

void TfrmOperatori::selectPlayer()
{
    const std::string name = selectedName();
    if (name.empty()) {
        m_context.files.messages().information(languageString(Language, SelectAPlayer));
        return;
    }
    if (name != m_players.openingPlayer()) {
        if (!m_context.session.confirmQuit("Start a new game for player " + name + "?"))
            return;
        // The game under way is recorded for the player who played it.
        m_context.store.fnStoreSet(Fld::UserDefault, m_players.openingPlayer());
        m_context.session.endGame();
        m_context.store.resetSessionCounters();
        m_playerChanged = true;
    }
    m_players.save(name, m_context.config, m_context.store);
    m_saved = true;
    accept();
}

void TfrmOperatori::done(int result)
{
    // Closed any other way, the list is still saved, with the player current on opening.
    if (!m_saved) {
        m_players.save(m_players.openingPlayer(), m_context.config, m_context.store);
        m_saved = true;
    }
    QDialog::done(result);
}

void TfrmOperatori::keyPressEvent(QKeyEvent* event)
{
    if (m_list->hasFocus() && event->key() == Qt::Key_Insert)
        addPlayer();
    else if (m_list->hasFocus() && event->key() == Qt::Key_Delete)
        deletePlayer();
    else
        QDialog::keyPressEvent(event);
}

} // namespace kst
