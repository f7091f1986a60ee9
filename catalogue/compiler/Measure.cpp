#include "catalogue/compiler/Measure.h"

#include "solver/Odds.h"
#include "storage/Encoding.h"
#include "storage/SectionFile.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace kst::catalogue {

namespace {

// A line of a file and what closed it: "\n", "\r\n", or nothing for an unclosed last line.
struct Line {
    std::string body;
    std::string end;
};

std::vector<Line> linesWithEnds(std::string_view text)
{
    std::vector<Line> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t newline = text.find('\n', start);
        if (newline == std::string_view::npos) {
            lines.push_back({std::string(text.substr(start)), ""});
            break;
        }
        const bool crlf = newline > start && text[newline - 1] == '\r';
        const std::size_t bodyEnd = crlf ? newline - 1 : newline;
        lines.push_back({std::string(text.substr(start, bodyEnd - start)), crlf ? "\r\n" : "\n"});
        start = newline + 1;
    }
    return lines;
}

// The first line whose statement starts with the keyword. Statements start at the margin and the
// lines of rules and scenario blocks are indented, so only a statement can match.
std::optional<std::size_t> findStatement(const std::vector<Line>& lines, std::string_view keyword)
{
    constexpr std::string_view wordEnds = " \t\r#";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& body = lines[i].body;
        if (body.starts_with(keyword)
            && (body.size() == keyword.size() || wordEnds.find(body[keyword.size()]) != std::string_view::npos))
            return i;
    }
    return std::nullopt;
}

// The line's statement replaced; the blanks and the comment after it stay.
void restate(Line& line, const std::string& statement)
{
    const std::size_t comment = line.body.find('#');
    const std::size_t last = line.body.find_last_not_of(" \t\r", comment == std::string::npos ? comment : comment - 1);
    line.body = statement + line.body.substr(last + 1);
}

// A new line after lines[at] (before the first line when there is no at), ended as the line
// before it is; a file whose last line was unclosed keeps its last line unclosed.
std::size_t insertAfter(std::vector<Line>& lines, std::optional<std::size_t> at, const std::string& body)
{
    std::string end = "\n";
    const auto closed = std::find_if(lines.begin(), lines.end(), [](const Line& l) { return !l.end.empty(); });
    if (at && !lines[*at].end.empty())
        end = lines[*at].end;
    else if (closed != lines.end())
        end = closed->end;
    if (!at) {
        lines.insert(lines.begin(), Line{body, end});
        return 0;
    }
    Line added{body, end};
    if (lines[*at].end.empty())
        std::swap(added.end, lines[*at].end);
    lines.insert(lines.begin() + std::ptrdiff_t(*at + 1), added);
    return *at + 1;
}

std::string progressLine(const Game& game, const solver::OddsCount& count)
{
    std::string name = cp1252ToUtf8(game.name);
    name += std::string(game.name.size() < 32 ? 32 - game.name.size() : 1, ' ');
    char figures[96];
    if (!count.supported) {
        std::snprintf(figures, sizeof figures, "not played by the solver, left as it is");
    } else {
        std::snprintf(figures, sizeof figures, "won %5lld  lost %5lld  unknown %5lld  %9.1f s", count.won,
                      count.lost, count.unknown, count.totalSeconds());
    }
    char id[8];
    std::snprintf(id, sizeof id, "%4d  ", game.id);
    return id + name + figures + "\n";
}

bool wanted(const MeasureOptions& options, int id)
{
    return options.games.empty() || std::find(options.games.begin(), options.games.end(), id) != options.games.end();
}

} // namespace

std::string withMeasurement(std::string_view text, const Measurement& measured)
{
    std::vector<Line> lines = linesWithEnds(text);
    std::optional<std::size_t> odds = findStatement(lines, "odds");
    if (odds)
        restate(lines[*odds], oddsLine(oddsFrom(measured)));
    else
        odds = insertAfter(lines, findStatement(lines, "game"), oddsLine(oddsFrom(measured)));
    if (const auto at = findStatement(lines, "measured"))
        restate(lines[*at], measuredLine(measured));
    else
        insertAfter(lines, odds, measuredLine(measured));
    std::string out;
    out.reserve(text.size() + 64);
    for (const Line& line : lines)
        out += line.body + line.end;
    return out;
}

bool measureCatalogue(const std::filesystem::path& catalogueDir, const MeasureOptions& options,
                      std::ostream& progress, std::vector<std::string>& errors)
{
    const Compiled compiled = compileSources(catalogueDir);
    if (!compiled.errors.empty()) {
        errors.insert(errors.end(), compiled.errors.begin(), compiled.errors.end());
        return false;
    }
    bool ok = true;
    for (const int id : options.games) {
        if (std::none_of(compiled.games.begin(), compiled.games.end(), [&](const Game& g) { return g.id == id; })) {
            errors.push_back(catalogueDir.string() + ": no game " + std::to_string(id) + " in the catalogue");
            ok = false;
        }
    }
    if (!ok)
        return false;

    solver::Limits limits;
    limits.nodes = options.nodes;
    for (const Game& game : compiled.games) {
        if (!wanted(options, game.id))
            continue;
        const std::filesystem::path path = catalogueDir / game.path;
        const solver::OddsCount count = solver::measureOdds(game.id, ruleTable(game), 1, options.deals, limits);
        if (!count.error.empty()) {
            errors.push_back(path.string() + ": " + count.error);
            ok = false;
            continue;
        }
        if (count.supported) {
            std::string text;
            if (!readSource(path, text)) {
                errors.push_back(path.string() + ": cannot be read");
                return false;
            }
            const Measurement measured{0, options.deals, int(count.won), int(count.lost)};
            const std::string rewritten = withMeasurement(text, measured);
            if (rewritten != text) {
                if (const ReplaceResult written = replaceFileSafely(path.string(), rewritten); !written.ok) {
                    errors.push_back(path.string() + ": " + written.message);
                    return false;
                }
            }
        }
        progress << progressLine(game, count) << std::flush;
    }
    // What was written must compile, each game's odds agreeing with its measurement.
    const Compiled after = compileSources(catalogueDir);
    errors.insert(errors.end(), after.errors.begin(), after.errors.end());
    return ok && after.errors.empty();
}

} // namespace kst::catalogue
