#include "shell/TfrmCustomizeRules.h"

#include "platform/qt/QtText.h"
#include "stats/ui/DialogButtons.h"
#include "stats/ui/StatsContext.h"
#include "storage/CustomGames.h"
#include "storage/TextUtils.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace kst {

namespace {

constexpr int CustomizeRulesHelp = 1023;
constexpr int CustomizeNameHelp = 1024;
// The most redeals the arrows reach; the boxes take three digits.
constexpr int MostRedeals = 999;
constexpr int NumberDigits = 3;
enum StockPage { Stock, Tableau };

// What a number box holds: its number, or nothing when it holds anything but digits.
std::optional<int> digitsOf(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || !std::all_of(t.begin(), t.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    return t.toInt();
}

// A label that checks its radio button when clicked, as the button's own caption does.
class LabelOfRadio : public QObject
{
public:
    LabelOfRadio(QLabel* label, QRadioButton* radio) : QObject(label), m_radio(radio)
    {
        label->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonRelease && m_radio->isEnabled())
            m_radio->click();
        return false;
    }

private:
    QRadioButton* m_radio;
};

QRadioButton* radio(const char* caption, const char* name, QWidget* parent)
{
    auto* button = new QRadioButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

} // namespace

// ---- the number box ---------------------------------------------------------------------------

NumberBox::NumberBox(int minimum, int maximum, QWidget* parent)
    : QAbstractSpinBox(parent), m_minimum(minimum), m_maximum(maximum)
{
    lineEdit()->setMaxLength(NumberDigits);
    connect(lineEdit(), &QLineEdit::textChanged, this, &NumberBox::textEdited);
}

QString NumberBox::text() const { return lineEdit()->text(); }

void NumberBox::setText(const QString& text) { lineEdit()->setText(text); }

QValidator::State NumberBox::validate(QString&, int&) const { return QValidator::Acceptable; }

void NumberBox::stepBy(int steps)
{
    const std::optional<int> now = digitsOf(text());
    const int next = now ? std::clamp(*now + steps, m_minimum, m_maximum) : m_minimum;
    setText(QString::number(next));
    selectAll();
}

QSize NumberBox::sizeHint() const
{
    // Room for the digits the box takes, and the arrows beside them.
    ensurePolished();
    const QSize text(fontMetrics().horizontalAdvance(QString(NumberDigits + 1, QLatin1Char('9'))),
                     lineEdit()->sizeHint().height());
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, text, this);
}

