#include "storage/Paths.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace kst {
namespace {

// Folders laid out as real copies of the program would be: a portable copy, an installed copy
// (<prefix>/bin and <prefix>/share/kestrane), and a bare executable without its files.
class PathsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* file : {"opt/GAMES.DAT", "home/GAMES.DAT", "portable/kestrane", "portable/games.dat",
                                 "inst/bin/kestrane", "inst/share/kestrane/GAMES.DAT", "both/bin/kestrane",
                                 "both/bin/GAMES.DAT", "both/share/kestrane/GAMES.DAT", "bare/bin/kestrane",
                                 "datafile/DATA", "mixed/Data/stat.dat", "mixed/Images/b001.bmp"})
            m_tmp.write(file, "x");
    }
    std::string at(const std::string& relative) const { return m_tmp.file(relative); }

    test::TempDir m_tmp{"paths"};
};

TEST_F(PathsTest, ProgramDirComesFromTheOptionTheVariableOrBesideTheExecutable)
{
    const struct {
        const char* option;       // relative to the temporary root; nullptr: not given
        const char* kestraneHome; // likewise; "" stands for a variable set but empty
        const char* executable;
        const char* expected;
    } cases[] = {
        {"opt", "home", "portable/kestrane", "opt"},
        {nullptr, "home", "portable/kestrane", "home"},
        {nullptr, "", "portable/kestrane", "portable"},
        {nullptr, nullptr, "portable/kestrane", "portable"},
        {nullptr, nullptr, "inst/bin/kestrane", "inst/share/kestrane"},
        {nullptr, nullptr, "both/bin/kestrane", "both/bin"},
        {nullptr, nullptr, "bare/bin/kestrane", "bare/bin"},
        // Named folders are taken as given, catalogue or not, in their plain form.
        {"opt/../bare/", nullptr, "portable/kestrane", "bare"},
        {nullptr, "inst/bin/", "portable/kestrane", "inst/bin"},
    };
    for (const auto& c : cases) {
        PathInputs in;
        if (c.option)
            in.options.programDir = at(c.option);
        if (c.kestraneHome)
            in.kestraneHome = *c.kestraneHome ? at(c.kestraneHome) : std::string();
        in.executablePath = at(c.executable);
        EXPECT_EQ(resolveProgramDir(in), at(c.expected)) << c.executable << " " << (c.option ? c.option : "");
    }
}

TEST_F(PathsTest, DataDirIsBesideTheProgramOnlyWhereItCanBeWritten)
{
    const std::string xdg = at("xdg");
    const std::string home = at("userhome");
    const struct {
        std::string programDir;
        std::optional<std::string> option;
        std::optional<std::string> xdgDataHome;
        std::optional<std::string> home;
        std::string expected;
    } cases[] = {
        {at("opt"), at("elsewhere/"), xdg, home, at("elsewhere")},
        {at("opt"), {}, xdg, home, at("opt/DATA")},            // creatable there
        {at("mixed"), {}, xdg, home, at("mixed/Data")},        // exists, in another case
        {at("datafile"), {}, xdg, home, xdg + "/kestrane/DATA"}, // DATA is a file
        {"/proc", {}, xdg, home, xdg + "/kestrane/DATA"},        // not writable, even for root
        {at("missing"), {}, xdg, home, xdg + "/kestrane/DATA"},
        {"/proc", {}, {}, home, home + "/.local/share/kestrane/DATA"},
        {"/proc", {}, std::string("relative/xdg"), home, home + "/.local/share/kestrane/DATA"},
        {"/proc", {}, {}, {}, "/proc/DATA"},
    };
    for (const auto& c : cases) {
        PathInputs in;
        in.options.dataDir = c.option;
        in.xdgDataHome = c.xdgDataHome;
        in.home = c.home;
        EXPECT_EQ(resolveDataDir(in, c.programDir), c.expected) << c.programDir;
    }
}

TEST_F(PathsTest, ResolvingLeavesNothingBehind)
{
    PathInputs in;
    in.executablePath = at("portable/kestrane");
    const ProgramFiles files = resolveProgramFiles(in);
    EXPECT_EQ(files.dataDir(), at("portable/DATA"));
    std::vector<std::string> entries;
    for (const auto& e : fs::directory_iterator(m_tmp.path() / "portable"))
        entries.push_back(e.path().filename().string());
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"games.dat", "kestrane"}));

    ASSERT_TRUE(ensureDataDir(files));
    EXPECT_TRUE(fs::is_directory(m_tmp.path() / "portable/DATA"));
    EXPECT_FALSE(ensureDataDir(ProgramFiles(at("portable"), "/proc/kestrane/DATA")));
}

TEST_F(PathsTest, WritableFolderIsFoundOutByTrying)
{
    EXPECT_TRUE(isWritableFolder(at("opt")));
    EXPECT_FALSE(isWritableFolder("/proc"));
    EXPECT_FALSE(isWritableFolder(at("missing")));
    EXPECT_FALSE(isWritableFolder(at("opt/GAMES.DAT")));
}

TEST_F(PathsTest, FilesAreNamedTheOldWayAndFoundWhateverTheirCase)
{
    const ProgramFiles files(at("mixed"), at("mixed/Data"));
    const ProgramFiles apart(at("mixed"), at("elsewhere"));
    const struct {
        const ProgramFiles& files;
        bool dataFile;
        std::string asWritten;
        std::string expected;
    } cases[] = {
        {files, false, "IMAGES\\B001.BMP", at("mixed/Images/b001.bmp")},
        {files, false, "GAMES.DAT", at("mixed/GAMES.DAT")},
        {files, false, "DATA\\STAT.DAT", at("mixed/Data/stat.dat")},
        {files, true, "STAT.DAT", at("mixed/Data/stat.dat")},
        {files, true, "data\\Stat.dat", at("mixed/Data/stat.dat")},
        {apart, false, "DATA\\STAT.DAT", at("elsewhere/STAT.DAT")},
        {apart, false, "DATA", at("elsewhere")},
        {apart, false, "DATABASE.TXT", at("mixed/DATABASE.TXT")},
        {apart, true, "CFG.DAT", at("elsewhere/CFG.DAT")},
        {apart, false, at("mixed/IMAGES/B001.BMP"), at("mixed/Images/b001.bmp")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.dataFile ? c.files.dataFile(c.asWritten) : c.files.programFile(c.asWritten), c.expected)
            << c.asWritten;
}

} // namespace
} // namespace kst
