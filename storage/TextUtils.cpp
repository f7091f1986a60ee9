#include "storage/TextUtils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace kst {

// ---- blanks, padding, pieces -----------------------------------------------------------------

std::string fnTrimRight(std::string_view text)
{
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string fnTrimLeft(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string fnPadRight(std::string_view text, int width)
{
    const std::size_t w = std::size_t(std::max(width, 0));
    std::string out(text.substr(0, w));
    out.resize(w, ' ');
    return out;
}

std::string fnRight(std::string_view text, int n)
{
    const std::size_t count = std::min(std::size_t(std::max(n, 0)), text.size());
    return std::string(text.substr(text.size() - count));
}

std::string fnRepeat(char c, int n)
{
    return std::string(std::size_t(std::max(n, 0)), c);
}

std::string fnSplice(std::string_view text, int position, int n, std::string_view insert)
{
    const std::size_t start = std::size_t(std::max(position, 1) - 1);
    std::string out(text);
    if (out.size() < start)
        out.resize(start, ' ');
    const std::size_t count = std::min(std::size_t(std::max(n, 0)), out.size() - start);
    out.replace(start, count, insert);
    return out;
}

// ---- numbers ---------------------------------------------------------------------------------

std::string fnFormatNumber(double number, int width, int decimals, std::string_view decimalSeparator)
{
    width = std::max(width, 0);
    decimals = std::max(decimals, 0);
    const std::string overflow(std::size_t(width), '*');
    if (!std::isfinite(number))
        return overflow;
    // Rounding the scaled value rounds halves away from zero, as a player expects of 2.5.
    const double scaled = std::round(number * std::pow(10.0, decimals));
    if (!std::isfinite(scaled))
        return overflow;

    char buffer[400]; // the largest double has 309 digits
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(scaled), std::chars_format::fixed, 0);
    if (ec != std::errc())
        return overflow;
    std::string digits(buffer, end);
    if (decimals > 0) {
        if (digits.size() <= std::size_t(decimals))
            digits.insert(0, std::size_t(decimals) + 1 - digits.size(), '0');
        digits.insert(digits.size() - std::size_t(decimals), decimalSeparator);
    }
    const bool negative = scaled < 0; // -0.4 rounds to zero and shows no minus
    const std::size_t length = digits.size() + (negative ? 1 : 0);
    if (length > std::size_t(width))
        return overflow;
    return (negative ? "-" : "") + std::string(std::size_t(width) - length, '0') + digits;
}

std::string fnSecondsToText(long seconds, int hourDigits, std::string_view timeSeparator)
{
    const long s = std::max(seconds, 0L);
    const auto twoDigits = [](long v) { return std::string{char('0' + v / 10), char('0' + v % 10)}; };
    std::string hours = std::to_string(s / 3600);
    if (hours.size() < std::size_t(std::max(hourDigits, 0)))
        hours.insert(0, std::size_t(hourDigits) - hours.size(), '0');
    return hours + std::string(timeSeparator) + twoDigits(s % 3600 / 60) + std::string(timeSeparator)
        + twoDigits(s % 60);
}

std::vector<std::string_view> splitWords(std::string_view line)
{
    std::vector<std::string_view> out;
    for (std::size_t at = 0; at < line.size();) {
        at = line.find_first_not_of(" \t\r", at);
        if (at == std::string_view::npos)
            break;
        const std::size_t end = std::min(line.find_first_of(" \t\r", at), line.size());
        out.push_back(line.substr(at, end - at));
        at = end;
    }
    return out;
}

bool fnAllDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

long numberOr(std::string_view text, long fallback)
{
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty() ? value : fallback;
}

std::string zeroPadded(long value, int digits)
{
    // The magnitude as unsigned, so that the most negative long has one too.
    const unsigned long magnitude = value < 0 ? 0ul - (unsigned long)value : (unsigned long)value;
    const std::string number = std::to_string(magnitude);
    const std::size_t width = std::size_t(std::max(digits - (value < 0 ? 1 : 0), 0));
    return (value < 0 ? "-" : "") + std::string(number.size() < width ? width - number.size() : 0, '0') + number;
}

long long power(long long base, int exponent)
{
    constexpr long long maxValue = std::numeric_limits<long long>::max();
    constexpr long long minValue = std::numeric_limits<long long>::min();
    const bool negative = base < 0 && exponent % 2 != 0;
    if (base == 0)
        return exponent == 0 ? 1 : 0;
    if (base == 1 || base == -1)
        return negative ? -1 : 1;
    if (exponent < 0)
        return 0;
    // |base| >= 2, so the magnitude leaves the range within 64 turns.
    const unsigned long long magnitude = base < 0 ? 0ULL - (unsigned long long)base : (unsigned long long)base;
    const unsigned long long limit = negative ? (unsigned long long)maxValue + 1 : (unsigned long long)maxValue;
    unsigned long long result = 1;
    for (int i = 0; i < exponent; ++i) {
        if (result > limit / magnitude)
            return negative ? minValue : maxValue;
        result *= magnitude;
    }
    if (negative)
        return result == (unsigned long long)maxValue + 1 ? minValue : -(long long)result;
    return (long long)result;
}

long long maximum(long long a, long long b)
{
    return std::max(a, b);
}

// ---- data-file texts -------------------------------------------------------------------------

std::vector<std::string> fnExtractSection(const std::vector<std::string>& lines, std::string_view header)
{
    std::vector<std::string> out;
    bool inside = false;
    for (const std::string& line : lines) {
        if (line.starts_with(header))
            inside = true;
        else if (line.starts_with('['))
            inside = false;
        else if (inside)
            out.push_back(line);
    }
    return out;
}

std::string characterShift(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        const unsigned code = static_cast<unsigned char>(c);
        c = static_cast<char>(code >= 80 ? code - 48 : code + 48);
    }
    return out;
}

std::string fnPlaceholders(std::string_view text)
{
    static constexpr std::string_view title = "Kestrane 2000";
    std::string out(text);
    for (const std::string_view tag : {std::string_view("[Program]"), std::string_view("[Program_sw]")}) {
        if (const std::size_t at = out.find(tag); at != std::string::npos)
            out.replace(at, tag.size(), title);
    }
    return out;
}

} // namespace kst