QAbstractSpinBox::StepEnabled NumberBox::stepEnabled() const
{
    if (!isEnabled())
        return StepNone;
    const std::optional<int> now = digitsOf(text());
    StepEnabled enabled = StepNone;
    if (!now || *now < m_maximum)
        enabled |= StepUpEnabled;
    if (!now || *now > m_minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

// ---- the name of the new game ------------------------------------------------------------------

TfrmCustomizeRules2::TfrmCustomizeRules2(StatsContext& context, const QString& caption, const QString& gameName,
                                         std::function<std::string(const QString&)> check, QWidget* parent)
    : QDialog(parent), m_context(context), m_check(std::move(check))
{
    setObjectName(QStringLiteral("frmCustomizeRules2"));
    setWindowTitle(caption);
    auto* prompt = new QLabel(QStringLiteral("E&nter a name for the new game:"), this);
    m_edtName = new QLineEdit(gameName, this);
    m_edtName->setObjectName(QStringLiteral("edtName"));
    m_edtName->setMaxLength(kCustomNameWidth);
    m_edtName->setMinimumWidth(m_edtName->fontMetrics().averageCharWidth() * (kCustomNameWidth / 2 + 4));
    m_edtName->selectAll();
    prompt->setBuddy(m_edtName);
    auto* why = new QLabel(QStringLiteral("It is necessary to create a new game so to maintain statistics for "), this);
    auto* lblGameName = new QLabel(gameName + QStringLiteral("."), this);
    lblGameName->setObjectName(QStringLiteral("lblGameName"));
    auto* folder = new QLabel(QStringLiteral("This game will be added to the folder 'Customized games'."), this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    addDialogButton(this, buttons, "OK", "btnOK", [this] { accept(); }, true);
    addDialogButton(this, buttons, "Cancel", "btnCancel", [this] { reject(); });
    addHelpButton(context, this, buttons, CustomizeNameHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_edtName);
    layout->addSpacing(8);
    layout->addWidget(why);
    layout->addWidget(lblGameName);
    layout->addWidget(folder);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

QString TfrmCustomizeRules2::name() const { return m_edtName->text().trimmed(); }

void TfrmCustomizeRules2::accept()
{
    const std::string problem = m_check(name());
    if (!problem.empty()) {
        m_context.files.messages().information(problem);
        m_edtName->setFocus();
        m_edtName->selectAll();
        return;
    }
    QDialog::accept();
}

// ---- the rules dialog ----------------------------------------------------------------------------

TfrmCustomizeRules::TfrmCustomizeRules(StatsContext& context, CustomizeCommands commands, QWidget* parent)
    : QDialog(parent), m_context(context), m_commands(std::move(commands)),
      m_gameId(int(numberOr(context.store.fnStoreGet(Fld::GameId), -1))),
      m_gameName(fromProgramText(fnTrimRight(context.store.fnStoreGet(Fld::Game_name)))),
      m_offer(customizeOffer(context.catalogue, m_gameId)), m_running(customizationOf(context.session.game().rules))
{
    setObjectName(QStringLiteral("frmCustomizeRules"));
    setWindowTitle(QStringLiteral("Customize rules [") + m_gameName + QStringLiteral("]"));
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pgcRules"));
    m_pages->addTab(stockPage(), QStringLiteral(" &Stock "));
    m_pages->addTab(tableauPage(), QStringLiteral("&Tableau"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_btnOK = addDialogButton(this, buttons, "OK", "btnOK", [this] { accept(); }, true);
    m_btnDelete = addDialogButton(this, buttons, "De&lete", "btnDelete", [this] { deleteGame(); });
    addDialogButton(this, buttons, "Cancel", "btnCancel", [this] { reject(); });
    addHelpButton(context, this, buttons, CustomizeRulesHelp);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);

    m_btnDelete->setEnabled(m_gameId >= kFirstCustomCode);
    loadControls();
    for (NumberBox* box : {m_edtCardsShuffeled, m_edtRedealsNumber})
        connect(box, &NumberBox::textEdited, this, &TfrmCustomizeRules::refresh);
    for (QRadioButton* button : {m_rbtRedealsUnlimited, m_rbtRedealsSpecified, m_rbtRedealsNone, m_rbAnyCard,
                                 m_rbKingOnly, m_rbNone})
        connect(button, &QRadioButton::toggled, this, &TfrmCustomizeRules::refresh);
}

QWidget* TfrmCustomizeRules::stockPage()
{
    auto* page = new QWidget(this);
    m_lblCardsShuffeled = new QLabel(QStringLiteral("&Cards dealt by clicking on the stock:"), page);
    m_lblCardsShuffeled->setObjectName(QStringLiteral("lblCardsShuffeled"));
    m_edtCardsShuffeled = new NumberBox(1, kMostCardsPerClick, page);
    m_edtCardsShuffeled->setObjectName(QStringLiteral("edtCardsShuffeled"));
    m_edtCardsShuffeled->setText(QStringLiteral("1"));
    m_lblCardsShuffeled->setBuddy(m_edtCardsShuffeled);
    auto* cards = new QHBoxLayout;
    cards->addWidget(m_lblCardsShuffeled);
    cards->addWidget(m_edtCardsShuffeled);
    cards->addStretch();

    m_grbRedeals = new QGroupBox(QStringLiteral("&Redeals of the stock: "), page);
    m_grbRedeals->setObjectName(QStringLiteral("grbRedeals"));
    m_rbtRedealsUnlimited = radio("&Unlimited", "rbtRedealsUnlimited", m_grbRedeals);
    m_rbtRedealsSpecified = radio("Specified nu&mber:", "rbtRedealsSpecified", m_grbRedeals);
    m_rbtRedealsNone = radio("No redeals (&only 1 deal)", "rbtRedealsNone", m_grbRedeals);
    m_edtRedealsNumber = new NumberBox(1, MostRedeals, m_grbRedeals);
    m_edtRedealsNumber->setObjectName(QStringLiteral("edtRedealsNumber"));
    m_edtRedealsNumber->setText(QStringLiteral("1"));
    m_lblTotDeals = new QLabel(m_grbRedeals);
    m_lblTotDeals->setObjectName(QStringLiteral("lblTotDeals"));
    auto* redeals = new QGridLayout(m_grbRedeals);
    redeals->addWidget(m_rbtRedealsUnlimited, 0, 0);
    redeals->addWidget(m_rbtRedealsSpecified, 1, 0);
    redeals->addWidget(m_edtRedealsNumber, 1, 1);
    redeals->addWidget(m_lblTotDeals, 1, 2);
    redeals->addWidget(m_rbtRedealsNone, 2, 0, 1, 3);
    redeals->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(cards);
    layout->addWidget(m_grbRedeals);
    layout->addStretch();
    return page;
}

QWidget* TfrmCustomizeRules::tableauPage()
{
    auto* page = new QWidget(this);
    m_grbTableauFirst = new QGroupBox(QStringLiteral("Spaces in empty tableau piles can be filled with: "), page);
    m_grbTableauFirst->setObjectName(QStringLiteral("grbTableauFirst"));
    m_rbAnyCard = radio("&Any card (or legal sequence)", "rbAnyCard", m_grbTableauFirst);
    m_rbKingOnly = radio("&King only (or pile with a King at the top);", "rbKingOnly", m_grbTableauFirst);
    auto* lblKingOnly = new QLabel(QStringLiteral("or 1 rank below the base card"), m_grbTableauFirst);
    lblKingOnly->setObjectName(QStringLiteral("lblKingOnly"));
    new LabelOfRadio(lblKingOnly, m_rbKingOnly);
    m_rbNone = radio("&None (spaces cannot be filled)", "rbNone", m_grbTableauFirst);
    m_fill = new QButtonGroup(this);
    m_fill->addButton(m_rbKingOnly, int(TableauFill::KingOnly));
    m_fill->addButton(m_rbAnyCard, int(TableauFill::AnyCard));
    m_fill->addButton(m_rbNone, int(TableauFill::None));

    auto* group = new QVBoxLayout(m_grbTableauFirst);
    group->addWidget(m_rbAnyCard);
    group->addWidget(m_rbKingOnly);
    // Under the radio's caption, where its text starts.
    lblKingOnly->setIndent(m_rbKingOnly->sizeHint().width() - m_rbKingOnly->fontMetrics().horizontalAdvance(
                                                                    m_rbKingOnly->text().remove(QLatin1Char('&'))));
    group->addWidget(lblKingOnly);
    group->addWidget(m_rbNone);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_grbTableauFirst);
    layout->addStretch();
    return page;
}

void TfrmCustomizeRules::loadControls()
{
    m_edtCardsShuffeled->setText(QString::number(m_running.cardsPerClick));
    if (m_running.deals == -1) {
        m_rbtRedealsUnlimited->setChecked(true);
    } else if (m_running.deals == 0) {
        m_rbtRedealsNone->setChecked(true);
    } else {
        m_rbtRedealsSpecified->setChecked(true);
        m_edtRedealsNumber->setText(QString::number(m_running.deals - 1));
    }
    switch (m_running.tableauFill) {
    case TableauFill::KingOnly: m_rbKingOnly->setChecked(true); break;
    case TableauFill::None: m_rbNone->setChecked(true); break;
    default: m_rbAnyCard->setChecked(true); break;
    }

    // What the game does not offer is shown but cannot be changed.
    for (QWidget* w : std::initializer_list<QWidget*>{m_lblCardsShuffeled, m_edtCardsShuffeled})
        w->setEnabled(m_offer.cardsPerClick);
    for (QWidget* w : std::initializer_list<QWidget*>{m_rbtRedealsUnlimited, m_rbtRedealsSpecified, m_rbtRedealsNone,
                                                      m_edtRedealsNumber, m_lblTotDeals})
        w->setEnabled(m_offer.deals);
    if (!m_offer.tableauFill) {
        m_grbTableauFirst->setEnabled(false);
        m_fill->setExclusive(false);
        for (QAbstractButton* button : m_fill->buttons())
            button->setChecked(false);
        m_fill->setExclusive(true);
    }
    m_shown = values();
    refresh();
}

Customization TfrmCustomizeRules::values() const
{
    Customization v;
    if (m_edtCardsShuffeled->isEnabled())
        v.cardsPerClick = digitsOf(m_edtCardsShuffeled->text()).value_or(1);
    if (m_rbtRedealsUnlimited->isEnabled()) {
        if (m_rbtRedealsUnlimited->isChecked())
            v.deals = -1;
        else if (m_rbtRedealsNone->isChecked())
            v.deals = 0;
        else
            v.deals = digitsOf(m_edtRedealsNumber->text()).value_or(0) + 1;
    }
    if (m_grbTableauFirst->isEnabled() && m_fill->checkedId() > 0)
        v.tableauFill = TableauFill(m_fill->checkedId());
    return v;
}

void TfrmCustomizeRules::refresh()
{
    const bool specified = m_offer.deals && m_rbtRedealsSpecified->isChecked();
    m_edtRedealsNumber->setEnabled(specified);
    QString deals;
    if (m_offer.deals && m_rbtRedealsNone->isChecked()) {
        deals = QStringLiteral("(1 deal in all)");
    } else if (specified) {
        if (const std::optional<int> n = digitsOf(m_edtRedealsNumber->text()))
            deals = *n == 0 ? QStringLiteral("(1 deal in all)")
                            : QStringLiteral("(") + QString::number(*n + 1) + QStringLiteral(" deals in all)");
    }
    m_lblTotDeals->setText(deals);
    m_lblTotDeals->setVisible(!deals.isEmpty());
    // Only a change makes a new game.
    m_btnOK->setEnabled(values() != m_shown);
}

bool TfrmCustomizeRules::numbersOnly(NumberBox* box)
{
    if (!box->isEnabled() || box->text().trimmed().isEmpty() || digitsOf(box->text()))
        return true;
    m_context.files.messages().information("Numbers only are required.");
    m_pages->setCurrentIndex(Stock);
    box->setFocus();
    box->selectAll();
    return false;
}

void TfrmCustomizeRules::accept()
{
    if (!m_btnOK->isEnabled() || !numbersOnly(m_edtCardsShuffeled) || !numbersOnly(m_edtRedealsNumber))
        return;
    const GameCatalogue& catalogue = m_context.catalogue;
    TfrmCustomizeRules2 nameDialog(
        m_context, windowTitle(), m_gameName,
        [&catalogue](const QString& typed) {
            const std::optional<std::string> name = toProgramText(typed);
            return name ? customGameNameProblem(catalogue, *name)
                        : std::string("The name holds characters that cannot be stored.");
        },
        this);
    if (runNameDialog(nameDialog) != QDialog::Accepted)
        return;
    const std::string name = toProgramText(nameDialog.name()).value_or(std::string());
    const int code = m_commands.save(name, customizationToStore(values(), m_running, m_offer));
    if (code < 0)
        return; // nothing was stored: the choices stay for another try
    m_newGameCode = code;
    m_newGameName = name;
    QDialog::accept();
}

void TfrmCustomizeRules::deleteGame()
{
    if (parentWidget())
        parentWidget()->repaint();
    if (m_gameId < kFirstCustomCode || !m_commands.deleteGame || !m_commands.deleteGame())
        return;
    m_deleted = true;
    QDialog::accept();
}

} // namespace kst
