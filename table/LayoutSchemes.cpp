// The generic layout: rows of piles, centred or anchored to one another, chosen by each pile
// group's row digit and scheme number.

#include "table/Layout.h"

#include <algorithm>
#include <string>

namespace kst {
namespace {

// Integer division of the values used here truncates toward zero, as the layout rules expect.
int trunc(double value) { return int(value); }

// The first character of the row entry's text; anything but 1..4 reads as row 1 so that a damaged
// value can never index past the rows.
int rowDigit(const RuleTable& rules, int index)
{
    const std::string text = std::to_string(rules[index]);
    const int digit = text.front() - '0';
    return digit >= 1 && digit <= 4 ? digit : 1;
}

char rowChar(const RuleTable& rules, int index) { return std::to_string(rules[index]).front(); }

int countOf(const RuleTable& rules, int index, int maximum) { return std::clamp(int(rules[index]), 0, maximum); }

struct Pass {
    const RuleTable& rules;
    const LayoutInputs& in;
    LayoutBase base;
    PilePositions pos;
    int W, H;
    int n, f, a, k, k2;
    int stockScheme, destScheme, filaScheme, appoggScheme, wasteScheme;
    int tableauStartX = 0;
    // The tableau gap that the foundation and reserve schemes derive their small gap from; 4,
    // the spacing of scheme 013, where a tableau scheme defines none.
    int columnGap = 4;
    int smallGap = 1;

    int row(int rowIndex) const { return base.rowTop[std::size_t(rowDigit(rules, rowIndex))]; }
    Point& fila(int i) { return pos.fila[std::size_t(i)]; }
    Point& dest(int i) { return pos.dest[std::size_t(i)]; }
    Point& appogg(int i) { return pos.appogg[std::size_t(i)]; }
    Point& stock() { return pos.stock[0]; }
    Point& waste() { return pos.stock[1]; }
    int t1() const { return pos.fila[0].x; }

