#include "shell/TfrmTips.h"

#include "stats/ui/DialogButtons.h"
#include "stats/ui/StatsContext.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <array>

namespace kst {

namespace {

constexpr int TipsHelp = 4018;

constexpr std::array<const char*, 27> Tips = {
    "You can open one of the last games you have played by clicking the Open a saved game button in the Open a "
    "game dialog box.",
    "You can restart the current game by pressing Ctrl+F2.",
    "You can undo your last move by pressing Ctrl+Z. To undo more than one move, press the key again.",
    "You can press Ctrl+Z and Ctrl+Y to move to the next and previous move of the current game.",
    "You can press F4 to display the Statistics dialog box.",
    "You can press F9 to display the Hi-Scores dialog box.",
    "You can press F8 to display the Card counter.",
    "Kestrane displays the name of a toolbar button when you point to the button.",
    "You can press Ctrl+U to display the Customize dialog box.",
    "You can choose the Favorite games command from the Tools menu to add, edit or delete your favorite games.",
    "You can double click a face-up card to automatically move it to the first available legal pile.",
    "You can click the Autoplay button on the toolbar to automatically play cards to the foundations when "
    "possible.",
    "There are over nine trillion starting positions for each game! You can press F3 to select a game number. ",
    "You can choose from a dozen different card back designs by using the Customize dialog box.",
    "You can choose from a dozen different background designs by using the Customize dialog box.",
    "You can add, edit or delete a player by choosing the Player dialog box.",
    "You can turn the sounds on and off with the sounds options in the Customize dialog box.",
    "You can include your favorite games in the \"Favorite games\" folder by clicking the right mouse button in "
    "the Open a game dialog box.",
    "You can click the right mouse button on the visible part of a card in order to see it in full.",
    "You can randomly play a game by choosing the Random game command from the File menu.",
    "You can save the current game at any time by pressing Shift+Ctrl+F12.",
    "You can pause the current game at any time by pressing Ctrl+P.",
    "You can quit the current game at any time by pressing Ctrl+Q.",
    "You can speed up choosing one of your favorite games by clicking on the Favorite games command from the Game "
    "menu.",
    "You can customize the rules of the current game by choosing the Customize rules command  from the Tools menu, "
    "or by pressing Ctrl+R.",
    "By clicking on the words \"Similar games\" (if it exists) on the Rules page of each game, you can display a "
    "pop-up window that lists any game(s) which is (are) similar in layout and rules to the game you are playing.",
    "By pressing Ctrl+Right click from any point in the main play area, a shortcut menu appears which provides an "
    "efficient way to access the most important operations of Kestrane 2000.",
};

} // namespace

TfrmTips::TfrmTips(StatsContext& context, QWidget* parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmTips"));
    setWindowTitle(QStringLiteral("Tip of the Day"));

    auto* page = new QFrame(this);
    page->setFrameShape(QFrame::StyledPanel);
    page->setAutoFillBackground(true);
    page->setBackgroundRole(QPalette::Base);
    auto* heading = new QLabel(QStringLiteral("Did you know..."), page);
    QFont big = heading->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    heading->setFont(big);
    m_number = new QLabel(page);
    m_number->setObjectName(QStringLiteral("lblTipNumber"));
    m_text = new QLabel(page);
    m_text->setObjectName(QStringLiteral("lblTip"));
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_text->setMinimumSize(360, 90);
    auto* top = new QHBoxLayout;
    top->addWidget(heading);
    top->addStretch();
    top->addWidget(m_number);
    auto* inPage = new QVBoxLayout(page);
    inPage->addLayout(top);
    inPage->addWidget(m_text, 1);

    m_startUp = new QCheckBox(QStringLiteral("Show tips at startup"), this);
    m_startUp->setObjectName(QStringLiteral("chkStartUp"));
    m_startUp->setChecked(context.config.readText("Preference", "Tips_StartUp", "N") == "Y");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_startUp);
    buttons->addStretch();
    addDialogButton(this, buttons, "&Previous Tip", "btnPrevious", [this] { previousTip(); });
    addDialogButton(this, buttons, "&Next Tip", "btnNext", [this] { nextTip(); });
    addDialogButton(this, buttons, "&Close", "btnClose", [this] { accept(); }, true);
    addHelpButton(context, this, buttons, TipsHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page, 1);
    layout->addLayout(buttons);

    // The tip after the one shown last time.
    const long last = context.config.readNumber("Preference", "Tips_Num", 0);
    showTip(last >= 0 && last + 1 < tipCount() ? int(last) + 1 : 0);
}

int TfrmTips::tipCount() { return int(Tips.size()); }

QString TfrmTips::tipText() const { return m_text->text(); }

void TfrmTips::showTip(int tip)
{
    m_tip = tip;
    m_number->setText(QStringLiteral("%1/%2").arg(tip + 1).arg(tipCount()));
    m_text->setText(QString::fromLatin1(Tips[std::size_t(tip)]));
}

void TfrmTips::nextTip() { showTip((m_tip + 1) % tipCount()); }

void TfrmTips::previousTip() { showTip((m_tip + tipCount() - 1) % tipCount()); }

void TfrmTips::done(int result)
{
    m_context.config.writeNumber("Preference", "Tips_Num", m_tip);
    m_context.config.writeText("Preference", "Tips_StartUp", m_startUp->isChecked() ? "Y" : "N");
    QDialog::done(result);
}

} // namespace kst
