#pragma once
// Reads the list of pictures of a resource library file (rcc --binary) without Qt, for
// kestrane-cli and the tests: the names of the top-level "<NAME>.png" entries and the sizes from
// their PNG headers.

#include "platform/Geometry.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kst {

struct ResourcePictures {
    std::vector<std::pair<std::string, Size>> pictures; // sorted by name
    std::string error;                                  // why the file was refused, when it was
};

// Refuses (empty list, error set) a missing file, a file that is not a resource file, one whose
// entries leave the file, a compressed picture entry or a picture that is not a PNG.
ResourcePictures readResourcePictures(const std::string& path);

} // namespace kst
