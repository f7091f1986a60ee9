#include "engine/GameNumber.h"

#include <array>
#include <cstdint>

namespace kst {
namespace {

using TableRow = std::array<int, 8>;

// Suit numbers 1..4, one row chosen per rank.
constexpr std::array<TableRow, 13> SuitTable{{
    {4, 2, 3, 1, 4, 2, 1, 3},
    {1, 3, 2, 4, 4, 3, 2, 1},
    {2, 4, 3, 1, 3, 4, 1, 2},
    {3, 4, 2, 1, 2, 3, 1, 4},
    {4, 2, 3, 1, 1, 3, 4, 2},
    {1, 4, 2, 3, 4, 1, 2, 3},
    {2, 1, 3, 4, 3, 1, 2, 4},
    {3, 2, 1, 4, 2, 4, 1, 3},
    {4, 3, 1, 2, 1, 2, 3, 4},
    {2, 1, 4, 3, 4, 2, 1, 3},
    {3, 1, 4, 2, 1, 2, 4, 3},
    {3, 2, 4, 1, 1, 4, 3, 2},
    {2, 3, 4, 1, 4, 1, 3, 2},
}};

// Steps of the deck position, one row per digit.
constexpr std::array<TableRow, 10> OffsetTable{{
    {25, 18, 13, 22, 21, 20, 15, 15},
    {20, 19, 12, 13, 18, 18, 23, 17},
    {30, 21, 19, 19, 13, 22, 20, 18},
    {51, 16, 14, 18, 21, 21, 17, 19},
    {18, 19, 19, 23, 13, 16, 15, 20},
    {17, 21, 14, 19, 19, 16, 18, 17},
    {48, 16, 13, 14, 19, 20, 20, 16},
    {11, 21, 21, 23, 17, 18, 22, 20},
    {22, 16, 13, 13, 19, 17, 22, 13},
    {24, 13, 20, 21, 21, 14, 15, 22},
}};

// d[1..13]; d[0] unused so that the indices read as in the rule.
using Digits = std::array<int, GameNumberDigits + 1>;

Digits digitsOf(std::string_view gameNumber)
{
    const std::string text = normalGameNumber(gameNumber);
    Digits d{};
    for (int i = 1; i <= GameNumberDigits; ++i) {
        const char c = text[std::size_t(i - 1)];
        d[std::size_t(i)] = c >= '0' && c <= '9' ? c - '0' : 0;
    }
    return d;
}

// The nine digits left when four are deleted, read as a number, modulo 13.
int rowSelector(const Digits& d, int y)
{
    std::int64_t s = 0;
    const auto take = [&](int from, int to) {
        for (int i = from; i <= to; ++i)
            s = s * 10 + d[std::size_t(i)];
    };
    if (y <= 10) {
        take(1, y - 1);
        take(y + 4, 13);
    } else {
        take(y - 8, y); // 11: d[3..11], 12: d[4..12], 13: d[5..13]
    }
    return int(s % 13);
}

int wrapCursor(int cursor) { return cursor == GameNumberDigits ? 1 : cursor + 1; }

// The first "000" entry: from w upward or downward, failing that from 0 upward; -1 when full.
int freeEntry(const std::vector<int>& cards, int w, bool upward)
{
    const int n = int(cards.size());
    if (upward) {
        for (int i = w; i < n; ++i)
            if (cards[std::size_t(i)] == 0)
                return i;
    } else {
        for (int i = w; i >= 0; --i)
            if (cards[std::size_t(i)] == 0)
                return i;
    }
    for (int i = 0; i < n; ++i)
        if (cards[std::size_t(i)] == 0)
            return i;
    return -1;
}

} // namespace

std::string normalGameNumber(std::string_view text)
{
    if (text.size() >= std::size_t(GameNumberDigits))
        return std::string(text.substr(text.size() - GameNumberDigits));
    return std::string(GameNumberDigits - text.size(), '0') + std::string(text);
}

bool isGameNumberText(std::string_view text)
{
    if (text.empty())
        return false;
    for (const char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

TypedGameNumber typedGameNumber(std::string_view text)
{
    TypedGameNumber typed;
    if (!text.empty() && !isGameNumberText(text)) {
        typed.refused = true;
        return typed;
    }
    const std::string number = normalGameNumber(text);
    if (!text.empty() && number.find_first_not_of('0') != std::string::npos)
        typed.number = number;
    return typed;
}

std::string newRandomGameNumber(RandomSource& random)
{
    const std::uint64_t a = random.below(9'999'999);
    const std::uint64_t b = random.below(999'999);
    return normalGameNumber(std::to_string(a * b));
}

ShuffleDeck buildShuffleDeck(std::string_view gameNumber, int deckSize)
{
    ShuffleDeck deck;
    // A deck size of 0 means no rules are loaded; it must not reach the modulo below.
    if (deckSize <= 0)
        return deck;
    const int n = deckSize;
    deck.cards.assign(std::size_t(n), 0);
    int suitsPerRank = 0;
    if (n <= 52)
        suitsPerRank = 4;
    else if (n == 104)
        suitsPerRank = 8;
    else {
        deck.error = std::string(ShuffleDeckSizeError);
        return deck;
    }

    const Digits d = digitsOf(gameNumber);
    int w = d[2] * 100 + d[6] * 10 + d[12];
    int a = 1;
    int b = 7;
    int c = 13;
    std::vector<int> rankPool{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};

    for (int y = 1; y <= GameNumberDigits; ++y) {
        const int x = d[std::size_t(y)];
        const bool z = x == 0;
        const int row = rowSelector(d, y);

        int k = (d[std::size_t(a)] * 100 + d[std::size_t(b)] * 10 + d[std::size_t(c)]) % 13;
        const int last = int(rankPool.size()) - 1;
        if (k > last)
            k = z ? last : 0;
        const int rank = rankPool[std::size_t(k)];
        rankPool.erase(rankPool.begin() + k);

        a = wrapCursor(a);
        b = wrapCursor(b);
        c = wrapCursor(c);
        w -= x;

        for (int i = 0; i < suitsPerRank; ++i) {
            w += OffsetTable[std::size_t(x)][std::size_t(i)];
            if (w >= n)
                w %= n;
            else if (w < 0)
                w = 0;
            const int card = (SuitTable[std::size_t(row)][std::size_t(i)] - 1) * 13 + rank + (i >= 4 ? 52 : 0);
            if (deck.cards[std::size_t(w)] != 0) {
                w = freeEntry(deck.cards, w, z);
                if (w < 0)
                    continue;
            }
            deck.cards[std::size_t(w)] = card;
        }
    }
    return deck;
}

std::string shuffleDeckText(const ShuffleDeck& deck)
{
    std::string out;
    out.reserve(deck.cards.size() * 4);
    for (const int card : deck.cards) {
        if (!out.empty())
            out += ' ';
        const int v = card < 0 || card > 999 ? 0 : card;
        out += char('0' + v / 100);
        out += char('0' + v / 10 % 10);
        out += char('0' + v % 10);
    }
    return out;
}

} // namespace kst
