#include "tools/Cli.h"

#include "storage/Encoding.h"
#include "table/Layout.h"

#include <charconv>
#include <optional>
#include <string>

namespace kst::cli {
namespace {

std::optional<int> parseNumber(std::string_view text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

constexpr std::string_view kUsage =
    "usage: layout GAME --width W --height H --top T --bottom B --screen SWxSH --card B|M|L|F [--shadow Y|N]";

} // namespace

int runLayout(const Invocation& inv)
{
    std::optional<std::string> game;
    std::optional<int> width, height, top, bottom;
    std::optional<Size> screen;
    std::optional<char> card;
    bool shadow = true;
    for (std::size_t i = 0; i < inv.args.size(); ++i) {
        const std::string& arg = inv.args[i];
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            if (game)
                return badInput(inv.err, kUsage);
            game = arg;
            continue;
        }
        if (i + 1 >= inv.args.size())
            return badInput(inv.err, arg + " needs a value");
        const std::string& value = inv.args[++i];
        const auto number = [&](std::optional<int>& into) {
            into = parseNumber(value);
            return into.has_value();
        };
        bool ok = false;
        if (arg == "--width")
            ok = number(width);
        else if (arg == "--height")
            ok = number(height);
        else if (arg == "--top")
            ok = number(top);
        else if (arg == "--bottom")
            ok = number(bottom);
        else if (arg == "--screen") {
            const std::size_t x = value.find('x');
            const auto w = parseNumber(std::string_view(value).substr(0, x));
            const auto h = x == std::string::npos ? std::nullopt : parseNumber(std::string_view(value).substr(x + 1));
            if ((ok = w && h))
                screen = Size{*w, *h};
        } else if (arg == "--card") {
            if ((ok = value == "B" || value == "M" || value == "L" || value == std::string(1, FitCardSize)))
                card = value.front();
        } else if (arg == "--shadow") {
            ok = value == "Y" || value == "N";
            shadow = value == "Y";
        } else {
            return badInput(inv.err, "unknown option: " + arg);
        }
        if (!ok)
            return badInput(inv.err, "bad value for " + arg + ": " + value);
    }
    if (!game || !width || !height || !top || !bottom || !screen || !card)
        return badInput(inv.err, kUsage);

    GameCatalogue catalogue;
    if (!loadCatalogue(inv, catalogue))
        return ExitBadInput;
    const int id = resolveGame(inv, catalogue, *game);
    if (id < 0)
        return ExitBadInput;
    RuleTable rules;
    if (const CatalogueResult loaded = catalogue.loadRules(id, rules); !loaded.ok)
        return badInput(inv.err, cp1252ToUtf8(loaded.message));

    LayoutInputs in{*width, *height, *top, *bottom, *screen, cardSizeFor(*card, {}), shadow};
    if (*card == FitCardSize) {
        in = withFitCard(in, fitCardSize(rules, in).width);
        inv.out << "Card=" << in.card.width << 'x' << in.card.height << '\n';
    }
    const PilePositions positions = fnComputeLayout(rules, in);
    forEachPile(PileGroups{}, [&](PileRef ref, const std::string&) {
        if (positions.isPlaced(ref)) {
            const Point p = positions.at(ref);
            inv.out << pileName(ref) << '=' << p.x << ',' << p.y << '\n';
        }
    });
    return ExitOk;
}

} // namespace kst::cli
