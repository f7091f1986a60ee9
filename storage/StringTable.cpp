#include "storage/StringTable.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace kst {

namespace {

struct Entry {
    int number;
    std::string_view text;
};

// Sorted by number for the binary search below.
constexpr Entry kEnglish[] = {
    {Language + 31, "This file already exists.\rReplace existing file?"},
    {Language + 1601, "Save game"},
    {Language + 1602, "Open game"},
    {Language + 1803, "Add a player"},
    {Language + 1804, "Edit a player"},
    {Language + 1806, "Select a player."},
    {Language + 1905, "Won"},
    {Language + 1906, "Lost"},
    {Language + 1907, "Total"},
    {Language + 1908, "Percent"},
    {Language + 1909, "Current"},
    {Language + 1915, "won"},
    {Language + 1916, "lost"},
    {Language + 1917, "won"},
    {Language + 1918, "lost"},
    {Language + 1919, "Game"},
    {Language + 2001, "Date"},
    {Language + 2002, "Start"},
    {Language + 2003, "Time"},
    {Language + 2004, "Game"},
    {Language + 2005, "W/L"},
    {Language + 2007, "Score"},
    {Language + 2008, "Player"},
    {Language + 2009, "Won"},
    {Language + 2010, "Lost"},
};

constexpr bool strictlyIncreasing()
{
    for (std::size_t i = 1; i < std::size(kEnglish); ++i)
        if (kEnglish[i - 1].number >= kEnglish[i].number)
            return false;
    return true;
}
static_assert(strictlyIncreasing(), "string numbers must be sorted and unique");

} // namespace

std::string languageString(int language, int n)
{
    // A wrapped sum cannot name a string; the table is far from the ends of int.
    const long long number = (long long)language + n;
    const auto it = std::lower_bound(std::begin(kEnglish), std::end(kEnglish), number,
                                     [](const Entry& e, long long value) { return e.number < value; });
    if (it == std::end(kEnglish) || it->number != number)
        return {};
    return std::string(it->text);
}

} // namespace kst