    void placeTableau();
    void placeCentredRow(int y);
    void placeRowRightOfStock(int y);
    void placeSpacedRows();
    void placeCentredGrid();
    void placeStock();
    void placeFoundations();
    void placeReserves();
    void placeSecondWaste();
    void placeRow(int first, int count, int x1, int y, int step)
    {
        for (int i = 0; i < count; ++i)
            fila(first + i) = {x1 + i * step, y};
    }
};

// 001, 014, 015: one centred row whose gap shrinks with the number of piles.
void Pass::placeCentredRow(int y)
{
    const bool stockOver = stockScheme == 4 || wasteScheme == 4;
    int c = std::clamp(trunc(double(base.usableWidth - n * W) / (n + 1)), 4, 20);
    if (filaScheme == 1 && stockOver && c < 15)
        c = 15;
    int x1 = trunc(double(base.usableWidth - (n - 1) * c - n * W) / 2);
    const int lm = base.leftMargin;
    if (x1 < lm) {
        if (filaScheme == 1) {
            x1 = lm;
        } else {
            // A single pile has no gaps to take the room from.
            if (n > 1)
                c = std::clamp(c - trunc(double(lm - x1) / (n - 1) + 0.99), 4, 20);
            x1 = in.screen.width < 650 ? lm - 2 : lm;
        }
    }
    columnGap = c;
    // The first k columns carry the stock group above them and keep the wider gap.
    const bool widerFirstGaps = filaScheme != 1 && stockOver && c < 15;
    int x = x1;
    for (int i = 0; i < n; ++i) {
        fila(i) = {x, y};
        x += W + (widerFirstGaps && i + 1 < k ? 15 : c);
    }
}

// 003, 012 (one free column), 011, 021 (two): the stock group stands left of the tableau.
void Pass::placeRowRightOfStock(int y)
{
    const int free = filaScheme == 3 || filaScheme == 12 ? 1 : 2;
    const int m = n + free;
    int c = trunc(double(base.usableWidth - m * W - 32) / (m + 1));
    if (c < 4)
        c = 4;
    else if (c > 20)
        c = 15;
    if (filaScheme == 21)
        c = 2;
    int x1 = std::max(trunc(double(base.usableWidth - 30 - m * W - c * (m - 2) - 10) / 2), base.leftMargin);
    x1 += free * (W + 22);
    if (filaScheme == 11 || filaScheme == 12)
        x1 += 15;
    columnGap = c;
    placeRow(0, n, x1, y, W + c);
}

// 010: rows of widely spaced piles from the left edge.
void Pass::placeSpacedRows()
{
    const int c = trunc(0.85 * W);
    columnGap = c;
    const int rows = std::max(1, int(rules[Rule::TableauRows]));
    if (rows == 1) {
        placeRow(0, n, 15, base.row3Centred[0], W + c);
        return;
    }
    // With several rows the first row lies on row 1 like its neighbours below it, so the
    // rows keep the ordinary row spacing.
    const int perRow = std::max(1, n / rows);
    for (int i = 0; i < n; ++i) {
        const int r = i / perRow;
        const int ry = r + 1 <= 4 ? base.rowTop[std::size_t(r + 1)] : base.rowTop[4] + (r - 3) * (base.rowGap + H);
        fila(i) = {15 + (i % perRow) * (W + c), ry};
    }
}

// 018: a grid of rows centred in height.
void Pass::placeCentredGrid()
{
    const int rows = std::max(1, int(rules[Rule::TableauRows]));
    const int q = std::max(1, n / rows);
    const int c = std::max(trunc(double(base.usableWidth - q * W - 2) / (q + 1)), trunc(1.5 * W));
    columnGap = c;
    const int x1 = in.screen.height >= 500 ? base.leftMargin + 10 : 15;
    const int y1 = base.row4Centred[std::size_t(rowDigit(rules, Rule::TableauRow))];
    for (int i = 0; i < n; ++i)
        fila(i) = {x1 + (i % q) * (W + c), y1 + (i / q) * (H + 10)};
}

void Pass::placeTableau()
{
    if (n < 1)
        return;
    const int y = row(Rule::TableauRow);
    fila(0).y = y;
    switch (filaScheme) {
    case 1:
    case 14:
    case 15: placeCentredRow(y); break;
    case 2: {
        const int c = base.usableWidth >= 650 ? 10 : 5;
        const int x1 = tableauStartX != 0 ? tableauStartX : trunc(double(base.usableWidth - n * W - (n - 1) * c) / 2);
        columnGap = c;
        placeRow(0, n, x1, y, W + c);
        break;
    }
    case 3:
    case 11:
    case 12:
    case 21: placeRowRightOfStock(y); break;
    case 10: placeSpacedRows(); break;
    case 13: {
        const int x1 = in.screen.height < 500 ? 8 : 2 * in.shadowWidth + 30;
        columnGap = 4;
        placeRow(0, n, x1, y, W + 4);
        break;
    }
    case 18: placeCentredGrid(); break;
    default:
        break; // 020 is placed under the foundations; unknown schemes keep only pile 1's y
    }
}

void Pass::placeStock()
{
    if (k < 1)
        return;
    stock().y = row(Rule::StockRow);
    const int y = stock().y;
    const int lm = base.leftMargin;
    const bool hasStock = rules[Rule::StockClickPlace] == 1, hasWaste = rules[Rule::StockToWaste] == 1;
    switch (stockScheme) {
    case 3:
        stock().x = t1() - 22 - W;
        if (hasWaste)
            waste() = {stock().x, base.rowTop[2]};
        break;
    case 4:
        if (hasStock && hasWaste) {
            stock().x = pos.fila[0].x;
            waste() = {pos.fila[1].x, y};
        } else if (hasWaste) {
            waste() = {pos.fila[0].x, y};
        } else if (hasStock) {
            stock().x = pos.fila[0].x;
        }
        break;
    case 5:
        for (int i = 0; i < std::min(k, 3); ++i)
            pos.stock[std::size_t(i)] = {lm + i * (lm + W), y};
        break;
    case 11:
        waste() = {t1() - 45 - W, y};
        stock().x = waste().x - W - 15;
        break;
    case 13: {
        const int shadow = in.shadow ? in.shadowWidth : 0;
        const int half = in.screen.height < 500 ? 0 : (shadow >= 2 ? shadow / 2 : shadow);
        stock().x = 15 + half;
        waste().y = y;
        if (k >= 2)
            waste().x = stock().x + W + 15;
        break;
    }
    case 16:
    case 19: {
        const int gap = stockScheme == 16 ? 30 : 60;
        if (!hasStock)
            waste() = {t1() - gap - W, y};
        else
            stock().x = t1() - gap - W;
        break;
    }
    case 21:
        waste() = {t1() - 15 - W, y};
        stock().x = waste().x - W - 20;
        break;
    default:
        break;
    }
}

void Pass::placeFoundations()
{
    // The reserves derive their gap from the tableau gap even in a game without foundations.
    smallGap = std::max(1, columnGap / 3);
    if (f < 1)
        return;
    const int y = row(Rule::FoundationRow);
    for (int j = 0; j < f; ++j)
        dest(j).y = y;
    // Foundations over tableau columns that do not exist stay unplaced.
    const auto overLastColumns = [this] {
        for (int j = 0; j < f; ++j)
            if (const int t = n - f + j; t >= 0 && t < n)
                dest(j).x = pos.fila[std::size_t(t)].x;
    };
    const auto leftOf = [this](int lastX, int step) {
        for (int j = f - 1; j >= 0; --j)
            dest(j).x = lastX - (f - 1 - j) * step;
    };
    switch (destScheme) {
    case 1:
        smallGap = std::max(1, trunc(double(base.usableWidth - f * W - 2) / (f + 1)));
        for (int j = 0; j < f; ++j)
            dest(j).x = smallGap + j * (W + smallGap);
        break;
    case 2: {
        smallGap = std::max(1, columnGap / 2);
        const int x1 = trunc(double(base.usableWidth - f * W - (f - 1) * smallGap) / 2);
        for (int j = 0; j < f; ++j)
            dest(j).x = x1 + j * (W + smallGap);
        break;
    }
    case 7:
        overLastColumns();
        break;
    case 8:
        leftOf(base.usableWidth - W - base.leftMargin - 5, W + base.leftMargin);
        break;
    case 9:
        if (n >= 1)
            leftOf(pos.fila[std::size_t(n - 1)].x, W + smallGap);
        break;
    case 13:
        if (in.screen.height >= 500)
            overLastColumns();
        else if (n >= 1)
            leftOf(pos.fila[std::size_t(n - 1)].x, W + 1);
        break;
    case 17: {
        const Point after = rules[Rule::StockToWaste] == 1 ? waste() : stock();
        const bool low = in.screen.height < 500;
        for (int j = 0; j < f; ++j)
            dest(j) = {after.x + W + (low ? 10 : 20) + j * (W + (low ? 1 : 3)), after.y};
        break;
    }
    default:
        break;
    }
    if (filaScheme == 20 && n >= 1) {
        const int shift = trunc(double(dest(f - 1).x + W - dest(0).x - n * W - 10 * n + 10) / 2);
        placeRow(0, n, dest(0).x + shift, row(Rule::TableauRow), W + 10);
    }
}

void Pass::placeReserves()
{
    if (a < 1)
        return;
    const int y = row(Rule::ReserveRow);
    for (int j = 0; j < a; ++j)
        appogg(j).y = y;
    switch (appoggScheme) {
    case 4:
        for (int j = 0; j < std::min(a, n); ++j)
            appogg(j).x = pos.fila[std::size_t(j)].x;
        break;
    case 5:
        for (int j = 0; j < a; ++j)
            appogg(j).x = base.leftMargin + j * (W + base.leftMargin);
        break;
    case 6:
        for (int j = 0; j < a; ++j)
            appogg(j).x = t1() + j * (W + smallGap);
        break;
    case 7:
        for (int j = 0; j < a; ++j)
            if (const int t = n - a + j; t >= 0 && t < n)
                appogg(j).x = pos.fila[std::size_t(t)].x;
        break;
    case 11:
        appogg(0).x = waste().x;
        break;
    case 12:
        appogg(0).x = t1() - W - (n >= 8 ? 22 : 45);
        break;
    default:
        break;
    }
}

void Pass::placeSecondWaste()
{
    if (k2 < 1)
        return;
    Point& p = pos.stock[2];
    const int r = rowDigit(rules, Rule::SecondWasteRow);
    switch (wasteScheme) {
    case 6:
        if (n >= 2)
            p = {pos.fila[1].x, base.rowTop[std::size_t(r)]};
        break;
    case 7:
        if (n >= 1)
            p = {pos.fila[std::size_t(n - 1)].x, base.rowTop[std::size_t(r)]};
        break;
    case 16:
        // Row 1 has no row above it; the pile then lies on row 1 itself.
        p = {stock().x, r >= 2 ? base.rowTop[std::size_t(r - 1)] + H + 20 : base.rowTop[1]};
        break;
    default:
        break;
    }
}

bool inside(int value, int low, int high) { return value >= low && value <= high; }

// Whether the last reserve reaches into the widened zone of any tableau entry.
bool reserveOverlapsTableau(const PilePositions& pos, Point reserve, int W, int H)
{
    for (const Point t : pos.fila) {
        const int zx0 = t.x - 85, zx1 = t.x + W + 85, zy0 = t.y, zy1 = t.y + H;
        const auto inZone = [&](int x, int y) { return inside(x, zx0, zx1) && inside(y, zy0, zy1); };
        if (inZone(reserve.x, reserve.y) || inZone(reserve.x + W, reserve.y) || inZone(reserve.x, reserve.y + H)
            || inZone(reserve.x + W, reserve.y + H))
            return true;
        if (inside(reserve.x, zx0, zx1) || inside(reserve.x + W, zx0, zx1)) {
            for (int y = reserve.y; y <= reserve.y + H; y += 50)
                if (inside(y, zy0, zy1))
                    return true;
            if (inside(reserve.y + H, zy0, zy1))
                return true;
        }
    }
    return false;
}

// Hand-made arrangements of the whole table; they place nothing yet, so such a game shows only
// what the completion step gives it.
void placeSpecialLayout(Pass&) {}

PilePositions layoutPass(const RuleTable& rules, const LayoutInputs& in, int tableauStartX)
{
    Pass p{rules, in, computeLayoutBase(rules, in), {}, in.card.width, in.card.height,
           countOf(rules, Rule::TableauCount, Rule::MaxTableaus),
           countOf(rules, Rule::FoundationCount, Rule::MaxFoundations),
           countOf(rules, Rule::ReserveCount, Rule::MaxReserves),
           std::max(0, int(rules[Rule::StockGroupPiles])),
           std::max(0, int(rules[Rule::SecondWastePiles])),
           rules[Rule::StockScheme], rules[Rule::FoundationScheme], rules[Rule::TableauScheme],
           rules[Rule::ReserveScheme], rules[Rule::SecondWasteScheme]};
    p.tableauStartX = tableauStartX;
    if (isSpecialLayoutScheme(p.filaScheme)) {
        placeSpecialLayout(p);
    } else {
        p.placeTableau();
        p.placeStock();
        p.placeFoundations();
        p.placeReserves();
        p.placeSecondWaste();
    }
    return p.pos;
}

} // namespace

LayoutBase computeLayoutBase(const RuleTable& rules, const LayoutInputs& in)
{
    const int H = in.card.height;
    LayoutBase b;
    b.usableWidth = in.width - 2 - (in.height < 500 ? 10 : 0);
    b.rowGap = in.height >= 500 ? 10 : 5;
    const int g = b.rowGap;
    const char stockRow = rowChar(rules, Rule::StockRow);
    b.rowTop[1] = in.top + g + (stockRow == '1' ? 15 : 0);
    b.rowTop[2] = b.rowTop[1] + g + H + (stockRow == '2' || rules[Rule::StockScheme] == 3 ? 15 : 0);
    b.rowTop[3] = b.rowTop[2] + g + H;
    b.rowTop[4] = b.rowTop[3] + g + H;
    if (rules[Rule::TableauScheme] == 15) {
        b.rowTop[1] = in.top + 15;
        b.rowTop[2] = in.top + H + 20;
        b.rowTop[3] = in.top + 2 * H + 25;
    }
    b.bottomRow = in.height > 0.8 * in.screen.height ? in.height - H - 50 : in.screen.height - H - 30;
    b.middleLine = b.rowTop[2] + trunc(double(b.rowTop[3] - b.rowTop[2]) / 2);
    b.row3Centred[0] = std::max(in.top + trunc(double(in.bottom - in.top - 3 * H - 20) / 2), in.top + 2);
    b.row3Centred[1] = b.row3Centred[0] + H + 10;
    b.row3Centred[2] = b.row3Centred[0] + 2 * H + 20;
    b.row4Centred[1] = std::max(in.top + trunc(double(in.bottom - in.top - 4 * H - 30) / 2), in.top + 2);
    for (int r = 2; r <= 4; ++r)
        b.row4Centred[std::size_t(r)] = b.row4Centred[1] + (r - 1) * (H + 10);
    b.leftMargin = b.usableWidth >= 650 ? 10 : 3;
    if (rules[Rule::StockGroupPiles] >= 1) {
        b.leftMargin += in.shadow ? in.shadowWidth : 0;
        const int s = rules[Rule::StockScheme];
        if (s == 3 || s == 4 || s == 5 || s == 16 || s == 19 || rules[Rule::SecondWasteScheme] == 4)
            b.leftMargin += 15;
    }
    const auto occupied = [&rules](int rowIndex, int countIndex) {
        return rules[countIndex] < 1 ? ' ' : rowChar(rules, rowIndex);
    };
    b.occupiedRows = {occupied(Rule::StockRow, Rule::StockGroupPiles), occupied(Rule::FoundationRow, Rule::FoundationCount),
                      occupied(Rule::ReserveRow, Rule::ReserveCount)};
    return b;
}

bool isSpecialLayoutScheme(int tableauScheme)
{
    return (tableauScheme >= 51 && tableauScheme <= 101) || (tableauScheme >= 103 && tableauScheme <= 125);
}

PilePositions fnComputeLayout(const RuleTable& rules, const LayoutInputs& in)
{
    PilePositions pos = layoutPass(rules, in, 0);
    const int a = countOf(rules, Rule::ReserveCount, Rule::MaxReserves);
    if (!isSpecialLayoutScheme(rules[Rule::TableauScheme]) && rules[Rule::ReserveScheme] == 5 && a >= 1) {
        const Point last = pos.appogg[std::size_t(a - 1)];
        if (reserveOverlapsTableau(pos, last, in.card.width, in.card.height)) {
            int startX = last.x + in.card.width + 86;
            if (startX <= 0)
                startX = computeLayoutBase(rules, in).leftMargin;
            // One more pass only: most schemes ignore the start x and would find the overlap again.
            pos = layoutPass(rules, in, startX);
        }
    }
    if (pos.stock[1].y == StockNotPlaced)
        pos.stock[1].y = pos.stock[0].y;
    return pos;
}

} // namespace kst
