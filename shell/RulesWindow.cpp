#include "shell/RulesWindow.h"

#include "platform/qt/QtText.h"
#include "storage/CustomGames.h"
#include "storage/FileLookup.h"
#include "storage/SectionFile.h"
#include "storage/TextUtils.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kst {

void showGameRules(QWidget* parent, const std::string& programDir, const GameCatalogue& catalogue,
                   const std::string& customGamesPath, int gameId, const std::string& name)
{
    const int base = gameId >= kFirstCustomCode ? fnCustomGameBase(customGamesPath, gameId).baseGameId : gameId;
    std::string text;
    if (base != gameId)
        text = name + " is a customized game of " + catalogue.gameName(base) + ".\n\n";
    const LinesRead rules = loadLines(findFile(programDir, "help/games/" + zeroPadded(base, 4) + ".txt"));
    if (rules.lines.empty())
        text += "No rules were found for this game.";
    for (const std::string& line : rules.lines)
        text += line + '\n';

    QDialog window(parent);
    window.setObjectName(QStringLiteral("frmRules"));
    window.setWindowTitle(QStringLiteral("Rules - ") + fromProgramText(name));
    auto* page = new QTextBrowser(&window);
    page->setObjectName(QStringLiteral("txtRules"));
    page->setPlainText(fromProgramText(text));
    page->setMinimumSize(560, 420);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &window);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QDialog::reject);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(page);
    layout->addWidget(buttons);
    window.exec();
}

} // namespace kst
