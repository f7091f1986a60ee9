#include "solver/TranspositionTable.h"

#include <algorithm>
#include <bit>

namespace kst::solver {
namespace {

std::uint64_t nonZero(std::uint64_t key) { return key == 0 ? 1 : key; }

} // namespace

TranspositionTable::TranspositionTable(std::size_t memoryBytes)
{
    setMemory(memoryBytes);
    clear();
}

void TranspositionTable::setMemory(std::size_t memoryBytes)
{
    const std::size_t slots = std::max<std::size_t>(memoryBytes / sizeof(std::uint64_t), FirstSlots);
    m_maxSlots = std::bit_floor(slots);
}

void TranspositionTable::clear()
{
    if (m_slots.size() != FirstSlots) {
        m_slots.assign(FirstSlots, 0);
        m_slots.shrink_to_fit();
    } else {
        std::fill(m_slots.begin(), m_slots.end(), 0);
    }
    m_stored = 0;
    m_forgot = false;
}

bool TranspositionTable::contains(std::uint64_t key) const
{
    key = nonZero(key);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = 0, at = std::size_t(key) & mask; i < Probe; ++i, at = (at + 1) & mask) {
        if (m_slots[at] == key)
            return true;
        if (m_slots[at] == 0)
            return false;
    }
    return false;
}

bool TranspositionTable::place(std::uint64_t key)
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = 0, at = std::size_t(key) & mask; i < Probe; ++i, at = (at + 1) & mask) {
        if (m_slots[at] == key)
            return false;
        if (m_slots[at] == 0) {
            m_slots[at] = key;
            ++m_stored;
            return true;
        }
    }
    if (m_slots.size() < m_maxSlots) {
        grow();
        return place(key);
    }
    // At the cap: one of the neighbourhood's keys makes room.
    m_slots[(std::size_t(key) + m_victim++ % Probe) & mask] = key;
    m_forgot = true;
    return true;
}

bool TranspositionTable::insert(std::uint64_t key)
{
    key = nonZero(key);
    // Past three quarters full, probing gets long: grow first while the cap allows.
    if (m_stored * 4 >= m_slots.size() * 3 && m_slots.size() < m_maxSlots)
        grow();
    return place(key);
}

void TranspositionTable::grow()
{
    std::vector<std::uint64_t> old(m_slots.size() * 2, 0);
    old.swap(m_slots);
    m_stored = 0;
    for (const std::uint64_t key : old)
        if (key != 0)
            place(key);
}

} // namespace kst::solver
