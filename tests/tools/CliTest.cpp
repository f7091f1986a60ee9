#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(m_tmp.path() / "prog");
        fs::create_directories(m_tmp.path() / "home");
    }

    // Runs the built CLI with the arguments (a shell word list) and an optional environment prefix.
    CliRun run(const std::string& args, const std::string& environment = {}) const
    {
        const std::string out = m_tmp.file("stdout"), err = m_tmp.file("stderr");
        const std::string command =
            environment + " '" KST_CLI_PATH "' " + args + " >'" + out + "' 2>'" + err + "' </dev/null";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, m_tmp.read("stdout"), m_tmp.read("stderr")};
    }
    std::string at(const char* relative) const { return m_tmp.file(relative); }

    kst::test::TempDir m_tmp{"cli"};
};

TEST_F(CliTest, HelpPrintsTheUsageWithTheCommonOptionsAndTheVerbs)
{
    for (const char* args : {"--help", "help", "--data-dir /x paths --help"}) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, 0) << args;
        EXPECT_EQ(r.err, "") << args;
        for (const char* expected : {"Usage: kestrane-cli", "--program-dir DIR", "--data-dir DIR", "\n  paths "})
            EXPECT_NE(r.out.find(expected), std::string::npos) << args << ": " << expected;
        EXPECT_EQ(r.out.find('\r'), std::string::npos);
    }
}

TEST_F(CliTest, BadInputGivesOneErrorLineAndStatusTwo)
{
    const struct {
        const char* args;
        const char* error;
    } cases[] = {
        {"frobnicate", "kestrane-cli: unknown verb: frobnicate (try --help)\n"},
        {"--frob paths", "kestrane-cli: unknown option: --frob\n"},
        {"", "kestrane-cli: no verb given (try --help)\n"},
        {"paths --data-dir", "kestrane-cli: --data-dir needs a folder\n"},
        {"paths --width 3", "kestrane-cli: unknown option: --width\n"},
        {"paths extra", "kestrane-cli: paths takes no arguments\n"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_EQ(r.err, c.error) << c.args;
        EXPECT_EQ(r.out, "") << c.args;
    }
}

TEST_F(CliTest, PathsPrintsTheFoldersChosenByTheOptionsWhereverTheyStand)
{
    const std::string prog = at("prog"), data = at("data");
    const std::string expected = "ProgramDir=" + prog + "\nDataDir=" + data + "\n";
    for (const std::string& args : {"--program-dir " + prog + " --data-dir " + data + " paths",
                                    "paths --program-dir " + prog + " --data-dir " + data,
                                    "--data-dir=" + data + "/ paths --program-dir=" + prog}) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, 0) << args << r.err;
        EXPECT_EQ(r.out, expected) << args;
    }
}

TEST_F(CliTest, PathsFollowsTheEnvironmentWithoutOptions)
{
    const std::string home = at("home");
    const CliRun r = run("paths", "env KESTRANE_HOME='" + home + "' XDG_DATA_HOME=/proc/nowhere");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "ProgramDir=" + home + "\nDataDir=" + home + "/DATA\n");
}

} // namespace
