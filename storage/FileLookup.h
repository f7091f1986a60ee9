#pragma once
// Program files are named the old way: backslashes, any mix of case ("IMAGES\B001.BMP").
// These find them on a case-sensitive file system.

#include <string>
#include <string_view>
#include <vector>

namespace kst {

// Joins base and a relative name written with "\" or "/" and resolves every component
// without regard to case. When a component does not exist, the rest is joined as written,
// so the result is also the path at which to create a missing file.
std::string findFile(std::string_view base, std::string_view relative);

// Full paths of the files of a folder whose names match a pattern with "*" and "?", compared
// without regard to case; sorted by name. Empty when the folder is missing.
std::vector<std::string> findFiles(std::string_view directory, std::string_view pattern);

// True when name matches the pattern ("*" any run, "?" any one character), ignoring case.
bool matchesPattern(std::string_view name, std::string_view pattern);

} // namespace kst
