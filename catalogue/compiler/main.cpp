// kst-catalogue CATALOGUE_DIR PROGRAM_DIR: compiles the game definitions into GAMES.DAT and the
// rules help texts; prints "file:line: message" for each error and exits with 1.
#include "catalogue/compiler/Catalogue.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: kst-catalogue CATALOGUE_DIR PROGRAM_DIR\n");
        return 1;
    }
    std::vector<std::string> errors;
    if (!kst::catalogue::compileFolder(argv[1], argv[2], errors)) {
        for (const std::string& error : errors)
            std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}
