#pragma once
// Where the running program finds its own files (GAMES.DAT, KST.RGF, IMAGES/, SOUNDS/ ...) and
// where it keeps the player's data files (the DATA folder). Paths are joined with "/", and
// names written the old way ("IMAGES\B001.BMP", "DATA\STAT.DAT") are found whatever their case.

#include "storage/CommandLine.h"

#include <optional>
#include <string>
#include <string_view>

namespace kst {

class ProgramFiles {
public:
    ProgramFiles() = default;
    ProgramFiles(std::string programDir, std::string dataDir);

    // Both without a trailing "/".
    const std::string& programDir() const { return m_programDir; }
    const std::string& dataDir() const { return m_dataDir; }

    // A file of the program folder. A name starting with "DATA\" (or the name "DATA" itself)
    // means the data folder, wherever that lies. An absolute name is kept as it is.
    std::string programFile(std::string_view relative) const;
    // A file of the data folder: "STAT.DAT" or "DATA\STAT.DAT".
    std::string dataFile(std::string_view relative) const;

private:
    std::string m_programDir;
    std::string m_dataDir;
};

// Everything the choice of the two folders depends on besides the file system.
struct PathInputs {
    CommonOptions options;
    std::string executablePath;              // the running program's own file
    std::optional<std::string> kestraneHome; // $KESTRANE_HOME
    std::optional<std::string> xdgDataHome;  // $XDG_DATA_HOME
    std::optional<std::string> home;         // $HOME
};

// The program folder: --program-dir, else $KESTRANE_HOME, else the executable's folder when it
// holds GAMES.DAT, else <prefix>/share/kestrane of an installed copy (<prefix>/bin/<program>)
// when that holds GAMES.DAT, else the executable's folder (where a missing catalogue is then
// reported).
std::string resolveProgramDir(const PathInputs& in);

// The data folder: --data-dir, else programDir/DATA when it can be written (or created there),
// else $XDG_DATA_HOME/kestrane/DATA, else ~/.local/share/kestrane/DATA.
std::string resolveDataDir(const PathInputs& in, const std::string& programDir);

ProgramFiles resolveProgramFiles(const PathInputs& in);

// The inputs of the running process: its environment and its own file (argv0 when the system
// does not say where the executable lies).
PathInputs currentPathInputs(const CommonOptions& options, std::string_view argv0);

// True when a file can be created in the folder; found out by creating and removing one, since
// permission bits say nothing for a privileged user or a read-only mount.
bool isWritableFolder(const std::string& folder);

// Creates the data folder (and its parents) when missing; true when it exists afterwards.
bool ensureDataDir(const ProgramFiles& files);

} // namespace kst
