#pragma once
// The measurement of the catalogue's odds (kst-catalogue --odds): each game the solver plays has
// its first deals solved, and its file gets the figures on its `odds` and `measured` lines. Only
// those two lines change; every other byte of the file stays as it was.

#include "catalogue/compiler/Catalogue.h"

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kst::catalogue {

// The text of a game file with its odds and measured lines set from the measurement. Each line
// keeps its place, its line end and any comment after it; a missing measured line is added just
// after the odds line, and a missing odds line just after the game line, each with the line end
// found there. Meant for a file that compiles.
std::string withMeasurement(std::string_view text, const Measurement& measured);

struct MeasureOptions {
    int deals = 100;              // game numbers 1..deals
    std::uint64_t nodes = 200000; // per deal; a node limit, never a time, so that reruns agree
    std::vector<int> games;       // the ids to measure; empty: every game of the catalogue
};

// Measures the games of the catalogue folder and rewrites their files, writing one line per game
// to progress as it goes. Games the solver does not play are left as they are. False with the
// messages in errors when the catalogue does not compile (before or after), an id is unknown, a
// deal fails or a file cannot be written; the files already written keep their new figures.
bool measureCatalogue(const std::filesystem::path& catalogueDir, const MeasureOptions& options,
                      std::ostream& progress, std::vector<std::string>& errors);

} // namespace kst::catalogue
