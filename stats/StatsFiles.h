#pragma once
// The four files of the statistics subsystem in the DATA folder, and what their work needs from
// the outside: the boxes that tell the player, the pointer, the clock (dates of hi-scores and of
// kept damaged files), the random digits that fill the overall-score values and the locale's time
// separator. Every routine of stats/ takes one StatsFiles.

#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "platform/Pointer.h"
#include "platform/Random.h"

#include <functional>
#include <set>
#include <string>
#include <string_view>

namespace kst {

struct StatsPorts {
    MessageBoxes& messages;
    PointerShapes& pointer;
    Clock& clock;
    RandomSource& random;
    LocaleFormat locale;
};

class StatsFiles {
public:
    StatsFiles(std::string dataDir, StatsPorts ports);

    std::string statPath() const;    // STAT.DAT: per player and game, counts and streaks
    std::string logPath() const;     // STAT_LOG.DAT: one line per game played
    std::string scoresPath() const;  // STAT_SCR.DAT: the hi-score tables
    std::string overallPath() const; // STAT_GLO.DAT: the overall score

    MessageBoxes& messages() { return m_ports.messages; }
    PointerShapes& pointer() { return m_ports.pointer; }
    Clock& clock() { return m_ports.clock; }
    RandomSource& random() { return m_ports.random; }
    // The one character between hours, minutes and seconds in the files.
    char timeSeparator() const;

    // Tells the player that the file is damaged and kept as it is; once per file for the life of
    // this object, so that a damaged file read at every game does not ask for OK every time.
    void reportDamage(const std::string& path, std::string_view what);

private:
    std::string m_dataDir;
    StatsPorts m_ports;
    std::set<std::string> m_reported; // files already reported damaged
};

// What is wrong with a section file (empty when nothing is): unreadable, a section twice, a line
// that is no entry, or an entry that `entryDamage` (section, key, value) finds wrong.
std::string sectionFileDamage(
    const std::string& path,
    const std::function<std::string(const std::string& section, std::string_view key, std::string_view value)>&
        entryDamage);

} // namespace kst
