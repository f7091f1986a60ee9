// kst-catalogue CATALOGUE_DIR PROGRAM_DIR: compiles the game definitions into GAMES.DAT and the
// rules help texts.
// kst-catalogue --overview CATALOGUE_DIR FILE: writes the overview of the games (GAMES.md).
// kst-catalogue --odds CATALOGUE_DIR [--deals N] [--nodes N] [--games ID,ID...]: solves the first
// deals of each game and writes the figures into its odds and measured lines.
// Each prints "file:line: message" for each error and exits with 1.
#include "catalogue/compiler/Catalogue.h"
#include "catalogue/compiler/Measure.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* Usage = "usage: kst-catalogue CATALOGUE_DIR PROGRAM_DIR\n"
                              "       kst-catalogue --overview CATALOGUE_DIR FILE\n"
                              "       kst-catalogue --odds CATALOGUE_DIR [--deals N] [--nodes N] [--games ID,ID...]";

int fail(const std::vector<std::string>& errors)
{
    for (const std::string& error : errors)
        std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
}

// A whole number minimum..maximum, nothing else.
template <typename Number>
bool parseNumber(std::string_view text, Number minimum, Number maximum, Number& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc{} && end == text.data() + text.size() && value >= minimum && value <= maximum;
}

bool parseIds(std::string_view text, std::vector<int>& ids)
{
    for (std::size_t start = 0;;) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        int id = 0;
        if (!parseNumber(text.substr(start, comma - start), 1, 999, id))
            return false;
        ids.push_back(id);
        if (comma == text.size())
            return true;
        start = comma + 1;
    }
}

// --odds CATALOGUE_DIR followed by its options, each with a value.
int measure(int argc, char** argv)
{
    kst::catalogue::MeasureOptions options;
    for (int i = 3; i < argc; i += 2) {
        const std::string option = argv[i];
        if (option != "--deals" && option != "--nodes" && option != "--games")
            return fail({"unknown option: " + option, Usage});
        if (i + 1 >= argc)
            return fail({option + " needs a value"});
        const std::string_view value = argv[i + 1];
        constexpr std::uint64_t mostNodes = std::numeric_limits<std::uint64_t>::max();
        const bool ok = option == "--deals"   ? parseNumber(value, 1, 32767, options.deals)
                        : option == "--nodes" ? parseNumber(value, std::uint64_t(1), mostNodes, options.nodes)
                                              : parseIds(value, options.games);
        if (!ok)
            return fail({"bad value for " + option + ": " + std::string(value)});
    }
    std::vector<std::string> errors;
    if (!kst::catalogue::measureCatalogue(argv[2], options, std::cout, errors))
        return fail(errors);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--odds") == 0)
        return measure(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--overview") == 0) {
        const kst::catalogue::Compiled compiled = kst::catalogue::compileSources(argv[2]);
        if (!compiled.errors.empty())
            return fail(compiled.errors);
        std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
        out << kst::catalogue::overview(compiled.games);
        out.close();
        return out ? 0 : fail({std::string(argv[3]) + ": cannot be written"});
    }
    if (argc != 3) {
        std::fprintf(stderr, "%s\n", Usage);
        return 1;
    }
    std::vector<std::string> errors;
    if (!kst::catalogue::compileFolder(argv[1], argv[2], errors))
        return fail(errors);
    return 0;
}
