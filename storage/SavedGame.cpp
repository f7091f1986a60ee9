#include "storage/SavedGame.h"

#include "storage/TextUtils.h"

namespace kst {
namespace {

constexpr std::size_t ImageFirstLine = 12; // 0-based: line 13
constexpr std::size_t ImageLines = 55;
constexpr int StockLines = 3, FoundationLines = 16, TableauLines = 28, ReserveLines = 8;

constexpr std::string_view StockMarker = "[UNDO - Stock]";
constexpr std::string_view FoundationMarker = "[UNDO - Foundations]";
constexpr std::string_view TableauMarker = "[UNDO - Piles]";
constexpr std::string_view ReserveMarker = "[UNDO - Reserves]";
constexpr std::string_view LogMarker = "[UNDO - Log]";

// The columns (1-based first column, width) of the header and of line 2.
struct Column {
    int first;
    int width;
    std::string_view of(std::string_view line) const
    {
        const std::size_t at = std::size_t(first - 1);
        return at >= line.size() ? std::string_view{} : line.substr(at, std::size_t(width));
    }
};
constexpr Column VersionColumn{4, 4}, GameIdColumn{9, 4}, BmpColumn{13, 30}, ColColumn{43, 15}, DefColumn{58, 4},
    SizeColumn{62, 1}, CardColumn{63, 9}, BackColumn{72, 4}, SecondsColumn{76, 6}, ScoringColumn{82, 2},
    ScoreColumn{84, 6}, DealColumn{90, 6};
constexpr Column PlayerColumn{1, 30}, NumberColumn{51, 13}, BaseRanksColumn{67, 32};

// Inserts `count` empty lines after every `every` lines of a stack.
void spreadStack(std::vector<std::string>& stack, int every, int count)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < stack.size(); ++i) {
        out.push_back(std::move(stack[i]));
        if ((i + 1) % std::size_t(every) == 0)
            out.insert(out.end(), std::size_t(count), std::string());
    }
    stack = std::move(out);
}

// Files before "0301" knew fewer foundations and tableau piles, before "0303" fewer tableau piles:
// their missing lines are added empty in the table image and in every state of the history.
void upgrade(std::vector<std::string>& lines, SavedGameFile& file, std::string_view version)
{
    if (version < "0301") {
        if (lines.size() > 1)
            lines[1] += "00000000";
        for (const std::size_t at : {23, 24, 25, 26, 47, 48, 49, 50, 51})
            lines.insert(lines.begin() + std::ptrdiff_t(std::min(at, lines.size())), std::string());
        spreadStack(file.foundations, 8, 4);
        spreadStack(file.tableau, 20, 5);
    }
    if (version < "0303") {
        for (const std::size_t at : {52, 53})
            lines.insert(lines.begin() + std::ptrdiff_t(std::min(at, lines.size())), std::string());
        spreadStack(file.tableau, 26, 2);
    }
}

} // namespace

std::vector<std::string> savedGameLines(const SavedGameFile& f)
{
    std::vector<std::string> lines;
    lines.push_back("[S-" + std::string(SavedGameVersion) + "]" + zeroPadded(f.gameId, 4) + fnPadRight(f.backgroundBmp, 30)
                    + zeroPadded(numberOr(f.backgroundCol), 15) + fnPadRight(f.backgroundDef, 4) + f.cardSize
                    + fnPadRight(f.card, 9) + zeroPadded(numberOr(f.backCard), 4) + zeroPadded(f.seconds, 6)
                    + fnPadRight(f.scoringSystem, 2) + zeroPadded(f.score, 6) + zeroPadded(f.dealCounter, 6));
    std::string second = fnPadRight(f.player, 50) + fnPadRight(f.number, 15) + ' ';
    for (const int base : f.baseRanks)
        second += zeroPadded(base, 2);
    lines.push_back(second);
    lines.insert(lines.end(), 10, std::string());
    lines.insert(lines.end(), f.image.begin(), f.image.end());
    for (const auto& [marker, stack] : {std::pair{StockMarker, &f.stock}, {FoundationMarker, &f.foundations},
                                        {TableauMarker, &f.tableau}, {ReserveMarker, &f.reserves}}) {
        lines.emplace_back(marker);
        lines.insert(lines.end(), stack->begin(), stack->end());
    }
    lines.emplace_back(LogMarker);
    lines.push_back(f.log);
    return lines;
}

bool readSavedGame(std::vector<std::string> lines, SavedGameFile& f, std::string& error)
{
    f = SavedGameFile{};
    const std::string_view header = lines.empty() ? std::string_view{} : std::string_view(lines[0]);
    if (!header.starts_with("[S-") || header.size() < 13 || !fnAllDigits(GameIdColumn.of(header))) {
        error = "its first line is not the heading of a saved game.";
        return false;
    }
    const std::string version(VersionColumn.of(header));
    // The history first: the older layouts spread its stacks and move the image's lines.
    std::vector<std::string>* stack = nullptr;
    bool logNext = false;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (logNext) {
            f.log = line;
            logNext = false;
        } else if (line == StockMarker) {
            stack = &f.stock;
        } else if (line == FoundationMarker) {
            stack = &f.foundations;
        } else if (line == TableauMarker) {
            stack = &f.tableau;
        } else if (line == ReserveMarker) {
            stack = &f.reserves;
        } else if (line == LogMarker) {
            stack = nullptr;
            logNext = true;
        } else if (stack) {
            stack->push_back(line);
        }
    }
    upgrade(lines, f, version);
    if (lines.size() < ImageFirstLine + ImageLines) {
        error = "it ends before its table is whole.";
        return false;
    }
    const std::size_t states = f.stock.size() / StockLines;
    if (f.stock.size() % StockLines != 0 || f.foundations.size() != states * FoundationLines
        || f.tableau.size() != states * TableauLines || f.reserves.size() != states * ReserveLines) {
        error = "the parts of its undo history do not agree.";
        return false;
    }
    f.gameId = int(numberOr(GameIdColumn.of(header), -1));
    f.backgroundBmp = fnTrimRight(BmpColumn.of(header));
    f.backgroundCol = fnTrimRight(ColColumn.of(header));
    f.backgroundDef = fnTrimRight(DefColumn.of(header));
    f.cardSize = SizeColumn.of(header).empty() ? 'B' : SizeColumn.of(header)[0];
    f.card = fnTrimRight(CardColumn.of(header));
    f.backCard = fnTrimRight(BackColumn.of(header));
    f.seconds = numberOr(SecondsColumn.of(header), 0);
    f.scoringSystem = std::string(ScoringColumn.of(header));
    f.score = numberOr(ScoreColumn.of(header), 0);
    f.dealCounter = numberOr(DealColumn.of(header), 1);
    const std::string_view second = lines[1];
    f.player = fnTrimRight(PlayerColumn.of(second));
    f.number = fnTrimRight(NumberColumn.of(second));
    const std::string_view bases = BaseRanksColumn.of(second);
    for (std::size_t i = 0; i < f.baseRanks.size(); ++i)
        f.baseRanks[i] = int(numberOr(bases.substr(std::min(bases.size(), i * 2), 2), 0));
    for (std::size_t i = 0; i < ImageLines; ++i)
        f.image[i] = lines[ImageFirstLine + i];
    return true;
}

} // namespace kst
