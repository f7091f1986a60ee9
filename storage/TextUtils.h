#pragma once
// The small text and number routines every part of the program shares. Texts are byte strings
// (Windows-1252); "blank" means the space character only. Counts and widths that are negative
// act as 0.

#include <string>
#include <string_view>
#include <vector>

namespace kst {

// ---- blanks, padding, pieces -----------------------------------------------------------------

std::string fnTrimRight(std::string_view text);
std::string fnTrimLeft(std::string_view text);
// Pads with blanks on the right to width, or keeps the first width characters.
std::string fnPadRight(std::string_view text, int width);
// The last n characters; the whole text when it is shorter.
std::string fnRight(std::string_view text, int n);
std::string fnRepeat(char c, int n);
// The text with its n characters from the 1-based position on replaced by insert. A text
// shorter than the position is first padded with blanks, so that insert lands at its column;
// a position below 1 counts as 1.
std::string fnSplice(std::string_view text, int position, int n, std::string_view insert);

// ---- numbers ---------------------------------------------------------------------------------

// The number rounded (half away from zero) to the decimals, right-aligned in width with zeros
// and a leading minus: -5 in width 4 gives "-005", 2.5 with one decimal and "," gives "02,5"
// in width 4. A number that needs more than width characters, or is not finite, gives width
// asterisks (so width 0 always gives the empty text). A value that rounds to zero has no minus.
std::string fnFormatNumber(double number, int width, int decimals, std::string_view decimalSeparator = ".");

// Hours zero-padded to hourDigits (more digits when the hours need them), then minutes and
// seconds with two digits each: 3725 with one hour digit gives "1:02:05". A negative time is
// shown as 0, since a time of play never is.
std::string fnSecondsToText(long seconds, int hourDigits, std::string_view timeSeparator = ":");

// True when every character is "0" to "9"; true for the empty text.
bool fnAllDigits(std::string_view text);
// The words of a line: the runs of characters between blanks, tabs and carriage returns.
std::vector<std::string_view> splitWords(std::string_view line);

// A whole decimal number (an optional "-", digits, nothing else), or fallback for any other text.
long numberOr(std::string_view text, long fallback = 0);

// A whole number in at least `digits` characters, zeros after the sign: 6 -> "006", -1 -> "-001".
std::string zeroPadded(long value, int digits);

// Whole-number power. A negative exponent gives the whole part of the quotient (0 unless base is
// 1 or -1); a result beyond the range of long long is held at the nearer end of the range.
long long power(long long base, int exponent);
long long maximum(long long a, long long b);

// ---- data-file texts -------------------------------------------------------------------------

// The lines following every line that begins with header, each run ending before the next line
// that begins with "[" (empty lines included).
std::vector<std::string> fnExtractSection(const std::vector<std::string>& lines, std::string_view header);

// The catalogue's per-character shift: a stored byte of code 80 or more reads as the code minus
// 48, any other as the code plus 48 (so code 96 reads as "0").
std::string characterShift(std::string_view text);

// Replaces the first "[Program]" and the first "[Program_sw]" by the product title.
std::string fnPlaceholders(std::string_view text);

} // namespace kst
