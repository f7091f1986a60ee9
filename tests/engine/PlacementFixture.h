#pragma once
// A small table for asking the placement test one question.

#include <string>
#include <utility>
#include <vector>

#include "engine/Placement.h"

namespace kst::test {

constexpr int H(int r) { return cardOf(r, 0); }
constexpr int D(int r) { return cardOf(r, 1); }
constexpr int C(int r) { return cardOf(r, 2); }
constexpr int S(int r) { return cardOf(r, 3); }

struct PileCards {
    PileRef pile;
    std::vector<int> cards; // bottom first
};

// Everything but the card: the piles, where the card lies (on top of that pile; none: nowhere),
// and the target's parameters.
struct Ask {
    std::vector<PileCards> piles;
    PileRef from;
    bool toFoundation = false;
    int pileIndex = 0;
    int code = 2;
    int direction = BuildDown;
    int wrap = 1;
    int emptyRule = -1;
    int baseRank = 1;
    bool byPlayer = true;
    std::vector<std::pair<int, int>> rules; // RuleTable entries besides 4 foundations and 8 tableau piles
    PlacementCounters counters;
};

struct Table {
    PileGroups piles;
    RuleTable rules;
};

inline Table tableFor(const Ask& s, int card)
{
    Table t;
    for (const PileCards& p : s.piles) {
        for (int c : p.cards)
            appendCard(t.piles, p.pile, c);
    }
    if (!s.from.isNone())
        appendCard(t.piles, s.from, card);
    t.rules.set(Rule::FoundationCount, 4);
    t.rules.set(Rule::TableauCount, 8);
    for (const auto& [index, value] : s.rules)
        t.rules.set(index, std::int16_t(value));
    return t;
}

inline PlacementQuery queryFor(const Ask& s, const Table& t, int card)
{
    PlacementQuery q;
    q.card = card;
    q.toFoundation = s.toFoundation;
    q.pileIndex = s.pileIndex;
    q.target = topCard(s.toFoundation ? t.piles.dest[std::size_t(s.pileIndex)]
                                      : t.piles.fila[std::size_t(s.pileIndex)]);
    q.buildCode = s.code;
    q.direction = s.direction;
    q.wrap = s.wrap;
    q.emptyRule = s.emptyRule;
    q.baseRank = s.baseRank;
    q.byPlayer = s.byPlayer;
    return q;
}

inline bool ask(const Ask& s, int card)
{
    const Table t = tableFor(s, card);
    return canPlace(queryFor(s, t, card), t.piles, t.rules, s.counters);
}

struct Case {
    std::string name;
    Ask setup;
    int card;
    bool expected;
};

} // namespace kst::test

#include <gtest/gtest.h>

// Cases name only the fields they set; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace kst::test {

inline void expectCases(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ask(c.setup, c.card), c.expected);
    }
}

} // namespace kst::test
