#pragma once
// The positions a search has seen, by key. It starts small and doubles while it fills, never past
// its memory cap; once at the cap a full neighbourhood gives up an old key for the new one, and the
// table remembers that it forgot something.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kst::solver {

class TranspositionTable {
public:
    explicit TranspositionTable(std::size_t memoryBytes);
    void setMemory(std::size_t memoryBytes);
    // Forgets every key; keeps the storage of the first size.
    void clear();
    // True when the key was new (and is stored now), false when it was there already.
    bool insert(std::uint64_t key);
    bool contains(std::uint64_t key) const;
    std::uint64_t stored() const { return m_stored; }
    // Some key was given up for another since the last clear.
    bool forgot() const { return m_forgot; }
    std::size_t bytes() const { return m_slots.size() * sizeof(std::uint64_t); }

private:
    static constexpr std::size_t FirstSlots = std::size_t(1) << 11; // small: a round starts afresh often
    static constexpr std::size_t Probe = 8; // slots looked at for one key
    std::vector<std::uint64_t> m_slots;     // 0: empty
    std::size_t m_maxSlots;
    std::uint64_t m_stored = 0;
    bool m_forgot = false;
    std::size_t m_victim = 0; // turns round the neighbourhood for the key given up

    void grow();
    bool place(std::uint64_t key);
};

} // namespace kst::solver
