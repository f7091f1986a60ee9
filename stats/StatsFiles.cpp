#include "stats/StatsFiles.h"

namespace kst {

StatsFiles::StatsFiles(std::string dataDir, StatsPorts ports) : m_dataDir(std::move(dataDir)), m_ports(ports) {}

std::string StatsFiles::statPath() const { return m_dataDir + "/STAT.DAT"; }
std::string StatsFiles::logPath() const { return m_dataDir + "/STAT_LOG.DAT"; }
std::string StatsFiles::scoresPath() const { return m_dataDir + "/STAT_SCR.DAT"; }
std::string StatsFiles::overallPath() const { return m_dataDir + "/STAT_GLO.DAT"; }

char StatsFiles::timeSeparator() const
{
    // A separator of another length would shift every later column of the fixed-width lines.
    const std::string& separator = m_ports.locale.timeSeparator;
    return separator.size() == 1 ? separator.front() : ':';
}

void StatsFiles::reportDamage(const std::string& path, std::string_view what)
{
    if (!m_reported.insert(path).second)
        return;
    m_ports.messages.information("The file " + path + " is damaged: " + std::string(what) + ".\r"
                                 + "Its readable records are used; the file is kept as it is.");
}

} // namespace kst
