#include "storage/SessionStore.h"

#include <algorithm>
#include <cassert>

namespace kst {

namespace {

std::string_view withoutLeadingBlanks(std::string_view value)
{
    const std::size_t first = value.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : value.substr(first);
}

// The store keeps the directory with its trailing separator, so that a relative name can follow
// it directly. An empty directory stays empty: it means the current one.
std::string programDirText(std::string_view programDir)
{
    std::string dir(programDir);
    if (!dir.empty() && dir.back() != '/' && dir.back() != '\\')
        dir += '/';
    return dir;
}

} // namespace

SessionStore::SessionStore()
{
    m_cells.fill(' ');
}

SessionStore::SessionStore(std::string_view programDir) : SessionStore()
{
    fnStoreSet(Fld::CfgFile, "DATA\\CFG.DAT");
    fnStoreSet(Fld::ProgramDir, programDirText(programDir));
}

bool SessionStore::isInside(int position, int length)
{
    return position >= 1 && length >= 0 && position <= Size && length <= Size - position + 1;
}

void SessionStore::fnStoreSet(int position, int length, std::string_view value)
{
    assert(isInside(position, length));
    if (!isInside(position, length))
        return;
    const std::string_view text = withoutLeadingBlanks(value);
    const std::size_t width = std::size_t(length);
    const std::size_t kept = std::min(text.size(), width);
    const auto field = m_cells.begin() + (position - 1);
    std::copy_n(text.begin(), kept, field);
    std::fill(field + std::ptrdiff_t(kept), field + std::ptrdiff_t(width), ' ');
}

std::string SessionStore::fnStoreGet(int position, int length) const
{
    assert(isInside(position, length));
    if (!isInside(position, length))
        return {};
    std::string text(m_cells.begin() + (position - 1), m_cells.begin() + (position - 1 + length));
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

void SessionStore::resetSessionCounters()
{
    fnStoreSet(Fld::SessionWon, "0000");
    fnStoreSet(Fld::SessionLost, "0000");
}

bool SessionStore::fits(Field field, std::string_view value)
{
    return withoutLeadingBlanks(value).size() <= std::size_t(std::max(field.length, 0));
}

bool SessionStore::programDirFits(std::string_view programDir)
{
    return fits(Fld::ProgramDir, programDirText(programDir));
}

} // namespace kst
