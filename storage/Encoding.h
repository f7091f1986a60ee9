#pragma once
// Data files and every text inside the core are Windows-1252 byte strings. The edges (window
// texts, typed names, the console) are UTF-8; these two convert between them.

#include <optional>
#include <string>
#include <string_view>

namespace kst {

// Every byte has a meaning here: the five bytes that Windows-1252 leaves undefined map to the
// C1 control characters of the same number, so no data file byte is ever lost.
std::string cp1252ToUtf8(std::string_view bytes);

// Nothing when the text holds a character that Windows-1252 cannot hold, or is not valid UTF-8.
std::optional<std::string> utf8ToCp1252(std::string_view utf8);

} // namespace kst
