#include "stats/StatsFiles.h"

#include "storage/SectionFile.h"

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

std::string sectionFileDamage(
    const std::string& path,
    const std::function<std::string(const std::string& section, std::string_view key, std::string_view value)>&
        entryDamage)
{
    const LinesRead read = loadLines(path);
    if (read.unreadable)
        return "it cannot be read";
    std::set<std::string> sections;
    std::string section;
    for (const std::string& line : read.lines) {
        if (line.empty())
            continue;
        if (line.front() == '[') {
            section = line.size() >= 2 ? line.substr(1, line.size() - 2) : std::string();
            if (!sections.insert(section).second)
                return "the section [" + section + "] is there twice";
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            return "a line of section [" + section + "] is no entry";
        const std::string_view entry(line);
        if (std::string damage = entryDamage(section, entry.substr(0, eq), entry.substr(eq + 1)); !damage.empty())
            return damage;
    }
    return {};
}

} // namespace kst
