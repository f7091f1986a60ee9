#pragma once
// The options both programs share: where the program files and the DATA folder are. They may
// stand anywhere among the arguments ("kestrane-cli --data-dir D games" or "... games --data-dir D"),
// as "--program-dir DIR" or "--program-dir=DIR".

#include <optional>
#include <string>
#include <vector>

namespace kst {

struct CommonOptions {
    std::optional<std::string> programDir;
    std::optional<std::string> dataDir;
};

struct ParsedCommandLine {
    CommonOptions common;
    // Every other argument, in the order given.
    std::vector<std::string> rest;
    // Empty when the arguments were understood; otherwise what was wrong with them.
    std::string error;
    bool ok() const { return error.empty(); }
};

// A common option given twice keeps its last value, as usual for command lines.
ParsedCommandLine parseCommonOptions(const std::vector<std::string>& args);

// The lines that describe the common options in a usage text.
std::string commonOptionsUsage();

} // namespace kst
