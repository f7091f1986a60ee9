#include "solver/Board.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>

#include "engine/Scoring.h"
#include "storage/TextUtils.h"

namespace kst::solver {
namespace {

constexpr std::string_view Ranks = "A23456789TJQK";
constexpr std::string_view Suits = "HDCS"; // in the order of the card numbers

int rankOf(char c)
{
    const std::size_t r = Ranks.find(char(std::toupper(static_cast<unsigned char>(c))));
    return r == std::string_view::npos ? 0 : int(r) + 1;
}

int suitOf(char c)
{
    const std::size_t s = Suits.find(char(std::toupper(static_cast<unsigned char>(c))));
    return s == std::string_view::npos ? -1 : int(s);
}

bool startsWithWord(std::string_view line, std::string_view word, std::string_view& rest)
{
    if (line.size() < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(line[i])) != std::tolower(static_cast<unsigned char>(word[i])))
            return false;
    rest = line.substr(word.size());
    return true;
}

} // namespace

int boardCard(std::string_view text)
{
    int r = 0;
    if (text.size() == 3 && text.substr(0, 2) == "10") // "10" for "T" too
        r = 10;
    else if (text.size() == 2)
        r = rankOf(text[0]);
    const int s = text.empty() ? -1 : suitOf(text.back());
    return r == 0 || s < 0 ? 0 : s * 13 + r;
}

std::string readBoard(std::string_view text, Game& game)
{
    const int tableaus = tableausInUse(game.rules), reserves = reservesInUse(game.rules),
              foundations = foundationsInUse(game.rules);
    if (game.rules[Rule::DeckSize] != CardsPerDeck)
        return "a board is for a game of one deck of 52 cards";
    PileGroups piles;
    int column = 0, lineNumber = 0;
    std::string error;
    const auto fault = [&](const std::string& what) {
        if (error.empty())
            error = "line " + std::to_string(lineNumber) + ": " + what;
    };
    std::istringstream lines{std::string(text)};
    for (std::string line; std::getline(lines, line) && error.empty();) {
        ++lineNumber;
        std::string_view rest;
        if (startsWithWord(line, "Freecells:", rest)) {
            const std::vector<std::string_view> cells = splitWords(rest);
            if (int(cells.size()) > reserves)
                fault("more free cells than the game's " + std::to_string(reserves));
            for (std::size_t r = 0; r < cells.size() && error.empty(); ++r) {
                if (cells[r] == "-")
                    continue;
                const int card = boardCard(cells[r]);
                if (card == 0)
                    fault("no card: " + std::string(cells[r]));
                else
                    appendCard(piles, appoggPile(int(r)), card);
            }
        } else if (startsWithWord(line, "Foundations:", rest)) {
            int used = 0;
            for (const std::string_view f : splitWords(rest)) {
                const int suit = f.size() >= 3 && f[1] == '-' ? suitOf(f[0]) : -1;
                const int top = suit < 0 ? -1 : f.substr(2) == "0" ? 0 : f.size() == 3 && rankOf(f[2]) > 0 ? rankOf(f[2]) : -1;
                if (top < 0) {
                    fault("not a foundation: " + std::string(f));
                    break;
                }
                if (top == 0)
                    continue;
                if (used == foundations) {
                    fault("more foundations than the game's " + std::to_string(foundations));
                    break;
                }
                for (int r = 1; r <= top; ++r)
                    appendCard(piles, destPile(used), suit * 13 + r);
                ++used;
            }
        } else if (const std::vector<std::string_view> cards = splitWords(line); !cards.empty()) {
            if (cards.front().starts_with('#'))
                continue;
            if (column == tableaus) {
                fault("more columns than the game's " + std::to_string(tableaus));
                break;
            }
            for (const std::string_view c : cards) {
                const int card = boardCard(c);
                if (card == 0) {
                    fault("no card: " + std::string(c));
                    break;
                }
                appendCard(piles, filaPile(column), card);
            }
            ++column;
        }
    }
    if (!error.empty())
        return error;
    if (const std::string wrong = tableIsOk(piles, firstCards(CardsPerDeck)); !wrong.empty())
        return "the board does not hold each card of the deck once: " + wrong;
    game.cards.piles = piles;
    game.cards.deck.turnAllFaceUp();
    game.counters = {};
    game.movesMade = 0;
    game.won = false;
    recomputeScore(game);
    game.won = isWon(game);
    return {};
}

} // namespace kst::solver
