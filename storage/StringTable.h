#pragma once
// The user-interface strings that the program looks up by number: string Language + n.

#include <string>

namespace kst {

// Base number of the user-interface strings; the session's Language field holds it too.
inline constexpr int Language = 20000;

// String number language + n of the English table; empty when there is no such string.
std::string languageString(int language, int n);

} // namespace kst
