#include "storage/Paths.h"

#include "storage/FileLookup.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace kst {

namespace {

char upper(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

// The rest of a name that starts with the folder word "DATA" ("DATA\STAT.DAT" gives
// "STAT.DAT", "DATA" gives ""); nothing when it does not start so.
std::optional<std::string_view> afterDataFolder(std::string_view relative)
{
    while (!relative.empty() && (relative.front() == '\\' || relative.front() == '/'))
        relative.remove_prefix(1);
    constexpr std::string_view word = "DATA";
    if (relative.size() < word.size())
        return std::nullopt;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (upper(relative[i]) != word[i])
            return std::nullopt;
    relative.remove_prefix(word.size());
    if (!relative.empty() && relative.front() != '\\' && relative.front() != '/')
        return std::nullopt;
    return relative;
}

bool isAbsolute(std::string_view name)
{
    return !name.empty() && name.front() == '/';
}

// Absolute, without "." and ".." and without a trailing "/".
std::string normalFolder(const fs::path& p)
{
    std::error_code ec;
    fs::path absolute = fs::absolute(p, ec);
    if (ec)
        absolute = p;
    std::string s = absolute.lexically_normal().string();
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}

bool holdsCatalogue(const std::string& folder)
{
    std::error_code ec;
    return fs::is_regular_file(findFile(folder, "GAMES.DAT"), ec);
}

std::string executableFolder(const PathInputs& in)
{
    if (in.executablePath.empty()) {
        std::error_code ec;
        return normalFolder(fs::current_path(ec));
    }
    return normalFolder(fs::path(normalFolder(in.executablePath)).parent_path());
}

std::optional<std::string> environmentValue(const char* name)
{
    const char* value = std::getenv(name);
    if (!value || !*value)
        return std::nullopt;
    return std::string(value);
}

} // namespace

// ---- ProgramFiles ----------------------------------------------------------------------------

ProgramFiles::ProgramFiles(std::string programDir, std::string dataDir)
    : m_programDir(std::move(programDir)), m_dataDir(std::move(dataDir))
{
}

std::string ProgramFiles::programFile(std::string_view relative) const
{
    if (isAbsolute(relative))
        return findFile("/", relative);
    if (const auto inData = afterDataFolder(relative))
        return findFile(m_dataDir, *inData);
    return findFile(m_programDir, relative);
}

std::string ProgramFiles::dataFile(std::string_view relative) const
{
    if (isAbsolute(relative))
        return findFile("/", relative);
    return findFile(m_dataDir, afterDataFolder(relative).value_or(relative));
}

// ---- resolution ------------------------------------------------------------------------------

std::string resolveProgramDir(const PathInputs& in)
{
    if (in.options.programDir)
        return normalFolder(*in.options.programDir);
    if (in.kestraneHome && !in.kestraneHome->empty())
        return normalFolder(*in.kestraneHome);
    const std::string own = executableFolder(in);
    if (holdsCatalogue(own))
        return own;
    const fs::path ownPath(own);
    if (ownPath.filename() == "bin") {
        const std::string installed = (ownPath.parent_path() / "share" / "kestrane").string();
        if (holdsCatalogue(installed))
            return installed;
    }
    return own;
}

std::string resolveDataDir(const PathInputs& in, const std::string& programDir)
{
    if (in.options.dataDir)
        return normalFolder(*in.options.dataDir);

    const std::string portable = findFile(programDir, "DATA");
    std::error_code ec;
    const bool portableUsable = fs::exists(portable, ec)
        ? fs::is_directory(portable, ec) && isWritableFolder(portable)
        : isWritableFolder(programDir);
    if (portableUsable)
        return normalFolder(portable);

    // Only an absolute XDG_DATA_HOME counts; a relative one is to be ignored.
    if (in.xdgDataHome && isAbsolute(*in.xdgDataHome))
        return normalFolder(fs::path(*in.xdgDataHome) / "kestrane" / "DATA");
    if (in.home && isAbsolute(*in.home))
        return normalFolder(fs::path(*in.home) / ".local" / "share" / "kestrane" / "DATA");
    // Nowhere better: the writes into it will report their failures.
    return normalFolder(portable);
}

ProgramFiles resolveProgramFiles(const PathInputs& in)
{
    std::string programDir = resolveProgramDir(in);
    std::string dataDir = resolveDataDir(in, programDir);
    return ProgramFiles(std::move(programDir), std::move(dataDir));
}

PathInputs currentPathInputs(const CommonOptions& options, std::string_view argv0)
{
    PathInputs in;
    in.options = options;
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    in.executablePath = ec ? std::string(argv0) : self.string();
    in.kestraneHome = environmentValue("KESTRANE_HOME");
    in.xdgDataHome = environmentValue("XDG_DATA_HOME");
    in.home = environmentValue("HOME");
    return in;
}

bool isWritableFolder(const std::string& folder)
{
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec))
        return false;
    std::random_device device;
    std::mt19937_64 names(device() ^ std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()));
    for (int attempt = 0; attempt < 4; ++attempt) {
        const fs::path probe = fs::path(folder) / (".kestrane-probe-" + std::to_string(names()));
        errno = 0;
        // "x": never touch a file that happens to have the probe's name.
        if (std::FILE* f = std::fopen(probe.c_str(), "wx")) {
            std::fclose(f);
            fs::remove(probe, ec);
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

bool ensureDataDir(const ProgramFiles& files)
{
    std::error_code ec;
    fs::create_directories(files.dataDir(), ec);
    return fs::is_directory(files.dataDir(), ec);
}

} // namespace kst
