// kst-catalogue CATALOGUE_DIR PROGRAM_DIR: compiles the game definitions into GAMES.DAT and the
// rules help texts.
// kst-catalogue --overview CATALOGUE_DIR FILE: writes the overview of the games (GAMES.md).
// Either prints "file:line: message" for each error and exits with 1.
#include "catalogue/compiler/Catalogue.h"

#include <cstdio>
#include <cstring>
#include <fstream>

namespace {

int fail(const std::vector<std::string>& errors)
{
    for (const std::string& error : errors)
        std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
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
        std::fprintf(stderr, "usage: kst-catalogue CATALOGUE_DIR PROGRAM_DIR\n"
                             "       kst-catalogue --overview CATALOGUE_DIR FILE\n");
        return 1;
    }
    std::vector<std::string> errors;
    if (!kst::catalogue::compileFolder(argv[1], argv[2], errors))
        return fail(errors);
    return 0;
}
